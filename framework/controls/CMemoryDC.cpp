#include "framework/controls/CMemoryDC.h"
#include <algorithm>

CMemoryDC::CMemoryDC(CDC* pTargetDC, const RECT* pRect)
    : m_pTargetDC(pTargetDC), m_hOldBitmap(nullptr), m_bTargetPrinting(pTargetDC->IsPrinting())
{
    if (pRect)
        m_rect = *pRect;
    else
        pTargetDC->GetClipBox(&m_rect);

    if (m_bTargetPrinting) {
        // Straight to the target: borrow its handle without owning it.
        m_bPrinting = TRUE;
        m_hDC = pTargetDC->m_hDC;
        return;
    }
    CreateCompatibleDC(pTargetDC);
    m_bitmap.CreateCompatibleBitmap(pTargetDC, std::max(1, m_rect.Width()), std::max(1, m_rect.Height()));
    m_hOldBitmap = SelectObject(m_bitmap.m_hObject);
    SetWindowOrg(m_rect.left, m_rect.top);
}

CMemoryDC::~CMemoryDC()
{
    if (m_bTargetPrinting) {
        m_hDC = nullptr;
        return;
    }
    m_pTargetDC->BitBlt(m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), this, m_rect.left, m_rect.top,
                        SRCCOPY);
    SelectObject(m_hOldBitmap);
}
