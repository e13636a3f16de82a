#include "components/foundation/ExeInfo.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "components/foundation/AdvVersion.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/rtl/Resources.h"
#include "platform/rtl/SysInfo.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/Unicode.h"
#include "platform/vcl/Application.h"

namespace ExeInfo {

using namespace vcl;

KV_PUBLISHED(TExeInfo) {
    using E = TExeInfo;
    p.Str("CompanyName", &E::FCompanyName, nullptr).Stored(&E::NeverStored);
    p.Str("FileDescription", &E::FFileDescription, nullptr).Stored(&E::NeverStored);
    p.Str("FileVersion", &E::FFileVersion, nullptr).Stored(&E::NeverStored);
    p.Str("InternalName", &E::FInternalName, nullptr).Stored(&E::NeverStored);
    p.Str("LegalCopyright", &E::FLegalCopyright, nullptr).Stored(&E::NeverStored);
    p.Str("LegalTradeMark", &E::FLegalTradeMark, nullptr).Stored(&E::NeverStored);
    p.Str("OriginalFileName", &E::FOriginalFileName, nullptr).Stored(&E::NeverStored);
    p.Str("ProductName", &E::FProductName, nullptr).Stored(&E::NeverStored);
    p.Str("ProductVersion", &E::FProductVersion, nullptr).Stored(&E::NeverStored);
    p.Str("Comments", &E::FComments, nullptr).Stored(&E::NeverStored);
    p.Str("ComputerName", &E::GetComputerName, &E::SetComputerName).Stored(&E::NeverStored);
    p.Str("OSName", &E::GetOperatingSystem, &E::SetOSName).Stored(&E::NeverStored);
    p.Str("WindowsDir", &E::GetWinDir, &E::SetWindowsDir).Stored(&E::NeverStored);
    p.Str("SystemDir", &E::GetSysDir, &E::SetSystemDir).Stored(&E::NeverStored);
    p.Str("TempDir", &E::GetTempDir, &E::SetTempDir).Stored(&E::NeverStored);
    p.Str("Version", &E::GetVersion, &E::SetVersion);
}

KV_REGISTER_CLASS(TExeInfo)

// ---- The version block

namespace {

constexpr const char* kVersionResource = "1";

std::uint16_t Word16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

std::size_t Align4(std::size_t n) {
    return (n + 3) & ~static_cast<std::size_t>(3);
}

// One node of the block: its key, its value and the range of its children.
struct TNode {
    String Key;
    std::size_t ValueOffset = 0;
    std::size_t ValueBytes = 0;
    std::uint16_t ValueLength = 0; // as stored: bytes for binary values, characters for text
    std::size_t ChildrenOffset = 0;
    std::size_t End = 0;
};

// Reads the node at Offset within [Offset, Limit); nullopt when it does not fit.
std::optional<TNode> ReadNode(const std::uint8_t* b, std::size_t Offset, std::size_t Limit) {
    if (Offset + 6 > Limit) return std::nullopt;
    const std::uint16_t length = Word16(b + Offset);
    const std::uint16_t valueLength = Word16(b + Offset + 2);
    const std::uint16_t type = Word16(b + Offset + 4);
    if (length < 6 || Offset + length > Limit) return std::nullopt;
    TNode n;
    n.End = Offset + length;
    std::size_t p = Offset + 6;
    std::u16string key;
    for (;;) {
        if (p + 2 > n.End) return std::nullopt;
        const char16_t ch = Word16(b + p);
        p += 2;
        if (ch == 0) break;
        key.push_back(ch);
    }
    // Keys are ASCII in practice; anything else is kept as '?', which never matches a query.
    for (char16_t ch : key)
        n.Key.push_back(ch < 0x80 ? static_cast<char>(ch) : '?');
    p = Offset + Align4(p - Offset);
    n.ValueLength = valueLength;
    n.ValueBytes = type == 1 ? static_cast<std::size_t>(valueLength) * 2 : valueLength;
    n.ValueOffset = p;
    if (p + n.ValueBytes > n.End) {
        // A value that claims more than the node holds: keep what there is.
        n.ValueBytes = p <= n.End ? n.End - p : 0;
    }
    n.ChildrenOffset = std::min(n.End, Offset + Align4(p + n.ValueBytes - Offset));
    return n;
}

std::vector<String> SplitPath(const String& Path) {
    std::vector<String> parts;
    String cur;
    for (char c : Path) {
        if (c == '\\') {
            if (!cur.empty()) parts.push_back(cur);
            cur.clear();
        } else {
            cur.push_back(c);
        }
    }
    if (!cur.empty()) parts.push_back(cur);
    return parts;
}

String Utf16ToUtf8(const std::uint8_t* p, std::size_t Chars) {
    std::u16string units;
    for (std::size_t i = 0; i < Chars && Word16(p + i * 2) != 0; ++i)
        units.push_back(static_cast<char16_t>(Word16(p + i * 2)));
    return vcl::Utf16ToUtf8(units);
}

String Hex4(unsigned Value) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%04X", Value & 0xFFFFu);
    return buf;
}

} // namespace

