#include "framework/text/Base64.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

std::string Encode(const std::string& bytes)
{
    std::vector<char> out(Base64EncodedLength(static_cast<int>(bytes.size())) + 1, '#');
    int nLength = -1;
    int nResult = Base64Encode(reinterpret_cast<const BYTE*>(bytes.data()), static_cast<int>(bytes.size()),
                               out.data(), &nLength);
    EXPECT_EQ(nResult, nLength);
    EXPECT_EQ(out[nResult], '#') << "wrote past its length";
    return std::string(out.data(), nResult);
}

std::string Decode(const std::string& text)
{
    std::vector<BYTE> out(Base64DecodedLength(static_cast<int>(text.size())) + 1, 0xEE);
    int nLength = -1;
    int nResult = Base64Decode(text.data(), static_cast<int>(text.size()), out.data(), &nLength);
    EXPECT_EQ(nResult, nLength);
    EXPECT_EQ(out[nResult], 0xEE) << "wrote past its length";
    return std::string(reinterpret_cast<const char*>(out.data()), nResult);
}

TEST(Base64, EncodesWithPadding)
{
    const struct {
        std::string bytes, text;
    } cases[] = {
        {"", ""},
        {"a", "YQ=="},
        {"ab", "YWI="},
        {"abc", "YWJj"},
        {"abcd", "YWJjZA=="},
        {std::string("\0\xff\xfe", 3), "AP/+"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Encode(c.bytes), c.text) << c.text;
}

TEST(Base64, DecodesUpToTheFirstForeignCharacter)
{
    const struct {
        const char* name;
        std::string text, bytes;
    } cases[] = {
        {"whole groups", "YWJj", "abc"},
        {"padding ends it", "YQ==", "a"},
        {"group of three", "YWI", "ab"},
        {"group of one gives nothing", "YWJjZ", "abc"},
        {"stops at a blank", "YWJj ZGVm", "abc"},
        {"stops at a line break", "YWJj\r\nZGVm", "abc"},
        {"nothing valid", "***", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Decode(c.text), c.bytes) << c.name;
}

TEST(Base64, EveryByteValueRoundTrips)
{
    std::string bytes;
    for (int i = 0; i < 256; i++)
        bytes += static_cast<char>(i);
    for (size_t n : {size_t(254), size_t(255), size_t(256)})
        EXPECT_EQ(Decode(Encode(bytes.substr(0, n))), bytes.substr(0, n)) << n;
}

TEST(Base64, LengthsAndAlphabet)
{
    EXPECT_EQ(Base64EncodedLength(0), 0);
    EXPECT_EQ(Base64EncodedLength(1), 4);
    EXPECT_EQ(Base64EncodedLength(3), 4);
    EXPECT_EQ(Base64EncodedLength(4), 8);
    EXPECT_EQ(Base64EncodedLength(0x7FFFFFFF), -1);
    EXPECT_EQ(Base64DecodedLength(4), 3);
    EXPECT_EQ(Base64DecodedLength(7), 5);
    EXPECT_EQ(Base64DecodedLength(0x7FFFFFFF), 0x5FFFFFFF);
    EXPECT_TRUE(IsBase64Char('+'));
    EXPECT_TRUE(IsBase64Char('/'));
    EXPECT_TRUE(IsBase64Char('z'));
    EXPECT_FALSE(IsBase64Char('='));
    EXPECT_FALSE(IsBase64Char('-'));
    EXPECT_FALSE(IsBase64Char(0xC4));
}

}  // namespace
