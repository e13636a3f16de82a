// Where a browser control's pages may take it: the site's own addresses, a user's link elsewhere handed
// to the desktop, every other way off the site refused.

#include <gtest/gtest.h>

#include "platform/web/NavigationPolicy.h"

namespace {

using namespace vcl::navpolicy;
using vcl::String;

const String Site = "http://127.0.0.1:8765/";

TNavigation To(const String& Url) {
    TNavigation n;
    n.URL = Url;
    return n;
}

TNavigation Link(const String& Url) {
    TNavigation n = To(Url);
    n.UserLink = true;
    return n;
}

TEST(NavigationPolicy, TheSitesOwnAddressesAreFollowedWhateverLeadsThere) {
    EXPECT_EQ(Decide(Site, To("http://127.0.0.1:8765/user_home.php?agenting=true")), TVerdict::Allow);
    EXPECT_EQ(Decide(Site, Link("HTTP://127.0.0.1:8765/faq.php")), TVerdict::Allow)
        << "scheme and host in any case";
    TNavigation redirect = To("http://127.0.0.1:8765/registration.php?done=welcome");
    redirect.Redirect = true;
    EXPECT_EQ(Decide(Site, redirect), TVerdict::Allow);
}

TEST(NavigationPolicy, AnotherSchemeHostOrPortIsAnotherSite) {
    for (const char* url : {"https://127.0.0.1:8765/", "http://localhost:8765/", "http://127.0.0.1:8766/",
                            "http://127.0.0.1/", "http://127.0.0.1:8765.evil.example/", "file:///etc/passwd",
                            "about:blank", "data:text/html,<p>x</p>", "javascript:alert(1)"})
        EXPECT_EQ(Decide(Site, To(url)), TVerdict::Refuse) << url;
}

TEST(NavigationPolicy, ASiteWrittenOtherwiseHasTheAddressesTheEngineWritesForIt) {
    // The site as the application wrote it, a page of it as the engine reports it.
    const std::pair<const char*, const char*> same[] = {
        {"http://127.1:8765/", "http://127.0.0.1:8765/user_home.php?agenting=true"},
        {"HTTP://LOCALHOST:8765/", "http://localhost:8765/faq.php"},
        {"http://localhost:80/", "http://localhost/faq.php"},
        {"https://Service.Example:443/", "https://service.example/x.php"},
        {"http://B\u00DCCHER.de/", "http://xn--bcher-kva.de/x.php"},
        {"http://[0:0:0:0:0:0:0:1]:8765/", "http://[::1]:8765/x.php"}};
    for (const auto& [site, page] : same)
        EXPECT_EQ(Decide(site, To(page)), TVerdict::Allow) << site << " " << page;
}

TEST(NavigationPolicy, OriginsTheEngineTellsApartStayApart) {
    const std::pair<const char*, const char*> apart[] = {
        {"http://fa\u00DF.de/", "http://fass.de/"},  {"http://\u03C2.gr/", "http://xn--4xa.gr/"},
        {"http://localhost./", "http://localhost/"}, {"http://127.1/", "http://127.0.0.2/"},
        {"http://host:80/", "http://host:8080/"},    {"https://host:443/", "http://host/"},
        {"http://user@host/", "http://user.host/"},  {"http://[::1]/", "http://127.0.0.1/"}};
    for (const auto& [site, page] : apart) {
        EXPECT_EQ(Decide(site, To(page)), TVerdict::Refuse) << site << " " << page;
        EXPECT_EQ(Decide(page, To(site)), TVerdict::Refuse) << page << " " << site;
    }
    // A site that cannot be read keeps nothing on it, its own address neither; a link still leaves.
    EXPECT_EQ(Decide("http://1.2.3.4.5/", To("http://1.2.3.4.5/x.php")), TVerdict::Refuse);
    EXPECT_EQ(Decide("http://1.2.3.4.5/", Link("https://bank.example/")), TVerdict::OpenOutside);
}

TEST(NavigationPolicy, OnlyAUsersLinkToAWebOrMailAddressLeavesAndOnlyToTheDesktop) {
    EXPECT_EQ(Decide(Site, Link("https://bank.example/login")), TVerdict::OpenOutside);
    EXPECT_EQ(Decide(Site, Link("mailto:admin@kalvenor.example")), TVerdict::OpenOutside);
    EXPECT_EQ(Decide(Site, Link("file:///home/user/.ssh/id_rsa")), TVerdict::Refuse);
    EXPECT_EQ(Decide(Site, Link("kalvenor-helper://run")), TVerdict::Refuse);
    EXPECT_EQ(Decide(Site, Link("mailto:")), TVerdict::Refuse) << "nothing to open";
    // A redirect on the way, or a script's navigation without the user, never leaves.
    TNavigation redirected = Link("https://bank.example/login");
    redirected.Redirect = true;
    EXPECT_EQ(Decide(Site, redirected), TVerdict::Refuse);
    EXPECT_EQ(Decide(Site, To("mailto:admin@kalvenor.example")), TVerdict::Refuse);
}

TEST(NavigationPolicy, NewWindowsOpenNowhereButALinkElsewhereGoesToTheDesktop) {
    TNavigation own = Link("http://127.0.0.1:8765/faq.php");
    own.NewWindow = true;
    EXPECT_EQ(Decide(Site, own), TVerdict::Refuse);
    TNavigation away = Link("https://example.com/");
    away.NewWindow = true;
    EXPECT_EQ(Decide(Site, away), TVerdict::OpenOutside);
    TNavigation popup = To("https://example.com/");
    popup.NewWindow = true;
    EXPECT_EQ(Decide(Site, popup), TVerdict::Refuse);
}

TEST(NavigationPolicy, BeforeTheFirstNavigationThereIsNoSiteToKeepTo) {
    EXPECT_EQ(Decide("", To("https://example.com/")), TVerdict::Allow);
    TNavigation popup = To("https://example.com/");
    popup.NewWindow = true;
    EXPECT_EQ(Decide("", popup), TVerdict::Refuse);
}

} // namespace
