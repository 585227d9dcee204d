#include "classlib/CString.h"
#include <stdio.h>
#include <string.h>
#include <wchar.h>
#include <utility>

namespace {

int MeasureText(const wchar_t* psz, int nMax) { return static_cast<int>(wcsnlen(psz, nMax)); }
int MeasureText(const char* psz, int nMax) { return static_cast<int>(strnlen(psz, nMax)); }

// The msvcrt formatters, for Microsoft printf rules in both widths.
int FormattedLength(const wchar_t* pszFormat, va_list args) { return _vscwprintf(pszFormat, args); }
int FormattedLength(const char* pszFormat, va_list args) { return _vscprintf(pszFormat, args); }
void FormatInto(wchar_t* p, int nSize, const wchar_t* pszFormat, va_list args)
{
    _vsnwprintf(p, nSize, pszFormat, args);
}
void FormatInto(char* p, int nSize, const char* pszFormat, va_list args)
{
    _vsnprintf(p, nSize, pszFormat, args);
}

}  // namespace

template <class Ch>
Ch CStringBuffer<Ch>::s_nil = 0;

template <class Ch>
CStringBuffer<Ch>::CStringBuffer(const CStringBuffer& other) : CStringBuffer()
{
    Assign(other.m_pData, other.m_nLength);
}

template <class Ch>
CStringBuffer<Ch>::CStringBuffer(CStringBuffer&& other) noexcept
    : m_pData(other.m_pData), m_nLength(other.m_nLength), m_nCapacity(other.m_nCapacity)
{
    other.m_pData = &s_nil;
    other.m_nLength = 0;
    other.m_nCapacity = 0;
}

template <class Ch>
CStringBuffer<Ch>::~CStringBuffer()
{
    Free();
}

template <class Ch>
CStringBuffer<Ch>& CStringBuffer<Ch>::operator=(const CStringBuffer& other)
{
    if (this != &other)
        Assign(other.m_pData, other.m_nLength);
    return *this;
}

template <class Ch>
CStringBuffer<Ch>& CStringBuffer<Ch>::operator=(CStringBuffer&& other) noexcept
{
    if (this != &other) {
        Free();
        m_pData = other.m_pData;
        m_nLength = other.m_nLength;
        m_nCapacity = other.m_nCapacity;
        other.m_pData = &s_nil;
        other.m_nLength = 0;
        other.m_nCapacity = 0;
    }
    return *this;
}

template <class Ch>
void CStringBuffer<Ch>::Free()
{
    if (m_nCapacity > 0)
        delete[] m_pData;
    m_pData = &s_nil;
    m_nLength = 0;
    m_nCapacity = 0;
}

template <class Ch>
void CStringBuffer<Ch>::Empty()
{
    Free();
}

template <class Ch>
Ch CStringBuffer<Ch>::GetAt(int nIndex) const
{
    return nIndex >= 0 && nIndex < m_nLength ? m_pData[nIndex] : Ch(0);
}

template <class Ch>
void CStringBuffer<Ch>::SetAt(int nIndex, Ch ch)
{
    if (nIndex >= 0 && nIndex < m_nLength)
        m_pData[nIndex] = ch;
}

template <class Ch>
int CStringBuffer<Ch>::Measure(const Ch* psz)
{
    return psz ? MeasureText(psz, 0x7FFFFFFE) : 0;
}

// Grows the buffer (never shrinks it), keeping the text; the empty text always gets a buffer
// of its own because the caller is about to write into it.
template <class Ch>
void CStringBuffer<Ch>::Reserve(int nCapacity)
{
    if (nCapacity <= m_nCapacity && m_nCapacity > 0)
        return;
    if (nCapacity < 1)
        nCapacity = 1;
    Ch* p = new Ch[nCapacity + 1];
    memcpy(p, m_pData, m_nLength * sizeof(Ch));
    p[m_nLength] = 0;
    int nLength = m_nLength;
    Free();
    m_pData = p;
    m_nLength = nLength;
    m_nCapacity = nCapacity;
}

template <class Ch>
void CStringBuffer<Ch>::Assign(const Ch* pch, int nLength)
{
    if (!pch || nLength <= 0) {
        Empty();
        return;
    }
    if (nLength > m_nCapacity) {
        Ch* p = new Ch[nLength + 1];
        memcpy(p, pch, nLength * sizeof(Ch));
        Free();
        m_pData = p;
        m_nCapacity = nLength;
    } else {
        memmove(m_pData, pch, nLength * sizeof(Ch));
    }
    m_pData[nLength] = 0;
    m_nLength = nLength;
}

template <class Ch>
void CStringBuffer<Ch>::Append(const Ch* pch, int nLength)
{
    if (!pch || nLength <= 0)
        return;
    int nNewLength = m_nLength + nLength;
    if (nNewLength > m_nCapacity) {
        // Doubling keeps a loop of appends linear.
        int nCapacity = m_nCapacity < 0x20000000 ? m_nCapacity * 2 : nNewLength;
        if (nCapacity < nNewLength)
            nCapacity = nNewLength;
        Ch* p = new Ch[nCapacity + 1];
        memcpy(p, m_pData, m_nLength * sizeof(Ch));
        memcpy(p + m_nLength, pch, nLength * sizeof(Ch));
        int nOldLength = m_nLength;
        Free();
        m_pData = p;
        m_nLength = nOldLength;
        m_nCapacity = nCapacity;
    } else {
        memmove(m_pData + m_nLength, pch, nLength * sizeof(Ch));
    }
    m_pData[nNewLength] = 0;
    m_nLength = nNewLength;
}

template <class Ch>
Ch* CStringBuffer<Ch>::GetBuffer(int nMinBufLength)
{
    Reserve(nMinBufLength > m_nLength ? nMinBufLength : m_nLength);
    return m_pData;
}

template <class Ch>
Ch* CStringBuffer<Ch>::GetBufferSetLength(int nNewLength)
{
    if (nNewLength < 0)
        nNewLength = 0;
    Reserve(nNewLength);
    m_nLength = nNewLength;
    m_pData[nNewLength] = 0;
    return m_pData;
}

template <class Ch>
void CStringBuffer<Ch>::ReleaseBuffer(int nNewLength)
{
    if (m_nCapacity == 0)
        return;
    if (nNewLength < 0)
        nNewLength = MeasureText(m_pData, m_nCapacity);
    if (nNewLength > m_nCapacity)
        nNewLength = m_nCapacity;
    m_pData[nNewLength] = 0;
    m_nLength = nNewLength;
}

template <class Ch>
void CStringBuffer<Ch>::FormatV(const Ch* pszFormat, va_list args)
{
    CStringBuffer out;
    if (pszFormat) {
        va_list counting;
        va_copy(counting, args);
        int n = FormattedLength(pszFormat, counting);
        va_end(counting);
        if (n > 0) {
            FormatInto(out.GetBuffer(n), n + 1, pszFormat, args);
            out.ReleaseBuffer(n);
        }
    }
    *this = std::move(out);
}

template <class Ch>
void CStringBuffer<Ch>::AppendFormatV(const Ch* pszFormat, va_list args)
{
    CStringBuffer text;
    text.FormatV(pszFormat, args);
    Append(text.m_pData, text.m_nLength);
}

template class CStringBuffer<wchar_t>;
template class CStringBuffer<char>;
