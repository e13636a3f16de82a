#include "platform/rtl/SysUtils.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Unicode.h"

namespace vcl {

namespace {

bool IsBlank(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

char AsciiUpper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}
char AsciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Decodes one UTF-8 character at s[i]; advances i. A byte that starts no well-formed character yields
// itself (as the code point 0xDC00 + byte, which no case mapping touches), so that it is written back
// unchanged.
char32_t DecodeUtf8(const String& s, size_t& i) {
    const size_t start = i;
    const char32_t cp = Utf8Next(s, i);
    if (cp == ReplacementChar && i == start + 1) return 0xDC00 + static_cast<unsigned char>(s[start]);
    return cp;
}

void EncodeUtf8(char32_t cp, String& out) {
    if (cp >= 0xDC80 && cp <= 0xDCFF) // a raw byte kept from invalid input
        out += static_cast<char>(cp - 0xDC00);
    else
        out += Utf8Encode(cp);
}

// Runs of letters where upper and lower case alternate, the upper-case letter on the even code point
// (Latin Extended-A, -B and Additional, archaic Greek, Cyrillic) or on the odd one.
bool EvenUpperRun(char32_t c) {
    return (c >= 0x100 && c <= 0x12F) || (c >= 0x132 && c <= 0x137) || (c >= 0x14A && c <= 0x177) ||
           (c >= 0x1DE && c <= 0x1EF) || c == 0x1F4 || c == 0x1F5 || (c >= 0x1F8 && c <= 0x21F) ||
           (c >= 0x222 && c <= 0x233) || (c >= 0x246 && c <= 0x24F) || (c >= 0x3D8 && c <= 0x3EF) ||
           (c >= 0x460 && c <= 0x481) || (c >= 0x48A && c <= 0x4BF) || (c >= 0x4D0 && c <= 0x52F) ||
           (c >= 0x1E00 && c <= 0x1E95) || (c >= 0x1EA0 && c <= 0x1EFF);
}
bool OddUpperRun(char32_t c) {
    return (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E) || (c >= 0x1CD && c <= 0x1DC) ||
           (c >= 0x4C1 && c <= 0x4CE);
}

} // namespace

// Both letters of every pair take the same number of UTF-8 bytes, so folding never changes byte lengths.
char32_t AnsiUpperChar(char32_t c) {
    if (c >= 'a' && c <= 'z') return c - 32;
    if (c < 0xE0) return c;
    if (c <= 0xFE) return c == 0xF7 ? c : c - 32;
    if (c == 0xFF) return 0x178;
    if (EvenUpperRun(c)) return (c & 1) ? c - 1 : c;
    if (OddUpperRun(c)) return (c & 1) ? c : c - 1;
    if (c >= 0x3B1 && c <= 0x3CB) return c == 0x3C2 ? 0x3A3 : c - 32;
    if (c == 0x3AC) return 0x386;
    if (c >= 0x3AD && c <= 0x3AF) return c - 37;
    if (c == 0x3CC) return 0x38C;
    if (c == 0x3CD || c == 0x3CE) return c - 63;
    if (c >= 0x430 && c <= 0x44F) return c - 32;
    if (c >= 0x450 && c <= 0x45F) return c - 80;
    if (c == 0x4CF) return 0x4C0;
    return c;
}

char32_t AnsiLowerChar(char32_t c) {
    if (c >= 'A' && c <= 'Z') return c + 32;
    if (c < 0xC0) return c;
    if (c <= 0xDE) return c == 0xD7 ? c : c + 32;
    if (c == 0x178) return 0xFF;
    if (EvenUpperRun(c)) return (c & 1) ? c : c + 1;
    if (OddUpperRun(c)) return (c & 1) ? c + 1 : c;
    if (c >= 0x391 && c <= 0x3AB && c != 0x3A2) return c + 32;
    if (c == 0x386) return 0x3AC;
    if (c >= 0x388 && c <= 0x38A) return c + 37;
    if (c == 0x38C) return 0x3CC;
    if (c == 0x38E || c == 0x38F) return c + 63;
    if (c >= 0x410 && c <= 0x42F) return c + 32;
    if (c >= 0x400 && c <= 0x40F) return c + 80;
    if (c == 0x4C0) return 0x4CF;
    return c;
}

namespace {

template <class F> String MapUtf8(const String& s, F map) {
    String out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size();)
        EncodeUtf8(map(DecodeUtf8(s, i)), out);
    return out;
}

int Sign(int v) {
    return v < 0 ? -1 : v > 0 ? 1 : 0;
}

[[noreturn]] void ConvertError(const String& s) {
    throw EConvertError("'" + s + "' is not a valid integer value");
}

// Parses an integer as the framework does; MaxMagnitude bounds decimal values and hex values wrap
// at HexLimit. Returns false on any malformed input or overflow.
bool ParseInteger(const String& s, Int64 minValue, Int64 maxValue, uint64_t hexLimit, Int64& out) {
    size_t i = 0;
    while (i < s.size() && s[i] == ' ')
        ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        negative = s[i] == '-';
        ++i;
    }
    bool hex = false;
    if (i < s.size() && s[i] == '$') {
        hex = true;
        ++i;
    } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
        hex = true;
        i += 2;
    }
    if (i >= s.size()) return false;
    uint64_t value = 0;
    const uint64_t limit = hex ? hexLimit : static_cast<uint64_t>(maxValue) + 1; // +1: magnitude of min
    for (; i < s.size(); ++i) {
        char c = s[i];
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (hex && c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (hex && c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else
            return false;
        unsigned base = hex ? 16 : 10;
        if (value > (limit - static_cast<uint64_t>(digit)) / base) return false;
        value = value * base + static_cast<uint64_t>(digit);
    }
    if (hex) {
        // Hexadecimal covers the whole unsigned range of the type and wraps into the negatives.
        uint64_t u = negative ? 0ull - value : value;
        out = hexLimit == 0xFFFFFFFFull ? static_cast<Int64>(static_cast<int32_t>(static_cast<uint32_t>(u)))
                                        : static_cast<Int64>(u);
        return true;
    }
    if (negative) {
        if (value > static_cast<uint64_t>(maxValue) + 1) return false;
        out = static_cast<Int64>(0ull - value);
        return out >= minValue;
    }
    if (value > static_cast<uint64_t>(maxValue)) return false;
    out = static_cast<Int64>(value);
    return true;
}

String HexDigits(uint64_t value, int digits) {
    static const char* const hexChars = "0123456789ABCDEF";
    String r;
    do {
        r.insert(r.begin(), hexChars[value & 15]);
        value >>= 4;
    } while (value != 0);
    if (static_cast<int>(r.size()) < digits) r.insert(0, static_cast<size_t>(digits) - r.size(), '0');
    return r;
}

} // namespace

