// The player's control bar in a real bar under a recording parent: the layout by width, the
// switch button hidden while both panes show, the time label's click, the seek slider disabled
// without media, the sliders turned into seeks and volume changes of the session, and the
// images, times and tips that follow the session's state.
#include "framework/text/Duration.h"
#include "mediatools/CPlayerSession.h"
#include "player/windows/PlayerControlBar.h"
#include "player/res/PlayerResources.h"
#include "tests/support/WindowHarness.h"
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

// A session without a tool that records the seeks asked of it.
class RecordingSession : public CPlayerSession {
public:
    int Seek(LONGLONG nPositionUs, int nMode) override
    {
        m_seeks.push_back({nPositionUs, nMode});
        return 0;
    }
    void Enter(int nState) { SetState(nState); }
    // What the tool's status says of the media.
    void Report(LONGLONG nDurationUs, LONGLONG nPositionUs)
    {
        m_status.DurationInUs = nDurationUs;
        m_status.PositionInUs = nPositionUs;
    }

    std::vector<std::pair<LONGLONG, int>> m_seeks;
};

class ControlBarTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_parent.CreateParent(900, 200));
        m_parent.ShowWindow(SW_SHOWNOACTIVATE);
        CreateBar(800);
    }
    void TearDown() override
    {
        m_bar.reset();
        PumpMessages();
    }
    void CreateBar(int nWidth)
    {
        m_bar = std::make_unique<PlayerControlBar>();
        m_bar->SetSession(&m_session);
        ASSERT_TRUE(m_bar->Create(WS_CHILD | WS_VISIBLE | CBRS_ALIGN_BOTTOM, CRect(0, 0, nWidth, 38), &m_parent,
                                  IDW_PLAYER_CONTROL_BAR));
        m_bar->Relayout();
    }
    CRect ItemRect(int nItem) const
    {
        CRect rect;
        m_bar->GetItem(nItem)->GetRect(&rect);
        return rect;
    }
    std::wstring Tip(int nItem) const
    {
        wchar_t text[256] = {};
        TTTOOLINFOW info = {};
        info.cbSize = TTTOOLINFOW_V2_SIZE;
        info.hwnd = m_bar->m_hWnd;
        info.uId = static_cast<UINT_PTR>(nItem + 1);
        info.lpszText = text;
        m_bar->m_toolTip.SendMessage(TTM_GETTEXTW, 256, reinterpret_cast<LPARAM>(&info));
        return text;
    }
    CImageList* Images(int nItem) const { return m_bar->GetButton(nItem)->m_pImages; }
    HWND Bar() const { return m_bar->m_hWnd; }

    RecordingParent m_parent;
    RecordingSession m_session;
    std::unique_ptr<PlayerControlBar> m_bar;
};

TEST_F(ControlBarTest, ItemsSitLeftToRightAndTheSeekSliderTakesTheSpareWidth)
{
    struct Case {
        int width;
        int seek;  // the seek slider's width
    };
    // 664 pixels hold every item with the seek slider at its least.
    for (Case c : {Case{800, 236}, Case{664, 100}, Case{500, 100}}) {
        m_bar->SetWindowPos(nullptr, 0, 0, c.width, 38, SWP_NOZORDER | SWP_NOMOVE);
        const int s = c.seek;
        const int lefts[] = {0, 48, 88, 128, 176, 176 + s, 280 + s, 316 + s, 444 + s, 484 + s, 524 + s};
        const int widths[] = {48, 40, 40, 40, s, 96, 36, 120, 40, 40, 40};
        for (int i = 0; i < PlayerControlBar::ItemCount; ++i) {
            EXPECT_EQ(CRect(lefts[i], 1, lefts[i] + widths[i], 38), ItemRect(i))
                << "width " << c.width << " item " << i;
        }
        EXPECT_EQ(664, m_bar->GetMinimumWidth());
    }
}

