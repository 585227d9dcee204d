// The media information dialog: the full path, then everything the prober found about one
// playlist item in a two-column list: the file's rows, a group row per stream with its rows,
// and the metadata when there is any. Group rows (item data 1) are drawn bold on the face colour.
#pragma once
#include "classlib/CDialog.h"
#include "classlib/CListCtrl.h"

class CMediaInfo;

class CMediaInfoDlg : public CDialog {
public:
    CMediaInfoDlg(LPCWSTR pszPath, const CMediaInfo* pInfo, CWnd* pParent = nullptr);

    CString m_strPath;
    const CMediaInfo* m_pInfo;

protected:
    BOOL OnInitDialog() override;
    void OnCustomDrawList(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

    void FillList();
    void AddRow(LPCWSTR pszLabel, LPCWSTR pszValue, BOOL bGroup = FALSE);
    void AddFileRows();
    void AddStreamRows();
    void AddMetadataRows();

    CListCtrl m_list;
};
