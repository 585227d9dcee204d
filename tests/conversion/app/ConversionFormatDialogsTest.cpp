// The format dialogs run modally on the built-in catalogue and driven from inside their own
// loop: the Preset dialog (typed frame rates, the stream switches, the name), the Format
// Settings dialog (edits that switch to "Custom" and back, OK into the custom preset, no
// format at all) and the format manager (formats switched off for good, Delete, Reset).
#include "classlib/Afx.h"
#include "conversion/app/CFormatComboBox.h"
#include "conversion/app/CFormatManagerDlg.h"
#include "conversion/app/CFormatSettingsDlg.h"
#include "conversion/app/CPresetDlg.h"
#include "conversion/app/CPresetHolders.h"
#include "conversion/app/res/ConversionAppResources.h"
#include "conversion/engine/catalogue/CBuiltInMediaFormats.h"
#include "tests/support/DialogScript.h"
#include "tests/support/DibCanvas.h"
#include "tests/support/TempFolder.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <functional>

namespace {

// A dialog that runs its script once it is up.
template <class Base>
class Scripted : public Base {
public:
    using Base::Base;
    std::function<void(Scripted&)> m_script;

protected:
    BOOL OnInitDialog() override
    {
        BOOL result = Base::OnInitDialog();
        this->PostMessage(WM_TEST_SHOWN);
        return result;
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message != WM_TEST_SHOWN)
            return Base::WindowProc(message, wParam, lParam);
        if (m_script)
            m_script(*this);
        return 0;
    }
};

// Chooses the item of a combo box as the user would.
void Choose(CWnd& dlg, int id, int index)
{
    dlg.SendDlgItemMessage(id, CB_SETCURSEL, index);
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(::GetDlgItem(dlg.m_hWnd, id)));
}

void ChooseText(CWnd& dlg, int id, LPCWSTR text)
{
    int index = static_cast<int>(
        dlg.SendDlgItemMessage(id, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text)));
    ASSERT_GE(index, 0) << "no item " << static_cast<const char*>(CStringA(text));
    Choose(dlg, id, index);
}

CString SelectedText(const CWnd& dlg, int id)
{
    int index = static_cast<int>(dlg.SendDlgItemMessage(id, CB_GETCURSEL));
    CString text;
    if (index >= 0) {
        int length = static_cast<int>(dlg.SendDlgItemMessage(id, CB_GETLBTEXTLEN, index));
        dlg.SendDlgItemMessage(id, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.GetBuffer(length + 1)));
        text.ReleaseBuffer(length);
    }
    return text;
}

// Types into an edit: its text changes as a user's typing changes it (EN_CHANGE follows).
void TypeText(CWnd& dlg, int id, LPCWSTR text)
{
    dlg.SetDlgItemText(id, text);
}

bool Enabled(const CWnd& dlg, int id)
{
    return ::IsWindowEnabled(::GetDlgItem(dlg.m_hWnd, id)) != FALSE;
}

bool Visible(const CWnd& dlg, int id)
{
    return ::IsWindowVisible(::GetDlgItem(dlg.m_hWnd, id)) != FALSE;
}

class FormatDialogs : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(0, m_formats.Load(m_data.Path().c_str()));
        m_pMp4 = m_formats.FindFormat(L"VF_mp4");
        ASSERT_TRUE(m_pMp4);
    }
    CMediaPreset* Mp4Preset(LPCWSTR name) { return m_pMp4->FindPreset(name); }

    TempFolder m_data;
    CBuiltInMediaFormats m_formats;
    CMediaFormat* m_pMp4 = nullptr;
};

// ---- The Preset dialog

