// File moves and deletes with their retries, on files the test makes and holds open; the
// pieces of names; the Recycle Bin through a recorder.
#include "conversion/engine/FileOperations.h"
#include "framework/system/ShellCalls.h"
#include "tests/support/TempFolder.h"
#include <gtest/gtest.h>
#include <thread>

namespace {

void Write(const std::wstring& path, const char* text)
{
    HANDLE hFile = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, hFile);
    DWORD written = 0;
    WriteFile(hFile, text, static_cast<DWORD>(strlen(text)), &written, nullptr);
    CloseHandle(hFile);
}

std::string Read(const std::wstring& path)
{
    HANDLE hFile = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return "(missing)";
    char buffer[256];
    DWORD read = 0;
    ReadFile(hFile, buffer, sizeof(buffer), &read, nullptr);
    CloseHandle(hFile);
    return std::string(buffer, read);
}

bool Exists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Opens the file so that nobody may delete or replace it, until Release.
class CHeldFile {
public:
    explicit CHeldFile(const std::wstring& path)
        : m_hFile(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr))
    {
    }
    ~CHeldFile() { Release(); }
    void Release()
    {
        if (m_hFile != INVALID_HANDLE_VALUE)
            CloseHandle(m_hFile);
        m_hFile = INVALID_HANDLE_VALUE;
    }
    bool IsHeld() const { return m_hFile != INVALID_HANDLE_VALUE; }

private:
    HANDLE m_hFile;
};

TEST(FileOperationsTest, DeleteAndMoveOnce)
{
    TempFolder folder;
    std::wstring a = folder / L"a.txt", b = folder / L"b.txt";
    EXPECT_EQ(1, DeleteFileIfExists(a.c_str())) << "nothing to delete";
    Write(a, "A");
    EXPECT_EQ(0, DeleteFileIfExists(a.c_str()));
    EXPECT_FALSE(Exists(a));

    Write(a, "A");
    Write(b, "B");
    EXPECT_EQ(-1, MoveFileReplace(a.c_str(), b.c_str(), false)) << "an existing target is kept";
    EXPECT_EQ("B", Read(b));
    EXPECT_EQ(0, MoveFileReplace(a.c_str(), b.c_str(), true));
    EXPECT_EQ("A", Read(b));
    EXPECT_FALSE(Exists(a));
}

TEST(FileOperationsTest, MoveRetriesWhileTheTargetIsHeld)
{
    TempFolder folder;
    std::wstring from = folder / L"new.txt", to = folder / L"old.txt";
    EXPECT_EQ(-2, MoveFileRetry(from.c_str(), to.c_str(), true, nullptr)) << "no source";
    Write(from, "new");
    Write(to, "old");
    EXPECT_EQ(-1, MoveFileRetry(from.c_str(), to.c_str(), false, nullptr)) << "no replacing asked for";

    CHeldFile held(to);
    ASSERT_TRUE(held.IsHeld());
    std::thread releaser([&] {
        Sleep(1500);
        held.Release();
    });
    DWORD start = GetTickCount();
    int result = MoveFileRetry(from.c_str(), to.c_str(), true, nullptr);
    DWORD took = GetTickCount() - start;
    releaser.join();
    EXPECT_EQ(0, result);
    EXPECT_GE(took, 1000u) << "waited for the holder";
    EXPECT_EQ("new", Read(to));
    EXPECT_FALSE(Exists(from));
}

TEST(FileOperationsTest, AStopEndsTheRetries)
{
    TempFolder folder;
    std::wstring from = folder / L"new.txt", to = folder / L"old.txt";
    Write(from, "new");
    Write(to, "old");
    CHeldFile held(to);
    StopFlag stop{0};
    std::thread stopper([&] {
        Sleep(1200);
        stop = 20;
    });
    DWORD start = GetTickCount();
    EXPECT_EQ(-1, MoveFileRetry(from.c_str(), to.c_str(), true, &stop));
    DWORD took = GetTickCount() - start;
    stopper.join();
    EXPECT_LT(took, 2500u) << "the stop cut the waiting short";
    EXPECT_EQ("new", Read(from)) << "the source stays where it was";
    EXPECT_EQ(-1, DeleteFileRetry(to.c_str(), &stop)) << "a stop asked for before: one try only";
    EXPECT_EQ(1, WaitWithStop(5000, &stop));
    EXPECT_EQ(0, DeleteFileRetry((folder / L"none.txt").c_str(), nullptr));
}