// ---- Trimming and case

String Trim(const String& S) {
    return TrimLeft(TrimRight(S));
}

String TrimLeft(const String& S) {
    size_t i = 0;
    while (i < S.size() && IsBlank(S[i]))
        ++i;
    return S.substr(i);
}

String TrimRight(const String& S) {
    size_t n = S.size();
    while (n > 0 && IsBlank(S[n - 1]))
        --n;
    return S.substr(0, n);
}

String UpperCase(const String& S) {
    String r = S;
    for (auto& c : r)
        c = AsciiUpper(c);
    return r;
}

String LowerCase(const String& S) {
    String r = S;
    for (auto& c : r)
        c = AsciiLower(c);
    return r;
}

String AnsiUpperCase(const String& S) {
    return MapUtf8(S, AnsiUpperChar);
}
String AnsiLowerCase(const String& S) {
    return MapUtf8(S, AnsiLowerChar);
}

// ---- Comparison

int CompareStr(const String& S1, const String& S2) {
    return Sign(S1.compare(S2));
}

int CompareText(const String& S1, const String& S2) {
    size_t n = std::min(S1.size(), S2.size());
    for (size_t i = 0; i < n; ++i) {
        int a = static_cast<unsigned char>(AsciiUpper(S1[i]));
        int b = static_cast<unsigned char>(AsciiUpper(S2[i]));
        if (a != b) return a - b;
    }
    return S1.size() < S2.size() ? -1 : S1.size() > S2.size() ? 1 : 0;
}

bool SameStr(const String& S1, const String& S2) {
    return S1 == S2;
}
bool SameText(const String& S1, const String& S2) {
    return CompareText(S1, S2) == 0;
}

int AnsiCompareText(const String& S1, const String& S2) {
    size_t i = 0, j = 0;
    while (i < S1.size() && j < S2.size()) {
        char32_t a = AnsiLowerChar(DecodeUtf8(S1, i));
        char32_t b = AnsiLowerChar(DecodeUtf8(S2, j));
        if (a != b) return a < b ? -1 : 1;
    }
    if (i < S1.size()) return 1;
    if (j < S2.size()) return -1;
    return 0;
}

