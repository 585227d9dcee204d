#include "framework/system/CTempFileGuard.h"
#include "framework/text/LongPath.h"

CTempFileGuard::CTempFileGuard(LPCWSTR pszPath, bool bDelete, bool bRetry)
    : m_strPath(pszPath), m_bDelete(bDelete), m_bRetry(bRetry)
{
}

CTempFileGuard::~CTempFileGuard()
{
    if (!m_bDelete || m_strPath.IsEmpty())
        return;
    CString strPath = ExtendedLengthPath(m_strPath);
    if (!m_bRetry) {
        DeleteFileW(strPath);
        return;
    }
    for (int nBudget = kRetryBudget;
         !DeleteFileW(strPath) && GetFileAttributesW(strPath) != INVALID_FILE_ATTRIBUTES && nBudget > 0;
         nBudget -= 100)
        Sleep(100);
}
