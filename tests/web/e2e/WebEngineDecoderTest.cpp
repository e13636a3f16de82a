// End to end: the reader's decoders of the East Asian multi-byte encodings against the installed engine.
// Every byte beyond ASCII followed by every second byte and "I" (and in GB 18030 its four-byte forms) is
// shown to the engine in one large page an encoding; the ASCII characters and the U+FFFDs of the reader's
// text must stand exactly where the engine shows them. Where the system's converter, which gives the
// reader the character of a well-formed sequence, has another character than the engine for it, or none
// (an error then, its ASCII second byte read again), that is counted and printed, not failed. And the
// failed sign-in's words after a broken sequence of each kind are found in the reader's text where the
// engine shows them.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/rtl/Unicode.h"
#include "platform/web/MarkupText.h"
#include "platform/web/WebEncodings.h"
#include "tests/web/e2e/EngineTextView.h"

namespace {

using kvweb::TextView;
using vcl::String;
namespace markup = vcl::markup;

String Hex(const String& Bytes) {
    String out;
    char b[4];
    for (const unsigned char c : Bytes) {
        std::snprintf(b, sizeof b, "%02X", c);
        out += (out.empty() ? "" : " ") + String(b);
    }
    return out;
}

String CodePoints(const std::u32string& Text) {
    String out;
    char c[12];
    for (const char32_t cp : Text) {
        if (cp >= 0x20 && cp < 0x7F)
            std::snprintf(c, sizeof c, "%c", static_cast<char>(cp));
        else
            std::snprintf(c, sizeof c, "<%04X>", static_cast<unsigned>(cp));
        out += c;
    }
    return out;
}

std::u32string CodePointsOf(const String& Utf8) {
    std::u32string out;
    for (std::size_t i = 0; i < Utf8.size();)
        out += vcl::Utf8Next(Utf8, i);
    return out;
}

// Each unit of a page is followed by this, which no decoder takes into a sequence (it comes after an
// ASCII "I", with no lead before it).
const String kEnd = "I|\n";
const std::u32string kPart = U"|\n";

// The units' bytes as one page, each followed by kEnd. A unit with a NUL goes before "<plaintext>", where
// the page's parser drops the NUL as the reader does; the others after it, where "<" and "&" are text.
struct Page {
    String Bytes;
    std::vector<String> Units; // in the order the page shows them
};

Page PageOf(const std::vector<String>& Units) {
    Page page;
    for (const bool nul : {true, false}) {
        if (!nul) page.Bytes += "<plaintext>";
        for (const String& u : Units)
            if ((u.find('\0') != String::npos) == nul) {
                page.Bytes += u + kEnd;
                page.Units.push_back(u);
            }
    }
    return page;
}

// A text parted into the units' texts, and what follows the last.
std::vector<std::u32string> Parted(const std::u32string& Text) {
    std::vector<std::u32string> out;
    std::size_t from = 0;
    for (std::size_t end; (end = Text.find(kPart, from)) != std::u32string::npos; from = end + kPart.size())
        out.push_back(Text.substr(from, end - from));
    out.push_back(Text.substr(from));
    return out;
}

// What must agree: ASCII and U+FFFD as they are, any other character as one mark.
std::u32string Shape(std::u32string Text) {
    for (char32_t& c : Text)
        if (c >= 0x80 && c != vcl::ReplacementChar) c = 0x110000;
    return Text;
}

// Every byte beyond ASCII followed by every byte.
std::vector<String> Pairs() {
    std::vector<String> units;
    for (int first = 0x80; first < 0x100; ++first)
        for (int second = 0; second < 0x100; ++second)
            units.push_back(String{static_cast<char>(first), static_cast<char>(second)});
    return units;
}

String Four(int a, int b, int c, int d) {
    return {static_cast<char>(a), static_cast<char>(b), static_cast<char>(c), static_cast<char>(d)};
}

// GB 18030's four-byte forms: each first byte with each digit; each byte third and each byte fourth;
// every sequence of the basic plane; and the ends of the ranges that stand for characters.
std::vector<String> FourByteForms() {
    std::vector<String> units;
    for (int first = 0x81; first <= 0xFE; ++first)
        for (int digit = 0x30; digit <= 0x39; ++digit) {
            units.push_back(Four(first, digit, 0x81, 0x30));
            units.push_back(Four(first, digit, 0xFE, 0x39));
        }
    for (int b = 0; b < 0x100; ++b) {
        units.push_back(Four(0x81, 0x30, b, 0x35));
        units.push_back(Four(0x81, 0x30, 0x81, b));
    }
    auto sequence = [](int p) {
        return Four(p / 12600 + 0x81, p / 1260 % 10 + 0x30, p / 10 % 126 + 0x81, p % 10 + 0x30);
    };
    for (int p = 0; p < 39420; ++p)
        units.push_back(sequence(p));
    for (const int p :
         {39420, 40000, 188999, 189000, 189001, 189000 + 0x1F600 - 0x10000, 1237575, 1237576, 1587599})
        units.push_back(sequence(p));
    return units;
}

// The page of the units in an encoding as the engine shows it and as the reader reads it, each parted
// into the units' texts.
struct Texts {
    std::vector<std::u32string> Engine, Reader;
    std::u32string EngineRest, ReaderRest; // after the last unit
};

Texts Read(TextView& View, const char* Label, const Page& Page, const String& Rest = String()) {
    const String bytes = Page.Bytes + Rest;
    const TextView::Read engine = View.ShowBytes(bytes, Label);
    const String& shown = engine.Text;
    EXPECT_EQ(engine.Encoding, markup::EncodingOfLabel(Label)->Name) << Label;
    String read = markup::ToUtf8(bytes, String("text/html; charset=") + Label);
    const std::size_t tag = read.find("<plaintext>");
    EXPECT_NE(tag, String::npos) << Label;
    if (tag != String::npos) read.erase(tag, 11);
    for (char& c : read) // a CR alone reaches the page's parser as a line feed
        if (c == '\r') c = '\n';
    Texts texts{Parted(CodePointsOf(shown)), Parted(CodePointsOf(read)), {}, {}};
    EXPECT_EQ(texts.Engine.size(), Page.Units.size() + 1) << Label << ": the engine's units";
    EXPECT_EQ(texts.Reader.size(), Page.Units.size() + 1) << Label << ": the reader's units";
    if (texts.Engine.size() == Page.Units.size() + 1) {
        texts.EngineRest = texts.Engine.back();
        texts.Engine.pop_back();
    }
    if (texts.Reader.size() == Page.Units.size() + 1) {
        texts.ReaderRest = texts.Reader.back();
        texts.Reader.pop_back();
    }
    return texts;
}

// Where the system's converter, the reader's table, differs from the engine's for a well-formed sequence.
struct TableDifferences {
    int Other = 0; // it has another character
    int None = 0;  // it has none: the sequence is an error, an ASCII second byte read again
    std::vector<String> Examples;
    void Note(int& Count, const String& What) {
        if (++Count <= 3) Examples.push_back(What);
    }
};

TEST(EngineDecoder, EveryLeadWithEverySecondByteReadsAsTheEngineShowsIt) {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no display";
    TextView view;
    const std::vector<String> pairs = Pairs(), fourByteForms = FourByteForms();
    std::vector<String> gb = pairs;
    gb.insert(gb.end(), fourByteForms.begin(), fourByteForms.end());
    const struct {
        const char* Label;
        const std::vector<String>& Units;
    } encodings[] = {
        {"shift_jis", pairs}, {"euc-kr", pairs}, {"big5", pairs}, {"gb18030", gb}, {"gbk", pairs}};
    for (const auto& e : encodings) {
        const Page page = PageOf(e.Units);
        const Texts texts = Read(view, e.Label, page);
        TableDifferences table;
        int failures = 0;
        for (std::size_t u = 0; u < texts.Engine.size() && u < texts.Reader.size(); ++u) {
            const std::u32string &engine = texts.Engine[u], &reader = texts.Reader[u];
            if (engine == reader) continue;
            const String& bytes = page.Units[u];
            const String what = Hex(bytes) + " I: the engine shows " + CodePoints(engine) +
                                ", the reader reads " + CodePoints(reader);
            // The engine took the two bytes for one character, which the converter does not have.
            const auto second = static_cast<unsigned char>(bytes[1]);
            const std::u32string error = second < 0x80 ? std::u32string{0xFFFD, second, U'I'} : U"\uFFFDI";
            if (Shape(engine) == Shape(reader))
                table.Note(table.Other, what);
            else if (bytes.size() == 2 && Shape(engine) == Shape(U"\u4E00I") && reader == error)
                table.Note(table.None, what);
            else if (++failures <= 20)
                ADD_FAILURE() << e.Label << ": " << what;
        }
        EXPECT_EQ(failures, 0) << e.Label << ": units the reader reads otherwise than the engine";
        std::printf("[ table    ] %s: of %zu units, %d with another character in the converter than in the "
                    "engine, %d with none\n",
                    e.Label, page.Units.size(), table.Other, table.None);
        for (const String& x : table.Examples)
            std::printf("[ table    ]   %s\n", x.c_str());
    }
}

// The failed sign-in's words after a broken sequence of each kind: the reader finds them where the engine
// shows them. And a sequence cut off by the end of the page is one U+FFFD to both.
TEST(EngineDecoder, TheFailedSignInIsFoundAfterABrokenSequenceWhereTheEngineShowsIt) {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no display";
    const String words = "Incorrect username or password";
    const std::u32string phrase = CodePointsOf(words);
    // In GB 18030, and so in GBK: a second byte beyond the range, ASCII or not; no first byte; a four-byte
    // sequence broken at its third byte, or at its fourth by a byte that is ASCII or is not; a four-byte
    // sequence between the planes and one beyond U+10FFFF; a first byte and a digit before the words.
    const std::vector<String> gb = {
        "\x81\xFF",         "\x81\x7F",         "\x81\x20",         "\xFF",
        "\x81\x30\xFF",     "\x81\x30\x81\xFF", "\x81\x30\x81\x20", "\x84\x31\xA5\x30",
        "\xE3\x32\x9A\x36", "\x81\x30"};
    const struct {
        const char* Label;
        std::vector<String> Broken;
        String Unfinished; // at the end of the page
    } encodings[] = {
        // A lead with a second byte in the range that stands for nothing, not ASCII and ASCII; with one
        // beyond the range, not ASCII and ASCII; a byte that is no lead and no character.
        {"shift_jis", {"\x85\x81", "\x85\x40", "\x81\xFD", "\x81\x20", "\xA0", "\xFD", "\xFF"}, "\x81"},
        {"euc-kr", {"\xC6\x81", "\xC6\x5B", "\x81\xFF", "\x81\x20", "\x80", "\xFF"}, "\xC6"},
        {"big5", {"\x81\xA1", "\x81\x40", "\xA1\x80", "\xA1\x20", "\x80", "\xFF"}, "\xA4"},
        {"gb18030", gb, "\x81\x30\x81"},
        {"gbk", gb, "\x81\x30"},
    };
    TextView view;
    for (const auto& e : encodings) {
        std::vector<String> units;
        for (const String& b : e.Broken)
            units.push_back("x" + b + words + " ");
        const Page page = PageOf(units);
        const Texts texts = Read(view, e.Label, page, "x" + e.Unfinished);
        for (std::size_t u = 0; u < texts.Engine.size() && u < texts.Reader.size(); ++u) {
            const std::size_t at = texts.Engine[u].find(phrase);
            EXPECT_NE(at, std::u32string::npos) << e.Label << ": " << Hex(e.Broken[u])
                                                << ": the engine shows " << CodePoints(texts.Engine[u]);
            EXPECT_EQ(texts.Reader[u].find(phrase), at)
                << e.Label << ": " << Hex(e.Broken[u]) << ": the engine shows " << CodePoints(texts.Engine[u])
                << ", the reader reads " << CodePoints(texts.Reader[u]);
        }
        EXPECT_EQ(texts.EngineRest, U"x\uFFFD") << e.Label << ": " << Hex(e.Unfinished) << " at the end";
        EXPECT_EQ(texts.ReaderRest, U"x\uFFFD") << e.Label << ": " << Hex(e.Unfinished) << " at the end";
    }
}

} // namespace
