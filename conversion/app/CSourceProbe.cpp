#include "conversion/app/CSourceProbe.h"
#include "conversion/engine/CWorkerTask.h"

namespace {

// Runs the probe, then posts the owner's message with the tag and the probe's result.
class CSourceProbeThread : public CWorkerThread {
public:
    CSourceProbeThread(HWND owner, UINT message, WPARAM tag, CSourceProbe::ProbeFunction probe, const StopFlag* stop)
        : CWorkerThread(owner), m_message(message), m_tag(tag), m_probe(std::move(probe)), m_stop(stop)
    {}

    BOOL InitInstance() override
    {
        m_result = m_probe(m_stop);
        return FALSE;
    }
    int ExitInstance() override
    {
        PostMessageW(m_hWndOwner, m_message, m_tag, static_cast<LPARAM>(m_result));
        return CWorkerThread::ExitInstance();
    }

private:
    UINT m_message;
    WPARAM m_tag;
    CSourceProbe::ProbeFunction m_probe;
    const StopFlag* m_stop;
    int m_result = 0;
};

}  // namespace

int CSourceProbe::Start(HWND hOwner, UINT nMessage, WPARAM tag, ProbeFunction probe)
{
    if (IsRunning())
        return -1;
    m_stop = 0;
    CSourceProbeThread* pThread = new CSourceProbeThread(hOwner, nMessage, tag, std::move(probe), &m_stop);
    return m_thread.Start(pThread, THREAD_PRIORITY_NORMAL) ? 0 : -1;
}

void CSourceProbe::Stop()
{
    if (!IsRunning())
        return;
    m_stop = TASK_STOP_REQUESTED;
    m_thread.WaitAndDelete();
}

void CSourceProbe::Cancel()
{
    m_stop = TASK_STOP_REQUESTED;
}
