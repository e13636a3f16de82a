// The browser control on the offscreen backend with a fake engine: what a navigation asks of the engine,
// what is refused, the events and the state inside them, and the view's placement following the control.

#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Properties.h"
#include "platform/vcl/Application.h"
#include "platform/vcl/Edit.h"
#include "platform/vcl/Panel.h"
#include "platform/web/WebBrowser.h"
#include "platform/win/WinUser.h"
#include "platform/win/Window.h"
#include "tests/foundation/PublishedValues.h"
#include "tests/support/FakeBrowserEngine.h"
#include "tests/support/UiDriver.h"

namespace {

using namespace vcl;
using kvtest::FakeBrowserEngine;

const String kHeader = "Content-Type: application/x-www-form-urlencoded\r\n";

class WebBrowserTest : public uitest::UiTest {
protected:
    void SetUp() override {
        Form = TCustomForm::CreateNew(nullptr);
        Form->SetBounds(50, 60, 500, 400);
        Browser = new TWebBrowser(Form);
        Browser->SetName("WebBrowser_Main");
        Browser->SetParent(Form);
        Browser->SetAlign(alClient);
    }
    void TearDown() override { FreeComponent(Form); }

    FakeBrowserEngine* Engine() { return dynamic_cast<FakeBrowserEngine*>(Browser->Engine()); }
    void Post(const String& url, const String& body, OleVariant flags = OleVariant(10),
              OleVariant target = OleVariant(0), OleVariant headers = OleVariant(kHeader)) {
        Browser->Navigate(url, flags, target, OleVariant::ByteArray(body.data(), body.size()), headers);
    }
    // The control's window rectangle in its form's window coordinates.
    TRect BrowserInForm() {
        win::RECT r{}, f{};
        win::GetWindowRect(Browser->Handle(), &r);
        win::GetWindowRect(Form->Handle(), &f);
        return TRect{r.Left - f.Left, r.Top - f.Top, r.Right - f.Left, r.Bottom - f.Top};
    }

