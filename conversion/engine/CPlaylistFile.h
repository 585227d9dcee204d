// The conversion tool's own lists of files: ".m3u" (one path a line, ANSI) and ".pls" (an INI
// section "Playlist" with "NumberOfEntries" and "File1", "File2", ...). Reading appends the
// listed paths to the array; relative entries are taken from the list's own folder.
#pragma once
#include "classlib/CArray.h"
#include "classlib/CString.h"

class CPlaylistFile {
public:
    virtual ~CPlaylistFile() = default;
    // 0, or -1 when the list is missing or can't be read.
    virtual int Read(LPCWSTR path, CStringArray& files) = 0;
    virtual int Write(LPCWSTR path, const CStringArray& files) = 0;

    // A new reader and writer for an ".m3u" or ".pls" path (any case), else null; the caller
    // deletes it.
    static CPlaylistFile* CreateForPath(LPCWSTR path);
};

// Whether the path ends in ".m3u" or ".pls" (any case).
bool IsPlaylistFile(LPCWSTR path);
