#include "platform/web/FormPost.h"

#include "platform/rtl/SysUtils.h"

namespace vcl::formpost {

namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

String FormDecode(const String& s) {
    String out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        char c = s[i];
        if (c == '+') {
            out += ' ';
        } else if (c == '%' && i + 2 < s.size() && HexDigit(s[i + 1]) >= 0 && HexDigit(s[i + 2]) >= 0) {
            out += static_cast<char>(HexDigit(s[i + 1]) * 16 + HexDigit(s[i + 2]));
            i += 2;
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace

TFormFields SplitBody(const String& Body) {
    TFormFields fields;
    std::size_t start = 0;
    while (start <= Body.size()) {
        std::size_t amp = Body.find('&', start);
        if (amp == String::npos) amp = Body.size();
        String pair = Body.substr(start, amp - start);
        if (!pair.empty()) {
            std::size_t eq = pair.find('=');
            if (eq == String::npos)
                fields.emplace_back(FormDecode(pair), String());
            else
                fields.emplace_back(FormDecode(pair.substr(0, eq)), FormDecode(pair.substr(eq + 1)));
        }
        start = amp + 1;
    }
    return fields;
}

String OriginOf(const String& Url) {
    std::size_t colon = Url.find("://");
    if (colon == String::npos) return String();
    String scheme = LowerCase(Url.substr(0, colon));
    if (scheme != "http" && scheme != "https") return String();
    std::size_t hostStart = colon + 3;
    std::size_t hostEnd = Url.find_first_of("/?#", hostStart);
    if (hostEnd == String::npos) hostEnd = Url.size();
    String authority = Url.substr(hostStart, hostEnd - hostStart);
    // Credentials are no part of an origin.
    std::size_t at = authority.rfind('@');
    if (at != String::npos) authority = authority.substr(at + 1);
    if (authority.empty()) return String();
    for (char c : authority)
        if (static_cast<unsigned char>(c) <= ' ' || c == '"' || c == '<' || c == '>' || c == '\\')
            return String();
    return scheme + "://" + LowerCase(authority) + "/";
}

String HtmlAttributeEscape(const String& Text) {
    String out;
    out.reserve(Text.size());
    for (char c : Text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\'':
            out += "&#39;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        // Line breaks and tabs as references: the parser would fold a raw CR LF into LF.
        case '\r':
            out += "&#13;";
            break;
        case '\n':
            out += "&#10;";
            break;
        case '\t':
            out += "&#9;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

String BuildPostDocument(const String& Action, const TFormFields& Fields) {
    String html = "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title></title></head><body>\n"
                  "<form id=\"post\" method=\"POST\" enctype=\"application/x-www-form-urlencoded\" "
                  "accept-charset=\"utf-8\" action=\"" +
                  HtmlAttributeEscape(Action) + "\">\n";
    for (const auto& [name, value] : Fields)
        html += "<input type=\"hidden\" name=\"" + HtmlAttributeEscape(name) + "\" value=\"" +
                HtmlAttributeEscape(value) + "\">\n";
    html += "</form>\n<script>document.getElementById(\"post\").submit();</script>\n</body></html>\n";
    return html;
}

std::vector<std::pair<String, String>> ParseHeaders(const String& Headers) {
    std::vector<std::pair<String, String>> out;
    std::size_t start = 0;
    while (start < Headers.size()) {
        std::size_t nl = Headers.find('\n', start);
        if (nl == String::npos) nl = Headers.size();
        String line = Headers.substr(start, nl - start);
        std::size_t colon = line.find(':');
        if (colon != String::npos) {
            String name = Trim(line.substr(0, colon));
            if (!name.empty()) out.emplace_back(name, Trim(line.substr(colon + 1)));
        }
        start = nl + 1;
    }
    return out;
}

} // namespace vcl::formpost
