// The tooltip layer of the playlist control: the row under the mouse shows the path of its
// item in a tip. The layer owns its tooltip control and keeps one tool, the rectangle of the
// row under the mouse, whose id is the row index + 1 (id 0 would name the window itself).
// Rows hold CPlaylistItem pointers as their data. Window thread.
#pragma once
#include "classlib/CToolTipCtrl.h"
#include "framework/controls/CDragListCtrl.h"

class CTipListWnd : public CDragListCtrl {
public:
    // The mouse messages of the list update the tool and go to the tooltip.
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // Answers the tooltip's request for a row's text.
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    // The row whose tool the tooltip holds, -1 for none.
    int GetTipRow() const { return m_nTipRow; }
    // The tip of a row: its item's path, cut to 80 characters; empty without an item.
    CString GetTipText(int nRow) const;

    CToolTipCtrl m_toolTip;

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnDestroy();
    DECLARE_MESSAGE_MAP()

    // Makes the tool follow the row under the point (client coordinates).
    void TrackTipRow(CPoint point);
    void SupplyTipText(NMHDR* pNMHDR);

    int m_nTipRow = -1;
    CString m_strTip;    // the text the tooltip was last handed
    CStringA m_strTipA;  // the same for the ANSI request
};
