#include "framework/system/ShellCalls.h"

CShellCalls& ShellCalls()
{
    static CShellCalls s_calls = {ShellExecuteW, SHFileOperationW, ExitWindowsEx};
    return s_calls;
}
