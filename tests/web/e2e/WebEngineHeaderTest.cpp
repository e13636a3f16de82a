// End to end: the charset and the type the engine takes from an answer's Content-Type header, against the
// engine actually installed. The demo service gives each answer byte for byte; the engine's encoding and text
// are compared with the reader's, given the header and the engine's type as the browser control gives them
// (TextView::Answer): the page shows the failed sign-in's words to the reader exactly where it shows them to
// the engine.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "platform/web/HtmlDocument.h"
#include "platform/web/MarkupText.h"
#include "platform/web/WebEncodings.h"
#include "tests/web/e2e/EngineTextView.h"
#include "tests/web/e2e/RawAnswer.h"

namespace {

using kvweb::TextView;
using vcl::String;
namespace markup = vcl::markup;

const String kWords = "Incorrect username or password";

// The demo service answers as a test told it to only while that test runs.
struct ServiceReset {
    ~ServiceReset() { kvweb::DemoService::Get().Misbehave("{}"); }
};

// One or more Content-Type lines, given as their values parted by '\n'.
String Head(const String& Values) {
    String head;
    for (std::size_t from = 0; from <= Values.size();) {
        const std::size_t end = std::min(Values.find('\n', from), Values.size());
        head += "Content-Type: " + Values.substr(from, end - from) + "\r\n";
        from = end + 1;
    }
    return head;
}

// The engine's view of the answer, and the reader's text of it as the browser control makes it.
struct Shown {
    TextView::Read Engine;
    TextView::Answer Answer;
    String Reader;
};

Shown Show(TextView& View, const String& Values, const String& Body) {
    static int n = 0;
    kvweb::AnswerRaw("header.html", "HTTP/1.0 200 OK\r\n" + Head(Values) + "\r\n" + Body);
    // A fresh address each time: nothing comes from a cache.
    const String url = kvweb::DemoService::Get().Base() + "header.html?" + std::to_string(++n);
    Shown s{View.Load(url), View.LastAnswer(), String()};
    s.Reader = vcl::THTMLDocument::FromBytes(url, Body, s.Answer.ContentType, s.Answer.EngineType)->Html();
    return s;
}

// The text after the page's last '|', without a closing "</p>".
String ProbeOf(String Text) {
    if (Text.ends_with("</p>")) Text.resize(Text.size() - 4);
    const std::size_t bar = Text.rfind('|');
    return bar == String::npos ? "<none>" : Text.substr(bar + 1);
}

// Headers whose charset the engine reads in its own way. The page's probe is "ап" in KOI8-R, "Са" in
// ISO-8859-5 and "ÁÐ" in Windows-1252, which unlabelled 8-bit text is read as; UTF-16 shows neither the probe
// nor the words.
TEST(EngineHeader, TheEngineReadsThePageInTheCharsetTheReaderFindsInTheHeader) {
    if (!kvweb::DemoService::Get().Running()) GTEST_SKIP() << kvweb::DemoService::Get().Problem();
    const struct {
        const char* What;
        String Values;
    } headers[] = {
        {"a charset", "text/html; charset=koi8-r"},
        {"none", "text/html"},
        {"an empty first charset", "text/html; charset=; charset=utf-16le"},
        {"a first charset of two quotes", "text/html; charset=\"\"; charset=utf-16le"},
        {"a first charset without a value", "text/html; charset; charset=utf-16le"},
        {"the first of two", "text/html; charset=koi8-r; charset=utf-16le"},
        {"in capitals", "TEXT/HTML; CHARSET=KOI8-R"},
        {"blanks around =", "text/html;charset = koi8-r"},
        {"in quotes after a blank", "text/html; charset= \"koi8-r\""},
        {"a stray quote after the label", "text/html; charset=utf-16le\""},
        {"an unclosed quote before it", "text/html; charset=\"koi8-r"},
        {"in single quotes", "text/html; charset='koi8-r'"},
        {"a single quote inside", "text/html; charset=ko'i8-r"},
        {"an escape in quotes", "text/html; charset=\"koi\\8-r\""},
        {"an escaped quote", "text/html; charset=\"utf-16le\\\"\""},
        {"a blank after it in quotes", "text/html; charset=\"koi8-r x\""},
        {"a word before it in quotes", "text/html; charset=\"x koi8-r\""},
        {"a blank after it", "text/html; charset=utf-16le x"},
        {"a comma list", "text/html; charset=utf-16le, text/html"},
        {"a comma list of labels", "text/html; charset=utf-16le,koi8-r"},
        {"a ; in quotes", "text/html; charset=\"koi8-r;x\""},
        {"==", "text/html; charset==utf-16le"},
        {"xcharset", "text/html; xcharset=utf-16le"},
        {"charsetx", "text/html; charsetx=utf-16le"},
        {"a word after it", "text/html; Charset charset=utf-16le"},
        {"after a blank in a value", "text/html; x=1 charset=koi8-r"},
        {"after a comma in a value", "text/html; x=1,charset=utf-16le"},
        {"a whole quoted value", "text/html; x=\"charset=utf-16le\""},
        {"after ; in a quoted value", "text/html; x=\"a;charset=koi8-r\""},
        {"in x's quoted value, then a charset", "text/html; x=\"a;charset=utf-16le\"; charset=windows-1252"},
        {"in a's quoted value, then a charset", "text/html; a=\"q;charset=utf-16le\"; charset=windows-1252"},
        {"without a value, then in a quoted value", "text/html; charset; x=\"a;charset=koi8-r\""},
        {"after a tab in the type", "text/html\tcharset=koi8-r; charset=iso-8859-5"},
        {"extended", "text/html; charset*=UTF-8''koi8-r"},
        {"extended, over a plain one", "text/html; charset=utf-16le; charset*=UTF-8''windows-1252"},
        {"extended, unreadable", "text/html; charset*=koi8-r"},
        {"with a letter beyond ASCII", "text/html; charset=koi8-r \xC3\xA9"},
        {"after a letter beyond ASCII in a value", "text/html; x=\"\xC3\xA9;charset=koi8-r\""},
        // The type decides whether a charset counts.
        {"a type without a slash", "texthtml; charset=utf-16le"},
        {"no type", "; charset=utf-16le"},
        {"a blank in the type", "text/html x; charset=koi8-r"},
        {"two types", "text/html, text/plain; charset=utf-16le"},
        {"two slashes", "text//html; charset=koi8-r"},
        {"a tab in the type", "text/html\tx; charset=koi8-r"},
        {"a comma after the type", "text/html,; charset=koi8-r"},
        {"any type", "*/*; charset=koi8-r"},
        {"an unknown type", "unknown/unknown; charset=koi8-r"},
        // Several lines: the engine reads the last.
        {"two lines, the first with UTF-16", "text/html; charset=utf-16le\ntext/html"},
        {"two lines, the last with a charset", "text/html\ntext/html; charset=koi8-r"},
        {"two lines of two charsets", "text/html; charset=iso-8859-5\ntext/html; charset=koi8-r"},
        {"two lines, the last of another type", "text/html; charset=koi8-r\ntext/plain"},
        {"two lines, the last empty", "text/html; charset=utf-16le\n"},
        {"two lines, the last without a type", "text/html; charset=utf-16le\ntexthtml"},
        {"three lines", "text/plain; charset=iso-8859-5\ntext/html; charset=koi8-r\ntext/html"},
        {"one line with \", \" in quotes", "text/html; x=\"a, b\"; charset=koi8-r"},
        {"one line with \", \" after its charset", "text/html; charset=koi8-r, text/plain"},
    };
    const String body = "<p>" + kWords + "</p><p>|\xC1\xD0</p>";
    const ServiceReset reset;
    TextView view;
    const String unlabelled = Show(view, "text/html", body).Engine.Encoding;
    int labelled = 0, hidden = 0;
    for (const auto& h : headers) {
        const Shown s = Show(view, h.Values, body);
        const markup::TWebEncoding* e = markup::EncodingOf(body, s.Answer.ContentType, s.Answer.EngineType);
        labelled += e != nullptr;
        EXPECT_EQ(s.Engine.Encoding, e ? String(e->Name) : unlabelled) << h.What;
        const bool shown = s.Engine.Text.find(kWords) != String::npos;
        hidden += !shown;
        EXPECT_EQ(s.Reader.find(kWords) != String::npos, shown)
            << h.What << ": the engine shows " << s.Engine.Text << "; the reader reads " << s.Reader;
        if (shown) {
            EXPECT_EQ(ProbeOf(s.Reader), ProbeOf(s.Engine.Text)) << h.What;
        }
    }
    EXPECT_GT(labelled, 20) << "the headers name an encoding as often as not";
    EXPECT_GE(hidden, 2) << "and UTF-16 in some";
}

// Where the engine takes no type from the header (or takes one it sniffs for), it sniffs the page: markup
// that opens with a <meta> is plain text to it, and shows the words a declaration of a replacement encoding
// would hide; markup that opens with a paragraph is HTML, and its <meta> counts. The reader follows the type
// the engine gave the answer.
TEST(EngineHeader, WhereTheEngineSniffsThePageItsTypeDecidesWhatDeclares) {
    if (!kvweb::DemoService::Get().Running()) GTEST_SKIP() << kvweb::DemoService::Get().Problem();
    const String hides = "<meta charset=iso-2022-kr>";
    const struct {
        String Body;
        const char* Sniffed;
    } bodies[] = {
        {hides + "<p>" + kWords + "</p>", "text/plain"},
        {"<p></p>" + hides + "<p>" + kWords + "</p>", "text/html"},
    };
    const ServiceReset reset;
    TextView view;
    for (const char* values :
         {"texthtml; charset=utf-16le", "; charset=utf-16le", "", "text/html x", "*/*", "unknown/unknown",
          "application/unknown", "text/html; charset=koi8-r\ntexthtml"})
        for (const auto& b : bodies) {
            const Shown s = Show(view, values, b.Body);
            EXPECT_EQ(s.Engine.Type, b.Sniffed) << values;
            const bool shown = s.Engine.Text.find(kWords) != String::npos;
            EXPECT_EQ(shown, String(b.Sniffed) == "text/plain") << values << ": " << s.Engine.Text;
            EXPECT_EQ(s.Reader.find(kWords) != String::npos, shown) << values << ": " << s.Reader;
        }
}

// One value, two readings: one line listing two types (which the engine sniffs the page for) and two lines
// (the last of which names UTF-16) reach the reader alike. The engine shows the words in the first reading
// and not in the second; the reader, which cannot tell them apart, finds the words in both.
TEST(EngineHeader, AValueThatReadsAsOneLineOrAsTwoNeverHidesTheWords) {
    if (!kvweb::DemoService::Get().Running()) GTEST_SKIP() << kvweb::DemoService::Get().Problem();
    const String body = "<p>" + kWords + "</p>";
    const ServiceReset reset;
    TextView view;
    const Shown one = Show(view, "text/html, text/html; charset=utf-16le", body);
    const Shown two = Show(view, "text/html\ntext/html; charset=utf-16le", body);
    EXPECT_EQ(one.Answer.ContentType, two.Answer.ContentType);
    EXPECT_EQ(one.Answer.EngineType, two.Answer.EngineType);
    EXPECT_NE(one.Engine.Text.find(kWords), String::npos) << one.Engine.Text;
    EXPECT_EQ(two.Engine.Encoding, "UTF-16LE");
    EXPECT_NE(one.Reader.find(kWords), String::npos) << one.Reader;
    EXPECT_NE(two.Reader.find(kWords), String::npos) << two.Reader;
}

} // namespace