TEST_F(FormatDialogs, PresetFrameRatesAreStoredAsTypedOrRefused)
{
    struct Case {
        const char* name;
        LPCWSTR typed;
        bool stored;
        int num;
        int den;
    };
    const Case cases[] = {
        {"a decimal rate", L"29.97", true, 29970, 1000},
        {"a whole rate", L"30", true, 30, 1},
        {"a rate below 0.01 is Auto", L"0.005", true, 0, 0},
        {"an absurd rate", L"5000", false, 0, 0},
        {"no number", L"fast", false, 0, 0},
    };
    for (const Case& c : cases) {
        CMediaPreset* pPreset = Mp4Preset(L"H.264 - HD 720p");
        MediaPresetRecord before = pPreset->m_record;
        Scripted<CPresetDlg> dlg(*m_pMp4, *pPreset);
        CString warning;
        dlg.m_script = [&](CWnd& d) {
            ChooseText(d, IDC_FRAME_RATE, L"Custom");
            EXPECT_TRUE(Visible(d, IDC_FRAME_RATE_EDIT)) << c.name;
            TypeText(d, IDC_FRAME_RATE_EDIT, c.typed);
            {
                MessageBoxCloser closer(d.m_hWnd);
                Click(d, IDOK);
                warning = MessageBoxCloser::Text();
            }
            if (::IsWindow(d.m_hWnd) && !c.stored)
                Click(d, IDCANCEL);
        };
        INT_PTR result = dlg.DoModal();
        if (c.stored) {
            EXPECT_EQ(IDOK, result) << c.name;
            EXPECT_EQ(c.num, pPreset->m_record.frameRateNum) << c.name;
            EXPECT_EQ(c.den, pPreset->m_record.frameRateDen) << c.name;
            EXPECT_EQ(1280, pPreset->m_record.width) << c.name;
        } else {
            EXPECT_EQ(IDCANCEL, result) << c.name;
            EXPECT_NE(-1, warning.Find(L"frame rate")) << c.name;
            EXPECT_EQ(0, memcmp(&before, &pPreset->m_record, sizeof(before))) << c.name;
        }
    }
}

TEST_F(FormatDialogs, PresetStreamSwitchesKeepOneStreamOn)
{
    CMediaPreset* pPreset = Mp4Preset(L"H.264");
    Scripted<CPresetDlg> dlg(*m_pMp4, *pPreset);
    dlg.m_script = [](CWnd& d) {
        EXPECT_TRUE(Enabled(d, IDC_VIDEO_CHECK));
        EXPECT_TRUE(Enabled(d, IDC_AUDIO_CHECK));
        Click(d, IDC_VIDEO_CHECK);
        EXPECT_EQ(static_cast<UINT>(BST_UNCHECKED), d.IsDlgButtonChecked(IDC_VIDEO_CHECK));
        EXPECT_FALSE(Enabled(d, IDC_AUDIO_CHECK));
        EXPECT_FALSE(Enabled(d, IDC_VIDEO_CODEC));
        EXPECT_FALSE(Enabled(d, IDC_RESOLUTION));
        EXPECT_TRUE(Enabled(d, IDC_AUDIO_CODEC));
        Click(d, IDC_VIDEO_CHECK);
        EXPECT_TRUE(Enabled(d, IDC_AUDIO_CHECK));
        Click(d, IDC_AUDIO_CHECK);
        EXPECT_FALSE(Enabled(d, IDC_VIDEO_CHECK));
        Click(d, IDOK);
    };
    ASSERT_EQ(IDOK, dlg.DoModal());
    EXPECT_TRUE(pPreset->m_record.audioFlags & PRESET_STREAM_OFF);
    EXPECT_FALSE(pPreset->m_record.videoFlags & PRESET_STREAM_OFF);
}

TEST_F(FormatDialogs, PresetNamesAreLimitedAndNeverEmpty)
{
    CMediaPreset* pPreset = Mp4Preset(L"H.264");
    for (int length : {0, 64, 70}) {
        Scripted<CPresetDlg> dlg(*m_pMp4, *pPreset);
        CString warning;
        dlg.m_script = [&](CWnd& d) {
            EXPECT_EQ(63, static_cast<int>(d.SendDlgItemMessage(IDC_PRESET_NAME, EM_GETLIMITTEXT)));
            // A text set past the limit, as a program or a paste may do.
            TypeText(d, IDC_PRESET_NAME, CString(L'n', length));
            MessageBoxCloser closer(d.m_hWnd);
            Click(d, IDOK);
            warning = MessageBoxCloser::Text();
            Click(d, IDCANCEL);
        };
        EXPECT_EQ(IDCANCEL, dlg.DoModal()) << length;
        EXPECT_FALSE(warning.IsEmpty()) << length;
        EXPECT_STREQ(L"H.264", pPreset->GetName()) << length;
    }
    Scripted<CPresetDlg> dlg(*m_pMp4, *pPreset);
    dlg.m_script = [](CWnd& d) {
        TypeText(d, IDC_PRESET_NAME, CString(L'n', 63));
        Click(d, IDOK);
    };
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_STREQ(CString(L'n', 63), pPreset->GetName());
}

