#include "classlib/CGdiObject.h"
#include "classlib/AfxModule.h"
#include "classlib/AfxTempMap.h"
#include "classlib/CDC.h"

IMPLEMENT_DYNAMIC(CGdiObject, CObject)
IMPLEMENT_DYNAMIC(CPen, CGdiObject)
IMPLEMENT_DYNAMIC(CBrush, CGdiObject)
IMPLEMENT_DYNAMIC(CFont, CGdiObject)
IMPLEMENT_DYNAMIC(CBitmap, CGdiObject)
IMPLEMENT_DYNAMIC(CRgn, CGdiObject)

namespace {

typedef CTempMap<CGdiObject, HGDIOBJ> CTempGdiObjects;

CRuntimeClass* WrapperClassOf(HGDIOBJ hObject)
{
    switch (::GetObjectType(hObject)) {
    case OBJ_PEN:
    case OBJ_EXTPEN:
        return RUNTIME_CLASS(CPen);
    case OBJ_BRUSH:
        return RUNTIME_CLASS(CBrush);
    case OBJ_FONT:
        return RUNTIME_CLASS(CFont);
    case OBJ_BITMAP:
        return RUNTIME_CLASS(CBitmap);
    case OBJ_REGION:
        return RUNTIME_CLASS(CRgn);
    default:
        return RUNTIME_CLASS(CGdiObject);
    }
}

CGdiObject* NewWrapper(CRuntimeClass* pClass)
{
    if (pClass == RUNTIME_CLASS(CPen))
        return new CPen;
    if (pClass == RUNTIME_CLASS(CBrush))
        return new CBrush;
    if (pClass == RUNTIME_CLASS(CFont))
        return new CFont;
    if (pClass == RUNTIME_CLASS(CBitmap))
        return new CBitmap;
    if (pClass == RUNTIME_CLASS(CRgn))
        return new CRgn;
    return new CGdiObject;
}

}  // namespace

CGdiObject* CGdiObject::FromHandle(HGDIOBJ hObject)
{
    if (!hObject)
        return nullptr;
    // A handle deleted and made again may now name another kind of object.
    CRuntimeClass* pClass = WrapperClassOf(hObject);
    CGdiObject* pWrapper = CTempGdiObjects::Find(hObject);
    if (pWrapper && pWrapper->GetRuntimeClass() == pClass)
        return pWrapper;
    return CTempGdiObjects::Add(hObject, NewWrapper(pClass));
}

BOOL CGdiObject::Attach(HGDIOBJ hObject)
{
    if (m_hObject || !hObject)
        return FALSE;
    m_hObject = hObject;
    return TRUE;
}

HGDIOBJ CGdiObject::Detach()
{
    HGDIOBJ hObject = m_hObject;
    m_hObject = nullptr;
    return hObject;
}

BOOL CGdiObject::DeleteObject()
{
    HGDIOBJ hObject = Detach();
    return hObject && ::DeleteObject(hObject);
}

BOOL CGdiObject::AttachNew(HGDIOBJ hObject)
{
    if (Attach(hObject))
        return TRUE;
    if (hObject)
        ::DeleteObject(hObject);
    return FALSE;
}

BOOL CGdiObject::CreateStockObject(int nIndex)
{
    return Attach(::GetStockObject(nIndex));
}

BOOL CPen::CreatePen(int nPenStyle, int nWidth, COLORREF crColor)
{
    return AttachNew(::CreatePen(nPenStyle, nWidth, crColor));
}

BOOL CPen::CreatePenIndirect(const LOGPEN* lpLogPen)
{
    return AttachNew(::CreatePenIndirect(lpLogPen));
}

BOOL CBrush::CreateSolidBrush(COLORREF crColor)
{
    return AttachNew(::CreateSolidBrush(crColor));
}

BOOL CBrush::CreateHatchBrush(int nIndex, COLORREF crColor)
{
    return AttachNew(::CreateHatchBrush(nIndex, crColor));
}

BOOL CBrush::CreatePatternBrush(CBitmap* pBitmap)
{
    return AttachNew(::CreatePatternBrush(*pBitmap));
}

BOOL CBrush::CreateSysColorBrush(int nIndex)
{
    return AttachNew(::CreateSolidBrush(::GetSysColor(nIndex)));
}

BOOL CFont::CreateFontIndirect(const LOGFONTW* lpLogFont)
{
    return AttachNew(::CreateFontIndirectW(lpLogFont));
}

BOOL CFont::CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight,
                       BYTE bItalic, BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet,
                       BYTE nOutPrecision, BYTE nClipPrecision, BYTE nQuality,
                       BYTE nPitchAndFamily, LPCWSTR lpszFacename)
{
    return AttachNew(::CreateFontW(nHeight, nWidth, nEscapement, nOrientation, nWeight, bItalic,
                                bUnderline, cStrikeOut, nCharSet, nOutPrecision, nClipPrecision,
                                nQuality, nPitchAndFamily, lpszFacename));
}

BOOL CFont::CreatePointFont(int nPointSize, LPCWSTR lpszFaceName, CDC* pDC)
{
    HDC hDC = pDC ? pDC->m_hDC : ::GetDC(nullptr);
    LOGFONTW logFont = {};
    // A negative height asks for the character height without the internal leading.
    logFont.lfHeight = -MulDiv(nPointSize, ::GetDeviceCaps(hDC, LOGPIXELSY), 720);
    logFont.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(logFont.lfFaceName, lpszFaceName ? lpszFaceName : L"", LF_FACESIZE);
    if (!pDC)
        ::ReleaseDC(nullptr, hDC);
    return CreateFontIndirect(&logFont);
}

BOOL CBitmap::LoadBitmap(LPCWSTR lpszResourceName)
{
    return AttachNew(::LoadBitmapW(AfxGetResourceHandle(), lpszResourceName));
}

BOOL CBitmap::CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitcount, const void* lpBits)
{
    return AttachNew(::CreateBitmap(nWidth, nHeight, nPlanes, nBitcount, lpBits));
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight)
{
    return AttachNew(::CreateCompatibleBitmap(pDC->m_hDC, nWidth, nHeight));
}

BOOL CRgn::CreateRectRgn(int x1, int y1, int x2, int y2)
{
    return AttachNew(::CreateRectRgn(x1, y1, x2, y2));
}

BOOL CRgn::CreateRectRgnIndirect(LPCRECT lpRect)
{
    return AttachNew(::CreateRectRgnIndirect(lpRect));
}

BOOL CRgn::CreateRoundRectRgn(int x1, int y1, int x2, int y2, int x3, int y3)
{
    return AttachNew(::CreateRoundRectRgn(x1, y1, x2, y2, x3, y3));
}

BOOL CRgn::CreateEllipticRgn(int x1, int y1, int x2, int y2)
{
    return AttachNew(::CreateEllipticRgn(x1, y1, x2, y2));
}

int CRgn::CombineRgn(const CRgn* pRgn1, const CRgn* pRgn2, int nCombineMode)
{
    return ::CombineRgn(*this, *pRgn1, pRgn2 ? static_cast<HRGN>(*pRgn2) : nullptr, nCombineMode);
}
