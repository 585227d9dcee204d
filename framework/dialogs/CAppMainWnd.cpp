#include "framework/dialogs/CAppMainWnd.h"
#include "classlib/AfxMessageMap.h"
#include "framework/controls/FrameworkMessages.h"
#include "framework/net/UpdateCheck.h"
#include "framework/system/IAppSettings.h"

IMPLEMENT_DYNCREATE(CAppMainWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CAppMainWnd, CFrameWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_CLOSE()
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
    return 0;
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
