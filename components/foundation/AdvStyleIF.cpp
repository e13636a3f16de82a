#include "components/foundation/AdvStyleIF.h"

#include "platform/rtl/SysInfo.h"

namespace AdvStyleIF {

bool IsVista() {
    return vcl::SysInfo().IsVista();
}

bool IsWindowsXPOrLater() {
    vcl::TOSVersionInfo info;
    if (!vcl::SysInfo().GetVersionEx(info)) return false;
    return info.dwMajorVersion > 5 || (info.dwMajorVersion == 5 && info.dwMinorVersion >= 1);
}

std::uint8_t DetectThemeScheme() {
    if (!IsWindowsXPOrLater()) return 0;
    const vcl::TSystemInfo& sys = vcl::SysInfo();
    if (!sys.IsThemeActive()) return 0;
    const vcl::String scheme = sys.CurrentThemeName();
    if (scheme == "NormalColor") return 1;
    if (scheme == "HomeStead") return 2;
    if (scheme == "Metallic") return 3;
    return 0;
}

} // namespace AdvStyleIF
