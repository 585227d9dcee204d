#include "player/dialogs/CSettingsPage2.h"
#include "classlib/AfxMessageMap.h"
#include "framework/system/AppFolders.h"
#include "framework/system/CFileAssociation.h"
#include "player/dialogs/CNewFileTypeDlg.h"
#include "player/CPlayerHistory.h"
#include "player/res/PlayerResources.h"

namespace {

const DWORD kListStyles = LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT | LVS_EX_INFOTIP;
const int kExtensionWidth = 128;

// The image of a type's icon index: the file icons are the program's icons 2, 3 and 4.
int RowImage(int nIconIndex)
{
    int nImage = nIconIndex - FILE_TYPE_ICON_INDEX_BASE;
    return nImage >= FILE_TYPE_ICON_VIDEO && nImage <= FILE_TYPE_ICON_PLAYLIST ? nImage : I_IMAGENONE;
}

}  // namespace

BEGIN_MESSAGE_MAP(CSettingsPage2, CPropertyPage)
ON_BN_CLICKED(IDC_ADD_FILE_TYPE, &CSettingsPage2::OnAddFileType)
ON_BN_CLICKED(IDC_DELETE_FILE_TYPE, &CSettingsPage2::OnDeleteFileType)
ON_NOTIFY(LVN_DELETEITEM, IDC_FILE_TYPE_LIST, &CSettingsPage2::OnDeleteRow)
ON_WM_DESTROY()
END_MESSAGE_MAP()

CSettingsPage2::CSettingsPage2() : CPropertyPage(IDD_SETTINGS_FILE_TYPES) {}

BOOL CSettingsPage2::OnInitDialog()
{
    BOOL bResult = CPropertyPage::OnInitDialog();
    SetUpList();
    for (int i = 0; i < g_playerHistory.m_fileTypes.GetSize(); ++i) {
        auto* pType = new CFileAssociation(*g_playerHistory.m_fileTypes[i]);
        pType->m_bAssociated = pType->IsAssociated();
        pType->m_bRegistered = pType->IsRegistered();
        AppendRow(pType, pType->m_bAssociated && pType->m_bRegistered);
    }
    return bResult;
}

void CSettingsPage2::SetUpList()
{
    m_list.SubclassDlgItem(IDC_FILE_TYPE_LIST, this);
    m_list.SetExtendedStyle(m_list.GetExtendedStyle() | kListStyles);
    CreateFileTypeImageList(m_imageList);
    m_list.SetImageList(&m_imageList, LVSIL_SMALL);
    CRect client;
    m_list.GetClientRect(&client);
    m_list.InsertColumn(0, L"Extension", LVCFMT_LEFT, kExtensionWidth);
    m_list.InsertColumn(1, L"Name", LVCFMT_LEFT, client.Width() - kExtensionWidth - ::GetSystemMetrics(SM_CXVSCROLL));
}

int CSettingsPage2::AppendRow(CFileAssociation* pType, BOOL bChecked)
{
    LVITEMW item = {};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    item.iItem = m_list.GetItemCount();
    item.pszText = const_cast<LPWSTR>(static_cast<LPCWSTR>(pType->m_strExtension));
    item.iImage = RowImage(pType->m_nIconIndex);
    item.lParam = reinterpret_cast<LPARAM>(pType);
    int nRow = m_list.InsertItem(&item);
    if (nRow < 0) {
        delete pType;
        return -1;
    }
    m_list.SetItemText(nRow, 1, pType->m_strDescription);
    m_list.SetCheck(nRow, bChecked);
    return nRow;
}

CFileAssociation* CSettingsPage2::GetRowType(int nRow) const
{
    if (nRow < 0 || nRow >= m_list.GetItemCount())
        return nullptr;
    return reinterpret_cast<CFileAssociation*>(m_list.GetItemData(nRow));
}

int CSettingsPage2::FindExtension(LPCWSTR pszExtension) const
{
    for (int i = 0; i < m_list.GetItemCount(); ++i) {
        if (GetRowType(i)->m_strExtension.CompareNoCase(pszExtension) == 0)
            return i;
    }
    return -1;
}

void CSettingsPage2::SelectRow(int nRow)
{
    m_list.SetItemState(nRow, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    m_list.EnsureVisible(nRow, FALSE);
}

int CSettingsPage2::AddNewType(LPCWSTR pszExtension, LPCWSTR pszName, int nIconChoice)
{
    CString extension = CNewFileTypeDlg::MakeExtension(pszExtension);
    CString name = pszName;
    name.Trim();
    if (extension.IsEmpty() || name.IsEmpty() || nIconChoice < 0)
        return -1;
    int nRow = FindExtension(extension);
    if (nRow < 0) {
        auto* pType = new CFileAssociation(extension, MakeFileTypeProgID(extension), name,
                                           nIconChoice + FILE_TYPE_ICON_INDEX_BASE);
        nRow = AppendRow(pType, TRUE);
    }
    if (nRow >= 0) {
        m_list.SetCheck(nRow, TRUE);
        SelectRow(nRow);
    }
    return nRow;
}

BOOL CSettingsPage2::DeleteSelectedType()
{
    int nRow = m_list.GetNextItem(-1, LVNI_SELECTED);
    CFileAssociation* pType = GetRowType(nRow);
    if (!pType)
        return FALSE;
    if (pType->IsRegistered())
        pType->Unregister();
    if (pType->IsAssociated())
        pType->Restore(GetFileTypeBackup(*pType));
    m_list.DeleteItem(nRow);
    return TRUE;
}

BOOL CSettingsPage2::OnApply()
{
    g_playerHistory.DeleteFileTypes();
    const CString programPath = GetModulePath();
    for (int i = 0; i < m_list.GetItemCount(); ++i) {
        CFileAssociation* pType = GetRowType(i);
        if (m_list.GetCheck(i)) {
            pType->Register(programPath);
            CString previous;
            pType->Associate(previous);
            if (!previous.IsEmpty() && previous != pType->m_strProgID)
                SetFileTypeBackup(*pType, previous);
        } else {
            pType->Unregister();
            pType->Restore(GetFileTypeBackup(*pType));
        }
        g_playerHistory.m_fileTypes.Add(new CFileAssociation(*pType));
    }
    return CPropertyPage::OnApply();
}

void CSettingsPage2::OnAddFileType()
{
    CNewFileTypeDlg dlg(this);
    if (dlg.DoModal() == IDOK)
        AddNewType(dlg.m_strExtension, dlg.m_strName, dlg.m_nIcon);
}

void CSettingsPage2::OnDeleteFileType()
{
    DeleteSelectedType();
}

void CSettingsPage2::OnDeleteRow(NMHDR* pNMHDR, LRESULT* pResult)
{
    auto* pView = reinterpret_cast<NMLISTVIEW*>(pNMHDR);
    delete reinterpret_cast<CFileAssociation*>(pView->lParam);
    *pResult = 0;
}

void CSettingsPage2::OnDestroy()
{
    // The rows' types go while the page still hears the list's notifications.
    if (m_list.m_hWnd)
        m_list.DeleteAllItems();
    CPropertyPage::OnDestroy();
}
