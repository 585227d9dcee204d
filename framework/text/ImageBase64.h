// Images as base64 text: how ".playlist" files carry covers and thumbnails inside their XML.
#pragma once
#include "classlib/CString.h"

class CRasterImage;

// Encodes the image in the given format (an image format id) and returns it as base64 text.
// 0, or -1 for an empty image or when encoding fails or gives nothing (the text is then empty).
int ImageToBase64(CRasterImage& image, CString& strText, int nImageFormat);

// Decodes base64 text into the image in the given format. 0, or -1 for empty text, text that
// decodes to no bytes, or bytes that are no such image; the image is then left as it was.
int Base64ToImage(LPCWSTR pszText, CRasterImage& image, int nImageFormat);
