#include "mediatools/CPlayerRunner.h"
#include "mediatools/CLiveObjectSet.h"
#include "mediatools/MediaToolLocation.h"
#include "mediatools/ToolArguments.h"

CPlayerRunner::CPlayerRunner()
    : m_nThreads(0), m_bInputBuffer(1), m_bFrameDrop(1), m_bSeekToAny(0), m_nExitDelay(0), m_bMute(0),
      m_nVolume(100), m_nWaveEffect(0), m_nWaveBlockSize(0), m_nWaveBlockSpace(-1), m_nWaveGradient(0),
      m_nWaveColor1(0), m_nWaveColor2(0), m_nWaveColor3(0)
{
    // The oldest codec library generations come with the older output drivers.
    bool bOldDrivers = MediaToolGeneration == 1 || MediaToolGeneration == 2;
    m_strVideoDriver = bOldDrivers ? L"windib" : L"windows";
    m_strAudioDriver = bOldDrivers ? L"dsound" : L"winmm";
    m_status.Reset();
}

int CPlayerRunner::RunTool(CPlayParams& params, const StopFlag* pStopFlag, LPCWSTR pszWorkingFolder)
{
    if (MediaToolMissing(ClipRunnerPath, TOOL_ERROR_PLAYER_MISSING))
        return -2;
    if (params.Validate() != 0)
        return -1;
    CString strCommandLine;
    BuildArguments(strCommandLine, params);
    return RunCommandLineUntil(strCommandLine, pStopFlag, 20, nullptr, pszWorkingFolder);
}

namespace {

void AddStreamChoice(CCommandLine& args, int nStream, LPCWSTR pszOption, LPCWSTR pszOff)
{
    if (nStream >= 0)
        args.AddOptionF(pszOption, L"%d", nStream);
    else if (nStream == PLAY_STREAM_OFF)
        args.AddArg(pszOff);
}

CString Printed(LPCWSTR pszFormat, double value)
{
    CString strText;
    strText.Format(pszFormat, value);
    return strText;
}

CString VideoChain(const CPlayParams& params)
{
    CString strChain;
    if (params.PtsFactor != 100)
        AddToChain(strChain, Printed(L"setpts=%f*PTS", params.PtsFactor * 0.01));
    AddToChain(strChain, RotationFilter(params.Rotation));
    if (params.HFlip)
        AddToChain(strChain, L"hflip");
    if (params.VFlip)
        AddToChain(strChain, L"vflip");
    if (params.Negate)
        AddToChain(strChain, L"negate");
    if (params.Grayscale)
        AddToChain(strChain, L"hue=s=0");
    if (params.OldPhoto)
        AddToChain(strChain, OLD_PHOTO_FILTER);
    return strChain;
}

CString AudioChain(const CPlayParams& params)
{
    CString strChain;
    if (params.AudioVolumeFactor != 100)
        AddToChain(strChain, Printed(L"volume=%f", params.AudioVolumeFactor * 0.01));
    if (params.AudioTempo != 100)
        AddToChain(strChain, Printed(L"atempo=%f", params.AudioTempo * 0.01));
    if (params.AudioDelay > 0) {
        int nDelay = static_cast<int>(params.AudioDelay);
        CString strDelay;
        strDelay.Format(L"adelay=%d|%d|%d|%d|%d|%d", nDelay, nDelay, nDelay, nDelay, nDelay, nDelay);
        AddToChain(strChain, strDelay);
    }
    if (params.AudioTrim > 0)
        AddToChain(strChain, Printed(L"atrim=%f", params.AudioTrim * 0.001));
    return strChain;
}

}  // namespace

