#pragma once
// A form with an owner-drawn main menu that shows every kind of item: images (one drawn disabled), a
// caption with notes, shortcuts, a check item, a radio group, a disabled item, separators and a submenu;
// and the drive that opens its File menu with the submenu and looks at the screen while it is open.

#include "platform/vcl/ImgList.h"
#include "platform/vcl/ShortCut.h"
#include "tests/menus/MenuTestSupport.h"
#include "tests/support/MenuDriver.h"

namespace menutest {

class TMenuLookForm : public TForm {
public:
    explicit TMenuLookForm(TComponent* AOwner) : TForm(AOwner) {
        SetBounds(40, 30, 520, 380);
        SetCaption("Menus");
        Images = new TImageList(this);
        for (TColor c : {TColor(0x2060D0), TColor(0x30A040), TColor(0xC05020)})
            AddImage(c);
        Menu = new TAdvMainMenu(this);
        Menu->SetImages(Images);
        Menu->BeginUpdate();
        File = Add(Menu->Items(), "&File");
        New = Add(File, "&New", 0, ShortCut('N', TShiftState{ssCtrl}));
        Open = Add(File, "&Open...", 1, ShortCut('O', TShiftState{ssCtrl}));
        Notes = Add(File, "Save &as\\nStores a copy under a new name");
        Line = Add(File, "-");
        Wrap = Add(File, "Word &wrap");
        Wrap->SetChecked(true);
        Recent = Add(File, "&Recent");
        Add(Recent, "quotes.csv");
        Add(Recent, "orders.csv");
        Add(File, "-");
        Large = Add(File, "&Large icons");
        Small = Add(File, "&Small icons");
        for (TMenuItem* r : {Large, Small}) {
            r->SetRadioItem(true);
            r->SetGroupIndex(1);
        }
        Large->SetChecked(true);
        Print = Add(File, "&Print", 2, ShortCut('P', TShiftState{ssCtrl}));
        Print->SetEnabled(false);
        Exit = Add(File, "E&xit", -1, ShortCut(win::VK_F4, TShiftState{ssAlt}));
        Edit = Add(Menu->Items(), "&Edit");
        Add(Edit, "&Undo", -1, ShortCut('Z', TShiftState{ssCtrl}));
        Help = Add(Menu->Items(), "&Help");
        Add(Help, "&About...");
        Menu->EndUpdate();
        SetMenu(Menu);
    }

    TMenuItem* Add(TMenuItem* Parent, const String& Caption, int Image = -1, TShortCut Key = 0) {
        auto* item = new TMenuItem(this);
        item->SetCaption(Caption);
        item->SetImageIndex(Image);
        item->SetShortCut(Key);
        Parent->Add(item);
        return item;
    }

    TImageList* Images;
    TAdvMainMenu* Menu;
    TMenuItem *File, *New, *Open, *Notes, *Line, *Wrap, *Recent, *Large, *Small, *Print, *Exit, *Edit, *Help;

private:
    void AddImage(TColor Color) {
        TBitmap bmp;
        bmp.SetSize(16, 16);
        bmp.Canvas()->Brush()->SetColor(clFuchsia);
        bmp.Canvas()->FillRect(TRect{0, 0, 16, 16});
        bmp.Canvas()->Brush()->SetColor(Color);
        bmp.Canvas()->Pen()->SetColor(clBlack);
        bmp.Canvas()->Ellipse(1, 1, 15, 15);
        Images->AddMasked(&bmp, clFuchsia);
    }
};

class MenuLookTest : public MenuTest {
protected:
    void SetUp() override {
        MenuTest::SetUp();
        form.reset(new TMenuLookForm(nullptr));
    }
    void TearDown() override {
        form.reset();
        MenuTest::TearDown();
    }

    // One pixel of whatever window shows at the screen point.
    win::COLORREF ScreenPixel(TPoint P) {
        win::HWND w = win::WindowFromPoint(P);
        win::RECT r{};
        win::GetWindowRect(w, &r);
        return ui.Screen().WindowPixel(w, P.X - r.Left, P.Y - r.Top) & 0xFFFFFF;
    }
    static win::RECT ItemRect(TMenuItem* Item) {
        win::RECT r{};
        TMenuItem* parent = Item->Parent();
        int pos = 0;
        for (int i = 0; i < parent->Count() && parent->Items(i) != Item; ++i)
            pos += parent->Items(i)->Visible();
        win::GetMenuItemRect(nullptr, parent->Handle(), static_cast<win::UINT>(pos), &r);
        return r;
    }
    static win::HWND WindowOf(TMenuItem* Parent) { return win::MenuWindowOf(Parent->Handle()); }

    // Shows the form, opens File with the mouse, selects Recent and opens it with the Right key, then
    // runs Look while both menus are open.
    void WithFileMenuOpen(std::function<void()> Look, bool OpenRecent = true) {
        form->Show();
        ui.Process();
        uitest::MenuDriver menus(ui);
        ui.WhenIdle([&] {
            TPoint p = uitest::MenuDriver::OpenItemPoint(OpenRecent ? form->Recent : form->New);
            ui.Screen().MoveMouse(p.X, p.Y);
            if (OpenRecent) ui.Screen().PressKey(win::VK_RIGHT);
        });
        ui.WhenIdle(std::move(Look));
        ui.WhenIdle([&] { menus.CloseMenus(); });
        menus.OpenMenu(form.get(), "File");
    }

    TComponentPtr<TMenuLookForm> form;
};

} // namespace menutest
