#include "classlib/CDataExchange.h"
#include <commctrl.h>
#include <cerrno>
#include <cmath>
#include <cwchar>

BOOL CWnd::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    try {
        DoDataExchange(&dx);
    } catch (const CUserException&) {
        return FALSE;
    }
    return TRUE;
}

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd), m_hWndLastControl(nullptr), m_bEditLastControl(FALSE)
{
}

HWND CDataExchange::PrepareCtrl(int nIDC)
{
    HWND hWndCtrl = ::GetDlgItem(m_pDlgWnd->m_hWnd, nIDC);
    if (!hWndCtrl) {
        CString message;
        message.Format(L"Data exchange: no control %d in the window\n", nIDC);
        ::OutputDebugStringW(message);
        m_hWndLastControl = nullptr;
        throw CUserException();
    }
    m_hWndLastControl = hWndCtrl;
    m_bEditLastControl = FALSE;
    return hWndCtrl;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC)
{
    HWND hWndCtrl = PrepareCtrl(nIDC);
    m_bEditLastControl = TRUE;
    return hWndCtrl;
}

void CDataExchange::Fail()
{
    if (m_hWndLastControl) {
        ::SetFocus(m_hWndLastControl);
        if (m_bEditLastControl)
            ::SendMessageW(m_hWndLastControl, EM_SETSEL, 0, -1);
    }
    throw CUserException();
}

namespace {

CString WindowText(HWND hWnd)
{
    CString text;
    int nLength = ::GetWindowTextLengthW(hWnd);
    int nCopied = ::GetWindowTextW(hWnd, text.GetBuffer(nLength), nLength + 1);
    text.ReleaseBuffer(nCopied);
    return text;
}

// Reports a value that cannot be saved and ends the exchange.
[[noreturn]] void Refuse(CDataExchange* pDX, LPCWSTR lpszMessage)
{
    pDX->m_pDlgWnd->MessageBox(lpszMessage, nullptr, MB_OK | MB_ICONEXCLAMATION);
    pDX->Fail();
}

// The control's text without the blanks around it; the whole of it must be the number.
CString NumberText(CDataExchange* pDX, int nIDC)
{
    CString text = WindowText(pDX->PrepareEditCtrl(nIDC));
    text.Trim();
    return text;
}

bool ParsedWhole(const CString& text, const wchar_t* pEnd)
{
    return !text.IsEmpty() && pEnd == static_cast<LPCWSTR>(text) + text.GetLength() && errno != ERANGE;
}

void SetText(CDataExchange* pDX, int nIDC, LPCWSTR lpszText)
{
    ::SetWindowTextW(pDX->PrepareEditCtrl(nIDC), lpszText);
}

bool IsRadioButton(HWND hWnd)
{
    wchar_t className[16] = {};
    ::GetClassNameW(hWnd, className, 16);
    UINT nType = static_cast<UINT>(::GetWindowLongPtrW(hWnd, GWL_STYLE)) & BS_TYPEMASK;
    return lstrcmpiW(className, WC_BUTTONW) == 0 && (nType == BS_RADIOBUTTON || nType == BS_AUTORADIOBUTTON);
}

}  // namespace

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (rControl.m_hWnd)
        return;
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (!rControl.SubclassWindow(hWndCtrl)) {
        ::OutputDebugStringW(L"Data exchange: the control is attached to another object already\n");
        throw CUserException();
    }
}

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value)
{
    if (pDX->m_bSaveAndValidate)
        value = WindowText(pDX->PrepareEditCtrl(nIDC));
    else
        SetText(pDX, nIDC, value);
}

void DDX_Text(CDataExchange* pDX, int nIDC, int& value)
{
    if (!pDX->m_bSaveAndValidate) {
        CString text;
        text.Format(L"%d", value);
        SetText(pDX, nIDC, text);
        return;
    }
    CString text = NumberText(pDX, nIDC);
    wchar_t* pEnd = nullptr;
    errno = 0;
    long parsed = wcstol(text, &pEnd, 10);
    if (!ParsedWhole(text, pEnd))
        Refuse(pDX, L"Enter an integer.");
    value = static_cast<int>(parsed);
}

void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value)
{
    if (!pDX->m_bSaveAndValidate) {
        CString text;
        text.Format(L"%u", value);
        SetText(pDX, nIDC, text);
        return;
    }
    CString text = NumberText(pDX, nIDC);
    wchar_t* pEnd = nullptr;
    errno = 0;
    unsigned long parsed = wcstoul(text, &pEnd, 10);
    // wcstoul takes "-1" as a huge number.
    if (!ParsedWhole(text, pEnd) || text[0] == L'-')
        Refuse(pDX, L"Enter an integer of 0 or more.");
    value = static_cast<UINT>(parsed);
}

void DDX_Text(CDataExchange* pDX, int nIDC, double& value)
{
    if (!pDX->m_bSaveAndValidate) {
        CString text;
        text.Format(L"%.15g", value);
        SetText(pDX, nIDC, text);
        return;
    }
    CString text = NumberText(pDX, nIDC);
    wchar_t* pEnd = nullptr;
    errno = 0;
    double parsed = wcstod(text, &pEnd);
    if (!ParsedWhole(text, pEnd) || !std::isfinite(parsed))
        Refuse(pDX, L"Enter a number.");
    value = parsed;
}

void DDX_Check(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = static_cast<int>(::SendMessageW(hWndCtrl, BM_GETCHECK, 0, 0));
    else
        ::SendMessageW(hWndCtrl, BM_SETCHECK, value, 0);
}

void DDX_Radio(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hWndFirst = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = -1;
    int nIndex = 0;
    for (HWND hWnd = hWndFirst; hWnd; hWnd = ::GetWindow(hWnd, GW_HWNDNEXT)) {
        if (hWnd != hWndFirst && (::GetWindowLongPtrW(hWnd, GWL_STYLE) & WS_GROUP))
            break;
        if (!IsRadioButton(hWnd))
            continue;
        if (!pDX->m_bSaveAndValidate)
            ::SendMessageW(hWnd, BM_SETCHECK, nIndex == value ? BST_CHECKED : BST_UNCHECKED, 0);
        else if (::SendMessageW(hWnd, BM_GETCHECK, 0, 0) == BST_CHECKED)
            value = nIndex;
        ++nIndex;
    }
}

void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        index = static_cast<int>(::SendMessageW(hWndCtrl, CB_GETCURSEL, 0, 0));
    else
        ::SendMessageW(hWndCtrl, CB_SETCURSEL, index, 0);
}

void DDX_CBString(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        value = WindowText(hWndCtrl);
        return;
    }
    // An empty text would select the first item, as every item starts with it.
    LRESULT nFound = value.IsEmpty() ? CB_ERR
                                     : ::SendMessageW(hWndCtrl, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                                                      reinterpret_cast<LPARAM>(static_cast<LPCWSTR>(value)));
    if (nFound != CB_ERR)
        return;
    ::SendMessageW(hWndCtrl, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    bool bHasEdit = (::GetWindowLongPtrW(hWndCtrl, GWL_STYLE) & 3) != CBS_DROPDOWNLIST;
    if (bHasEdit)
        ::SetWindowTextW(hWndCtrl, value);
}

void DDX_Slider(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = static_cast<int>(::SendMessageW(hWndCtrl, TBM_GETPOS, 0, 0));
    else
        ::SendMessageW(hWndCtrl, TBM_SETPOS, TRUE, value);
}

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal)
{
    if (!pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal))
        return;
    CString message;
    message.Format(L"Enter an integer from %d to %d.", minVal, maxVal);
    Refuse(pDX, message);
}