    TCustomForm* Form = nullptr;
    TWebBrowser* Browser = nullptr;
};

TEST_F(WebBrowserTest, WithoutAnEngineForTheBackendNavigatingRaisesAndTheStateIsEmpty) {
    Form->Show();
    ui.Process();
    EXPECT_EQ(Browser->Engine(), nullptr);
    EXPECT_FALSE(Browser->Busy());
    EXPECT_EQ(Browser->Document(), nullptr);
    EXPECT_EQ(Browser->LocationURL(), "");
    EXPECT_THROW(Browser->Navigate("http://127.0.0.1/faq.php?agenting=true"), EOleError);
}

TEST_F(WebBrowserTest, PlainAndPostedNavigationsReachTheEngineAsGiven) {
    kvtest::FakeBrowserEngineScope fakes;
    Browser->Navigate("http://127.0.0.1:8000/catalog.php?agenting=true");
    ASSERT_NE(Engine(), nullptr);
    ASSERT_EQ(Engine()->Navigations.size(), 1u);
    const TNavigateRequest& get = Engine()->Navigations[0];
    EXPECT_EQ(get.URL, "http://127.0.0.1:8000/catalog.php?agenting=true");
    EXPECT_EQ(get.Method, "GET");
    EXPECT_TRUE(get.Body.empty());
    EXPECT_TRUE(get.Headers.empty());
    EXPECT_EQ(get.Flags, 0);
    EXPECT_TRUE(Browser->Busy());

    // The application's sign-in body: raw, "&" and "=" inside the values included, no terminator.
    Post("http://127.0.0.1:8000/user_home.php?agenting=true", "login=a&b=c+d&pass=p%ss wörd");
    ASSERT_EQ(Engine()->Navigations.size(), 2u);
    const TNavigateRequest& post = Engine()->Navigations[1];
    EXPECT_EQ(post.Method, "POST");
    EXPECT_EQ(post.Body, "login=a&b=c+d&pass=p%ss wörd");
    EXPECT_EQ(post.ContentType, "application/x-www-form-urlencoded");
    EXPECT_EQ(post.Flags, navNoHistory | navNoWriteToCache);
    EXPECT_TRUE(post.Headers.empty()) << "the content type is the post's, not an extra header";
    EXPECT_EQ(fakes.Made(), 1) << "one engine per control";
}

TEST_F(WebBrowserTest, AcceptedVariantsOfTheOptionalArguments) {
    kvtest::FakeBrowserEngineScope fakes;
    Post("http://h/s.php", "searchword=x", OleVariant(), OleVariant("_top"),
         OleVariant("content-type: Application/X-WWW-Form-Urlencoded; charset=utf-8\r\nX-Trace: 1\r\n"));
    Post("http://h/s.php", "", OleVariant(0), OleVariant(""), OleVariant());
    Browser->Navigate("http://h/faq.php", OleVariant(), OleVariant(), OleVariant(),
                      OleVariant("Accept-Language: de\r\n"));
    auto& n = Engine()->Navigations;
    ASSERT_EQ(n.size(), 3u);
    EXPECT_EQ(n[0].Method, "POST");
    EXPECT_EQ(n[0].Headers, (std::vector<std::pair<String, String>>{{"X-Trace", "1"}}));
    EXPECT_EQ(n[1].Method, "POST") << "an empty body is still a post";
    EXPECT_EQ(n[1].Body, "");
    EXPECT_EQ(n[2].Method, "GET");
    EXPECT_EQ(n[2].Headers, (std::vector<std::pair<String, String>>{{"Accept-Language", "de"}}));
}

TEST_F(WebBrowserTest, RefusedNavigationsRaiseBeforeAnythingIsRequested) {
    kvtest::FakeBrowserEngineScope fakes;
    const String url = "http://h/user_home.php?agenting=true";
    EXPECT_THROW(Browser->Navigate(""), EOleError);
    EXPECT_THROW(Post(url, "a=1", OleVariant(navOpenInNewWindow)), EOleError);
    EXPECT_THROW(Post(url, "a=1", OleVariant("10")), EOleError);
    EXPECT_THROW(Post(url, "a=1", OleVariant(10), OleVariant("main")), EOleError);
    EXPECT_THROW(Post(url, "a=1", OleVariant(10), OleVariant(2)), EOleError);
    EXPECT_THROW(Post("file:///tmp/x.html", "a=1"), EOleError);
    EXPECT_THROW(Post("user_home.php", "a=1"), EOleError);
    EXPECT_THROW(Post(url, "a=1", OleVariant(10), OleVariant(0), OleVariant("Content-Type: text/plain\r\n")),
                 EOleError);
    EXPECT_THROW(Post(url, "a=1", OleVariant(10), OleVariant(0), OleVariant(7)), EOleError);
    EXPECT_THROW(
        Browser->Navigate(url, OleVariant(10), OleVariant(0), OleVariant("a=1"), OleVariant(kHeader)),
        EOleError);
    if (Engine()) {
        EXPECT_TRUE(Engine()->Navigations.empty());
    }
    EXPECT_FALSE(Browser->Busy());
}

TEST_F(WebBrowserTest, EngineFailureReachesTheCaller) {
    kvtest::FakeBrowserEngineScope fakes;
    Browser->Navigate("http://h/a.php");
    Engine()->OnNavigate = [](const TNavigateRequest&) { throw EOleError("refused by the engine"); };
    EXPECT_THROW(Browser->Navigate("http://h/b.php"), EOleError);
    EXPECT_EQ(Engine()->Navigations.size(), 1u);
}

TEST_F(WebBrowserTest, EventsCarryTheirValuesAndTheStateIsRightInsideThem) {
    kvtest::FakeBrowserEngineScope fakes;
    struct Seen {
        TObject* Sender;
        String Url;
        String Html;
        bool Busy;
        String Location;
        String TopHtml;
    };
    std::vector<std::pair<int, int>> progress;
    std::vector<Seen> done;
    Browser->OnProgressChange = [&](TObject* s, int p, int max) {
        EXPECT_EQ(s, Browser);
        progress.emplace_back(p, max);
    };
    Browser->OnDocumentComplete = [&](TObject* s, const IDispatchPtr& doc, const OleVariant& url) {
        EXPECT_EQ(url.VarType(), varOleStr);
        Seen seen{
            s, url.AsString(), doc->QueryHTMLDocument2()->Html(), Browser->Busy(), Browser->LocationURL(),
            ""};
        if (auto top = Browser->Document()) seen.TopHtml = top->QueryHTMLDocument2()->Html();
        done.push_back(seen);
    };
    Browser->Navigate("http://h/catalog.php");
    Engine()->SetLocationURL("http://h/catalog.php");
    Engine()->RaiseProgress(30, 100);
    Engine()->RaiseProgress(120, 100); // above the maximum: passed on unchanged
    Engine()->RaiseFrameComplete("http://h/catalog_frame.php", "<html>frame</html>");
    Engine()->RaiseProgress(100, 100);
    Engine()->RaiseDocumentComplete("http://h/catalog.php", "<html>page</html>");

    EXPECT_EQ(progress, (std::vector<std::pair<int, int>>{{30, 100}, {120, 100}, {100, 100}}));
    ASSERT_EQ(done.size(), 2u);
    EXPECT_EQ(done[0].Sender, Browser);
    EXPECT_EQ(done[0].Url, "http://h/catalog_frame.php");
    EXPECT_EQ(done[0].Html, "<html>frame</html>");
    EXPECT_TRUE(done[0].Busy);
    EXPECT_EQ(done[0].Location, "http://h/catalog.php");
    EXPECT_EQ(done[0].TopHtml, "") << "no document before the first page completed";
    EXPECT_EQ(done[1].Url, "http://h/catalog.php");
    EXPECT_FALSE(done[1].Busy);
    EXPECT_EQ(done[1].TopHtml, "<html>page</html>");
}

TEST_F(WebBrowserTest, QueuedEventsArriveFromTheMessageLoopInOrderEvenAfterAHandlerFailed) {
    kvtest::FakeBrowserEngineScope fakes;
    Form->Show();
    ui.Process();
    std::vector<String> seen;
    std::vector<String> errors;
    Application->OnException = [&](TObject*, const std::exception& e) { errors.push_back(e.what()); };
    Browser->OnProgressChange = [&](TObject*, int p, int) {
        seen.push_back("progress " + std::to_string(p));
        if (p == 50) throw std::runtime_error("handler failed");
    };
    Browser->OnDocumentComplete = [&](TObject*, const IDispatchPtr&, const OleVariant& url) {
        seen.push_back("complete " + url.AsString());
    };
    Browser->Navigate("http://h/a.php");
    Engine()->PostProgress(50, 100);
    Engine()->PostProgress(100, 100);
    Engine()->PostDocumentComplete("http://h/a.php", "<html></html>");
    EXPECT_TRUE(seen.empty()) << "nothing is raised from inside the engine";
    ui.Process();
    Application->OnException = nullptr;
    EXPECT_EQ(seen, (std::vector<String>{"progress 50", "progress 100", "complete http://h/a.php"}));
    EXPECT_EQ(errors, std::vector<String>{"handler failed"});
    EXPECT_EQ(Engine()->Pending(), 0);
    EXPECT_FALSE(Browser->Busy());
}

TEST_F(WebBrowserTest, TheViewFollowsTheControlsRectangleVisibilityAndWindow) {
    kvtest::FakeBrowserEngineScope fakes;
    Form->Show();
    ui.Process();
    EXPECT_EQ(Engine(), nullptr) << "showing a form that holds a browser loads no engine";
    Browser->Navigate("http://h/a.php");
    ASSERT_NE(Engine(), nullptr) << "the engine comes with the first page";
    TBrowserPlacement p = Engine()->LastPlacement();
    EXPECT_EQ(p.Root, static_cast<void*>(Form->Handle()));
    EXPECT_EQ(p.Bounds, BrowserInForm());
    EXPECT_FALSE(p.Bounds.IsEmpty());
    EXPECT_TRUE(p.Visible);

    // Aligned to the client: a bigger form gives a bigger view.
    Form->SetBounds(50, 60, 640, 480);
    ui.Process();
    EXPECT_EQ(Engine()->LastPlacement().Bounds, BrowserInForm());
    EXPECT_GT(Engine()->LastPlacement().Bounds.Width(), p.Bounds.Width());

    Browser->SetAlign(alNone);
    Browser->SetBounds(10, 20, 200, 100);
    ui.Process();
    EXPECT_EQ(Engine()->LastPlacement().Bounds, BrowserInForm());
    EXPECT_EQ(Engine()->LastPlacement().Bounds.Width(), 200);

    Browser->SetVisible(false);
    ui.Process();
    EXPECT_FALSE(Engine()->LastPlacement().Visible);
    Browser->SetVisible(true);
    ui.Process();
    EXPECT_TRUE(Engine()->LastPlacement().Visible);

    // The form's hiding hides its native window and the view inside it; shown again, the view is back
    // where it was.
    TRect before = Engine()->LastPlacement().Bounds;
    Form->Hide();
    ui.Process();
    Form->Show();
    ui.Process();
    EXPECT_TRUE(Engine()->LastPlacement().Visible);
    EXPECT_EQ(Engine()->LastPlacement().Bounds, before);
    EXPECT_EQ(Engine()->LastPlacement().Root, static_cast<void*>(Form->Handle()));

    Browser->DestroyHandle();
    EXPECT_EQ(Engine()->LastPlacement().Root, nullptr) << "the view leaves a window that goes";
}

TEST_F(WebBrowserTest, TheViewGoesWithAHiddenParentAndFollowsItsParentsMoves) {
    kvtest::FakeBrowserEngineScope fakes;
    auto* outer = new TPanel(Form);
    outer->SetParent(Form);
    outer->SetBounds(10, 10, 300, 200);
    auto* inner = new TPanel(Form);
    inner->SetParent(outer);
    inner->SetAlign(alClient);
    Browser->SetParent(inner);
    Form->Show();
    Browser->Navigate("http://h/a.php");
    ui.Process();
    const TRect shown = Engine()->LastPlacement().Bounds;
    ASSERT_TRUE(Engine()->LastPlacement().Visible);

    // Hidden and shown again at any depth, through the controls or the window system alone.
    outer->SetVisible(false);
    EXPECT_FALSE(Engine()->LastPlacement().Visible);
    outer->SetVisible(true);
    EXPECT_TRUE(Engine()->LastPlacement().Visible);
    EXPECT_EQ(Engine()->LastPlacement().Bounds, shown);
    win::ShowWindow(inner->Handle(), win::SW_HIDE);
    EXPECT_FALSE(Engine()->LastPlacement().Visible);
    win::ShowWindow(inner->Handle(), win::SW_SHOWNA);
    EXPECT_TRUE(Engine()->LastPlacement().Visible);

    // A control hidden itself stays hidden when its parent shows again.
    Browser->SetVisible(false);
    outer->SetVisible(false);
    outer->SetVisible(true);
    EXPECT_FALSE(Engine()->LastPlacement().Visible);
    Browser->SetVisible(true);

    // A parent's move carries the view along; a size change reaches it through the alignment.
    outer->SetLeft(60);
    EXPECT_EQ(Engine()->LastPlacement().Bounds, BrowserInForm());
    EXPECT_EQ(Engine()->LastPlacement().Bounds.Left, shown.Left + 50);
    outer->SetBounds(60, 80, 200, 120);
    EXPECT_EQ(Engine()->LastPlacement().Bounds, BrowserInForm());
    EXPECT_EQ(Engine()->LastPlacement().Bounds.Top, shown.Top + 70);
    EXPECT_LT(Engine()->LastPlacement().Bounds.Width(), shown.Width());
}

TEST_F(WebBrowserTest, KeyboardFocusIsPassedToTheEngine) {
    kvtest::FakeBrowserEngineScope fakes;
    Browser->SetAlign(alTop);
    auto* edit = new TEdit(Form);
    edit->SetParent(Form);
    edit->SetBounds(10, 300, 100, 21);
    Form->Show();
    ui.Process();
    Browser->SetFocus();
    ui.Process();
    // An engine made while the control has the focus is told so at once.
    Browser->Navigate("http://h/a.php");
    ASSERT_FALSE(Engine()->FocusChanges.empty());
    EXPECT_TRUE(Engine()->FocusChanges.back());
    edit->SetFocus();
    ui.Process();
    ASSERT_GE(Engine()->FocusChanges.size(), 2u);
    EXPECT_TRUE(Engine()->FocusChanges[Engine()->FocusChanges.size() - 2]);
    EXPECT_FALSE(Engine()->FocusChanges.back());
}

TEST_F(WebBrowserTest, FreeingTheControlLetsTheEngineGoWithoutEvents) {
    kvtest::FakeBrowserEngineScope fakes;
    int events = 0;
    Browser->OnDocumentComplete = [&](TObject*, const IDispatchPtr&, const OleVariant&) { ++events; };
    Browser->Navigate("http://h/a.php");
    ASSERT_NE(fakes.Last(), nullptr);
    FreeComponent(Browser);
    EXPECT_EQ(fakes.Last(), nullptr) << "the engine is freed with its control";
    EXPECT_EQ(events, 0);
}

TEST(WebBrowserClass, KnownToLayoutsWithItsEvents) {
    TClass cls = FindClass("TWebBrowser");
    for (const char* name :
         {"OnProgressChange", "OnDocumentComplete", "Align", "TabOrder", "Visible", "Width"})
        EXPECT_NE(GetPropInfo(cls, name), nullptr) << name;
    // A new browser holds what its class declares (a layout leaves declared defaults out).
    TComponentPtr<TComponent> browser(CreateComponentOfClass(cls, nullptr));
    publishedtest::ExpectDeclaredDefaults(browser.get());
}

} // namespace
