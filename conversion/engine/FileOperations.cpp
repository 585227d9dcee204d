#include "conversion/engine/FileOperations.h"
#include "classlib/AfxPath.h"
#include "framework/system/PathHelpers.h"
#include "framework/system/ShellHelpers.h"
#include "framework/text/LongPath.h"
#include <stdlib.h>

namespace {

const DWORD kRetryPauseMs = 1000;
const DWORD kDeleteRetryLimitMs = 9999;
const int kMoveTries = 10;

// The full path, in its long form where the file exists; a path the system cannot make full is
// compared as given.
CString ComparablePath(LPCWSTR path)
{
    CString full = AfxGetFullPath(path);
    if (full.IsEmpty())
        return CString(path);
    CString longForm;
    return GetLongPath(full, longForm) == 0 ? longForm : full;
}

}  // namespace

int RecycleFile(LPCWSTR path)
{
    if (!PathExists(path))
        return 1;
    const FILEOP_FLAGS flags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI;
    return ShellDeleteFile(path, flags, nullptr) == 0 ? 0 : -1;
}

int DeleteFileIfExists(LPCWSTR path)
{
    if (!PathExists(path))
        return 1;
    return DeleteFileW(ExtendedLengthPath(path)) ? 0 : -1;
}

int MoveFileReplace(LPCWSTR from, LPCWSTR to, bool replace)
{
    if (!replace && PathExists(to))
        return -1;
    // One step: the target is never gone without the new file in its place.
    DWORD flags = replace ? MOVEFILE_REPLACE_EXISTING : 0;
    return MoveFileExW(ExtendedLengthPath(from), ExtendedLengthPath(to), flags) ? 0 : -1;
}

int WaitWithStop(DWORD ms, const StopFlag* pStopValue)
{
    for (DWORD waited = 0; waited < ms; waited += 100) {
        if (IsStopRequested(pStopValue))
            return 1;
        Sleep(ms - waited < 100 ? ms - waited : 100);
    }
    return IsStopRequested(pStopValue) ? 1 : 0;
}

int DeleteFileRetry(LPCWSTR path, const StopFlag* pStopValue)
{
    for (DWORD waited = 0;; waited += kRetryPauseMs) {
        if (DeleteFileIfExists(path) >= 0)
            return 0;
        if (waited + kRetryPauseMs > kDeleteRetryLimitMs || WaitWithStop(kRetryPauseMs, pStopValue) != 0)
            return -1;
    }
}

int MoveFileRetry(LPCWSTR from, LPCWSTR to, bool replace, const StopFlag* pStopValue)
{
    if (!PathExists(from))
        return -2;
    for (int attempt = 1;; ++attempt) {
        if (!replace && PathExists(to))
            return -1;
        if (MoveFileReplace(from, to, replace) == 0)
            return 0;
        if (attempt == kMoveTries || WaitWithStop(kRetryPauseMs, pStopValue) != 0)
            return -1;
    }
}

CString GetFileBaseName(LPCWSTR path)
{
    CString name(path);
    int start = name.GetLength();
    while (start > 0 && name[start - 1] != L'\\' && name[start - 1] != L'/' && name[start - 1] != L':')
        --start;
    name = name.Mid(start);
    int dot = name.ReverseFind(L'.');
    return dot >= 0 ? name.Left(dot) : name;
}

void SplitTrailingNumber(LPCWSTR title, CString& prefix, ULONGLONG& number)
{
    prefix = title;
    int start = prefix.GetLength();
    while (start > 0 && prefix[start - 1] >= L'0' && prefix[start - 1] <= L'9')
        --start;
    number = start < prefix.GetLength() ? _wcstoui64(static_cast<LPCWSTR>(prefix) + start, nullptr, 10) : 0;
    prefix = prefix.Left(start);
}

bool IsSameFilePath(LPCWSTR first, LPCWSTR second)
{
    if (!first || !second || !*first || !*second)
        return false;
    return ComparablePath(first).CompareNoCase(ComparablePath(second)) == 0;
}
