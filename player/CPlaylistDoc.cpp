#include "player/CPlaylistDoc.h"

IMPLEMENT_DYNCREATE(CPlaylistDoc, CDocument)
