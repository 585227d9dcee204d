// The framework's windows of "Framework windows B" to look at: each scene given on the command
// line opens one of them over a plain main window (a CAppMainWnd), as a person would see it.
// Scenes: about, update-error, new-version, folder, file-dialog, sheet, hover, cv-tooltip,
// cv-combo, and the conversion tool's dialogs cv-formats, cv-preset, cv-format-settings,
// cv-settings, cv-file-exists. The update scenes answer from a loopback HTTP server of their own.
#include "classlib/Afx.h"
#include "conversion/app/CConversionSettings.h"
#include "conversion/app/CConversionSettingsDlg.h"
#include "conversion/app/CFileExistsPrompt.h"
#include "conversion/app/CFormatManagerDlg.h"
#include "conversion/app/CFormatSettingsDlg.h"
#include "conversion/app/CPresetDlg.h"
#include "conversion/app/controls/CCXControls.h"
#include "conversion/app/controls/CCXDialog.h"
#include "conversion/app/res/ConversionAppResources.h"
#include "conversion/engine/catalogue/CBuiltInMediaFormats.h"
#include "framework/controls/AppUiResources.h"
#include "framework/controls/CHoverButton.h"
#include "framework/controls/FrameworkMessages.h"
#include "framework/dialogs/CAppAboutDlg.h"
#include "framework/dialogs/CAppMainWnd.h"
#include "framework/dialogs/CCXPropertySheet.h"
#include "framework/dialogs/CFileSelectDlg.h"
#include "framework/dialogs/CFolderSelectDlg.h"
#include "framework/dialogs/UpdateDialogs.h"
#include "framework/net/UpdateCheck.h"
#include "framework/system/IAppSettings.h"
#include "framework/system/ShellCalls.h"
#include "image/RasterImage.h"
#include "tests/framework/LoopbackHttpServer.h"
#include <dlgs.h>
#include <functional>
#include <memory>
#include <string>
#include <thread>

