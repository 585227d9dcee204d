#include "conversion/app/controls/ImageLists.h"
#include "classlib/CGdiObject.h"
#include "framework/controls/BitmapResource.h"

BOOL CreateImageListFromBitmap(CImageList& list, UINT nBitmapID, int cx, UINT nFlags, COLORREF crMask)
{
    CBitmap bitmap;
    if (!LoadBitmapResource(bitmap, nBitmapID))
        return FALSE;
    BITMAP info = {};
    bitmap.GetBitmap(&info);
    list.DeleteImageList();
    if (!list.Create(cx, cx, nFlags | ILC_MASK, info.bmWidth / cx, 1))
        return FALSE;
    return list.Add(&bitmap, crMask) >= 0;
}
