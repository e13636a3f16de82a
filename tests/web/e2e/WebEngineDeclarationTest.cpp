// End to end: the encoding a page declares in its own markup, and the text with NULs in it, against the
// engine actually installed. The engine reads a page in the encoding the reader finds declared, and reads
// it unlabelled where the reader finds none; the failed sign-in is found in the reader's text exactly where
// the engine shows it.

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

const String kMeta = "<meta charset=koi8-r>";
const String kPragma = "http-equiv=content-type ";

String Meta(const String& Attributes) {
    return "<meta " + Attributes + ">";
}

// Markup that declares KOI8-R, or seems to, in every place the reader tells apart.
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
    const struct {
        const char* What;
        String Bytes;
        const char* Charset;
        bool Shown = true; // by the engine: what the page is made to test
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
    };
    TextView view;
    for (const auto& p : pages) {
        const TextView::Read read = view.Show(p.Bytes, p.Charset);
        const String contentType = p.Charset ? "text/html; charset=" + String(p.Charset) : "text/html";
        const String text = markup::ToUtf8(p.Bytes, contentType);
        EXPECT_EQ(read.Text.find(words) != String::npos, p.Shown) << p.What << ": " << read.Text;
        EXPECT_EQ(text.find(words) != String::npos, p.Shown)
            << p.What << ": the engine shows " << read.Text << "; the reader reads " << text;
        EXPECT_EQ(text.find('\0'), String::npos) << p.What;
    }
}

} // namespace
