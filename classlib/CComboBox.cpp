#include "classlib/CComboBox.h"
#include "classlib/AfxControls.h"
#include "classlib/AfxMessageMap.h"

IMPLEMENT_DYNAMIC(CComboBox, CWnd)

BEGIN_MESSAGE_MAP(CComboBox, CWnd)
    ON_WM_DRAWITEM_REFLECT()
    ON_WM_MEASUREITEM_REFLECT()
END_MESSAGE_MAP()

// Only an owner-drawn combo box is asked, and its class draws it; the measure keeps the
// system's item height.
void CComboBox::DrawItem(LPDRAWITEMSTRUCT) {}

void CComboBox::MeasureItem(LPMEASUREITEMSTRUCT) {}

void CComboBox::GetLBText(int nIndex, CString& rString) const
{
    AfxGetListItemText(this, CB_GETLBTEXTLEN, CB_GETLBTEXT, nIndex, rString);
}
