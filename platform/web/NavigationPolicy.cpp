#include "platform/web/NavigationPolicy.h"

#include "platform/rtl/SysUtils.h"
#include "platform/web/FormPost.h"

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
    const bool onSite = formpost::OriginOf(N.URL) == SiteOrigin;
    if (!N.NewWindow && onSite) return TVerdict::Allow;
    // Only a link the user clicked leaves the site, and only to the desktop; a new window of the site
    // itself has nowhere to open.
    if (N.UserLink && !N.Redirect && !onSite && OpenableOutside(N.URL)) return TVerdict::OpenOutside;
    return TVerdict::Refuse;
}

} // namespace vcl::navpolicy
