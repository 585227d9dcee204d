// The conversion tool's four recent lists, kept in the profile under "Data": the input files
// of the convert, M3U8 and extract pages, the merge page's video and audio inputs, and the
// output folders every page offers. The one object, theConversionRecentLists, is used on the
// window thread.
#pragma once
#include "framework/system/CMRUList.h"

class CConversionRecentLists {
public:
    // Loads every list (at most 20 entries, named "01" to "20"); an empty output-folder list
    // starts as My Videos, then My Music. 0.
    int Load();
    // Saves every list: 0, or -1 when a list could not be saved (that list keeps what the
    // profile held; the others are still saved).
    int Save();

    CMRUFileList m_inputFiles;
    CMRUFileList m_inputVideoFiles;
    CMRUFileList m_inputAudioFiles;
    CMRUFileList m_outputFolders;
};

extern CConversionRecentLists theConversionRecentLists;