TEST_F(ControlBarTest, SwitchButtonHidesWhileBothPanesShow)
{
    m_bar->SetDockMode(TRUE);
    EXPECT_TRUE(m_bar->GetItem(PlayerControlBar::ItemSwitch)->IsHidden());
    EXPECT_TRUE(ItemRect(PlayerControlBar::ItemSwitch).IsRectEmpty());
    EXPECT_EQ(624, m_bar->GetMinimumWidth());
    EXPECT_EQ(276, ItemRect(PlayerControlBar::ItemSeek).Width());
    m_bar->SetDockMode(FALSE);
    EXPECT_FALSE(m_bar->GetItem(PlayerControlBar::ItemSwitch)->IsHidden());
    EXPECT_EQ(CRect(760, 1, 800, 38), ItemRect(PlayerControlBar::ItemSwitch));
}

TEST_F(ControlBarTest, ClickingTheTimeLabelSwitchesItsFormAndLaysTheBarOut)
{
    CTimeLabelItem* pTime = m_bar->GetTimeLabel();
    m_session.Report(90000000, 30000000);
    m_session.Enter(PLAYER_STATE_PLAYING);
    m_bar->FollowSession();
    EXPECT_EQ(L"00:30.0 / 01:30.0", std::wstring(pTime->GetText()));
    CRect rect = ItemRect(PlayerControlBar::ItemTime);
    Click(Bar(), rect.CenterPoint().x, rect.CenterPoint().y);
    EXPECT_EQ(L"-01:00.0 / 01:30.0", std::wstring(pTime->GetText()));
    // The bar takes its own command; the frame never sees it.
    EXPECT_EQ(0, m_parent.Count(WM_COMMAND));
    m_bar->SendMessage(WM_COMMAND, ID_TIME_LABEL_SWITCH);
    EXPECT_EQ(L"00:30.0", std::wstring(pTime->GetText()));
    EXPECT_EQ(48, ItemRect(PlayerControlBar::ItemTime).Width());
    EXPECT_EQ(236 + 48, ItemRect(PlayerControlBar::ItemSeek).Width());
}

TEST_F(ControlBarTest, ButtonsSendTheirCommandsToTheFrame)
{
    struct Case {
        int item;
        UINT id;
    };
    for (Case c : {Case{PlayerControlBar::ItemPlay, ID_PLAY_PLAY}, Case{PlayerControlBar::ItemStop, ID_PLAY_STOP},
                   Case{PlayerControlBar::ItemNext, ID_PLAY_NEXT}, Case{PlayerControlBar::ItemSpeaker, ID_VOLUME_MUTE},
                   Case{PlayerControlBar::ItemFullScreen, ID_VIEW_FULL_SCREEN},
                   Case{PlayerControlBar::ItemSwitch, ID_VIEW_SWITCH}}) {
        m_parent.Clear();
        CPoint centre = ItemRect(c.item).CenterPoint();
        Click(Bar(), centre.x, centre.y);
        ASSERT_EQ(1, m_parent.Count(WM_COMMAND)) << c.item;
        EXPECT_EQ(c.id, LOWORD(m_parent.Of(WM_COMMAND)[0].wParam)) << c.item;
    }
}

TEST_F(ControlBarTest, SeekSliderIsDisabledWithoutMedia)
{
    CSeekSliderItem* pSeek = m_bar->GetSeekSlider();
    EXPECT_TRUE(pSeek->IsDisabled());
    EXPECT_EQ(L"00:00 / 00:00", std::wstring(m_bar->GetTimeLabel()->GetText()));
    // The status keeps the last media's times after its end: the bar shows none all the same.
    for (int nEnded : {PLAYER_STATE_END_OF_MEDIA, PLAYER_STATE_FINISHED, PLAYER_STATE_RESET}) {
        m_session.Report(10000000, 4000000);
        m_session.Enter(PLAYER_STATE_PLAYING);
        m_bar->FollowSession();
        EXPECT_FALSE(pSeek->IsDisabled()) << nEnded;
        m_session.Enter(nEnded);
        m_bar->FollowSession();
        EXPECT_TRUE(pSeek->IsDisabled()) << nEnded;
        EXPECT_EQ(L"00:00 / 00:00", std::wstring(m_bar->GetTimeLabel()->GetText())) << nEnded;
        // A click on a disabled slider seeks nowhere.
        CPoint centre = ItemRect(PlayerControlBar::ItemSeek).CenterPoint();
        Click(Bar(), centre.x, centre.y);
        EXPECT_TRUE(m_session.m_seeks.empty()) << nEnded;
    }
}

