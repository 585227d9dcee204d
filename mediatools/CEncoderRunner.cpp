#include "mediatools/CEncoderRunner.h"
#include "mediatools/CLiveObjectSet.h"
#include "mediatools/MediaToolLocation.h"
#include "mediatools/ToolArguments.h"

CEncoderRunner::CEncoderRunner() : m_nThreads(0), m_nBufferSize(0), m_hCallbackWnd(nullptr) {}

int CEncoderRunner::RunTool(CEncoderOptions& options, const StopFlag* pStopFlag)
{
    if (MediaToolMissing(ClipConverterPath, TOOL_ERROR_ENCODER_MISSING))
        return -2;
    if (options.Validate() != 0)
        return -1;
    CString strCommandLine;
    BuildArguments(strCommandLine, options);
    return RunCommandLineUntil(strCommandLine, pStopFlag, 20);
}

namespace {

void AddTimeOption(CCommandLine& args, LPCWSTR pszOption, LONGLONG nMilliseconds)
{
    if (nMilliseconds > 0)
        args.AddOption(pszOption, ToolTime(nMilliseconds));
}

// Where reading an input starts, how long it lasts and how far its timestamps move.
void AddInputTimes(CCommandLine& args, LONGLONG nStart, LONGLONG nDuration, LONGLONG nOffset)
{
    AddTimeOption(args, L"-ss", nStart);
    AddTimeOption(args, L"-t", nDuration);
    AddTimeOption(args, L"-itsoffset", nOffset);
}

void AddQuoted(CCommandLine& args, LPCWSTR pszOption, const CString& strValue)
{
    if (!strValue.IsEmpty())
        args.AddOptionF(pszOption, L"\"%s\"", static_cast<LPCWSTR>(strValue));
}

void AddText(CCommandLine& args, LPCWSTR pszOption, const CString& strValue)
{
    if (!strValue.IsEmpty())
        args.AddOption(pszOption, strValue);
}

void AddPositive(CCommandLine& args, LPCWSTR pszOption, int nValue)
{
    if (nValue > 0)
        args.AddOptionF(pszOption, L"%d", nValue);
}

void AddPair(CCommandLine& args, LPCWSTR pszOption, LPCWSTR pszFormat, int a, int b)
{
    if (a > 0 && b > 0)
        args.AddOptionF(pszOption, pszFormat, a, b);
}

bool StreamDropped(int nFlags, int nStream)
{
    return (nFlags & ENCODER_NO_STREAM) || nStream == ENCODER_STREAM_DROP;
}

// A quality that the flags force to 0 is written back into the options.
void AddQuality(CCommandLine& args, LPCWSTR pszOption, int nFlags, int& nQuality)
{
    if (nFlags & ENCODER_FORCE_QUALITY_ZERO)
        nQuality = 0;
    if (nQuality >= 0)
        args.AddOptionF(pszOption, L"%d", nQuality);
}

void AddMap(CCommandLine& args, int nInput, int nStream)
{
    if (nStream >= 0)
        args.AddOptionF(L"-map", L"%d:%d", nInput, nStream);
}

}  // namespace

void CEncoderRunner::AddInputs(CCommandLine& args, CEncoderOptions& options)
{
    AddText(args, L"-hwaccel", m_strHardwareAccel);
    if ((options.OptionsFlags & ENCODER_OPTION_THREADS) && m_nThreads > 0)
        args.AddOptionF(L"-threads", L"%d", m_nThreads);
    AddPositive(args, L"-bufsize", m_nBufferSize);
    AddPair(args, L"-r", L"%d/%d", options.InputFrameRateNum, options.InputFrameRateDen);
    if (!options.InputPath.IsEmpty()) {
        AddText(args, L"-f", options.InputFormat);
        if (options.SafeFlag != 1)
            args.AddOptionF(L"-safe", L"%d", options.SafeFlag);
        AddInputTimes(args, options.InputStart, options.InputDuration, options.InputOffset);
        AddQuoted(args, L"-i", options.InputPath);
    }
    if (!options.Input2Path.IsEmpty()) {
        AddText(args, L"-f", options.Input2Format);
        AddInputTimes(args, options.Input2Start, options.Input2Duration, options.Input2Offset);
        AddQuoted(args, L"-i", options.Input2Path);
    }
    if (!options.Input3Path.IsEmpty()) {
        AddText(args, L"-f", options.Input3Format);
        AddQuoted(args, L"-i", options.Input3Path);
    }
    AddQuoted(args, L"-i", options.ExtraInputPath);
}

void CEncoderRunner::AddVideo(CCommandLine& args, CEncoderOptions& options)
{
    if (StreamDropped(options.VideoFlags, options.VideoStream)) {
        args.AddArg(L"-vn");
        return;
    }
    AddMap(args, 0, options.VideoStream);
    AddText(args, L"-codec:v", options.VideoCodec);
    AddText(args, L"-tag:v", options.VideoTag);
    if (!options.VideoExtra.IsEmpty())
        args.AddArg(options.VideoExtra);
    AddText(args, L"-pix_fmt", options.PixelFormat);
    AddPair(args, L"-s", L"%dx%d", options.Width, options.Height);
    AddPair(args, L"-aspect", L"%d:%d", options.AspectNum, options.AspectDen);
    AddPair(args, L"-r", L"%d/%d", options.FrameRateNum, options.FrameRateDen);
    AddPositive(args, L"-b:v", options.VideoBitRate);
    AddQuality(args, L"-q:v", options.VideoFlags, options.VideoQuality);
    AddPositive(args, L"-frames:v", options.VideoFrames);
    AddText(args, L"-vsync", options.VideoSync);
    AddQuoted(args, L"-bsf:v", options.VideoBitstreamFilter);
    AddQuoted(args, L"-profile:v", options.VideoProfile);
    AddQuoted(args, L"-pre:v", options.VideoPresetFile);
    AddQuoted(args, L"-filter:v", options.PictureFilterChain());
    AddQuoted(args, L"-filter:v", options.VideoFilter);
}

