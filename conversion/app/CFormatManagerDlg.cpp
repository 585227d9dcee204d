#include "conversion/app/CFormatManagerDlg.h"
#include "classlib/AfxMessageMap.h"
#include "classlib/CDC.h"
#include "classlib/Resource.h"
#include "conversion/app/CPresetDlg.h"
#include "conversion/app/CPresetHolders.h"
#include "conversion/app/controls/CThemeData.h"
#include "conversion/app/controls/ImageLists.h"
#include "conversion/app/res/ConversionAppResources.h"
#include "conversion/engine/CMediaFormats.h"
#include <algorithm>

IMPLEMENT_DYNAMIC(CFormatManagerDlg, CCXDialog)

BEGIN_MESSAGE_MAP(CFormatManagerDlg, CCXDialog)
ON_BN_CLICKED(IDC_ADD_PRESET, &CFormatManagerDlg::OnAddPreset)
ON_BN_CLICKED(IDC_DELETE_PRESET, &CFormatManagerDlg::OnDeletePreset)
ON_BN_CLICKED(IDC_EDIT_PRESET, &CFormatManagerDlg::OnEditPreset)
ON_BN_CLICKED(IDC_DEFAULT_PRESET, &CFormatManagerDlg::OnDefaultPreset)
ON_BN_CLICKED(IDC_MOVE_PRESET_UP, &CFormatManagerDlg::OnMoveUp)
ON_BN_CLICKED(IDC_MOVE_PRESET_DOWN, &CFormatManagerDlg::OnMoveDown)
ON_BN_CLICKED(IDC_RESET_PRESETS, &CFormatManagerDlg::OnReset)
ON_BN_CLICKED(IDC_RESET_ALL_PRESETS, &CFormatManagerDlg::OnResetAll)
ON_NOTIFY(TVN_SELCHANGEDW, IDC_FORMAT_TREE, &CFormatManagerDlg::OnTreeSelChanged)
ON_NOTIFY(NM_DBLCLK, IDC_PRESET_LIST, &CFormatManagerDlg::OnListDblClk)
ON_NOTIFY(LVN_ITEMCHANGED, IDC_PRESET_LIST, &CFormatManagerDlg::OnListItemChanged)
ON_MESSAGE(WM_KICKIDLE, &CFormatManagerDlg::OnKickIdle)
ON_WM_GETMINMAXINFO()
ON_WM_SIZE()
ON_WM_PAINT()
ON_WM_LBUTTONDOWN()
ON_WM_DESTROY()
END_MESSAGE_MAP()

