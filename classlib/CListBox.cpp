#include "classlib/CListBox.h"

IMPLEMENT_DYNAMIC(CListBox, CWnd)

void CListBox::GetText(int nIndex, CString& rString) const
{
    int nLength = GetTextLen(nIndex);
    if (nLength == LB_ERR) {
        rString.Empty();
        return;
    }
    int nCopied = static_cast<int>(SendMessage(LB_GETTEXT, nIndex, reinterpret_cast<LPARAM>(rString.GetBuffer(nLength))));
    rString.ReleaseBuffer(nCopied == LB_ERR ? 0 : nCopied);
}
