// The program's settings as the update checks and their dialogs see them; records on which
// thread "check automatically" is written.
#pragma once
#include "framework/system/IAppSettings.h"

class FakeSettings : public IAppSettings {
public:
    CString GetVersionText() const override { return L"7.3.0"; }
    CString GetSupportMailAddress() const override { return L""; }
    CString GetProductName() const override { return L"Kavri Test Player"; }
    CString GetUpdateManifestUrl() const override { return L""; }
    CString GetProductPageUrl() const override { return L""; }
    CString GetWebSiteUrl() const override { return L""; }
    CMainWindowPlacement GetMainWindowPlacement() const override { return CMainWindowPlacement(); }
    void SetMainWindowPlacement(const CMainWindowPlacement&) override {}
    int GetAutoCheckUpdate() const override { return m_nAutoCheck; }
    void SetAutoCheckUpdate(int nValue) override
    {
        m_nAutoCheck = nValue;
        m_nWrites++;
        m_dwWriterThread = GetCurrentThreadId();
    }
    int GetAutoCheckUpdateDays() const override { return 7; }

    int m_nAutoCheck = 1;
    int m_nWrites = 0;
    DWORD m_dwWriterThread = 0;
};
