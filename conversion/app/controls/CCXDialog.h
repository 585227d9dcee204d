// CCXDialog: the dialog base of every task page and settings dialog of the
// conversion tool. Every child control present after OnInitDialog gets a tooltip whose text is
// the second '\n'-separated part of the string resource of the control's id (a prompt/tip
// pair); a control without such a string shows no tip. Menus it opens get the command-UI
// update pass of frame windows.
#pragma once
#include "classlib/CDialog.h"
#include "classlib/CToolTipCtrl.h"

class CMenu;

// The tooltip of CCXDialog: relays a mouse move to the tip as if it had gone to the child
// control under the point (disabled controls included, whose mouse messages go to the dialog).
class CCXToolTipCtrl : public CToolTipCtrl {
    DECLARE_DYNAMIC(CCXToolTipCtrl)
public:
    // pMsg: a WM_MOUSEMOVE of the dialog or of one of its controls.
    void RelayMouseMove(CWnd* pDialog, const MSG* pMsg);
};

class CCXDialog : public CDialog {
    DECLARE_DYNAMIC(CCXDialog)
public:
    explicit CCXDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);

    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnInitDialog() override;

    // Copies tip into the notification's 80-character buffer (wide or ANSI), cut to fit.
    static void CopyTipText(NMHDR* pNMHDR, LPCWSTR pszTip);
    // The tip of a string resource: its second '\n'-separated part; FALSE without the string.
    static BOOL LoadTipText(UINT nID, CString& strTip);

    // Gives the control a tip of its own text in place of its string resource's.
    void SetControlTip(int nID, LPCWSTR pszTip);

    CCXToolTipCtrl m_toolTip;
    int m_bAutoMenuEnable = 1;

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    BOOL OnToolTipText(UINT nID, NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()
};
