#pragma once
// TExeInfo: the running program's version block, the computer's name, the system's name and a few
// system folders, as published text properties. Filled when the component is created.

#include <cstdint>
#include <optional>
#include <string_view>

#include "platform/classes/Component.h"
#include "platform/classes/Properties.h"

namespace ExeInfo {

using vcl::String;

// Days since 30 December 1899, the fraction being the time of day.
using TDateTime = double;

// The fixed part of a version block (the platform's VS_FIXEDFILEINFO).
struct TFixedFileInfo {
    std::uint32_t dwSignature = 0; // 0xFEEF04BD
    std::uint32_t dwStrucVersion = 0;
    std::uint32_t dwFileVersionMS = 0;
    std::uint32_t dwFileVersionLS = 0;
    std::uint32_t dwProductVersionMS = 0;
    std::uint32_t dwProductVersionLS = 0;
    std::uint32_t dwFileFlagsMask = 0;
    std::uint32_t dwFileFlags = 0;
    std::uint32_t dwFileOS = 0;
    std::uint32_t dwFileType = 0;
    std::uint32_t dwFileSubtype = 0;
    std::uint32_t dwFileDateMS = 0;
    std::uint32_t dwFileDateLS = 0;
};
static_assert(sizeof(TFixedFileInfo) == 52);

// The size of the program's version block (the compiled-in version resource "1"), 0 when it has none.
std::uint32_t GetFileVersionInfoSize(const String& FileName);
// Copies the block into Data (at most Size bytes); false when there is none.
bool GetFileVersionInfo(const String& FileName, std::uint32_t Size, void* Data);
// Looks a value up in a version block: "\" for the fixed part, "\VarFileInfo\Translation", or
// "\StringFileInfo\<translation>\<key>" (names compared without regard to case). Value points into
// the block: the fixed part, the translation words, or the text (UTF-16, Len characters including the
// terminating NUL). False when missing or when the block is malformed.
bool VerQueryValue(const void* Block, std::uint32_t BlockSize, const String& SubBlock, const void** Value,
                   std::uint32_t* Len);

class TExeInfo : public vcl::TComponent {
    KV_CLASS(TExeInfo, vcl::TComponent)
    KV_PUBLISHED_PROPERTIES(TExeInfo)
public:
    explicit TExeInfo(vcl::TComponent* AOwner);

    const String& CompanyName() const { return FCompanyName; }
    const String& FileDescription() const { return FFileDescription; }
    const String& FileVersion() const { return FFileVersion; }
    const String& InternalName() const { return FInternalName; }
    const String& LegalCopyright() const { return FLegalCopyright; }
    const String& LegalTradeMark() const { return FLegalTradeMark; }
    const String& OriginalFileName() const { return FOriginalFileName; }
    const String& ProductName() const { return FProductName; }
    const String& ProductVersion() const { return FProductVersion; }
    const String& Comments() const { return FComments; }
    void SetCompanyName(const String& V) { FCompanyName = V; }
    void SetFileDescription(const String& V) { FFileDescription = V; }
    void SetFileVersion(const String& V) { FFileVersion = V; }
    void SetInternalName(const String& V) { FInternalName = V; }
    void SetLegalCopyright(const String& V) { FLegalCopyright = V; }
    void SetLegalTradeMark(const String& V) { FLegalTradeMark = V; }
    void SetOriginalFileName(const String& V) { FOriginalFileName = V; }
    void SetProductName(const String& V) { FProductName = V; }
    void SetProductVersion(const String& V) { FProductVersion = V; }
    void SetComments(const String& V) { FComments = V; }

    // The fixed part, as the last GetVersionInfo found it.
    std::uint32_t FileFlags() const { return FFileFlags; }
    std::uint32_t FileOS() const { return FFileOS; }
    std::uint32_t FileType() const { return FFileType; }
    TDateTime FileDate() const { return FFileDate; }

    // Reads the system's answer (up to 15 characters; "" when the name is longer or cannot be had).
    virtual String GetComputerName();
    // Renaming the computer is refused by the system here; the component's texts never change.
    virtual void SetComputerName(const String& Value);
    virtual String GetOperatingSystem();
    String GetWinDir();
    String GetSysDir();
    String GetTempDir();
    void SetOSName(const String& V) { FOSName = V; }
    void SetWindowsDir(const String& V) { FWindowsDir = V; }
    void SetSystemDir(const String& V) { FSystemDir = V; }
    void SetTempDir(const String& V) { FTempDir = V; }

    virtual int GetVersionNr() const { return (1 << 24) | (2 << 16); }
    String GetVersion() const;
    void SetVersion(const String&) {}

    // Fills the ten texts and the fixed-part members from the program's version block.
    virtual void GetVersionInfo();

private:
    bool NeverStored() const { return false; }

    String FCompanyName, FFileDescription, FFileVersion, FInternalName, FLegalCopyright, FLegalTradeMark,
        FOriginalFileName, FProductName, FProductVersion, FComments;
    String FComputerName;
    String FOSName, FWindowsDir, FSystemDir, FTempDir;
    std::uint32_t FFileFlags = 0;
    std::uint32_t FFileOS = 0;
    std::uint32_t FFileType = 0;
    TDateTime FFileDate = 0;
};

} // namespace ExeInfo
