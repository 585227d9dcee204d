// Growable arrays indexed from 0: CArray<TYPE, ARG_TYPE> and the usual fixed kinds.
//
// An index outside the array never touches memory beyond it: GetAt and the const operator[]
// read a default element, SetAt does nothing, and ElementAt and operator[] return a spare
// element that the array resets on each such call (what is written there is dropped).
// Out-of-range counts and start indexes of RemoveAt are cut to the array.
#pragma once
#include <windows.h>
#include <utility>
#include <vector>
#include "classlib/CString.h"

template <class TYPE, class ARG_TYPE = const TYPE&>
class CArray {
public:
    CArray() = default;
    CArray(const CArray&) = delete;
    CArray& operator=(const CArray&) = delete;
    // Moving takes the elements and leaves the source empty (a record's Reset assigns a fresh one).
    CArray(CArray&& other) noexcept : m_data(std::move(other.m_data)) { other.m_data.clear(); }
    CArray& operator=(CArray&& other) noexcept
    {
        if (this != &other) {
            m_data = std::move(other.m_data);
            other.m_data.clear();
        }
        return *this;
    }
    virtual ~CArray() = default;

    int GetSize() const { return static_cast<int>(m_data.size()); }
    int GetCount() const { return GetSize(); }
    int GetUpperBound() const { return GetSize() - 1; }
    // Elements past a new, larger size are default-constructed; nGrowBy is only a hint.
    void SetSize(int nNewSize, int nGrowBy = -1) { m_data.resize(nNewSize > 0 ? nNewSize : 0); }

    const TYPE& GetAt(int nIndex) const { return IsIndex(nIndex) ? m_data[nIndex] : Spare(); }
    void SetAt(int nIndex, ARG_TYPE newElement);
    TYPE& ElementAt(int nIndex) { return IsIndex(nIndex) ? m_data[nIndex] : Spare(); }
    const TYPE& operator[](int nIndex) const { return GetAt(nIndex); }
    TYPE& operator[](int nIndex) { return ElementAt(nIndex); }
    TYPE* GetData() { return m_data.data(); }
    const TYPE* GetData() const { return m_data.data(); }

    int Add(ARG_TYPE newElement);  // returns the new element's index
    // An index past the end grows the array to it first.
    void InsertAt(int nIndex, ARG_TYPE newElement, int nCount = 1);
    void RemoveAt(int nIndex, int nCount = 1);
    void RemoveAll() { m_data.clear(); }
    int Append(const CArray& src);  // returns the index of the first appended element
    void Copy(const CArray& src);

private:
    bool IsIndex(int nIndex) const { return nIndex >= 0 && nIndex < GetSize(); }
    TYPE& Spare() const
    {
        m_spare = TYPE();
        return m_spare;
    }

    std::vector<TYPE> m_data;
    mutable TYPE m_spare = TYPE();
};

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::SetAt(int nIndex, ARG_TYPE newElement)
{
    if (IsIndex(nIndex))
        m_data[nIndex] = newElement;
}

template <class TYPE, class ARG_TYPE>
int CArray<TYPE, ARG_TYPE>::Add(ARG_TYPE newElement)
{
    TYPE copy(newElement);  // the argument may be an element of this array
    m_data.push_back(std::move(copy));
    return GetSize() - 1;
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::InsertAt(int nIndex, ARG_TYPE newElement, int nCount)
{
    if (nIndex < 0 || nCount <= 0)
        return;
    TYPE copy(newElement);
    if (nIndex > GetSize())
        m_data.resize(nIndex);
    m_data.insert(m_data.begin() + nIndex, nCount, copy);
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::RemoveAt(int nIndex, int nCount)
{
    if (!IsIndex(nIndex) || nCount <= 0)
        return;
    if (nCount > GetSize() - nIndex)
        nCount = GetSize() - nIndex;
    m_data.erase(m_data.begin() + nIndex, m_data.begin() + nIndex + nCount);
}

template <class TYPE, class ARG_TYPE>
int CArray<TYPE, ARG_TYPE>::Append(const CArray& src)
{
    int nOldSize = GetSize();
    if (&src == this) {
        std::vector<TYPE> copy(m_data);
        m_data.insert(m_data.end(), copy.begin(), copy.end());
    } else {
        m_data.insert(m_data.end(), src.m_data.begin(), src.m_data.end());
    }
    return nOldSize;
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::Copy(const CArray& src)
{
    if (&src != this)
        m_data = src.m_data;
}

class CPtrArray : public CArray<void*, void*> {};
class CUIntArray : public CArray<UINT, UINT> {};
class CDWordArray : public CArray<DWORD, DWORD> {};
class CStringArray : public CArray<CString, const CString&> {};

// A CPtrArray whose elements are TYPE pointers.
template <class BASE_CLASS, class TYPE>
class CTypedPtrArray : public BASE_CLASS {
public:
    TYPE GetAt(int nIndex) const { return static_cast<TYPE>(BASE_CLASS::GetAt(nIndex)); }
    TYPE& ElementAt(int nIndex) { return reinterpret_cast<TYPE&>(BASE_CLASS::ElementAt(nIndex)); }
    TYPE operator[](int nIndex) const { return GetAt(nIndex); }
    TYPE& operator[](int nIndex) { return ElementAt(nIndex); }
    TYPE* GetData() { return reinterpret_cast<TYPE*>(BASE_CLASS::GetData()); }
    void SetAt(int nIndex, TYPE ptr) { BASE_CLASS::SetAt(nIndex, ptr); }
    int Add(TYPE newElement) { return BASE_CLASS::Add(newElement); }
    void InsertAt(int nIndex, TYPE newElement, int nCount = 1) { BASE_CLASS::InsertAt(nIndex, newElement, nCount); }
};
