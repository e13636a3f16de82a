// The bar at work: timed panels, button panels, anchors, hints and the size grip through real input.

#include <algorithm>
#include <limits>
#include <set>

#include "components/statusbar/StatusClock.h"
#include "components/statusbar/UriLauncher.h"
#include "platform/vcl/ActnList.h"
#include "platform/win/Input.h"
#include "platform/win/Metrics.h"
#include "tests/statusbar/StatusBarTestSupport.h"

namespace statusbartest {
namespace {

class StatusBarBehaviourTest : public StatusBarTest {
protected:
    void SetUp() override {
        StatusBarTest::SetUp();
        // The clock panels read the virtual clock: 12:00:00 on 6 Dec 2026 when the test starts.
        start = win::GetTickCount();
        oldClock = SetClockSource([this] {
            unsigned ms = win::GetTickCount() - start;
            TClockTime t{2026, 12, 6, 12, 0, 0, 0};
            t.Second = static_cast<int>(ms / 1000 % 60);
            t.Minute = static_cast<int>(ms / 60000 % 60);
            t.Millisecond = static_cast<int>(ms % 1000);
            return t;
        });
        oldLauncher = SetUriLauncher([this](const String& Uri) {
            launched.push_back(Uri);
            return true;
        });
    }
    void TearDown() override {
        SetClockSource(oldClock);
        SetUriLauncher(oldLauncher);
        StatusBarTest::TearDown();
    }
    void Press(TControl* C, int X, int Y) {
        TPoint p = C->ClientToScreen(TPoint{X, Y});
        ui.Screen().MoveMouse(p.X, p.Y);
        ui.Screen().Press();
        ui.Process();
    }
    void Release() {
        ui.Screen().Release();
        ui.Process();
    }
    // What the bar answers to a hit test at a client point.
    win::LRESULT HitTest(TAdvOfficeStatusBar* Bar, int X, int Y) {
        const TPoint p = Bar->ClientToScreen(TPoint{X, Y});
        return win::SendMessage(Bar->Handle(), win::WM_NCHITTEST, 0,
                                static_cast<win::LPARAM>((p.Y << 16) | (p.X & 0xFFFF)));
    }

