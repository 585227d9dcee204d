#include "classlib/CImageList.h"
#include "classlib/AfxTempMap.h"
#include "classlib/CWnd.h"

IMPLEMENT_DYNAMIC(CImageList, CObject)

CImageList* CImageList::FromHandle(HIMAGELIST hImageList)
{
    return CTempMap<CImageList, HIMAGELIST>::FromHandle(hImageList);
}

BOOL CImageList::Attach(HIMAGELIST hImageList)
{
    if (m_hImageList || !hImageList)
        return FALSE;
    m_hImageList = hImageList;
    return TRUE;
}

HIMAGELIST CImageList::Detach()
{
    HIMAGELIST hImageList = m_hImageList;
    m_hImageList = nullptr;
    return hImageList;
}

BOOL CImageList::Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow)
{
    if (m_hImageList)
        return FALSE;
    m_hImageList = ImageList_Create(cx, cy, nFlags, nInitial, nGrow);
    return m_hImageList != nullptr;
}

BOOL CImageList::DeleteImageList()
{
    HIMAGELIST hImageList = Detach();
    return hImageList && ImageList_Destroy(hImageList);
}

int CImageList::Add(CBitmap* pbmImage, CBitmap* pbmMask)
{
    return ImageList_Add(m_hImageList, *pbmImage, pbmMask ? static_cast<HBITMAP>(*pbmMask) : nullptr);
}

int CImageList::Add(CBitmap* pbmImage, COLORREF crMask)
{
    return ImageList_AddMasked(m_hImageList, *pbmImage, crMask);
}

BOOL CImageList::Replace(int nImage, CBitmap* pbmImage, CBitmap* pbmMask)
{
    return ImageList_Replace(m_hImageList, nImage, *pbmImage, pbmMask ? static_cast<HBITMAP>(*pbmMask) : nullptr);
}

BOOL CImageList::DrawIndirect(IMAGELISTDRAWPARAMS* pimldp)
{
    pimldp->cbSize = sizeof(IMAGELISTDRAWPARAMS);
    pimldp->himl = m_hImageList;
    return ImageList_DrawIndirect(pimldp);
}

BOOL CImageList::DrawIndirect(CDC* pDC, int nImage, POINT pt, SIZE sz, POINT ptOrigin, UINT fStyle,
                              DWORD dwRop, COLORREF rgbBack, COLORREF rgbFore)
{
    IMAGELISTDRAWPARAMS params = {};
    params.hdcDst = pDC->m_hDC;
    params.i = nImage;
    params.x = pt.x;
    params.y = pt.y;
    params.cx = sz.cx;
    params.cy = sz.cy;
    params.xBitmap = ptOrigin.x;
    params.yBitmap = ptOrigin.y;
    params.rgbBk = rgbBack;
    params.rgbFg = rgbFore;
    params.fStyle = fStyle;
    params.dwRop = dwRop;
    return DrawIndirect(&params);
}

BOOL CImageList::DragEnter(CWnd* pWndLock, POINT point)
{
    return ImageList_DragEnter(pWndLock->GetSafeHwnd(), point.x, point.y);
}

BOOL CImageList::DragLeave(CWnd* pWndLock)
{
    return ImageList_DragLeave(pWndLock->GetSafeHwnd());
}
