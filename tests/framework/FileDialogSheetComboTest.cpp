// The file dialog (its multi-selection walk, a real multi-selection of three files, cancel and
// failure), the property sheet (its page records and the shared font on the sheet and its
// direct children) and the self-widening extended combo box.
#include "classlib/Afx.h"
#include "framework/controls/AppUiResources.h"
#include "framework/dialogs/CCXPropertySheet.h"
#include "framework/dialogs/CCustomComboBoxEx.h"
#include "framework/dialogs/CFileSelectDlg.h"
#include "tests/support/TempFolder.h"
#include <dlgs.h>
#include <gtest/gtest.h>
#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace {

std::vector<std::wstring> Walk(CFileSelectDlg& dlg)
{
    std::vector<std::wstring> paths;
    POSITION pos = dlg.GetStartPosition();
    while (pos && paths.size() < 10)
        paths.push_back(static_cast<LPCWSTR>(dlg.GetNextPathName(pos)));
    return paths;
}

// Puts a selection into the buffer as the common dialog leaves it (entries NUL-separated,
// or space-separated for an old-style dialog).
void Fill(CFileSelectDlg& dlg, const std::vector<std::wstring>& entries, wchar_t chSep)
{
    std::wstring text;
    for (const auto& e : entries)
        text += e + chSep;
    text += L'\0';
    memcpy(dlg.GetOFN().lpstrFile, text.c_str(), (text.size() + 1) * sizeof(wchar_t));
}

TEST(CFileSelectDlgWalk, AFolderAndItsFiles)
{
    CFileSelectDlg dlg(TRUE, nullptr, nullptr, OFN_ALLOWMULTISELECT);
    Fill(dlg, {L"C:\\dir", L"a.txt", L"b.txt"}, L'\0');
    EXPECT_EQ(Walk(dlg), (std::vector<std::wstring>{L"C:\\dir\\a.txt", L"C:\\dir\\b.txt"}));
    Fill(dlg, {L"C:\\", L"a.txt", L"b.txt", L"c.txt"}, L'\0');
    EXPECT_EQ(Walk(dlg), (std::vector<std::wstring>{L"C:\\a.txt", L"C:\\b.txt", L"C:\\c.txt"}));
    Fill(dlg, {L"D:/media/", L"x.mp4", L"y.mp4"}, L'\0');
    EXPECT_EQ(Walk(dlg), (std::vector<std::wstring>{L"D:/media/x.mp4", L"D:/media/y.mp4"}));
}

TEST(CFileSelectDlgWalk, ASingleSelectionIsTheWholeBuffer)
{
    CFileSelectDlg multi(TRUE, nullptr, nullptr, OFN_ALLOWMULTISELECT);
    Fill(multi, {L"C:\\dir\\only.txt"}, L'\0');
    EXPECT_EQ(Walk(multi), (std::vector<std::wstring>{L"C:\\dir\\only.txt"}));
    CFileSelectDlg single(TRUE);
    Fill(single, {L"C:\\dir\\one file.txt"}, L'\0');
    EXPECT_EQ(Walk(single), (std::vector<std::wstring>{L"C:\\dir\\one file.txt"}));
    CFileSelectDlg empty(TRUE);
    EXPECT_EQ(empty.GetStartPosition(), nullptr);
}

TEST(CFileSelectDlgWalk, AnOldStyleSelectionIsSpaceSeparated)
{
    CFileSelectDlg dlg(TRUE, nullptr, nullptr, OFN_ALLOWMULTISELECT);
    dlg.GetOFN().Flags &= ~OFN_EXPLORER;
    Fill(dlg, {L"C:\\DIR", L"A.TXT", L"B.TXT"}, L' ');
    EXPECT_EQ(Walk(dlg), (std::vector<std::wstring>{L"C:\\DIR\\A.TXT", L"C:\\DIR\\B.TXT"}));
}

