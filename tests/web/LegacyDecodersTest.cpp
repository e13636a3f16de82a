// The web's decoders of Shift_JIS, EUC-KR, Big5 and GB 18030, as the reader reads a page labelled with
// them: the byte ranges, what a broken sequence is and which of its bytes are read again, the end of the
// bytes, and GB 18030's four-byte sequences. (That the engine reads every pair so is checked against the
// installed engine by the browser's end-to-end tests.)

#include <gtest/gtest.h>

#include "platform/web/LegacyDecoders.h"
#include "platform/web/MarkupText.h"

namespace {

using vcl::String;
namespace markup = vcl::markup;

const String R = "\xEF\xBF\xBD"; // U+FFFD

struct Case {
    const char* Label;
    String Bytes;
    String Text;
};

template <std::size_t N> void ExpectRead(const Case (&Cases)[N]) {
    for (const Case& c : Cases)
        EXPECT_EQ(markup::ToUtf8(c.Bytes, String("text/html; charset=") + c.Label), c.Text)
            << c.Label << ": " << testing::PrintToString(c.Bytes);
}

TEST(LegacyDecoders, ABrokenPairIsOneErrorAndOnlyItsAsciiSecondByteIsReadAgain) {
    const Case cases[] = {
        // A lead and a second byte in the range that stand for nothing: a byte beyond ASCII is taken with
        // the lead (and does not lead the next character away), an ASCII one reads as itself.
        {"shift_jis", "\x85\x81Incorrect", R + "Incorrect"},
        {"shift_jis", "\x85\x81\x81\x40", R + "\u3000"},
        {"shift_jis", "\x85\x40", R + "@"},
        {"euc-kr", "\xC6\x81Incorrect", R + "Incorrect"},
        {"euc-kr", "\xC6\x5BI", R + "[I"},
        {"big5", "\x81\xA1Incorrect", R + "Incorrect"},
        {"big5", "\x81\x40I", R + "@I"},
        // A second byte beyond the range: alike.
        {"shift_jis", "\x81\xFDI", R + "I"},
        {"shift_jis", "\x81\x7FI", R + "\x7FI"},
        {"shift_jis", "\x81 I", R + " I"},
        {"euc-kr", "\x81\xFFI", R + "I"},
        {"euc-kr", "\xB0\x40I", R + "@I"},
        {"big5", "\xA1\x80I", R + "I"},
        {"big5", "\xA1\xA0I", R + "I"},
        {"big5", "\xA1\x7FI", R + "\x7FI"},
        {"gb18030", "\x81\xFFI", R + "I"},
        {"gbk", "\x81\x7FI", R + "\x7FI"},
        // A byte that is no lead and no character of its own.
        {"shift_jis", "\xA0\xFD\xFE\xFFI", R + R + R + R + "I"},
        {"euc-kr", "\x80\xFFI", R + R + "I"},
        {"big5", "\x80\xFFI", R + R + "I"},
        {"gb18030", "\xFFI", R + "I"},
    };
    ExpectRead(cases);
}

TEST(LegacyDecoders, ASequenceCutOffByTheEndIsOneError) {
    const Case cases[] = {
        {"shift_jis", "x\x81", "x" + R},
        {"euc-kr", "x\xB0", "x" + R},
        {"big5", "x\xA4", "x" + R},
        {"gb18030", "x\x81", "x" + R},
        {"gb18030", "x\x81\x30", "x" + R},
        {"gb18030", "x\x81\x30\x81", "x" + R},
        {"gbk", "\xD2\xBB\x81\x30", "\u4E00" + R},
    };
    ExpectRead(cases);
}

TEST(LegacyDecoders, SingleBytesAndTheCharactersThatNoTableGives) {
    const Case cases[] = {
        // Shift_JIS: 0x80 as itself, 0xA1..0xDF as half-width katakana, and the leads 0xF0..0xF9 as the
        // private use area, 188 characters a lead.
        {"shift_jis", "\x80\xA1\xDF", "\u0080\uFF61\uFF9F"},
        {"shift_jis", "\xF0\x40\xF0\xFC\xF9\xFC", "\uE000\uE0BB\uE757"},
        {"shift_jis", "\x88\x9F", "\u4E9C"},
        {"euc-kr", "\xB0\xA1", "\uAC00"},
        // Big5: four sequences are a letter and a combining mark.
        {"big5", "\xA4\x40\x88\x62\x88\x64\x88\xA3\x88\xA5",
         "\u4E00\u00CA\u0304\u00CA\u030C\u00EA\u0304\u00EA\u030C"},
        // GB 18030: 0x80 is the euro sign.
        {"gb18030", "\x80\xD2\xBB", "\u20AC\u4E00"},
        {"gbk", "\x80", "\u20AC"},
    };
    ExpectRead(cases);
}

TEST(LegacyDecoders, Gb18030FourByteSequencesAndTheirRanges) {
    const Case cases[] = {
        // The basic plane from its first sequence to U+FFFF, and the one sequence outside its run.
        {"gb18030", "\x81\x30\x81\x30", "\u0080"},
        {"gb18030", "\x84\x31\xA4\x39", "\uFFFF"},
        {"gb18030", "\x81\x35\xF4\x37", "\uE7C7"},
        // The supplementary planes, from 0x90308130 to U+10FFFF.
        {"gb18030", "\x90\x30\x81\x30\x94\x39\xFC\x36", "\U00010000\U0001F600"},
        {"gbk", "\xE3\x32\x9A\x35", "\U0010FFFF"},
        // Between the planes, beyond U+10FFFF: one error for all four bytes.
        {"gb18030", "\x84\x31\xA5\x30I\x8F\x39\xFE\x39I", R + "I" + R + "I"},
        {"gb18030", "\xE3\x32\x9A\x36I\xFE\x39\xFE\x39I", R + "I" + R + "I"},
        // Broken at the third or the fourth byte: the first byte is the error, the rest are read again (a
        // third byte as a first).
        {"gb18030", "\x81\x30I", R + "0I"},
        {"gb18030", "\x81\x30\xFFI", R + "0" + R + "I"},
        {"gb18030", "\x81\x30\xD2\xBB", R + "0\u4E00"},
        {"gb18030", "\x81\x30\x81 I", R + "0" + R + " I"},
    };
    ExpectRead(cases);
}

TEST(LegacyDecoders, WithoutTheConverterEveryPairIsAnErrorAndTheRestStands) {
    EXPECT_EQ(markup::DecodeShiftJis("a\x88\x9F\x88@\xB1\xF0\x40", "NO-SUCH-CONVERTER"),
              "a" + R + R + "@\uFF71\uE000");
    EXPECT_EQ(markup::DecodeGb18030("\x80\xD2\xBB\x90\x30\x81\x30", "NO-SUCH-CONVERTER"),
              "\u20AC" + R + "\U00010000");
}

} // namespace
