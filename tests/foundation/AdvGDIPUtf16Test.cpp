// The UTF-8 to UTF-16 conversion behind the 8-bit text and file-name forms.

#include <gtest/gtest.h>

#include "components/foundation/AdvGDIPUtf16.h"

using AdvGDIP::Utf8ToUtf16Buffer;

namespace {

std::u16string Convert(const std::string& s) {
    auto buffer = Utf8ToUtf16Buffer(s);
    EXPECT_FALSE(buffer.empty());
    EXPECT_EQ(buffer.back(), 0); // always terminated
    return std::u16string(buffer.begin(), buffer.end() - 1);
}

} // namespace

TEST(AdvGDIPUtf16, WellFormedTextInEveryLengthAndMalformedBytes) {
    EXPECT_EQ(Convert(""), u"");
    EXPECT_EQ(Convert("Abc"), u"Abc");
    EXPECT_EQ(Convert("Gr\xC3\xB6\xC3\x9F"
                      "e"),
              u"Gr\u00F6\u00DFe");
    EXPECT_EQ(Convert("\xE2\x82\xAC"), u"\u20AC");
    EXPECT_EQ(Convert("\xF0\x9F\x98\x80"), u"\U0001F600"); // a surrogate pair
    EXPECT_EQ(Utf8ToUtf16Buffer("Hello", 2).size(), 3u);   // "He" and the terminator
    // Malformed bytes become replacement characters.
    EXPECT_EQ(Convert("a\xFF"
                      "b"),
              u"a\uFFFD"
              "b");
    EXPECT_EQ(Convert("\xC0\x80"), u"\uFFFD\uFFFD");                     // overlong zero
    EXPECT_EQ(Convert("\xED\xA0\x80"), u"\uFFFD\uFFFD\uFFFD");           // an encoded surrogate
    EXPECT_EQ(Convert("x\xE2\x82"), u"x\uFFFD\uFFFD");                   // truncated at the end
    EXPECT_EQ(Convert("\xE2(a"), u"\uFFFD(a");                           // broken continuation
    EXPECT_EQ(Convert("\xF4\x90\x80\x80"), u"\uFFFD\uFFFD\uFFFD\uFFFD"); // beyond U+10FFFF
    EXPECT_EQ(Utf8ToUtf16Buffer("\xC3\xB6", 1).size(), 2u);              // cut inside a character
}
