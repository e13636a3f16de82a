// The host of a web address in the browser engine's form (see WebAddress.h): IPv4 and IPv6 addresses
// written as the engine writes them, names in lower case, names in other scripts in their ASCII form.

#include <arpa/inet.h>
#include <fribidi.h>
#include <glib.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/web/WebAddress.h"

namespace vcl::webaddress {

namespace {

const char* const kUnusableHost = "has a host the browser engine cannot use";

struct GFree {
    void operator()(gchar* p) const { g_free(p); }
};
using GText = std::unique_ptr<gchar, GFree>;

// The value of a digit in that radix, or -1.
int DigitIn(char c, int Radix) {
    int d = 99;
    if (c >= '0' && c <= '9') d = c - '0';
    if (c >= 'a' && c <= 'f') d = c - 'a' + 10;
    if (c >= 'A' && c <= 'F') d = c - 'A' + 10;
    return d < Radix ? d : -1;
}

std::vector<String> Split(const String& Text, char Separator) {
    std::vector<String> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = Text.find(Separator, start);
        parts.push_back(Text.substr(start, end == String::npos ? String::npos : end - start));
        if (end == String::npos) return parts;
        start = end + 1;
    }
}

// The number Part begins with, read as one number of an IPv4 address: "0x" begins a hexadecimal one
// (which may have no digits: 0), a leading "0" an octal one. Returns where the number ends (Part.size()
// when Part is a number); Value holds what it is worth, a value beyond 32 bits just beyond them.
std::size_t IPv4NumberAtStart(const String& Part, std::uint64_t& Value) {
    int radix = 10;
    std::size_t i = 0;
    if (Part.size() >= 2 && Part[0] == '0' && (Part[1] == 'x' || Part[1] == 'X')) {
        radix = 16;
        i = 2;
    } else if (Part.size() >= 2 && Part[0] == '0') {
        radix = 8;
        i = 1;
    }
    Value = 0;
    for (; i < Part.size(); ++i) {
        const int d = DigitIn(Part[i], radix);
        if (d < 0) return i;
        Value = Value * radix + d;
        if (Value > 0xFFFFFFFFull) Value = 0x100000000ull;
    }
    return i;
}

bool IPv4Number(const String& Part, std::uint64_t& Value) {
    return !Part.empty() && IPv4NumberAtStart(Part, Value) == Part.size();
}

// The labels of a name, without the empty one after a final dot.
std::vector<String> Labels(const String& Host) {
    std::vector<String> labels = Split(Host, '.');
    if (labels.size() > 1 && labels.back().empty()) labels.pop_back();
    return labels;
}

// A name whose last label is a number is an IPv4 address to the engine, whatever its other labels are
// ("foo.1" is then an address it cannot read, not a name).
bool EndsInANumber(const String& Host) {
    const String last = Labels(Host).back();
    if (last.empty()) return false;
    if (last.find_first_not_of("0123456789") == String::npos) return true;
    std::uint64_t value = 0;
    return IPv4Number(last, value);
}

// A last label that begins with a number beyond 32 bits and goes on with something else ("5000000000x",
// "0x100000000x1"). The engine reads such a label erratically: where the number passes 32 bits it may
// begin reading another one, and when that one reaches the label's end the host is an address it cannot
// read, so that nothing loads; otherwise it is a name. Which one depends on the characters after the
// number, so every such label is refused.
bool BeginsWithANumberBeyond32Bits(const String& Host) {
    std::uint64_t value = 0;
    IPv4NumberAtStart(Labels(Host).back(), value);
    return value > 0xFFFFFFFFull;
}

// "a", "a.b", "a.b.c" or "a.b.c.d", the last number filling the bytes the others leave, in any base.
bool IPv4(const String& Host, String& Out) {
    const std::vector<String> parts = Labels(Host);
    if (parts.size() > 4) return false;
    std::uint64_t address = 0;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        std::uint64_t n = 0;
        if (!IPv4Number(parts[i], n)) return false;
        const bool last = i + 1 == parts.size();
        if (!last && n > 255) return false;
        if (last && n >= (1ull << (8 * (5 - parts.size())))) return false;
        address += last ? n : n << (8 * (3 - i));
    }
    Out.clear();
    for (int shift = 24; shift >= 0; shift -= 8)
        Out += std::to_string((address >> shift) & 255) + (shift ? "." : "");
    return true;
}

