// The video, audio and subtitle track sub-menus of a playlist item, as the context menus of
// the playlist and of the display view show them.
#pragma once

class CMenu;
class CPlaylistItem;

// Empties the three sub-menus at those positions of pMenu and fills them with the item's
// streams: "Auto", "Track #n - [language]" ..., a separator and "Disable"; a grayed "No ..."
// item for a kind without streams. Without an item the sub-menus keep what they hold. -1 when a
// sub-menu is missing, else 0.
int FillTrackMenus(CMenu* pMenu, CPlaylistItem* pItem, int nVideoPos, int nAudioPos, int nSubtitlePos);
