#include "player/windows/CStartPanelWnd.h"
#include "classlib/AfxMessageMap.h"
#include "classlib/CDC.h"
#include "player/res/PlayerResources.h"

namespace {

const int kButtonSize = 96;

bool LoadPngResource(CRasterImage& image, UINT nID)
{
    HMODULE module = ::GetModuleHandleW(nullptr);
    HRSRC resource = ::FindResourceW(module, MAKEINTRESOURCEW(nID), L"PNG");
    return resource && image.LoadFromResource(resource, RASTER_FORMAT_PNG, module);
}

}  // namespace

BEGIN_MESSAGE_MAP(CStartPanelWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_BN_CLICKED(IDW_START_BUTTON, &CStartPanelWnd::OnOpenFiles)
END_MESSAGE_MAP()

BOOL CStartPanelWnd::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create(nullptr, nullptr, dwStyle | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, rect, pParentWnd, nID);
}

BOOL CStartPanelWnd::PreTranslateMessage(MSG* pMsg)
{
    if (m_tooltip.m_hWnd)
        m_tooltip.RelayEvent(pMsg);
    return CWnd::PreTranslateMessage(pMsg);
}

int CStartPanelWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    m_tooltip.Create(this, TTS_ALWAYSTIP | TTS_NOPREFIX);
    m_tooltip.SetMaxTipWidth(0xFFFF);
    // A missing image leaves the button empty, not the panel.
    LoadPngResource(m_normalImage, IDR_OPEN_FILES_NORMAL);
    LoadPngResource(m_hotImage, IDR_OPEN_FILES_HOT);
    m_button.m_crBack = m_crBack;
    if (!m_button.Create(L"Open Files", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(0, 0, kButtonSize, kButtonSize),
                         this, IDW_START_BUTTON))
        return -1;
    m_button.SetImages(&m_normalImage, &m_hotImage);
    if (m_tooltip.m_hWnd)
        m_tooltip.AddTool(&m_button, L"Play files");
    return 0;
}

BOOL CStartPanelWnd::OnEraseBkgnd(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    pDC->FillSolidRect(&client, m_crBack);
    return TRUE;
}

void CStartPanelWnd::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    if (nType == SIZE_MINIMIZED || cx <= 0 || cy <= 0 || !m_button.m_hWnd)
        return;
    m_button.MoveWindow((cx - kButtonSize) / 2, (cy - kButtonSize) / 2, kButtonSize, kButtonSize);
}

void CStartPanelWnd::OnOpenFiles()
{
    if (CWnd* pParent = GetParent())
        pParent->PostMessage(WM_COMMAND, ID_FILE_OPEN_FILES);
}