int AnsiCompareStr(const String& S1, const String& S2) {
    int folded = AnsiCompareText(S1, S2);
    if (folded != 0) return folded;
    // Same letters: the first difference in case decides, lower case first.
    size_t i = 0, j = 0;
    while (i < S1.size() && j < S2.size()) {
        char32_t a = DecodeUtf8(S1, i);
        char32_t b = DecodeUtf8(S2, j);
        if (a != b) return AnsiLowerChar(a) == a ? -1 : 1;
    }
    return 0;
}

bool AnsiSameText(const String& S1, const String& S2) {
    return AnsiCompareText(S1, S2) == 0;
}
bool AnsiSameStr(const String& S1, const String& S2) {
    return S1 == S2;
}

// ---- Searching and copying

int Pos(const String& SubStr, const String& S) {
    return PosEx(SubStr, S, 1);
}

int PosEx(const String& SubStr, const String& S, int Offset) {
    if (SubStr.empty() || Offset < 1 || static_cast<size_t>(Offset) > S.size()) return 0;
    size_t p = S.find(SubStr, static_cast<size_t>(Offset - 1));
    return p == String::npos ? 0 : static_cast<int>(p) + 1;
}

String Copy(const String& S, int Index, int Count) {
    if (Index < 1) Index = 1;
    if (Count <= 0 || static_cast<size_t>(Index) > S.size()) return String();
    return S.substr(static_cast<size_t>(Index - 1), static_cast<size_t>(Count));
}

String StringReplace(const String& S, const String& OldPattern, const String& NewPattern,
                     TReplaceFlags Flags) {
    if (OldPattern.empty()) return S;
    const bool ignoreCase = Flags.Contains(rfIgnoreCase);
    // Case folding keeps byte lengths, so positions in the folded text are positions in S.
    const String hay = ignoreCase ? AnsiUpperCase(S) : S;
    const String needle = ignoreCase ? AnsiUpperCase(OldPattern) : OldPattern;
    String result;
    size_t from = 0;
    for (;;) {
        size_t p = hay.find(needle, from);
        if (p == String::npos) break;
        result.append(S, from, p - from);
        result += NewPattern;
        from = p + needle.size();
        if (!Flags.Contains(rfReplaceAll)) break;
    }
    result.append(S, from, String::npos);
    return result;
}

// ---- Characters

int Utf8Length(const String& S) {
    int n = 0;
    for (size_t i = 0; i < S.size();) {
        DecodeUtf8(S, i);
        ++n;
    }
    return n;
}

String Utf8Copy(const String& S, int Index, int Count) {
    if (Index < 1) Index = 1;
    if (Count <= 0) return String();
    size_t i = 0;
    for (int k = 1; k < Index && i < S.size(); ++k)
        DecodeUtf8(S, i);
    size_t start = i;
    for (int k = 0; k < Count && i < S.size(); ++k)
        DecodeUtf8(S, i);
    return S.substr(start, i - start);
}

int Utf8Pos(const String& SubStr, const String& S) {
    int p = Pos(SubStr, S);
    if (p == 0) return 0;
    return Utf8Length(S.substr(0, static_cast<size_t>(p - 1))) + 1;
}

// ---- Integers

String UIntToHex(std::uint64_t Value, int Digits) {
    return HexDigits(Value, Digits);
}

bool TryStrToInt(const String& S, int& Value) {
    Int64 v = 0;
    if (!ParseInteger(S, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max(),
                      0xFFFFFFFFull, v))
        return false;
    Value = static_cast<int>(v);
    return true;
}

int StrToInt(const String& S) {
    int v = 0;
    if (!TryStrToInt(S, v)) ConvertError(S);
    return v;
}

int StrToIntDef(const String& S, int Default) {
    int v = 0;
    return TryStrToInt(S, v) ? v : Default;
}

bool TryStrToInt64(const String& S, Int64& Value) {
    return ParseInteger(S, std::numeric_limits<Int64>::min(), std::numeric_limits<Int64>::max(),
                        0xFFFFFFFFFFFFFFFFull, Value);
}

Int64 StrToInt64(const String& S) {
    Int64 v = 0;
    if (!TryStrToInt64(S, v)) ConvertError(S);
    return v;
}

// ---- Floating point

