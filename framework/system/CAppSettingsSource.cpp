#include "framework/system/CAppSettingsSource.h"

namespace {
CAppSettingsSource* g_pAppSettingsSource = nullptr;
}

void SetAppSettingsSource(CAppSettingsSource* pSource)
{
    g_pAppSettingsSource = pSource;
}

CAppSettingsSource* GetAppSettingsSource()
{
    return g_pAppSettingsSource;
}
