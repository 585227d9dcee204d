// The list controls of the conversion tool: CCXListCtrl with column, selection and
// item-data helpers, CCheckListCtrl whose rows carry a check in their state image (1 unchecked,
// 2 checked; the owner sets a state image list, not LVS_EX_CHECKBOXES), and CCXHeaderCtrl, a
// header of a forced height.
#pragma once
#include "classlib/CHeaderCtrl.h"
#include "classlib/CListCtrl.h"

class CCXHeaderCtrl : public CHeaderCtrl {
    DECLARE_DYNAMIC(CCXHeaderCtrl)
public:
    int m_nForcedHeight = 0;  // 0 or less: the control's own height

protected:
    LRESULT OnLayout(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};

class CCXListCtrl : public CListCtrl {
    DECLARE_DYNAMIC(CCXListCtrl)
public:
    // A null text or a -1 leaves that LVCOLUMN field out of the mask.
    virtual int InsertColumn(int nCol, LPCWSTR lpszText = nullptr, int nImage = -1, int nFormat = -1, int nWidth = -1,
                             int nSubItem = -1);
    // Select: LVIS_SELECTED on every item, and LVIS_FOCUSED on the first when none has the focus
    // (the list view cannot focus every item at once); deselect: LVIS_SELECTED cleared.
    virtual void SelectAllItems(BOOL bSelect);
    // nState over the bits of nMask on every item.
    virtual void SetAllItemsState(UINT nState, UINT nMask = LVIS_SELECTED | LVIS_FOCUSED);
    virtual DWORD_PTR GetItemData(int nItem) const;
    // The row holding the data (LVFI_PARAM from the start); -1 for data 0 or no match.
    virtual int FindItemByData(DWORD_PTR dwData) const;

    void SelectItem(int nItem, BOOL bSelect, BOOL bClearOthers);
    int GetFirstSelectedItem() const;  // -1
    POSITION GetFirstSelectedPosition() const { return GetFirstSelectedItemPosition(); }
    using CListCtrl::GetNextSelectedItem;
};

class CCheckListCtrl : public CCXListCtrl {
    DECLARE_DYNAMIC(CCheckListCtrl)
public:
    BOOL IsItemChecked(int nItem) const;
    // The first row whose state image is not 1; -1.
    int GetCheckedItem() const;
    // One checked row at a time: the first checked row is unchecked, then nItem is checked.
    BOOL SetCheckedItem(int nItem);
    // A click on a row's state icon and Space on the first selected row: an unchecked row becomes
    // the checked one (SetCheckedItem), a checked row is unchecked.
    void ToggleCheck(int nItem);

protected:
    void OnInsertItem(NMHDR* pNMHDR, LRESULT* pResult);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    DECLARE_MESSAGE_MAP()
};
