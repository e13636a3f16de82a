#pragma once
// The service's addresses, the bodies of the form posts, the form post itself, and the copy of the
// current page that the session inspects.

#include "platform/rtl/Types.h"

namespace vcl {
class TWebBrowser;
}

namespace ServicePages {

using vcl::String;

// The demo service's usual address, used when KALVENOR_SERVICE_URL is not set.
inline constexpr const char* DefaultServiceUrl = "http://127.0.0.1:8765/";
// The header of every form post (the line ends with CR LF).
inline constexpr const char* PostHeaders = "Content-Type: application/x-www-form-urlencoded\r\n";
// No history entry (2) and no writing to the cache (8).
inline constexpr int PostFlags = 10;

// The base address every page name follows: KALVENOR_SERVICE_URL when it is set and not empty, else
// DefaultServiceUrl; as the browser engine writes it ("http://127.1:8765" is "http://127.0.0.1:8765/",
// "HTTP://Host:80/" is "http://host/"), always ending with "/".
String ServiceBaseUrl();
String PageUrl(const String& Page);

// Empty when the base address is one the browser can post the sign-in to and load pages from: an http or
// https address of a host, without query or fragment, its port one in 1..65535 that the engine connects
// to. Otherwise what to tell the user, naming the address as it was set: every page of the service would
// fail, and the program has nothing to show.
String ServiceAddressProblem();

// A value as application/x-www-form-urlencoded wants it: letters, digits and "*-._" stay, a blank
// becomes "+", every other byte "%XX".
String FormEncode(const String& Value);
// "login=<login>&pass=<password>" and "searchword=<text>", each value encoded.
String SignInBody(const String& Login, const String& Password);
String SearchBody(const String& Text);

// One form post of Body (its bytes up to the first NUL) to URL in Browser, with PostFlags, no target
// frame and PostHeaders. A refused navigation raises the browser's error.
void NavigatePost(vcl::TWebBrowser* Browser, const String& URL, const String& Body);

// Where the page copy goes: "tmp.html" in the folder TEMP names, when TEMP is set, names an existing
// folder the user may write and the whole path fits 259 characters; otherwise in the user's private
// temporary folder ("kalvenor-<uid>", mode 0700, in TMPDIR when it names a folder, else /tmp; the
// configuration folder when that name is taken).
String PageCopyPath();

// The HTML of the browser's current document as captured, its lines joined by CR LF (each line ended
// by CR LF), or empty when the browser is busy, has no document or shows "about:blank". A copy is also
// written at PageCopyPath (owner-only, replaced atomically, never through a symbolic link); a copy that
// cannot be written changes nothing of the text.
String GetDocumentHtml(vcl::TWebBrowser* Browser);

// Removes the page copy written last in this run, if it is still there (called when the program ends:
// the copy holds what the service showed the user and does not outlive the run).
void RemovePageCopy();

} // namespace ServicePages