std::uint32_t GetFileVersionInfoSize(const String&) {
    // The program's own file: its version block is the compiled-in version resource.
    const TResourceEntry* e = FindResource(kVersionResource, TResType(RT_VERSION));
    return e ? static_cast<std::uint32_t>(e->Data.size()) : 0;
}

bool GetFileVersionInfo(const String&, std::uint32_t Size, void* Data) {
    const TResourceEntry* e = FindResource(kVersionResource, TResType(RT_VERSION));
    if (!e || !Data) return false;
    std::memcpy(Data, e->Data.data(), std::min<std::size_t>(Size, e->Data.size()));
    return true;
}

bool VerQueryValue(const void* Block, std::uint32_t BlockSize, const String& SubBlock, const void** Value,
                   std::uint32_t* Len) {
    if (!Block || !Value || !Len) return false;
    const auto* b = static_cast<const std::uint8_t*>(Block);
    std::optional<TNode> node = ReadNode(b, 0, BlockSize);
    if (!node) return false;
    for (const String& part : SplitPath(SubBlock)) {
        std::optional<TNode> found;
        std::size_t p = node->ChildrenOffset;
        while (p < node->End) {
            std::optional<TNode> child = ReadNode(b, p, node->End);
            if (!child) return false;
            if (SameText(child->Key, part)) {
                found = child;
                break;
            }
            p = std::min(node->End, Align4(child->End));
        }
        if (!found) return false;
        node = found;
    }
    if (node->ValueBytes == 0) return false;
    *Value = b + node->ValueOffset;
    *Len = node->ValueLength;
    return true;
}

// ---- The component

TExeInfo::TExeInfo(TComponent* AOwner) : TComponent(AOwner) {
    const String updated = "Updated at run-time";
    for (String* s : {&FCompanyName, &FFileDescription, &FFileVersion, &FInternalName, &FLegalCopyright,
                      &FLegalTradeMark, &FOriginalFileName, &FProductName, &FProductVersion, &FComments})
        *s = updated;
    if (!ComponentState().Contains(csDesigning)) {
        GetVersionInfo();
        FComputerName = GetComputerName();
    }
}

