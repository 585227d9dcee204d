// The playlist's tiles and rows drawn into a DIB: the colours of the item states, the
// thumbnail, the labels, the buttons of the hot item, the state overlay, the type icons and the
// definition label that narrow rows leave out.
#include "classlib/CWinApp.h"
#include "player/playback/CItemVideoWnd.h"
#include "player/CPlayerSettings.h"
#include "player/playlist/CPlaylistCtrl.h"
#include "player/playlist/CPlaylistItem.h"
#include "player/windows/PlayerWindows.h"
#include "player/res/PlayerResources.h"
#include "tests/support/DibCanvas.h"
#include "tests/support/WindowHarness.h"
#include <gtest/gtest.h>

namespace {

const COLORREF kRed = RGB(0xFF, 0, 0);
const COLORREF kGridLabelBack = RGB(0x10, 0x10, 0x10);
const COLORREF kListLabelBack = RGB(0x50, 0x50, 0x50);

class PlaylistDrawing : public testing::Test {
protected:
    void SetUp() override
    {
        g_playerSettings = CPlayerSettings();
        g_playerSettings.m_bLoadLastPlaylist = 0;
        ASSERT_TRUE(m_parent.CreateParent(700, 500));
        ASSERT_TRUE(m_ctrl.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 680, 460), &m_parent, IDW_PLAYLIST_CTRL));
        g_pPlaylistCtrl = &m_ctrl;
        g_pVideoWnd = &m_video;
        m_pItem = new CPlaylistItem;
        m_pItem->m_strPath = L"C:\\media\\clip.mp4";
        m_pItem->m_strTitle = L"Title of the clip";
        m_pItem->m_strDurationText = L"0:05";
        m_pItem->m_strDefinitionText = L"HD 720";
        m_pItem->m_nMediaType = MEDIA_TYPE_VIDEO;
        m_pItem->m_thumbnail.Create(g_playerSettings.m_nThumbnailWidth, g_playerSettings.m_nThumbnailHeight, 24);
        for (int y = 0; y < g_playerSettings.m_nThumbnailHeight; ++y) {
            for (int x = 0; x < g_playerSettings.m_nThumbnailWidth; ++x)
                m_pItem->m_thumbnail.SetPixelColorRef(x, y, kRed);
        }
        m_ctrl.AddItem(m_pItem);
    }
    void TearDown() override
    {
        m_ctrl.DestroyWindow();
        m_parent.DestroyWindow();
        g_pPlaylistCtrl = nullptr;
        g_pVideoWnd = nullptr;
    }

    void DrawTile(DibCanvas& canvas, BOOL bForDragImage = FALSE)
    {
        m_ctrl.DrawGridItemEx(&canvas.m_dc, 0, 0, 0, m_ctrl.m_nTileWidth, m_ctrl.m_nTileHeight, bForDragImage);
    }
    CRect Thumbnail() const
    {
        return CRect(5, 5, 5 + g_playerSettings.m_nThumbnailWidth, 5 + g_playerSettings.m_nThumbnailHeight);
    }
    CRect TitleArea() const
    {
        return CRect(5, Thumbnail().bottom + 1, m_ctrl.m_nTileWidth - 5, m_ctrl.m_nTileHeight);
    }
    void SetPlaying(int nState)
    {
        m_video.m_pCurrentItem = m_pItem;
        m_pItem->m_nPlayState = nState;
    }

    RecordingParent m_parent;
    CPlaylistCtrl m_ctrl;
    CItemVideoWnd m_video;
    CPlaylistItem* m_pItem = nullptr;  // the row owns it
};

