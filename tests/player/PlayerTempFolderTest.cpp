// The player's temporary folder: the names it makes, and that only those files are ever
// deleted, whatever else lies there or a playlist names.
#include "player/CPlayerSettings.h"
#include "player/playlist/CPlaylistItem.h"
#include "player/playback/PlayerTempFolder.h"
#include "tests/support/TempFolder.h"
#include <gtest/gtest.h>
#include <string>

namespace {

const wchar_t kGuidName[] = L"0123456789abcdef0123456789ABCDEF";

void MakeFile(const std::wstring& path)
{
    HANDLE hFile = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, hFile) << path;
    DWORD written = 0;
    WriteFile(hFile, "x", 1, &written, nullptr);
    CloseHandle(hFile);
}

bool Exists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

class PlayerTempFolder : public testing::Test {
protected:
    PlayerTempFolder()
    {
        m_temp = m_root / L"Temp";
        g_playerSettings = CPlayerSettings();
        g_playerSettings.m_strTempFolder = m_temp.c_str();
    }

    TempFolder m_root;
    std::wstring m_temp;
};

TEST_F(PlayerTempFolder, NewPathsAreGuidNamesInTheFolderWhichIsMadeAsNeeded)
{
    CString first = MakeTempFilePath();
    CString second = MakeTempFilePath();
    EXPECT_TRUE(Exists(m_temp)) << "the folder is made";
    EXPECT_EQ(0, first.Find(m_temp.c_str()));
    EXPECT_EQ(static_cast<int>(m_temp.size()) + 1 + 32, first.GetLength());
    EXPECT_NE(first, second);
    EXPECT_TRUE(IsPlayerTempFile(first));
}

TEST_F(PlayerTempFolder, OnlyGuidNamedFilesDirectlyInTheFolderAreThePlayers)
{
    struct Case {
        const char* name;
        std::wstring path;
        bool players;
    } cases[] = {
        {"guid name", m_temp + L"\\" + kGuidName, true},
        {"guid name through ..", m_temp + L"\\sub\\..\\" + kGuidName, true},
        {"other name", m_temp + L"\\notes.txt", false},
        {"guid name with extension", m_temp + L"\\" + kGuidName + L".jpg", false},
        {"guid name in a subfolder", m_temp + L"\\sub\\" + kGuidName, false},
        {"guid name outside", m_root.Path() + L"\\" + kGuidName, false},
        {"escape by ..", m_temp + L"\\..\\" + kGuidName, false},
        {"the folder itself", m_temp, false},
        {"empty", L"", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.players, IsPlayerTempFile(c.path.c_str())) << c.name;
}

// The setting may be typed with a trailing separator, or with '/' in place of '\'.
TEST_F(PlayerTempFolder, TheFolderIsKnownHoweverTheSettingSpellsIt)
{
    std::wstring slashed = m_temp;
    for (wchar_t& ch : slashed)
        ch = ch == L'\\' ? L'/' : ch;
    for (const std::wstring& setting : {m_temp + L"\\", m_temp + L"\\\\", slashed + L"/"}) {
        g_playerSettings.m_strTempFolder = setting.c_str();
        EXPECT_TRUE(IsPlayerTempFile((m_temp + L"\\" + kGuidName).c_str())) << setting;
        EXPECT_FALSE(IsPlayerTempFile((m_temp + L"\\sub\\" + kGuidName).c_str())) << setting;
    }
}

TEST_F(PlayerTempFolder, ClearingDeletesOnlyThePlayersFiles)
{
    CreateDirectoryW(m_temp.c_str(), nullptr);
    std::wstring ours = m_temp + L"\\" + kGuidName;
    std::wstring theirs = m_temp + L"\\holiday.mp4";
    MakeFile(ours);
    MakeFile(theirs);
    ClearTempFolder();
    EXPECT_FALSE(Exists(ours));
    EXPECT_TRUE(Exists(theirs)) << "a file the player did not make stays";
    EXPECT_TRUE(Exists(m_temp)) << "and so does its folder";

    DeleteFileW(theirs.c_str());
    MakeFile(ours);
    ClearTempFolder();
    EXPECT_FALSE(Exists(m_temp)) << "an emptied folder goes";
}

TEST_F(PlayerTempFolder, AnItemDeletesOnlyItsOwnTemporaryThumbnail)
{
    CreateDirectoryW(m_temp.c_str(), nullptr);
    std::wstring inside = m_temp + L"\\" + kGuidName;
    std::wstring outside = m_root / L"precious.jpg";
    struct Case {
        const char* name;
        std::wstring file;
        DWORD flags;
        bool deleted;
    } cases[] = {
        {"grabbed frame in the temporary folder", inside, ITEM_FLAG_GRABBED_FRAME, true},
        {"not a grabbed frame", inside, ITEM_FLAG_SIDE_IMAGE, false},
        {"flag set on an outside file", outside, ITEM_FLAG_GRABBED_FRAME, false},
    };
    for (const Case& c : cases) {
        MakeFile(c.file);
        CPlaylistItem item;
        item.m_dwFlags = c.flags;
        item.m_strThumbnailFile = c.file.c_str();
        item.Reset();
        EXPECT_EQ(c.deleted, !Exists(c.file)) << c.name;
        EXPECT_STREQ(L"", item.m_strThumbnailFile) << c.name;
    }
}

}  // namespace
