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