namespace {

// Digits and decimal exponent of Value rounded to `precision` significant digits: Value ~ 0.d1d2... *
// 10^(exp+1).
void Decompose(double value, int precision, String& digits, int& exponent) {
    char buf[64];
    auto res =
        std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific, precision - 1);
    String text(buf, res.ptr);
    size_t e = text.find('e');
    digits.clear();
    for (size_t i = 0; i < e; ++i)
        if (text[i] != '.') digits += text[i];
    exponent = std::stoi(text.substr(e + 1));
}

String SpecialFloat(double value) {
    if (std::isnan(value)) return "NAN";
    return value < 0 ? "-INF" : "INF";
}

String FloatGeneral(double value, int precision) {
    if (!std::isfinite(value)) return SpecialFloat(value);
    if (precision < 1) precision = 1;
    if (precision > 17) precision = 17;
    if (value == 0) return "0";
    String digits;
    int exponent;
    Decompose(value, precision, digits, exponent);
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
    String r = value < 0 ? "-" : "";
    if (exponent < precision && exponent >= -5) {
        if (exponent < 0) {
            r += "0." + String(static_cast<size_t>(-exponent - 1), '0') + digits;
        } else if (static_cast<int>(digits.size()) <= exponent + 1) {
            r += digits + String(static_cast<size_t>(exponent + 1) - digits.size(), '0');
        } else {
            r += digits.substr(0, static_cast<size_t>(exponent + 1)) + "." +
                 digits.substr(static_cast<size_t>(exponent + 1));
        }
    } else {
        r += digits.substr(0, 1);
        if (digits.size() > 1) r += "." + digits.substr(1);
        r += "E" + std::string(exponent < 0 ? "-" : "") + std::to_string(std::abs(exponent));
    }
    return r;
}

String FloatScientific(double value, int precision);

String FloatFixed(double value, int decimals, bool thousands) {
    if (!std::isfinite(value)) return SpecialFloat(value);
    if (decimals > 18) decimals = 18;
    char buf[512];
    auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
    if (res.ec != std::errc()) return FloatScientific(value, 15);
    String text(buf, res.ptr);
    if (text == "-0" || (text.rfind("-0.", 0) == 0 && text.find_first_not_of("-0.") == String::npos))
        text.erase(0, 1); // no negative zero
    if (!thousands) return text;
    size_t start = text[0] == '-' ? 1 : 0;
    size_t point = text.find('.');
    if (point == String::npos) point = text.size();
    for (size_t k = point; k > start + 3; k -= 3)
        text.insert(k - 3, ",");
    return text;
}

String FloatScientific(double value, int precision) {
    if (!std::isfinite(value)) return SpecialFloat(value);
    if (precision < 1) precision = 1;
    if (precision > 17) precision = 17;
    String digits;
    int exponent = 0;
    if (value == 0)
        digits = String(static_cast<size_t>(precision), '0');
    else
        Decompose(value, precision, digits, exponent);
    String r = value < 0 ? "-" : "";
    r += digits.substr(0, 1);
    if (digits.size() > 1) r += "." + digits.substr(1);
    String e = std::to_string(std::abs(exponent));
    if (e.size() < 3) e.insert(0, 3 - e.size(), '0');
    return r + "E" + (exponent < 0 ? "-" : "+") + e;
}

} // namespace

String FloatToStr(double Value) {
    return FloatGeneral(Value, 15);
}

bool TryStrToFloat(const String& S, double& Value) {
    String t = Trim(S);
    size_t i = 0;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
    size_t digits = 0;
    while (i < t.size() && t[i] >= '0' && t[i] <= '9')
        ++i, ++digits;
    if (i < t.size() && t[i] == '.') {
        ++i;
        while (i < t.size() && t[i] >= '0' && t[i] <= '9')
            ++i, ++digits;
    }
    if (digits == 0) return false;
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        ++i;
        if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
        size_t expDigits = 0;
        while (i < t.size() && t[i] >= '0' && t[i] <= '9')
            ++i, ++expDigits;
        if (expDigits == 0) return false;
    }
    if (i != t.size()) return false;
    // from_chars takes no leading "+".
    size_t begin = t[0] == '+' ? 1 : 0;
    double v = 0;
    auto res = std::from_chars(t.data() + begin, t.data() + t.size(), v);
    if (res.ec == std::errc::result_out_of_range) {
        // Underflow becomes zero; overflow is not a valid value. Tell them apart by the decimal
        // exponent of the first significant digit.
        size_t e = t.find_first_of("eE");
        String mantissa = t.substr(0, e);
        long exponent = e == String::npos ? 0 : std::strtol(t.c_str() + e + 1, nullptr, 10);
        size_t point = mantissa.find('.');
        if (point == String::npos) point = mantissa.size();
        size_t first = mantissa.find_first_of("123456789");
        long magnitude = static_cast<long>(point) - static_cast<long>(first) + exponent;
        if (first < point) --magnitude;
        if (magnitude > 0) return false;
        v = 0;
    } else if (res.ec != std::errc() || res.ptr != t.data() + t.size()) {
        return false;
    }
    Value = v;
    return true;
}

