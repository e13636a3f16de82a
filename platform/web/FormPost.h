#pragma once
// Turning a form post into something an engine without a way to send a request body can load: a small
// document holding a form (method POST, enctype application/x-www-form-urlencoded, action the target
// address) with one hidden field per name=value pair of the body, submitted as soon as it is parsed.
// The engine then encodes each value itself.
//
// The body is read as what its content type says it is, application/x-www-form-urlencoded: it is split on
// every "&" into pairs, each pair at its first "=" into name and value (a pair without "=" is a name with
// an empty value; empty pairs are dropped), and names and values are then decoded ("+" is a blank, "%XX" a
// byte; a "%" not followed by two hex digits stays as it is). The engine encodes each field again when the
// form is sent, so a value the application encoded ("a%26b" for "a&b") reaches the service as typed.

#include <utility>
#include <vector>

#include "platform/rtl/Types.h"

namespace vcl::formpost {

using TFormFields = std::vector<std::pair<String, String>>;

TFormFields SplitBody(const String& Body);

// The scheme, host and port of an absolute http(s) address followed by "/", e.g.
// "http://127.0.0.1:8080/"; empty when the address is not an absolute http or https one.
String OriginOf(const String& Url);

// Text safe inside a double-quoted HTML attribute value.
String HtmlAttributeEscape(const String& Text);

// The self-submitting document for a post of Fields to Action.
String BuildPostDocument(const String& Action, const TFormFields& Fields);

// The header text of a navigation ("Name: value" lines ended by CR LF, or LF) as name/value pairs; lines
// without a colon are ignored.
std::vector<std::pair<String, String>> ParseHeaders(const String& Headers);

} // namespace vcl::formpost
