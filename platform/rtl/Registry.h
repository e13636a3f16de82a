#pragma once
// The registry: TRegistry over a per-user hive file, and TRegistryIniFile, INI-style access to a key.
//
// Where the hives live: one file per root key in the folder named by KALVENOR_REGISTRY_DIR, else in
// the configuration folder ($XDG_CONFIG_HOME/kalvenor/ or ~/.config/kalvenor/): "user.hive" for
// HKEY_CURRENT_USER and "machine.hive" for HKEY_LOCAL_MACHINE. Other roots hold nothing: opening
// a key under them fails. The folder is made with mode 0700, a hive is written with mode 0600.
//
// Hive format (UTF-8 text, one record a line, fields separated by one space):
//
//     KVHIVE 1
//     K =Software\Orvandel\Kalvenor          a key, by its full path; values below belong to it
//     V =Top dword 12                        a 32-bit integer, decimal, unsigned
//     V =Login sz =joe%20smith               a string
//     V =Path expand =%25HOME%25\bin         a string holding environment references
//     V =Blob binary =00ff10                 bytes, in hexadecimal
//     END 5                                  the number of K and V records: proof of a whole file
//
// Texts (paths, names, string data) begin with "=" and write bytes below 0x21, "%" and 0x7F as
// "%XX". Every key is listed, empty ones too; parents come before children. A file that breaks
// any of these rules (a truncated one lacks its END record) is reported as damaged with its line
// number, and is never overwritten: writes are refused with the same error until it is repaired
// or removed. So is anything in the hive's place that is not a regular file (a folder, a FIFO, a
// device): it is never waited on, read or written over.
//
// Each OpenKey reads the hive afresh. Changes are kept by the object and written when the key is
// closed (CloseKey, opening another key, destruction); CreateKey and DeleteKey are written at once.
// A write takes an exclusive lock (flock on "<hive>.lock"), reads the hive again, applies this
// object's changes to it and replaces the file atomically, so that processes never lose each
// other's changes. Errors while writing from the destructor are swallowed; call CloseKey to see them.
//
// Key and value names match without regard to case; the case first written is kept. Keys nest at
// most 512 deep, as on the platform. Missing values: ReadString gives ""; ReadInteger, ReadBool
// and ReadFloat raise ERegistryException "Failed to get data for '<name>'". A value of another type
// raises "Invalid data type for '<name>'". Writing with no key open or into a key opened read-only
// raises "Failed to set data for '<name>'".

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/rtl/IniFiles.h"
#include "platform/rtl/Object.h"
#include "platform/rtl/Types.h"

namespace vcl {

class TStrings;

using HKEY = std::uintptr_t;
constexpr HKEY HKEY_CLASSES_ROOT = 0x80000000u;
constexpr HKEY HKEY_CURRENT_USER = 0x80000001u;
constexpr HKEY HKEY_LOCAL_MACHINE = 0x80000002u;
constexpr HKEY HKEY_USERS = 0x80000003u;
constexpr HKEY HKEY_PERFORMANCE_DATA = 0x80000004u;
constexpr HKEY HKEY_CURRENT_CONFIG = 0x80000005u;
constexpr HKEY HKEY_DYN_DATA = 0x80000006u;

using REGSAM = std::uint32_t;
constexpr REGSAM KEY_QUERY_VALUE = 0x0001;
constexpr REGSAM KEY_SET_VALUE = 0x0002;
constexpr REGSAM KEY_CREATE_SUB_KEY = 0x0004;
constexpr REGSAM KEY_ENUMERATE_SUB_KEYS = 0x0008;
constexpr REGSAM KEY_NOTIFY = 0x0010;
constexpr REGSAM KEY_CREATE_LINK = 0x0020;
constexpr REGSAM KEY_WOW64_64KEY = 0x0100;
constexpr REGSAM KEY_WOW64_32KEY = 0x0200;
constexpr REGSAM KEY_READ = 0x20019;
constexpr REGSAM KEY_WRITE = 0x20006;
constexpr REGSAM KEY_EXECUTE = KEY_READ;
constexpr REGSAM KEY_ALL_ACCESS = 0xF003F;

// The platform's value types, as stored.
constexpr std::uint32_t REG_NONE = 0;
constexpr std::uint32_t REG_SZ = 1;
constexpr std::uint32_t REG_EXPAND_SZ = 2;
constexpr std::uint32_t REG_BINARY = 3;
constexpr std::uint32_t REG_DWORD = 4;

enum TRegDataType { rdUnknown, rdString, rdExpandString, rdInteger, rdBinary };

struct TRegDataInfo {
    TRegDataType RegData = rdUnknown;
    // Bytes: strings count a terminating NUL, integers 4.
    int DataSize = 0;
};

namespace detail {
struct RegistryState;
struct RegKey;
struct RegValue;
struct RegOp;
} // namespace detail

class TRegistry : public TObject {
    KV_CLASS(TRegistry, TObject)
public:
    TRegistry();
    explicit TRegistry(REGSAM AAccess);
    ~TRegistry() override;

    // Where a root's hive is kept (a root without a hive gives "").
    static String HiveFileName(HKEY Root);

