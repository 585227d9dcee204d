// The form of a path that file calls accept beyond the classic length limit.
#pragma once
#include "classlib/CString.h"

// A path whose full form is too long for the classic calls (directories stop at 248
// characters) comes back full and prefixed: "\\?\C:\..." or "\\?\UNC\server\share\...".
// Shorter paths, and paths already in a "\\?\" or "\\.\" form, come back as given.
CString ExtendedLengthPath(LPCWSTR pszPath);
