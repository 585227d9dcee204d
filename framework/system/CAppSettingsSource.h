// CAppSettingsSource: what the framework reads from, and writes back to, the program's own
// settings object. Each program implements it and installs it at start-up, so the framework
// depends on no program's code. Called on the window thread only.
#pragma once
#include "classlib/CString.h"

class CAppSettingsSource {
public:
    virtual ~CAppSettingsSource() = default;

    virtual CString GetProductName() const = 0;  // shown to the user, e.g. "Kavri Video Player"
    virtual CString GetVersion() const = 0;      // e.g. "7.3.0"
    virtual CString GetUpdateManifestUrl() const = 0;
    virtual CString GetProductPageUrl() const = 0;

    virtual int GetAutoCheckUpdate() const = 0;  // 1: check for updates at start-up
    virtual void SetAutoCheckUpdate(int nValue) = 0;
    virtual int GetAutoCheckUpdateDays() const = 0;
};

// The installed source, or null before the program installs one. The program keeps the object
// alive until it installs null again at exit.
void SetAppSettingsSource(CAppSettingsSource* pSource);
CAppSettingsSource* GetAppSettingsSource();
