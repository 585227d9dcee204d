#include "conversion/app/controls/CRecentComboBoxes.h"
#include "classlib/AfxMessageMap.h"
#include "framework/system/CMRUList.h"

IMPLEMENT_DYNAMIC(CRecentDropComboBoxEx, CDropFileComboBoxEx)
IMPLEMENT_DYNAMIC(CRecentListComboBoxEx, CCustomComboBoxEx)
IMPLEMENT_DYNAMIC(CRecentListComboBox, CRefillComboBox)
IMPLEMENT_DYNAMIC(CRecentFileComboBoxEx, CRecentDropComboBoxEx)

BEGIN_MESSAGE_MAP(CRecentDropComboBoxEx, CDropFileComboBoxEx)
ON_CONTROL_REFLECT(CBN_DROPDOWN, &CRecentDropComboBoxEx::OnDropDown)
ON_CONTROL_REFLECT(CBN_SELENDOK, &CRecentDropComboBoxEx::OnSelEndOk)
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CRecentListComboBoxEx, CCustomComboBoxEx)
ON_CONTROL_REFLECT(CBN_DROPDOWN, &CRecentListComboBoxEx::OnDropDown)
ON_CONTROL_REFLECT(CBN_SELENDOK, &CRecentListComboBoxEx::OnSelEndOk)
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CRecentListComboBox, CRefillComboBox)
ON_CONTROL_REFLECT(CBN_SELENDOK, &CRecentListComboBox::OnSelEndOk)
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CRecentFileComboBoxEx, CRecentDropComboBoxEx)
ON_WM_CREATE()
END_MESSAGE_MAP()

namespace {

bool HasEntries(const CMRUList* pList)
{
    return pList && pList->GetCount() > 0;
}

void RefillPaths(CCustomComboBoxEx& combo, const CMRUList* pList, const CString& clearCaption)
{
    if (!HasEntries(pList))
        return;
    combo.ResetContent();
    for (int i = 0; i < pList->GetCount() && !pList->GetAt(i).IsEmpty(); i++)
        InsertPathItem(combo, combo.GetCount(), pList->GetAt(i));
    if (combo.GetCount() > 0 && !clearCaption.IsEmpty())
        // -1 would ask the parent for an image; the clearing entry has none.
        combo.InsertItem(combo.GetCount(), clearCaption, I_IMAGENONE, I_IMAGENONE);
}

// The clearing entry is the last item and carries the caption; a path that merely sits last
// (the list was never filled with the entry) clears nothing.
template <class Combo>
bool IsClearingEntryChosen(const Combo& combo, const CString& itemText, const CMRUList* pList,
                           const CString& clearCaption)
{
    int nSelected = combo.GetCurSel();
    return pList && !clearCaption.IsEmpty() && nSelected >= 0 && nSelected == combo.GetCount() - 1 &&
           itemText == clearCaption;
}

// Empties the list and the combo, edit field included: the caption never stays as a path.
void ClearPaths(CCustomComboBoxEx& combo, CMRUList* pList)
{
    pList->m_entries.RemoveAll();
    combo.ResetContent();
    if (HWND hEdit = reinterpret_cast<HWND>(combo.SendMessage(CBEM_GETEDITCONTROL)))
        ::SetWindowTextW(hEdit, L"");
}

void ClearIfChosen(CCustomComboBoxEx& combo, CMRUList* pList, const CString& clearCaption)
{
    int nSelected = combo.GetCurSel();
    CString text = nSelected >= 0 ? combo.GetItemText(nSelected) : CString();
    if (IsClearingEntryChosen(combo, text, pList, clearCaption))
        ClearPaths(combo, pList);
}

}  // namespace

// ---- CRecentDropComboBoxEx

void CRecentDropComboBoxEx::AttachRecentList(CMRUList* pList, LPCWSTR pszClearCaption)
{
    m_pRecentList = pList;
    m_clearCaption = pszClearCaption;
    Refill();
}

void CRecentDropComboBoxEx::Refill()
{
    RefillPaths(*this, m_pRecentList, m_clearCaption);
}

void CRecentDropComboBoxEx::SetPathTextAndRefill(LPCWSTR pszPath)
{
    Refill();
    SetPathText(pszPath);
}

BOOL CRecentDropComboBoxEx::IsClearingEntry(int nIndex) const
{
    return m_pRecentList && !m_clearCaption.IsEmpty() && nIndex >= 0 && nIndex == GetCount() - 1 &&
           GetItemText(nIndex) == m_clearCaption;
}

void CRecentDropComboBoxEx::OnDropDown()
{
    Refill();
    AdjustDropWidth();
}

void CRecentDropComboBoxEx::OnSelEndOk()
{
    if (IsClearingEntry(GetCurSel()))
        ClearPaths(*this, m_pRecentList);
}

// ---- CRecentListComboBoxEx

void CRecentListComboBoxEx::AttachRecentList(CMRUList* pList, LPCWSTR pszClearCaption)
{
    m_pRecentList = pList;
    m_clearCaption = pszClearCaption;
    Refill();
}

void CRecentListComboBoxEx::Refill()
{
    RefillPaths(*this, m_pRecentList, m_clearCaption);
}

void CRecentListComboBoxEx::SetPathTextAndRefill(LPCWSTR pszPath)
{
    Refill();
    if (!pszPath || !*pszPath) {
        SetCurSel(-1);
        return;
    }
    int nFound = FindItem(0, pszPath);
    if (nFound >= 0)
        DeleteItem(nFound);
    InsertPathItem(*this, 0, pszPath);
    SetCurSel(0);
}

void CRecentListComboBoxEx::OnDropDown()
{
    Refill();
    AdjustDropWidth();
}

void CRecentListComboBoxEx::OnSelEndOk()
{
    ClearIfChosen(*this, m_pRecentList, m_clearCaption);
}

// ---- CRecentListComboBox

void CRecentListComboBox::AttachRecentList(CMRUList* pList, LPCWSTR pszClearCaption)
{
    m_pRecentList = pList;
    m_clearCaption = pszClearCaption;
    RefillList();
}

void CRecentListComboBox::RefillList()
{
    if (!HasEntries(m_pRecentList))
        return;
    ResetContent();
    for (int i = 0; i < m_pRecentList->GetCount() && !m_pRecentList->GetAt(i).IsEmpty(); i++)
        AddString(m_pRecentList->GetAt(i));
    if (GetCount() > 0 && !m_clearCaption.IsEmpty())
        AddString(m_clearCaption);
}

void CRecentListComboBox::OnSelEndOk()
{
    int nSelected = GetCurSel();
    CString text;
    if (nSelected >= 0)
        GetLBText(nSelected, text);
    if (!IsClearingEntryChosen(*this, text, m_pRecentList, m_clearCaption))
        return;
    m_pRecentList->m_entries.RemoveAll();
    ResetContent();
}

// ---- CRecentFileComboBoxEx

void CRecentFileComboBoxEx::PreSubclassWindow()
{
    CRecentDropComboBoxEx::PreSubclassWindow();
    SubclassEdit();
}

int CRecentFileComboBoxEx::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CRecentDropComboBoxEx::OnCreate(lpCreateStruct) == -1)
        return -1;
    SubclassEdit();
    return 0;
}

void CRecentFileComboBoxEx::SubclassEdit()
{
    if (m_bEditSubclassed)
        return;
    HWND hEdit = reinterpret_cast<HWND>(SendMessage(CBEM_GETEDITCONTROL));
    if (hEdit && m_edit.SubclassWindow(hEdit))
        m_bEditSubclassed = TRUE;
}
