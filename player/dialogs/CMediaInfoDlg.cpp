#include "player/dialogs/CMediaInfoDlg.h"
#include "classlib/AfxMessageMap.h"
#include "framework/controls/AppUiResources.h"
#include "framework/system/SystemHelpers.h"
#include "framework/text/Duration.h"
#include "framework/text/TextHelpers.h"
#include "mediatools/CMediaInfo.h"
#include "mediatools/MediaInfoText.h"
#include "player/res/PlayerResources.h"
#include <shlwapi.h>

namespace {

const int kLabelWidth = 128;

CString Number(LPCWSTR pszFormat, int nValue)
{
    CString text;
    text.Format(pszFormat, nValue);
    return text;
}

CString Pair(LPCWSTR pszFormat, int a, int b)
{
    CString text;
    text.Format(pszFormat, a, b);
    return text;
}

CString NumberOrEmpty(int nValue)
{
    return nValue > 0 ? Number(L"%d", nValue) : CString();
}

}  // namespace

BEGIN_MESSAGE_MAP(CMediaInfoDlg, CDialog)
ON_NOTIFY(NM_CUSTOMDRAW, IDC_MEDIA_PROPERTIES, &CMediaInfoDlg::OnCustomDrawList)
END_MESSAGE_MAP()

CMediaInfoDlg::CMediaInfoDlg(LPCWSTR pszPath, const CMediaInfo* pInfo, CWnd* pParent)
    : CDialog(IDD_MEDIA_INFO, pParent), m_strPath(pszPath), m_pInfo(pInfo)
{}

BOOL CMediaInfoDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_list.SubclassDlgItem(IDC_MEDIA_PROPERTIES, this);
    m_list.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_INFOTIP);
    CRect client;
    m_list.GetClientRect(&client);
    m_list.InsertColumn(0, L"", LVCFMT_LEFT, kLabelWidth);
    m_list.InsertColumn(1, L"", LVCFMT_LEFT, client.Width() - ::GetSystemMetrics(SM_CXVSCROLL) - kLabelWidth);
    SetWindowText(::PathFindFileNameW(m_strPath));
    FillList();
    return TRUE;
}

void CMediaInfoDlg::AddRow(LPCWSTR pszLabel, LPCWSTR pszValue, BOOL bGroup)
{
    int nRow = m_list.InsertItem(m_list.GetItemCount(), pszLabel);
    m_list.SetItemText(nRow, 1, pszValue);
    m_list.SetItemData(nRow, bGroup ? 1 : 0);
}

void CMediaInfoDlg::FillList()
{
    m_list.DeleteAllItems();
    SetDlgItemText(IDC_MEDIA_PATH, m_strPath);
    if (m_pInfo) {
        AddFileRows();
        AddStreamRows();
        AddMetadataRows();
    }
    m_list.EnsureVisible(0, FALSE);
}

void CMediaInfoDlg::AddFileRows()
{
    const CMediaInfo& info = *m_pInfo;
    AddRow(L"File Name", ::PathFindFileNameW(m_strPath));
    AddRow(L"File Size", FormatByteSize(info.Size));
    AddRow(L"Duration", info.DurationInUs > 0 ? FormatDurationUs(info.DurationInUs, false, true, true) : CString());
    AddRow(L"Format", info.Format);
    AddRow(L"Bit Rate", info.BitRate > 0 ? Number(L"%d kbps", info.BitRate / 1000) : CString());
}

