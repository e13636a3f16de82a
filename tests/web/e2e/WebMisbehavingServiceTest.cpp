// End to end: the browser control against a service that answers badly or maliciously (the demo service's
// misbehaviours), on the GTK backend under Xvfb. Failures fail, nothing is downloaded, a post's helper
// document is never seen, and the pages stay on the site.

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "platform/rtl/FileUtil.h"
#include "tests/web/e2e/WebE2EFixture.h"

namespace {

using namespace vcl;
using kvweb::DemoService;
using kvweb::Seen;

class WebMisbehaving : public kvweb::WebEndToEnd {
protected:
    // The one failure of the navigation, after it ended (failing the test when it completed instead).
    Seen FailureOf(const String& Url) {
        EXPECT_TRUE(WaitForEnd()) << Url;
        kvweb::Pump(300);
        EXPECT_TRUE(Completes().empty()) << "a failure never completes as a document: " << Url;
        auto errors = Of(Seen::Error);
        EXPECT_EQ(errors.size(), 1u) << Url;
        return errors.empty() ? Seen{} : errors[0];
    }
    String OtherUrl(const String& Page) const { return DemoService::Other().Base() + Page; }
    // A page of the service's own text.
    static String PageOf(const String& Page, const String& Body) {
        return R"({")" + Page + R"(": {"body": ")" + Body + R"("}})";
    }
};

// Every file under the folder, with its bytes.
std::set<std::pair<String, String>> FilesIn(const String& Folder) {
    std::set<std::pair<String, String>> out;
    std::error_code ec;
    for (auto it = std::filesystem::recursive_directory_iterator(Folder, ec);
         !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec))
        if (it->is_regular_file() && it->path().string().find("/.cache/") == String::npos &&
            it->path().string().find("/.local/") == String::npos)
            out.emplace(it->path().string(), ReadFileBytes(it->path().string()));
    return out;
}

TEST_F(WebMisbehaving, AnErrorStatusOrAnAnswerThatCannotBeReadFailsWithItsReason) {
    struct Case {
        const char* Json;
        int Code;
    } cases[] = {
        {R"({"faq.php": {"status": 500}})", 500},
        {R"({"faq.php": {"status": 404}})", 404},
        {R"({"faq.php": {"raw": "this is no HTTP at all\r\n\r\n"}})", navErrorBadAnswer},
        {R"({"faq.php": {"status": 302, "headers": {"Location": "faq.php?agenting=true"}}})",
         navErrorBadAnswer},
    };
    for (const Case& c : cases) {
        Events.clear();
        DemoService::Get().Misbehave(c.Json);
        const String url = Url("faq.php?agenting=true");
        Browser->Navigate(url);
        Seen failure = FailureOf(url);
        EXPECT_EQ(failure.Value, c.Code) << c.Json;
        EXPECT_EQ(failure.Url, url);
        EXPECT_FALSE(failure.Busy);
        EXPECT_EQ(Browser->Document(), nullptr) << c.Json;
    }
}

TEST_F(WebMisbehaving, AnAnswerToSaveOrThatCannotBeShownIsRefusedAndNothingIsDownloaded) {
    // A file of the name the service suggests is already in the download folder: it stays as it is.
    const String kept = kvweb::HomeDir() + "/Downloads/statement.txt";
    WriteFileAtomic(kept, "mine", 0600);
    const auto before = FilesIn(kvweb::HomeDir());
    const char* cases[] = {
        R"({"faq.php": {"headers": {"Content-Type": "text/plain", "Content-Disposition": "attachment; filename=\"statement.txt\""}, "body": "theirs"}})",
        R"({"faq.php": {"headers": {"Content-Type": "application/octet-stream"}, "body": "theirs"}})",
    };
    for (const char* json : cases) {
        Events.clear();
        DemoService::Get().Misbehave(json);
        const String url = Url("faq.php?agenting=true");
        Browser->Navigate(url);
        EXPECT_EQ(FailureOf(url).Value, navErrorRefusedContent) << json;
    }
    // A page's own link to save a file starts no download either.
    Events.clear();
    DemoService::Get().Misbehave(PageOf("faq.php", "<a id='a' href='contacts.php?agenting=true' "
                                                   "download='statement.txt'>save</a><script>"
                                                   "document.getElementById('a').click();</script>"));
    Browser->Navigate(Url("faq.php?agenting=true"));
    ASSERT_TRUE(WaitForTop("faq.php"));
    kvweb::Pump(1000); // a download would have been written by now
    EXPECT_EQ(FilesIn(kvweb::HomeDir()), before) << "no file made, changed or removed under HOME";
    EXPECT_EQ(ReadFileBytes(kept), "mine");
}

