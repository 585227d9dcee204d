// The library's byte streams: 64-bit sizes and positions, integer results.
#pragma once
#include <windows.h>

class CStream {
public:
    virtual ~CStream() = default;
    virtual int Close() = 0;
    virtual LONGLONG GetSize() = 0;                  // -1 on failure
    virtual LONGLONG SetSize(LONGLONG nSize) = 0;    // the new size, or -1
    virtual LONGLONG GetPosition() = 0;              // -1 on failure
    virtual LONGLONG SeekTo(LONGLONG nPosition) = 0; // the new position, or -1
    // nOrigin 0 start, 1 current position, 2 end; the new position, or -1.
    virtual LONGLONG Seek(LONGLONG nOffset, int nOrigin) = 0;
    // 0 when bytes were read, 1 when there was nothing more to read, -1 on failure.
    virtual int Read(void* pBuffer, DWORD nCount, DWORD* pnRead) = 0;
    // An extension point for a stream that needs an operation beyond these; no stream here
    // has one, so every stream answers -1.
    virtual int Extension(int nCode, void* pInput, DWORD nInputSize, void* pOutput, DWORD nOutputSize) { return -1; }
    // 0 or -1; *pnWritten tells how much of the block went out.
    virtual int Write(const void* pBuffer, DWORD nCount, DWORD* pnWritten) = 0;
};