TEST_F(FormatDialogs, PresetCustomSizeShowsItsEditsAndIsStored)
{
    CMediaPreset* pPreset = Mp4Preset(L"H.264 - 480p");
    Scripted<CPresetDlg> dlg(*m_pMp4, *pPreset);
    dlg.m_script = [](CWnd& d) {
        EXPECT_STREQ(L"640 x 480", SelectedText(d, IDC_RESOLUTION));
        EXPECT_FALSE(Visible(d, IDC_WIDTH));
        ChooseText(d, IDC_RESOLUTION, L"Custom");
        EXPECT_TRUE(Visible(d, IDC_WIDTH));
        EXPECT_TRUE(Visible(d, IDC_HEIGHT));
        EXPECT_EQ(640, static_cast<int>(d.GetDlgItemInt(IDC_WIDTH)));
        TypeText(d, IDC_WIDTH, L"700");
        ChooseText(d, IDC_VIDEO_BIT_RATE, L"Custom");
        TypeText(d, IDC_VIDEO_BIT_RATE_EDIT, L"1500000");
        Click(d, IDOK);
    };
    ASSERT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ(700, pPreset->m_record.width);
    EXPECT_EQ(480, pPreset->m_record.height);
    EXPECT_EQ(1500000, pPreset->m_record.videoBitRate);
}

// ---- The Format Settings dialog

TEST_F(FormatDialogs, SettingsSwitchToCustomAndBackAndOkStoresTheCustomPreset)
{
    CMediaPreset* p480 = Mp4Preset(L"H.264 - 480p");
    Scripted<CFormatSettingsDlg> dlg(m_formats, m_pMp4, p480, FALSE, FALSE);
    std::vector<std::wstring> shown;
    dlg.m_script = [&shown](CWnd& d) {
        shown.push_back(std::wstring(SelectedText(d, IDC_PRESET_COMBO)));
        ChooseText(d, IDC_RESOLUTION, L"Custom");
        shown.push_back(std::wstring(SelectedText(d, IDC_PRESET_COMBO)));
        TypeText(d, IDC_WIDTH, L"700");
        shown.push_back(std::wstring(SelectedText(d, IDC_PRESET_COMBO)));
        TypeText(d, IDC_WIDTH, L"640");
        shown.push_back(std::wstring(SelectedText(d, IDC_PRESET_COMBO)));
        ChooseText(d, IDC_RESOLUTION, L"1280 x 720");
        shown.push_back(std::wstring(SelectedText(d, IDC_PRESET_COMBO)));
        // Custom starts from the size shown: 1280 x 720.
        ChooseText(d, IDC_RESOLUTION, L"Custom");
        TypeText(d, IDC_WIDTH, L"700");
        Click(d, IDOK);
    };
    ASSERT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ(
        (std::vector<std::wstring>{L"H.264 - 480p", L"H.264 - 480p", L"Custom", L"H.264 - 480p", L"H.264 - HD 720p"}),
        shown);
    CMediaPreset* pCustom = m_pMp4->m_pCustomPreset;
    ASSERT_TRUE(pCustom);
    EXPECT_STREQ(L"Custom", pCustom->GetName());
    EXPECT_EQ(700, pCustom->m_record.width);
    EXPECT_EQ(720, pCustom->m_record.height);
    EXPECT_EQ(m_pMp4, dlg.GetFormat());
    EXPECT_EQ(pCustom, dlg.GetPreset());
    EXPECT_EQ(1, m_formats.m_modified);
    // The built-in preset itself is untouched.
    EXPECT_EQ(640, p480->m_record.width);
}

