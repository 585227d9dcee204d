// A video codec: bit rates, resolutions, frame rates and an aspect list with their pick rules.
#pragma once
#include "conversion/engine/CMediaCodec.h"
#include "mediatools/CEncoderOptions.h"
#include "mediatools/CMediaInfo.h"

struct MediaSize {
    int width;
    int height;
};
inline bool operator==(const MediaSize& a, const MediaSize& b) { return a.width == b.width && a.height == b.height; }
inline bool operator!=(const MediaSize& a, const MediaSize& b) { return !(a == b); }

struct MediaRate {
    int num;
    int den;
};
inline bool operator==(const MediaRate& a, const MediaRate& b) { return a.num == b.num && a.den == b.den; }
inline bool operator!=(const MediaRate& a, const MediaRate& b) { return !(a == b); }

class CVideoCodec : public CMediaCodec {
public:
    CVideoCodec() { m_mediaKind = MEDIA_KIND_VIDEO; }

    int m_alignment = 1;  // output width and height are rounded up to a multiple of it
    CValueList<MediaSize> m_resolutions;  // 0 x 0 is Auto
    MediaSize m_minSize = {0, 0};     // 0: no bound
    MediaSize m_maxSize = {0, 0};
    MediaSize m_defaultSize = {0, 0};  // 0 x 0 keeps the source's
    CValueList<MediaSize> m_aspects;  // offered by the preset dialogs only; no pick rule reads it
    MediaSize m_minAspect = {0, 0};
    MediaSize m_maxAspect = {0, 0};
    MediaSize m_defaultAspect = {0, 0};
    CValueList<MediaRate> m_frameRates;  // 0/0 is Auto
    MediaRate m_minFrameRate = {0, 0};
    MediaRate m_maxFrameRate = {0, 0};
    MediaRate m_defaultFrameRate = {0, 0};
    LPCWSTR m_pixelFormat = L"";  // "-pix_fmt" when not empty

    int PickBitRate(int requested, int source) const override;
    // Rounds the output size up to the alignment (the source's display size standing in for
    // a size not given) and completes a half-given size from the source. 0, or -1 when the
    // output can't be made.
    virtual int AdjustOutputSize(CEncoderOptions& options, const CMediaStreamInfo* pSourceStream);
    virtual MediaSize PickResolution(MediaSize requested, MediaSize source) const;
    virtual MediaRate PickFrameRate(MediaRate requested, MediaRate source) const;
};
