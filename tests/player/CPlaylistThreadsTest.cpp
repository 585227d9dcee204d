// The playlist's load and update threads with the real tools on clips made here: rows are
// loaded, then thumbnails built by both update threads; stopping either kind of thread while
// its tool hangs returns within the tools' grace time and leaves no tool running.
#include "classlib/AfxMessageMap.h"
#include "classlib/CWinApp.h"
#include "mediatools/MediaToolLocation.h"
#include "player/CPlayerSettings.h"
#include "player/playlist/CPlaylistItem.h"
#include "player/playlist/CPlaylistThreadOwner.h"
#include "player/playlist/CPlaylistThreads.h"
#include "tests/support/ClipRunnerHarness.h"
#include <gtest/gtest.h>
#include <deque>
#include <memory>
#include <vector>

using namespace runnertest;

namespace {

// Stands in for the playlist control: a window whose rows are items, with the control's
// handling of the threads' done messages.
class CFakePlaylist : public CWnd, public CPlaylistThreadOwner {
public:
    CFakePlaylist() : m_threads(this) {}
    ~CFakePlaylist() override
    {
        for (CPlaylistItem* pItem : m_items)
            delete pItem;
    }

    HWND GetThreadOwnerWindow() const override { return m_hWnd; }
    bool HasPendingPaths() const override { return !m_pending.empty(); }
    int GetItemCount() const override { return static_cast<int>(m_items.size()); }

    // Probes and adds each path (the rows are read by the test only after the thread ended).
    void ProcessPendingPaths(const StopFlag* pStopFlag) override
    {
        while (!m_pending.empty() && *pStopFlag == 0) {
            std::unique_ptr<CPlaylistItem> pItem(new CPlaylistItem);
            pItem->m_strPath = m_pending.front().c_str();
            m_pending.pop_front();
            if (pItem->m_mediaInfo.Probe(pItem->m_strPath, pStopFlag) != 0)
                continue;
            pItem->m_nMediaType = pItem->m_mediaInfo.MediaType;
            if (m_bThumbnailWhileLoading)
                pItem->LoadThumbnail(0, pStopFlag);
            m_items.push_back(pItem.release());
        }
    }
    void UpdateItemsFrom(int nStart, const StopFlag* pStopFlag) override
    {
        for (int i = nStart; i < GetItemCount() && *pStopFlag == 0; i += 2) {
            if (m_items[i]->LoadThumbnail(0, pStopFlag) == 0)
                m_builtBy[i] = nStart;
        }
    }

    LRESULT OnLoadDone(WPARAM, LPARAM)
    {
        m_threads.OnLoadThreadDone();
        m_builtBy.assign(m_items.size(), -1);
        if (!m_bClosing)
            m_threads.StartUpdateThreads();
        return 0;
    }
    LRESULT OnUpdateDone(WPARAM wParam, LPARAM lParam)
    {
        m_threads.OnUpdateThreadDone(wParam, lParam);
        return 0;
    }

    CPlaylistThreads m_threads;
    std::deque<std::wstring> m_pending;
    std::vector<CPlaylistItem*> m_items;
    std::vector<int> m_builtBy;  // the slot that built each row's thumbnail, -1 none
    bool m_bThumbnailWhileLoading = false;
    bool m_bClosing = false;

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CFakePlaylist, CWnd)
    ON_MESSAGE(WM_LOAD_THREAD_DONE, &CFakePlaylist::OnLoadDone)
    ON_MESSAGE(WM_UPDATE_THREAD_DONE, &CFakePlaylist::OnUpdateDone)
END_MESSAGE_MAP()

class PlaylistThreads : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_folder = tooltest::MakeTempFolder(L"kavri threads");
        s_made = true;
        for (int i = 0; i < 5; ++i) {
            std::wstring args = L"-f lavfi -i testsrc=duration=2:size=160x120:rate=25 -vf hue=h=" +
                                std::to_wstring(i * 60) + L" -c:v libx264 -pix_fmt yuv420p -f mp4";
            s_made = s_made && tooltest::MakeMedia(Clip(i), args);
        }
    }
    static void TearDownTestSuite() { tooltest::RemoveFolder(s_folder); }
    static std::wstring Clip(int i) { return s_folder + L"\\clip" + std::to_wstring(i) + L".mp4"; }

    void SetUp() override
    {
        ASSERT_TRUE(s_made) << "ffmpeg.exe could not make the clips";
        g_playerSettings = CPlayerSettings();
        LocateMediaTools(tooltest::ToolFolder().c_str());
        ASSERT_TRUE(m_list.CreateEx(0, AfxRegisterWndClass(0), L"", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0));
        for (int i = 0; i < 5; ++i)
            m_list.m_pending.push_back(Clip(i));
    }
    void TearDown() override
    {
        SetEnvironmentVariableW(L"KAVRI_TOOL_MODE", nullptr);
        m_list.m_bClosing = true;
        m_list.m_threads.StopLoadThread();
        m_list.m_threads.StopUpdateThreads();
        m_list.DestroyWindow();
    }

    bool PumpUntilIdle(DWORD ms)
    {
        return PumpUntil([&] { return !m_list.m_threads.IsLoading() && !m_list.m_threads.IsUpdating(); }, ms);
    }

    // Runs the stop while the tool hangs; the milliseconds it took.
    DWORD TimeStop(void (CPlaylistThreads::*pfnStop)())
    {
        PumpFor(1500);
        DWORD start = GetTickCount();
        (m_list.m_threads.*pfnStop)();
        return GetTickCount() - start;
    }

    static std::wstring s_folder;
    static bool s_made;
    CFakePlaylist m_list;
};

