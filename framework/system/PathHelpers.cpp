#include "framework/system/PathHelpers.h"
#include "framework/text/CodePage.h"
#include "framework/text/LongPath.h"
#include <shlwapi.h>
#include <wchar.h>

namespace {

// Runs a "path in, required length out" call with a buffer of the length it asks for.
template <class Call>
int QueryPath(LPCWSTR pszPath, CString& strOut, Call call)
{
    strOut.Empty();
    if (!pszPath || !*pszPath)
        return -1;
    DWORD nNeeded = call(pszPath, nullptr, 0);
    if (nNeeded == 0)
        return -1;
    DWORD nLength = call(pszPath, strOut.GetBuffer(nNeeded), nNeeded);
    if (nLength == 0 || nLength >= nNeeded || wcslen(strOut) != nLength) {
        strOut.ReleaseBuffer(0);
        return -1;
    }
    strOut.ReleaseBuffer(nLength);
    return 0;
}

// The extension's dot, or the end of the path; a dot before a '/' belongs to a folder.
LPCWSTR FindExtension(LPCWSTR pszPath)
{
    LPCWSTR pszExtension = PathFindExtensionW(pszPath);
    return wcschr(pszExtension, L'/') ? pszPath + wcslen(pszPath) : pszExtension;
}

DWORD AttributesOf(LPCWSTR pszPath)
{
    if (!pszPath || !*pszPath)
        return INVALID_FILE_ATTRIBUTES;
    return GetFileAttributesW(ExtendedLengthPath(pszPath));
}

}  // namespace

CString GetFolderOfPath(LPCWSTR pszPath)
{
    CString strFolder(pszPath);
    if (strFolder.IsEmpty())
        return strFolder;
    CString strSearch(strFolder);
    strSearch.Replace(L'/', L'\\');
    BOOL bRemoved = PathRemoveFileSpecW(strSearch.GetBuffer(0));
    strSearch.ReleaseBuffer();
    return bRemoved ? strFolder.Left(strSearch.GetLength()) : CString();
}

CString GetFileExtension(LPCWSTR pszPath)
{
    if (!pszPath)
        return CString();
    LPCWSTR pszExtension = FindExtension(pszPath);
    return *pszExtension == L'.' ? pszExtension + 1 : pszExtension;
}

CString ChangeFileExtension(LPCWSTR pszPath, LPCWSTR pszExtension)
{
    CString strPath(pszPath);
    CString strExtension(pszExtension);
    if (strExtension[0] != L'.')
        strExtension = L'.' + strExtension;
    int nStart = static_cast<int>(FindExtension(strPath) - static_cast<LPCWSTR>(strPath));
    return strPath.Left(nStart) + strExtension;
}

int GetShortPath(LPCWSTR pszPath, CString& strShort)
{
    return QueryPath(pszPath, strShort, GetShortPathNameW);
}

int GetLongPath(LPCWSTR pszPath, CString& strLong)
{
    return QueryPath(pszPath, strLong, GetLongPathNameW);
}

bool PathExists(LPCWSTR pszPath)
{
    return AttributesOf(pszPath) != INVALID_FILE_ATTRIBUTES;
}

bool FolderExists(LPCWSTR pszPath)
{
    DWORD dwAttributes = AttributesOf(pszPath);
    return dwAttributes != INVALID_FILE_ATTRIBUTES && (dwAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool FileExists(LPCWSTR pszPath)
{
    DWORD dwAttributes = AttributesOf(pszPath);
    return dwAttributes != INVALID_FILE_ATTRIBUTES && !(dwAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

LONGLONG GetFileSize64(LPCWSTR pszPath)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!pszPath || !*pszPath || !GetFileAttributesExW(ExtendedLengthPath(pszPath), GetFileExInfoStandard, &data))
        return -1;
    return (static_cast<LONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

int CreateFolderTree(LPCWSTR pszPath)
{
    CString strPath(pszPath);
    if (strPath.IsEmpty())
        return -1;
    strPath.Replace(L'/', L'\\');
    if (PathIsRootW(strPath))
        return -1;
    if (PathExists(strPath))
        return 1;
    // Folders that exist already (and the drive or share) simply fail here.
    for (int i = strPath.Find(L'\\', 1); i > 0; i = strPath.Find(L'\\', i + 1))
        CreateDirectoryW(ExtendedLengthPath(strPath.Left(i)), nullptr);
    CreateDirectoryW(ExtendedLengthPath(strPath), nullptr);
    return PathExists(strPath) ? 0 : -1;
}

namespace {

int HexValue(char ch)
{
    if (ch >= '0' && ch <= '9')
        return ch - '0';
    if (ch >= 'a' && ch <= 'f')
        return ch - 'a' + 10;
    if (ch >= 'A' && ch <= 'F')
        return ch - 'A' + 10;
    return -1;
}

// The URL's path part with "%XX" escapes decoded, as UTF-8 (else the ANSI code page); empty
// when an escape is malformed or decodes to a control character.
CString DecodeUrlPath(LPCWSTR pszPath)
{
    CStringA bytes = WideToUtf8(pszPath);
    CStringA decoded;
    for (int i = 0; i < bytes.GetLength(); ++i) {
        char ch = bytes[i];
        if (ch == '%') {
            int high = i + 2 < bytes.GetLength() ? HexValue(bytes[i + 1]) : -1;
            int low = high >= 0 ? HexValue(bytes[i + 2]) : -1;
            if (low < 0)
                return CString();
            ch = static_cast<char>(high * 16 + low);
            i += 2;
        }
        if (static_cast<unsigned char>(ch) < 0x20)
            return CString();
        decoded += ch;
    }
    if (IsValidUtf8(decoded, decoded.GetLength()))
        return Utf8ToWide(decoded, decoded.GetLength());
    CString text;
    AnsiToWide(decoded, text);
    return text;
}

}  // namespace

CString FileUrlToPath(LPCWSTR pszUrl)
{
    if (!pszUrl || _wcsnicmp(pszUrl, L"file:", 5) != 0)
        return CString();
    CString rest = pszUrl + 5;
    CString host;
    if (rest.Left(2) == L"//") {
        int slash = rest.Find(L'/', 2);
        host = slash < 0 ? rest.Mid(2) : rest.Mid(2, slash - 2);
        rest = slash < 0 ? CString() : rest.Mid(slash);
    }
    // "file://C:/..." puts the drive where the host belongs.
    if (host.GetLength() == 2 && iswalpha(host[0]) && (host[1] == L':' || host[1] == L'|')) {
        rest = L"/" + host + rest;
        host.Empty();
    }
    if (host.CompareNoCase(L"localhost") == 0)
        host.Empty();
    // "/C:/..." names a drive; the leading slash belongs to the URL, not to the path.
    if (host.IsEmpty() && rest.GetLength() >= 3 && rest[0] == L'/' && iswalpha(rest[1]) &&
        (rest[2] == L':' || rest[2] == L'|'))
        rest = rest.Mid(1, 1) + L":" + rest.Mid(3);
    CString path = DecodeUrlPath(rest);
    if (path.IsEmpty())
        return path;
    path.Replace(L'/', L'\\');
    return host.IsEmpty() ? path : L"\\\\" + host + path;
}
