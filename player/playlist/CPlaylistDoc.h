// The player's document: empty. It exists for the document template and the recent-files
// mechanism; the playlist itself lives in the playlist control.
#pragma once
#include "classlib/CDocument.h"

class CPlaylistDoc : public CDocument {
    DECLARE_DYNCREATE(CPlaylistDoc)
};
