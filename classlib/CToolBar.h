// CToolBar: a bar of buttons, the toolbar common control itself. LoadToolBar reads a toolbar
// resource (button width, height, count, then one command id per button, 0 for a separator;
// in words after a version 1, or in double words as windres writes it) and the bitmap of the
// same id with one image per button. Buttons follow their
// commands' update handlers at idle time; with CBRS_TOOLTIPS a button's tip is the part of its
// command's string after "\n" (the frame answers TTN_NEEDTEXT).
#pragma once
#include "classlib/CControlBar.h"

// Button styles for Get/SetButtonStyle: the control's style in the low word, its state in the
// high word (TBBS_DISABLED reads the enabled state inverted).
#define TBBS_BUTTON MAKELONG(TBSTYLE_BUTTON, 0)
#define TBBS_SEPARATOR MAKELONG(TBSTYLE_SEP, 0)
#define TBBS_CHECKBOX MAKELONG(TBSTYLE_CHECK, 0)
#define TBBS_GROUP MAKELONG(TBSTYLE_GROUP, 0)
#define TBBS_CHECKGROUP (TBBS_GROUP | TBBS_CHECKBOX)
#define TBBS_DROPDOWN MAKELONG(TBSTYLE_DROPDOWN, 0)
#define TBBS_CHECKED MAKELONG(0, TBSTATE_CHECKED)
#define TBBS_PRESSED MAKELONG(0, TBSTATE_PRESSED)
#define TBBS_DISABLED MAKELONG(0, TBSTATE_ENABLED)
#define TBBS_INDETERMINATE MAKELONG(0, TBSTATE_INDETERMINATE)
#define TBBS_HIDDEN MAKELONG(0, TBSTATE_HIDDEN)

class CToolBar : public CControlBar {
    DECLARE_DYNAMIC(CToolBar)
public:
    CToolBar();
    ~CToolBar() override;

    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP, UINT nID = AFX_IDW_TOOLBAR);
    BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = TBSTYLE_FLAT,
                  DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, CRect rcBorders = CRect(0, 0, 0, 0),
                  UINT nID = AFX_IDW_TOOLBAR);
    BOOL LoadToolBar(UINT nIDResource);  // FALSE when the resource or its bitmap is missing or bad
    BOOL SetButtons(const UINT* lpIDArray, int nIDCount);
    void SetSizes(SIZE sizeButton, SIZE sizeImage);

    int GetCount() const { return static_cast<int>(SendMessage(TB_BUTTONCOUNT)); }
    int CommandToIndex(UINT nIDFind) const { return static_cast<int>(SendMessage(TB_COMMANDTOINDEX, nIDFind)); }
    UINT GetItemID(int nIndex) const;
    void GetItemRect(int nIndex, LPRECT lpRect) const { SendMessage(TB_GETITEMRECT, nIndex, reinterpret_cast<LPARAM>(lpRect)); }
    UINT GetButtonStyle(int nIndex) const;
    void SetButtonStyle(int nIndex, UINT nStyle);

    void SetBarStyle(DWORD dwStyle) override;  // switches the tips with CBRS_TOOLTIPS
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

private:
    HBITMAP m_hbmImageWell;  // the control draws from it, so it lives as long as the bar
};