// Filling the controls for a chosen preset or format changes their texts; those changes are
// not the user's and must not turn the choice into "Custom".
TEST_F(FormatDialogs, SettingsChoicesFillTheControlsWithoutTurningCustom)
{
    Scripted<CFormatSettingsDlg> dlg(m_formats, m_pMp4, Mp4Preset(L"H.264 - 480p"), FALSE, FALSE);
    dlg.m_script = [this](CWnd& d) {
        ChooseText(d, IDC_PRESET_COMBO, L"H.264 - HD 1080p");
        EXPECT_STREQ(L"H.264 - HD 1080p", SelectedText(d, IDC_PRESET_COMBO));
        EXPECT_STREQ(L"1920 x 1080", SelectedText(d, IDC_RESOLUTION));
        ChooseText(d, IDC_RESOLUTION, L"Custom");
        EXPECT_STREQ(L"H.264 - HD 1080p", SelectedText(d, IDC_PRESET_COMBO));
        TypeText(d, IDC_WIDTH, L"1900");
        EXPECT_STREQ(L"Custom", SelectedText(d, IDC_PRESET_COMBO));
        // Another format, and back: the preset last chosen there comes back.
        CMediaFormat* pMkv = m_formats.FindFormat(L"VF_mkv");
        auto& settings = static_cast<CFormatSettingsDlg&>(d);
        Choose(d, IDC_FORMAT_COMBO, settings.m_formatCombo.FindFormat(pMkv));
        EXPECT_EQ(pMkv, settings.GetFormat());
        EXPECT_STREQ(pMkv->m_presets[pMkv->m_defaultPreset]->GetName(), SelectedText(d, IDC_PRESET_COMBO));
        Choose(d, IDC_FORMAT_COMBO, settings.m_formatCombo.FindFormat(m_pMp4));
        EXPECT_STREQ(L"Custom", SelectedText(d, IDC_PRESET_COMBO));
        // A header row leads on to the format after it.
        Choose(d, IDC_FORMAT_COMBO, 0);
        EXPECT_EQ(settings.m_formatCombo.GetFormat(1), settings.GetFormat());
        Click(d, IDCANCEL);
    };
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
}

TEST_F(FormatDialogs, SettingsOkWithoutChangeCopiesThePresetIntoTheCustomOne)
{
    CMediaPreset* p720 = Mp4Preset(L"H.264 - HD 720p");
    Scripted<CFormatSettingsDlg> dlg(m_formats, m_pMp4, p720, FALSE, FALSE);
    dlg.m_script = [](CWnd& d) { Click(d, IDOK); };
    ASSERT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ(p720, dlg.GetPreset());
    EXPECT_EQ(1280, m_pMp4->m_pCustomPreset->m_record.width);
    EXPECT_STREQ(L"Custom", m_pMp4->m_pCustomPreset->GetName());
}

TEST_F(FormatDialogs, SettingsWithoutAnyFormatRefuseOk)
{
    for (int c = 0; c < m_formats.m_categories.GetSize(); c++) {
        for (int f = 0; f < m_formats.m_categories[c]->m_formats.GetSize(); f++)
            m_formats.m_categories[c]->m_formats[f]->m_flags |= FORMAT_OFF;
    }
    Scripted<CFormatSettingsDlg> dlg(m_formats, m_pMp4, nullptr, FALSE, FALSE);
    CString warning;
    dlg.m_script = [&warning](CWnd& d) {
        EXPECT_EQ(0, static_cast<int>(d.SendDlgItemMessage(IDC_FORMAT_COMBO, CB_GETCOUNT)));
        EXPECT_FALSE(Enabled(d, IDC_PRESET_COMBO));
        EXPECT_FALSE(Enabled(d, IDC_VIDEO_CODEC));
        MessageBoxCloser closer(d.m_hWnd);
        Click(d, IDOK);
        warning = MessageBoxCloser::Text();
        Click(d, IDCANCEL);
    };
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_EQ(nullptr, dlg.GetFormat());
    EXPECT_EQ(nullptr, dlg.GetPreset());
    EXPECT_NE(-1, warning.Find(L"no format"));
}

// ---- The format list

