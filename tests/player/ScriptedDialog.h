// A player dialog run modally with a script that runs once it is up (see DialogScript.h).
// With KAVRI_HOLD_DIALOG_MS set, each dialog stays up that long first, for a screenshot.
#pragma once
#include "tests/support/DialogScript.h"
#include <cstdlib>
#include <functional>

template <class Dialog>
class ScriptedDialog : public Dialog {
public:
    using Dialog::Dialog;
    std::function<void(ScriptedDialog&)> m_script;

protected:
    BOOL OnInitDialog() override
    {
        BOOL result = Dialog::OnInitDialog();
        this->PostMessage(WM_TEST_SHOWN);
        return result;
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message != WM_TEST_SHOWN)
            return Dialog::WindowProc(message, wParam, lParam);
        if (const char* hold = getenv("KAVRI_HOLD_DIALOG_MS"))
            HoldOpen(atoi(hold));
        if (m_script)
            m_script(*this);
        return 0;
    }

private:
    static void HoldOpen(int milliseconds)
    {
        DWORD end = GetTickCount() + static_cast<DWORD>(milliseconds);
        MSG msg;
        while (static_cast<int>(end - GetTickCount()) > 0) {
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageW(&msg);
            Sleep(20);
        }
    }
};
