// End to end: what a page cannot do to the control, on the GTK backend under Xvfb. A page whose unload
// handler never returns does not hold the next navigation; whatever a page asks permission for is denied
// and full screen refused; a page that forbids scripts is read all the same; a page whose process ends
// ends the navigation that waits for it as a failure, and a question whose page goes away takes its box
// with it.

// The window system's headers come before GLib's (TRUE and FALSE).
#include "platform/vcl/Forms.h"

#include <dirent.h>
#include <gtest/gtest.h>
#include <gtk/gtk.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "platform/web/GtkHost.h"
#include "tests/web/e2e/WebBoxWatch.h"
#include "tests/web/e2e/WebE2EFixture.h"

namespace {

using namespace vcl;
using kvweb::DemoService;
using kvweb::Seen;

// A page's script from tests/web/e2e/pages, on one line (its comment lines left out), for a page the demo
// service gives from a JSON string; empty when the file cannot be read.
String PageScript(const String& Name) {
    const char* root = std::getenv("KALVENOR_SOURCE_DIR");
    std::ifstream in(String(root ? root : ".") + "/tests/web/e2e/pages/" + Name);
    String script, line;
    while (std::getline(in, line))
        if (line.rfind("//", 0) != 0) script += line + " ";
    return script;
}

// The processes under this one whose name begins with Name (the engine's web process is
// "WebKitWebProcess", cut to fifteen characters by the kernel).
std::vector<pid_t> Descendants(const String& Name) {
    std::map<pid_t, std::pair<pid_t, String>> all; // pid -> parent, name
    if (DIR* d = ::opendir("/proc")) {
        while (dirent* e = ::readdir(d)) {
            const pid_t pid = static_cast<pid_t>(std::atoi(e->d_name));
            if (pid <= 0) continue;
            std::ifstream in("/proc/" + String(e->d_name) + "/stat");
            String stat((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            const std::size_t open = stat.find('('), close = stat.rfind(')');
            if (open == String::npos || close == String::npos) continue;
            std::istringstream rest(stat.substr(close + 2));
            char state = 0;
            pid_t parent = 0;
            rest >> state >> parent;
            all[pid] = {parent, stat.substr(open + 1, close - open - 1)};
        }
        ::closedir(d);
    }
    std::vector<pid_t> out;
    for (const auto& [pid, info] : all) {
        bool ours = false;
        for (pid_t p = info.first; p > 1 && !ours; p = all.count(p) ? all[p].first : 0)
            ours = p == ::getpid();
        if (ours && info.second.rfind(Name.substr(0, 15), 0) == 0) out.push_back(pid);
    }
    return out;
}

// Ends the view's web process as a crash or a signal would; true when there was one.
bool KillWebProcess() {
    bool killed = false;
    for (pid_t pid : Descendants("WebKitWebProcess"))
        killed = ::kill(pid, SIGKILL) == 0 || killed;
    return killed;
}

class WebPageLimits : public kvweb::WebEndToEnd {
protected:
    // Pages answer as the JSON text says (tools/demo-service/misbehave.py).
    static void Serve(const String& json) { DemoService::Get().Misbehave(json); }
    // Clicks at the control's client point with real input.
    bool ClickPage(int x, int y) {
        if (!kvweb::FocusNativeWindow(Form->Handle())) return false;
        kvweb::Pump(300);
        TPoint o = Browser->ClientOrigin();
        return kvweb::Xdo("mousemove --sync " + std::to_string(o.X + x) + " " + std::to_string(o.Y + y) +
                          " click 1");
    }
    kvweb::BoxWatch Boxes;
};

TEST_F(WebPageLimits, APageWhoseUnloadNeverReturnsDoesNotHoldTheNextNavigation) {
    const String holding =
        R"({"faq.php": {"body": "<p>Holding</p><script>addEventListener('pagehide',)"
        R"(function(){for(;;){}});addEventListener('unload',function(){for(;;){}});</script>"}})";
    struct Case {
        const char* What;
        bool Post;
        const char* Page;
    } cases[] = {
        {"a form post", true, "user_home.php"},
        {"a plain request", false, "contacts.php"},
    };
    for (const Case& c : cases) {
        Serve(holding);
        Browser->Navigate(Url("faq.php?agenting=true"));
        ASSERT_TRUE(WaitForTop("faq.php")) << c.What;
        Serve("{}");
        Events.clear();
        const std::size_t asked = DemoService::Get().RequestsFor(String("/") + c.Page).size();
        const auto started = std::chrono::steady_clock::now();
        if (c.Post)
            Post(String(c.Page) + "?agenting=true", "login=demo&pass=demo123");
        else
            Browser->Navigate(Url(String(c.Page) + "?agenting=true"));
        EXPECT_TRUE(WaitForTop(c.Page, 20000)) << c.What << ": held by the page it leaves";
        EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(12)) << c.What;
        EXPECT_TRUE(Of(Seen::Error).empty()) << c.What << ": failed with " << Of(Seen::Error)[0].Value;
        // A post is asked for once more in a new process only when nothing had reached the service: it is
        // never sent twice. (A plain request may be, when its answer could not replace the page.)
        const std::size_t sent = DemoService::Get().RequestsFor(String("/") + c.Page).size() - asked;
        if (c.Post) {
            EXPECT_EQ(sent, 1u) << c.What;
        } else {
            EXPECT_GE(sent, 1u) << c.What;
        }
    }
}

