#include "framework/system/CTempFileGuard.h"
#include "tests/support/TempFolder.h"
#include <gtest/gtest.h>
#include <thread>

namespace {

bool Exists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void Touch(const std::wstring& path)
{
    CloseHandle(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
}

// Opened without delete sharing: the file cannot be deleted while the handle is open.
HANDLE Lock(const std::wstring& path)
{
    return CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
}

TEST(CTempFileGuard, DeletesOnlyWhenAsked)
{
    TempFolder temp;
    const struct {
        const char* name;
        bool del, retry, remains;
    } cases[] = {
        {"delete off", false, true, true},
        {"delete once", true, false, false},
        {"delete with retry", true, true, false},
    };
    for (const auto& c : cases) {
        std::wstring path = temp / L"guarded.tmp";
        Touch(path);
        { CTempFileGuard guard(path.c_str(), c.del, c.retry); }
        EXPECT_EQ(Exists(path), c.remains) << c.name;
    }
}

TEST(CTempFileGuard, RetriesWhileTheFileIsLocked)
{
    TempFolder temp;
    std::wstring path = temp / L"locked.tmp";
    Touch(path);
    HANDLE hLock = Lock(path);
    ASSERT_NE(hLock, INVALID_HANDLE_VALUE);
    // The lock is held for at least 500 ms of the guard's time, however the threads are scheduled.
    HANDLE hGuarding = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::thread release([hLock, hGuarding] {
        WaitForSingleObject(hGuarding, INFINITE);
        Sleep(500);
        CloseHandle(hLock);
    });
    ULONGLONG nStart = GetTickCount64();
    SetEvent(hGuarding);
    { CTempFileGuard guard(path.c_str(), true, true); }
    ULONGLONG nElapsed = GetTickCount64() - nStart;
    release.join();
    CloseHandle(hGuarding);
    EXPECT_FALSE(Exists(path));
    EXPECT_GE(nElapsed, 400u);
    EXPECT_LT(nElapsed, 20000u);  // well inside the 30 s budget
}

TEST(CTempFileGuard, WithoutRetryALockedFileStays)
{
    TempFolder temp;
    std::wstring path = temp / L"locked.tmp";
    Touch(path);
    HANDLE hLock = Lock(path);
    { CTempFileGuard guard(path.c_str(), true, false); }
    CloseHandle(hLock);
    EXPECT_TRUE(Exists(path));
}

TEST(CTempFileGuard, MissingFileEndsAtOnce)
{
    TempFolder temp;
    ULONGLONG nStart = GetTickCount64();
    { CTempFileGuard guard((temp / L"never made.tmp").c_str(), true, true); }
    EXPECT_LT(GetTickCount64() - nStart, 10000u);  // no retries: far below the 30 s budget
}

}  // namespace
