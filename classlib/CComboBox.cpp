#include "classlib/CComboBox.h"

IMPLEMENT_DYNAMIC(CComboBox, CWnd)

void CComboBox::GetLBText(int nIndex, CString& rString) const
{
    int nLength = GetLBTextLen(nIndex);
    if (nLength == CB_ERR) {
        rString.Empty();
        return;
    }
    int nCopied = static_cast<int>(SendMessage(CB_GETLBTEXT, nIndex, reinterpret_cast<LPARAM>(rString.GetBuffer(nLength))));
    rString.ReleaseBuffer(nCopied == CB_ERR ? 0 : nCopied);
}
