// A CStream over a Win32 file handle; long paths are opened in their "\\?\" form.
#pragma once
#include "framework/text/CStream.h"

class CFileStream : public CStream {
public:
    CFileStream() = default;
    CFileStream(const CFileStream&) = delete;
    CFileStream& operator=(const CFileStream&) = delete;
    ~CFileStream() override;

    // The arguments of CreateFileW; an open file is closed first. 0 or -1.
    int Open(LPCWSTR pszPath, DWORD dwAccess, DWORD dwShareMode, DWORD dwCreationDisposition,
             DWORD dwFlagsAndAttributes);
    bool IsOpen() const { return m_hFile != nullptr; }

    int Close() override;  // 1 when nothing was open
    LONGLONG GetSize() override;
    LONGLONG SetSize(LONGLONG nSize) override;  // leaves the position at the new end
    LONGLONG GetPosition() override;
    LONGLONG SeekTo(LONGLONG nPosition) override;
    LONGLONG Seek(LONGLONG nOffset, int nOrigin) override;
    int Read(void* pBuffer, DWORD nCount, DWORD* pnRead) override;
    int Write(const void* pBuffer, DWORD nCount, DWORD* pnWritten) override;
    virtual int Flush();  // 1 when nothing is open, else 0 or -1

private:
    HANDLE m_hFile = nullptr;  // null while closed
};

// The write call of every file stream: WriteFile until a test puts another in its place (one
// that fails as a full disk does, say).
using FileWriteCall = BOOL(WINAPI*)(HANDLE, LPCVOID, DWORD, LPDWORD, LPOVERLAPPED);
FileWriteCall& FileStreamWriteCall();
