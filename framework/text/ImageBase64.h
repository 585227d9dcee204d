// Images as base64 text: how ".playlist" files carry covers and thumbnails inside their XML.
#pragma once
#include "classlib/CString.h"
#include <vector>

class CRasterImage;

// Encodes the image in the given format (an image format id) and returns it as base64 text.
// 0, or -1 for an empty image or when encoding fails or gives nothing (the text is then empty).
int ImageToBase64(CRasterImage& image, CString& strText, int nImageFormat);
// Decodes base64 text into the image in the given format. 0, or -1 for empty text, text that
// decodes to no bytes, or bytes that are no such image; the image is then left as it was.
int Base64ToImage(LPCWSTR pszText, CRasterImage& image, int nImageFormat);

// The two halves without the image codec: bytes kept as they were read, for a later decode or
// for writing them back. 0, or -1 when there is nothing (the output is then empty).
int BytesToBase64(const std::vector<BYTE>& bytes, CString& strText);
int Base64ToBytes(LPCWSTR pszText, std::vector<BYTE>& bytes);
