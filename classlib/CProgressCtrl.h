// CProgressCtrl: a progress bar.
#pragma once
#include "classlib/AfxControls.h"

class CProgressCtrl : public CWnd {
    DECLARE_DYNAMIC(CProgressCtrl)
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
    {
        return AfxCreateControl(this, PROGRESS_CLASSW, nullptr, dwStyle, rect, pParentWnd, nID);
    }

    void SetRange(short nLower, short nUpper) { SetRange32(nLower, nUpper); }
    void SetRange32(int nLower, int nUpper) { SendMessage(PBM_SETRANGE32, nLower, nUpper); }
    void GetRange(int& nLower, int& nUpper) const
    {
        PBRANGE range = {};
        SendMessage(PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
        nLower = range.iLow, nUpper = range.iHigh;
    }
    int GetPos() const { return static_cast<int>(SendMessage(PBM_GETPOS)); }
    int SetPos(int nPos) { return static_cast<int>(SendMessage(PBM_SETPOS, nPos)); }  // the previous position
    int OffsetPos(int nPos) { return static_cast<int>(SendMessage(PBM_DELTAPOS, nPos)); }
    int SetStep(int nStep) { return static_cast<int>(SendMessage(PBM_SETSTEP, nStep)); }
    int StepIt() { return static_cast<int>(SendMessage(PBM_STEPIT)); }
    COLORREF SetBarColor(COLORREF clrBar) { return static_cast<COLORREF>(SendMessage(PBM_SETBARCOLOR, 0, clrBar)); }
    COLORREF SetBkColor(COLORREF clrNew) { return static_cast<COLORREF>(SendMessage(PBM_SETBKCOLOR, 0, clrNew)); }
};
