// Text values: CString holds UTF-16 text, CStringA 8-bit text in the ANSI code page.
// Both are plain values (each copy owns its buffer) and convert implicitly to a C string,
// which is how they are passed to a "%s" argument: (LPCWSTR)str.
#pragma once
#include <windows.h>
#include <stdarg.h>

// The storage both string classes share: a NUL-terminated buffer with a length and a capacity.
// An index outside the text reads '\0' and writes nothing.
template <class Ch>
class CStringBuffer {
public:
    int GetLength() const { return m_nLength; }
    BOOL IsEmpty() const { return m_nLength == 0; }
    void Empty();
    Ch GetAt(int nIndex) const;
    void SetAt(int nIndex, Ch ch);
    Ch operator[](int nIndex) const { return GetAt(nIndex); }
    operator const Ch*() const { return m_pData; }

    // The buffer holds at least nMinBufLength characters and a NUL, the text kept; the length
    // stays that of the text before the call until ReleaseBuffer.
    Ch* GetBuffer(int nMinBufLength);
    Ch* GetBufferSetLength(int nNewLength);
    // -1 measures the text up to its NUL; a length past the buffer is cut to the buffer.
    void ReleaseBuffer(int nNewLength = -1);

    // Formats into a fresh buffer, so an argument may point into this string's own text.
    void FormatV(const Ch* pszFormat, va_list args);

protected:
    CStringBuffer() noexcept : m_pData(&s_nil), m_nLength(0), m_nCapacity(0) {}
    CStringBuffer(const CStringBuffer& other);
    CStringBuffer(CStringBuffer&& other) noexcept;
    ~CStringBuffer();
    CStringBuffer& operator=(const CStringBuffer& other);
    CStringBuffer& operator=(CStringBuffer&& other) noexcept;

    // The source may lie inside this string's own buffer.
    void Assign(const Ch* pch, int nLength);
    void Append(const Ch* pch, int nLength);
    void AppendFormatV(const Ch* pszFormat, va_list args);
    static int Measure(const Ch* psz);  // 0 for a null pointer

    Ch* m_pData;
    int m_nLength;
    int m_nCapacity;  // characters besides the NUL; 0 means m_pData is the shared empty text

private:
    void Reserve(int nCapacity);
    void Free();
    static Ch s_nil;
};

extern template class CStringBuffer<wchar_t>;
extern template class CStringBuffer<char>;

class CStringA;

class CString : public CStringBuffer<wchar_t> {
public:
    CString() noexcept {}
    CString(const CString&) = default;
    CString(CString&&) noexcept = default;
    CString& operator=(const CString&) = default;
    CString& operator=(CString&&) noexcept = default;

    CString(LPCWSTR psz);  // a MAKEINTRESOURCE id loads that string from the string table
    CString(LPCWSTR pch, int nLength);
    CString(LPCSTR psz);  // 8-bit text in the ANSI code page
    CString(LPCSTR pch, int nLength);
    CString(const CStringA& str);
    CString(wchar_t ch, int nRepeat = 1);

    CString& operator=(LPCWSTR psz);
    CString& operator=(LPCSTR psz);
    CString& operator=(const CStringA& str);
    CString& operator=(wchar_t ch);
    CString& operator+=(const CString& str);
    CString& operator+=(LPCWSTR psz);
    CString& operator+=(wchar_t ch);

    // Microsoft printf rules: %s is wide, %S narrow, %I64d a 64-bit integer.
    void Format(LPCWSTR pszFormat, ...);
    void Format(UINT nFormatID, ...);
    void AppendFormat(LPCWSTR pszFormat, ...);
    BOOL LoadString(UINT nID);  // FALSE leaves the string empty

    CString& Trim();  // blanks: space, \t, \n, \v, \f, \r
    CString& Trim(wchar_t chTarget);
    CString& Trim(LPCWSTR pszTargets);
    CString& TrimLeft();
    CString& TrimLeft(wchar_t chTarget);
    CString& TrimLeft(LPCWSTR pszTargets);
    CString& TrimRight();
    CString& TrimRight(wchar_t chTarget);
    CString& TrimRight(LPCWSTR pszTargets);

    int Find(wchar_t ch, int nStart = 0) const;
    int Find(LPCWSTR pszSub, int nStart = 0) const;
    int ReverseFind(wchar_t ch) const;

    // Out-of-range positions and counts are clamped to the text.
    CString Left(int nCount) const;
    CString Mid(int nFirst) const;
    CString Mid(int nFirst, int nCount) const;
    CString Right(int nCount) const;

