// Shell actions of both programs: Explorer, deleting files (to the Recycle Bin), mail, shutting
// Windows down, the user's video folder; and the paths of a drop. The outside calls go through
// ShellCalls().
#pragma once
#include "classlib/CArray.h"
#include "classlib/CString.h"
#include <shellapi.h>

// Appends the paths of a drop in their order, each at its full length (longer than MAX_PATH
// too); a path the drop does not give, or gives empty, is left out. The drop is not finished.
void GetDroppedPaths(HDROP hDrop, CStringArray& paths);

// Opens an Explorer window with the file selected. 0.
int ShowInExplorer(LPCWSTR pszPath);
// The same with Explorer's parameters made from the format and the path: "/select,\"%s\""
// selects the file, "/e,\"%s\"" opens the folder itself. 0.
int ShowInExplorer(LPCWSTR pszPath, LPCWSTR pszParameterFormat);

// Deletes the file with the shell (FOF_ALLOWUNDO in the flags sends it to the Recycle Bin).
// 0 done, 1 when the user aborted, -1 on error or for a path longer than 1023 characters.
int ShellDeleteFile(LPCWSTR pszPath, FILEOP_FLAGS fFlags, HWND hWndOwner);

// Enables the shutdown privilege and asks Windows to end with the ExitWindowsEx flags.
// 0 when the privilege cannot be had, else ExitWindowsEx's result.
int ShutdownWindows(UINT uFlags);

// Opens the mail handler with a new message; subject and body are percent-encoded (UTF-8).
// Without a body the address takes only the subject. 0.
int OpenMailto(LPCWSTR pszAddress, LPCWSTR pszSubject, LPCWSTR pszBody = nullptr);

// A mail to the maker's support address, subject "About <application name> <version>".
// -1 while the program has not set its settings (IAppSettings), else 0.
int MailSupport();

CString GetMyVideosFolder(bool bCreate);  // empty when the shell has none
