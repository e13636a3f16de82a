// End to end: what a page asks of its host, on the GTK backend under Xvfb. A page's questions are asked in
// boxes of ours, the third in a row answered without one; a page that prints, or asks questions again
// after every answer, or that never returns from its script, never keeps the control from navigating,
// and nobody has to answer it for ever; the page's context menu offers nothing that leaves the page.

// The window system's headers come before GLib's (TRUE and FALSE).
#include "platform/vcl/Forms.h"

#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <algorithm>
#include <set>
#include <vector>

#include "tests/web/e2e/WebBoxWatch.h"
#include "tests/web/e2e/WebE2EFixture.h"

namespace {

using namespace vcl;
using kvweb::DemoService;
using kvweb::Seen;

// Every dialog window of the toolkit's that shows while it watches (the engine's print dialog, a file
// chooser), by its type's name. Each is cancelled at once: its own loop then ends, and a test that meets
// one goes on to fail rather than waiting inside it for ever.
class DialogWatch {
public:
    DialogWatch() : FSource(g_timeout_add(50, Tick, this)) {}
    ~DialogWatch() { g_source_remove(FSource); }
    DialogWatch(const DialogWatch&) = delete;
    DialogWatch& operator=(const DialogWatch&) = delete;
    std::vector<String> Shown;

private:
    static gboolean Tick(gpointer self) {
        GList* all = gtk_window_list_toplevels();
        for (GList* l = all; l; l = l->next)
            if (GTK_IS_DIALOG(l->data) && gtk_widget_get_visible(GTK_WIDGET(l->data))) {
                static_cast<DialogWatch*>(self)->Shown.push_back(G_OBJECT_TYPE_NAME(l->data));
                gtk_dialog_response(GTK_DIALOG(l->data), GTK_RESPONSE_CANCEL);
            }
        g_list_free(all);
        return G_SOURCE_CONTINUE;
    }
    guint FSource;
};

String JsonString(const String& text) {
    String out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\') out += '\\';
        out += c;
    }
    return out + "\"";
}

// The text of the first label inside a widget.
String LabelIn(GtkWidget* w) {
    if (GTK_IS_LABEL(w)) return gtk_label_get_text(GTK_LABEL(w));
    String found;
    if (GTK_IS_CONTAINER(w)) {
        GList* children = gtk_container_get_children(GTK_CONTAINER(w));
        for (GList* l = children; l && found.empty(); l = l->next)
            found = LabelIn(GTK_WIDGET(l->data));
        g_list_free(children);
    }
    return found;
}

// The items of the popup menu on the screen, by their labels; empty when none shows.
std::vector<String> MenuOnScreen() {
    std::vector<String> items;
    GList* all = gtk_window_list_toplevels();
    for (GList* l = all; l; l = l->next) {
        GtkWidget* child = GTK_IS_WINDOW(l->data) ? gtk_bin_get_child(GTK_BIN(l->data)) : nullptr;
        if (!child || !GTK_IS_MENU(child) || !gtk_widget_get_mapped(child)) continue;
        GList* entries = gtk_container_get_children(GTK_CONTAINER(child));
        for (GList* e = entries; e; e = e->next)
            if (gtk_widget_get_visible(GTK_WIDGET(e->data)) && !GTK_IS_SEPARATOR_MENU_ITEM(e->data))
                items.push_back(LabelIn(GTK_WIDGET(e->data)));
        g_list_free(entries);
    }
    g_list_free(all);
    return items;
}

String Joined(const std::vector<String>& items) {
    String out;
    for (const String& s : items)
        out += (out.empty() ? "" : ", ") + s;
    return out;
}

