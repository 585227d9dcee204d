// CString and CStringA: formatting by the Microsoft printf rules, editing, clamping, buffers,
// conversion through the ANSI code page and the string table.
#include "classlib/CString.h"
#include <gtest/gtest.h>
#include <iterator>
#include <wchar.h>

namespace {

CString Fmt(LPCWSTR format, ...)
{
    va_list args;
    va_start(args, format);
    CString s;
    s.FormatV(format, args);
    va_end(args);
    return s;
}

struct TextCase {
    const char* name;
    CString got;
    const wchar_t* want;
};

struct IntCase {
    const char* name;
    int got;
    int want;
};

void ExpectText(const TextCase* cases, size_t count)
{
    for (size_t i = 0; i < count; i++) {
        SCOPED_TRACE(cases[i].name);
        EXPECT_STREQ(cases[i].want, cases[i].got);
        EXPECT_EQ(static_cast<int>(wcslen(cases[i].want)), cases[i].got.GetLength());
    }
}

void ExpectInts(const IntCase* cases, size_t count)
{
    for (size_t i = 0; i < count; i++) {
        SCOPED_TRACE(cases[i].name);
        EXPECT_EQ(cases[i].want, cases[i].got);
    }
}

int Sign(int v)
{
    return v < 0 ? -1 : v > 0 ? 1 : 0;
}

TEST(CString, FormatFollowsMicrosoftPrintfRules)
{
    const TextCase cases[] = {
        {"wide %s, %I64d, %.3f", Fmt(L"%s|%I64d|%.3f", L"x", -5LL, 1.5), L"x|-5|1.500"},
        {"narrow %S", Fmt(L"[%S]", "narrow"), L"[narrow]"},
        {"zero padded", Fmt(L"%02d:%02d", 7, 45), L"07:45"},
        {"largest unsigned 64-bit", Fmt(L"%I64u", 18446744073709551615ULL), L"18446744073709551615"},
        {"hex", Fmt(L"%08X", 0xBEEFu), L"0000BEEF"},
        {"left-justified width", Fmt(L"%-4s|", L"ab"), L"ab  |"},
        {"wide char", Fmt(L"%c%c", L'O', L'K'), L"OK"},
        {"percent sign", Fmt(L"100%%"), L"100%"},
        {"empty result", Fmt(L"%s", L""), L""},
        {"null format", Fmt(nullptr), L""},
    };
    ExpectText(cases, std::size(cases));
}

TEST(CString, FormatSizesLongOutputExactly)
{
    CString part(L'z', 3000);
    CString s;
    s.Format(L"<%s><%s>", (LPCWSTR)part, (LPCWSTR)part);
    ASSERT_EQ(6004, s.GetLength());
    EXPECT_EQ(L'>', s[6003]);
    EXPECT_EQ(L'z', s[3004]);
}

TEST(CString, FormatMayUseItsOwnTextAsArgument)
{
    CString s(L"inner");
    s.Format(L"<%s>", (LPCWSTR)s);
    EXPECT_STREQ(L"<inner>", s);
    s.AppendFormat(L"+%d", 42);
    EXPECT_STREQ(L"<inner>+42", s);
}

TEST(CString, ResourceStrings)
{
    CString s;
    EXPECT_TRUE(s.LoadString(101));
    EXPECT_STREQ(L"Loaded text", s);
    EXPECT_FALSE(s.LoadString(9999));
    EXPECT_TRUE(s.IsEmpty());

    EXPECT_STREQ(L"Loaded text", CString(MAKEINTRESOURCEW(101)));
    s.Format(102u, L"List", 3);
    EXPECT_STREQ(L"List has 3 items", s);
}

TEST(CString, Construction)
{
    const TextCase cases[] = {
        {"wide", CString(L"abc"), L"abc"},
        {"wide with length", CString(L"abcdef", 3), L"abc"},
        {"negative length", CString(L"abc", -2), L""},
        {"narrow", CString("abc"), L"abc"},
        {"narrow with length", CString("abcdef", 4), L"abcd"},
        {"repeated char", CString(L'x', 3), L"xxx"},
        {"null wide pointer", CString(static_cast<LPCWSTR>(nullptr)), L""},
        {"null narrow pointer", CString(static_cast<LPCSTR>(nullptr)), L""},
        {"from CStringA", CString(CStringA("ab")), L"ab"},
    };
    ExpectText(cases, std::size(cases));
}

TEST(CString, TrimBlanksOneCharOrSet)
{
    const TextCase cases[] = {
        {"blanks both ends", CString(L" \t a b \r\n").Trim(), L"a b"},
        {"blanks left", CString(L"  a  ").TrimLeft(), L"a  "},
        {"blanks right", CString(L"  a  ").TrimRight(), L"  a"},
        {"all blanks", CString(L" \t\n ").Trim(), L""},
        {"empty", CString().Trim(), L""},
        {"one char", CString(L"xxaxbxx").Trim(L'x'), L"axb"},
        {"one char left", CString(L"xxaxx").TrimLeft(L'x'), L"axx"},
        {"one char right", CString(L"xxaxx").TrimRight(L'x'), L"xxa"},
        {"set", CString(L"\\/path/\\").Trim(L"\\/"), L"path"},
        {"set right", CString(L"1.500").TrimRight(L"0"), L"1.5"},
        {"empty set", CString(L" a ").Trim(L""), L" a "},
        {"null set", CString(L" a ").TrimLeft(static_cast<LPCWSTR>(nullptr)), L" a "},
    };
    ExpectText(cases, std::size(cases));
}

TEST(CString, FindAndReverseFind)
{
    const CString s(L"a.b.c");
    const IntCase cases[] = {
        {"char", s.Find(L'.'), 1},
        {"char from start", s.Find(L'.', 2), 3},
        {"char at start index", s.Find(L'b', 2), 2},
        {"char missing", s.Find(L'x'), -1},
        {"char start past end", s.Find(L'a', 99), -1},
        {"char negative start", s.Find(L'a', -4), 0},
        {"NUL is not found", s.Find(L'\0'), -1},
        {"string", s.Find(L"b.c"), 2},
        {"string from start", s.Find(L".", 2), 3},
        {"string missing", s.Find(L"cd"), -1},
        {"string start at end", s.Find(L"", 5), 5},
        {"string start past end", s.Find(L"", 6), -1},
        {"null string", s.Find(static_cast<LPCWSTR>(nullptr)), -1},
        {"reverse", s.ReverseFind(L'.'), 3},
        {"reverse missing", s.ReverseFind(L'x'), -1},
        {"reverse in empty", CString().ReverseFind(L'x'), -1},
    };
    ExpectInts(cases, std::size(cases));
}

TEST(CString, LeftMidRightClampToTheText)
{
    const CString s(L"abcdef");
    const TextCase cases[] = {
        {"left", s.Left(2), L"ab"},
        {"left too long", s.Left(99), L"abcdef"},
        {"left negative", s.Left(-1), L""},
        {"mid to end", s.Mid(4), L"ef"},
        {"mid count", s.Mid(1, 3), L"bcd"},
        {"mid count past end", s.Mid(4, 99), L"ef"},
        {"mid first past end", s.Mid(10), L""},
        {"mid first negative", s.Mid(-3, 2), L"ab"},
        {"mid negative count", s.Mid(2, -1), L""},
        {"right", s.Right(2), L"ef"},
        {"right too long", s.Right(99), L"abcdef"},
        {"right negative", s.Right(-5), L""},
        {"empty source", CString().Mid(1, 2), L""},
    };
    ExpectText(cases, std::size(cases));
}

TEST(CString, ReplaceAndRemove)
{
    struct Case {
        const char* name;
        const wchar_t* text;
        const wchar_t* oldText;
        const wchar_t* newText;
        const wchar_t* want;
        int count;
    } cases[] = {
        {"every occurrence", L"a.b.c", L".", L"::", L"a::b::c", 2},
        {"no overlap rescans", L"aaa", L"aa", L"b", L"ba", 1},
        {"with nothing", L"a--b-", L"-", L"", L"ab", 3},
        {"null new", L"a-b", L"-", nullptr, L"ab", 1},
        {"empty old", L"abc", L"", L"x", L"abc", 0},
        {"not found", L"abc", L"x", L"y", L"abc", 0},
        {"whole text", L"abc", L"abc", L"xyz", L"xyz", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CString s(c.text);
        EXPECT_EQ(c.count, s.Replace(c.oldText, c.newText));
        EXPECT_STREQ(c.want, s);
    }

    CString path(L"C:/a/b");
    EXPECT_EQ(2, path.Replace(L'/', L'\\'));
    EXPECT_STREQ(L"C:\\a\\b", path);

    CString list(L",a,,b,");
    EXPECT_EQ(4, list.Remove(L','));
    EXPECT_STREQ(L"ab", list);
    EXPECT_EQ(2, list.GetLength());
    EXPECT_EQ(0, list.Remove(L','));
}

TEST(CString, CaseAndComparison)
{
    CString s(L"Mixed ä Case");
    EXPECT_STREQ(L"MIXED Ä CASE", s.MakeUpper());
    EXPECT_STREQ(L"mixed ä case", s.MakeLower());

    struct Case {
        const char* name;
        const wchar_t* a;
        const wchar_t* b;
        int compare;
        int compareNoCase;
    } cases[] = {
        {"equal", L"abc", L"abc", 0, 0},
        {"case differs", L"abc", L"ABC", 1, 0},
        {"non-ASCII case differs", L"\x00e4x", L"\x00c4X", 1, 0},
        {"shorter prefix", L"ab", L"abc", -1, -1},
        {"later letter", L"b", L"A", 1, 1},
        {"empty", L"", L"a", -1, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.compare, Sign(CString(c.a).Compare(c.b)));
        EXPECT_EQ(c.compareNoCase, Sign(CString(c.a).CompareNoCase(c.b)));
    }
    EXPECT_EQ(1, Sign(CString(L"a").Compare(nullptr)));

    const CString a(L"a"), b(L"b");
    EXPECT_TRUE(a == L"a");
    EXPECT_TRUE(L"a" == a);
    EXPECT_TRUE(a != b);
    EXPECT_TRUE(a != L"b");
    EXPECT_TRUE(a < b);
    EXPECT_TRUE(a < L"b");
    EXPECT_TRUE(L"a" < b);
    EXPECT_TRUE(b >= a);
    EXPECT_FALSE(a > b);
}

TEST(CString, ConcatenationAndAssignment)
{
    const CString a(L"ab");
    const TextCase cases[] = {
        {"string + string", a + CString(L"cd"), L"abcd"},
        {"string + pointer", a + L"cd", L"abcd"},
        {"pointer + string", L"cd" + a, L"cdab"},
        {"string + char", a + L'!', L"ab!"},
        {"char + string", L'!' + a, L"!ab"},
        {"string + narrow", a + "cd", L"abcd"},
    };
    ExpectText(cases, std::size(cases));

    CString s(L"x");
    s += s;  // appends its own text
    s += L"y";
    s += L'z';
    EXPECT_STREQ(L"xxyz", s);
    s = L"new";
    EXPECT_STREQ(L"new", s);
    s = L'q';
    EXPECT_STREQ(L"q", s);
    s = "narrow";
    EXPECT_STREQ(L"narrow", s);
    s = (LPCWSTR)s + 2;  // assigned from its own buffer
    EXPECT_STREQ(L"rrow", s);
    s.Empty();
    EXPECT_TRUE(s.IsEmpty());
    EXPECT_STREQ(L"", s);
}

TEST(CString, CharacterAccessOutsideTheTextIsHarmless)
{
    CString s(L"abc");
    EXPECT_EQ(L'b', s.GetAt(1));
    EXPECT_EQ(L'c', s[2]);
    EXPECT_EQ(L'\0', s.GetAt(3));
    EXPECT_EQ(L'\0', s.GetAt(-1));
    s.SetAt(1, L'X');
    s.SetAt(3, L'Y');
    s.SetAt(-1, L'Y');
    EXPECT_STREQ(L"aXc", s);
    EXPECT_EQ(3, s.GetLength());
    CString empty;
    empty.SetAt(0, L'a');
    EXPECT_STREQ(L"", empty);
}

TEST(CString, GetBufferAndReleaseBuffer)
{
    CString s;
    wcscpy(s.GetBuffer(10), L"hello");
    s.ReleaseBuffer();
    EXPECT_STREQ(L"hello", s);
    EXPECT_EQ(5, s.GetLength());

    wchar_t* p = s.GetBuffer(100);  // keeps the text
    EXPECT_STREQ(L"hello", p);
    wcscat(p, L" world");
    s.ReleaseBuffer(-1);
    EXPECT_STREQ(L"hello world", s);

    s.GetBuffer(0);
    s.ReleaseBuffer(4);
    EXPECT_STREQ(L"hell", s);

    s.GetBufferSetLength(2);
    EXPECT_EQ(2, s.GetLength());
    EXPECT_STREQ(L"he", s);

    CString full;
    wmemset(full.GetBuffer(4), L'w', 4);  // no NUL written: measuring stops at the buffer's end
    full.ReleaseBuffer();
    EXPECT_STREQ(L"wwww", full);
    full.GetBuffer(4);
    full.ReleaseBuffer(1000);
    EXPECT_EQ(4, full.GetLength());

    CString empty;
    empty.GetBuffer(0)[0] = 0;
    empty.ReleaseBuffer();
    EXPECT_TRUE(empty.IsEmpty());

    CString windows;
    UINT n = GetWindowsDirectoryW(windows.GetBuffer(MAX_PATH), MAX_PATH);
    windows.ReleaseBuffer();
    EXPECT_GT(n, 0u);
    EXPECT_EQ(static_cast<int>(n), windows.GetLength());
}

TEST(CString, AnsiConversionRoundTrip)
{
    // The lower half is the same in every ANSI code page.
    CString wide;
    for (wchar_t ch = 0x20; ch < 0x7F; ch++)
        wide += ch;
    CStringA narrow(wide);
    ASSERT_EQ(wide.GetLength(), narrow.GetLength());
    EXPECT_STREQ(wide, CString(narrow));
    EXPECT_EQ('~', narrow[narrow.GetLength() - 1]);

    // Whatever the code page holds of this text comes back unchanged the second time round.
    CString accented(L"caf\x00e9 \x4e2d");
    CString once{CStringA(accented)};
    EXPECT_STREQ(once, CString(CStringA(once)));
    EXPECT_EQ(0, once.Find(L"caf"));
}

TEST(CStringA, CoreOperations)
{
    CStringA s;
    s.Format("%s|%I64d|%.3f|%S", "x", -5LL, 1.5, L"wide");
    EXPECT_STREQ("x|-5|1.500|wide", s);
    s.AppendFormat("+%02d", 3);
    EXPECT_STREQ("x|-5|1.500|wide+03", s);

    strcpy(s.GetBuffer(20), "buffer");
    s.ReleaseBuffer();
    EXPECT_EQ(6, s.GetLength());
    s += "s";
    s += '!';
    EXPECT_TRUE(s == "buffers!");
    EXPECT_TRUE("a" + CStringA("b") == "ab");
    EXPECT_TRUE(CStringA("a") < CStringA("b"));
    s = L"from wide";
    EXPECT_STREQ("from wide", s);
    s = CString(L"from CString");
    EXPECT_STREQ("from CString", s);
}

}  // namespace
