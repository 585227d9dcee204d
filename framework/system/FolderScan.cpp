#include "framework/system/FolderScan.h"
#include "framework/text/CWildcardFilter.h"
#include "framework/text/LongPath.h"
#include "common/OwnedHandle.h"
#include <wchar.h>

namespace {

struct ScanRun {
    const CWildcardFilter& filter;
    bool recurse;
    const StopFlag* stopFlag;
    const std::function<void(const CString& path)>& visit;
};

// A root such as "C:\" already ends in its separator.
CString JoinName(const CString& folder, LPCWSTR name)
{
    wchar_t last = folder.IsEmpty() ? 0 : folder[folder.GetLength() - 1];
    return last == L'\\' || last == L'/' ? folder + name : folder + L"\\" + name;
}

bool IsDots(LPCWSTR name)
{
    return wcscmp(name, L".") == 0 || wcscmp(name, L"..") == 0;
}

void ScanLevel(const ScanRun& run, const CString& folder, int depth)
{
    WIN32_FIND_DATAW found;
    OwnedFindHandle find(FindFirstFileW(ExtendedLengthPath(JoinName(folder, L"*")), &found));
    if (!find)
        return;
    do {
        if (IsStopRequested(run.stopFlag))
            return;
        if (IsDots(found.cFileName))
            continue;
        CString path = JoinName(folder, found.cFileName);
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            if (run.filter.Matches(found.cFileName))
                run.visit(path);
        } else if (run.recurse && depth < kMaxFolderScanDepth &&
                   !(found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
            ScanLevel(run, path, depth + 1);
        }
    } while (FindNextFileW(find.Get(), &found));
}

}  // namespace

void ScanFolderFiles(LPCWSTR folder, const CWildcardFilter& filter, bool recurse, const StopFlag* stopFlag,
                     const std::function<void(const CString& path)>& visit)
{
    if (!folder || !*folder)
        return;
    ScanLevel(ScanRun{filter, recurse, stopFlag, visit}, folder, 0);
}
