// The window list a main menu keeps in the window menu of a multiple-document frame.

#include "components/menus/AdvMenuWindow.h"
#include "tests/menus/MenuTestSupport.h"

namespace menutest {
namespace {

class MdiWindowListTest : public MenuTest {
protected:
    void SetUp() override {
        MenuTest::SetUp();
        Application->CreateForm(frame);
        frameHolder.reset(frame);
        frame->SetFormStyle(fsMDIForm);
        frame->SetPosition(poDesigned);
        frame->SetBounds(100, 100, 600, 400);
        menu = new TAdvMainMenu(frame);
        window = AddItem(frame, menu->Items(), "&Window");
        AddItem(frame, window, "&Cascade");
        frame->SetMenu(menu);
        frame->SetWindowMenu(window);
        frame->Show();
    }
    void TearDown() override {
        children.clear();
        frameHolder.reset();
        MenuTest::TearDown();
    }
    TForm* Child(const String& Caption) {
        auto* f = new TForm(Application);
        f->SetCaption(Caption);
        f->SetClientWidth(200);
        f->SetClientHeight(100);
        f->SetFormStyle(fsMDIChild);
        f->Show();
        children.emplace_back(f);
        return f;
    }
    // What the client answers to the refresh, and the captions after the marker.
    std::vector<String> Refresh() {
        RefreshMenu(menu, false, false); // hooks the client
        win::LRESULT r = win::SendMessage(frame->ClientHandle(), win::WM_MDIREFRESHMENU, 0, 0);
        EXPECT_EQ(reinterpret_cast<win::HMENU>(r), menu->Handle());
        std::vector<String> list;
        bool after = false;
        for (int i = 0; i < window->Count(); ++i) {
            TMenuItem* item = window->Items(i);
            if (after) list.push_back(item->Caption());
            if (item->ShortCut() == kWindowListMarker) {
                EXPECT_FALSE(after) << "a second marker";
                after = true;
                marker = item;
            }
        }
        return list;
    }

    TForm* frame = nullptr;
    TComponentPtr<TForm> frameHolder;
    TAdvMainMenu* menu = nullptr;
    TMenuItem* window = nullptr;
    TMenuItem* marker = nullptr;
    std::vector<TComponentPtr<TForm>> children;
};

TEST_F(MdiWindowListTest, ChildrenListedInCaptionOrderAfterAVisibleMarker) {
    EXPECT_EQ(GetMDIClientWnd(menu), frame->ClientHandle());
    EXPECT_TRUE(Refresh().empty());
    ASSERT_NE(marker, nullptr);
    EXPECT_EQ(marker->Caption(), "-");
    EXPECT_FALSE(marker->Visible()); // no children yet

    TForm* b = Child("b");
    Child("A");
    TForm* c = Child("c");
    EXPECT_EQ(Refresh(), (std::vector<String>{"1 A", "2 b", "3 c"}));
    // A marker made while there were none shows as soon as there are children.
    EXPECT_TRUE(marker->Visible());
    TMenuItem* last = window->Items(window->Count() - 1);
    EXPECT_TRUE(last->RadioItem());
    EXPECT_EQ(last->GroupIndex(), kWindowListGroup);
    EXPECT_EQ(last->Tag(), reinterpret_cast<std::intptr_t>(c->Handle()));
    EXPECT_TRUE(last->Checked()); // the active child, shown last
    EXPECT_FALSE(window->Items(window->Count() - 2)->Checked());

    // The list follows the children: one goes, a refresh rebuilds without a second marker.
    children.erase(children.begin()); // b
    (void)b;
    EXPECT_EQ(Refresh(), (std::vector<String>{"1 A", "2 c"}));

    // Choosing an entry brings its child forward and checks the entry.
    TMenuItem* first = window->Items(window->Count() - 2);
    first->Click();
    ui.Process();
    EXPECT_TRUE(first->Checked());
    EXPECT_EQ(frame->ActiveMDIChild()->Caption(), "A");
}

TEST_F(MdiWindowListTest, AFrameWithoutWindowMenuKeepsItsOwnHandling) {
    frame->SetWindowMenu(nullptr);
    RefreshMenu(menu, false, false);
    EXPECT_EQ(win::SendMessage(frame->ClientHandle(), win::WM_MDIREFRESHMENU, 0, 0), 0);
    EXPECT_EQ(window->Count(), 1);
    // Freed with the menu, the hook is gone and the frame's own procedure answers again.
    delete menu;
    frame->SetMenu(nullptr);
    EXPECT_EQ(win::SendMessage(frame->ClientHandle(), win::WM_MDIREFRESHMENU, 0, 0), 0);
}

TEST_F(MdiWindowListTest, TheWindowMenuSetsTheListOffByOneSeparatorAtMost) {
    // The window menu's own separator at its end, then the marker: one line shows between them and the
    // list, and none when the menu's own items are hidden (a leading separator).
    TMenuItem* line = AddItem(frame, window, "-");
    Child("One");
    Refresh();
    ASSERT_NE(marker, nullptr);
    EXPECT_EQ(marker->AutoLineReduction(), maAutomatic);
    auto separators = [&] {
        int n = 0;
        for (int i = 0; i < win::GetMenuItemCount(window->Handle()); ++i)
            if (win::GetMenuState(window->Handle(), static_cast<win::UINT>(i), win::MF_BYPOSITION) &
                win::MF_SEPARATOR)
                ++n;
        return n;
    };
    EXPECT_EQ(win::GetMenuItemCount(window->Handle()), 3) << "Cascade, a line, 1 One";
    EXPECT_EQ(separators(), 1);
    window->Items(0)->SetVisible(false);
    EXPECT_EQ(win::GetMenuItemCount(window->Handle()), 1) << "1 One alone";
    EXPECT_EQ(separators(), 0);
    EXPECT_TRUE(line->Visible());
    EXPECT_TRUE(marker->Visible());
}

} // namespace
} // namespace menutest
