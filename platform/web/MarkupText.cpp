#include "platform/web/MarkupText.h"

#include <glib.h>
#include <iconv.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/rtl/SysUtils.h"
#include "platform/rtl/Unicode.h"
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

// ---- The answer's Content-Type, as the engine reads it
//
// The engine does not read the Content-Type line itself. The HTTP library parses it into a type and a table
// of parameters (or into nothing, when it takes no type from it); the engine writes them out again, the type
// and then "; name=value" for each parameter in the order of the library's table, and reads the MIME type and
// the charset from what it wrote. The steps below do the same, each as the installed engine was seen to do
// it.

namespace {

bool Blank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view TrimBlanks(std::string_view S) {
    while (!S.empty() && Blank(S.front()))
        S.remove_prefix(1);
    while (!S.empty() && Blank(S.back()))
        S.remove_suffix(1);
    return S;
}

// A line's type as the library takes it: the text before its first ';', without blanks around it.
std::string_view TypePart(std::string_view Line) {
    return TrimBlanks(Line.substr(0, Line.find(';')));
}

// The parameters' text parted at each ';' that stands outside double quotes. A quote opens wherever it
// stands (in a parameter's name too), and in quotes a backslash escapes the next character.
std::vector<std::string_view> ItemsOf(std::string_view Text) {
    std::vector<std::string_view> items;
    bool quoted = false;
    std::size_t from = 0;
    for (std::size_t i = 0; i < Text.size(); ++i) {
        if (quoted && Text[i] == '\\') {
            ++i;
        } else if (Text[i] == '"') {
            quoted = !quoted;
        } else if (!quoted && Text[i] == ';') {
            items.push_back(Text.substr(from, i - from));
            from = i + 1;
        }
    }
    items.push_back(Text.substr(from));
    return items;
}

// The library takes a type with one '/' and no space in it (a tab or a comma it keeps). For any other, or
// none, the engine sniffs the page and takes no charset from the header: "texthtml; charset=utf-16le" is not
// UTF-16.
bool TypeTaken(std::string_view Type) {
    return std::count(Type.begin(), Type.end(), '/') == 1 && Type.find(' ') == std::string_view::npos;
}

// The MIME type the engine reads from a taken type: up to a comma or a blank ("text/html,x" and
// "text/html\tx" are HTML pages), in lower case.
String MimeOf(std::string_view Type) {
    return LowerCase(String(Type.substr(0, Type.find_first_of(", \t"))));
}

// Types that make the engine sniff the page, while the header's charset still counts.
bool SniffedFor(const String& Mime) {
    return Mime == "*/*" || Mime == "unknown/unknown" || Mime == "application/unknown";
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The value of a "name*=" parameter ("UTF-8'en'a%20b" is "a b"): its charset UTF-8, ISO-8859-1 or none, a
// language, and the value with %XX escapes. The library drops one it cannot read so, or that holds a NUL.
std::optional<String> ExtendedValue(std::string_view Text) {
    const std::size_t quote = Text.find('\'');
    const std::size_t next = quote == std::string_view::npos ? quote : Text.find('\'', quote + 1);
    if (next == std::string_view::npos) return std::nullopt;
    const String charset(Text.substr(0, quote));
    const bool latin1 = SameText(charset, "iso-8859-1");
    if (!charset.empty() && !latin1 && !SameText(charset, "utf-8")) return std::nullopt;
    String value;
    for (std::size_t i = next + 1; i < Text.size(); ++i) {
        auto c = static_cast<unsigned char>(Text[i]);
        if (c == '%') {
            const int high = i + 2 < Text.size() ? HexDigit(Text[i + 1]) : -1;
            const int low = i + 2 < Text.size() ? HexDigit(Text[i + 2]) : -1;
            if (high < 0 || low < 0 || (high | low) == 0) return std::nullopt;
            c = static_cast<unsigned char>(high << 4 | low);
            i += 2;
        }
        if (latin1 && c >= 0x80) // as UTF-8
            value += {static_cast<char>(0xC0 | c >> 6), static_cast<char>(0x80 | (c & 0x3F))};
        else
            value += static_cast<char>(c);
    }
    return value;
}

struct TParam {
    String Name;
    std::optional<String> Value; // none for a parameter without "="
};

// The parameters after the type, as the library parses them: parted at each ';' outside quotes (ItemsOf). A
// name is the text before the first '=', a value the text after it, both without blanks around them; a value
// in quotes loses them, its escapes and whatever follows the closing quote. A parameter without a name is
// dropped. Of two of one name (in any case) the first counts, but a "name*=" one (ExtendedValue) replaces it.
std::vector<TParam> ParametersOf(std::string_view Text) {
    std::vector<TParam> params;
    auto named = [&](const String& Name) {
        return std::find_if(params.begin(), params.end(),
                            [&](const TParam& p) { return SameText(p.Name, Name); });
    };
    for (const std::string_view part : ItemsOf(Text)) {
        const std::string_view item = TrimBlanks(part);
        const std::size_t eq = item.find('=');
        TParam p{String(TrimBlanks(item.substr(0, eq))), std::nullopt};
        if (p.Name.empty()) continue;
        if (eq != std::string_view::npos) {
            const std::string_view value = TrimBlanks(item.substr(eq + 1));
            if (p.Name.size() > 1 && p.Name.back() == '*') {
                p.Name.pop_back();
                if (!(p.Value = ExtendedValue(value))) continue;
                if (const auto at = named(p.Name); at != params.end()) {
                    *at = std::move(p);
                    continue;
                }
            } else if (value.starts_with('"')) {
                p.Value.emplace();
                for (std::size_t i = 1; i < value.size() && value[i] != '"'; ++i) {
                    if (value[i] == '\\' && i + 1 < value.size()) ++i;
                    *p.Value += value[i];
                }
            } else {
                p.Value = String(value);
            }
        }
        if (named(p.Name) == params.end()) params.push_back(std::move(p));
    }
    return params;
}

// The order of the library's table, which the engine writes the parameters in. A "charset=" inside another
// parameter's value counts before the charset parameter where that parameter comes first there, so that the
// order decides: 'x="a;charset=utf-16le"; charset=windows-1252' is windows-1252 to the engine, the same with
// "a" for "x" UTF-16LE. The table is GLib's hash table of the names, with a hash that ignores case; one built
// as the library builds it (in the order parsed, with the same hash) is walked in the same order.
guint NameHash(gconstpointer Name) {
    const char* p = static_cast<const char*>(Name);
    guint h = static_cast<guint>(g_ascii_toupper(*p));
    if (h)
        for (++p; *p; ++p)
            h = (h << 5) - h + static_cast<guint>(g_ascii_toupper(*p));
    return h;
}

gboolean SameName(gconstpointer A, gconstpointer B) {
    return g_ascii_strcasecmp(static_cast<const char*>(A), static_cast<const char*>(B)) == 0;
}

std::vector<TParam> InTableOrder(std::vector<TParam> Params) {
    GHashTable* table = g_hash_table_new(NameHash, SameName);
    for (std::size_t i = 0; i < Params.size(); ++i)
        g_hash_table_insert(table, const_cast<char*>(Params[i].Name.c_str()), GSIZE_TO_POINTER(i));
    std::vector<TParam> ordered;
    GHashTableIter it;
    gpointer index = nullptr;
    g_hash_table_iter_init(&it, table);
    while (g_hash_table_iter_next(&it, nullptr, &index))
        ordered.push_back(Params[GPOINTER_TO_SIZE(index)]);
    g_hash_table_destroy(table);
    return ordered;
}

// The line as the engine writes it out. A value is written as it is, in quotes (with '"' and '\' escaped)
// when it holds a blank, a control character or one of '"(),/:;<=>?@[\]{}', or, when it holds UTF-8 beyond
// ASCII, as "name*=UTF-8''" with %XX escapes (for bytes beyond ASCII, blanks, controls and "!#$+^`{|}").
String Written(std::string_view Type, const std::vector<TParam>& Params) {
    static const char* const Hex = "0123456789ABCDEF";
    String out(Type);
    for (const TParam& p : Params) {
        out += "; " + p.Name;
        if (!p.Value) continue;
        const String& v = *p.Value;
        const bool high =
            std::any_of(v.begin(), v.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
        if (high && IsValidUtf8(v)) {
            out += "*=UTF-8''";
            for (const char ch : v) {
                const auto c = static_cast<unsigned char>(ch);
                if (c <= ' ' || c >= 0x7F || std::string_view("!#$+^`{|}").find(ch) != std::string_view::npos)
                    out += String{'%', Hex[c >> 4], Hex[c & 15]};
                else
                    out += ch;
            }
        } else if (high || std::any_of(v.begin(), v.end(), [](char c) {
                       return static_cast<unsigned char>(c) <= ' ' || c == 0x7F ||
                              std::string_view("\"(),/:;<=>?@[\\]{}").find(c) != std::string_view::npos;
                   })) {
            out += "=\"";
            for (const char c : v) {
                if (c == '"' || c == '\\') out += '\\';
                out += c;
            }
            out += '"';
        } else {
            out += "=" + v;
        }
    }
    return out;
}

// The charset the engine reads from what it wrote: at the first "charset" (in any case) that starts a word
// (after a blank, a control character or ';', inside a quoted value too) and that '=' follows, blanks allowed
// between. One that another character follows is passed over, and that character with it, so that "Charset
// charset=x" names nothing while "charset y; charset=x" names x. The label follows, after any blanks and
// quotes, and ends at a blank, a quote or ';': 'charset="koi8-r x"' is KOI8-R, 'charset="koi8-r\""' (written
// for the value 'koi8-r"') names nothing, and 'charset=koi8-r,windows-1252' nothing either.
String FirstCharset(std::string_view Text) {
    auto control = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    auto quote = [](char c) { return c == '"' || c == '\''; };
    for (std::size_t at = 0; at + 7 <= Text.size();) {
        if (g_ascii_strncasecmp(Text.data() + at, "charset", 7) != 0 || at == 0 ||
            !(control(Text[at - 1]) || Text[at - 1] == ';')) {
            ++at;
            continue;
        }
        std::size_t i = at + 7;
        while (i < Text.size() && control(Text[i]))
            ++i;
        if (i == Text.size()) break;
        if (Text[i] != '=') {
            at = i + 1;
            continue;
        }
        while (++i < Text.size() && (control(Text[i]) || quote(Text[i])))
            ;
        std::size_t end = i;
        while (end < Text.size() && !control(Text[end]) && !quote(Text[end]) && Text[end] != ';')
            ++end;
        return String(Text.substr(i, end - i));
    }
    return String();
}

} // namespace

String CharsetOf(const String& ContentType) {
    const std::string_view line = TrimBlanks(ContentType);
    const std::string_view type = TypePart(line);
    if (!TypeTaken(type)) return String();
    const std::size_t semi = line.find(';');
    const std::vector<TParam> params =
        semi == std::string_view::npos ? std::vector<TParam>() : ParametersOf(line.substr(semi + 1));
    return FirstCharset(Written(type, InTableOrder(params)));
}

namespace {

// The lines the engine may have read from the Content-Type header as the HTTP library hands it over: its
// lines joined with ", ". The engine reads the last line, but one line may hold ", " too, in quotes or not.
// So the value reads several ways: from each ", " outside quotes on (the shortest first), as a whole, and,
// for a line that left a quote open, from each ", " in quotes on. The type the engine gave the answer rules
// out those whose type is another, unless the engine sniffed the page for theirs. The first that remains is
// the likeliest; with none, the whole value.
std::vector<String> LinesOf(const String& Joined, const String& EngineType) {
    std::vector<std::size_t> outside, inside; // where the readings start, the shortest first
    bool quoted = false;
    for (std::size_t i = 0; i < Joined.size(); ++i) {
        // (A backslash that ended a line does not hide the ", " after it.)
        if (quoted && Joined[i] == '\\' && Joined.compare(i + 1, 2, ", ") != 0) {
            ++i;
        } else if (Joined[i] == '"') {
            quoted = !quoted;
        } else if (Joined.compare(i, 2, ", ") == 0) {
            std::vector<std::size_t>& starts = quoted ? inside : outside;
            starts.insert(starts.begin(), i + 2);
        }
    }
    std::vector<std::size_t> starts = outside;
    starts.push_back(0);
    starts.insert(starts.end(), inside.begin(), inside.end());
    const String engine = LowerCase(EngineType);
    std::vector<String> lines;
    for (const std::size_t at : starts) {
        const std::string_view type = TypePart(std::string_view(Joined).substr(at));
        if (engine.empty() || !TypeTaken(type) || SniffedFor(MimeOf(type)) || MimeOf(type) == engine)
            lines.push_back(Joined.substr(at));
    }
    if (lines.empty()) lines.push_back(Joined);
    return lines;
}

// The type that decides where the page declares its encoding: the line's, or, where the engine sniffed the
// page (for a type it does not take or one it sniffs for), the one the engine gave it. Without either, the
// page is taken for HTML, as an answer without a type.
String TypeOf(const String& Line, const String& EngineType) {
    const std::string_view type = TypePart(Line);
    if (!TypeTaken(type) || SniffedFor(MimeOf(type))) return LowerCase(EngineType);
    return MimeOf(type);
}

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

const TWebEncoding* EncodingOf(const String& Bytes, const String& ContentType, const String& EngineType) {
    std::size_t mark = 0;
    if (const TWebEncoding* e = MarkOf(Bytes, mark)) return e;
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

String ToUtf8(const String& Bytes, const String& ContentType, const String& EngineType) {
    std::size_t mark = 0;
    MarkOf(Bytes, mark);
    const TWebEncoding* e = EncodingOf(Bytes, ContentType, EngineType);
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
