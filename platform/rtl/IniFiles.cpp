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
#include "platform/rtl/IniDocument.h"
#include "platform/rtl/Strings.h"
#include "platform/rtl/SysInfo.h"
#include "platform/rtl/SysUtils.h"

namespace vcl {

namespace detail {

// Same folding as AnsiLowerCase: invalid UTF-8 is kept byte for byte.
String FoldNameCase(const String& Name) {
    return AnsiLowerCase(Name);
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
    throw EIniWriteRefused("Unable to write to \"" + path + "\": " + what);
}

bool HasBreakOrNul(const String& s) {
    return s.find_first_of(String("\r\n\0", 3)) != String::npos;
}

// Refuses what the file cannot hold, before anything is written.
void CheckWrite(const String& path, const String& section, const String& key, const String& value) {
    if (HasBreakOrNul(section) || section.find(']') != String::npos)
        RefuseWrite(path, "invalid section name \"" + section + "\"");
    const String k = detail::TrimIniBlanks(key);
    if (k.empty() || HasBreakOrNul(key) || k.find('=') != String::npos || k[0] == ';' || k[0] == '[')
        RefuseWrite(path, "invalid key name \"" + key + "\"");
    if (HasBreakOrNul(value)) RefuseWrite(path, "a value cannot hold a line break");
}

// Refuses text the file's encoding cannot hold (a character outside Windows-1252 in a file read in
// it, or bytes that are no UTF-8): the platform would write "?" in its place.
void CheckEncoding(const String& path, const IniDocument& doc, const String& section, const String& key,
                   const String& value) {
    for (const String* text : {&section, &key, &value})
        if (!doc.CanHold(*text))
            RefuseWrite(path, "\"" + *text + "\" cannot be written in the file's encoding (" +
                                  doc.EncodingName() + ")");
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
    // Leading spaces are skipped, as the framework's conversion skips them; anything after the
    // number is not.
    size_t i = s.find_first_not_of(' ');
    if (i == String::npos) return false;
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
    CheckWrite(FPath, Section, Ident, Value);
    Modify([&](IniDocument& doc) {
        CheckEncoding(FPath, doc, Section, Ident, Value);
        return doc.Set(Section, Ident, Value);
    });
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
    CheckWrite(FPath, Section, Ident, Value);
    CheckEncoding(FPath, *FDoc, Section, Ident, Value);
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
