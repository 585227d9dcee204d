#include "classlib/CListBox.h"
#include "classlib/AfxControls.h"

IMPLEMENT_DYNAMIC(CListBox, CWnd)

void CListBox::GetText(int nIndex, CString& rString) const
{
    AfxGetListItemText(this, LB_GETTEXTLEN, LB_GETTEXT, nIndex, rString);
}
