// CHyperLink: an owner-drawn push button (BS_OWNERDRAW, subclassed) that shows its
// window text as a link: the text colour, and under the pointer the hover colour and hover font;
// a click opens the URL through ShellCalls() (so tests record it). The hand cursor is the
// process-wide one (GetAppHandCursor, framework/controls/AppUiResources.h).
//
// A click with an empty URL does nothing here and reaches the parent as BN_CLICKED (the About
// box's mail link runs MailSupport that way); a link that opened its URL keeps the click.
// A BS_CENTER link is drawn centred (BS_CENTER holds BS_RIGHT's bit: test it first).
#pragma once
#include "classlib/CButton.h"
#include "classlib/CGdiObject.h"

class CHyperLink : public CButton {
    DECLARE_DYNAMIC(CHyperLink)
public:
    CHyperLink();
    ~CHyperLink() override;

    // Stores the URL; a non-null text becomes the window text. Repaints when the window exists.
    void SetURL(LPCWSTR lpszURL, LPCWSTR lpszText = nullptr);
    const CString& GetURL() const { return m_strURL; }
    // The width becomes the text's extent in the control's font plus 4 (not for BS_MULTILINE).
    void SizeToText();
    // The program's link look: the normal font on the control, the link font under the pointer
    // and the link colours (AppUiResources).
    void UseAppLinkLook();

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    // The DrawText flags of a style (the alignment and line rule above).
    static UINT TextFormatOf(DWORD dwStyle);

    CFont* m_pHoverFont = nullptr;  // not owned; null: the control's own font
    COLORREF m_crText = 0xFF0000;
    COLORREF m_crHover = 0x0000FF;
    COLORREF m_crBack;
    CString m_strURL;
    BOOL m_bHot = FALSE;
    BOOL m_bTransparent = TRUE;

protected:
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    BOOL OnEraseBkgnd(CDC* pDC);
    BOOL OnClicked();
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnMouseLeave();
    DECLARE_MESSAGE_MAP()
};
