#include "framework/controls/AppUiResources.h"

namespace {

CAppFontSet* g_pProgramFonts = nullptr;
CAppFontSet* g_pOwnFonts = nullptr;
INIT_ONCE g_ownFontsOnce = INIT_ONCE_STATIC_INIT;
HCURSOR g_hHandCursor = nullptr;
COLORREF g_crLink = 0xFF0000;
COLORREF g_crLinkHover = 0x0000FF;

BOOL CALLBACK MakeOwnFonts(PINIT_ONCE, PVOID, PVOID*)
{
    CAppFontSet* pFonts = new CAppFontSet;
    pFonts->Create();
    g_pOwnFonts = pFonts;
    return TRUE;
}

CAppFontSet* CurrentFonts()
{
    if (g_pProgramFonts)
        return g_pProgramFonts;
    InitOnceExecuteOnce(&g_ownFontsOnce, MakeOwnFonts, nullptr, nullptr);
    return g_pOwnFonts;
}

}  // namespace

BOOL GetAppBaseLogFont(LOGFONTW& lf)
{
    HGDIOBJ hBase = GetStockObject(DEFAULT_GUI_FONT);
    if (!hBase || GetObjectW(hBase, sizeof(lf), &lf) != sizeof(lf)) {
        hBase = GetStockObject(SYSTEM_FONT);
        if (!hBase || GetObjectW(hBase, sizeof(lf), &lf) != sizeof(lf))
            return FALSE;
    }
    if (lstrcmpW(lf.lfFaceName, L"Tahoma") != 0) {
        lstrcpynW(lf.lfFaceName, L"Tahoma", LF_FACESIZE);
        lf.lfHeight = -11;
    }
    return TRUE;
}

BOOL CAppFontSet::Create()
{
    Delete();
    LOGFONTW lf = {};
    if (!GetAppBaseLogFont(lf))
        return FALSE;
    m_normal.CreateFontIndirect(&lf);
    LOGFONTW underline = lf;
    underline.lfUnderline = 1;
    m_underline.CreateFontIndirect(&underline);
    LOGFONTW bold = lf;
    bold.lfWeight = FW_BOLD;
    m_bold.CreateFontIndirect(&bold);
    bold.lfHeight = bold.lfHeight + bold.lfHeight / 2;
    m_largeBold.CreateFontIndirect(&bold);
    return IsCreated();
}

void CAppFontSet::Delete()
{
    m_normal.DeleteObject();
    m_underline.DeleteObject();
    m_bold.DeleteObject();
    m_largeBold.DeleteObject();
}

CFont* CAppFontSet::Get(AppFont font)
{
    CFont* pFont = nullptr;
    switch (font) {
    case AppFontUnderline: pFont = &m_underline; break;
    case AppFontBold: pFont = &m_bold; break;
    case AppFontLargeBold: pFont = &m_largeBold; break;
    default: pFont = &m_normal; break;
    }
    return pFont->GetSafeHandle() ? pFont : nullptr;
}

void SetAppFontSet(CAppFontSet* pFonts)
{
    g_pProgramFonts = pFonts;
}

CFont* GetAppFont(AppFont font)
{
    CAppFontSet* pFonts = CurrentFonts();
    if (pFonts == g_pOwnFonts && pFonts && !pFonts->IsCreated())
        pFonts->Create();  // after FreeAppUiResources (window thread only by then)
    return pFonts ? pFonts->Get(font) : nullptr;
}

void SetAppHandCursor(HCURSOR hCursor)
{
    g_hHandCursor = hCursor;
}

HCURSOR GetAppHandCursor()
{
    return g_hHandCursor ? g_hHandCursor : LoadCursorW(nullptr, IDC_HAND);
}

void SetAppLinkColors(COLORREF crLink, COLORREF crHover)
{
    g_crLink = crLink;
    g_crLinkHover = crHover;
}

COLORREF GetAppLinkColor()
{
    return g_crLink;
}

COLORREF GetAppLinkHoverColor()
{
    return g_crLinkHover;
}

void FreeAppUiResources()
{
    // The set object stays (its once is spent); a later use makes its fonts again.
    if (g_pOwnFonts)
        g_pOwnFonts->Delete();
}
