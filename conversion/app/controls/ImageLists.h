// Image lists made from the program's bitmap resources.
#pragma once
#include "classlib/CImageList.h"

// An image list of cx-pixel square images cut from the bitmap, the mask colour transparent;
// nFlags are the ILC_ colour flags (ILC_MASK is added). FALSE when the bitmap is missing.
BOOL CreateImageListFromBitmap(CImageList& list, UINT nBitmapID, int cx, UINT nFlags, COLORREF crMask);
