// The one UTF-8 / UTF-16 converter.

#include <gtest/gtest.h>

#include "platform/rtl/SysUtils.h"
#include "platform/rtl/Unicode.h"

using namespace vcl;

TEST(Unicode, WellFormedTextGoesBothWaysUnchanged) {
    // One character of each UTF-8 length, a surrogate pair among them.
    const String text = "A\xC3\xA9\xE2\x82\xAC\xF0\x9D\x84\x9E";
    const std::u16string units = Utf8ToUtf16(text);
    EXPECT_EQ(units, (std::u16string{u'A', 0xE9, 0x20AC, 0xD834, 0xDD1E}));
    EXPECT_EQ(Utf16ToUtf8(units), text);
    EXPECT_EQ(Utf8ToUtf16(""), u"");
    EXPECT_EQ(Utf16ToUtf8(std::u16string(1, u'\0')), String(1, '\0')) << "an embedded zero is a character";
}

TEST(Unicode, EachOffendingUtf8ByteIsOneReplacement) {
    const char16_t R = 0xFFFD;
    struct Case {
        const char* Name;
        String Bytes;
        std::u16string Expected;
    };
    const Case cases[] = {
        {"stray continuation byte", "a\x80z", {u'a', R, u'z'}},
        {"truncated at the end", "a\xE2\x82", {u'a', R, R}},
        {"lead byte before ASCII", "\xC3z", {R, u'z'}},
        {"overlong slash", "\xC0\xAF", {R, R}},
        {"encoded surrogate", "\xED\xA0\x80", {R, R, R}},
        {"above U+10FFFF", "\xF4\x90\x80\x80", {R, R, R, R}},
        {"invalid lead byte", "\xFF", {R}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Utf8ToUtf16(c.Bytes), c.Expected) << c.Name;

    std::size_t i = 1;
    EXPECT_EQ(Utf8Next("a\xE2\x82\xAC", i), U'\u20AC');
    EXPECT_EQ(i, 4u);
}

TEST(Unicode, UnpairedSurrogatesReadAsReplacement) {
    EXPECT_EQ(Utf16ToUtf8(std::u16string{0xD800, u'x'}), "\xEF\xBF\xBDx");
    EXPECT_EQ(Utf16ToUtf8(std::u16string{0xDC00}), "\xEF\xBF\xBD");
    EXPECT_EQ(Utf16ToUtf8(std::u16string{u'x', 0xD83D}), "x\xEF\xBF\xBD") << "a high surrogate at the end";
    std::u16string out;
    AppendUtf16(out, 0x110000);
    AppendUtf16(out, 0xDFFF);
    EXPECT_EQ(out, (std::u16string{0xFFFD, 0xFFFD}));
}

TEST(Unicode, CaseMappingKeepsBytesThatAreNoCharacters) {
    // Text is never damaged by a case change: a stray byte, an overlong form and a cut-off character
    // stay as they were, the characters around them change.
    EXPECT_EQ(AnsiUpperCase("a\xFF"
                            "b\xC0\xAF"
                            "c\xC3"),
              "A\xFF"
              "B\xC0\xAF"
              "C\xC3");
    EXPECT_EQ(AnsiLowerCase("\xC3\x89T\xE2\x82"), "\xC3\xA9t\xE2\x82");
    EXPECT_EQ(Utf8Length("a\xFF\xC3\xA9"), 3) << "a stray byte counts as one";
}

TEST(Unicode, Windows1252ReadsEveryByteAndWritesEachCharacterBack) {
    EXPECT_EQ(Cp1252ToUtf8("Tr\xE8s \x80 \x9F"), "Tr\u00E8s \u20AC \u0178");
    EXPECT_FALSE(IsValidUtf8("Tr\xE8s"));
    EXPECT_TRUE(IsValidUtf8(Cp1252ToUtf8("Tr\xE8s")));
    EXPECT_TRUE(IsValidUtf8("\xEF\xBF\xBD")) << "U+FFFD itself is well formed";
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80")) << "a surrogate is not";
    // Every byte is one character, and the code page gives that byte back for it.
    for (int b = 1; b < 256; ++b) {
        const String one(1, static_cast<char>(b));
        const String text = Cp1252ToUtf8(one);
        std::size_t at = 0;
        const char32_t cp = Utf8Next(text, at);
        EXPECT_EQ(at, text.size()) << b;
        char back = 0;
        EXPECT_TRUE(CodePointToCp1252(cp, back)) << b;
        EXPECT_EQ(static_cast<unsigned char>(back), b);
    }
    char none = 0;
    EXPECT_FALSE(CodePointToCp1252(0x4E2D, none)) << "a character the code page lacks";
}
