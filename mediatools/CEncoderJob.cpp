#include "mediatools/CEncoderJob.h"
#include "mediatools/CLiveObjectSet.h"
#include "mediatools/CopyDataBlock.h"
#include <cstring>

namespace {

// The jobs whose tool runs right now: the only ones a progress block may name.
CLiveObjectSet g_liveJobs;

bool IsGiven(LPCWSTR pszText)
{
    return pszText != nullptr && *pszText != L'\0';
}

CString OrDefault(LPCWSTR pszText, LPCWSTR pszDefault)
{
    return IsGiven(pszText) ? CString(pszText) : CString(pszDefault);
}

void SetOutput(CEncoderOptions& options, LPCWSTR pszOutputPath, LPCWSTR pszOutputFormat)
{
    options.OutputPath = pszOutputPath;
    options.OutputFormat = pszOutputFormat;
}

// Frames written as pictures: no sound, the picture sequence format unless another is named, and
// the size where one is given.
void SetPictureOutput(CEncoderOptions& options, LPCWSTR pszOutput, LPCWSTR pszOutputFormat, int nWidth, int nHeight)
{
    options.AudioStream = ENCODER_STREAM_DROP;
    SetOutput(options, pszOutput, OrDefault(pszOutputFormat, L"image2"));
    if (nWidth > 0)
        options.Width = nWidth;
    if (nHeight > 0)
        options.Height = nHeight;
}

void DropFrames(CEncoderOptions& options)
{
    options.VideoSync = L"drop";
}

void ConvertAdtsToAsc(CEncoderOptions& options)
{
    options.AudioBitstreamFilter = L"aac_adtstoasc";
}

}  // namespace

CEncoderJob::CEncoderJob() : m_pListener(nullptr)
{
    memset(&m_lastProgress, 0, sizeof(m_lastProgress));
}

int CEncoderJob::RunTool(CEncoderOptions& options, const StopFlag* pStopFlag)
{
    OnBegin();
    int nResult;
    {
        CLiveObjectSet::CScope live(g_liveJobs, static_cast<CEncoderRunner*>(this));
        nResult = CEncoderRunner::RunTool(options, pStopFlag);
    }
    OnEnd();
    return nResult;
}

void CEncoderJob::OnBegin()
{
    if (m_pListener)
        m_pListener->OnBegin();
}

void CEncoderJob::OnEnd()
{
    if (!m_pListener)
        return;
    m_pListener->OnFinished(m_lastProgress);
    m_pListener->OnEnd();
}

int CEncoderJob::OnEncoderMessage(const EncoderMessageBlock* pBlock)
{
    if (!m_pListener || !pBlock)
        return -1;
    m_lastProgress = pBlock->Progress;
    switch (pBlock->Event) {
    case ENCODER_EVENT_STARTED:
        return m_pListener->OnStarted(m_lastProgress);
    case ENCODER_EVENT_PROGRESS:
        return m_pListener->OnProgress(m_lastProgress);
    case ENCODER_EVENT_FINISHED:
        return m_pListener->OnFinished(m_lastProgress);
    default:
        return -1;
    }
}

LRESULT CEncoderJob::DeliverMessage(const COPYDATASTRUCT* pcds)
{
    return DeliverMessage(pcds, nullptr);
}

LRESULT CEncoderJob::DeliverMessage(const COPYDATASTRUCT* pcds, const CEncoderJobListener* pListener)
{
    EncoderMessageBlock block;
    if (!ReadCopyDataBlock(pcds, ENCODER_MSG_EVENT, block))
        return -1;
    CLiveObjectSet::CUse use = g_liveJobs.Use(block.Context);
    if (!use)
        return 0;
    CEncoderJob* pJob = static_cast<CEncoderJob*>(static_cast<CEncoderRunner*>(const_cast<void*>(use.Object())));
    if (pListener && pJob->m_pListener != pListener)
        return 0;
    return pJob->OnEncoderMessage(&block);
}

// A failed run is made once more with the change, unless a stop was asked for.
int CEncoderJob::RunWithRetry(CEncoderOptions& options, const StopFlag* pStopFlag, void (*pfnRetry)(CEncoderOptions&))
{
    int nResult = RunTool(options, pStopFlag);
    if (nResult != -1)
        return nResult;
    if (IsStopRequested(pStopFlag))
        return 1;
    pfnRetry(options);
    return RunTool(options, pStopFlag);
}