double StrToFloat(const String& S) {
    double v = 0;
    if (!TryStrToFloat(S, v)) throw EConvertError("'" + S + "' is not a valid floating point value");
    return v;
}

double StrToFloatDef(const String& S, double Default) {
    double v = 0;
    return TryStrToFloat(S, v) ? v : Default;
}

// ---- Format

namespace {

class FormatParser {
public:
    FormatParser(const String& fmt, const TVarRec* args, int count) : fmt_(fmt), args_(args), count_(count) {}

    String Run() {
        String out;
        size_t i = 0;
        while (i < fmt_.size()) {
            char c = fmt_[i++];
            if (c != '%') {
                out += c;
                continue;
            }
            if (i >= fmt_.size()) Invalid();
            if (fmt_[i] == '%') {
                out += '%';
                ++i;
                continue;
            }
            out += Specifier(i);
        }
        return out;
    }

private:
    [[noreturn]] void Invalid() const {
        throw EConvertError("Format '" + fmt_ + "' invalid or incompatible with argument");
    }

    const TVarRec& NextArg() {
        if (next_ < 0 || next_ >= count_) throw EConvertError("No argument for format '" + fmt_ + "'");
        return args_[next_++];
    }

    static bool IsInt(const TVarRec& a) {
        auto t = a.Type();
        return t == TVarRec::vtInteger || t == TVarRec::vtInt64 || t == TVarRec::vtUnsigned ||
               t == TVarRec::vtUInt64;
    }

    // Digits, or "*" taken from the arguments; -1 when there is neither.
    int Number(size_t& i) {
        if (i < fmt_.size() && fmt_[i] == '*') {
            ++i;
            const TVarRec& a = NextArg();
            if (!IsInt(a)) Invalid();
            Int64 v = a.AsInt64();
            return v < 0 ? 0 : static_cast<int>(std::min<Int64>(v, 1 << 20));
        }
        if (i >= fmt_.size() || fmt_[i] < '0' || fmt_[i] > '9') return -1;
        Int64 v = 0;
        while (i < fmt_.size() && fmt_[i] >= '0' && fmt_[i] <= '9') {
            v = std::min<Int64>(v * 10 + (fmt_[i] - '0'), 1 << 20);
            ++i;
        }
        return static_cast<int>(v);
    }

    String Specifier(size_t& i) {
        // Argument index: digits followed by ':'.
        size_t j = i;
        while (j < fmt_.size() && fmt_[j] >= '0' && fmt_[j] <= '9')
            ++j;
        if (j > i && j < fmt_.size() && fmt_[j] == ':') {
            next_ = Number(i);
            ++i;
        }
        bool left = false;
        if (i < fmt_.size() && fmt_[i] == '-') {
            left = true;
            ++i;
        }
        int width = Number(i);
        int precision = -1;
        if (i < fmt_.size() && fmt_[i] == '.') {
            ++i;
            precision = Number(i);
            if (precision < 0) precision = 0;
        }
        if (i >= fmt_.size()) Invalid();
        char type = AsciiLower(fmt_[i++]);
        String text = Convert(type, precision);
        int len = Utf8Length(text);
        if (width > len) {
            String pad(static_cast<size_t>(width - len), ' ');
            text = left ? text + pad : pad + text;
        }
        return text;
    }