    unsigned start = 0;
    TClockSource oldClock;
    TUriLauncher oldLauncher;
    std::vector<String> launched;
};

TEST(StatusClockTest, FormatsByTheFrameworksLetters) {
    TClockTime t{2026, 3, 7, 14, 5, 9, 42};
    struct Case {
        const char* Format;
        const char* Text;
    } cases[] = {
        {"h:mm:ss", "14:05:09"}, {"hh:nn", "14:05"},        {"dd.MM.yyyy", "07.03.2026"},
        {"d/m/yy", "7/3/26"},    {"h:mm am/pm", "2:05 pm"}, {"'at' h", "at 14"},
        {"ss.zzz", "09.042"},    {"h:nn AM/PM", "2:05 PM"}, {"h A/P", "2 P"},
    };
    for (const Case& k : cases)
        EXPECT_EQ(FormatClockTime(k.Format, t), k.Text) << k.Format;
}

TEST_F(StatusBarBehaviourTest, TheClockPanelChangesOnceASecond) {
    auto* bar = MakeBar({80, 80});
    TAdvOfficeStatusPanel* clock = bar->Panels()->GetItem(0);
    clock->SetStyle(psTime);
    clock->SetTimeFormat("h:mm:ss");
    bar->Panels()->GetItem(1)->SetStyle(psDate);
    bar->Panels()->GetItem(1)->SetDateFormat("dd.MM.yyyy");
    ShowAndPaint();
    int writes = 0;
    ui.Advance(100);
    EXPECT_EQ(clock->Text(), "12:00:00");
    EXPECT_EQ(bar->Panels()->GetItem(1)->Text(), "06.12.2026");
    String last = clock->Text();
    // Ten ticks a second, one new text a second.
    for (int i = 0; i < 30; ++i) {
        ui.Advance(100);
        if (clock->Text() != last) ++writes, last = clock->Text();
    }
    EXPECT_EQ(writes, 3);
    EXPECT_EQ(clock->Text(), "12:00:03");
    // Between two seconds the clock panel waits for no repaint.
    ui.Process();
    ASSERT_FALSE(RepaintPending(bar));
    ui.Advance(100);
    EXPECT_FALSE(RepaintPending(bar));
}

TEST_F(StatusBarBehaviourTest, KeyLockPanelsFollowTheLocks) {
    auto* bar = MakeBar({50, 50, 50});
    bar->Panels()->GetItem(0)->SetStyle(psNumLock);
    bar->Panels()->GetItem(1)->SetStyle(psCapsLock);
    bar->Panels()->GetItem(2)->SetStyle(psScrollLock);
    ShowAndPaint();
    bool caps = (win::GetKeyState(win::VK_CAPITAL) & 1) != 0;
    ui.Advance(100);
    EXPECT_EQ(bar->Panels()->GetItem(1)->Text(), caps ? "CAP" : "");
    ui.Key(win::VK_CAPITAL);
    ui.Advance(100);
    EXPECT_EQ(bar->Panels()->GetItem(1)->Text(), caps ? "" : "CAP");
    ui.Key(win::VK_NUMLOCK);
    ui.Key(win::VK_SCROLL);
    ui.Advance(100);
    EXPECT_EQ(bar->Panels()->GetItem(0)->Text().empty(), (win::GetKeyState(win::VK_NUMLOCK) & 1) == 0);
    EXPECT_EQ(bar->Panels()->GetItem(2)->Text() == "SCRL", (win::GetKeyState(win::VK_SCROLL) & 1) != 0);
}

TEST_F(StatusBarBehaviourTest, BlinkingAlternatesAndAnimationsStep) {
    auto* bar = MakeBar({200, 80});
    bar->SetSizeGrip(false);
    TAdvOfficeStatusPanel* blink = bar->Panels()->GetItem(0);
    blink->SetStyle(psHTML);
    blink->SetText("<BLINK>MMMMMM</BLINK>");
    TImageList frames(nullptr);
    for (TColor c : {clRed, clBlue, clGreen}) {
        TBitmap b(16, 16);
        b.Canvas()->Brush()->SetColor(c);
        b.Canvas()->FillRect(TRect{0, 0, 16, 16});
        frames.Add(&b, nullptr);
    }
    TAdvOfficeStatusPanel* anim = bar->Panels()->GetItem(1);
    anim->SetStyle(psAnimation);
    anim->SetAnimationImages(&frames);
    anim->SetAnimated(true);
    anim->SetAnimationDelay(1); // a frame every other tick
    ShowAndPaint();
    // Text is there when a pixel of its place differs from the plain panel further right on its row.
    auto textShown = [&] {
        ui.Process();
        for (int y = 4; y < 15; ++y)
            for (int x = 6; x < 60; ++x)
                if (Peek(bar, x, y) != Peek(bar, 150, y)) return true;
        return false;
    };
    // Ticks 0..5: hidden; 6..10: shown; the panel repaints at ticks 5 and 10.
    std::vector<bool> shown;
    std::vector<int> frame;
    for (int i = 0; i < 22; ++i) {
        ui.Advance(100);
        shown.push_back(textShown());
        frame.push_back(anim->AnimationIndex());
    }
    EXPECT_NE(std::count(shown.begin(), shown.end(), true), 0);
    EXPECT_NE(std::count(shown.begin(), shown.end(), false), 0);
    // The phase changes exactly twice per 11 ticks.
    int changes = 0;
    for (size_t i = 1; i < shown.size(); ++i)
        changes += shown[i] != shown[i - 1];
    EXPECT_GE(changes, 3);
    EXPECT_LE(changes, 4);
    // The frame goes 0, 1, 2, 0, ... every other tick.
    std::set<int> seen(frame.begin(), frame.end());
    EXPECT_EQ(seen.size(), 3u);
    // The largest delay is no overflow: the frame moves only at tick 0.
    anim->SetAnimationDelay(std::numeric_limits<int>::max());
    int moves = 0;
    for (int i = 0; i < 22; ++i) {
        int before = anim->AnimationIndex();
        ui.Advance(100);
        moves += anim->AnimationIndex() != before;
    }
    EXPECT_EQ(moves, 2);
}

TEST_F(StatusBarBehaviourTest, ButtonPanelsShowHotAndDownAndRaiseTheirEvents) {
    auto* bar = MakeBar({100, 100, 100});
    bar->Panels()->GetItem(1)->SetButton(true);
    std::vector<int> clicks, rightClicks, doubleClicks;
    bar->OnPanelClick = [&](TObject*, int I) { clicks.push_back(I); };
    bar->OnPanelRightClick = [&](TObject*, int I) { rightClicks.push_back(I); };
    bar->OnPanelDblClick = [&](TObject*, int I) { doubleClicks.push_back(I); };
    ShowAndPaint();
    TVistaBackground* light = bar->CurrentStyler()->PanelAppearanceLight();
    light->SetColorHot(0x00FFFF);
    light->SetColorHotTo(0x00FFFF);
    light->SetColorDown(0x0000FF);
    light->SetColorDownTo(0x0000FF);
    const win::COLORREF normal = At(bar, 150, 2);
    ui.MoveTo(bar, 150, 9);
    EXPECT_EQ(bar->HotPanel(), 1);
    EXPECT_TRUE(Close(At(bar, 150, 2), Ref(0x00FFFF), 8));
    Press(bar, 150, 9);
    EXPECT_EQ(bar->DownPanel(), 1);
    EXPECT_TRUE(Close(At(bar, 150, 2), Ref(0x0000FF), 8));
    Release();
    EXPECT_EQ(bar->DownPanel(), -1);
    // A panel that is not a button never turns hot.
    ui.MoveTo(bar, 50, 9);
    EXPECT_EQ(bar->HotPanel(), -1);
    EXPECT_EQ(At(bar, 150, 2), normal);
    // Events with the panel's index, -1 right of the last panel's rectangle.
    ui.Click(bar, 50, 9);
    ui.Click(bar, 250, 9, backend::MouseButton::Right);
    EXPECT_EQ(clicks, (std::vector<int>{1, 0}));
    EXPECT_EQ(rightClicks, (std::vector<int>{2}));
    TPoint p = bar->ClientToScreen(TPoint{150, 9});
    ui.Screen().Click(p.X, p.Y);
    ui.Screen().Click(p.X, p.Y);
    ui.Process();
    EXPECT_EQ(doubleClicks, (std::vector<int>{1}));
}

TEST_F(StatusBarBehaviourTest, AnchorsOpenWebAndMailAddressesOnlyAndRaiseTheirEvents) {
    auto* bar = MakeBar({300, 100});
    TAdvOfficeStatusPanel* links = bar->Panels()->GetItem(0);
    links->SetStyle(psHTML);
    links->SetText("<a href=\"HTTPS://example.org\">web</a> <a href=\"file:///bin/sh\">file</a> "
                   "<a href=\"mailto:a@b.c\">mail</a> <a href=\"news\">app</a>");
    std::vector<String> clicked, entered, exited;
    bar->OnAnchorClick = [&](TObject*, const String& A) { clicked.push_back(A); };
    bar->OnAnchorEnter = [&](TObject*, const String& A) { entered.push_back(A); };
    bar->OnAnchorExit = [&](TObject*, const String& A) { exited.push_back(A); };
    ShowAndPaint();
    // The words' places, from the renderer as the bar lays them out.
    auto at = [&](const char* Word) {
        for (int x = 0; x < 300; ++x) {
            String a = bar->IsAnchor(x, 10);
            if (!a.empty() && a.find(Word) != String::npos) return x + 2;
        }
        ADD_FAILURE() << "no anchor " << Word;
        return 0;
    };
    int web = at("example"), file = at("file:"), mail = at("mailto"), app = at("news");
    ui.Click(bar, web, 10);
    ui.Click(bar, file, 10);
    ui.Click(bar, mail, 10);
    ui.Click(bar, app, 10);
    EXPECT_EQ(launched, (std::vector<String>{"HTTPS://example.org", "mailto:a@b.c"}));
    EXPECT_EQ(clicked, (std::vector<String>{"file:///bin/sh", "news"}));
    // Entering an anchor shows the hand and tells once; leaving tells with an empty text.
    entered.clear();
    ui.MoveTo(bar, web, 10);
    ui.MoveTo(bar, web + 1, 10);
    EXPECT_EQ(entered, (std::vector<String>{"HTTPS://example.org"}));
    EXPECT_EQ(bar->Cursor(), crHandPoint);
    ui.MoveTo(bar, 290, 10);
    EXPECT_EQ(bar->Cursor(), crDefault);
    ASSERT_FALSE(exited.empty());
    EXPECT_EQ(exited.back(), "");
    // In simple mode the simple text's anchors count, wherever the panels are.
    bar->SetSimpleText("<a href=\"simple\">simple link</a>");
    bar->SetSimplePanel(true);
    EXPECT_EQ(bar->IsAnchor(10, 10), "simple");
    EXPECT_EQ(bar->IsAnchor(350, 10), "");
    // Only the scheme counts, not "://" or "mailto:" anywhere.
    EXPECT_FALSE(IsOpenableUri("javascript:alert('mailto:x')"));
    EXPECT_FALSE(IsOpenableUri("x-app://http://a"));
    EXPECT_TRUE(IsOpenableUri("ftp://host/file"));
    EXPECT_FALSE(IsOpenableUri("http://"));
}

TEST_F(StatusBarBehaviourTest, HintsCarryThePanelsRecordOrTheAnchor) {
    auto* bar = MakeBar({150, 150});
    bar->SetAnchorHint(true);
    TAdvOfficeStatusPanel* plain = bar->Panels()->GetItem(0);
    plain->OfficeHint()->SetTitle("Status");
    TAdvOfficeStatusPanel* link = bar->Panels()->GetItem(1);
    link->SetStyle(psHTML);
    link->SetText("<a href=\"https://example.org\">site</a>");
    link->OfficeHint()->SetTitle("Links");
    ShowAndPaint();
    auto hint = [&](int X, int Y) {
        THintInfo info;
        info.CursorPos = TPoint{X, Y};
        win::SendMessage(bar->Handle(), CM_HINTSHOW, 0, reinterpret_cast<win::LPARAM>(&info));
        return info;
    };
    THintInfo a = hint(20, 9);
    EXPECT_EQ(a.HintControl, bar->HintControl());
    EXPECT_EQ(bar->HintControl()->OfficeHint()->Title(), "Status");
    // Over an anchor: no title, the address as the notes, shown 10 right and 10 up of the pointer.
    int x = 150;
    while (x < 300 && bar->IsAnchor(x, 9).empty())
        ++x;
    THintInfo b = hint(x + 1, 9);
    EXPECT_EQ(bar->HintControl()->OfficeHint()->Title(), "");
    EXPECT_EQ(bar->HintControl()->OfficeHint()->Notes()->Strings(0), "https://example.org");
    EXPECT_EQ(b.HintPos, bar->ClientToScreen(TPoint{x + 11, -1}));
    // Off the anchor the panel's own record.
    hint(290, 9);
    EXPECT_EQ(bar->HintControl()->OfficeHint()->Title(), "Links");
    // With AutoHint, an action's hint goes to the first panel (or the simple text).
    bar->SetAutoHint(true);
    THintAction action(nullptr);
    action.SetHint("Opens the catalogue");
    EXPECT_TRUE(bar->ExecuteAction(&action));
    EXPECT_EQ(plain->Text(), "Opens the catalogue");
    bar->SetSimplePanel(true);
    action.SetHint("Simple");
    bar->ExecuteAction(&action);
    EXPECT_EQ(bar->SimpleText(), "Simple");
    // An OnHint handler takes the hint over.
    bool handled = false;
    bar->OnHint = [&](TObject*) { handled = true; };
    action.SetHint("Handled");
    EXPECT_FALSE(bar->ExecuteAction(&action) && bar->SimpleText() == "Handled");
    EXPECT_TRUE(handled);
}

TEST_F(StatusBarBehaviourTest, FlippingReversesThePanels) {
    auto* bar = MakeBar({80, 100, 50}, 400);
    const char* texts[] = {"a", "b", "c"};
    for (int i = 0; i < 3; ++i)
        bar->Panels()->GetItem(i)->SetText(texts[i]);
    bar->Panels()->GetItem(0)->SetStyle(psHTML);
    ShowAndPaint();
    bar->FlipChildren(false);
    EXPECT_EQ(bar->Panels()->GetItem(0)->Text(), "c");
    EXPECT_EQ(bar->Panels()->GetItem(2)->Text(), "a");
    EXPECT_EQ(bar->Panels()->GetItem(2)->Style(), psHTML);
    // The new last panel: the old first one's width; the new first: 400 less the old 80 and 100.
    EXPECT_EQ(bar->Panels()->GetItem(2)->Width(), 80);
    EXPECT_EQ(bar->Panels()->GetItem(0)->Width(), 220);
}

TEST_F(StatusBarBehaviourTest, AtDesignTimeAPanelBorderIsDraggedAndTheColourRestartsTheWindow) {
    auto* bar = MakeBar({80, 100, 50});
    ShowAndPaint();
    bar->SetDesigning(true);
    // Press on the first panel's right border (80) and drag 30 to the right, then far to the left.
    Press(bar, 81, 9);
    TPoint p = bar->ClientToScreen(TPoint{111, 9});
    ui.Screen().MoveMouse(p.X, p.Y);
    ui.Process();
    EXPECT_EQ(bar->Panels()->GetItem(0)->Width(), 110);
    p = bar->ClientToScreen(TPoint{-200, 9});
    ui.Screen().MoveMouse(p.X, p.Y);
    ui.Process();
    EXPECT_EQ(bar->Panels()->GetItem(0)->Width(), 0); // never negative
    Release();
    bar->SetDesigning(false);
    // A colour change makes a new window, whose timer runs again.
    win::HWND before = bar->Handle();
    bar->SetColor(clRed);
    ui.Process();
    EXPECT_NE(bar->Handle(), before);
    int tick = bar->Tick();
    ui.Advance(100);
    EXPECT_NE(bar->Tick(), tick);
}

TEST_F(StatusBarBehaviourTest, TheSizeGripAnswersTheCornerAndIsDrawnAsDots) {
    auto* bar = MakeBar({100, 100}, 500);
    bar->SetAlign(alBottom);
    auto* luna = new AdvOfficeStatusBarStylers::TAdvOfficeStatusBarOfficeStyler(form.get());
    luna->SetStyle(AdvOfficeStatusBarStylers::psOffice2007Luna);
    bar->SetStyler(luna);
    ShowAndPaint();
    ASSERT_TRUE(bar->HasSizeGrip());
    EXPECT_EQ(HitTest(bar, bar->Width() - 2, bar->Height() - 2), win::HTBOTTOMRIGHT);
    EXPECT_EQ(HitTest(bar, 50, 5), win::HTCLIENT);
    // The dots: with x = Width - 18 and b = Height - 1, a square (x+13, b-4)..(x+15, b-2) in the dark
    // appearance's colour blended half with white, and one up and left in the styler's border colour.
    const int x = bar->Width() - 18, b = bar->Height() - 1;
    TCustomAdvOfficeStatusBarStyler* s = bar->CurrentStyler();
    win::COLORREF light = Ref(BlendColor(s->PanelAppearanceDark()->Color(), clWhite, 50));
    EXPECT_EQ(At(bar, x + 14, b - 3), light);
    EXPECT_EQ(At(bar, x + 14, b - 11), light);
    EXPECT_EQ(At(bar, x + 12, b - 5), Ref(s->BorderColor()));
    EXPECT_EQ(At(bar, x + 4, b - 5), Ref(s->BorderColor()));
    // The triangle has no dot at its top-left.
    EXPECT_NE(At(bar, x + 6, b - 11), light);
    // A drag from the grip sizes the form, as its own corner would.
    const TRect before = form->BoundsRect();
    Press(bar, bar->Width() - 3, bar->Height() - 3);
    const TPoint grip = bar->ClientToScreen(TPoint{bar->Width() - 3, bar->Height() - 3});
    ui.Screen().MoveMouse(grip.X + 15, grip.Y + 5);
    ui.Process();
    ui.Screen().MoveMouse(grip.X + 30, grip.Y + 20);
    ui.Process();
    Release();
    EXPECT_EQ(form->BoundsRect(), (TRect{before.Left, before.Top, before.Right + 30, before.Bottom + 20}));
    // Maximised, there is no grip and the corner goes to the form's border.
    form->SetWindowState(wsMaximized);
    ui.Process();
    EXPECT_FALSE(bar->HasSizeGrip());
    EXPECT_EQ(HitTest(bar, bar->Width() - 2, bar->Height() - 2), win::HTTRANSPARENT);
}

} // namespace
} // namespace statusbartest
