// Service addresses, form posts and the page copy.

#include "app/ServicePages.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "app/ExitSignals.h"
#include "platform/rtl/FileUtil.h"
#include "platform/rtl/SysInfo.h"
#include "platform/web/HtmlDocument.h"
#include "platform/web/WebAddress.h"
#include "platform/web/WebBrowser.h"

namespace ServicePages {

namespace {

constexpr std::size_t MaxPath = 260; // the path buffer, its terminating NUL included

bool IsFolder(const String& Path) {
    struct stat st {};
    return !Path.empty() && ::stat(Path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

String WithSlash(String Folder) {
    if (Folder.empty() || Folder.back() != '/') Folder += '/';
    return Folder;
}

// A folder only this user can enter: ours, a real folder (no link), no access for group or others.
bool IsPrivateFolder(const String& Path) {
    struct stat st {};
    return ::lstat(Path.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::geteuid() &&
           (st.st_mode & 077) == 0;
}

// The user's private temporary folder: "kalvenor-<uid>" in the platform's temporary folder (TMPDIR
// when it names a folder, else /tmp), made with mode 0700. When that name is taken by anything that
// is not such a folder of ours, the configuration folder (itself private) serves instead.
String PrivateTempFolder() {
    const char* tmpdir = std::getenv("TMPDIR");
    const String base = tmpdir && *tmpdir && IsFolder(tmpdir) ? String(tmpdir) : String("/tmp");
    const String folder = WithSlash(base) + "kalvenor-" + std::to_string(::geteuid());
    ::mkdir(folder.c_str(), 0700);
    if (IsPrivateFolder(folder)) return folder;
    String config = vcl::SysInfo().ConfigFolder();
    vcl::ForceDirectories(config, 0700);
    return config;
}

// Where this run wrote its page copy last ("" before the first).
String& LastCopy() {
    static String path;
    return path;
}

// The address as set, or the demo service's when it is not.
String ServiceUrlAsSet() {
    const char* env = std::getenv("KALVENOR_SERVICE_URL");
    return env && *env ? String(env) : String(DefaultServiceUrl);
}

} // namespace

String ServiceBaseUrl() {
    // The engine's own form of the address: the page addresses it is given are then the ones it reports
    // back to the navigation policy, which keeps the pages on the site.
    const String url = ServiceUrlAsSet();
    const String normal = vcl::webaddress::NormaliseBase(url).Url;
    return normal.empty() ? WithSlash(url) : normal;
}

String PageUrl(const String& Page) {
    return ServiceBaseUrl() + Page;
}

String ServiceAddressProblem() {
    // What the browser would refuse, or load nothing from, at the sign-in is refused here, before anything
    // is shown: the sign-in would otherwise wait for good, with nothing told.
    const String problem = vcl::webaddress::NormaliseBase(ServiceUrlAsSet()).Problem;
    if (problem.empty()) return String();
    return "The service address \"" + ServiceUrlAsSet() + "\" (KALVENOR_SERVICE_URL) " + problem + ".";
}

String FormEncode(const String& Value) {
    static const char* const Hex = "0123456789ABCDEF";
    String out;
    out.reserve(Value.size());
    for (unsigned char c : Value) {
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '*' ||
            c == '-' || c == '.' || c == '_') {
            out += static_cast<char>(c);
        } else if (c == ' ') {
            out += '+';
        } else {
            out += '%';
            out += Hex[c >> 4];
            out += Hex[c & 15];
        }
    }
    return out;
}

// The values are URL-encoded although the bodies were once sent as typed: the service reads the body as
// form data, where an "&" or "+" in a password (or "%", "=") would cut or change the value it receives.
String SignInBody(const String& Login, const String& Password) {
    return "login=" + FormEncode(Login) + "&pass=" + FormEncode(Password);
}

String SearchBody(const String& Text) {
    return "searchword=" + FormEncode(Text);
}

void NavigatePost(vcl::TWebBrowser* Browser, const String& URL, const String& Body) {
    // The body's bytes up to its first NUL, without a terminator.
    const std::size_t length = std::strlen(Body.c_str());
    vcl::OleVariant flags(PostFlags);
    vcl::OleVariant target(0);
    vcl::OleVariant postData = vcl::OleVariant::ByteArray(Body.data(), length);
    vcl::OleVariant headers{String(PostHeaders)};
    Browser->Navigate(URL, flags, target, postData, headers);
}

String PageCopyPath() {
    const String name = "tmp.html";
    if (const char* temp = std::getenv("TEMP"); temp && *temp) {
        // The value, "/" and the name must fit the path buffer.
        if (std::strlen(temp) + 1 + name.size() < MaxPath && IsFolder(temp) &&
            ::access(temp, W_OK | X_OK) == 0)
            return WithSlash(temp) + name;
    }
    // Never a shared folder: there another user's file (or folder) of that name would stand in the way.
    return WithSlash(PrivateTempFolder()) + name;
}

void RemovePageCopy() {
    String& path = LastCopy();
    struct stat st {};
    // The copy itself (or a link put in its place), never a folder.
    if (!path.empty() && ::lstat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode)) ::unlink(path.c_str());
    path.clear();
    ExitSignals::RemoveWhenKilled(path);
}

String GetDocumentHtml(vcl::TWebBrowser* Browser) {
    if (Browser->Busy()) return String();
    vcl::IDispatchPtr document = Browser->Document();
    if (!document) return String();
    if (Browser->LocationURL() == "about:blank") return String();
    vcl::IHTMLDocument2* html = document->QueryHTMLDocument2();
    if (!html) return String();
    // The text is the page as captured; the copy on disk is a by-product, and a copy that could not
    // be written (a full disk, a folder in its way) must never hide what the page says.
    if (vcl::IPersistFile* file = html->QueryPersistFile()) {
        LastCopy() = PageCopyPath();
        // Named before it is written: a signal's default ending the run removes it too.
        ExitSignals::RemoveWhenKilled(LastCopy());
        file->Save(LastCopy(), false);
    }
    const String& bytes = html->Html();
    // The lines joined by CR LF, each ended by it, whatever line breaks the copy holds.
    String text;
    text.reserve(bytes.size() + bytes.size() / 32);
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find_first_of("\r\n", start);
        if (end == String::npos) end = bytes.size();
        text.append(bytes, start, end - start);
        text += "\r\n";
        if (end < bytes.size() && bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n')
            ++end;
        start = end + 1;
    }
    return text;
}

} // namespace ServicePages