TEST_F(ControlBarTest, SeekSliderSeeksTheSessionInMicroseconds)
{
    m_session.Report(180000000, 0);
    m_session.Enter(PLAYER_STATE_PLAYING);
    m_bar->FollowSession();
    m_bar->SendMessage(WM_SLIDER_POSCHANGED, 90500, reinterpret_cast<LPARAM>(m_bar->GetSeekSlider()));
    ASSERT_EQ(1u, m_session.m_seeks.size());
    EXPECT_EQ(90500000, m_session.m_seeks[0].first);
    EXPECT_EQ(0, m_session.m_seeks[0].second);
    EXPECT_EQ(90500, m_bar->GetTimeLabel()->m_nPosition);
    // A click on the channel goes the same way.
    CRect seek = ItemRect(PlayerControlBar::ItemSeek);
    Click(Bar(), seek.left + seek.Width() / 4, seek.CenterPoint().y);
    ASSERT_EQ(2u, m_session.m_seeks.size());
    int nPos = m_bar->GetSeekSlider()->GetPos();
    EXPECT_GT(nPos, 30000);
    EXPECT_LT(nPos, 60000);
    EXPECT_EQ(static_cast<LONGLONG>(nPos) * 1000, m_session.m_seeks[1].first);
}

TEST_F(ControlBarTest, SeekTipShowsTheTimeUnderThePointerWhilePlaying)
{
    m_session.Report(180000000, 0);
    m_session.Enter(PLAYER_STATE_PLAYING);
    m_bar->FollowSession();
    // A stop under way leaves the slider as it was, but there is nothing to seek any more.
    m_session.Enter(PLAYER_STATE_STOPPING);
    m_bar->FollowSession();
    CRect seek = ItemRect(PlayerControlBar::ItemSeek);
    int x = seek.left + seek.Width() / 2;
    MouseMove(Bar(), x, seek.CenterPoint().y);
    EXPECT_EQ(L"", Tip(PlayerControlBar::ItemSeek));
    m_session.Enter(PLAYER_STATE_PAUSED);
    m_bar->FollowSession();
    MouseMove(Bar(), x + 1, seek.CenterPoint().y);
    int nPos = m_bar->GetSeekSlider()->PosFromPoint(x + 1, seek.CenterPoint().y, FALSE);
    EXPECT_EQ(std::wstring(FormatDuration(nPos, false, false, false)), Tip(PlayerControlBar::ItemSeek));
    Deliver(Bar(), WM_MOUSELEAVE);
}

TEST_F(ControlBarTest, VolumeFollowsTheSessionAndTheSlider)
{
    struct Case {
        int volume;
        int mute;
        CImageList* images;
    };
    const Case cases[] = {{49, 0, &m_bar->m_volumeLowImages},
                          {50, 0, &m_bar->m_volumeHighImages},
                          {0, 0, &m_bar->m_mutedImages},
                          {80, 1, &m_bar->m_mutedImages},
                          {100, 0, &m_bar->m_volumeHighImages}};
    for (const Case& c : cases) {
        m_session.SetVolume(c.volume);
        m_session.SetMute(c.mute);
        m_bar->RefreshVolume();
        EXPECT_EQ(c.images, Images(PlayerControlBar::ItemSpeaker)) << c.volume << " " << c.mute;
        EXPECT_EQ(c.volume, m_bar->GetVolumeSlider()->GetPos());
        CString tip;
        tip.Format(L"Volume: %d%%", c.volume);
        EXPECT_EQ(std::wstring(tip), Tip(PlayerControlBar::ItemVolume));
    }
    m_session.SetMute(0);
    m_bar->SendMessage(WM_SLIDER_POSCHANGED, 30, reinterpret_cast<LPARAM>(m_bar->GetVolumeSlider()));
    EXPECT_EQ(30, m_session.GetVolume());
    EXPECT_EQ(&m_bar->m_volumeLowImages, Images(PlayerControlBar::ItemSpeaker));
    EXPECT_EQ(L"Volume: 30%", Tip(PlayerControlBar::ItemVolume));
}