TEST_F(FormatDialogs, FormatListHeadersFollowTheSwitchedOnFormats)
{
    CWnd host;
    host.CreateEx(0, AfxRegisterWndClass(0), L"host", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr);
    CFormatComboBox combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS, CRect(0, 0, 200, 200),
                             &host, 1));
    auto headers = [&combo]() {
        int count = 0;
        for (int i = 0; i < combo.GetCount(); i++)
            count += combo.IsHeader(i) ? 1 : 0;
        return count;
    };
    int rows = combo.FillFormats(m_formats);
    EXPECT_EQ(m_formats.m_categories.GetSize(), headers());
    EXPECT_EQ(rows + headers(), combo.GetCount());
    EXPECT_EQ(1, combo.NextFormatRow(0));
    CString first;
    combo.GetLBText(1, first);
    EXPECT_NE(-1, first.Find(L'\t'));
    // Every format of the audio category off: its header goes too.
    CMediaFormatCategory* pAudio = m_formats.m_categories[1];
    for (int f = 0; f < pAudio->m_formats.GetSize(); f++)
        pAudio->m_formats[f]->m_flags |= FORMAT_OFF;
    combo.FillFormats(m_formats);
    EXPECT_EQ(m_formats.m_categories.GetSize() - 1, headers());
    EXPECT_EQ(-1, combo.FindFormat(pAudio->m_formats[0]));
    // Icons: video 0, audio 1, device 2.
    EXPECT_EQ(0, CFormatComboBox::GetIconIndex(m_pMp4));
    EXPECT_EQ(1, CFormatComboBox::GetIconIndex(pAudio->m_formats[0]));
    EXPECT_EQ(2, CFormatComboBox::GetIconIndex(m_formats.m_categories[2]));
    host.DestroyWindow();
}

// The right-hand column is as wide as its widest text: sizes and extensions are drawn whole,
// not cut at a fixed width. The texts split by the split combo's rule: at a tab, else at a
// backslash and a t.
TEST_F(FormatDialogs, RightColumnTextsAreDrawnWhole)
{
    for (const wchar_t* separator : {L"\t", L"\\t"}) {
        SCOPED_TRACE(separator[0] == L'\t' ? "tab" : "backslash and t");
        CWnd host;
        host.CreateEx(0, AfxRegisterWndClass(0), L"host", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr);
        CFormatComboBox combo;
        ASSERT_TRUE(combo.Create(WS_CHILD | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS,
                                 CRect(0, 0, 240, 200), &host, 1));
        HFONT hFont = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
        combo.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(hFont));
        combo.m_presetItems = TRUE;
        combo.m_rightColour = RGB(0, 0, 255);
        combo.AddString(CString(L"H.264 - HD 1080p") + separator + L"1920 x 1080");
        combo.AddString(CString(L"H.264 - UHD 4K") + separator + L"3840 x 2160");
        combo.AddString(L"Auto");
        DibCanvas canvas(240, 18);
        canvas.m_dc.SelectObject(CFont::FromHandle(hFont));
        const CSize full = canvas.m_dc.GetTextExtent(L"3840 x 2160");
        DRAWITEMSTRUCT dis = {};
        dis.CtlType = ODT_COMBOBOX;
        dis.itemID = 1;
        dis.itemAction = ODA_DRAWENTIRE;
        dis.hDC = canvas.m_dc.m_hDC;
        dis.rcItem = {0, 0, 240, 18};
        combo.DrawItem(&dis);
        // The blue pixels of the right-hand text span its whole width, but for the glyphs' edges.
        int left = 240, right = -1;
        for (int x = 0; x < 240; x++) {
            for (int y = 0; y < 18; y++) {
                if (canvas.At(x, y) == RGB(0, 0, 255)) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                }
            }
        }
        ASSERT_GE(right, 0);
        EXPECT_GE(right - left + 1, full.cx - 6);
        EXPECT_LE(right, 240);
        EXPECT_GE(combo.GetRightColumnWidth(240), full.cx);
        // Never wider than half the item: the name keeps room.
        EXPECT_LE(combo.GetRightColumnWidth(40), 32);
        host.DestroyWindow();
    }
}

// ---- The format manager

class FormatManagerTest : public FormatDialogs {
protected:
    // Selects the format's tree item as a click would.
    static void SelectFormat(CFormatManagerDlg& d, const CMediaFormat* pFormat)
    {
        for (HTREEITEM hRoot = d.m_tree.GetRootItem(); hRoot; hRoot = d.m_tree.GetNextSiblingItem(hRoot)) {
            for (HTREEITEM h = d.m_tree.GetChildItem(hRoot); h; h = d.m_tree.GetNextSiblingItem(h)) {
                if (d.m_tree.GetItemData(h) ==
                    reinterpret_cast<DWORD_PTR>(static_cast<const CMediaCatalogItem*>(pFormat))) {
                    d.m_tree.SelectItem(h);
                    return;
                }
            }
        }
        ADD_FAILURE() << "no tree item";
    }
    static HTREEITEM ItemOf(CFormatManagerDlg& d, const CMediaFormat* pFormat)
    {
        SelectFormat(d, pFormat);
        return d.m_tree.GetSelectedItem();
    }
};

