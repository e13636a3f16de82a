#include "platform/rtl/IniFiles.h"

#include <cerrno>
#include <charconv>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileUtil.h"
#include "platform/rtl/Strings.h"
#include "platform/rtl/SysInfo.h"
#include "platform/rtl/SysUtils.h"

namespace vcl {

namespace detail {

// Same folding as AnsiLowerCase: invalid UTF-8 is kept byte for byte.
String FoldNameCase(const String& Name) {
    return AnsiLowerCase(Name);
}

// The parsed file: every line kept with its original text, so that a rewrite changes only the
// lines that were written.
class IniDocument {
public:
    void Parse(const String& data);
    String Serialize() const;
    void Clear() { FLines.clear(); }

    const String* Find(const String& section, const String& key) const;
    // Returns false when the entry already held the value (nothing to write).
    bool Set(const String& section, const String& key, const String& value);
    bool DeleteKey(const String& section, const String& key);
    bool EraseSection(const String& section);
    std::vector<String> Sections() const;
    std::vector<std::pair<String, String>> Entries(const String& section) const;

private:
    enum class Kind { Other, Header, BrokenHeader, Entry };
    struct Line {
        Kind kind = Kind::Other;
        String raw;
        String eol;    // the line's own ending; "" for a last line without one
        String name;   // section or entry name, trimmed
        String folded; // name folded for matching
        String value;  // entry value, trimmed and unquoted
    };
    static Line ParseLine(String raw);
    // Calls visit(index, line) for each line of the blocks headed by the section.
    template <class Visit> void ForSection(const String& section, Visit visit) const;

