// The conversion tool's input controls: the masked time edit typed into, pasted into, cut and
// cleared; the recent-list combos' clearing entry and refill; dropped paths on a path combo.
#include "classlib/Afx.h"
#include "classlib/CDataExchange.h"
#include "conversion/app/controls/CCueBannerEdit.h"
#include "conversion/app/controls/CMaskedEdit.h"
#include "conversion/app/controls/CRecentComboBoxes.h"
#include "framework/system/CMRUList.h"
#include "tests/support/DropFiles.h"
#include "tests/support/TempFolder.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// A top-level window whose children's notifications are reflected to them, as a dialog's are.
class HostWindow : public CWnd {
public:
    HostWindow()
    {
        CreateEx(0, AfxRegisterWndClass(0, ::LoadCursorW(nullptr, IDC_ARROW)), L"Input controls",
                 WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 40, 40, 500, 300, nullptr, nullptr);
    }
    ~HostWindow() override { DestroyWindow(); }
};

void SetClipboardText(HWND hWnd, LPCWSTR text)
{
    ASSERT_TRUE(OpenClipboard(hWnd));
    EmptyClipboard();
    size_t bytes = (wcslen(text) + 1) * sizeof(wchar_t);
    HGLOBAL hData = GlobalAlloc(GMEM_MOVEABLE, bytes);
    memcpy(GlobalLock(hData), text, bytes);
    GlobalUnlock(hData);
    SetClipboardData(CF_UNICODETEXT, hData);
    CloseClipboard();
}

CString GetClipboardText(HWND hWnd)
{
    CString text;
    if (!OpenClipboard(hWnd))
        return text;
    if (HANDLE hData = GetClipboardData(CF_UNICODETEXT)) {
        text = static_cast<const wchar_t*>(GlobalLock(hData));
        GlobalUnlock(hData);
    }
    CloseClipboard();
    return text;
}

class TimeEditTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_edit.Create(WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, CRect(10, 10, 200, 30), &m_host, 100));
    }
    void Start(LPCWSTR text, int start, int end)
    {
        m_edit.SetWindowText(text);
        m_edit.SendMessage(EM_SETSEL, start, end);
    }
    void Type(const std::wstring& keys)
    {
        for (wchar_t ch : keys)
            m_edit.SendMessage(WM_CHAR, ch, 1);
    }
    void Key(UINT vk, bool withCtrl = false)
    {
        if (withCtrl)
            m_edit.SendMessage(WM_KEYDOWN, VK_CONTROL, 1);
        m_edit.SendMessage(WM_KEYDOWN, vk, 1);
        m_edit.SendMessage(WM_KEYUP, vk, 1);
        if (withCtrl)
            m_edit.SendMessage(WM_KEYUP, VK_CONTROL, 1);
    }
    CString Text() const
    {
        CString text;
        m_edit.GetWindowText(text);
        return text;
    }
    int Caret() const
    {
        int start = 0, end = 0;
        m_edit.GetSel(start, end);
        return end;
    }

    HostWindow m_host;
    CTimeEdit m_edit;
};

TEST_F(TimeEditTest, TypingOverwritesInPlaceAndKeepsTheLiterals)
{
    struct Case {
        const char* name;
        LPCWSTR before;
        int caret;
        LPCWSTR keys;
        LPCWSTR after;
        int caretAfter;
    };
    const Case cases[] = {
        {"a digit before a colon writes the colon, then the digit", L"00:01:30.000", 2, L"5", L"00:51:30.000", 4},
        {"digits fill an empty edit, colons put in", L"", 0, L"013045123", L"01:30:45.123", 12},
        {"a letter changes nothing", L"00:01:30.000", 1, L"a", L"00:01:30.000", 1},
        {"the mask's own literal moves past it", L"00:01:30.000", 2, L":", L"00:01:30.000", 3},
        {"another literal is refused", L"00:01:30.000", 2, L".", L"00:01:30.000", 2},
        {"nothing past the mask's end", L"00:01:30.000", 12, L"7", L"00:01:30.000", 12},
        {"Backspace at the end deletes", L"00:01", 5, L"\b", L"00:0", 4},
        {"Backspace inside turns the digit into 0", L"00:01:30.000", 5, L"\b", L"00:00:30.000", 4},
        {"Backspace inside keeps a literal", L"00:01:30.000", 3, L"\b", L"00:01:30.000", 2},
        {"Backspace at 0 does nothing", L"00:01:30.000", 0, L"\b", L"00:01:30.000", 0},
        {"Backspace in an empty edit does nothing", L"", 0, L"\b", L"", 0},
        {"Backspace then a digit retypes it", L"00:01:30.000", 5, L"\b7", L"00:07:30.000", 5},
    };
    for (const Case& c : cases) {
        Start(c.before, c.caret, c.caret);
        Type(c.keys);
        EXPECT_STREQ(c.after, Text()) << c.name;
        EXPECT_EQ(c.caretAfter, Caret()) << c.name;
    }
}

