#include "platform/web/NavigationPolicy.h"

#include "platform/rtl/SysUtils.h"
#include "platform/web/WebAddress.h"

namespace vcl::navpolicy {

bool OpenableOutside(const String& URL) {
    const String lower = LowerCase(URL.substr(0, 8));
    for (const char* scheme : {"http://", "https://", "mailto:"}) {
        const String prefix = scheme;
        if (lower.rfind(prefix, 0) == 0) return URL.size() > prefix.size();
    }
    return false;
}

TVerdict Decide(const String& SiteOrigin, const TNavigation& N) {
    if (SiteOrigin.empty()) return N.NewWindow ? TVerdict::Refuse : TVerdict::Allow;
    // Both in the engine's form: the site as the application wrote it ("http://127.1:8765/"), the
    // navigation as the engine hands it over ("http://127.0.0.1:8765/..."). A site that cannot be read so
    // keeps nothing on it.
    const String site = webaddress::OriginOf(SiteOrigin);
    const bool onSite = !site.empty() && webaddress::OriginOf(N.URL) == site;
    if (!N.NewWindow && onSite) return TVerdict::Allow;
    // Only a link the user clicked leaves the site, and only to the desktop; a new window of the site
    // itself has nowhere to open.
    if (N.UserLink && !N.Redirect && !onSite && OpenableOutside(N.URL)) return TVerdict::OpenOutside;
    return TVerdict::Refuse;
}

} // namespace vcl::navpolicy
