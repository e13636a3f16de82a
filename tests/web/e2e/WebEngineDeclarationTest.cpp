// End to end: the encoding a page declares in its own markup, and the text with NULs in it, against the
// engine actually installed. The engine reads a page in the encoding the reader finds declared (in a <meta>
// or an XML declaration, as far as the page's type lets either count), and reads it unlabelled where the
// reader finds none; the failed sign-in is found in the reader's text exactly where the engine shows it.

#include <gtest/gtest.h>

#include <cstdlib>
#include <utility>
#include <vector>

#include "platform/web/MarkupText.h"
#include "platform/web/WebEncodings.h"
#include "tests/web/e2e/EngineTextView.h"

namespace {

using kvweb::TextView;
using vcl::String;
namespace markup = vcl::markup;
using namespace std::string_literals;

const String kMeta = "<meta charset=koi8-r>";
const String kXml = "<?xml version=\"1.0\" encoding=\"koi8-r\"?>";
const String kPragma = "http-equiv=content-type ";

String Meta(const String& Attributes) {
    return "<meta " + Attributes + ">";
}

// Markup that declares KOI8-R, or seems to, in every place the reader tells apart: in a <meta>, in an XML
// declaration, or in both.
const std::vector<std::pair<const char*, String>>& Declarations() {
    static const String x1100(1100, 'x');
    static const std::vector<std::pair<const char*, String>> pages = {
        {"a meta", kMeta},
        {"after a slash, in capitals", "<META/CHARSET=KOI8-R>"},
        {"after a vertical tab", "<meta\vcharset=koi8-r>"},
        {"<metadata>", "<metadata charset=koi8-r>"},
        {"a NUL in the name", String("<me\0ta charset=koi8-r>", 22)},
        {"in a comment", "<!-- " + kMeta + " -->"},
        {"after --!>", "<!-- x --!>" + kMeta},
        {"after <!-->", "<!-->" + kMeta},
        {"after -- >", "<!-- -- >" + kMeta + "-->"},
        {"in a doctype", "<!DOCTYPE html \"" + kMeta + "\">"},
        {"after a doctype's quoted >", "<!DOCTYPE html \"a>b\">" + kMeta},
        {"in <?", "<? " + kMeta + " ?>"},
        {"in a script", "<script>document.write('" + kMeta + "')</script>"},
        {"after a script end tag with a quoted >", "<script></script a='>'>" + kMeta},
        {"in a script, after </scriptx>", "<script></scriptx>" + kMeta + "</script>"},
        {"after </script> in an escaped script", "<script><!--</script>" + kMeta},
        {"in a doubly escaped script", "<script><!--<script></script>" + kMeta + "--></script>"},
        {"after a doubly escaped script", "<script><!--<script></script>--></script>" + kMeta},
        {"in a title", "<title>" + kMeta + "</title>"},
        {"after <title/>", "<title/>" + kMeta + "</title>"},
        {"in a textarea", "<textarea>" + kMeta + "</textarea>"},
        {"in a style", "<style>" + kMeta + "</style>"},
        {"in an xmp", "<xmp>" + kMeta + "</xmp>"},
        {"in an iframe", "<iframe>" + kMeta + "</iframe>"},
        {"in a noembed", "<noembed>" + kMeta + "</noembed>"},
        {"in a noframes", "<noframes>" + kMeta + "</noframes>"},
        {"in a noscript", "<noscript>" + kMeta + "</noscript>"},
        {"in a script in a noscript", "<noscript><script>" + kMeta + "</script></noscript>"},
        {"in an svg", "<svg>" + kMeta + "</svg>"},
        {"in a value", "<a title='" + kMeta + "'>x</a>"},
        {"in an unquoted value", "<x y=" + kMeta},
        {"after a quoted >", "<meta name='>' charset=koi8-r>"},
        {"after a lone <", "< " + kMeta},
        {"in a broken end tag", "</ " + kMeta + ">"},
        {"after </>", "</>" + kMeta},
        {"content under the pragma", Meta(kPragma + "content='text/html; charset=koi8-r'")},
        {"content without the pragma", Meta("content='text/html; charset=koi8-r'")},
        {"content under refresh", Meta("http-equiv=refresh content='charset=koi8-r'")},
        {"any of two http-equivs",
         Meta("http-equiv=refresh http-equiv=content-type content='charset=koi8-r'")},
        {"another attribute", Meta("name='charset=koi8-r' data-charset=koi8-r")},
        {"charset over content", Meta(kPragma + "content='charset=koi8-r' charset=bogus")},
        {"content under charset", Meta(kPragma + "charset=bogus content='charset=koi8-r'")},
        {"two charsets", Meta("charset=koi8-r charset=iso-8859-5")},
        {"two contents", Meta(kPragma + "content='charset=iso-8859-5' content='charset=koi8-r'")},
        {"two contents, the last without", Meta(kPragma + "content='charset=koi8-r' content='x'")},
        {"xcharset and blanks in content", Meta(kPragma + "content='xcharsetcharset = koi8-r'")},
        {"a quote ending content's label", Meta(kPragma + "content=\"charset=koi8-r'\"")},
        {"an unclosed quote in content", Meta(kPragma + "content=\"charset='koi8-r\"")},
        {"control characters in content", Meta(kPragma + "content='charset\x01=\vkoi8-r\x02'")},
        {"the first charset= in content", Meta(kPragma + "content='charset=;charset=koi8-r'")},
        {"character references", Meta("charset='&Tab;koi8&#x2Dr&NewLine;'")},
        {"a legacy reference before a letter", Meta("charset='&ampkoi8-r'")},
        {"a reference in content", Meta(kPragma + "content='charset&equals;&quot;koi8-r&quot;'")},
        {"a meta naming none, then one", Meta("charset=bogus") + kMeta},
        {"after a long title", "<title>" + x1100 + "</title>" + kMeta},
        {"after a megabyte of text", String(1 << 20, 'x') + kMeta},
        {"after long head tags", "<html><head><link " + x1100 + "><base><object></object>" + kMeta},
        {"in a body, near the start", "<body><p>x</p>" + kMeta},
        {"after a body's text up to byte 1023", "<body>" + String(1017, 'x') + kMeta},
        {"after a body's text up to byte 1024", "<body>" + String(1018, 'x') + kMeta},
        {"after a body tag past 1024", "<!--" + x1100 + "--><p>" + kMeta},
        {"after an end tag past 1024", "<title>" + x1100 + "</title></p>" + kMeta},
        {"after </head> past 1024", "<head><title>" + x1100 + "</title></head>" + kMeta},
        {"after a body's comment past 1024", "<p><!--" + x1100 + "-->" + kMeta},
        // An XML declaration, at the start of the page or not.
        {"an XML declaration", kXml},
        {"an XML declaration in single quotes", "<?xml version='1.0' encoding='KOI8-R'?>"},
        {"an XML declaration without a version", "<?xml encoding=\"koi8-r\"?>"},
        {"an XML declaration with blanks around =", "<?xml encoding \t=\r\n\"koi8-r\"?>"},
        {"an XML declaration with controls around =", "<?xml encoding\0=\x1F\"koi8-r\"?>"s},
        {"an XML declaration without ?>", "<?xml encoding=\"koi8-r\">"},
        {"an XML declaration a megabyte long", "<?xml encoding=\"koi8-r\"" + String(1 << 20, ' ') + "?>"},
        {"<?xmlencoding", "<?xmlencoding=\"koi8-r\"?>"},
        {"xencoding", "<?xml xencoding=\"koi8-r\"?>"},
        {"encoding in the version", "<?xml version=\"encoding='koi8-r'\"?>"},
        {"the first of two encodings", "<?xml encoding=\"koi8-r\" encoding=\"iso-8859-5\"?>"},
        {"an XML declaration after a blank", " " + kXml},
        {"an XML declaration after a line break", "\n" + kXml},
        {"an XML declaration after a comment", "<!---->" + kXml},
        {"<?XML", "<?XML encoding=\"koi8-r\"?>"},
        {"ENCODING", "<?xml ENCODING=\"koi8-r\"?>"},
        {"encodingx", "<?xml encodingx=\"koi8-r\"?>"},
        {"an encoding after encodingx", "<?xml encodingx=\"a\" encoding=\"koi8-r\"?>"},
        {"an encoding after one naming none", "<?xml encoding=\"bogus\" encoding=\"koi8-r\"?>"},
        {"an unquoted encoding", "<?xml encoding=koi8-r ?>"},
        {"an encoding in quotes that differ", "<?xml encoding=\"koi8-r'?>"},
        {"an encoding with a blank in its quotes", "<?xml encoding=\"koi8-r \"?>"},
        {"an encoding after a > in a value", "<?xml version=\">\" encoding=\"koi8-r\"?>"},
        {"an encoding whose quote closes after the >", "<?xml encoding=\"koi8-r><p>\"</p>"},
        {"an XML declaration of UTF-16", "<?xml encoding=\"utf-16\"?>"},
        {"an XML declaration of x-user-defined", "<?xml encoding=\"x-user-defined\"?>"},
        {"an XML declaration naming none, then a meta", "<?xml encoding=\"bogus\"?>" + kMeta},
        {"an XML declaration, then a meta", "<?xml encoding=\"iso-8859-5\"?>" + kMeta},
        {"an XML declaration, then a meta naming none", kXml + Meta("charset=bogus")},
        {"an XML declaration, then a meta of UTF-16", kXml + Meta("charset=utf-16")},
        {"an XML declaration, then a meta in a comment",
         "<?xml encoding=\"iso-8859-5\"?><!--" + kMeta + "-->"},
        {"an XML declaration, then a meta after the scan",
         "<?xml encoding=\"iso-8859-5\"?><body>" + x1100 + kMeta},
    };
    return pages;
}

TEST(EngineDeclaration, TheEngineReadsAPageInTheEncodingTheReaderFindsDeclared) {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no display";
    TextView view;
    const String probe = "<p>\xC1\xD0</p>"; // "ап" in KOI8-R, in ISO-8859-5 "Са", in Windows-1252 "ÁÐ"
    const String unlabelled = view.Show(probe, nullptr).Encoding;
    int declared = 0;
    for (const auto& [what, markup] : Declarations()) {
        const String page = markup + probe;
        const markup::TWebEncoding* e = markup::DeclaredEncoding(page);
        declared += e != nullptr;
        const TextView::Read read = view.Show(page, nullptr);
        EXPECT_EQ(read.Encoding, e ? String(e->Name) : unlabelled) << what;
        // The probe, the page's last text, reads alike.
        const String text = markup::ToUtf8(page, "");
        const std::size_t at = text.rfind("<p>");
        ASSERT_NE(at, String::npos) << what;
        const String shown = text.substr(at + 3, text.size() - at - 7);
        EXPECT_TRUE(read.Text.ends_with(shown))
            << what << ": the engine shows " << read.Text << ", the reader " << shown;
    }
    EXPECT_GT(declared, 20) << "the pages declare as often as not";
}

String Utf16LE(const String& Ascii) {
    String out;
    for (const char c : Ascii)
        out += String{c, 0};
    return out;
}

// Which markup declares depends on the page's type: the engine reads a declaration in an HTML page and
// an XML declaration in an XML document, and neither in any other page; the reader's text shows the probe
// as the engine does.
TEST(EngineDeclaration, ThePagesTypeDecidesWhichMarkupDeclares) {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no display";
    const String probe = "\xD0\xB0"; // "а" in UTF-8 (and so in an XML document undeclared), "п═" in KOI8-R
    const String p = "<p xmlns=\"http://www.w3.org/1999/xhtml\">";
    const struct {
        const char* Type;
        bool Xml;  // the XML declaration counts
        bool Meta; // a <meta> counts
    } types[] = {
        {"text/html", true, true},
        {"application/xhtml+xml", true, false},
        {"image/svg+xml", true, false},
        {"application/xml", true, false},
        {"text/xml", true, false},
        {"text/xsl", true, false},
        {"application/rss+xml", true, false},
        {"text/plain", false, false},
        {"text/css", false, false},
        {"application/json", false, false},
    };
    // The text between the markup's last ">" and the closing "</p>": the probe as shown.
    auto probeOf = [](String Text) {
        if (Text.ends_with("</p>")) Text.resize(Text.size() - 4);
        return Text.substr(Text.rfind('>') + 1);
    };
    const String declared = markup::ToUtf8(probe, "text/html; charset=koi8-r");
    TextView view;
    for (const auto& t : types)
        for (const bool xml : {true, false}) {
            const String page = (xml ? kXml + p : p + "<meta charset=\"koi8-r\"/>") + probe + "</p>";
            const char* what = xml ? ", an XML declaration: " : ", a meta: ";
            const TextView::Read read = view.Show(page, nullptr, t.Type);
            const bool counts = read.Encoding == "KOI8-R";
            EXPECT_EQ(counts, xml ? t.Xml : t.Meta) << t.Type << what << read.Encoding;
            // (Where it does not count, the engine may read the probe otherwise than the reader: plain
            // text unlabelled is Windows-1252 to it, valid UTF-8 or not.)
            const String shown = probeOf(markup::ToUtf8(page, t.Type));
            EXPECT_EQ(shown == declared, counts) << t.Type << what << shown;
            if (counts) {
                EXPECT_EQ(shown, probeOf(read.Text)) << t.Type << what;
            }
        }
    // Markup that starts with an XML declaration in UTF-16 is UTF-16 to both, whatever it declares.
    const String utf16 = Utf16LE("<?xml version='1.0' encoding='koi8-r'?>") + Utf16LE(p) + "\x30\x04" +
                         Utf16LE("</p>"); // "а" in UTF-16LE
    EXPECT_EQ(markup::XmlDeclaredEncoding(utf16), markup::EncodingOfLabel("utf-16le"));
    for (const char* type : {"text/html", "application/xhtml+xml"}) {
        const TextView::Read read = view.Show(utf16, nullptr, type);
        EXPECT_EQ(read.Encoding, "UTF-16LE") << type;
        EXPECT_EQ(probeOf(markup::ToUtf8(utf16, type)), probeOf(read.Text)) << type;
    }
    // Without a ">" after it, an XML declaration declares nothing (and the page shows no probe).
    const String open = "<?xml encoding=\"koi8-r\" " + probe;
    EXPECT_NE(view.Show(open, nullptr).Encoding, "KOI8-R");
    EXPECT_EQ(markup::DeclaredEncoding(open), nullptr);
}

TEST(EngineDeclaration, TheFailedSignInIsFoundWhereTheEngineShowsIt) {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no display";
    const String words = "Incorrect username or password";
    const String phrase = "<p>" + words + "</p>";
    auto utf32 = [](const String& Text, bool BigEndian) {
        String out;
        for (const char c : Text)
            out += BigEndian ? String{0, 0, 0, c} : String{c, 0, 0, 0};
        return out;
    };
    // A replacement encoding shows a page as one U+FFFD: declared where the engine does not look, it must
    // not hide the words. And a NUL between two letters parts nothing that the page shows.
    const String hides = "<meta charset=iso-2022-kr>";
    // ISO-2022-JP shows the words where "ESC ( B" stands between them; 8-bit text does not.
    const String escaped = "Incorrect\x1B(B username or password</p>";
    const String xhtml = "<p xmlns='http://www.w3.org/1999/xhtml'>"; // an XML document's
    const String jp = "<?xml version='1.0' encoding='iso-2022-jp'?>";
    const struct {
        const char* What;
        String Bytes;
        const char* Charset;
        bool Shown = true; // by the engine: what the page is made to test
        const char* Type = "text/html";
    } pages[] = {
        {"declared where it counts", hides + phrase, nullptr, false},
        {"declared in a script", "<script>var m = '" + hides + "';</script>" + phrase, nullptr},
        {"declared in a comment", "<!-- " + hides + " -->" + phrase, nullptr},
        {"declared in a title", "<title>" + hides + "</title>" + phrase, nullptr},
        {"declared in <metadata>", "<metadata charset=iso-2022-kr>" + phrase, nullptr},
        {"declared in content without the pragma", "<meta content='charset=iso-2022-kr'>" + phrase, nullptr},
        {"declared in another attribute", "<meta name='charset=iso-2022-kr'>" + phrase, nullptr},
        {"UTF-32 with its mark, which reads as UTF-16's", "\xFF\xFE" + String(2, '\0') + utf32(phrase, false),
         nullptr},
        {"UTF-32 as unlabelled text", utf32(phrase, false), "utf-32"},
        {"UTF-32BE with its mark as 8-bit text", String(2, '\0') + "\xFE\xFF" + utf32(phrase, true),
         "utf-32be"},
        {"a NUL in the words", String("<p>Incorrect user\0name or password</p>", 38), "utf-8"},
        {"NULs in Windows-1252", String("<p>Incorrect\0 username\0 or\0 password</p>", 41), "windows-1252"},
        {"ISO-2022-JP by an XML declaration", jp + "<p>" + escaped, nullptr},
        {"ISO-2022-JP by a later meta", "<?xml encoding='bogus'?><meta charset=iso-2022-jp><p>" + escaped,
         nullptr},
        {"an XML declaration of replacement", "<?xml version='1.0' encoding='iso-2022-kr'?>" + phrase,
         nullptr, false},
        {"an XML declaration of replacement after a blank", " <?xml encoding='iso-2022-kr'?>" + phrase,
         nullptr},
        {"an XML declaration of replacement, then a meta",
         "<?xml encoding='iso-2022-kr'?><meta charset=utf-8>" + phrase, nullptr},
        {"an XML document's XML declaration", jp + xhtml + escaped, nullptr, true, "application/xhtml+xml"},
        {"an XML document's meta", xhtml + "<meta charset='iso-2022-kr'/>" + words + "</p>", nullptr, true,
         "application/xhtml+xml"},
        {"plain text's meta", hides + words, nullptr, true, "text/plain"},
        {"plain text's XML declaration", "<?xml version='1.0' encoding='iso-2022-kr'?>" + words, nullptr,
         true, "text/plain"},
        {"UTF-16 by its XML declaration, with a meta for 8-bit eyes",
         Utf16LE("<?xml version='1.0'?>") + hides + Utf16LE(phrase), nullptr},
    };
    TextView view;
    for (const auto& p : pages) {
        const TextView::Read read = view.Show(p.Bytes, p.Charset, p.Type);
        const String contentType = p.Type + (p.Charset ? "; charset=" + String(p.Charset) : String());
        const String text = markup::ToUtf8(p.Bytes, contentType);
        EXPECT_EQ(read.Text.find(words) != String::npos, p.Shown) << p.What << ": " << read.Text;
        EXPECT_EQ(text.find(words) != String::npos, p.Shown)
            << p.What << ": the engine shows " << read.Text << "; the reader reads " << text;
        EXPECT_EQ(text.find('\0'), String::npos) << p.What;
    }
}

} // namespace
