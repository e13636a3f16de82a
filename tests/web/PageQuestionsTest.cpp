// A page's questions on the offscreen backend, with an engine that plays the page: the boxes the control
// shows (title, text, buttons, a prompt's suggested answer) and the answers that reach the page; one box at
// a time; the pace that stops a page from keeping its user answering; and a box whose page goes away, or
// whose control does, before it is answered.

#include <gtest/gtest.h>

#include <deque>
#include <functional>

#include "platform/vcl/Edit.h"
#include "platform/vcl/Label.h"
#include "platform/web/PageQuestions.h"
#include "platform/web/WebBrowser.h"
#include "platform/win/WinUser.h"
#include "tests/support/UiDriver.h"

namespace {

using namespace vcl;
using uitest::UiDriver;

// A question that records what the page was told.
class RecordedQuestion final : public TPageQuestion {
public:
    using TPageQuestion::TPageQuestion;
    int Answers = 0;
    bool Accepted = false;
    String Value;
    void Leave() { SetGone(); }

protected:
    void DoAnswer(bool AAccepted, const String& AValue) override {
        ++Answers;
        Accepted = AAccepted;
        Value = AValue;
    }
};
using Recorded = std::shared_ptr<RecordedQuestion>;

// Plays the page: its questions and their going away reach the control through its message loop, as the
// real engine's do; when the engine goes, so does the page with whatever it still asks.
class PageEngine final : public TBrowserEngine {
public:
    ~PageEngine() override {
        for (const Recorded& q : FAsked)
            if (!q->Done()) q->Leave();
    }
    void Navigate(const TNavigateRequest&) override {}
    bool Busy() const override { return false; }
    String LocationURL() const override { return "http://service.example/user_inbox.php"; }
    IDispatchPtr Document() const override { return nullptr; }
    void DispatchPending() override {
        while (!FPending.empty()) {
            auto step = std::move(FPending.front());
            FPending.pop_front();
            step();
        }
    }
    Recorded Ask(TPageQuestionKind Kind, const String& Text, const String& Default = String()) {
        auto q = std::make_shared<RecordedQuestion>(Kind, Text, Default, "service.example");
        FAsked.push_back(q);
        Post([this, q] { FEvents->EngineQuestion(q); });
        return q;
    }
    void Leave(const Recorded& q) {
        q->Leave();
        Post([this, q] { FEvents->EngineQuestionGone(q); });
    }

private:
    void Post(std::function<void()> Step) {
        FPending.push_back(std::move(Step));
        FEvents->EngineEventsPending();
    }
    std::deque<std::function<void()>> FPending;
    std::vector<Recorded> FAsked;
};

class PageQuestionsTest : public uitest::UiTest {
protected:
    void SetUp() override {
        SetBrowserEngineFactory([] { return std::make_unique<PageEngine>(); });
        Form = TCustomForm::CreateNew(nullptr);
        Form->SetBounds(100, 80, 640, 480);
        Browser = new TWebBrowser(Form);
        Browser->SetParent(Form);
        Browser->SetAlign(alClient);
        Form->Show();
        Browser->Navigate("http://service.example/user_inbox.php");
        ui.Process();
    }
    void TearDown() override {
        if (Form) FreeComponent(Form);
        SetBrowserEngineFactory(nullptr);
    }
    PageEngine& Page() { return *dynamic_cast<PageEngine*>(Browser->Engine()); }
    // Lets the page's questions come; Answer runs on each box that shows (at most Boxes of them).
    int Boxes(const std::function<void(TCustomForm*)>& Answer, int Expected = 1) {
        int shown = 0;
        for (int i = 0; i < Expected; ++i)
            ui.WhenModal([&](TCustomForm* box) {
                ++shown;
                Answer(box);
            });
        ui.Process();
        return shown;
    }
    static String MessageOf(TCustomForm* box) {
        if (auto* l = dynamic_cast<TLabel*>(UiDriver::Find(box, "Message"))) return l->Caption();
        if (auto* l = dynamic_cast<TLabel*>(UiDriver::Find(box, "Prompt"))) return l->Caption();
        return "<no text>";
    }