TEST_F(WebMisbehaving, APostWhoseAnswerIsRefusedNeverShowsItsHelperDocument) {
    DemoService::Get().Misbehave(
        R"({"user_home.php": {"headers": {"Content-Type": "application/octet-stream"}}})");
    const String url = Url("user_home.php?agenting=true");
    Post("user_home.php?agenting=true", "login=demo&pass=hidden123");
    Seen failure = FailureOf(url);
    EXPECT_EQ(failure.Value, navErrorRefusedContent);
    EXPECT_EQ(failure.Location, url) << "the helper's address never shows";
    EXPECT_TRUE(failure.TopHtml.empty()) << "no document after a failure";
    for (const Seen& e : Events) {
        EXPECT_EQ(e.Html.find("hidden123"), String::npos);
        EXPECT_EQ(e.TopHtml.find("hidden123"), String::npos);
    }
    EXPECT_EQ(Browser->Document(), nullptr);
    // The post did reach the service: it is its answer that was refused.
    ASSERT_FALSE(DemoService::Get().RequestsFor("/user_home.php").empty());
}

TEST_F(WebMisbehaving, APostRedirectedToAnotherSiteIsNotFollowed) {
    for (int status : {307, 308, 302}) {
        Events.clear();
        DemoService::Get().Misbehave(R"({"user_home.php": {"status": )" + std::to_string(status) +
                                     R"(, "headers": {"Location": ")" +
                                     OtherUrl("user_home.php?agenting=true") + R"("}}})");
        Post("user_home.php?agenting=true", "login=demo&pass=demo123");
        EXPECT_EQ(FailureOf(Url("user_home.php?agenting=true")).Value, navErrorOtherOrigin) << status;
    }
    EXPECT_TRUE(DemoService::Other().Requests().empty()) << "nothing reaches the other site";
}

TEST_F(WebMisbehaving, HttpAuthenticationIsRefusedWithoutAskingAnybody) {
    DemoService::Get().Misbehave(
        R"({"faq.php": {"status": 401, "headers": {"WWW-Authenticate": "Basic realm=\"members\""}}})");
    const String url = Url("faq.php?agenting=true");
    Browser->Navigate(url);
    EXPECT_EQ(FailureOf(url).Value, 401);
}

TEST_F(WebMisbehaving, ALinkToAnotherSiteGoesToTheApplicationAndThePageStays) {
    if (!kvweb::Xdo("version")) GTEST_SKIP() << "needs xdotool";
    const String target = OtherUrl("catalog.php?agenting=true");
    DemoService::Get().Misbehave(
        PageOf("faq.php", "<a href='" + target + "' style='display:block;width:100%;height:600px'>away</a>"));
    Browser->Navigate(Url("faq.php?agenting=true"));
    ASSERT_TRUE(WaitForTop("faq.php"));
    ASSERT_TRUE(kvweb::FocusNativeWindow(Form->Handle()));
    TPoint o = Browser->ClientOrigin();
    ASSERT_TRUE(kvweb::Xdo("mousemove --sync " + std::to_string(o.X + 100) + " " + std::to_string(o.Y + 100) +
                           " click 1"));
    ASSERT_TRUE(kvweb::PumpUntil([&] { return !Of(Seen::External).empty(); }, 5000));
    kvweb::Pump(500);
    EXPECT_EQ(Of(Seen::External)[0].Url, target);
    EXPECT_EQ(Completes().size(), 1u) << "the page stays";
    EXPECT_EQ(Browser->LocationURL(), Url("faq.php?agenting=true"));
    EXPECT_TRUE(DemoService::Other().Requests().empty());
}

TEST_F(WebMisbehaving, APageCannotPostItsFormOrShowAFrameOfAnotherSite) {
    const String form = "<form id='f' method='post' action='" + OtherUrl("user_home.php?agenting=true") +
                        "'><input type='hidden' name='login' value='demo'><input type='hidden' name='pass' "
                        "value='demo123'></form><iframe src='" +
                        OtherUrl("faq.php?agenting=true") +
                        "'></iframe><script>document.getElementById('f').submit();</script>";
    DemoService::Get().Misbehave(PageOf("faq.php", form));
    Browser->Navigate(Url("faq.php?agenting=true"));
    ASSERT_TRUE(WaitForTop("faq.php"));
    kvweb::Pump(1500);
    EXPECT_TRUE(DemoService::Other().Requests().empty()) << "neither the form nor the frame went there";
    EXPECT_EQ(Browser->LocationURL(), Url("faq.php?agenting=true"));
    EXPECT_TRUE(Of(Seen::Error).empty()) << "a page's own way off the site is refused quietly";
}

TEST_F(WebMisbehaving, EveryNavigationStartsItsProgressAtZero) {
    Browser->Navigate(Url("faq.php?agenting=true"));
    ASSERT_TRUE(WaitForTop("faq.php"));
    ASSERT_EQ(Of(Seen::Progress).back().Value, 100);
    DemoService::Get().Misbehave(R"({"user_inbox.php": {"delay": 1.5}})");
    Events.clear();
    Post("user_inbox.php?agenting=true", "login=demo&pass=demo123");
    ASSERT_TRUE(kvweb::PumpUntil([&] { return !Of(Seen::Progress).empty(); }, 1000));
    EXPECT_EQ(Of(Seen::Progress)[0].Value, 0) << "the gauge starts again before the slow answer comes";
    ASSERT_TRUE(WaitForTop("user_inbox.php"));
}

} // namespace
