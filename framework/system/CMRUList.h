// Most-recently-used lists kept in the program's profile (the application object's registry
// key): CMRUList for texts, CMRUFileList for file paths, which also fills a menu with them.
// Used on the window thread.
#pragma once
#include "classlib/CArray.h"
#include "classlib/CString.h"

class CCmdUI;
class CMenu;

class CMRUList {
public:
    CMRUList() = default;
    CMRUList(const CMRUList&) = delete;
    CMRUList& operator=(const CMRUList&) = delete;
    virtual ~CMRUList() = default;

    // Trimmed; puts the text first, dropping an equal entry and whatever passes the maximum.
    // An empty text is ignored.
    virtual void Add(LPCWSTR pszText);
    virtual void Remove(int nIndex);  // an index out of range is ignored
    // Both do nothing until the section and the entry format are set. Load replaces the list
    // with the section's non-empty entries. Save writes the entries over the stored ones and
    // then removes every other value of the section; when a write fails, the stored entries are put
    // back as they were and Save answers FALSE, so a failed save never loses the stored list.
    virtual void Load();
    virtual BOOL Save();
    virtual BOOL IsSameEntry(LPCWSTR pszA, LPCWSTR pszB) const;  // exact, case-sensitive

    int GetCount() const { return m_entries.GetSize(); }
    const CString& GetAt(int nIndex) const { return m_entries.GetAt(nIndex); }

    CStringArray m_entries;  // most recent first
    int m_nMaxEntries = 10;
    CString m_strSection;      // e.g. "Data\Recent Files"
    CString m_strEntryFormat;  // names entry n (1-based), e.g. "%02d"

protected:
    // Writes one entry of the section (a null value deletes it); FALSE when that fails.
    virtual BOOL WriteEntry(LPCWSTR pszEntry, LPCWSTR pszValue);
    void CutToMaximum();
    CString EntryName(int nNumber) const;

private:
    BOOL RemoveOtherValues();
    BOOL IsEntryName(LPCWSTR pszName) const;
};

class CMRUFileList : public CMRUList {
public:
    // Compared as paths: without regard to case, the same file under another spelling.
    BOOL IsSameEntry(LPCWSTR pszA, LPCWSTR pszB) const override;
    // The update handler of the list's first command id: shows the entries as items of the
    // command UI's sub-menu (or else its menu) from nPosition on (-1: the item's own position),
    // with consecutive ids from the command UI's id; without entries the menu item gets back its
    // original text and is disabled. The number of entries shown, or -1 without a menu.
    virtual int UpdateMenu(CCmdUI* pCmdUI, int nPosition);

    int m_nFullPath = 1;  // 0 shows file names only
    CString m_strOriginalText;  // of the item the entries replace, read the first time

private:
    CString MenuText(int nIndex) const;
    void DeleteShownItems(CMenu* pMenu, UINT nFirstID, UINT nFromOffset) const;
    void ShowOriginalItem(CMenu* pMenu, UINT nFirstID, UINT nPosition) const;

    bool m_bHaveOriginalText = false;
    int m_nShown = 0;  // items the last update put in the menu
};
