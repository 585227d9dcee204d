// A conversion task: the record of one task page and the interface through which the engine
// reports back to the page. The page overrides Prepare (to fill the record), Finish and the
// OnTask... hooks; the engine runs the task on a CMediaConvertThread.
//
// Threads: Start, Stop, OnCopyData and OnThreadFinished run on the window thread; Prepare,
// Execute, Finish and the state hooks on the worker thread; progress hooks on the window
// thread for encoder runs and on the worker thread for byte joins.
#pragma once
#include "conversion/engine/CConvertTaskRecord.h"
#include "conversion/engine/CWorkerTask.h"
#include <atomic>

class CConvertJob;

class CConvertTask : public CWorkerTask {
public:
    CConvertTask() = default;
    // Stops a run that is still going and frees its thread.
    ~CConvertTask() override;

    // The job reports every state and phase change and every progress report here.
    virtual void OnStateChanged(CConvertTaskRecord& record);
    virtual void OnProgress(CConvertTaskRecord& record);
    // Around a run whose size is not known in advance: the page shows its busy animation.
    virtual void NotifyStarted(CConvertTaskRecord& record);
    virtual void NotifyStopped(CConvertTaskRecord& record);

    int Start(HWND hOwner) override;
    // Asks the run to stop and returns once its thread has ended and been freed.
    int Stop() override;
    // Non-zero refuses the record: the run fails at once.
    virtual int CheckRecord(CConvertTaskRecord& record);
    // Clears the record's output and progress; pages fill the record first, then call this.
    int Prepare() override;
    int Execute(HWND hOwner) override;
    virtual void OnJobSucceeded(CConvertTaskRecord& record);
    void Finish() override;
    // Runs one job over the record: its result (0 done, 1 stopped or skipped, -1 failed).
    virtual int RunJob(CConvertTaskRecord& record, CConvertTask* pListener, HWND hOwner);
    virtual void CloseMainWindow();

    // Hooks for the task page.
    virtual void OnTaskStarted() {}
    virtual void OnTaskStopped() {}
    virtual void OnTaskOutputName(LPCWSTR name) {}
    virtual void OnTaskOutputSize(LONGLONG bytes) {}
    virtual void OnTaskDuration(LONGLONG microseconds) {}
    virtual void OnTaskPosition(LONGLONG microseconds) {}
    virtual void OnTaskStateIcon(int statusCode) {}
    virtual void OnTaskStateColour(int colourCode) {}
    virtual void OnTaskProgress(LONGLONG position, LONGLONG total, int mode);
    virtual void OnTaskStatusText(LPCWSTR text, LPCWSTR detail) {}

    // The page's WM_COPYDATA: a progress block of the encoding tool, taken only when it names
    // the encoder job this task runs now; the reply to the tool. Anything else gets 0.
    LRESULT OnCopyData(const COPYDATASTRUCT* pcds);
    // The page's WM_CONVERT_TASK_FINISHED: waits for the thread's end, frees it, and leaves
    // the task idle.
    void OnThreadFinished();

    CConvertTaskRecord m_record;

private:
    void ShowProgressOfEncoder(CConvertTaskRecord& record);
    void ShowProgressOfBytes(CConvertTaskRecord& record);
    void ShowStatus(const CConvertTaskRecord& record);

    std::atomic<CConvertJob*> m_pRunningJob{nullptr};  // the job of the run under way, set by RunJob
};