    int Replace(wchar_t chOld, wchar_t chNew);
    int Replace(LPCWSTR pszOld, LPCWSTR pszNew);
    int Remove(wchar_t ch);
    CString& MakeLower();
    CString& MakeUpper();

    int Compare(LPCWSTR psz) const;  // <0, 0, >0 by code unit
    int CompareNoCase(LPCWSTR psz) const;

private:
    void AssignText(LPCWSTR psz);
};

CString operator+(const CString& a, const CString& b);
CString operator+(const CString& a, LPCWSTR b);
CString operator+(LPCWSTR a, const CString& b);
CString operator+(const CString& a, wchar_t b);
CString operator+(wchar_t a, const CString& b);

inline bool operator==(const CString& a, const CString& b) { return a.Compare(b) == 0; }
inline bool operator==(const CString& a, LPCWSTR b) { return a.Compare(b) == 0; }
inline bool operator==(LPCWSTR a, const CString& b) { return b.Compare(a) == 0; }
inline bool operator!=(const CString& a, const CString& b) { return a.Compare(b) != 0; }
inline bool operator!=(const CString& a, LPCWSTR b) { return a.Compare(b) != 0; }
inline bool operator!=(LPCWSTR a, const CString& b) { return b.Compare(a) != 0; }
inline bool operator<(const CString& a, const CString& b) { return a.Compare(b) < 0; }
inline bool operator<(const CString& a, LPCWSTR b) { return a.Compare(b) < 0; }
inline bool operator<(LPCWSTR a, const CString& b) { return b.Compare(a) > 0; }
inline bool operator>(const CString& a, const CString& b) { return a.Compare(b) > 0; }
inline bool operator>(const CString& a, LPCWSTR b) { return a.Compare(b) > 0; }
inline bool operator>(LPCWSTR a, const CString& b) { return b.Compare(a) < 0; }
inline bool operator<=(const CString& a, const CString& b) { return a.Compare(b) <= 0; }
inline bool operator<=(const CString& a, LPCWSTR b) { return a.Compare(b) <= 0; }
inline bool operator<=(LPCWSTR a, const CString& b) { return b.Compare(a) >= 0; }
inline bool operator>=(const CString& a, const CString& b) { return a.Compare(b) >= 0; }
inline bool operator>=(const CString& a, LPCWSTR b) { return a.Compare(b) >= 0; }
inline bool operator>=(LPCWSTR a, const CString& b) { return b.Compare(a) <= 0; }

class CStringA : public CStringBuffer<char> {
public:
    CStringA() noexcept {}
    CStringA(const CStringA&) = default;
    CStringA(CStringA&&) noexcept = default;
    CStringA& operator=(const CStringA&) = default;
    CStringA& operator=(CStringA&&) noexcept = default;

    CStringA(LPCSTR psz);
    CStringA(LPCSTR pch, int nLength);
    // Converted to the ANSI code page, which may lack characters: never implicit.
    explicit CStringA(LPCWSTR psz);
    explicit CStringA(const CString& str);

    CStringA& operator=(LPCSTR psz);
    CStringA& operator=(LPCWSTR psz);
    CStringA& operator=(const CString& str);
    CStringA& operator+=(const CStringA& str);
    CStringA& operator+=(LPCSTR psz);
    CStringA& operator+=(char ch);

    void Format(LPCSTR pszFormat, ...);
    void AppendFormat(LPCSTR pszFormat, ...);

    int Compare(LPCSTR psz) const;
};

CStringA operator+(const CStringA& a, const CStringA& b);
CStringA operator+(const CStringA& a, LPCSTR b);
CStringA operator+(LPCSTR a, const CStringA& b);

inline bool operator==(const CStringA& a, const CStringA& b) { return a.Compare(b) == 0; }
inline bool operator==(const CStringA& a, LPCSTR b) { return a.Compare(b) == 0; }
inline bool operator==(LPCSTR a, const CStringA& b) { return b.Compare(a) == 0; }
inline bool operator!=(const CStringA& a, const CStringA& b) { return a.Compare(b) != 0; }
inline bool operator!=(const CStringA& a, LPCSTR b) { return a.Compare(b) != 0; }
inline bool operator!=(LPCSTR a, const CStringA& b) { return b.Compare(a) != 0; }
inline bool operator<(const CStringA& a, const CStringA& b) { return a.Compare(b) < 0; }
