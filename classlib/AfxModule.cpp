#include "classlib/AfxModule.h"

HINSTANCE AfxGetInstanceHandle()
{
    return GetModuleHandleW(nullptr);
}

HINSTANCE AfxGetResourceHandle()
{
    return GetModuleHandleW(nullptr);
}
