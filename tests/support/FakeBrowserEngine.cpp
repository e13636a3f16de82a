#include "tests/support/FakeBrowserEngine.h"

#include <memory>

namespace kvtest {

namespace {
FakeBrowserEngine* gLast = nullptr;
} // namespace

FakeBrowserEngine::FakeBrowserEngine() {
    gLast = this;
}

FakeBrowserEngine::~FakeBrowserEngine() {
    if (gLast == this) gLast = nullptr;
}

void FakeBrowserEngine::Navigate(const vcl::TNavigateRequest& Request) {
    if (OnNavigate) OnNavigate(Request);
    Navigations.push_back(Request);
    FBusy = true;
}

void FakeBrowserEngine::SetDocument(const vcl::String& Url, const vcl::String& Html) {
    FDocument = std::make_shared<vcl::THTMLDocument>(Url, Html);
}

void FakeBrowserEngine::RaiseProgress(int Progress, int ProgressMax) {
    if (FEvents) FEvents->EngineProgressChange(Progress, ProgressMax);
}

void FakeBrowserEngine::RaiseDocumentComplete(const vcl::String& Url, const vcl::String& Html) {
    SetDocument(Url, Html);
    FLocation = Url;
    FBusy = false;
    if (FEvents) FEvents->EngineDocumentComplete(FDocument, Url);
}

void FakeBrowserEngine::RaiseFrameComplete(const vcl::String& Url, const vcl::String& Html) {
    auto doc = std::make_shared<vcl::THTMLDocument>(Url, Html);
    if (FEvents) FEvents->EngineDocumentComplete(doc, Url);
}

void FakeBrowserEngine::RaiseNavigateError(const vcl::String& Url, int StatusCode) {
    FDocument.reset();
    FLocation = Url;
    FBusy = false;
    if (FEvents) FEvents->EngineNavigateError(Url, StatusCode);
}

void FakeBrowserEngine::RaiseExternalLink(const vcl::String& Url) {
    if (FEvents) FEvents->EngineExternalLink(Url);
}

void FakeBrowserEngine::PostProgress(int Progress, int ProgressMax) {
    FQueue.push_back([this, Progress, ProgressMax] { RaiseProgress(Progress, ProgressMax); });
    if (FEvents) FEvents->EngineEventsPending();
}

void FakeBrowserEngine::PostDocumentComplete(const vcl::String& Url, const vcl::String& Html) {
    FQueue.push_back([this, Url, Html] { RaiseDocumentComplete(Url, Html); });
    if (FEvents) FEvents->EngineEventsPending();
}

std::shared_ptr<FakePageQuestion> FakeBrowserEngine::PostQuestion(vcl::TPageQuestionKind Kind,
                                                                  const vcl::String& Text) {
    auto question = std::make_shared<FakePageQuestion>(Kind, Text, vcl::String(), vcl::String());
    FQueue.push_back([this, question] {
        if (FEvents) FEvents->EngineQuestion(question);
    });
    if (FEvents) FEvents->EngineEventsPending();
    return question;
}

void FakeBrowserEngine::DispatchPending() {
    while (!FQueue.empty()) {
        auto step = std::move(FQueue.front());
        FQueue.pop_front();
        if (!FQueue.empty() && FEvents) FEvents->EngineEventsPending();
        step();
    }
}

FakeBrowserEngineScope::FakeBrowserEngineScope() {
    vcl::SetBrowserEngineFactory([this]() -> std::unique_ptr<vcl::TBrowserEngine> {
        ++FMade;
        return std::make_unique<FakeBrowserEngine>();
    });
}

FakeBrowserEngineScope::~FakeBrowserEngineScope() {
    vcl::SetBrowserEngineFactory(nullptr);
}

FakeBrowserEngine* FakeBrowserEngineScope::Last() const {
    return gLast;
}

} // namespace kvtest
