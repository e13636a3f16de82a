#include "platform/web/MarkupText.h"

#include <iconv.h>

#include <cerrno>

#include "platform/rtl/SysUtils.h"
#include "platform/rtl/Unicode.h"

namespace vcl::markup {

namespace {

constexpr const char* kReplacement = "\xEF\xBF\xBD"; // U+FFFD
constexpr std::size_t kMetaScan = 1024;

bool LabelChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '_' || c == '.' || c == ':';
}

// The label after "charset" at From in Text ("charset = 'x'" and "charset=x" alike), or empty.
String LabelAfter(const String& Text, std::size_t From) {
    std::size_t i = From;
    auto blanks = [&] {
        while (i < Text.size() && (Text[i] == ' ' || Text[i] == '\t' || Text[i] == '\r' || Text[i] == '\n'))
            ++i;
    };
    blanks();
    if (i >= Text.size() || Text[i] != '=') return String();
    ++i;
    blanks();
    while (i < Text.size() && (Text[i] == '"' || Text[i] == '\''))
        ++i;
    std::size_t end = i;
    while (end < Text.size() && LabelChar(Text[end]))
        ++end;
    return Text.substr(i, end - i);
}

// The charset a <meta> element declares near the start (its charset attribute, or the one inside an
// http-equiv's content).
String MetaCharset(const String& Bytes) {
    const String head = LowerCase(Bytes.substr(0, kMetaScan));
    for (std::size_t at = head.find("<meta"); at != String::npos; at = head.find("<meta", at + 5)) {
        const std::size_t end = head.find('>', at);
        const String tag = head.substr(at, end == String::npos ? String::npos : end - at);
        for (std::size_t c = tag.find("charset"); c != String::npos; c = tag.find("charset", c + 7))
            if (String label = LabelAfter(tag, c + 7); !label.empty()) return label;
    }
    return String();
}

// The name the system's converter knows a label by; empty for none.
String ConverterName(const String& Label) {
    const String l = LowerCase(Label);
    if (l.empty()) return String();
    for (const char* latin : {"iso-8859-1", "iso8859-1", "iso_8859-1", "latin1", "l1", "us-ascii", "ascii",
                              "cp819", "ibm819", "windows-1252", "cp1252", "x-cp1252"})
        if (l == latin) return "CP1252";
    if (l == "utf8" || l == "utf-8" || l == "unicode-1-1-utf-8") return "UTF-8";
    if (l == "utf-16" || l == "utf-16le") return "UTF-16LE";
    if (l == "utf-16be") return "UTF-16BE";
    iconv_t cd = iconv_open("UTF-8", Label.c_str());
    if (cd == reinterpret_cast<iconv_t>(-1)) return String();
    iconv_close(cd);
    return Label;
}

String Convert(const String& Bytes, const String& From) {
    iconv_t cd = iconv_open("UTF-8", From.c_str());
    if (cd == reinterpret_cast<iconv_t>(-1)) return String();
    const std::size_t unit = From.rfind("UTF-16", 0) == 0 ? 2 : 1;
    String out;
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
        // No character of the encoding here (one unit stands for it), or one cut off at the end.
        out += kReplacement;
        const std::size_t skip = error == EINVAL || inLeft < unit ? inLeft : unit;
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

bool StartsWith(const String& s, const char* prefix, std::size_t n) {
    return s.size() >= n && s.compare(0, n, prefix, n) == 0;
}

} // namespace

String CharsetOf(const String& ContentType) {
    const String l = LowerCase(ContentType);
    for (std::size_t at = l.find(';'); at != String::npos; at = l.find(';', at + 1)) {
        std::size_t name = at + 1;
        while (name < l.size() && (l[name] == ' ' || l[name] == '\t'))
            ++name;
        if (l.compare(name, 7, "charset") == 0)
            if (String label = LabelAfter(ContentType, name + 7); !label.empty()) return label;
    }
    return String();
}

String ToUtf8(const String& Bytes, const String& ContentType) {
    if (StartsWith(Bytes, "\xEF\xBB\xBF", 3)) return Convert(Bytes.substr(3), "UTF-8");
    if (StartsWith(Bytes, "\xFF\xFE", 2)) return Convert(Bytes.substr(2), "UTF-16LE");
    if (StartsWith(Bytes, "\xFE\xFF", 2)) return Convert(Bytes.substr(2), "UTF-16BE");
    if (String name = ConverterName(CharsetOf(ContentType)); !name.empty()) return Convert(Bytes, name);
    if (String name = ConverterName(MetaCharset(Bytes)); !name.empty()) {
        // A document that could declare itself in its own bytes is no UTF-16 one.
        if (name.rfind("UTF-16", 0) == 0) name = "UTF-8";
        return Convert(Bytes, name);
    }
    return IsValidUtf8(Bytes) ? Bytes : Cp1252ToUtf8(Bytes);
}

} // namespace vcl::markup
