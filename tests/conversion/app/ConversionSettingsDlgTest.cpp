// The "Settings" dialog run modally and driven from inside its own loop: the radio buttons and
// the Overwrite values map both ways, OK writes the choices, Cancel writes nothing.
// With KAVRI_HOLD_DIALOG_MS set, each dialog stays up that long first (for a screenshot).
#include "conversion/app/CConversionSettingsDlg.h"
#include "conversion/app/CConversionSettings.h"
#include "conversion/app/res/ConversionAppResources.h"
#include "tests/support/DialogScript.h"
#include <gtest/gtest.h>
#include <cstdlib>

namespace {

class ScriptedSettingsDlg : public CConversionSettingsDlg {
public:
    using CConversionSettingsDlg::CConversionSettingsDlg;
    std::function<void(ScriptedSettingsDlg&)> m_script;
    int m_shownRadio = -1;
    int m_shownCheck = -1;

protected:
    BOOL OnInitDialog() override
    {
        BOOL result = CConversionSettingsDlg::OnInitDialog();
        PostMessage(WM_TEST_SHOWN);
        return result;
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message != WM_TEST_SHOWN)
            return CConversionSettingsDlg::WindowProc(message, wParam, lParam);
        if (const char* hold = getenv("KAVRI_HOLD_DIALOG_MS"))
            HoldOpen(atoi(hold));
        m_shownRadio = CheckedRadio();
        m_shownCheck = static_cast<int>(SendDlgItemMessage(IDC_AUTO_CHECK_UPDATE, BM_GETCHECK));
        if (m_script)
            m_script(*this);
        return 0;
    }

private:
    int CheckedRadio() const
    {
        const int ids[] = {IDC_OVERWRITE_PROMPT, IDC_OVERWRITE_NEW_NAME, IDC_OVERWRITE_ALWAYS, IDC_OVERWRITE_CANCEL};
        for (int i = 0; i < 4; i++) {
            if (SendDlgItemMessage(ids[i], BM_GETCHECK) == BST_CHECKED)
                return i;
        }
        return -1;
    }
    void HoldOpen(int milliseconds)
    {
        DWORD end = GetTickCount() + static_cast<DWORD>(milliseconds);
        MSG msg;
        while (static_cast<int>(end - GetTickCount()) > 0) {
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageW(&msg);
            Sleep(20);
        }
    }
};

const int kRadioIds[] = {IDC_OVERWRITE_PROMPT, IDC_OVERWRITE_NEW_NAME, IDC_OVERWRITE_ALWAYS, IDC_OVERWRITE_CANCEL};

TEST(ConversionSettingsDlg, EachOverwriteValueShowsItsButtonAndOkKeepsIt)
{
    struct Case {
        int overwrite;
        int radio;
        int saved;  // after OK without a change
    };
    const Case cases[] = {{0, 0, 0}, {11, 1, 11}, {12, 2, 12}, {13, 3, 13}, {2, 0, 0}, {1, 0, 0}, {-5, 0, 0}};
    for (const Case& c : cases) {
        CConversionSettings settings;
        settings.SetOverwritePolicy(c.overwrite);
        ScriptedSettingsDlg dlg(settings);
        // A stored number outside the four choices is read as "Prompt me" from the start.
        EXPECT_EQ(c.radio, dlg.m_overwriteChoice) << "Overwrite " << c.overwrite;
        dlg.m_script = [](ScriptedSettingsDlg& d) { Click(d, IDOK); };
        ASSERT_EQ(IDOK, dlg.DoModal());
        EXPECT_EQ(c.radio, dlg.m_shownRadio) << "Overwrite " << c.overwrite;
        EXPECT_EQ(c.saved, settings.GetOverwritePolicy()) << "Overwrite " << c.overwrite;
    }
}

TEST(ConversionSettingsDlg, ClickingAButtonAndOkStoresItsValue)
{
    const int expected[] = {0, 11, 12, 13};
    for (int radio = 0; radio < 4; radio++) {
        CConversionSettings settings;
        settings.SetOverwritePolicy(radio == 0 ? 13 : 0);
        ScriptedSettingsDlg dlg(settings);
        dlg.m_script = [radio](ScriptedSettingsDlg& d) {
            Click(d, kRadioIds[radio]);
            Click(d, IDOK);
        };
        ASSERT_EQ(IDOK, dlg.DoModal());
        EXPECT_EQ(expected[radio], settings.GetOverwritePolicy()) << "radio " << radio;
    }
}

TEST(ConversionSettingsDlg, TheUpdateCheckBoxFollowsTheSettingBothWays)
{
    for (int start : {0, 1}) {
        CConversionSettings settings;
        settings.SetAutoCheckUpdate(start);
        ScriptedSettingsDlg dlg(settings);
        dlg.m_script = [](ScriptedSettingsDlg& d) {
            Click(d, IDC_AUTO_CHECK_UPDATE);
            Click(d, IDOK);
        };
        ASSERT_EQ(IDOK, dlg.DoModal());
        EXPECT_EQ(start, dlg.m_shownCheck);
        EXPECT_EQ(1 - start, settings.GetAutoCheckUpdate());
    }
}

TEST(ConversionSettingsDlg, CancelChangesNothing)
{
    CConversionSettings settings;
    settings.SetOverwritePolicy(12);
    settings.SetAutoCheckUpdate(1);
    ScriptedSettingsDlg dlg(settings);
    dlg.m_script = [](ScriptedSettingsDlg& d) {
        Click(d, IDC_OVERWRITE_CANCEL);
        Click(d, IDC_AUTO_CHECK_UPDATE);
        Click(d, IDCANCEL);
    };
    ASSERT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_EQ(12, settings.GetOverwritePolicy());
    EXPECT_EQ(1, settings.GetAutoCheckUpdate());
}

}  // namespace
