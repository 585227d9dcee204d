#include "player/SplitPaneWnd.h"
#include "player/CPlayView.h"
#include "player/CPlaylistView.h"

CWnd* SplitPaneWnd::GetPane(int nIndex) const
{
    if (nIndex == 1)
        return m_pPlaylistView;
    return m_pDisplayView;
}
