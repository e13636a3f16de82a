#include "platform/rtl/Registry.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileUtil.h"
#include "platform/rtl/Strings.h"
#include "platform/rtl/SysInfo.h"

namespace vcl {

namespace detail {

struct RegValue {
    String Name;
    String Folded;
    std::uint32_t Type = REG_NONE;
    String Data;
};

struct RegKey {
    String Name;
    String Folded;
    std::vector<std::unique_ptr<RegKey>> SubKeys; // sorted by folded name
    std::vector<RegValue> Values;                 // in the order written

    RegKey* Sub(const String& folded) const {
        for (const auto& k : SubKeys)
            if (k->Folded == folded) return k.get();
        return nullptr;
    }
    RegKey* AddSub(const String& name) {
        String folded = FoldNameCase(name);
        if (RegKey* k = Sub(folded)) return k;
        auto key = std::make_unique<RegKey>();
        key->Name = name;
        key->Folded = folded;
        auto at =
            std::find_if(SubKeys.begin(), SubKeys.end(), [&](const auto& k) { return k->Folded > folded; });
        return SubKeys.insert(at, std::move(key))->get();
    }
    RegValue* Value(const String& name) {
        String folded = FoldNameCase(name);
        for (auto& v : Values)
            if (v.Folded == folded) return &v;
        return nullptr;
    }
};

struct RegOp {
    enum Kind { CreateKey, DeleteKey, SetValue, DeleteValue } Op = CreateKey;
    std::vector<String> KeyPath;
    String Name;
    std::uint32_t Type = REG_NONE;
    String Data;
};

struct RegistryState {
    std::unique_ptr<RegKey> Root = std::make_unique<RegKey>();
    bool Loaded = false;
    std::vector<RegOp> Pending;
};

} // namespace detail

namespace {

using detail::RegKey;
using detail::RegOp;
using detail::RegValue;
using KeyPath = std::vector<String>;

constexpr size_t kMaxDepth = 512;

RegKey* Walk(RegKey* root, const KeyPath& path, size_t count) {
    RegKey* key = root;
    for (size_t i = 0; i < count && key != nullptr; ++i)
        key = key->Sub(detail::FoldNameCase(path[i]));
    return key;
}

RegKey* Walk(RegKey* root, const KeyPath& path) {
    return Walk(root, path, path.size());
}

RegKey* WalkCreate(RegKey* root, const KeyPath& path) {
    RegKey* key = root;
    for (const String& part : path)
        key = key->AddSub(part);
    return key;
}

void Apply(RegKey& root, const RegOp& op) {
    switch (op.Op) {
    case RegOp::CreateKey:
        WalkCreate(&root, op.KeyPath);
        break;
    case RegOp::DeleteKey:
        if (op.KeyPath.empty()) break; // the root stays
        if (RegKey* parent = Walk(&root, op.KeyPath, op.KeyPath.size() - 1)) {
            String folded = detail::FoldNameCase(op.KeyPath.back());
            std::erase_if(parent->SubKeys, [&](const auto& k) { return k->Folded == folded; });
        }
        break;
    case RegOp::SetValue: {
        RegKey* key = WalkCreate(&root, op.KeyPath);
        if (RegValue* v = key->Value(op.Name)) {
            v->Type = op.Type;
            v->Data = op.Data;
        } else {
            key->Values.push_back({op.Name, detail::FoldNameCase(op.Name), op.Type, op.Data});
        }
        break;
    }
    case RegOp::DeleteValue:
        if (RegKey* key = Walk(&root, op.KeyPath)) {
            String folded = detail::FoldNameCase(op.Name);
            std::erase_if(key->Values, [&](const RegValue& v) { return v.Folded == folded; });
        }
        break;
    }
}

// ---- the hive file ----

String Escape(const String& s) {
    static const char hex[] = "0123456789ABCDEF";
    String out = "=";
    for (char ch : s) {
        auto c = static_cast<unsigned char>(ch);
        if (c < 0x21 || c == '%' || c == 0x7F) {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        } else {
            out += ch;
        }
    }
    return out;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool Unescape(const String& token, String& out) {
    if (token.empty() || token[0] != '=') return false;
    out.clear();
    for (size_t i = 1; i < token.size(); ++i) {
        auto c = static_cast<unsigned char>(token[i]);
        if (c < 0x21 || c == 0x7F) return false;
        if (c != '%') {
            out += token[i];
            continue;
        }
        if (i + 2 >= token.size()) return false;
        int hi = HexDigit(token[i + 1]), lo = HexDigit(token[i + 2]);
        if (hi < 0 || lo < 0) return false;
        out += static_cast<char>(hi * 16 + lo);
        i += 2;
    }
    return true;
}

String HexBytes(const String& data) {
    static const char hex[] = "0123456789abcdef";
    String out = "=";
    for (char ch : data) {
        auto c = static_cast<unsigned char>(ch);
        out += hex[c >> 4];
        out += hex[c & 15];
    }
    return out;
}

bool UnhexBytes(const String& token, String& out) {
    if (token.empty() || token[0] != '=' || (token.size() - 1) % 2 != 0) return false;
    out.clear();
    for (size_t i = 1; i < token.size(); i += 2) {
        int hi = HexDigit(token[i]), lo = HexDigit(token[i + 1]);
        if (hi < 0 || lo < 0) return false;
        out += static_cast<char>(hi * 16 + lo);
    }
    return true;
}

String DwordBytes(std::uint32_t v) {
    String out(4, '\0');
    for (int i = 0; i < 4; ++i)
        out[static_cast<size_t>(i)] = static_cast<char>((v >> (8 * i)) & 0xFF);
    return out;
}

std::uint32_t BytesDword(const String& data) {
    std::uint32_t v = 0;
    for (size_t i = 0; i < 4 && i < data.size(); ++i)
        v |= static_cast<std::uint32_t>(static_cast<unsigned char>(data[i])) << (8 * i);
    return v;
}

bool SplitPath(const String& text, KeyPath& out) {
    out.clear();
    if (text.empty()) return true;
    size_t start = 0;
    for (;;) {
        size_t sep = text.find('\\', start);
        String part = text.substr(start, sep == String::npos ? String::npos : sep - start);
        if (part.empty()) return false;
        out.push_back(std::move(part));
        if (sep == String::npos) break;
        start = sep + 1;
    }
    return out.size() <= kMaxDepth;
}

String JoinPath(const KeyPath& path) {
    String out;
    for (const String& part : path) {
        if (!out.empty()) out += '\\';
        out += part;
    }
    return out;
}

void WriteValues(const RegKey& key, String& out, long& records) {
    for (const RegValue& v : key.Values) {
        out += "V " + Escape(v.Name) + " ";
        switch (v.Type) {
        case REG_SZ:
            out += "sz " + Escape(v.Data);
            break;
        case REG_EXPAND_SZ:
            out += "expand " + Escape(v.Data);
            break;
        case REG_DWORD:
            out += "dword " + std::to_string(BytesDword(v.Data));
            break;
        default:
            out += "binary " + HexBytes(v.Data);
            break;
        }
        out += '\n';
        ++records;
    }
}

void WriteKey(const RegKey& key, const String& path, String& out, long& records) {
    out += "K " + Escape(path) + "\n";
    ++records;
    WriteValues(key, out, records);
    for (const auto& sub : key.SubKeys)
        WriteKey(*sub, path + "\\" + sub->Name, out, records);
}

String SerializeHive(const RegKey& root) {
    String out = "KVHIVE 1\n";
    long records = 0;
    if (!root.Values.empty()) {
        out += "K =\n";
        ++records;
        WriteValues(root, out, records);
    }
    for (const auto& sub : root.SubKeys)
        WriteKey(*sub, sub->Name, out, records);
    out += "END " + std::to_string(records) + "\n";
    return out;
}

[[noreturn]] void Damaged(const String& file, size_t line, const String& what) {
    throw ERegistryException("Registry file \"" + file + "\" is damaged at line " + std::to_string(line) +
                             " (" + what + "); it is left as it is and no changes are written to it");
}

std::vector<String> Fields(const String& line) {
    std::vector<String> fields;
    size_t start = 0;
    for (;;) {
        size_t sp = line.find(' ', start);
        fields.push_back(line.substr(start, sp == String::npos ? String::npos : sp - start));
        if (sp == String::npos) break;
        start = sp + 1;
    }
    return fields;
}

std::unique_ptr<RegKey> ParseHive(const String& data, const String& file) {
    auto root = std::make_unique<RegKey>();
    RegKey* current = root.get();
    size_t pos = 0, lineNo = 0;
    long records = 0;
    bool ended = false;
    while (pos < data.size()) {
        size_t nl = data.find('\n', pos);
        String line = data.substr(pos, nl == String::npos ? String::npos : nl - pos);
        pos = nl == String::npos ? data.size() : nl + 1;
        ++lineNo;
        if (ended) Damaged(file, lineNo, "text after the end record");
        if (lineNo == 1) {
            if (line != "KVHIVE 1") Damaged(file, lineNo, "not a registry file of a known version");
            continue;
        }
        auto f = Fields(line);
        if (f[0] == "K" && f.size() == 2) {
            String text;
            KeyPath path;
            if (!Unescape(f[1], text) || !SplitPath(text, path)) Damaged(file, lineNo, "bad key path");
            current = WalkCreate(root.get(), path);
            ++records;
        } else if (f[0] == "V" && f.size() == 4) {
            RegOp op;
            op.Op = RegOp::SetValue;
            if (!Unescape(f[1], op.Name)) Damaged(file, lineNo, "bad value name");
            bool ok;
            if (f[2] == "sz" || f[2] == "expand") {
                op.Type = f[2] == "sz" ? REG_SZ : REG_EXPAND_SZ;
                ok = Unescape(f[3], op.Data);
            } else if (f[2] == "dword") {
                std::uint32_t v = 0;
                auto [end, ec] = std::from_chars(f[3].data(), f[3].data() + f[3].size(), v);
                ok = !f[3].empty() && ec == std::errc() && end == f[3].data() + f[3].size();
                op.Type = REG_DWORD;
                op.Data = DwordBytes(v);
            } else if (f[2] == "binary") {
                op.Type = REG_BINARY;
                ok = UnhexBytes(f[3], op.Data);
            } else {
                Damaged(file, lineNo, "unknown value type");
            }
            if (!ok) Damaged(file, lineNo, "bad value data");
            if (RegValue* v = current->Value(op.Name)) {
                v->Type = op.Type;
                v->Data = std::move(op.Data);
            } else {
                current->Values.push_back(
                    {op.Name, detail::FoldNameCase(op.Name), op.Type, std::move(op.Data)});
            }
            ++records;
        } else if (f[0] == "END" && f.size() == 2) {
            if (f[1] != std::to_string(records)) Damaged(file, lineNo, "record count does not match");
            ended = true;
        } else {
            Damaged(file, lineNo, "unknown record");
        }
    }
    if (!ended) Damaged(file, lineNo + 1, "the file is truncated");
    return root;
}

// ---- files and locks ----

class HiveLock {
public:
    HiveLock() = default;
    ~HiveLock() {
        if (FFd >= 0) ::close(FFd); // closing releases the lock
    }
    HiveLock(const HiveLock&) = delete;
    HiveLock& operator=(const HiveLock&) = delete;

    // Returns errno on failure, 0 on success.
    int Acquire(const String& path, bool exclusive) {
        FFd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (FFd < 0) return errno;
        while (::flock(FFd, exclusive ? LOCK_EX : LOCK_SH) != 0) {
            if (errno != EINTR) return errno;
        }
        return 0;
    }

private:
    int FFd = -1;
};

bool Missing(const String& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) != 0 && (errno == ENOENT || errno == ENOTDIR);
}

// Reads and parses a hive; a missing file is an empty hive. The caller holds the lock if any.
std::unique_ptr<RegKey> ReadHiveFile(const String& path) {
    String data;
    try {
        data = ReadFileBytes(path);
    } catch (const EStreamError& e) {
        if (Missing(path)) return std::make_unique<RegKey>();
        throw ERegistryException("Cannot read registry file \"" + path + "\": " + e.Message);
    }
    return ParseHive(data, path);
}

String FolderOf(const String& path) {
    return path.substr(0, path.rfind('/'));
}

} // namespace

// ---- TRegistry ----

TRegistry::TRegistry() : FState(std::make_unique<detail::RegistryState>()) {}

TRegistry::TRegistry(REGSAM AAccess) : TRegistry() {
    FAccess = AAccess;
}

TRegistry::~TRegistry() {
    try {
        CloseKey();
    } catch (const Exception&) {
        // Destruction cannot report; CloseKey would have.
    }
}

String TRegistry::HiveFileName(HKEY Root) {
    const char* name = Root == HKEY_CURRENT_USER    ? "user.hive"
                       : Root == HKEY_LOCAL_MACHINE ? "machine.hive"
                                                    : nullptr;
    if (name == nullptr) return String();
    String dir = SysInfo().GetEnvironmentVariable("KALVENOR_REGISTRY_DIR");
    if (dir.empty()) dir = SysInfo().ConfigFolder();
    if (dir.back() != '/') dir += '/';
    return dir + name;
}

void TRegistry::SetRootKey(HKEY Value) {
    if (Value == FRootKey) return;
    CloseKey();
    FRootKey = Value;
}

void TRegistry::EnsureLoaded() {
    if (FState->Loaded) return;
    String path = HiveFileName(FRootKey);
    std::unique_ptr<RegKey> root;
    if (path.empty() || Missing(path)) {
        root = std::make_unique<RegKey>();
    } else {
        // Without the lock (a read-only folder) reading is still safe: files are replaced whole.
        HiveLock lock;
        lock.Acquire(path + ".lock", false);
        root = ReadHiveFile(path);
    }
    for (const RegOp& op : FState->Pending)
        Apply(*root, op);
    FState->Root = std::move(root);
    FState->Loaded = true;
}

void TRegistry::Flush() {
    if (FState->Pending.empty()) return;
    std::vector<RegOp> ops = std::move(FState->Pending);
    FState->Pending.clear();
    String path = HiveFileName(FRootKey);
    if (path.empty()) return;
    String folder = FolderOf(path);
    if (!ForceDirectories(folder, 0700)) {
        int err = errno;
        throw ERegistryException("Cannot create the registry folder \"" + folder +
                                 "\": " + std::strerror(err));
    }
    HiveLock lock;
    if (int err = lock.Acquire(path + ".lock", true))
        throw ERegistryException("Cannot lock registry file \"" + path + "\": " + std::strerror(err));
    auto root = ReadHiveFile(path);
    for (const RegOp& op : ops)
        Apply(*root, op);
    try {
        WriteFileAtomic(path, SerializeHive(*root), 0600);
    } catch (const EStreamError& e) {
        throw ERegistryException("Cannot write registry file \"" + path + "\": " + e.Message);
    }
}

bool TRegistry::ResolveKey(const String& Key, Path& Result, bool& Relative) const {
    String text = Key;
    Relative = text.empty() || text[0] != '\\';
    if (!Relative) text.erase(0, 1);
    if (!text.empty() && text.back() == '\\') text.pop_back();
    Path parts;
    if (!SplitPath(text, parts)) return false;
    Result = Relative && FCurrentKey != 0 ? FCurrentParts : Path();
    Result.insert(Result.end(), parts.begin(), parts.end());
    return Result.size() <= kMaxDepth;
}

detail::RegKey* TRegistry::CurrentNode() const {
    if (FCurrentKey == 0 || !FState->Loaded) return nullptr;
    return Walk(FState->Root.get(), FCurrentParts);
}

const detail::RegValue* TRegistry::CurrentValue(const String& Name) const {
    RegKey* key = CurrentNode();
    return key != nullptr ? key->Value(Name) : nullptr;
}

void TRegistry::Record(detail::RegOp Op) {
    Apply(*FState->Root, Op);
    FState->Pending.push_back(std::move(Op));
}

bool TRegistry::OpenKey(const String& Key, bool CanCreate) {
    Path path;
    bool relative;
    if (!ResolveKey(Key, path, relative) || HiveFileName(FRootKey).empty()) return false;
    bool underReadOnly = relative && FCurrentKey != 0 && !FCurrentWritable;
    // Write what this object changed, then look at the hive as it is now.
    Flush();
    FState->Loaded = false;
    EnsureLoaded();
    if (Walk(FState->Root.get(), path) == nullptr) {
        if (!CanCreate || underReadOnly) return false;
        Record({RegOp::CreateKey, path, String(), REG_NONE, String()});
    }
    static std::atomic<HKEY> nextHandle{0x1000};
    FCurrentKey = ++nextHandle;
    FCurrentParts = path;
    FCurrentPath = JoinPath(path);
    FCurrentWritable = (FAccess & KEY_SET_VALUE) != 0;
    return true;
}

bool TRegistry::OpenKeyReadOnly(const String& Key) {
    if (!OpenKey(Key, false)) return false;
    FCurrentWritable = false;
    return true;
}

void TRegistry::CloseKey() {
    FCurrentKey = 0;
    FCurrentPath.clear();
    FCurrentParts.clear();
    FCurrentWritable = false;
    FState->Loaded = false;
    Flush();
}

bool TRegistry::CreateKey(const String& Key) {
    Path path;
    bool relative;
    if (!ResolveKey(Key, path, relative) || HiveFileName(FRootKey).empty() ||
        (relative && FCurrentKey != 0 && !FCurrentWritable))
        throw ERegistryException("Failed to create key " + Key);
    EnsureLoaded();
    if (!path.empty()) Record({RegOp::CreateKey, path, String(), REG_NONE, String()});
    Flush();
    if (FCurrentKey == 0) FState->Loaded = false;
    return true;
}

bool TRegistry::DeleteKey(const String& Key) {
    Path path;
    bool relative;
    if (!ResolveKey(Key, path, relative) || path.empty() || HiveFileName(FRootKey).empty()) return false;
    if (relative && FCurrentKey != 0 && !FCurrentWritable) return false;
    EnsureLoaded();
    bool found = Walk(FState->Root.get(), path) != nullptr;
    if (found) {
        Record({RegOp::DeleteKey, path, String(), REG_NONE, String()});
        Flush();
    }
    if (FCurrentKey == 0) FState->Loaded = false;
    return found;
}

bool TRegistry::KeyExists(const String& Key) {
    Path path;
    bool relative;
    if (!ResolveKey(Key, path, relative) || HiveFileName(FRootKey).empty()) return false;
    EnsureLoaded();
    bool found = Walk(FState->Root.get(), path) != nullptr;
    if (FCurrentKey == 0) FState->Loaded = false;
    return found;
}

bool TRegistry::DeleteValue(const String& Name) {
    if (!FCurrentWritable || CurrentValue(Name) == nullptr) return false;
    Record({RegOp::DeleteValue, FCurrentParts, Name, REG_NONE, String()});
    return true;
}

bool TRegistry::ValueExists(const String& Name) {
    return CurrentValue(Name) != nullptr;
}

void TRegistry::GetKeyNames(TStrings* Strings) {
    if (Strings == nullptr) return;
    Strings->BeginUpdate();
    try {
        Strings->Clear();
        if (RegKey* key = CurrentNode())
            for (const auto& sub : key->SubKeys)
                Strings->Add(sub->Name);
    } catch (...) {
        Strings->EndUpdate();
        throw;
    }
    Strings->EndUpdate();
}

void TRegistry::GetValueNames(TStrings* Strings) {
    if (Strings == nullptr) return;
    Strings->BeginUpdate();
    try {
        Strings->Clear();
        if (RegKey* key = CurrentNode())
            for (const RegValue& v : key->Values)
                Strings->Add(v.Name);
    } catch (...) {
        Strings->EndUpdate();
        throw;
    }
    Strings->EndUpdate();
}

namespace {

TRegDataType DataTypeOf(std::uint32_t type) {
    switch (type) {
    case REG_SZ:
        return rdString;
    case REG_EXPAND_SZ:
        return rdExpandString;
    case REG_DWORD:
        return rdInteger;
    case REG_BINARY:
        return rdBinary;
    default:
        return rdUnknown;
    }
}

int DataSizeOf(const RegValue& v) {
    bool text = v.Type == REG_SZ || v.Type == REG_EXPAND_SZ;
    return static_cast<int>(v.Data.size()) + (text ? 1 : 0);
}

} // namespace

bool TRegistry::GetDataInfo(const String& ValueName, TRegDataInfo& Value) {
    Value = TRegDataInfo{};
    const RegValue* v = CurrentValue(ValueName);
    if (v == nullptr) return false;
    Value.RegData = DataTypeOf(v->Type);
    Value.DataSize = DataSizeOf(*v);
    return true;
}

TRegDataType TRegistry::GetDataType(const String& ValueName) {
    TRegDataInfo info;
    return GetDataInfo(ValueName, info) ? info.RegData : rdUnknown;
}

int TRegistry::GetDataSize(const String& ValueName) {
    TRegDataInfo info;
    return GetDataInfo(ValueName, info) ? info.DataSize : -1;
}

void TRegistry::ReadError(const String& Name) const {
    throw ERegistryException("Invalid data type for '" + Name + "'");
}

void TRegistry::GetDataError(const String& Name) const {
    throw ERegistryException("Failed to get data for '" + Name + "'");
}

void TRegistry::PutValue(const String& Name, std::uint32_t Type, const String& Data) {
    if (!FCurrentWritable || CurrentNode() == nullptr)
        throw ERegistryException("Failed to set data for '" + Name + "'");
    Record({RegOp::SetValue, FCurrentParts, Name, Type, Data});
}

String TRegistry::ReadString(const String& Name) {
    const RegValue* v = CurrentValue(Name);
    if (v == nullptr) return String();
    if (v->Type != REG_SZ && v->Type != REG_EXPAND_SZ) ReadError(Name);
    return v->Data;
}

void TRegistry::WriteString(const String& Name, const String& Value) {
    PutValue(Name, REG_SZ, Value);
}

void TRegistry::WriteExpandString(const String& Name, const String& Value) {
    PutValue(Name, REG_EXPAND_SZ, Value);
}

int TRegistry::ReadInteger(const String& Name) {
    const RegValue* v = CurrentValue(Name);
    if (v == nullptr) GetDataError(Name);
    if (v->Type != REG_DWORD) ReadError(Name);
    return static_cast<int>(static_cast<std::int32_t>(BytesDword(v->Data)));
}

void TRegistry::WriteInteger(const String& Name, int Value) {
    PutValue(Name, REG_DWORD, DwordBytes(static_cast<std::uint32_t>(Value)));
}

bool TRegistry::ReadBool(const String& Name) {
    return ReadInteger(Name) != 0;
}

void TRegistry::WriteBool(const String& Name, bool Value) {
    WriteInteger(Name, Value ? 1 : 0);
}

double TRegistry::ReadFloat(const String& Name) {
    const RegValue* v = CurrentValue(Name);
    if (v == nullptr) GetDataError(Name);
    if (v->Type != REG_BINARY || v->Data.size() != sizeof(double)) ReadError(Name);
    double result;
    std::memcpy(&result, v->Data.data(), sizeof result);
    return result;
}

void TRegistry::WriteFloat(const String& Name, double Value) {
    String data(sizeof Value, '\0');
    std::memcpy(data.data(), &Value, sizeof Value);
    PutValue(Name, REG_BINARY, data);
}

int TRegistry::ReadBinaryData(const String& Name, void* Buffer, int BufSize) {
    const RegValue* v = CurrentValue(Name);
    if (v == nullptr) return 0;
    int size = static_cast<int>(v->Data.size());
    int room = Buffer != nullptr ? BufSize : 0;
    if (v->Type != REG_BINARY || size > room) ReadError(Name);
    if (size > 0) std::memcpy(Buffer, v->Data.data(), static_cast<size_t>(size));
    return size;
}

void TRegistry::WriteBinaryData(const String& Name, const void* Buffer, int BufSize) {
    if (BufSize < 0 || (Buffer == nullptr && BufSize > 0))
        throw ERegistryException("Failed to set data for '" + Name + "'");
    String data;
    if (BufSize > 0) data.assign(static_cast<const char*>(Buffer), static_cast<size_t>(BufSize));
    PutValue(Name, REG_BINARY, data);
}

// ---- TRegistryIniFile ----

TRegistryIniFile::TRegistryIniFile(const String& FileName, REGSAM AAccess)
    : TCustomIniFile(FileName), FRegistry(std::make_unique<TRegistry>(AAccess)) {
    FRegistry->OpenKey(FileName, true);
}

TRegistryIniFile::~TRegistryIniFile() = default;

bool TRegistryIniFile::SectionPath(const String& Section, std::vector<String>& Result) const {
    if (FRegistry->CurrentKey() == 0) return false;
    KeyPath parts;
    String text = Section;
    if (!text.empty() && text.back() == '\\') text.pop_back();
    if (!SplitPath(text, parts)) return false;
    Result = FRegistry->FCurrentParts;
    Result.insert(Result.end(), parts.begin(), parts.end());
    return Result.size() <= kMaxDepth;
}

const detail::RegValue* TRegistryIniFile::FindValue(const String& Section, const String& Ident) const {
    KeyPath path;
    if (!SectionPath(Section, path) || !FRegistry->FState->Loaded) return nullptr;
    RegKey* key = Walk(FRegistry->FState->Root.get(), path);
    return key != nullptr ? key->Value(Ident) : nullptr;
}

void TRegistryIniFile::WriteValue(const String& Section, const String& Ident, std::uint32_t Type,
                                  const String& Data) {
    KeyPath path;
    if (!FRegistry->FCurrentWritable || !SectionPath(Section, path) || !FRegistry->FState->Loaded)
        throw ERegistryException("Failed to set data for '" + Ident + "'");
    FRegistry->Record({RegOp::SetValue, path, Ident, Type, Data});
    FRegistry->Flush();
}

String TRegistryIniFile::ReadString(const String& Section, const String& Ident, const String& Default) {
    const RegValue* v = FindValue(Section, Ident);
    if (v == nullptr) return Default;
    if (v->Type == REG_DWORD) return std::to_string(static_cast<std::int32_t>(BytesDword(v->Data)));
    if (v->Type != REG_SZ && v->Type != REG_EXPAND_SZ) FRegistry->ReadError(Ident);
    return v->Data;
}

void TRegistryIniFile::WriteString(const String& Section, const String& Ident, const String& Value) {
    WriteValue(Section, Ident, REG_SZ, Value);
}

int TRegistryIniFile::ReadInteger(const String& Section, const String& Ident, int Default) {
    const RegValue* v = FindValue(Section, Ident);
    if (v == nullptr) return Default;
    if (v->Type == REG_DWORD) return static_cast<std::int32_t>(BytesDword(v->Data));
    if (v->Type != REG_SZ && v->Type != REG_EXPAND_SZ) FRegistry->ReadError(Ident);
    int value;
    return detail::IniTextToInt(v->Data, value) ? value : Default;
}

void TRegistryIniFile::WriteInteger(const String& Section, const String& Ident, int Value) {
    WriteValue(Section, Ident, REG_DWORD, DwordBytes(static_cast<std::uint32_t>(Value)));
}

double TRegistryIniFile::ReadFloat(const String& Section, const String& Ident, double Default) {
    const RegValue* v = FindValue(Section, Ident);
    if (v == nullptr) return Default;
    if (v->Type == REG_BINARY && v->Data.size() == sizeof(double)) {
        double result;
        std::memcpy(&result, v->Data.data(), sizeof result);
        return result;
    }
    if (v->Type != REG_SZ && v->Type != REG_EXPAND_SZ) FRegistry->ReadError(Ident);
    double value;
    return detail::IniTextToFloat(v->Data, value) ? value : Default;
}

void TRegistryIniFile::WriteFloat(const String& Section, const String& Ident, double Value) {
    String data(sizeof Value, '\0');
    std::memcpy(data.data(), &Value, sizeof Value);
    WriteValue(Section, Ident, REG_BINARY, data);
}

void TRegistryIniFile::ReadSection(const String& Section, TStrings* Strings) {
    if (Strings == nullptr) return;
    Strings->BeginUpdate();
    try {
        Strings->Clear();
        KeyPath path;
        RegKey* key = SectionPath(Section, path) && FRegistry->FState->Loaded
                          ? Walk(FRegistry->FState->Root.get(), path)
                          : nullptr;
        if (key != nullptr)
            for (const RegValue& v : key->Values)
                Strings->Add(v.Name);
    } catch (...) {
        Strings->EndUpdate();
        throw;
    }
    Strings->EndUpdate();
}

void TRegistryIniFile::ReadSections(TStrings* Strings) {
    FRegistry->GetKeyNames(Strings);
}

void TRegistryIniFile::ReadSectionValues(const String& Section, TStrings* Strings) {
    if (Strings == nullptr) return;
    TStringList names;
    ReadSection(Section, &names);
    Strings->BeginUpdate();
    try {
        Strings->Clear();
        for (int i = 0; i < names.Count(); ++i)
            Strings->Add(names[i] + "=" + ReadString(Section, names[i], String()));
    } catch (...) {
        Strings->EndUpdate();
        throw;
    }
    Strings->EndUpdate();
}

void TRegistryIniFile::EraseSection(const String& Section) {
    KeyPath path;
    if (Section.empty() || !SectionPath(Section, path) || !FRegistry->FCurrentWritable) return;
    if (Walk(FRegistry->FState->Root.get(), path) == nullptr) return;
    FRegistry->Record({RegOp::DeleteKey, path, String(), REG_NONE, String()});
    FRegistry->Flush();
}

void TRegistryIniFile::DeleteKey(const String& Section, const String& Ident) {
    if (FindValue(Section, Ident) == nullptr || !FRegistry->FCurrentWritable) return;
    KeyPath path;
    SectionPath(Section, path);
    FRegistry->Record({RegOp::DeleteValue, path, Ident, REG_NONE, String()});
    FRegistry->Flush();
}

void TRegistryIniFile::UpdateFile() {
    FRegistry->Flush();
}

} // namespace vcl
