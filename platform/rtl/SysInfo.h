#pragma once
// The system-information service: who and where we run, the platform-version query, the desktop
// theme, font and resolution, the locale's time and date formats, and the environment. One process-wide
// object, SysInfo(); every answer can be overridden (tests do, and the GTK backend sets the theme and the
// desktop font), and Reset() returns to what the machine says.
//
// On this system there is no Windows: the version query reports platform id 0 and version 0.0,
// the Windows and system folders are "" (not available), and renaming the computer is refused.

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <vector>

#include "platform/rtl/Types.h"

namespace vcl {

// The platform's version record (the 148-byte ANSI layout).
struct TOSVersionInfo {
    std::uint32_t dwOSVersionInfoSize = sizeof(TOSVersionInfo);
    std::uint32_t dwMajorVersion = 0;
    std::uint32_t dwMinorVersion = 0;
    std::uint32_t dwBuildNumber = 0;
    std::uint32_t dwPlatformId = 0;
    char szCSDVersion[128] = {};
};
using OSVERSIONINFO = TOSVersionInfo;

// Platform ids of the version record.
constexpr std::uint32_t VER_PLATFORM_WIN32s = 0;
constexpr std::uint32_t VER_PLATFORM_WIN32_WINDOWS = 1;
constexpr std::uint32_t VER_PLATFORM_WIN32_NT = 2;

// The desktop's user-interface font: a family name and a size in points.
struct TDesktopFont {
    String Name;
    int Size = 0;
    bool operator==(const TDesktopFont&) const = default;
};

class TSystemInfo {
public:
    TSystemInfo() = default;
    TSystemInfo(const TSystemInfo&) = delete;
    TSystemInfo& operator=(const TSystemInfo&) = delete;

    // Drops every override; theme listeners stay registered.
    void Reset();

    // The login name of the user running the program.
    String UserName() const;
    void SetUserName(const String& Value) { FUserName = Value; }

    // The host name.
    String ComputerName() const;
    void SetComputerNameOverride(const String& Value) { FComputerName = Value; }
    // We never rename the machine: always false, nothing changes.
    bool SetComputerName(const String& Value);

    // TEMP, else TMPDIR, else "/tmp"; always ends with "/".
    String TempFolder() const;
    // HOME, else the user database's home folder; no trailing "/".
    String HomeFolder() const;
    // $XDG_CONFIG_HOME/kalvenor/ (when absolute), else <home>/.config/kalvenor/; ends with "/".
    String ConfigFolder() const;
    // No Windows folders here: "".
    String WindowsDirectory() const { return String(); }
    String SystemDirectory() const { return String(); }
    // The running program's file (/proc/self/exe), "" when it cannot be read.
    String ProgramPath() const;

    // The variable's value, "" when unset. An override (set or unset) hides the real environment.
    String GetEnvironmentVariable(const String& Name) const;
    bool EnvironmentVariableExists(const String& Name) const;
    // Overrides a variable for this process' readers; std::nullopt makes it read as unset.
    void SetEnvironmentOverride(const String& Name, std::optional<String> Value);
    void ClearEnvironmentOverride(const String& Name);

    // The platform-version query. Fills Info (its size field is kept as the caller set it) and
    // returns true; false, leaving Info untouched, when tests make the query fail.
    bool GetVersionEx(TOSVersionInfo& Info) const;
    // Major, minor, build, platform id and service-pack text (cut to 127 bytes).
    void SetVersion(std::uint32_t Major, std::uint32_t Minor, std::uint32_t Build, std::uint32_t PlatformId,
                    const String& CSDVersion);
    void SetVersionQueryFails(bool Value) { FVersionQueryFails = Value; }

    // Whether the system counts as Vista or later (picks "Segoe UI" over "Tahoma").
    bool IsVista() const { return FIsVista; }
    void SetIsVista(bool Value) { FIsVista = Value; }

    // The desktop's visual style: active or not, and its colour-scheme name ("NormalColor", ...).
    bool IsThemeActive() const { return FThemeActive; }
    String CurrentThemeName() const { return FThemeName; }
    // Changes the theme; when either part differs the change is broadcast to the listeners.
    void SetTheme(bool Active, const String& ColorScheme);
    // Broadcasts a theme change without changing anything (the backend saw one).
    void NotifyThemeChanged();
    // Listeners are called in registration order; one may remove itself or others while called.
    int AddThemeChangeListener(std::function<void()> Listener);
    void RemoveThemeChangeListener(int Id);

    // The desktop's font: set by a test, else what the display's settings say (the backend keeps it in
    // SetSystemDesktopFont), else the platform's own, "Segoe UI" 9 (from Vista on) or "Tahoma" 8.
    TDesktopFont DesktopFont() const;
    // A change is a change of the desktop's settings: it is broadcast to the theme listeners.
    void SetDesktopFont(const TDesktopFont& Value);
    // What the display's settings say, kept without telling anyone (a backend reads it inside its
    // toolkit's callbacks and broadcasts the change later, from its own loop). A font without a name or
    // with a size below 1 is not known.
    void SetSystemDesktopFont(const TDesktopFont& Value) { FSystemDesktopFont = Value; }

    // The screen's pixels per inch; 96 unless set (the platform draws for a 96 pixels-per-inch device).
    // A value below 1 is ignored.
    int ScreenPixelsPerInch() const { return FScreenPixelsPerInch; }
    void SetScreenPixelsPerInch(int Value);

    // The locale's (LC_ALL, else LC_TIME, else LANG, as the environment gives them) long time and short
    // date formats in the framework's format letters, unless set. A format the letters cannot express
    // (names of days or months, say) gives "hh:nn:ss" or "yyyy-mm-dd".
    String LongTimeFormat() const;
    String ShortDateFormat() const;
    void SetLongTimeFormat(std::optional<String> Value) { FLongTimeFormat = std::move(Value); }
    void SetShortDateFormat(std::optional<String> Value) { FShortDateFormat = std::move(Value); }

private:
    std::optional<String> FUserName;
    std::optional<String> FComputerName;
    std::map<String, std::optional<String>> FEnvironment;
    TOSVersionInfo FVersion{};
    bool FVersionQueryFails = false;
    bool FIsVista = true;
    bool FThemeActive = false;
    String FThemeName;
    std::vector<std::pair<int, std::function<void()>>> FThemeListeners;
    int FNextListenerId = 1;
    std::optional<TDesktopFont> FDesktopFont;
    TDesktopFont FSystemDesktopFont;
    int FScreenPixelsPerInch = 96;
    std::optional<String> FLongTimeFormat;
    std::optional<String> FShortDateFormat;
};

// The process-wide service.
TSystemInfo& SysInfo();

} // namespace vcl