// "[...]" as the engine writes it: hexadecimal in lower case without leading zeros, the first longest
// run of two or more zero pieces as "::", an embedded IPv4 address in hexadecimal too.
bool IPv6(const String& Bracketed, String& Out) {
    const String inner = Bracketed.substr(1, Bracketed.size() - 2);
    unsigned char bytes[16];
    if (inner.empty() || inet_pton(AF_INET6, inner.c_str(), bytes) != 1) return false;
    unsigned pieces[8];
    for (int i = 0; i < 8; ++i)
        pieces[i] = bytes[2 * i] << 8 | bytes[2 * i + 1];
    int runStart = -1, runLength = 1;
    for (int i = 0; i < 8;) {
        int j = i;
        while (j < 8 && pieces[j] == 0)
            ++j;
        if (j - i > runLength) runStart = i, runLength = j - i;
        i = j == i ? i + 1 : j;
    }
    static const char* const Hex = "0123456789abcdef";
    Out = "[";
    for (int i = 0; i < 8; ++i) {
        if (i == runStart) {
            Out += i == 0 ? "::" : ":";
            i += runLength - 1;
            continue;
        }
        String piece;
        for (unsigned v = pieces[i]; v || piece.empty(); v >>= 4)
            piece.insert(piece.begin(), Hex[v & 15]);
        Out += piece + (i < 7 ? ":" : "");
    }
    Out += "]";
    return true;
}

// The host with its "%XX" decoded (the engine reads a host's escapes before anything else).
String PercentDecoded(const String& Host) {
    String out;
    for (std::size_t i = 0; i < Host.size(); ++i) {
        if (Host[i] == '%' && i + 2 < Host.size() && DigitIn(Host[i + 1], 16) >= 0 &&
            DigitIn(Host[i + 2], 16) >= 0) {
            out += static_cast<char>(DigitIn(Host[i + 1], 16) * 16 + DigitIn(Host[i + 2], 16));
            i += 2;
        } else {
            out += Host[i];
        }
    }
    return out;
}

// A name in other scripts in its ASCII form, when no doubt is possible: every letter has one lower-case
// form (a capital "İ", "ẞ" or "ᾈ" folds to more than one letter, where the engine and the toolkit do not
// agree), only letters, marks and digits besides ASCII, and the ASCII form reads back as the name itself
// (the toolkit drops joiners and maps compatibility forms such as "①" or "ﬀ", which the engine may read
// otherwise). "ß" and "ς" are letters of their own to the engine, not "ss" and "σ".
String AsciiName(const String& Name, String& Problem) {
    static const char* const Doubt = "has a host that cannot be turned into its ASCII (\"xn--\") form "
                                     "without doubt; write it in that form";
    if (!g_utf8_validate(Name.data(), static_cast<gssize>(Name.size()), nullptr)) {
        Problem = kUnusableHost;
        return String();
    }
    String lower;
    for (const gchar* p = Name.c_str(); *p; p = g_utf8_next_char(p)) {
        const gunichar c = g_utf8_get_char(p);
        if (c < 0x80) {
            lower += static_cast<char>(c);
            continue;
        }
        const bool ownLetter = c == 0xDF || c == 0x3C2;
        const gunichar l = ownLetter ? c : g_unichar_tolower(c);
        gchar one[8];
        gchar folded[8];
        const gint length = g_unichar_to_utf8(c, one);
        folded[g_unichar_to_utf8(l, folded)] = 0;
        const GText casefold(g_utf8_casefold(one, length));
        const GUnicodeType type = g_unichar_type(l);
        const bool letterOrMark = type == G_UNICODE_LOWERCASE_LETTER || type == G_UNICODE_UPPERCASE_LETTER ||
                                  type == G_UNICODE_TITLECASE_LETTER || type == G_UNICODE_MODIFIER_LETTER ||
                                  type == G_UNICODE_OTHER_LETTER || type == G_UNICODE_NON_SPACING_MARK ||
                                  type == G_UNICODE_SPACING_MARK || type == G_UNICODE_ENCLOSING_MARK ||
                                  type == G_UNICODE_DECIMAL_NUMBER;
        if (!letterOrMark || (!ownLetter && String(casefold.get()) != folded)) {
            Problem = Doubt;
            return String();
        }
        lower += folded;
    }
    const GText composed(g_utf8_normalize(lower.c_str(), -1, G_NORMALIZE_NFC));
    const GText ascii(composed ? g_hostname_to_ascii(composed.get()) : nullptr);
    const GText back(ascii ? g_hostname_to_unicode(ascii.get()) : nullptr);
    if (!back || String(back.get()) != composed.get()) {
        Problem = Doubt;
        return String();
    }
    return ascii.get();
}

