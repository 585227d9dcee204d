#include "conversion/engine/CConvertTask.h"
#include "classlib/CWinApp.h"
#include "classlib/CWnd.h"
#include "conversion/engine/CConvertJob.h"
#include "conversion/engine/CMediaConvertThread.h"
#include "conversion/engine/CMediaFormat.h"
#include "mediatools/CEncoderJob.h"
#include <shlwapi.h>

namespace {

// Seconds as the status line shows them: whole seconds, printed with two decimals.
double WholeSeconds(LONGLONG microseconds)
{
    return static_cast<double>(microseconds / 1000000);
}

double Kilobytes(LONGLONG bytes)
{
    return (bytes + 1023.0) / 1024.0;
}

// Frees the task's thread once it has ended; the task is idle afterwards.
void EndThread(CWorkerThreadOwner<CMediaConvertThread>& thread)
{
    if (!thread)
        return;
    thread.WaitAndDelete();
    CMediaFormat::TaskRunEnded();
}

}  // namespace

CConvertTask::~CConvertTask()
{
    if (m_pThread) {
        m_nStopRequest = TASK_STOP_REQUESTED;
        EndThread(m_pThread);
    }
}

void CConvertTask::OnStateChanged(CConvertTaskRecord& record)
{
    const CTaskProgress& progress = record.m_progress;
    const CString& outputPath = record.m_output.m_path;
    if (progress.m_state == TASK_STATE_RUNNING) {
        if (progress.m_phase == TASK_PHASE_OUTPUT_NAMED)
            OnTaskOutputName(PathFindFileNameW(outputPath));
        if (progress.m_phase == TASK_PHASE_OUTPUT_NAMED || progress.m_phase == TASK_PHASE_CONVERTED ||
            progress.m_phase == TASK_PHASE_ENDED)
            OnTaskProgress(0, 100, 0);
    } else if (progress.m_state == TASK_STATE_COMPLETED) {
        OnTaskDuration(record.m_output.m_info.DurationInUs);
        OnTaskPosition(-1);
        OnTaskOutputSize(record.m_output.m_size);
    } else if (progress.m_state == TASK_STATE_CANCELED && progress.m_result == TASK_RESULT_FILE_EXISTS) {
        OnTaskOutputName(PathFindFileNameW(outputPath));
    }
    ShowStatus(record);
}

void CConvertTask::ShowStatus(const CConvertTaskRecord& record)
{
    int statusCode, colourCode;
    CString text, detail;
    record.GetStatus(statusCode, colourCode, text, detail);
    if (statusCode != TASK_STATUS_UNCHANGED)
        OnTaskStateIcon(statusCode);
    if (colourCode != TASK_STATUS_UNCHANGED)
        OnTaskStateColour(colourCode);
    if (!text.IsEmpty())
        OnTaskStatusText(text, detail);
}

void CConvertTask::OnProgress(CConvertTaskRecord& record)
{
    if (record.m_progress.m_phase != TASK_PHASE_CONVERTING)
        return;
    if (record.m_progress.m_source == TASK_PROGRESS_FROM_ENCODER)
        ShowProgressOfEncoder(record);
    else
        ShowProgressOfBytes(record);
}

void CConvertTask::ShowProgressOfEncoder(CConvertTaskRecord& record)
{
    const EncoderProgress& block = record.m_progress.m_block;
    LONGLONG total = block.TotalDurationInUs, time = block.OutputTimeInUs, bytes = block.BytesWritten;
    LONGLONG expected = record.m_inputs.m_expectedSize;
    OnTaskDuration(total);
    OnTaskPosition(time);
    OnTaskOutputSize(bytes);
    CString detail;
    if (total > 0) {
        OnTaskProgress(time, total, TASK_PROGRESS_MODE_TIME);
        detail.Format(L"Time = %0.2f s / %0.2f s, Size = %.2f KB", WholeSeconds(time), WholeSeconds(total),
                      Kilobytes(bytes));
    } else if (expected > 0) {
        OnTaskProgress(bytes, expected, TASK_PROGRESS_MODE_BYTES);
        detail.Format(L"Time = %0.2f s, Size = %.2f KB / %.2f KB", WholeSeconds(time), Kilobytes(bytes),
                      Kilobytes(expected));
    } else {
        detail.Format(L"Time = %0.2f s, Size = %.2f KB", WholeSeconds(time), Kilobytes(bytes));
    }
    OnTaskStatusText(L"Converting", detail);
}

void CConvertTask::ShowProgressOfBytes(CConvertTaskRecord& record)
{
    LONGLONG position = record.m_progress.m_position, total = record.m_progress.m_total;
    OnTaskOutputSize(position);
    OnTaskProgress(position, total, TASK_PROGRESS_MODE_BYTES);
    CString detail;
    detail.Format(L"Size = %.2f KB / %.2f KB", Kilobytes(position), Kilobytes(total));
    OnTaskStatusText(L"Converting", detail);
}

void CConvertTask::NotifyStarted(CConvertTaskRecord& record)
{
    OnTaskStarted();
}

void CConvertTask::NotifyStopped(CConvertTaskRecord& record)
{
    OnTaskStopped();
}

int CConvertTask::Start(HWND hOwner)
{
    if (m_pThread)
        return 1;
    m_nStopRequest = 0;
    if (!m_pThread.Start(new CMediaConvertThread(this, hOwner), THREAD_PRIORITY_NORMAL))
        return -1;
    CMediaFormat::TaskRunStarted();
    return 0;
}

int CConvertTask::Stop()
{
    if (!m_pThread)
        return 1;
    m_nStopRequest = TASK_STOP_REQUESTED;
    // The end message's handler frees the thread; when none ran, Stop freed it.
    if (m_pThread.Stop(WM_CONVERT_TASK_FINISHED))
        CMediaFormat::TaskRunEnded();
    return 0;
}

void CConvertTask::OnThreadFinished()
{
    EndThread(m_pThread);
}

int CConvertTask::CheckRecord(CConvertTaskRecord& record)
{
    return 0;
}

int CConvertTask::Prepare()
{
    m_record.ResetOutput();
    return 0;
}

int CConvertTask::Execute(HWND hOwner)
{
    return RunJob(m_record, this, hOwner);
}

void CConvertTask::OnJobSucceeded(CConvertTaskRecord& record) {}

void CConvertTask::Finish() {}

int CConvertTask::RunJob(CConvertTaskRecord& record, CConvertTask* pListener, HWND hOwner)
{
    if (CheckRecord(record) != 0)
        return -1;
    CConvertJob job(&record, pListener, hOwner, &m_nStopRequest);
    m_pRunningJob = &job;
    int result = job.Run();
    m_pRunningJob = nullptr;
    if (result == 0)
        OnJobSucceeded(record);
    return result;
}

void CConvertTask::CloseMainWindow()
{
    CWnd* pMainWnd = AfxGetMainWnd();
    if (pMainWnd && pMainWnd->GetSafeHwnd())
        pMainWnd->PostMessage(WM_CLOSE);
}

void CConvertTask::OnTaskProgress(LONGLONG position, LONGLONG total, int mode)
{
    m_record.SetProgressNumbers(position, total, mode);
}

LRESULT CConvertTask::OnCopyData(const COPYDATASTRUCT* pcds)
{
    if (!pcds || pcds->dwData != ENCODER_MSG_EVENT || pcds->cbData != sizeof(EncoderMessageBlock) || !pcds->lpData)
        return 0;
    CConvertJob* pJob = m_pRunningJob;
    if (!pJob)
        return 0;
    return CEncoderJob::DeliverMessage(pcds, pJob);
}