void CPlayerRunner::AddPlaybackOptions(CCommandLine& args, CPlayParams& params)
{
    if (m_nExitDelay < 1)
        args.AddArg(L"-autoexit");
    else
        args.AddOptionF(L"-exit_delay", L"%d", m_nExitDelay);
    if (m_nThreads > 0)
        args.AddOptionF(L"-threads", L"%d", m_nThreads);
    if (m_bInputBuffer)
        args.AddArg(L"-infbuf");
    if (m_bFrameDrop)
        args.AddArg(L"-framedrop");
    if (m_bSeekToAny)
        args.AddOptionF(L"-seek2any", L"%d", 1);
    if (!m_strVideoDriver.IsEmpty())
        args.AddOption(L"-video_driver", m_strVideoDriver);
    if (!m_strAudioDriver.IsEmpty())
        args.AddOption(L"-audio_driver", m_strAudioDriver);
    if (params.StartPosition > 0)
        args.AddOption(L"-ss", ToolTime(params.StartPosition));
    if (params.PlayLength > 0)
        args.AddOption(L"-t", ToolTime(params.PlayLength));
    if (!params.Path.IsEmpty())
        args.AddOptionF(L"-i", L"\"%s\"", static_cast<LPCWSTR>(params.Path));
}

void CPlayerRunner::AddStreamOptions(CCommandLine& args, CPlayParams& params)
{
    AddStreamChoice(args, params.VideoStream, L"-vst", L"-vn");
    AddStreamChoice(args, params.AudioStream, L"-ast", L"-an");
    AddStreamChoice(args, params.SubtitleStream, L"-sst", L"-sn");
    if (!params.SyncSource.IsEmpty())
        args.AddOption(L"-sync", params.SyncSource);
}

void CPlayerRunner::AddFilterOptions(CCommandLine& args, CPlayParams& params)
{
    CString strVideoChain = VideoChain(params);
    if (!strVideoChain.IsEmpty())
        args.AddOptionF(L"-vf", L"\"%s\"", static_cast<LPCWSTR>(strVideoChain));
    if (m_bMute)
        args.AddArg(L"-mute");
    if (m_nVolume != 100)
        args.AddOptionF(L"-volume", L"%d", m_nVolume);
    CString strAudioChain = AudioChain(params);
    if (!strAudioChain.IsEmpty())
        args.AddOptionF(L"-af", L"\"%s\"", static_cast<LPCWSTR>(strAudioChain));
}

void CPlayerRunner::AddWaveformOptions(CCommandLine& args)
{
    if (m_nWaveEffect >= 0)
        args.AddOptionF(L"-wave_effect", L"%d", m_nWaveEffect);
    if (m_nWaveBlockSize >= 0)
        args.AddOptionF(L"-wave_block_size", L"%d", m_nWaveBlockSize);
    if (m_nWaveBlockSpace >= 0)
        args.AddOptionF(L"-wave_block_space", L"%d", m_nWaveBlockSpace);
    if (m_nWaveGradient > 0)
        args.AddOptionF(L"-wave_gradient", L"%d", m_nWaveGradient);
    if (m_nWaveColor1 != 0)
        args.AddOptionF(L"-wave_color_1", L"%d", m_nWaveColor1);
    if (m_nWaveColor2 != 0)
        args.AddOptionF(L"-wave_color_2", L"%d", m_nWaveColor2);
    if (m_nWaveColor3 != 0)
        args.AddOptionF(L"-wave_color_3", L"%d", m_nWaveColor3);
}

int CPlayerRunner::BuildArguments(CString& strCommandLine, CPlayParams& params)
{
    CCommandLine args;
    AddPlaybackOptions(args, params);
    AddStreamOptions(args, params);
    AddFilterOptions(args, params);
    AddWaveformOptions(args);
    if (!params.ExtraArgs.IsEmpty())
        args.AddArg(params.ExtraArgs);
    if (m_status.OwnerWindow != 0)
        args.AddOptionF(L"-owner_window", L"%I64d", static_cast<LONGLONG>(m_status.OwnerWindow));
    // The tool names this object in every event.
    args.AddOptionF(L"-callback_context", L"%I64d", static_cast<LONGLONG>(ContextOf(this)));
    return args.Format(strCommandLine, ClipRunnerPath, nullptr, false);
}
