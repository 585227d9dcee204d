// ByteReader: little-endian fields of a header read from a file, through a reader that knows the
// length and answers 0 outside it (never a cast of the bytes to a packed struct).
#pragma once
#include <cstddef>
#include <cstdint>

class ByteReader {
public:
    ByteReader(const uint8_t* data, size_t length) : m_data(data), m_length(length) {}

    uint8_t U8(size_t offset) const { return offset < m_length ? m_data[offset] : 0; }
    uint16_t U16(size_t offset) const { return uint16_t(U8(offset) | U8(offset + 1) << 8); }
    uint32_t U32(size_t offset) const { return uint32_t(U16(offset)) | uint32_t(U16(offset + 2)) << 16; }
    int32_t I32(size_t offset) const { return int32_t(U32(offset)); }

private:
    const uint8_t* m_data;
    size_t m_length;
};

// The inverse: little-endian fields into a caller's buffer.
inline void PutU16(uint8_t* p, uint32_t v)
{
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
}

inline void PutU32(uint8_t* p, uint32_t v)
{
    PutU16(p, v);
    PutU16(p + 2, v >> 16);
}
