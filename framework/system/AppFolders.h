// Where the programs live and keep their data, and fresh temporary names. The application's
// name and its profile come from the class library's application object.
#pragma once
#include "classlib/CString.h"

CString GetModulePath();  // the program file's full path

// The profile string "AppFolder" (directly under the application's key) when set, else the
// program file's folder.
CString GetAppFolder();

// <application data>\Kavri Helper\<application name>, created when missing; the application
// folder when the shell has no application-data folder.
CString GetDataFolder();

// The external tools' folder: <application folder>\Components when it exists, else
// <application folder>\Modules.
CString GetComponentsFolder();

// The temporary folder followed by a fresh GUID name, no extension; empty on failure.
CString GetUniqueTempPath();
