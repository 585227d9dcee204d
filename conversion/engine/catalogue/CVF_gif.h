// Animated GIF: encoded in two passes through a palette image made from the source, so a
// preset gives only the size and frame rate.
#pragma once
#include "conversion/engine/catalogue/CBuiltInFormat.h"

class CVF_gif : public CBuiltInFormat {
public:
    using CBuiltInFormat::CBuiltInFormat;

    // Needs a source with video: its display size (turned with the picture) and 5 frames per
    // second stand in for a preset's Auto values; the audio is dropped. 0 or -1.
    int PrepareJob(CEncoderOptions& options, const CMediaPreset& preset, const CMediaInfo& input,
                   const StopFlag* pStopValue) override;
    // A first run makes a palette image of the source in the temporary folder, the second
    // encodes with it; the palette is removed whatever the outcome. The picture filters move
    // into the filter graph's chain, ahead of its frame rate. 0, 1 stopped, or the failed
    // run's result.
    int Convert(CEncoderOptions& options, const CMediaPreset& preset, const CMediaInfo& input,
                CEncoderJobListener* pListener, HWND hWnd, const StopFlag* pStopValue) override;
};
