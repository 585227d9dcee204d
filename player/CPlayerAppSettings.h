// What the framework reads of the player (IAppSettings): its name, version and addresses, the
// update-check choice, the main window's placement and always-on-top, all from the player's
// settings, and the save of those settings and the player's history.
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
    int GetAlwaysOnTop() const override;
    void SetAlwaysOnTop(int nValue) override;
    // The settings, then the recent lists and file types.
    bool SaveProfile() override;
};

extern CPlayerAppSettings g_playerAppSettings;