    TCustomForm* Form = nullptr;
    TWebBrowser* Browser = nullptr;
};

TEST_F(PageQuestionsTest, EachKindOfQuestionIsAskedInABoxTitledWithThePageHostAndItsAnswerReachesThePage) {
    struct Case {
        const char* What;
        TPageQuestionKind Kind;
        String Default;
        std::function<void(TCustomForm*)> User;
        bool Accepted;
        String Value;
    } cases[] = {
        {"confirm, Enter", TPageQuestionKind::Confirm, "", [&](TCustomForm*) { ui.Key(win::VK_RETURN); },
         true, ""},
        {"confirm, Escape", TPageQuestionKind::Confirm, "", [&](TCustomForm*) { ui.Key(win::VK_ESCAPE); },
         false, ""},
        {"alert, Enter", TPageQuestionKind::Alert, "", [&](TCustomForm*) { ui.Key(win::VK_RETURN); }, true,
         ""},
        {"prompt, Enter keeps the suggestion", TPageQuestionKind::Prompt, "suggested",
         [&](TCustomForm*) { ui.Key(win::VK_RETURN); }, true, "suggested"},
        {"prompt, typing replaces the suggestion", TPageQuestionKind::Prompt, "suggested",
         [&](TCustomForm*) {
             ui.Type("mine");
             ui.Key(win::VK_RETURN);
         },
         true, "mine"},
        {"prompt, Cancel", TPageQuestionKind::Prompt, "suggested",
         [&](TCustomForm* box) { ui.ClickButton(box, "Cancel"); }, false, ""},
    };
    for (const Case& c : cases) {
        Recorded q = Page().Ask(c.Kind, "Delete this message? Tom & Jerry", c.Default);
        String caption, text, edit = "<none>";
        int shown = Boxes([&](TCustomForm* box) {
            caption = box->Caption();
            text = MessageOf(box);
            if (auto* e = dynamic_cast<TEdit*>(UiDriver::Find(box, "Value"))) edit = e->Text();
            c.User(box);
        });
        EXPECT_EQ(shown, 1) << c.What;
        EXPECT_EQ(caption, "service.example") << c.What;
        // The page's "&" is shown as it stands, not as an accelerator.
        EXPECT_EQ(text, c.Kind == TPageQuestionKind::Prompt ? "Delete this message? Tom && Jerry"
                                                            : "Delete this message? Tom & Jerry")
            << c.What;
        EXPECT_EQ(edit, c.Kind == TPageQuestionKind::Prompt ? c.Default : "<none>") << c.What;
        EXPECT_EQ(q->Answers, 1) << c.What;
        EXPECT_EQ(q->Accepted, c.Accepted) << c.What;
        EXPECT_EQ(q->Value, c.Value) << c.What;
        ui.Advance(TQuestionPace::Window + 1); // each case is a page's first question
    }
}

TEST_F(PageQuestionsTest, QuestionsAreAskedOneBoxAtATimeInTheirOrder) {
    Recorded first = Page().Ask(TPageQuestionKind::Confirm, "First?");
    Recorded second = Page().Ask(TPageQuestionKind::Confirm, "Second?");
    std::vector<String> seen;
    std::vector<int> levels;
    Boxes(
        [&](TCustomForm* box) {
            seen.push_back(MessageOf(box));
            levels.push_back(Application->ModalLevel());
            ui.Key(win::VK_RETURN);
        },
        2);
    EXPECT_EQ(seen, (std::vector<String>{"First?", "Second?"}));
    EXPECT_EQ(levels, (std::vector<int>{1, 1})) << "a box never shows inside another";
    EXPECT_TRUE(first->Accepted && second->Accepted);
}

TEST_F(PageQuestionsTest,
       FromTheThirdQuestionInTenSecondsOnAPageIsDeclinedWithoutABoxUntilTheNextNavigation) {
    const auto enter = [&](TCustomForm*) { ui.Key(win::VK_RETURN); };
    int shown = 0;
    for (int i = 0; i < 2; ++i) {
        Page().Ask(TPageQuestionKind::Confirm, "Again?");
        shown += Boxes(enter);
    }
    Recorded confirm = Page().Ask(TPageQuestionKind::Confirm, "Third?");
    Recorded prompt = Page().Ask(TPageQuestionKind::Prompt, "Fourth?", "suggested");
    Recorded alert = Page().Ask(TPageQuestionKind::Alert, "Fifth");
    ui.Process(); // a box now would fail the test: nothing answers it
    ui.Advance(60000);
    Recorded later = Page().Ask(TPageQuestionKind::Confirm, "A minute later?");
    ui.Process();
    EXPECT_EQ(shown, 2);
    for (const Recorded& q : {confirm, prompt, alert, later})
        EXPECT_EQ(q->Answers, 1) << q->Text;
    EXPECT_FALSE(confirm->Accepted) << "a confirmation declined";
    EXPECT_TRUE(prompt->Accepted && prompt->Value.empty()) << "a prompt answered empty";
    EXPECT_FALSE(later->Accepted) << "the page stays silenced";

    Browser->Navigate("http://service.example/user_outbox.php");
    ui.Process();
    Recorded next = Page().Ask(TPageQuestionKind::Confirm, "A new page's?");
    EXPECT_EQ(Boxes(enter), 1);
    EXPECT_TRUE(next->Accepted);
}

TEST_F(PageQuestionsTest, ABoxWhosePageOrControlGoesAwayClosesAndNobodyAnswersAGoneQuestion) {
    enum Away { PageLeft, OurNavigation, ControlFreed };
    for (Away away : {PageLeft, OurNavigation, ControlFreed}) {
        Recorded q = Page().Ask(TPageQuestionKind::Confirm, "Delete?");
        Boxes([&](TCustomForm*) {
            if (away == PageLeft) Page().Leave(q);
            if (away == OurNavigation) Browser->Navigate("http://service.example/user_hits.php");
            if (away == ControlFreed) {
                FreeComponent(Form);
                Form = nullptr;
                Browser = nullptr;
            }
        });
        EXPECT_EQ(UiDriver::ModalForm(), nullptr) << away;
        EXPECT_TRUE(q->Done()) << away;
        // The page left and the control's page were gone: nothing reaches them. The page our navigation
        // leaves is declined, and goes on to be left.
        EXPECT_EQ(q->Answers, away == OurNavigation ? 1 : 0) << away;
        EXPECT_FALSE(q->Accepted) << away;
        ui.Advance(TQuestionPace::Window + 1);
    }
}

TEST_F(PageQuestionsTest, AControlThatDoesNotShowDeclinesWithoutABox) {
    Form->Hide();
    Recorded q = Page().Ask(TPageQuestionKind::Confirm, "Anybody there?");
    ui.Process();
    EXPECT_EQ(q->Answers, 1);
    EXPECT_FALSE(q->Accepted);
}

TEST_F(PageQuestionsTest, ASilentControlClosesTheBoxUpAndDeclinesEveryQuestionWithoutOne) {
    Recorded up = Page().Ask(TPageQuestionKind::Confirm, "Stay?");
    EXPECT_EQ(Boxes([&](TCustomForm*) { Browser->SetSilent(true); }), 1);
    EXPECT_EQ(UiDriver::ModalForm(), nullptr);
    Recorded alert = Page().Ask(TPageQuestionKind::Alert, "Goodbye");
    Recorded confirm = Page().Ask(TPageQuestionKind::Confirm, "Sure?");
    Recorded prompt = Page().Ask(TPageQuestionKind::Prompt, "Why?", "suggested");
    ui.Process(); // a box now would fail the test: nothing answers it
    for (const Recorded& q : {up, alert, confirm, prompt})
        EXPECT_EQ(q->Answers, 1) << q->Text;
    EXPECT_FALSE(up->Accepted || confirm->Accepted) << "confirmations declined";
    EXPECT_TRUE(prompt->Accepted && prompt->Value.empty()) << "a prompt answered empty";

    // What was declined unseen counts nothing toward the page's pace: silent no more, the control shows the
    // page's next question.
    Browser->SetSilent(false);
    Recorded next = Page().Ask(TPageQuestionKind::Confirm, "Now?");
    EXPECT_EQ(Boxes([&](TCustomForm*) { ui.Key(win::VK_RETURN); }), 1);
    EXPECT_TRUE(next->Accepted);
}

TEST(QuestionPace, ThreeQuestionsWithinTenSecondsOfThePagesOwnTimeSilenceIt) {
    // Each question: when it comes and, when it is shown, when its box is answered; whether it is shown.
    struct Question {
        unsigned At, AnsweredAt;
        bool Shown;
    };
    struct Case {
        const char* What;
        unsigned Start;
        std::vector<Question> Questions;
    } cases[] = {
        {"asking again at once after every answer", 0, {{0, 900, true}, {900, 1800, true}, {1800, 0, false}}},
        {"a slow reader of a page that asks at once",
         0,
         {{0, 30000, true}, {30000, 60000, true}, {60000, 0, false}}},
        {"six seconds of the page's own between questions",
         0,
         {{0, 100, true}, {6100, 6200, true}, {12200, 12300, true}, {18300, 18400, true}}},
        {"once silenced, for good",
         0,
         {{0, 0, true}, {8000, 8000, true}, {9000, 0, false}, {900000, 0, false}}},
        {"across the tick count's wrap", 0xFFFFF000u, {{0, 0, true}, {3000, 3000, true}, {3100, 0, false}}},
    };
    for (const Case& c : cases) {
        TQuestionPace pace;
        for (std::size_t i = 0; i < c.Questions.size(); ++i) {
            const Question& q = c.Questions[i];
            EXPECT_EQ(pace.MayShow(c.Start + q.At), q.Shown) << c.What << ", question " << i + 1;
            if (q.Shown) pace.Answered(c.Start + q.AnsweredAt);
        }
        pace.Reset();
        EXPECT_TRUE(pace.MayShow(c.Start + 1000000)) << c.What << ": after a navigation";
    }
}

TEST(QuestionBoxText, ALongTextIsCutToWholeCharactersAndLines) {
    EXPECT_EQ(ShortenForBox("short"), "short");
    EXPECT_EQ(ShortenForBox("a\nb\nc\nd", 2), "a\nb...");
    // "é" is two bytes: a cut inside it leaves it out whole.
    EXPECT_EQ(ShortenForBox("ab\xC3\xA9", 20, 3), "ab...");
    EXPECT_EQ(ShortenForBox("ab\xC3\xA9", 20, 4), "ab\xC3\xA9");
}

} // namespace
