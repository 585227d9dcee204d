#include "classlib/CButton.h"
#include "classlib/AfxMessageMap.h"

IMPLEMENT_DYNAMIC(CButton, CWnd)

BEGIN_MESSAGE_MAP(CButton, CWnd)
    ON_WM_DRAWITEM_REFLECT()
END_MESSAGE_MAP()

// Only an owner-drawn button is asked, and its class draws it.
void CButton::DrawItem(LPDRAWITEMSTRUCT) {}
