// Removes a temporary file when the scope that made it ends, whatever the outcome.
#pragma once
#include "classlib/CString.h"

class CTempFileGuard {
public:
    static const int kRetryBudget = 30000;  // ms of retries while the file stays locked

    // Without bDelete the guard does nothing; with bRetry a locked file is tried again every
    // 100 ms until it goes or the budget is spent (it is then left behind).
    CTempFileGuard(LPCWSTR pszPath, bool bDelete, bool bRetry);
    CTempFileGuard(const CTempFileGuard&) = delete;
    CTempFileGuard& operator=(const CTempFileGuard&) = delete;
    ~CTempFileGuard();

private:
    CString m_strPath;
    bool m_bDelete;
    bool m_bRetry;
};
