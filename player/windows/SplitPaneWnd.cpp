#include "player/windows/SplitPaneWnd.h"
#include "player/windows/CPlayView.h"
#include "player/windows/CPlaylistView.h"

CWnd* SplitPaneWnd::GetPane(int nIndex) const
{
    if (nIndex == 1)
        return m_pPlaylistView;
    return m_pDisplayView;
}
