// Free names for new files: "<title>.<ext>", else "<title> (1).<ext>", "<title> (2).<ext>" ...
#pragma once
#include "classlib/CString.h"

// The first free title: the title itself, else "<title> (n)" for n = 1, 2, 3 ...; leading dots
// of the extension are ignored.
CString MakeUniqueFileName(LPCWSTR folder, LPCWSTR title, LPCWSTR extension);
// The same search, giving the whole path "<folder>\<title>.<ext>".
CString MakeUniqueFilePath(LPCWSTR folder, LPCWSTR title, LPCWSTR extension);
// Whether a typed title can name a file: not blank, no control characters and none of
// \ / : * ? " < > |.
bool IsUsableFileTitle(LPCWSTR title);
// The first path of the same series that this call creates itself, empty and exclusively, so
// that no file of anyone else is ever taken over; empty when no such file can be created.
CString CreateUniqueFile(LPCWSTR folder, LPCWSTR title, LPCWSTR extension);
// The same for a folder "<folder>\<name>", "<name> (1)" ...
CString CreateUniqueFolder(LPCWSTR folder, LPCWSTR name);
