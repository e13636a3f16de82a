#pragma once
// A page's markup as text: the bytes the server sent, decoded as a browser decodes them.

#include <string_view>

#include "platform/rtl/Types.h"

namespace vcl::markup {

struct TWebEncoding;

// Bytes as UTF-8, read in the encoding EncodingOf gives, or, where it gives none, as UTF-8 when they are
// valid UTF-8 and as Windows-1252 (what unlabelled 8-bit text is read as) when they are not; a byte order
// mark is left out. Bytes that are no character of the encoding become U+FFFD: the result is always valid
// UTF-8. It holds no U+0000, which no page shows.
String ToUtf8(const String& Bytes, const String& ContentType, const String& EngineType = String());

// The encoding the browser engine reads the bytes of an answer in, as far as the bytes and the answer's
// Content-Type tell it, or nullptr (ToUtf8). ContentType is the header as the HTTP library hands it over, its
// lines joined with ", "; EngineType the type the engine gave the answer (the response's MIME type); both are
// empty for an answer without the header. The encoding is the byte order mark's when there is one; else the
// one the charset of the header's last line names, as the engine reads it (CharsetOf, ContentType.h); else
// the one the page declares in its own markup, where the answer's type lets it: an HTML page (text/html, or
// no type) in a <meta> or an XML declaration (DeclaredEncoding); an XML document (text/xml, application/xml,
// text/xsl, a type ending in "+xml") in its XML declaration alone (XmlDeclaredEncoding); a page of any other
// type (plain text, a script, a style sheet, JSON) in nothing. That type is the line's (up to a comma or a
// blank, in any case); where the engine sniffed the page, for a type it does not take or "*/*",
// "unknown/unknown" or "application/unknown", it is EngineType, and without that (no header) HTML.
// The engine reads the last of several lines; but a line may hold ", " too, in quotes or not, so the value
// reads several ways. Those that name a type other than EngineType are ruled out (unless the engine sniffed
// the page for theirs), and the first of the others counts: the pieces from a ", " outside quotes on, the
// shortest first, then the whole value, then the pieces from a ", " in quotes on. But an encoding that hides
// ASCII text (UTF-16, replacement) counts only where every reading gives one: the words of a failed sign-in
// show in one that keeps ASCII whichever reading the engine took.
// Labels are read as the web reads them (WebEncodings.h): one that names no encoding ("utf-32", "ibm037")
// counts as none; "iso-8859-1" and "us-ascii" are Windows-1252.
const TWebEncoding* EncodingOf(const String& Bytes, const String& ContentType,
                               const String& EngineType = String());

// The encoding an HTML page declares in its markup, as the browser engine finds it before decoding the
// page, or nullptr. Bytes that start with "<?x" in UTF-16 are in UTF-16 (XmlDeclaredEncoding). Else the
// first <meta> element that names an encoding decides: by its (first) charset attribute, or, without one,
// by the "charset=" in its (last) content attribute when an http-equiv of it is "Content-Type". A <meta>
// counts only where the page's parser finds a tag: not in a comment, an attribute, or the text of a
// <script>, <style>, <title>, <textarea> and the like. The first 1024 bytes are scanned whatever they
// hold; beyond them the scan goes on only while no tag has come that belongs outside the page's head (all
// but <script>, <noscript>, <style>, <link>, <meta>, <object>, <title>, <base>, and <html> and <head>
// opening). A <meta> that names UTF-16 means UTF-8, and one that names x-user-defined Windows-1252. Where
// no <meta> names an encoding, the page's XML declaration decides (XmlDeclaredEncoding).
const TWebEncoding* DeclaredEncoding(std::string_view Bytes);

// The encoding an XML declaration at the very start of the bytes declares, as the browser engine finds
// it, or nullptr. "<?x" in UTF-16 (without a byte order mark) means UTF-16 in that byte order, whatever
// follows. Else the bytes must start with "<?xml" (nothing before it, not even a blank) and have a ">"
// after it; the first "encoding" before that ">", anywhere in it, decides: it declares when "=" follows
// (blanks, control characters and NUL around it allowed) and then a label in ' or " quotes closed before
// the ">", with no blank inside them. "?>" need not close the declaration, nor "version" come first. A
// label that names UTF-16 means UTF-8; x-user-defined stays itself.
const TWebEncoding* XmlDeclaredEncoding(std::string_view Bytes);

} // namespace vcl::markup