// What else the engine asks of a name in other scripts (given here with its labels decoded): no label
// begins with a mark, and a name with a right-to-left label follows the rule for such names (RFC 5893):
// every label begins with a letter; a right-to-left one holds no left-to-right letter, one kind of digits
// at most, and ends with a letter or a digit; a left-to-right one holds nothing right-to-left and ends
// with a letter or a European digit; marks may follow anything. Otherwise the engine cannot load it.
bool EngineReadsLabels(const String& Unicode) {
    struct TLabel {
        FriBidiCharType First = 0, Last = 0;
        bool Left = false, Right = false, European = false, Arabic = false, Other = false;
    };
    std::vector<TLabel> labels;
    bool rightToLeftName = false;
    for (const String& label : Labels(Unicode)) {
        if (label.empty() || g_unichar_ismark(g_utf8_get_char(label.c_str()))) return false;
        TLabel l;
        l.First = fribidi_get_bidi_type(g_utf8_get_char(label.c_str()));
        for (const gchar* p = label.c_str(); *p; p = g_utf8_next_char(p)) {
            const FriBidiCharType t = fribidi_get_bidi_type(g_utf8_get_char(p));
            if (t != FRIBIDI_TYPE_NSM) l.Last = t;
            l.Left = l.Left || t == FRIBIDI_TYPE_LTR;
            l.Right = l.Right || t == FRIBIDI_TYPE_RTL || t == FRIBIDI_TYPE_AL;
            l.European = l.European || t == FRIBIDI_TYPE_EN;
            l.Arabic = l.Arabic || t == FRIBIDI_TYPE_AN;
            l.Other = l.Other || !(t == FRIBIDI_TYPE_LTR || t == FRIBIDI_TYPE_RTL || t == FRIBIDI_TYPE_AL ||
                                   t == FRIBIDI_TYPE_EN || t == FRIBIDI_TYPE_AN || t == FRIBIDI_TYPE_ES ||
                                   t == FRIBIDI_TYPE_CS || t == FRIBIDI_TYPE_ET || t == FRIBIDI_TYPE_ON ||
                                   t == FRIBIDI_TYPE_BN || t == FRIBIDI_TYPE_NSM);
        }
        rightToLeftName = rightToLeftName || l.Right || l.Arabic;
        labels.push_back(l);
    }
    if (!rightToLeftName) return true;
    const auto rightLetter = [](FriBidiCharType t) { return t == FRIBIDI_TYPE_RTL || t == FRIBIDI_TYPE_AL; };
    for (const TLabel& l : labels) {
        const bool fits =
            rightLetter(l.First)
                ? !l.Left && !l.Other && !(l.European && l.Arabic) &&
                      (rightLetter(l.Last) || l.Last == FRIBIDI_TYPE_EN || l.Last == FRIBIDI_TYPE_AN)
                : l.First == FRIBIDI_TYPE_LTR && !l.Right && !l.Arabic && !l.Other &&
                      (l.Last == FRIBIDI_TYPE_LTR || l.Last == FRIBIDI_TYPE_EN);
        if (!fits) return false;
    }
    return true;
}

} // namespace

String CanonicalHost(const String& Host, String& Problem) {
    Problem.clear();
    String out;
    if (Host.size() >= 2 && Host.front() == '[' && Host.back() == ']') {
        if (!IPv6(Host, out)) Problem = "has an IPv6 address the browser engine cannot read";
        return out;
    }
    String name = PercentDecoded(Host);
    // One final dot stays: "localhost." is another host to the engine than "localhost".
    const bool finalDot = name.size() > 1 && name.back() == '.';
    if (finalDot) name.pop_back();
    bool ascii = true;
    for (char& c : name) {
        if (static_cast<unsigned char>(c) >= 0x80) ascii = false;
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    if (!ascii) {
        name = AsciiName(name, Problem);
        if (!Problem.empty()) return String();
    }
    for (const String& label : Split(name, '.')) {
        const bool plain = !label.empty() &&
                           label.find_first_not_of("abcdefghijklmnopqrstuvwxyz0123456789-_") == String::npos;
        // An "xn--" label the engine cannot decode makes the whole address one it cannot load. It decodes
        // one only to a name already in the form the engine gives a name: "xn--isgg" decodes to "ᾴᾷ",
        // which the engine maps to other letters ("ά" and "ι" for "ᾴ"), and so cannot be loaded.
        bool decodes = true;
        if (plain && label.rfind("xn--", 0) == 0) {
            const GText unicode(g_hostname_to_unicode(label.c_str()));
            String doubt;
            decodes = unicode && String(unicode.get()) != label && AsciiName(unicode.get(), doubt) == label;
        }
        if (!plain || !decodes) {
            Problem = kUnusableHost;
            return String();
        }
    }
    if (name.find("xn--") != String::npos) {
        const GText unicode(g_hostname_to_unicode(name.c_str()));
        if (!unicode || !EngineReadsLabels(unicode.get())) {
            Problem = kUnusableHost;
            return String();
        }
    }
    if (finalDot) name += '.';
    if (EndsInANumber(name)) {
        if (!IPv4(name, out)) Problem = "has an IPv4 address the browser engine cannot read";
        return out;
    }
    if (BeginsWithANumberBeyond32Bits(name)) {
        Problem = "has a host whose last label begins with a number too large for an IPv4 address, which the "
                  "browser engine may read as an address it cannot load";
        return String();
    }
    return name;
}

} // namespace vcl::webaddress
