// The encoding a page declares in its own markup: where a <meta> counts, what it declares, and how far
// into the page the declaration is looked for; where an XML declaration counts, and which of the two
// decides. (That the installed engine finds the same declarations is checked by the browser's end-to-end
// tests.)

#include <gtest/gtest.h>

#include "platform/web/MarkupText.h"
#include "platform/web/WebEncodings.h"

namespace {

using vcl::String;
namespace markup = vcl::markup;
using namespace std::string_literals;

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

String XmlDeclared(const String& Page) {
    const markup::TWebEncoding* e = markup::XmlDeclaredEncoding(Page);
    return e ? e->Name : "<none>";
}

TEST(MarkupDeclaration, AnXmlDeclarationDeclaresOnlyAtTheVeryStartAndBeforeItsFirstGreaterThan) {
    const String p = "<p>\xC1\xD0</p>";
    const Case cases[] = {
        {"in double quotes", "<?xml version=\"1.0\" encoding=\"koi8-r\"?>" + p, true},
        {"in single quotes, the label in capitals", "<?xml version='1.0' encoding='KOI8-R'?>" + p, true},
        {"without a version, or with it after", "<?xml encoding='koi8-r' version='1.0'?>" + p, true},
        {"blanks around =", "<?xml encoding \t=\n 'koi8-r'?>" + p, true},
        {"control characters and NUL around =", "<?xml encoding\0=\x01\x1F'koi8-r'?>"s + p, true},
        {"without ?>", "<?xml encoding='koi8-r'>" + p, true},
        {"with the first > far after it", "<?xml encoding='koi8-r' " + String(100000, ' ') + ">" + p, true},
        {"with no blank after <?xml", "<?xmlencoding='koi8-r'?>" + p, true},
        {"as the end of a longer name", "<?xml xencoding='koi8-r'?>" + p, true},
        {"inside the version's value", "<?xml version=\"encoding='koi8-r'\"?>" + p, true},
        {"the first of two", "<?xml encoding='koi8-r' encoding='iso-8859-5'?>" + p, true},
        {"after a blank", " <?xml encoding='koi8-r'?>" + p, false},
        {"after a byte order mark", "\xEF\xBB\xBF<?xml encoding='koi8-r'?>" + p, false},
        {"after a comment", "<!-- --><?xml encoding='koi8-r'?>" + p, false},
        {"in capitals", "<?XML encoding='koi8-r'?>" + p, false},
        {"ENCODING in capitals", "<?xml ENCODING='koi8-r'?>" + p, false},
        {"a longer name", "<?xml encodingx='koi8-r'?>" + p, false},
        {"after an encoding without =", "<?xml encodingx='a' encoding='koi8-r'?>" + p, false},
        {"after one that names none", "<?xml encoding='bogus' encoding='koi8-r'?>" + p, false},
        {"without quotes", "<?xml encoding=koi8-r?>" + p, false},
        {"in quotes that differ", "<?xml encoding=\"koi8-r'?>" + p, false},
        {"with blanks inside the quotes", "<?xml encoding=' koi8-r'?>" + p, false},
        {"after a > in a value", "<?xml version='>' encoding='koi8-r'?>" + p, false},
        {"a quote closed after the first >", "<?xml encoding='koi8-r>'" + p, false},
        {"with no > after it", "<?xml encoding='koi8-r' \xC1\xD0", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(XmlDeclared(c.Page), c.Counts ? "KOI8-R" : "<none>") << c.What << ": " << c.Page;
        ExpectKoi8R(c); // an HTML page without a <meta> that counts, alike
    }
    EXPECT_EQ(XmlDeclared("<?xml encoding='bogus'?>"), "<none>");
    // UTF-16 it cannot be, as 8-bit text; x-user-defined, unlike a <meta>'s, it may.
    EXPECT_EQ(XmlDeclared("<?xml encoding='utf-16'?>"), "UTF-8");
    EXPECT_EQ(XmlDeclared("<?xml encoding='utf-16be'?>"), "UTF-8");
    EXPECT_EQ(XmlDeclared("<?xml encoding='x-user-defined'?>"), "x-user-defined");
}

TEST(MarkupDeclaration, MarkupThatStartsWithAnXmlDeclarationInUtf16IsUtf16) {
    auto utf16 = [](const String& Ascii, bool BigEndian) {
        String out;
        for (const char c : Ascii)
            out += BigEndian ? String{0, c} : String{c, 0};
        return out;
    };
    auto le = [&](const String& Ascii) { return utf16(Ascii, false); };
    EXPECT_EQ(XmlDeclared(le("<?xml version='1.0'?>")), "UTF-16LE");
    EXPECT_EQ(XmlDeclared(utf16("<?xml version='1.0'?>", true)), "UTF-16BE");
    EXPECT_EQ(XmlDeclared(le("<?xml encoding='koi8-r'?>")), "UTF-16LE") << "whatever it declares";
    EXPECT_EQ(XmlDeclared(le("<?x>")), "UTF-16LE") << "three characters are enough";
    EXPECT_EQ(XmlDeclared(le("<?>")), "<none>");
    EXPECT_EQ(XmlDeclared(le("<?X>")), "<none>");
    EXPECT_EQ(XmlDeclared(le(" <?xml?>")), "<none>");
    EXPECT_EQ(XmlDeclared("<\0?\0x\x01"s), "<none>");
    // A scan of the bytes as 8-bit text finds no <meta> in UTF-16 markup, whatever it reads there.
    EXPECT_EQ(Declared(le("<?xml?>") + kMeta), "UTF-16LE");
}

TEST(MarkupDeclaration, AMetaThatCountsDecidesOverTheXmlDeclaration) {
    const String xml = "<?xml encoding='iso-8859-5'?>";
    EXPECT_EQ(Declared(xml + kMeta), "KOI8-R");
    EXPECT_EQ(Declared(xml + "<meta http-equiv=content-type content='charset=koi8-r'>"), "KOI8-R");
    EXPECT_EQ(Declared(xml + "<meta charset=utf-16>"), "UTF-8");
    EXPECT_EQ(Declared("<?xml encoding='x-user-defined'?><meta charset=x-user-defined>"), "windows-1252");
    EXPECT_EQ(Declared(xml + "<meta charset=bogus>"), "ISO-8859-5") << "a meta that names none";
    EXPECT_EQ(Declared(xml + "<!--" + kMeta + "-->"), "ISO-8859-5") << "a meta in a comment";
    EXPECT_EQ(Declared(xml + "<body>" + String(1100, 'x') + kMeta), "ISO-8859-5")
        << "a meta the scan ends before";
}

} // namespace
