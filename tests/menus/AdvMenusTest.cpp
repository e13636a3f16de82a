// The menu components: the styler link, the menu interface, the item hooks and the popup placement.

#include "platform/vcl/ImgList.h"
#include "platform/win/Windows.h"
#include "tests/menus/MenuTestSupport.h"
#include "tests/support/MenuDriver.h"

namespace menutest {
namespace {

class AdvMenusTest : public MenuTest {};

// Exposes the popup placement.
class TPlacedPopupMenu : public TAdvPopupMenu {
public:
    explicit TPlacedPopupMenu(TComponent* AOwner) : TAdvPopupMenu(AOwner) {}
    using TAdvPopupMenu::PopupX;
};

bool Hooked(TMenuItem* Item) {
    return static_cast<bool>(Item->OnAdvancedDrawItem);
}

TEST_F(AdvMenusTest, NewMenusDrawTheirOwnItemsWithAnInternalStylerAndOfferTheInterface) {
    TComponentPtr<TAdvMainMenu> main(new TAdvMainMenu(nullptr));
    TComponentPtr<TAdvPopupMenu> popup(new TAdvPopupMenu(nullptr));
    for (IAdvMenu* m : {static_cast<IAdvMenu*>(main.get()), static_cast<IAdvMenu*>(popup.get())}) {
        EXPECT_TRUE(m->GetSelf()->OwnerDraw());
        EXPECT_EQ(m->GetOpacity(), 255);
        EXPECT_TRUE(m->GetShowNotes());
        EXPECT_FALSE(m->GetIntlKeybShortCuts());
        EXPECT_EQ(m->GetMenuStyler(), nullptr);
        TCustomAdvMenuStyler* internal = m->GetCurrentMenuStyler();
        ASSERT_NE(internal, nullptr);
        EXPECT_EQ(internal->Name(), "InternalMenuStyler");
        EXPECT_EQ(internal->Owner(), m->GetSelf());
        EXPECT_TRUE(internal->ComponentStyle().Contains(csSubComponent));
        // Allocation alone does not link the styler to the menu.
        EXPECT_EQ(internal->Menu(), nullptr);
    }
    EXPECT_NE(dynamic_cast<TAdvMenuStyler*>(main->GetCurrentMenuStyler()), nullptr);
    EXPECT_EQ(dynamic_cast<TAdvMenuStyler*>(popup->GetCurrentMenuStyler()), nullptr);
    EXPECT_EQ(main->GetVersion(), "2.5.2.0");
    EXPECT_EQ(popup->GetVersion(), "2.5.2.0");
    EXPECT_EQ(main->GetVersionNr(), 0x02050200u);
    main->SetVersion("9.9.9.9");
    EXPECT_EQ(GetStrProp(main.get(), "Version"), "2.5.2.0");
    // The interface is offered by the owner-drawn menus only.
    TComponentPtr<TMainMenu> plain(new TMainMenu(nullptr));
    ASSERT_NE(GetAdvMenuIntf(main.get()), nullptr);
    EXPECT_EQ(GetAdvMenuIntf(main.get())->GetSelf(), main.get());
    EXPECT_EQ(GetAdvMenuIntf(popup.get())->GetSelf(), popup.get());
    EXPECT_EQ(GetAdvMenuIntf(plain.get()), nullptr);
    EXPECT_EQ(GetAdvMenuIntf(nullptr), nullptr);
    TMenuItem* file = AddItem(nullptr, main->Items(), "File");
    TMenuItem* exit = AddItem(nullptr, file, "Exit");
    EXPECT_EQ(GetMenuItemIntf(exit), GetAdvMenuIntf(main.get()));
    TMenuItem* loose = AddItem(nullptr, plain->Items(), "Loose");
    EXPECT_EQ(GetMenuItemIntf(loose), nullptr);
    // Nothing happens for no menu.
    RefreshMenu(nullptr, true, true);
    main->Items()->Clear();
    plain->Items()->Clear();
}

TEST_F(AdvMenusTest, LinkingAndUnlinkingAStylerEndsWithAFreshInternalOne) {
    TComponentPtr<TCountingMainMenu> menu(new TCountingMainMenu(nullptr));
    TComponentPtr<TAdvMenuOfficeStyler> office(new TAdvMenuOfficeStyler(nullptr));
    menu->SetMenuStyler(office.get());
    EXPECT_EQ(menu->MenuStyler(), office.get());
    EXPECT_EQ(menu->GetCurrentMenuStyler(), office.get());
    EXPECT_EQ(office->Menu(), menu.get());
    EXPECT_EQ(menu->FindComponent("InternalMenuStyler"), nullptr);
    EXPECT_EQ(menu->ComponentCount(), 0);

    menu->SetMenuStyler(nullptr);
    EXPECT_EQ(menu->MenuStyler(), nullptr);
    TCustomAdvMenuStyler* internal = menu->GetCurrentMenuStyler();
    ASSERT_NE(internal, nullptr);
    EXPECT_EQ(internal->Name(), "InternalMenuStyler");
    EXPECT_EQ(internal->Menu(), menu.get());
    // The styler let go no longer refreshes the menu.
    EXPECT_EQ(office->Menu(), nullptr);
    int before = menu->Rebuilds;
    office->RootItem()->SetHoverColor(0, clRed);
    EXPECT_EQ(menu->Rebuilds, before);

    // Freeing the linked styler falls back to a new internal one.
    menu->SetMenuStyler(office.get());
    office.reset();
    EXPECT_EQ(menu->MenuStyler(), nullptr);
    ASSERT_NE(menu->GetCurrentMenuStyler(), nullptr);
    EXPECT_EQ(menu->GetCurrentMenuStyler()->Name(), "InternalMenuStyler");
    EXPECT_EQ(menu->ComponentCount(), 1);
    // A shared styler refreshes the menu that linked it last.
    TComponentPtr<TCountingMainMenu> first(new TCountingMainMenu(nullptr));
    TComponentPtr<TCountingMainMenu> second(new TCountingMainMenu(nullptr));
    TComponentPtr<TAdvMenuStyler> shared(new TAdvMenuStyler(nullptr));
    first->SetMenuStyler(shared.get());
    second->SetMenuStyler(shared.get());
    int a = first->Rebuilds, b = second->Rebuilds;
    shared->IconBar()->SetSize(30);
    EXPECT_EQ(first->Rebuilds, a);
    EXPECT_EQ(second->Rebuilds, b + 1);
    // The first one letting go leaves the second one linked.
    first->SetMenuStyler(nullptr);
    EXPECT_EQ(shared->Menu(), second.get());
}

TEST_F(AdvMenusTest, FreedStylersAndImagesAreForgotten) {
    TComponentPtr<TAdvMenuStyler> styler(new TAdvMenuStyler(nullptr));
    {
        TComponentPtr<TAdvMainMenu> menu(new TAdvMainMenu(nullptr));
        menu->SetMenuStyler(styler.get());
    }
    EXPECT_EQ(styler->Menu(), nullptr);
    EXPECT_EQ(styler->RootItem()->Menu(), nullptr);
    // These refreshed the freed menu before; now they only store.
    styler->RootItem()->SetHoverColor(0, clRed);
    styler->Font()->SetSize(12);
    EXPECT_EQ(styler->RootItem()->GetHoverColor(0), clRed);
    // A menu forgets its freed disabled images too.
    TComponentPtr<TAdvPopupMenu> popup(new TAdvPopupMenu(nullptr));
    TComponentPtr<TCustomImageList> images(new TCustomImageList(nullptr));
    popup->SetDisabledImages(images.get());
    EXPECT_EQ(popup->DisabledImages(), images.get());
    images.reset();
    EXPECT_EQ(popup->DisabledImages(), nullptr);
}

TEST_F(AdvMenusTest, ItemHooksKeepTheItemsOwnHandlers) {
    TComponentPtr<TForm> owner(new TForm(nullptr));
    TComponentPtr<TAdvPopupMenu> menu(new TAdvPopupMenu(nullptr));
    // A popup menu hooks each changed item at once.
    TMenuItem* a = AddItem(owner.get(), menu->Items(), "A");
    EXPECT_TRUE(Hooked(a));
    EXPECT_TRUE(static_cast<bool>(a->OnMeasureItem));

    int ownMeasures = 0, ownDraws = 0;
    auto* b = new TMenuItem(owner.get());
    b->SetCaption("B");
    b->OnMeasureItem = [&](TObject*, TCanvas*, int&, int&) { ++ownMeasures; };
    b->OnDrawItem = [&](TObject*, TCanvas*, TRect, bool) { ++ownDraws; };
    menu->Items()->Add(b);
    EXPECT_FALSE(Hooked(b)); // it draws itself
    win::MEASUREITEMSTRUCT info{};
    info.CtlType = win::ODT_MENU;
    info.itemID = b->Command();
    info.itemData = reinterpret_cast<std::uintptr_t>(b);
    menu->Handle();
    EXPECT_TRUE(menu->MeasureItem(info));
    EXPECT_EQ(ownMeasures, 1);

    // Hooking again changes nothing.
    menu->RebuildItems();
    EXPECT_TRUE(Hooked(a));
    EXPECT_FALSE(Hooked(b));
    menu->Items()->Clear();
}

TEST_F(AdvMenusTest, MainMenuHooksItemsAtTheOutermostEndUpdateAPopupMenuOutsideOne) {
    TComponentPtr<TForm> owner(new TForm(nullptr));
    TComponentPtr<TAdvMainMenu> menu(new TAdvMainMenu(nullptr));
    // Added outside an update: not hooked yet.
    TMenuItem* file = AddItem(owner.get(), menu->Items(), "File");
    TMenuItem* exit = AddItem(owner.get(), file, "Exit");
    EXPECT_FALSE(Hooked(file));
    EXPECT_FALSE(Hooked(exit));

    menu->BeginUpdate();
    menu->BeginUpdate();
    EXPECT_TRUE(menu->IsUpdating());
    menu->EndUpdate();
    EXPECT_FALSE(Hooked(exit));
    EXPECT_TRUE(menu->IsUpdating());
    // Inside an update a changed item is hooked at once.
    TMenuItem* help = AddItem(owner.get(), menu->Items(), "Help");
    EXPECT_TRUE(Hooked(help));
    menu->EndUpdate();
    EXPECT_FALSE(menu->IsUpdating());
    EXPECT_TRUE(Hooked(file));
    EXPECT_TRUE(Hooked(exit));
    // An unbalanced EndUpdate does no harm.
    menu->EndUpdate();
    EXPECT_FALSE(menu->IsUpdating());
    menu->Items()->Clear();
    // A popup menu hooks a changed item only outside an update.
    TComponentPtr<TAdvPopupMenu> popup(new TAdvPopupMenu(nullptr));
    popup->BeginUpdate();
    TMenuItem* cut = AddItem(owner.get(), popup->Items(), "Cut");
    EXPECT_FALSE(Hooked(cut));
    popup->EndUpdate();
    EXPECT_TRUE(Hooked(cut));
    popup->Items()->Clear();
}

TEST_F(AdvMenusTest, SideBarVisibilityRefreshesAMainMenuShownInAWindow) {
    TComponentPtr<TForm> form(new TForm(nullptr));
    auto* menu = new TCountingMainMenu(form.get());
    AddItem(form.get(), menu->Items(), "File");
    auto* styler = new TAdvMenuStyler(form.get());
    menu->SetMenuStyler(styler);
    ASSERT_EQ(styler->Menu(), menu);
    int before = menu->Rebuilds;
    styler->SideBar()->SetVisible(true);
    EXPECT_EQ(menu->Rebuilds, before); // no window yet
    form->SetMenu(menu);
    form->Show();
    ui.Process();
    ASSERT_NE(menu->WindowHandle(), nullptr);
    styler->SideBar()->SetVisible(false);
    EXPECT_EQ(menu->Rebuilds, before + 1);
}

TEST_F(AdvMenusTest, PopupPlacementAndChoosingAnItem) {
    TComponentPtr<TForm> owner(new TForm(nullptr));
    TComponentPtr<TPlacedPopupMenu> menu(new TPlacedPopupMenu(nullptr));
    AddItem(owner.get(), menu->Items(), "Copy");
    const int sw = win::GetSystemMetrics(win::SM_CXSCREEN);
    ASSERT_GT(sw, 400);
    menu->SetAlignment(paLeft);
    EXPECT_EQ(menu->PopupX(0), 0);
    // Reaching the right edge: 17 further right, then clamped.
    EXPECT_EQ(menu->PopupX(sw - 30), sw - 13);
    EXPECT_EQ(menu->PopupX(sw - 5), sw - 1);
    menu->SetAlignment(paRight);
    EXPECT_EQ(menu->PopupX(sw / 2), sw / 2 + 17);
    EXPECT_EQ(menu->PopupX(20), 20);
    menu->SetAlignment(paCenter);
    EXPECT_EQ(menu->PopupX(100), 108);
    menu->Items()->Clear();
    TComponentPtr<TAdvPopupMenu> chosen(new TAdvPopupMenu(nullptr));
    TMenuItem* copy = AddItem(owner.get(), chosen->Items(), "Copy");
    AddItem(owner.get(), chosen->Items(), "-");
    TMenuItem* paste = AddItem(owner.get(), chosen->Items(), "Paste");
    std::vector<String> clicked;
    copy->OnClick = [&](TObject*) { clicked.push_back("Copy"); };
    paste->OnClick = [&](TObject*) { clicked.push_back("Paste"); };
    uitest::MenuDriver driver(ui);
    driver.ChoosePopup(chosen.get(), "Paste", 100, 100);
    EXPECT_EQ(clicked, std::vector<String>{"Paste"});
    chosen->Items()->Clear();
    TComponentPtr<TAdvPopupMenu> empty(new TAdvPopupMenu(nullptr));
    int popups = 0;
    empty->OnPopup = [&](TObject*) { ++popups; };
    // A tracked menu would wait for input here (and the idle loop would raise).
    empty->Popup(10, 10);
    empty->Popup((TPoint{10, 10}));
    EXPECT_EQ(popups, 0);
}

} // namespace
} // namespace menutest
