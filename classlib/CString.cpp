#include "classlib/CString.h"
#include "classlib/AfxModule.h"
#include <string.h>
#include <wchar.h>
#include <utility>

namespace {

const wchar_t kBlanks[] = L" \t\n\v\f\r";

bool InSet(LPCWSTR pszSet, wchar_t ch)
{
    return ch != 0 && wcschr(pszSet, ch) != nullptr;
}

// Converts 8-bit text in the ANSI code page.
void WidenInto(CString& out, LPCSTR pch, int nLength)
{
    if (!pch || nLength <= 0) {
        out.Empty();
        return;
    }
    int n = MultiByteToWideChar(CP_ACP, 0, pch, nLength, nullptr, 0);
    if (n <= 0) {
        out.Empty();
        return;
    }
    MultiByteToWideChar(CP_ACP, 0, pch, nLength, out.GetBuffer(n), n);
    out.ReleaseBuffer(n);
}

}  // namespace

CString::CString(LPCWSTR psz)
{
    AssignText(psz);
}

CString::CString(LPCWSTR pch, int nLength)
{
    Assign(pch, nLength);
}

CString::CString(LPCSTR psz)
{
    WidenInto(*this, psz, psz ? static_cast<int>(strlen(psz)) : 0);
}

CString::CString(LPCSTR pch, int nLength)
{
    WidenInto(*this, pch, nLength);
}

CString::CString(const CStringA& str)
{
    WidenInto(*this, str, str.GetLength());
}

CString::CString(wchar_t ch, int nRepeat)
{
    if (nRepeat <= 0)
        return;
    wchar_t* p = GetBuffer(nRepeat);
    for (int i = 0; i < nRepeat; i++)
        p[i] = ch;
    ReleaseBuffer(nRepeat);
}

void CString::AssignText(LPCWSTR psz)
{
    if (psz && IS_INTRESOURCE(psz))
        LoadString(LOWORD(reinterpret_cast<ULONG_PTR>(psz)));
    else
        Assign(psz, Measure(psz));
}

CString& CString::operator=(LPCWSTR psz)
{
    AssignText(psz);
    return *this;
}

CString& CString::operator=(LPCSTR psz)
{
    WidenInto(*this, psz, psz ? static_cast<int>(strlen(psz)) : 0);
    return *this;
}

CString& CString::operator=(const CStringA& str)
{
    WidenInto(*this, str, str.GetLength());
    return *this;
}

CString& CString::operator=(wchar_t ch)
{
    Assign(&ch, 1);
    return *this;
}

CString& CString::operator+=(const CString& str)
{
    Append(str.m_pData, str.m_nLength);
    return *this;
}

CString& CString::operator+=(LPCWSTR psz)
{
    Append(psz, Measure(psz));
    return *this;
}

CString& CString::operator+=(wchar_t ch)
{
    Append(&ch, 1);
    return *this;
}

void CString::Format(LPCWSTR pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    FormatV(pszFormat, args);
    va_end(args);
}

void CString::Format(UINT nFormatID, ...)
{
    CString format;
    format.LoadString(nFormatID);
    va_list args;
    va_start(args, nFormatID);
    FormatV(format, args);
    va_end(args);
}

void CString::AppendFormat(LPCWSTR pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    AppendFormatV(pszFormat, args);
    va_end(args);
}

BOOL CString::LoadString(UINT nID)
{
    // A zero buffer length returns a pointer to the resource text itself, which has no NUL.
    const wchar_t* p = nullptr;
    int n = ::LoadStringW(AfxGetResourceHandle(), nID, reinterpret_cast<LPWSTR>(&p), 0);
    if (n <= 0 || !p) {
        Empty();
        return FALSE;
    }
    Assign(p, n);
    return TRUE;
}

CString& CString::Trim()
{
    return Trim(kBlanks);
}

CString& CString::Trim(wchar_t chTarget)
{
    return TrimRight(chTarget).TrimLeft(chTarget);
}

CString& CString::Trim(LPCWSTR pszTargets)
{
    return TrimRight(pszTargets).TrimLeft(pszTargets);
}

CString& CString::TrimLeft()
{
    return TrimLeft(kBlanks);
}

CString& CString::TrimLeft(wchar_t chTarget)
{
    const wchar_t set[2] = {chTarget, 0};
    return TrimLeft(set);
}

CString& CString::TrimLeft(LPCWSTR pszTargets)
{
    if (!pszTargets)
        return *this;
    int i = 0;
    while (i < m_nLength && InSet(pszTargets, m_pData[i]))
        i++;
    if (i > 0)
        Assign(m_pData + i, m_nLength - i);
    return *this;
}

