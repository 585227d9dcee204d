// The conversion tool's settings and recent lists in the registry: defaults on a fresh profile,
// the value names and sections other versions read, the Overwrite policy and the state looks.
#include "conversion/app/CConversionRecentLists.h"
#include "conversion/app/CConversionSettings.h"
#include "classlib/CWinApp.h"
#include "conversion/engine/CConvertTaskRecord.h"
#include "conversion/engine/ShellOperations.h"
#include "framework/system/ShellHelpers.h"
#include "tests/framework/RegistrySandbox.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

class ConversionProfile : public ::testing::Test {
protected:
    ConversionProfile() : m_app(L"Kavri Media Fetcher") { m_app.SetRegistryKey(L"Kavri Helper"); }
    void SetUp() override { ASSERT_TRUE(m_sandbox.IsReady()); }

    int ReadInt(LPCWSTR section, LPCWSTR key) { return static_cast<int>(m_app.GetProfileInt(section, key, -999)); }
    CString ReadText(LPCWSTR section, LPCWSTR key) { return m_app.GetProfileString(section, key, L"<none>"); }

    RegistrySandbox m_sandbox;
    CWinApp m_app;
};

TEST_F(ConversionProfile, FreshProfileGivesTheDefaults)
{
    CConversionSettings settings;
    ASSERT_EQ(0, settings.LoadSettings());
    EXPECT_EQ(1, settings.m_showStatusBar);
    EXPECT_EQ(1, settings.m_autoCheckUpdate);
    EXPECT_EQ(1, settings.m_autoCheckUpdateDays);
    EXPECT_EQ(-1, settings.m_mainWindowLeft);
    EXPECT_EQ(-1, settings.m_mainWindowTop);
    EXPECT_EQ(0, settings.m_mainWindowWidth);
    EXPECT_EQ(0, settings.m_mainWindowHeight);
    EXPECT_EQ(0, settings.GetOverwritePolicy());
    EXPECT_EQ(0, settings.GetAutoCloseOverwriteDlg());
    EXPECT_TRUE(settings.m_convert.m_formatId.IsEmpty());
}

