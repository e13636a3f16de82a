#pragma once
// A browser engine for tests on the offscreen backend: it records what the control asks of it
// (navigations with method, body, headers and flags; placements; focus) and lets the test play the
// engine's part: set Busy, LocationURL and the document, and raise progress and document-complete events
// either at once (Raise*) or through the control's message loop (Post*, as the real engine does).
//
//     kvtest::FakeBrowserEngineScope fake;      // new browser controls get fakes
//     browser->Navigate("http://host/page");
//     fake.Last()->RaiseDocumentComplete("http://host/page", "<html>...</html>");

#include <deque>
#include <functional>
#include <memory>
#include <vector>

#include "platform/web/BrowserEngine.h"

namespace kvtest {

// A page's question that records what the page was told: how many answers reached it, and the last one.
class FakePageQuestion final : public vcl::TPageQuestion {
public:
    using vcl::TPageQuestion::TPageQuestion;
    int Answers = 0;
    bool Accepted = false;
    vcl::String Value;

protected:
    void DoAnswer(bool AAccepted, const vcl::String& AValue) override {
        ++Answers;
        Accepted = AAccepted;
        Value = AValue;
    }
};

class FakeBrowserEngine final : public vcl::TBrowserEngine {
public:
    FakeBrowserEngine();
    ~FakeBrowserEngine() override;

    // ---- What the control asked for
    std::vector<vcl::TNavigateRequest> Navigations;
    std::vector<vcl::TBrowserPlacement> Placements;
    std::vector<bool> FocusChanges;
    // Raised from Navigate when set (the engine refusing the navigation).
    std::function<void(const vcl::TNavigateRequest&)> OnNavigate;

    // ---- The engine's side
    void Navigate(const vcl::TNavigateRequest& Request) override;
    bool Busy() const override { return FBusy; }
    vcl::String LocationURL() const override { return FLocation; }
    vcl::IDispatchPtr Document() const override { return FDocument; }
    void Place(const vcl::TBrowserPlacement& Placement) override { Placements.push_back(Placement); }
    void FocusChanged(bool Focused) override { FocusChanges.push_back(Focused); }
    void DispatchPending() override;

    void SetBusy(bool Value) { FBusy = Value; }
    void SetLocationURL(const vcl::String& Value) { FLocation = Value; }
    // Makes a document the current one without an event.
    void SetDocument(const vcl::String& Url, const vcl::String& Html);
    void ClearDocument() { FDocument.reset(); }

    // Raised at once. A top-level completion first makes the document current, sets LocationURL to its
    // address and clears Busy; a frame's leaves the state alone.
    void RaiseProgress(int Progress, int ProgressMax);
    void RaiseDocumentComplete(const vcl::String& Url, const vcl::String& Html);
    void RaiseFrameComplete(const vcl::String& Url, const vcl::String& Html);
    // A failed navigation: clears Busy and the document, sets LocationURL, then raises the error.
    void RaiseNavigateError(const vcl::String& Url, int StatusCode);
    void RaiseExternalLink(const vcl::String& Url);
    // Queued: the control is told that events wait and takes them from its message loop.
    void PostProgress(int Progress, int ProgressMax);
    void PostDocumentComplete(const vcl::String& Url, const vcl::String& Html);
    // The page asks its user something (a page of no host); the page waits for the question's answer.
    std::shared_ptr<FakePageQuestion> PostQuestion(vcl::TPageQuestionKind Kind, const vcl::String& Text);
    int Pending() const { return static_cast<int>(FQueue.size()); }
    // The last placement the control gave (a default one before any).
    vcl::TBrowserPlacement LastPlacement() const {
        return Placements.empty() ? vcl::TBrowserPlacement{} : Placements.back();
    }

private:
    bool FBusy = false;
    vcl::String FLocation;
    vcl::IDispatchPtr FDocument;
    std::deque<std::function<void()>> FQueue;
};

// While it lives, new browser controls get a FakeBrowserEngine.
class FakeBrowserEngineScope {
public:
    FakeBrowserEngineScope();
    ~FakeBrowserEngineScope();
    FakeBrowserEngineScope(const FakeBrowserEngineScope&) = delete;
    FakeBrowserEngineScope& operator=(const FakeBrowserEngineScope&) = delete;
    // The engine made last (null before any), and how many were made.
    FakeBrowserEngine* Last() const;
    int Made() const { return FMade; }

private:
    int FMade = 0;
};

} // namespace kvtest
