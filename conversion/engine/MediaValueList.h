// A codec's fixed list of offered values (bit rates, sizes, rates ...): a read-only view of a
// table that outlives the codec. The catalogue's codecs point into their static tables.
#pragma once

template <class T>
class CValueList {
public:
    constexpr CValueList() = default;
    constexpr CValueList(const T* pValues, int count) : m_pValues(pValues), m_count(count) {}
    template <int N>
    constexpr CValueList(const T (&values)[N]) : m_pValues(values), m_count(N) {}

    int GetSize() const { return m_count; }
    // An index outside the list reads a zero value.
    T operator[](int index) const { return index >= 0 && index < m_count ? m_pValues[index] : T(); }
    bool Contains(const T& value) const
    {
        for (int i = 0; i < m_count; ++i) {
            if (m_pValues[i] == value)
                return true;
        }
        return false;
    }

private:
    const T* m_pValues = nullptr;
    int m_count = 0;
};
