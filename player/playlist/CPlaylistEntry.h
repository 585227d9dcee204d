// What the playlist keeps of one row besides its media information: the path, the flags and
// state bits, the thumbnail file and the picture filters the row plays with.
#pragma once
#include "classlib/CString.h"

// flags
const DWORD ITEM_FLAG_URL = 0x1;
const DWORD ITEM_FLAG_PROBED = 0x10;
const DWORD ITEM_FLAG_SIDE_IMAGE = 0x100;   // the thumbnail is an image beside the media file
const DWORD ITEM_FLAG_GRABBED_FRAME = 0x200;  // the thumbnail file is a temporary one of ours
// state
const DWORD ITEM_STATE_MISSING = 0x1;
const DWORD ITEM_STATE_THUMBNAIL = 0x100;
const DWORD ITEM_STATE_TEXTS = 0x1000;

class CPlaylistEntry {
public:
    virtual ~CPlaylistEntry() = default;
    virtual void Reset();
    virtual int ResetFilters();  // 0
    // Deletes the thumbnail file of a grabbed frame. Only a file that lies in the player's
    // temporary folder is ever deleted: the flag and the name may come from a playlist file.
    virtual void DeleteTempThumbnail();

    DWORD m_dwFlags = 0;
    DWORD m_dwState = 0;
    CString m_strPath;
    CString m_strThumbnailFile;
    int m_nPlaySpeed = 100;  // percent: 50, 100, 200
    int m_nRotate = 0;       // degrees
    int m_bFlipH = 0;
    int m_bFlipV = 0;
    int m_bNegate = 0;
    int m_bGrayscale = 0;
    int m_bOldPhoto = 0;
    int m_nVolume = 100;  // percent of the player's volume
};
