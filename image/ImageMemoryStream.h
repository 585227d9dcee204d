// CImageMemoryStream: a codec stream over a C heap block. Over a caller's block (resource data,
// memory to decode) it only ever reads and writes inside that block: it never grows, moves or
// frees memory it did not allocate.
#pragma once
#include "image/ImageStream.h"

class CImageMemoryStream : public CImageStream {
public:
    explicit CImageMemoryStream(uint8_t* buffer = nullptr, int32_t size = 0);
    ~CImageMemoryStream() override;
    CImageMemoryStream(const CImageMemoryStream&) = delete;
    CImageMemoryStream& operator=(const CImageMemoryStream&) = delete;

    bool Open();
    uint8_t* GetBuffer(bool detach = true);

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

    int32_t Capacity() const { return m_capacity; }

private:
    bool Grow(uint64_t needed);

    uint8_t* m_data;
    int32_t m_size;
    bool m_owns;
    int32_t m_position;
    int32_t m_capacity;
    bool m_eof;
};
