// "File already exists" asked as the engine asks it: from a worker thread, through the
// installed prompt, answered by clicks from this thread. Each answer, Cancel and the close box,
// the auto-close countdown and a typed name that no file can have.
// With KAVRI_HOLD_DIALOG_MS set, the first dialog stays up that long first (for a screenshot).
#include "classlib/Afx.h"
#include "conversion/app/CConversionSettings.h"
#include "conversion/app/CFileExistsDlg.h"
#include "conversion/app/CFileExistsPrompt.h"
#include "conversion/app/res/ConversionAppResources.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestWait.h"
#include <gtest/gtest.h>
#include <functional>
#include <thread>

namespace {

struct Asked {
    int answer = -99;
    CString newTitle;
};

struct FindData {
    DWORD threadId;
    LPCWSTR caption;
    HWND found;
    HWND except;
};

BOOL CALLBACK FindCaption(HWND hWnd, LPARAM lParam)
{
    auto* data = reinterpret_cast<FindData*>(lParam);
    wchar_t text[128] = {};
    GetWindowTextW(hWnd, text, 128);
    if (hWnd != data->except && IsWindowVisible(hWnd) && !lstrcmpW(text, data->caption)) {
        data->found = hWnd;
        return FALSE;
    }
    return TRUE;
}

// A top-level window of the thread with this caption (other than except), waited for.
HWND WaitForWindow(DWORD threadId, LPCWSTR caption, HWND except = nullptr)
{
    FindData data = {threadId, caption, nullptr, except};
    PumpUntil(
        [&data]() {
            EnumThreadWindows(data.threadId, &FindCaption, reinterpret_cast<LPARAM>(&data));
            return data.found != nullptr;
        },
        kTestWaitMs);
    return data.found;
}

CString Text(HWND hDlg, int id)
{
    wchar_t text[256] = {};
    GetDlgItemTextW(hDlg, id, text, 256);
    return text;
}

void Click(HWND hDlg, int id)
{
    SendMessageW(GetDlgItem(hDlg, id), BM_CLICK, 0, 0);
}

class FileExistsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CloseHandle(
            CreateFileW((m_folder / L"clip.mp4").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        CloseHandle(
            CreateFileW((m_folder / L"clip (1).mp4").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    }

    // Asks on a worker thread as a task does and runs the script on the dialog once it is up.
    Asked Ask(const std::function<void(HWND)>& script)
    {
        Asked asked;
        CFileExistsPrompt prompt(m_settings);
        DWORD workerId = 0;
        HANDLE hStarted = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        std::thread worker([&]() {
            workerId = GetCurrentThreadId();
            SetEvent(hStarted);
            asked.answer = prompt.AskFileExists(m_folder.Path().c_str(), L"clip", L".mp4", asked.newTitle);
        });
        WaitForSingleObject(hStarted, INFINITE);
        CloseHandle(hStarted);
        HWND hDlg = WaitForWindow(workerId, L"File already exists");
        EXPECT_TRUE(hDlg != nullptr);
        if (hDlg) {
            if (const char* hold = getenv("KAVRI_HOLD_DIALOG_MS"))
                Sleep(static_cast<DWORD>(atoi(hold)));
            script(hDlg);
        }
        worker.join();
        return asked;
    }

    TempFolder m_folder;
    CConversionSettings m_settings;
};

TEST_F(FileExistsTest, TheDialogShowsThePathAndAFreeName)
{
    CString path, title;
    bool newTitleEnabled = false, iconSet = false;
    Ask([&](HWND hDlg) {
        path = Text(hDlg, IDC_EXISTING_PATH);
        title = Text(hDlg, IDC_NEW_TITLE);
        newTitleEnabled = IsWindowEnabled(GetDlgItem(hDlg, IDC_NEW_TITLE)) != FALSE;
        iconSet = SendDlgItemMessageW(hDlg, IDC_FILE_EXISTS_ICON, STM_GETICON, 0, 0) != 0;
        Click(hDlg, IDC_ACTION_OVERWRITE);
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(hDlg, IDC_NEW_TITLE)));
        Click(hDlg, IDC_ACTION_NEW_NAME);
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(hDlg, IDC_NEW_TITLE)));
        Click(hDlg, IDCANCEL);
    });
    EXPECT_EQ(CString(m_folder.Path().c_str()) + L"\\clip.mp4", path);
    EXPECT_STREQ(L"clip (2)", title);  // "clip (1).mp4" is taken too
    EXPECT_TRUE(newTitleEnabled);
    EXPECT_TRUE(iconSet);
}

