#include "image/ImageFileStream.h"

CImageFileStream::~CImageFileStream()
{
    Close();
}

bool CImageFileStream::Close()
{
    if (!m_file)
        return true;
    int result = 0;
    if (m_owns) {
        result = fclose(m_file);
        m_file = nullptr;
    }
    return result == 0;
}

size_t CImageFileStream::Read(void* buffer, size_t size, size_t count)
{
    return m_file && buffer ? fread(buffer, size, count, m_file) : 0;
}

size_t CImageFileStream::Write(const void* buffer, size_t size, size_t count)
{
    return m_file && buffer ? fwrite(buffer, size, count, m_file) : 0;
}

bool CImageFileStream::Seek(int32_t offset, int origin)
{
    return m_file && fseek(m_file, offset, origin) == 0;
}

int32_t CImageFileStream::Tell()
{
    return m_file ? int32_t(ftell(m_file)) : 0;
}

int32_t CImageFileStream::Size()
{
    if (!m_file)
        return -1;
    long position = ftell(m_file);
    fseek(m_file, 0, SEEK_END);
    long size = ftell(m_file);
    fseek(m_file, position, SEEK_SET);
    return int32_t(size);
}

bool CImageFileStream::Flush()
{
    return m_file && fflush(m_file) == 0;
}

bool CImageFileStream::Eof()
{
    return m_file ? feof(m_file) != 0 : true;
}

int32_t CImageFileStream::Error()
{
    return m_file ? ferror(m_file) : -1;
}

bool CImageFileStream::PutChar(uint8_t c)
{
    return m_file && fputc(c, m_file) == c;
}

int32_t CImageFileStream::GetChar()
{
    return m_file ? getc(m_file) : -1;
}

char* CImageFileStream::GetLine(char* buffer, int32_t n)
{
    return m_file && buffer ? fgets(buffer, n, m_file) : nullptr;
}

int32_t CImageFileStream::ScanFormat(const char* format, void* output)
{
    return m_file ? fscanf(m_file, format, output) : -1;
}
