// CConcatenatePage: "Concatenate segments": a list of segment files (the ".ts" pieces of a
// stream, typically) joined in list order into one output. Files come from dialogs, drops,
// playlists and folders; Auto Sort orders them by the numbers at the end of their names.
#pragma once
#include "conversion/app/CConversionTaskPage.h"
#include "conversion/app/controls/CCXListCtrl.h"
#include <vector>

// One row of the list, with the parts of its name that Auto Sort compares.
struct CSegmentRow {
    CString folder;
    CString name;
    CString title;      // the name without its extension
    CString extension;  // without its dot
    CString prefix;     // the title before its trailing digits
    ULONGLONG number = 0;
    int image = -1;     // the row's shell icon

    static CSegmentRow FromParts(LPCWSTR folder, LPCWSTR name, int image);
};

class CConcatenatePage : public CConversionTaskPage {
    DECLARE_DYNAMIC(CConcatenatePage)
public:
    CConcatenatePage();

    BOOL OnInitDialog() override;
    int CollectData() override;
    int Validate() override;
    int FillTask(CConvertTaskRecord& record) override;
    void SetRunningLayout(BOOL bRunning) override;
    CString GetInputFolder() const override;
    void AddToRecentLists() override;
    void DeleteSources() override;

    // Adds a file (a ".m3u" or ".pls" playlist: the files it lists); the rows added.
    int AddFile(LPCWSTR path);
    // AddFile for each of the folder's files that match one of the patterns ("*.ts|*.mp4"), and
    // with bRecurse for those of its sub-folders (as ScanFolderFiles walks them).
    int AddFolder(LPCWSTR folder, LPCWSTR patterns, BOOL bRecurse);
    void AutoSort();
    void MoveSelected(int nStep);

    std::vector<CSegmentRow> GetRows() const;
    void SetRows(const std::vector<CSegmentRow>& rows);
    // A before B: < 0, equal: 0, after: > 0.
    static int CompareSegments(const CSegmentRow& a, const CSegmentRow& b);
    static void SortSegments(std::vector<CSegmentRow>& rows);
    // The output name the first row suggests: its prefix without trailing '-', else its
    // folder's last component.
    static CString SuggestOutputName(const CSegmentRow& first);

    CCXListCtrl m_list;
    CString m_outputName;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void DropFiles(const CStringArray& paths) override;
    void OnAddFiles();
    void OnAddFolder();
    void OnMoveUp();
    void OnMoveDown();
    void OnAutoSort();
    void OnRemove();
    void OnRemoveAll();
    void OnUpdateSelectionCommand(CCmdUI* pCmdUI);
    void OnUpdateListCommand(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()

private:
    int AddOneFile(LPCWSTR path);
    int AddPlaylist(LPCWSTR path);
    void SetRow(int nItem, const CSegmentRow& row);
    CSegmentRow GetRow(int nItem) const;
    void AfterAdding(int added);

    CStringArray m_paths;  // the rows' paths, taken on the window thread for the run
};
