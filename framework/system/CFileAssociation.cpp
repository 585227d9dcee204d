#include "framework/system/CFileAssociation.h"
#include "classlib/AfxModule.h"
#include "framework/system/COSInfo.h"
#include "common/OwnedHandle.h"
#include <shellapi.h>

namespace {

const int kMaxDefaultValue = 1024;

// Vista and later keep per-user classes, which need no administrator rights.
bool UsesUserClasses()
{
    return COSInfo::Get().IsVistaOrLater();
}

HKEY ClassesRoot()
{
    return UsesUserClasses() ? HKEY_CURRENT_USER : HKEY_CLASSES_ROOT;
}

CString ClassKey(const CString& name)
{
    if (!UsesUserClasses())
        return name;
    CString key;
    key.Format(L"Software\\Classes\\%s", static_cast<LPCWSTR>(name));
    return key;
}

bool HasSubkey(HKEY hKey)
{
    wchar_t name[MAX_PATH];
    return RegEnumKeyW(hKey, 0, name, MAX_PATH) == ERROR_SUCCESS;
}

bool HasValue(HKEY hKey)
{
    DWORD dwValues = 0;
    return RegQueryInfoKeyW(hKey, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &dwValues, nullptr,
                            nullptr, nullptr, nullptr) != ERROR_SUCCESS ||
           dwValues > 0;
}

// Deletes the key when it opens and holds no subkey (and, unless bValuesAllowed, no value).
bool DeleteKeyIfBare(HKEY hRoot, const CString& path, bool bValuesAllowed)
{
    OwnedRegKey key;
    if (RegOpenKeyExW(hRoot, path, 0, KEY_READ, key.Receive()) != ERROR_SUCCESS)
        return false;
    bool bBare = !HasSubkey(key.Get()) && (bValuesAllowed || !HasValue(key.Get()));
    key.Reset();
    return bBare && RegDeleteKeyW(hRoot, path) == ERROR_SUCCESS;
}

// Removes the key's default value; true when the key then holds nothing at all.
bool DeleteDefaultValue(HKEY hRoot, const CString& path)
{
    OwnedRegKey key;
    if (RegOpenKeyExW(hRoot, path, 0, KEY_READ | KEY_SET_VALUE, key.Receive()) != ERROR_SUCCESS)
        return false;
    RegDeleteValueW(key.Get(), nullptr);
    return !HasSubkey(key.Get()) && !HasValue(key.Get());
}

}  // namespace

bool ReadRegistryDefault(HKEY hRoot, LPCWSTR pszKey, CString& strValue)
{
    LONG cb = kMaxDefaultValue * sizeof(wchar_t);
    LONG lResult = RegQueryValueW(hRoot, pszKey, strValue.GetBuffer(kMaxDefaultValue), &cb);
    strValue.ReleaseBuffer(lResult == ERROR_SUCCESS ? -1 : 0);
    return lResult == ERROR_SUCCESS;
}

bool WriteRegistryString(HKEY hRoot, LPCWSTR pszKey, LPCWSTR pszValue, LPCWSTR pszName)
{
    if (!pszName)
        return RegSetValueW(hRoot, pszKey, REG_SZ, pszValue, 0) == ERROR_SUCCESS;
    OwnedRegKey key;
    if (RegCreateKeyW(hRoot, pszKey, key.Receive()) != ERROR_SUCCESS)
        return false;
    DWORD cb = static_cast<DWORD>((wcslen(pszValue) + 1) * sizeof(wchar_t));
    return RegSetValueExW(key.Get(), pszName, 0, REG_SZ, reinterpret_cast<const BYTE*>(pszValue), cb) == ERROR_SUCCESS;
}

int DeleteKeyAndEmptyParents(HKEY hRoot, LPCWSTR pszKey)
{
    CString path(pszKey);
    // The key itself is the caller's to remove with its values; its parents only when empty.
    bool bValuesAllowed = true;
    while (!path.IsEmpty() && DeleteKeyIfBare(hRoot, path, bValuesAllowed)) {
        int nSlash = path.ReverseFind(L'\\');
        if (nSlash < 0)
            break;
        path = path.Left(nSlash);
        bValuesAllowed = false;
    }
    return 1;
}

