#pragma once
// The parsed INI file behind TIniFile and TMemIniFile (nothing but IniFiles.cpp includes this): every
// line kept with its own bytes and line end, so that a rewrite changes only the lines written.
//
// Encoding: a file starting with the UTF-8 byte-order mark is UTF-8 and keeps the mark. A file without
// one is UTF-8 when all of it is valid UTF-8, and Windows-1252 (the platform's ANSI code page in the
// western locales) otherwise; names and values are handed out in UTF-8 either way, and what is written
// goes in the file's own encoding. An empty or new file is UTF-8 without a mark. A Windows-1252 file
// whose bytes would read as UTF-8 once written (an erase took away the only bytes that did not) is
// written as UTF-8 instead, so that the text read back is always the text written.
//
// Lines end at CR LF, LF or a bare CR; lines written anew end as the file's first line does (CR LF in a
// new file, or after a CR that a CR LF follows at once, as in a file whose line ends were doubled).

#include <utility>
#include <vector>

#include "platform/rtl/Types.h"

namespace vcl::detail {

class IniDocument {
public:
    void Parse(const String& Data);
    String Serialize() const;
    // Forgets every line; the encoding and the line end stay the file's.
    void Clear() { FLines.clear(); }

    // Whether Text (UTF-8) can be written into this file: it is valid UTF-8 and, in a Windows-1252
    // file, holds only characters of that code page.
    bool CanHold(const String& Text) const;
    // The name of the file's encoding, for messages.
    const char* EncodingName() const { return FAnsi ? "Windows-1252" : "UTF-8"; }

    const String* Find(const String& Section, const String& Key) const;
    // Returns false when the entry already held the value (nothing to write). Names and the value
    // must pass CanHold.
    bool Set(const String& Section, const String& Key, const String& Value);
    bool DeleteKey(const String& Section, const String& Key);
    bool EraseSection(const String& Section);
    std::vector<String> Sections() const;
    std::vector<std::pair<String, String>> Entries(const String& Section) const;

private:
    enum class Kind { Other, Header, BrokenHeader, Entry };
    struct Line {
        Kind kind = Kind::Other;
        String raw;    // the line's bytes as in the file, without its line end
        String eol;    // the line's own ending; "" for a last line without one
        String name;   // section or entry name, trimmed, in UTF-8
        String folded; // name folded for matching
        String value;  // entry value, trimmed and unquoted, in UTF-8
    };
    Line ParseLine(String Raw) const;
    // A new line from UTF-8 text, in the file's encoding.
    Line MakeLine(const String& Text) const;
    // Calls visit(index, line) for each line of the blocks headed by the section.
    template <class Visit> void ForSection(const String& Section, Visit visit) const;

    std::vector<Line> FLines;
    String FBom;
    String FEol = "\r\n";
    bool FAnsi = false;
};

// The blanks the platform trims from names and values: space, tab, VT, FF, CR and the DOS end-of-file
// mark ^Z.
bool IsIniBlank(char C);
String TrimIniBlanks(const String& S);

} // namespace vcl::detail