// A move that cannot happen (its source held open) must not cost the target: it is replaced
// in one step or not at all.
TEST(FileOperationsTest, AFailedMoveKeepsTheTarget)
{
    TempFolder folder;
    std::wstring from = folder / L"new.txt", to = folder / L"old.txt";
    Write(from, "new");
    Write(to, "old");
    CHeldFile held(from);
    StopFlag stop{0};
    std::thread stopper([&] {
        Sleep(1200);
        stop = 20;
    });
    EXPECT_EQ(-1, MoveFileRetry(from.c_str(), to.c_str(), true, &stop));
    stopper.join();
    EXPECT_EQ("old", Read(to));
    held.Release();
    EXPECT_EQ("new", Read(from));
}

TEST(FileOperationsTest, WaitWithStop)
{
    DWORD start = GetTickCount();
    EXPECT_EQ(0, WaitWithStop(250, nullptr));
    EXPECT_GE(GetTickCount() - start, 240u);
    StopFlag stop{0};
    EXPECT_EQ(0, WaitWithStop(0, &stop));
}

TEST(FileOperationsTest, BaseNames)
{
    struct Case {
        const wchar_t* name;
        const wchar_t* path;
        const wchar_t* baseName;
    } cases[] = {
        {L"full path", L"C:\\videos\\clip.mp4", L"clip"},
        {L"dots in the name", L"C:\\v\\clip.part1.mp4", L"clip.part1"},
        {L"no extension", L"C:\\v\\clip", L"clip"},
        {L"forward slashes", L"C:/v/clip.ts", L"clip"},
        {L"drive only", L"C:clip.ts", L"clip"},
        {L"bare name", L"clip.mp3", L"clip"},
        {L"dot in a folder", L"C:\\v.d\\clip", L"clip"},
        {L"empty", L"", L""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CString(c.baseName), GetFileBaseName(c.path)) << c.name;
}

TEST(FileOperationsTest, TrailingNumbers)
{
    struct Case {
        const wchar_t* title;
        const wchar_t* prefix;
        ULONGLONG number;
    } cases[] = {
        {L"seg012", L"seg", 12},
        {L"part-3", L"part-", 3},
        {L"init", L"init", 0},
        {L"2024", L"", 2024},
        {L"", L"", 0},
        {L"a1b2", L"a1b", 2},
        {L"x99999999999999999999999", L"x", 0xFFFFFFFFFFFFFFFFull},
    };
    for (const Case& c : cases) {
        CString prefix;
        ULONGLONG number = 7;
        SplitTrailingNumber(c.title, prefix, number);
        EXPECT_EQ(CString(c.prefix), prefix) << c.title;
        EXPECT_EQ(c.number, number) << c.title;
    }
}

TEST(FileOperationsTest, SameFilePaths)
{
    TempFolder folder;
    std::wstring clip = folder / L"Clip.mp4";
    Write(clip, "x");
    std::wstring upper = clip;
    for (wchar_t& ch : upper)
        ch = static_cast<wchar_t>(towupper(ch));
    EXPECT_TRUE(IsSameFilePath(clip.c_str(), upper.c_str())) << "case does not matter";
    EXPECT_TRUE(IsSameFilePath(clip.c_str(), (folder / L"sub\\..\\clip.mp4").c_str())) << "dots are folded";
    EXPECT_FALSE(IsSameFilePath(clip.c_str(), (folder / L"clip.mkv").c_str()));
    EXPECT_FALSE(IsSameFilePath(clip.c_str(), L""));
}

int g_operations = 0;
FILEOP_FLAGS g_flags = 0;
UINT g_function = 0;

int WINAPI RecordFileOperation(LPSHFILEOPSTRUCTW operation)
{
    ++g_operations;
    g_flags = operation->fFlags;
    g_function = operation->wFunc;
    return 0;
}

TEST(FileOperationsTest, RecycleThroughTheShell)
{
    TempFolder folder;
    CShellCalls saved = ShellCalls();
    ShellCalls().pfnFileOperation = RecordFileOperation;
    g_operations = 0;
    EXPECT_EQ(1, RecycleFile((folder / L"missing.mp4").c_str()));
    EXPECT_EQ(0, g_operations) << "nothing asked of the shell for a missing file";
    Write(folder / L"old.mp4", "x");
    EXPECT_EQ(0, RecycleFile((folder / L"old.mp4").c_str()));
    ShellCalls() = saved;
    EXPECT_EQ(1, g_operations);
    EXPECT_EQ(static_cast<UINT>(FO_DELETE), g_function);
    EXPECT_EQ(0x454, g_flags);
}

}  // namespace
