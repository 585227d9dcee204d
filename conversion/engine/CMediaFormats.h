// The format registry: every output format of the conversion tool, grouped into categories.
// Built from the built-in formats at start-up, overlaid by the user's stored copy
// "MediaFormats.xml" and written back at exit when something changed. Built and changed on
// the window thread; a conversion thread only reads it during a run.
#pragma once
#include "conversion/engine/CMediaFormatCategory.h"

class CMediaFormats {
public:
    CMediaFormats();
    CMediaFormats(const CMediaFormats&) = delete;
    CMediaFormats& operator=(const CMediaFormats&) = delete;
    virtual ~CMediaFormats() = default;

    // Builds the built-in formats and overlays the stored copy in the data folder; -1 when
    // the built-ins can't be built. A missing or bad stored copy is not an error.
    virtual int Load(LPCWSTR dataFolder);
    // Writes the stored copy when the registry is modified: 0 written, 1 nothing to do, -1 failed.
    virtual int Save();
    // Creates the categories with their formats, each holding its custom preset only.
    virtual int BuildBuiltIns() = 0;

    int SaveIfModified() { return Save(); }
    // Reads the stored copy into the built-ins that Load has just made. When that fails the
    // built-ins are made again with their built-in presets and the registry is marked
    // modified, so the file is written again at exit. A stored copy that exists but can't be
    // read is first moved aside (m_damagedCopyPath); when it can't be moved, nothing is
    // written over it (the path is cleared).
    void ReadOrReset();
    // The first format whose id equals the text in any case, or null.
    CMediaFormat* FindFormat(LPCWSTR id) const;

    CString m_version;
    COwnedPtrArray<CMediaFormatCategory> m_categories;
    int m_modified = 0;  // 1 when the stored copy must be written
    CString m_path;      // of the stored copy; empty until Load
    // Where the last Load moved a damaged stored copy, for the program to tell the user;
    // empty when there was none.
    CString m_damagedCopyPath;

private:
    void ResetAllPresets();
    void SetDamagedCopyAside();
};