CFileAssociation::CFileAssociation(LPCWSTR pszExtension, LPCWSTR pszProgID, LPCWSTR pszDescription,
                                   int nIconIndex)
    : m_strExtension(pszExtension), m_strProgID(pszProgID), m_strDescription(pszDescription),
      m_nIconIndex(nIconIndex)
{
}

BOOL CFileAssociation::IsAssociated()
{
    CString owner;
    return IsUsable() && ReadRegistryDefault(ClassesRoot(), ClassKey(m_strExtension), owner) &&
           owner == m_strProgID;
}

BOOL CFileAssociation::Associate(CString& strPreviousValue)
{
    strPreviousValue.Empty();
    if (!IsUsable())
        return FALSE;
    ReadRegistryDefault(ClassesRoot(), ClassKey(m_strExtension), strPreviousValue);
    Restore(L"");
    return WriteRegistryString(ClassesRoot(), ClassKey(m_strExtension), m_strProgID, nullptr);
}

int CFileAssociation::Restore(LPCWSTR pszPreviousValue)
{
    if (!IsAssociated())
        return 0;
    CString previous(pszPreviousValue);
    const CString key = ClassKey(m_strExtension);
    if (!previous.IsEmpty() && previous != m_strProgID)
        WriteRegistryString(ClassesRoot(), key, previous, nullptr);
    else if (DeleteDefaultValue(ClassesRoot(), key))
        DeleteKeyAndEmptyParents(ClassesRoot(), key);
    return 1;
}

BOOL CFileAssociation::IsRegistered()
{
    CString description;
    return IsUsable() && ReadRegistryDefault(ClassesRoot(), ClassKey(m_strProgID), description) &&
           description == m_strDescription;
}

BOOL CFileAssociation::Register(LPCWSTR pszProgramPath)
{
    if (!IsUsable())
        return FALSE;
    const HKEY hRoot = ClassesRoot();
    if (!WriteRegistryString(hRoot, ClassKey(m_strProgID), m_strDescription, nullptr))
        return FALSE;
    if (m_nIconIndex != -1 &&
        !WriteRegistryString(hRoot, ClassKey(m_strProgID + L"\\DefaultIcon"), IconText(pszProgramPath), nullptr))
        return FALSE;
    CString command;
    command.Format(L"\"%s\" \"%%1\"", pszProgramPath);
    CString commandKey;
    commandKey.Format(L"%s\\shell\\open\\%s", static_cast<LPCWSTR>(m_strProgID), L"command");
    return WriteRegistryString(hRoot, ClassKey(commandKey), command, nullptr);
}

int CFileAssociation::Unregister()
{
    if (!IsUsable())
        return 0;
    const HKEY hRoot = ClassesRoot();
    DeleteKeyAndEmptyParents(hRoot, ClassKey(m_strProgID + L"\\DefaultIcon"));
    DeleteKeyAndEmptyParents(hRoot, ClassKey(m_strProgID + L"\\shell\\open\\command"));
    DeleteKeyAndEmptyParents(hRoot, ClassKey(m_strProgID));
    return 1;
}

// "<program>,<index>" when the program holds that icon, else "<program>,0".
CString CFileAssociation::IconText(LPCWSTR pszProgramPath) const
{
    int nIndex = 0;
    HICON hIcon = ExtractIconW(AfxGetInstanceHandle(), pszProgramPath, static_cast<UINT>(m_nIconIndex));
    // 1 means the file is no program or icon file at all.
    if (hIcon && hIcon != reinterpret_cast<HICON>(1)) {
        DestroyIcon(hIcon);
        nIndex = m_nIconIndex;
    }
    CString text;
    text.Format(L"%s,%d", pszProgramPath, nIndex);
    return text;
}