    std::vector<Line> FLines;
    String FBom;
    String FEol = "\n";
};

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// Only spaces and tabs: other control characters stay part of a name or value.
String TrimBlanks(const String& s) {
    size_t b = 0, e = s.size();
    while (b < e && IsBlank(s[b]))
        ++b;
    while (e > b && IsBlank(s[e - 1]))
        --e;
    return s.substr(b, e - b);
}

String Unquote(const String& s) {
    if (s.size() >= 2 && (s.front() == '"' || s.front() == '\'') && s.back() == s.front())
        return s.substr(1, s.size() - 2);
    return s;
}

} // namespace

IniDocument::Line IniDocument::ParseLine(String raw) {
    Line line;
    line.raw = std::move(raw);
    bool hasNul = line.raw.find('\0') != String::npos;
    String t = TrimBlanks(line.raw);
    if (t.empty() || t[0] == ';') return line;
    if (t[0] == '[') {
        size_t close = t.find(']');
        // A header we cannot read ends the section before it, so that nothing is misattributed.
        if (close == String::npos || hasNul) {
            line.kind = Kind::BrokenHeader;
            return line;
        }
        line.kind = Kind::Header;
        line.name = TrimBlanks(t.substr(1, close - 1));
        line.folded = FoldNameCase(line.name);
        return line;
    }
    size_t eq = t.find('=');
    if (eq == String::npos || hasNul) return line;
    String name = TrimBlanks(t.substr(0, eq));
    if (name.empty()) return line;
    line.kind = Kind::Entry;
    line.name = std::move(name);
    line.folded = FoldNameCase(line.name);
    line.value = Unquote(TrimBlanks(t.substr(eq + 1)));
    return line;
}

void IniDocument::Parse(const String& data) {
    FLines.clear();
    FBom.clear();
    FEol = "\n";
    size_t pos = 0;
    if (data.compare(0, 3, "\xEF\xBB\xBF") == 0) {
        FBom = data.substr(0, 3);
        pos = 3;
    }
    bool firstBreak = true;
    while (pos < data.size()) {
        size_t nl = data.find('\n', pos);
        size_t end = nl == String::npos ? data.size() : nl;
        bool crlf = nl != String::npos && end > pos && data[end - 1] == '\r';
        if (nl != String::npos && firstBreak) {
            FEol = crlf ? "\r\n" : "\n";
            firstBreak = false;
        }
        FLines.push_back(ParseLine(data.substr(pos, crlf ? end - 1 - pos : end - pos)));
        FLines.back().eol = nl == String::npos ? "" : crlf ? "\r\n" : "\n";
        pos = nl == String::npos ? data.size() : nl + 1;
    }
}

String IniDocument::Serialize() const {
    String out = FBom;
    for (size_t i = 0; i < FLines.size(); ++i) {
        const Line& line = FLines[i];
        out += line.raw;
        // Only a last line that had no ending is without one; it keeps none while it stays last. When
        // something follows it now, its break must not join a bare CR it ends with (that CR is part
        // of its value): CR LF after it keeps the CR.
        if (!line.eol.empty())
            out += line.eol;
        else if (i + 1 < FLines.size())
            out += !line.raw.empty() && line.raw.back() == '\r' ? String("\r\n") : FEol;
    }
    return out;
}

template <class Visit> void IniDocument::ForSection(const String& section, Visit visit) const {
    String wanted = FoldNameCase(TrimBlanks(section));
    bool inside = false;
    for (size_t i = 0; i < FLines.size(); ++i) {
        const Line& line = FLines[i];
        if (line.kind == Kind::Header)
            inside = line.folded == wanted;
        else if (line.kind == Kind::BrokenHeader)
            inside = false;
        if (inside && !visit(i, line)) return;
    }
}

const String* IniDocument::Find(const String& section, const String& key) const {
    String wanted = FoldNameCase(TrimBlanks(key));
    const String* found = nullptr;
    ForSection(section, [&](size_t, const Line& line) {
        if (line.kind == Kind::Entry && line.folded == wanted) found = &line.value;
        return found == nullptr;
    });
    return found;
}

bool IniDocument::Set(const String& section, const String& key, const String& value) {
    String wantedKey = FoldNameCase(TrimBlanks(key));
    long header = -1, lastEntry = -1, existing = -1;
    bool firstBlock = true;
    ForSection(section, [&](size_t i, const Line& line) {
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
        Line& line = FLines[static_cast<size_t>(existing)];
        Line rewritten = ParseLine(line.name + "=" + value);
        if (rewritten.value == line.value) return false;
        rewritten.eol = line.eol;
        line = std::move(rewritten);
        return true;
    }
    Line entry = ParseLine(TrimBlanks(key) + "=" + value);
    entry.eol = FEol;
    if (header >= 0) {
        long at = (lastEntry >= 0 ? lastEntry : header) + 1;
        FLines.insert(FLines.begin() + at, std::move(entry));
        return true;
    }
    auto add = [this](Line line) {
        line.eol = FEol;
        FLines.push_back(std::move(line));
    };
    if (!FLines.empty() && !TrimBlanks(FLines.back().raw).empty()) add(ParseLine(String()));
    add(ParseLine("[" + TrimBlanks(section) + "]"));
    FLines.push_back(std::move(entry));
    return true;
}

bool IniDocument::DeleteKey(const String& section, const String& key) {
    String wanted = FoldNameCase(TrimBlanks(key));
    std::vector<size_t> doomed;
    ForSection(section, [&](size_t i, const Line& line) {
        if (line.kind == Kind::Entry && line.folded == wanted) doomed.push_back(i);
        return true;
    });
    for (auto it = doomed.rbegin(); it != doomed.rend(); ++it)
        FLines.erase(FLines.begin() + static_cast<long>(*it));
    return !doomed.empty();
}

bool IniDocument::EraseSection(const String& section) {
    std::vector<size_t> doomed;
    ForSection(section, [&](size_t i, const Line&) {
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
        if (line.kind != Kind::Header) continue;
        bool seen = false;
        for (const String& f : folded)
            seen = seen || f == line.folded;
        if (seen) continue;
        names.push_back(line.name);
        folded.push_back(line.folded);
    }
    return names;
}

std::vector<std::pair<String, String>> IniDocument::Entries(const String& section) const {
    std::vector<std::pair<String, String>> entries;
    std::vector<String> folded;
    ForSection(section, [&](size_t, const Line& line) {
        if (line.kind != Kind::Entry) return true;
        for (const String& f : folded)
            if (f == line.folded) return true;
        entries.emplace_back(line.name, line.value);
        folded.push_back(line.folded);
        return true;
    });
    return entries;
}

} // namespace detail

namespace {

using detail::IniDocument;

// "\" separators become "/"; a name without a folder goes to the configuration folder.
String ResolveIniPath(const String& fileName, bool& inConfigFolder) {
    String path = fileName;
    for (char& c : path)
        if (c == '\\') c = '/';
    inConfigFolder = !path.empty() && path.find('/') == String::npos;
    if (inConfigFolder) path = SysInfo().ConfigFolder() + path;
    return path;
}

std::unique_ptr<IniDocument> LoadDocument(const String& path) {
    auto doc = std::make_unique<IniDocument>();
    String data;
    try {
        data = ReadFileBytes(path);
    } catch (const EStreamError& e) {
        struct stat st {};
        // A missing file reads as an empty one.
        if (::stat(path.c_str(), &st) != 0 && (errno == ENOENT || errno == ENOTDIR)) return doc;
        throw EIniFileException(e.Message);
    }
    doc->Parse(data);
    return doc;
}

void SaveDocument(const String& path, const IniDocument& doc) {
    String target = path;
    struct stat st {};
    // Write through a symbolic link to the file it names, as the user set it up.
    if (::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        if (char* real = ::realpath(path.c_str(), nullptr)) {
            target = real;
            std::free(real);
        }
    }
    mode_t mode = 0644;
    if (::stat(target.c_str(), &st) == 0) {
        mode = st.st_mode & 07777;
        // A read-only file stays as it is, although the folder would let us replace it; a file that
        // nobody may write is read-only for the superuser too.
        int err = (st.st_mode & 0222) == 0 ? EACCES : ::access(target.c_str(), W_OK) != 0 ? errno : 0;
        if (err != 0) throw EIniFileException("Unable to write to \"" + target + "\". " + std::strerror(err));
    }
    try {
        WriteFileAtomic(target, doc.Serialize(), mode);
    } catch (const EStreamError& e) {
        throw EIniFileException(e.Message);
    }
}

// The lock every writer of the file holds ("<file>.lock"), taken after making a missing configuration
// folder.
void LockForWriting(const String& path, bool inConfigFolder, TFileLock& lock) {
    if (inConfigFolder) ForceDirectories(path.substr(0, path.rfind('/')), 0700);
    if (int err = lock.Acquire(path + ".lock", true))
        throw EIniFileException("Unable to write to \"" + path + "\". " + std::strerror(err));
}

[[noreturn]] void RefuseWrite(const String& path, const String& what) {
    throw EIniFileException("Unable to write to \"" + path + "\": " + what);
}

bool HasBreakOrNul(const String& s) {
    return s.find_first_of(String("\r\n\0", 3)) != String::npos;
}

// Refuses what the file cannot hold, before anything is written.
void CheckWrite(const String& path, const String& section, const String* key, const String* value) {
    if (HasBreakOrNul(section) || section.find(']') != String::npos)
        RefuseWrite(path, "invalid section name \"" + section + "\"");
    if (key != nullptr) {
        const String& k = *key;
        size_t first = k.find_first_not_of(" \t");
        if (first == String::npos || HasBreakOrNul(k) || k.find('=') != String::npos || k[first] == ';' ||
            k[first] == '[')
            RefuseWrite(path, "invalid key name \"" + *key + "\"");
    }
    if (value != nullptr && HasBreakOrNul(*value)) RefuseWrite(path, "a value cannot hold a line break");
}

// Fills a list between BeginUpdate and EndUpdate.
class ListFiller {
public:
    explicit ListFiller(TStrings* list) : FList(list) {
        FList->BeginUpdate();
        FList->Clear();
    }
    ~ListFiller() { FList->EndUpdate(); }
    ListFiller(const ListFiller&) = delete;
    ListFiller& operator=(const ListFiller&) = delete;
    void Add(const String& s) { FList->Add(s); }

private:
    TStrings* FList;
};

void FillNames(const std::vector<String>& names, TStrings* strings) {
    if (strings == nullptr) return;
    ListFiller fill(strings);
    for (const String& name : names)
        fill.Add(name);
}

void FillKeys(const IniDocument& doc, const String& section, TStrings* strings) {
    if (strings == nullptr) return;
    ListFiller fill(strings);
    for (const auto& entry : doc.Entries(section))
        fill.Add(entry.first);
}

void FillValues(const IniDocument& doc, const String& section, TStrings* strings) {
    if (strings == nullptr) return;
    ListFiller fill(strings);
    for (const auto& entry : doc.Entries(section))
        fill.Add(entry.first + "=" + entry.second);
}

bool ParseHex(const String& digits, std::uint32_t& value) {
    if (digits.empty()) return false;
    std::uint64_t v = 0;
    for (char c : digits) {
        int d;
        if (c >= '0' && c <= '9')
            d = c - '0';
        else if (c >= 'a' && c <= 'f')
            d = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F')
            d = c - 'A' + 10;
        else
            return false;
        v = v * 16 + static_cast<unsigned>(d);
        if (v > 0xFFFFFFFFull) return false;
    }
    value = static_cast<std::uint32_t>(v);
    return true;
}

} // namespace

namespace detail {

bool IniTextToInt(const String& text, int& result) {
    String s = text;
    bool negative = false;
    size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
    String body = s.substr(i);
    std::int64_t v;
    if (!body.empty() && body[0] == '$') {
        std::uint32_t h;
        if (!ParseHex(body.substr(1), h)) return false;
        v = static_cast<std::int32_t>(h);
    } else if (body.size() > 2 && body[0] == '0' && (body[1] == 'x' || body[1] == 'X')) {
        std::uint32_t h;
        if (!ParseHex(body.substr(2), h)) return false;
        v = static_cast<std::int32_t>(h);
    } else {
        if (body.empty() || body[0] < '0' || body[0] > '9') return false;
        auto [end, ec] = std::from_chars(body.data(), body.data() + body.size(), v);
        if (ec != std::errc() || end != body.data() + body.size()) return false;
        if (v > (negative ? std::int64_t(INT_MAX) + 1 : std::int64_t(INT_MAX))) return false;
    }
    if (negative) v = -v;
    result = static_cast<int>(static_cast<std::int32_t>(static_cast<std::uint32_t>(v)));
    return true;
}

bool IniTextToFloat(const String& text, double& result) {
    String s = text;
    if (!s.empty() && s[0] == '+') s.erase(0, 1);
    if (s.empty()) return false;
    double v = 0;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc() || end != s.data() + s.size()) return false;
    result = v;
    return true;
}

String IniFloatToText(double value) {
    char buffer[64];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    return ec == std::errc() ? String(buffer, end) : String("0");
}

} // namespace detail

using detail::IniFloatToText;
using detail::IniTextToFloat;
using detail::IniTextToInt;

// ---- TCustomIniFile ----

bool TCustomIniFile::SectionExists(const String& Section) {
    TStringList keys;
    ReadSection(Section, &keys);
    return keys.Count() > 0;
}

bool TCustomIniFile::ValueExists(const String& Section, const String& Ident) {
    TStringList keys;
    ReadSection(Section, &keys);
    String wanted = detail::FoldNameCase(Ident);
    for (int i = 0; i < keys.Count(); ++i)
        if (detail::FoldNameCase(keys[i]) == wanted) return true;
    return false;
}

int TCustomIniFile::ReadInteger(const String& Section, const String& Ident, int Default) {
    int value;
    return IniTextToInt(ReadString(Section, Ident, String()), value) ? value : Default;
}

void TCustomIniFile::WriteInteger(const String& Section, const String& Ident, int Value) {
    WriteString(Section, Ident, std::to_string(Value));
}

bool TCustomIniFile::ReadBool(const String& Section, const String& Ident, bool Default) {
    return ReadInteger(Section, Ident, Default ? 1 : 0) != 0;
}

void TCustomIniFile::WriteBool(const String& Section, const String& Ident, bool Value) {
    WriteString(Section, Ident, Value ? "1" : "0");
}

double TCustomIniFile::ReadFloat(const String& Section, const String& Ident, double Default) {
    double value;
    return IniTextToFloat(ReadString(Section, Ident, String()), value) ? value : Default;
}

void TCustomIniFile::WriteFloat(const String& Section, const String& Ident, double Value) {
    WriteString(Section, Ident, IniFloatToText(Value));
}

// ---- TIniFile ----

TIniFile::TIniFile(const String& FileName) : TCustomIniFile(FileName) {
    FPath = ResolveIniPath(FileName, FInConfigFolder);
}

TIniFile::~TIniFile() = default;

std::unique_ptr<IniDocument> TIniFile::Load() const {
    return LoadDocument(FPath);
}

void TIniFile::Save(const IniDocument& Doc) const {
    SaveDocument(FPath, Doc);
}

template <class Change> void TIniFile::Modify(Change change) {
    // Read, changed and written under the file's lock: two writers (two programs, or two objects
    // in one) each merge into what the other wrote and never write back a copy older than it.
    TFileLock lock;
    LockForWriting(FPath, FInConfigFolder, lock);
    auto doc = Load();
    if (change(*doc)) Save(*doc);
}

String TIniFile::ReadString(const String& Section, const String& Ident, const String& Default) {
    auto doc = Load();
    const String* value = doc->Find(Section, Ident);
    return value != nullptr ? *value : Default;
}

void TIniFile::WriteString(const String& Section, const String& Ident, const String& Value) {
    CheckWrite(FPath, Section, &Ident, &Value);
    Modify([&](IniDocument& doc) { return doc.Set(Section, Ident, Value); });
}

void TIniFile::ReadSection(const String& Section, TStrings* Strings) {
    FillKeys(*Load(), Section, Strings);
}

void TIniFile::ReadSections(TStrings* Strings) {
    FillNames(Load()->Sections(), Strings);
}

void TIniFile::ReadSectionValues(const String& Section, TStrings* Strings) {
    FillValues(*Load(), Section, Strings);
}

void TIniFile::EraseSection(const String& Section) {
    Modify([&](IniDocument& doc) { return doc.EraseSection(Section); });
}

void TIniFile::DeleteKey(const String& Section, const String& Ident) {
    Modify([&](IniDocument& doc) { return doc.DeleteKey(Section, Ident); });
}

// ---- TMemIniFile ----

TMemIniFile::TMemIniFile(const String& FileName) : TCustomIniFile(FileName) {
    FPath = ResolveIniPath(FileName, FInConfigFolder);
    FDoc = LoadDocument(FPath);
}

TMemIniFile::~TMemIniFile() = default;

String TMemIniFile::ReadString(const String& Section, const String& Ident, const String& Default) {
    const String* value = FDoc->Find(Section, Ident);
    return value != nullptr ? *value : Default;
}

void TMemIniFile::WriteString(const String& Section, const String& Ident, const String& Value) {
    CheckWrite(FPath, Section, &Ident, &Value);
    FDoc->Set(Section, Ident, Value);
}

void TMemIniFile::ReadSection(const String& Section, TStrings* Strings) {
    FillKeys(*FDoc, Section, Strings);
}

void TMemIniFile::ReadSections(TStrings* Strings) {
    FillNames(FDoc->Sections(), Strings);
}

void TMemIniFile::ReadSectionValues(const String& Section, TStrings* Strings) {
    FillValues(*FDoc, Section, Strings);
}

void TMemIniFile::EraseSection(const String& Section) {
    FDoc->EraseSection(Section);
}

void TMemIniFile::DeleteKey(const String& Section, const String& Ident) {
    FDoc->DeleteKey(Section, Ident);
}

void TMemIniFile::Clear() {
    FDoc->Clear();
}

void TMemIniFile::UpdateFile() {
    // The whole file is replaced by what is held, but never in the middle of a TIniFile's change.
    TFileLock lock;
    LockForWriting(FPath, FInConfigFolder, lock);
    SaveDocument(FPath, *FDoc);
}

} // namespace vcl
