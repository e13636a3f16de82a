// End to end: a page's charset labels and its bytes against the engine actually installed. Each label
// names to the engine the encoding it names to the markup reader, in the answer's header and in a <meta>
// alike; what is no label to the engine is none to the reader; and the text the reader makes of the bytes
// is the text the engine shows.

#include <gtest/gtest.h>
#include <iconv.h>

#include <cstdlib>
#include <set>
#include <utility>

#include "platform/web/MarkupText.h"
#include "platform/web/WebEncodings.h"
#include "tests/web/e2e/EngineTextView.h"

namespace {

using kvweb::TextView;
using vcl::String;
namespace markup = vcl::markup;

TEST(EngineEncoding, EveryLabelNamesTheSameEncodingToTheEngineInTheHeaderAndInAMeta) {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no display";
    TextView view;
    for (const markup::TEncodingLabel& l : markup::EncodingLabels()) {
        EXPECT_EQ(view.Show("<p>x</p>", l.Label).Encoding, l.Encoding->Name) << "the header's " << l.Label;
        // In a page's own bytes, UTF-16 means UTF-8 and x-user-defined Windows-1252.
        const markup::TDecoder decoder = l.Encoding->Decoder;
        const String meant = decoder == markup::TDecoder::Utf16LE || decoder == markup::TDecoder::Utf16BE
                                 ? "UTF-8"
                             : decoder == markup::TDecoder::UserDefined ? "windows-1252"
                                                                        : l.Encoding->Name;
        const String meta = "<meta charset=\"" + String(l.Label) + "\">";
        const TextView::Read read = view.Show(meta + "x\xE9", nullptr);
        EXPECT_EQ(read.Encoding, meant) << "a meta's " << l.Label;
        if (String(l.Encoding->Name) == "ISO-8859-16") continue; // the engine shows no text in it
        String text = markup::ToUtf8(meta + "x\xE9", "");
        if (text.rfind(meta, 0) == 0) text.erase(0, meta.size());
        EXPECT_EQ(text, read.Text) << "a meta's " << l.Label << ", which the engine reads as "
                                   << read.Encoding;
    }
}

TEST(EngineEncoding, WhatIsNoLabelToTheEngineIsNoneToTheReader) {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no display";
    TextView view;
    const String bytes = "x caf\xE9 \x80";
    const TextView::Read unlabelled = view.Show(bytes, nullptr);
    for (const char* label :
         {"utf-32", "utf-32le", "utf-32be", "ucs-4", "ibm037", "cp037", "utf-7", "cp1252x"}) {
        const TextView::Read read = view.Show(bytes, label);
        EXPECT_EQ(read.Encoding, unlabelled.Encoding) << label;
        EXPECT_EQ(markup::ToUtf8(bytes, String("text/html; charset=") + label), read.Text) << label;
        EXPECT_EQ(markup::EncodingOfLabel(label), nullptr) << label;
    }
}

TEST(EngineEncoding, TheReaderMakesOfTheBytesTheTextTheEngineShows) {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no display";
    TextView view;
    // Every byte beyond ASCII alone, between letters (the page's parser keeps those as they are).
    String high = "x";
    for (int b = 0x80; b < 0x100; ++b)
        high += String{static_cast<char>(b), 'y'};
    std::set<const markup::TWebEncoding*> seen;
    for (const markup::TEncodingLabel& l : markup::EncodingLabels()) {
        // The system's converters of the multi-byte encodings read some bytes otherwise than the engine
        // (valid text in them is compared below). The installed engine names ISO-8859-16 but shows no text
        // at all in it.
        if (l.Encoding->Decoder == markup::TDecoder::Converter || String(l.Encoding->Name) == "ISO-8859-16" ||
            !seen.insert(l.Encoding).second)
            continue;
        const String contentType = String("text/html; charset=") + l.Label;
        EXPECT_EQ(markup::ToUtf8(high, contentType), view.Show(high, l.Label).Text) << l.Encoding->Name;
    }
    // Text in the multi-byte encodings, written by the system's converter.
    const struct {
        const char* Label;
        String Text;
    } written[] = {{"shift_jis", "x\u65E5\u672C\u8A9E\u3067\u3059\uFF71"},
                   {"euc-jp", "x\u65E5\u672C\u8A9E\u3067\u3059"},
                   {"iso-2022-jp", "x\u65E5\u672C\u8A9E\u3067\u3059y"},
                   {"gbk", "x\u4E2D\u6587\u7F51\u9875"},
                   {"gb18030", "x\u4E2D\u6587\u7F51\u9875\u00E9\U0001F600"},
                   {"big5", "x\u4E2D\u6587\u7DB2\u9801"},
                   {"euc-kr", "x\uD55C\uAD6D\uC5B4 \uBB38\uC11C"}};
    for (const auto& w : written) {
        const markup::TWebEncoding* e = markup::EncodingOfLabel(w.Label);
        ASSERT_NE(e, nullptr) << w.Label;
        const iconv_t cd = iconv_open(e->Converter, "UTF-8");
        ASSERT_NE(cd, reinterpret_cast<iconv_t>(-1)) << w.Label;
        char out[256];
        char* in = const_cast<char*>(w.Text.data());
        char* o = out;
        std::size_t inLeft = w.Text.size(), oLeft = sizeof out;
        const bool wrote = iconv(cd, &in, &inLeft, &o, &oLeft) != static_cast<std::size_t>(-1) &&
                           iconv(cd, nullptr, nullptr, &o, &oLeft) != static_cast<std::size_t>(-1);
        iconv_close(cd);
        ASSERT_TRUE(wrote) << w.Label;
        const String bytes(out, static_cast<std::size_t>(o - out));
        EXPECT_EQ(view.Show(bytes, w.Label).Text, w.Text) << w.Label << ", as the engine reads it";
        EXPECT_EQ(markup::ToUtf8(bytes, String("text/html; charset=") + w.Label), w.Text) << w.Label;
    }
    // UTF-8 that is broken in every way, beyond U+10FFFF among them.
    const String broken =
        "x\xF4\x90\x80\x80|\xE2\x82|\xED\xA0\x80|\xF0\x9F\x98\x80|\xC0\xAF|\xF8\x88\x80\x80\x80|"
        "\xFF|\xE0\x80\xAF|\xF0\x80|\xE2\x82";
    EXPECT_EQ(markup::ToUtf8(broken, "text/html; charset=utf-8"), view.Show(broken, "utf-8").Text);
    EXPECT_EQ(markup::ToUtf8("\xEF\xBB\xBF" + broken, "text/html"),
              view.Show("\xEF\xBB\xBF" + broken, nullptr).Text);
    // UTF-16 with an unpaired surrogate in the middle and an odd byte at the end, after a character, a
    // trail surrogate or a lead surrogate.
    for (const String& utf16 : {String{'x', 0, '\x3D', '\xD8', 'y', 0, '\x00', '\xDC', 'z', 0, 'w'},
                                String{'x', 0, '\x00', '\xDC', 'w'}, String{'x', 0, '\x3D', '\xD8', 'w'},
                                String{'x', 0, '\x3D', '\xD8', '\x3D', '\xD8', 'w'}}) {
        EXPECT_EQ(markup::ToUtf8(utf16, "text/html; charset=utf-16"), view.Show(utf16, "utf-16").Text);
        EXPECT_EQ(markup::ToUtf8("\xFF\xFE" + utf16, ""), view.Show("\xFF\xFE" + utf16, nullptr).Text);
        String big = utf16;
        for (std::size_t i = 0; i + 1 < big.size(); i += 2)
            std::swap(big[i], big[i + 1]);
        EXPECT_EQ(markup::ToUtf8(big, "text/html; charset=utf-16be"), view.Show(big, "utf-16be").Text);
    }
}

} // namespace
