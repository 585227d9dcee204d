// CImageFileStream: a codec stream over a C stdio FILE. A FILE given to the constructor stays
// the caller's: the stream never closes it.
#pragma once
#include <cstdio>
#include "image/ImageStream.h"

class CImageFileStream : public CImageStream {
public:
    explicit CImageFileStream(FILE* file = nullptr) : m_file(file), m_owns(file == nullptr) {}
    ~CImageFileStream() override;
    CImageFileStream(const CImageFileStream&) = delete;
    CImageFileStream& operator=(const CImageFileStream&) = delete;

    bool Close() override;
    size_t Read(void* buffer, size_t size, size_t count) override;
    size_t Write(const void* buffer, size_t size, size_t count) override;
    bool Seek(int32_t offset, int origin) override;
    int32_t Tell() override;
    int32_t Size() override;
    bool Flush() override;
    bool Eof() override;
    int32_t Error() override;
    bool PutChar(uint8_t c) override;
    int32_t GetChar() override;
    char* GetLine(char* buffer, int32_t n) override;
    int32_t ScanFormat(const char* format, void* output) override;

private:
    FILE* m_file;
    bool m_owns;
};
