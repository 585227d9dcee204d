// The standard base64 codec (RFC 4648 alphabet, '=' padding) over byte buffers.
#pragma once
#include <windows.h>

bool IsBase64Char(unsigned char ch);  // alphanumeric, '+' or '/'

// Buffer sizes: the encoded length is exact (-1 past the int range); the decoded length is never
// exceeded by Base64Decode.
int Base64EncodedLength(int nBytes);
int Base64DecodedLength(int nChars);

// Writes Base64EncodedLength(nCount) characters, no terminator; returns that length and also
// stores it in *pnOutLength when given. Nothing to encode gives 0.
int Base64Encode(const BYTE* pData, int nCount, char* pOut, int* pnOutLength);

// Stops at the first '=' or other non-base64 character. Every 4 characters give 3 bytes, a final
// group of k characters k - 1 bytes. Returns the byte count, also stored in *pnOutLength.
int Base64Decode(const char* pText, int nCount, BYTE* pOut, int* pnOutLength);
