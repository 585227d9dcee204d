// Small system services: GUID names, byte-size texts and the message filter.
#pragma once
#include "classlib/CString.h"

// 32 lower-case hex digits without separators. 0, or -1 (the output then empty).
int NewGuidString(CString& strGuid);

// The shell's short size text ("1.50 MB"); empty where the system lacks the function.
CString FormatByteSize(LONGLONG nBytes);

// Lets WM_COPYDATA (and message 73) from processes of lower integrity through the message
// filter. 1 where the system has no filter, 0 when both are admitted, -1 otherwise.
int AllowCopyDataMessages();
