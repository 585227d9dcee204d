#include "tools/ClipRunner/TestMode.h"

#include <windows.h>
#include <cwchar>

TestMode ReadTestMode()
{
    TestMode test;
    wchar_t text[32] = {};
    if (GetEnvironmentVariableW(L"KAVRI_TOOL_MODE", text, 32) > 0) {
        if (wcscmp(text, L"fail") == 0)
            test.mode = ToolMode::Fail;
        else if (wcscmp(text, L"hang") == 0)
            test.mode = ToolMode::Hang;
        else if (wcscmp(text, L"crash") == 0)
            test.mode = ToolMode::Crash;
    }
    if (GetEnvironmentVariableW(L"KAVRI_TOOL_SPEED", text, 32) > 0) {
        double speed = wcstod(text, nullptr);
        if (speed >= 0.1 && speed <= 100)
            test.speed = speed;
    }
    wchar_t folder[MAX_PATH] = {};
    DWORD length = GetEnvironmentVariableW(L"KAVRI_TOOL_FRAMES", folder, MAX_PATH);
    if (length > 0 && length < MAX_PATH)
        test.framesFolder = folder;
    return test;
}
