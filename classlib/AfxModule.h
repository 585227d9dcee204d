// The module whose resources the class library loads (strings, and later dialogs and menus).
#pragma once
#include <windows.h>

// Both are the program's own module: the class library is linked into the .exe.
HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();
