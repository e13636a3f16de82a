// Focus and the keyboard: tab order and SelectNext, Tab and arrows through the input queue, the order of
// DoEnter and DoExit across containers, CM_FOCUSCHANGED, key events, dialog keys and accelerators. The
// mouse through the real input queue: enter and leave on windowless and windowed controls, routing to
// windowless children, capture on a press, clicks.

#include "platform/rtl/Exceptions.h"
#include "tests/vcl/ControlTestSupport.h"

namespace controltest {
namespace {

// A control that takes accelerators from its caption and the Return key as a dialog key.
class TAccelBox : public TBox {
    KV_CLASS(TAccelBox, TBox)
public:
    using TBox::TBox;
    int Accels = 0;
    int Returns = 0;

protected:
    void WndProc(TMessage& Message) override {
        if (Message.Msg == CM_DIALOGCHAR && IsAccel(Message.WParam, Caption()) && CanFocus()) {
            ++Accels;
            SetFocus();
            Message.Result = 1;
            return;
        }
        if (Message.Msg == CM_DIALOGKEY && Message.WParam == win::VK_RETURN) {
            ++Returns;
            Message.Result = 1;
            return;
        }
        TBox::WndProc(Message);
    }
};

class FocusTest : public ControlTest {
protected:
    TBox* Add(TWinControl* Parent, const char* Name, int X, int Y) {
        return Child<TBox>(Parent, Name, Rect(X, Y, X + 40, Y + 20), &log);
    }
    // Host with: A, Group(G1, G2), B in that tab order.
    void Build() {
        MakeHost(100, 100, 300, 200);
        a = Add(host.get(), "A", 10, 10);
        group = Add(host.get(), "Group", 10, 40);
        group->SetBounds(10, 40, 200, 60);
        g1 = Add(group, "G1", 5, 5);
        g2 = Add(group, "G2", 60, 5);
        b = Add(host.get(), "B", 10, 120);
        ShowHost();
        log.clear();
    }
    TWinControl* Focused() const { return FindControl(win::GetFocus()); }
    void Press(unsigned vk) {
        screen->PressKey(vk);
        Pump();
    }

