// What the framework reads of the program it runs in, and the few choices it hands back to the
// program's settings object. Each program hands one to SetAppSettings at start-up, so the
// framework never includes a program's own code. Used on the window thread.
#pragma once
#include "classlib/CString.h"

class IAppSettings {
public:
    virtual ~IAppSettings() = default;
    virtual CString GetVersionText() const = 0;         // "7.3.0"
    virtual CString GetSupportMailAddress() const = 0;  // the maker's support mailbox
    virtual CString GetProductName() const = 0;         // shown to the user: "Kavri Video Player"
    virtual CString GetUpdateManifestUrl() const = 0;
    virtual CString GetProductPageUrl() const = 0;

    // "AutoCheckUpdate": 1 checks for updates at start-up; the update dialogs may change it.
    virtual int GetAutoCheckUpdate() const = 0;
    virtual void SetAutoCheckUpdate(int nValue) = 0;
    virtual int GetAutoCheckUpdateDays() const = 0;  // "AutoCheckUpdateDays"
};

// The object stays the caller's; null (the state before start-up) unsets it.
void SetAppSettings(IAppSettings* pSettings);
IAppSettings* GetAppSettings();
