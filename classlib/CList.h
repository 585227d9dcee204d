// Doubly linked lists walked by POSITION: CList<TYPE, ARG_TYPE>, CPtrList and CTypedPtrList.
//
// A POSITION names one node of the list that gave it and stays valid until that node is
// removed. A null POSITION or an empty list never touches memory: GetAt, GetNext, GetHead and
// GetTail then return a spare element that the list resets on each such call, RemoveHead and
// RemoveTail return a default element, and RemoveAt and SetAt do nothing.
#pragma once
#include <windows.h>
#include <utility>

struct CListNodeTag;
typedef CListNodeTag* POSITION;

template <class TYPE, class ARG_TYPE = const TYPE&>
class CList {
public:
    CList() = default;
    CList(const CList&) = delete;
    CList& operator=(const CList&) = delete;
    virtual ~CList() { RemoveAll(); }

    int GetCount() const { return m_nCount; }
    int GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }

    TYPE& GetHead() { return m_pHead ? m_pHead->data : Spare(); }
    const TYPE& GetHead() const { return m_pHead ? m_pHead->data : Spare(); }
    TYPE& GetTail() { return m_pTail ? m_pTail->data : Spare(); }
    const TYPE& GetTail() const { return m_pTail ? m_pTail->data : Spare(); }
    TYPE RemoveHead();
    TYPE RemoveTail();
    POSITION AddHead(ARG_TYPE newElement) { return Link(new Node{nullptr, m_pHead, TYPE(newElement)}); }
    POSITION AddTail(ARG_TYPE newElement) { return Link(new Node{m_pTail, nullptr, TYPE(newElement)}); }
    void RemoveAll();

    POSITION GetHeadPosition() const { return ToPosition(m_pHead); }
    POSITION GetTailPosition() const { return ToPosition(m_pTail); }
    // Returns the element at pos and moves pos to the next (or previous) one, null at the end.
    TYPE& GetNext(POSITION& pos);
    const TYPE& GetNext(POSITION& pos) const;
    TYPE& GetPrev(POSITION& pos);
    const TYPE& GetPrev(POSITION& pos) const;
    TYPE& GetAt(POSITION pos) { return pos ? ToNode(pos)->data : Spare(); }
    const TYPE& GetAt(POSITION pos) const { return pos ? ToNode(pos)->data : Spare(); }
    void SetAt(POSITION pos, ARG_TYPE newElement);
    void RemoveAt(POSITION pos);
    // The first element equal to value after startAfter (from the head when null), or null.
    POSITION Find(ARG_TYPE searchValue, POSITION startAfter = nullptr) const;

private:
    struct Node {
        Node* prev;
        Node* next;
        TYPE data;
    };

    static Node* ToNode(POSITION pos) { return reinterpret_cast<Node*>(pos); }
    static POSITION ToPosition(Node* node) { return reinterpret_cast<POSITION>(node); }
    POSITION Link(Node* node);
    void Unlink(Node* node);
    TYPE& Spare() const
    {
        m_spare = TYPE();
        return m_spare;
    }

    Node* m_pHead = nullptr;
    Node* m_pTail = nullptr;
    int m_nCount = 0;
    mutable TYPE m_spare = TYPE();
};

// Links a node whose prev and next already name its neighbours at the head or the tail.
template <class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::Link(Node* node)
{
    (node->prev ? node->prev->next : m_pHead) = node;
    (node->next ? node->next->prev : m_pTail) = node;
    m_nCount++;
    return ToPosition(node);
}

template <class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::Unlink(Node* node)
{
    (node->prev ? node->prev->next : m_pHead) = node->next;
    (node->next ? node->next->prev : m_pTail) = node->prev;
    m_nCount--;
    delete node;
}

template <class TYPE, class ARG_TYPE>
TYPE CList<TYPE, ARG_TYPE>::RemoveHead()
{
    if (!m_pHead)
        return TYPE();
    TYPE value(std::move(m_pHead->data));
    Unlink(m_pHead);
    return value;
}