    TEventLog log;
    TBox *a = nullptr, *group = nullptr, *g1 = nullptr, *g2 = nullptr, *b = nullptr;
};

TEST_F(FocusTest, TabOrderListAndFindNextControl) {
    Build();
    TWinControlList list;
    host->GetTabOrderList(list);
    EXPECT_EQ(list, (TWinControlList{a, group, g1, g2, b}));
    EXPECT_EQ(g2->TabOrder(), 1);
    g2->SetTabOrder(0);
    list.clear();
    host->GetTabOrderList(list);
    EXPECT_EQ(list, (TWinControlList{a, group, g2, g1, b}));
    // Out-of-range orders go to the end.
    a->SetTabOrder(99);
    EXPECT_EQ(a->TabOrder(), 2);
    a->SetTabOrder(0);

    EXPECT_EQ(host->FindNextControl(a, true, true, false), group);
    EXPECT_EQ(host->FindNextControl(b, true, true, false), a); // wraps
    EXPECT_EQ(host->FindNextControl(a, false, true, false), b);
    group->SetTabStop(false);
    EXPECT_EQ(host->FindNextControl(a, true, true, false), g2);
    // Disabled or hidden controls (and those inside them) are skipped.
    g2->SetEnabled(false);
    EXPECT_EQ(host->FindNextControl(a, true, true, false), g1);
    group->SetVisible(false);
    EXPECT_EQ(host->FindNextControl(a, true, true, false), b);
    EXPECT_FALSE(g1->CanFocus());
    EXPECT_THROW(g1->SetFocus(), EInvalidOperation);
    // Only direct children when asked.
    group->SetVisible(true);
    g2->SetEnabled(true);
    EXPECT_EQ(host->FindNextControl(a, true, false, true), group);
}

TEST_F(FocusTest, EnterAndExitRunUpAndDownTheContainersAndAChangeIsBroadcast) {
    Build();
    a->SetFocus();
    EXPECT_EQ(Focused(), a);
    EXPECT_TRUE(a->Focused());
    log.clear();
    g2->SetFocus();
    EXPECT_EQ(log, (TEventLog{"DoExit:A", "DoEnter:Group", "DoEnter:G2"}));
    log.clear();
    g1->SetFocus(); // within the group: the group stays entered
    EXPECT_EQ(log, (TEventLog{"DoExit:G2", "DoEnter:G1"}));
    log.clear();
    b->SetFocus();
    EXPECT_EQ(log, (TEventLog{"DoExit:G1", "DoExit:Group", "DoEnter:B"}));
    EXPECT_EQ(host->FocusedControl(), b);

    // OnEnter / OnExit are raised by DoEnter / DoExit.
    std::vector<std::string> events;
    a->OnEnter = [&](TObject*) { events.push_back("enter A"); };
    b->OnExit = [&](TObject*) { events.push_back("exit B"); };
    a->SetFocus();
    EXPECT_EQ(events, (std::vector<std::string>{"exit B", "enter A"}));

    // The change of focus is broadcast to every control, nested ones too.
    g1->SetFocus();
    ASSERT_FALSE(a->FocusChanges.empty());
    EXPECT_EQ(a->FocusChanges.back(), g1);
    EXPECT_EQ(g2->FocusChanges.back(), g1); // nested controls hear it too
    EXPECT_EQ(b->FocusChanges.back(), g1);
    size_t before = b->FocusChanges.size();
    g1->SetFocus(); // no change, no broadcast
    EXPECT_EQ(b->FocusChanges.size(), before);
}

TEST_F(FocusTest, TabAndArrowsMoveTheFocusAndOtherKeysReachTheFocusedControl) {
    Build();
    a->SetFocus();
    Press(win::VK_TAB);
    EXPECT_EQ(Focused(), group);
    Press(win::VK_TAB);
    EXPECT_EQ(Focused(), g1);
    Press(win::VK_TAB);
    EXPECT_EQ(Focused(), g2);
    // Shift+Tab goes back.
    screen->KeyDown(win::VK_SHIFT);
    Press(win::VK_TAB);
    screen->KeyUp(win::VK_SHIFT);
    Pump();
    EXPECT_EQ(Focused(), g1);
    // Arrows move among siblings only, wrapping.
    Press(win::VK_RIGHT);
    EXPECT_EQ(Focused(), g2);
    Press(win::VK_DOWN);
    EXPECT_EQ(Focused(), g1);
    Press(win::VK_LEFT);
    EXPECT_EQ(Focused(), g2);

    // Key events reach the focused control unless the dialog takes them.
    std::vector<std::string> keys;
    g1->OnKeyDown = [&](TObject*, Word& Key, TShiftState) { keys.push_back("down " + std::to_string(Key)); };
    g1->OnKeyUp = [&](TObject*, Word& Key, TShiftState) { keys.push_back("up " + std::to_string(Key)); };
    g1->OnKeyPress = [&](TObject*, char32_t& Key) {
        keys.push_back(std::string("press ") + static_cast<char>(Key));
    };
    g1->SetFocus();
    Press('Q');
    EXPECT_EQ(keys, (std::vector<std::string>{"down 81", "press q", "up 81"}));
    keys.clear();
    Press(win::VK_TAB); // taken by the dialog: no key-down event
    EXPECT_EQ(Focused(), g2);
    EXPECT_EQ(std::count(keys.begin(), keys.end(), "down 9"), 0);

    // A control that wants the arrows keeps them.
    class TArrowBox : public TBox {
    public:
        using TBox::TBox;
        int Arrows = 0;

    protected:
        void WndProc(TMessage& Message) override {
            if (Message.Msg == win::WM_GETDLGCODE) {
                Message.Result = win::DLGC_WANTARROWS;
                return;
            }
            TBox::WndProc(Message);
        }
        void KeyDown(Word& Key, TShiftState Shift) override {
            if (Key == win::VK_RIGHT) ++Arrows;
            TBox::KeyDown(Key, Shift);
        }
    };
    auto* arrows = Child<TArrowBox>(host.get(), "Arrows", Rect(220, 10, 260, 30));
    arrows->SetFocus();
    Press(win::VK_RIGHT);
    EXPECT_EQ(arrows->Arrows, 1);
    EXPECT_EQ(Focused(), arrows);
}

// A container that takes F5 from any control inside it (CM_CHILDKEY).
class TChildKeyBox : public TBox {
    KV_CLASS(TChildKeyBox, TBox)
public:
    using TBox::TBox;
    int Taken = 0;

protected:
    void WndProc(TMessage& Message) override {
        if (Message.Msg == CM_CHILDKEY && Message.WParam == win::VK_F5) {
            ++Taken;
            Message.Result = 1;
            return;
        }
        TBox::WndProc(Message);
    }
};

TEST_F(FocusTest, ParentsSeeChildKeysFirstAndDialogKeysAndAcceleratorsReachTheirControls) {
    Build();
    auto* keyBox = Child<TChildKeyBox>(host.get(), "KeyBox", Rect(220, 10, 280, 70));
    auto* inKeyBox = Child<TBox>(keyBox, "InKeyBox", Rect(5, 5, 25, 25));
    int downs = 0;
    inKeyBox->OnKeyDown = [&](TObject*, Word&, TShiftState) { ++downs; };
    inKeyBox->SetFocus();
    Press(win::VK_F5);
    EXPECT_EQ(keyBox->Taken, 1);
    EXPECT_EQ(downs, 0);
    Press(win::VK_F6);
    EXPECT_EQ(downs, 1);

    auto* ok = Child<TAccelBox>(host.get(), "Ok", Rect(220, 120, 260, 140));
    ok->SetCaption("&Go");
    a->SetFocus();
    // Return is not wanted by the focused control: the form offers it to every control.
    Press(win::VK_RETURN);
    EXPECT_EQ(ok->Returns, 1);
    // Alt+G: the accelerator focuses the control.
    screen->KeyDown(win::VK_MENU);
    Press('G');
    screen->KeyUp(win::VK_MENU);
    Pump();
    EXPECT_EQ(ok->Accels, 1);
    EXPECT_EQ(Focused(), ok);
    // A plain character in a control that does not want characters works as an accelerator too.
    a->SetFocus();
    Press('G');
    EXPECT_EQ(ok->Accels, 2);
}

TEST_F(FocusTest, HidingOrFreeingTheFocusedControlOrItsContainerMovesTheBookkeeping) {
    Build();
    g1->SetFocus();
    group->SetVisible(false);
    EXPECT_EQ(host->FocusedControl(), host.get());
    group->SetVisible(true);
    g2->SetFocus();
    FreeComponent(g2);
    g2 = nullptr;
    EXPECT_EQ(host->FocusedControl(), group);
    a->SetFocus();
    EXPECT_EQ(host->FocusedControl(), a);

    // Freeing a container of the focused control leaves no dangling focus.
    auto* outer = new TBox(nullptr, &log); // freed by hand; its child goes with it
    outer->SetName("Outer");
    outer->SetBounds(220, 10, 60, 60);
    outer->SetParent(host.get());
    auto* inner = Child<TBox>(outer, "Inner", Rect(5, 5, 25, 25), &log);
    Pump();
    inner->SetFocus();
    ASSERT_EQ(host->FocusedControl(), inner);
    FreeComponent(outer);
    EXPECT_EQ(host->FocusedControl(), host.get());
    log.clear();
    a->SetFocus(); // walks from the bookkeeping: must not touch the freed controls
    EXPECT_EQ(log, (TEventLog{"DoEnter:A"}));
}

class ControlMouseTest : public ControlTest {
protected:
    // Host at (100, 100), 300 x 200, with a panel at (10, 10) 200 x 100 holding two probes.
    void Build() {
        MakeHost(100, 100, 300, 200);
        panel = Child<TBox>(host.get(), "Panel", Rect(10, 10, 210, 110), &log);
        g1 = Child<TProbe>(panel, "G1", Rect(10, 10, 60, 60), &log);
        g2 = Child<TProbe>(panel, "G2", Rect(70, 10, 120, 60), &log);
        ShowHost();
        log.clear();
    }
    void MoveTo(int X, int Y) {
        screen->MoveMouse(X, Y);
        Pump();
    }

