#include "platform/rtl/SysInfo.h"

#include "platform/rtl/LocaleFormats.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <pwd.h>
#include <unistd.h>

namespace vcl {

namespace {

// The user database entry of the effective user, copied out (getpwuid_r is the re-entrant form).
bool LookUpUser(String* name, String* home) {
    long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(size > 0 ? static_cast<size_t>(size) : 16384);
    struct passwd entry {};
    struct passwd* found = nullptr;
    if (::getpwuid_r(::geteuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || found == nullptr)
        return false;
    if (name != nullptr && found->pw_name != nullptr) *name = found->pw_name;
    if (home != nullptr && found->pw_dir != nullptr) *home = found->pw_dir;
    return true;
}

String WithSlash(String path) {
    if (path.empty() || path.back() != '/') path += '/';
    return path;
}

} // namespace

void TSystemInfo::Reset() {
    const TDesktopFont font = DesktopFont();
    FUserName.reset();
    FComputerName.reset();
    FEnvironment.clear();
    FVersion = TOSVersionInfo{};
    FVersionQueryFails = false;
    FIsVista = true;
    FScreenPixelsPerInch = 96;
    FLongTimeFormat.reset();
    FShortDateFormat.reset();
    FDesktopFont.reset();
    SetTheme(false, String());
    if (DesktopFont() != font) NotifyThemeChanged();
}

String TSystemInfo::UserName() const {
    if (FUserName) return *FUserName;
    String name;
    if (LookUpUser(&name, nullptr) && !name.empty()) return name;
    return GetEnvironmentVariable("USER");
}

String TSystemInfo::ComputerName() const {
    if (FComputerName) return *FComputerName;
    char host[256] = {};
    if (::gethostname(host, sizeof host - 1) != 0) return String();
    return String(host);
}

bool TSystemInfo::SetComputerName(const String&) {
    return false;
}

String TSystemInfo::TempFolder() const {
    for (const char* name : {"TEMP", "TMPDIR"}) {
        String value = GetEnvironmentVariable(name);
        if (!value.empty()) return WithSlash(value);
    }
    return "/tmp/";
}

String TSystemInfo::HomeFolder() const {
    String home = GetEnvironmentVariable("HOME");
    if (home.empty()) LookUpUser(nullptr, &home);
    while (home.size() > 1 && home.back() == '/')
        home.pop_back();
    return home;
}

String TSystemInfo::ConfigFolder() const {
    String base = GetEnvironmentVariable("XDG_CONFIG_HOME");
    // The XDG rules ignore a relative value.
    if (base.empty() || base.front() != '/') base = WithSlash(HomeFolder()) + ".config";
    return WithSlash(base) + "kalvenor/";
}

String TSystemInfo::ProgramPath() const {
    std::vector<char> buffer(4096);
    for (;;) {
        ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (n < 0) return String();
        if (static_cast<size_t>(n) < buffer.size()) return String(buffer.data(), static_cast<size_t>(n));
        buffer.resize(buffer.size() * 2);
    }
}

String TSystemInfo::GetEnvironmentVariable(const String& Name) const {
    auto it = FEnvironment.find(Name);
    if (it != FEnvironment.end()) return it->second.value_or(String());
    const char* value = std::getenv(Name.c_str());
    return value != nullptr ? String(value) : String();
}

bool TSystemInfo::EnvironmentVariableExists(const String& Name) const {
    auto it = FEnvironment.find(Name);
    if (it != FEnvironment.end()) return it->second.has_value();
    return std::getenv(Name.c_str()) != nullptr;
}

void TSystemInfo::SetEnvironmentOverride(const String& Name, std::optional<String> Value) {
    FEnvironment[Name] = std::move(Value);
}

void TSystemInfo::ClearEnvironmentOverride(const String& Name) {
    FEnvironment.erase(Name);
}

bool TSystemInfo::GetVersionEx(TOSVersionInfo& Info) const {
    if (FVersionQueryFails) return false;
    std::uint32_t size = Info.dwOSVersionInfoSize;
    Info = FVersion;
    Info.dwOSVersionInfoSize = size;
    return true;
}

void TSystemInfo::SetVersion(std::uint32_t Major, std::uint32_t Minor, std::uint32_t Build,
                             std::uint32_t PlatformId, const String& CSDVersion) {
    FVersion = TOSVersionInfo{};
    FVersion.dwMajorVersion = Major;
    FVersion.dwMinorVersion = Minor;
    FVersion.dwBuildNumber = Build;
    FVersion.dwPlatformId = PlatformId;
    size_t n = std::min(CSDVersion.size(), sizeof FVersion.szCSDVersion - 1);
    std::memcpy(FVersion.szCSDVersion, CSDVersion.data(), n);
}

void TSystemInfo::SetTheme(bool Active, const String& ColorScheme) {
    if (Active == FThemeActive && ColorScheme == FThemeName) return;
    FThemeActive = Active;
    FThemeName = ColorScheme;
    NotifyThemeChanged();
}

void TSystemInfo::NotifyThemeChanged() {
    // Walk a copy of the ids: a listener may add or remove listeners while it runs.
    std::vector<int> ids;
    ids.reserve(FThemeListeners.size());
    for (const auto& entry : FThemeListeners)
        ids.push_back(entry.first);
    for (int id : ids) {
        auto it = std::find_if(FThemeListeners.begin(), FThemeListeners.end(),
                               [id](const auto& entry) { return entry.first == id; });
        if (it == FThemeListeners.end()) continue;
        auto listener = it->second; // keep it alive even if it removes itself
        listener();
    }
}

int TSystemInfo::AddThemeChangeListener(std::function<void()> Listener) {
    int id = FNextListenerId++;
    FThemeListeners.emplace_back(id, std::move(Listener));
    return id;
}

void TSystemInfo::RemoveThemeChangeListener(int Id) {
    std::erase_if(FThemeListeners, [Id](const auto& entry) { return entry.first == Id; });
}

TDesktopFont TSystemInfo::DesktopFont() const {
    if (FDesktopFont) return *FDesktopFont;
    if (!FSystemDesktopFont.Name.empty() && FSystemDesktopFont.Size >= 1) return FSystemDesktopFont;
    return FIsVista ? TDesktopFont{"Segoe UI", 9} : TDesktopFont{"Tahoma", 8};
}

void TSystemInfo::SetDesktopFont(const TDesktopFont& Value) {
    const TDesktopFont before = DesktopFont();
    FDesktopFont = Value;
    if (DesktopFont() != before) NotifyThemeChanged();
}

void TSystemInfo::SetScreenPixelsPerInch(int Value) {
    if (Value >= 1) FScreenPixelsPerInch = Value;
}

namespace {

// The locale the environment names for times and dates, as the C library reads it.
String TimeLocaleName(const TSystemInfo& Info) {
    for (const char* name : {"LC_ALL", "LC_TIME", "LANG"}) {
        String value = Info.GetEnvironmentVariable(name);
        if (!value.empty()) return value;
    }
    return "C";
}

// A format set by a test, else the locale's in the framework's letters, else Fallback.
String LocaleFormat(const TSystemInfo& Info, const std::optional<String>& Set,
                    String TPosixTimeFormats::*Which, const char* Fallback) {
    if (Set) return *Set;
    const TPosixTimeFormats f = PosixTimeFormats(TimeLocaleName(Info));
    String letters = Fallback;
    PosixFormatToLetters(f.*Which, f.AmPmTime, letters);
    return letters;
}

} // namespace

String TSystemInfo::LongTimeFormat() const {
    return LocaleFormat(*this, FLongTimeFormat, &TPosixTimeFormats::Time, "hh:nn:ss");
}

String TSystemInfo::ShortDateFormat() const {
    return LocaleFormat(*this, FShortDateFormat, &TPosixTimeFormats::Date, "yyyy-mm-dd");
}

TSystemInfo& SysInfo() {
    static TSystemInfo instance;
    return instance;
}

} // namespace vcl