TEST_F(ConversionProfile, SaveWritesTheNamesOtherVersionsReadAndLoadReadsThemBack)
{
    CConversionSettings saved;
    saved.m_autoCheckUpdate = 0;
    saved.m_autoCheckUpdateDays = 7;
    CMainWindowPlacement placement;  // as the main window hands it over when it is destroyed
    placement.nLeft = 10;
    placement.nTop = 20;
    placement.nWidth = 800;
    placement.nHeight = 600;
    saved.SetMainWindowPlacement(placement);
    saved.m_alwaysOnTop = 5;  // any non-zero flag is stored as 1
    saved.m_activePage = 3;
    saved.m_showStatusBar = 0;
    saved.SetAutoCloseOverwriteDlg(1);
    saved.SetOverwritePolicy(12);
    saved.m_lastFileFilterIndex = 2;
    saved.m_lastFolder = L"C:\\Clips";
    saved.m_lastScanSubfolders = 1;
    saved.m_mux.m_sameAsInput = 1;
    saved.m_concatenate.m_deleteSourceFiles = 1;
    saved.m_extract.m_formatId = L"AF_mp3";
    saved.m_extract.m_presetName = L"MP3 - 192 kbps";
    saved.m_convert.m_formatId = L"VF_mp4";
    saved.m_convert.m_presetName = L"H.264 - HD 720p";
    saved.m_convert.m_sameAsInput = 1;
    ASSERT_EQ(0, saved.SaveSettings());

    struct Stored {
        LPCWSTR section;
        LPCWSTR key;
        int value;
    };
    const Stored ints[] = {
        {L"Settings", L"AutoCheckUpdate", 0},        {L"Settings", L"AutoCheckUpdateDays", 7},
        {L"Settings", L"MainWindow.Left", 10},       {L"Settings", L"MainWindow.Top", 20},
        {L"Settings", L"MainWindow.Width", 800},     {L"Settings", L"MainWindow.Height", 600},
        {L"Settings", L"AlwaysOnTop", 1},            {L"Settings", L"ActivePage", 3},
        {L"Settings", L"ShowStatusBar", 0},          {L"Settings", L"AutoCloseOverwriteDlg", 1},
        {L"Settings", L"Overwrite", 12},             {L"Settings", L"LastFileFilterIndex", 2},
        {L"Settings", L"LastScanSubfolders", 1},     {L"Settings\\Mux", L"SameAsInput", 1},
        {L"Settings\\Mux", L"DeleteSourceFiles", 0}, {L"Settings\\Concatenate", L"DeleteSourceFiles", 1},
        {L"Settings\\Extract", L"SameAsInput", 0},   {L"Settings\\Convert", L"SameAsInput", 1},
    };
    for (const Stored& s : ints)
        EXPECT_EQ(s.value, ReadInt(s.section, s.key)) << s.section << L"\\" << s.key;
    EXPECT_STREQ(L"C:\\Clips", ReadText(L"Settings", L"LastFolder"));
    EXPECT_STREQ(L"AF_mp3", ReadText(L"Settings\\Extract", L"MediaFormatID"));
    EXPECT_STREQ(L"H.264 - HD 720p", ReadText(L"Settings\\Convert", L"MediaFormatPresetName"));
    // The pages without a format choice keep none.
    EXPECT_STREQ(L"<none>", ReadText(L"Settings\\Mux", L"MediaFormatID"));

    CConversionSettings loaded;
    ASSERT_EQ(0, loaded.LoadSettings());
    EXPECT_EQ(7, loaded.m_autoCheckUpdateDays);
    CMainWindowPlacement back = loaded.GetMainWindowPlacement();
    EXPECT_EQ(10, back.nLeft);
    EXPECT_EQ(20, back.nTop);
    EXPECT_EQ(800, back.nWidth);
    EXPECT_EQ(600, back.nHeight);
    EXPECT_EQ(1, loaded.m_alwaysOnTop);
    EXPECT_EQ(12, loaded.GetOverwritePolicy());
    EXPECT_STREQ(L"C:\\Clips", loaded.m_lastFolder);
    EXPECT_STREQ(L"MP3 - 192 kbps", loaded.m_extract.m_presetName);
    EXPECT_STREQ(L"VF_mp4", loaded.m_convert.m_formatId);
    EXPECT_EQ(1, loaded.m_concatenate.m_deleteSourceFiles);
}

TEST_F(ConversionProfile, AMissingKeyKeepsTheCurrentValue)
{
    m_app.WriteProfileInt(L"Settings", L"ActivePage", 2);
    CConversionSettings settings;
    settings.m_mainWindowWidth = 640;
    settings.LoadSettings();
    EXPECT_EQ(2, settings.m_activePage);
    EXPECT_EQ(640, settings.m_mainWindowWidth);
}

TEST_F(ConversionProfile, AnUnknownStoredOverwriteValueAsks)
{
    struct Case {
        int stored;
        int policy;
    };
    const Case cases[] = {{0, 0}, {11, 11}, {12, 12}, {13, 13}, {1, 0}, {2, 0}, {3, 0}, {14, 0}, {-1, 0}};
    for (const Case& c : cases) {
        m_app.WriteProfileInt(L"Settings", L"Overwrite", c.stored);
        CConversionSettings settings;
        settings.LoadSettings();
        EXPECT_EQ(c.policy, settings.GetOverwritePolicy()) << "stored " << c.stored;
        settings.SaveSettings();
        EXPECT_EQ(c.policy, ReadInt(L"Settings", L"Overwrite")) << "stored " << c.stored;
    }
}

TEST(ConversionSettings, ASaveThatCannotWriteSaysSo)
{
    CWinApp app(L"Kavri Media Fetcher");  // no registry key: every write fails
    CConversionSettings settings;
    EXPECT_EQ(-1, settings.SaveSettings());
}

TEST(ConversionSettings, AProfileSaveThatCannotWriteSaysSo)
{
    CWinApp app(L"Kavri Media Fetcher");  // no registry key: every write fails
    CConversionSettings settings;
    EXPECT_FALSE(settings.SaveProfile());
}