    TEventLog log;
    TBox* panel = nullptr;
    TProbe* g1 = nullptr;
    TProbe* g2 = nullptr;
};

TEST_F(ControlMouseTest, EnterAndLeaveFollowThePointerAcrossWindowlessAndWindowedControls) {
    Build();
    // Panel's client origin is (110, 110) on the screen.
    MoveTo(115, 115); // on the panel, outside both probes
    MoveTo(130, 130); // into G1
    MoveTo(135, 135); // still in G1: nothing new
    MoveTo(190, 130); // into G2 directly
    MoveTo(240, 130); // back to the panel
    MoveTo(350, 250); // onto the host, outside the panel
    TEventLog expected{"Enter:Panel", "Leave:Panel", "Enter:G1",    "Leave:G1",
                       "Enter:G2",    "Leave:G2",    "Enter:Panel", "Leave:Panel"};
    EXPECT_EQ(log, expected);
    EXPECT_EQ(GetMouseControl(), host.get());

    // Windowed children get them too.
    Child<TBox>(host.get(), "Inner", Rect(220, 20, 280, 80), &log);
    Pump();
    log.clear();
    MoveTo(330, 130); // inside Inner (host origin 100, 100)
    MoveTo(120, 280); // on the host, below the panel
    MoveTo(330, 130);
    EXPECT_EQ(log, (TEventLog{"Enter:Inner", "Leave:Inner", "Enter:Inner"}));
}

TEST_F(ControlMouseTest, EventsOnEnterAndLeaveHidingSendsLeaveAndAFreedControlIsForgotten) {
    Build();
    int enters = 0, leaves = 0;
    g1->OnMouseEnter = [&](TObject* s) {
        EXPECT_EQ(s, g1);
        ++enters;
    };
    g1->OnMouseLeave = [&](TObject*) { ++leaves; };
    MoveTo(130, 130);
    EXPECT_EQ(enters, 1);
    g1->SetVisible(false);
    EXPECT_EQ(leaves, 1);
    EXPECT_NE(GetMouseControl(), g1);
    // Leaving the whole screen area of the windows leaves the last control.
    g1->SetVisible(true);
    MoveTo(130, 130);
    EXPECT_EQ(enters, 2);
    MoveTo(1000, 700);
    EXPECT_EQ(leaves, 2);
    EXPECT_EQ(GetMouseControl(), nullptr);

    // A freed control is forgotten without messages.
    MoveTo(130, 130);
    ASSERT_EQ(GetMouseControl(), g1);
    FreeComponent(g1);
    g1 = nullptr;
    EXPECT_EQ(GetMouseControl(), nullptr);
    MoveTo(190, 130);
    EXPECT_EQ(GetMouseControl(), g2);
}

TEST_F(ControlMouseTest, PressCapturesAndReleaseOutsideDoesNotClick) {
    Build();
    int clicks = 0;
    std::vector<TPoint> ups;
    g1->OnClick = [&](TObject*) { ++clicks; };
    g1->OnMouseUp = [&](TObject*, TMouseButton b, TShiftState, int X, int Y) {
        EXPECT_EQ(b, mbLeft);
        ups.push_back({X, Y});
    };
    std::vector<TPoint> moves;
    g1->OnMouseMove = [&](TObject*, TShiftState s, int X, int Y) {
        if (s.Contains(ssLeft)) moves.push_back({X, Y});
    };

    MoveTo(130, 130);
    screen->Press();
    Pump();
    EXPECT_TRUE(g1->MouseCapture());
    EXPECT_EQ(GetCaptureControl(), g1);
    // Moving over G2 while captured still goes to G1, in G1's coordinates.
    MoveTo(190, 130);
    ASSERT_FALSE(moves.empty());
    EXPECT_EQ(moves.back(), Point(70, 10));
    screen->Release();
    Pump();
    EXPECT_FALSE(g1->MouseCapture());
    EXPECT_EQ(clicks, 0);
    ASSERT_EQ(ups.size(), 1u);
    EXPECT_EQ(ups[0], Point(70, 10));

    // Press and release inside: one click, before the mouse-up event.
    std::vector<std::string> order;
    g1->OnClick = [&](TObject*) { order.push_back("click"); };
    g1->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int, int) { order.push_back("up"); };
    screen->Click(135, 135);
    Pump();
    EXPECT_EQ(order, (std::vector<std::string>{"click", "up"}));
}

TEST_F(ControlMouseTest, MouseDownReachesTheTopmostChildInItsCoordinates) {
    Build();
    // A third probe over G1 and G2 takes the press.
    auto* top = Child<TProbe>(panel, "Top", Rect(40, 20, 90, 40), &log);
    TPoint down{-1, -1};
    TMouseButton button = mbMiddle;
    top->OnMouseDown = [&](TObject*, TMouseButton b, TShiftState, int X, int Y) {
        button = b;
        down = {X, Y};
    };
    bool g1Down = false;
    g1->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { g1Down = true; };
    screen->Click(155, 135, backend::MouseButton::Right);
    Pump();
    EXPECT_EQ(button, mbRight);
    EXPECT_EQ(down, Point(5, 5));
    EXPECT_FALSE(g1Down);
    // Sent to the back, it no longer covers G1.
    top->SendToBack();
    screen->Click(155, 135);
    Pump();
    EXPECT_TRUE(g1Down);
    // A disabled control lets the press fall through to its parent.
    int panelDowns = 0;
    panel->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { ++panelDowns; };
    g1->SetEnabled(false);
    top->SetEnabled(false);
    screen->Click(155, 135);
    Pump();
    EXPECT_EQ(panelDowns, 1);
}

TEST_F(ControlMouseTest, FindDragTargetFindsTheControlUnderAScreenPoint) {
    Build();
    EXPECT_EQ(FindDragTarget(Point(130, 130), false), g1);
    EXPECT_EQ(FindDragTarget(Point(115, 115), false), panel);
    EXPECT_EQ(FindDragTarget(Point(350, 250), false), host.get());
    EXPECT_EQ(FindDragTarget(Point(900, 700), false), nullptr);
    g1->SetEnabled(false);
    EXPECT_EQ(FindDragTarget(Point(130, 130), false), panel);
    EXPECT_EQ(FindDragTarget(Point(130, 130), true), g1);
}

} // namespace
} // namespace controltest
