// Forms: frame and client size, placement, showing and hiding, closing, modal showing, focus and keys,
// MDI children and the MDI frame's client window; a form class's own painting, and the application's loss or
// return of the activation reaching the forms (posted: a menu loop's hook sees it in the queue).

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/classes/LayoutReader.h"
#include "platform/vcl/Button.h"
#include "platform/vcl/Edit.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/Menus.h"
#include "platform/vcl/Panel.h"
#include "platform/win/Input.h"
#include "platform/win/Metrics.h"
#include "tests/support/ColorMatch.h"
#include "tests/support/MenuDriver.h"
#include "tests/support/UiDriver.h"

namespace {

using namespace vcl;
using ::testing::StrEq;
using ::testing::ThrowsMessage;
using uitest::UiDriver;

class FormTest : public uitest::UiTest {
protected:
    // A form owned by the application, freed by the test.
    TForm* NewForm(const String& Name, int ClientWidth = 300, int ClientHeight = 200) {
        auto* f = new TForm(Application);
        f->SetName(Name);
        f->SetCaption(Name);
        f->SetClientWidth(ClientWidth);
        f->SetClientHeight(ClientHeight);
        return f;
    }
    TButton* NewButton(TCustomForm* Form, const String& Name, int X, int Y) {
        auto* b = new TButton(Form);
        b->SetName(Name);
        static_cast<TControl*>(b)->SetParent(Form);
        b->SetBounds(X, Y, 75, 25);
        return b;
    }
    TEdit* NewEdit(TCustomForm* Form, const String& Name, int X, int Y) {
        auto* e = new TEdit(Form);
        e->SetName(Name);
        static_cast<TControl*>(e)->SetParent(Form);
        e->SetBounds(X, Y, 120, 21);
        return e;
    }
};

TEST_F(FormTest, ClientSizeExcludesOurFrameAndCaptionForEveryBorder) {
    TComponentPtr<TForm> f(NewForm("Sized", 300, 200));
    const int frame = win::GetSystemMetrics(win::SM_CXSIZEFRAME);
    const int caption = win::GetSystemMetrics(win::SM_CYCAPTION);
    EXPECT_EQ(f->Width(), 300 + 2 * frame);
    EXPECT_EQ(f->Height(), 200 + 2 * frame + caption);
    f->Show();
    win::RECT client{};
    win::GetClientRect(f->Handle(), &client);
    EXPECT_EQ(client.Right, 300);
    EXPECT_EQ(client.Bottom, 200);
    EXPECT_EQ(f->ClientWidth(), 300);
    // Another border keeps the client size and changes the outer size.
    f->SetBorderStyle(bsNone);
    EXPECT_EQ(f->ClientWidth(), 300);
    EXPECT_EQ(f->ClientHeight(), 200);
    EXPECT_EQ(f->Width(), 300);
    EXPECT_EQ(f->Height(), 200);
    f->SetBorderStyle(bsDialog);
    const int fixed = win::GetSystemMetrics(win::SM_CXFIXEDFRAME);
    EXPECT_EQ(f->Width(), 300 + 2 * fixed);
    EXPECT_EQ(f->ClientHeight(), 200);
}

TEST_F(FormTest, PositionPlacesTheFormOnceWhenFirstShown) {
    TForm* main = nullptr;
    Application->CreateForm(main);
    TComponentPtr<TForm> mainHolder(main);
    EXPECT_EQ(Application->MainForm(), main);
    main->SetPosition(poDesigned);
    main->SetBounds(40, 30, 500, 400);
    main->Show();
    EXPECT_EQ(main->Left(), 40); // designed: where the layout says
    EXPECT_EQ(main->Top(), 30);

    TComponentPtr<TForm> centred(NewForm("Centred", 200, 100));
    centred->SetPosition(poScreenCenter);
    centred->Show();
    // The offscreen screen is 1024 x 768.
    EXPECT_EQ(centred->Left(), (1024 - centred->Width()) / 2);
    EXPECT_EQ(centred->Top(), (768 - centred->Height()) / 2);
    // Moved afterwards and shown again, it stays where it was put.
    centred->Hide();
    centred->SetLeft(5);
    centred->Show();
    EXPECT_EQ(centred->Left(), 5);

    TComponentPtr<TForm> overMain(NewForm("OverMain", 200, 120));
    overMain->SetPosition(poMainFormCenter);
    overMain->Show();
    EXPECT_EQ(overMain->Left(), 40 + (500 - overMain->Width()) / 2);
    EXPECT_EQ(overMain->Top(), 30 + (400 - overMain->Height()) / 2);

    // A form larger than the desktop keeps its caption on the screen.
    TComponentPtr<TForm> huge(NewForm("Huge", 1500, 1000));
    huge->SetPosition(poDesktopCenter);
    huge->Show();
    EXPECT_EQ(huge->Left(), 0);
    EXPECT_EQ(huge->Top(), 0);

    // Default places cascade inside the work area.
    TComponentPtr<TForm> a(NewForm("A", 100, 80)), b(NewForm("B", 100, 80));
    a->Show();
    b->Show();
    EXPECT_NE(a->Left(), b->Left());
    EXPECT_GE(a->Top(), 0);
    EXPECT_LT(b->Top() + b->Height(), 768 - 30);
}

TEST_F(FormTest, ShowAndHideRaiseTheirEventsOnEachChangeAndTrackTheScreen) {
    TComponentPtr<TForm> f(NewForm("Events"));
    std::vector<String> log;
    f->OnShow = [&](TObject*) { log.push_back("show:" + std::to_string(f->Visible())); };
    f->OnHide = [&](TObject*) { log.push_back("hide"); };
    f->OnActivate = [&](TObject*) { log.push_back("activate"); };
    f->OnDeactivate = [&](TObject*) { log.push_back("deactivate"); };
    EXPECT_FALSE(f->Visible());
    EXPECT_FALSE(f->HandleAllocated()); // no window before it is needed
    f->Show();
    f->Show(); // already visible: nothing new
    EXPECT_TRUE(win::IsWindowVisible(f->WindowHandle()));
    EXPECT_EQ(Screen->ActiveForm(), f.get());
    f->Hide();
    EXPECT_FALSE(win::IsWindowVisible(f->WindowHandle()));
    f->SetVisible(true);
    EXPECT_EQ((std::vector<String>{"show:1", "activate", "hide", "deactivate", "show:1", "activate"}), log);
    EXPECT_EQ(Screen->Forms(0), f.get());
    EXPECT_EQ(Screen->FormCount(), 1);
    f.reset();
    EXPECT_EQ(Screen->FormCount(), 0);
    EXPECT_EQ(Screen->ActiveForm(), nullptr);
}

TEST_F(FormTest, CloseAsksOnCloseQueryAndFollowsTheCloseAction) {
    TComponentPtr<TForm> f(NewForm("Closing"));
    bool allow = false;
    TCloseAction action = caHide;
    int closes = 0;
    f->OnCloseQuery = [&](TObject*, bool& CanClose) { CanClose = allow; };
    f->OnClose = [&](TObject*, TCloseAction& Action) {
        ++closes;
        EXPECT_EQ(Action, caHide); // the default for a normal form
        Action = action;
    };
    f->Show();
    f->Close();
    EXPECT_TRUE(f->Visible()); // refused
    EXPECT_EQ(closes, 0);
    allow = true;
    action = caNone;
    f->Close();
    EXPECT_TRUE(f->Visible());
    action = caMinimize;
    f->Close();
    EXPECT_EQ(f->WindowState(), wsMinimized);
    EXPECT_TRUE(win::IsIconic(f->WindowHandle()));
    f->SetWindowState(wsNormal);
    action = caHide;
    // The window manager's close button goes the same way.
    ui.Screen().RequestClose(f->WindowHandle());
    ui.Process();
    EXPECT_FALSE(f->Visible());
    EXPECT_EQ(closes, 3);
}

TEST_F(FormTest, CaFreeReleasesTheFormFromTheLoopAndOnDestroyRuns) {
    TForm* f = NewForm("Freed");
    bool destroyed = false;
    f->OnDestroy = [&](TObject* Sender) {
        destroyed = true;
        EXPECT_EQ(Sender, f);
        EXPECT_EQ(f->Name(), "Freed"); // the form is still whole
    };
    f->OnClose = [](TObject*, TCloseAction& Action) { Action = caFree; };
    f->Show();
    f->Close();
    EXPECT_FALSE(destroyed); // not from inside its own close
    ui.Process();
    EXPECT_TRUE(destroyed);
    EXPECT_EQ(Screen->FormCount(), 0);
}

TEST_F(FormTest, ShowModalReturnsTheResultAndDisablesTheOtherForms) {
    TComponentPtr<TForm> other(NewForm("Other"));
    other->Show();
    TComponentPtr<TForm> dlg(NewForm("Dialog"));
    TButton* ok = NewButton(dlg.get(), "OkButton", 10, 10);
    ok->SetModalResult(mrOk);
    ok->SetCaption("OK");
    bool otherDisabled = false;
    ui.WhenModal([&](TCustomForm* Modal) {
        EXPECT_EQ(Modal, dlg.get());
        EXPECT_TRUE(Modal->FormState().Contains(fsModal));
        otherDisabled = !win::IsWindowEnabled(other->WindowHandle());
        ui.ClickButton(Modal, "OK");
    });
    EXPECT_EQ(dlg->ShowModal(), mrOk);
    EXPECT_TRUE(otherDisabled);
    EXPECT_TRUE(win::IsWindowEnabled(other->WindowHandle()));
    EXPECT_FALSE(dlg->Visible());
    EXPECT_FALSE(dlg->FormState().Contains(fsModal));
    // Shown again, the result starts afresh.
    ui.AnswerResult(mrRetry);
    EXPECT_EQ(dlg->ShowModal(), mrRetry);
}

TEST_F(FormTest, ShowModalRefusesAVisibleFormAModalCloseCanBeRefusedAndHidingOrFreeingEndsTheLoop) {
    TComponentPtr<TForm> dlg(NewForm("Dialog"));
    dlg->Show();
    EXPECT_THAT([&] { (void)dlg->ShowModal(); },
                ThrowsMessage<EInvalidOperation>(StrEq("Cannot make a visible window modal")));
    dlg->Hide();
    int queries = 0;
    dlg->OnCloseQuery = [&](TObject*, bool& CanClose) { CanClose = ++queries > 1; };
    ui.AnswerResult(mrOk); // refused: the loop goes on
    ui.WhenModal([&](TCustomForm* Modal) {
        EXPECT_EQ(Modal->ModalResult(), mrNone);
        EXPECT_TRUE(Modal->Visible());
        Modal->Close(); // a modal form's close is mrCancel
    });
    EXPECT_EQ(dlg->ShowModal(), mrCancel);
    EXPECT_EQ(queries, 2);

    // Hiding or freeing a modal form ends its loop.
    ui.WhenModal([](TCustomForm* Modal) { Modal->Hide(); });
    EXPECT_EQ(dlg->ShowModal(), mrCancel);
    TForm* doomed = NewForm("Doomed");
    ui.WhenModal([](TCustomForm* Modal) { Modal->Release(); });
    EXPECT_EQ(doomed->ShowModal(), mrCancel);
    EXPECT_EQ(Screen->FormCount(), 1);
}

TEST_F(FormTest, ActiveControlGetsTheFocusAndKeyPreviewSeesKeysFirst) {
    TComponentPtr<TForm> f(NewForm("Keys"));
    TEdit* first = NewEdit(f.get(), "First", 10, 10);
    TEdit* second = NewEdit(f.get(), "Second", 10, 40);
    EXPECT_THROW(f->SetActiveControl(f.get()), EInvalidOperation) << "the form as its own active control";
    f->SetActiveControl(second);
    f->Show();
    EXPECT_EQ(win::GetFocus(), second->Handle());
    EXPECT_EQ(Screen->ActiveControl(), second);
    std::vector<String> log;
    f->OnKeyDown = [&](TObject*, Word& Key, TShiftState) {
        log.push_back("form");
        if (Key == 'Q') Key = 0; // swallowed before the control sees it
    };
    second->OnKeyDown = [&](TObject*, Word&, TShiftState) { log.push_back("edit"); };
    ui.Key('A');
    EXPECT_EQ(log, std::vector<String>{"edit"});
    log.clear();
    f->SetKeyPreview(true);
    ui.Key('A');
    ui.Key('Q');
    EXPECT_EQ((std::vector<String>{"form", "edit", "form"}), log);
    // Tab moves on, and the form remembers where the focus is.
    ui.Key(win::VK_TAB);
    EXPECT_EQ(f->ActiveControl(), first);
    f.reset();
    EXPECT_EQ(Screen->ActiveControl(), nullptr);
}

TEST_F(FormTest, AnMdiChildWithoutAnMdiFormCannotShow) {
    TComponentPtr<TForm> child(NewForm("Orphan"));
    child->SetFormStyle(fsMDIChild);
    EXPECT_THROW(child->Show(), EInvalidOperation);
    EXPECT_FALSE(child->Visible());
}

// A form whose class reads its layout with the reader itself: OnCreate then runs when it is first shown.
class TLateForm : public TForm {
    KV_CLASS(TLateForm, TForm)
    KV_PUBLISHED_PROPERTIES(TLateForm)
public:
    explicit TLateForm(TComponent* AOwner) : TForm(AOwner) {
        ReadComponentFromText(
            "object LateForm: TLateForm\n  Caption = 'Late'\n  OnCreate = FormCreate\nend\n", this,
            "LateForm");
    }
    int Creates = 0;
    void FormCreate(TObject*) { ++Creates; }
};
KV_PUBLISHED(TLateForm) {
    p.Handler("FormCreate", &TLateForm::FormCreate);
}

TEST_F(FormTest, OnCreateOfAFormReadWithoutInitInheritedComponentRunsOnFirstShow) {
    TComponentPtr<TLateForm> f(new TLateForm(Application));
    EXPECT_EQ(f->Caption(), "Late");
    EXPECT_EQ(f->Creates, 0);
    f->Show();
    f->Hide();
    f->Show();
    EXPECT_EQ(f->Creates, 1);
}

TEST_F(FormTest, AFrameReadsItsLayoutAndSitsOnAFormLikeAPanel) {
    TComponentPtr<TForm> f(NewForm("Host", 300, 200));
    auto* frame = new TFrame(f.get());
    frame->SetName("Frame1");
    static_cast<TControl*>(frame)->SetParent(f.get());
    frame->SetAlign(alClient);
    TButton* inside = NewButton(f.get(), "Inside", 5, 5);
    static_cast<TControl*>(inside)->SetParent(frame);
    f->Show();
    EXPECT_EQ(frame->Width(), 300);
    EXPECT_EQ(frame->Height(), 200);
    EXPECT_EQ(UiDriver::Find(f.get(), "Inside"), inside);
    EXPECT_EQ(GetParentForm(inside), f.get());
}

// Fills its client area red from its own Paint and counts what ran.
class TSelfPaintedForm : public TForm {
    KV_CLASS(TSelfPaintedForm, TForm)
public:
    explicit TSelfPaintedForm(TComponent* AOwner) : TForm(AOwner) {
        SetColor(clWhite);
        SetClientWidth(200);
        SetClientHeight(120);
    }
    int Paints = 0;
    std::vector<win::UINT> Heard; // CM_ACTIVATE / CM_DEACTIVATE, in order

protected:
    void Paint() override {
        TForm::Paint();
        ++Paints;
        Canvas()->Brush()->SetColor(clRed);
        Canvas()->FillRect(Rect(0, 0, 100, ClientHeight()));
    }
    void WndProc(TMessage& Message) override {
        if (Message.Msg == CM_ACTIVATE || Message.Msg == CM_DEACTIVATE) Heard.push_back(Message.Msg);
        TForm::WndProc(Message);
    }
};

class FormOwnPaintingTest : public uitest::UiTest {
protected:
    win::COLORREF ClientPixel(TCustomForm* F, int X, int Y) {
        TPoint p = F->ClientToScreen(TPoint{X, Y});
        return ui.Screen().ScreenPixel(p.X, p.Y);
    }
};

TEST_F(FormOwnPaintingTest, AnOverriddenPaintRunsOncePerPaintAndTheApplicationsActivationReachesTheForm) {
    TComponentPtr<TSelfPaintedForm> f(new TSelfPaintedForm(Application));
    f->Show();
    ui.Process();
    EXPECT_GE(f->Paints, 1);
    EXPECT_THAT(ClientPixel(f.get(), 50, 60), colortest::IsColor(win::RGB(255, 0, 0)));
    EXPECT_THAT(ClientPixel(f.get(), 150, 60), colortest::IsColor(win::RGB(255, 255, 255)));

    // With a handler too, both run, each once per painting.
    int handled = 0;
    f->OnPaint = [&](TObject*) { ++handled; };
    f->Paints = 0;
    f->Invalidate();
    ui.Process();
    EXPECT_EQ(f->Paints, 1);
    EXPECT_EQ(handled, 1);

    // The application's loss and return of the activation reach its forms.
    f->Heard.clear();
    ui.Screen().DeactivateApp();
    ui.Process();
    EXPECT_EQ(f->Heard, (std::vector<win::UINT>{CM_DEACTIVATE}));
    ui.Click(f.get(), 150, 60);
    EXPECT_EQ(f->Heard, (std::vector<win::UINT>{CM_DEACTIVATE, CM_ACTIVATE}));
}

using namespace vcl;

class MDIClientTest : public uitest::UiTest {
protected:
    void SetUp() override {
        Application->CreateForm(frame);
        holder.reset(frame);
        frame->SetFormStyle(fsMDIForm);
        frame->SetPosition(poDesigned);
        frame->SetBounds(50, 50, 500, 360);
        top = Panel(alTop, 40, clBlue);
        left = Panel(alLeft, 60, clGreen);
        frame->Show();
        ui.Process();
    }
    void TearDown() override {
        children.clear();
        holder.reset();
    }
    TPanel* Panel(TAlign Align, int Size, TColor Color) {
        auto* p = new TPanel(frame);
        p->SetParent(frame);
        p->SetBounds(0, 0, Size, Size);
        p->SetAlign(Align);
        p->SetColor(Color);
        p->SetBevelOuter(bvNone);
        return p;
    }
    TForm* Child(const String& Caption) {
        auto* f = new TForm(Application);
        children.emplace_back(f);
        f->SetCaption(Caption);
        f->SetClientWidth(150);
        f->SetClientHeight(90);
        f->SetFormStyle(fsMDIChild);
        f->Show();
        ui.Process();
        return f;
    }
    // A window's rectangle in the frame's client coordinates.
    TRect InFrame(win::HWND Window) {
        win::RECT r{};
        win::GetWindowRect(Window, &r);
        TPoint a = frame->ScreenToClient(TPoint{r.Left, r.Top});
        TPoint b = frame->ScreenToClient(TPoint{r.Right, r.Bottom});
        return Rect(a.X, a.Y, b.X, b.Y);
    }
    win::COLORREF FramePixel(int X, int Y) {
        TPoint p = frame->ClientToScreen(TPoint{X, Y});
        return ui.Screen().ScreenPixel(p.X, p.Y);
    }

