// CImageStream: the byte stream every codec reads and writes through, with stdio conventions
// (item size and count, SEEK_SET / SEEK_CUR / SEEK_END origins, -1 as end-of-file character).
#pragma once
#include <cstddef>
#include <cstdint>

class CImageStream {
public:
    virtual ~CImageStream() = default;
    virtual bool Close() = 0;
    virtual size_t Read(void* buffer, size_t size, size_t count) = 0;
    virtual size_t Write(const void* buffer, size_t size, size_t count) = 0;
    virtual bool Seek(int32_t offset, int origin) = 0;
    virtual int32_t Tell() = 0;
    virtual int32_t Size() = 0;
    virtual bool Flush() = 0;
    virtual bool Eof() = 0;
    virtual int32_t Error() = 0;
    virtual bool PutChar(uint8_t c);
    virtual int32_t GetChar() = 0;
    virtual char* GetLine(char* buffer, int32_t n) = 0;
    virtual int32_t ScanFormat(const char* format, void* output) = 0;
};
