// Web addresses in the browser engine's form (see WebAddress.h); the host's own rules are in WebHost.cpp.

#include "platform/web/WebAddress.h"

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "platform/rtl/SysUtils.h"

namespace vcl::webaddress {

namespace {

const char* const kNotAnAddress = "is not an http or https address of a host";

// The ports the engine refuses (checked against the installed engine by the browser's end-to-end tests).
constexpr int kRefusedPorts[] = {
    1,    7,    9,    11,   13,   15,   17,   19,   20,   21,   22,   23,   25,   37,   42,   43,   53,
    69,   77,   79,   87,   95,   101,  102,  103,  104,  109,  110,  111,  113,  115,  117,  119,  123,
    135,  137,  139,  143,  161,  179,  389,  427,  465,  512,  513,  514,  515,  526,  530,  531,  532,
    540,  548,  554,  556,  563,  587,  601,  636,  989,  990,  993,  995,  1719, 1720, 1723, 2049, 3659,
    4045, 4190, 5060, 5061, 6000, 6566, 6665, 6666, 6667, 6668, 6669, 6679, 6697, 10080};

int DefaultPort(const String& Scheme) {
    return Scheme == "https" ? 443 : 80;
}

// Bytes the engine writes as "%XX" in a user name or password: controls, blanks, what would end or split
// the part, and every byte beyond ASCII.
bool EncodedInUserInfo(unsigned char c) {
    return c < 0x20 || c >= 0x7F ||
           String(" \"#<>?`{}/:;=@[\\]^|").find(static_cast<char>(c)) != String::npos;
}

// The same in a path; the engine writes a "^" there as "%5E" too, unlike the URL rules' path set.
bool EncodedInPath(unsigned char c) {
    return c < 0x20 || c >= 0x7F || String(" \"#<>?^`{}").find(static_cast<char>(c)) != String::npos;
}

String PercentEncoded(const String& Text, bool (*Encoded)(unsigned char)) {
    static const char* const Hex = "0123456789ABCDEF";
    String out;
    for (unsigned char c : Text) {
        if (Encoded(c)) {
            out += '%';
            out += Hex[c >> 4];
            out += Hex[c & 15];
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

// "user[:password]@" as the engine writes it: every "@" but the last and every ":" but the first are
// part of the values; nothing when both are empty.
String UserInfo(const String& Raw) {
    const std::size_t colon = Raw.find(':');
    const String user = PercentEncoded(Raw.substr(0, colon), EncodedInUserInfo);
    const String password =
        colon == String::npos ? String() : PercentEncoded(Raw.substr(colon + 1), EncodedInUserInfo);
    return user.empty() && password.empty() ? String() : user + (password.empty() ? "" : ":" + password);
}

// "." and ".." segments resolved as the engine resolves them ("%2e" is a dot too), the rest encoded.
String BasePath(const String& Path) {
    std::vector<String> kept;
    std::size_t start = 1; // after the path's first "/"
    for (bool last = false; !last;) {
        const std::size_t end = Path.find('/', start);
        last = end == String::npos;
        const String segment = Path.substr(start, last ? String::npos : end - start);
        const String lower = LowerCase(segment);
        const bool dot = lower == "." || lower == "%2e";
        const bool dotDot = lower == ".." || lower == ".%2e" || lower == "%2e." || lower == "%2e%2e";
        if (dotDot && !kept.empty()) kept.pop_back();
        if (!dot && !dotDot)
            kept.push_back(PercentEncoded(segment, EncodedInPath));
        else if (last)
            kept.emplace_back(); // a path ending in a dot segment ends with "/"
        start = end + 1;
    }
    String out;
    for (const String& segment : kept)
        out += "/" + segment;
    if (out.empty() || out.back() != '/') out += '/';
    return out;
}

} // namespace

String Parse(const String& Url, TWebAddress& Address) {
    for (unsigned char c : Url)
        if (c <= ' ' || c == 0x7F || c == '\\') return "holds a blank, a control character or a backslash";
    const std::size_t separator = Url.find("://");
    if (separator == String::npos) return kNotAnAddress;
    const String scheme = LowerCase(Url.substr(0, separator));
    if (scheme != "http" && scheme != "https") return kNotAnAddress;
    const std::size_t start = separator + 3;
    const std::size_t end = std::min(Url.find_first_of("/?#", start), Url.size());
    const String authority = Url.substr(start, end - start);
    const std::size_t at = authority.rfind('@');
    const String hostPort = at == String::npos ? authority : authority.substr(at + 1);
    // The host ends at the first ":" outside an IPv6 address's brackets.
    std::size_t hostEnd = hostPort.find(':', hostPort.rfind(']') == String::npos ? 0 : hostPort.rfind(']'));
    if (hostEnd == String::npos) hostEnd = hostPort.size();
    const String host = hostPort.substr(0, hostEnd);
    const String port = hostEnd < hostPort.size() ? hostPort.substr(hostEnd + 1) : String();
    if (host.empty()) return kNotAnAddress;
    int number = 0;
    if (port.find_first_not_of("0123456789") != String::npos) return "has a port that is not a number";
    const String digits = port.substr(std::min(port.find_first_not_of('0'), port.size()));
    if (!port.empty()) {
        if (digits.empty() || digits.size() > 5 || std::stoi(digits) > 65535)
            return "names port " + port + ", outside 1..65535";
        number = std::stoi(digits);
    }
    String problem;
    const String canonical = CanonicalHost(host, problem);
    if (!problem.empty()) return problem;
    Address.Scheme = scheme;
    Address.UserInfo = at == String::npos ? String() : UserInfo(authority.substr(0, at));
    Address.Host = canonical;
    Address.Port = number == DefaultPort(scheme) ? 0 : number;
    Address.Rest = end < Url.size() && Url[end] == '/' ? Url.substr(end) : "/" + Url.substr(end);
    return String();
}

String OriginOf(const String& Url) {
    TWebAddress a;
    if (!Parse(Url, a).empty()) return String();
    return a.Scheme + "://" + a.Host + (a.Port ? ":" + std::to_string(a.Port) : String()) + "/";
}

bool PortRefused(int Port) {
    return std::binary_search(std::begin(kRefusedPorts), std::end(kRefusedPorts), Port);
}

TBaseAddress NormaliseBase(const String& Url) {
    TWebAddress a;
    if (String problem = Parse(Url, a); !problem.empty()) return {String(), problem};
    if (a.Rest.find_first_of("?#") != String::npos)
        return {String(), "has a query or a fragment, which no page name can follow"};
    const int port = a.Port ? a.Port : DefaultPort(a.Scheme);
    if (PortRefused(port))
        return {String(), "names port " + std::to_string(port) +
                              ", which the browser engine refuses to load pages from (the port is kept for "
                              "another protocol); the service must listen on another port"};
    String url = a.Scheme + "://" + (a.UserInfo.empty() ? String() : a.UserInfo + "@") + a.Host;
    if (a.Port) url += ":" + std::to_string(a.Port);
    return {url + BasePath(a.Rest), String()};
}

} // namespace vcl::webaddress
