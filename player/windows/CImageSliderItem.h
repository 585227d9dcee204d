// The player's sliders drawn from image lists: the channel image tiled along the channel, the
// filled image over the part up to the thumb in 4-pixel tiles (touching, or 1 pixel apart for a
// segmented look), optional end caps, and the thumb only while hot or pressed.
// The image list (the slider's thumb list) holds 0 channel, 1 filled channel, 2 hot thumb and
// 3 pressed thumb; the caps list (the slider's end list) 0 left end, 1 right end.
#pragma once
#include "framework/controls/CItemBar.h"

class CImageSliderItem : public CBarSliderItem {
public:
    explicit CImageSliderItem(CBarItemContainer* pOwner);

    void Draw(CDC* pDC) override;

    BOOL m_bSolidFill = FALSE;
};

// The seek slider: range and position in milliseconds, set from the session's microseconds.
class CSeekSliderItem : public CImageSliderItem {
public:
    explicit CSeekSliderItem(CBarItemContainer* pOwner);

    // A media shorter than 100 ms cannot be sought: the slider is disabled then.
    void SetRangeUs(LONGLONG nMicroseconds);
    void SetPositionUs(LONGLONG nMicroseconds, BOOL bRedraw);
};

// The volume slider: 0..100, solid, without caps.
class CVolumeSliderItem : public CImageSliderItem {
public:
    explicit CVolumeSliderItem(CBarItemContainer* pOwner);

    // Clamped to the range; 1.
    int SetVolume(int nVolume);
};
