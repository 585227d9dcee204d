#include "player/windows/CImageSliderItem.h"
#include <algorithm>

CImageSliderItem::CImageSliderItem(CBarItemContainer* pOwner) : CBarSliderItem(pOwner) {}

void CImageSliderItem::Draw(CDC* pDC)
{
    if (IsHidden() || !m_pThumbImages || !m_pThumbImages->m_hImageList)
        return;
    CRect channel = GetChannelRect();
    if (channel.Width() <= 0 || m_cxThumb <= 0)
        return;
    auto tile = [&](int nImage, int right, int nWidth, int nStep) {
        for (int x = channel.left; x < right; x += nStep) {
            int cx = std::min(nWidth, right - x);
            m_pThumbImages->DrawIndirect(pDC, nImage, CPoint(x, channel.top), CSize(cx, m_cyThumb), CPoint(0, 0),
                                         ILD_NORMAL, SRCCOPY);
        }
    };
    tile(0, channel.right, m_cxThumb, m_cxThumb);
    int xThumb = GetThumbX();
    if (m_nPos > m_nMin)
        tile(1, xThumb, 4, m_bSolidFill ? 4 : 5);
    if (m_pEndImages && m_pEndImages->m_hImageList) {
        m_pEndImages->Draw(pDC, 0, CPoint(channel.left, channel.top), ILD_NORMAL);
        m_pEndImages->Draw(pDC, 1, CPoint(channel.right - 3, channel.top), ILD_NORMAL);
    }
    int nImage = (IsPressed() || IsCapture()) ? 3 : IsHot() ? 2 : -1;
    if (nImage >= 0)
        m_pThumbImages->Draw(pDC, nImage, CPoint(xThumb - m_cxThumb / 2, channel.top), ILD_NORMAL);
}

CSeekSliderItem::CSeekSliderItem(CBarItemContainer* pOwner) : CImageSliderItem(pOwner) {}

void CSeekSliderItem::SetRangeUs(LONGLONG nMicroseconds)
{
    int nMax = static_cast<int>(nMicroseconds / 1000);
    SetRangeMax(nMax);
    Enable(nMax >= 100);
}

void CSeekSliderItem::SetPositionUs(LONGLONG nMicroseconds, BOOL bRedraw)
{
    SetPos(static_cast<int>(nMicroseconds / 1000), bRedraw);
}

CVolumeSliderItem::CVolumeSliderItem(CBarItemContainer* pOwner) : CImageSliderItem(pOwner)
{
    m_nMax = 100;
    m_bSolidFill = TRUE;
}

int CVolumeSliderItem::SetVolume(int nVolume)
{
    SetPos(std::max(m_nMin, std::min(nVolume, m_nMax)), TRUE);
    return 1;
}
