// CWaitCursor: shows the hourglass for the lifetime of the object, then the cursor before it.
#pragma once
#include <windows.h>

class CWaitCursor {
public:
    CWaitCursor() : m_hPrevious(SetCursor(LoadCursorW(nullptr, IDC_WAIT))) {}
    ~CWaitCursor() { SetCursor(m_hPrevious); }
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;

    // Shows the hourglass again, after something (a message box) changed the cursor.
    void Restore() { SetCursor(LoadCursorW(nullptr, IDC_WAIT)); }

private:
    HCURSOR m_hPrevious;
};
