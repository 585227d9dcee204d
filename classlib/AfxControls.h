// What the control wrappers share: the one-time registration of the common-control classes
// and their creation.
#pragma once
#include "classlib/CWnd.h"
#include <commctrl.h>

// Registers every common-control window class; the work is done once per process.
void AfxInitCommonControls();

// Creates a control of the window class lpszClass as pWnd (attached and subclassed), after
// registering the common-control classes.
BOOL AfxCreateControl(CWnd* pWnd, LPCWSTR lpszClass, LPCWSTR lpszText, DWORD dwStyle, const RECT& rect,
                      CWnd* pParentWnd, UINT nID, DWORD dwExStyle = 0);
