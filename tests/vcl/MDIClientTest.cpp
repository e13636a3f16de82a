// The MDI frame's client window: it takes the area the frame's aligned controls leave and follows it,
// holds the child forms (a maximised child fills it, not the frame), and answers which child is active;
// focusing a child makes it the active one; the window menu lists the children.

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/vcl/Forms.h"
#include "platform/vcl/Menus.h"
#include "platform/vcl/Panel.h"
#include "tests/support/ColorMatch.h"
#include "tests/support/MenuDriver.h"
#include "tests/support/UiDriver.h"

namespace {

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
