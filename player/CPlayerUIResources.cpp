#include "player/CPlayerUIResources.h"
#include "classlib/AfxModule.h"
#include "framework/system/ITunesBridge.h"
#include "player/res/PlayerResources.h"

CPlayerUIResources g_playerUIResources;

CPlayerUIResources::~CPlayerUIResources()
{
    FreeCursor();
    SetAppFontSet(nullptr);
    m_fonts.Delete();
}

int CPlayerUIResources::Load()
{
    COSInfo& osInfo = COSInfo::Get();
    osInfo.Init();
    osInfo.DetectVisualStyles();
    if (m_fonts.IsCreated() || m_fonts.Create())
        SetAppFontSet(&m_fonts);
    if (!m_hHandCursor) {
        m_hHandCursor = static_cast<HCURSOR>(
            ::LoadImageW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDC_LINK_HAND), IMAGE_CURSOR, 0, 0, LR_DEFAULTSIZE));
    }
    SetAppHandCursor(m_hHandCursor);
    m_bITunesInstalled = IsITunesInstalled() ? TRUE : FALSE;
    return 0;
}

void CPlayerUIResources::FreeCursor()
{
    if (!m_hHandCursor)
        return;
    if (GetAppHandCursor() == m_hHandCursor)
        SetAppHandCursor(nullptr);
    ::DestroyCursor(m_hHandCursor);
    m_hHandCursor = nullptr;
}
