#include "framework/text/CFileStream.h"
#include "framework/text/LongPath.h"

CFileStream::~CFileStream()
{
    Close();
}

int CFileStream::Open(LPCWSTR pszPath, DWORD dwAccess, DWORD dwShareMode, DWORD dwCreationDisposition,
                      DWORD dwFlagsAndAttributes)
{
    Close();
    if (!pszPath || !*pszPath)
        return -1;
    HANDLE hFile = CreateFileW(ExtendedLengthPath(pszPath), dwAccess, dwShareMode, nullptr, dwCreationDisposition,
                               dwFlagsAndAttributes, nullptr);
    if (hFile == nullptr || hFile == INVALID_HANDLE_VALUE)
        return -1;
    m_hFile = hFile;
    return 0;
}

int CFileStream::Close()
{
    if (!m_hFile)
        return 1;
    HANDLE hFile = m_hFile;
    m_hFile = nullptr;
    return CloseHandle(hFile) ? 0 : -1;
}

LONGLONG CFileStream::GetSize()
{
    LARGE_INTEGER size;
    if (!m_hFile || !GetFileSizeEx(m_hFile, &size))
        return -1;
    return size.QuadPart;
}

LONGLONG CFileStream::SetSize(LONGLONG nSize)
{
    if (SeekTo(nSize) < 0 || !SetEndOfFile(m_hFile))
        return -1;
    return GetPosition();
}

LONGLONG CFileStream::GetPosition()
{
    return Seek(0, FILE_CURRENT);
}

LONGLONG CFileStream::SeekTo(LONGLONG nPosition)
{
    return Seek(nPosition, FILE_BEGIN);
}

LONGLONG CFileStream::Seek(LONGLONG nOffset, int nOrigin)
{
    if (!m_hFile || nOrigin < FILE_BEGIN || nOrigin > FILE_END)
        return -1;
    LARGE_INTEGER move, position;
    move.QuadPart = nOffset;
    if (!SetFilePointerEx(m_hFile, move, &position, static_cast<DWORD>(nOrigin)))
        return -1;
    return position.QuadPart;
}

int CFileStream::Read(void* pBuffer, DWORD nCount, DWORD* pnRead)
{
    DWORD nRead = 0;
    BOOL bOk = m_hFile && pBuffer && ReadFile(m_hFile, pBuffer, nCount, &nRead, nullptr);
    if (pnRead)
        *pnRead = nRead;
    if (!bOk)
        return -1;
    return nRead > 0 ? 0 : 1;
}

int CFileStream::Write(const void* pBuffer, DWORD nCount, DWORD* pnWritten)
{
    DWORD nWritten = 0;
    BOOL bOk = m_hFile && pBuffer && FileStreamWriteCall()(m_hFile, pBuffer, nCount, &nWritten, nullptr);
    if (pnWritten)
        *pnWritten = nWritten;
    return bOk ? 0 : -1;
}

int CFileStream::Flush()
{
    if (!m_hFile)
        return 1;
    return FlushFileBuffers(m_hFile) ? 0 : -1;
}

FileWriteCall& FileStreamWriteCall()
{
    static FileWriteCall s_call = WriteFile;
    return s_call;
}
