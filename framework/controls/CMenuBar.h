// The menu bar: an item bar that draws a window's top-level menu titles itself and
// opens their drop-down menus with TrackPopupMenuEx, with mouse, Alt-key and mnemonic
// navigation and arrow keys moving from one drop-down to the next (learnt through a
// WH_MSGFILTER hook while a popup is open). CAppMenuBar is the dark variant the main-window
// base CAppMainWnd_VMB hosts.
#pragma once
#include "framework/controls/CItemBar.h"

class CMenuBarItem : public CBarItem {
public:
    CMenuBarItem(CBarItemContainer* pOwner, LPCWSTR lpszTitle);

    BOOL OnMessage(const MSG* pMsg) override;  // hover only
    void Draw(CDC* pDC) override {}
    virtual void DrawTitle(CDC* pDC, COLORREF crText, COLORREF crHotText, COLORREF crHighlight);
    virtual void DrawTitleBackground(CDC* pDC, COLORREF crHighlight, const CRect& rect);
    virtual void DrawTitleText(CDC* pDC, COLORREF crText, COLORREF crHotText, const CRect& rect);

    // The character after the first '&' (when that is not the last character), else the
    // first character, else 0.
    static WCHAR MnemonicOf(const CString& title);

    CString m_strTitle;
    WCHAR m_chMnemonic;
};

class CMenuBar : public CItemBar {
    DECLARE_DYNAMIC(CMenuBar)
public:
    CMenuBar();
    ~CMenuBar() override;

    void SetMenu(HMENU hMenu, BOOL bRightToLeft = FALSE);
    HMENU GetMenu() const { return m_hMenu; }
    void SetText(LPCWSTR lpszText);
    const CString& GetText() const { return m_strText; }

    // Called by the frame that hosts the bar.
    BOOL OnSysCommand(UINT nID, LPARAM lParam);
    BOOL OnMenuChar(UINT nChar, UINT nFlags, HMENU hMenu);
    void OnInitMenuPopup(HMENU hPopup, UINT nIndex, BOOL bSysMenu);
    void OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hMenu);

    virtual void Refresh();
    virtual void Layout(CDC* pDC);
    virtual void DrawBackground(CDC* pDC);
    virtual void DrawText(CDC* pDC);
    virtual void DrawTitles(CDC* pDC, COLORREF crText, COLORREF crHotText, COLORREF crHighlight);

    BOOL PreTranslateMessage(MSG* pMsg) override;

    // Lays the titles out now when they need it (painting does it otherwise).
    void EnsureLayout();
    int TitleAt(CPoint point);
    int GetHotTitle() const;
    CMenuBarItem* GetTitle(int nIndex) const { return static_cast<CMenuBarItem*>(GetItem(nIndex)); }
    int GetTitleCount() const { return const_cast<CMenuBar*>(this)->Items().GetCount(); }
    BOOL IsNavigating() const { return m_bNavigating; }
    BOOL IsPopupOpen() const { return m_bPopupOpen; }
    int GetCurrentItem() const { return m_nCurrent; }
    HMENU GetOpenMenu() const { return m_hOpenMenu; }

    void StartNavigation(int nIndex);
    void EndNavigation();
    void SwitchPopup(BOOL bByKeyboard);

    int m_nBottomLine;
    COLORREF m_crBack;
    COLORREF m_crBottomLine;
    COLORREF m_crTitle;
    COLORREF m_crTitleHot;
    COLORREF m_crHighlight;
    COLORREF m_crStatus;

protected:
    void OnRButtonDown(UINT nFlags, CPoint point);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnKillFocus(CWnd* pNewWnd);
    void OnCancelMode();
    UINT OnGetDlgCode();
    void OnPaint();
    LRESULT OnMouseLeaveMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnOpenPopup(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    // A click elsewhere while navigating: ends it and hands the click on. TRUE when it did.
    BOOL CheckOutsideClick(UINT message, UINT nFlags, CPoint point);
    // Escape closed a sub-menu: the selection is on its parent's entry again.
    void BackToParentMenu();
    HFONT TitleFont() const;
    static LRESULT CALLBACK MessageFilter(int nCode, WPARAM wParam, LPARAM lParam);

    HMENU m_hMenu;
    BOOL m_bRightToLeft;
    CPoint m_ptLastMouse;
    HWND m_hWndOldFocus;
    HMENU m_hOpenMenu;
    HMENU m_hSelectMenu;  // the open menu whose entry is selected
    int m_nCurrent;
    BOOL m_bNavigating;
    BOOL m_bPopupOpen;
    BOOL m_bOwnMenu;
    BOOL m_bHasSubMenu;
    BOOL m_bStayInNavigation;
    BOOL m_bOpenNext;
    BOOL m_bByKeyboard;
    BOOL m_bLayoutDirty;
    CString m_strText;

    static inline HHOOK s_hHook = nullptr;
    static inline CMenuBar* s_pHookOwner = nullptr;
};

class CAppMenuBar : public CMenuBar {
public:
    CAppMenuBar();
    void DrawBackground(CDC* pDC) override;
};
