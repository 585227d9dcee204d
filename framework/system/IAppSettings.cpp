#include "framework/system/IAppSettings.h"

namespace {

IAppSettings* g_pSettings = nullptr;

}  // namespace

void SetAppSettings(IAppSettings* pSettings)
{
    g_pSettings = pSettings;
}

IAppSettings* GetAppSettings()
{
    return g_pSettings;
}

bool SaveAppProfile(HWND hWndOwner)
{
    if (!g_pSettings || g_pSettings->SaveProfile())
        return true;
    MessageBoxW(hWndOwner, L"The settings could not be saved.", g_pSettings->GetProductName(), MB_OK | MB_ICONWARNING);
    return false;
}
