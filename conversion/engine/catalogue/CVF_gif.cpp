#include "conversion/engine/catalogue/CVF_gif.h"

int CVF_gif::PrepareJob(CEncoderOptions& options, const CMediaPreset& preset, const volatile int* pStopValue)
{
    CMediaInfo input;
    if (input.Probe(options.InputPath, pStopValue) != 0)
        return -1;
    const CMediaStreamInfo* pVideoStream = input.GetVideoStream();
    if (!pVideoStream)
        return -1;
    const MediaPresetRecord& record = preset.m_record;
    options.OutputFormat = L"gif";
    options.VideoCodec = L"gif";
    options.Width = record.width;
    options.Height = record.height;
    if (options.Width <= 0 || options.Height <= 0) {
        options.Width = pVideoStream->DisplayWidth;
        options.Height = pVideoStream->DisplayHeight;
    }
    options.FrameRateNum = record.frameRateNum;
    options.FrameRateDen = record.frameRateDen;
    if (options.FrameRateNum <= 0 || options.FrameRateDen <= 0) {
        options.FrameRateNum = 5;
        options.FrameRateDen = 1;
    }
    options.AudioStream = ENCODER_STREAM_DROP;
    return 0;
}