namespace {

const int kMargin = 12;
const int kGripSize = 12;
// State images of the list: 1 a row, 2 the format's default preset.
const UINT kPlainRow = INDEXTOSTATEIMAGEMASK(1);
const UINT kDefaultRow = INDEXTOSTATEIMAGEMASK(2);

const int kButtonIds[] = {IDC_ADD_PRESET,     IDC_DELETE_PRESET,    IDC_EDIT_PRESET,   IDC_DEFAULT_PRESET,
                          IDC_MOVE_PRESET_UP, IDC_MOVE_PRESET_DOWN, IDC_RESET_PRESETS, IDC_RESET_ALL_PRESETS};

CRect ChildRect(CWnd& parent, int id)
{
    CRect rect;
    ::GetWindowRect(::GetDlgItem(parent.m_hWnd, id), &rect);
    parent.ScreenToClient(&rect);
    return rect;
}

void MoveChild(CWnd& parent, int id, const CRect& rect)
{
    ::SetWindowPos(::GetDlgItem(parent.m_hWnd, id), nullptr, rect.left, rect.top, rect.Width(), rect.Height(),
                   SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

CFormatManagerDlg::CFormatManagerDlg(CMediaFormats& formats, CWnd* pParentWnd)
    : CCXDialog(IDD_FORMAT_MANAGER, pParentWnd), m_pFormats(&formats)
{}

BOOL CFormatManagerDlg::OnInitDialog()
{
    BOOL result = CCXDialog::OnInitDialog();
    ModifyStyleEx(0, WS_EX_DLGMODALFRAME);
    m_tree.SubclassDlgItem(IDC_FORMAT_TREE, this);
    m_list.SubclassDlgItem(IDC_PRESET_LIST, this);
    if (!(m_tree.GetStyle() & WS_VISIBLE)) {
        m_treeHidden = 1;
        GetDlgItem(IDC_FORMATS_LABEL)->ShowWindow(SW_HIDE);
    }
    // The check boxes are set after creation, before the tree is filled.
    if (m_checkBoxMode)
        m_tree.ModifyStyle(0, TVS_CHECKBOXES);
    GetClientRect(&m_initialClient);
    m_initialTree = ChildRect(*this, IDC_FORMAT_TREE);
    m_initialList = ChildRect(*this, IDC_PRESET_LIST);
    m_buttonGap = ChildRect(*this, IDC_ADD_PRESET).left - m_initialList.right;
    m_laidOut = true;
    Layout();
    CreateImageListFromBitmap(m_stateImages, IDB_PRESET_STATES, 16, ILC_COLOR32, 0xFFFFFF);
    CreateImageListFromBitmap(m_gripImages, IDB_SIZE_GRIP, 12, ILC_COLOR24, 0xFF00FF);
    SetControlTip(IDC_FORMAT_TREE,
                  L"- Checked: enabled\n- Unchecked: disabled\nPlease check formats that are "
                  L"frequently used and uncheck formats that are rarely or never used.");
    SetControlTip(IDC_DEFAULT_PRESET, L"Set as default");
    SetControlTip(IDC_ADD_PRESET, L"Add a new preset");
    SetControlTip(IDC_DELETE_PRESET, L"Delete selected preset(s)");
    SetControlTip(IDC_EDIT_PRESET, L"Edit selected preset");
    m_list.SetExtendedStyle(m_list.GetExtendedStyle() | LVS_EX_HEADERDRAGDROP | LVS_EX_FULLROWSELECT | LVS_EX_INFOTIP);
    m_list.SetImageList(&m_stateImages, LVSIL_STATE);
    m_list.InsertColumn(0, L"Name", -1, -1, 140);
    m_list.InsertColumn(1, L"Profile", -1, -1, 820);
    FillTree();
    UpdateButtons();
    return result;
}

// ---- The tree and the list

void CFormatManagerDlg::FillTree()
{
    m_list.DeleteAllItems();
    m_tree.DeleteAllItems();
    HTREEITEM hFirst = nullptr;
    for (int c = 0; c < m_pFormats->m_categories.GetSize(); c++) {
        CMediaFormatCategory* pCategory = m_pFormats->m_categories[c];
        HTREEITEM hRoot = m_tree.InsertItem(pCategory->m_name);
        m_tree.SetItemData(hRoot, reinterpret_cast<DWORD_PTR>(static_cast<CMediaCatalogItem*>(pCategory)));
        TreeView_SetCheckState(m_tree.m_hWnd, hRoot, !(pCategory->m_flags & FORMAT_OFF));
        for (int f = 0; f < pCategory->m_formats.GetSize(); f++) {
            CMediaFormat* pFormat = pCategory->m_formats[f];
            CString text;
            text.Format(L"%s (%s)", static_cast<LPCWSTR>(pFormat->m_name), pFormat->m_extension);
            HTREEITEM hItem = m_tree.InsertItem(text, hRoot);
            m_tree.SetItemData(hItem, reinterpret_cast<DWORD_PTR>(static_cast<CMediaCatalogItem*>(pFormat)));
            TreeView_SetCheckState(m_tree.m_hWnd, hItem, !(pFormat->m_flags & FORMAT_OFF));
        }
        m_tree.Expand(hRoot, TVE_EXPAND);
        if (!hFirst)
            hFirst = hRoot;
    }
    if (hFirst) {
        m_tree.EnsureVisible(hFirst);
        HTREEITEM hChild = m_tree.GetChildItem(hFirst);
        m_tree.SelectItem(hChild ? hChild : hFirst);
    }
}

CMediaFormat* CFormatManagerDlg::GetSelectedFormat() const
{
    HTREEITEM hItem = m_tree.GetSelectedItem();
    if (!hItem)
        return nullptr;
    auto* pItem = reinterpret_cast<CMediaCatalogItem*>(m_tree.GetItemData(hItem));
    if (!pItem || (pItem->m_flags & CATEGORY_MARK))
        return nullptr;
    return dynamic_cast<CMediaFormat*>(pItem);
}

CMediaPreset* CFormatManagerDlg::GetRowPreset(int row) const
{
    if (row < 0 || row >= m_list.GetItemCount())
        return nullptr;
    return reinterpret_cast<CMediaPreset*>(m_list.GetItemData(row));
}

void CFormatManagerDlg::FillList(HTREEITEM hItem)
{
    m_list.DeleteAllItems();
    auto* pItem = hItem ? reinterpret_cast<CMediaCatalogItem*>(m_tree.GetItemData(hItem)) : nullptr;
    CMediaFormat* pFormat = pItem && !(pItem->m_flags & CATEGORY_MARK) ? dynamic_cast<CMediaFormat*>(pItem) : nullptr;
    m_list.EnableWindow(pFormat != nullptr);
    if (!pFormat)
        return;
    for (int p = 0; p < pFormat->m_presets.GetSize(); p++)
        InsertRow(p, pFormat->m_presets[p]);
    ShowDefaultMark(pFormat->m_defaultPreset);
}

void CFormatManagerDlg::InsertRow(int row, CMediaPreset* pPreset)
{
    const CMediaFormat* pFormat = GetSelectedFormat();
    row = m_list.InsertItem(row, pPreset->GetName());
    m_list.SetItemText(row, 1, pFormat ? pFormat->GetPresetDescription(*pPreset) : CString());
    m_list.SetItemData(row, reinterpret_cast<DWORD_PTR>(pPreset));
    m_list.SetItemState(row, kPlainRow, LVIS_STATEIMAGEMASK);
}

void CFormatManagerDlg::ShowDefaultMark(int defaultRow)
{
    for (int row = 0; row < m_list.GetItemCount(); row++)
        m_list.SetItemState(row, row == defaultRow ? kDefaultRow : kPlainRow, LVIS_STATEIMAGEMASK);
}

int CFormatManagerDlg::DefaultRow() const
{
    for (int row = 0; row < m_list.GetItemCount(); row++) {
        if (m_list.GetItemState(row, LVIS_STATEIMAGEMASK) == kDefaultRow)
            return row;
    }
    return -1;
}

// The format's presets become the rows' in row order, the marked row its default.
void CFormatManagerDlg::WriteListToFormat()
{
    CMediaFormat* pFormat = GetSelectedFormat();
    if (!pFormat)
        return;
    const int count = m_list.GetItemCount();
    pFormat->m_presets.SetSize(count);
    for (int row = 0; row < count; row++)
        pFormat->m_presets.SetAt(row, GetRowPreset(row));
    int defaultRow = DefaultRow();
    pFormat->m_defaultPreset = defaultRow >= 0 ? defaultRow : 0;
    m_listChanged = 1;
}

void CFormatManagerDlg::SelectRow(int row)
{
    m_list.SelectItem(row, TRUE, TRUE);
    m_list.SetItemState(row, LVIS_FOCUSED, LVIS_FOCUSED);
    m_list.EnsureVisible(row, FALSE);
}

void CFormatManagerDlg::OnTreeSelChanged(NMHDR* pNMHDR, LRESULT* pResult)
{
    auto* pInfo = reinterpret_cast<NMTREEVIEWW*>(pNMHDR);
    FillList(pInfo->itemNew.hItem);
    UpdateButtons();
    *pResult = 0;
}

void CFormatManagerDlg::OnListDblClk(NMHDR*, LRESULT* pResult)
{
    SendMessage(WM_COMMAND, IDC_EDIT_PRESET);
    *pResult = 0;
}

void CFormatManagerDlg::OnListItemChanged(NMHDR*, LRESULT* pResult)
{
    UpdateButtons();
    *pResult = 0;
}

// ---- Buttons

LRESULT CFormatManagerDlg::OnKickIdle(WPARAM, LPARAM)
{
    UpdateButtons();
    return 0;
}

void CFormatManagerDlg::UpdateButtons()
{
    const int row = m_list.GetFirstSelectedItem();
    const bool hasRow = row >= 0;
    const bool hasFormat = GetSelectedFormat() != nullptr;
    // A preset that a task page holds can't go: every selected row is looked at.
    bool canDelete = hasRow;
    POSITION pos = m_list.GetFirstSelectedPosition();
    while (pos) {
        CMediaPreset* pPreset = GetRowPreset(m_list.GetNextSelectedItem(pos));
        if (!pPreset || pPreset->m_useCount > 0)
            canDelete = false;
    }
    const struct {
        int id;
        bool enable;
    } states[] = {
        {IDC_EDIT_PRESET, hasRow},
        {IDC_DEFAULT_PRESET, hasRow},
        {IDC_ADD_PRESET, hasFormat},
        {IDC_RESET_PRESETS, hasFormat},
        {IDC_DELETE_PRESET, canDelete},
        {IDC_MOVE_PRESET_DOWN, hasRow && row < m_list.GetItemCount() - 1},
        {IDC_MOVE_PRESET_UP, hasRow && row > 0},
    };
    for (const auto& state : states) {
        CWnd* pButton = GetDlgItem(state.id);
        if (!pButton || (pButton->IsWindowEnabled() != FALSE) == state.enable)
            continue;
        if (!state.enable)
            MoveFocusFrom(pButton);
        pButton->EnableWindow(state.enable);
    }
}

// A disabled control loses the focus to nothing, and with it go the dialog's keys (Escape).
void CFormatManagerDlg::MoveFocusFrom(CWnd* pControl)
{
    if (::GetFocus() != pControl->m_hWnd)
        return;
    CWnd* pNext = GetDlgItem(IDOK);
    if (m_list.IsWindowEnabled() && m_list.GetItemCount() > 0)
        pNext = &m_list;
    else if (m_tree.IsWindowVisible())
        pNext = &m_tree;
    GotoDlgCtrl(pNext);
}

void CFormatManagerDlg::OnAddPreset()
{
    CMediaFormat* pFormat = GetSelectedFormat();
    if (!pFormat)
        return;
    const int row = m_list.GetFirstSelectedItem();
    const CMediaPreset* pSource = GetRowPreset(row);
    if (!pSource && pFormat->m_defaultPreset >= 0 && pFormat->m_defaultPreset < pFormat->m_presets.GetSize())
        pSource = pFormat->m_presets[pFormat->m_defaultPreset];
    CMediaPreset* pPreset = new CMediaPreset;
    if (pSource)
        pFormat->InitPresetFromRecord(*pPreset, pSource->m_record);
    pPreset->m_record.flags &= ~PRESET_CUSTOM;
    SetPresetText(pPreset->m_record.name, L"New Preset");
    CPresetDlg dlg(*pFormat, *pPreset, this);
    if (dlg.DoModal() != IDOK) {
        delete pPreset;
        return;
    }
    const int newRow = row >= 0 ? row + 1 : m_list.GetItemCount();
    int defaultRow = DefaultRow();
    InsertRow(newRow, pPreset);
    ShowDefaultMark(defaultRow >= newRow ? defaultRow + 1 : defaultRow);
    WriteListToFormat();
    SelectRow(newRow);
    UpdateButtons();
}

void CFormatManagerDlg::OnDeletePreset()
{
    CMediaFormat* pFormat = GetSelectedFormat();
    UpdateButtons();
    if (!pFormat || !GetDlgItem(IDC_DELETE_PRESET)->IsWindowEnabled())
        return;
    int defaultRow = DefaultRow();
    int nextRow = -1;
    // From the last selected row up, so that the rows still to go keep their numbers.
    for (int row = m_list.GetItemCount() - 1; row >= 0; row--) {
        if (!(m_list.GetItemState(row, LVIS_SELECTED) & LVIS_SELECTED))
            continue;
        CMediaPreset* pPreset = GetRowPreset(row);
        m_list.DeleteItem(row);
        for (int p = pFormat->m_presets.GetSize() - 1; p >= 0; p--) {
            if (pFormat->m_presets[p] == pPreset)
                pFormat->m_presets.RemoveAt(p);
        }
        delete pPreset;
        nextRow = row;
        if (row < defaultRow)
            defaultRow--;
        else if (row == defaultRow)
            defaultRow = 0;
    }
    ShowDefaultMark(m_list.GetItemCount() > 0 ? defaultRow : -1);
    WriteListToFormat();
    // The row after the deleted ones takes the selection, so the keys keep working on the list.
    if (m_list.GetItemCount() > 0)
        SelectRow(std::min(nextRow, m_list.GetItemCount() - 1));
    if (m_pHolders)
        m_pHolders->RefreshPresets();
    UpdateButtons();
}

void CFormatManagerDlg::OnEditPreset()
{
    CMediaFormat* pFormat = GetSelectedFormat();
    const int row = m_list.GetFirstSelectedItem();
    CMediaPreset* pPreset = GetRowPreset(row);
    if (!pFormat || !pPreset)
        return;
    CPresetDlg dlg(*pFormat, *pPreset, this);
    if (dlg.DoModal() != IDOK)
        return;
    m_list.SetItemText(row, 0, pPreset->GetName());
    m_list.SetItemText(row, 1, pFormat->GetPresetDescription(*pPreset));
    m_listChanged = 1;
}

void CFormatManagerDlg::OnDefaultPreset()
{
    const int row = m_list.GetFirstSelectedItem();
    if (row < 0)
        return;
    ShowDefaultMark(row);
    WriteListToFormat();
}

// The two rows swap places; the default mark goes with its preset and the row stays selected.
void CFormatManagerDlg::MoveRow(int from, int to)
{
    if (from < 0 || to < 0 || from >= m_list.GetItemCount() || to >= m_list.GetItemCount())
        return;
    const int defaultRow = DefaultRow();
    CMediaPreset* pFrom = GetRowPreset(from);
    CMediaPreset* pTo = GetRowPreset(to);
    const CMediaFormat* pFormat = GetSelectedFormat();
    for (auto [row, pPreset] : {std::make_pair(from, pTo), std::make_pair(to, pFrom)}) {
        m_list.SetItemText(row, 0, pPreset->GetName());
        m_list.SetItemText(row, 1, pFormat->GetPresetDescription(*pPreset));
        m_list.SetItemData(row, reinterpret_cast<DWORD_PTR>(pPreset));
    }
    ShowDefaultMark(defaultRow == from ? to : defaultRow == to ? from : defaultRow);
    WriteListToFormat();
    SelectRow(to);
    UpdateButtons();
}

void CFormatManagerDlg::OnMoveUp()
{
    int row = m_list.GetFirstSelectedItem();
    MoveRow(row, row - 1);
}

void CFormatManagerDlg::OnMoveDown()
{
    int row = m_list.GetFirstSelectedItem();
    if (row >= 0)
        MoveRow(row, row + 1);
}

void CFormatManagerDlg::ReportResetRefused()
{
    MessageBox(L"The presets can't be reset while a conversion is running. Please try again when it has ended.",
               L"Video & Audio Formats", MB_OK | MB_ICONWARNING);
}

bool CFormatManagerDlg::ResetFormats(const std::vector<CMediaFormat*>& formats)
{
    if (m_pHolders)
        m_pHolders->ReleasePresets();
    bool refused = false;
    for (CMediaFormat* pFormat : formats)
        refused = pFormat->ResetPresets() != 0 || refused;
    if (m_pHolders)
        m_pHolders->RefreshPresets();
    m_listChanged = 1;
    return !refused;
}

void CFormatManagerDlg::OnReset()
{
    CMediaFormat* pFormat = GetSelectedFormat();
    if (!pFormat)
        return;
    if (!ResetFormats({pFormat}))
        ReportResetRefused();
    FillList(m_tree.GetSelectedItem());
    UpdateButtons();
}

void CFormatManagerDlg::OnResetAll()
{
    std::vector<CMediaFormat*> formats;
    for (int c = 0; c < m_pFormats->m_categories.GetSize(); c++) {
        CMediaFormatCategory* pCategory = m_pFormats->m_categories[c];
        for (int f = 0; f < pCategory->m_formats.GetSize(); f++)
            formats.push_back(pCategory->m_formats[f]);
    }
    if (!ResetFormats(formats))
        ReportResetRefused();
    FillList(m_tree.GetSelectedItem());
    UpdateButtons();
}

// ---- Size and closing

void CFormatManagerDlg::OnGetMinMaxInfo(MINMAXINFO* lpMMI)
{
    lpMMI->ptMinTrackSize.x = 600;
    lpMMI->ptMinTrackSize.y = 400;
}

void CFormatManagerDlg::OnSize(UINT nType, int cx, int cy)
{
    CCXDialog::OnSize(nType, cx, cy);
    if (nType != SIZE_MINIMIZED && cx > 0 && cy > 0 && m_laidOut)
        Layout();
    Invalidate();
}

// The tree keeps its left, top and width; the list fills the room up to the button column,
// which keeps 12 pixels from the right edge; "Close" sits at the bottom right.
void CFormatManagerDlg::Layout()
{
    CRect client;
    GetClientRect(&client);
    CRect button = ChildRect(*this, IDC_ADD_PRESET);
    const int buttonLeft = client.right - kMargin - button.Width();
    CRect tree = m_initialTree;
    tree.bottom = client.bottom - kMargin;
    MoveChild(*this, IDC_FORMAT_TREE, tree);
    CRect list = m_initialList;
    if (m_treeHidden)
        list.left = m_initialTree.left;
    list.right = buttonLeft - m_buttonGap;
    list.bottom = client.bottom - kMargin;
    MoveChild(*this, IDC_PRESET_LIST, list);
    CRect label = ChildRect(*this, IDC_PRESETS_LABEL);
    label.OffsetRect(list.left - label.left, 0);
    label.right = list.right;
    MoveChild(*this, IDC_PRESETS_LABEL, label);
    for (int id : kButtonIds) {
        CRect rect = ChildRect(*this, id);
        rect.OffsetRect(buttonLeft - rect.left, 0);
        MoveChild(*this, id, rect);
    }
    CRect close = ChildRect(*this, IDOK);
    close.OffsetRect(buttonLeft - close.left, client.bottom - kMargin - close.bottom);
    MoveChild(*this, IDOK, close);
}

void CFormatManagerDlg::OnPaint()
{
    CPaintDC dc(this);
    if (IsVisualStyleActive() || !m_gripImages.GetSafeHandle())
        return;
    CRect client;
    GetClientRect(&client);
    m_gripImages.Draw(&dc, 0, CPoint(client.right - kGripSize, client.bottom - kGripSize), ILD_TRANSPARENT);
}

// The grip corner resizes; the rest of the body moves the dialog.
void CFormatManagerDlg::OnLButtonDown(UINT nFlags, CPoint point)
{
    CRect client;
    GetClientRect(&client);
    const bool inGrip = point.x >= client.right - kGripSize && point.y >= client.bottom - kGripSize;
    SendMessage(WM_NCLBUTTONDOWN, inGrip ? HTBOTTOMRIGHT : HTCAPTION, MAKELPARAM(point.x, point.y));
}

void CFormatManagerDlg::SaveCheckStates()
{
    for (HTREEITEM hRoot = m_tree.GetRootItem(); hRoot; hRoot = m_tree.GetNextSiblingItem(hRoot)) {
        for (HTREEITEM hItem = hRoot; hItem;
             hItem = hItem == hRoot ? m_tree.GetChildItem(hRoot) : m_tree.GetNextSiblingItem(hItem)) {
            auto* pItem = reinterpret_cast<CMediaCatalogItem*>(m_tree.GetItemData(hItem));
            if (!pItem)
                continue;
            if (TreeView_GetCheckState(m_tree.m_hWnd, hItem) == 1)
                pItem->m_flags &= ~FORMAT_OFF;
            else
                pItem->m_flags |= FORMAT_OFF;
        }
    }
}

void CFormatManagerDlg::OnDestroy()
{
    WriteListToFormat();
    SaveCheckStates();
    m_pFormats->m_modified = 1;
    // The changes stay in the registry and are written again at exit; the user hears of it now.
    if (m_pFormats->SaveIfModified() < 0) {
        CString text;
        text.Format(L"The format settings could not be saved to \"%s\". They are kept until the program ends "
                    L"and saved again then.",
                    static_cast<LPCWSTR>(m_pFormats->m_path));
        ::MessageBoxW(::GetWindow(m_hWnd, GW_OWNER), text, L"Video & Audio Formats", MB_OK | MB_ICONWARNING);
    }
    CCXDialog::OnDestroy();
}