TEST(CFileSelectDlgSetUp, TheRecordFollowsTheFlagsAndTheFilter)
{
    CFileSelectDlg open(TRUE, L"mp4", L"start.mp4", OFN_FILEMUSTEXIST, L"Videos|*.mp4;*.mkv|All|*.*||");
    OPENFILENAMEW& ofn = open.GetOFN();
    EXPECT_EQ(ofn.lStructSize, static_cast<DWORD>(sizeof(OPENFILENAMEW)));  // Windows NT 5.0 or later
    EXPECT_EQ(ofn.nMaxFile, 1048576u);
    EXPECT_EQ(ofn.nMaxFileTitle, 64u);
    EXPECT_STREQ(ofn.lpstrFile, L"start.mp4");
    EXPECT_STREQ(ofn.lpstrDefExt, L"mp4");
    EXPECT_EQ(ofn.Flags & (OFN_ENABLEHOOK | OFN_EXPLORER | OFN_ENABLESIZING | OFN_FILEMUSTEXIST),
              static_cast<DWORD>(OFN_ENABLEHOOK | OFN_EXPLORER | OFN_ENABLESIZING | OFN_FILEMUSTEXIST));
    EXPECT_STREQ(ofn.lpstrFilter, L"Videos");
    EXPECT_STREQ(ofn.lpstrFilter + 7, L"*.mp4;*.mkv");
    EXPECT_STREQ(ofn.lpstrFilter + 19, L"All");
    EXPECT_EQ(open.m_nIDHelp, 28676u);
    CFileSelectDlg save(FALSE, nullptr, nullptr, OFN_ENABLETEMPLATE, nullptr, nullptr, OPENFILENAME_SIZE_VERSION_400W);
    EXPECT_EQ(save.GetOFN().lStructSize, static_cast<DWORD>(OPENFILENAME_SIZE_VERSION_400W));
    EXPECT_FALSE(save.GetOFN().Flags & OFN_ENABLESIZING);
    EXPECT_EQ(save.m_nIDHelp, 28677u);
}

// Chooses files from inside the dialog as soon as it is up.
class ScriptedFileDlg : public CFileSelectDlg {
public:
    using CFileSelectDlg::CFileSelectDlg;
    std::wstring m_names;  // typed into the file name field; empty: cancel
    int m_nInitDone = 0;

protected:
    void OnInitDone() override
    {
        CFileSelectDlg::OnInitDone();
        m_nInitDone++;
        HWND hCommon = ::GetParent(m_hWnd);
        if (m_names.empty()) {
            ::PostMessageW(hCommon, WM_COMMAND, IDCANCEL, 0);
            return;
        }
        ::SendMessageW(hCommon, CDM_SETCONTROLTEXT, cmb13, reinterpret_cast<LPARAM>(m_names.c_str()));
        ::SendMessageW(hCommon, CDM_SETCONTROLTEXT, edt1, reinterpret_cast<LPARAM>(m_names.c_str()));
        ::PostMessageW(hCommon, WM_COMMAND, IDOK, 0);
    }
};

void Touch(const std::wstring& path)
{
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    CloseHandle(h);
}

TEST(CFileSelectDlgRun, AMultiSelectionOfThreeFilesGivesThreeFullPaths)
{
    TempFolder folder;
    for (LPCWSTR name : {L"a.txt", L"b.txt", L"c.txt"})
        Touch(folder / name);
    ScriptedFileDlg dlg(TRUE, nullptr, nullptr, OFN_ALLOWMULTISELECT | OFN_FILEMUSTEXIST, L"Text|*.txt|All|*.*||");
    dlg.GetOFN().lpstrInitialDir = folder.Path().c_str();
    dlg.m_names = L"\"a.txt\" \"b.txt\" \"c.txt\"";
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_nInitDone, 1);
    std::vector<std::wstring> paths = Walk(dlg);
    ASSERT_EQ(paths.size(), 3u);
    std::sort(paths.begin(), paths.end());
    EXPECT_EQ(paths[0], folder / L"a.txt");
    EXPECT_EQ(paths[1], folder / L"b.txt");
    EXPECT_EQ(paths[2], folder / L"c.txt");
    for (const auto& p : paths)
        EXPECT_EQ(p.find(L"\\\\"), std::wstring::npos);
}

