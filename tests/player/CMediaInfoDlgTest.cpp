// The media information dialog run modally: the caption and the path, then the list's rows as
// the record gives them (file rows, a group row per stream with its own rows, the metadata only
// when there is any), group rows marked by their item data.
#include "classlib/CListCtrl.h"
#include "framework/system/SystemHelpers.h"
#include "framework/text/Duration.h"
#include "mediatools/CMediaInfo.h"
#include "player/dialogs/CMediaInfoDlg.h"
#include "player/res/PlayerResources.h"
#include "tests/player/ScriptedDialog.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

struct Row {
    std::wstring label;
    std::wstring value;
    DWORD_PTR group;
    bool operator==(const Row& other) const
    {
        return label == other.label && value == other.value && group == other.group;
    }
};

void PrintTo(const Row& row, std::ostream* os)
{
    *os << "{" << testing::PrintToString(row.label) << ", " << testing::PrintToString(row.value) << ", " << row.group
        << "}";
}

struct Shown {
    CString caption;
    CString path;
    std::vector<Row> rows;
    int columns = 0;
};

Shown Show(LPCWSTR path, const CMediaInfo& info)
{
    Shown shown;
    ScriptedDialog<CMediaInfoDlg> dlg(path, &info);
    dlg.m_script = [&](ScriptedDialog<CMediaInfoDlg>& d) {
        d.GetWindowText(shown.caption);
        shown.path = ItemText(d, IDC_MEDIA_PATH);
        CListCtrl* pList = static_cast<CListCtrl*>(d.GetDlgItem(IDC_MEDIA_PROPERTIES));
        for (int i = 0; i < pList->GetItemCount(); ++i) {
            shown.rows.push_back({std::wstring(pList->GetItemText(i, 0)), std::wstring(pList->GetItemText(i, 1)),
                                  pList->GetItemData(i)});
        }
        HWND hHeader = reinterpret_cast<HWND>(pList->SendMessage(LVM_GETHEADER));
        shown.columns = static_cast<int>(::SendMessageW(hHeader, HDM_GETITEMCOUNT, 0, 0));
        Click(d, IDOK);
    };
    EXPECT_EQ(IDOK, dlg.DoModal());
    return shown;
}

CMediaStreamInfo* AddStream(CMediaInfo& info, int type)
{
    auto* pStream = new CMediaStreamInfo;
    pStream->MediaType = type;
    info.StreamList.Add(pStream);
    return pStream;
}

TEST(MediaInfoDialog, VideoAudioSubtitleAndUnknownStreamsWithMetadata)
{
    CMediaInfo info;
    info.Size = 1234567;
    info.DurationInUs = 83456000;
    info.Format = L"mov,mp4,m4a";
    info.BitRate = 1500000;
    CMediaStreamInfo* pVideo = AddStream(info, MEDIA_TYPE_VIDEO);
    pVideo->Codec = L"h264";
    pVideo->Width = 1440;
    pVideo->Height = 1080;
    pVideo->AspectNum = 4;
    pVideo->AspectDen = 3;
    pVideo->DisplayWidth = 1920;
    pVideo->DisplayHeight = 1080;
    pVideo->FrameRateNum = 30000;
    pVideo->FrameRateDen = 1001;
    pVideo->BitRate = 1234500;
    pVideo->Frames = 2500;
    pVideo->Language = L"eng";
    CMediaStreamInfo* pAudio = AddStream(info, MEDIA_TYPE_AUDIO);
    pAudio->Codec = L"aac";
    pAudio->Channels = 2;
    pAudio->SampleRate = 48000;
    CMediaStreamInfo* pSubtitle = AddStream(info, MEDIA_TYPE_SUBTITLE);
    pSubtitle->Codec = L"subrip";
    pSubtitle->Language = L"fre";
    CMediaStreamInfo* pCaption = AddStream(info, MEDIA_TYPE_CAPTION);
    pCaption->Codec = L"eia_608";
    AddStream(info, MEDIA_TYPE_OTHER);
    info.Metadata.Title = L"A Title";
    info.Metadata.Year = 2024;

    Shown shown = Show(L"C:\\Media\\Holiday clip.mp4", info);
    EXPECT_EQ(L"Holiday clip.mp4", std::wstring(shown.caption));
    EXPECT_EQ(L"C:\\Media\\Holiday clip.mp4", std::wstring(shown.path));
    EXPECT_EQ(2, shown.columns);
    const std::vector<Row> expected = {
        {L"File Name", L"Holiday clip.mp4", 0},
        {L"File Size", std::wstring(FormatByteSize(1234567)), 0},
        {L"Duration", std::wstring(FormatDurationUs(83456000, false, true, true)), 0},
        {L"Format", L"mov,mp4,m4a", 0},
        {L"Bit Rate", L"1500 kbps", 0},
        {L"Stream #1", L"Video", 1},
        {L"Codec", L"h264", 0},
        {L"Resolution", L"1440 x 1080", 0},
        {L"Aspect", L"4 : 3", 0},
        {L"Display Resolution", L"1920 x 1080", 0},
        {L"Frame Rate", L"29.97 fps", 0},
        {L"Bit Rate", L"1234.5 kbps", 0},
        {L"Frames", L"2500", 0},
        {L"Language", L"eng", 0},
        {L"Stream #2", L"Audio", 1},
        {L"Codec", L"aac", 0},
        {L"Channels", L"Stereo", 0},
        {L"Sample Rate", L"48000", 0},
        {L"Bit Rate", L"", 0},
        {L"Stream #3", L"Subtitles", 1},
        {L"Format", L"subrip", 0},
        {L"Language", L"fre", 0},
        {L"Stream #4", L"Closed Captions", 1},
        {L"Format", L"eia_608", 0},
        {L"Stream #5", L"Unknown", 1},
        {L"Metadata", L"", 1},
        {L"Title", L"A Title", 0},
        {L"Author", L"", 0},
        {L"Album", L"", 0},
        {L"Track", L"", 0},
        {L"Year", L"2024", 0},
        {L"Genre", L"", 0},
        {L"Copyright", L"", 0},
        {L"Comment", L"", 0},
    };
    EXPECT_EQ(expected, shown.rows);
}

TEST(MediaInfoDialog, ARecordWithoutStreamsOrMetadataShowsTheFileRowsOnly)
{
    CMediaInfo info;
    info.Format = L"mp3";
    Shown shown = Show(L"D:\\song.mp3", info);
    const std::vector<Row> expected = {
        {L"File Name", L"song.mp3", 0}, {L"File Size", std::wstring(FormatByteSize(0)), 0},
        {L"Duration", L"", 0},          {L"Format", L"mp3", 0},
        {L"Bit Rate", L"", 0},
    };
    EXPECT_EQ(expected, shown.rows);
}

TEST(MediaInfoDialog, AnAspectOrDisplaySizeWithAZeroPartIsLeftOut)
{
    CMediaInfo info;
    CMediaStreamInfo* pVideo = AddStream(info, MEDIA_TYPE_VIDEO);
    pVideo->Width = 640;
    pVideo->Height = 480;
    pVideo->AspectNum = 1;
    pVideo->DisplayWidth = 640;
    Shown shown = Show(L"v.mkv", info);
    std::vector<std::wstring> labels;
    for (const Row& row : shown.rows)
        labels.push_back(row.label);
    const std::vector<std::wstring> expected = {L"File Name", L"File Size", L"Duration",   L"Format",     L"Bit Rate",
                                                L"Stream #1", L"Codec",     L"Resolution", L"Frame Rate", L"Bit Rate"};
    EXPECT_EQ(expected, labels);
}

}  // namespace
