// Hints: the pause before a hint, the hint window and its text, CM_HINTSHOW and OnShowHint, hiding.

#include <gtest/gtest.h>

#include "platform/vcl/Button.h"
#include "platform/vcl/Forms.h"
#include "tests/support/UiDriver.h"

namespace {

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
