#include "framework/text/Base64.h"

namespace {

const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

int ValueOf(unsigned char ch)
{
    if (ch >= 'A' && ch <= 'Z')
        return ch - 'A';
    if (ch >= 'a' && ch <= 'z')
        return ch - 'a' + 26;
    if (ch >= '0' && ch <= '9')
        return ch - '0' + 52;
    return ch == '+' ? 62 : 63;
}

int Store(int nLength, int* pnOutLength)
{
    if (pnOutLength)
        *pnOutLength = nLength;
    return nLength;
}

}  // namespace

bool IsBase64Char(unsigned char ch)
{
    return (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z') || (ch >= '0' && ch <= '9') || ch == '+' ||
           ch == '/';
}

int Base64EncodedLength(int nBytes)
{
    if (nBytes <= 0)
        return 0;
    LONGLONG nLength = (nBytes + 2LL) / 3 * 4;
    return nLength > MAXINT ? -1 : static_cast<int>(nLength);
}

int Base64DecodedLength(int nChars)
{
    return nChars <= 0 ? 0 : static_cast<int>(nChars * 6LL / 8);
}

int Base64Encode(const BYTE* pData, int nCount, char* pOut, int* pnOutLength)
{
    if (!pData || !pOut || nCount <= 0)
        return Store(0, pnOutLength);
    char* p = pOut;
    for (int i = 0; i < nCount; i += 3) {
        int nGroup = nCount - i < 3 ? nCount - i : 3;
        DWORD bits = pData[i] << 16;
        if (nGroup > 1)
            bits |= pData[i + 1] << 8;
        if (nGroup > 2)
            bits |= pData[i + 2];
        *p++ = kAlphabet[(bits >> 18) & 63];
        *p++ = kAlphabet[(bits >> 12) & 63];
        *p++ = nGroup > 1 ? kAlphabet[(bits >> 6) & 63] : '=';
        *p++ = nGroup > 2 ? kAlphabet[bits & 63] : '=';
    }
    return Store(static_cast<int>(p - pOut), pnOutLength);
}

int Base64Decode(const char* pText, int nCount, BYTE* pOut, int* pnOutLength)
{
    if (!pText || !pOut || nCount <= 0)
        return Store(0, pnOutLength);
    BYTE* p = pOut;
    DWORD bits = 0;
    int nChars = 0;
    for (int i = 0; i < nCount && IsBase64Char(static_cast<unsigned char>(pText[i])); i++) {
        bits = (bits << 6) | ValueOf(static_cast<unsigned char>(pText[i]));
        if (++nChars == 4) {
            *p++ = static_cast<BYTE>(bits >> 16);
            *p++ = static_cast<BYTE>(bits >> 8);
            *p++ = static_cast<BYTE>(bits);
            bits = 0;
            nChars = 0;
        }
    }
    // A final group of 2 or 3 characters carries 1 or 2 bytes in its high bits.
    if (nChars >= 2) {
        bits <<= 6 * (4 - nChars);
        *p++ = static_cast<BYTE>(bits >> 16);
        if (nChars == 3)
            *p++ = static_cast<BYTE>(bits >> 8);
    }
    return Store(static_cast<int>(p - pOut), pnOutLength);
}
