#include "classlib/CString.h"
#include <string.h>

namespace {

// Converts to the ANSI code page; characters it lacks become its default character.
void NarrowInto(CStringA& out, LPCWSTR pch, int nLength)
{
    if (!pch || nLength <= 0) {
        out.Empty();
        return;
    }
    int n = WideCharToMultiByte(CP_ACP, 0, pch, nLength, nullptr, 0, nullptr, nullptr);
    if (n <= 0) {
        out.Empty();
        return;
    }
    WideCharToMultiByte(CP_ACP, 0, pch, nLength, out.GetBuffer(n), n, nullptr, nullptr);
    out.ReleaseBuffer(n);
}

}  // namespace

CStringA::CStringA(LPCSTR psz)
{
    Assign(psz, Measure(psz));
}

CStringA::CStringA(LPCSTR pch, int nLength)
{
    Assign(pch, nLength);
}

CStringA::CStringA(LPCWSTR psz)
{
    NarrowInto(*this, psz, psz ? static_cast<int>(wcslen(psz)) : 0);
}

CStringA::CStringA(const CString& str)
{
    NarrowInto(*this, str, str.GetLength());
}

CStringA& CStringA::operator=(LPCSTR psz)
{
    Assign(psz, Measure(psz));
    return *this;
}

CStringA& CStringA::operator=(LPCWSTR psz)
{
    NarrowInto(*this, psz, psz ? static_cast<int>(wcslen(psz)) : 0);
    return *this;
}

CStringA& CStringA::operator=(const CString& str)
{
    NarrowInto(*this, str, str.GetLength());
    return *this;
}

CStringA& CStringA::operator+=(const CStringA& str)
{
    Append(str.m_pData, str.m_nLength);
    return *this;
}

CStringA& CStringA::operator+=(LPCSTR psz)
{
    Append(psz, Measure(psz));
    return *this;
}

CStringA& CStringA::operator+=(char ch)
{
    Append(&ch, 1);
    return *this;
}

void CStringA::Format(LPCSTR pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    FormatV(pszFormat, args);
    va_end(args);
}

void CStringA::AppendFormat(LPCSTR pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    AppendFormatV(pszFormat, args);
    va_end(args);
}

int CStringA::Compare(LPCSTR psz) const
{
    return strcmp(m_pData, psz ? psz : "");
}

CStringA operator+(const CStringA& a, const CStringA& b)
{
    CStringA s(a);
    s += b;
    return s;
}

CStringA operator+(const CStringA& a, LPCSTR b)
{
    CStringA s(a);
    s += b;
    return s;
}

CStringA operator+(LPCSTR a, const CStringA& b)
{
    CStringA s(a);
    s += b;
    return s;
}
