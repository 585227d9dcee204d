// What the framework reads of the player (IAppSettings): its name, version and addresses, the
// update-check choice and the main window's placement, all from the player's settings.
#pragma once
#include "framework/system/CProductAppSettings.h"

class CPlayerAppSettings : public CProductAppSettings {
public:
    CPlayerAppSettings();

    int GetAutoCheckUpdate() const override;
    void SetAutoCheckUpdate(int nValue) override;
    int GetAutoCheckUpdateDays() const override;
    CMainWindowPlacement GetMainWindowPlacement() const override;
    void SetMainWindowPlacement(const CMainWindowPlacement& placement) override;
};

extern CPlayerAppSettings g_playerAppSettings;