TEST_F(TimeEditTest, BackspaceOverASelectionZeroesItsDigits)
{
    Start(L"00:01:30.000", 3, 8);
    Type(L"\b");
    EXPECT_STREQ(L"00:00:00.000", Text());
    EXPECT_EQ(3, Caret());
    // A selection that reaches the end goes.
    Start(L"00:01:30.000", 8, 12);
    Type(L"\b");
    EXPECT_STREQ(L"00:01:30", Text());
}

TEST_F(TimeEditTest, PasteFillsPositionsAsTypingWould)
{
    struct Case {
        const char* name;
        LPCWSTR before;
        int start;
        int end;
        LPCWSTR clipboard;
        LPCWSTR after;
    };
    const Case cases[] = {
        {"a whole time into an empty edit", L"", 0, 0, L"00:01:30.000", L"00:01:30.000"},
        {"digits alone get their colons", L"", 0, 0, L"0001", L"00:01"},
        {"a character not allowed becomes 0", L"", 0, 0, L"1x", L"10"},
        {"a full edit without a selection stays", L"00:01:30.000", 3, 3, L"99", L"00:01:30.000"},
        {"a selection is overwritten, no further", L"00:01:30.000", 3, 5, L"4599", L"00:45:30.000"},
        {"only what the text lacks is filled", L"00:01", 5, 5, L"3045123456", L"00:01:30.451"},
    };
    for (const Case& c : cases) {
        Start(c.before, c.start, c.end);
        SetClipboardText(m_host.m_hWnd, c.clipboard);
        Key('V', true);
        EXPECT_STREQ(c.after, Text()) << c.name;
    }
}

TEST_F(TimeEditTest, CutKeepsTheTextOnTheClipboardAndDeleteLeavesIt)
{
    Start(L"00:01:30.000", 3, 5);
    SetClipboardText(m_host.m_hWnd, L"before");
    Key('X', true);
    EXPECT_STREQ(L"00:00:30.000", Text());
    EXPECT_STREQ(L"01", GetClipboardText(m_host.m_hWnd));

    Start(L"00:01:30.000", 6, 12);
    Key(VK_DELETE);
    EXPECT_STREQ(L"00:01:", Text());
    EXPECT_STREQ(L"01", GetClipboardText(m_host.m_hWnd));
    // Without Ctrl the letters are plain keys.
    Start(L"00:01:30.000", 3, 5);
    Key('X');
    EXPECT_STREQ(L"00:01:30.000", Text());
}

TEST_F(TimeEditTest, TheTimeShowsPaddedAndReadsBack)
{
    m_edit.SetTime(90000);
    EXPECT_STREQ(L"00:01:30.000", Text());
    EXPECT_EQ(90000, m_edit.GetTime());
    m_edit.SetTime(3723456);
    EXPECT_STREQ(L"01:02:03.456", Text());
    EXPECT_EQ(3723456, m_edit.GetTime());
    m_edit.SetTime(0);
    EXPECT_STREQ(L"00:00:00.000", Text());

    LONGLONG ms = 0;
    m_edit.SetWindowText(L"00:10:00.500");
    CDataExchange save(&m_host, TRUE);
    DDX_TimeMs(&save, 100, ms);
    EXPECT_EQ(600500, ms);
    CDataExchange load(&m_host, FALSE);
    ms = 61000;
    DDX_TimeMs(&load, 100, ms);
    EXPECT_STREQ(L"00:01:01.000", Text());
}

