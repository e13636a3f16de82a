#pragma once
// Where a browser control's pages may take it. The control's site is the origin (scheme, host and port)
// of the address the application navigated to last; what the view shows stays on that site: a page cannot
// take the view, or what a post carries, anywhere else, where no address bar would show that the page is
// no longer the site's. That holds for the frames inside a page too (a frame filling the view looks like
// the page itself). A link the user follows to a web or mail address elsewhere is handed to the desktop
// instead; every other way out (a redirect, a form, a script, a new window) is refused. Origins are compared
// as the engine writes them (WebAddress.h), whichever way the application wrote its address.

#include "platform/rtl/Types.h"

namespace vcl::navpolicy {

enum class TVerdict { Allow, Refuse, OpenOutside };

struct TNavigation {
    String URL;
    bool Redirect = false;  // the server sent the navigation on
    bool UserLink = false;  // the user clicked a link
    bool NewWindow = false; // the page asked for a new window
};

// True for an http, https or mailto address with something after the scheme: the addresses the desktop's
// handler may be given.
bool OpenableOutside(const String& URL);

// The verdict for a navigation while the control's site is SiteOrigin (empty: no site yet, anything goes).
TVerdict Decide(const String& SiteOrigin, const TNavigation& Navigation);

} // namespace vcl::navpolicy