    TForm* frame = nullptr;
    TComponentPtr<TForm> holder;
    TPanel *top = nullptr, *left = nullptr;
    std::vector<TComponentPtr<TForm>> children;
};

TEST_F(MDIClientTest, TheClientWindowTakesWhatTheAlignedControlsLeaveAndFollowsTheFrame) {
    win::HWND client = frame->ClientHandle();
    ASSERT_NE(client, nullptr);
    ASSERT_NE(client, frame->WindowHandle());
    EXPECT_EQ(win::GetParent(client), frame->WindowHandle());
    const int w = frame->ClientWidth(), h = frame->ClientHeight();
    EXPECT_EQ(InFrame(client), Rect(60, 40, w, h));

    frame->SetBounds(50, 50, 600, 400);
    ui.Process();
    EXPECT_EQ(InFrame(client), Rect(60, 40, frame->ClientWidth(), frame->ClientHeight()));
    top->SetHeight(70);
    ui.Process();
    EXPECT_EQ(InFrame(client).Top, 70);
    // A plain form has none.
    TComponentPtr<TForm> plain(new TForm(Application));
    EXPECT_EQ(plain->ClientHandle(), nullptr);
}

TEST_F(MDIClientTest, AMaximisedChildFillsTheClientWindowAndLeavesTheAlignedControlsInSight) {
    TForm* doc = Child("Doc");
    EXPECT_EQ(win::GetParent(doc->WindowHandle()), frame->ClientHandle());
    // A cascaded child starts at the client window's corner, beside the panels.
    EXPECT_EQ(doc->Left(), 0);
    EXPECT_EQ(InFrame(doc->WindowHandle()).TopLeft(), (TPoint{60, 40}));

    doc->SetWindowState(wsMaximized);
    ui.Process();
    // The child's window covers the client window (its frame may reach beyond it).
    const TRect window = InFrame(doc->WindowHandle()), area = InFrame(frame->ClientHandle());
    EXPECT_LE(window.Left, area.Left);
    EXPECT_LE(window.Top, area.Top);
    EXPECT_GE(window.Right, area.Right);
    EXPECT_GE(window.Bottom, area.Bottom);
    // The panels stay on screen next to it, and the child's colour covers the rest.
    EXPECT_THAT(FramePixel(200, 10), colortest::IsColor(win::RGB(0, 0, 255)));
    EXPECT_THAT(FramePixel(10, 200), colortest::IsColor(win::RGB(0, 128, 0)));
    EXPECT_EQ(frame->ControlAtPos(TPoint{200, 10}, false, true, false), top);
}

TEST_F(MDIClientTest, FocusingOrActivatingAChildMakesItTheActiveChild) {
    TForm* one = Child("One");
    TForm* two = Child("Two");
    ASSERT_EQ(frame->ActiveMDIChild(), two);
    auto getActive = [&] {
        return reinterpret_cast<win::HWND>(
            win::SendMessage(frame->ClientHandle(), win::WM_MDIGETACTIVE, 0, 0));
    };
    EXPECT_EQ(getActive(), two->WindowHandle());

    one->SetFocus();
    EXPECT_EQ(frame->ActiveMDIChild(), one);
    EXPECT_EQ(win::GetWindow(frame->ClientHandle(), win::GW_CHILD), one->WindowHandle());
    EXPECT_TRUE(win::GetFocus() == one->WindowHandle() || win::IsChild(one->WindowHandle(), win::GetFocus()));

    win::SendMessage(frame->ClientHandle(), win::WM_MDIACTIVATE,
                     reinterpret_cast<win::WPARAM>(two->WindowHandle()), 0);
    EXPECT_EQ(frame->ActiveMDIChild(), two);
    EXPECT_EQ(getActive(), two->WindowHandle());
    // Hidden, a child is not the active one any more.
    two->Hide();
    EXPECT_EQ(frame->ActiveMDIChild(), one);
}

TEST_F(MDIClientTest, ChildrenCascadeAClickActivatesOneAndAClosedChildIsMinimised) {
    TForm* one = Child("One");
    TForm* two = Child("Two");
    EXPECT_EQ(frame->MDIChildCount(), 2);
    EXPECT_GT(two->Left(), one->Left());
    ui.Click(one, 2, 2); // a corner that the second one does not cover
    EXPECT_EQ(frame->ActiveMDIChild(), one);
    // A child's close minimises it by default; a freed child leaves the count.
    one->Close();
    EXPECT_EQ(one->WindowState(), wsMinimized);
    EXPECT_EQ(frame->MDIChildCount(), 2);
    children.pop_back();
    EXPECT_EQ(frame->MDIChildCount(), 1);
}

TEST_F(MDIClientTest, TheWindowMenuListsTheChildrenAndActivatesTheChosenOne) {
    auto* menu = new TMainMenu(frame);
    auto* window = new TMenuItem(frame);
    window->SetCaption("&Window");
    menu->Items()->Add(window);
    auto* cascade = new TMenuItem(frame);
    cascade->SetCaption("&Cascade");
    window->Add(cascade);
    frame->SetMenu(menu);
    frame->SetWindowMenu(window);
    TForm* one = Child("Child1");
    Child("Child2");
    std::vector<String> texts;
    bool checkedActive = false;
    uitest::MenuDriver menus(ui);
    ui.WhenIdle([&] {
        win::HMENU h = window->Handle();
        for (int i = 0; i < win::GetMenuItemCount(h); ++i) {
            char buf[64]{};
            win::GetMenuString(h, static_cast<win::UINT>(i), buf, sizeof buf, win::MF_BYPOSITION);
            texts.push_back(buf);
        }
        checkedActive = win::GetMenuState(h, 2, win::MF_BYPOSITION) & win::MF_CHECKED;
        win::RECT r{};
        win::GetMenuItemRect(nullptr, h, 3, &r); // "&2 Child1"
        ui.Screen().Click((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    });
    menus.OpenMenu(frame, "Window");
    // In the form's order of its children: the active one first.
    EXPECT_EQ(texts, (std::vector<String>{"&Cascade", "", "&1 Child2", "&2 Child1"}));
    EXPECT_TRUE(checkedActive);
    EXPECT_EQ(frame->ActiveMDIChild(), one);
    // Listed afresh each time: a closed child is gone from the list.
    texts.clear();
    children.pop_back();
    ui.WhenIdle([&] {
        texts.push_back(std::to_string(win::GetMenuItemCount(window->Handle())));
        menus.CloseMenus();
    });
    menus.OpenMenu(frame, "Window");
    EXPECT_EQ(texts, std::vector<String>{"3"});
}

} // namespace
