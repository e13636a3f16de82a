#pragma once
// Web addresses as the browser engine writes them. The engine rewrites every http(s) address it is given
// before it loads it or hands it to the navigation policy: the scheme and an ASCII host in lower case, an
// IPv4 address in any of its old forms ("127.1", "0x7f.0.0.1", "2130706433") as four decimal numbers, an
// IPv6 address compressed, a host in other scripts in its ASCII ("xn--") form, and the scheme's default
// port left out. An origin taken from an address as the user wrote it is then no origin the engine ever
// reports, and comparing the two refuses the site's own pages; so origins are compared here in the
// engine's form, and an application normalises the address it starts from once, before anything loads.
//
// What cannot be normalised without doubt is refused rather than guessed: two hosts that the engine tells
// apart must never come out the same here, or a page (and what a post carries) could go to a host that
// is not the one the user named.

#include "platform/rtl/Types.h"

namespace vcl::webaddress {

// The parts of an absolute http or https address, the host in the engine's form.
struct TWebAddress {
    String Scheme;   // "http" or "https"
    String UserInfo; // "user" or "user:password", percent-encoded as the engine writes it; usually empty
    String Host;     // "example.com", "xn--bcher-kva.de", "127.0.0.1", "[::1]"
    int Port = 0;    // 0 for the scheme's default
    String Rest;     // the path, query and fragment as written ("/" at least when there is no path)
};

// Parses an absolute http or https address ("scheme://authority..."). Returns an empty text and fills
// Address, or says what is wrong in words that follow the address ("has no host", ...).
String Parse(const String& Url, TWebAddress& Address);

// "scheme://host[:port]/" in the engine's form; empty when Url is not an absolute http or https address
// this unit can read. Credentials are no part of an origin.
String OriginOf(const String& Url);

// True for the ports the engine loads nothing from (those of mail, file transfer, X and other protocols
// that a page could otherwise talk to): a load there sends no request and ends in an empty page, with no
// failure, so that a navigation there would wait for good.
bool PortRefused(int Port);

// The base address of a site that page names are appended to, in the engine's form: no query or
// fragment, a port in 1..65535 that the engine connects to, the path ending with "/" and percent-encoded
// as the engine would. Url is empty when the address is refused, and Problem says why, in words that
// follow the address ("has a query or a fragment ...").
struct TBaseAddress {
    String Url;
    String Problem;
};
TBaseAddress NormaliseBase(const String& Url);

// The host of an address in the engine's form (what TWebAddress::Host holds), or empty with Problem set.
// In WebHost.cpp.
String CanonicalHost(const String& Host, String& Problem);

} // namespace vcl::webaddress
