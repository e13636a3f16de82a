// The web's encoding labels: how a label is matched, and that every encoding a label names can be decoded
// here into valid UTF-8. (That each label names what it names to the engine is checked against the
// installed engine by the browser's end-to-end tests.)

#include <gtest/gtest.h>
#include <iconv.h>

#include <set>

#include "platform/rtl/Unicode.h"
#include "platform/web/MarkupText.h"
#include "platform/web/WebEncodings.h"

namespace {

using vcl::String;
namespace markup = vcl::markup;

String NameOf(const char* Label) {
    const markup::TWebEncoding* e = markup::EncodingOfLabel(Label);
    return e ? e->Name : "<none>";
}

TEST(WebEncodings, ALabelIsMatchedInAnyCaseWithoutTheAsciiWhitespaceAroundIt) {
    EXPECT_EQ(NameOf(" \t\r\n\fUtF-8\f\n\r\t "), "UTF-8");
    EXPECT_EQ(NameOf("LATIN1"), "windows-1252");
    for (const char* none : {"", " ", "utf 8", "utf-8\v", "\xC2\xA0utf-8", "utf-8;", "utf-32", "utf-32le",
                             "ucs-4", "ibm037", "cp037", "utf-7", "iso-8859-1-windows-3.1-latin-1"})
        EXPECT_EQ(NameOf(none), "<none>") << '"' << none << '"';
}

TEST(WebEncodings, EveryEncodingIsNamedByItsOwnNameAndDecodesEveryByteToValidUtf8) {
    std::set<const markup::TWebEncoding*> encodings;
    for (const markup::TEncodingLabel& l : markup::EncodingLabels())
        encodings.insert(l.Encoding);
    String bytes;
    for (int b = 0; b < 256; ++b)
        bytes += static_cast<char>(b);
    for (int b = 0x80; b < 256; ++b) // and each lead byte followed by each kind of trail
        bytes +=
            String{static_cast<char>(b), '\x40', static_cast<char>(b), '\xA1', static_cast<char>(b), '0'};
    for (const markup::TWebEncoding* e : encodings) {
        EXPECT_EQ(markup::EncodingOfLabel(e->Name), e) << e->Name;
        if (e->Converter) {
            const iconv_t cd = iconv_open("UTF-8", e->Converter);
            EXPECT_NE(cd, reinterpret_cast<iconv_t>(-1)) << e->Name << ": the system has no " << e->Converter;
            if (cd != reinterpret_cast<iconv_t>(-1)) iconv_close(cd);
        }
        const String text = markup::ToUtf8(bytes, String("text/html; charset=") + e->Name);
        EXPECT_TRUE(vcl::IsValidUtf8(text)) << e->Name;
        EXPECT_FALSE(text.empty()) << e->Name;
    }
}

} // namespace
