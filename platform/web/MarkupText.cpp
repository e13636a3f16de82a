#include "platform/web/MarkupText.h"

#include <iconv.h>

#include <array>
#include <cerrno>
#include <map>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "platform/rtl/SysUtils.h"
#include "platform/rtl/Unicode.h"
#include "platform/web/ContentType.h"
#include "platform/web/LegacyDecoders.h"
#include "platform/web/WebEncodings.h"

namespace vcl::markup {

namespace {

constexpr const char* kReplacement = "\xEF\xBF\xBD"; // U+FFFD

// UTF-8 as the engine decodes it: a well-formed sequence stands for itself; the longest start of one that
// is cut short or broken by a byte that cannot follow reads as one U+FFFD, and so does a byte that starts
// none. What would encode a surrogate, a value beyond U+10FFFF or a shorter form breaks off at its second
// byte.
String DecodeUtf8(std::string_view Bytes) {
    String out;
    out.reserve(Bytes.size());
    for (std::size_t i = 0; i < Bytes.size();) {
        const auto lead = static_cast<unsigned char>(Bytes[i]);
        if (lead < 0x80) {
            out += static_cast<char>(lead);
            ++i;
            continue;
        }
        int need = 0;
        unsigned char low = 0x80, high = 0xBF; // the range of the next byte
        if (lead >= 0xC2 && lead <= 0xDF) {
            need = 1;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            need = 2;
            if (lead == 0xE0) low = 0xA0;
            if (lead == 0xED) high = 0x9F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            need = 3;
            if (lead == 0xF0) low = 0x90;
            if (lead == 0xF4) high = 0x8F;
        }
        std::size_t end = i + 1;
        int seen = 0;
        for (; seen < need && end < Bytes.size(); ++seen, ++end) {
            const auto next = static_cast<unsigned char>(Bytes[end]);
            if (next < low || next > high) break;
            low = 0x80;
            high = 0xBF;
        }
        if (need > 0 && seen == need)
            out.append(Bytes.substr(i, end - i));
        else
            out += kReplacement;
        i = end;
    }
    return out;
}

// UTF-16 in the byte order given; an unpaired surrogate reads as U+FFFD, and so does an odd last byte.
String DecodeUtf16(std::string_view Bytes, bool BigEndian) {
    std::u16string units;
    units.reserve(Bytes.size() / 2);
    for (std::size_t i = 0; i + 1 < Bytes.size(); i += 2) {
        const auto first = static_cast<unsigned char>(Bytes[i]),
                   second = static_cast<unsigned char>(Bytes[i + 1]);
        units += static_cast<char16_t>(BigEndian ? first << 8 | second : second << 8 | first);
    }
    // An odd last byte is one U+FFFD with the lead surrogate before it, which reads as U+FFFD alone.
    const bool lead = !units.empty() && units.back() >= 0xD800 && units.back() <= 0xDBFF;
    return Utf16ToUtf8(units) + (Bytes.size() % 2 && !lead ? kReplacement : "");
}

// The web's x-user-defined: ASCII as itself, each other byte as a character of the private use area.
String DecodeUserDefined(std::string_view Bytes) {
    std::u16string units;
    units.reserve(Bytes.size());
    for (const char c : Bytes) {
        const auto b = static_cast<unsigned char>(c);
        units += static_cast<char16_t>(b < 0x80 ? b : 0xF780 + (b - 0x80));
    }
    return Utf16ToUtf8(units);
}

// The characters of a single-byte encoding's bytes 0x80..0xFF, made once for each encoding: each byte is
// read alone through the system's converter, so that none waits to be combined with the next (as
// Windows-1258's converter would have it), and then the web's own rules and differences are applied.
const std::array<char32_t, 128>& UpperHalf(const TWebEncoding& Encoding) {
    static std::mutex lock;
    static std::map<const TWebEncoding*, std::array<char32_t, 128>> tables;
    const std::lock_guard<std::mutex> hold(lock);
    const auto [at, made] = tables.try_emplace(&Encoding);
    std::array<char32_t, 128>& upper = at->second;
    if (!made) return upper;
    const iconv_t cd = iconv_open("UTF-8", Encoding.Converter);
    const bool open = cd != reinterpret_cast<iconv_t>(-1);
    for (int b = 0x80; b < 0x100; ++b) {
        char32_t c = ReplacementChar;
        char byte = static_cast<char>(b);
        char* in = &byte;
        std::size_t inLeft = 1;
        char out[16];
        char* o = out;
        std::size_t oLeft = sizeof out;
        if (open && iconv(cd, &in, &inLeft, &o, &oLeft) != static_cast<std::size_t>(-1) &&
            iconv(cd, nullptr, nullptr, &o, &oLeft) != static_cast<std::size_t>(-1) && o > out) {
            std::size_t i = 0;
            c = Utf8Next(std::string_view(out, static_cast<std::size_t>(o - out)), i);
        }
        if (open) iconv(cd, nullptr, nullptr, nullptr, nullptr);
        if (c == ReplacementChar && Encoding.ControlsForUndefined && b <= 0x9F) c = static_cast<char32_t>(b);
        upper[static_cast<std::size_t>(b - 0x80)] = c;
    }
    for (const TByteChar& d : Encoding.Differences)
        upper[d.Byte - 0x80u] = d.Char;
    if (open) iconv_close(cd);
    return upper;
}

String DecodeSingleByte(std::string_view Bytes, const TWebEncoding& Encoding) {
    const std::array<char32_t, 128>& upper = UpperHalf(Encoding);
    std::u16string units;
    units.reserve(Bytes.size());
    for (const char c : Bytes) {
        const auto b = static_cast<unsigned char>(c);
        AppendUtf16(units, b < 0x80 ? b : upper[b - 0x80u]);
    }
    return Utf16ToUtf8(units);
}

// A legacy encoding through the system's converter. Were the converter missing, the bytes beyond ASCII
// would read as U+FFFD rather than as UTF-8 they are not.
String Convert(std::string_view Bytes, const char* From) {
    iconv_t cd = iconv_open("UTF-8", From);
    String out;
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        for (const char c : Bytes)
            static_cast<unsigned char>(c) < 0x80 ? out += c : out += kReplacement;
        return out;
    }
    char buf[4096];
    char* in = const_cast<char*>(Bytes.data());
    std::size_t inLeft = Bytes.size();
    while (inLeft > 0) {
        char* o = buf;
        std::size_t oLeft = sizeof buf;
        const std::size_t r = iconv(cd, &in, &inLeft, &o, &oLeft);
        const int error = r == static_cast<std::size_t>(-1) ? errno : 0;
        out.append(buf, static_cast<std::size_t>(o - buf));
        if (error == 0 || error == E2BIG) continue;
        // No character of the encoding here (its first byte stands for it), or one cut off at the end.
        out += kReplacement;
        const std::size_t skip = error == EINVAL ? inLeft : 1;
        in += skip;
        inLeft -= skip;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    char* o = buf;
    std::size_t oLeft = sizeof buf;
    iconv(cd, nullptr, nullptr, &o, &oLeft);
    out.append(buf, static_cast<std::size_t>(o - buf));
    iconv_close(cd);
    return out;
}

String Decode(std::string_view Bytes, const TWebEncoding& Encoding) {
    switch (Encoding.Decoder) {
    case TDecoder::Utf8:
        return DecodeUtf8(Bytes);
    case TDecoder::Utf16LE:
        return DecodeUtf16(Bytes, false);
    case TDecoder::Utf16BE:
        return DecodeUtf16(Bytes, true);
    case TDecoder::Windows1252:
        return Cp1252ToUtf8(Bytes);
    case TDecoder::UserDefined:
        return DecodeUserDefined(Bytes);
    case TDecoder::Replacement:
        return Bytes.empty() ? String() : String(kReplacement);
    case TDecoder::SingleByte:
        return DecodeSingleByte(Bytes, Encoding);
    case TDecoder::Converter:
        return Convert(Bytes, Encoding.Converter);
    case TDecoder::ShiftJis:
        return DecodeShiftJis(Bytes, Encoding.Converter);
    case TDecoder::EucKr:
        return DecodeEucKr(Bytes, Encoding.Converter);
    case TDecoder::Big5:
        return DecodeBig5(Bytes, Encoding.Converter);
    case TDecoder::Gb18030:
        return DecodeGb18030(Bytes, Encoding.Converter);
    }
    return String();
}

} // namespace

namespace {

// The engine looks for a declaration in an HTML page's markup (its <meta> elements and its XML
// declaration) and in an XML document's (its XML declaration), in no other page's: plain text, a script or
// JSON shows a <meta> or "<?xml" as the text it is.
const TWebEncoding* DeclaredIn(std::string_view Bytes, const String& Type) {
    if (Type.empty() || Type == "text/html") return DeclaredEncoding(Bytes);
    if (Type == "text/xml" || Type == "application/xml" || Type == "text/xsl" || Type.ends_with("+xml"))
        return XmlDeclaredEncoding(Bytes);
    return nullptr;
}

// The encoding a byte order mark at the start of Bytes names, and the mark's length; nullptr without one.
const TWebEncoding* MarkOf(const String& Bytes, std::size_t& Length) {
    static const struct {
        std::string_view Mark;
        const char* Label;
    } marks[] = {{"\xEF\xBB\xBF", "utf-8"}, {"\xFF\xFE", "utf-16le"}, {"\xFE\xFF", "utf-16be"}};
    for (const auto& m : marks)
        if (Bytes.starts_with(m.Mark)) {
            Length = m.Mark.size();
            return EncodingOfLabel(m.Label);
        }
    Length = 0;
    return nullptr;
}

// An encoding in which ASCII text does not read as itself: a page in it does not show the words it has.
bool HidesAscii(const TWebEncoding* Encoding) {
    return Encoding && (Encoding->Decoder == TDecoder::Utf16LE || Encoding->Decoder == TDecoder::Utf16BE ||
                        Encoding->Decoder == TDecoder::Replacement);
}

} // namespace

namespace {

// EncodingOf, and the length of the byte order mark that named it (0 for none).
const TWebEncoding* EncodingAndMark(const String& Bytes, const String& ContentType, const String& EngineType,
                                    std::size_t& Mark) {
    if (const TWebEncoding* e = MarkOf(Bytes, Mark)) return e;
    auto labelled = [&](const String& Line) {
        const TWebEncoding* e = EncodingOfLabel(CharsetOf(Line));
        return e ? e : DeclaredIn(Bytes, TypeOf(Line, EngineType));
    };
    const std::vector<String> lines = LinesOf(ContentType, EngineType);
    // Where the header reads several ways, the reader cannot know which the engine read. An encoding that
    // hides the page's ASCII text then counts only if every reading gives one: in one that keeps ASCII, a
    // page shows the words the engine would show in any of the readings (a UTF-16 page's too, once its NULs
    // are dropped), so that a failed sign-in never reads as none.
    for (const String& line : lines)
        if (const TWebEncoding* e = labelled(line); !HidesAscii(e)) return e;
    return labelled(lines.front());
}

} // namespace

const TWebEncoding* EncodingOf(const String& Bytes, const String& ContentType, const String& EngineType) {
    std::size_t mark = 0;
    return EncodingAndMark(Bytes, ContentType, EngineType, mark);
}

String ToUtf8(const String& Bytes, const String& ContentType, const String& EngineType) {
    std::size_t mark = 0;
    const TWebEncoding* e = EncodingAndMark(Bytes, ContentType, EngineType, mark);
    String text = e                    ? Decode(std::string_view(Bytes).substr(mark), *e)
                  : IsValidUtf8(Bytes) ? Bytes
                                       : Cp1252ToUtf8(Bytes);
    // No page shows U+0000: its parser drops it from the text (and shows U+FFFD for it in a title or a
    // value). Left in, a NUL between two letters, as UTF-32 read as 8-bit text or UTF-16 puts there, would
    // part words the page shows.
    std::erase(text, '\0');
    return text;
}

} // namespace vcl::markup
