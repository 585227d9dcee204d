// What the framework reads of the program it runs in. Each program hands one to
// SetAppSettings at start-up, so the framework never includes a program's own code.
#pragma once
#include "classlib/CString.h"

class IAppSettings {
public:
    virtual ~IAppSettings() = default;
    virtual CString GetVersionText() const = 0;         // "7.3.0"
    virtual CString GetSupportMailAddress() const = 0;  // the maker's support mailbox
};

// The object stays the caller's; null (the state before start-up) unsets it.
void SetAppSettings(IAppSettings* pSettings);
IAppSettings* GetAppSettings();
