// CMaskedEdit: an edit whose text follows a mask: digits (the allowed characters) go only where
// the mask has '#', every other mask character is a literal that stays in place. Typing
// overwrites in place and never shifts the text; Backspace inside the text turns digits into
// '0', at the end it deletes. Cut, Clear, Delete and Paste keep the mask too.
// CTimeEdit: the mask "##:##:##.###" holding a time in milliseconds.
#pragma once
#include "classlib/CEdit.h"

class CDataExchange;

class CMaskedEdit : public CEdit {
    DECLARE_DYNAMIC(CMaskedEdit)
public:
    CString m_strMask = L"##.##.##.###";
    CString m_strAllowed = L"0123456789";
    int m_bCtrlDown = 0;

    // With a non-empty selection: deleted when it reaches the end of the text, else each
    // position becomes '0' under a '#' and the mask's literal elsewhere. Returns 1.
    int ClearSelection();
    // Fills positions from the selection start with the clipboard's text, as typing would.
    void Paste();

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnKillFocus(CWnd* pNewWnd);
    DECLARE_MESSAGE_MAP()

private:
    bool IsDigitSlot(int position) const { return position < m_strMask.GetLength() && m_strMask[position] == L'#'; }
    bool IsLiteralSlot(int position) const { return position < m_strMask.GetLength() && m_strMask[position] != L'#'; }
    bool IsAllowed(wchar_t ch) const { return ch && wcschr(m_strAllowed, ch) != nullptr; }
    void Backspace(CString& text, int& start, int end) const;
    bool Type(CString& text, int& caret, wchar_t ch) const;
    void Show(const CString& text, int start, int end);
};

class CTimeEdit : public CMaskedEdit {
    DECLARE_DYNAMIC(CTimeEdit)
public:
    CTimeEdit() { m_strMask = L"##:##:##.###"; }

    // Shows the time as "00:01:30.000".
    void SetTime(LONGLONG nMilliseconds);
    // The time the text stands for (its first 63 characters); 0 for an empty text.
    LONGLONG GetTime() const;
};

// Loads the control with the time, or saves its text's time into nMilliseconds.
void DDX_TimeMs(CDataExchange* pDX, int nIDC, LONGLONG& nMilliseconds);
