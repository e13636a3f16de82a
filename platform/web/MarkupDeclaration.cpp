// The encoding a page declares in its own markup (see MarkupText.h, DeclaredEncoding and
// XmlDeclaredEncoding).

#include <algorithm>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/rtl/SysUtils.h"
#include "platform/rtl/Unicode.h"
#include "platform/web/MarkupText.h"
#include "platform/web/WebEncodings.h"

namespace vcl::markup {

namespace {

constexpr const char* kReplacement = "\xEF\xBF\xBD"; // U+FFFD

// The engine reads a page's <meta> elements before it decodes the page, with its parser's own tokenizer
// over the bytes read as Windows-1252 (ASCII as itself): markup splits into tags, text and comments just as
// the page's parser will split it, without building anything. So a <meta> counts only where the parser
// will find a tag: not in a comment, an attribute's value, or the text of <title>, <textarea>, <script>,
// <style>, <xmp>, <iframe>, <noembed>, <noframes> or after <plaintext>.

// The first bytes of a page are scanned whatever they hold; past them the scan ends at the first token that
// ends there once a tag that belongs outside a page's head has been met.
constexpr std::size_t kHeadBytes = 1024;

// The parser's whitespace (a carriage return reads as a line feed).
bool Blank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\f' || c == '\r';
}

bool Letter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

int DigitValue(char c, bool Hex) {
    if (c >= '0' && c <= '9') return c - '0';
    if (Hex && c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (Hex && c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The named character references that stand for ASCII text, the only ones that can be part of a label
// (any other stands for a character that no label holds, and so does a "&" left as it is). Those without a
// semicolon are the legacy forms, which a value takes only when no letter, digit or "=" follows.
struct TNamedRef {
    std::string_view Name;
    const char* Text;
};
// clang-format off
constexpr TNamedRef kAsciiRefs[] = {
    {"Tab;", "\t"}, {"NewLine;", "\n"}, {"excl;", "!"}, {"quot;", "\""}, {"QUOT;", "\""}, {"quot", "\""},
    {"QUOT", "\""}, {"num;", "#"}, {"dollar;", "$"}, {"percnt;", "%"}, {"amp;", "&"}, {"AMP;", "&"},
    {"amp", "&"}, {"AMP", "&"}, {"apos;", "'"}, {"lpar;", "("}, {"rpar;", ")"}, {"ast;", "*"},
    {"midast;", "*"}, {"plus;", "+"}, {"comma;", ","}, {"period;", "."}, {"sol;", "/"}, {"colon;", ":"},
    {"semi;", ";"}, {"lt;", "<"}, {"LT;", "<"}, {"lt", "<"}, {"LT", "<"}, {"equals;", "="}, {"gt;", ">"},
    {"GT;", ">"}, {"gt", ">"}, {"GT", ">"}, {"quest;", "?"}, {"commat;", "@"}, {"lsqb;", "["},
    {"lbrack;", "["}, {"bsol;", "\\"}, {"rsqb;", "]"}, {"rbrack;", "]"}, {"Hat;", "^"}, {"lowbar;", "_"},
    {"UnderBar;", "_"}, {"grave;", "`"}, {"DiacriticalGrave;", "`"}, {"lcub;", "{"}, {"lbrace;", "{"},
    {"verbar;", "|"}, {"vert;", "|"}, {"VerticalLine;", "|"}, {"rcub;", "}"}, {"rbrace;", "}"},
    {"fjlig;", "fj"}};
// clang-format on

// An attribute's value as the parser gives it: character references replaced, NUL as U+FFFD.
String AttributeValue(std::string_view Raw) {
    String out;
    for (std::size_t i = 0; i < Raw.size();) {
        const char c = Raw[i];
        if (c == '\0') {
            out += kReplacement;
            ++i;
            continue;
        }
        if (c != '&') {
            out += c;
            ++i;
            continue;
        }
        if (i + 1 < Raw.size() && Raw[i + 1] == '#') {
            std::size_t j = i + 2;
            const bool hex = j < Raw.size() && (Raw[j] == 'x' || Raw[j] == 'X');
            if (hex) ++j;
            const std::size_t digits = j;
            char32_t value = 0;
            for (int d; j < Raw.size() && (d = DigitValue(Raw[j], hex)) >= 0; ++j)
                value = std::min<char32_t>(value * (hex ? 16 : 10) + static_cast<char32_t>(d), 0x110000);
            if (j > digits) {
                if (j < Raw.size() && Raw[j] == ';') ++j;
                // NUL, a surrogate and what lies beyond U+10FFFF read as U+FFFD; no other character outside
                // ASCII matters here (the C1 controls read as Windows-1252 characters, none of them ASCII).
                std::u16string unit;
                AppendUtf16(unit, value == 0 || value > 0x10FFFF ? ReplacementChar : value);
                out += Utf16ToUtf8(unit);
                i = j;
                continue;
            }
        } else {
            const TNamedRef* ref = nullptr;
            for (const TNamedRef& r : kAsciiRefs)
                if (Raw.substr(i + 1, r.Name.size()) == r.Name && (!ref || r.Name.size() > ref->Name.size()))
                    ref = &r;
            const std::size_t after = ref ? i + 1 + ref->Name.size() : 0;
            if (ref && (ref->Name.back() == ';' || after >= Raw.size() ||
                        !(Letter(Raw[after]) || DigitValue(Raw[after], false) >= 0 || Raw[after] == '='))) {
                out += ref->Text;
                i = after;
                continue;
            }
        }
        out += c;
        ++i;
    }
    return out;
}

// The label in a content attribute's value ("text/html; charset=koi8-r"): after the first "charset" that an
// "=" follows, either quoted or up to a blank, ";" or quote; none when its quote is not closed. As the
// engine reads it, every control character is a blank here.
std::optional<String> ContentLabel(const String& Value) {
    const String lower = LowerCase(Value);
    const std::size_t n = Value.size();
    auto blank = [](char c) { return static_cast<unsigned char>(c) <= 0x20; };
    for (std::size_t at = lower.find("charset"); at != String::npos; at = lower.find("charset", at)) {
        std::size_t i = at + 7;
        while (i < n && blank(Value[i]))
            ++i;
        at = i;
        if (i >= n || Value[i] != '=') continue;
        ++i;
        while (i < n && blank(Value[i]))
            ++i;
        if (i >= n) return std::nullopt;
        if (Value[i] == '"' || Value[i] == '\'') {
            const std::size_t close = Value.find(Value[i], i + 1);
            if (close == String::npos) return std::nullopt;
            return Value.substr(i + 1, close - i - 1);
        }
        std::size_t end = i;
        while (end < n && !blank(Value[end]) && Value[end] != ';' && Value[end] != '"' && Value[end] != '\'')
            ++end;
        return Value.substr(i, end - i);
    }
    return std::nullopt;
}

struct TAttribute {
    String Name;
    String Value;
};

// What a <meta> tag declares, as the engine reads its attributes (every one, a name that comes again too):
// the first charset attribute, which declares nothing when it names no encoding; without one, the last
// content attribute, by its "charset=", when an http-equiv of the tag is "Content-Type".
const TWebEncoding* MetaDeclares(const std::vector<TAttribute>& Attributes) {
    const TAttribute* charset = nullptr;
    const TAttribute* content = nullptr;
    bool pragma = false;
    for (const TAttribute& a : Attributes) {
        if (a.Name == "http-equiv" && SameText(a.Value, "content-type"))
            pragma = true;
        else if (a.Name == "charset" && !charset)
            charset = &a;
        else if (a.Name == "content")
            content = &a;
    }
    if (charset) return EncodingOfLabel(charset->Value);
    if (!content || !pragma) return nullptr;
    const std::optional<String> label = ContentLabel(content->Value);
    return label ? EncodingOfLabel(*label) : nullptr;
}

bool IsOneOf(const String& Name, std::initializer_list<std::string_view> Names) {
    for (const std::string_view n : Names)
        if (Name == n) return true;
    return false;
}

class TDeclarationScan {
public:
    explicit TDeclarationScan(std::string_view Bytes) : FBytes(Bytes) {}
    const TWebEncoding* Run();

private:
    struct TTag {
        String Name;
        bool End = false;
        std::vector<TAttribute> Attributes;
    };

    // Whether a token that ends at At ends the scan.
    bool Ends(std::size_t At) const { return !FInHead && At >= kHeadBytes; }
    bool Has(std::size_t At, std::string_view What) const { return FBytes.substr(At, What.size()) == What; }
    bool EndTagAt(std::size_t At, const String& Name) const;
    bool ReadTag(TTag& Tag);
    void SkipComment();
    void SkipPast(char C);
    std::size_t RawTextEnd(const String& Name) const;
    std::size_t ScriptEnd() const;

    std::string_view FBytes;
    std::size_t FAt = 0;
    bool FInHead = true;
};

const TWebEncoding* TDeclarationScan::Run() {
    const std::size_t n = FBytes.size();
    bool text = false; // characters since the last token
    while (FAt < n) {
        const std::size_t lt = FBytes.find('<', FAt);
        if (lt == std::string_view::npos) return nullptr;
        // Text ends where a "<" comes, whatever follows it.
        if ((text || lt > FAt) && Ends(lt)) return nullptr;
        text = false;
        FAt = lt;
        const char next = lt + 1 < n ? FBytes[lt + 1] : ' ';
        const char after = lt + 2 < n ? FBytes[lt + 2] : ' ';
        if (Has(lt, "<!--")) {
            SkipComment();
        } else if (next == '!' || next == '?' ||
                   (next == '/' && lt + 2 < n && !Letter(after) && after != '>')) {
            SkipPast('>'); // a declaration, a processing instruction or a broken end tag: a bogus comment
        } else if (next == '/' && after == '>') {
            FAt = lt + 3; // nothing at all
            continue;
        } else if (Letter(next) || (next == '/' && Letter(after))) {
            TTag tag;
            if (!ReadTag(tag)) return nullptr; // a tag the bytes end in is none
            if (!tag.End && tag.Name == "meta")
                if (const TWebEncoding* e = MetaDeclares(tag.Attributes)) return e;
            if (!IsOneOf(tag.Name,
                         {"script", "noscript", "style", "link", "meta", "object", "title", "base"}) &&
                (tag.End || !IsOneOf(tag.Name, {"html", "head"})))
                FInHead = false;
            if (Ends(FAt)) return nullptr;
            if (tag.End) continue;
            if (tag.Name == "plaintext") return nullptr; // the rest is text
            std::size_t end = std::string_view::npos;
            if (tag.Name == "script")
                end = ScriptEnd();
            else if (IsOneOf(tag.Name,
                             {"title", "textarea", "style", "xmp", "iframe", "noembed", "noframes"}))
                end = RawTextEnd(tag.Name);
            else
                continue;
            if (end == std::string_view::npos || (end > FAt && Ends(end))) return nullptr;
            FAt = end; // at its end tag
            continue;
        } else {
            text = true; // a "<" that starts nothing
            FAt = lt + 1;
            continue;
        }
        if (Ends(FAt)) return nullptr;
    }
    return nullptr;
}

// Whether an end tag of that name starts at At, its name ended by a blank, "/" or ">".
bool TDeclarationScan::EndTagAt(std::size_t At, const String& Name) const {
    const std::size_t after = At + 2 + Name.size();
    if (!Has(At, "</") || after >= FBytes.size() ||
        !(Blank(FBytes[after]) || FBytes[after] == '/' || FBytes[after] == '>'))
        return false;
    for (std::size_t i = 0; i < Name.size(); ++i)
        if (Lower(FBytes[At + 2 + i]) != Name[i]) return false;
    return true;
}

// Reads the tag at FAt ("<" and a letter, or "</" and one) and moves past it; false when the bytes end
// inside it. An attribute's name and its value end where the parser ends them.
bool TDeclarationScan::ReadTag(TTag& Tag) {
    const std::size_t n = FBytes.size();
    std::size_t i = FAt + 1;
    Tag.End = FBytes[i] == '/';
    if (Tag.End) ++i;
    for (; i < n && !Blank(FBytes[i]) && FBytes[i] != '/' && FBytes[i] != '>'; ++i)
        Tag.Name += Lower(FBytes[i]);
    for (;;) {
        while (i < n && (Blank(FBytes[i]) || FBytes[i] == '/'))
            ++i;
        if (i >= n) return false;
        if (FBytes[i] == '>') {
            FAt = i + 1;
            return true;
        }
        TAttribute a;
        a.Name += Lower(FBytes[i++]); // "=" too, when it comes first
        for (; i < n && !Blank(FBytes[i]) && FBytes[i] != '/' && FBytes[i] != '>' && FBytes[i] != '='; ++i)
            a.Name += Lower(FBytes[i]);
        while (i < n && Blank(FBytes[i]))
            ++i;
        if (i < n && FBytes[i] == '=') {
            ++i;
            while (i < n && Blank(FBytes[i]))
                ++i;
            if (i >= n) return false;
            if (FBytes[i] == '"' || FBytes[i] == '\'') {
                const std::size_t close = FBytes.find(FBytes[i], i + 1);
                if (close == std::string_view::npos) return false;
                a.Value = AttributeValue(FBytes.substr(i + 1, close - i - 1));
                i = close + 1;
            } else {
                const std::size_t from = i;
                while (i < n && !Blank(FBytes[i]) && FBytes[i] != '>')
                    ++i;
                a.Value = AttributeValue(FBytes.substr(from, i - from));
            }
        }
        Tag.Attributes.push_back(std::move(a));
    }
}

// Past the comment at FAt ("<!--"): it ends at "-->" or "--!>", or at once with ">" or "->".
void TDeclarationScan::SkipComment() {
    const std::size_t body = FAt + 4;
    if (Has(body, ">") || Has(body, "->")) {
        FAt = FBytes.find('>', body) + 1;
        return;
    }
    const std::size_t close = FBytes.find("-->", body), bang = FBytes.find("--!>", body);
    if (close == std::string_view::npos && bang == std::string_view::npos)
        FAt = FBytes.size();
    else
        FAt = close < bang ? close + 3 : bang + 4;
}

void TDeclarationScan::SkipPast(char C) {
    const std::size_t at = FBytes.find(C, FAt);
    FAt = at == std::string_view::npos ? FBytes.size() : at + 1;
}

// Where the text of a <title>, <style> and the like ends: at its own end tag.
std::size_t TDeclarationScan::RawTextEnd(const String& Name) const {
    for (std::size_t at = FBytes.find('<', FAt); at != std::string_view::npos; at = FBytes.find('<', at + 1))
        if (EndTagAt(at, Name)) return at;
    return std::string_view::npos;
}

// Where a script's text ends: at "</script", except inside "<!--" ... "-->" after a "<script" of its own.
std::size_t TDeclarationScan::ScriptEnd() const {
    enum class TState { Data, Escaped, EscapedDash, EscapedDashDash, Double, DoubleDash, DoubleDashDash };
    const String script = "script";
    const std::size_t n = FBytes.size();
    // The letters at At, lower-cased, and whether a blank, "/" or ">" follows them; At moves past them.
    auto word = [&](std::size_t& At, String& Word) {
        for (; At < n && Letter(FBytes[At]); ++At)
            Word += Lower(FBytes[At]);
        return At < n && (Blank(FBytes[At]) || FBytes[At] == '/' || FBytes[At] == '>');
    };
    TState state = TState::Data;
    for (std::size_t i = FAt; i < n;) {
        const char c = FBytes[i];
        switch (state) {
        case TState::Data:
            if (c == '<' && EndTagAt(i, script)) return i;
            if (Has(i, "<!--")) {
                state = TState::EscapedDashDash;
                i += 4;
                continue;
            }
            break;
        case TState::Escaped:
        case TState::EscapedDash:
        case TState::EscapedDashDash:
            if (c == '-') {
                state = state == TState::Escaped ? TState::EscapedDash : TState::EscapedDashDash;
            } else if (c == '>' && state == TState::EscapedDashDash) {
                state = TState::Data;
            } else if (c == '<') {
                if (EndTagAt(i, script)) return i;
                state = TState::Escaped;
                if (i + 1 < n && Letter(FBytes[i + 1])) {
                    std::size_t j = i + 1;
                    String name;
                    if (word(j, name) && name == script) {
                        state = TState::Double;
                        ++j;
                    }
                    i = j;
                    continue;
                }
            } else {
                state = TState::Escaped;
            }
            break;
        case TState::Double:
        case TState::DoubleDash:
        case TState::DoubleDashDash:
            if (c == '-') {
                state = state == TState::Double ? TState::DoubleDash : TState::DoubleDashDash;
            } else if (c == '>' && state == TState::DoubleDashDash) {
                state = TState::Data;
            } else if (c == '<' && Has(i, "</")) {
                std::size_t j = i + 2;
                String name;
                state = TState::Double;
                if (word(j, name)) {
                    if (name == script) state = TState::Escaped;
                    ++j;
                }
                i = j;
                continue;
            } else {
                state = TState::Double;
            }
            break;
        }
        ++i;
    }
    return std::string_view::npos;
}

bool IsUtf16(const TWebEncoding* e) {
    return e && (e->Decoder == TDecoder::Utf16LE || e->Decoder == TDecoder::Utf16BE);
}

// The engine reads an XML declaration only at the very start of the bytes, and only as far as its first
// ">": no blank, comment or byte order mark may come before "<?xml" (in those letters; what follows them
// does not matter), and without a ">" after it nothing is declared. The first "encoding" before the ">"
// decides, wherever it stands ("xencoding", or inside the version's value, counts too): it declares when
// "=" follows it and then a label quoted in ' or ", the quote closed before the ">"; bytes up to the
// space (control characters, NUL) may stand around the "=", none inside the quotes. Nothing else declares:
// not a later "encoding", not one in capitals, not a label without quotes.
const TWebEncoding* XmlDeclarationLabel(std::string_view Bytes) {
    if (!Bytes.starts_with("<?xml")) return nullptr;
    const std::size_t close = Bytes.find('>');
    if (close == std::string_view::npos) return nullptr;
    const std::string_view declaration = Bytes.substr(0, close);
    std::size_t i = declaration.find("encoding");
    if (i == std::string_view::npos) return nullptr;
    auto blanks = [&] {
        while (i < declaration.size() && static_cast<unsigned char>(declaration[i]) <= 0x20)
            ++i;
    };
    i += 8;
    blanks();
    if (i >= declaration.size() || declaration[i] != '=') return nullptr;
    ++i;
    blanks();
    if (i >= declaration.size() || (declaration[i] != '"' && declaration[i] != '\'')) return nullptr;
    const std::size_t end = declaration.find(declaration[i], i + 1);
    if (end == std::string_view::npos) return nullptr;
    const std::string_view label = declaration.substr(i + 1, end - i - 1);
    // Taken as it stands: what has a blank in it names nothing, though the label around the blanks would.
    if (label.find_first_of(" \t\n\f\r") != std::string_view::npos) return nullptr;
    return EncodingOfLabel(label);
}

} // namespace

const TWebEncoding* XmlDeclaredEncoding(std::string_view Bytes) {
    // "<?x" in UTF-16 is markup in UTF-16 whatever it goes on to declare.
    using namespace std::string_view_literals;
    if (Bytes.starts_with("<\0?\0x\0"sv)) return EncodingOfLabel("utf-16le");
    if (Bytes.starts_with("\0<\0?\0x"sv)) return EncodingOfLabel("utf-16be");
    const TWebEncoding* e = XmlDeclarationLabel(Bytes);
    // Bytes that could declare themselves so are no UTF-16. (x-user-defined, unlike a <meta>'s, stays.)
    return IsUtf16(e) ? EncodingOfLabel("utf-8") : e;
}

const TWebEncoding* DeclaredEncoding(std::string_view Bytes) {
    // Markup in UTF-16 holds no <meta> for a scan of its bytes as 8-bit text to find, whatever such a scan
    // might make of them.
    const TWebEncoding* xml = XmlDeclaredEncoding(Bytes);
    if (IsUtf16(xml)) return xml;
    const TWebEncoding* e = TDeclarationScan(Bytes).Run();
    // A <meta> that counts decides over the XML declaration, which stands where none does.
    if (!e) return xml;
    // A document that could declare itself in its own bytes is no UTF-16 one; and a page's own
    // x-user-defined is the 8-bit text unlabelled pages are read as.
    if (IsUtf16(e)) return EncodingOfLabel("utf-8");
    if (e->Decoder == TDecoder::UserDefined) return EncodingOfLabel("windows-1252");
    return e;
}

} // namespace vcl::markup
