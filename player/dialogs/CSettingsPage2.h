// The "File Associations" page of the Settings sheet: the player's file types, each checked
// when the player opens it. Rows own copies of the player's file types. OK associates the checked
// types with the program, gives the unchecked ones back to their previous owners and makes the
// rows the player's new file-type table; Delete takes a type back from the shell at once.
// Window thread.
#pragma once
#include "classlib/CImageList.h"
#include "classlib/CListCtrl.h"
#include "classlib/CPropertySheet.h"

class CFileAssociation;

class CSettingsPage2 : public CPropertyPage {
public:
    CSettingsPage2();

    BOOL OnInitDialog() override;
    BOOL OnApply() override;

    // The row's file type (owned by the row), null out of range.
    CFileAssociation* GetRowType(int nRow) const;
    // A checked row for a new type (the icon a choice of the "File Type" dialog): its index, or
    // -1 when the texts make no type. An extension already listed is checked and selected
    // instead of being added twice.
    int AddNewType(LPCWSTR pszExtension, LPCWSTR pszName, int nIconChoice);
    // Takes the first selected row's type back from the shell and deletes the row. FALSE when
    // no row is selected.
    BOOL DeleteSelectedType();

    CListCtrl m_list;
    CImageList m_imageList;

protected:
    void OnAddFileType();
    void OnDeleteFileType();
    void OnDeleteRow(NMHDR* pNMHDR, LRESULT* pResult);
    void OnDestroy();
    DECLARE_MESSAGE_MAP()

    void SetUpList();
    int AppendRow(CFileAssociation* pType, BOOL bChecked);
    int FindExtension(LPCWSTR pszExtension) const;
    void SelectRow(int nRow);
};
