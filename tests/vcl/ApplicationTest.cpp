// The application: the main form, the loop until the main form closes, exceptions in handlers shown in
// the error box while the loop goes on, messages and idle handling; timers on the virtual clock; hints:
// the pause before a hint, the hint window and its text, CM_HINTSHOW and OnShowHint, hiding.

#include <gtest/gtest.h>

#include "platform/rtl/FileUtil.h"
#include "platform/vcl/Button.h"
#include "platform/vcl/Dialogs.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/Timer.h"
#include "tests/support/UiDriver.h"

namespace {

using namespace vcl;

class ApplicationTest : public uitest::UiTest {};

TEST_F(ApplicationTest, TheFirstFormCreatedIsTheMainFormAndRunEndsWhenItCloses) {
    TForm* main = nullptr;
    TForm* second = nullptr;
    Application->CreateForm(main);
    Application->CreateForm(second);
    TComponentPtr<TForm> holdMain(main), holdSecond(second);
    EXPECT_EQ(Application->MainForm(), main);
    EXPECT_EQ(main->Owner(), Application);
    main->SetCaption("Main");
    bool shownByRun = false;
    main->OnShow = [&](TObject*) { shownByRun = true; };
    int closeQueries = 0;
    main->OnCloseQuery = [&](TObject*, bool& CanClose) { CanClose = ++closeQueries > 1; };
    // Closing a secondary form does not end anything; the first close of the main form is refused.
    ui.WhenIdle([&] {
        second->Show();
        second->Close();
    });
    ui.WhenIdle([&] { main->Close(); });
    ui.WhenIdle([&] {
        EXPECT_FALSE(Application->Terminated());
        main->Close();
    });
    Application->Run();
    EXPECT_TRUE(shownByRun);
    EXPECT_TRUE(Application->Terminated());
    EXPECT_EQ(closeQueries, 2);
    EXPECT_FALSE(second->Visible());
    // Freeing the main form clears the reference.
    holdMain.reset();
    EXPECT_EQ(Application->MainForm(), nullptr);
}

TEST_F(ApplicationTest, AnExceptionInAHandlerIsShownInTheErrorBoxAndTheLoopGoesOn) {
    TForm* main = nullptr;
    Application->CreateForm(main);
    TComponentPtr<TForm> hold(main);
    Application->SetTitle("Kalvenor");
    auto* button = new TButton(main);
    button->SetName("Boom");
    static_cast<TControl*>(button)->SetParent(main);
    button->SetBounds(10, 10, 75, 25);
    button->SetCaption("Boom");
    int clicks = 0;
    button->OnClick = [&](TObject*) {
        ++clicks;
        throw EConvertError("'abc' is not a valid integer value");
    };
    String boxCaption;
    ui.WhenIdle([&] { ui.Click(button); });
    ui.WhenModal([&](TCustomForm* Box) {
        boxCaption = Box->Caption();
        ui.ClickButton(Box, "OK");
    });
    ui.WhenIdle([&] { ui.Click(button); }); // the loop still works after the error box
    ui.AnswerWith("OK");
    ui.WhenIdle([&] { main->Close(); });
    Application->Run();
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(boxCaption, "Kalvenor");
    ASSERT_EQ(ui.SeenMessages().size(), 2u);
    EXPECT_EQ(ui.SeenMessages()[0], "'abc' is not a valid integer value.");
}

TEST_F(ApplicationTest, TheErrorBoxEndsASentenceWithAFullStopAndOnExceptionTakesItsPlace) {
    ui.AnswerWith("OK");
    ui.AnswerWith("OK");
    ui.AnswerWith("OK");
    for (const char* text : {"Connection refused", "List index out of bounds (3)", "Done.\n"}) {
        try {
            throw Exception(text);
        } catch (...) {
            Application->HandleException(nullptr);
        }
    }
    EXPECT_EQ((std::vector<String>{"Connection refused.", "List index out of bounds (3)", "Done."}),
              ui.SeenMessages());

    // With OnException set, the handler gets the exceptions instead of the box; EAbort is silent.
    std::vector<String> seen;
    Application->OnException = [&](TObject* Sender, const std::exception& E) {
        EXPECT_EQ(Sender, Application);
        seen.push_back(E.what());
    };
    auto handle = [](auto E) {
        try {
            throw E;
        } catch (...) {
            Application->HandleException(Application);
        }
    };
    handle(EAbort("silent"));
    handle(EListError("List index out of bounds (3)"));
    handle(std::runtime_error("plain"));
    EXPECT_EQ((std::vector<String>{"List index out of bounds (3)", "plain"}), seen);
    // Outside a handler there is nothing to handle.
    Application->HandleException(Application);
    EXPECT_EQ(seen.size(), 2u);
}

TEST_F(ApplicationTest, OnMessageSeesMessagesFirstAndCanSwallowThem) {
    TComponentPtr<TForm> f(new TForm(Application));
    f->Show();
    int seenByForm = 0;
    f->WindowProc = [&, old = f->WindowProc](TMessage& M) {
        if (M.Msg == win::WM_USER + 7) ++seenByForm;
        old(M);
    };
    int seenByApp = 0;
    Application->OnMessage = [&](win::MSG& Msg, bool& Handled) {
        if (Msg.message == win::WM_USER + 7) {
            ++seenByApp;
            Handled = Msg.wParam == 1;
        }
    };
    win::PostMessage(f->WindowHandle(), win::WM_USER + 7, 1, 0);
    win::PostMessage(f->WindowHandle(), win::WM_USER + 7, 2, 0);
    Application->ProcessMessages();
    EXPECT_EQ(seenByApp, 2);
    EXPECT_EQ(seenByForm, 1);
}

TEST_F(ApplicationTest, ALoopWithNothingToDoRaisesInsteadOfHangingAndExeNameIsTheProgram) {
    TComponentPtr<TForm> f(new TForm(Application));
    EXPECT_THROW(f->ShowModal(), win::EMessageLoopIdle);
    // Everything was put back.
    EXPECT_FALSE(f->Visible());
    EXPECT_FALSE(f->FormState().Contains(fsModal));
    EXPECT_EQ(Application->ModalLevel(), 0);

    // ExeName is the running program.
    String exe = Application->ExeName();
    ASSERT_FALSE(exe.empty());
    EXPECT_EQ(exe[0], '/');
    EXPECT_TRUE(FileExists(exe));
}

TEST_F(ApplicationTest, OnIdleRunsWhenTheQueueIsEmptyAndDoneFalseKeepsTheLoopBusy) {
    TForm* main = nullptr;
    Application->CreateForm(main);
    TComponentPtr<TForm> hold(main);
    int idles = 0;
    Application->OnIdle = [&](TObject* Sender, bool& Done) {
        EXPECT_EQ(Sender, Application);
        Done = false; // more to do: the loop must not wait
        if (++idles == 3) main->Close();
    };
    Application->Run(); // would raise if the loop waited with nothing to do
    EXPECT_EQ(idles, 3);
}

TEST_F(ApplicationTest, TheScreenReportsTheDisplayItsMonitorsAndFontsAndSetsTheCursor) {
    // One 1024 x 768 monitor with a 30-pixel task bar, then a second one to its right.
    EXPECT_EQ(Screen->Width(), 1024);
    EXPECT_EQ(Screen->Height(), 768);
    EXPECT_EQ(Screen->WorkAreaRect(), Rect(0, 0, 1024, 738));
    EXPECT_EQ(Screen->MonitorCount(), 1);
    std::vector<backend::Monitor> monitors(2);
    monitors[0].Bounds = Rect(0, 0, 1024, 768);
    monitors[0].WorkArea = Rect(0, 0, 1024, 738);
    monitors[0].Primary = true;
    monitors[1].Bounds = Rect(1024, 0, 1024 + 800, 600);
    monitors[1].WorkArea = monitors[1].Bounds;
    ui.Screen().SetMonitors(monitors);
    EXPECT_EQ(Screen->MonitorCount(), 2);
    EXPECT_EQ(Screen->DesktopRect(), Rect(0, 0, 1824, 768));
    EXPECT_EQ(Screen->DesktopWidth(), 1824);
    EXPECT_EQ(Screen->Width(), 1024); // the primary one
    TMonitor* right = Screen->MonitorFromPoint({1500, 100});
    ASSERT_NE(right, nullptr);
    EXPECT_FALSE(right->Primary());
    EXPECT_EQ(right->Left(), 1024);
    EXPECT_EQ(right->Width(), 800);
    EXPECT_EQ(Screen->MonitorFromPoint({5000, 5000}, mdNull), nullptr);
    EXPECT_EQ(Screen->MonitorFromPoint({5000, 100}, mdNearest), right);
    TComponentPtr<TForm> f(new TForm(Application));
    f->SetPosition(poDesigned);
    f->SetBounds(1100, 50, 300, 200);
    f->Show();
    EXPECT_EQ(Screen->MonitorFromWindow(f->Handle()), right);
    EXPECT_THROW(Screen->Monitors(2), EListError);
    // The font list holds the families a program may name.
    TStrings* fonts = Screen->Fonts();
    EXPECT_GE(fonts->IndexOf("Tahoma"), 0);
    EXPECT_EQ(Screen->Fonts(), fonts); // filled once
    // The mouse follows the pointer.
    ui.Screen().MoveMouse(321, 123);
    ui.Process();
    EXPECT_EQ(Mouse->CursorPos(), (TPoint{321, 123}));

    // The screen cursor overrides the pointer shape until it is set back.
    EXPECT_EQ(Screen->Cursor(), crDefault);
    Screen->SetCursor(crHourGlass);
    EXPECT_EQ(ui.Screen().Cursor(), backend::CursorShape::Wait);
    EXPECT_EQ(Screen->Cursors(crHourGlass), win::LoadCursor(nullptr, win::IDC_WAIT));
    Screen->SetCursor(crDefault);
    EXPECT_EQ(ui.Screen().Cursor(), backend::CursorShape::Arrow);
}

class TimerTest : public uitest::UiTest {};

TEST_F(TimerTest, TicksEveryIntervalWhileEnabledAndCanBeFreedOrStoppedFromItsOwnTick) {
    TComponentPtr<TTimer> t(new TTimer(nullptr));
    std::vector<unsigned> ticks;
    const unsigned start = win::GetTickCount();
    t->OnTimer = [&](TObject* Sender) {
        EXPECT_EQ(Sender, t.get());
        ticks.push_back(win::GetTickCount() - start);
    };
    t->SetInterval(30);
    EXPECT_TRUE(t->Running());
    ui.Advance(100);
    EXPECT_EQ((std::vector<unsigned>{30, 60, 90}), ticks);
    t->SetEnabled(false);
    EXPECT_FALSE(t->Running());
    ui.Advance(100);
    EXPECT_EQ(ticks.size(), 3u);
    // Enabling again starts a fresh interval; a new interval restarts it.
    t->SetEnabled(true);
    ui.Advance(20);
    t->SetInterval(50);
    ui.Advance(45);
    EXPECT_EQ(ticks.size(), 3u);
    ui.Advance(5);
    EXPECT_EQ(ticks.size(), 4u);
    // An interval of 0 stops it.
    t->SetInterval(0);
    EXPECT_FALSE(t->Running());
    ui.Advance(200);
    EXPECT_EQ(ticks.size(), 4u);

    // A timer can be freed or stopped from its own tick.
    TTimer* own = new TTimer(nullptr);
    own->SetInterval(10);
    int ownTicks = 0;
    own->OnTimer = [&](TObject* Sender) {
        ++ownTicks;
        FreeComponent(static_cast<TTimer*>(Sender));
    };
    ui.Advance(100);
    EXPECT_EQ(ownTicks, 1);

    TComponentPtr<TTimer> u(new TTimer(nullptr));
    u->SetInterval(10);
    int uticks = 0;
    u->OnTimer = [&](TObject*) {
        if (++uticks == 2) u->SetEnabled(false);
    };
    ui.Advance(100);
    EXPECT_EQ(uticks, 2);
}

TEST_F(TimerTest, AnOwnedTimerGoesWithItsOwnerAnErrorIsReportedAndTimersTickInAModalLoop) {
    TComponentPtr<TComponent> owner(new TComponent(nullptr));
    auto* t = new TTimer(owner.get());
    t->SetInterval(25);
    std::vector<String> errors;
    Application->OnException = [&](TObject* Sender, const std::exception& E) {
        EXPECT_EQ(Sender, t);
        errors.push_back(E.what());
    };
    int ticks = 0;
    t->OnTimer = [&](TObject*) {
        ++ticks;
        throw EInvalidOperation("tick failed");
    };
    ui.Advance(60);
    EXPECT_EQ(ticks, 2); // it goes on after an error
    EXPECT_EQ((std::vector<String>{"tick failed", "tick failed"}), errors);
    owner.reset();
    ui.Advance(60); // nothing left to tick
    EXPECT_EQ(ticks, 2);

    // Timers tick inside a modal loop.
    TComponentPtr<TForm> dlg(new TForm(Application));
    TComponentPtr<TTimer> modal(new TTimer(nullptr));
    modal->SetInterval(100);
    int modalTicks = 0;
    modal->OnTimer = [&](TObject*) {
        if (++modalTicks == 3) dlg->SetModalResult(mrAbort);
    };
    EXPECT_EQ(dlg->ShowModal(), mrAbort);
    EXPECT_EQ(modalTicks, 3);
}

using namespace vcl;

// A control that rewrites its hint on CM_HINTSHOW.
class THintedButton : public TButton {
    KV_CLASS(THintedButton, TButton)
public:
    using TButton::TButton;
    String Rewrite;
    bool Refuse = false;
    int HintShows = 0;

protected:
    void WndProc(TMessage& Message) override {
        if (Message.Msg == CM_HINTSHOW) {
            ++HintShows;
            TCMHintShow m(Message);
            if (!Rewrite.empty()) m.HintInfo->HintStr = Rewrite;
            Message.Result = Refuse ? 1 : 0;
            return;
        }
        TButton::WndProc(Message);
    }
};

class HintTest : public uitest::UiTest {
protected:
    void SetUp() override {
        form.reset(new TForm(Application));
        form->SetPosition(poDesigned);
        form->SetBounds(100, 100, 300, 200);
        plain = new TButton(form.get());
        static_cast<TControl*>(plain)->SetParent(form.get());
        plain->SetBounds(10, 10, 75, 25);
        hinted = new THintedButton(form.get());
        static_cast<TControl*>(hinted)->SetParent(form.get());
        hinted->SetBounds(10, 60, 75, 25);
        hinted->SetHint("Saves the file|Writes the document to disk");
        hinted->SetShowHint(true);
        form->Show();
    }
    bool HintVisible() {
        THintWindow* w = Application->HintWindow();
        return w && w->HandleAllocated() && win::IsWindowVisible(w->WindowHandle());
    }
    TComponentPtr<TForm> form;
    TButton* plain = nullptr;
    THintedButton* hinted = nullptr;
};

TEST_F(HintTest, AppearsAfterThePauseWithTheShortHintAndGoesAfterTheHidePause) {
    Application->SetHintPause(500);
    Application->SetHintHidePause(2500);
    ui.MoveTo(hinted, 20, 10);
    EXPECT_EQ(Application->Hint(), "Saves the file|Writes the document to disk");
    ui.Advance(490);
    EXPECT_FALSE(HintVisible());
    ui.Advance(20);
    ASSERT_TRUE(HintVisible());
    THintWindow* w = Application->HintWindow();
    EXPECT_EQ(w->Caption(), "Saves the file");
    // Below the pointer, in the info colours, sized to its text.
    TPoint p = hinted->ClientToScreen({20, 10});
    EXPECT_EQ(w->Left(), p.X);
    EXPECT_GT(w->Top(), p.Y);
    EXPECT_EQ(w->Color(), clInfoBk);
    EXPECT_GT(w->Width(), w->Canvas()->TextWidth("Saves the file"));
    // The hint never takes the focus from the form.
    EXPECT_EQ(win::GetActiveWindow(), form->WindowHandle());
    ui.Advance(2600);
    EXPECT_FALSE(HintVisible());
}

TEST_F(HintTest, NoHintWithoutShowHintAndAClickCancelsIt) {
    plain->SetHint("Nothing");
    ui.MoveTo(plain);
    ui.Advance(1000);
    EXPECT_FALSE(HintVisible());
    ui.MoveTo(hinted);
    ui.Advance(600);
    ASSERT_TRUE(HintVisible());
    ui.Click(hinted);
    EXPECT_FALSE(HintVisible());
    // Switched off for the application: nothing.
    Application->SetShowHint(false);
    ui.MoveTo(plain);
    ui.MoveTo(hinted, 5, 5);
    ui.Advance(1000);
    EXPECT_FALSE(HintVisible());
}

TEST_F(HintTest, TheControlAndOnShowHintMayChangeOrRefuseTheHint) {
    hinted->Rewrite = "Rewritten";
    String seenByEvent;
    Application->OnShowHint = [&](String& HintStr, bool& CanShow, THintInfo& Info) {
        EXPECT_EQ(Info.HintControl, hinted);
        EXPECT_EQ(Info.CursorPos.X, 7);
        seenByEvent = HintStr;
        HintStr += "!";
        CanShow = true;
    };
    ui.MoveTo(hinted, 7, 5);
    ui.Advance(600);
    ASSERT_TRUE(HintVisible());
    EXPECT_EQ(seenByEvent, "Rewritten");
    EXPECT_EQ(Application->HintWindow()->Caption(), "Rewritten!");
    EXPECT_EQ(hinted->HintShows, 1);
    Application->CancelHint();
    EXPECT_FALSE(HintVisible());
    hinted->Refuse = true;
    ui.MoveTo(plain);
    ui.MoveTo(hinted);
    ui.Advance(600);
    EXPECT_FALSE(HintVisible());
    EXPECT_EQ(hinted->HintShows, 2);
}

// The page (the browser's view) and other programs' windows are not ours: no move comes from over them,
// only the leave of the window the pointer was in.
TEST_F(HintTest, LeavingForAWindowNotOursTakesTheHintAway) {
    const TPoint page = form->ClientToScreen({150, 40});
    ui.Screen().SetForeignWindows({TRect{page.X, page.Y, page.X + 100, page.Y + 100}});
    ui.MoveTo(hinted);
    ui.Advance(600);
    ASSERT_TRUE(HintVisible());
    ui.Screen().MoveMouse(page.X + 50, page.Y + 50);
    ui.Process();
    EXPECT_FALSE(HintVisible());
    EXPECT_EQ(Application->HintControl(), nullptr);
    // Back on the control, its hint comes again.
    ui.MoveTo(hinted);
    ui.Advance(600);
    EXPECT_TRUE(HintVisible());
}

TEST_F(HintTest, MovingToAnotherHintedControlShowsItsHintQuickly) {
    plain->SetHint("Opens a file");
    plain->SetShowHint(true);
    Application->SetHintShortPause(50);
    ui.MoveTo(hinted);
    ui.Advance(600);
    ASSERT_TRUE(HintVisible());
    ui.MoveTo(plain);
    EXPECT_FALSE(HintVisible());
    ui.Advance(60);
    ASSERT_TRUE(HintVisible());
    EXPECT_EQ(Application->HintWindow()->Caption(), "Opens a file");
    // Freeing the control under the hint takes the hint away.
    FreeComponent(plain);
    plain = nullptr;
    EXPECT_EQ(Application->HintControl(), nullptr);
}

} // namespace
