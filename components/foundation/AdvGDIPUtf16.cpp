#include "components/foundation/AdvGDIPUtf16.h"

namespace AdvGDIP {

namespace {

constexpr char32_t Replacement = 0xFFFD;

// Decodes one code point at text[i], advancing i; rejects overlong forms, surrogates and values above
// U+10FFFF.
char32_t DecodeOne(const unsigned char* text, std::size_t bytes, std::size_t& i) {
    unsigned char lead = text[i];
    if (lead < 0x80) {
        ++i;
        return lead;
    }
    int extra = 0;
    char32_t cp = 0;
    char32_t minimum = 0;
    if ((lead & 0xE0) == 0xC0) {
        extra = 1;
        cp = lead & 0x1F;
        minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2;
        cp = lead & 0x0F;
        minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3;
        cp = lead & 0x07;
        minimum = 0x10000;
    } else {
        ++i;
        return Replacement;
    }
    if (i + static_cast<std::size_t>(extra) >= bytes) { // truncated sequence
        ++i;
        return Replacement;
    }
    for (int k = 1; k <= extra; ++k) {
        unsigned char c = text[i + static_cast<std::size_t>(k)];
        if ((c & 0xC0) != 0x80) {
            ++i;
            return Replacement;
        }
        cp = (cp << 6) | (c & 0x3F);
    }
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        ++i;
        return Replacement;
    }
    i += static_cast<std::size_t>(extra) + 1;
    return cp;
}

} // namespace

std::vector<gdip::WCHAR> Utf8ToUtf16Buffer(const char* text, std::size_t bytes) {
    std::vector<gdip::WCHAR> out;
    out.reserve(bytes + 1);
    const auto* p = reinterpret_cast<const unsigned char*>(text);
    std::size_t i = 0;
    while (i < bytes) {
        char32_t cp = DecodeOne(p, bytes, i);
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out.push_back(static_cast<gdip::WCHAR>(0xD800 + (cp >> 10)));
            out.push_back(static_cast<gdip::WCHAR>(0xDC00 + (cp & 0x3FF)));
        } else {
            out.push_back(static_cast<gdip::WCHAR>(cp));
        }
    }
    out.push_back(0);
    return out;
}

std::vector<gdip::WCHAR> Utf8ToUtf16Buffer(const vcl::String& text) {
    return Utf8ToUtf16Buffer(text.data(), text.size());
}

} // namespace AdvGDIP