std::wstring PlaylistThreads::s_folder;
bool PlaylistThreads::s_made = false;

TEST_F(PlaylistThreads, RowsLoadInOrderThenBothUpdateThreadsBuildThumbnails)
{
    EXPECT_EQ(0, m_list.m_threads.StartLoadThread());
    EXPECT_TRUE(m_list.m_threads.IsLoading());
    ASSERT_TRUE(PumpUntilIdle(120000));
    ASSERT_EQ(5u, m_list.m_items.size());
    for (int i = 0; i < 5; ++i) {
        EXPECT_STREQ(Clip(i).c_str(), m_list.m_items[i]->m_strPath) << i;
        EXPECT_TRUE(m_list.m_items[i]->m_thumbnail.IsValid()) << i;
        EXPECT_EQ(i % 2, m_list.m_builtBy[i]) << "slot 0 takes the even rows, slot 1 the odd ones";
    }
    EXPECT_EQ(1, m_list.m_threads.StartLoadThread()) << "nothing pending: the update threads run instead";
    ASSERT_TRUE(PumpUntilIdle(60000));
}

TEST_F(PlaylistThreads, StoppingTheLoadThreadStopsItsTool)
{
    m_list.m_bThumbnailWhileLoading = true;
    SetEnvironmentVariableW(L"KAVRI_TOOL_MODE", L"hang");
    ASSERT_EQ(0, m_list.m_threads.StartLoadThread());
    EXPECT_LT(TimeStop(&CPlaylistThreads::StopLoadThread), 4500u);
    EXPECT_FALSE(m_list.m_threads.IsLoading()) << "the thread object is gone";
    EXPECT_TRUE(tooltest::ChildGoneWithin(GetCurrentProcessId(), L"ClipConverter.exe", 2000));
    EXPECT_LT(m_list.m_items.size(), 5u) << "the rest stays pending";
}

TEST_F(PlaylistThreads, StoppingTheUpdateThreadsStopsTheirToolsAndLeavesRowsForLater)
{
    m_list.m_bClosing = true;  // load only
    ASSERT_EQ(0, m_list.m_threads.StartLoadThread());
    ASSERT_TRUE(PumpUntilIdle(120000));
    m_list.m_bClosing = false;
    SetEnvironmentVariableW(L"KAVRI_TOOL_MODE", L"hang");
    ASSERT_EQ(0, m_list.m_threads.StartUpdateThreads());
    EXPECT_LT(TimeStop(&CPlaylistThreads::StopUpdateThreads), 4500u);
    EXPECT_FALSE(m_list.m_threads.IsUpdating());
    EXPECT_TRUE(tooltest::ChildGoneWithin(GetCurrentProcessId(), L"ClipConverter.exe", 2000));
    for (CPlaylistItem* pItem : m_list.m_items)
        EXPECT_FALSE(pItem->m_dwState & ITEM_STATE_THUMBNAIL);

    SetEnvironmentVariableW(L"KAVRI_TOOL_MODE", nullptr);
    ASSERT_EQ(0, m_list.m_threads.StartUpdateThreads());
    ASSERT_TRUE(PumpUntilIdle(120000));
    for (CPlaylistItem* pItem : m_list.m_items)
        EXPECT_TRUE(pItem->m_dwState & ITEM_STATE_THUMBNAIL) << "built on the next start";
}

}  // namespace
