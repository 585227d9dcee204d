// A conversion task whose page hooks write what they were told into one line of text
// ("icon 100|colour 10|text Preparing"), as a task page would show it.
#pragma once
#include "conversion/engine/CConvertTask.h"
#include <string>

class CRecordingTask : public CConvertTask {
public:
    void OnTaskStarted() override { Add(L"started"); }
    void OnTaskStopped() override { Add(L"stopped"); }
    void OnTaskOutputName(LPCWSTR name) override { Add(std::wstring(L"name ") + name); }
    void OnTaskOutputSize(LONGLONG bytes) override { Add(L"size " + std::to_wstring(bytes)); }
    void OnTaskDuration(LONGLONG microseconds) override { Add(L"duration " + std::to_wstring(microseconds)); }
    void OnTaskPosition(LONGLONG microseconds) override { Add(L"position " + std::to_wstring(microseconds)); }
    void OnTaskStateIcon(int statusCode) override { Add(L"icon " + std::to_wstring(statusCode)); }
    void OnTaskStateColour(int colourCode) override { Add(L"colour " + std::to_wstring(colourCode)); }
    void OnTaskProgress(LONGLONG position, LONGLONG total, int mode) override
    {
        CConvertTask::OnTaskProgress(position, total, mode);
        Add(L"progress " + std::to_wstring(position) + L"/" + std::to_wstring(total) + L"/" + std::to_wstring(mode));
    }
    void OnTaskStatusText(LPCWSTR text, LPCWSTR detail) override
    {
        Add(std::wstring(L"text ") + text + (*detail ? std::wstring(L": ") + detail : std::wstring()));
    }

    const std::wstring& Calls() const { return m_calls; }
    void ClearCalls() { m_calls.clear(); }

private:
    void Add(const std::wstring& call)
    {
        if (!m_calls.empty())
            m_calls += L'|';
        m_calls += call;
    }

    std::wstring m_calls;
};
