// Lists of files that both programs read and write: ".m3u" (one path a line) and ".pls" (an INI
// section "Playlist" with "NumberOfEntries" and "File1", "File2", ...; without the count the
// numbered entries are read while present). Reading appends the listed paths to the array;
// relative entries are taken from the list's own folder, "file:" URLs as the local paths they
// name. Entries are read at their full length. A list without a byte-order mark is UTF-8 when
// its bytes are valid UTF-8, else in the ANSI code page. A list is written in the ANSI code page while every
// path fits it, else ".m3u" as UTF-8 with a byte-order mark and ".pls" in the profile
// functions' UTF-16 form, so no path is lost. Writes go whole to a file beside the list that
// then replaces it: a failure leaves the old list.
#pragma once
#include "classlib/CArray.h"
#include "classlib/CString.h"

class CPlaylistFile {
public:
    virtual ~CPlaylistFile() = default;
    // 0, or -1 when the list is missing or can't be read.
    virtual int Read(LPCWSTR path, CStringArray& files) = 0;
    // 0, or -1 when the list can't be written or an entry holds a line break. An empty array
    // writes an empty list.
    virtual int Write(LPCWSTR path, const CStringArray& files) = 0;

    // A new reader and writer for an ".m3u" or ".pls" path (any case), else null; the caller
    // deletes it.
    static CPlaylistFile* CreateForPath(LPCWSTR path);
    static CPlaylistFile* CreateM3u();
    static CPlaylistFile* CreatePls();
};

// Whether the path ends in ".m3u" or ".pls" (any case).
bool IsPlaylistFile(LPCWSTR path);
