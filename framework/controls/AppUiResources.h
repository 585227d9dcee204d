// The drawing resources several framework windows share: the program's four fonts, the
// process-wide hand cursor and the hyperlink colours.
//
// Fonts: the base is the LOGFONT of the stock
// DEFAULT_GUI_FONT (SYSTEM_FONT when that is missing; no fonts when neither exists); a base
// whose face is not "Tahoma" becomes Tahoma of height -11, a Tahoma base keeps its height.
// Normal = the base; underline = the base underlined; bold = the base with weight 700; large
// bold = bold with height h + h / 2 (integer arithmetic: -11 gives -16).
//
// Which windows use which:
//   property sheets, extended combo boxes, the menu bar, the About box -> AppFontNormal
//   the update dialogs' and the About box's headings                    -> AppFontBold
//   hyperlinks under the pointer                                        -> AppFontUnderline (the
//                                                                          link's own font is
//                                                                          AppFontNormal)
//   the programs' large headings                                        -> AppFontLargeBold
//
// Each program keeps its own resource object (CPlayerUIResources,
// CConversionUiResources) and hands its fonts and cursor over at start-up:
//     SetAppFontSet(&m_fonts);           // a CAppFontSet it made with Create()
//     SetAppHandCursor(m_hHandCursor);   // its cursor resource (401 player, 140 conversion)
// and, at exit before it frees them, SetAppFontSet(nullptr) and SetAppHandCursor(nullptr).
// Without them the framework makes its own font set on first use (freed by FreeAppUiResources
// or at process end) and answers the system's hand cursor (IDC_HAND).
//
// The getters may be called on any thread (the update dialogs run on the check's thread); the
// setters belong to start-up and exit on the window thread.
#pragma once
#include "classlib/CGdiObject.h"

enum AppFont {
    AppFontNormal = 0,
    AppFontUnderline = 1,
    AppFontBold = 2,
    AppFontLargeBold = 3,
};

// The base LOGFONT by the rule above; FALSE when neither stock font exists.
BOOL GetAppBaseLogFont(LOGFONTW& lf);

class CAppFontSet {
public:
    // Makes the four fonts by the rule; FALSE (and no fonts) when there is no base.
    BOOL Create();
    void Delete();
    BOOL IsCreated() const { return m_normal.GetSafeHandle() != nullptr; }
    CFont* Get(AppFont font);

    CFont m_normal;
    CFont m_underline;
    CFont m_bold;
    CFont m_largeBold;
};

// The program's set; null: the framework's own, made on first use.
void SetAppFontSet(CAppFontSet* pFonts);
// Never null while a base font exists; the object stays valid until the set is replaced.
CFont* GetAppFont(AppFont font);

// Null: the system's hand cursor.
void SetAppHandCursor(HCURSOR hCursor);
HCURSOR GetAppHandCursor();

// The hyperlinks' colours (COLORREF): by default 0xFF0000 (blue) and
// 0x0000FF (red) under the pointer.
void SetAppLinkColors(COLORREF crLink, COLORREF crHover);
COLORREF GetAppLinkColor();
COLORREF GetAppLinkHoverColor();

// Frees the framework's own font set (not a program's); for the end of ExitInstance.
void FreeAppUiResources();
