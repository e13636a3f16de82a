#pragma once
// The answer's Content-Type header, as the browser engine reads it.
//
// The engine does not read the Content-Type line itself. The HTTP library parses it into a type and a table
// of parameters (or into nothing, when it takes no type from it); the engine writes them out again, the type
// and then "; name=value" for each parameter in the order of the library's table, and reads the MIME type and
// the charset from what it wrote. CharsetOf does the same, each step as the installed engine was seen to
// take it.

#include <vector>

#include "platform/rtl/Types.h"

namespace vcl::markup {

// The charset the engine reads from a Content-Type line, or empty. None when the HTTP library takes no type
// from the line, its text up to the first ';' holding no '/', two, or a space ("texthtml", "; charset=x",
// "text/html, text/plain"): the engine then sniffs the page. Else the library parses the parameters (parted
// at each ';' outside quotes, the first of a name counting) and the engine writes them out again, in the
// order of the library's table (a hash order, neither the line's nor any other), and takes the label after
// the first "charset" that starts a word and that '=' follows in what it wrote, up to a blank, a quote or a
// semicolon. So "charset=; charset=x" and "charset; charset=x" name nothing, 'charset=x"' and "charset=x,y"
// neither, "charset='x'" and 'charset="x y"' name x, and so does a "charset=x" after ';' or a blank inside
// another parameter's value, where that parameter comes first in the table.
String CharsetOf(const String& ContentType);

// The lines the engine may have read from the Content-Type header as the HTTP library hands it over: its
// lines joined with ", ". The engine reads the last line, but one line may hold ", " too, in quotes or not.
// So the value reads several ways: from each ", " outside quotes on (the shortest first), as a whole, and,
// for a line that left a quote open, from each ", " in quotes on. The type the engine gave the answer rules
// out those whose type is another, unless the engine sniffed the page for theirs. The first that remains is
// the likeliest; with none, the whole value.
std::vector<String> LinesOf(const String& Joined, const String& EngineType);

// The type that decides where the page declares its encoding: the line's, or, where the engine sniffed the
// page (for a type it does not take or one it sniffs for), the one the engine gave it. Without either, the
// page is taken for HTML, as an answer without a type.
String TypeOf(const String& Line, const String& EngineType);

} // namespace vcl::markup
