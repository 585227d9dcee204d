// The combo boxes that offer a recent list (the tool's CMRUList objects) and end it with a
// clearing entry ("Clear Recent List", set by the pages): choosing that entry empties the
// list and the combo. They refill themselves from the list each time they drop down.
//   CRecentDropComboBoxEx  a path combo that also takes dropped paths
//   CRecentListComboBoxEx  a path combo without drops
//   CRecentListComboBox    a plain combo box of texts
//   CRecentFileComboBoxEx  a CRecentDropComboBoxEx whose edit field is subclassed by a member
#pragma once
#include "conversion/app/controls/CDropFileComboBoxEx.h"
#include "conversion/app/controls/CThemedControls.h"

class CMRUList;

class CRecentDropComboBoxEx : public CDropFileComboBoxEx {
    DECLARE_DYNAMIC(CRecentDropComboBoxEx)
public:
    using CDropFileComboBoxEx::CDropFileComboBoxEx;

    // The list stays the caller's; an empty caption adds no clearing entry.
    void AttachRecentList(CMRUList* pList, LPCWSTR pszClearCaption);
    // With an attached, non-empty list: the list's paths, then the clearing entry.
    void Refill();
    void SetPathTextAndRefill(LPCWSTR pszPath);
    // Whether the item is the clearing entry, which stands for no path.
    BOOL IsClearingEntry(int nIndex) const;

    CMRUList* m_pRecentList = nullptr;
    CString m_clearCaption;

protected:
    void OnDropDown();
    void OnSelEndOk();
    DECLARE_MESSAGE_MAP()
};

class CRecentListComboBoxEx : public CCustomComboBoxEx {
    DECLARE_DYNAMIC(CRecentListComboBoxEx)
public:
    void AttachRecentList(CMRUList* pList, LPCWSTR pszClearCaption);
    void Refill();
    void SetPathTextAndRefill(LPCWSTR pszPath);

    CMRUList* m_pRecentList = nullptr;
    CString m_clearCaption;

protected:
    void OnDropDown();
    void OnSelEndOk();
    DECLARE_MESSAGE_MAP()
};

class CRecentListComboBox : public CRefillComboBox {
    DECLARE_DYNAMIC(CRecentListComboBox)
public:
    void AttachRecentList(CMRUList* pList, LPCWSTR pszClearCaption);
    void RefillList() override;

    CMRUList* m_pRecentList = nullptr;
    CString m_clearCaption;

protected:
    void OnSelEndOk();
    DECLARE_MESSAGE_MAP()
};

class CRecentFileComboBoxEx : public CRecentDropComboBoxEx {
    DECLARE_DYNAMIC(CRecentFileComboBoxEx)
public:
    using CRecentDropComboBoxEx::CRecentDropComboBoxEx;

    CEdit m_edit;
    BOOL m_bEditSubclassed = FALSE;

protected:
    void PreSubclassWindow() override;
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    DECLARE_MESSAGE_MAP()

private:
    void SubclassEdit();
};
