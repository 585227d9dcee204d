// CImageList: an image list of the common controls. It holds one HIMAGELIST and destroys it
// when destroyed, unless it was detached first.
//
// The drag functions act on the one drag image of the calling thread, made by BeginDrag.
#pragma once
#include "classlib/CDC.h"
#include <commctrl.h>

class CWnd;

class CImageList : public CObject {
    DECLARE_DYNAMIC(CImageList)
public:
    CImageList() : m_hImageList(nullptr) {}
    ~CImageList() override { DeleteImageList(); }

    static CImageList* FromHandle(HIMAGELIST hImageList);
    operator HIMAGELIST() const { return m_hImageList; }
    HIMAGELIST GetSafeHandle() const { return m_hImageList; }
    // Attach fails when the object already holds a list or hImageList is null.
    BOOL Attach(HIMAGELIST hImageList);
    HIMAGELIST Detach();

    // nFlags are the ILC_ flags (colour depth, ILC_MASK).
    BOOL Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow);
    BOOL DeleteImageList();  // FALSE when there is nothing to delete

    // Each Add returns the index of the first new image (a bitmap wider than one image adds
    // several), or -1. A mask colour marks the transparent pixels of the bitmap.
    int Add(CBitmap* pbmImage, CBitmap* pbmMask);
    int Add(CBitmap* pbmImage, COLORREF crMask);
    int Add(HICON hIcon) { return ImageList_ReplaceIcon(m_hImageList, -1, hIcon); }
    BOOL Replace(int nImage, CBitmap* pbmImage, CBitmap* pbmMask);
    int Replace(int nImage, HICON hIcon) { return ImageList_ReplaceIcon(m_hImageList, nImage, hIcon); }
    BOOL Remove(int nImage) { return ImageList_Remove(m_hImageList, nImage); }  // -1 removes all

    int GetImageCount() const { return ImageList_GetImageCount(m_hImageList); }
    BOOL GetImageInfo(int nImage, IMAGEINFO* pImageInfo) const { return ImageList_GetImageInfo(m_hImageList, nImage, pImageInfo); }
    COLORREF SetBkColor(COLORREF cr) { return ImageList_SetBkColor(m_hImageList, cr); }
    COLORREF GetBkColor() const { return ImageList_GetBkColor(m_hImageList); }
    HICON ExtractIcon(int nImage) { return ImageList_GetIcon(m_hImageList, nImage, ILD_NORMAL); }

    BOOL Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle)
    {
        return ImageList_Draw(m_hImageList, nImage, pDC->m_hDC, pt.x, pt.y, nStyle);
    }
    BOOL DrawIndirect(IMAGELISTDRAWPARAMS* pimldp);
    // Draws the part of the image of size sz that starts at ptOrigin.
    BOOL DrawIndirect(CDC* pDC, int nImage, POINT pt, SIZE sz, POINT ptOrigin, UINT fStyle = ILD_NORMAL,
                      DWORD dwRop = SRCCOPY, COLORREF rgbBack = CLR_DEFAULT, COLORREF rgbFore = CLR_DEFAULT);

    BOOL BeginDrag(int nImage, POINT ptHotSpot) { return ImageList_BeginDrag(m_hImageList, nImage, ptHotSpot.x, ptHotSpot.y); }
    BOOL SetDragCursorImage(int nDrag, POINT ptHotSpot) { return ImageList_SetDragCursorImage(m_hImageList, nDrag, ptHotSpot.x, ptHotSpot.y); }
    // pWndLock null locks the whole screen; pt is then in screen coordinates.
    static BOOL DragEnter(CWnd* pWndLock, POINT point);
    static BOOL DragLeave(CWnd* pWndLock);
    static BOOL DragMove(POINT pt) { return ImageList_DragMove(pt.x, pt.y); }
    static BOOL DragShowNolock(BOOL bShow) { return ImageList_DragShowNolock(bShow); }
    static void EndDrag() { ImageList_EndDrag(); }

    HIMAGELIST m_hImageList;
};

// The list's handle, null for no list: what a control is given to drop its list.
inline HIMAGELIST AfxImageListHandle(const CImageList* pImageList)
{
    return pImageList ? pImageList->m_hImageList : nullptr;
}