TEST_F(WebPageLimits, EveryPermissionIsDeniedAndFullScreenRefused) {
    if (!kvweb::Xdo("version")) GTEST_SKIP() << "needs xdotool";
    // Each request on a click; what it came to goes to the service as catalog.php?<what>=<answer>.
    const String script = PageScript("permission-requests.js");
    ASSERT_FALSE(script.empty());
    Serve(R"({"faq.php": {"body": "<body style='height:600px'><p>Click</p><script>)" + script +
          R"(</script></body>"}})");
    Browser->Navigate(Url("faq.php?agenting=true"));
    ASSERT_TRUE(WaitForTop("faq.php"));
    const TRect before = Form->BoundsRect();
    ASSERT_TRUE(ClickPage(200, 200));
    for (const char* key : {"lock", "fullscreen", "notify", "geo", "media"}) {
        const String answer = WaitForReport(key);
        EXPECT_TRUE(answer == "refused" || answer == "denied") << key << ": " << answer;
    }
    auto* window = static_cast<GtkWidget*>(webhost::GtkWindowOf(Form->Handle()));
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(gdk_window_get_state(gtk_widget_get_window(window)) & GDK_WINDOW_STATE_FULLSCREEN);
    EXPECT_EQ(Form->BoundsRect(), before);
    EXPECT_TRUE(Boxes.Seen.empty()) << "nobody was asked: " << Boxes.Seen.front().Text;
}

TEST_F(WebPageLimits, APageThatForbidsScriptsIsReadAllTheSame) {
    // Sandboxed without scripts, in a legacy 8-bit encoding: its markup as the server sent it, as text.
    // (The service sends "raw" answers as Latin-1 bytes.)
    Serve(
        R"({"faq.php": {"raw": "HTTP/1.0 200 OK\r\nContent-Type: text/html; charset=windows-1252\r\n)"
        R"(Content-Security-Policy: sandbox\r\n\r\n<title>Sandboxed</title><p>Caf\u00e9 r\u00e9sum\u00e9</p>)"
        R"(<script>document.title='ran';</script>"}})");
    Browser->Navigate(Url("faq.php?agenting=true"));
    ASSERT_TRUE(WaitForEnd());
    ASSERT_TRUE(Of(Seen::Error).empty()) << "failed with " << Of(Seen::Error)[0].Value;
    const String html = Completes().back().TopHtml;
    EXPECT_EQ(kvweb::TitleOf(html), "Sandboxed");
    EXPECT_NE(html.find("Caf\xC3\xA9 r\xC3\xA9sum\xC3\xA9"), String::npos) << html;
}

TEST_F(WebPageLimits, AProcessThatEndsFailsTheNavigationThatWaitsForItAndTakesItsQuestionsWithIt) {
    // Killed while the page is being answered by a slow server.
    Serve(R"({"faq.php": {"delay": 4}})");
    Browser->Navigate(Url("faq.php?agenting=true"));
    kvweb::Pump(1000);
    ASSERT_TRUE(KillWebProcess()) << "no web process found";
    ASSERT_TRUE(WaitForEnd(10000));
    ASSERT_EQ(Of(Seen::Error).size(), 1u);
    EXPECT_EQ(Of(Seen::Error)[0].Value, navErrorPageEnded);
    EXPECT_TRUE(Completes().empty());

    // Killed while its box is up, during the load: the box goes unanswered and the navigation fails.
    Serve(R"({"faq.php": {"body": "<p>Asking</p><script>confirm('Delete?');</script>"}})");
    Boxes.AnswerWith(mrNone);
    Boxes.OnShown = [](TCustomForm*) { KillWebProcess(); };
    Events.clear();
    Browser->Navigate(Url("faq.php?agenting=true"));
    ASSERT_TRUE(WaitForEnd(10000));
    EXPECT_EQ(kvweb::BoxWatch::Up(), nullptr) << "the box of a page that is gone stays up";
    ASSERT_EQ(Of(Seen::Error).size(), 1u);
    EXPECT_EQ(Of(Seen::Error)[0].Value, navErrorPageEnded);

    // A navigation of ours while a box of the loaded page is up: the box goes, the navigation completes.
    Serve(R"({"faq.php": {"body": "<p>Asking</p><script>onload=function(){setTimeout(function(){)"
          R"(confirm('Delete?');},0);};</script>"}})");
    Boxes.OnShown = [this](TCustomForm*) { Browser->Navigate(Url("contacts.php?agenting=true")); };
    Events.clear();
    Browser->Navigate(Url("faq.php?agenting=true"));
    EXPECT_TRUE(WaitForTop("contacts.php", 15000));
    EXPECT_EQ(kvweb::BoxWatch::Up(), nullptr);
    EXPECT_EQ(Boxes.Seen.size(), 2u);
    Boxes.OnShown = nullptr;

    // And the view works again.
    Serve("{}");
    Events.clear();
    Browser->Navigate(Url("faq.php?agenting=true"));
    EXPECT_TRUE(WaitForTop("faq.php"));
}

} // namespace
