#include "framework/dialogs/CAppMainWnd.h"
#include "classlib/AfxMessageMap.h"
#include "classlib/CMenu.h"
#include "framework/controls/FrameworkMessages.h"
#include "framework/net/UpdateCheck.h"
#include "framework/res/FrameworkResources.h"
#include "framework/system/COSInfo.h"
#include "framework/system/IAppSettings.h"

IMPLEMENT_DYNCREATE(CAppMainWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CAppMainWnd, CFrameWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_CLOSE()
    ON_WM_SYSCOMMAND()
    ON_WM_INITMENUPOPUP()
    ON_WM_QUERYENDSESSION()
    ON_WM_SYSCOLORCHANGE()
    ON_MESSAGE(WM_CHECK_FOR_UPDATES, &CAppMainWnd::OnCheckForUpdates)
END_MESSAGE_MAP()

BOOL CAppMainWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!CFrameWnd::PreCreateWindow(cs))
        return FALSE;
    if (IAppSettings* pSettings = GetAppSettings()) {
        CMainWindowPlacement placement = pSettings->GetMainWindowPlacement();
        if (placement.nLeft != -1 && placement.nTop != -1 && placement.nWidth > 0 && placement.nHeight > 0) {
            cs.x = placement.nLeft;
            cs.y = placement.nTop;
            cs.cx = placement.nWidth;
            cs.cy = placement.nHeight;
        }
    }
    return TRUE;
}

int CAppMainWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    AddAlwaysOnTopItem();
    IAppSettings* pSettings = GetAppSettings();
    if (pSettings && pSettings->GetAlwaysOnTop())
        SetTopmost(TRUE);
    return 0;
}

void CAppMainWnd::AddAlwaysOnTopItem()
{
    CMenu* pMenu = GetSystemMenu(FALSE);
    if (!pMenu)
        return;
    pMenu->InsertMenu(0, MF_BYPOSITION | MF_SEPARATOR);
    pMenu->InsertMenu(0, MF_BYPOSITION | MF_STRING, IDM_SYS_ALWAYS_ON_TOP, L"Always On Top");
}

void CAppMainWnd::SetTopmost(BOOL bOn)
{
    if (IAppSettings* pSettings = GetAppSettings())
        pSettings->SetAlwaysOnTop(bOn ? 1 : 0);
    SetWindowPos(bOn ? &wndTopMost : &wndNoTopMost, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
}

void CAppMainWnd::OnDestroy()
{
    IAppSettings* pSettings = GetAppSettings();
    if (pSettings && !IsIconic()) {
        if (GetStyle() & WS_MAXIMIZE) {
            pSettings->SetMainWindowPlacement(CMainWindowPlacement());
        } else {
            CRect rect;
            GetWindowRect(&rect);
            if (rect.Width() > 0 && rect.Height() > 0) {
                CMainWindowPlacement placement;
                placement.nLeft = rect.left;
                placement.nTop = rect.top;
                placement.nWidth = rect.Width();
                placement.nHeight = rect.Height();
                pSettings->SetMainWindowPlacement(placement);
            }
        }
    }
    CFrameWnd::OnDestroy();
}

void CAppMainWnd::OnClose()
{
    CFrameWnd::OnClose();
}

void CAppMainWnd::OnSysCommand(UINT nID, LPARAM lParam)
{
    // The system keeps the low four bits of a command id for itself.
    IAppSettings* pSettings = GetAppSettings();
    if ((nID & 0xFFF0) == IDM_SYS_ALWAYS_ON_TOP && pSettings) {
        SetTopmost(!pSettings->GetAlwaysOnTop());
        return;
    }
    CFrameWnd::OnSysCommand(nID, lParam);
}

void CAppMainWnd::OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu)
{
    CFrameWnd::OnInitMenuPopup(pPopupMenu, nIndex, bSysMenu);
    IAppSettings* pSettings = GetAppSettings();
    if (bSysMenu && pPopupMenu && pSettings)
        pPopupMenu->CheckMenuItem(IDM_SYS_ALWAYS_ON_TOP, pSettings->GetAlwaysOnTop() ? MF_CHECKED : MF_UNCHECKED);
}

BOOL CAppMainWnd::OnQueryEndSession()
{
    if (!CFrameWnd::OnQueryEndSession())
        return FALSE;
    // The session ends whether or not the save worked: the user has been told.
    SaveAppProfile(m_hWnd);
    return TRUE;
}

void CAppMainWnd::OnSysColorChange()
{
    CFrameWnd::OnSysColorChange();
    COSInfo::Get().DetectVisualStyles();
}

LRESULT CAppMainWnd::OnCheckForUpdates(WPARAM wParam, LPARAM lParam)
{
    if (wParam != 0)
        return 0;
    if (IAppSettings* pSettings = GetAppSettings()) {
        StartUpdateCheck(pSettings->GetUpdateManifestUrl(), pSettings->GetVersionText(),
                         pSettings->GetAutoCheckUpdateDays(), lParam != 0);
    }
    return 0;
}
