#include "platform/rtl/IniDocument.h"

#include <algorithm>

#include "platform/rtl/IniFiles.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/Unicode.h"

namespace vcl::detail {

namespace {

// Text that passed CanHold, in Windows-1252.
String EncodeCp1252(const String& text) {
    String out;
    for (std::size_t i = 0; i < text.size();) {
        char b = '?';
        CodePointToCp1252(Utf8Next(text, i), b);
        out += b;
    }
    return out;
}

// How Parse will take these bytes: as UTF-8 with a byte-order mark, or as UTF-8 when they are valid.
bool ReadsAsUtf8(const String& s) {
    return s.compare(0, 3, "\xEF\xBB\xBF") == 0 || IsValidUtf8(s);
}

String Unquote(const String& s) {
    if (s.size() >= 2 && (s.front() == '"' || s.front() == '\'') && s.back() == s.front())
        return s.substr(1, s.size() - 2);
    return s;
}

} // namespace

bool IsIniBlank(char c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\r' || c == '\x1A';
}

String TrimIniBlanks(const String& s) {
    std::size_t b = 0, e = s.size();
    while (b < e && IsIniBlank(s[b]))
        ++b;
    while (e > b && IsIniBlank(s[e - 1]))
        --e;
    return s.substr(b, e - b);
}

bool IniDocument::CanHold(const String& text) const {
    if (!IsValidUtf8(text)) return false;
    if (!FAnsi) return true;
    char b;
    for (std::size_t i = 0; i < text.size();)
        if (!CodePointToCp1252(Utf8Next(text, i), b)) return false;
    return true;
}

IniDocument::Line IniDocument::ParseLine(String raw) const {
    Line line;
    line.raw = std::move(raw);
    const bool hasNul = line.raw.find('\0') != String::npos;
    const String t = TrimIniBlanks(FAnsi ? Cp1252ToUtf8(line.raw) : line.raw);
    if (t.empty() || t[0] == ';') return line;
    const std::size_t close = t[0] == '[' ? t.find(']') : String::npos;
    // A "[" without "]" is no header: the line is read as any other, in the section above it. A header
    // with a NUL in it cannot be named: it ends the section before it, so that nothing is misattributed.
    if (close != String::npos) {
        line.kind = hasNul ? Kind::BrokenHeader : Kind::Header;
        line.name = TrimIniBlanks(t.substr(1, close - 1));
        line.folded = FoldNameCase(line.name);
        return line;
    }
    const std::size_t eq = t.find('=');
    if (eq == String::npos || hasNul) return line;
    String name = TrimIniBlanks(t.substr(0, eq));
    if (name.empty()) return line;
    line.kind = Kind::Entry;
    line.name = std::move(name);
    line.folded = FoldNameCase(line.name);
    line.value = Unquote(TrimIniBlanks(t.substr(eq + 1)));
    return line;
}

IniDocument::Line IniDocument::MakeLine(const String& text) const {
    Line line = ParseLine(FAnsi ? EncodeCp1252(text) : text);
    line.eol = FEol;
    return line;
}

void IniDocument::Parse(const String& data) {
    FLines.clear();
    FBom.clear();
    FEol = "\r\n";
    std::size_t pos = 0;
    if (data.compare(0, 3, "\xEF\xBB\xBF") == 0) {
        FBom = data.substr(0, 3);
        pos = 3;
    }
    FAnsi = !ReadsAsUtf8(data);
    bool firstBreak = true;
    while (pos < data.size()) {
        const std::size_t end = data.find_first_of("\r\n", pos);
        String eol;
        if (end != String::npos) eol = data.compare(end, 2, "\r\n") == 0 ? "\r\n" : String(1, data[end]);
        if (!eol.empty() && firstBreak) {
            firstBreak = false;
            FEol = eol == "\r" && data.compare(end + 1, 2, "\r\n") == 0 ? "\r\n" : eol;
        }
        FLines.push_back(ParseLine(data.substr(pos, (end == String::npos ? data.size() : end) - pos)));
        FLines.back().eol = eol;
        pos = end == String::npos ? data.size() : end + eol.size();
    }
}

String IniDocument::Serialize() const {
    String out = FBom;
    for (std::size_t i = 0; i < FLines.size(); ++i) {
        const Line& line = FLines[i];
        out += line.raw;
        // Only a last line that had no ending is without one; it keeps none while it stays last.
        out += !line.eol.empty() || i + 1 == FLines.size() ? line.eol : FEol;
    }
    // The encoding is guessed afresh at each read. A Windows-1252 file whose bytes now read as UTF-8
    // (the bytes that did not were in what was erased) would be read next time as UTF-8, and "Ã¦" in
    // it (bytes C3 A6) would become "æ": such a file is written as UTF-8, the same text in the
    // encoding it will be read in. Plain ASCII reads alike either way and comes out unchanged.
    if (FAnsi && ReadsAsUtf8(out)) return Cp1252ToUtf8(out);
    return out;
}

template <class Visit> void IniDocument::ForSection(const String& section, Visit visit) const {
    const String wanted = FoldNameCase(TrimIniBlanks(section));
    bool inside = false;
    for (std::size_t i = 0; i < FLines.size(); ++i) {
        const Line& line = FLines[i];
        if (line.kind == Kind::Header)
            inside = line.folded == wanted;
        else if (line.kind == Kind::BrokenHeader)
            inside = false;
        if (inside && !visit(i, line)) return;
    }
}

const String* IniDocument::Find(const String& section, const String& key) const {
    const String wanted = FoldNameCase(TrimIniBlanks(key));
    const String* found = nullptr;
    ForSection(section, [&](std::size_t, const Line& line) {
        if (line.kind == Kind::Entry && line.folded == wanted) found = &line.value;
        return found == nullptr;
    });
    return found;
}

bool IniDocument::Set(const String& section, const String& key, const String& value) {
    const String wantedKey = FoldNameCase(TrimIniBlanks(key));
    long header = -1, lastEntry = -1, existing = -1;
    bool firstBlock = true;
    ForSection(section, [&](std::size_t i, const Line& line) {
        if (line.kind == Kind::Header) {
            if (header >= 0)
                firstBlock = false;
            else
                header = static_cast<long>(i);
        } else if (line.kind == Kind::Entry) {
            if (line.folded == wantedKey) {
                existing = static_cast<long>(i);
                return false;
            }
            if (firstBlock) lastEntry = static_cast<long>(i);
        }
        return true;
    });
    if (existing >= 0) {
        Line& line = FLines[static_cast<std::size_t>(existing)];
        Line rewritten = MakeLine(line.name + "=" + value);
        if (rewritten.value == line.value) return false;
        rewritten.eol = line.eol;
        line = std::move(rewritten);
        return true;
    }
    Line entry = MakeLine(TrimIniBlanks(key) + "=" + value);
    if (header >= 0) {
        const long at = (lastEntry >= 0 ? lastEntry : header) + 1;
        FLines.insert(FLines.begin() + at, std::move(entry));
        return true;
    }
    // A new section follows the last line at once, as the platform writes it.
    FLines.push_back(MakeLine("[" + TrimIniBlanks(section) + "]"));
    FLines.push_back(std::move(entry));
    return true;
}

bool IniDocument::DeleteKey(const String& section, const String& key) {
    const String wanted = FoldNameCase(TrimIniBlanks(key));
    std::vector<std::size_t> doomed;
    ForSection(section, [&](std::size_t i, const Line& line) {
        if (line.kind == Kind::Entry && line.folded == wanted) doomed.push_back(i);
        return true;
    });
    for (auto it = doomed.rbegin(); it != doomed.rend(); ++it)
        FLines.erase(FLines.begin() + static_cast<long>(*it));
    return !doomed.empty();
}

bool IniDocument::EraseSection(const String& section) {
    std::vector<std::size_t> doomed;
    ForSection(section, [&](std::size_t i, const Line&) {
        doomed.push_back(i);
        return true;
    });
    for (auto it = doomed.rbegin(); it != doomed.rend(); ++it)
        FLines.erase(FLines.begin() + static_cast<long>(*it));
    return !doomed.empty();
}

std::vector<String> IniDocument::Sections() const {
    std::vector<String> names, folded;
    for (const Line& line : FLines) {
        if (line.kind != Kind::Header || std::find(folded.begin(), folded.end(), line.folded) != folded.end())
            continue;
        names.push_back(line.name);
        folded.push_back(line.folded);
    }
    return names;
}

std::vector<std::pair<String, String>> IniDocument::Entries(const String& section) const {
    std::vector<std::pair<String, String>> entries;
    std::vector<String> folded;
    ForSection(section, [&](std::size_t, const Line& line) {
        if (line.kind != Kind::Entry || std::find(folded.begin(), folded.end(), line.folded) != folded.end())
            return true;
        entries.emplace_back(line.name, line.value);
        folded.push_back(line.folded);
        return true;
    });
    return entries;
}

} // namespace vcl::detail
