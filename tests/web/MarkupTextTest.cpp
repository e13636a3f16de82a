// A page's markup as text: which encoding the bytes are read in, and that the text is always UTF-8.

#include <gtest/gtest.h>

#include "platform/web/MarkupText.h"

namespace {

using vcl::String;
namespace markup = vcl::markup;

TEST(MarkupText, TheEncodingIsTheMarksThenTheHeadersThenTheMetasThenUtf8OrWindows1252) {
    const String cafe1252 = "caf\xE9 \x80";             // "café €" in Windows-1252
    const String cafeUtf8 = "caf\xC3\xA9 \xE2\x82\xAC"; // and in UTF-8
    struct Case {
        const char* What;
        String Bytes;
        String ContentType;
        String Text;
    } cases[] = {
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
    for (const Case& c : cases)
        EXPECT_EQ(markup::ToUtf8(c.Bytes, c.ContentType), c.Text) << c.What;
}

TEST(MarkupText, TheCharsetParameterOfAContentType) {
    EXPECT_EQ(markup::CharsetOf("text/html; charset=UTF-8"), "UTF-8");
    EXPECT_EQ(markup::CharsetOf("text/html;charset = 'koi8-r'"), "koi8-r");
    EXPECT_EQ(markup::CharsetOf("text/html"), "");
    EXPECT_EQ(markup::CharsetOf("text/html; xcharset=utf-8"), "") << "only a parameter of that name";
}

} // namespace
