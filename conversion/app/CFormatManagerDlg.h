// "Video & Audio Formats": switches formats on and off for the task pages' lists (a tree with
// check boxes) and manages each format's presets: add, edit, delete, reorder, choose the
// default, reset to the built-in ones. Every change of the list goes into the format at once,
// so that the format never holds a preset the list has deleted. On closing, however it closes,
// the check boxes are written into the formats and the registry is saved. Modal and resizable,
// on the window thread.
#pragma once
#include "conversion/app/controls/CCXControls.h"
#include "conversion/app/controls/CCXDialog.h"
#include "conversion/app/controls/CCXListCtrl.h"
#include <vector>

class CMediaFormat;
class CMediaFormats;
class CMediaPreset;
class CPresetHolders;

class CFormatManagerDlg : public CCXDialog {
    DECLARE_DYNAMIC(CFormatManagerDlg)
public:
    explicit CFormatManagerDlg(CMediaFormats& formats, CWnd* pParentWnd = nullptr);

    BOOL OnInitDialog() override;

    // The format of the selected tree item; null for a category or none.
    CMediaFormat* GetSelectedFormat() const;
    // The preset of a row; null outside the list.
    CMediaPreset* GetRowPreset(int row) const;
    // Sets the buttons' enable states from the selection.
    void UpdateButtons();

    CMediaFormats* m_pFormats;
    // The task pages: they let go of their presets around a reset and drop deleted ones. Null
    // when no one else holds presets.
    CPresetHolders* m_pHolders = nullptr;
    CCXListCtrl m_list;
    CCXTreeCtrl m_tree;
    CImageList m_stateImages;
    CImageList m_gripImages;
    int m_checkBoxMode = 1;
    int m_treeHidden = 0;
    int m_listChanged = 0;

protected:
    void OnAddPreset();
    void OnDeletePreset();
    void OnEditPreset();
    void OnDefaultPreset();
    void OnMoveUp();
    void OnMoveDown();
    void OnReset();
    void OnResetAll();
    void OnTreeSelChanged(NMHDR* pNMHDR, LRESULT* pResult);
    void OnListDblClk(NMHDR* pNMHDR, LRESULT* pResult);
    void OnListItemChanged(NMHDR* pNMHDR, LRESULT* pResult);
    LRESULT OnKickIdle(WPARAM wParam, LPARAM lParam);
    void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
    void OnSize(UINT nType, int cx, int cy);
    void OnPaint();
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    void FillTree();
    void FillList(HTREEITEM hItem);
    void InsertRow(int row, CMediaPreset* pPreset);
    void ShowDefaultMark(int defaultRow);
    int DefaultRow() const;
    void WriteListToFormat();
    void MoveRow(int from, int to);
    void SelectRow(int row);
    void Layout();
    void SaveCheckStates();
    void ReportResetRefused();
    // Reloads the built-in presets of the formats, the holders' presets let go of meanwhile;
    // false when one was refused.
    bool ResetFormats(const std::vector<CMediaFormat*>& formats);
    // Keeps the keyboard in the dialog when the focused control is about to be disabled.
    void MoveFocusFrom(CWnd* pControl);

    // The template's places, taken once, for the layout.
    CRect m_initialClient;
    CRect m_initialTree;
    CRect m_initialList;
    int m_buttonGap = 0;
    bool m_laidOut = false;
};
