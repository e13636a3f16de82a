#pragma once
// A page's markup as text: the bytes the server sent, decoded as a browser decodes them.

#include "platform/rtl/Types.h"

namespace vcl::markup {

// Bytes as UTF-8. The encoding is the byte order mark's when there is one; else the one the charset of
// ContentType (the answer's Content-Type header) names; else the one a <meta> element declares within
// the first 1024 bytes; else UTF-8 when the bytes are valid UTF-8, and Windows-1252 (what unlabelled 8-bit
// text is read as) when they are not. Labels are read as the web reads them (WebEncodings.h): one that
// names no encoding ("utf-32", "ibm037") counts as none; "iso-8859-1" and "us-ascii" are Windows-1252;
// a <meta> that names UTF-16 means UTF-8, and one that names x-user-defined Windows-1252. Bytes that are
// no character of the encoding become U+FFFD: the result is always valid UTF-8.
String ToUtf8(const String& Bytes, const String& ContentType);

// The charset parameter of a Content-Type value ("text/html; charset=UTF-8" gives "UTF-8"), or empty.
String CharsetOf(const String& ContentType);

} // namespace vcl::markup
