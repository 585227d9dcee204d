// CCueBannerEdit: an edit that shows a hint in a quieter colour while it is empty (and, when
// asked, while it has no focus).
#pragma once
#include "classlib/CEdit.h"

class CCueBannerEdit : public CEdit {
    DECLARE_DYNAMIC(CCueBannerEdit)
public:
    void SetHint(LPCWSTR pszHint, BOOL bHideWhileFocused = FALSE);

    CString m_hint;
    BOOL m_hideWhileFocused = FALSE;
    COLORREF m_background = ::GetSysColor(COLOR_WINDOW);
    COLORREF m_hintColour = ::GetSysColor(COLOR_GRAYTEXT);

protected:
    void OnPaint();
    void OnSetFocus(CWnd* pOldWnd);
    void OnKillFocus(CWnd* pNewWnd);
    DECLARE_MESSAGE_MAP()

private:
    bool ShowsHint() const;
};
