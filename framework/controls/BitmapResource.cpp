#include "framework/controls/BitmapResource.h"
#include "classlib/AfxModule.h"

BOOL LoadBitmapResource(CBitmap& bitmap, UINT nBitmapID)
{
    HGDIOBJ hBitmap = ::LoadImageW(AfxGetResourceHandle(), MAKEINTRESOURCEW(nBitmapID), IMAGE_BITMAP, 0, 0,
                                   LR_CREATEDIBSECTION);
    if (hBitmap && bitmap.Attach(hBitmap))
        return TRUE;
    if (hBitmap)
        ::DeleteObject(hBitmap);
    return FALSE;
}