CString& CString::TrimRight()
{
    return TrimRight(kBlanks);
}

CString& CString::TrimRight(wchar_t chTarget)
{
    const wchar_t set[2] = {chTarget, 0};
    return TrimRight(set);
}

CString& CString::TrimRight(LPCWSTR pszTargets)
{
    if (!pszTargets)
        return *this;
    int n = m_nLength;
    while (n > 0 && InSet(pszTargets, m_pData[n - 1]))
        n--;
    if (n < m_nLength)
        Assign(m_pData, n);
    return *this;
}

int CString::Find(wchar_t ch, int nStart) const
{
    for (int i = nStart < 0 ? 0 : nStart; i < m_nLength; i++) {
        if (m_pData[i] == ch)
            return i;
    }
    return -1;
}

int CString::Find(LPCWSTR pszSub, int nStart) const
{
    if (!pszSub || nStart > m_nLength)
        return -1;
    if (nStart < 0)
        nStart = 0;
    int nSub = Measure(pszSub);
    for (int i = nStart; i <= m_nLength - nSub; i++) {
        if (wmemcmp(m_pData + i, pszSub, nSub) == 0)
            return i;
    }
    return -1;
}

int CString::ReverseFind(wchar_t ch) const
{
    for (int i = m_nLength - 1; i >= 0; i--) {
        if (m_pData[i] == ch)
            return i;
    }
    return -1;
}

CString CString::Left(int nCount) const
{
    return Mid(0, nCount);
}

CString CString::Mid(int nFirst) const
{
    return Mid(nFirst, m_nLength);
}

CString CString::Mid(int nFirst, int nCount) const
{
    if (nFirst < 0)
        nFirst = 0;
    if (nFirst > m_nLength)
        nFirst = m_nLength;
    if (nCount < 0)
        nCount = 0;
    if (nCount > m_nLength - nFirst)
        nCount = m_nLength - nFirst;
    return CString(m_pData + nFirst, nCount);
}

CString CString::Right(int nCount) const
{
    if (nCount < 0)
        nCount = 0;
    if (nCount > m_nLength)
        nCount = m_nLength;
    return CString(m_pData + m_nLength - nCount, nCount);
}

int CString::Replace(wchar_t chOld, wchar_t chNew)
{
    int count = 0;
    for (int i = 0; i < m_nLength; i++) {
        if (m_pData[i] == chOld) {
            m_pData[i] = chNew;
            count++;
        }
    }
    return count;
}

int CString::Replace(LPCWSTR pszOld, LPCWSTR pszNew)
{
    int nOld = Measure(pszOld);
    if (nOld == 0)
        return 0;
    int nNew = Measure(pszNew);
    CString out;
    int count = 0;
    int from = 0;
    for (int at = Find(pszOld); at >= 0; at = Find(pszOld, from)) {
        out.Append(m_pData + from, at - from);
        out.Append(pszNew, nNew);
        from = at + nOld;
        count++;
    }
    if (count > 0) {
        out.Append(m_pData + from, m_nLength - from);
        *this = std::move(out);
    }
    return count;
}

int CString::Remove(wchar_t ch)
{
    int kept = 0;
    for (int i = 0; i < m_nLength; i++) {
        if (m_pData[i] != ch)
            m_pData[kept++] = m_pData[i];
    }
    int count = m_nLength - kept;
    if (count > 0) {
        m_pData[kept] = 0;
        m_nLength = kept;
    }
    return count;
}

CString& CString::MakeLower()
{
    if (m_nLength > 0)
        CharLowerBuffW(m_pData, m_nLength);
    return *this;
}

CString& CString::MakeUpper()
{
    if (m_nLength > 0)
        CharUpperBuffW(m_pData, m_nLength);
    return *this;
}

int CString::Compare(LPCWSTR psz) const
{
    return wcscmp(m_pData, psz ? psz : L"");
}

// Ordinal and case-blind over all of Unicode, the way file names compare.
int CString::CompareNoCase(LPCWSTR psz) const
{
    return CompareStringOrdinal(m_pData, -1, psz ? psz : L"", -1, TRUE) - CSTR_EQUAL;
}

CString operator+(const CString& a, const CString& b)
{
    CString s(a);
    s += b;
    return s;
}

CString operator+(const CString& a, LPCWSTR b)
{
    CString s(a);
    s += b;
    return s;
}

CString operator+(LPCWSTR a, const CString& b)
{
    CString s(a);
    s += b;
    return s;
}

CString operator+(const CString& a, wchar_t b)
{
    CString s(a);
    s += b;
    return s;
}

CString operator+(wchar_t a, const CString& b)
{
    CString s(a);
    s += b;
    return s;
}
