#include "conversion/app/CToolTabBar.h"
#include "classlib/AfxMessageMap.h"
#include "conversion/app/CConversionUiResources.h"
#include "conversion/app/res/FetcherResources.h"
#include "framework/controls/BitmapResource.h"
#include "framework/controls/CMemoryDC.h"
#include <algorithm>

IMPLEMENT_DYNAMIC(CToolTabBar, CControlBar)

namespace {

const COLORREF kBarColour = 0x404040;
const int kTabPieceWidth = 16;
const int kTabPieceHeight = 30;
const int kButtonImageWidth = 28;
const int kButtonImageHeight = 22;

}  // namespace

BEGIN_MESSAGE_MAP(CToolTabBar, CControlBar)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_ERASEBKGND()
    ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

BOOL CToolTabBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID, int nHeight)
{
    m_nHeight = nHeight;
    m_dwStyle = dwStyle & CBRS_ALL;
    LPCWSTR className = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW));
    return CWnd::Create(className, nullptr, dwStyle & ~CBRS_ALL, CRect(0, 0, 0, nHeight), pParentWnd, nID);
}

CSize CToolTabBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    return CSize(32767, m_nHeight);
}

int CToolTabBar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CControlBar::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (!m_wndTip.Create(this, TTS_ALWAYSTIP | TTS_NOPREFIX) || !CreateTabs() || !CreateToolBar())
        return -1;
    return 0;
}

BOOL CToolTabBar::CreateTabs()
{
    CImageList& pieces = m_wndTabs.m_tabImages;
    CBitmap normal, selected;
    if (!pieces.Create(kTabPieceWidth, kTabPieceHeight, ILC_COLOR24 | ILC_MASK, 6, 0) ||
        !LoadBitmapResource(normal, IDB_TAB_NORMAL) || !LoadBitmapResource(selected, IDB_TAB_SELECTED))
        return FALSE;
    pieces.Add(&normal, RGB(0, 0, 0));
    pieces.Add(&selected, RGB(0, 0, 0));
    if (!m_wndTabs.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP | TCS_HOTTRACK, CRect(0, 0, 0, 0), this, IDW_TOOL_TABS))
        return FALSE;
    m_wndTabs.SetFont(theConversionUiResources.GetBoldFont());
    m_wndTabs.SetPadding(CSize(12, 8));
    return TRUE;
}

BOOL CToolTabBar::CreateToolBar()
{
    if (!m_wndToolBar.CreateEx(this, TBSTYLE_FLAT | TBSTYLE_TRANSPARENT, 0x50012000, CRect(0, 0, 0, 0), IDW_TOOL_BAR) ||
        !m_wndToolBar.LoadToolBar(IDR_TOOLBAR))
        return FALSE;
    m_wndToolBar.SetFont(theConversionUiResources.GetNormalFont());
    m_wndToolBar.SetBarStyle(m_wndToolBar.GetBarStyle() | CBRS_TOOLTIPS | CBRS_FLYBY);
    CBitmap images;
    if (!m_toolBarImages.Create(kButtonImageWidth, kButtonImageHeight, ILC_COLOR32 | ILC_MASK, 2, 0) ||
        !LoadBitmapResource(images, IDB_TOOLBAR_IMAGES) || m_toolBarImages.Add(&images, 0xFF00FF) < 0)
        return FALSE;
    m_wndToolBar.SendMessage(TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(m_toolBarImages.GetSafeHandle()));
    m_wndToolBar.SetSizes(CSize(kButtonImageWidth + 7, kButtonImageHeight + 6),
                          CSize(kButtonImageWidth, kButtonImageHeight));
    int index = m_wndToolBar.CommandToIndex(ID_MAIN_MENU);
    m_wndToolBar.SetButtonStyle(index, m_wndToolBar.GetButtonStyle(index) | TBSTYLE_DROPDOWN);
    return TRUE;
}

void CToolTabBar::OnSize(UINT nType, int cx, int cy)
{
    CControlBar::OnSize(nType, cx, cy);
    if (cx > 0 && cy > 0)
        Layout();
}

void CToolTabBar::Layout()
{
    if (!m_wndTabs.m_hWnd || !m_wndToolBar.m_hWnd)
        return;
    CRect client;
    GetClientRect(&client);
    int toolBarWidth = 0, toolBarHeight = 0;
    for (int i = 0; i < m_wndToolBar.GetCount(); i++) {
        CRect button;
        m_wndToolBar.GetItemRect(i, &button);
        toolBarWidth += button.Width();
        toolBarHeight = std::max<int>(toolBarHeight, button.Height());
    }
    m_wndToolBar.MoveWindow(client.right - toolBarWidth, (client.Height() - toolBarHeight) / 2, toolBarWidth,
                            toolBarHeight);
    int tabsWidth = 32;
    for (int i = 0; i < m_wndTabs.GetItemCount(); i++) {
        CRect tab;
        m_wndTabs.GetItemRect(i, &tab);
        tabsWidth += tab.Width();
    }
    m_wndTabs.MoveWindow(client.left + 2, 0, tabsWidth, client.Height());
}

BOOL CToolTabBar::OnEraseBkgnd(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    CMemoryDC memDC(pDC, &client);
    memDC.FillSolidRect(&client, kBarColour);
    memDC.FillSolidRect(client.left, client.bottom - 1, client.Width(), 1, kBarColour);
    return TRUE;
}

void CToolTabBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    // The bar is part of the caption: dragging it moves the window.
    CPoint screen = point;
    ClientToScreen(&screen);
    GetParent()->SendMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(screen.x, screen.y));
    CControlBar::OnLButtonDown(nFlags, point);
}

BOOL CToolTabBar::PreTranslateMessage(MSG* pMsg)
{
    if (m_wndTip.m_hWnd)
        m_wndTip.RelayEvent(pMsg);
    return CControlBar::PreTranslateMessage(pMsg);
}
