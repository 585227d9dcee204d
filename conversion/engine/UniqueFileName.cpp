#include "conversion/engine/UniqueFileName.h"

namespace {

CString PathOf(LPCWSTR folder, const CString& title, const CString& extension)
{
    CString path;
    path.Format(L"%s\\%s.%s", folder, static_cast<LPCWSTR>(title), static_cast<LPCWSTR>(extension));
    return path;
}

}  // namespace

CString MakeUniqueFileName(LPCWSTR folder, LPCWSTR title, LPCWSTR extension)
{
    CString bareExtension(extension);
    bareExtension.TrimLeft(L'.');
    CString name(title);
    for (int n = 1; GetFileAttributesW(PathOf(folder, name, bareExtension)) != INVALID_FILE_ATTRIBUTES; ++n)
        name.Format(L"%s (%d)", title, n);
    return name;
}

CString MakeUniqueFilePath(LPCWSTR folder, LPCWSTR title, LPCWSTR extension)
{
    CString bareExtension(extension);
    bareExtension.TrimLeft(L'.');
    return PathOf(folder, MakeUniqueFileName(folder, title, extension), bareExtension);
}
