#include "image/ImageMemoryStream.h"
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

CImageMemoryStream::CImageMemoryStream(uint8_t* buffer, int32_t size)
    : m_data(buffer), m_size(size < 0 ? 0 : size), m_owns(buffer == nullptr), m_position(0),
      m_capacity(m_size), m_eof(false)
{
}

CImageMemoryStream::~CImageMemoryStream()
{
    Close();
}

bool CImageMemoryStream::Open()
{
    if (m_data)
        return false;
    m_size = m_position = m_capacity = 0;
    m_data = static_cast<uint8_t*>(std::malloc(1));
    m_owns = true;
    return m_data != nullptr;
}

uint8_t* CImageMemoryStream::GetBuffer(bool detach)
{
    if (detach)
        m_owns = false;
    return m_data;
}

bool CImageMemoryStream::Close()
{
    if (m_data && m_owns)
        std::free(m_data);
    m_data = nullptr;
    m_size = 0;
    return true;
}

// Capacity grows to the next multiple of 64 KiB above the one below the need. A block the
// caller lent is never reallocated: growing it fails.
bool CImageMemoryStream::Grow(uint64_t needed)
{
    if (needed <= uint64_t(m_capacity))
        return m_data != nullptr;
    if (m_data && !m_owns)
        return false;
    uint64_t capacity = (needed & ~uint64_t(0xFFFF)) + 65536;
    if (capacity > uint64_t(INT32_MAX))
        return false;
    uint8_t* grown = static_cast<uint8_t*>(std::realloc(m_data, size_t(capacity)));
    if (!grown)
        return false;
    m_data = grown;
    m_capacity = int32_t(capacity);
    m_owns = true;
    return true;
}

size_t CImageMemoryStream::Read(void* buffer, size_t size, size_t count)
{
    if (!buffer || !m_data)
        return 0;
    if (m_position >= m_size) {
        m_eof = true;
        return 0;
    }
    uint64_t bytes = uint64_t(size) * count;
    if (bytes == 0)
        return 0;
    uint64_t remaining = uint64_t(m_size - m_position);
    if (remaining < bytes) {
        m_eof = true;
        bytes = remaining;
    }
    std::memcpy(buffer, m_data + m_position, size_t(bytes));
    m_position += int32_t(bytes);
    return size_t(bytes / size);
}

size_t CImageMemoryStream::Write(const void* buffer, size_t size, size_t count)
{
    m_eof = false;
    if (!m_data || !buffer)
        return 0;
    uint64_t bytes = uint64_t(size) * count;
    if (bytes == 0)
        return 0;
    uint64_t end = uint64_t(m_position) + bytes;
    if (end > uint64_t(m_capacity) && !Grow(end))
        return 0;
    std::memcpy(m_data + m_position, buffer, size_t(bytes));
    m_position = int32_t(end);
    if (m_position > m_size)
        m_size = m_position;
    return count;
}

bool CImageMemoryStream::Seek(int32_t offset, int origin)
{
    m_eof = false;
    if (!m_data)
        return false;
    int64_t base;
    switch (origin) {
    case SEEK_SET: base = 0; break;
    case SEEK_CUR: base = m_position; break;
    case SEEK_END: base = m_size; break;
    default: return false;
    }
    int64_t position = base + offset;
    if (position < 0)
        position = 0;
    if (position > INT32_MAX)
        return false;
    m_position = int32_t(position);
    return true;
}

int32_t CImageMemoryStream::Tell()
{
    return m_data ? m_position : -1;
}

int32_t CImageMemoryStream::Size()
{
    return m_data ? m_size : -1;
}

bool CImageMemoryStream::Flush()
{
    return m_data != nullptr;
}

bool CImageMemoryStream::Eof()
{
    return m_data ? m_eof : true;
}

int32_t CImageMemoryStream::Error()
{
    return m_data ? int32_t(m_size < m_position) : -1;
}

bool CImageMemoryStream::PutChar(uint8_t c)
{
    m_eof = false;
    if (m_position >= m_capacity && !Grow(uint64_t(m_position) + 1))
        return false;
    m_data[m_position++] = c;
    if (m_position > m_size)
        m_size = m_position;
    return true;
}

int32_t CImageMemoryStream::GetChar()
{
    if (!m_data || m_position >= m_size) {
        m_eof = true;
        return -1;
    }
    return m_data[m_position++];
}

char* CImageMemoryStream::GetLine(char* buffer, int32_t n)
{
    if (!buffer || n <= 0)
        return nullptr;
    int32_t stored = 0;
    while (stored < n - 1) {
        int32_t c = GetChar();
        if (c < 0)
            return nullptr;
        buffer[stored++] = char(c);
        if (c == '\n')
            break;
    }
    buffer[stored] = 0;
    return buffer;
}

int32_t CImageMemoryStream::ScanFormat(const char*, void*)
{
    return 0;
}
