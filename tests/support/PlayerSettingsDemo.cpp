// The player's Settings sheet and "File Type" dialog to look at (scripts/screenshots
// player-settings-demo ...). The program keeps its registry in a scratch key of its own (the
// suites' sandbox), where .mp4 and .avi already open with the player; its window "Player
// Settings Demo" opens the sheet with command 1101 and the "File Type" dialog alone with 1104.
#include "classlib/Afx.h"
#include "framework/system/AppFolders.h"
#include "player/dialogs/CNewFileTypeDlg.h"
#include "player/CPlayerHistory.h"
#include "player/CPlayerSettings.h"
#include "player/CPlayerUIResources.h"
#include "player/dialogs/CSettingsSheet.h"
#include "tests/framework/RegistrySandbox.h"
#include <memory>

namespace {

const UINT kSettings = 1101;
const UINT kFileType = 1104;

class CDemoWnd : public CWnd {
public:
    BOOL Make()
    {
        HBRUSH hBack = ::CreateSolidBrush(RGB(0x20, 0x20, 0x20));
        LPCWSTR cls = AfxRegisterWndClass(0, ::LoadCursorW(nullptr, IDC_ARROW), hBack);
        return CreateEx(0, cls, L"Player Settings Demo", WS_OVERLAPPEDWINDOW, 30, 30, 760, 560, nullptr, nullptr);
    }

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        switch (LOWORD(wParam)) {
        case kSettings: {
            CSettingsSheet sheet(this);
            if (sheet.DoModal() == IDOK) {
                g_playerSettings.Save();
                g_playerHistory.Save();
            }
            return TRUE;
        }
        case kFileType: {
            CNewFileTypeDlg dlg(this);
            dlg.DoModal();
            return TRUE;
        }
        }
        return CWnd::OnCommand(wParam, lParam);
    }
    void PostNcDestroy() override { ::PostQuitMessage(0); }
};

// Two of the player's types already open with it, as after an earlier visit to the page.
void AssociateSomeTypes()
{
    for (LPCWSTR extension : {L".mp4", L".avi"}) {
        for (int i = 0; i < g_playerHistory.m_fileTypes.GetSize(); ++i) {
            CFileAssociation* pType = g_playerHistory.m_fileTypes[i];
            if (pType->m_strExtension != extension)
                continue;
            CString previous;
            pType->Register(GetModulePath());
            pType->Associate(previous);
        }
    }
}

class CDemoApp : public CWinApp {
public:
    CDemoApp() : CWinApp(L"Kavri Video Player") {}
    BOOL InitInstance() override
    {
        m_sandbox.reset(new RegistrySandbox);
        SetRegistryKey(L"Kavri Helper");
        g_playerUIResources.Load();
        g_playerSettings.Load();
        g_playerHistory.Load();
        g_playerHistory.AddRecentFile(L"C:\\Users\\Public\\Videos\\Harbour at Dawn.mp4");
        AssociateSomeTypes();
        auto* pWnd = new CDemoWnd;
        if (!pWnd->Make())
            return FALSE;
        m_pMainWnd = pWnd;
        pWnd->ShowWindow(SW_SHOW);
        pWnd->UpdateWindow();
        return TRUE;
    }
    int ExitInstance() override
    {
        m_sandbox.reset();
        return CWinApp::ExitInstance();
    }

private:
    std::unique_ptr<RegistrySandbox> m_sandbox;
};

CDemoApp theApp;

}  // namespace
