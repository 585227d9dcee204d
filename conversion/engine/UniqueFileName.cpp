#include "conversion/engine/UniqueFileName.h"
#include "framework/system/PathHelpers.h"

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
    for (int n = 1; PathExists(PathOf(folder, name, bareExtension)); ++n)
        name.Format(L"%s (%d)", title, n);
    return name;
}

CString MakeUniqueFilePath(LPCWSTR folder, LPCWSTR title, LPCWSTR extension)
{
    CString bareExtension(extension);
    bareExtension.TrimLeft(L'.');
    return PathOf(folder, MakeUniqueFileName(folder, title, extension), bareExtension);
}

bool IsUsableFileTitle(LPCWSTR title)
{
    CString text(title);
    if (CString(text).Trim().IsEmpty())
        return false;
    for (int i = 0; i < text.GetLength(); ++i) {
        if (text[i] < 32 || wcschr(L"\\/:*?\"<>|", text[i]))
            return false;
    }
    return true;
}