TEST(ConversionSettings, TaskStatesMapToIconsAndColours)
{
    struct IconCase {
        int status;
        int icon;
    };
    const IconCase icons[] = {{0, -1},
                              {TASK_STATUS_BUSY, 2},
                              {TASK_STATUS_CONVERTING, 2},
                              {TASK_STATUS_CANCELED, 6},
                              {TASK_STATUS_SKIPPED, 4},
                              {TASK_STATUS_FAILED, 5},
                              {TASK_STATUS_COMPLETED, 3},
                              {TASK_STATUS_UNCHANGED, -2},
                              {301, -2}};
    for (const IconCase& c : icons)
        EXPECT_EQ(c.icon, CConversionSettings::GetStateIcon(c.status)) << "status " << c.status;

    struct ColourCase {
        int code;
        COLORREF colour;
    };
    const ColourCase colours[] = {{0, 0xFFFFFF}, {TASK_COLOUR_BUSY, 0x00A0FF}, {TASK_COLOUR_CONVERTING, 0xFFC000}, {1, 0}, {-2, 0}};
    for (const ColourCase& c : colours)
        EXPECT_EQ(c.colour, CConversionSettings::GetStateColour(c.code)) << "code " << c.code;
}

// ---- Recent lists

std::vector<std::wstring> Entries(const CMRUList& list)
{
    std::vector<std::wstring> entries;
    for (int i = 0; i < list.GetCount(); i++)
        entries.push_back(static_cast<LPCWSTR>(list.GetAt(i)));
    return entries;
}

std::vector<std::wstring> SeededFolders()
{
    std::vector<std::wstring> folders;
    for (const CString& folder : {GetMyVideosFolder(false), GetMyMusicFolder(false)}) {
        if (!folder.IsEmpty())
            folders.push_back(static_cast<LPCWSTR>(folder));
    }
    return folders;
}

TEST_F(ConversionProfile, AFreshOutputFolderListStartsWithMyVideosThenMyMusic)
{
    CConversionRecentLists lists;
    ASSERT_EQ(0, lists.Load());
    EXPECT_FALSE(SeededFolders().empty());
    EXPECT_EQ(SeededFolders(), Entries(lists.m_outputFolders));
    EXPECT_EQ(0, lists.m_inputFiles.GetCount());
}

TEST_F(ConversionProfile, AClearedOutputFolderListIsSeededAgainAtTheNextStart)
{
    CConversionRecentLists lists;
    lists.Load();
    lists.m_outputFolders.m_entries.RemoveAll();
    lists.Save();

    CConversionRecentLists restarted;
    restarted.Load();
    EXPECT_EQ(SeededFolders(), Entries(restarted.m_outputFolders));
}

TEST_F(ConversionProfile, ListsKeepTwentyNewestFirstInTheirOwnSections)
{
    CConversionRecentLists lists;
    lists.Load();
    for (int i = 1; i <= 25; i++) {
        CString path;
        path.Format(L"C:\\in\\clip%02d.mp4", i);
        lists.m_inputFiles.Add(path);
    }
    lists.m_inputVideoFiles.Add(L"C:\\v.mp4");
    lists.m_inputAudioFiles.Add(L"C:\\a.m4a");
    lists.m_outputFolders.Add(L"D:\\Out");
    lists.Save();

    EXPECT_STREQ(L"C:\\in\\clip25.mp4", ReadText(L"Data\\Recent Input Files", L"01"));
    EXPECT_STREQ(L"C:\\in\\clip06.mp4", ReadText(L"Data\\Recent Input Files", L"20"));
    EXPECT_STREQ(L"<none>", ReadText(L"Data\\Recent Input Files", L"21"));
    EXPECT_STREQ(L"C:\\v.mp4", ReadText(L"Data\\Recent Input Video Files", L"01"));
    EXPECT_STREQ(L"C:\\a.m4a", ReadText(L"Data\\Recent Input Audio Files", L"01"));
    EXPECT_STREQ(L"D:\\Out", ReadText(L"Data\\Recent Output Folders", L"01"));

    CConversionRecentLists loaded;
    loaded.Load();
    EXPECT_EQ(20, loaded.m_inputFiles.GetCount());
    EXPECT_STREQ(L"C:\\in\\clip25.mp4", loaded.m_inputFiles.GetAt(0));
    EXPECT_STREQ(L"D:\\Out", loaded.m_outputFolders.GetAt(0));
}

}  // namespace
