// One run of a conversion task on the worker thread: names the output, settles a clash with
// an existing file, makes the output folder, fills the encoder options from the task record
// and runs the encoding tool (or joins the files itself), moving the record's state, phase and
// result as it goes. Built on the stack by CConvertTask::RunJob for that run only; it is the
// listener of the encoder runs it starts.
#pragma once
#include "conversion/engine/CConvertTaskRecord.h"
#include "mediatools/CEncoderJob.h"
#include <functional>

class CConvertTask;
class CFileStream;
class CMediaFormat;
class CMediaPreset;

class CConvertJob : public CEncoderJobListener {
public:
    CConvertJob(CConvertTaskRecord* pRecord, CConvertTask* pTask, HWND hOwner, const StopFlag* pStopValue);

    // Encoder events; window thread, while the run blocks the worker thread.
    void OnBegin() override {}
    int OnStarted(const EncoderProgress& progress) override;
    // 1 (the tool stops) once a stop was asked for.
    int OnProgress(const EncoderProgress& progress) override;
    int OnFinished(const EncoderProgress& progress) override;
    void OnEnd() override {}

    // The whole run: 0 completed, 1 stopped or skipped, -1 failed.
    int Run();
    int Convert();
    int MergeVideoAudio();
    int JoinInputList();
    int JoinSegments();
    int JoinBytes();
    // A remux of the input list read as one stream through the tool's "concat:" protocol.
    int JoinByConcatProtocol();
    int JoinByConcatList();
    int JoinByConcatListWithFormat();

    // The options of one run from the record; the output is outputPath when given, else the
    // record's output path. 0.
    int FillEncoderOptions(CEncoderOptions& options, LPCWSTR outputPath);
    // Container and codecs of a stream copy. 0.
    int FillStreamCopyOptions(CEncoderOptions& options);
    // A remux of the files a concat list names. 0.
    int FillConcatOptions(CEncoderOptions& options, LPCWSTR listFile);
    // Settles an output path that already exists, asking when the answer (the Overwrite
    // setting) says so: 0 the path is free, 1 the answer decides (path and answer updated).
    int ResolveOutputConflict(CString& path, int& answer);

    void SetState(int state);
    void SetPhase(int phase);
    // Keeps the first result code of a run unless forced.
    void SetResult(int code, bool force = false);

protected:
    // The encoder job of a merge or a join, reporting to the owner window and this job.
    virtual CEncoderJob* CreateEncoderJob();

private:
    // Whether a file is there, how big and when written: a failed run compares the output
    // with its state before the run and removes it only when the run wrote it.
    struct FileStamp {
        bool exists = false;
        LONGLONG size = 0;
        FILETIME written = {};
    };
    static FileStamp StampOf(LPCWSTR path);
    static bool IsSameFile(const FileStamp& first, const FileStamp& second);
    static void RemoveFailedOutput(LPCWSTR path, const FileStamp& before);

    bool IsStopRequested() const { return ::IsStopRequested(m_pStopValue); }
    CString GetOutputFolder(LPCWSTR firstInput) const;
    CString StreamCopyContainer() const;
    // The container of a join: the record's, else MP4.
    CString JoinContainer() const;
    int PrepareOutput(CString& path, bool claimName);
    int SettleExistingOutput(CString& path);
    int ClaimOutput(CString& path);
    int ConvertThroughTemporary(CMediaFormat& format, const CMediaPreset& preset, CString& outputPath);
    int PlaceOutput(const CString& temporary, CString& path);
    int FinishOutput(bool checkSize);
    int EncoderFailure(int runResult);
    int EndOfDirectWrite(int result);
    int DecideListMode();
    int CheckJoinedBytes();
    int AppendFile(CFileStream& output, LPCWSTR path, BYTE* buffer, LONGLONG& position);
    int RunJoin(const std::function<int()>& run);
    int WriteConcatList(LPCWSTR listFile) const;
    void SetInputs(CEncoderOptions& options) const;
    void SetCut(CEncoderOptions& options);
    void SetFilters(CEncoderOptions& options) const;

    CConvertTaskRecord* m_pRecord;
    CConvertTask* m_pTask;
    HWND m_hOwner;
    const StopFlag* m_pStopValue;
    // The file at the output path when its clash was settled, which the run may replace; none
    // when the name was free.
    FileStamp m_replaceable = {};
    // The folder of this run's own that HLS segments go to while the tool writes them; empty:
    // the output's folder.
    CString m_segmentFolder;
};
