#include "conversion/app/CM3U8Page.h"
#include "conversion/app/CConversionSettings.h"
#include "conversion/app/res/FetcherResources.h"

IMPLEMENT_DYNAMIC(CM3U8Page, CFormatTaskPage)

namespace {

const UINT kInputControls[] = {IDC_PAGE_SOURCE, IDC_PAGE_CHOOSE_SOURCE, IDC_PAGE_FORMAT, IDC_PAGE_SAME_AS_INPUT};

}  // namespace

CM3U8Page::CM3U8Page() : CFormatTaskPage(IDD_M3U8_PAGE, theConversionSettings.m_convert) {}

LPCWSTR CM3U8Page::GetSourceFilter() const
{
    return L"M3U8 Files (*.m3u8)|*.m3u8|All Files (*.*)||";
}

BOOL CM3U8Page::OnInitDialog()
{
    CFormatTaskPage::OnInitDialog();
    SetTip(IDC_PAGE_SOURCE, L"Please click 'Choose...' button to choose a .m3u8 file");
    SetTip(IDC_PAGE_CHOOSE_SOURCE, L"Choose source file");
    SetRunningLayout(FALSE);
    return TRUE;
}

int CM3U8Page::FillTask(CConvertTaskRecord& record)
{
    FillFormatTask(record);
    return 0;
}

void CM3U8Page::SetRunningLayout(BOOL bRunning)
{
    for (UINT id : kInputControls)
        EnableItem(id, !bRunning);
    m_presetCombo.EnableWindow(!bRunning && m_pFormat != nullptr);
    EnableItem(IDC_PAGE_ADVANCED, !bRunning && m_pFormat != nullptr);
    EnableDestination(bRunning);
    SetIdleFocus(bRunning);
}