TEST_F(FormatManagerTest, AFormatSwitchedOffStaysOffAfterARestart)
{
    Scripted<CFormatManagerDlg> dlg(m_formats);
    dlg.m_script = [this](CFormatManagerDlg& d) {
        HTREEITEM hMp4 = ItemOf(d, m_pMp4);
        EXPECT_EQ(1u, TreeView_GetCheckState(d.m_tree.m_hWnd, hMp4));
        TreeView_SetCheckState(d.m_tree.m_hWnd, hMp4, FALSE);
        Click(d, IDOK);
    };
    ASSERT_EQ(IDOK, dlg.DoModal());
    EXPECT_TRUE(m_pMp4->m_flags & FORMAT_OFF);

    CBuiltInMediaFormats restarted;
    ASSERT_EQ(0, restarted.Load(m_data.Path().c_str()));
    CMediaFormat* pMp4 = restarted.FindFormat(L"VF_mp4");
    ASSERT_TRUE(pMp4);
    EXPECT_TRUE(pMp4->m_flags & FORMAT_OFF);
    CWnd host;
    host.CreateEx(0, AfxRegisterWndClass(0), L"host", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr);
    CFormatComboBox combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS, CRect(0, 0, 200, 200),
                             &host, 1));
    combo.FillFormats(restarted);
    EXPECT_EQ(-1, combo.FindFormat(pMp4));
    EXPECT_NE(-1, combo.FindFormat(restarted.FindFormat(L"VF_mkv")));
    host.DestroyWindow();
}

TEST_F(FormatManagerTest, DeleteIsOffForEveryPresetAPageHolds)
{
    m_pMp4->m_presets[2]->m_useCount = 1;
    Scripted<CFormatManagerDlg> dlg(m_formats);
    dlg.m_script = [this](CFormatManagerDlg& d) {
        SelectFormat(d, m_pMp4);
        struct Case {
            std::vector<int> rows;
            bool canDelete;
        };
        const Case cases[] = {{{1}, true}, {{2}, false}, {{1, 2}, false}, {{3, 4}, true}};
        for (const Case& c : cases) {
            d.m_list.SelectAllItems(FALSE);
            for (int row : c.rows)
                d.m_list.SetItemState(row, LVIS_SELECTED, LVIS_SELECTED);
            d.UpdateButtons();
            EXPECT_EQ(c.canDelete, Enabled(d, IDC_DELETE_PRESET)) << "rows from " << c.rows[0];
        }
        Click(d, IDOK);
    };
    dlg.DoModal();
    m_pMp4->m_presets[2]->m_useCount = 0;
}

TEST_F(FormatManagerTest, DeleteTakesThePresetOutOfTheFormatSoResetFreesItOnce)
{
    const int builtIn = m_pMp4->m_presets.GetSize();
    Scripted<CFormatManagerDlg> dlg(m_formats);
    dlg.m_script = [this, builtIn](CFormatManagerDlg& d) {
        SelectFormat(d, m_pMp4);
        CMediaPreset* pGone = d.GetRowPreset(1);
        d.m_list.SelectItem(1, TRUE, TRUE);
        Click(d, IDC_DELETE_PRESET);
        EXPECT_EQ(builtIn - 1, d.m_list.GetItemCount());
        ASSERT_EQ(builtIn - 1, m_pMp4->m_presets.GetSize());
        for (int p = 0; p < m_pMp4->m_presets.GetSize(); p++)
            EXPECT_NE(pGone, m_pMp4->m_presets[p]);
        Click(d, IDC_RESET_PRESETS);
        EXPECT_EQ(builtIn, d.m_list.GetItemCount());
        EXPECT_EQ(builtIn, m_pMp4->m_presets.GetSize());
        Click(d, IDOK);
    };
    ASSERT_EQ(IDOK, dlg.DoModal());
}