void CEncoderRunner::AddAudio(CCommandLine& args, CEncoderOptions& options)
{
    if (StreamDropped(options.AudioFlags, options.AudioStream)) {
        args.AddArg(L"-an");
        return;
    }
    bool bFirst = !options.InputPath.IsEmpty();
    bool bSecond = !options.Input2Path.IsEmpty();
    AddMap(args, bFirst && bSecond ? 1 : 0, options.AudioStream);
    if (options.AudioCodec == L"libfdk_aac")
        options.AudioCodec = L"aac";
    AddText(args, L"-codec:a", options.AudioCodec);
    AddText(args, L"-tag:a", options.AudioTag);
    if (!options.AudioExtra.IsEmpty())
        args.AddArg(options.AudioExtra);
    AddPositive(args, L"-ac", options.Channels);
    AddPositive(args, L"-ar", options.SampleRate);
    AddPositive(args, L"-b:a", options.AudioBitRate);
    if (options.Volume != 256)
        args.AddOptionF(L"-vol", L"%d", options.Volume);
    AddQuality(args, L"-q:a", options.AudioFlags, options.AudioQuality);
    AddQuoted(args, L"-bsf:a", options.AudioBitstreamFilter);
    AddQuoted(args, L"-profile:a", options.AudioProfile);
    AddQuoted(args, L"-pre:a", options.AudioPresetFile);
    if (options.AudioVolumePercent != 100) {
        CString strChain;
        strChain.Format(L"volume=%.2f", options.AudioVolumePercent * 0.01);
        AddQuoted(args, L"-filter:a", strChain);
    }
    AddQuoted(args, L"-filter:a", options.AudioFilter);
}

void CEncoderRunner::AddSubtitlesAndFormat(CCommandLine& args, CEncoderOptions& options)
{
    if (StreamDropped(options.SubtitleFlags, options.SubtitleStream)) {
        args.AddArg(L"-sn");
    } else {
        bool bThird = !options.Input3Path.IsEmpty();
        int nInputs = (options.InputPath.IsEmpty() ? 0 : 1) + (options.Input2Path.IsEmpty() ? 0 : 1);
        AddMap(args, bThird ? nInputs : 0, options.SubtitleStream);
        AddText(args, L"-codec:s", options.SubtitleCodec);
    }
    AddText(args, L"-preset", options.Preset);
    // The hls muxer has no low-latency option (only the dash muxer does): the tool would take
    // one and quietly do nothing with it.
    if (options.OutputFormat == L"hls") {
        if (options.HlsListSize >= 0)
            args.AddOptionF(L"-hls_list_size", L"%d", options.HlsListSize);
        AddQuoted(args, L"-hls_segment_filename", options.HlsSegmentPattern);
    }
    if (options.OutputFormat == L"gif" && options.GifLoop >= 0)
        args.AddOptionF(L"-loop", L"%d", options.GifLoop);
}

void CEncoderRunner::AddOutput(CCommandLine& args, CEncoderOptions& options)
{
    AddQuoted(args, L"-filter_complex", options.FilterComplex);
    if (!options.OutputExtra1.IsEmpty())
        args.AddArg(options.OutputExtra1);
    if (!options.OutputExtra2.IsEmpty())
        args.AddArg(options.OutputExtra2);
    AddText(args, L"-target", options.Target);
    AddText(args, L"-f", options.OutputFormat);
    AddText(args, L"-c", options.Codec);
    if (options.SizeLimit > 0)
        args.AddOptionF(L"-fs", L"%I64d", options.SizeLimit);
    AddTimeOption(args, L"-ss", options.OutputStart);
    AddTimeOption(args, L"-t", options.OutputDuration);
    if (options.StrictLevel != 0)
        args.AddOptionF(L"-strict", L"%d", options.StrictLevel);
    if (!options.OutputPath.IsEmpty())
        args.AddQuotedArgF(L"\"%s\"", static_cast<LPCWSTR>(options.OutputPath));
    args.AddArg(L"-y");
    if (m_hCallbackWnd != nullptr)
        args.AddOptionF(L"-callback_window", L"%I64d",
                        static_cast<LONGLONG>(reinterpret_cast<INT_PTR>(m_hCallbackWnd)));
    // The tool names this object in every progress message.
    args.AddOptionF(L"-callback_context", L"%I64d", static_cast<LONGLONG>(ContextOf(this)));
}

int CEncoderRunner::BuildArguments(CString& strCommandLine, CEncoderOptions& options)
{
    CCommandLine args;
    AddInputs(args, options);
    AddVideo(args, options);
    AddAudio(args, options);
    AddSubtitlesAndFormat(args, options);
    AddOutput(args, options);
    return args.Format(strCommandLine, ClipConverterPath, nullptr, false);
}
