#include "platform/web/ContentType.h"

#include <glib.h>

#include <algorithm>
#include <optional>
#include <string_view>

#include "platform/rtl/SysUtils.h"
#include "platform/rtl/Unicode.h"

namespace vcl::markup {

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
    for (const std::string_view piece : ItemsOf(Text)) {
        const std::string_view item = TrimBlanks(piece);
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

String TypeOf(const String& Line, const String& EngineType) {
    const std::string_view type = TypePart(Line);
    if (!TypeTaken(type) || SniffedFor(MimeOf(type))) return LowerCase(EngineType);
    return MimeOf(type);
}

} // namespace vcl::markup
