// Fixed value lists of the catalogue tables and their copy into a codec's arrays.
#pragma once
#include "classlib/CArray.h"

template <class T>
struct ConstList {
    const T* values;
    int count;
};

template <class T, int N>
constexpr ConstList<T> List(const T (&values)[N])
{
    return {values, N};
}

template <class T>
void FillArray(CArray<T>& array, const ConstList<T>& list)
{
    array.RemoveAll();
    for (int i = 0; i < list.count; ++i)
        array.Add(list.values[i]);
}
