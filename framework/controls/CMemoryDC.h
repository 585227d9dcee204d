// CMemoryDC (Part 2.131): the off-screen device context of every owner-drawn window. Drawing
// goes to a compatible bitmap the size of the rectangle (or of the target's clip box), whose
// window origin is the rectangle's top-left, so callers draw in the target's coordinates; the
// destructor copies the bitmap to the target. A printing target is drawn to directly.
#pragma once
#include "classlib/CDC.h"

class CMemoryDC : public CDC {
public:
    explicit CMemoryDC(CDC* pTargetDC, const RECT* pRect = nullptr);
    ~CMemoryDC() override;

    CMemoryDC(const CMemoryDC&) = delete;
    CMemoryDC& operator=(const CMemoryDC&) = delete;

    const CRect& GetRect() const { return m_rect; }

private:
    CDC* m_pTargetDC;
    CRect m_rect;
    CBitmap m_bitmap;
    HGDIOBJ m_hOldBitmap;
    BOOL m_bTargetPrinting;
};