TEST(CueBannerEdit, TheHintShowsOnlyWhileEmpty)
{
    HostWindow host;
    CCueBannerEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 200, 30), &host, 101));
    edit.SetHint(L"Type a name");
    edit.m_hintColour = RGB(255, 0, 0);
    edit.m_background = RGB(0, 0, 255);
    auto pixels = [&edit]() {
        edit.RedrawWindow();
        HDC hDC = ::GetDC(edit.m_hWnd);
        int red = 0, blue = 0;
        for (int x = 0; x < 120; x++) {
            for (int y = 0; y < 18; y++) {
                COLORREF c = ::GetPixel(hDC, x, y);
                red += c == RGB(255, 0, 0);
                blue += c == RGB(0, 0, 255);
            }
        }
        ::ReleaseDC(edit.m_hWnd, hDC);
        return std::make_pair(red, blue);
    };
    host.ShowWindow(SW_SHOWNOACTIVATE);
    auto empty = pixels();
    EXPECT_GT(empty.first, 0);
    EXPECT_GT(empty.second, 0);
    edit.SetWindowText(L"name");
    auto filled = pixels();
    EXPECT_EQ(0, filled.first);
    EXPECT_EQ(0, filled.second);
}

// ---- Recent lists

void Fill(CMRUList& list, std::initializer_list<LPCWSTR> entries)
{
    list.m_nMaxEntries = 20;
    for (auto it = std::rbegin(entries); it != std::rend(entries); ++it)
        list.Add(*it);
}

void Reflect(CWnd& host, CWnd& combo, int code)
{
    host.SendMessage(WM_COMMAND, MAKEWPARAM(combo.GetDlgCtrlID(), code), reinterpret_cast<LPARAM>(combo.m_hWnd));
}

// Each combo kind: filled from the list with the clearing entry last; a drop-down refills it;
// choosing the clearing entry empties list and combo; choosing a path clears nothing.
TEST(RecentCombos, TheClearingEntryEmptiesTheListAndTheCombo)
{
    struct Kind {
        const char* name;
        std::function<CComboBox*(HostWindow&)> create;
        std::function<void(CComboBox*, CMRUList*)> attach;
        std::function<CString(CComboBox*)> text;
    };
    auto textOfEx = [](CComboBox* p) {
        CString text;
        static_cast<CComboBoxEx*>(p)->GetEditCtrl()->GetWindowText(text);
        return text;
    };
    const Kind kinds[] = {
        {"drop combo",
         [](HostWindow& host) {
             auto* p = new CRecentDropComboBoxEx(DROP_FOLDERS);
             p->Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWN, CRect(10, 10, 300, 200), &host, 200);
             return static_cast<CComboBox*>(p);
         },
         [](CComboBox* p, CMRUList* list) {
             static_cast<CRecentDropComboBoxEx*>(p)->AttachRecentList(list, L"Clear Recent List");
         },
         textOfEx},
        {"list combo ex",
         [](HostWindow& host) {
             auto* p = new CRecentListComboBoxEx;
             p->Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWN, CRect(10, 10, 300, 200), &host, 201);
             return static_cast<CComboBox*>(p);
         },
         [](CComboBox* p, CMRUList* list) {
             static_cast<CRecentListComboBoxEx*>(p)->AttachRecentList(list, L"Clear Recent List");
         },
         textOfEx},
        {"plain combo",
         [](HostWindow& host) {
             auto* p = new CRecentListComboBox;
             p->Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWN, CRect(10, 10, 300, 200), &host, 202);
             return static_cast<CComboBox*>(p);
         },
         [](CComboBox* p, CMRUList* list) {
             static_cast<CRecentListComboBox*>(p)->AttachRecentList(list, L"Clear Recent List");
         },
         [](CComboBox* p) {
             CString text;
             p->GetWindowText(text);
             return text;
         }},
    };
    for (const Kind& kind : kinds) {
        HostWindow host;
        CMRUList list;
        Fill(list, {L"C:\\one", L"C:\\two"});
        std::unique_ptr<CComboBox> combo(kind.create(host));
        ASSERT_TRUE(combo->m_hWnd) << kind.name;
        kind.attach(combo.get(), &list);
        EXPECT_EQ(3, combo->GetCount()) << kind.name;

        list.Add(L"C:\\three");
        Reflect(host, *combo, CBN_DROPDOWN);
        EXPECT_EQ(4, combo->GetCount()) << kind.name;

        combo->SetCurSel(1);
        Reflect(host, *combo, CBN_SELENDOK);
        EXPECT_EQ(3, list.GetCount()) << kind.name << ": a path is no clearing entry";

        combo->SetCurSel(3);
        Reflect(host, *combo, CBN_SELENDOK);
        EXPECT_EQ(0, list.GetCount()) << kind.name;
        EXPECT_EQ(0, combo->GetCount()) << kind.name;
        EXPECT_STREQ(L"", kind.text(combo.get())) << kind.name;
        // An empty list refills nothing, and no lonely clearing entry appears.
        Reflect(host, *combo, CBN_DROPDOWN);
        EXPECT_EQ(0, combo->GetCount()) << kind.name;
        combo->DestroyWindow();
    }
}

