// CConversionPage: the base of the conversion tool's tool pages, modeless child dialogs of the
// view. It gives the pages their flat background, the state icon (1144), the progress line
// (1299, made in place of the template's placeholder), the "delete source" check (1141) and the
// busy animation; Enter and Escape never close a page.
#pragma once
#include "conversion/app/CTaskProgressCtrl.h"
#include "conversion/app/controls/CCXControls.h"
#include "conversion/app/controls/CCXDialog.h"
#include <atomic>

class CConversionPage : public CCXDialog {
    DECLARE_DYNAMIC(CConversionPage)
public:
    explicit CConversionPage(UINT nIDTemplate);

    BOOL OnInitDialog() override;
    // The frame's accelerators (Ctrl+A) come first: the dialog would take the keys itself.
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void OnOK() override {}
    void OnCancel() override {}

    // Format pages refill their format and preset lists; 1 here (nothing to refresh).
    virtual int RefreshFormats() { return 1; }
    // Format pages let go of their preset, keeping its name for RefreshFormats to take it again.
    virtual void ReleasePreset() {}
    // Takes the dialog's data into the members: 0, or non-zero to refuse a start.
    virtual int CollectData();
    // Checks the collected data before a start: 0, or non-zero (after saying why) to refuse.
    virtual int Validate() { return 0; }

    // Enables or disables the control when the page has it.
    void EnableItem(UINT nID, BOOL bEnable);
    // The tip of a control of this page.
    void SetTip(UINT nID, LPCWSTR lpszTip);
    // The animation's step: the position grows by 2 and wraps to 0 past the range.
    static LONGLONG NextBusyPosition(LONGLONG position, LONGLONG range);

    COwnerPaintStatic m_stateIcon;
    std::atomic<int> m_bDeleteSource{0};
    CTaskProgressCtrl m_progress;
    BOOL m_bFill = FALSE;  // the view stretches the page over its area
    std::atomic<int> m_bClosing{0};  // from the page's end on; the task thread reads it

    static const UINT_PTR kBusyTimer = 100;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnDestroy();
    BOOL OnEraseBkgnd(CDC* pDC);
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    void OnTimer(UINT_PTR nIDEvent);
    void OnDeleteSourceClicked();
    DECLARE_MESSAGE_MAP()

private:
    void ReplaceProgressPlaceholder();
};
