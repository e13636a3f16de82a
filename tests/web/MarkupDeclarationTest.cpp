// The encoding a page declares in its own markup: where a <meta> counts, what it declares, and how far
// into the page the declaration is looked for. (That the installed engine finds the same declarations is
// checked by the browser's end-to-end tests.)

#include <gtest/gtest.h>

#include "platform/web/MarkupText.h"
#include "platform/web/WebEncodings.h"

namespace {

using vcl::String;
namespace markup = vcl::markup;

const String kMeta = "<meta charset=koi8-r>";

String Declared(const String& Page) {
    const markup::TWebEncoding* e = markup::DeclaredEncoding(Page);
    return e ? e->Name : "<none>";
}

struct Case {
    const char* What;
    String Page;
    bool Counts; // the page declares KOI8-R
};

void ExpectKoi8R(const Case& c) {
    EXPECT_EQ(Declared(c.Page), c.Counts ? "KOI8-R" : "<none>") << c.What << ": " << c.Page;
}

TEST(MarkupDeclaration, AMetaCountsOnlyWhereThePagesParserFindsATag) {
    const Case cases[] = {
        {"a meta", kMeta, true},
        {"in capitals, after a slash", "<META/CHARSET=KOI8-R>", true},
        {"after a form feed", "<meta\fcharset=koi8-r>", true},
        {"after a vertical tab, which is no blank", "<meta\vcharset=koi8-r>", false},
        {"<metadata>", "<metadata charset=koi8-r>", false},
        {"with a NUL in its name", String("<me\0ta charset=koi8-r>", 22), false},
        {"cut off by the end of the page", "<meta charset=koi8-r", false},
        {"in a comment", "<!-- " + kMeta + " -->", false},
        {"after a comment closed by --!>", "<!-- x --!>" + kMeta, true},
        {"after the empty comments <!--> and <!--->", "<!-->" + kMeta + "<!--->", true},
        {"in a comment that a -- > does not close", "<!-- -- >" + kMeta + "-->", false},
        {"in a doctype", "<!DOCTYPE html \"" + kMeta + "\">", false},
        {"after a doctype whose quote a > ends", "<!DOCTYPE html \"a>b\">" + kMeta, true},
        {"in a processing instruction", "<? " + kMeta + " ?>", false},
        {"in a script", "<script>document.write('" + kMeta + "')</script>", false},
        {"after a script", "<script>x = 1</script >" + kMeta, true},
        {"after a script whose end tag has a quoted >", "<script></script a='>'>" + kMeta, true},
        {"in a script that </scriptx does not end", "<script></scriptx>" + kMeta + "</script>", false},
        {"after </script> in an escaped script", "<script><!--</script>" + kMeta, true},
        {"in a doubly escaped script", "<script><!--<script></script>" + kMeta + "--></script>", false},
        {"after a doubly escaped script", "<script><!--<script></script>--></script>" + kMeta, true},
        {"in a title", "<title>" + kMeta + "</title>", false},
        {"after a title that closed itself", "<title/>" + kMeta + "</title>", false},
        {"in a textarea", "<textarea>" + kMeta + "</textarea>", false},
        {"in a style", "<style>" + kMeta + "</style>", false},
        {"in an xmp, iframe, noembed, noframes",
         "<xmp>" + kMeta + "</xmp><iframe>" + kMeta + "</iframe><noembed>" + kMeta + "</noembed><noframes>" +
             kMeta + "</noframes>",
         false},
        {"after plaintext", "<plaintext>" + kMeta, false},
        {"in a noscript", "<noscript>" + kMeta + "</noscript>", true},
        {"in an svg", "<svg>" + kMeta + "</svg>", true},
        {"in an attribute's value", "<a title='" + kMeta + "'>x</a>", false},
        {"after an attribute whose quoted value holds >", "<meta name='>' charset=koi8-r>", true},
        {"after a < that starts no tag", "< " + kMeta, true},
        {"in a broken end tag", "</ " + kMeta + ">", false},
        {"after </>", "</>" + kMeta, true},
    };
    for (const Case& c : cases)
        ExpectKoi8R(c);
}

TEST(MarkupDeclaration, AMetaDeclaresByItsCharsetOrByItsContentUnderTheContentTypePragma) {
    const String pragma = "http-equiv=\"Content-Type\" ";
    auto meta = [](const String& Attributes) { return "<meta " + Attributes + ">"; };
    const Case cases[] = {
        {"content under the pragma", meta(pragma + "content='text/html; charset=koi8-r'"), true},
        {"content before the pragma", meta("content='charset=koi8-r' http-equiv=content-type"), true},
        {"content without the pragma", meta("content='text/html; charset=koi8-r'"), false},
        {"content under another http-equiv", meta("http-equiv=refresh content='charset=koi8-r'"), false},
        {"an http-equiv with blanks", meta("http-equiv=' content-type' content='charset=koi8-r'"), false},
        {"any of two http-equivs",
         meta("http-equiv=refresh http-equiv=content-type content='charset=koi8-r'"), true},
        {"another attribute holding charset=", meta("name='charset=koi8-r' data-charset=koi8-r"), false},
        {"a charset attribute that names none", meta("charset=utf-32"), false},
        {"an empty charset attribute", meta("charset"), false},
        {"the first of two charsets", meta("charset=koi8-r charset=iso-8859-5"), true},
        {"the first of two charsets, naming none", meta("charset=bogus charset=koi8-r"), false},
        {"a charset that names none over content", meta(pragma + "charset='' content='charset=koi8-r'"),
         false},
        {"a charset that names none after content", meta(pragma + "content='charset=koi8-r' charset=bogus"),
         false},
        {"a charset after content that names none", meta(pragma + "content='charset=bogus' charset=koi8-r"),
         true},
        {"a charset after content without the pragma", meta("content='charset=iso-8859-5' charset=koi8-r"),
         true},
        {"a charset before content", meta(pragma + "charset=koi8-r content='charset=iso-8859-5'"), true},
        {"the last of two contents", meta(pragma + "content='charset=iso-8859-5' content='charset=koi8-r'"),
         true},
        {"the last of two contents, without charset=", meta(pragma + "content='charset=koi8-r' content='x'"),
         false},
        {"a meta that names none, then one that does", meta("charset=bogus") + kMeta, true},
        // The content attribute's "charset=", as the engine reads it.
        {"charset= anywhere in content", meta(pragma + "content='xcharsetcharset = koi8-r'"), true},
        {"quoted in content", meta(pragma + "content=\"charset='koi8-r'x\""), true},
        {"an unclosed quote in content", meta(pragma + "content=\"charset='koi8-r\""), false},
        {"up to a ';'", meta(pragma + "content='charset=koi8-r;x'"), true},
        {"up to a quote", meta(pragma + "content=\"charset=koi8-r'\""), true},
        {"but not a comma", meta(pragma + "content='charset=koi8-r,x'"), false},
        {"control characters as blanks", meta(pragma + "content='charset\x01=\vkoi8-r\x02'"), true},
        {"the first charset= decides", meta(pragma + "content='charset=;charset=koi8-r'"), false},
    };
    for (const Case& c : cases)
        ExpectKoi8R(c);
    // What a meta names, a page may not be in: UTF-16 means UTF-8, x-user-defined Windows-1252.
    EXPECT_EQ(Declared(meta("charset=utf-16")), "UTF-8");
    EXPECT_EQ(Declared(meta(pragma + "content='charset=utf-16be'")), "UTF-8");
    EXPECT_EQ(Declared(meta("charset=x-user-defined")), "windows-1252");
}

TEST(MarkupDeclaration, ValuesAreReadWithTheirCharacterReferences) {
    const Case cases[] = {
        {"a decimal reference", "<meta charset='koi8&#0045;r'>", true},
        {"a hexadecimal one without ';'", "<meta charset='koi8&#X2Dr'>", true},
        {"named references", "<meta charset='&Tab;koi8-r&NewLine;'>", true},
        {"in content", "<meta http-equiv=content-type content='charset&equals;&quot;koi8-r&quot;'>", true},
        {"a legacy reference before a letter stays", "<meta charset='&ampkoi8-r'>", false},
        {"NUL", "<meta charset='koi8-r&#0;'>", false},
        {"a reference beyond U+10FFFF", "<meta charset='koi8&#x1000000000000002d;r'>", false},
        {"'&#' without digits", "<meta charset='koi8&#;r'>", false},
        {"a NUL byte", String("<meta charset='koi8-r\0'>", 24), false},
    };
    for (const Case& c : cases)
        ExpectKoi8R(c);
    EXPECT_EQ(Declared("<meta charset='shift&lowbar;jis'>"), "Shift_JIS");
    EXPECT_EQ(Declared("<meta charset='iso&UnderBar;8859-5&colon;1988'>"), "ISO-8859-5");
}

TEST(MarkupDeclaration, TheScanGoesThroughTheHeadAndEndsPastTheFirst1024BytesOnceAnotherTagCame) {
    const String x1100(1100, 'x');
    // Where the meta's "<" stands (and so the text before it ends) after a tag of the body at the start.
    auto afterBody = [](std::size_t At) { return "<body>" + String(At - 6, 'x') + kMeta; };
    const Case cases[] = {
        {"after a long title", "<title>" + x1100 + "</title>" + kMeta, true},
        {"after long text", x1100 + kMeta, true},
        {"after a megabyte of text", String(1 << 20, 'x') + kMeta, true},
        {"after long head tags", "<html><head><link " + x1100 + "><base><object></object>" + kMeta, true},
        {"after a long comment and a doctype", "<!--" + x1100 + "--><!doctype html>" + kMeta, true},
        {"in a body, near the start", "<body><p>x</p>" + kMeta, true},
        {"text of a body up to byte 1023", afterBody(1023), true},
        {"text of a body up to byte 1024", afterBody(1024), false},
        {"a body tag past 1024", "<!--" + x1100 + "--><p>" + kMeta, false},
        {"an end tag past 1024", "<title>" + x1100 + "</title></p>" + kMeta, false},
        {"</head> past 1024", "<head><title>" + x1100 + "</title></head>" + kMeta, false},
        {"<head> after a body tag", "<p><head>" + x1100 + kMeta, false},
        {"a comment past 1024 in a body", "<p><!--" + x1100 + "-->" + kMeta, false},
        {"a title past 1024 in a body", "<body><title>" + x1100 + "</title>" + kMeta, false},
    };
    for (const Case& c : cases)
        ExpectKoi8R(c);
}

} // namespace