TEST_F(PlaylistDrawing, TileColoursFollowTheItemState)
{
    struct Case {
        const char* name;
        bool selected, hot, dragged, missing;
        int playState;  // 0: not the current item
        COLORREF edge;  // beside the thumbnail, outside its frame
        COLORREF text;  // a colour the title uses; 0: no title, the tile's colour only
    } cases[] = {
        {"plain", false, false, false, false, 0, 0x202020, 0xC0C0C0},
        {"selected", true, false, false, false, 0, 0x808080, 0xFFFFFF},
        {"hot", false, true, false, false, 0, 0x303030, 0xFFFFFF},
        {"in a drag image", false, false, true, false, 0, 0x808080, 0xFFFFFF},
        {"playing: the live picture, no title", false, false, false, false, PLAYER_STATE_PLAYING, 0x303030, 0},
        {"paused and selected", true, false, false, false, PLAYER_STATE_PAUSED, 0x303030, 0xFFFFFF},
        {"missing file", true, false, false, true, 0, 0x808080, 0x606060},
    };
    for (const Case& c : cases) {
        m_ctrl.SelectItem(0, c.selected, TRUE, FALSE, FALSE);
        m_ctrl.SetHotItem(c.hot ? 0 : -1, FALSE);
        m_pItem->m_dwState = c.missing ? ITEM_STATE_MISSING : 0;
        m_video.m_pCurrentItem = nullptr;
        if (c.playState)
            SetPlaying(c.playState);
        DibCanvas canvas(m_ctrl.m_nTileWidth, m_ctrl.m_nTileHeight);
        DrawTile(canvas, c.dragged);
        EXPECT_EQ(c.edge, canvas.At(2, 60)) << c.name;
        EXPECT_EQ(0x202020u, canvas.At(0, 0)) << c.name << ": corners stay the control's colour";
        CRect title = TitleArea();
        if (c.text)
            EXPECT_GT(canvas.Count(title, c.text), 0) << c.name;
        else
            EXPECT_EQ(title.Width() * title.Height(), canvas.Count(title, c.edge)) << c.name;
        EXPECT_EQ(kRed, canvas.At(Thumbnail().CenterPoint().x, Thumbnail().CenterPoint().y)) << c.name;
    }
}

TEST_F(PlaylistDrawing, APlainTileFramesItsThumbnail)
{
    DibCanvas canvas(m_ctrl.m_nTileWidth, m_ctrl.m_nTileHeight);
    DrawTile(canvas);
    EXPECT_EQ(0x303030u, canvas.At(4, 4));
    EXPECT_EQ(0x303030u, canvas.At(4 + g_playerSettings.m_nThumbnailWidth + 1, 60));
    int nWithTitle = m_ctrl.m_nTileHeight;
    EXPECT_GT(nWithTitle, g_playerSettings.m_nThumbnailHeight + 20) << "room for one title line";
    g_playerSettings.m_bShowTitle = 0;
    m_ctrl.UpdateTileSize();
    EXPECT_EQ(g_playerSettings.m_nThumbnailHeight + 10, m_ctrl.m_nTileHeight);
    EXPECT_EQ(g_playerSettings.m_nThumbnailWidth + 10, m_ctrl.m_nTileWidth);
}

TEST_F(PlaylistDrawing, LabelsButtonsAndOverlaysOnTheThumbnail)
{
    CRect thumb = Thumbnail();
    CRect durationCorner(thumb.right - 40, thumb.bottom - 17, thumb.right - 3, thumb.bottom - 3);
    CRect definitionCorner(thumb.left + 3, thumb.top + 3, thumb.left + 50, thumb.top + 17);
    CRect playButton(thumb.left, thumb.bottom - 40, thumb.left + 40, thumb.bottom);
    CRect deleteButton(thumb.right - 24, thumb.top, thumb.right, thumb.top + 24);
    struct Case {
        const char* name;
        int showDuration, showDefinition;
        bool hot;
        int playState;
        bool duration, definition, buttons, overlay;
    } cases[] = {
        {"labels", 1, 1, false, 0, true, true, false, false},
        {"labels off", 0, 0, false, 0, false, false, false, false},
        {"hot: play and delete", 0, 0, true, 0, false, false, true, false},
        {"playing: the state instead of the buttons", 0, 0, true, PLAYER_STATE_PLAYING, false, false, false, true},
    };
    for (const Case& c : cases) {
        g_playerSettings.m_bShowDuration = c.showDuration;
        g_playerSettings.m_bShowDefinition = c.showDefinition;
        m_ctrl.SetHotItem(c.hot ? 0 : -1, FALSE);
        m_video.m_pCurrentItem = nullptr;
        if (c.playState)
            SetPlaying(c.playState);
        DibCanvas canvas(m_ctrl.m_nTileWidth, m_ctrl.m_nTileHeight);
        DrawTile(canvas);
        EXPECT_EQ(c.duration, canvas.Count(durationCorner, kGridLabelBack) > 0) << c.name;
        EXPECT_EQ(c.definition, canvas.Count(definitionCorner, kGridLabelBack) > 0) << c.name;
        bool bPlayDrawn = canvas.Count(playButton, kRed) < playButton.Width() * playButton.Height();
        bool bDeleteDrawn = canvas.Count(deleteButton, kRed) < deleteButton.Width() * deleteButton.Height();
        EXPECT_EQ(c.buttons || c.overlay, bPlayDrawn) << c.name;
        EXPECT_EQ(c.buttons, bDeleteDrawn) << c.name;
    }
}

