// "Open URL" and "Add URLs" run modally and driven from inside their own loops: the typed
// address comes back on OK and not on Cancel, and the example link fills the address in.
#include "player/dialogs/CAddUrlsDlg.h"
#include "player/dialogs/COpenUrlDlg.h"
#include "player/res/PlayerResources.h"
#include "tests/player/ScriptedDialog.h"
#include <gtest/gtest.h>
#include <string>

namespace {

std::wstring Str(const CString& text)
{
    return std::wstring(text);
}

TEST(OpenUrlDialog, OkReturnsTheAddressAndCancelKeepsTheOldOne)
{
    struct Case {
        const char* name;
        int button;
        const wchar_t* typed;
        const wchar_t* kept;
    };
    const Case cases[] = {
        {"OK", IDOK, L"https://media.example/live/stream.m3u8", L"https://media.example/live/stream.m3u8"},
        {"Cancel", IDCANCEL, L"https://media.example/other.mp4", L"http://old.example/a.mp4"},
        {"OK with nothing", IDOK, L"", L""},
    };
    for (const Case& c : cases) {
        ScriptedDialog<COpenUrlDlg> dlg;
        dlg.m_strUrl = L"http://old.example/a.mp4";
        CString shown;
        dlg.m_script = [&](ScriptedDialog<COpenUrlDlg>& d) {
            shown = ItemText(d, IDC_URL_ADDRESS);
            d.SetDlgItemText(IDC_URL_ADDRESS, c.typed);
            Click(d, c.button);
        };
        EXPECT_EQ(c.button, dlg.DoModal()) << c.name;
        EXPECT_EQ(L"http://old.example/a.mp4", Str(shown)) << c.name;
        EXPECT_EQ(std::wstring(c.kept), Str(dlg.m_strUrl)) << c.name;
    }
}

TEST(OpenUrlDialog, ExampleLinkFillsTheAddressIn)
{
    ScriptedDialog<COpenUrlDlg> dlg;
    CString caption, link;
    dlg.m_script = [&](ScriptedDialog<COpenUrlDlg>& d) {
        d.GetWindowText(caption);
        link = ItemText(d, IDC_URL_EXAMPLE);
        d.SetDlgItemText(IDC_URL_ADDRESS, L"typed");
        Click(d, IDC_URL_EXAMPLE);
        Click(d, IDOK);
    };
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ(L"Open URL", Str(caption));
    EXPECT_EQ(std::wstring(kExampleMediaUrl), Str(link));
    EXPECT_EQ(std::wstring(kExampleMediaUrl), Str(dlg.m_strUrl));
}

TEST(AddUrlsDialog, OkReturnsEveryLineAndTheExampleReplacesTheWholeText)
{
    ScriptedDialog<CAddUrlsDlg> dlg;
    dlg.m_script = [](ScriptedDialog<CAddUrlsDlg>& d) {
        d.SetDlgItemText(IDC_URL_LIST, L"http://a.example/1.mp4\r\n  http://b.example/2.mp3  \r\n");
        Click(d, IDOK);
    };
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ(L"http://a.example/1.mp4\r\n  http://b.example/2.mp3  \r\n", Str(dlg.m_strUrls));

    ScriptedDialog<CAddUrlsDlg> example;
    example.m_strUrls = L"http://a.example/1.mp4\r\nhttp://b.example/2.mp3";
    CString caption;
    example.m_script = [&](ScriptedDialog<CAddUrlsDlg>& d) {
        d.GetWindowText(caption);
        Click(d, IDC_URL_EXAMPLE);
        Click(d, IDOK);
    };
    EXPECT_EQ(IDOK, example.DoModal());
    EXPECT_EQ(L"Add URLs", Str(caption));
    EXPECT_EQ(std::wstring(kExampleMediaUrl), Str(example.m_strUrls));
}

TEST(AddUrlsDialog, CancelKeepsTheText)
{
    ScriptedDialog<CAddUrlsDlg> dlg;
    dlg.m_strUrls = L"http://kept.example/a.mp4";
    dlg.m_script = [](ScriptedDialog<CAddUrlsDlg>& d) {
        d.SetDlgItemText(IDC_URL_LIST, L"http://typed.example/b.mp4");
        Click(d, IDCANCEL);
    };
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_EQ(L"http://kept.example/a.mp4", Str(dlg.m_strUrls));
}

}  // namespace
