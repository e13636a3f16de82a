#include "platform/rtl/Unicode.h"

#include <algorithm>
#include <array>

#include "platform/rtl/SysUtils.h"

namespace vcl {

char32_t Utf8Next(std::string_view s, std::size_t& i) {
    auto lead = static_cast<unsigned char>(s[i]);
    if (lead < 0x80) {
        ++i;
        return lead;
    }
    // Sequence length and the smallest value that needs it (shorter forms of a value are refused).
    std::size_t extra = (lead & 0xE0) == 0xC0 ? 1 : (lead & 0xF0) == 0xE0 ? 2 : (lead & 0xF8) == 0xF0 ? 3 : 0;
    const char32_t minimum[] = {0, 0x80, 0x800, 0x10000};
    if (extra == 0 || s.size() - i <= extra) {
        ++i;
        return ReplacementChar;
    }
    char32_t cp = lead & (0x7F >> (extra + 1));
    for (std::size_t k = 1; k <= extra; ++k) {
        auto c = static_cast<unsigned char>(s[i + k]);
        if ((c & 0xC0) != 0x80) {
            ++i;
            return ReplacementChar;
        }
        cp = (cp << 6) | (c & 0x3F);
    }
    if (cp < minimum[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        ++i;
        return ReplacementChar;
    }
    i += extra + 1;
    return cp;
}

char32_t Utf16Next(std::u16string_view s, std::size_t& i) {
    char32_t cp = s[i++];
    if (cp >= 0xD800 && cp <= 0xDBFF && i < s.size() && s[i] >= 0xDC00 && s[i] <= 0xDFFF)
        return 0x10000 + ((cp - 0xD800) << 10) + (s[i++] - 0xDC00);
    return (cp >= 0xD800 && cp <= 0xDFFF) ? ReplacementChar : cp;
}

void AppendUtf16(std::u16string& out, char32_t cp) {
    if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = ReplacementChar;
    if (cp < 0x10000) {
        out.push_back(static_cast<char16_t>(cp));
        return;
    }
    cp -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
}

std::u16string Utf8ToUtf16(std::string_view s) {
    std::u16string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size();)
        AppendUtf16(out, Utf8Next(s, i));
    return out;
}

String Utf16ToUtf8(std::u16string_view s) {
    String out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size();)
        out += Utf8Encode(Utf16Next(s, i));
    return out;
}

bool IsValidUtf8(std::string_view s) {
    for (std::size_t i = 0; i < s.size();) {
        const std::size_t at = i;
        // U+FFFD itself takes three bytes; a byte that starts no valid sequence reads as it alone.
        if (Utf8Next(s, i) == ReplacementChar && i == at + 1) return false;
    }
    return true;
}

namespace {

// Windows-1252 from 0x80 to 0x9F.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

} // namespace

String Cp1252ToUtf8(std::string_view bytes) {
    String out;
    out.reserve(bytes.size());
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x80)
            out += c;
        else
            out += Utf8Encode(b < 0xA0 ? kCp1252High[b - 0x80] : b);
    }
    return out;
}

bool CodePointToCp1252(char32_t cp, char& out) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
        out = static_cast<char>(cp);
        return true;
    }
    const auto* at = std::find(kCp1252High.begin(), kCp1252High.end(), cp);
    if (at == kCp1252High.end()) return false;
    out = static_cast<char>(0x80 + (at - kCp1252High.begin()));
    return true;
}

} // namespace vcl
