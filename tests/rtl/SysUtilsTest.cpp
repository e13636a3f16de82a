#include <gtest/gtest.h>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/SysUtils.h"
#include "tests/rtl/RtlTestSupport.h"

using namespace vcl;

namespace {

using rtltest::ErrorOf;

TEST(SysUtilsTest, TrimRemovesBlanksAndControlCharactersOnly) {
    EXPECT_EQ(Trim(" \t\r\n a b \x01\x1f "), "a b");
    EXPECT_EQ(TrimLeft("  x  "), "x  ");
    EXPECT_EQ(TrimRight("  x  "), "  x");
    EXPECT_EQ(Trim(" \t "), "");
    EXPECT_EQ(Trim("\xC3\xA9 "), "\xC3\xA9"); // bytes of multibyte characters are above the blank
}

TEST(SysUtilsTest, CaseMappingAsciiAndUtf8) {
    EXPECT_EQ(UpperCase("abc\xC3\xA9z"), "ABC\xC3\xA9Z"); // ASCII only: é untouched
    EXPECT_EQ(LowerCase("ABC\xC3\x89"), "abc\xC3\x89");
    EXPECT_EQ(AnsiUpperCase("caf\xC3\xA9 \xD0\xB4\xCE\xB1 \xC3\xBF"),
              "CAF\xC3\x89 \xD0\x94\xCE\x91 \xC5\xB8");
    EXPECT_EQ(AnsiLowerCase("CAF\xC3\x89 \xD0\x94\xCE\x91 \xC5\xB8"),
              "caf\xC3\xA9 \xD0\xB4\xCE\xB1 \xC3\xBF");
    EXPECT_EQ(AnsiUpperCase("\xC3\xB7\xC3\x97"), "\xC3\xB7\xC3\x97"); // ÷ and × have no case
}

// The letters of Latin Extended-B and Additional that come in pairs, Greek with dialytika and the rest of
// Cyrillic fold too; every pair keeps its UTF-8 length, and a letter folded up and down again folds up
// to the same letter.
TEST(SysUtilsTest, CaseMappingCoversTheLetterPairsOfLatinGreekAndCyrillic) {
    EXPECT_EQ(AnsiUpperCase("ǎ ǟ ȁ ɇ ḁ ạ ỹ ϊ ϋ ϣ ӂ ӏ ԁ"), "Ǎ Ǟ Ȁ Ɇ Ḁ Ạ Ỹ Ϊ Ϋ Ϣ Ӂ Ӏ Ԁ");
    EXPECT_EQ(AnsiLowerCase("Ǎ Ǟ Ȁ Ɇ Ḁ Ạ Ỹ Ϊ Ϋ Ϣ Ӂ Ӏ Ԁ"), "ǎ ǟ ȁ ɇ ḁ ạ ỹ ϊ ϋ ϣ ӂ ӏ ԁ");
    for (char32_t c = 0; c < 0x2000; ++c) {
        const char32_t up = AnsiUpperChar(c), low = AnsiLowerChar(c);
        EXPECT_EQ(Utf8Encode(up).size(), Utf8Encode(c).size()) << std::hex << static_cast<unsigned>(c);
        EXPECT_EQ(Utf8Encode(low).size(), Utf8Encode(c).size()) << std::hex << static_cast<unsigned>(c);
        EXPECT_EQ(AnsiUpperChar(low), up) << std::hex << static_cast<unsigned>(c);
    }
}

TEST(SysUtilsTest, Comparisons) {
    EXPECT_EQ(CompareText("abc", "ABC"), 0);
    EXPECT_LT(CompareText("abc", "abd"), 0);
    EXPECT_GT(CompareText("abcd", "ABC"), 0);
    EXPECT_GT(CompareText("a_", "AB"), 0); // folded to upper case: '_' (0x5F) after 'B' (0x42)
    EXPECT_TRUE(SameText("Hello", "hELLO"));
    EXPECT_FALSE(SameText("\xC3\xA9", "\xC3\x89")); // ASCII only
    EXPECT_TRUE(AnsiSameText("\xC3\xA9", "\xC3\x89"));
    EXPECT_LT(CompareStr("B", "a"), 0);
    EXPECT_FALSE(SameStr("a", "A"));
    EXPECT_LT(AnsiCompareStr("a", "B"), 0);
    EXPECT_LT(AnsiCompareStr("a", "A"), 0);
    EXPECT_LT(AnsiCompareStr("A", "b"), 0);
    EXPECT_EQ(AnsiCompareStr("Ab", "Ab"), 0);
}

TEST(SysUtilsTest, PosCopyAndReplace) {
    EXPECT_EQ(Pos("lo", "hello lo"), 4);
    EXPECT_EQ(Pos("x", "hello"), 0);
    EXPECT_EQ(Pos("", "hello"), 0);
    EXPECT_EQ(PosEx("lo", "hello lo", 5), 7);
    EXPECT_EQ(PosEx("lo", "hello", 0), 0);
    EXPECT_EQ(PosEx("lo", "hello", 6), 0);
    EXPECT_EQ(Copy("hello", 2, 3), "ell");
    EXPECT_EQ(Copy("hello", 0, 2), "he"); // index below 1 counts from the start
    EXPECT_EQ(Copy("hello", 4, 100), "lo");
    EXPECT_EQ(Copy("hello", 6, 1), "");
    EXPECT_EQ(Copy("hello", 2, -1), "");
    EXPECT_EQ(StringReplace("a-b-c", "-", "+"), "a+b-c");
    EXPECT_EQ(StringReplace("a-b-c", "-", "+", rfReplaceAll), "a+b+c");
    EXPECT_EQ(StringReplace("xAbxaB", "ab", "_", {rfReplaceAll, rfIgnoreCase}), "x_x_");
    EXPECT_EQ(StringReplace("aaa", "a", "aa", rfReplaceAll), "aaaaaa"); // no re-scan of replaced text
    EXPECT_EQ(StringReplace("abc", "", "x", rfReplaceAll), "abc");
    EXPECT_EQ(StringReplace("\xC3\x89t\xC3\xA9", "\xC3\xA9", "e", {rfReplaceAll, rfIgnoreCase}), "ete");
}

TEST(SysUtilsTest, Utf8Helpers) {
    const String s = "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80z"; // a é € 😀 z
    EXPECT_EQ(Utf8Length(s), 5);
    EXPECT_EQ(Utf8Copy(s, 2, 2), "\xC3\xA9\xE2\x82\xAC");
    EXPECT_EQ(Utf8Copy(s, 5, 10), "z");
    EXPECT_EQ(Utf8Copy(s, 9, 1), "");
    EXPECT_EQ(Utf8Pos("z", s), 5);
    EXPECT_EQ(Utf8Length(""), 0);
}

TEST(SysUtilsTest, IntegerConversions) {
    EXPECT_EQ(IntToStr(-42), "-42");
    EXPECT_EQ(IntToStr(Int64{1} << 40), "1099511627776");
    EXPECT_EQ(IntToHex(255, 4), "00FF");
    EXPECT_EQ(IntToHex(-1, 2), "FFFFFFFF");
    EXPECT_EQ(IntToHex(Int64{-1}, 0), "FFFFFFFFFFFFFFFF");
    EXPECT_EQ(IntToHex(static_cast<short>(-2), 1), "FFFE"); // two's complement of the value's own width
    EXPECT_EQ(IntToHex(0xCAFEu, 8), "0000CAFE");
    EXPECT_EQ(IntToStr(std::size_t{18446744073709551615ull}), "18446744073709551615");
    EXPECT_EQ(StrToInt("  123"), 123);
    EXPECT_EQ(StrToInt("-2147483648"), -2147483647 - 1);
    EXPECT_EQ(StrToInt("+7"), 7);
    EXPECT_EQ(StrToInt("$1F"), 31);
    EXPECT_EQ(StrToInt("0x1f"), 31);
    EXPECT_EQ(StrToInt("-$10"), -16);
    EXPECT_EQ(StrToInt("$FFFFFFFF"), -1);
    for (const char* bad :
         {"", " ", "12 ", "1a", "$", "2147483648", "-2147483649", "$100000000", "--1", "1.0"}) {
        int v = 99;
        EXPECT_FALSE(TryStrToInt(bad, v)) << bad;
        EXPECT_EQ(v, 99);
        EXPECT_EQ(StrToIntDef(bad, -5), -5);
    }
    EXPECT_EQ(ErrorOf([] { StrToInt("12x"); }), "'12x' is not a valid integer value");
    EXPECT_THROW(StrToInt("99999999999999999999999"), EConvertError);
    EXPECT_EQ(StrToInt64("-9223372036854775808"), INT64_MIN);
    EXPECT_THROW(StrToInt64("9223372036854775808"), EConvertError);
}

TEST(SysUtilsTest, FloatConversions) {
    EXPECT_EQ(FloatToStr(0.5), "0.5");
    EXPECT_EQ(FloatToStr(-3), "-3");
    EXPECT_EQ(FloatToStr(0.1 + 0.2), "0.3"); // 15 significant digits
    EXPECT_EQ(FloatToStr(1e20), "1E20");
    EXPECT_EQ(FloatToStr(123456789012345.0), "123456789012345");
    EXPECT_EQ(FloatToStr(1234567890123456.0), "1.23456789012346E15");
    EXPECT_EQ(FloatToStr(0.00001), "0.00001");
    EXPECT_EQ(FloatToStr(0.0000015), "1.5E-6");
    EXPECT_EQ(FloatToStr(0.0), "0");
    EXPECT_EQ(StrToFloat(" 1.5e3 "), 1500.0);
    EXPECT_EQ(StrToFloat("-.25"), -0.25);
    EXPECT_EQ(StrToFloat("+2."), 2.0);
    EXPECT_EQ(StrToFloat("1e-400"), 0.0);
    for (const char* bad : {"", ".", "1,5", "1e", "0x10", "inf", "nan", "1e400", "1.2.3"}) {
        double v = 7;
        EXPECT_FALSE(TryStrToFloat(bad, v)) << bad;
        EXPECT_EQ(v, 7);
        EXPECT_EQ(StrToFloatDef(bad, -1), -1);
    }
    EXPECT_THROW(StrToFloat("abc"), EConvertError);
}

TEST(SysUtilsTest, QuotingAndFileNames) {
    EXPECT_EQ(QuotedStr("It's"), "'It''s'");
    EXPECT_EQ(AnsiQuotedStr("a\"b", '"'), "\"a\"\"b\"");
    EXPECT_EQ(AnsiDequotedStr("\"a\"\"b\"", '"'), "a\"b");
    EXPECT_EQ(AnsiDequotedStr("abc", '"'), "abc");
    EXPECT_EQ(AnsiDequotedStr("\"abc", '"'), "\"abc");
    EXPECT_EQ(AnsiDequotedStr("\"a\"b\"", '"'), "\"a\"b\""); // not one quoted string: kept whole
    EXPECT_EQ(AnsiDequotedStr("\"\"", '"'), "");

    EXPECT_EQ(ExtractFilePath("/a/b/c.txt"), "/a/b/");
    EXPECT_EQ(ExtractFileName("/a/b/c.txt"), "c.txt");
    EXPECT_EQ(ExtractFilePath("c.txt"), "");
    EXPECT_EQ(ExtractFileExt("/a/b/c.tar.gz"), ".gz");
    EXPECT_EQ(ExtractFileExt("/a.d/file"), "");
    EXPECT_EQ(ChangeFileExt("/a.d/file", ".ini"), "/a.d/file.ini");
    EXPECT_EQ(ChangeFileExt("/x/prog.exe", ".ini"), "/x/prog.ini");
    EXPECT_EQ(ChangeFileExt("/x/prog.exe", ""), "/x/prog");
    EXPECT_EQ(IncludeTrailingPathDelimiter("/x"), "/x/");
    EXPECT_EQ(IncludeTrailingPathDelimiter("/x/"), "/x/");
    EXPECT_EQ(ExcludeTrailingPathDelimiter("/x/"), "/x");
    EXPECT_EQ(ExcludeTrailingPathDelimiter("/"), "/");
}

} // namespace
