#include "conversion/engine/UniqueFileName.h"
#include "framework/system/PathHelpers.h"
#include "framework/text/LongPath.h"

namespace {

// Names that other tasks hold at the same time; beyond this many something else is wrong.
const int kMostCreateTries = 1000;

// One separator between folder and name, also after a root such as "D:\\".
CString PathOf(LPCWSTR folder, const CString& title, const CString& extension)
{
    CString path(folder);
    wchar_t last = path[path.GetLength() - 1];
    if (!path.IsEmpty() && last != L'\\' && last != L'/')
        path += L'\\';
    path += title;
    if (!extension.IsEmpty())
        path += L"." + extension;
    return path;
}

// The first path of the series for which create succeeds; a name taken (also by a folder, or a
// file on its way out) moves on to the next.
template <class Create>
CString CreateFirstFree(LPCWSTR folder, LPCWSTR title, LPCWSTR extension, Create create)
{
    CString bareExtension(extension);
    bareExtension.TrimLeft(L'.');
    CString name(title);
    for (int n = 1; n <= kMostCreateTries; ++n) {
        CString path = PathOf(folder, name, bareExtension);
        if (create(ExtendedLengthPath(path)))
            return path;
        DWORD error = GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS && error != ERROR_ACCESS_DENIED)
            break;
        name.Format(L"%s (%d)", title, n);
    }
    return CString();
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

CString CreateUniqueFile(LPCWSTR folder, LPCWSTR title, LPCWSTR extension)
{
    return CreateFirstFree(folder, title, extension, [](LPCWSTR path) {
        HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return false;
        CloseHandle(file);
        return true;
    });
}

CString CreateUniqueFolder(LPCWSTR folder, LPCWSTR name)
{
    return CreateFirstFree(folder, name, L"", [](LPCWSTR path) { return CreateDirectoryW(path, nullptr) != FALSE; });
}