namespace {

const UINT WM_RUN_SCENE = WM_APP + 20;

class DemoSettings : public IAppSettings {
public:
    CString GetVersionText() const override { return L"7.3.0"; }
    CString GetSupportMailAddress() const override { return L"support@kavri.example"; }
    CString GetProductName() const override { return L"Kavri Video Player"; }
    CString GetUpdateManifestUrl() const override { return m_strManifest; }
    CString GetProductPageUrl() const override { return L"https://www.kavri.example/kavri-video-player"; }
    CString GetWebSiteUrl() const override { return L"https://www.kavri.example/"; }
    int GetAutoCheckUpdate() const override { return m_nAuto; }
    void SetAutoCheckUpdate(int nValue) override { m_nAuto = nValue; }
    int GetAutoCheckUpdateDays() const override { return 7; }
    CMainWindowPlacement GetMainWindowPlacement() const override
    {
        CMainWindowPlacement p;
        p.nLeft = 60;
        p.nTop = 60;
        p.nWidth = 900;
        p.nHeight = 620;
        return p;
    }
    void SetMainWindowPlacement(const CMainWindowPlacement&) override {}
    CString m_strManifest;
    int m_nAuto = 1;
};

DemoSettings g_settings;
CUpdateDialogsUI g_updateUI;
std::unique_ptr<LoopbackHttpServer> g_server;

HINSTANCE WINAPI NoShell(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT)
{
    return reinterpret_cast<HINSTANCE>(42);
}

std::wstring TempFolderFor(const wchar_t* name)
{
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    std::wstring path = std::wstring(temp) + name;
    CreateDirectoryW(path.c_str(), nullptr);
    return path;
}

// Makes the window under the point believe the pointer is over it.
void Hover(HWND hWnd)
{
    RECT rc;
    GetWindowRect(hWnd, &rc);
    SetCursorPos((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
    SendMessageW(hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
}

// ---- about: the site link hot
class DemoAboutDlg : public CAppAboutDlg {
protected:
    BOOL OnInitDialog() override
    {
        BOOL b = CAppAboutDlg::OnInitDialog();
        SetTimer(7, 400, nullptr);
        return b;
    }
    void OnTimer(UINT_PTR)
    {
        KillTimer(7);
        Hover(m_webLink.m_hWnd);
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(DemoAboutDlg, CAppAboutDlg)
    ON_WM_TIMER()
END_MESSAGE_MAP()

// ---- hover: two buttons, the second hot
class HoverWnd : public CWnd {
public:
    CRasterImage m_normal, m_hot;
    CHoverButton m_a, m_b;
    void Make(CWnd* pParent)
    {
        Paint(m_normal, RGB(0x30, 0x70, 0xC0), RGB(0xE0, 0xE0, 0xE0));
        Paint(m_hot, RGB(0xF0, 0x90, 0x20), RGB(0xFF, 0xFF, 0xFF));
        CreateEx(0, AfxRegisterWndClass(0, nullptr, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)), L"Hover buttons",
                 WS_POPUP | WS_CAPTION | WS_VISIBLE | WS_SYSMENU, 200, 200, 320, 170, pParent->m_hWnd, nullptr);
        m_a.Create(L"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(30, 30, 130, 100), this, 1);
        m_b.Create(L"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(170, 30, 270, 100), this, 2);
        m_a.SetImages(&m_normal, &m_hot);
        m_b.SetImages(&m_normal, &m_hot);
        SetTimer(8, 400, nullptr);
    }
    static void Paint(CRasterImage& image, COLORREF crFace, COLORREF crMark)
    {
        image.Create(48, 48, 24);
        for (int y = 0; y < 48; y++)
            for (int x = 0; x < 48; x++) {
                bool bMark = (x > 14 && x < 34 && std::abs(y - 24) < (34 - x) / 2 + 1);  // a play triangle
                image.SetPixelColorRef(x, y, bMark ? crMark : crFace);
            }
    }

protected:
    void OnTimer(UINT_PTR)
    {
        KillTimer(8);
        Hover(m_b.m_hWnd);
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(HoverWnd, CWnd)
    ON_WM_TIMER()
END_MESSAGE_MAP()
HoverWnd g_hover;

// ---- cv-tooltip and cv-combo
class DemoConvertDlg : public CCXDialog {
public:
    explicit DemoConvertDlg(bool bDropCombo) : CCXDialog(310), m_bDropCombo(bDropCombo) {}
    CSplitTextComboBox m_combo;
    bool m_bDropCombo;

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        CCXDialog::DoDataExchange(pDX);
        DDX_Control(pDX, 1302, m_combo);
    }
    BOOL OnInitDialog() override
    {
        BOOL b = CCXDialog::OnInitDialog();
        m_combo.AddString(L"MP4 Video\tH.264 / AAC");
        m_combo.AddString(L"MKV Video\tH.265 / Opus");
        m_combo.AddString(L"WebM Video\\tVP9 / Vorbis");
        m_combo.AddString(L"MP3 Audio\tMP3");
        m_combo.AddSeparator(2);
        m_combo.SetCurSel(0);
        m_combo.m_nRightWidth = 96;
        SetTimer(9, 500, nullptr);
        return b;
    }
    void OnTimer(UINT_PTR)
    {
        KillTimer(9);
        if (m_bDropCombo) {
            // A click on the arrow, as the user opens the list.
            CRect rc;
            m_combo.GetClientRect(&rc);
            CPoint pt(rc.right - 5, rc.Height() / 2);
            m_combo.ClientToScreen(&pt);
            ::SetCursorPos(pt.x, pt.y);
            m_combo.SetFocus();
            m_combo.ShowDropDown(TRUE);
            return;
        }
        HWND hButton = ::GetDlgItem(m_hWnd, 1301);
        RECT rc;
        ::GetWindowRect(hButton, &rc);
        ::SetCursorPos((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
        MSG msg = {hButton, WM_MOUSEMOVE, 0, MAKELPARAM(10, 10)};
        msg.time = GetTickCount();
        m_toolTip.RelayMouseMove(this, &msg);
        m_toolTip.SendMessage(TTM_POPUP);
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(DemoConvertDlg, CCXDialog)
    ON_WM_TIMER()
END_MESSAGE_MAP()

// ---- The conversion tool's dialogs: each is driven as a user would once it is up.
template <class Base>
class DemoScripted : public Base {
public:
    using Base::Base;
    std::function<void(DemoScripted&)> m_script;

protected:
    BOOL OnInitDialog() override
    {
        BOOL b = Base::OnInitDialog();
        this->SetTimer(11, 400, nullptr);
        return b;
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_TIMER && wParam == 11) {
            this->KillTimer(11);
            if (m_script)
                m_script(*this);
            return 0;
        }
        return Base::WindowProc(message, wParam, lParam);
    }
};

void ChooseItem(CWnd& dlg, int id, LPCWSTR text)
{
    int index = static_cast<int>(
        dlg.SendDlgItemMessage(id, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text)));
    dlg.SendDlgItemMessage(id, CB_SETCURSEL, index);
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(::GetDlgItem(dlg.m_hWnd, id)));
}

CBuiltInMediaFormats g_formats;
CConversionSettings g_conversionSettings;
CFileExistsPrompt g_prompt(g_conversionSettings);

void LoadFormats()
{
    if (g_formats.m_categories.GetSize() == 0)
        g_formats.Load(TempFolderFor(L"Kavri Formats").c_str());
}

void ShowFormatManager()
{
    LoadFormats();
    DemoScripted<CFormatManagerDlg> dlg(g_formats);
    dlg.m_script = [](CFormatManagerDlg& d) {
        // Bigger, as a user drags it; MP4 chosen, its HD 720p row selected, AVI switched off.
        d.SetWindowPos(nullptr, 0, 0, 860, 520, SWP_NOMOVE | SWP_NOZORDER);
        CMediaFormat* pMp4 = g_formats.FindFormat(L"VF_mp4");
        for (HTREEITEM hRoot = d.m_tree.GetRootItem(); hRoot; hRoot = d.m_tree.GetNextSiblingItem(hRoot)) {
            for (HTREEITEM h = d.m_tree.GetChildItem(hRoot); h; h = d.m_tree.GetNextSiblingItem(h)) {
                auto* pItem = reinterpret_cast<CMediaCatalogItem*>(d.m_tree.GetItemData(h));
                if (pItem == pMp4)
                    d.m_tree.SelectItem(h);
                if (!lstrcmpW(pItem->m_id, L"VF_avi"))
                    TreeView_SetCheckState(d.m_tree.m_hWnd, h, FALSE);
            }
        }
        d.m_list.SelectItem(4, TRUE, TRUE);
        d.m_list.SetFocus();
        d.UpdateButtons();
    };
    dlg.DoModal();
}

void ShowPresetDialog()
{
    LoadFormats();
    CMediaFormat* pMp4 = g_formats.FindFormat(L"VF_mp4");
    DemoScripted<CPresetDlg> dlg(*pMp4, *pMp4->FindPreset(L"H.264 - HD 720p"));
    dlg.m_script = [](CPresetDlg& d) {
        ChooseItem(d, IDC_FRAME_RATE, L"Custom");
        d.SetDlgItemText(IDC_FRAME_RATE_EDIT, L"29.97");
        ChooseItem(d, IDC_AUDIO_BIT_RATE, L"Custom");
        d.SetDlgItemText(IDC_AUDIO_BIT_RATE_EDIT, L"160000");
    };
    dlg.DoModal();
}

void ShowFormatSettings()
{
    LoadFormats();
    CMediaFormat* pMp4 = g_formats.FindFormat(L"VF_mp4");
    DemoScripted<CFormatSettingsDlg> dlg(g_formats, pMp4, pMp4->FindPreset(L"H.264 - 480p"), FALSE, FALSE);
    dlg.m_script = [](CFormatSettingsDlg& d) {
        // A size no preset has: the preset list shows "Custom".
        ChooseItem(d, IDC_RESOLUTION, L"Custom");
        d.SetDlgItemText(IDC_WIDTH, L"700");
    };
    dlg.DoModal();
}

void ShowSettingsDialog()
{
    g_conversionSettings.SetOverwritePolicy(12);
    DemoScripted<CConversionSettingsDlg> dlg(g_conversionSettings);
    dlg.DoModal();
}

// Asked as a task asks it: on a worker thread, with the countdown on.
void AskFileExists()
{
    std::wstring folder = TempFolderFor(L"Kavri Output");
    CloseHandle(
        CreateFileW((folder + L"\\Holiday clip.mp4").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    g_conversionSettings.SetAutoCloseOverwriteDlg(1);
    std::thread([folder]() {
        CString newTitle;
        g_prompt.AskFileExists(folder.c_str(), L"Holiday clip", L".mp4", newTitle);
    }).detach();
}

// ---- file-dialog: three files typed into the name field
class DemoFileDlg : public CFileSelectDlg {
public:
    using CFileSelectDlg::CFileSelectDlg;

protected:
    void OnInitDone() override
    {
        CFileSelectDlg::OnInitDone();
        HWND hCommon = ::GetParent(m_hWnd);
        LPCWSTR pszNames = L"\"clip one.mp4\" \"clip two.mp4\" \"clip three.mp4\"";
        ::SendMessageW(hCommon, CDM_SETCONTROLTEXT, cmb13, reinterpret_cast<LPARAM>(pszNames));
        ::SendMessageW(hCommon, CDM_SETCONTROLTEXT, edt1, reinterpret_cast<LPARAM>(pszNames));
    }
};

class CDemoFrame : public CAppMainWnd {
public:
    CString m_strScene;

protected:
    LRESULT OnRunScene(WPARAM, LPARAM)
    {
        const CString& s = m_strScene;
        if (s == L"about") {
            DemoAboutDlg dlg;
            dlg.DoModal();
        } else if (s == L"update-error" || s == L"new-version") {
            g_server = std::make_unique<LoopbackHttpServer>([](const std::string& target) {
                LoopbackHttpServer::Response r;
                if (target == "/kavri-video-player/update.xml") {
                    r.body = "<?xml version=\"1.0\" encoding=\"utf-8\"?><Updates><Application Version=\"7.4.0\">"
                             "<DownloadURL>https://www.kavri.example/kavri-video-player/download.html</DownloadURL>"
                             "<Description>What is new in 7.4.0:\n- Faster start.\n- Fewer crashes when a "
                             "playlist holds URLs.\n- Subtitles follow the zoom.</Description></Application></Updates>";
                } else {
                    r.nStatus = 404;
                }
                return r;
            });
            std::wstring url = g_server->Url(s == L"new-version" ? L"/kavri-video-player/update.xml" : L"/missing.xml");
            g_settings.m_strManifest = url.c_str();
            SendMessage(WM_CHECK_FOR_UPDATES, 0, 0);
        } else if (s == L"folder") {
            std::wstring folder = TempFolderFor(L"Kavri Clips");
            CreateDirectoryW((folder + L"\\Holiday").c_str(), nullptr);
            CFolderSelectDlg dlg;
            dlg.m_strDescription = L"Choose a folder to add its media files to the playlist:";
            dlg.m_strInitialFolder = folder.c_str();
            dlg.m_strPatterns = L"*.mp4;*.mkv;*.avi;*.mov|*.mp3;*.m4a|*|";
            dlg.DoModal();
        } else if (s == L"file-dialog") {
            std::wstring folder = TempFolderFor(L"Kavri Files");
            for (LPCWSTR name : {L"clip one.mp4", L"clip two.mp4", L"clip three.mp4", L"notes.txt"}) {
                HANDLE h = CreateFileW((folder + L"\\" + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
                CloseHandle(h);
            }
            DemoFileDlg dlg(TRUE, nullptr, nullptr, OFN_ALLOWMULTISELECT | OFN_FILEMUSTEXIST,
                            L"Media Files (*.mp4)|*.mp4|All Files (*.*)|*.*||", this);
            dlg.GetOFN().lpstrInitialDir = _wcsdup(folder.c_str());
            dlg.DoModal();
        } else if (s == L"sheet") {
            CPropertyPage a(300), b(301);
            CCXPropertySheet sheet(L"Settings", this);
            sheet.AddPage(&a);
            sheet.AddPage(&b);
            sheet.DoModal();
        } else if (s == L"hover") {
            g_hover.Make(this);
        } else if (s == L"cv-tooltip" || s == L"cv-combo") {
            DemoConvertDlg dlg(s == L"cv-combo");
            dlg.DoModal();
        } else if (s == L"cv-formats") {
            ShowFormatManager();
        } else if (s == L"cv-preset") {
            ShowPresetDialog();
        } else if (s == L"cv-format-settings") {
            ShowFormatSettings();
        } else if (s == L"cv-settings") {
            ShowSettingsDialog();
        } else if (s == L"cv-file-exists") {
            AskFileExists();
        }
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CDemoFrame, CAppMainWnd)
    ON_MESSAGE(WM_RUN_SCENE, &CDemoFrame::OnRunScene)
END_MESSAGE_MAP()

class CDemoApp : public CWinApp {
public:
    CDemoApp() : CWinApp(L"Kavri Video Player") {}
    BOOL InitInstance() override
    {
        SetRegistryKey(L"Kavri Helper");
        SetAppSettings(&g_settings);
        SetUpdateCheckUI(&g_updateUI);
        ShellCalls().pfnShellExecute = &NoShell;  // a shot opens nothing
        CDemoFrame* pFrame = new CDemoFrame;
        pFrame->m_strScene = m_lpCmdLine;
        pFrame->m_strScene.Trim();
        if (!pFrame->Create(nullptr, L"Kavri Video Player", WS_OVERLAPPEDWINDOW))
            return FALSE;
        m_pMainWnd = pFrame;
        pFrame->ShowWindow(SW_SHOW);
        pFrame->UpdateWindow();
        pFrame->PostMessage(WM_RUN_SCENE);
        return TRUE;
    }
    int ExitInstance() override
    {
        EndUpdateChecks(5000);
        SetUpdateCheckUI(nullptr);
        SetAppSettings(nullptr);
        return CWinApp::ExitInstance();
    }
};

CDemoApp theApp;

}  // namespace
