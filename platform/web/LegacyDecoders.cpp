// The web's decoders of the East Asian multi-byte encodings (see LegacyDecoders.h).
//
// Each decoder walks the bytes with the state the web keeps between them (a lead byte; for GB 18030 up to
// three bytes) and decides by byte ranges alone what a sequence is. A byte "read again" after an error is
// not consumed: the walk goes back to it, and it is read with no lead before it.

#include "platform/web/LegacyDecoders.h"

#include <iconv.h>

#include <map>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "platform/rtl/SysUtils.h"
#include "platform/rtl/Unicode.h"

namespace vcl::markup {

namespace {

// The character of each pointer (a sequence's number in its encoding's table) of one encoding, read once
// from the system's converter: the sequence of each pointer converted alone, from a fresh state. A
// sequence that the converter refuses, reads only partly or reads as more than one character (a lead it
// takes for a character of its own, then the second byte) stands for none (0). In a table of Runs, each
// pointer stands for the character after that of the pointer before it unless the converter says otherwise.
class TPointerTable {
public:
    using TSequenceOf = std::string (*)(int Pointer);

    TPointerTable(const char* Converter, int Count, TSequenceOf SequenceOf, bool Runs)
        : FChars(static_cast<std::size_t>(Count), 0) {
        const iconv_t cd = iconv_open("UTF-8", Converter);
        if (cd == reinterpret_cast<iconv_t>(-1)) return; // no converter: every sequence is an error
        for (int p = 0; p < Count; ++p) {
            std::string sequence = SequenceOf(p);
            char* in = sequence.data();
            std::size_t inLeft = sequence.size();
            char out[32];
            char* o = out;
            std::size_t oLeft = sizeof out;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
            if (iconv(cd, &in, &inLeft, &o, &oLeft) == static_cast<std::size_t>(-1) || inLeft != 0 ||
                iconv(cd, nullptr, nullptr, &o, &oLeft) == static_cast<std::size_t>(-1) || o == out)
                continue;
            const std::string_view text(out, static_cast<std::size_t>(o - out));
            std::size_t i = 0;
            const char32_t c = Utf8Next(text, i);
            if (i == text.size() && c != ReplacementChar) FChars[static_cast<std::size_t>(p)] = c;
        }
        iconv_close(cd);
        if (Runs)
            for (std::size_t p = 1; p < FChars.size(); ++p)
                if (FChars[p] == 0 && FChars[p - 1] != 0) FChars[p] = FChars[p - 1] + 1;
    }

