#include "conversion/app/CConcatenatePage.h"
#include "classlib/AfxMessageMap.h"
#include "classlib/CCmdUI.h"
#include "classlib/CDataExchange.h"
#include "conversion/app/CConversionRecentLists.h"
#include "conversion/app/CConversionSettings.h"
#include "conversion/app/CConversionUiResources.h"
#include "conversion/app/res/FetcherResources.h"
#include "conversion/engine/FileOperations.h"
#include "conversion/engine/ShellOperations.h"
#include "framework/dialogs/CFileSelectDlg.h"
#include "framework/dialogs/CFolderSelectDlg.h"
#include "framework/system/FolderScan.h"
#include "framework/system/PathHelpers.h"
#include "framework/text/CPlaylistFile.h"
#include "framework/text/CWildcardFilter.h"
#include <shlwapi.h>
#include <memory>

IMPLEMENT_DYNAMIC(CConcatenatePage, CConversionTaskPage)

namespace {

const wchar_t kFileFilter[] = L"TS Files (*.ts)|*.ts|All Files (*.*)|*.*||";
const wchar_t kFolderPatterns[] = L"*.ts|*.mpegts|*.mp4|*.*";
const int kNameColumnWidth = 200;
const UINT kInputControls[] = {IDC_PAGE_SEGMENTS, IDC_PAGE_ADD_FILES, IDC_PAGE_ADD_FOLDER, IDC_PAGE_SAME_AS_INPUT,
                               IDC_PAGE_OUTPUT_NAME, IDC_PAGE_PLAY};

}  // namespace

CSegmentRow CSegmentRow::FromParts(LPCWSTR folder, LPCWSTR name, int image)
{
    CSegmentRow row;
    row.folder = folder;
    row.name = name;
    row.title = GetFileBaseName(name);
    row.extension = GetFileExtension(name);
    SplitTrailingNumber(row.title, row.prefix, row.number);
    row.image = image;
    return row;
}

BEGIN_MESSAGE_MAP(CConcatenatePage, CConversionTaskPage)
    ON_BN_CLICKED(IDC_PAGE_ADD_FILES, &CConcatenatePage::OnAddFiles)
    ON_BN_CLICKED(IDC_PAGE_ADD_FOLDER, &CConcatenatePage::OnAddFolder)
    ON_BN_CLICKED(IDC_PAGE_MOVE_UP, &CConcatenatePage::OnMoveUp)
    ON_BN_CLICKED(IDC_PAGE_MOVE_DOWN, &CConcatenatePage::OnMoveDown)
    ON_BN_CLICKED(IDC_PAGE_AUTO_SORT, &CConcatenatePage::OnAutoSort)
    ON_BN_CLICKED(IDC_PAGE_REMOVE, &CConcatenatePage::OnRemove)
    ON_BN_CLICKED(IDC_PAGE_REMOVE_ALL, &CConcatenatePage::OnRemoveAll)
    ON_UPDATE_COMMAND_UI(IDC_PAGE_MOVE_UP, &CConcatenatePage::OnUpdateSelectionCommand)
    ON_UPDATE_COMMAND_UI(IDC_PAGE_MOVE_DOWN, &CConcatenatePage::OnUpdateSelectionCommand)
    ON_UPDATE_COMMAND_UI(IDC_PAGE_REMOVE, &CConcatenatePage::OnUpdateSelectionCommand)
    ON_UPDATE_COMMAND_UI(IDC_PAGE_AUTO_SORT, &CConcatenatePage::OnUpdateListCommand)
    ON_UPDATE_COMMAND_UI(IDC_PAGE_REMOVE_ALL, &CConcatenatePage::OnUpdateListCommand)
END_MESSAGE_MAP()

CConcatenatePage::CConcatenatePage() : CConversionTaskPage(IDD_CONCATENATE_PAGE, theConversionSettings.m_concatenate) {}

void CConcatenatePage::DoDataExchange(CDataExchange* pDX)
{
    CConversionTaskPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PAGE_SEGMENTS, m_list);
    DDX_Text(pDX, IDC_PAGE_OUTPUT_NAME, m_outputName);
}

BOOL CConcatenatePage::OnInitDialog()
{
    CConversionTaskPage::OnInitDialog();
    SetTip(IDC_PAGE_ADD_FILES, L"Add segment files");
    SetTip(IDC_PAGE_ADD_FOLDER, L"Add segment files in a folder");
    SetTip(IDC_PAGE_REMOVE, L"Remove selected items");
    SetTip(IDC_PAGE_REMOVE_ALL, L"Remove all items");
    SetTip(IDC_PAGE_AUTO_SORT, L"Sort segments automatically");
    SetTip(IDC_PAGE_START, L"Start concatenating");
    SetTip(IDC_PAGE_STOP, L"Stop concatenating");
    m_list.SetExtendedStyle(m_list.GetExtendedStyle() | LVS_EX_FULLROWSELECT);
    CRect client;
    m_list.GetClientRect(&client);
    m_list.CListCtrl::InsertColumn(0, L"File Name", LVCFMT_LEFT, kNameColumnWidth);
    m_list.CListCtrl::InsertColumn(1, L"Location Folder", LVCFMT_LEFT,
                                   client.Width() - GetSystemMetrics(SM_CXVSCROLL) - kNameColumnWidth);
    m_list.SetImageList(theConversionUiResources.m_systemImages.GetImageList(1), LVSIL_SMALL);
    SetRunningLayout(FALSE);
    return TRUE;
}

