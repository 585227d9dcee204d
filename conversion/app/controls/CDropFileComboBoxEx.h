// CDropFileComboBoxEx: an extended combo box for a path. It takes a file or folder dropped on
// it (as its kinds allow), completes paths as they are typed and shows each path with its
// shell icon; a path set as the text moves to the top of the list.
#pragma once
#include "framework/dialogs/CCustomComboBoxEx.h"

// Kinds of path a combo accepts.
const int DROP_FILES = 0x1;
const int DROP_FOLDERS = 0x2;

class CDropFileComboBoxEx : public CCustomComboBoxEx {
    DECLARE_DYNAMIC(CDropFileComboBoxEx)
public:
    explicit CDropFileComboBoxEx(int nKinds = DROP_FILES | DROP_FOLDERS) : m_nKinds(nKinds) {}

    // Installs the shell's completion on the edit field and the system's small icons (once).
    void SetupAutoComplete();
    // Inserts the path with its shell icon (none when the path doesn't exist); its index.
    int AddPath(int nIndex, LPCWSTR pszPath);
    // Puts the path at the top of the list and selects it; -1 (and an empty text) for an
    // empty path.
    int SetPathText(LPCWSTR pszPath);
    // The first item at or after nStart whose text equals the text exactly; -1.
    int FindItemExact(int nStart, LPCWSTR pszText) const;
    // Whether a dropped path of this kind is taken.
    BOOL AcceptsPath(LPCWSTR pszPath) const;

    int m_nKinds;
    BOOL m_bAutoCompleteInstalled = FALSE;

protected:
    void PreSubclassWindow() override;
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnDropFiles(HDROP hDropInfo);
    DECLARE_MESSAGE_MAP()
};

// The shell's small-icon index of an existing path; -1 for a path that doesn't exist.
int GetPathIconIndex(LPCWSTR pszPath);
// Inserts a path item with its shell icon into an extended combo box; its index.
int InsertPathItem(CCustomComboBoxEx& combo, int nIndex, LPCWSTR pszPath);