void TExeInfo::GetVersionInfo() {
    const String path = Application ? Application->ExeName() : SysInfo().ProgramPath();
    const std::uint32_t size = GetFileVersionInfoSize(path);
    if (size == 0) return;
    std::vector<std::uint8_t> buffer(size);
    if (!GetFileVersionInfo(path, size, buffer.data())) return;

    const void* value = nullptr;
    std::uint32_t len = 0;
    if (VerQueryValue(buffer.data(), size, "\\", &value, &len) && len >= sizeof(TFixedFileInfo)) {
        TFixedFileInfo fixed;
        std::memcpy(&fixed, value, sizeof fixed);
        FFileFlags = fixed.dwFileFlags & fixed.dwFileFlagsMask;
        FFileOS = fixed.dwFileOS;
        FFileType = fixed.dwFileType;
        // A file time counts 100-nanosecond units from 1 January 1601, which is 109205 days before
        // the date-time's day 0.
        const std::uint64_t ft = (static_cast<std::uint64_t>(fixed.dwFileDateMS) << 32) | fixed.dwFileDateLS;
        FFileDate = static_cast<double>(ft) / 864000000000.0 - 109205.0;
    }

    String translation;
    if (VerQueryValue(buffer.data(), size, "\\VarFileInfo\\Translation", &value, &len) && len >= 4) {
        const auto* w = static_cast<const std::uint8_t*>(value);
        translation = Hex4(Word16(w)) + Hex4(Word16(w + 2));
    } else {
        // No translation table: no string can be found, so every text is empty.
        translation = "????????";
    }

    const std::pair<String*, const char*> keys[] = {
        {&FCompanyName, "CompanyName"},           {&FFileDescription, "FileDescription"},
        {&FFileVersion, "FileVersion"},           {&FInternalName, "InternalName"},
        {&FLegalCopyright, "LegalCopyright"},     {&FLegalTradeMark, "LegalTradeMarks"},
        {&FOriginalFileName, "OriginalFileName"}, {&FProductName, "ProductName"},
        {&FProductVersion, "ProductVersion"},     {&FComments, "Comments"}};
    for (const auto& [text, key] : keys) {
        const String query = "StringFileInfo\\" + translation + "\\" + key;
        if (VerQueryValue(buffer.data(), size, query, &value, &len)) {
            const auto* start = static_cast<const std::uint8_t*>(value);
            const std::size_t room = static_cast<std::size_t>(buffer.data() + size - start) / 2;
            *text = Utf16ToUtf8(start, std::min<std::size_t>(len, room));
        } else {
            text->clear();
        }
    }
}

String TExeInfo::GetComputerName() {
    const String name = SysInfo().ComputerName();
    // The platform's 16-character buffer: a longer name makes the query fail.
    if (name.size() > 15) return String();
    return name;
}

void TExeInfo::SetComputerName(const String& Value) {
    if (Value.size() > 15) return; // would not fit the platform's buffer: refused
    SysInfo().SetComputerName(Value);
}

String TExeInfo::GetOperatingSystem() {
    TOSVersionInfo info;
    if (!SysInfo().GetVersionEx(info)) return "Unknown";
    const unsigned major = info.dwMajorVersion, minor = info.dwMinorVersion;
    if (info.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS && major == 4) {
        if (minor == 0) return "Windows 95";
        if (minor == 10) return info.szCSDVersion[1] == 'A' ? "Windows 98 SE" : "Windows 98";
        if (minor == 90) return "Windows ME";
    }
    if (info.dwPlatformId == VER_PLATFORM_WIN32_NT) {
        if (major < 5) return "Windows NT";
        if (major == 5 && minor == 0) return "Windows 2000";
        if (major == 5 && minor == 1) return "Windows XP";
        if (major == 5 && minor == 2) return "Windows 2003";
        if (major == 6) return "Windows Vista";
    }
    return "Unknown";
}

String TExeInfo::GetWinDir() {
    const String dir = SysInfo().WindowsDirectory();
    if (dir.empty() || dir.size() > 260) return String();
    return dir + "\\";
}

String TExeInfo::GetSysDir() {
    const String dir = SysInfo().SystemDirectory();
    if (dir.empty() || dir.size() > 260) return String();
    return dir + "\\";
}

String TExeInfo::GetTempDir() {
    const String dir = SysInfo().TempFolder();
    if (dir.size() > 260) return String();
    return dir;
}

String TExeInfo::GetVersion() const {
    return AdvVersion::VersionText(static_cast<std::uint32_t>(GetVersionNr()));
}

} // namespace ExeInfo
