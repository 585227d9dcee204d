// The player's file types and recent lists in a sandboxed profile: defaults, what survives a
// restart, the limits of the recent lists and the folder an open dialog starts in.
#include "player/CPlayerHistory.h"
#include "tests/player/PlayerProfile.h"
#include "framework/system/ShellHelpers.h"
#include <memory>
#include <set>
#include <string>

namespace {

class PlayerHistory : public PlayerProfile {
protected:
    // A new history object loaded from the profile, as at the next start.
    std::unique_ptr<CPlayerHistory> Restart()
    {
        std::unique_ptr<CPlayerHistory> history(new CPlayerHistory);
        history->Load();
        return history;
    }

    static std::set<std::wstring> Extensions(const CPlayerHistory& history)
    {
        std::set<std::wstring> extensions;
        for (int i = 0; i < history.m_fileTypes.GetSize(); ++i)
            extensions.insert(static_cast<LPCWSTR>(history.m_fileTypes[i]->m_strExtension));
        return extensions;
    }
};

TEST_F(PlayerHistory, AFreshProfileGetsTheDefaultTypesAndKeepsThem)
{
    ASSERT_TRUE(m_sandbox.IsReady());
    std::unique_ptr<CPlayerHistory> history = Restart();
    ASSERT_EQ(24, history->m_fileTypes.GetSize());
    EXPECT_STREQ(L".m3u", history->m_fileTypes[0]->m_strExtension);
    EXPECT_STREQ(L"KavriHelper.KavriVideoPlayer.m3u", history->m_fileTypes[0]->m_strProgID);
    EXPECT_EQ(4, history->m_fileTypes[0]->m_nIconIndex);
    history->Save();

    CString section = L"Data\\File Types\\.3g2";
    EXPECT_STREQ(L"3G2 Video", m_app.GetProfileString(section, L"Name", L""));
    EXPECT_EQ(2u, m_app.GetProfileInt(section, L"Icon", -1));
    EXPECT_EQ(Extensions(*history), Extensions(*Restart()));
}

TEST_F(PlayerHistory, ProgIDsJoinTheProgramAndTheExtensionWithoutBlanks)
{
    EXPECT_STREQ(L"KavriHelper.KavriVideoPlayer.3g2", MakeFileTypeProgID(L".3g2"));
    EXPECT_STREQ(L"KavriHelper.KavriVideoPlayer.mymovie", MakeFileTypeProgID(L".my movie"));
}

TEST_F(PlayerHistory, StoredTypesNeedNameExtensionAndIcon)
{
    struct Case {
        const wchar_t* key;
        const wchar_t* name;
        const wchar_t* extension;
        int icon;  // -1: not written
        bool loaded;
    } cases[] = {
        {L".mkv", L"MKV Video", L".mkv", 2, true},
        {L".ts", L"TS Video", L".ts", -1, false},
        {L".xyz", L"", L".xyz", 2, false},
        {L".abc", L"ABC", L"", 2, false},
    };
    for (const Case& c : cases) {
        CString section = CString(L"Data\\File Types\\") + c.key;
        m_app.WriteProfileString(section, L"Name", c.name);
        m_app.WriteProfileString(section, L"Extension", c.extension);
        if (c.icon != -1)
            m_app.WriteProfileInt(section, L"Icon", c.icon);
    }
    std::set<std::wstring> extensions = Extensions(*Restart());
    for (const Case& c : cases)
        EXPECT_EQ(c.loaded, extensions.count(c.key) == 1) << c.key;
    EXPECT_EQ(1u, extensions.size()) << "no defaults beside stored types";
}

TEST_F(PlayerHistory, DeletedTypesDoNotComeBackAfterARestart)
{
    std::unique_ptr<CPlayerHistory> history = Restart();
    history->Save();
    m_app.WriteProfileString(L"Data\\File Types\\.mp4", L"Backup", L"OtherPlayer.mp4");

    // As the settings page applies: the table is emptied and the kept rows appended again.
    history->DeleteFileTypes();
    history->AddFileType(L"MP4 Video", L".mp4", 2);
    history->AddFileType(L"MKV Video", L".mkv", 2);
    history->Save();
    EXPECT_EQ((std::set<std::wstring>{L".mp4", L".mkv"}), Extensions(*Restart()));
    EXPECT_STREQ(L"OtherPlayer.mp4", m_app.GetProfileString(L"Data\\File Types\\.mp4", L"Backup", L""))
        << "a kept type keeps its backup";

    history->DeleteFileTypes();
    history->Save();
    EXPECT_EQ(0, Restart()->m_fileTypes.GetSize()) << "an emptied table stays empty";
}

TEST_F(PlayerHistory, RecentListsFollowTheSettings)
{
    m_app.WriteProfileString(L"Data\\Recent Files", L"01", L"C:\\a.mp4");
    m_app.WriteProfileString(L"Data\\Recent Files", L"02", L"C:\\b.mp4");
    g_playerSettings.m_bRememberRecentFiles = 0;
    std::unique_ptr<CPlayerHistory> history = Restart();
    EXPECT_EQ(0, history->m_recentFiles.m_nMaxEntries);
    EXPECT_EQ(0, history->m_recentFiles.GetCount()) << "not loaded";
    history->AddRecentFile(L"C:\\c.mp4");
    EXPECT_EQ(0, history->m_recentFiles.GetCount()) << "not filled";

    g_playerSettings.m_bRememberRecentFiles = 1;
    g_playerSettings.m_nMaxRecentPlaylists = 3;
    history = Restart();
    EXPECT_EQ(2, history->m_recentFiles.GetCount());
    EXPECT_EQ(3, history->m_recentPlaylists.m_nMaxEntries);
}

TEST_F(PlayerHistory, NewLimitsTakeEffectAtOnce)
{
    std::unique_ptr<CPlayerHistory> history = Restart();
    for (const wchar_t* path : {L"C:\\1.mp4", L"C:\\2.mp4", L"C:\\3.mp4"})
        history->AddRecentFile(path);
    history->AddRecentPlaylist(L"C:\\a.playlist");

    g_playerSettings.m_nMaxRecentFiles = 2;
    g_playerSettings.m_bRememberRecentPlaylists = 0;
    history->ApplyRecentLimits();
    EXPECT_EQ(2, history->m_recentFiles.GetCount());
    EXPECT_STREQ(L"C:\\3.mp4", history->m_recentFiles.GetAt(0));
    history->AddRecentPlaylist(L"C:\\b.playlist");
    EXPECT_EQ(0, history->m_recentPlaylists.GetCount());

    history->Save();
    history = Restart();
    EXPECT_EQ(2, history->m_recentFiles.GetCount());
    EXPECT_STREQ(L"", m_app.GetProfileString(L"Data\\Recent Playlists", L"01", L""));
}

TEST_F(PlayerHistory, InitialFolderByKind)
{
    std::unique_ptr<CPlayerHistory> history = Restart();
    struct Case {
        const char* name;
        int kind;
        const wchar_t* lastFolder;
        const wchar_t* recentFile;
        const wchar_t* recentPlaylist;
        const wchar_t* expected;  // null: My Videos
    } cases[] = {
        {"media: newest recent file", INITIAL_FOLDER_MEDIA, L"C:\\Last", L"C:\\Media\\a.mp4", nullptr, L"C:\\Media"},
        {"media: last folder", INITIAL_FOLDER_MEDIA, L"C:\\Last", nullptr, L"C:\\Lists\\a.m3u", L"C:\\Last"},
        {"playlist: newest playlist", INITIAL_FOLDER_PLAYLIST, L"C:\\Last", L"C:\\Media\\a.mp4", L"C:\\Lists\\a.m3u",
         L"C:\\Lists"},
        {"playlist: my videos", INITIAL_FOLDER_PLAYLIST, L"C:\\Last", L"C:\\Media\\a.mp4", nullptr, nullptr},
        {"last: last folder first", INITIAL_FOLDER_LAST, L"C:\\Last", L"C:\\Media\\a.mp4", nullptr, L"C:\\Last"},
        {"last: then recent file", INITIAL_FOLDER_LAST, L"", L"C:\\Media\\a.mp4", nullptr, L"C:\\Media"},
        {"other: then playlist", 0, L"", nullptr, L"C:\\Lists\\a.m3u", L"C:\\Lists"},
        {"other: nothing", 0, L"", nullptr, nullptr, nullptr},
    };
    for (const Case& c : cases) {
        g_playerSettings.m_strLastFolder = c.lastFolder;
        history->ClearRecentFiles();
        history->ClearRecentPlaylists();
        if (c.recentFile)
            history->AddRecentFile(c.recentFile);
        if (c.recentPlaylist)
            history->AddRecentPlaylist(c.recentPlaylist);
        CString expected = c.expected ? CString(c.expected) : GetMyVideosFolder(false);
        EXPECT_STREQ(expected, history->GetInitialFolder(c.kind)) << c.name;
    }
}

}  // namespace
