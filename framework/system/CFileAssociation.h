// A file type of the program: its ProgID registered for the current user, and an extension
// made to open with it, keeping the previous owner so it can be given back.
//
// On Windows Vista and later the keys live under HKEY_CURRENT_USER\Software\Classes, on older
// systems directly under HKEY_CLASSES_ROOT:
//   <extension>                      default value: the ProgID
//   <ProgID>                         default value: the description
//   <ProgID>\DefaultIcon             default value: "<program>,<icon index>"
//   <ProgID>\shell\open\command      default value: "\"<program>\" \"%1\""
#pragma once
#include "classlib/CString.h"

class CFileAssociation {
public:
    // nIconIndex -1 registers no icon.
    CFileAssociation(LPCWSTR pszExtension, LPCWSTR pszProgID, LPCWSTR pszDescription, int nIconIndex);
    virtual ~CFileAssociation() = default;

    // Every operation answers 0 at once while the extension or the ProgID is empty.
    virtual BOOL IsAssociated();
    // strPreviousValue receives the extension's owner before the call (empty when none).
    // Whether the extension now names this ProgID.
    virtual BOOL Associate(CString& strPreviousValue);
    // Only while associated (else 0): gives the extension back to a previous owner other than
    // this ProgID, or else takes away only this ProgID's value, removing the extension's key
    // when nothing else is left in it. 1.
    virtual int Restore(LPCWSTR pszPreviousValue);
    virtual BOOL IsRegistered();
    // The result of the last write; 0 at the first that fails.
    virtual BOOL Register(LPCWSTR pszProgramPath);
    virtual int Unregister();  // 1

    CString m_strExtension;  // with its dot, e.g. ".playlist"
    CString m_strProgID;
    CString m_strDescription;
    int m_nIconIndex;
    BOOL m_bAssociated = FALSE;  // cached by the settings page
    BOOL m_bRegistered = FALSE;

private:
    bool IsUsable() const { return !m_strExtension.IsEmpty() && !m_strProgID.IsEmpty(); }
    CString IconText(LPCWSTR pszProgramPath) const;
};

// The key's default value, up to 1024 characters; false when it cannot be read.
bool ReadRegistryDefault(HKEY hRoot, LPCWSTR pszKey, CString& strValue);
// A string value; the default value when pszName is null. Creates the key as needed.
bool WriteRegistryString(HKEY hRoot, LPCWSTR pszKey, LPCWSTR pszValue, LPCWSTR pszName);
// Deletes the key when it has no subkey, then each parent in turn while it is empty (no subkey
// and no value). 1.
int DeleteKeyAndEmptyParents(HKEY hRoot, LPCWSTR pszKey);
