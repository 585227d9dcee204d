#include "player/playlist/CPlaylistDoc.h"

IMPLEMENT_DYNCREATE(CPlaylistDoc, CDocument)
