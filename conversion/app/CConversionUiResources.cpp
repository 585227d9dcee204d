#include "conversion/app/CConversionUiResources.h"
#include "classlib/CWinApp.h"
#include "conversion/app/controls/ImageLists.h"
#include "conversion/app/res/ConversionAppResources.h"
#include "framework/system/COSInfo.h"

CConversionUiResources theConversionUiResources;

namespace {

const COLORREF kMaskColour = 0xFF00FF;

int LoadImageList(CImageList& list, int size, UINT colourFlag, UINT bitmapId)
{
    return CreateImageListFromBitmap(list, bitmapId, size, colourFlag, kMaskColour) ? 0 : -1;
}

}  // namespace

int CConversionUiResources::Load()
{
    COSInfo::Get().DetectVisualStyles();
    if (m_systemImages.Load() != 0)
        return -1;
    m_fonts.Create();
    SetAppFontSet(&m_fonts);
    m_hHandCursor = AfxGetApp() ? AfxGetApp()->LoadCursor(IDC_HAND_CURSOR) : nullptr;
    SetAppHandCursor(m_hHandCursor);
    if (LoadImageList(m_sizeGripImages, 12, ILC_COLOR24, IDB_SIZE_GRIP) != 0 ||
        LoadImageList(m_largeImages, 32, ILC_COLOR32, IDB_TOOL_ICONS_LARGE) != 0 ||
        LoadImageList(m_smallImages, 16, ILC_COLOR32, IDB_TOOL_ICONS_SMALL) != 0 ||
        LoadImageList(m_formatImages, 16, ILC_COLOR32, IDB_FORMAT_ICONS) != 0 ||
        LoadImageList(m_stateImages, 24, ILC_COLOR32, IDB_TASK_STATES) != 0)
        return -1;
    if (!m_pageBrush.GetSafeHandle())
        m_pageBrush.CreateSolidBrush(kPageBackground);
    return 0;
}

void CConversionUiResources::Free()
{
    SetAppFontSet(nullptr);
    SetAppHandCursor(nullptr);
    m_sizeGripImages.DeleteImageList();
    m_largeImages.DeleteImageList();
    m_smallImages.DeleteImageList();
    m_formatImages.DeleteImageList();
    m_stateImages.DeleteImageList();
    m_pageBrush.DeleteObject();
    m_fonts.Delete();
    // A cursor loaded from the program's resources is shared and never destroyed.
    m_hHandCursor = nullptr;
}
