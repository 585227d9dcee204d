// The player's bars and small dialogs to look at (scripts/screenshots player-demo ...): the main
// window "Player Demo" shows the control bar three times, at different widths and states; its
// commands open the dialogs as the player does:
//   1002 "Open URL", 1003 "Add URLs", 1004 the media information of a made-up clip.
#include "classlib/Afx.h"
#include "framework/controls/AppUiResources.h"
#include "mediatools/CMediaInfo.h"
#include "mediatools/CPlayerSession.h"
#include "player/dialogs/CAddUrlsDlg.h"
#include "player/dialogs/CMediaInfoDlg.h"
#include "player/dialogs/COpenUrlDlg.h"
#include "player/windows/PlayerControlBar.h"
#include "player/res/PlayerResources.h"

namespace {

const UINT kOpenUrl = 1002;
const UINT kAddUrls = 1003;
const UINT kMediaInfo = 1004;

// A session without a tool, in the state and at the times the scene wants.
class DemoSession : public CPlayerSession {
public:
    void Enter(int nState, LONGLONG nDurationUs = 0, LONGLONG nPositionUs = 0)
    {
        m_status.DurationInUs = nDurationUs;
        m_status.PositionInUs = nPositionUs;
        SetState(nState);
    }
};

void FillClipInfo(CMediaInfo& info)
{
    info.Size = 48213455;
    info.DurationInUs = 3725400000LL;
    info.Format = L"mov,mp4,m4a,3gp,3g2,mj2";
    info.BitRate = 2108000;
    auto* pVideo = new CMediaStreamInfo;
    pVideo->MediaType = MEDIA_TYPE_VIDEO;
    pVideo->Codec = L"h264";
    pVideo->Width = 1920;
    pVideo->Height = 1080;
    pVideo->AspectNum = 1;
    pVideo->AspectDen = 1;
    pVideo->DisplayWidth = 1920;
    pVideo->DisplayHeight = 1080;
    pVideo->FrameRateNum = 30000;
    pVideo->FrameRateDen = 1001;
    pVideo->BitRate = 1976000;
    pVideo->Frames = 111650;
    pVideo->Language = L"eng";
    info.StreamList.Add(pVideo);
    auto* pAudio = new CMediaStreamInfo;
    pAudio->MediaType = MEDIA_TYPE_AUDIO;
    pAudio->Codec = L"aac";
    pAudio->Channels = 2;
    pAudio->SampleRate = 48000;
    pAudio->BitRate = 128000;
    pAudio->Language = L"eng";
    info.StreamList.Add(pAudio);
    auto* pSubtitle = new CMediaStreamInfo;
    pSubtitle->MediaType = MEDIA_TYPE_SUBTITLE;
    pSubtitle->Codec = L"mov_text";
    pSubtitle->Language = L"fre";
    info.StreamList.Add(pSubtitle);
    info.Metadata.Title = L"Harbour at Dawn";
    info.Metadata.Author = L"Kavri Samples";
    info.Metadata.Year = 2024;
    info.Metadata.Comment = L"Recorded with a handheld camera";
}

class CDemoWnd : public CWnd {
public:
    BOOL Make()
    {
        HBRUSH hBack = ::CreateSolidBrush(RGB(0x20, 0x20, 0x20));
        LPCWSTR cls = AfxRegisterWndClass(0, ::LoadCursorW(nullptr, IDC_ARROW), hBack);
        if (!CreateEx(0, cls, L"Player Demo", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 40, 40, 1000, 250, nullptr,
                      nullptr))
            return FALSE;
        // Playing an hour-long clip, full width.
        m_playing.SetVolume(70);
        m_playing.Enter(PLAYER_STATE_PLAYING, 3725400000LL, 61000000);
        if (!MakeBar(m_wide, m_playing, 10, 960))
            return FALSE;
        m_wide.SetSwitchTarget(TRUE);
        // Nothing loaded, narrower than the items need.
        if (!MakeBar(m_idle, m_stopped, 70, 600))
            return FALSE;
        // Paused with the remaining time, muted, both panes shown, at the least width.
        m_paused.Enter(PLAYER_STATE_PAUSED, 8500000, 3200000);
        m_paused.SetVolume(35);
        m_paused.SetMute(TRUE);
        if (!MakeBar(m_narrow, m_paused, 130, 624))
            return FALSE;
        m_narrow.SetDockMode(TRUE);
        m_narrow.SendMessage(WM_COMMAND, ID_TIME_LABEL_SWITCH);
        m_narrow.RefreshVolume();
        return TRUE;
    }

protected:
    BOOL MakeBar(PlayerControlBar& bar, DemoSession& session, int y, int width)
    {
        bar.SetSession(&session);
        if (!bar.Create(WS_CHILD | WS_VISIBLE | CBRS_ALIGN_BOTTOM, CRect(10, y, 10 + width, y + 38), this,
                        IDW_PLAYER_CONTROL_BAR))
            return FALSE;
        bar.MoveWindow(10, y, width, 38);
        bar.RefreshVolume();
        bar.FollowSession();
        return TRUE;
    }
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        switch (LOWORD(wParam)) {
        case kOpenUrl: {
            COpenUrlDlg dlg(this);
            dlg.DoModal();
            return TRUE;
        }
        case kAddUrls: {
            CAddUrlsDlg dlg(this);
            dlg.m_strUrls = L"https://media.example/clips/first.mp4\r\nhttps://media.example/clips/second.webm\r\n";
            dlg.DoModal();
            return TRUE;
        }
        case kMediaInfo: {
            CMediaInfo info;
            FillClipInfo(info);
            CMediaInfoDlg dlg(L"C:\\Users\\Public\\Videos\\Harbour at Dawn.mp4", &info, this);
            dlg.DoModal();
            return TRUE;
        }
        }
        return CWnd::OnCommand(wParam, lParam);
    }
    void PostNcDestroy() override { ::PostQuitMessage(0); }

    DemoSession m_playing;
    DemoSession m_stopped;
    DemoSession m_paused;
    PlayerControlBar m_wide;
    PlayerControlBar m_idle;
    PlayerControlBar m_narrow;
};

class CDemoApp : public CWinApp {
public:
    CDemoApp() : CWinApp(L"Kavri Video Player") {}
    BOOL InitInstance() override
    {
        auto* pWnd = new CDemoWnd;
        if (!pWnd->Make())
            return FALSE;
        m_pMainWnd = pWnd;
        pWnd->ShowWindow(SW_SHOW);
        pWnd->UpdateWindow();
        return TRUE;
    }
};

CDemoApp theApp;

}  // namespace
