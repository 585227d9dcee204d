// The player's settings in a sandboxed profile: defaults, clamps and what is never written.
#include "player/CPlayerSettings.h"
#include "player/CPlayerAppSettings.h"
#include "player/CPlayerHistory.h"
#include "tests/player/PlayerProfile.h"

namespace {

const wchar_t kSection[] = L"Settings";

using PlayerSettings = PlayerProfile;

TEST_F(PlayerSettings, AnEmptyProfileGivesTheDefaults)
{
    ASSERT_TRUE(m_sandbox.IsReady());
    CPlayerSettings settings;
    settings.m_nMaxRecentFiles = 4;  // the value in memory is the default of a missing key
    EXPECT_EQ(0, settings.Load());
    EXPECT_EQ(4, settings.m_nMaxRecentFiles);
    EXPECT_EQ(1000, settings.m_nThumbnailTime);
    EXPECT_EQ(192, settings.m_nThumbnailWidth);
    EXPECT_EQ(5, settings.m_nEscToExitFullScreenMode);
}

TEST_F(PlayerSettings, LoadClampsTheRanges)
{
    struct Case {
        const char* name;
        int maxRecentFiles, width, height;
        int expectedFiles, expectedWidth, expectedHeight;
    } cases[] = {
        {"in range", 12, 200, 100, 12, 200, 100},
        {"too many recent files", 45, 192, 108, 30, 192, 108},
        {"negative recent files", -3, 192, 108, 0, 192, 108},
        {"width too large resets both", 10, 500, 150, 10, 192, 108},
        {"height too small resets both", 10, 300, 29, 10, 192, 108},
        {"edges are allowed", 30, 400, 300, 30, 400, 300},
        {"lower edges are allowed", 0, 40, 30, 0, 40, 30},
    };
    for (const Case& c : cases) {
        m_app.WriteProfileInt(kSection, L"MaxRecentFiles", c.maxRecentFiles);
        m_app.WriteProfileInt(kSection, L"Thumbnail.Width", c.width);
        m_app.WriteProfileInt(kSection, L"Thumbnail.Height", c.height);
        CPlayerSettings settings;
        settings.Load();
        EXPECT_EQ(c.expectedFiles, settings.m_nMaxRecentFiles) << c.name;
        EXPECT_EQ(c.expectedWidth, settings.m_nThumbnailWidth) << c.name;
        EXPECT_EQ(c.expectedHeight, settings.m_nThumbnailHeight) << c.name;
    }
}

TEST_F(PlayerSettings, SaveWritesFlagsAsZeroOrOneAndLoadReadsThemBack)
{
    CPlayerSettings settings;
    settings.m_bAlwaysOnTop = 7;
    settings.m_nRepeat = REPEAT_ALL;
    settings.m_nMainWindowLeft = -250;
    settings.m_strLastFolder = L"C:\\Videos \x0416";
    settings.m_bShutDownAfterPlayback = 1;
    settings.Save();
    EXPECT_EQ(1u, m_app.GetProfileInt(kSection, L"AlwaysOnTop", -1));
    EXPECT_EQ(-1, static_cast<int>(m_app.GetProfileInt(kSection, L"ShutDownAfterPlayback", -1)));

    CPlayerSettings loaded;
    loaded.Load();
    EXPECT_EQ(1, loaded.m_bAlwaysOnTop);
    EXPECT_EQ(REPEAT_ALL, loaded.m_nRepeat);
    EXPECT_EQ(-250, loaded.m_nMainWindowLeft);
    EXPECT_STREQ(L"C:\\Videos \x0416", loaded.m_strLastFolder);
    EXPECT_EQ(0, loaded.m_bShutDownAfterPlayback);
}

TEST_F(PlayerSettings, TempFolderIsReadButNeverWritten)
{
    CPlayerSettings settings;
    settings.Load();
    CString expected = settings.GetDefaultPlaylistPath();
    expected.Replace(L"\\Default.playlist", L"\\Temp");
    EXPECT_STREQ(expected, settings.m_strTempFolder);
    settings.Save();
    EXPECT_STREQ(L"", m_app.GetProfileString(kSection, L"TempFolder", L""));

    m_app.WriteProfileString(kSection, L"TempFolder", L"D:\\Thumbs");
    settings.Load();
    EXPECT_STREQ(L"D:\\Thumbs", settings.m_strTempFolder);
}

TEST_F(PlayerSettings, SavesSayWhetherEveryValueWasWritten)
{
    CPlayerSettings settings;
    EXPECT_TRUE(settings.Save());
    ASSERT_EQ(0, g_playerHistory.Load());  // the recent lists learn their sections
    EXPECT_TRUE(g_playerAppSettings.SaveProfile());
}

TEST(PlayerSettingsWithoutProfile, SavesThatCannotWriteSaySo)
{
    CWinApp app(L"Kavri Video Player");  // no registry key: every write fails
    CPlayerSettings settings;
    EXPECT_FALSE(settings.Save());
    EXPECT_FALSE(g_playerAppSettings.SaveProfile());
}

}  // namespace