TEST_F(FileExistsTest, EachActionGivesItsAnswer)
{
    struct Case {
        const char* name;
        int radio;
        bool always;
        int answer;
    };
    const Case cases[] = {
        {"new name", IDC_ACTION_NEW_NAME, false, 1},
        {"overwrite", IDC_ACTION_OVERWRITE, false, 2},
        {"skip", IDC_ACTION_SKIP, false, 3},
        {"new name always", IDC_ACTION_NEW_NAME, true, 11},
        {"overwrite always", IDC_ACTION_OVERWRITE, true, 12},
        {"skip always", IDC_ACTION_SKIP, true, 13},
    };
    for (const Case& c : cases) {
        Asked asked = Ask([&c](HWND hDlg) {
            Click(hDlg, c.radio);
            if (c.always)
                Click(hDlg, IDC_ALWAYS_USE_ACTION);
            Click(hDlg, IDOK);
        });
        EXPECT_EQ(c.answer, asked.answer) << c.name;
        if (c.radio == IDC_ACTION_NEW_NAME) {
            EXPECT_STREQ(L"clip (2)", asked.newTitle) << c.name;
        }
    }
}

TEST_F(FileExistsTest, CancelAndTheCloseBoxSkip)
{
    for (UINT close : {0u, 1u}) {
        Asked asked = Ask([close](HWND hDlg) {
            Click(hDlg, IDC_ACTION_OVERWRITE);
            if (close)
                SendMessageW(hDlg, WM_CLOSE, 0, 0);
            else
                Click(hDlg, IDCANCEL);
        });
        EXPECT_EQ(3, asked.answer) << (close ? "close box" : "Cancel");
    }
}

TEST_F(FileExistsTest, ATypedNameMustBeOneAFileCanHave)
{
    CString warning;
    Asked asked = Ask([&warning](HWND hDlg) {
        SetDlgItemTextW(hDlg, IDC_NEW_TITLE, L"part: one");
        PostMessageW(GetDlgItem(hDlg, IDOK), BM_CLICK, 0, 0);
        // The warning is the dialog's own message box, over the dialog that stays up.
        HWND hBox = WaitForWindow(GetWindowThreadProcessId(hDlg, nullptr), L"File already exists", hDlg);
        ASSERT_TRUE(hBox != nullptr);
        wchar_t text[256] = {};
        GetDlgItemTextW(hBox, 0xFFFF, text, 256);
        warning = text;
        SendMessageW(hBox, WM_COMMAND, IDOK, 0);
        EXPECT_TRUE(IsWindow(hDlg));
        SetDlgItemTextW(hDlg, IDC_NEW_TITLE, L"part one");
        Click(hDlg, IDOK);
    });
    EXPECT_NE(-1, warning.Find(L"valid file name"));
    EXPECT_EQ(1, asked.answer);
    EXPECT_STREQ(L"part one", asked.newTitle);
}

TEST_F(FileExistsTest, TheCountdownClosesWithTheSuggestedName)
{
    m_settings.SetAutoCloseOverwriteDlg(1);
    std::vector<std::wstring> labels;
    Asked asked = Ask([&labels](HWND hDlg) {
        labels.push_back(std::wstring(Text(hDlg, IDC_AUTO_CLOSE)));
        // Ticks of the dialog's timer, sent rather than waited for.
        for (int i = 0; i < 5; i++)
            SendMessageW(hDlg, WM_TIMER, CAutoCloseDlg::kTimerId, 0);
        labels.push_back(std::wstring(Text(hDlg, IDC_AUTO_CLOSE)));
        // Off, the ticks change nothing; on again, the countdown goes on where it stood.
        Click(hDlg, IDC_AUTO_CLOSE);
        SendMessageW(hDlg, WM_TIMER, CAutoCloseDlg::kTimerId, 0);
        labels.push_back(std::wstring(Text(hDlg, IDC_AUTO_CLOSE)));
        Click(hDlg, IDC_AUTO_CLOSE);
        for (int i = 0; i < 14; i++)
            SendMessageW(hDlg, WM_TIMER, CAutoCloseDlg::kTimerId, 0);
        labels.push_back(std::wstring(Text(hDlg, IDC_AUTO_CLOSE)));
        // The last second closes the dialog.
        SendMessageW(hDlg, WM_TIMER, CAutoCloseDlg::kTimerId, 0);
    });
    EXPECT_EQ((std::vector<std::wstring>{L"Auto close in 00:20", L"Auto close in 00:15", L"Auto close in 00:15",
                                         L"Auto close in 00:01"}),
              labels);
    EXPECT_EQ(1, asked.answer);
    EXPECT_STREQ(L"clip (2)", asked.newTitle);
    EXPECT_EQ(1, m_settings.GetAutoCloseOverwriteDlg());
}

TEST_F(FileExistsTest, TheAutoCloseBoxIsRememberedInTheSettings)
{
    for (int start : {0, 1}) {
        m_settings.SetAutoCloseOverwriteDlg(start);
        bool shownChecked = false;
        Ask([&shownChecked](HWND hDlg) {
            shownChecked = IsDlgButtonChecked(hDlg, IDC_AUTO_CLOSE) == BST_CHECKED;
            Click(hDlg, IDC_AUTO_CLOSE);
            Click(hDlg, IDC_ACTION_SKIP);
            Click(hDlg, IDOK);
        });
        EXPECT_EQ(start == 1, shownChecked);
        EXPECT_EQ(1 - start, m_settings.GetAutoCloseOverwriteDlg());
    }
}

}  // namespace
