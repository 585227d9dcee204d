#include "framework/controls/CMemoryDC.h"

CMemoryDC::CMemoryDC(CDC* pTargetDC, const RECT* pRect) : m_pTargetDC(pTargetDC), m_bTargetPrinting(FALSE)
{
    if (!pTargetDC || !pTargetDC->GetSafeHdc())
        return;
    m_bTargetPrinting = pTargetDC->IsPrinting();
    if (pRect)
        m_rect = *pRect;
    else
        pTargetDC->GetClipBox(&m_rect);

    if (!m_bTargetPrinting && m_rect.Width() > 0 && m_rect.Height() > 0 && CreateCompatibleDC(pTargetDC)) {
        if (m_bitmap.CreateCompatibleBitmap(pTargetDC, m_rect.Width(), m_rect.Height())) {
            m_hOldBitmap = ::SelectObject(m_hDC, m_bitmap.m_hObject);
            SetWindowOrg(m_rect.left, m_rect.top);
            m_bOffScreen = TRUE;
            return;
        }
        DeleteDC();
    }
    // Straight to the target: share its DC, never delete it.
    m_hDC = pTargetDC->GetSafeHdc();
    m_bPrinting = m_bTargetPrinting;
}

CMemoryDC::~CMemoryDC()
{
    if (m_bOffScreen) {
        m_pTargetDC->BitBlt(m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), this, m_rect.left,
                            m_rect.top, SRCCOPY);
        ::SelectObject(m_hDC, m_hOldBitmap);
        DeleteDC();
    } else {
        Detach();  // the target's DC stays the target's
    }
}
