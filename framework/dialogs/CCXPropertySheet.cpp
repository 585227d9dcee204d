#include "framework/dialogs/CCXPropertySheet.h"
#include "classlib/CGdiObject.h"
#include "framework/controls/AppUiResources.h"

IMPLEMENT_DYNAMIC(CCXPropertySheet, CPropertySheet)

void SetFontOnWindowAndChildren(CWnd* pWnd, CFont* pFont)
{
    if (!pWnd || !pWnd->m_hWnd || !pFont)
        return;
    WPARAM wFont = reinterpret_cast<WPARAM>(pFont->GetSafeHandle());
    ::SendMessageW(pWnd->m_hWnd, WM_SETFONT, wFont, TRUE);
    for (HWND hChild = ::GetWindow(pWnd->m_hWnd, GW_CHILD); hChild; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
        ::SendMessageW(hChild, WM_SETFONT, wFont, TRUE);
}

CCXPropertySheet::CCXPropertySheet(LPCWSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
    : CPropertySheet(pszCaption, pParentWnd, iSelectPage)
{
}

CCXPropertySheet::CCXPropertySheet(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
    : CPropertySheet(nIDCaption, pParentWnd, iSelectPage)
{
}

BOOL CCXPropertySheet::OnInitDialog()
{
    BOOL bResult = CPropertySheet::OnInitDialog();
    SetFontOnWindowAndChildren(this, GetAppFont(AppFontNormal));
    if (GetPageCount() > 0)
        SetActivePage(0);
    return bResult;
}

void CCXPropertySheet::BuildPropPageArray()
{
    const UINT nSize = PageRecordSize();
    const int nPages = GetPageCount();
    m_records.assign(static_cast<size_t>(nPages) * nSize, 0);
    for (int i = 0; i < nPages; i++) {
        const PROPSHEETPAGEW& source = GetPage(i)->m_psp;
        BYTE* pRecord = m_records.data() + static_cast<size_t>(i) * nSize;
        UINT nCopy = source.dwSize < nSize ? source.dwSize : nSize;
        memcpy(pRecord, &source, nCopy);
        PROPSHEETPAGEW* pPage = reinterpret_cast<PROPSHEETPAGEW*>(pRecord);
        pPage->dwSize = nSize;
        pPage->dwFlags &= ~(PSP_HIDEHEADER | PSP_USEHEADERTITLE | PSP_USEHEADERSUBTITLE | PSP_USEFUSIONCONTEXT);
    }
    m_psh.ppsp = reinterpret_cast<LPCPROPSHEETPAGEW>(m_records.data());
    m_psh.nPages = static_cast<UINT>(nPages);
}
