// Path pieces, short and long path forms, file sizes and folder creation. None of them is
// limited to the classic path length; a path that the system cannot take gives a failure,
// never an action on a cut path. '/' separates folders as '\' does; pieces keep the
// separators as given.
#pragma once
#include "classlib/CString.h"

CString GetFolderOfPath(LPCWSTR pszPath);    // empty when there is no file part to remove
CString GetFileExtension(LPCWSTR pszPath);   // without its "."
// The extension may be given with or without its "."; the path gains one when it has none.
CString ChangeFileExtension(LPCWSTR pszPath, LPCWSTR pszExtension);

// 0, or -1 when the system cannot give the other form (the output is then empty).
int GetShortPath(LPCWSTR pszPath, CString& strShort);
int GetLongPath(LPCWSTR pszPath, CString& strLong);

LONGLONG GetFileSize64(LPCWSTR pszPath);  // -1 on failure

// Whether a file or folder of that name exists; false for a null or empty path.
bool PathExists(LPCWSTR pszPath);
// Whether a folder of that name exists; false for a file, a null or an empty path.
bool FolderExists(LPCWSTR pszPath);
// Whether a file of that name exists; false for a folder, a null or an empty path.
bool FileExists(LPCWSTR pszPath);

// Creates the folder and every missing folder above it; '/' counts as '\'. -1 for a root,
// 1 when the path already exists, -1 when the folder does not exist afterwards, else 0.
int CreateFolderTree(LPCWSTR pszPath);

// The local path a "file:" URL names ("file:///C:/a%20b.mp4" gives "C:\a b.mp4", a host other
// than "localhost" a "\\host\..." path), its escapes decoded as UTF-8; empty for any other text
// and for a URL whose escapes decode to no path.
CString FileUrlToPath(LPCWSTR pszUrl);
