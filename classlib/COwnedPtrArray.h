// A pointer array that owns its elements: each is deleted when it is removed by DeleteAll,
// when another array is moved into this one, or when the array goes away.
#pragma once
#include "classlib/CArray.h"
#include <utility>

template <class TYPE>
class COwnedPtrArray : public CTypedPtrArray<CPtrArray, TYPE*> {
public:
    COwnedPtrArray() = default;
    COwnedPtrArray(COwnedPtrArray&&) noexcept = default;
    // The elements held so far are deleted; the other array's become this one's.
    COwnedPtrArray& operator=(COwnedPtrArray&& other) noexcept
    {
        if (this != &other) {
            DeleteAll();
            CTypedPtrArray<CPtrArray, TYPE*>::operator=(std::move(other));
        }
        return *this;
    }
    ~COwnedPtrArray() override { DeleteAll(); }

    // Each slot is cleared before its element is deleted, so a destructor that looks back at
    // the array never meets a deleted element.
    void DeleteAll()
    {
        for (int i = 0; i < this->GetSize(); ++i) {
            TYPE* pElement = this->GetAt(i);
            this->SetAt(i, nullptr);
            delete pElement;
        }
        this->RemoveAll();
    }
};