TEST_F(ControlBarTest, PlayButtonAndTimesFollowTheSessionOtherImagesTheScreenAndThePane)
{
    struct Case {
        int state;
        CImageList* images;
        const wchar_t* time;
    };
    const wchar_t kAt30[] = L"00:30.0 / 01:30.0";
    const wchar_t kNone[] = L"00:00 / 00:00";
    // A start or a stop under way changes nothing.
    const Case cases[] = {{PLAYER_STATE_PLAYING, &m_bar->m_pauseImages, kAt30},
                          {PLAYER_STATE_STARTED, &m_bar->m_pauseImages, kAt30},
                          {PLAYER_STATE_PAUSED, &m_bar->m_playImages, kAt30},
                          {PLAYER_STATE_PLAYING, &m_bar->m_pauseImages, kAt30},
                          {PLAYER_STATE_STOPPING, &m_bar->m_pauseImages, kAt30},
                          {PLAYER_STATE_END_OF_MEDIA, &m_bar->m_playImages, kNone},
                          {PLAYER_STATE_STARTED, &m_bar->m_playImages, kNone},
                          {PLAYER_STATE_PLAYING, &m_bar->m_pauseImages, kAt30},
                          {PLAYER_STATE_FINISHED, &m_bar->m_playImages, kNone},
                          {PLAYER_STATE_PLAYING, &m_bar->m_pauseImages, kAt30},
                          {PLAYER_STATE_RESET, &m_bar->m_playImages, kNone}};
    m_session.Report(90000000, 30000000);
    for (const Case& c : cases) {
        m_session.Enter(c.state);
        m_bar->FollowSession();
        EXPECT_EQ(c.images, Images(PlayerControlBar::ItemPlay)) << c.state;
        EXPECT_EQ(c.time, std::wstring(m_bar->GetTimeLabel()->GetText())) << c.state;
    }
    m_bar->SetFullScreen(TRUE);
    EXPECT_EQ(&m_bar->m_restoreImages, Images(PlayerControlBar::ItemFullScreen));
    m_bar->SetFullScreen(FALSE);
    EXPECT_EQ(&m_bar->m_fullScreenImages, Images(PlayerControlBar::ItemFullScreen));
    m_bar->SetSwitchTarget(TRUE);
    EXPECT_EQ(&m_bar->m_toPlaylistImages, Images(PlayerControlBar::ItemSwitch));
    EXPECT_EQ(L"Go to playlist view (F6)", Tip(PlayerControlBar::ItemSwitch));
    m_bar->SetSwitchTarget(FALSE);
    EXPECT_EQ(&m_bar->m_toDisplayImages, Images(PlayerControlBar::ItemSwitch));
    EXPECT_EQ(L"Go to display view (F6)", Tip(PlayerControlBar::ItemSwitch));
}

TEST_F(ControlBarTest, ButtonImagesHoldOneImagePerState)
{
    for (int i = 0; i < PlayerControlBar::ItemCount; ++i) {
        if (CBarButtonItem* pButton = m_bar->GetButton(i)) {
            EXPECT_EQ(5, pButton->m_pImages->GetImageCount()) << i;
        }
    }
    EXPECT_EQ(4, m_bar->m_seekImages.GetImageCount());
    EXPECT_EQ(4, m_bar->m_volumeImages.GetImageCount());
    EXPECT_EQ(2, m_bar->m_seekCaps.GetImageCount());
}

}  // namespace
