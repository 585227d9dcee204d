// The main window's container: pane 1 is the playlist view, any other the display view.
#pragma once
#include "player/windows/CViewContainerWnd.h"

class SplitPaneWnd : public CViewContainerWnd {
public:
    CWnd* GetPane(int nIndex) const override;
};
