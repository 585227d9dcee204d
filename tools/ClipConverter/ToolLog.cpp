#include "tools/ClipConverter/ToolLog.h"

#include <windows.h>

ToolLog::ToolLog()
{
    wchar_t path[MAX_PATH];
    DWORD length = GetEnvironmentVariableW(L"KAVRI_TOOL_LOG", path, MAX_PATH);
    if (length > 0 && length < MAX_PATH)
        path_.assign(path, length);
}

// Opened for each line, so that what was written survives a crash or a kill.
void ToolLog::Line(const std::wstring& text) const
{
    if (path_.empty())
        return;
    HANDLE file = CreateFileW(path_.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    std::wstring withEnd = text + L"\n";
    int bytes = WideCharToMultiByte(CP_UTF8, 0, withEnd.c_str(), static_cast<int>(withEnd.size()), nullptr, 0,
                                    nullptr, nullptr);
    std::string utf8(bytes, '\0');
    WideCharToMultiByte(CP_UTF8, 0, withEnd.c_str(), static_cast<int>(withEnd.size()), &utf8[0], bytes, nullptr,
                        nullptr);
    DWORD written = 0;
    WriteFile(file, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
    CloseHandle(file);
}