TEST(RecentCombos, ASetPathGoesToTheTopOnce)
{
    HostWindow host;
    CMRUList list;
    Fill(list, {L"C:\\one", L"C:\\two"});
    CRecentDropComboBoxEx combo(DROP_FOLDERS);
    ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWN, CRect(10, 10, 300, 200), &host, 200));
    combo.AttachRecentList(&list, L"Clear Recent List");
    combo.SetPathTextAndRefill(L"C:\\two");
    EXPECT_EQ(3, combo.GetCount());
    EXPECT_STREQ(L"C:\\two", combo.GetItemText(0));
    EXPECT_STREQ(L"C:\\one", combo.GetItemText(1));
    EXPECT_EQ(0, combo.GetCurSel());
    combo.SetPathText(L"C:\\new");
    EXPECT_STREQ(L"C:\\new", combo.GetItemText(0));
    EXPECT_EQ(-1, combo.SetPathText(L""));
    EXPECT_STREQ(L"", combo.GetText());
}

// ---- Dropped paths

TEST(DropFileCombo, TakesTheFirstPathOfAnAcceptedKindAtItsFullLength)
{
    TempFolder temp;
    std::wstring file = temp / L"clip.mp4";
    CloseHandle(CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    std::wstring folder = temp / L"out";
    CreateDirectoryW(folder.c_str(), nullptr);
    // A name no longer fits the classic path buffer.
    std::wstring longName = L"C:\\" + std::wstring(300, L'n') + L".mp4";
    struct Case {
        const char* name;
        int kinds;
        std::vector<std::wstring> dropped;
        std::wstring taken;  // empty: nothing
    };
    const Case cases[] = {
        {"a file on a folders-only combo", DROP_FOLDERS, {file}, L""},
        {"a folder after a file on a folders-only combo", DROP_FOLDERS, {file, folder}, folder},
        {"a folder on a files-only combo", DROP_FILES, {folder}, L""},
        {"the first of two files", DROP_FILES, {file, longName}, file},
        {"a long name whole", DROP_FILES, {longName}, longName},
    };
    for (const Case& c : cases) {
        HostWindow host;
        CDropFileComboBoxEx combo(c.kinds);
        ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWN, CRect(10, 10, 300, 200), &host, 300));
        combo.SendMessage(WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(c.dropped)));
        if (c.taken.empty()) {
            EXPECT_EQ(0, combo.GetCount()) << c.name;
        } else {
            ASSERT_EQ(1, combo.GetCount()) << c.name;
            EXPECT_EQ(c.taken, std::wstring(combo.GetItemText(0))) << c.name;
            EXPECT_EQ(0, combo.GetCurSel()) << c.name;
        }
    }
}

}  // namespace
