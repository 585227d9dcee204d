// The folder scan: which files it hands over, how deep it goes, that links are not followed and
// that a raised stop flag ends it.
#include "framework/system/FolderScan.h"
#include "framework/text/CWildcardFilter.h"
#include "tests/support/TempFolder.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <string>
#include <vector>

namespace {

void MakeFile(const std::wstring& path)
{
    CloseHandle(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
}

// The paths visited, relative to the folder scanned, sorted.
std::vector<std::wstring> Scan(const std::wstring& folder, LPCWSTR patterns, bool recurse,
                               const StopFlag* stopFlag = nullptr)
{
    CWildcardFilter filter;
    filter.SetPatterns(patterns, false);
    std::vector<std::wstring> visited;
    ScanFolderFiles(folder.c_str(), filter, recurse, stopFlag, [&](const CString& path) {
        std::wstring full = static_cast<LPCWSTR>(path);
        visited.push_back(full.compare(0, folder.size(), folder) == 0 ? full.substr(folder.size()) : full);
    });
    std::sort(visited.begin(), visited.end());
    return visited;
}

class FolderScan : public testing::Test {
protected:
    FolderScan()
    {
        CreateDirectoryW((m_root / L"sub").c_str(), nullptr);
        CreateDirectoryW((m_root / L"sub\\deeper").c_str(), nullptr);
        for (LPCWSTR name : {L"a.ts", L"notes.txt", L"sub\\b.mp4", L"sub\\deeper\\c.TS", L"sub\\deeper\\d.txt"})
            MakeFile(m_root / name);
    }

    TempFolder m_root;
};

TEST_F(FolderScan, HandsOverTheMatchingFiles)
{
    const std::wstring top = m_root.Path();
    const std::vector<std::wstring> all = {L"\\a.ts", L"\\notes.txt", L"\\sub\\b.mp4", L"\\sub\\deeper\\c.TS",
                                           L"\\sub\\deeper\\d.txt"};
    struct Case {
        const char* name;
        std::wstring folder;
        LPCWSTR patterns;
        bool recurse;
        std::vector<std::wstring> visited;
    } cases[] = {
        {"this folder only", top, L"*.ts;*.mp4", false, {L"\\a.ts"}},
        {"sub-folders too", top, L"*.ts;*.mp4", true, {L"\\a.ts", L"\\sub\\b.mp4", L"\\sub\\deeper\\c.TS"}},
        {"every file", top, L"*", true, all},
        {"no pattern matches nothing", top, L"", true, {}},
        {"a folder ending in its separator", top + L"\\sub\\", L"*.mp4", false, {L"b.mp4"}},
        {"a missing folder", top + L"\\missing", L"*", true, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.visited, Scan(c.folder, c.patterns, c.recurse)) << c.name;
}

TEST_F(FolderScan, GoesNoDeeperThanItsLimit)
{
    std::wstring folder = m_root / L"deep";
    CreateDirectoryW(folder.c_str(), nullptr);
    std::vector<std::wstring> expected;
    std::wstring relative;
    for (int level = 0; level <= kMaxFolderScanDepth + 1; ++level) {
        if (level > 0) {
            relative += L"\\" + std::to_wstring(level);
            CreateDirectoryW((folder + relative).c_str(), nullptr);
        }
        MakeFile(folder + relative + L"\\clip.ts");
        if (level <= kMaxFolderScanDepth)
            expected.push_back(relative + L"\\clip.ts");
    }
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(expected, Scan(folder, L"*.ts", true));
}

// A link back up the tree would make the scan go round until its depth limit.
TEST_F(FolderScan, DoesNotEnterLinkedFolders)
{
    std::wstring loop = m_root / L"sub\\loop";
    if (!CreateSymbolicLinkW(loop.c_str(), m_root.Path().c_str(), SYMBOLIC_LINK_FLAG_DIRECTORY))
        GTEST_SKIP() << "no folder links here";
    EXPECT_EQ((std::vector<std::wstring>{L"\\a.ts", L"\\sub\\b.mp4", L"\\sub\\deeper\\c.TS"}),
              Scan(m_root.Path(), L"*.ts;*.mp4", true));
    RemoveDirectoryW(loop.c_str());
}

TEST_F(FolderScan, EndsOnceTheStopFlagIsRaised)
{
    StopFlag stop{0};
    CWildcardFilter filter;
    filter.SetPatterns(L"*", false);
    int visited = 0;
    ScanFolderFiles(m_root.Path().c_str(), filter, true, &stop, [&](const CString&) {
        ++visited;
        stop = 20;
    });
    EXPECT_EQ(1, visited);
    stop = 20;
    ScanFolderFiles(m_root.Path().c_str(), filter, true, &stop, [&](const CString&) { ++visited; });
    EXPECT_EQ(1, visited) << "a scan asked to stop before it starts visits nothing";
}

}  // namespace
