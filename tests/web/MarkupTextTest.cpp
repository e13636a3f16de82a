// A page's markup as text: which encoding the bytes are read in, and that the text is always UTF-8.

#include <gtest/gtest.h>

#include "platform/rtl/Unicode.h"
#include "platform/web/ContentType.h"
#include "platform/web/MarkupText.h"
#include "platform/web/WebEncodings.h"

namespace {

using vcl::String;
namespace markup = vcl::markup;

// Bytes answered with a Content-Type, and the text the reader makes of them.
struct Decoding {
    const char* What;
    String Bytes;
    String ContentType;
    String Text;
};

template <std::size_t N> void ExpectDecoded(const Decoding (&Cases)[N]) {
    for (const Decoding& c : Cases)
        EXPECT_EQ(markup::ToUtf8(c.Bytes, c.ContentType), c.Text) << c.What;
}

TEST(MarkupText, TheEncodingIsTheMarksThenTheHeadersThenTheMetasThenUtf8OrWindows1252) {
    const String cafe1252 = "caf\xE9 \x80";             // "café €" in Windows-1252
    const String cafeUtf8 = "caf\xC3\xA9 \xE2\x82\xAC"; // and in UTF-8
    const Decoding cases[] = {
        {"the header's charset", cafe1252, "text/html; charset=windows-1252", cafeUtf8},
        {"a quoted charset among other parameters", cafe1252, "text/html;q=1; Charset=\"Windows-1252\"",
         cafeUtf8},
        {"ISO-8859-1 read as Windows-1252", cafe1252, "text/html; charset=iso-8859-1", cafeUtf8},
        {"a meta charset", "<meta charset='windows-1252'>" + cafe1252, "text/html",
         "<meta charset='windows-1252'>" + cafeUtf8},
        {"a meta http-equiv",
         "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=latin1\">" + cafe1252, "",
         "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=latin1\">" + cafeUtf8},
        {"the header over the meta", "<meta charset=utf-8>" + cafe1252, "text/html; charset=windows-1252",
         "<meta charset=utf-8>" + cafeUtf8},
        {"unlabelled UTF-8", cafeUtf8, "text/html", cafeUtf8},
        {"unlabelled 8-bit text", cafe1252, "text/html", cafeUtf8},
        {"a label nobody knows", cafe1252, "text/html; charset=no-such-thing", cafeUtf8},
        {"the UTF-8 mark over the header", "\xEF\xBB\xBF" + cafeUtf8, "text/html; charset=windows-1252",
         cafeUtf8},
        {"the UTF-16 mark", String{'\xFF', '\xFE', 'c', 0, 'a', 0, 'f', 0, '\xE9', 0}, "text/html",
         "caf\xC3\xA9"},
        {"a byte that is no UTF-8 in a UTF-8 page", String("a\xFF") + "b", "text/html; charset=utf-8",
         String("a\xEF\xBF\xBD") + "b"},
        {"UTF-8 cut off at the end", "a\xE2\x82", "text/html; charset=utf-8", "a\xEF\xBF\xBD"},
        {"nothing", "", "text/html; charset=utf-8", ""},
    };
    ExpectDecoded(cases);
}

TEST(MarkupText, TheTextIsValidUtf8WhateverTheBytes) {
    // As the web's UTF-8 decoder reads them (and the engine with it): the longest broken start of a
    // sequence is one U+FFFD, a byte that starts none another.
    const String r = "\xEF\xBF\xBD";
    struct Case {
        const char* What;
        String Bytes;
        String Text;
    } utf8[] = {
        {"beyond U+10FFFF", "\xF4\x90\x80\x80", r + r + r + r},
        {"a five-byte form", "\xF8\x88\x80\x80\x80", r + r + r + r + r},
        {"a surrogate", "\xED\xA0\x80", r + r + r},
        {"an overlong slash", "\xC0\xAF", r + r},
        {"a sequence cut short", "\xE2\x82|\xF0\x9F\x98|", r + "|" + r + "|"},
        {"a character beyond U+FFFF", "\xF0\x9F\x98\x80", "\xF0\x9F\x98\x80"},
    };
    for (const Case& c : utf8) {
        EXPECT_EQ(markup::ToUtf8(c.Bytes, "text/html; charset=utf-8"), c.Text) << c.What;
        EXPECT_EQ(markup::ToUtf8("\xEF\xBB\xBF" + c.Bytes, "text/html"), c.Text)
            << c.What << " after the mark";
        EXPECT_EQ(markup::ToUtf8("<meta charset=utf-8>" + c.Bytes, ""), "<meta charset=utf-8>" + c.Text)
            << c.What << " in a page that declares UTF-8";
    }
    // UCS-4 is no encoding of the web: its values beyond U+10FFFF do not come out as bytes of their own.
    const String ucs4{'\x7F', '\xFF', '\xFF', '\xFF', 0, 0, 0, 'A'};
    for (const char* label : {"ucs-4", "utf-32", "ucs-4le", "iso-10646-ucs-4"}) {
        const String text = markup::ToUtf8(ucs4, String("text/html; charset=") + label);
        EXPECT_TRUE(vcl::IsValidUtf8(text)) << label;
        EXPECT_EQ(text, "\x7F\xC3\xBF\xC3\xBF\xC3\xBF"
                        "A")
            << label << ": Windows-1252, without the NULs";
    }
}

TEST(MarkupText, LabelsAreReadAsTheWebReadsThem) {
    const String refused = "<p>Incorrect username or password</p>";
    // Labels the web knows no encoding by are no labels: the text reads as unlabelled text does.
    for (const char* label :
         {"utf-32", "UTF-32LE", "ibm037", "cp037", "ebcdic-us", "utf-7", "ucs-4", "utf-16x"})
        EXPECT_EQ(markup::ToUtf8(refused, String("text/html; charset=") + label), refused) << label;
    for (const char* label : {"utf-32", "ibm037", "ucs-2be"})
        EXPECT_EQ(markup::ToUtf8("<meta charset=" + String(label) + ">" + refused, ""),
                  "<meta charset=" + String(label) + ">" + refused)
            << label;

    const Decoding cases[] = {
        {"unicode is UTF-16LE", String{'O', 0, 'K', 0}, "text/html; charset=unicode", "OK"},
        {"utf-16 is UTF-16LE", String{'O', 0, '\x3D', '\xD8'}, "text/html; charset=UTF-16", "O\xEF\xBF\xBD"},
        {"UTF-16BE, an odd last byte", String{0, 'O', 'K'}, "text/html; charset=utf-16be", "O\xEF\xBF\xBD"},
        {"an odd last byte after a lead surrogate", String{'O', 0, '\x3D', '\xD8', 'K'},
         "text/html; charset=utf-16le", "O\xEF\xBF\xBD"},
        {"the same in UTF-16BE", String{0, 'O', '\xD8', '\x3D', 'K'}, "text/html; charset=utf-16be",
         "O\xEF\xBF\xBD"},
        {"an odd last byte after a trail surrogate", String{'O', 0, 0, '\xDC', 'K'},
         "text/html; charset=utf-16le", "O\xEF\xBF\xBD\xEF\xBF\xBD"},
        {"a meta's unicode is UTF-8", "<meta charset=\"unicode\">caf\xC3\xA9", "",
         "<meta charset=\"unicode\">caf\xC3\xA9"},
        {"a meta's UTF-16BE is UTF-8", "<meta charset=utf-16be>\xC3\xA9", "text/html",
         "<meta charset=utf-16be>\xC3\xA9"},
        {"a meta's x-user-defined is Windows-1252", "<meta charset=x-user-defined>\x80", "",
         "<meta charset=x-user-defined>\xE2\x82\xAC"},
        {"x-user-defined", "a\x80\xFF", "text/html; charset=x-user-defined", "a\xEF\x9E\x80\xEF\x9F\xBF"},
        {"replacement", refused, "text/html; charset=replacement", "\xEF\xBF\xBD"},
        {"ISO-2022-KR reads as replacement", refused, "text/html; charset=iso-2022-kr", "\xEF\xBF\xBD"},
        {"a meta's replacement", "<meta charset=hz-gb-2312>" + refused, "", "\xEF\xBF\xBD"},
        {"an empty page in replacement", "", "text/html; charset=replacement", ""},
        {"a meta that names none, then one that does", "<meta charset=utf-32><meta charset=koi8-r>\xC1", "",
         "<meta charset=utf-32><meta charset=koi8-r>\xD0\xB0"},
        {"case and blanks", "<meta charset=\" Latin2\t\">\xB1", "", "<meta charset=\" Latin2\t\">\xC4\x85"},
        {"ISO-8859-9 is Windows-1254", "\x80\xFD", "text/html; charset=iso-8859-9", "\xE2\x82\xAC\xC4\xB1"},
        {"Shift_JIS", "\x82\xA0", "text/html; charset=sjis", "\xE3\x81\x82"},
        {"GBK", "\xC4\xE3", "text/html; charset=gb2312", "\xE4\xBD\xA0"},
        {"a byte that is no character of the encoding", "a\xFF", "text/html; charset=windows-1253",
         "a\xEF\xBF\xBD"},
    };
    ExpectDecoded(cases);
}

// No page shows U+0000: text whose NULs part the words a page shows reads as those words.
TEST(MarkupText, NoNulIsLeftToPartTheWordsAPageShows) {
    const String page = "<p>Incorrect username or password</p>";
    auto utf32 = [](const String& Text, bool BigEndian) {
        String out;
        for (const char c : Text)
            out += BigEndian ? String{0, 0, 0, c} : String{c, 0, 0, 0};
        return out;
    };
    const Decoding cases[] = {
        {"UTF-32 with its mark, read as UTF-16", "\xFF\xFE" + String(2, '\0') + utf32(page, false),
         "text/html", page},
        {"UTF-32 unlabelled", utf32(page, false), "text/html; charset=utf-32", page},
        {"UTF-32BE with its mark, as 8-bit text", String(2, '\0') + "\xFE\xFF" + utf32(page, true), "",
         "\xC3\xBE\xC3\xBF" + page},
        {"UTF-32 in a page declaring UTF-16", "<meta charset=utf-16>" + utf32(page, false), "",
         "<meta charset=utf-16>" + page},
        {"a NUL in UTF-8", String("<p>Incorrect user\0name or password</p>", 38), "text/html; charset=utf-8",
         page},
        {"NULs in KOI-8", String("<p>Incorrect\0 username\0 or password\0</p>", 41),
         "text/html; charset=koi8-r", page},
        {"UTF-16 NULs", String{'\xFF', '\xFE', 'O', 0, 0, 0, 'K', 0}, "", "OK"},
    };
    ExpectDecoded(cases);
}

// An HTML page declares in a <meta> or an XML declaration, an XML document in its XML declaration alone, and
// a page of any other type in neither: it shows them as the text they are.
TEST(MarkupText, WhereTheMarkupDeclaresDependsOnTheAnswersType) {
    const String words = "<p>Incorrect\x1B(B username or password</p>"; // as ISO-2022-JP shows them
    const String shown = "<p>Incorrect username or password</p>";
    const String xml = "<?xml version='1.0' encoding='iso-2022-jp'?>";
    const String meta = "<meta charset='iso-2022-jp'>";
    const struct {
        const char* Type;
        bool Xml;  // reads the XML declaration
        bool Meta; // and a <meta>
    } types[] = {
        {"text/html", true, true},
        {"", true, true},
        {" Text/HTML ; charset=bogus", true, true},
        {"application/xhtml+xml", true, false},
        {"image/svg+xml", true, false},
        {"text/xml", true, false},
        {"Application/XML; charset=bogus", true, false},
        {"text/xsl", true, false},
        {"text/plain", false, false},
        {"text/css", false, false},
        {"application/json", false, false},
    };
    for (const auto& t : types) {
        EXPECT_EQ(markup::ToUtf8(xml + words, t.Type), xml + (t.Xml ? shown : words)) << t.Type;
        EXPECT_EQ(markup::ToUtf8(meta + words, t.Type), meta + (t.Meta ? shown : words)) << t.Type;
    }
    // Before the declaration come the byte order mark and the header's charset.
    EXPECT_EQ(markup::ToUtf8(xml + words, "text/html; charset=windows-1252"), xml + words);
    EXPECT_EQ(markup::ToUtf8("\xEF\xBB\xBF" + xml + words, "text/html"), xml + words);
    EXPECT_EQ(markup::ToUtf8(xml + words, "text/html; charset=bogus"), xml + shown);
}

TEST(MarkupText, TheCharsetParameterOfAContentType) {
    EXPECT_EQ(markup::CharsetOf("text/html; charset=UTF-8"), "UTF-8");
    EXPECT_EQ(markup::CharsetOf("text/html;charset = 'koi8-r'"), "koi8-r");
    EXPECT_EQ(markup::CharsetOf("text/html"), "");
    EXPECT_EQ(markup::CharsetOf("text/html; xcharset=utf-8"), "") << "only a parameter of that name";
}

const char* NameOf(const markup::TWebEncoding* Encoding) {
    return Encoding ? Encoding->Name : "none";
}

// The charset of a Content-Type line as the installed engine reads it (each case as it was seen to): the
// parameters as the HTTP library parses them, written out again in the order of its table, and the first
// "charset=" that starts a word in that.
TEST(MarkupText, TheCharsetIsTheFirstTheEngineFindsInTheParametersAsItWritesThemOut) {
    const struct {
        const char* Line;
        const char* Label; // of the encoding the engine reads the page in, or null
    } cases[] = {
        // The first that counts decides, though it names nothing.
        {"text/html; charset=; charset=koi8-r", nullptr},
        {"text/html; charset; charset=koi8-r", nullptr},
        {"text/html; charset=koi8-r; charset=iso-8859-5", "koi8-r"},
        {"TEXT/HTML; CharSet  =  KOI8-R", "koi8-r"},
        // Quotes and blanks end a label, or spoil it.
        {"text/html; charset=koi8-r\"", nullptr},
        {"text/html; charset=\"koi8-r", "koi8-r"},
        {"text/html; charset='koi8-r'", "koi8-r"},
        {"text/html; charset=\"koi\\8-r\"", "koi8-r"},
        {"text/html; charset=\"koi8-r;x\"", "koi8-r"},
        {"text/html; charset=iso-8859-5 x", "iso-8859-5"},
        {"text/html; charset=koi8-r,iso-8859-5", nullptr},
        {"text/html; charset=koi8-r \xC3\xA9", nullptr},
        // "charset" where it starts a word, in another parameter too, and with '=' after it.
        {"text/html; xcharset=koi8-r", nullptr},
        {"text/html; x=\"charset=koi8-r\"", nullptr},
        {"text/html; x=1 charset=koi8-r", "koi8-r"},
        {"text/html; charset; x=\"a;charset=iso-8859-5\"", "iso-8859-5"},
        {"text/html; charset x; charset=koi8-r", "koi8-r"},
        {"text/html; Charset charset=iso-8859-5", nullptr},
        {"text/plain\tcharset=koi8-r; charset=iso-8859-5", "koi8-r"},
        // The order of the library's table.
        {"text/html; x=\"a;charset=utf-16le\"; charset=windows-1252", "windows-1252"},
        {"text/html; name=\"q;charset=koi8-r\"; charset=iso-8859-5", "koi8-r"},
        // Extended parameters.
        {"text/html; charset=iso-8859-5; charset*=UTF-8''koi8-r", "koi8-r"},
        {"text/html; charset*=koi8-r", nullptr},
        // Types the library does not take, and some it does.
        {"texthtml; charset=koi8-r", nullptr},
        {"; charset=koi8-r", nullptr},
        {"text/html x; charset=koi8-r", nullptr},
        {"text/html, text/plain; charset=koi8-r", nullptr},
        {"text/html\tx; charset=koi8-r", "koi8-r"},
        {"*/*; charset=koi8-r", "koi8-r"},
    };
    for (const auto& c : cases)
        EXPECT_STREQ(NameOf(markup::EncodingOfLabel(markup::CharsetOf(c.Line))),
                     NameOf(c.Label ? markup::EncodingOfLabel(c.Label) : nullptr))
            << c.Line;
}

// Two Content-Type lines reach the reader joined with ", ", which one line may hold too; the engine reads the
// last line, and the type it gave the answer tells which that was.
TEST(MarkupText, TheHeadersLastLineIsTheOneTheEnginesTypeAgreesWith) {
    const String page = "<p>x</p>", hiding = "<meta charset=iso-2022-kr><p>x</p>";
    const struct {
        const char* Joined;
        const char* EngineType;
        const char* Label;
        const String& Page;
    } cases[] = {
        {"text/html; charset=utf-16le, text/html", "text/html", nullptr, page},
        {"text/html; charset=iso-8859-5, text/html; charset=koi8-r", "text/html", "koi8-r", page},
        {"text/plain; charset=iso-8859-5, text/html; charset=koi8-r", "text/plain", nullptr, page},
        {"text/html; charset=koi8-r, texthtml", "text/html", nullptr, page},
        {"text/plain, */*; charset=koi8-r", "text/html", "koi8-r", page},
        {"text/html; x=\"a, b\"; charset=koi8-r", "text/html", "koi8-r", page},
        // One line or two: an encoding that hides the words counts only where every reading gives one.
        {"text/html, text/html; charset=utf-16le", "text/html", nullptr, page},
        {"text/html; charset=\"koi8-r\", text/html", "text/html", "koi8-r", hiding},
        {"text/html; charset=koi8-r, text/html", "text/html", "iso-2022-kr", hiding},
    };
    for (const auto& c : cases)
        EXPECT_STREQ(NameOf(markup::EncodingOf(c.Page, c.Joined, c.EngineType)),
                     NameOf(c.Label ? markup::EncodingOfLabel(c.Label) : nullptr))
            << c.Joined << " as " << c.EngineType;
}

// Where the engine sniffs the page, the type it gave the answer decides which markup declares; an answer
// without Content-Type is read as HTML.
TEST(MarkupText, WhereTheEngineSniffsThePageTheTypeItGaveDecidesWhatDeclares) {
    const String meta = "<meta charset='iso-2022-jp'>";
    const String words = meta + "<p>Incorrect\x1B(B username or password</p>"; // as ISO-2022-JP shows them
    const String shown = meta + "<p>Incorrect username or password</p>";
    const struct {
        const char* Line;
        const char* EngineType;
        bool Declares;
    } cases[] = {
        {"texthtml", "text/plain", false},
        {"texthtml", "text/html", true},
        {"*/*", "text/plain", false},
        {"", "", true},
        {"text/html", "application/rss+xml", true},
        {"text/html x; charset=iso-2022-jp", "text/plain", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(markup::ToUtf8(words, c.Line, c.EngineType), c.Declares ? shown : words)
            << c.Line << " as " << c.EngineType;
}

} // namespace