TEST(CFileSelectDlgRun, CancelAndFailureBothGiveCancel)
{
    ScriptedFileDlg cancelled(TRUE);
    EXPECT_EQ(cancelled.DoModal(), IDCANCEL);
    EXPECT_EQ(cancelled.m_nInitDone, 1);

    ScriptedFileDlg broken(TRUE);
    broken.GetOFN().lStructSize = 5;  // the common dialog refuses it
    EXPECT_EQ(broken.DoModal(), IDCANCEL);
    EXPECT_EQ(broken.m_nInitDone, 0);
}

// ---- CCXPropertySheet

// A dialog window keeps the font of its template for WM_GETFONT, so the pages and the sheet
// record the fonts they are sent.
class TestPage : public CPropertyPage {
public:
    explicit TestPage(UINT nID) : CPropertyPage(nID) {}
    HFONT m_hFontSent = nullptr;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_SETFONT)
            m_hFontSent = reinterpret_cast<HFONT>(wParam);
        return CPropertyPage::WindowProc(message, wParam, lParam);
    }
};

class TestSheet : public CCXPropertySheet {
public:
    using CCXPropertySheet::CCXPropertySheet;
    HFONT m_hFontSent = nullptr;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_SETFONT)
            m_hFontSent = reinterpret_cast<HFONT>(wParam);
        return CCXPropertySheet::WindowProc(message, wParam, lParam);
    }
};

std::function<void(HWND)> g_sheetScript;

BOOL CALLBACK FindSheet(HWND hWnd, LPARAM lParam)
{
    if (PropSheet_GetTabControl(hWnd) && IsWindowVisible(hWnd)) {
        *reinterpret_cast<HWND*>(lParam) = hWnd;
        return FALSE;
    }
    return TRUE;
}

// Runs the script once the sheet is up (from a timer, since the sheet runs its own loop).
void CALLBACK SheetTimer(HWND, UINT, UINT_PTR id, DWORD)
{
    HWND hSheet = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), &FindSheet, reinterpret_cast<LPARAM>(&hSheet));
    if (!hSheet)
        return;
    KillTimer(nullptr, id);
    g_sheetScript(hSheet);
    PostMessageW(hSheet, WM_COMMAND, IDCANCEL, 0);
}

void RunSheet(CCXPropertySheet& sheet, const std::function<void(HWND)>& script)
{
    g_sheetScript = script;
    UINT_PTR nTimer = SetTimer(nullptr, 0, 50, &SheetTimer);
    sheet.DoModal();
    KillTimer(nullptr, nTimer);
}

TEST(CCXPropertySheetTest, PageRecordsCarryTheSizeActuallyPassed)
{
    TestPage a(200), b(201), c(202);
    CCXPropertySheet sheet(L"Settings");
    for (TestPage* p : {&a, &b, &c}) {
        ASSERT_GT(p->m_psp.dwSize, CCXPropertySheet::PageRecordSize());  // a page keeps the larger layout
        sheet.AddPage(p);
    }
    std::vector<std::wstring> tabs;
    RunSheet(sheet, [&](HWND hSheet) {
        HWND hTab = PropSheet_GetTabControl(hSheet);
        int n = TabCtrl_GetItemCount(hTab);
        for (int i = 0; i < n; i++) {
            wchar_t sz[64] = {};
            TCITEMW item = {};
            item.mask = TCIF_TEXT;
            item.pszText = sz;
            item.cchTextMax = 64;
            TabCtrl_GetItem(hTab, i, &item);
            tabs.push_back(sz);
        }
    });
    const BYTE* pRecords = sheet.GetPageRecords();
    ASSERT_NE(pRecords, nullptr);
    for (int i = 0; i < 3; i++) {
        const PROPSHEETPAGEW* pRecord =
            reinterpret_cast<const PROPSHEETPAGEW*>(pRecords + i * CCXPropertySheet::PageRecordSize());
        EXPECT_EQ(pRecord->dwSize, CCXPropertySheet::PageRecordSize());
        EXPECT_EQ(pRecord->lParam, sheet.GetPage(i)->m_psp.lParam);
    }
    EXPECT_EQ(tabs, (std::vector<std::wstring>{L"General", L"Playback", L"File Types"}));
}

