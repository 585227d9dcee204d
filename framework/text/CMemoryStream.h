// A CStream over a growable heap block. Its size, capacity and position stay within 32 bits;
// larger values are refused with -1 rather than cut.
#pragma once
#include "framework/text/CStream.h"

class CMemoryStream : public CStream {
public:
    // The capacity grows in whole steps of nGrowBy bytes; 0 makes a stream that cannot grow.
    explicit CMemoryStream(DWORD nGrowBy);
    CMemoryStream(const CMemoryStream&) = delete;
    CMemoryStream& operator=(const CMemoryStream&) = delete;
    ~CMemoryStream() override;

    // Frees the block and sets step, position, capacity and size to 0: the stream cannot grow again.
    int Close() override;
    LONGLONG GetSize() override { return m_nSize; }
    LONGLONG SetSize(LONGLONG nSize) override;
    LONGLONG GetPosition() override { return m_nPosition; }
    LONGLONG SeekTo(LONGLONG nPosition) override;
    LONGLONG Seek(LONGLONG nOffset, int nOrigin) override;
    // A count of 0 gives -1; at or past the end nothing is read (0 exactly at the end, 1 past it).
    int Read(void* pBuffer, DWORD nCount, DWORD* pnRead) override;
    int Write(const void* pBuffer, DWORD nCount, DWORD* pnWritten) override;

    virtual int Flush() { return 0; }  // nothing is buffered elsewhere

    // 1 when the capacity already holds nCapacity bytes; -1 without a growth step or memory.
    virtual int Reserve(LONGLONG nCapacity);
    virtual void ZeroFill();  // zeroes the whole capacity

    // The memory calls every operation above goes through, for a stream that keeps its block
    // elsewhere (such a stream closes itself in its own destructor, while its calls still
    // stand). Allocate and Reallocate give null for 0 bytes or no memory (Reallocate then
    // leaves the block as it was); the others answer -2 for a null block or a zero count.
    virtual void* Allocate(DWORD nSize);
    virtual int Deallocate(void* pBlock);
    virtual void* Reallocate(void* pBlock, DWORD nSize);
    virtual int FillBytes(void* pBlock, BYTE nValue, DWORD nCount);
    virtual int MoveBytes(void* pDestination, const void* pSource, DWORD nCount);  // the ranges may overlap

    DWORD GetCapacity() const { return m_nCapacity; }
    const BYTE* GetData() const { return m_pData; }  // GetSize() bytes; null while empty

private:
    DWORD m_nGrowBy;
    DWORD m_nPosition = 0;
    DWORD m_nCapacity = 0;
    DWORD m_nSize = 0;
    BYTE* m_pData = nullptr;
};
