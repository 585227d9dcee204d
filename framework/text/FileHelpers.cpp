#include "framework/text/FileHelpers.h"
#include "framework/text/CFileStream.h"
#include "framework/text/CodePage.h"
#include "framework/text/LongPath.h"
#include "framework/text/TextHelpers.h"

namespace {

const LONGLONG kLargestFile = 0x10000000;

// Reads until the buffer is full or the file ends; the count of bytes read.
DWORD ReadAll(CFileStream& file, char* pBuffer, DWORD nSize)
{
    DWORD nTotal = 0;
    while (nTotal < nSize) {
        DWORD nRead = 0;
        if (file.Read(pBuffer + nTotal, nSize - nTotal, &nRead) != 0)
            break;
        nTotal += nRead;
    }
    return nTotal;
}

bool WriteAll(CFileStream& file, const BYTE* pData, DWORD nSize)
{
    while (nSize > 0) {
        DWORD nWritten = 0;
        if (file.Write(pData, nSize, &nWritten) != 0 || nWritten == 0)
            return false;
        pData += nWritten;
        nSize -= nWritten;
    }
    return true;
}

// Creates a file beside the target under a name nobody else uses.
CString CreateSibling(LPCWSTR pszPath, CFileStream& file)
{
    static LONG s_nCounter = 0;
    for (int nTry = 0; nTry < 100; nTry++) {
        CString strTemp;
        strTemp.Format(L"%s.%lx-%lx.tmp", pszPath, GetCurrentProcessId(),
                       static_cast<unsigned long>(InterlockedIncrement(&s_nCounter)));
        if (file.Open(strTemp, GENERIC_WRITE, 0, CREATE_NEW, FILE_ATTRIBUTE_NORMAL) == 0)
            return strTemp;
        if (GetLastError() != ERROR_FILE_EXISTS)
            break;
    }
    return CString();
}

}  // namespace

int ReadFileBytes(LPCWSTR pszPath, std::vector<char>& bytes)
{
    bytes.clear();
    CFileStream file;
    if (file.Open(pszPath, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL) != 0)
        return -1;
    LONGLONG nSize = file.GetSize();
    if (nSize < 0)
        return -1;
    if (nSize == 0 || nSize > kLargestFile)
        return 1;
    bytes.resize(static_cast<size_t>(nSize));
    bytes.resize(ReadAll(file, bytes.data(), static_cast<DWORD>(nSize)));
    return bytes.empty() ? -1 : 0;
}

int ReadFileToString(LPCWSTR pszPath, CStringA& strBytes)
{
    strBytes.Empty();
    std::vector<char> bytes;
    int nResult = ReadFileBytes(pszPath, bytes);
    if (nResult != 0)
        return nResult;
    bytes.push_back(0);
    strBytes = bytes.data();
    return 0;
}

int WriteBufferToFile(LPCWSTR pszPath, const void* pData, DWORD nSize)
{
    if (!pszPath || !*pszPath || !pData || nSize == 0)
        return -1;
    CFileStream file;
    CString strTemp = CreateSibling(pszPath, file);
    if (strTemp.IsEmpty())
        return -1;
    bool bOk = WriteAll(file, static_cast<const BYTE*>(pData), nSize);
    bOk = file.Close() == 0 && bOk;
    CString strLongTemp = ExtendedLengthPath(strTemp);
    if (bOk && MoveFileExW(strLongTemp, ExtendedLengthPath(pszPath), MOVEFILE_REPLACE_EXISTING))
        return 0;
    DeleteFileW(strLongTemp);
    return -1;
}

int ReadTextFile(LPCWSTR pszPath, CString& strText)
{
    strText.Empty();
    CStringA strBytes;
    if (ReadFileToString(pszPath, strBytes) != 0)
        return -1;
    return AnsiToWide(strBytes, strText) < 0 ? -1 : 0;
}

int WriteTextFile(LPCWSTR pszPath, LPCWSTR pszText)
{
    CStringA strBytes;
    if (WideToAnsi(pszText, strBytes) < 0)
        return -1;
    return WriteBufferToFile(pszPath, static_cast<LPCSTR>(strBytes), strBytes.GetLength());
}

int ReadTextFileLines(LPCWSTR pszPath, CStringArray& arrLines, bool bTrim, bool bSkipEmpty)
{
    CString strText;
    if (ReadTextFile(pszPath, strText) != 0)
        return -1;
    LPCWSTR pszSeparator = strText.Find(L"\r\n") >= 0 ? L"\r\n" : strText.Find(L'\n') >= 0 ? L"\n" : nullptr;
    if (!pszSeparator) {
        arrLines.Add(strText);
        return 0;
    }
    return SplitString(strText, arrLines, pszSeparator, bTrim, bSkipEmpty) < 0 ? -1 : 0;
}
