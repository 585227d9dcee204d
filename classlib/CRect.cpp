#include "classlib/CRect.h"

void CRect::NormalizeRect()
{
    if (left > right) {
        LONG t = left;
        left = right;
        right = t;
    }
    if (top > bottom) {
        LONG t = top;
        top = bottom;
        bottom = t;
    }
}

// The Win32 calls work on a copy, as their destination may be one of their sources here.
BOOL CRect::IntersectRect(LPCRECT lpRect1, LPCRECT lpRect2)
{
    RECT out;
    BOOL ok = ::IntersectRect(&out, lpRect1, lpRect2);
    CopyRect(&out);
    return ok;
}

BOOL CRect::UnionRect(LPCRECT lpRect1, LPCRECT lpRect2)
{
    RECT out;
    BOOL ok = ::UnionRect(&out, lpRect1, lpRect2);
    CopyRect(&out);
    return ok;
}

BOOL CRect::SubtractRect(LPCRECT lpRectSrc1, LPCRECT lpRectSrc2)
{
    RECT out;
    BOOL ok = ::SubtractRect(&out, lpRectSrc1, lpRectSrc2);
    CopyRect(&out);
    return ok;
}

CRect CRect::operator&(const RECT& rect) const
{
    CRect out;
    out.IntersectRect(this, &rect);
    return out;
}

CRect CRect::operator|(const RECT& rect) const
{
    CRect out;
    out.UnionRect(this, &rect);
    return out;
}
