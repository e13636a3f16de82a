// Message routing: Perform and WndProc, WindowProc and window subclassing, the notifications that
// property changes send, parent font and colour, and the keyboard helpers; a control and its action, and
// double clicks.

#include <tuple>

#include "platform/rtl/Exceptions.h"
#include "tests/vcl/ControlTestSupport.h"

namespace controltest {
namespace {

// Logs every framework message it gets, then handles it normally; answers CM_WANTSPECIALKEY with 42.
class TLogControl : public TCustomControl {
    KV_CLASS(TLogControl, TCustomControl)
public:
    using TCustomControl::TCustomControl;
    ~TLogControl() override { BeforeDestruction(); }
    std::vector<win::UINT> Seen;
    std::vector<std::pair<TControl*, bool>> Changes; // CM_CONTROLCHANGE

protected:
    void WndProc(TMessage& Message) override {
        if (Message.Msg >= CM_BASE && Message.Msg < CM_BASE + 0x100) Seen.push_back(Message.Msg);
        if (Message.Msg == CM_CONTROLCHANGE) {
            TCMControlChange c(Message);
            Changes.emplace_back(c.Control, c.Inserting);
        }
        if (Message.Msg == CM_WANTSPECIALKEY) {
            Message.Result = 42;
            return;
        }
        TCustomControl::WndProc(Message);
    }
};

bool Saw(const std::vector<win::UINT>& seen, win::UINT msg) {
    return std::find(seen.begin(), seen.end(), msg) != seen.end();
}

class ControlMessageTest : public ControlTest {};

TEST_F(ControlMessageTest, PerformGoesThroughWindowProcAndPropertyChangesSendTheirNotifications) {
    MakeHost(0, 0, 100, 100);
    auto* c = Child<TLogControl>(host.get(), "Log", Rect(0, 0, 10, 10));
    EXPECT_EQ(c->Perform(CM_WANTSPECIALKEY, 0, 0), 42);
    ASSERT_FALSE(c->Seen.empty());
    EXPECT_EQ(c->Seen.back(), CM_WANTSPECIALKEY);

    c->Seen.clear();
    c->SetText("Hello");
    c->SetText("Hello"); // no change, no message
    c->SetEnabled(false);
    c->SetVisible(false);
    c->SetColor(clRed);
    c->Font()->SetSize(12);
    std::vector<win::UINT> expected{CM_TEXTCHANGED, CM_ENABLEDCHANGED, CM_VISIBLECHANGED, CM_COLORCHANGED,
                                    CM_FONTCHANGED};
    EXPECT_EQ(c->Seen, expected);
    EXPECT_EQ(c->Caption(), "Hello");
    EXPECT_FALSE(c->ParentColor());
    EXPECT_FALSE(c->ParentFont());

    // A replaced WindowProc sees the message first and may pass it on to the old one.
    TWndMethod old = c->WindowProc;
    int intercepted = 0;
    c->WindowProc = [&](TMessage& m) {
        if (m.Msg == CM_WANTSPECIALKEY) {
            ++intercepted;
            m.Result = 7;
            return;
        }
        old(m);
    };
    EXPECT_EQ(c->Perform(CM_WANTSPECIALKEY, 0, 0), 7);
    EXPECT_EQ(intercepted, 1);
    c->SetText("abc");
    EXPECT_TRUE(Saw(c->Seen, CM_TEXTCHANGED)); // passed through to WndProc
    c->WindowProc = old;
}

TEST_F(ControlMessageTest, ControlChangeMessagesBracketInsertionAndRemovalAndReparentingKeepsTheWindow) {
    MakeHost(0, 0, 200, 100);
    auto* parent = Child<TLogControl>(host.get(), "Parent", Rect(0, 0, 50, 50));
    auto* child = new TProbe(host.get());
    parent->Seen.clear();
    child->SetParent(parent);
    child->SetParent(nullptr);
    std::vector<win::UINT> expected{CM_CONTROLLISTCHANGE, CM_CONTROLCHANGE, CM_CONTROLCHANGE,
                                    CM_CONTROLLISTCHANGE};
    std::vector<win::UINT> seen;
    for (win::UINT m : parent->Seen)
        if (m == CM_CONTROLCHANGE || m == CM_CONTROLLISTCHANGE) seen.push_back(m);
    EXPECT_EQ(seen, expected);
    ASSERT_EQ(parent->Changes.size(), 2u);
    EXPECT_EQ(parent->Changes[0], std::make_pair(static_cast<TControl*>(child), true));
    EXPECT_EQ(parent->Changes[1], std::make_pair(static_cast<TControl*>(child), false));
    EXPECT_EQ(parent->ControlCount(), 0);

    // A control cannot become its own ancestor.
    auto* inner = Child<TBox>(parent, "Inner", Rect(0, 0, 10, 10));
    EXPECT_THROW(parent->SetParent(inner), EInvalidOperation);
    EXPECT_EQ(parent->Parent(), host.get());

    // A windowed child moved to another parent keeps its window.
    auto* other = Child<TBox>(host.get(), "Other", Rect(60, 0, 50, 50));
    ShowHost();
    win::HWND h = inner->Handle();
    inner->SetParent(other);
    EXPECT_EQ(inner->Handle(), h);
    EXPECT_EQ(win::GetParent(h), other->Handle());
    EXPECT_EQ(parent->ControlCount(), 0);
    EXPECT_EQ(other->Controls(0), inner);
    EXPECT_THROW(other->Controls(1), EListError);
}

TEST_F(ControlMessageTest, ParentFontAndColourFlowDownUntilSetLocally) {
    MakeHost(0, 0, 100, 100);
    auto* box = new TBox(host.get());
    box->SetParent(host.get());
    auto* probe = new TProbe(host.get());
    probe->SetParent(box);
    box->SetParentColor(true);
    probe->SetParentColor(true);

    host->Font()->SetName("Arial");
    host->SetColor(clYellow);
    EXPECT_EQ(box->Font()->Name(), "Arial");
    EXPECT_EQ(probe->Font()->Name(), "Arial");
    EXPECT_EQ(probe->Color(), clYellow);
    EXPECT_TRUE(probe->ParentFont());

    // A font set on the control itself stops the inheritance.
    probe->Font()->SetName("Verdana");
    EXPECT_FALSE(probe->ParentFont());
    host->Font()->SetName("Tahoma");
    EXPECT_EQ(box->Font()->Name(), "Tahoma");
    EXPECT_EQ(probe->Font()->Name(), "Verdana");
    // ... until ParentFont is switched back on.
    probe->SetParentFont(true);
    EXPECT_EQ(probe->Font()->Name(), "Tahoma");

    // A control joining a parent takes the parent's font at once.
    auto* late = new TProbe(host.get());
    late->SetParent(host.get());
    EXPECT_EQ(late->Font()->Name(), "Tahoma");
}

TEST_F(ControlMessageTest, SubclassedWindowStillReachesTheControl) {
    MakeHost(10, 10, 100, 100);
    auto* c = new TLogControl(host.get());
    c->SetParent(host.get());
    c->SetBounds(0, 0, 50, 50);
    ShowHost();
    win::HWND h = c->Handle();
    ASSERT_EQ(FindControl(h), c);

    static win::WNDPROC previous = nullptr;
    static int subclassCalls = 0;
    subclassCalls = 0;
    previous = reinterpret_cast<win::WNDPROC>(win::GetWindowLongPtr(h, win::GWLP_WNDPROC));
    win::WNDPROC hook = [](win::HWND w, win::UINT m, win::WPARAM wp, win::LPARAM lp) -> win::LRESULT {
        if (m == CM_WANTSPECIALKEY) ++subclassCalls;
        return win::CallWindowProc(previous, w, m, wp, lp);
    };
    win::SetWindowLongPtr(h, win::GWLP_WNDPROC, reinterpret_cast<win::LONG_PTR>(hook));
    EXPECT_EQ(win::SendMessage(h, CM_WANTSPECIALKEY, 0, 0), 42);
    EXPECT_EQ(subclassCalls, 1);
    // Messages nobody handles reach the window class's default procedure through the chain.
    win::SendMessage(h, win::WM_SETTEXT, 0, reinterpret_cast<win::LPARAM>("Subclassed"));
    char buf[32] = {};
    win::GetWindowText(h, buf, sizeof buf);
    EXPECT_STREQ(buf, "Subclassed");
    EXPECT_EQ(c->Caption(), "Subclassed");
    win::SetWindowLongPtr(h, win::GWLP_WNDPROC, reinterpret_cast<win::LONG_PTR>(previous));
}

TEST_F(ControlMessageTest, WindowIsMadeOnDemandAndKeepsTextAndBounds) {
    MakeHost(20, 30, 200, 100);
    auto* c = new TBox(host.get());
    c->SetParent(host.get());
    c->SetBounds(5, 6, 70, 40);
    c->SetText("Before");
    EXPECT_FALSE(c->HandleAllocated());
    win::HWND h = c->Handle(); // the parent's window comes first
    EXPECT_TRUE(host->HandleAllocated());
    EXPECT_EQ(win::GetParent(h), host->Handle());
    char buf[32] = {};
    win::GetWindowText(h, buf, sizeof buf);
    EXPECT_STREQ(buf, "Before");
    win::RECT r{};
    win::GetWindowRect(h, &r);
    EXPECT_EQ(r, Rect(25, 36, 95, 76));
    EXPECT_EQ(c->ClientOrigin(), Point(25, 36));
    EXPECT_EQ(c->ClientToScreen(Point(1, 2)), Point(26, 38));
    EXPECT_EQ(c->ScreenToClient(Point(26, 38)), Point(1, 2));

    // Recreating keeps the text; taking the control out of its parent destroys the window.
    c->SetText("After");
    c->RecreateWnd();
    EXPECT_FALSE(win::IsWindow(h) && FindControl(h) == c);
    c->HandleNeeded();
    win::GetWindowText(c->Handle(), buf, sizeof buf);
    EXPECT_STREQ(buf, "After");
    win::HWND h2 = c->Handle();
    c->SetParent(nullptr);
    EXPECT_FALSE(c->HandleAllocated());
    EXPECT_FALSE(win::IsWindow(h2));
    c->SetParent(host.get());
}

// A control that asks for a border, a tool-window style and a class name of its own.
class TStyled : public TCustomControl {
    KV_CLASS(TStyled, TCustomControl)
public:
    using TCustomControl::TCustomControl;

protected:
    void CreateParams(TCreateParams& Params) override {
        TCustomControl::CreateParams(Params);
        Params.Style |= win::WS_BORDER;
        Params.ExStyle |= win::WS_EX_TOOLWINDOW;
        Params.WinClassName = "KvStyledControl";
    }
};

TEST_F(ControlMessageTest, CreateParamsShapeTheWindow) {
    MakeHost(0, 0, 100, 100);
    auto* c = new TStyled(host.get());
    c->SetParent(host.get());
    c->SetTabStop(true);
    c->SetEnabled(false);
    win::HWND h = c->Handle();
    auto style = static_cast<win::DWORD>(win::GetWindowLong(h, win::GWL_STYLE));
    auto ex = static_cast<win::DWORD>(win::GetWindowLong(h, win::GWL_EXSTYLE));
    EXPECT_NE(style & win::WS_BORDER, 0u);
    EXPECT_NE(style & win::WS_CHILD, 0u);
    EXPECT_NE(style & win::WS_TABSTOP, 0u);
    EXPECT_NE(style & win::WS_DISABLED, 0u);
    EXPECT_NE(ex & win::WS_EX_TOOLWINDOW, 0u);
    char cls[64] = {};
    win::GetClassName(h, cls, sizeof cls);
    EXPECT_STREQ(cls, "KvStyledControl");
    // Enabling the control enables its window.
    c->SetEnabled(true);
    EXPECT_TRUE(win::IsWindowEnabled(h));
    // A control with no parent window at all is a top-level window.
    auto* top = new TStyled(host.get());
    style = static_cast<win::DWORD>(win::GetWindowLong(top->Handle(), win::GWL_STYLE));
    EXPECT_EQ(style & win::WS_CHILD, 0u);
    EXPECT_NE(style & win::WS_POPUP, 0u);
}

TEST_F(ControlMessageTest, FreeingAParentFreesItsChildrenAndOwnerFreesControls) {
    MakeHost(0, 0, 200, 100);
    auto* panel = new TBox(nullptr); // no owner: its parent frees it
    panel->SetParent(host.get());
    auto* owned = new TProbe(host.get());
    owned->SetParent(panel);
    auto* unowned = new TProbe(nullptr);
    unowned->SetParent(panel);
    long before = TObject::LiveObjects();
    FreeComponent(panel);
    EXPECT_LT(TObject::LiveObjects(), before);
    EXPECT_EQ(host->ControlCount(), 0);
    EXPECT_EQ(host->ComponentCount(), 0); // the owned probe left its owner too
}

TEST_F(ControlMessageTest, KeyboardHelpersAndTypedRecords) {
    EXPECT_TRUE(IsAccel('O', "&Open"));
    EXPECT_TRUE(IsAccel('o', "&Open"));
    EXPECT_TRUE(IsAccel('A', "Save &as"));
    EXPECT_FALSE(IsAccel('S', "Save &as"));
    EXPECT_FALSE(IsAccel('A', "Save &&as"));
    EXPECT_FALSE(IsAccel('A', "Fish && &Chips"));
    EXPECT_TRUE(IsAccel('C', "Fish && &Chips"));
    EXPECT_FALSE(IsAccel('X', "No marker"));
    EXPECT_FALSE(IsAccel('X', "Trailing&"));
    EXPECT_EQ(StripHotKey("Fish && &Chips"), "Fish & Chips");
    EXPECT_EQ(StripHotKey("Trailing&"), "Trailing");
    EXPECT_EQ(KeyDataToShiftState(0x20000000), TShiftState{ssAlt});
    EXPECT_EQ(KeyDataToShiftState(0), TShiftState{});
    EXPECT_EQ(KeysToShiftState(win::MK_SHIFT | win::MK_LBUTTON), (TShiftState{ssShift, ssLeft}));
    // A typed record writes back what the handler changed.
    TMessage m(CM_DIALOGKEY, win::VK_RETURN, 0x1C0001);
    TCMDialogKey k(m);
    EXPECT_EQ(k.CharCode, win::VK_RETURN);
    k.CharCode = 0;
    k.Result = 1;
    k.Store(m);
    EXPECT_EQ(m.WParam, 0u);
    EXPECT_EQ(m.Result, 1);
    // A character beyond 16 bits survives the round trip.
    TMessage c(win::WM_CHAR, 0x1F600, 0);
    TWMChar ch(c);
    ch.Store(c);
    EXPECT_EQ(c.WParam, 0x1F600u);
    // Mouse positions are signed 16-bit values.
    TMessage mm(win::WM_MOUSEMOVE, 0, win::MAKELPARAM(-5, 7));
    TWMMouse mouse(mm);
    EXPECT_EQ(mouse.Pos(), Point(-5, 7));
}

// Counts CM_BUTTONPRESSED and answers it when asked to.
class TGroupButton : public TProbe {
    KV_CLASS(TGroupButton, TProbe)
public:
    using TProbe::TProbe;
    int Pressed = 0;
    bool Answer = false;

protected:
    void WndProc(TMessage& Message) override {
        if (Message.Msg == CM_BUTTONPRESSED) {
            ++Pressed;
            if (Answer) Message.Result = 1;
            return;
        }
        TProbe::WndProc(Message);
    }
};

// The character after "&" is decoded whole and compared with the whole code point typed; letters match in
// either case, beyond ASCII too.
TEST_F(ControlMessageTest, AnAcceleratorIsTheWholeCharacterAfterTheAmpersandInEitherCase) {
    const std::vector<std::tuple<char32_t, char32_t, const char*>> pairs = {
        {U'É', U'é', "&Émile"}, {U'Ф', U'ф', "&Файл"}, {U'Σ', U'σ', "&Σύνολο"},
        {U'Ÿ', U'ÿ', "&ÿes"},   {U'Ǎ', U'ǎ', "&ǎbc"},  {U'Ạ', U'ạ', "&Ạnh"},
        {U'Ї', U'ї', "&Їжак"},  {U'Ά', U'ά', "&άλφα"}, {U'Ü', U'ü', "R&&D &Übersicht"}};
    for (const auto& [upper, lower, caption] : pairs) {
        EXPECT_TRUE(IsAccel(upper, caption)) << caption;
        EXPECT_TRUE(IsAccel(lower, caption)) << caption;
    }
    // Neither the first byte of the character nor a letter that only looks alike.
    EXPECT_FALSE(IsAccel(U'Ã', "&Émile"));
    EXPECT_FALSE(IsAccel(U'Ð', "&Файл"));
    EXPECT_FALSE(IsAccel(U'E', "&Émile"));
    EXPECT_FALSE(IsAccel(U'R', "R&&D &Übersicht"));
    // Beyond U+FFFF the whole code point counts, never its low 16 bits.
    EXPECT_TRUE(IsAccel(0x1F600, "&😀 Smile"));
    EXPECT_FALSE(IsAccel(0xF600, "&😀 Smile"));
    EXPECT_FALSE(IsAccel(U'ð', "&😀 Smile"));
    EXPECT_FALSE(IsAccel(0x10000 + 'A', "&Apple"));
    // A byte that starts no character marks nothing, not even the replacement character.
    EXPECT_FALSE(IsAccel(0xC9, "&\xC9mile"));
    EXPECT_FALSE(IsAccel(0xFFFD, "&\xC9mile"));
}
TEST_F(ControlMessageTest, BroadcastReachesEachChildUntilOneAnswers) {
    MakeHost(0, 0, 100, 100);
    std::vector<TGroupButton*> buttons;
    for (int i = 0; i < 3; ++i) {
        auto* b = new TGroupButton(host.get());
        b->SetParent(host.get());
        buttons.push_back(b);
    }
    TMessage m(CM_BUTTONPRESSED, 1, reinterpret_cast<win::LPARAM>(buttons[0]));
    host->Broadcast(m);
    EXPECT_EQ(buttons[2]->Pressed, 1);
    buttons[1]->Answer = true;
    TMessage again(CM_BUTTONPRESSED, 1, 0);
    host->Broadcast(again);
    EXPECT_EQ(again.Result, 1);
    EXPECT_EQ(buttons[1]->Pressed, 2);
    EXPECT_EQ(buttons[2]->Pressed, 1); // not reached after the answer
}

TEST_F(ControlMessageTest, ExceptionsInWindowProceduresGoToTheHandler) {
    MakeHost(0, 0, 100, 100);
    auto* c = new TBox(host.get());
    c->SetParent(host.get());
    c->OnKeyDown = [](TObject*, Word&, TShiftState) { throw EConvertError("bad key"); };
    static std::string caught;
    static TObject* sender = nullptr;
    caught.clear();
    SetControlExceptionHandler([](TObject* Sender) {
        sender = Sender;
        try {
            throw;
        } catch (const Exception& e) {
            caught = e.Message;
        }
    });
    win::SendMessage(c->Handle(), win::WM_KEYDOWN, 'A', 0);
    SetControlExceptionHandler(nullptr);
    EXPECT_EQ(caught, "bad key");
    EXPECT_EQ(sender, c);
    // Without a handler the exception reaches the sender of the message.
    EXPECT_THROW(win::SendMessage(c->Handle(), win::WM_KEYDOWN, 'A', 0), EConvertError);
}

class ControlActionTest : public ControlTest {};

TEST_F(ControlActionTest, ControlFollowsItsActionWhileLinked) {
    MakeHost(0, 0, 100, 100);
    auto* action = new TAction(host.get());
    action->SetCaption("&Save");
    action->SetHint("Saves the file");
    auto* c = new TProbe(host.get());
    c->SetParent(host.get());
    c->SetAction(action);
    EXPECT_EQ(c->Caption(), "&Save");
    EXPECT_EQ(c->Hint(), "Saves the file");
    EXPECT_TRUE(c->ControlStyle().Contains(csActionClient));

    action->SetEnabled(false);
    EXPECT_FALSE(c->Enabled());
    action->SetCaption("Save &As");
    EXPECT_EQ(c->Caption(), "Save &As");
    // A change of the action is taken over whatever the control showed meanwhile.
    c->SetCaption("Mine");
    action->SetCaption("Other");
    EXPECT_EQ(c->Caption(), "Other");
    action->SetVisible(false);
    EXPECT_FALSE(c->Visible());
}

TEST_F(ControlActionTest, ClickExecutesTheActionUnlessTheControlHasItsOwnAndFreeingTheActionDropsTheLink) {
    MakeHost(0, 0, 100, 100);
    auto* action = new TAction(host.get());
    int executed = 0, clicked = 0;
    action->OnExecute = [&](TObject*) { ++executed; };
    auto* c = new TProbe(host.get());
    c->SetParent(host.get());
    c->SetAction(action);
    c->Click();
    EXPECT_EQ(executed, 1);
    c->OnClick = [&](TObject*) { ++clicked; };
    c->Click();
    EXPECT_EQ(executed, 1);
    EXPECT_EQ(clicked, 1);
    // A disabled action does not execute.
    c->OnClick = nullptr;
    action->SetEnabled(false);
    c->Click();
    EXPECT_EQ(executed, 1);

    // Freeing the action drops the link.
    ASSERT_EQ(c->Action(), action);
    FreeComponent(action);
    EXPECT_EQ(c->Action(), nullptr);
    EXPECT_EQ(c->ActionLink(), nullptr);
    c->Click(); // nothing to run, nothing breaks
    // The popup menu reference is cleared the same way.
    auto* menu = new TComponent(nullptr);
    c->SetPopupMenu(menu);
    FreeComponent(menu);
    EXPECT_EQ(c->PopupMenu(), nullptr);
}

TEST_F(ControlActionTest, DoubleClickGivesOneClickAndOneDoubleClick) {
    MakeHost(100, 100, 200, 100);
    auto* c = new TProbe(host.get());
    c->SetBounds(10, 10, 50, 50);
    c->SetParent(host.get());
    ShowHost();
    int clicks = 0, doubles = 0;
    c->OnClick = [&](TObject*) { ++clicks; };
    c->OnDblClick = [&](TObject*) { ++doubles; };
    screen->Click(120, 120);
    screen->Click(120, 120);
    Pump();
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(doubles, 1);
    // Without csDoubleClicks the second press is a plain press again.
    c->SetControlStyle(c->ControlStyle() - csDoubleClicks);
    clicks = doubles = 0;
    screen->Advance(2000);
    screen->Click(120, 120);
    screen->Click(120, 120);
    Pump();
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(doubles, 0);
}

} // namespace
} // namespace controltest
