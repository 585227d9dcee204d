// Starting update checks and ending them with the program.
//
// StartUpdateCheck and EndUpdateChecks are called on the window thread. Each check runs on a
// thread of its own; when it is done, the window thread (in whatever message loop it is) takes
// the check back: the "check automatically" choice goes to the settings (IAppSettings) and the check's
// objects are freed there. The application calls EndUpdateChecks before it saves its settings
// at exit, so no check outlives it.
#pragma once
#include <windows.h>
#include <time.h>

// Whether a check is due at now after one at last: interval 0 always; 1 when now falls on
// another local calendar day; n >= 2 once more than n - 1 whole days have passed; a negative
// interval never.
bool IsUpdateCheckDue(time_t now, time_t last, int nIntervalDays);

// 1 when an automatic check is not due yet; 0 when a check was started (the profile's
// "Settings" "LastUpdateCheck" then holds the current time); -1 when its thread could not start.
int StartUpdateCheck(LPCWSTR pszManifestUrl, LPCWSTR pszCurrentVersion, int nIntervalDays, BOOL bAutomatic);

// Cancels every running check, closes its dialogs and waits up to dwTimeoutMs for the threads.
// Returns how many are still running; their objects are left to the ending process.
int EndUpdateChecks(DWORD dwTimeoutMs);

// Checks started and not yet taken back by the window thread.
int GetPendingUpdateChecks();
