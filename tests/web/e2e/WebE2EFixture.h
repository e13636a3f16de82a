#pragma once
// The fixture of the browser's end-to-end tests: a form with a browser control filling it, on the GTK
// backend, and every event the control raised, with the control's state at that moment.

#include <gtest/gtest.h>

#include <vector>

#include "platform/vcl/Forms.h"
#include "platform/web/WebBrowser.h"
#include "tests/web/e2e/WebE2ESupport.h"

namespace kvweb {

struct Seen {
    enum Kind { Progress, Complete, Error, External } What = Complete;
    int Value = 0; // the progress, or the error's status code
    int Max = 0;
    String Url;
    bool Busy = false;
    String Location;
    String Html;    // of the event's document
    String TopHtml; // of Document inside the event
};

class WebEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        using namespace vcl;
        if (!DemoService::Get().Running()) GTEST_SKIP() << DemoService::Get().Problem();
        DemoService::Get().Misbehave("{}");
        Form = TCustomForm::CreateNew(nullptr);
        Form->SetBounds(40, 40, 820, 620);
        Form->SetCaption("Browser end to end");
        Browser = new TWebBrowser(Form);
        Browser->SetName("WebBrowser1");
        Browser->SetParent(Form);
        Browser->SetAlign(alClient);
        Browser->OnProgressChange = [this](TObject*, int p, int max) {
            Events.push_back(
                Seen{Seen::Progress, p, max, {}, Browser->Busy(), Browser->LocationURL(), {}, {}});
        };
        Browser->OnDocumentComplete = [this](TObject*, const IDispatchPtr& doc, const OleVariant& url) {
            Seen s{Seen::Complete, 0, 0, url.AsString(), Browser->Busy(), Browser->LocationURL(), {}, {}};
            if (doc && doc->QueryHTMLDocument2()) s.Html = doc->QueryHTMLDocument2()->Html();
            if (auto top = Browser->Document())
                if (auto* d = top->QueryHTMLDocument2()) s.TopHtml = d->Html();
            Events.push_back(s);
        };
        Browser->OnNavigateError = [this](TObject*, const OleVariant& url, int code) {
            Seen s{Seen::Error, code, 0, url.AsString(), Browser->Busy(), Browser->LocationURL(), {}, {}};
            if (auto top = Browser->Document())
                if (auto* d = top->QueryHTMLDocument2()) s.TopHtml = d->Html();
            Events.push_back(s);
        };
        Browser->OnExternalLink = [this](TObject*, const String& url) {
            Events.push_back(
                Seen{Seen::External, 0, 0, url, Browser->Busy(), Browser->LocationURL(), {}, {}});
        };
        Form->Show();
    }
    void TearDown() override {
        if (Form) vcl::FreeComponent(Form);
        Pump(100);
        if (DemoService::Get().Running()) DemoService::Get().Misbehave("{}");
    }

    std::vector<Seen> Of(Seen::Kind Kind) const {
        std::vector<Seen> out;
        for (const auto& e : Events)
            if (e.What == Kind) out.push_back(e);
        return out;
    }
    std::vector<Seen> Completes() const { return Of(Seen::Complete); }
    // Waits until a completion for an address containing part arrived with Busy false.
    bool WaitForTop(const String& part, int ms = 20000) {
        return PumpUntil(
            [&] {
                for (const auto& e : Events)
                    if (e.What == Seen::Complete && !e.Busy && e.Url.find(part) != String::npos) return true;
                return false;
            },
            ms);
    }
    // Waits until the navigation ended, completed or failed; true when it did.
    bool WaitForEnd(int ms = 20000) {
        return PumpUntil(
            [&] {
                for (const auto& e : Events)
                    if ((e.What == Seen::Complete && !e.Busy) || e.What == Seen::Error) return true;
                return false;
            },
            ms);
    }
    String Url(const String& page) const { return DemoService::Get().Base() + page; }
    // What a page reported to the service by asking for catalog.php?key=value (the value up to the next
    // "&"), or "<none>".
    static String Reported(const String& key) {
        for (const LogEntry& e : DemoService::Get().RequestsFor("/catalog.php")) {
            const std::size_t at = e.Path.find(key + "=");
            if (at == String::npos) continue;
            const std::size_t from = at + key.size() + 1;
            return e.Path.substr(from, e.Path.find('&', from) - from);
        }
        return "<none>";
    }
    // Waits until the page reported key; its value. (Reading the log starts a process: the loop runs a
    // while between two looks, so that the page gets on meanwhile.)
    static String WaitForReport(const String& key, int ms = 5000) {
        String value = Reported(key);
        for (int waited = 0; value == "<none>" && waited < ms; waited += 200) {
            Pump(200);
            value = Reported(key);
        }
        return value;
    }
    void Post(const String& page, const String& body) {
        Browser->Navigate(Url(page), vcl::OleVariant(10), vcl::OleVariant(0),
                          vcl::OleVariant::ByteArray(body.data(), body.size()),
                          vcl::OleVariant("Content-Type: application/x-www-form-urlencoded\r\n"));
    }

    vcl::TCustomForm* Form = nullptr;
    vcl::TWebBrowser* Browser = nullptr;
    std::vector<Seen> Events;
};

} // namespace kvweb
