// CMemoryDC: the off-screen device context of every owner-drawn window of both programs
//. Made over a target DC and a rectangle in the target's logical coordinates, it
// is itself a CDC whose drawing lands in a compatible bitmap of the rectangle's size; its window
// origin is the rectangle's top-left, so the caller draws with the target's coordinates. When it
// is destroyed the bitmap is copied to the target at the rectangle (BitBlt, SRCCOPY).
//
// A printing target (CDC::IsPrinting) is drawn on directly, and so is a target for which no
// bitmap could be made (an empty rectangle, no memory): the object then shares the target's DC
// and never deletes it. Use it on one thread, for one paint, on the stack:
//
//     CPaintDC dc(this);
//     CRect rc;
//     GetClientRect(&rc);
//     CMemoryDC memDC(&dc, &rc);
//     memDC.FillSolidRect(&rc, crBack);
#pragma once
#include "classlib/CDC.h"

class CMemoryDC : public CDC {
public:
    // pRect null: the target's clip box.
    explicit CMemoryDC(CDC* pTargetDC, const RECT* pRect = nullptr);
    ~CMemoryDC() override;
    CMemoryDC(const CMemoryDC&) = delete;
    CMemoryDC& operator=(const CMemoryDC&) = delete;

    CMemoryDC* operator->() { return this; }
    operator CMemoryDC*() { return this; }

    // TRUE when the drawing goes to the off-screen bitmap (FALSE: straight to the target).
    BOOL IsOffScreen() const { return m_bOffScreen; }
    const CRect& GetRect() const { return m_rect; }

private:
    CDC* m_pTargetDC;
    CRect m_rect;
    CBitmap m_bitmap;
    HGDIOBJ m_hOldBitmap = nullptr;
    BOOL m_bTargetPrinting;
    BOOL m_bOffScreen = FALSE;
};
