// What the control wrappers share: the one-time registration of the common-control classes,
// their creation and the reading of a list item's text.
#pragma once
#include "classlib/CWnd.h"
#include <commctrl.h>

// Registers every common-control window class; the work is done once per process.
void AfxInitCommonControls();

// Creates a control of the window class lpszClass as pWnd (attached and subclassed), after
// registering the common-control classes.
BOOL AfxCreateControl(CWnd* pWnd, LPCWSTR lpszClass, LPCWSTR lpszText, DWORD dwStyle, const RECT& rect,
                      CWnd* pParentWnd, UINT nID, DWORD dwExStyle = 0);

// The text of a list box or combo box item through the control's pair of messages (LB_GETTEXTLEN
// and LB_GETTEXT, or CB_GETLBTEXTLEN and CB_GETLBTEXT); empty for an item that does not exist.
void AfxGetListItemText(const CWnd* pWnd, UINT nLengthMessage, UINT nTextMessage, int nIndex, CString& rString);