TEST_F(FormatManagerTest, ResetWhileAPageHoldsAPresetIsRefusedAndSaysSo)
{
    CMediaPreset* pHeld = m_pMp4->m_presets[0];
    pHeld->m_useCount = 1;
    Scripted<CFormatManagerDlg> dlg(m_formats);
    std::vector<CString> warnings;
    dlg.m_script = [&](CFormatManagerDlg& d) {
        SelectFormat(d, m_pMp4);
        for (int id : {IDC_RESET_PRESETS, IDC_RESET_ALL_PRESETS}) {
            MessageBoxCloser closer(d.m_hWnd);
            Click(d, id);
            warnings.push_back(MessageBoxCloser::Text());
        }
        EXPECT_EQ(pHeld, d.GetRowPreset(0));
        Click(d, IDOK);
    };
    ASSERT_EQ(IDOK, dlg.DoModal());
    ASSERT_EQ(2u, warnings.size());
    for (const CString& warning : warnings)
        EXPECT_NE(-1, warning.Find(L"can't be reset")) << static_cast<const char*>(CStringA(warning));
    EXPECT_EQ(pHeld, m_pMp4->m_presets[0]);
    pHeld->m_useCount = 0;
}

// Delete leaves the row after the deleted one selected and the keyboard in the dialog, also
// when that row's preset is held (and Delete turns off under the focus).
TEST_F(FormatManagerTest, DeleteSelectsTheNextRowAndKeepsTheFocus)
{
    struct Case {
        const char* name;
        int row;
        int held;           // row whose preset a page holds; -1 none
        int selectedAfter;  // -1: the new last row
    };
    const Case cases[] = {
        {"next row free", 1, -1, 1},
        {"next row held", 1, 2, 1},
        {"last row", -1, -1, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CBuiltInMediaFormats formats;
        TempFolder data;
        ASSERT_EQ(0, formats.Load(data.Path().c_str()));
        CMediaFormat* pMp4 = formats.FindFormat(L"VF_mp4");
        const int rows = pMp4->m_presets.GetSize();
        const int row = c.row >= 0 ? c.row : rows - 1;
        CMediaPreset* pHeld = c.held >= 0 ? pMp4->m_presets[c.held] : nullptr;
        if (pHeld)
            pHeld->m_useCount = 1;
        Scripted<CFormatManagerDlg> dlg(formats);
        dlg.m_script = [&](CFormatManagerDlg& d) {
            SelectFormat(d, pMp4);
            d.m_list.SelectItem(row, TRUE, TRUE);
            d.UpdateButtons();
            d.GotoDlgCtrl(d.GetDlgItem(IDC_DELETE_PRESET));
            Click(d, IDC_DELETE_PRESET);
            EXPECT_EQ(rows - 1, d.m_list.GetItemCount());
            EXPECT_EQ(c.selectedAfter >= 0 ? c.selectedAfter : rows - 2, d.m_list.GetFirstSelectedItem());
            HWND hFocus = ::GetFocus();
            EXPECT_TRUE(hFocus && ::IsChild(d.m_hWnd, hFocus) && ::IsWindowEnabled(hFocus));
            Click(d, IDOK);
        };
        ASSERT_EQ(IDOK, dlg.DoModal());
        if (pHeld)
            pHeld->m_useCount = 0;
    }
}

// Holders of presets (the task pages) let go of them around a reset, so the reset of a format
// whose preset a page holds is done, and they take theirs again afterwards.
TEST_F(FormatManagerTest, ResetIsDoneWhileHoldersLetGoOfTheirPresets)
{
    class Holder : public CPresetHolders {
    public:
        explicit Holder(CMediaFormat& format) : m_format(format) { Take(); }
        void ReleasePresets() override
        {
            m_pHeld->m_useCount--;
            m_pHeld = nullptr;
        }
        void RefreshPresets() override
        {
            if (!m_pHeld)
                Take();
            m_refreshes++;
        }
        void Take()
        {
            m_pHeld = m_format.FindPreset(L"H.264 - 360p");
            m_pHeld->m_useCount++;
        }
        CMediaFormat& m_format;
        CMediaPreset* m_pHeld = nullptr;
        int m_refreshes = 0;
    };
    Holder holder(*m_pMp4);
    Scripted<CFormatManagerDlg> dlg(m_formats);
    dlg.m_pHolders = &holder;
    dlg.m_script = [&](CFormatManagerDlg& d) {
        SelectFormat(d, m_pMp4);
        d.UpdateButtons();
        EXPECT_TRUE(Enabled(d, IDC_RESET_PRESETS));
        MessageBoxCloser closer(d.m_hWnd);
        Click(d, IDC_RESET_PRESETS);
        EXPECT_STREQ(L"", MessageBoxCloser::Text());
        EXPECT_EQ(m_pMp4->m_presets[0], d.GetRowPreset(0));
        Click(d, IDOK);
    };
    ASSERT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ(1, holder.m_refreshes);
    ASSERT_NE(nullptr, holder.m_pHeld);
    EXPECT_STREQ(L"H.264 - 360p", holder.m_pHeld->GetName());
    EXPECT_EQ(1, holder.m_pHeld->m_useCount);
    holder.ReleasePresets();
}

TEST_F(FormatManagerTest, MovesKeepTheDefaultWithItsPresetAndAddInsertsAfterTheRow)
{
    Scripted<CFormatManagerDlg> dlg(m_formats);
    dlg.m_script = [this](CFormatManagerDlg& d) {
        SelectFormat(d, m_pMp4);
        CMediaPreset* pFirst = d.GetRowPreset(0);
        ASSERT_EQ(0, m_pMp4->m_defaultPreset);
        d.m_list.SelectItem(0, TRUE, TRUE);
        d.UpdateButtons();
        EXPECT_FALSE(Enabled(d, IDC_MOVE_PRESET_UP));
        Click(d, IDC_MOVE_PRESET_DOWN);
        EXPECT_EQ(pFirst, m_pMp4->m_presets[1]);
        EXPECT_EQ(1, m_pMp4->m_defaultPreset);
        EXPECT_EQ(1, d.m_list.GetFirstSelectedItem());
        // Add copies the selected row and asks for it in the Preset dialog (answered OK).
        const int count = d.m_list.GetItemCount();
        {
            MessageBoxCloser closer(d.m_hWnd);
            Click(d, IDC_ADD_PRESET);
        }
        ASSERT_EQ(count + 1, d.m_list.GetItemCount());
        EXPECT_STREQ(L"New Preset", d.m_list.GetItemText(2, 0));
        EXPECT_EQ(pFirst->m_record.width, d.GetRowPreset(2)->m_record.width);
        EXPECT_EQ(d.GetRowPreset(2), m_pMp4->m_presets[2]);
        EXPECT_EQ(1, m_pMp4->m_defaultPreset);
        Click(d, IDOK);
    };
    ASSERT_EQ(IDOK, dlg.DoModal());
}

TEST_F(FormatManagerTest, ASaveThatFailsIsReported)
{
    m_formats.m_path = CString(m_data.Path().c_str()) + L"\\missing\\MediaFormats.xml";
    CWnd owner;
    owner.CreateEx(0, AfxRegisterWndClass(0), L"owner", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr);
    Scripted<CFormatManagerDlg> dlg(m_formats, &owner);
    dlg.m_script = [](CFormatManagerDlg& d) { Click(d, IDOK); };
    CString warning;
    {
        MessageBoxCloser closer(owner.m_hWnd);
        ASSERT_EQ(IDOK, dlg.DoModal());
        warning = MessageBoxCloser::Text();
    }
    EXPECT_NE(-1, warning.Find(L"could not be saved"));
    EXPECT_EQ(1, m_formats.m_modified);
    owner.DestroyWindow();
}

TEST_F(FormatManagerTest, ACategoryShowsNoPresets)
{
    Scripted<CFormatManagerDlg> dlg(m_formats);
    dlg.m_script = [](CFormatManagerDlg& d) {
        d.m_tree.SelectItem(d.m_tree.GetRootItem());
        EXPECT_EQ(0, d.m_list.GetItemCount());
        EXPECT_FALSE(Enabled(d, IDC_PRESET_LIST));
        EXPECT_FALSE(Enabled(d, IDC_ADD_PRESET));
        EXPECT_FALSE(Enabled(d, IDC_RESET_PRESETS));
        Click(d, IDOK);
    };
    ASSERT_EQ(IDOK, dlg.DoModal());
}

}  // namespace