int CConcatenatePage::CollectData()
{
    UpdateData(TRUE);
    m_outputName.Trim();
    m_paths.RemoveAll();
    for (int i = 0; i < m_list.GetItemCount(); i++)
        m_paths.Add(m_list.GetItemText(i, 1) + L"\\" + m_list.GetItemText(i, 0));
    return 0;
}

int CConcatenatePage::Validate()
{
    if (m_paths.GetSize() == 0) {
        ShowMessage(L"Please add segment files.");
        return -1;
    }
    return 0;
}

// Rows

CSegmentRow CConcatenatePage::GetRow(int nItem) const
{
    LVITEMW item = {};
    item.mask = LVIF_IMAGE;
    item.iItem = nItem;
    m_list.GetItem(&item);
    return CSegmentRow::FromParts(m_list.GetItemText(nItem, 1), m_list.GetItemText(nItem, 0), item.iImage);
}

void CConcatenatePage::SetRow(int nItem, const CSegmentRow& row)
{
    LVITEMW item = {};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = nItem;
    item.pszText = const_cast<LPWSTR>(static_cast<LPCWSTR>(row.name));
    item.iImage = row.image;
    m_list.SetItem(&item);
    m_list.SetItemText(nItem, 1, row.folder);
}

std::vector<CSegmentRow> CConcatenatePage::GetRows() const
{
    std::vector<CSegmentRow> rows;
    for (int i = 0; i < m_list.GetItemCount(); i++)
        rows.push_back(GetRow(i));
    return rows;
}

void CConcatenatePage::SetRows(const std::vector<CSegmentRow>& rows)
{
    for (size_t i = 0; i < rows.size() && static_cast<int>(i) < m_list.GetItemCount(); i++)
        SetRow(static_cast<int>(i), rows[i]);
}

// Adding

int CConcatenatePage::AddOneFile(LPCWSTR path)
{
    int image = GetShellIconIndex(path, true, false);
    int item = m_list.InsertItem(m_list.GetItemCount(), PathFindFileNameW(path), image);
    if (item < 0)
        return 0;
    m_list.SetItemText(item, 1, GetFolderOfPath(path));
    m_list.EnsureVisible(item, FALSE);
    m_list.SetFocus();
    return 1;
}

int CConcatenatePage::AddPlaylist(LPCWSTR path)
{
    std::unique_ptr<CPlaylistFile> reader(CPlaylistFile::CreateForPath(path));
    CStringArray files;
    if (!reader || reader->Read(path, files) != 0)
        return 0;
    int added = 0;
    for (int i = 0; i < files.GetSize(); i++)
        added += AddOneFile(files[i]);
    return added;
}

int CConcatenatePage::AddFile(LPCWSTR path)
{
    return IsPlaylistFile(path) ? AddPlaylist(path) : AddOneFile(path);
}

int CConcatenatePage::AddFolder(LPCWSTR folder, LPCWSTR patterns, BOOL bRecurse)
{
    CWildcardFilter filter;
    filter.SetPatterns(patterns, false);
    int added = 0;
    ScanFolderFiles(folder, filter, bRecurse != FALSE, nullptr, [&](const CString& path) { added += AddFile(path); });
    return added;
}

void CConcatenatePage::AfterAdding(int added)
{
    if (added > 0)
        AutoSort();
}

void CConcatenatePage::DropFiles(const CStringArray& paths)
{
    int added = 0;
    for (int i = 0; i < paths.GetSize(); i++) {
        if (!FolderExists(paths[i]))
            added += AddFile(paths[i]);
    }
    SetForegroundWindow();
    AfterAdding(added);
}

void CConcatenatePage::OnAddFiles()
{
    CFileSelectDlg dialog(TRUE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_ALLOWMULTISELECT | OFN_OVERWRITEPROMPT,
                          kFileFilter, this);
    dialog.GetOFN().lpstrTitle = L"Add Files";
    dialog.GetOFN().nFilterIndex = theConversionSettings.m_lastFileFilterIndex;
    if (dialog.DoModal() != IDOK)
        return;
    int added = 0;
    POSITION pos = dialog.GetStartPosition();
    while (pos)
        added += AddFile(dialog.GetNextPathName(pos));
    AfterAdding(added);
    theConversionSettings.m_lastFileFilterIndex = static_cast<int>(dialog.GetOFN().nFilterIndex);
}

