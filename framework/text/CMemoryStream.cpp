#include "framework/text/CMemoryStream.h"
#include <stdlib.h>
#include <string.h>

namespace {

const LONGLONG kLimit = 0xFFFFFFFFLL;

bool InRange(LONGLONG n)
{
    return n >= 0 && n <= kLimit;
}

}  // namespace

CMemoryStream::CMemoryStream(DWORD nGrowBy) : m_nGrowBy(nGrowBy) {}

CMemoryStream::~CMemoryStream()
{
    Close();
}

int CMemoryStream::Close()
{
    if (m_pData)
        Deallocate(m_pData);
    m_pData = nullptr;
    m_nGrowBy = m_nPosition = m_nCapacity = m_nSize = 0;
    return 0;
}

LONGLONG CMemoryStream::SetSize(LONGLONG nSize)
{
    if (!InRange(nSize) || (nSize > m_nCapacity && Reserve(nSize) < 0))
        return -1;
    DWORD nNewSize = static_cast<DWORD>(nSize);
    // Bytes that a shrink left behind must not come back.
    if (nNewSize > m_nSize)
        FillBytes(m_pData + m_nSize, 0, nNewSize - m_nSize);
    if (m_nPosition > nNewSize)
        m_nPosition = nNewSize;
    m_nSize = nNewSize;
    return m_nSize;
}

LONGLONG CMemoryStream::SeekTo(LONGLONG nPosition)
{
    if (!InRange(nPosition))
        return -1;
    m_nPosition = static_cast<DWORD>(nPosition);
    return m_nPosition;
}

LONGLONG CMemoryStream::Seek(LONGLONG nOffset, int nOrigin)
{
    LONGLONG nBase;
    switch (nOrigin) {
    case 0:
        nBase = 0;
        break;
    case 1:
        nBase = m_nPosition;
        break;
    case 2:
        nBase = m_nSize;
        break;
    default:
        return -1;
    }
    // Offsets come from callers; keep the sum from overflowing before it is checked.
    if (nOffset > kLimit || nOffset < -kLimit)
        return -1;
    return SeekTo(nBase + nOffset);
}

int CMemoryStream::Read(void* pBuffer, DWORD nCount, DWORD* pnRead)
{
    if (pnRead)
        *pnRead = 0;
    if (nCount == 0 || !pBuffer)
        return -1;
    if (m_nPosition > m_nSize)
        return 1;
    DWORD nAvailable = m_nSize - m_nPosition;
    DWORD nRead = nCount < nAvailable ? nCount : nAvailable;
    MoveBytes(pBuffer, m_pData + m_nPosition, nRead);
    m_nPosition += nRead;
    if (pnRead)
        *pnRead = nRead;
    return 0;
}

int CMemoryStream::Write(const void* pBuffer, DWORD nCount, DWORD* pnWritten)
{
    if (pnWritten)
        *pnWritten = 0;
    LONGLONG nEnd = static_cast<LONGLONG>(m_nPosition) + nCount;
    if (nCount == 0 || !pBuffer || !InRange(nEnd) || (nEnd > m_nCapacity && Reserve(nEnd) < 0))
        return -1;
    // A write past the end leaves a gap of zeros, not bytes from before a shrink.
    if (m_nPosition > m_nSize)
        FillBytes(m_pData + m_nSize, 0, m_nPosition - m_nSize);
    MoveBytes(m_pData + m_nPosition, pBuffer, nCount);
    m_nPosition = static_cast<DWORD>(nEnd);
    if (m_nPosition > m_nSize)
        m_nSize = m_nPosition;
    if (pnWritten)
        *pnWritten = nCount;
    return 0;
}

int CMemoryStream::Reserve(LONGLONG nCapacity)
{
    if (nCapacity <= m_nCapacity)
        return 1;
    if (m_nGrowBy == 0 || !InRange(nCapacity))
        return -1;
    LONGLONG nNewCapacity = (nCapacity + m_nGrowBy - 1) / m_nGrowBy * m_nGrowBy;
    if (!InRange(nNewCapacity))
        return -1;
    DWORD nNewSize = static_cast<DWORD>(nNewCapacity);
    void* pBlock = m_pData ? Reallocate(m_pData, nNewSize) : Allocate(nNewSize);
    if (!pBlock)
        return -1;
    BYTE* pData = static_cast<BYTE*>(pBlock);
    FillBytes(pData + m_nCapacity, 0, nNewSize - m_nCapacity);
    m_pData = pData;
    m_nCapacity = nNewSize;
    return 0;
}

void CMemoryStream::ZeroFill()
{
    FillBytes(m_pData, 0, m_nCapacity);
}

void* CMemoryStream::Allocate(DWORD nSize)
{
    return nSize ? malloc(nSize) : nullptr;
}

int CMemoryStream::Deallocate(void* pBlock)
{
    if (!pBlock)
        return -2;
    free(pBlock);
    return 0;
}

void* CMemoryStream::Reallocate(void* pBlock, DWORD nSize)
{
    // realloc of 0 bytes may free the block; the block is kept instead.
    return nSize ? realloc(pBlock, nSize) : nullptr;
}

int CMemoryStream::FillBytes(void* pBlock, BYTE nValue, DWORD nCount)
{
    if (!pBlock || nCount == 0)
        return -2;
    memset(pBlock, nValue, nCount);
    return 0;
}

int CMemoryStream::MoveBytes(void* pDestination, const void* pSource, DWORD nCount)
{
    if (!pDestination || !pSource || nCount == 0)
        return -2;
    memmove(pDestination, pSource, nCount);
    return 0;
}
