// The arguments of a tool runner's command line: what stands between the quoted tool path and
// the closing "-callback_context" that names the runner.
#pragma once
#include "classlib/CString.h"
#include <gtest/gtest.h>

inline CString RunnerArguments(const CString& strLine, LPCWSTR pszTool, const void* pRunner)
{
    CString strPrefix;
    strPrefix.Format(L"\"%s\" ", pszTool);
    // The runner's own address, widened with its sign.
    CString strSuffix;
    strSuffix.Format(L" -callback_context %I64d", static_cast<LONGLONG>(reinterpret_cast<INT_PTR>(pRunner)));
    EXPECT_EQ(strPrefix, strLine.Left(strPrefix.GetLength()));
    EXPECT_EQ(strSuffix, strLine.Right(strSuffix.GetLength()));
    return strLine.Mid(strPrefix.GetLength(), strLine.GetLength() - strPrefix.GetLength() - strSuffix.GetLength());
}
