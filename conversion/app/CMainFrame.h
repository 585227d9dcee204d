// CMainFrame: the conversion tool's main window. No menu bar: the tool tab bar on top (the five
// tools' tabs, the player button and the "Main menu" drop-down), the view with the tool pages,
// and a one-pane status bar with the current tool's description. It is dragged by its bars as by
// its caption; "Always On Top" and the end-of-session save come from its base.
#pragma once
#include "conversion/app/CConversionStatusBar.h"
#include "conversion/app/CToolTabBar.h"
#include "framework/dialogs/CAppMainWnd.h"

class CConversionView;

class CMainFrame : public CAppMainWnd {
    DECLARE_DYNCREATE(CMainFrame)
public:
    CMainFrame() = default;

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void ActivateFrame(int nCmdShow = -1) override;
    // The idle message is the current tool's description, so menus and start-up never wipe it.
    void GetMessageString(UINT nID, CString& rMessage) const override;

    CConversionStatusBar& GetStatusBar() { return m_wndStatusBar; }
    CConversionView* GetView() const { return m_pView; }

    CToolTabBar m_wndToolTabBar;
    CConversionStatusBar m_wndStatusBar;
    CConversionView* m_pView = nullptr;

protected:
    BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnDestroy();
    void OnClose();
    void OnDropFiles(HDROP hDropInfo);
    LRESULT OnIdleUpdate(WPARAM wParam, LPARAM lParam);
    void OnSelchangeToolTab(NMHDR* pNMHDR, LRESULT* pResult);
    void OnToolbarDropDown(NMHDR* pNMHDR, LRESULT* pResult);
    void OnMainMenu();
    void OnEditSelectAll();
    DECLARE_MESSAGE_MAP()
};
