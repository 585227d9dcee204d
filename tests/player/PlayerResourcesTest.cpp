// The player's resources as the program carries them: the icons in the order the shell counts
// them for file associations, every bitmap at the size its image list expects, and the
// placeholders of the context menus' track sub-menus.
#include "classlib/CMenu.h"
#include "player/playback/TrackMenus.h"
#include "player/res/PlayerResources.h"
#include <windows.h>
#include <gtest/gtest.h>
#include <vector>

namespace {

BOOL CALLBACK CollectIconGroup(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR param)
{
    auto* ids = reinterpret_cast<std::vector<int>*>(param);
    ids->push_back(IS_INTRESOURCE(name) ? static_cast<int>(reinterpret_cast<ULONG_PTR>(name)) : -1);
    return TRUE;
}

TEST(PlayerResources, IconsCountInTheOrderOfTheAssociationIndexes)
{
    std::vector<int> ids;
    EnumResourceNamesW(GetModuleHandleW(nullptr), RT_GROUP_ICON, &CollectIconGroup, reinterpret_cast<LONG_PTR>(&ids));
    // 0 the program, 1 ".playlist", 2 video, 3 audio, 4 playlist (a file type's icon index), then the frame's.
    const std::vector<int> expected = {IDI_PLAYER_APP, IDI_PLAYLIST_DOC,  IDI_VIDEO_FILE,
                                       IDI_AUDIO_FILE, IDI_PLAYLIST_FILE, IDR_MAINFRAME};
    EXPECT_EQ(expected, ids);
    for (int id : ids) {
        HICON hIcon = static_cast<HICON>(
            LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_ICON, 16, 16, 0));
        EXPECT_NE(nullptr, hIcon) << id;
        DestroyIcon(hIcon);
    }
}

TEST(PlayerResources, BitmapsHoldTheirImagesAtTheirSizes)
{
    struct Case {
        int id;
        int cx;  // one image
        int cy;
        int count;
    };
    const Case cases[] = {
        {IDB_BAR_PLAY, 32, 32, 5},         {IDB_BAR_PAUSE, 32, 32, 5},          {IDB_BAR_STOP, 32, 32, 5},
        {IDB_BAR_PREVIOUS, 32, 32, 5},     {IDB_BAR_NEXT, 32, 32, 5},           {IDB_BAR_FULL_SCREEN, 32, 32, 5},
        {IDB_BAR_RESTORE, 32, 32, 5},      {IDB_BAR_TO_DISPLAY, 32, 32, 5},     {IDB_BAR_TO_PLAYLIST, 32, 32, 5},
        {IDB_BAR_ZOOM, 32, 32, 5},         {IDB_BAR_VOLUME_LOW, 32, 32, 5},     {IDB_BAR_VOLUME_HIGH, 32, 32, 5},
        {IDB_BAR_MUTED, 32, 32, 5},        {IDB_SEEK_SLIDER, 12, 24, 4},        {IDB_VOLUME_SLIDER, 20, 24, 4},
        {IDB_SEEK_CAPS, 3, 24, 2},         {IDB_TILE_CORNERS, 5, 5, 4},         {IDB_GRID_STATE, 40, 40, 2},
        {IDB_LIST_STATE, 20, 20, 2},       {IDB_GRID_DELETE_BUTTON, 24, 24, 3}, {IDB_LIST_DELETE_BUTTON, 20, 20, 3},
        {IDB_GRID_PLAY_BUTTON, 40, 40, 3}, {IDB_LIST_PLAY_BUTTON, 20, 20, 3},   {IDB_GRID_TYPES, 32, 32, 2},
        {IDB_LIST_TYPES, 16, 16, 2},       {IDB_GRID_LABEL, 4, 14, 3},          {IDB_LIST_LABEL, 4, 14, 3},
        {IDB_BUSY_DOTS, 16, 16, 2},
    };
    for (const Case& c : cases) {
        HBITMAP hBitmap = static_cast<HBITMAP>(
            LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(c.id), IMAGE_BITMAP, 0, 0, 0));
        ASSERT_NE(nullptr, hBitmap) << c.id;
        BITMAP info = {};
        GetObjectW(hBitmap, sizeof(info), &info);
        EXPECT_EQ(c.cx * c.count, info.bmWidth) << c.id;
        EXPECT_EQ(c.cy, info.bmHeight) << c.id;
        DeleteObject(hBitmap);
    }
}

TEST(PlayerResources, StartButtonImagesAreThere)
{
    for (int id : {IDR_OPEN_FILES_NORMAL, IDR_OPEN_FILES_HOT}) {
        HRSRC hResource = FindResourceW(nullptr, MAKEINTRESOURCEW(id), L"PNG");
        ASSERT_NE(nullptr, hResource) << id;
        EXPECT_GT(SizeofResource(nullptr, hResource), 8u) << id;
    }
    EXPECT_NE(nullptr, LoadCursorW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDC_LINK_HAND)));
}

TEST(PlayerResources, TrackSubMenusWithoutAnItemKeepTheirPlaceholder)
{
    struct Case {
        const char* name;
        int popup, video, audio, subtitles;
    } cases[] = {
        {"display view", POPUP_PLAYVIEW, POPUP_PLAYVIEW_VIDEO_TRACK, POPUP_PLAYVIEW_AUDIO_TRACK,
         POPUP_PLAYVIEW_SUBTITLE_TRACK},
        {"playlist item", POPUP_PLAYLISTVIEW, POPUP_PLAYLISTVIEW_VIDEO_TRACK, POPUP_PLAYLISTVIEW_AUDIO_TRACK,
         POPUP_PLAYLISTVIEW_SUBTITLE_TRACK},
    };
    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDR_PLAYER_POPUP));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CMenu* pPopup = menu.GetSubMenu(c.popup);
        ASSERT_NE(nullptr, pPopup);
        EXPECT_EQ(0, FillTrackMenus(pPopup, nullptr, c.video, c.audio, c.subtitles));
        for (int nPos : {c.video, c.audio, c.subtitles}) {
            HMENU hTracks = ::GetSubMenu(pPopup->m_hMenu, nPos);
            ASSERT_EQ(1, ::GetMenuItemCount(hTracks)) << nPos;
            wchar_t text[32] = {};
            ::GetMenuStringW(hTracks, 0, text, 32, MF_BYPOSITION);
            EXPECT_STREQ(L"N/A", text) << nPos;
            EXPECT_TRUE(::GetMenuState(hTracks, 0, MF_BYPOSITION) & MF_GRAYED) << nPos;
        }
    }
}

}  // namespace
