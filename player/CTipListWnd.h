// The drag list with a tooltip per row: the tip names the row under the mouse by a text the
// subclass gives (GetRowTipText). The tooltip control is the list's own.
#pragma once
#include "classlib/CToolTipCtrl.h"
#include "framework/controls/CDragListCtrl.h"

class CTipListWnd : public CDragListCtrl {
public:
    // The row's tip, empty for none.
    virtual CString GetRowTipText(int nIndex) const { return CString(); }
    // Hands the mouse to the tooltip before the list sees it.
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // The row whose tip the tooltip holds; -1 none.
    int GetTipRow() const { return m_nTipRow; }

    static const int kMaxTipLength = 80;

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnMouseMove(UINT nFlags, CPoint point);
    BOOL OnGetTipText(UINT nID, NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

    // Makes the tooltip's one tool the row at the point.
    void TrackTipRow(CPoint point);

    CToolTipCtrl m_toolTip;
    int m_nTipRow = -1;
    CString m_tipText;
    CStringA m_tipTextAnsi;
};
