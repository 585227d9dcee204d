#include "common/ToolLog.h"

#include "common/OwnedHandle.h"
#include "common/Utf8.h"

#include <windows.h>

ToolLog::ToolLog()
{
    wchar_t path[MAX_PATH];
    DWORD length = GetEnvironmentVariableW(L"KAVRI_TOOL_LOG", path, MAX_PATH);
    if (length > 0 && length < MAX_PATH)
        m_path.assign(path, length);
}

// Opened for each line, so that what was written survives a crash or a kill.
void ToolLog::Line(const std::wstring& text) const
{
    if (m_path.empty())
        return;
    OwnedFileHandle file(CreateFileW(m_path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                     OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return;
    std::string utf8 = Utf8(text + L"\n");
    DWORD written = 0;
    WriteFile(file.Get(), utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
}