class WebPageAsks : public kvweb::WebEndToEnd {
protected:
    // Pages of the service answer with these bodies from now on.
    static void Serve(const std::vector<std::pair<String, String>>& pages) {
        String json = "{";
        for (const auto& [page, body] : pages)
            json +=
                (json.size() > 1 ? ", " : "") + JsonString(page) + ": {\"body\": " + JsonString(body) + "}";
        DemoService::Get().Misbehave(json + "}");
    }
    // Navigates to a page of the service's own and expects it to complete, having reached the service.
    void ExpectNavigates(const String& why) {
        const std::size_t asked = DemoService::Get().RequestsFor("/contacts.php").size();
        Events.clear();
        Browser->Navigate(Url("contacts.php?agenting=true"));
        EXPECT_TRUE(WaitForTop("contacts.php", 15000)) << why << ": the control's navigation never completed";
        EXPECT_GT(DemoService::Get().RequestsFor("/contacts.php").size(), asked) << why;
    }
    // Right-clicks at the control's client point and returns the menu that shows (after closing it).
    std::vector<String> MenuAt(int x, int y) {
        TPoint o = Browser->ClientOrigin();
        EXPECT_TRUE(kvweb::Xdo("mousemove --sync " + std::to_string(o.X + x) + " " + std::to_string(o.Y + y) +
                               " click 3"));
        std::vector<String> items;
        kvweb::PumpUntil([&] { return !(items = MenuOnScreen()).empty(); }, 3000);
        kvweb::Pump(200);
        items = MenuOnScreen();
        kvweb::Xdo("key Escape");
        kvweb::PumpUntil([] { return MenuOnScreen().empty(); }, 3000);
        return items;
    }
    DialogWatch Watch;
    kvweb::BoxWatch Boxes;
};

TEST_F(WebPageAsks, ScriptDialogsAreAskedInBoxesTheThirdIsDeclinedAndLeavingThePageIsAllowed) {
    if (!kvweb::Xdo("version")) GTEST_SKIP() << "needs xdotool";
    // The page reports what its questions returned, and asks before it is left.
    Serve(
        {{"faq.php",
          "<title>asking</title><script>var r=[alert('Note'), confirm('Sure?'), "
          "prompt('Your name?', 'suggested')];new Image().src='catalog.php?answers='+r.map(String).join('-');"
          "window.onbeforeunload=function(e){e.preventDefault();e.returnValue='Leave?';"
          "return 'Leave?';};</script><p style='height:400px'>Questions</p>"}});
    Browser->Navigate(Url("faq.php?agenting=true"));
    ASSERT_TRUE(WaitForTop("faq.php", 10000)) << "a script dialog held the page";
    EXPECT_EQ(WaitForReport("answers"), "undefined-true-")
        << "the alert and the confirmation answered OK in their boxes, the prompt declined without one";
    ASSERT_EQ(Boxes.Seen.size(), 2u);
    const String host = "127.0.0.1";
    EXPECT_EQ(Boxes.Seen[0].Caption, host);
    EXPECT_EQ(Boxes.Seen[0].Text, "Note");
    EXPECT_EQ(Boxes.Seen[1].Text, "Sure?");
    // A page's first question is a prompt: its box holds the suggested answer, which OK gives.
    Serve({{"faq.php", "<script>var n=prompt('Your name?', 'suggested');"
                       "new Image().src='catalog.php?name='+n;</script>"}});
    Events.clear();
    Browser->Navigate(Url("faq.php?agenting=true"));
    ASSERT_TRUE(WaitForTop("faq.php", 10000));
    EXPECT_EQ(WaitForReport("name"), "suggested");
    ASSERT_EQ(Boxes.Seen.size(), 3u);
    EXPECT_EQ(Boxes.Seen[2].Text, "Your name?");
    EXPECT_EQ(Boxes.Seen[2].Edit, "suggested");
    // The engine asks about leaving only a page that the user has touched.
    ASSERT_TRUE(kvweb::FocusNativeWindow(Form->Handle()));
    TPoint o = Browser->ClientOrigin();
    ASSERT_TRUE(kvweb::Xdo("mousemove --sync " + std::to_string(o.X + 300) + " " + std::to_string(o.Y + 200) +
                           " click 1"));
    kvweb::Pump(300);
    ExpectNavigates("the page asked before it was left");
    EXPECT_EQ(Boxes.Seen.size(), 3u) << "leaving the page asked nobody";
    EXPECT_TRUE(Watch.Shown.empty()) << Watch.Shown.front();
}

