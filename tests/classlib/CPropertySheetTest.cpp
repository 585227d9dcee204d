// CPropertySheet and CPropertyPage: a modal sheet driven from inside its loop shows its pages,
// activates each, applies them on OK, refuses a bad value, and cancels.
#include "classlib/Afx.h"
#include <gtest/gtest.h>
#include <vector>
#include "tests/support/DialogScript.h"

namespace {

// Templates 200 and 201 hold one number in 0..10.
class NumberPage : public CPropertyPage {
public:
    NumberPage(UINT nIDTemplate, int nValue, UINT nIDCaption = 0) : CPropertyPage(nIDTemplate, nIDCaption), m_nValue(nValue) {}

    int m_nValue;
    int m_nSetActive = 0;
    int m_nApply = 0;
    int m_nReset = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Text(pDX, 1201, m_nValue);
        DDV_MinMaxInt(pDX, m_nValue, 0, 10);
    }
    BOOL OnSetActive() override
    {
        ++m_nSetActive;
        return CPropertyPage::OnSetActive();
    }
    BOOL OnApply() override
    {
        ++m_nApply;
        return CPropertyPage::OnApply();
    }
    void OnReset() override { ++m_nReset; }
};

// Runs m_script once the sheet is up. With bFirstLayout it hands the system the first and
// smallest page records, as a derived sheet may.
class ScriptedSheet : public CPropertySheet {
public:
    explicit ScriptedSheet(UINT nIDCaption, bool bFirstLayout = false, UINT iSelectPage = 0, CWnd* pParentWnd = nullptr)
        : CPropertySheet(nIDCaption, pParentWnd, iSelectPage), m_bFirstLayout(bFirstLayout)
    {
    }
    std::function<void(ScriptedSheet&)> m_script;

protected:
    BOOL OnInitDialog() override
    {
        BOOL bResult = CPropertySheet::OnInitDialog();
        PostMessage(WM_TEST_SHOWN);
        return bResult;
    }
    void BuildPropPageArray() override
    {
        if (!m_bFirstLayout)
            return CPropertySheet::BuildPropPageArray();
        m_records.assign(GetPageCount() * PROPSHEETPAGEW_V1_SIZE, 0);
        for (int i = 0; i < GetPageCount(); ++i) {
            PROPSHEETPAGEW* pRecord = reinterpret_cast<PROPSHEETPAGEW*>(&m_records[i * PROPSHEETPAGEW_V1_SIZE]);
            memcpy(pRecord, &GetPage(i)->m_psp, PROPSHEETPAGEW_V1_SIZE);
            pRecord->dwSize = PROPSHEETPAGEW_V1_SIZE;
        }
        m_psh.ppsp = reinterpret_cast<PROPSHEETPAGEW*>(m_records.data());
        m_psh.nPages = GetPageCount();
    }
    LRESULT OnShown(WPARAM, LPARAM)
    {
        m_script(*this);
        return 0;
    }
    DECLARE_MESSAGE_MAP()

private:
    bool m_bFirstLayout;
    std::vector<BYTE> m_records;
};

BEGIN_MESSAGE_MAP(ScriptedSheet, CPropertySheet)
    ON_MESSAGE(WM_TEST_SHOWN, &ScriptedSheet::OnShown)
END_MESSAGE_MAP()

CString TabText(CPropertySheet& sheet, int nTab)
{
    wchar_t text[64] = {};
    TCITEMW item = {};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = 64;
    ::SendMessageW(PropSheet_GetTabControl(sheet.m_hWnd), TCM_GETITEMW, nTab, reinterpret_cast<LPARAM>(&item));
    return text;
}

