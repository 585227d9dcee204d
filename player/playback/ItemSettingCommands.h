// The commands that change how one playlist item plays: rotation, picture filters, speed and
// volume (each id sets its value, or the normal one when the item has it already), and the
// choice of its video, audio and subtitle tracks. The display view applies them to the item
// playing, the playlist view to the selected one.
#pragma once
#include <windows.h>

class CCmdUI;
class CPlaylistEntry;
class CPlaylistItem;

// true when the id is one of the setting commands (the item changed).
bool ApplyItemSetting(CPlaylistEntry& entry, UINT nID);
// Enabled with an item; checked while the item has the command's value.
void UpdateItemSetting(const CPlaylistEntry* pEntry, CCmdUI* pCmdUI);

// A track id: the stream of its kind := id - base of the kind (-2 off, -1 automatic). true when
// that changed the item's choice, false when it was the choice already or the id is no track.
bool ApplyTrackChoice(CPlaylistItem& item, UINT nID);
// Checked on the item's choice, when it has streams of the kind.
void UpdateTrackChoice(const CPlaylistItem* pItem, CCmdUI* pCmdUI);
