// The option window's panel: the layout of controls and items, the items' look by state, the "Add or
// Remove Buttons" popup that switches the toolbar's controls, the Options item with its menu or the
// "Customize" window, and every popup closing on a click outside.

#include "components/toolbar/customizer/AdvToolBarCustomizer.h"
#include "tests/options/OptionsTestSupport.h"

namespace optionstest {
namespace {

class SelectorPanelTest : public OptionsTest {
protected:
    // A panel in a window of its own, as the quick access toolbar uses it.
    TControlSelectorPanel* StandalonePanel() {
        window = new TOptionSelectorWindow(form.get(), 0);
        window->SetBorderStyle(bsNone);
        auto* p = new TControlSelectorPanel(window);
        p->SetParent(window);
        window->SetOptionsPanel(p);
        return p;
    }
    static int Tahoma8Width(const String& Text) {
        TBitmap b;
        b.Canvas()->Font()->SetName("Tahoma");
        b.Canvas()->Font()->SetSize(8);
        return b.Canvas()->TextWidth(Text);
    }
    // Opens the option window of a toolbar with hidden controls and the Add/Remove item.
    TControlSelectorPanel* OpenWithAddRemove() {
        auto* button = Make<TAdvToolBarButton>("BoldButton", bar);
        button->SetCaption("Bold");
        Add("B");
        Separator("S");
        Add("C");
        Add("D");
        Length(2 + 60 + 14);
        bar->AutoOptionMenu = true;
        ClickHandle();
        return bar->OptionPanel();
    }
    TPoint Centre(const TRect& R) { return TPoint{(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2}; }

    TOptionSelectorWindow* window = nullptr;
};

TEST_F(SelectorPanelTest, ControlsFlowInRowsAboveTheItemsAndAWideOneWidensThePanel) {
    TControlSelectorPanel* p = StandalonePanel();
    p->SetShowAddAndRemoveBtn(false);
    // Nothing but the Options item: 2 x 3 + 130 wide, the item at the bottom.
    auto* menu = new TPopupMenu(form.get());
    p->SetOptionsMenu(menu);
    p->ArrangeControls();
    EXPECT_EQ(p->Width(), 2 * 3 + 130);
    EXPECT_EQ(p->OptionsItem()->ItemRect, (TRect{3, p->Height() - 3 - 20, p->Width() - 3, p->Height() - 3}));
    EXPECT_TRUE(p->AddRemoveItem()->ItemRect.IsEmpty());
    // A control wider than the items widens the panel; the next ones wrap at the margin when the line
    // is full, and the item row keeps an 8-pixel gap below the last line.
    TControl* wide = Add("Wide", 150, 22);
    TControl* n1 = Add("N1", 60, 20);
    TControl* n2 = Add("N2", 60, 20);
    TControl* n3 = Add("N3", 60, 20);
    for (TControl* c : {wide, n1, n2, n3})
        p->AddControl(c);
    EXPECT_EQ(p->AddControl(n1), 1) << "listed once";
    EXPECT_EQ(p->AddControl(nullptr), -1);
    p->ArrangeControls();
    EXPECT_EQ(p->Width(), 2 * 3 + 150);
    EXPECT_EQ(wide->Left(), 3);
    EXPECT_EQ(wide->Top(), 3);
    EXPECT_EQ(n1->Left(), 3) << "wrapped";
    EXPECT_EQ(n1->Top(), 3 + 22);
    EXPECT_EQ(n2->Left(), 3 + 60);
    EXPECT_EQ(n2->Top(), 3 + 22);
    EXPECT_EQ(n3->Left(), 3);
    EXPECT_EQ(n3->Top(), 3 + 22 + 20);
    EXPECT_EQ(p->OptionsItem()->ItemRect.Top, 3 + 22 + 20 + 20 + 8);
    EXPECT_EQ(p->Height(), p->OptionsItem()->ItemRect.Bottom + 3);
    // A control taken out leaves the layout; a child not listed is parked above the panel.
    p->RemoveControl(n3);
    EXPECT_EQ(n3->Top(), -n3->Height() - 2);
    EXPECT_EQ(p->OptionsItem()->ItemRect.Top, 3 + 22 + 20 + 8);
    // The window takes the panel's size; a separating line in RGB(128, 128, 128) runs 4 pixels above
    // the top item, and the border is in the window border colour.
    window->SetWindowSize();
    window->SetBounds(100, 100, window->Width(), window->Height());
    window->Show();
    const int line = p->OptionsItem()->ItemRect.Top - 4;
    EXPECT_EQ(Hex(PopupAt(p, p->Width() - 2, line)), Hex(0x808080));
    EXPECT_EQ(Hex(PopupAt(p, p->Width() - 2, line + 1)), Hex(Ref(p->Color())));
    p->SetWindowBorderColor(0x0000C0);
    p->Invalidate();
    EXPECT_EQ(Hex(PopupAt(p, 0, 10)), Hex(0x0000C0));
    EXPECT_EQ(Hex(PopupAt(p, p->Width() - 1, 10)), Hex(0x0000C0));
    EXPECT_EQ(Hex(PopupAt(p, 10, p->Height() - 1)), Hex(0x0000C0));
}

TEST_F(SelectorPanelTest, ALongTextWidensBothItemsAndEmptinessNeedsNoControlsAndNoItems) {
    TControlSelectorPanel* p = StandalonePanel();
    p->SetOptionsMenu(new TPopupMenu(form.get()));
    const String text = "Add or Remove Buttons of the Standard toolbar";
    ASSERT_GT(Tahoma8Width(text) + 15, 130);
    p->SetTextAutoOptionMenu(text);
    p->ArrangeControls();
    EXPECT_EQ(p->AddRemoveItem()->Width(), Tahoma8Width(text) + 15);
    EXPECT_EQ(p->OptionsItem()->Width(), Tahoma8Width(text) + 15);
    EXPECT_EQ(p->Width(), 2 * 3 + Tahoma8Width(text) + 15);
    // The Options item sits directly above the Add/Remove item.
    EXPECT_EQ(p->OptionsItem()->ItemRect.Bottom, p->AddRemoveItem()->ItemRect.Top);
    EXPECT_FALSE(p->IsEmpty());
    p->SetOptionsMenu(nullptr);
    EXPECT_FALSE(p->IsEmpty()) << "the Add/Remove item still shows";
    p->SetShowAddAndRemoveBtn(false);
    EXPECT_TRUE(p->IsEmpty());
    p->SetCustomizer(form.get());
    EXPECT_FALSE(p->IsEmpty()) << "a customizer shows the Options item";
}

TEST_F(SelectorPanelTest, AddOrRemoveButtonsSwitchesTheToolbarsControlsUntilAClickOutside) {
    TControlSelectorPanel* p = OpenWithAddRemove();
    ASSERT_TRUE(bar->OptionWindow()->Visible());
    const TRect item = p->AddRemoveItem()->ItemRect;
    TColor down = dock->InternalStyler()->ButtonAppearance()->ColorDown();
    ASSERT_NE(down, clNone);
    // Hovering the item presses it (the styler's down colour) and opens its popup at once, at the
    // item's top right.
    Hover(p, item.Left + 5, item.Top + 5);
    TATBPopupWindow* aar = p->AddAndRemovePopup();
    ASSERT_NE(aar, nullptr);
    EXPECT_TRUE(aar->Visible());
    EXPECT_TRUE(p->AddRemoveDown());
    EXPECT_EQ(aar->Left(), p->ClientToScreen(TPoint{item.Right, item.Top}).X);
    EXPECT_EQ(aar->Top(), p->ClientToScreen(TPoint{item.Right, item.Top}).Y);
    EXPECT_FALSE(bar->OptionWindow()->HideOnDeActivate());
    // One root item captioned with the toolbar's caption; under it one check item per control, no
    // separator, a button by its caption and another control by its name.
    TATBPopupPanel* top = aar->PopupPanel();
    ASSERT_EQ(top->Items()->GetCount(), 1);
    TATBMenuItem* root = top->Items()->GetItem(0);
    EXPECT_EQ(root->Caption(), "Standard");
    String captions;
    for (int i = 0; i < root->GetCount(); ++i) {
        captions += (i ? "," : "") + root->GetItem(i)->Caption();
        EXPECT_TRUE(root->GetItem(i)->AutoCheck());
        EXPECT_TRUE(root->GetItem(i)->Checked());
    }
    EXPECT_EQ(captions, "Bold,B,C,D");
    // Moving onto the popup keeps the item pressed while its popup is up.
    TRect r0 = root->ItemRect;
    Hover(top, r0.Left + 30, (r0.Top + r0.Bottom) / 2);
    EXPECT_TRUE(p->AddRemoveDown());
    EXPECT_EQ(Hex(PopupAt(p, item.Right - 20, item.Top + 3)), Hex(Ref(down)));
    TATBPopupWindow* controls = top->ItemPopup();
    ASSERT_NE(controls, nullptr);
    ASSERT_TRUE(controls->Visible());
    // Unchecking B hides it on the toolbar; everything stays open; checking brings it back.
    TATBPopupPanel* list = controls->PopupPanel();
    TControl* b = bar->ToolBarControls(1);
    TPoint bAt = Centre(list->Items()->GetItem(1)->ItemRect);
    ui.Click(list, bAt.X, bAt.Y);
    EXPECT_FALSE(b->Visible());
    EXPECT_FALSE(list->Items()->GetItem(1)->Checked());
    EXPECT_TRUE(controls->Visible());
    EXPECT_TRUE(aar->Visible());
    EXPECT_TRUE(bar->OptionWindow()->Visible());
    ui.Click(list, bAt.X, bAt.Y);
    EXPECT_TRUE(b->Visible());
    // A control freed while the popup is up: its item no longer reaches it.
    TPoint dAt = Centre(list->Items()->GetItem(3)->ItemRect);
    FreeComponent(bar->ToolBarControls(bar->ToolBarControlCount() - 1));
    ui.Click(list, dAt.X, dAt.Y);
    EXPECT_TRUE(controls->Visible());
    // A click outside closes every popup, the option window last.
    ClickOutside();
    EXPECT_FALSE(controls->Visible());
    EXPECT_FALSE(aar->Visible());
    EXPECT_FALSE(bar->OptionWindow()->Visible());
    EXPECT_FALSE(p->AddRemoveHot());
    EXPECT_FALSE(p->AddRemoveDown());
}

TEST_F(SelectorPanelTest, TheCustomizeWindowReadsCustomizeAndTheCaptionAndItsClickAsksForTheCustomizer) {
    Add("A");
    Add("B");
    Length(2 + 40 + 14);
    // The toolbar's customizer shows the Options item; its dialog is asked for, and refused here.
    auto* customizer = new TAdvToolBarCustomizer(form.get());
    customizer->SetAdvToolBar(bar);
    int asked = 0;
    customizer->OnCanShow = [&](TObject*, int&, int&, bool& CanShow) {
        ++asked;
        CanShow = false;
    };
    ClickHandle();
    TControlSelectorPanel* p = bar->OptionPanel();
    ASSERT_NE(p, nullptr);
    const TRect options = p->OptionsItem()->ItemRect;
    ASSERT_FALSE(options.IsEmpty());
    Hover(p, options.Left + 5, options.Top + 5);
    TOptionSelectorWindow* customize = p->OptionsPopup();
    ASSERT_NE(customize, nullptr);
    EXPECT_TRUE(customize->Visible());
    TCustomizeOption* option = p->CustomizeOption();
    EXPECT_EQ(option->Caption(), "Customize Standard");
    EXPECT_EQ(option->Height(), 25);
    EXPECT_EQ(customize->Left(), p->ClientToScreen(TPoint{options.Right, options.Top}).X);
    // Moving back up into the gap above the items hides it, but not the option window.
    Hover(p, p->Width() - 5, options.Top - 6);
    EXPECT_FALSE(customize->Visible());
    EXPECT_TRUE(bar->OptionWindow()->Visible());
    Hover(p, options.Left + 5, options.Top + 5);
    ASSERT_TRUE(customize->Visible());
    // The button: pressed in the styler's down colour, then released it closes everything.
    TRect button = option->GetCustomizeBtnRect();
    ui.MoveTo(option, Centre(button).X, Centre(button).Y);
    EXPECT_TRUE(option->Down());
    TColor down = dock->InternalStyler()->ButtonAppearance()->ColorDown();
    EXPECT_EQ(Hex(PopupAt(option, button.Left + 2, button.Top + 3)), Hex(Ref(down)));
    ui.Click(option, Centre(button).X, Centre(button).Y);
    EXPECT_FALSE(customize->Visible());
    EXPECT_FALSE(bar->OptionWindow()->Visible());
    EXPECT_EQ(asked, 1);
}

TEST_F(SelectorPanelTest, TheOptionsMenuAndTheAddRemovePopupTakeTurnsUnderThePointer) {
    auto* menu = new TPopupMenu(form.get());
    for (const char* caption : {"Reset toolbar", "Large icons"}) {
        auto* item = new TMenuItem(menu);
        item->SetCaption(caption);
        menu->Items()->Add(item);
    }
    bar->SetOptionMenu(menu);
    TControlSelectorPanel* p = OpenWithAddRemove();
    ASSERT_TRUE(bar->OptionWindow()->Visible());
    const TRect addRemove = p->AddRemoveItem()->ItemRect;
    const TRect options = p->OptionsItem()->ItemRect;
    ASSERT_FALSE(options.IsEmpty());
    Hover(p, addRemove.Left + 5, addRemove.Top + 5);
    TATBPopupWindow* aar = p->AddAndRemovePopup();
    ASSERT_TRUE(aar->Visible());
    // Moving to Options hides that popup and opens the menu (which returns when it closes);
    // moving on from the open menu onto Add or Remove Buttons ends the menu and keeps the window.
    // The menu's loop keeps the hover timer ticking, so the pointer is moved from a timer too.
    bool aarWhileMenu = true;
    int idleTurns = 0;
    TComponentPtr<TTimer> mover(new TTimer(nullptr));
    mover->SetInterval(50);
    mover->OnTimer = [&](TObject*) {
        ++idleTurns;
        mover->SetEnabled(false);
        aarWhileMenu = aar->Visible();
        TPoint there = p->ClientToScreen(TPoint{addRemove.Left + 5, addRemove.Top + 5});
        ui.Screen().MoveMouse(there.X, there.Y);
    };
    ui.MoveTo(p, options.Left + 5, options.Top + 5);
    EXPECT_EQ(idleTurns, 1) << "the menu ran its own loop until the pointer moved";
    EXPECT_FALSE(aarWhileMenu);
    EXPECT_FALSE(p->OptionsHot());
    EXPECT_TRUE(bar->OptionWindow()->Visible()) << "the pointer ended over Add or Remove Buttons";
    // The pointer, resting there, has its popup again.
    Hover(p, addRemove.Left + 6, addRemove.Top + 5);
    EXPECT_TRUE(aar->Visible());
    ClickOutside();
    EXPECT_FALSE(aar->Visible());
    EXPECT_FALSE(bar->OptionWindow()->Visible());
}

TEST_F(SelectorPanelTest, AToolbarWindowPaintsItsBodyGradientUnderASixteenPixelCaptionBand) {
    auto* w = new TAdvToolBarWindow(form.get(), 0);
    w->SetBorderStyle(bsNone);
    w->SetBounds(100, 100, 120, 100);
    w->ColorTo = clNone;
    w->Show();
    ui.Process();
    // Defaults: a silver body and a blue band, 16 pixels high.
    EXPECT_EQ(Hex(ui.Pixel(w, 60, 15)), Hex(Ref(clBlue)));
    EXPECT_EQ(Hex(ui.Pixel(w, 60, 16)), Hex(Ref(clSilver)));
    // A caption gradient runs left to right.
    w->CaptionColor = clBlack;
    w->CaptionColorTo = clWhite;
    w->Invalidate();
    ui.Process();
    EXPECT_EQ(Hex(ui.Pixel(w, 0, 8)), Hex(Ref(clBlack)));
    EXPECT_EQ(Hex(ui.Pixel(w, 0, 8)), Hex(ui.Pixel(w, 0, 0))) << "the same band down the column";
    EXPECT_GT(ui.Pixel(w, 118, 8) & 0xFF, 0xF0u);
    // The body runs from Color at the top to ColorTo at the bottom (vertical by default).
    w->ColorTo = clWhite;
    w->Invalidate();
    ui.Process();
    EXPECT_LT(ui.Pixel(w, 60, 20) & 0xFF, 0xD0u);
    EXPECT_GT(ui.Pixel(w, 60, 98) & 0xFF, 0xF8u);
    EXPECT_EQ(Hex(ui.Pixel(w, 5, 60)), Hex(ui.Pixel(w, 115, 60))) << "one colour across a row";
}

TEST_F(SelectorPanelTest, WritesAPictureOfTheOpenPopups) {
    form->SetClientSize(TSize{300, 300});
    Add("First", 60);
    for (const char* n : {"Cut", "Copy", "Paste"}) {
        auto* b = Make<TAdvToolBarButton>(n);
        b->SetCaption(n);
        b->SetShowCaption(true);
        b->SetParent(bar);
    }
    Separator("S");
    Add("Last", 60);
    bar->AutoOptionMenu = true;
    form->SetClientSize(TSize{2 + 60 + 14 + 4, 300});
    ClickHandle();
    TControlSelectorPanel* p = bar->OptionPanel();
    ASSERT_TRUE(bar->OptionWindow()->Visible());
    const TRect item = p->AddRemoveItem()->ItemRect;
    Hover(p, item.Left + 5, item.Top + 5);
    TATBPopupPanel* top = p->AddAndRemovePopup()->PopupPanel();
    TRect r0 = top->Items()->GetItem(0)->ItemRect;
    Hover(top, r0.Left + 30, (r0.Top + r0.Bottom) / 2);
    TATBPopupPanel* list = top->ItemPopup()->PopupPanel();
    TPoint c = Centre(list->Items()->GetItem(2)->ItemRect);
    ui.Click(list, c.X, c.Y);
    Hover(list, c.X, c.Y);
    ui.Process();
    EXPECT_TRUE(ui.Screen().WriteScreenPng(uitest::UiDriver::OutputPath("option-popups.png")));
}

} // namespace
} // namespace optionstest