    String Convert(char type, int precision) {
        const TVarRec& a = NextArg();
        switch (type) {
        case 'd':
        case 'u':
        case 'x': {
            if (!IsInt(a)) Invalid();
            bool negative = false;
            uint64_t magnitude;
            auto t = a.Type();
            if (type == 'd' && (t == TVarRec::vtInteger || t == TVarRec::vtInt64)) {
                negative = a.AsInt64() < 0;
                magnitude =
                    negative ? 0ull - static_cast<uint64_t>(a.AsInt64()) : static_cast<uint64_t>(a.AsInt64());
            } else if (t == TVarRec::vtInteger || t == TVarRec::vtUnsigned) {
                magnitude = static_cast<uint32_t>(a.AsInt64());
            } else {
                magnitude = static_cast<uint64_t>(a.AsInt64());
            }
            String digits = type == 'x' ? HexDigits(magnitude, 0) : std::to_string(magnitude);
            if (precision > static_cast<int>(digits.size()))
                digits.insert(0, static_cast<size_t>(precision) - digits.size(), '0');
            return negative ? "-" + digits : digits;
        }
        case 's':
            if (a.Type() != TVarRec::vtString && a.Type() != TVarRec::vtChar) Invalid();
            return precision >= 0 ? Utf8Copy(a.AsString(), 1, precision) : a.AsString();
        case 'f':
        case 'n':
            if (a.Type() != TVarRec::vtExtended) Invalid();
            return FloatFixed(a.AsDouble(), precision < 0 ? 2 : precision, type == 'n');
        case 'e':
            if (a.Type() != TVarRec::vtExtended) Invalid();
            return FloatScientific(a.AsDouble(), precision < 0 ? 15 : precision);
        case 'g':
            if (a.Type() != TVarRec::vtExtended) Invalid();
            return FloatGeneral(a.AsDouble(), precision < 0 ? 15 : precision);
        default:
            Invalid();
        }
    }

    const String& fmt_;
    const TVarRec* args_;
    int count_;
    int next_ = 0;
};

} // namespace

String Format(const String& Fmt, const TVarRec* Args, int ArgCount) {
    return FormatParser(Fmt, Args, Args ? ArgCount : 0).Run();
}

String Format(const String& Fmt, std::initializer_list<TVarRec> Args) {
    return Format(Fmt, Args.begin(), static_cast<int>(Args.size()));
}

// ---- Quoting

String AnsiQuotedStr(const String& S, char Quote) {
    String r(1, Quote);
    for (char c : S) {
        r += c;
        if (c == Quote) r += c;
    }
    r += Quote;
    return r;
}

String QuotedStr(const String& S) {
    return AnsiQuotedStr(S, '\'');
}

String AnsiExtractQuotedStr(const char*& Src, const char* End, char Quote) {
    String r;
    if (Src >= End || *Src != Quote) return r;
    ++Src;
    while (Src < End) {
        if (*Src == Quote) {
            if (Src + 1 < End && Src[1] == Quote) {
                r += Quote;
                Src += 2;
                continue;
            }
            ++Src; // the closing quote
            return r;
        }
        r += *Src++;
    }
    return r;
}

String AnsiDequotedStr(const String& S, char Quote) {
    if (S.size() < 2 || S.front() != Quote || S.back() != Quote) return S;
    const char* p = S.data();
    const char* end = S.data() + S.size();
    String r = AnsiExtractQuotedStr(p, end, Quote);
    return p == end ? r : S; // text after the closing quote: not one quoted string
}

// ---- File names

namespace {
size_t LastDelimiter(const String& s) {
    return s.rfind(PathDelim);
}
} // namespace

String ExtractFilePath(const String& FileName) {
    size_t p = LastDelimiter(FileName);
    return p == String::npos ? String() : FileName.substr(0, p + 1);
}

String ExtractFileName(const String& FileName) {
    size_t p = LastDelimiter(FileName);
    return p == String::npos ? FileName : FileName.substr(p + 1);
}

String ExtractFileExt(const String& FileName) {
    size_t dot = FileName.rfind('.');
    size_t slash = LastDelimiter(FileName);
    if (dot == String::npos || (slash != String::npos && dot < slash)) return String();
    return FileName.substr(dot);
}

String ChangeFileExt(const String& FileName, const String& Extension) {
    size_t dot = FileName.rfind('.');
    size_t slash = LastDelimiter(FileName);
    if (dot == String::npos || (slash != String::npos && dot < slash)) return FileName + Extension;
    return FileName.substr(0, dot) + Extension;
}

String IncludeTrailingPathDelimiter(const String& S) {
    if (!S.empty() && S.back() == PathDelim) return S;
    return S + PathDelim;
}

String ExcludeTrailingPathDelimiter(const String& S) {
    if (S.size() > 1 && S.back() == PathDelim) return S.substr(0, S.size() - 1);
    return S;
}

String Utf8Encode(char32_t CodePoint) {
    String out;
    auto cp = static_cast<std::uint32_t>(CodePoint);
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
    return out;
}

} // namespace vcl
