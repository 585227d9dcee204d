// Start-up cost of the format registry: building the built-in catalogue and reading a full
// "MediaFormats.xml" should stay within twice the time pugixml takes to parse that file alone.
// A measurement, so it runs only when asked (it is meaningless on a busy machine):
//   scripts/wine-run build/tests/MediaFormatsLoadSpeedTest.exe --gtest_also_run_disabled_tests
#include "conversion/engine/catalogue/CBuiltInMediaFormats.h"
#include "tests/support/TempFolder.h"
#include <gtest/gtest.h>
#include <pugixml.hpp>
#include <algorithm>
#include <stdio.h>

namespace {

double Now()
{
    LARGE_INTEGER counter;
    LARGE_INTEGER frequency;
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(counter.QuadPart) / frequency.QuadPart;
}

// Milliseconds one run takes: the object is made and destroyed untimed.
template <class T, class Run>
double TimeOnce(Run run)
{
    T* pObject = new T;
    double start = Now();
    run(*pObject);
    double elapsed = (Now() - start) * 1000.0;
    delete pObject;
    return elapsed;
}

TEST(MediaFormatsLoadSpeedTest, DISABLED_LoadWithinTwiceTheParse)
{
    TempFolder folder;
    {
        CBuiltInMediaFormats formats;
        ASSERT_EQ(0, formats.Load(folder.Path().c_str()));
        ASSERT_EQ(0, formats.Save());
    }
    const std::wstring path = folder / L"MediaFormats.xml";
    WIN32_FILE_ATTRIBUTE_DATA data;
    ASSERT_TRUE(GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data));

    // The best of many runs, the least disturbed by other work on the machine. The parse and
    // the load take turns, so that a slow stretch of the machine or of Wine's heap falls on both.
    auto parseOnce = [&](pugi::xml_document& doc) { ASSERT_TRUE(doc.load_file(path.c_str())); };
    auto buildOnce = [](CBuiltInMediaFormats& formats) { formats.BuildBuiltIns(); };
    auto loadOnce = [&](CBuiltInMediaFormats& formats) {
        ASSERT_EQ(0, formats.Load(folder.Path().c_str()));
        ASSERT_EQ(0, formats.m_modified);
    };
    double parse = 1e9, build = 1e9, load = 1e9;
    for (int i = 0; i < 100; ++i) {
        parse = std::min(parse, TimeOnce<pugi::xml_document>(parseOnce));
        build = std::min(build, TimeOnce<CBuiltInMediaFormats>(buildOnce));
        load = std::min(load, TimeOnce<CBuiltInMediaFormats>(loadOnce));
    }
    printf("file %lu bytes; pugixml parse %.3f ms; BuildBuiltIns %.3f ms; Load (build and read) %.3f ms; "
           "ratio %.2f\n",
        data.nFileSizeLow, parse, build, load, load / parse);
    EXPECT_LT(load, 2.0 * parse);
}

}  // namespace
