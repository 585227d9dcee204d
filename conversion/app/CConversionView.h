// CConversionView: the body of the main frame. It owns the five tool descriptors, puts one tab
// per tool into the frame's tab strip, creates each tool's page the first time its tab is shown,
// shows one page at a time centred in the view, and writes the tool's description into the
// status bar. "Video && Audio Formats..." opens the format manager; the pages hold presets for
// it (they let go of them around a reset) and refresh their format lists however it closes,
// since it keeps every change it made.
#pragma once
#include "classlib/CView.h"
#include "conversion/app/CPresetHolders.h"
#include "conversion/app/CToolItem.h"

class CToolTabBar;

class CConversionView : public CView, public CPresetHolders {
    DECLARE_DYNCREATE(CConversionView)
public:
    CConversionView() = default;

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void OnInitialUpdate() override;
    void OnDraw(CDC* pDC) override {}

    void SetToolTabBar(CToolTabBar* pBar) { m_pBar = pBar; }
    // Selects the tab and shows its page; an index out of range shows the first tool. 0, or -1
    // when there is no tool to show.
    int ShowPage(int nIndex);
    void LayoutPages();
    void UpdatePageControls(CFrameWnd* pFrame);
    CString GetCurrentDescription() const;
    CToolItem* GetTool(int nIndex) const;
    void ReleasePresets() override;
    void RefreshPresets() override;

    CToolItemArray m_tools;
    CToolTabBar* m_pBar = nullptr;

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnSize(UINT nType, int cx, int cy);
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnVideoAudioFormats();
    void OnReservedCommand() {}
    DECLARE_MESSAGE_MAP()

private:
    void BuildTabs();
    int ShowTool(CToolItem* pTool);

    int m_nCurrent = -1;
};
