// CControlBar: a bar along an edge of its frame (a tool bar, a status bar, or a bar a program
// draws itself). The frame's RecalcLayout asks each visible bar for its size with
// CalcFixedLayout and gives it a strip of the client area on the edge its bar style names.
// At idle time the bar updates its items through OnUpdateCmdUI. Commands and notifications
// from its child controls that the bar does not handle go on to its owner (normally the frame).
#pragma once
#include "classlib/CWnd.h"
#include "classlib/Resource.h"
#include <commctrl.h>

class CFrameWnd;

// Bar styles (m_dwStyle): the edge, the borders and the tips.
#define CBRS_ALIGN_LEFT 0x1000L
#define CBRS_ALIGN_TOP 0x2000L
#define CBRS_ALIGN_RIGHT 0x4000L
#define CBRS_ALIGN_BOTTOM 0x8000L
#define CBRS_ALIGN_ANY 0xF000L
#define CBRS_BORDER_LEFT 0x0100L
#define CBRS_BORDER_TOP 0x0200L
#define CBRS_BORDER_RIGHT 0x0400L
#define CBRS_BORDER_BOTTOM 0x0800L
#define CBRS_BORDER_ANY 0x0F00L
#define CBRS_TOOLTIPS 0x0010L
#define CBRS_FLYBY 0x0020L
#define CBRS_BORDER_3D 0x0080L
#define CBRS_SIZE_FIXED 0x0002L
#define CBRS_GRIPPER 0x00400000L
#define CBRS_ORIENT_HORZ (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)
#define CBRS_ORIENT_VERT (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)
#define CBRS_LEFT (CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT)
#define CBRS_TOP (CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM)
#define CBRS_RIGHT (CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT)
#define CBRS_BOTTOM (CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP)
#define CBRS_NOALIGN 0x00000000L
#define CBRS_ALL 0x0040FFFFL

class CControlBar : public CWnd {
    DECLARE_DYNAMIC(CControlBar)
public:
    CControlBar();

    DWORD GetBarStyle() const { return m_dwStyle; }
    virtual void SetBarStyle(DWORD dwStyle) { m_dwStyle = dwStyle & CBRS_ALL; }

    // The size the bar wants; a stretched bar spans the frame (32767 in that direction).
    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
    // Runs the update handlers of the bar's items, with pTarget (the frame) routing them.
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) = 0;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    DWORD m_dwStyle;  // the CBRS_ bits
};
