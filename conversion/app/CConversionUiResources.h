// The conversion tool's shared drawing resources: the system's shell image lists, the four
// fonts, the hand cursor, five image lists of the program's own art and the pages' background
// brush. The one object, theConversionUiResources, is loaded at start-up on the window thread
// (before any window of the program exists) and freed at exit.
#pragma once
#include "classlib/CGdiObject.h"
#include "classlib/CImageList.h"
#include "conversion/engine/CSystemImageList.h"
#include "framework/controls/AppUiResources.h"

const COLORREF kPageBackground = 0xF0F0F0;

class CConversionUiResources {
public:
    // The system image lists, fonts, cursor and image lists: 0, or -1 when the shell's lists
    // or one of the bitmaps can't be loaded (the program's resources are then damaged).
    int Load();
    // Hands the fonts and cursor back to the framework's own and frees everything.
    void Free();

    CFont* GetNormalFont() { return &m_fonts.m_normal; }
    CFont* GetBoldFont() { return &m_fonts.m_bold; }

    CSystemImageList m_systemImages;
    CAppFontSet m_fonts;
    HCURSOR m_hHandCursor = nullptr;
    CImageList m_sizeGripImages;  // 12 x 12, image 0 the size grip
    CImageList m_largeImages;     // 32 x 32
    CImageList m_smallImages;     // 16 x 16
    CImageList m_formatImages;    // 16 x 16, the format list's icons
    CImageList m_stateImages;     // 24 x 24, the task-state icons
    CBrush m_pageBrush;           // kPageBackground
};

extern CConversionUiResources theConversionUiResources;
