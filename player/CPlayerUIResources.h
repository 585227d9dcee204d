// What many of the player's windows share: the operating-system record, the four interface
// fonts, the hand cursor and whether iTunes is installed. One global object, loaded at
// start-up and freed at exit; Load hands the fonts and the cursor to the framework's windows
// (framework/controls/AppUiResources.h). Window thread.
#pragma once
#include "framework/controls/AppUiResources.h"
#include "framework/system/COSInfo.h"

class CPlayerUIResources {
public:
    CPlayerUIResources() = default;
    CPlayerUIResources(const CPlayerUIResources&) = delete;
    CPlayerUIResources& operator=(const CPlayerUIResources&) = delete;
    // Takes the fonts and the cursor back from the framework, then frees them.
    virtual ~CPlayerUIResources();

    // Fills the system record, makes the fonts, loads cursor 401 of the program and asks
    // whether iTunes is installed. Always 0: what is missing stays empty.
    virtual int Load();
    virtual void FreeCursor();

    COSInfo& OSInfo() const { return COSInfo::Get(); }
    CFont* GetFont(AppFont font) { return m_fonts.Get(font); }

    CAppFontSet m_fonts;  // normal, underline, bold and large bold
    HCURSOR m_hHandCursor = nullptr;
    BOOL m_bITunesInstalled = FALSE;
};

extern CPlayerUIResources g_playerUIResources;
