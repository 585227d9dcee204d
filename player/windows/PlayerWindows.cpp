#include "player/windows/PlayerWindows.h"
#include "classlib/CWinApp.h"
#include "player/playlist/CPlaylistCtrl.h"
#include "player/playlist/CPlaylistItem.h"

CPlayerMainWindow* g_pPlayerMainWindow = nullptr;
CPlaylistView* g_pPlaylistView = nullptr;
CPlaylistCtrl* g_pPlaylistCtrl = nullptr;
CMediaPlayView* g_pPlayView = nullptr;
CItemVideoWnd* g_pVideoWnd = nullptr;
int g_bStartWithoutFiles = 1;

void UpdateMainWindowTitle(CPlaylistItem* pItem)
{
    CWnd* pMain = AfxGetMainWnd();
    if (!pMain || !pMain->m_hWnd)
        return;
    int nIndex = g_pPlaylistCtrl ? g_pPlaylistCtrl->FindItem(pItem) : -1;
    if (!pItem || nIndex < 0) {
        pMain->SetWindowText(L"Kavri Video Player");
        return;
    }
    CString title;
    title.Format(L"%s - %d/%d", static_cast<LPCWSTR>(pItem->m_strTitle), nIndex + 1, g_pPlaylistCtrl->GetItemCount());
    pMain->SetWindowText(title);
}

void ShowPlayPane()
{
    if (g_pPlayerMainWindow)
        g_pPlayerMainWindow->ShowPane(PANE_DISPLAY);
}

void ShowPlaylistPane()
{
    if (g_pPlayerMainWindow)
        g_pPlayerMainWindow->ShowPane(PANE_PLAYLIST);
}