TEST_F(WebPageAsks, PrintingIsRefusedShowingNothing) {
    // The page prints once it has loaded, and again after every answer.
    Serve({{"faq.php",
            "<title>printing</title><script>var n=0;window.onload=function(){"
            "setTimeout(function(){for(;n<50;++n)print();document.title='printed';},0);};</script>"}});
    Browser->Navigate(Url("faq.php?agenting=true"));
    ASSERT_TRUE(WaitForEnd(10000));
    kvweb::Pump(500);
    EXPECT_TRUE(Watch.Shown.empty()) << Watch.Shown.size() << " dialogs, the first " << Watch.Shown.front();
    ExpectNavigates("the page printed");
}

TEST_F(WebPageAsks, APageThatAsksOrPrintsForEverOrNeverReturnsCannotStopTheControlsNavigation) {
    // How the page asks: in script dialogs, by printing (the engine puts a print off until the page has
    // loaded, so a page that prints while it loads only computes), or not at all.
    enum Asks { Dialogs, Prints, Nothing };
    struct Case {
        const char* What;
        const char* Script;
        Asks How;
    } cases[] = {
        {"printing again after every cancel", "for(;;)print();", Prints},
        {"an alert for ever", "for(;;)alert('Again');", Dialogs},
        {"a confirmation until yes", "while(!confirm('Stay?')){}", Dialogs},
        {"a prompt until answered", "while(!prompt('Password?')){}", Dialogs},
        {"printing from a timer", "setInterval(function(){print();},5);", Prints},
        {"a script that never returns", "for(;;){}", Nothing},
    };
    // The page starts while it loads (it never completes), as it has loaded, or a moment later. Its boxes
    // are declined: it asks again at once.
    Boxes.AnswerWith(mrCancel);
    enum When { WhileLoading, AsItLoads, Later };
    for (const Case& c : cases) {
        for (When when : {WhileLoading, AsItLoads, Later}) {
            const String what = String(c.What) + (when == WhileLoading ? ", while loading"
                                                  : when == AsItLoads  ? ", as it has loaded"
                                                                       : ", a moment after the load");
            const String later = when == AsItLoads ? "0" : "800";
            const String script = when == WhileLoading ? String(c.Script)
                                                       : "window.onload=function(){setTimeout(function(){" +
                                                             String(c.Script) + "}," + later + ");};";
            Serve({{"faq.php", "<p>Hostile</p><script>" + script + "</script>"}});
            const std::size_t boxes = Boxes.Seen.size();
            Events.clear();
            Browser->Navigate(Url("faq.php?agenting=true"));
            if (when == Later) {
                // The page completed before it began: it holds the next navigation.
                EXPECT_TRUE(WaitForTop("faq.php", 10000)) << what;
                kvweb::Pump(1200);
            } else if (c.How == Dialogs || (c.How == Prints && when == AsItLoads)) {
                // A page that asks while its navigation waits is found at once: the navigation ends, once,
                // as a failure where the page never loaded.
                EXPECT_TRUE(WaitForEnd(10000))
                    << what << ": the page's navigation neither completed nor failed";
                kvweb::Pump(500);
                std::size_t ends = Of(Seen::Error).size();
                for (const Seen& e : Completes()) {
                    ends += !e.Busy;
                    EXPECT_NE(e.TopHtml.find("Hostile"), String::npos)
                        << what << ": completed without its markup";
                }
                EXPECT_EQ(ends, 1u) << what << ": the navigation ends once, completed or failed";
                if (when == WhileLoading) {
                    EXPECT_EQ(Of(Seen::Error).size(), 1u) << what << ": a page that never loads fails";
                }
            } else {
                // One that only computes is found when the next navigation waits for it.
                kvweb::Pump(1000);
            }
            Serve({});
            ExpectNavigates(what);
            EXPECT_LE(Boxes.Seen.size() - boxes, 2u) << what << ": the user answered more than two boxes";
        }
    }
    EXPECT_TRUE(Watch.Shown.empty()) << Watch.Shown.size() << " dialogs, the first " << Watch.Shown.front();
}

