#include "framework/dialogs/CCustomComboBoxEx.h"
#include "classlib/AfxMessageMap.h"

IMPLEMENT_DYNAMIC(CCustomComboBoxEx, CComboBoxEx)

BEGIN_MESSAGE_MAP(CCustomComboBoxEx, CComboBoxEx)
    ON_CONTROL_REFLECT(CBN_DROPDOWN, &CCustomComboBoxEx::OnDropDown)
END_MESSAGE_MAP()

namespace {

const wchar_t kSpacer[] = L"W";

}  // namespace

int CCustomComboBoxEx::DropWidthFor(int nWidestText, int nSpacer, int nImageWidth, BOOL bNeedsScrollBar,
                                    int nScrollWidth, int nRoomToScreenEdge)
{
    int nWidth = nWidestText + 2 * nSpacer + nImageWidth + 8;
    if (bNeedsScrollBar)
        nWidth += nScrollWidth;
    if (nWidth > nRoomToScreenEdge)
        nWidth = nRoomToScreenEdge;
    return nWidth;
}

void CCustomComboBoxEx::AdjustDropWidth()
{
    if (!m_hWnd)
        return;
    int nImageWidth = 0;
    HIMAGELIST hImages = reinterpret_cast<HIMAGELIST>(SendMessage(CBEM_GETIMAGELIST));
    int cx = 0, cy = 0;
    if (hImages && ImageList_GetIconSize(hImages, &cx, &cy))
        nImageWidth = cx + 1;

    HDC hDC = ::GetDC(m_hWnd);
    HGDIOBJ hOld = ::SelectObject(hDC, reinterpret_cast<HGDIOBJ>(SendMessage(WM_GETFONT)));
    int nWidest = 0;
    const int nCount = GetCount();
    for (int i = 0; i < nCount; i++) {
        CString strText = GetItemText(i);
        SIZE size = {};
        ::GetTextExtentPoint32W(hDC, strText, strText.GetLength(), &size);
        if (size.cx > nWidest)
            nWidest = size.cx;
    }
    SIZE spacer = {};
    ::GetTextExtentPoint32W(hDC, kSpacer, 1, &spacer);
    ::SelectObject(hDC, hOld);
    ::ReleaseDC(m_hWnd, hDC);

    // The list belongs to the combo box inside the control, which is asked and told directly.
    HWND hCombo = reinterpret_cast<HWND>(SendMessage(CBEM_GETCOMBOCONTROL));
    if (!hCombo)
        hCombo = m_hWnd;
    // Does the list need its scroll bar? The dropped list's height against the items'.
    CRect rcDropped;
    ::SendMessageW(hCombo, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&rcDropped));
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    int nItemHeight = static_cast<int>(::SendMessageW(hCombo, CB_GETITEMHEIGHT, 0, 0));
    int nListHeight = rcDropped.Height() - rcWindow.Height();
    BOOL bScroll = nItemHeight * nCount > nListHeight;
    int nRoom = ::GetSystemMetrics(SM_CXSCREEN) - rcWindow.left - 2;
    ::SendMessageW(hCombo, CB_SETDROPPEDWIDTH,
                   DropWidthFor(nWidest, spacer.cx, nImageWidth, bScroll, ::GetSystemMetrics(SM_CXVSCROLL), nRoom), 0);
}

CString CCustomComboBoxEx::GetText() const
{
    HWND hEdit = reinterpret_cast<HWND>(SendMessage(CBEM_GETEDITCONTROL));
    CString strText;
    if (hEdit)
        CWnd::FromHandle(hEdit)->GetWindowText(strText);
    else
        GetWindowText(strText);
    return strText;
}

CString CCustomComboBoxEx::GetItemText(int nIndex) const
{
    wchar_t szText[1024] = {};
    COMBOBOXEXITEMW item = {};
    item.mask = CBEIF_TEXT;
    item.iItem = nIndex;
    item.pszText = szText;
    item.cchTextMax = ARRAYSIZE(szText);
    if (!GetItem(&item))
        return CString();
    return CString(item.pszText ? item.pszText : L"");
}

BOOL CCustomComboBoxEx::GetItemImages(int nIndex, int& nImage, int& nSelectedImage) const
{
    COMBOBOXEXITEMW item = {};
    item.mask = CBEIF_IMAGE | CBEIF_SELECTEDIMAGE;
    item.iItem = nIndex;
    if (!GetItem(&item))
        return FALSE;
    nImage = item.iImage;
    nSelectedImage = item.iSelectedImage;
    return TRUE;
}

int CCustomComboBoxEx::InsertItem(int nIndex, LPCWSTR lpszText, int nImage, int nSelectedImage)
{
    COMBOBOXEXITEMW item = {};
    item.mask = CBEIF_TEXT | CBEIF_IMAGE | CBEIF_SELECTEDIMAGE;
    item.iItem = nIndex;
    item.pszText = const_cast<LPWSTR>(lpszText ? lpszText : L"");
    item.iImage = nImage;
    item.iSelectedImage = nSelectedImage == -1 ? nImage : nSelectedImage;
    return CComboBoxEx::InsertItem(&item);
}

int CCustomComboBoxEx::InsertItem(int nIndex, LPCWSTR lpszText, int nImage, int nSelectedImage, int nIndent)
{
    COMBOBOXEXITEMW item = {};
    item.mask = CBEIF_TEXT | CBEIF_IMAGE | CBEIF_SELECTEDIMAGE | CBEIF_INDENT;
    item.iItem = nIndex;
    item.pszText = const_cast<LPWSTR>(lpszText ? lpszText : L"");
    item.iImage = nImage;
    item.iSelectedImage = nSelectedImage == -1 ? nImage : nSelectedImage;
    item.iIndent = nIndent;
    return CComboBoxEx::InsertItem(&item);
}

int CCustomComboBoxEx::FindItem(int nStart, LPCWSTR lpszText) const
{
    const int nCount = GetCount();
    for (int i = nStart < 0 ? 0 : nStart; i < nCount; i++) {
        if (GetItemText(i).CompareNoCase(lpszText ? lpszText : L"") == 0)
            return i;
    }
    return -1;
}

BOOL CCustomComboBoxEx::SetItemImage(int nIndex, int nImage, int nSelectedImage)
{
    COMBOBOXEXITEMW item = {};
    item.mask = CBEIF_IMAGE;
    item.iItem = nIndex;
    item.iImage = nImage;
    if (nSelectedImage != -1) {
        item.mask |= CBEIF_SELECTEDIMAGE;
        item.iSelectedImage = nSelectedImage;
    }
    return SetItem(&item);
}

BOOL CCustomComboBoxEx::SetItemText(int nIndex, LPCWSTR lpszText)
{
    COMBOBOXEXITEMW item = {};
    item.mask = CBEIF_TEXT;
    item.iItem = nIndex;
    item.pszText = const_cast<LPWSTR>(lpszText ? lpszText : L"");
    return SetItem(&item);
}

void CCustomComboBoxEx::OnDropDown()
{
    AdjustDropWidth();
}
