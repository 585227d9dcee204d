// CSourceProbe: reads a source the user picked (the prober runs the probing tool) on a worker
// thread of its own, so the page stays responsive. Started and stopped on the window thread;
// at its end the thread posts the owner's message with the tag in wParam and the probe's
// result in lParam. Cancel raises the stop flag (the tool run ends within its grace time);
// Stop also waits for the thread.
#pragma once
#include "framework/system/CWorkerThreadOwner.h"
#include "framework/system/StopFlag.h"
#include <functional>

class CSourceProbe {
public:
    typedef std::function<int(const StopFlag*)> ProbeFunction;

    CSourceProbe() = default;
    CSourceProbe(const CSourceProbe&) = delete;
    CSourceProbe& operator=(const CSourceProbe&) = delete;
    ~CSourceProbe() { Stop(); }

    // 0 started, -1 when a probe is still running or the thread can't start.
    int Start(HWND hOwner, UINT nMessage, WPARAM tag, ProbeFunction probe);
    void Cancel();
    void Stop();
    // Window thread, on the end message: frees the ended thread.
    void Finished() { Stop(); }
    bool IsRunning() const { return static_cast<bool>(m_thread); }

private:
    StopFlag m_stop{0};
    CWorkerThreadOwner<CWorkerThread> m_thread;  // after m_stop, which its thread reads
};