TEST_F(WebPageAsks, TheContextMenuOffersOnlyWhatCannotLeaveThePage) {
    if (!kvweb::Xdo("version")) GTEST_SKIP() << "needs xdotool";
    const String away = DemoService::Other().Base() + "catalog.php?agenting=true";
    Serve({{"faq.php", "<p id='t' style='height:120px;margin:0'>Steel pipes and copper wire</p>"
                       "<a href='" +
                           away +
                           "' style='display:block;height:120px'>Offers elsewhere</a>"
                           "<img src='img/offer1.svg' style='display:block;width:200px;height:80px'>"
                           "<input id='e' value='typed' style='display:block;width:300px;height:40px'>"}});
    const String url = Url("faq.php?agenting=true");
    Browser->Navigate(url);
    ASSERT_TRUE(WaitForTop("faq.php"));
    ASSERT_TRUE(kvweb::FocusNativeWindow(Form->Handle()));
    kvweb::Pump(300);

    const std::set<String> onPage = {"Copy", "Select All"};
    const std::set<String> inEdit = {"Cut", "Copy", "Paste", "Select All"};
    struct Place {
        const char* What;
        int X, Y;
        const std::set<String>& Allowed;
    } places[] = {
        {"the page's text", 40, 60, onPage},
        {"a link elsewhere", 40, 180, onPage},
        {"a picture", 40, 280, onPage},
        {"an edit", 60, 340, inEdit},
    };
    for (const Place& p : places) {
        std::vector<String> items = MenuAt(p.X, p.Y);
        ASSERT_FALSE(items.empty()) << p.What << ": no menu showed";
        for (const String& item : items)
            EXPECT_TRUE(p.Allowed.count(item))
                << p.What << " offers " << item << " (" << Joined(items) << ")";
        EXPECT_EQ(std::count(items.begin(), items.end(), "Select All"), 1) << p.What << ": " << Joined(items);
        if (&p.Allowed == &inEdit) {
            EXPECT_TRUE(std::count(items.begin(), items.end(), "Paste")) << Joined(items);
        }
    }
    // Selected text can be copied.
    TPoint o = Browser->ClientOrigin();
    ASSERT_TRUE(kvweb::Xdo("mousemove --sync " + std::to_string(o.X + 40) + " " + std::to_string(o.Y + 10) +
                           " click --repeat 3 1"));
    kvweb::Pump(300);
    std::vector<String> selected = MenuAt(60, 12); // (xdotool's sync waits long on a move to where it is)
    EXPECT_TRUE(std::count(selected.begin(), selected.end(), "Copy")) << Joined(selected);

    // Every item the link's menu offers, taken in turn, stays on the page and sends nothing elsewhere.
    const std::size_t offered = MenuAt(40, 180).size();
    Events.clear();
    for (std::size_t i = 0; i < offered; ++i) {
        ASSERT_TRUE(kvweb::Xdo("click 3")); // the pointer is still on the link
        ASSERT_TRUE(kvweb::PumpUntil([] { return !MenuOnScreen().empty(); }, 3000));
        String keys;
        for (std::size_t k = 0; k <= i; ++k)
            keys += " Down";
        ASSERT_TRUE(kvweb::Xdo("key --delay 50" + keys + " Return"));
        kvweb::Pump(800);
    }
    EXPECT_TRUE(Events.empty()) << "an item of the menu navigated";
    EXPECT_EQ(Browser->LocationURL(), url);
    EXPECT_TRUE(DemoService::Other().Requests().empty()) << "a request left the service's origin";
    EXPECT_TRUE(Watch.Shown.empty()) << Watch.Shown.front();
}

} // namespace
