// Dialog data exchange: DoDataExchange moves values between a window's controls and its
// members with the DDX_ functions (and checks them with DDV_ ones). UpdateData(FALSE) loads
// the controls; UpdateData(TRUE) saves and validates them.
//
// A value that cannot be saved (not a number, out of range) is reported in a message box
// owned by the window; its control gets the focus (an edit's text selected) and the exchange
// stops there: the members after it keep their values and UpdateData answers FALSE. A DDV_
// check looks at the member that the DDX_ call before it has saved, so a value out of range
// stays in that member.
#pragma once
#include "classlib/CWnd.h"

class CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate);

    // The control with the id, remembered as the one to focus when a later check fails. A
    // missing control ends the exchange (a fault of the program, traced to the debugger).
    HWND PrepareCtrl(int nIDC);
    HWND PrepareEditCtrl(int nIDC);  // the same; its text is selected on failure
    // Focuses the last prepared control and ends the exchange.
    [[noreturn]] void Fail();

    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;
    HWND m_hWndLastControl;
    BOOL m_bEditLastControl;
};

// What Fail throws; UpdateData catches it. Nothing else should.
class CUserException {};

// Attaches rControl to the control (once): its messages reach rControl's message map.
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
// Text: numbers as decimal text; blanks around a number are allowed when saving.
void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
void DDX_Text(CDataExchange* pDX, int nIDC, int& value);
void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value);
void DDX_Text(CDataExchange* pDX, int nIDC, double& value);
// A check box's state: BST_UNCHECKED, BST_CHECKED or BST_INDETERMINATE.
void DDX_Check(CDataExchange* pDX, int nIDC, int& value);
// The index of the checked button in the group of radio buttons that starts at nIDC (up to
// the next control with WS_GROUP); -1 when none is checked.
void DDX_Radio(CDataExchange* pDX, int nIDC, int& value);
// A combo box's selected index (-1 for none).
void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index);
// A combo box's text. Loading selects the first item that starts with the text; a combo with
// an edit field shows the text itself when no item does. An empty text selects nothing.
void DDX_CBString(CDataExchange* pDX, int nIDC, CString& value);
// A slider's position.
void DDX_Slider(CDataExchange* pDX, int nIDC, int& value);

// When saving, refuses a value outside [minVal, maxVal] with a message that names the range.
void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal);
