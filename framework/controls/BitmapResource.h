// The program's bitmap resources, loaded for image lists and drawing.
#pragma once
#include "classlib/CGdiObject.h"

// The bitmap resource as a DIB section, FALSE when it is missing. Under Wine a device-dependent
// bitmap (LoadBitmap) takes about ten times as long to load and to add to an image list, for
// the same pixels.
BOOL LoadBitmapResource(CBitmap& bitmap, UINT nBitmapID);