int CEncoderJob::MergeStreams(LPCWSTR pszVideoFile, int nVideoStream, LPCWSTR pszAudioFile, int nAudioStream,
                              LPCWSTR pszSubtitleFile, int nSubtitleStream, LPCWSTR pszOutputPath,
                              LPCWSTR pszOutputFormat, LPCWSTR pszVideoCodec, LPCWSTR pszAudioCodec,
                              LPCWSTR pszSubtitleCodec, const StopFlag* pStopFlag)
{
    CEncoderOptions options;
    options.InputPath = IsGiven(pszVideoFile) ? pszVideoFile : L"";
    options.VideoStream = IsGiven(pszVideoFile) ? nVideoStream : ENCODER_STREAM_DROP;
    options.Input2Path = IsGiven(pszAudioFile) ? pszAudioFile : L"";
    options.AudioStream = IsGiven(pszAudioFile) ? nAudioStream : ENCODER_STREAM_DROP;
    options.Input3Path = IsGiven(pszSubtitleFile) ? pszSubtitleFile : L"";
    options.SubtitleStream = IsGiven(pszSubtitleFile) ? nSubtitleStream : ENCODER_STREAM_DROP;
    SetOutput(options, pszOutputPath, pszOutputFormat);
    options.StrictLevel = -2;
    options.VideoCodec = OrDefault(pszVideoCodec, L"copy");
    options.AudioCodec = pszAudioCodec;
    ChooseAudioCodecForContainer(options.AudioCodec, pszOutputFormat);
    options.SubtitleCodec = OrDefault(pszSubtitleCodec, L"copy");
    return RunWithRetry(options, pStopFlag, DropFrames);
}

int CEncoderJob::ConcatFiles(const CStringArray& arrPaths, LPCWSTR pszOutputPath, LPCWSTR pszOutputFormat,
                             const StopFlag* pStopFlag)
{
    CEncoderOptions options;
    options.InputPath = L"concat:";
    for (int i = 0; i < arrPaths.GetSize(); i++) {
        if (i > 0)
            options.InputPath += L'|';
        options.InputPath += arrPaths[i];
    }
    SetOutput(options, pszOutputPath, pszOutputFormat);
    options.Codec = L"copy";
    return RunWithRetry(options, pStopFlag, ConvertAdtsToAsc);
}

int CEncoderJob::ConcatList(LPCWSTR pszListFile, LPCWSTR pszOutputPath, LPCWSTR pszOutputFormat,
                            const StopFlag* pStopFlag)
{
    CEncoderOptions options;
    options.InputPath = pszListFile;
    options.InputFormat = L"concat";
    options.SafeFlag = 0;
    SetOutput(options, pszOutputPath, pszOutputFormat);
    options.Codec = L"copy";
    return RunWithRetry(options, pStopFlag, ConvertAdtsToAsc);
}

int CEncoderJob::ExtractFrame(LPCWSTR pszInput, LPCWSTR pszOutput, LONGLONG nTimeMs, int nWidth, int nHeight,
                              LPCWSTR pszOutputFormat, const StopFlag* pStopFlag)
{
    CEncoderOptions options;
    options.InputPath = pszInput;
    options.InputStart = nTimeMs;
    SetPictureOutput(options, pszOutput, pszOutputFormat, nWidth, nHeight);
    options.VideoFrames = 1;
    return RunTool(options, pStopFlag);
}

int CEncoderJob::ExtractFrames(LPCWSTR pszInput, LONGLONG nStartMs, LONGLONG nEndMs, LPCWSTR pszOutput,
                               LPCWSTR pszOutputFormat, int nWidth, int nHeight, const StopFlag* pStopFlag)
{
    CEncoderOptions options;
    options.InputPath = pszInput;
    if (nStartMs > 0)
        options.InputStart = nStartMs;
    if (nEndMs > 0) {
        LONGLONG nDuration = nEndMs - nStartMs + 1;
        options.InputDuration = nDuration;
        if (nDuration > 0)
            options.OutputDuration = nDuration;
    }
    SetPictureOutput(options, pszOutput, pszOutputFormat, nWidth, nHeight);
    return RunTool(options, pStopFlag);
}

int CEncoderJob::ConvertVideoOnly(LPCWSTR pszInput, int nFrameRateNum, int nFrameRateDen, LPCWSTR pszOutputPath,
                                  LPCWSTR pszOutputFormat, LPCWSTR pszVideoCodec, int nWidth, int nHeight,
                                  int bQualityZero, int nQuality, const StopFlag* pStopFlag)
{
    CEncoderOptions options;
    options.InputPath = pszInput;
    if (nFrameRateNum > 0) {
        options.InputFrameRateNum = nFrameRateNum;
        options.InputFrameRateDen = nFrameRateDen;
    }
    options.AudioStream = ENCODER_STREAM_DROP;
    options.AudioFlags |= ENCODER_NO_STREAM;
    SetOutput(options, pszOutputPath, pszOutputFormat);
    options.VideoCodec = pszVideoCodec;
    options.Width = nWidth;
    options.Height = nHeight;
    if (bQualityZero)
        options.VideoQuality = 0;
    if (nQuality >= 0)
        options.VideoQuality = nQuality;
    return RunTool(options, pStopFlag);
}

int CEncoderJob::ConvertWithoutAudioVideo(LPCWSTR pszInput, LPCWSTR pszOutputPath, LPCWSTR pszOutputFormat,
                                          const StopFlag* pStopFlag)
{
    CEncoderOptions options;
    options.InputPath = pszInput;
    options.VideoStream = ENCODER_STREAM_DROP;
    options.AudioStream = ENCODER_STREAM_DROP;
    SetOutput(options, pszOutputPath, pszOutputFormat);
    return RunTool(options, pStopFlag);
}