TEST(CCXPropertySheetTest, TheSheetAndItsDirectChildrenGetTheSharedFont)
{
    TestPage a(200), b(201);
    TestSheet sheet(L"Settings");
    sheet.AddPage(&a);
    sheet.AddPage(&b);
    HFONT hShared = static_cast<HFONT>(GetAppFont(AppFontNormal)->GetSafeHandle());
    HFONT hGrandchild = nullptr;
    int nControls = 0, nControlsWithFont = 0, nDialogs = 0, nActive = -1;
    RunSheet(sheet, [&](HWND hSheet) {
        for (HWND h = GetWindow(hSheet, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) {
            wchar_t cls[64] = {};
            GetClassNameW(h, cls, 64);
            if (!lstrcmpW(cls, L"#32770")) {
                nDialogs++;  // the page: checked through what it was sent
                continue;
            }
            nControls++;
            if (reinterpret_cast<HFONT>(SendMessageW(h, WM_GETFONT, 0, 0)) == hShared)
                nControlsWithFont++;
        }
        HWND hPage = PropSheet_GetCurrentPageHwnd(hSheet);
        hGrandchild = reinterpret_cast<HFONT>(SendDlgItemMessageW(hPage, 1201, WM_GETFONT, 0, 0));
        nActive = TabCtrl_GetCurSel(PropSheet_GetTabControl(hSheet));
    });
    EXPECT_EQ(sheet.m_hFontSent, hShared);
    EXPECT_EQ(nDialogs, 1);
    EXPECT_EQ(a.m_hFontSent, hShared);  // the page shown
    EXPECT_GE(nControls, 4);  // the tabs and the buttons
    EXPECT_EQ(nControlsWithFont, nControls);
    EXPECT_NE(hGrandchild, hShared);  // grandchildren keep their own
    EXPECT_EQ(nActive, 0);
}

// ---- CCustomComboBoxEx

TEST(CCustomComboBoxExTest, DropWidthAddsTheScrollBarOnlyWhenTheItemsDoNotFit)
{
    EXPECT_EQ(CCustomComboBoxEx::DropWidthFor(100, 7, 17, FALSE, 17, 1000), 100 + 14 + 17 + 8);
    EXPECT_EQ(CCustomComboBoxEx::DropWidthFor(100, 7, 0, TRUE, 17, 1000), 100 + 14 + 8 + 17);
    EXPECT_EQ(CCustomComboBoxEx::DropWidthFor(900, 7, 0, TRUE, 17, 500), 500);
}

TEST(CCustomComboBoxExTest, ItemOperations)
{
    CWnd host;
    ASSERT_TRUE(host.CreateEx(0, AfxRegisterWndClass(0), L"Host", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200, nullptr, nullptr));
    CCustomComboBoxEx combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWN, CRect(10, 10, 110, 200), &host, 1018));
    EXPECT_EQ(combo.InsertItem(0, L"*.mp4", 3), 0);
    EXPECT_EQ(combo.InsertItem(1, L"*.MKV", 4, 5, 2), 1);
    combo.InsertItem(2, L"a very long pattern of files that does not fit the narrow box *.webm");
    int nImage = 0, nSelected = 0;
    ASSERT_TRUE(combo.GetItemImages(0, nImage, nSelected));
    EXPECT_EQ(nImage, 3);
    EXPECT_EQ(nSelected, 3);  // -1 means the same
    combo.SetItemImage(1, 7);
    combo.GetItemImages(1, nImage, nSelected);
    EXPECT_EQ(nImage, 7);
    EXPECT_EQ(nSelected, 5);  // -1 leaves it
    EXPECT_EQ(combo.FindItem(0, L"*.mkv"), 1);
    EXPECT_EQ(combo.FindItem(2, L"*.mkv"), -1);
    EXPECT_EQ(combo.FindItem(0, L"*.avi"), -1);
    EXPECT_TRUE(combo.SetItemText(0, L"*.mov"));
    EXPECT_STREQ(combo.GetItemText(0), L"*.mov");
    combo.GetEditCtrl()->SetWindowText(L"typed");
    EXPECT_STREQ(combo.GetText(), L"typed");
    // Opening the list widens it to the longest item.
    combo.AdjustDropWidth();
    EXPECT_GT(combo.GetComboBoxCtrl()->GetDroppedWidth(), 200);
    host.DestroyWindow();
}

}  // namespace
