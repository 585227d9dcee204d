#include "image/ImageStream.h"

bool CImageStream::PutChar(uint8_t c)
{
    return Write(&c, 1, 1) == 1;
}