void CConcatenatePage::OnAddFolder()
{
    CFolderSelectDlg dialog(this);
    dialog.m_strTitle = L"Add Folder";
    dialog.m_strDescription = L"Select a folder to convert";
    dialog.m_strInitialFolder = theConversionSettings.m_lastFolder;
    dialog.m_strPatterns = kFolderPatterns;
    dialog.m_bScanSubfolders = theConversionSettings.m_lastScanSubfolders;
    if (dialog.DoModal() != IDOK)
        return;
    AfterAdding(AddFolder(dialog.m_strFolder, dialog.m_strPattern, dialog.m_bScanSubfolders));
    theConversionSettings.m_lastFolder = dialog.m_strFolder;
    theConversionSettings.m_lastScanSubfolders = dialog.m_bScanSubfolders ? 1 : 0;
}

// Order

void CConcatenatePage::MoveSelected(int nStep)
{
    int row = m_list.GetFirstSelectedItem();
    int other = row + nStep;
    if (row < 0 || other < 0 || other >= m_list.GetItemCount())
        return;
    CSegmentRow first = GetRow(row), second = GetRow(other);
    SetRow(row, second);
    SetRow(other, first);
    m_list.SelectItem(other, TRUE, TRUE);
    m_list.SetItemState(other, LVIS_FOCUSED, LVIS_FOCUSED);
    m_list.EnsureVisible(other, FALSE);
}

void CConcatenatePage::OnMoveUp()
{
    MoveSelected(-1);
}

void CConcatenatePage::OnMoveDown()
{
    MoveSelected(1);
}

int CConcatenatePage::CompareSegments(const CSegmentRow& a, const CSegmentRow& b)
{
    if (a.name == b.name)
        return wcscmp(a.folder, b.folder);
    if (a.title == b.title)
        return wcscmp(a.extension, b.extension);
    if (a.title == L"init")
        return -1;
    if (b.title == L"init")
        return 1;
    if (a.prefix != b.prefix || a.extension != b.extension)
        return wcscmp(a.name, b.name);
    return a.number < b.number ? -1 : a.number > b.number ? 1 : 0;
}

void CConcatenatePage::SortSegments(std::vector<CSegmentRow>& rows)
{
    for (size_t i = 0; i < rows.size(); i++) {
        for (size_t j = i + 1; j < rows.size(); j++) {
            if (CompareSegments(rows[i], rows[j]) > 0)
                std::swap(rows[i], rows[j]);
        }
    }
}

CString CConcatenatePage::SuggestOutputName(const CSegmentRow& first)
{
    CString name = first.prefix;
    name.TrimRight(L'-');
    if (name.IsEmpty())
        name = PathFindFileNameW(first.folder);
    return name;
}

void CConcatenatePage::AutoSort()
{
    std::vector<CSegmentRow> rows = GetRows();
    if (rows.empty())
        return;
    SortSegments(rows);
    SetRows(rows);
    if (m_bSameAsInput)
        SetDestination(rows[0].folder);
    if (GetDlgItem(IDC_PAGE_OUTPUT_NAME)->GetWindowTextLength() == 0)
        SetOutputName(SuggestOutputName(rows[0]));
}

void CConcatenatePage::OnAutoSort()
{
    AutoSort();
}

void CConcatenatePage::OnRemove()
{
    for (int i = m_list.GetItemCount() - 1; i >= 0; i--) {
        if (m_list.GetItemState(i, LVIS_SELECTED))
            m_list.DeleteItem(i);
    }
}

void CConcatenatePage::OnRemoveAll()
{
    m_list.DeleteAllItems();
}

void CConcatenatePage::OnUpdateSelectionCommand(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(!IsBusy() && m_list.m_hWnd && m_list.GetSelectedCount() > 0);
}

void CConcatenatePage::OnUpdateListCommand(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(!IsBusy() && m_list.m_hWnd && m_list.GetItemCount() > 0);
}

// The run

CString CConcatenatePage::GetInputFolder() const
{
    return m_list.m_hWnd && m_list.GetItemCount() > 0 ? m_list.GetItemText(0, 1) : CString();
}

int CConcatenatePage::FillTask(CConvertTaskRecord& record)
{
    record.ResetInputs();
    record.m_kind = TASK_KIND_JOIN_LIST;
    record.m_inputs.m_inputList.Copy(m_paths);
    record.m_options.Reset();
    FillDestination(record);
    record.m_options.m_outputName = m_outputName;
    return 0;
}

void CConcatenatePage::SetRunningLayout(BOOL bRunning)
{
    for (UINT id : kInputControls)
        EnableItem(id, !bRunning);
    EnableDestination(bRunning);
    SetIdleFocus(bRunning);
}

void CConcatenatePage::AddToRecentLists()
{
    if (!m_bSameAsInput && !m_destination.IsEmpty())
        theConversionRecentLists.m_outputFolders.Add(m_destination);
    RefillRecentCombo(m_destinationCombo);
}

void CConcatenatePage::DeleteSources()
{
    m_bBusy = 1;
    OnTaskStatusText(L"Deleting source segment files...", L"");
    OnTaskStateColour(TASK_COLOUR_BUSY);
    LONGLONG count = m_paths.GetSize();
    for (int i = 0; i < m_paths.GetSize(); i++) {
        m_record.RecycleInput(m_paths[i]);
        OnTaskProgress(i + 1, count, 0);
    }
}
