// A dialog that can answer itself: while its "Auto close" check box (2151) is on, a countdown
// runs once a second and the dialog is closed with OK when it reaches 0. Turning the box off
// and on again continues the countdown where it stood.
#pragma once
#include "conversion/app/controls/CCXDialog.h"

class CAutoCloseDlg : public CCXDialog {
    DECLARE_DYNAMIC(CAutoCloseDlg)
public:
    using CCXDialog::CCXDialog;

    static const UINT_PTR kTimerId = 110;

    int m_countdown = 20;  // seconds left
    int m_autoClose = 0;   // the check box

    BOOL OnInitDialog() override;
    // The check box's text for the seconds left: "Auto close in 00:20".
    static CString CountdownText(int seconds);

protected:
    void OnAutoCloseClicked();
    void OnTimer(UINT_PTR nIDEvent);
    void OnDestroy();
    DECLARE_MESSAGE_MAP()
};
