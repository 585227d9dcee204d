// Explorer through a recorder, shell icons and image lists as Wine's shell gives them, and the
// player's place beside this program.
#include "conversion/engine/CSystemImageList.h"
#include "conversion/engine/ShellOperations.h"
#include "framework/system/AppFolders.h"
#include "framework/system/ShellCalls.h"
#include "tests/support/TempFolder.h"
#include <gtest/gtest.h>
#include <string>

namespace {

std::wstring g_file, g_parameters;
INT g_show = 0;

HINSTANCE WINAPI RecordShellExecute(HWND, LPCWSTR, LPCWSTR file, LPCWSTR parameters, LPCWSTR, INT show)
{
    g_file = file ? file : L"";
    g_parameters = parameters ? parameters : L"";
    g_show = show;
    return reinterpret_cast<HINSTANCE>(42);
}

TEST(ShellOperationsTest, ExplorerSelectsOrOpens)
{
    CShellCalls saved = ShellCalls();
    ShellCalls().pfnShellExecute = RecordShellExecute;
    // A path that doesn't exist has no short form and goes as it is.
    EXPECT_EQ(0, ExploreSelect(L"C:\\no such\\out, 1.mp4"));
    std::wstring select = g_parameters;
    EXPECT_EQ(0, ExploreFolder(L"C:\\no such"));
    std::wstring open = g_parameters;
    ShellCalls() = saved;
    EXPECT_EQ(L"explorer.exe", g_file);
    EXPECT_EQ(SW_SHOWNORMAL, g_show);
    EXPECT_EQ(L"/select,\"C:\\no such\\out, 1.mp4\"", select);
    EXPECT_EQ(L"/e,\"C:\\no such\"", open);
}

TEST(ShellOperationsTest, ShellIcons)
{
    TempFolder folder;
    EXPECT_GE(GetShellIconIndex(folder.Path().c_str(), true, false), 0);
    EXPECT_GE(GetShellIconIndex(L"C:\\not there.txt", false, false), 0) << "the file need not exist";
    CSystemImageList lists;
    EXPECT_EQ(nullptr, lists.GetImageList(1)) << "nothing before Load";
    ASSERT_EQ(0, lists.Load());
    ASSERT_NE(nullptr, lists.GetImageList(1));
    ASSERT_NE(nullptr, lists.GetImageList(0));
    EXPECT_EQ(nullptr, lists.GetImageList(2));
    EXPECT_GT(lists.GetImageList(1)->GetImageCount(), 0);
    int cxSmall = 0, cySmall = 0, cxLarge = 0, cyLarge = 0;
    ImageList_GetIconSize(*lists.GetImageList(1), &cxSmall, &cySmall);
    ImageList_GetIconSize(*lists.GetImageList(0), &cxLarge, &cyLarge);
    EXPECT_LT(cxSmall, cxLarge);
    EXPECT_EQ(CLR_NONE, lists.GetImageList(1)->GetBkColor());
}

TEST(ShellOperationsTest, SystemListsOutliveTheirBorrower)
{
    HIMAGELIST hSmall = nullptr;
    {
        CSystemImageList lists;
        ASSERT_EQ(0, lists.Load());
        hSmall = *lists.GetImageList(1);
    }
    EXPECT_GT(ImageList_GetImageCount(hSmall), 0) << "the shell's list was not destroyed";
}

TEST(ShellOperationsTest, Folders)
{
    EXPECT_EQ(GetAppFolder() + L"\\KavriVideoPlayer.exe", GetPlayerPath());
    EXPECT_FALSE(GetMyMusicFolder(false).IsEmpty());
}

}  // namespace
