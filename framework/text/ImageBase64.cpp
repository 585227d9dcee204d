#include "framework/text/ImageBase64.h"

#include "framework/text/Base64.h"
#include "framework/text/CodePage.h"
#include "image/RasterImage.h"

#include <algorithm>
#include <cstdlib>

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
    std::vector<BYTE> bytes(pEncoded, pEncoded + std::max<int32_t>(nSize, 0));
    free(pEncoded);
    return BytesToBase64(bytes, strText);
}

int Base64ToImage(LPCWSTR pszText, CRasterImage& image, int nImageFormat)
{
    std::vector<BYTE> bytes;
    if (Base64ToBytes(pszText, bytes) != 0)
        return -1;
    if (!image.DecodeFromMemory(bytes.data(), static_cast<uint32_t>(bytes.size()), static_cast<uint32_t>(nImageFormat)))
        return -1;
    return 0;
}

int BytesToBase64(const std::vector<BYTE>& bytes, CString& strText)
{
    strText.Empty();
    int nChars = bytes.empty() ? -1 : Base64EncodedLength(static_cast<int>(bytes.size()));
    if (nChars <= 0)
        return -1;
    std::vector<char> text(static_cast<size_t>(nChars) + 8);
    Base64Encode(bytes.data(), static_cast<int>(bytes.size()), text.data(), nullptr);
    strText = CString(text.data(), nChars);
    return 0;
}

int Base64ToBytes(LPCWSTR pszText, std::vector<BYTE>& bytes)
{
    bytes.clear();
    if (!pszText || !*pszText)
        return -1;
    CStringA strText;
    if (WideToAnsi(pszText, strText) < 0)
        return -1;
    bytes.resize(static_cast<size_t>(Base64DecodedLength(strText.GetLength())) + 8);
    int nBytes = Base64Decode(strText, strText.GetLength(), bytes.data(), nullptr);
    bytes.resize(static_cast<size_t>(std::max(nBytes, 0)));
    return bytes.empty() ? -1 : 0;
}