TEST(CPropertySheet, ShowsEachPageAndAppliesThemOnOk)
{
    struct Case {
        const char* name;
        bool bFirstLayout;
        void (*pressOk)(CPropertySheet& s);
    } cases[] = {
        {"full page records, OK clicked", false, [](CPropertySheet& s) { Click(s, IDOK); }},
        {"first-layout page records, OK pressed by message", true,
         [](CPropertySheet& s) { PropSheet_PressButton(s.m_hWnd, PSBTN_OK); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        NumberPage first(200, 3);
        NumberPage second(201, 4, 300);
        ScriptedSheet sheet(301, c.bFirstLayout);
        sheet.AddPage(&first);
        sheet.AddPage(&second);
        EXPECT_EQ(2, sheet.GetPageCount());
        EXPECT_EQ(&second, sheet.GetPage(1));
        EXPECT_EQ(nullptr, sheet.GetPage(2));
        EXPECT_EQ(&first, sheet.GetActivePage()) << "the start page before the sheet exists";

        sheet.m_script = [&](ScriptedSheet& s) {
            CString caption;
            s.GetWindowText(caption);
            EXPECT_STREQ(L"Options", caption);
            EXPECT_STREQ(L"First", TabText(s, 0)) << "the template's caption";
            EXPECT_STREQ(L"Renamed", TabText(s, 1)) << "the caption string given";
            EXPECT_EQ(0, s.GetActiveIndex());
            EXPECT_NE(nullptr, first.m_hWnd);
            EXPECT_EQ(nullptr, second.m_hWnd) << "made when first shown";
            EXPECT_STREQ(L"3", ItemText(first, 1201));

            EXPECT_TRUE(s.SetActivePage(1));
            EXPECT_EQ(1, s.GetActiveIndex());
            EXPECT_EQ(&second, s.GetActivePage());
            EXPECT_STREQ(L"4", ItemText(second, 1201));
            second.SetDlgItemText(1201, L"8");
            second.SetModified(TRUE);
            EXPECT_TRUE(s.SetActivePage(&first));
            EXPECT_EQ(0, s.GetActiveIndex());
            c.pressOk(s);
        };
        EXPECT_EQ(IDOK, sheet.DoModal());
        EXPECT_EQ(2, first.m_nSetActive);
        EXPECT_EQ(1, second.m_nSetActive);
        EXPECT_EQ(1, first.m_nApply);
        EXPECT_EQ(1, second.m_nApply);
        EXPECT_EQ(8, second.m_nValue);
        EXPECT_EQ(nullptr, first.m_hWnd);
        EXPECT_EQ(nullptr, sheet.m_hWnd);
    }
}

TEST(CPropertySheet, RefusedValueKeepsTheSheetOpenOnItsPage)
{
    NumberPage first(200, 3);
    NumberPage second(201, 4);
    ScriptedSheet sheet(301, false, 1);
    sheet.AddPage(&first);
    sheet.AddPage(&second);
    sheet.m_script = [&](ScriptedSheet& s) {
        EXPECT_EQ(1, s.GetActiveIndex()) << "the start page asked for";
        second.SetDlgItemText(1201, L"99");
        {
            MessageBoxCloser closer(second.m_hWnd);
            Click(s, IDOK);
            EXPECT_STREQ(L"Enter an integer from 0 to 10.", MessageBoxCloser::Text());
        }
        EXPECT_TRUE(s.IsWindowVisible()) << "still open";
        EXPECT_EQ(1, s.GetActiveIndex());
        EXPECT_EQ(0, second.m_nApply);
        second.SetDlgItemText(1201, L"5");
        Click(s, IDOK);
    };
    EXPECT_EQ(IDOK, sheet.DoModal());
    EXPECT_EQ(5, second.m_nValue);
    EXPECT_EQ(1, second.m_nApply);
}

TEST(CPropertySheet, OpensCentredOverItsOwner)
{
    CWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, nullptr, L"Owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 200, 150, 400, 300, nullptr, nullptr));
    NumberPage first(200, 3);
    ScriptedSheet sheet(301, false, 0, &owner);
    sheet.AddPage(&first);
    CRect rcSheet;
    sheet.m_script = [&](ScriptedSheet& s) {
        s.GetWindowRect(&rcSheet);
        Click(s, IDCANCEL);
    };
    EXPECT_EQ(IDCANCEL, sheet.DoModal());
    CRect rcOwner;
    owner.GetWindowRect(&rcOwner);
    CPoint offset = rcSheet.CenterPoint() - rcOwner.CenterPoint();
    EXPECT_LE(abs(offset.x), 1);
    EXPECT_LE(abs(offset.y), 1);
    owner.DestroyWindow();
}

TEST(CPropertySheet, CancelResetsThePagesAndKeepsTheirValues)
{
    NumberPage first(200, 3);
    NumberPage second(201, 4);
    ScriptedSheet sheet(301);
    sheet.AddPage(&first);
    sheet.AddPage(&second);
    sheet.m_script = [&](ScriptedSheet&) {
        first.SetDlgItemText(1201, L"9");
        Click(sheet, IDCANCEL);
    };
    EXPECT_EQ(IDCANCEL, sheet.DoModal());
    EXPECT_EQ(3, first.m_nValue);
    EXPECT_EQ(1, first.m_nReset);
    EXPECT_EQ(0, second.m_nReset) << "never made";
    EXPECT_EQ(0, first.m_nApply);
}

}  // namespace