template <class TYPE, class ARG_TYPE>
TYPE CList<TYPE, ARG_TYPE>::RemoveTail()
{
    if (!m_pTail)
        return TYPE();
    TYPE value(std::move(m_pTail->data));
    Unlink(m_pTail);
    return value;
}

template <class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::RemoveAll()
{
    while (m_pHead)
        Unlink(m_pHead);
}

template <class TYPE, class ARG_TYPE>
TYPE& CList<TYPE, ARG_TYPE>::GetNext(POSITION& pos)
{
    if (!pos)
        return Spare();
    Node* node = ToNode(pos);
    pos = ToPosition(node->next);
    return node->data;
}

template <class TYPE, class ARG_TYPE>
const TYPE& CList<TYPE, ARG_TYPE>::GetNext(POSITION& pos) const
{
    return const_cast<CList*>(this)->GetNext(pos);
}

template <class TYPE, class ARG_TYPE>
TYPE& CList<TYPE, ARG_TYPE>::GetPrev(POSITION& pos)
{
    if (!pos)
        return Spare();
    Node* node = ToNode(pos);
    pos = ToPosition(node->prev);
    return node->data;
}

template <class TYPE, class ARG_TYPE>
const TYPE& CList<TYPE, ARG_TYPE>::GetPrev(POSITION& pos) const
{
    return const_cast<CList*>(this)->GetPrev(pos);
}

template <class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::SetAt(POSITION pos, ARG_TYPE newElement)
{
    if (pos)
        ToNode(pos)->data = newElement;
}

template <class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::RemoveAt(POSITION pos)
{
    if (pos)
        Unlink(ToNode(pos));
}

template <class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::Find(ARG_TYPE searchValue, POSITION startAfter) const
{
    Node* node = startAfter ? ToNode(startAfter)->next : m_pHead;
    for (; node; node = node->next) {
        if (node->data == searchValue)
            return ToPosition(node);
    }
    return nullptr;
}

class CPtrList : public CList<void*, void*> {};

// A CPtrList whose elements are TYPE pointers.
template <class BASE_CLASS, class TYPE>
class CTypedPtrList : public BASE_CLASS {
public:
    TYPE& GetHead() { return reinterpret_cast<TYPE&>(BASE_CLASS::GetHead()); }
    TYPE GetHead() const { return static_cast<TYPE>(BASE_CLASS::GetHead()); }
    TYPE& GetTail() { return reinterpret_cast<TYPE&>(BASE_CLASS::GetTail()); }
    TYPE GetTail() const { return static_cast<TYPE>(BASE_CLASS::GetTail()); }
    TYPE RemoveHead() { return static_cast<TYPE>(BASE_CLASS::RemoveHead()); }
    TYPE RemoveTail() { return static_cast<TYPE>(BASE_CLASS::RemoveTail()); }
    POSITION AddHead(TYPE newElement) { return BASE_CLASS::AddHead(newElement); }
    POSITION AddTail(TYPE newElement) { return BASE_CLASS::AddTail(newElement); }
    TYPE& GetNext(POSITION& pos) { return reinterpret_cast<TYPE&>(BASE_CLASS::GetNext(pos)); }
    TYPE GetNext(POSITION& pos) const { return static_cast<TYPE>(BASE_CLASS::GetNext(pos)); }
    TYPE& GetPrev(POSITION& pos) { return reinterpret_cast<TYPE&>(BASE_CLASS::GetPrev(pos)); }
    TYPE GetPrev(POSITION& pos) const { return static_cast<TYPE>(BASE_CLASS::GetPrev(pos)); }
    TYPE& GetAt(POSITION pos) { return reinterpret_cast<TYPE&>(BASE_CLASS::GetAt(pos)); }
    TYPE GetAt(POSITION pos) const { return static_cast<TYPE>(BASE_CLASS::GetAt(pos)); }
    void SetAt(POSITION pos, TYPE newElement) { BASE_CLASS::SetAt(pos, newElement); }
};
