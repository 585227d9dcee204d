#include "conversion/engine/catalogue/CVF_gif.h"
#include "conversion/engine/UniqueFileName.h"
#include "framework/system/CTempFileGuard.h"

namespace {

// Frames per second of the filters: the output rate, or 5 when it is unset or below 0.1.
double FilterFrameRate(const CEncoderOptions& options)
{
    double rate = 5.0;
    if (options.FrameRateNum > 0 && options.FrameRateDen > 0)
        rate = static_cast<double>(options.FrameRateNum) / options.FrameRateDen;
    return rate < 0.1 ? 5.0 : rate;
}

// The tool refuses picture filters given beside a filter graph that feeds the same stream: they
// leave the options and go at the front of both passes' chains, so the palette is made from
// the frames it colours.
CString TakePictureFilters(CEncoderOptions& options)
{
    CString chain = options.PictureFilterChain();
    if (!chain.IsEmpty())
        chain += L',';
    options.CropX = options.CropY = options.CropWidth = options.CropHeight = 0;
    options.Rotation = 0;
    options.VFlip = options.HFlip = options.Grayscale = options.Negate = options.OldPhoto = 0;
    return chain;
}

CString PaletteFilePath()
{
    wchar_t temp[1024] = {};
    GetTempPathW(1023, temp);
    CString folder(temp);
    folder.TrimRight(L'\\');
    return MakeUniqueFilePath(folder, L"palette", L".bmp");
}

}  // namespace

int CVF_gif::PrepareJob(CEncoderOptions& options, const CMediaPreset& preset, const CMediaInfo& input,
                        const StopFlag* pStopValue)
{
    const CMediaStreamInfo* pVideoStream = input.GetVideoStream();
    if (!pVideoStream)
        return -1;
    const MediaPresetRecord& record = preset.m_record;
    options.OutputFormat = L"gif";
    options.VideoCodec = L"gif";
    options.Width = record.width;
    options.Height = record.height;
    if (options.Width <= 0 || options.Height <= 0) {
        // The source's size as the picture stands after a quarter turn.
        bool turned = options.RotationDegrees() == 90 || options.RotationDegrees() == 270;
        options.Width = turned ? pVideoStream->DisplayHeight : pVideoStream->DisplayWidth;
        options.Height = turned ? pVideoStream->DisplayWidth : pVideoStream->DisplayHeight;
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

int CVF_gif::Convert(CEncoderOptions& options, const CMediaPreset& preset, const CMediaInfo& input,
                     CEncoderJobListener* pListener, HWND hWnd, const StopFlag* pStopValue)
{
    if (PrepareJob(options, preset, input, pStopValue) != 0)
        return -1;
    const double rate = FilterFrameRate(options);
    const CString pictureFilters = TakePictureFilters(options);
    const CString palette = PaletteFilePath();
    CTempFileGuard paletteGuard(palette, true, true);

    CEncoderOptions firstPass;
    firstPass.InputPath = options.InputPath;
    firstPass.InputStart = options.InputStart;
    firstPass.InputDuration = options.InputDuration;
    firstPass.OutputStart = options.OutputStart;
    firstPass.OutputDuration = options.OutputDuration;
    firstPass.OutputPath = palette;
    firstPass.VideoFilter.Format(L"%sfps=%f,scale=%d:%d:flags=lanczos,palettegen", static_cast<LPCWSTR>(pictureFilters),
                                 rate, options.Width, options.Height);
    int result = RunEncoderJob(firstPass, hWnd, pListener, pStopValue);
    if (result != 0)
        return result;

    options.ExtraInputPath = palette;
    options.FilterComplex.Format(L"%sfps=%f,scale=%d:%d:flags=lanczos [x]; [x][1:v] paletteuse",
                                 static_cast<LPCWSTR>(pictureFilters), rate, options.Width, options.Height);
    result = RunEncoderJob(options, hWnd, pListener, pStopValue);
    options.ExtraInputPath.Empty();
    return result;
}
