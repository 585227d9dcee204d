// An encoder run that reports: a listener hears when it begins and ends and gets each progress
// message of the tool, whose reply can stop the tool. Also the canned runs both programs need.
#pragma once
#include "classlib/CArray.h"
#include "mediatools/CEncoderRunner.h"
#include "mediatools/EncoderProgress.h"

class CEncoderJobListener {
public:
    virtual ~CEncoderJobListener() = default;
    virtual void OnBegin() = 0;
    virtual int OnStarted(const EncoderProgress& progress) = 0;
    // A non-zero reply asks the tool to stop.
    virtual int OnProgress(const EncoderProgress& progress) = 0;
    // For the tool's finished message, and once more at the end of every run.
    virtual int OnFinished(const EncoderProgress& progress) = 0;
    virtual void OnEnd() = 0;
};

class CEncoderJob : public CEncoderRunner {
public:
    CEncoderJob();

    // OnBegin, the run, OnEnd. Blocks the worker thread; a stop flag holding 20, or a non-zero
    // reply to a progress message, ends it.
    int RunTool(CEncoderOptions& options, const StopFlag* pStopFlag) override;
    virtual void OnBegin();
    virtual void OnEnd();
    // Keeps the payload and passes it on by event; the listener's reply, or -1 without a
    // listener, for a null block or an unknown event. Window thread, while the run blocks.
    virtual int OnEncoderMessage(const EncoderMessageBlock* pBlock);

    // Canned runs: 0 success, 1 stopped, else the last run's failure (-1, or -2 tool missing).
    virtual int MergeStreams(LPCWSTR pszVideoFile, int nVideoStream, LPCWSTR pszAudioFile, int nAudioStream,
                             LPCWSTR pszSubtitleFile, int nSubtitleStream, LPCWSTR pszOutputPath,
                             LPCWSTR pszOutputFormat, LPCWSTR pszVideoCodec, LPCWSTR pszAudioCodec,
                             LPCWSTR pszSubtitleCodec, const StopFlag* pStopFlag);
    virtual int ConcatFiles(const CStringArray& arrPaths, LPCWSTR pszOutputPath, LPCWSTR pszOutputFormat,
                            const StopFlag* pStopFlag);
    virtual int ConcatList(LPCWSTR pszListFile, LPCWSTR pszOutputPath, LPCWSTR pszOutputFormat,
                           const StopFlag* pStopFlag);
    virtual int ExtractFrame(LPCWSTR pszInput, LPCWSTR pszOutput, LONGLONG nTimeMs, int nWidth, int nHeight,
                             LPCWSTR pszOutputFormat, const StopFlag* pStopFlag);
    virtual int ExtractFrames(LPCWSTR pszInput, LONGLONG nStartMs, LONGLONG nEndMs, LPCWSTR pszOutput,
                              LPCWSTR pszOutputFormat, int nWidth, int nHeight, const StopFlag* pStopFlag);
    virtual int ConvertVideoOnly(LPCWSTR pszInput, int nFrameRateNum, int nFrameRateDen, LPCWSTR pszOutputPath,
                                 LPCWSTR pszOutputFormat, LPCWSTR pszVideoCodec, int nWidth, int nHeight,
                                 int bQualityZero, int nQuality, const StopFlag* pStopFlag);
    virtual int ConvertWithoutAudioVideo(LPCWSTR pszInput, LPCWSTR pszOutputPath, LPCWSTR pszOutputFormat,
                                         const StopFlag* pStopFlag);

    // Hands a WM_COPYDATA progress block to the job it names, when that job is running in this
    // process now; a block naming anything else is answered 0 untouched, a block that is no
    // progress block -1. Window thread.
    static LRESULT DeliverMessage(const COPYDATASTRUCT* pcds);
    // The same for a receiver that takes only the blocks of its own runs: a block naming a
    // running job whose listener is not pListener is answered 0 untouched as well.
    static LRESULT DeliverMessage(const COPYDATASTRUCT* pcds, const CEncoderJobListener* pListener);

    CEncoderJobListener* m_pListener;  // not owned; outlives the job's runs
    EncoderProgress m_lastProgress;    // kept between runs

private:
    int RunWithRetry(CEncoderOptions& options, const StopFlag* pStopFlag, void (*pfnRetry)(CEncoderOptions&));
};