    HKEY RootKey() const { return FRootKey; }
    // Closes the open key first.
    void SetRootKey(HKEY Value);
    REGSAM Access() const { return FAccess; }
    void SetAccess(REGSAM Value) { FAccess = Value; }
    // Non-zero while a key is open.
    HKEY CurrentKey() const { return FCurrentKey; }
    // The open key's path from the root, without a leading "\"; "" when none is open.
    String CurrentPath() const { return FCurrentPath; }

    // Opens Key (relative to the open key unless it starts with "\"), creating it and its
    // missing parents when CanCreate. False when it does not exist and was not created.
    bool OpenKey(const String& Key, bool CanCreate);
    bool OpenKeyReadOnly(const String& Key);
    // Writes the changes and closes the key.
    void CloseKey();
    // Creates the key (and its parents) without opening it; raises "Failed to create key <key>".
    bool CreateKey(const String& Key);
    // Deletes the key with all its subkeys and values; false when it does not exist.
    bool DeleteKey(const String& Key);
    bool KeyExists(const String& Key);
    bool DeleteValue(const String& Name);
    bool ValueExists(const String& Name);

    // Replace the contents of Strings (subkeys sorted, values in the order written).
    void GetKeyNames(TStrings* Strings);
    void GetValueNames(TStrings* Strings);

    bool GetDataInfo(const String& ValueName, TRegDataInfo& Value);
    TRegDataType GetDataType(const String& ValueName);
    // -1 when the value does not exist.
    int GetDataSize(const String& ValueName);

    String ReadString(const String& Name);
    void WriteString(const String& Name, const String& Value);
    void WriteExpandString(const String& Name, const String& Value);
    int ReadInteger(const String& Name);
    void WriteInteger(const String& Name, int Value);
    bool ReadBool(const String& Name);
    // Stored as the integer 1 or 0.
    void WriteBool(const String& Name, bool Value);
    // Stored as 8 bytes of binary data.
    double ReadFloat(const String& Name);
    void WriteFloat(const String& Name, double Value);
    // Copies a binary value into Buffer and returns its size (0 when missing); raises the
    // invalid-data-type error for another type or a value larger than BufSize.
    int ReadBinaryData(const String& Name, void* Buffer, int BufSize);
    void WriteBinaryData(const String& Name, const void* Buffer, int BufSize);

private:
    friend class TRegistryIniFile;
    using Path = std::vector<String>;

    void EnsureLoaded();
    void Flush();
    // Resolves Key against the open key; false when it is not a valid key name.
    bool ResolveKey(const String& Key, Path& Result, bool& Relative) const;
    detail::RegKey* CurrentNode() const;
    const detail::RegValue* CurrentValue(const String& Name) const;
    // Applies a change to the loaded hive and keeps it for the next write.
    void Record(detail::RegOp Op);
    void PutValue(const String& Name, std::uint32_t Type, const String& Data);
    [[noreturn]] void ReadError(const String& Name) const;
    [[noreturn]] void GetDataError(const String& Name) const;

    std::unique_ptr<detail::RegistryState> FState;
    HKEY FRootKey = HKEY_CURRENT_USER;
    REGSAM FAccess = KEY_ALL_ACCESS;
    HKEY FCurrentKey = 0;
    String FCurrentPath;
    Path FCurrentParts;
    bool FCurrentWritable = false;
};

// A TCustomIniFile over the registry key named by FileName (opened, created when missing, under
// HKEY_CURRENT_USER): sections are its subkeys and entries their values. Integers are written as
// integer values; ReadInteger reads an integer value or converts a string one. ReadString gives an
// integer value as decimal text. Floats are 8-byte binary values. Every write goes to the hive at once.
class TRegistryIniFile : public TCustomIniFile {
    KV_CLASS(TRegistryIniFile, TCustomIniFile)
public:
    explicit TRegistryIniFile(const String& FileName, REGSAM AAccess = KEY_ALL_ACCESS);
    ~TRegistryIniFile() override;

    TRegistry* RegIniFile() const { return FRegistry.get(); }

    String ReadString(const String& Section, const String& Ident, const String& Default) override;
    void WriteString(const String& Section, const String& Ident, const String& Value) override;
    int ReadInteger(const String& Section, const String& Ident, int Default) override;
    void WriteInteger(const String& Section, const String& Ident, int Value) override;
    double ReadFloat(const String& Section, const String& Ident, double Default) override;
    void WriteFloat(const String& Section, const String& Ident, double Value) override;
    void ReadSection(const String& Section, TStrings* Strings) override;
    void ReadSections(TStrings* Strings) override;
    void ReadSectionValues(const String& Section, TStrings* Strings) override;
    void EraseSection(const String& Section) override;
    void DeleteKey(const String& Section, const String& Ident) override;
    void UpdateFile() override;

private:
    // The section's subkey path below the file's key; false when Section is not a key name.
    bool SectionPath(const String& Section, std::vector<String>& Result) const;
    const detail::RegValue* FindValue(const String& Section, const String& Ident) const;
    void WriteValue(const String& Section, const String& Ident, std::uint32_t Type, const String& Data);

    std::unique_ptr<TRegistry> FRegistry;
};

} // namespace vcl
