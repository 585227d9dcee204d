#include "conversion/app/CExtractAudioPage.h"
#include "conversion/app/CConversionSettings.h"
#include "conversion/app/res/FetcherResources.h"

IMPLEMENT_DYNAMIC(CExtractAudioPage, CConvertPage)

CExtractAudioPage::CExtractAudioPage() : CConvertPage(IDD_EXTRACT_AUDIO_PAGE, theConversionSettings.m_extract)
{
    m_formatIndex = 0;
}

LPCWSTR CExtractAudioPage::GetSourceFilter() const
{
    return L"All Files (*.*)|*.*|MP4 Files (*.mp4)|*.mp4|WEBM Files (*.webm)|*.webm|TS Files (*.ts)|*.ts|"
           L"FLV Files (*.flv)|*.flv||";
}

BOOL CExtractAudioPage::OnInitDialog()
{
    bool saved = !m_formatId.IsEmpty();
    CConvertPage::OnInitDialog();
    // The first format of the list is a video format: a page that extracts audio starts on MP3.
    if (!saved || !m_pFormat)
        SelectFormatById(L"AF_mp3");
    SetTip(IDC_PAGE_SOURCE, L"Please click 'Choose...' button to choose a video file");
    SetTip(IDC_PAGE_CHOOSE_SOURCE, L"Choose video file");
    SetTip(IDC_PAGE_CUT, L"Extract only a part of the source audio");
    SetTip(IDC_PAGE_START, L"Start extracting");
    SetTip(IDC_PAGE_STOP, L"Stop extracting");
    return TRUE;
}
