// CStatusBar: the bar of text panes at the bottom of a frame, the status common control itself.
// Each pane has a command id (ID_SEPARATOR for the message pane), a style (SBPS_) and a width;
// an indicator pane's text is its id's string and its update handler can disable (blank) it
// at idle time. Pane 0 is the frame's message pane when the bar has the id AFX_IDW_STATUS_BAR.
#pragma once
#include "classlib/CControlBar.h"
#include <vector>

#define SBPS_NORMAL 0x0000
#define SBPS_NOBORDERS SBT_NOBORDERS
#define SBPS_POPOUT SBT_POPOUT
#define SBPS_OWNERDRAW SBT_OWNERDRAW
#define SBPS_DISABLED 0x04000000
#define SBPS_STRETCH 0x08000000

class CStatusBar : public CControlBar {
    DECLARE_DYNAMIC(CStatusBar)
public:
    CStatusBar();

    // A size grip is added when the parent frame can be resized.
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, UINT nID = AFX_IDW_STATUS_BAR);
    BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = 0, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
                  UINT nID = AFX_IDW_STATUS_BAR);
    // One pane per id; a pane 0 of ID_SEPARATOR stretches without borders. FALSE when a string is missing.
    BOOL SetIndicators(const UINT* lpIDArray, int nIDCount);

    int GetCount() const { return static_cast<int>(m_panes.size()); }
    int CommandToIndex(UINT nIDFind) const;
    UINT GetItemID(int nIndex) const;
    void GetItemRect(int nIndex, LPRECT lpRect) const;
    void GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const;
    void SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth);
    UINT GetPaneStyle(int nIndex) const;
    void SetPaneStyle(int nIndex, UINT nStyle);
    CString GetPaneText(int nIndex) const;
    void GetPaneText(int nIndex, CString& rString) const { rString = GetPaneText(nIndex); }
    BOOL SetPaneText(int nIndex, LPCWSTR lpszNewText, BOOL bUpdate = TRUE);

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

protected:
    void OnSize(UINT nType, int cx, int cy);
    LRESULT OnSetText(WPARAM wParam, LPARAM lParam);  // the message pane's text
    LRESULT OnGetText(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetTextLength(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetMinHeight(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    struct Pane {
        UINT nID;
        UINT nStyle;
        int cxText;
        CString strText;
    };
    void UpdateAllPanes(BOOL bUpdateRects, BOOL bUpdateText);
    void ShowPaneText(int nIndex);
    int TextWidth(LPCWSTR lpszText) const;

    std::vector<Pane> m_panes;
    int m_nMinHeight;
};