void CMediaInfoDlg::AddStreamRows()
{
    for (int i = 0; i < m_pInfo->StreamList.GetSize(); ++i) {
        const CMediaStreamInfo& stream = *m_pInfo->StreamList[i];
        CString group = Number(L"Stream #%d", i + 1);
        CString bitRate = stream.BitRate > 0 ? FormatBitrate(stream.BitRate, L"%.3f", true, false) : CString();
        CString frames;
        frames.Format(L"%I64d", stream.Frames);
        switch (stream.MediaType) {
        case MEDIA_TYPE_VIDEO:
            AddRow(group, L"Video", TRUE);
            AddRow(L"Codec", stream.Codec);
            AddRow(L"Resolution", Pair(L"%d x %d", stream.Width, stream.Height));
            if (stream.AspectNum > 0 && stream.AspectDen > 0)
                AddRow(L"Aspect", Pair(L"%d : %d", stream.AspectNum, stream.AspectDen));
            if (stream.DisplayWidth > 0 && stream.DisplayHeight > 0)
                AddRow(L"Display Resolution", Pair(L"%d x %d", stream.DisplayWidth, stream.DisplayHeight));
            AddRow(L"Frame Rate", FormatFrameRateText(stream.FrameRateNum, stream.FrameRateDen, L"%.3f", true, false));
            AddRow(L"Bit Rate", bitRate);
            break;
        case MEDIA_TYPE_AUDIO:
            AddRow(group, L"Audio", TRUE);
            AddRow(L"Codec", stream.Codec);
            AddRow(L"Channels", FormatChannels(stream.Channels, true));
            AddRow(L"Sample Rate", Number(L"%d", stream.SampleRate));
            AddRow(L"Bit Rate", bitRate);
            break;
        case MEDIA_TYPE_SUBTITLE:
        case MEDIA_TYPE_CAPTION:
            AddRow(group, stream.MediaType == MEDIA_TYPE_SUBTITLE ? L"Subtitles" : L"Closed Captions", TRUE);
            AddRow(L"Format", stream.Codec);
            break;
        default:
            AddRow(group, L"Unknown", TRUE);
            continue;
        }
        BOOL bPictureOrSound = stream.MediaType == MEDIA_TYPE_VIDEO || stream.MediaType == MEDIA_TYPE_AUDIO;
        if (bPictureOrSound && stream.Frames > 0)
            AddRow(L"Frames", frames);
        if (!stream.Language.IsEmpty())
            AddRow(L"Language", stream.Language);
    }
}

void CMediaInfoDlg::AddMetadataRows()
{
    const CMediaMetadata& meta = m_pInfo->Metadata;
    BOOL bAny = !meta.Title.IsEmpty() || !meta.Author.IsEmpty() || !meta.Album.IsEmpty() || meta.Track > 0 ||
                meta.Year > 0 || !meta.Genre.IsEmpty() || !meta.Copyright.IsEmpty() || !meta.Comment.IsEmpty();
    if (!bAny)
        return;
    AddRow(L"Metadata", L"", TRUE);
    AddRow(L"Title", meta.Title);
    AddRow(L"Author", meta.Author);
    AddRow(L"Album", meta.Album);
    AddRow(L"Track", NumberOrEmpty(meta.Track));
    AddRow(L"Year", NumberOrEmpty(meta.Year));
    AddRow(L"Genre", meta.Genre);
    AddRow(L"Copyright", meta.Copyright);
    AddRow(L"Comment", meta.Comment);
}

void CMediaInfoDlg::OnCustomDrawList(NMHDR* pNMHDR, LRESULT* pResult)
{
    auto* pDraw = reinterpret_cast<NMLVCUSTOMDRAW*>(pNMHDR);
    *pResult = CDRF_DODEFAULT;
    if (pDraw->nmcd.dwDrawStage == CDDS_PREPAINT) {
        *pResult = CDRF_NOTIFYITEMDRAW;
    } else if (pDraw->nmcd.dwDrawStage == CDDS_ITEMPREPAINT && pDraw->nmcd.lItemlParam == 1) {
        if (CFont* pBold = GetAppFont(AppFontBold))
            ::SelectObject(pDraw->nmcd.hdc, pBold->GetSafeHandle());
        pDraw->clrTextBk = ::GetSysColor(COLOR_BTNFACE);
        *pResult = CDRF_NEWFONT;
    }
}
