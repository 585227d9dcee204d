// End-to-end runs of conversion tasks on their own threads, with the real tools under Wine on
// media made by the built ffmpeg.exe: a task whose page is this test (hooks logged under a
// lock, since the worker and this thread both call them) and a window standing in for the
// page.
#pragma once
#include "conversion/engine/IFileExistsPrompt.h"
#include "conversion/engine/catalogue/CBuiltInMediaFormats.h"
#include "mediatools/MediaToolLocation.h"
#include "tests/conversion/engine/TaskPageWindow.h"
#include "tests/support/TempFolder.h"
#include "tests/support/ToolTestSupport.h"
#include <gtest/gtest.h>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

class CRunTask : public CConvertTask {
public:
    // Fills the record on the worker thread, as a page's Prepare does, then resets it for the run.
    std::function<void(CConvertTaskRecord&)> fill;

    int Prepare() override
    {
        if (fill)
            fill(m_record);
        return CConvertTask::Prepare();
    }
    void OnTaskProgress(LONGLONG position, LONGLONG total, int mode) override
    {
        CConvertTask::OnTaskProgress(position, total, mode);
        if (mode == 0)
            return;
        std::lock_guard<std::mutex> lock(m_lock);
        progress.push_back({position, total, mode});
    }
    void OnTaskStatusText(LPCWSTR text, LPCWSTR detail) override
    {
        std::lock_guard<std::mutex> lock(m_lock);
        texts.push_back(std::wstring(text) + (*detail ? std::wstring(L": ") + detail : std::wstring()));
    }
    void OnTaskStarted() override { busy++; }
    void OnTaskStopped() override { busy--; }

    struct Progress {
        LONGLONG position, total;
        int mode;
    };
    // Read by the test once the run is over.
    std::vector<Progress> progress;
    std::vector<std::wstring> texts;
    int busy = 0;

private:
    std::mutex m_lock;
};

class TaskRun : public ::testing::Test {
protected:
    static void MakeSuiteMedia(const std::vector<std::pair<const wchar_t*, std::wstring>>& media)
    {
        s_folder = tooltest::MakeTempFolder(L"engine run");
        s_made = true;
        for (const auto& item : media)
            s_made = s_made && tooltest::MakeMedia(s_folder + L"\\" + item.first, item.second);
    }
    static void TearDownTestSuite() { tooltest::RemoveFolder(s_folder); }

    void SetUp() override
    {
        ASSERT_TRUE(s_made) << "test media could not be made with ffmpeg.exe";
        m_savedPaths[0] = ClipConverterPath;
        m_savedPaths[1] = ClipInspectorPath;
        LocateMediaTools(tooltest::ToolFolder().c_str());
        ASSERT_EQ(0, theMediaFormats.Load(m_data.Path().c_str()));
        CreateDirectoryW(Out().c_str(), nullptr);
    }
    void TearDown() override
    {
        SetEnvironmentVariableW(L"KAVRI_TOOL_MODE", nullptr);
        SetEnvironmentVariableW(L"KAVRI_TOOL_LOG", nullptr);
        SetFileExistsPrompt(nullptr);
        ClipConverterPath = m_savedPaths[0];
        ClipInspectorPath = m_savedPaths[1];
        tooltest::RemoveFolder(Out());
    }

    static std::wstring Media(const wchar_t* name) { return s_folder + L"\\" + name; }
    // Each test writes into its own folder beside the media.
    std::wstring Out() const
    {
        const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = info->name();
        return s_folder + L"\\out " + std::wstring(name.begin(), name.end());
    }
    std::wstring Out(const wchar_t* name) const { return Out() + L"\\" + name; }
    // The names in the output folder, sorted, '|' between them.
    std::wstring Listing() const
    {
        std::vector<std::wstring> names;
        WIN32_FIND_DATAW found;
        HANDLE hFind = FindFirstFileW((Out() + L"\\*").c_str(), &found);
        if (hFind != INVALID_HANDLE_VALUE) {
            do {
                if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                    names.push_back(found.cFileName);
            } while (FindNextFileW(hFind, &found));
            FindClose(hFind);
        }
        std::sort(names.begin(), names.end());
        std::wstring listing;
        for (const std::wstring& name : names)
            listing += (listing.empty() ? L"" : L"|") + name;
        return listing;
    }

    // Starts the task on its thread and handles its page messages until it is idle again.
    void RunToEnd(CRunTask& task, CTaskPageWindow& page, DWORD limitMs = 120000)
    {
        ASSERT_EQ(0, task.Start(page.GetHwnd()));
        ASSERT_TRUE(page.PumpUntilIdle(limitMs)) << "the run did not end";
    }
    // The state, result and last status line of a finished run, as "<state> <result> <text>".
    static std::wstring Outcome(const CRunTask& task)
    {
        const CTaskProgress& progress = task.m_record.m_progress;
        return std::to_wstring(progress.m_state) + L" " + std::to_wstring(progress.m_result) + L" " +
               (task.texts.empty() ? L"" : task.texts.back());
    }

    static std::wstring s_folder;
    static bool s_made;
    TempFolder m_data;
    CString m_savedPaths[2];
};

std::wstring TaskRun::s_folder;
bool TaskRun::s_made = false;
