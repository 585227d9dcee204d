#include "conversion/app/CConversionView.h"
#include "classlib/AfxMessageMap.h"
#include "classlib/CFrameWnd.h"
#include "conversion/app/CConversionPage.h"
#include "conversion/app/CConversionUiResources.h"
#include "conversion/app/CFormatManagerDlg.h"
#include "conversion/app/CMainFrame.h"
#include "conversion/app/CToolTabBar.h"
#include "conversion/app/res/FetcherResources.h"
#include "conversion/engine/catalogue/CBuiltInMediaFormats.h"
#include <algorithm>

IMPLEMENT_DYNCREATE(CConversionView, CView)

namespace {

const int kPageTopMargin = 12;

}  // namespace

BEGIN_MESSAGE_MAP(CConversionView, CView)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_ERASEBKGND()
    ON_COMMAND(ID_VIDEO_AUDIO_FORMATS, &CConversionView::OnVideoAudioFormats)
    ON_COMMAND(ID_TOOL_RESERVED_1, &CConversionView::OnReservedCommand)
    ON_COMMAND(ID_TOOL_RESERVED_2, &CConversionView::OnReservedCommand)
END_MESSAGE_MAP()

BOOL CConversionView::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!CView::PreCreateWindow(cs))
        return FALSE;
    cs.style |= WS_CLIPCHILDREN;
    cs.style &= ~WS_BORDER;
    cs.dwExStyle |= WS_EX_ACCEPTFILES;
    cs.dwExStyle &= ~WS_EX_CLIENTEDGE;
    return TRUE;
}

int CConversionView::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    return CView::OnCreate(lpCreateStruct) == -1 ? -1 : 0;
}

void CConversionView::OnInitialUpdate()
{
    CView::OnInitialUpdate();
    if (m_tools.GetSize() == 0)
        BuildTabs();
}

void CConversionView::BuildTabs()
{
    AddConversionTools(m_tools);
    if (!m_pBar)
        return;
    CToolTabCtrl& tabs = m_pBar->m_wndTabs;
    for (int i = 0; i < m_tools.GetSize(); i++) {
        tabs.InsertItem(i, m_tools[i]->m_name);
        CRect tab;
        tabs.GetItemRect(i, &tab);
        m_pBar->m_wndTip.AddTool(&tabs, m_tools[i]->m_description, &tab, i + 1);
    }
    m_pBar->Layout();
    LayoutPages();
}

CToolItem* CConversionView::GetTool(int nIndex) const
{
    return nIndex >= 0 && nIndex < m_tools.GetSize() ? m_tools[nIndex] : nullptr;
}

int CConversionView::ShowPage(int nIndex)
{
    CToolItem* pTool = GetTool(nIndex);
    if (!pTool) {
        nIndex = 0;
        pTool = GetTool(0);
    }
    if (m_pBar && m_pBar->m_wndTabs.m_hWnd && pTool)
        m_pBar->m_wndTabs.SetCurSel(nIndex);
    m_nCurrent = pTool ? nIndex : -1;
    return ShowTool(pTool);
}

int CConversionView::ShowTool(CToolItem* pTool)
{
    if (!pTool)
        return -1;
    if (!pTool->m_pPage)
        pTool->CreatePage(this);
    if (pTool->m_pPage) {
        LayoutPages();
        pTool->m_pPage->ShowWindow(SW_SHOW);
    }
    for (int i = 0; i < m_tools.GetSize(); i++) {
        CConversionPage* pPage = m_tools[i]->m_pPage;
        if (pPage && m_tools[i] != pTool)
            pPage->ShowWindow(SW_HIDE);
    }
    if (CMainFrame* pFrame = dynamic_cast<CMainFrame*>(GetParentFrame()))
        pFrame->GetStatusBar().SetText(0, pTool->m_description);
    return 0;
}

CString CConversionView::GetCurrentDescription() const
{
    CToolItem* pTool = GetTool(m_nCurrent);
    return pTool ? pTool->m_description : CString();
}

void CConversionView::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    if (cx > 0 && cy > 0)
        LayoutPages();
}

void CConversionView::LayoutPages()
{
    CRect area;
    GetClientRect(&area);
    area.top += kPageTopMargin;
    for (int i = 0; i < m_tools.GetSize(); i++) {
        CConversionPage* pPage = m_tools[i]->m_pPage;
        if (!pPage || !pPage->m_hWnd)
            continue;
        if (pPage->m_bFill) {
            pPage->MoveWindow(&area, TRUE);
            continue;
        }
        // Centred, but never left of or above the area: a large page stays reachable.
        CRect page;
        pPage->GetWindowRect(&page);
        int x = std::max<int>(area.left, area.left + (area.Width() - page.Width()) / 2);
        int y = std::max<int>(area.top, area.top + (area.Height() - page.Height()) / 2);
        pPage->MoveWindow(x, y, page.Width(), page.Height(), TRUE);
    }
}

BOOL CConversionView::OnEraseBkgnd(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    pDC->FillSolidRect(&client, kPageBackground);
    return TRUE;
}

void CConversionView::UpdatePageControls(CFrameWnd* pFrame)
{
    for (int i = 0; i < m_tools.GetSize(); i++) {
        CConversionPage* pPage = m_tools[i]->m_pPage;
        if (pPage && pPage->m_hWnd)
            pPage->UpdateDialogControls(pFrame, FALSE);
    }
}

void CConversionView::OnVideoAudioFormats()
{
    CFormatManagerDlg dialog(theMediaFormats, GetParentFrame());
    dialog.m_pHolders = this;
    // Close, the close box and Escape alike: the dialog has saved what it changed.
    dialog.DoModal();
    RefreshPresets();
}

void CConversionView::ReleasePresets()
{
    for (int i = 0; i < m_tools.GetSize(); i++) {
        if (CConversionPage* pPage = m_tools[i]->m_pPage)
            pPage->ReleasePreset();
    }
}

void CConversionView::RefreshPresets()
{
    for (int i = 0; i < m_tools.GetSize(); i++) {
        CConversionPage* pPage = m_tools[i]->m_pPage;
        if (pPage && pPage->m_hWnd)
            pPage->RefreshFormats();
    }
}