    // The character of a pointer, 0 for none.
    char32_t operator[](int Pointer) const { return FChars[static_cast<std::size_t>(Pointer)]; }

private:
    std::vector<char32_t> FChars;
};

std::string Pair(int First, int Second) {
    return {static_cast<char>(First), static_cast<char>(Second)};
}

// The text as it is made, one character or error at a time.
class TText {
public:
    explicit TText(std::size_t Size) { FText.reserve(Size); }
    void Put(char32_t c) {
        if (c < 0x80)
            FText += static_cast<char>(c);
        else
            FText += Utf8Encode(c);
    }
    void Error() { FText += "\xEF\xBF\xBD"; } // U+FFFD
    String Utf8() { return std::move(FText); }

private:
    String FText;
};

bool In(unsigned char b, unsigned char Low, unsigned char High) {
    return b >= Low && b <= High;
}

// Shift_JIS: 60 leads of 188 second bytes each. The leads 0x81..0x9F come first, then 0xE0..0xFC; the
// second bytes skip 0x7F.
constexpr int kShiftJisPointers = 60 * 188;
std::string ShiftJisSequence(int Pointer) {
    const int lead = Pointer / 188, trail = Pointer % 188;
    return Pair(lead + (lead < 0x1F ? 0x81 : 0xC1), trail + (trail < 0x3F ? 0x40 : 0x41));
}

// EUC-KR: 126 leads of 190 second bytes each, 0x41..0xFE.
constexpr int kEucKrPointers = 126 * 190;
std::string EucKrSequence(int Pointer) {
    return Pair(Pointer / 190 + 0x81, Pointer % 190 + 0x41);
}

// Big5: 126 leads of 157 second bytes each, 0x40..0x7E then 0xA1..0xFE.
constexpr int kBig5Pointers = 126 * 157;
std::string Big5Sequence(int Pointer) {
    const int trail = Pointer % 157;
    return Pair(Pointer / 157 + 0x81, trail + (trail < 0x3F ? 0x40 : 0x62));
}

// GB 18030's two-byte sequences: 126 leads of 190 second bytes each, 0x40..0x7E then 0x80..0xFE.
constexpr int kGbPointers = 126 * 190;
std::string GbSequence(int Pointer) {
    const int trail = Pointer % 190;
    return Pair(Pointer / 190 + 0x81, trail + (trail < 0x3F ? 0x40 : 0x41));
}

// GB 18030's four-byte sequences that stand for the basic multilingual plane (first, digit, byte in
// 0x81..0xFE, digit): the characters from U+0080 to U+FFFF that no two-byte sequence stood for in
// GB 18030-2005, in order, so in runs of consecutive characters; every one stands for a character. A
// converter that follows GB 18030-2022, which gave 18 of those characters two-byte sequences, may refuse
// their four-byte ones (0x82359037..0x82359134 for U+9FB4..U+9FBB, 0x84318236..0x84318335 for
// U+FE10..U+FE19): the web still reads them as those characters, which their runs give.
constexpr int kGbFourBytePointers = 39420;
std::string GbFourByteSequence(int Pointer) {
    return {static_cast<char>(Pointer / 12600 + 0x81), static_cast<char>(Pointer / 1260 % 10 + 0x30),
            static_cast<char>(Pointer / 10 % 126 + 0x81), static_cast<char>(Pointer % 10 + 0x30)};
}

// The table of an encoding's pointers in a converter, made on first use.
const TPointerTable& TableOf(const char* Converter, int Count, TPointerTable::TSequenceOf SequenceOf,
                             bool Runs = false) {
    static std::mutex lock;
    static std::map<std::pair<TPointerTable::TSequenceOf, std::string>, TPointerTable> tables;
    const std::lock_guard<std::mutex> hold(lock);
    return tables.try_emplace({SequenceOf, Converter}, Converter, Count, SequenceOf, Runs).first->second;
}

// A lead and the byte after it that stand for no character: one error, and an ASCII second byte is read
// again (it may begin the text after the broken sequence); any other is taken with the lead.
void Broken(TText& Text, std::size_t& At, unsigned char Second) {
    if (Second < 0x80) --At;
    Text.Error();
}

// The character of a GB 18030 four-byte pointer, 0 for none. Between the last pointer of the basic plane
// (U+FFFF) and the first of the supplementary planes (U+10000), and beyond U+10FFFF, none stands; the
// supplementary planes follow one another in order.
char32_t GbFourByteChar(int Pointer, const char* Converter, const TPointerTable*& Table) {
    if ((Pointer > 39419 && Pointer < 189000) || Pointer > 1237575) return 0;
    // GB 18030-2005 gave this sequence's character to 0xA8BC and this sequence 0xA8BC's old one: it is
    // the one the run of its neighbours does not give.
    if (Pointer == 7457) return 0xE7C7;
    if (Pointer >= 189000) return static_cast<char32_t>(0x10000 + Pointer - 189000);
    if (!Table) Table = &TableOf(Converter, kGbFourBytePointers, GbFourByteSequence, true); // seldom needed
    return (*Table)[Pointer];
}

} // namespace

namespace {

// What a byte with no lead before it is to a two-byte encoding besides a character of its own.
constexpr char32_t kLead = 0x110000, kNoChar = 0x110001;

// The walk of an encoding of single bytes and two-byte sequences. Single(b) is the character a byte stands
// for alone, kLead or kNoChar; PointerOf(lead, second) the sequence's pointer, or -1 for a second byte out of
// range; Special(pointer, text) puts the character(s) of a pointer that the table does not give and says so.
template <class TSingle, class TPointerOf, class TSpecial>
String DecodePairs(std::string_view Bytes, const TPointerTable& Table, TSingle Single, TPointerOf PointerOf,
                   TSpecial Special) {
    TText text(Bytes.size());
    for (std::size_t i = 0; i < Bytes.size();) {
        const auto b = static_cast<unsigned char>(Bytes[i++]);
        const char32_t single = Single(b);
        if (single == kNoChar || (single == kLead && i == Bytes.size())) {
            text.Error();
        } else if (single != kLead) {
            text.Put(single);
        } else {
            const auto t = static_cast<unsigned char>(Bytes[i++]);
            const int pointer = PointerOf(b, t);
            if (pointer >= 0 && Special(pointer, text)) continue;
            if (pointer >= 0)
                if (const char32_t c = Table[pointer]) {
                    text.Put(c);
                    continue;
                }
            Broken(text, i, t);
        }
    }
    return text.Utf8();
}

bool NoSpecial(int, TText&) {
    return false;
}

// EUC-KR's and Big5's single bytes: ASCII, and a lead in 0x81..0xFE.
char32_t AsciiOrLead(unsigned char b) {
    return b < 0x80 ? b : In(b, 0x81, 0xFE) ? kLead : kNoChar;
}

} // namespace

String DecodeShiftJis(std::string_view Bytes, const char* Converter) {
    return DecodePairs(
        Bytes, TableOf(Converter, kShiftJisPointers, ShiftJisSequence),
        [](unsigned char b) -> char32_t {
            if (b <= 0x80) return b;
            if (In(b, 0xA1, 0xDF)) return 0xFF61 - 0xA1 + b;
            return In(b, 0x81, 0x9F) || In(b, 0xE0, 0xFC) ? kLead : kNoChar;
        },
        [](unsigned char b, unsigned char t) {
            if (!In(t, 0x40, 0x7E) && !In(t, 0x80, 0xFC)) return -1;
            return (b - (b < 0xA0 ? 0x81 : 0xC1)) * 188 + t - (t < 0x7F ? 0x40 : 0x41);
        },
        [](int Pointer, TText& Text) {
            // The leads 0xF0..0xF9 are the user-defined area of code page 932.
            if (Pointer < 8836 || Pointer > 10715) return false;
            Text.Put(static_cast<char32_t>(0xE000 - 8836 + Pointer));
            return true;
        });
}

String DecodeEucKr(std::string_view Bytes, const char* Converter) {
    return DecodePairs(
        Bytes, TableOf(Converter, kEucKrPointers, EucKrSequence), AsciiOrLead,
        [](unsigned char b, unsigned char t) { return In(t, 0x41, 0xFE) ? (b - 0x81) * 190 + t - 0x41 : -1; },
        NoSpecial);
}

String DecodeBig5(std::string_view Bytes, const char* Converter) {
    return DecodePairs(
        Bytes, TableOf(Converter, kBig5Pointers, Big5Sequence), AsciiOrLead,
        [](unsigned char b, unsigned char t) {
            if (!In(t, 0x40, 0x7E) && !In(t, 0xA1, 0xFE)) return -1;
            return (b - 0x81) * 157 + t - (t < 0x7F ? 0x40 : 0x62);
        },
        [](int Pointer, TText& Text) {
            // 0x8862, 0x8864, 0x88A3 and 0x88A5: Ê and ê with a macron or a caron above, which Unicode has as
            // no single character.
            if (Pointer != 1133 && Pointer != 1135 && Pointer != 1164 && Pointer != 1166) return false;
            Text.Put(Pointer < 1150 ? 0x00CA : 0x00EA);
            Text.Put(Pointer == 1133 || Pointer == 1164 ? 0x0304 : 0x030C);
            return true;
        });
}

String DecodeGb18030(std::string_view Bytes, const char* Converter) {
    const TPointerTable& table = TableOf(Converter, kGbPointers, GbSequence);
    const TPointerTable* fourByteTable = nullptr;
    TText text(Bytes.size());
    const std::size_t n = Bytes.size();
    for (std::size_t i = 0; i < n;) {
        const auto b = static_cast<unsigned char>(Bytes[i++]);
        if (b < 0x80) {
            text.Put(b);
            continue;
        }
        if (b == 0x80) {
            text.Put(0x20AC);
            continue;
        }
        if (b == 0xFF || i == n) { // no first byte, or one the bytes end after
            text.Error();
            continue;
        }
        const auto second = static_cast<unsigned char>(Bytes[i++]);
        if (!In(second, 0x30, 0x39)) {
            if (In(second, 0x40, 0x7E) || In(second, 0x80, 0xFE))
                if (const char32_t c = table[(b - 0x81) * 190 + second - (second < 0x7F ? 0x40 : 0x41)]) {
                    text.Put(c);
                    continue;
                }
            Broken(text, i, second);
            continue;
        }
        // A four-byte sequence. Cut off by the end, it is one error. Broken at its third or fourth byte,
        // only the first byte is the error: the bytes after it are read again (the digit as itself, a third
        // byte as a first).
        if (i == n) {
            text.Error();
            break;
        }
        const auto third = static_cast<unsigned char>(Bytes[i]);
        if (!In(third, 0x81, 0xFE)) {
            --i;
            text.Error();
            continue;
        }
        if (i + 1 == n) {
            text.Error();
            break;
        }
        const auto fourth = static_cast<unsigned char>(Bytes[i + 1]);
        if (!In(fourth, 0x30, 0x39)) {
            --i;
            text.Error();
            continue;
        }
        i += 2;
        const int pointer = (b - 0x81) * 12600 + (second - 0x30) * 1260 + (third - 0x81) * 10 + fourth - 0x30;
        if (const char32_t c = GbFourByteChar(pointer, Converter, fourByteTable))
            text.Put(c);
        else
            text.Error(); // all four bytes are taken
    }
    return text.Utf8();
}

} // namespace vcl::markup
