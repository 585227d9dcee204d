#include "framework/text/ImageBase64.h"

#include "framework/text/Base64.h"
#include "framework/text/CodePage.h"
#include "image/RasterImage.h"

#include <cstdlib>
#include <vector>

int ImageToBase64(CRasterImage& image, CString& strText, int nImageFormat)
{
    strText.Empty();
    if (!image.IsValid())
        return -1;
    uint8_t* pEncoded = nullptr;
    int32_t nSize = 0;
    if (!image.EncodeToMemory(pEncoded, nSize, static_cast<uint32_t>(nImageFormat))) {
        free(pEncoded);
        return -1;
    }
    int nChars = nSize > 0 ? Base64EncodedLength(nSize) : -1;
    if (nChars > 0) {
        std::vector<char> text(static_cast<size_t>(nChars) + 8);
        Base64Encode(pEncoded, nSize, text.data(), nullptr);
        strText = CString(text.data(), nChars);
    }
    free(pEncoded);
    return nChars > 0 ? 0 : -1;
}

int Base64ToImage(LPCWSTR pszText, CRasterImage& image, int nImageFormat)
{
    if (!pszText || !*pszText)
        return -1;
    CStringA strText;
    if (WideToAnsi(pszText, strText) < 0)
        return -1;
    std::vector<BYTE> bytes(static_cast<size_t>(Base64DecodedLength(strText.GetLength())) + 8);
    int nBytes = Base64Decode(strText, strText.GetLength(), bytes.data(), nullptr);
    if (nBytes < 1)
        return -1;
    if (!image.DecodeFromMemory(bytes.data(), static_cast<uint32_t>(nBytes), static_cast<uint32_t>(nImageFormat)))
        return -1;
    return 0;
}