TEST_F(PlaylistDrawing, TypeIconsShowWhereThereIsNoPicture)
{
    CRect centre(Thumbnail().CenterPoint().x - 16, Thumbnail().CenterPoint().y - 16, Thumbnail().CenterPoint().x + 16,
                 Thumbnail().CenterPoint().y + 16);
    struct Case {
        const char* name;
        int mediaType;
        bool thumbnail;
        bool icon;
    } cases[] = {
        {"video with a picture", MEDIA_TYPE_VIDEO, true, false},
        {"video without one", MEDIA_TYPE_VIDEO, false, true},
        {"audio with a cover", MEDIA_TYPE_AUDIO, true, true},
        {"audio without one", MEDIA_TYPE_AUDIO, false, true},
        {"subtitles", MEDIA_TYPE_SUBTITLE, false, false},
    };
    g_playerSettings.m_bShowDuration = g_playerSettings.m_bShowDefinition = 0;
    CRasterImage saved;
    saved.MoveFrom(m_pItem->m_thumbnail);
    for (const Case& c : cases) {
        m_pItem->m_nMediaType = c.mediaType;
        m_pItem->m_thumbnail.Destroy();
        if (c.thumbnail)
            m_pItem->m_thumbnail.Create(saved.GetWidth(), saved.GetHeight(), 24);
        DibCanvas canvas(m_ctrl.m_nTileWidth, m_ctrl.m_nTileHeight);
        DrawTile(canvas);
        int nBlack = canvas.Count(centre, RGB(0, 0, 0));
        EXPECT_EQ(c.icon, nBlack < centre.Width() * centre.Height()) << c.name;
    }
}

TEST_F(PlaylistDrawing, ListRowsShowTheDefinitionOnlyWhenWideEnough)
{
    m_ctrl.SetViewMode(PLAYLIST_VIEW_LIST);
    m_pItem->m_strTitle = L"a";
    struct Case {
        const char* name;
        int width;
        bool selected;
        COLORREF back;
        bool label;
    } cases[] = {
        {"wide", 400, false, 0x202020, true},
        {"just wide enough", 240, false, 0x202020, true},
        {"too narrow", 239, false, 0x202020, false},
        {"selected", 400, true, 0x808080, true},
    };
    for (const Case& c : cases) {
        m_ctrl.SelectItem(0, c.selected, TRUE, FALSE, FALSE);
        DibCanvas canvas(c.width, 24);
        m_ctrl.DrawListItemEx(&canvas.m_dc, 0, 0, 0, c.width, 24, FALSE);
        EXPECT_EQ(c.back, canvas.At(2, 1)) << c.name;
        EXPECT_EQ(c.label, canvas.Count(CRect(0, 0, c.width, 24), kListLabelBack) > 0) << c.name;
    }
    EXPECT_EQ(PLAYLIST_VIEW_LIST, g_playerSettings.m_nPlaylistViewStyle) << "the mode is stored";
}

TEST_F(PlaylistDrawing, TheButtonsOfARowAreHitWhereTheyAreDrawn)
{
    struct Case {
        const char* name;
        int mode;
        bool playing;
        CPoint point;
        int button;
    } cases[] = {
        {"grid play", PLAYLIST_VIEW_GRID, false, CPoint(20, 100), ID_PLAYLIST_PLAY},
        {"grid delete", PLAYLIST_VIEW_GRID, false, CPoint(190, 10), ID_PLAYLIST_DELETE},
        {"grid thumbnail", PLAYLIST_VIEW_GRID, false, CPoint(100, 50), -1},
        {"grid play while playing", PLAYLIST_VIEW_GRID, true, CPoint(20, 100), -1},
        {"list play", PLAYLIST_VIEW_LIST, false, CPoint(10, 12), ID_PLAYLIST_PLAY},
        {"list delete", PLAYLIST_VIEW_LIST, false, CPoint(660, 12), ID_PLAYLIST_DELETE},
        {"list title", PLAYLIST_VIEW_LIST, false, CPoint(200, 12), -1},
    };
    for (const Case& c : cases) {
        m_ctrl.SetViewMode(c.mode);
        m_video.m_pCurrentItem = c.playing ? m_pItem : nullptr;
        m_pItem->m_nPlayState = c.playing ? PLAYER_STATE_PLAYING : 0;
        CRect item;
        m_ctrl.GetItemRect(0, &item);
        CPoint point = item.TopLeft() + c.point;
        EXPECT_EQ(c.button, m_ctrl.ButtonHitTest(0, point)) << c.name;
    }
}

}  // namespace
