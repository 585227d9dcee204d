#include "player/windows/CFullScreenMainWnd.h"
#include "classlib/AfxMessageMap.h"
#include "framework/system/IAppSettings.h"

BEGIN_MESSAGE_MAP(CFullScreenMainWnd, CAppMainWnd_VMB)
    ON_WM_DESTROY()
    ON_WM_WINDOWPOSCHANGING()
    ON_WM_GETMINMAXINFO()
END_MESSAGE_MAP()

CFullScreenMainWnd::CFullScreenMainWnd() : m_savedPlacement{}, m_fullScreenRect(0, 0, 0, 0), m_margins(0, 0, 0, 0)
{
    m_savedPlacement.length = sizeof(m_savedPlacement);
}

void CFullScreenMainWnd::ToggleFullScreen()
{
    LockWindowUpdate();
    if (m_nFullScreenState == FULL_SCREEN_OFF)
        EnterFullScreen();
    else
        LeaveFullScreen();
    UnlockWindowUpdate();
}

void CFullScreenMainWnd::EnterFullScreen()
{
    m_nFullScreenState = FULL_SCREEN_SWITCHING;
    m_savedPlacement.length = sizeof(m_savedPlacement);
    GetWindowPlacement(&m_savedPlacement);
    CRect window, client;
    GetWindowRect(&window);
    GetClientRect(&client);
    ClientToScreen(&client);
    int cx = ::GetSystemMetrics(SM_CXSCREEN);
    int cy = ::GetSystemMetrics(SM_CYSCREEN);
    // The client area covers the screen exactly; the frame and the margins lie beyond it.
    m_fullScreenRect = CRect(window.left - client.left - m_margins.left, window.top - client.top - m_margins.top,
                             cx + window.right - client.right + m_margins.right,
                             cy + window.bottom - client.bottom + m_margins.bottom);
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof(placement);
    placement.showCmd = SW_SHOWNORMAL;
    placement.rcNormalPosition = m_fullScreenRect;
    SetWindowPlacement(&placement);
    m_nFullScreenState = FULL_SCREEN_ON;
}

void CFullScreenMainWnd::LeaveFullScreen()
{
    m_nFullScreenState = FULL_SCREEN_OFF;
    if (m_savedPlacement.showCmd == SW_SHOWMAXIMIZED)
        ShowWindow(SW_SHOWMAXIMIZED);
    SetWindowPlacement(&m_savedPlacement);
}

void CFullScreenMainWnd::OnDestroy()
{
    CAppMainWnd_VMB::OnDestroy();
    // The window rectangle in full screen is no place to open at next time: store the
    // placement that full screen will go back to.
    IAppSettings* pSettings = GetAppSettings();
    if (!pSettings || m_nFullScreenState == FULL_SCREEN_OFF)
        return;
    CMainWindowPlacement placement;
    if (m_savedPlacement.showCmd != SW_SHOWMAXIMIZED && m_savedPlacement.showCmd != SW_SHOWMINIMIZED) {
        const RECT& normal = m_savedPlacement.rcNormalPosition;
        placement.nLeft = normal.left;
        placement.nTop = normal.top;
        placement.nWidth = normal.right - normal.left;
        placement.nHeight = normal.bottom - normal.top;
    }
    pSettings->SetMainWindowPlacement(placement);
}

void CFullScreenMainWnd::OnWindowPosChanging(WINDOWPOS* pPos)
{
    CAppMainWnd_VMB::OnWindowPosChanging(pPos);
    if (m_nFullScreenState == FULL_SCREEN_ON)
        pPos->flags |= SWP_NOMOVE;
}

void CFullScreenMainWnd::OnGetMinMaxInfo(MINMAXINFO* pInfo)
{
    if (m_nFullScreenState != FULL_SCREEN_OFF) {
        pInfo->ptMaxSize = CPoint(m_fullScreenRect.Width(), m_fullScreenRect.Height());
        pInfo->ptMaxTrackSize = pInfo->ptMaxSize;
    }
    CAppMainWnd_VMB::OnGetMinMaxInfo(pInfo);
}
