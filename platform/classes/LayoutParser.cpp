#include "platform/classes/LayoutParser.h"

#include <array>
#include <charconv>
#include <limits>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/SysUtils.h"

namespace vcl {

String LayoutWhere(const String& LayoutName, int Line) {
    return " (" + LayoutName + " line " + std::to_string(Line) + ")";
}

namespace {

bool IsIdentStart(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}
bool IsIdentChar(char c) {
    return IsIdentStart(c) || (c >= '0' && c <= '9');
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
// A hexadecimal digit's value, else -1; by table, for the long runs of digits pictures come as.
constexpr std::array<signed char, 256> kHexDigits = [] {
    std::array<signed char, 256> t{};
    for (int i = 0; i < 256; ++i)
        t[static_cast<std::size_t>(i)] = static_cast<signed char>(i >= '0' && i <= '9'   ? i - '0'
                                                                  : i >= 'a' && i <= 'f' ? i - 'a' + 10
                                                                  : i >= 'A' && i <= 'F' ? i - 'A' + 10
                                                                                         : -1);
    return t;
}();

int HexValue(char c) {
    return kHexDigits[static_cast<unsigned char>(c)];
}

class Parser {
public:
    Parser(std::string_view text, const String& name) : S(text), Name(name) {}

    TLayoutObject Run() {
        SkipBlanks();
        TLayoutObject root = ParseObject();
        SkipBlanks();
        if (Pos < S.size()) Fail("Unexpected text after the final 'end'");
        return root;
    }

private:
    [[noreturn]] void Fail(const String& reason) const { throw EReadError(reason + LayoutWhere(Name, Line)); }
    [[noreturn]] void FailAt(const String& reason, int line) const {
        throw EReadError(reason + LayoutWhere(Name, line));
    }

    bool AtEnd() const { return Pos >= S.size(); }
    char Peek() const { return Pos < S.size() ? S[Pos] : '\0'; }

    void SkipBlanks() {
        while (Pos < S.size()) {
            char c = S[Pos];
            if (c == '\n') {
                ++Line;
                ++Pos;
            } else if (c == ' ' || c == '\t' || c == '\r' || c == '\f') {
                ++Pos;
            } else if (Pos == 0 && S.compare(0, 3, "\xEF\xBB\xBF") == 0) {
                Pos += 3; // byte-order mark
            } else {
                break;
            }
        }
    }

    void Expect(char c, const char* what) {
        SkipBlanks();
        if (AtEnd()) Fail(String("Unexpected end of layout: ") + what + " expected");
        if (S[Pos] != c) Fail(String(what) + " expected");
        ++Pos;
    }

    String ReadIdent(const char* what) {
        SkipBlanks();
        if (AtEnd()) Fail(String("Unexpected end of layout: ") + what + " expected");
        if (!IsIdentStart(S[Pos])) Fail(String(what) + " expected");
        size_t start = Pos;
        while (Pos < S.size() && IsIdentChar(S[Pos]))
            ++Pos;
        return String(S.substr(start, Pos - start));
    }

    String ReadDottedIdent(const char* what) {
        String id = ReadIdent(what);
        while (Pos + 1 < S.size() && S[Pos] == '.' && IsIdentStart(S[Pos + 1])) {
            ++Pos;
            id += '.';
            id += ReadIdent(what);
        }
        return id;
    }

    // The next word without consuming it ("" when the next thing is not a word).
    String PeekWord() {
        SkipBlanks();
        size_t p = Pos;
        while (p < S.size() && IsIdentChar(S[p]))
            ++p;
        if (p == Pos || !IsIdentStart(S[Pos])) return String();
        return String(S.substr(Pos, p - Pos));
    }

    // Guards the recursion against absurdly deep nesting.
    struct DepthGuard {
        Parser& P;
        explicit DepthGuard(Parser& p) : P(p) {
            if (++P.Depth > MaxDepth) P.Fail("Layout nested too deeply");
        }
        ~DepthGuard() { --P.Depth; }
    };
    static constexpr int MaxDepth = 200;

    TLayoutObject ParseObject() {
        DepthGuard guard(*this);
        SkipBlanks();
        int line = Line;
        if (AtEnd()) Fail("Unexpected end of layout: 'object' expected");
        String kw = ReadIdent("'object'");
        if (SameText(kw, "inherited") || SameText(kw, "inline"))
            Fail("'" + kw + "' objects are not supported");
        if (!SameText(kw, "object")) Fail("'object' expected but '" + kw + "' found");
        TLayoutObject obj;
        obj.Line = line;
        String first = ReadIdent("Component name");
        SkipBlanks();
        if (Peek() == ':') {
            ++Pos;
            obj.Name = first;
            obj.ClassName = ReadIdent("Class name");
        } else {
            obj.ClassName = first;
        }
        for (;;) {
            SkipBlanks();
            if (AtEnd()) FailAt("Unexpected end of layout: 'end' of " + Describe(obj) + " missing", Line);
            String word = PeekWord();
            if (word.empty()) Fail("Property name expected");
            if (SameText(word, "end")) {
                Pos += word.size();
                break;
            }
            if (SameText(word, "object") || SameText(word, "inherited") || SameText(word, "inline")) {
                obj.Children.push_back(ParseObject());
                continue;
            }
            obj.Props.push_back(ParseProperty());
        }
        return obj;
    }

    static String Describe(const TLayoutObject& o) { return o.Name.empty() ? o.ClassName : o.Name; }

    TLayoutProperty ParseProperty() {
        TLayoutProperty prop;
        SkipBlanks();
        prop.Line = Line;
        prop.Name = ReadDottedIdent("Property name");
        Expect('=', "'='");
        prop.Value = ParseValue();
        return prop;
    }

    TLayoutValue ParseValue() {
        DepthGuard guard(*this);
        SkipBlanks();
        TLayoutValue v;
        v.Line = Line;
        if (AtEnd()) Fail("Unexpected end of layout: value expected");
        char c = S[Pos];
        if (c == '\'' || c == '#') {
            v.Kind = TLayoutValueKind::String;
            v.Str = ParseString();
        } else if (c == '-' || c == '+' || c == '$' || IsDigit(c)) {
            ParseNumber(v);
        } else if (IsIdentStart(c)) {
            v.Kind = TLayoutValueKind::Ident;
            v.Str = ReadDottedIdent("Value");
        } else if (c == '[') {
            ++Pos;
            v.Kind = TLayoutValueKind::Set;
            SkipBlanks();
            if (Peek() == ']') {
                ++Pos;
            } else {
                for (;;) {
                    v.SetItems.push_back(ReadIdent("Set element"));
                    SkipBlanks();
                    if (AtEnd()) Fail("Unexpected end of layout: ']' expected");
                    if (S[Pos] == ',') {
                        ++Pos;
                        continue;
                    }
                    if (S[Pos] == ']') {
                        ++Pos;
                        break;
                    }
                    Fail("',' or ']' expected");
                }
            }
        } else if (c == '(') {
            ++Pos;
            v.Kind = TLayoutValueKind::List;
            for (;;) {
                SkipBlanks();
                if (AtEnd()) Fail("Unexpected end of layout: ')' expected");
                if (S[Pos] == ')') {
                    ++Pos;
                    break;
                }
                v.List.push_back(ParseValue());
            }
        } else if (c == '<') {
            ++Pos;
            v.Kind = TLayoutValueKind::Collection;
            for (;;) {
                SkipBlanks();
                if (AtEnd()) Fail("Unexpected end of layout: '>' expected");
                if (S[Pos] == '>') {
                    ++Pos;
                    break;
                }
                TLayoutItem item;
                item.Line = Line;
                String kw = ReadIdent("'item'");
                if (!SameText(kw, "item")) Fail("'item' expected but '" + kw + "' found");
                for (;;) {
                    SkipBlanks();
                    if (AtEnd()) Fail("Unexpected end of layout: 'end' of item missing");
                    String word = PeekWord();
                    if (SameText(word, "end")) {
                        Pos += 3;
                        break;
                    }
                    item.Props.push_back(ParseProperty());
                }
                v.Items.push_back(std::move(item));
            }
        } else if (c == '{') {
            ++Pos;
            v.Kind = TLayoutValueKind::Binary;
            // Pictures come this way, hundreds of kilobytes of digits: read into room made for all of them,
            // run by run, without the general blank skipping.
            const std::size_t close = S.find('}', Pos);
            std::string bytes(close == std::string::npos ? 0 : (close - Pos) / 2, '\0');
            std::size_t n = 0;
            int hi = -1;
            for (;;) {
                // Whole bytes two digits at a time while no half byte is pending and there is room.
                while (hi < 0 && Pos + 1 < S.size() && n < bytes.size()) {
                    const int a = HexValue(S[Pos]), b = HexValue(S[Pos + 1]);
                    if ((a | b) < 0) break;
                    bytes[n++] = static_cast<char>(a * 16 + b);
                    Pos += 2;
                }
                while (Pos < S.size()) {
                    const int d = HexValue(S[Pos]);
                    if (d < 0) break;
                    ++Pos;
                    if (hi < 0) {
                        hi = d;
                        continue;
                    }
                    const char byte = static_cast<char>(hi * 16 + d);
                    if (n < bytes.size())
                        bytes[n] = byte;
                    else
                        bytes.push_back(byte);
                    ++n;
                    hi = -1;
                }
                SkipBlanks();
                if (AtEnd()) Fail("Unexpected end of layout: '}' expected");
                char h = S[Pos++];
                if (h == '}') break;
                if (HexValue(h) < 0) Fail("Invalid binary value");
                --Pos; // a digit after blanks: read with the run
            }
            bytes.resize(n);
            v.Str = std::move(bytes);
            if (hi >= 0) Fail("Invalid binary value: odd number of hex digits");
        } else {
            Fail(String("Invalid property value '") + c + "'");
        }
        return v;
    }

    void ParseNumber(TLayoutValue& v) {
        size_t start = Pos;
        bool negative = false;
        if (S[Pos] == '-' || S[Pos] == '+') {
            negative = S[Pos] == '-';
            ++Pos;
        }
        if (Peek() == '$') {
            ++Pos;
            size_t digits = Pos;
            std::uint64_t value = 0;
            while (Pos < S.size() && HexValue(S[Pos]) >= 0) {
                if (Pos - digits >= 16) Fail("Number too large");
                value = value * 16 + static_cast<std::uint64_t>(HexValue(S[Pos]));
                ++Pos;
            }
            if (Pos == digits) Fail("Invalid number");
            v.Kind = TLayoutValueKind::Integer;
            // Sixteen digits without a sign are the 64 bits as they stand ($FFFFFFFFFFFFFFFF is -1);
            // with a minus sign the digits are a magnitude, and none beyond 2^63 has a negative.
            constexpr std::uint64_t kMinMagnitude = std::uint64_t{1} << 63;
            if (!negative)
                v.Int = static_cast<Int64>(value);
            else if (value > kMinMagnitude)
                Fail("Number too large");
            else
                v.Int =
                    value == kMinMagnitude ? std::numeric_limits<Int64>::min() : -static_cast<Int64>(value);
            return;
        }
        if (!IsDigit(Peek())) Fail("Invalid number");
        while (Pos < S.size() && IsDigit(S[Pos]))
            ++Pos;
        bool isFloat = false;
        if (Pos + 1 < S.size() && S[Pos] == '.' && IsDigit(S[Pos + 1])) {
            isFloat = true;
            ++Pos;
            while (Pos < S.size() && IsDigit(S[Pos]))
                ++Pos;
        }
        if (Pos < S.size() && (S[Pos] == 'e' || S[Pos] == 'E')) {
            size_t p = Pos + 1;
            if (p < S.size() && (S[p] == '+' || S[p] == '-')) ++p;
            if (p < S.size() && IsDigit(S[p])) {
                isFloat = true;
                Pos = p;
                while (Pos < S.size() && IsDigit(S[Pos]))
                    ++Pos;
            }
        }
        if (Pos < S.size() && IsIdentChar(S[Pos])) Fail("Invalid number");
        // Independent of the C locale: the decimal separator is always '.'.
        const char* first = S.data() + start + (S[start] == '+' ? 1 : 0);
        const char* last = S.data() + Pos;
        std::from_chars_result res{};
        if (isFloat) {
            v.Kind = TLayoutValueKind::Float;
            res = std::from_chars(first, last, v.Float);
        } else {
            v.Kind = TLayoutValueKind::Integer;
            res = std::from_chars(first, last, v.Int);
        }
        if (res.ec == std::errc::result_out_of_range) Fail("Number too large");
        if (res.ec != std::errc() || res.ptr != last) Fail("Invalid number");
    }

    // Quoted pieces and #codes, joined; '+' continues the string on the next line.
    String ParseString() {
        String out;
        for (;;) {
            bool any = false;
            while (Pos < S.size() && (S[Pos] == '\'' || S[Pos] == '#')) {
                any = true;
                if (S[Pos] == '\'') {
                    int startLine = Line;
                    ++Pos;
                    for (;;) {
                        if (Pos >= S.size() || S[Pos] == '\n' || S[Pos] == '\r')
                            FailAt("Unterminated string", startLine);
                        if (S[Pos] == '\'') {
                            if (Pos + 1 < S.size() && S[Pos + 1] == '\'') {
                                out += '\'';
                                Pos += 2;
                                continue;
                            }
                            ++Pos;
                            break;
                        }
                        out += S[Pos++];
                    }
                } else {
                    ++Pos;
                    std::uint32_t cp = 0;
                    size_t digits = Pos;
                    if (Peek() == '$') {
                        ++Pos;
                        digits = Pos;
                        while (Pos < S.size() && HexValue(S[Pos]) >= 0) {
                            cp = cp * 16 + static_cast<std::uint32_t>(HexValue(S[Pos++]));
                            if (cp > 0x10FFFF) Fail("Invalid character code");
                        }
                    } else {
                        while (Pos < S.size() && IsDigit(S[Pos])) {
                            cp = cp * 10 + static_cast<std::uint32_t>(S[Pos++] - '0');
                            if (cp > 0x10FFFF) Fail("Invalid character code");
                        }
                    }
                    if (Pos == digits) Fail("Invalid character code");
                    if (cp >= 0xD800 && cp <= 0xDFFF) Fail("Invalid character code");
                    out += Utf8Encode(static_cast<char32_t>(cp));
                }
            }
            if (!any) Fail("String expected");
            // A '+' after the string continues it.
            size_t savePos = Pos;
            int saveLine = Line;
            SkipBlanks();
            if (Peek() == '+') {
                ++Pos;
                SkipBlanks();
                if (AtEnd()) Fail("Unexpected end of layout: string expected");
                continue;
            }
            Pos = savePos;
            Line = saveLine;
            return out;
        }
    }

    std::string_view S;
    const String& Name;
    size_t Pos = 0;
    int Line = 1;
    int Depth = 0;
};

} // namespace

TLayoutObject ParseLayout(std::string_view Text, const String& LayoutName) {
    return Parser(Text, LayoutName).Run();
}

} // namespace vcl
