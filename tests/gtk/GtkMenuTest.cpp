// End to end: the styled main menu of a form on a real window of the GTK backend under Xvfb, driven by
// real X input (xdotool).

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "GtkAppFixture.h"
#include "GtkScript.h"
#include "components/menus/AdvMenuStylers.h"
#include "components/menus/AdvMenus.h"
#include "platform/vcl/Forms.h"
#include "platform/win/Menu.h"
#include "platform/win/WindowInternal.h"
#include "platform/win/Windows.h"

namespace {

using namespace vcl;
using gtktest::At;
using gtktest::XdoStep;

class GtkMenuTest : public gtktest::GtkAppTest {
protected:
    void SetUp() override {
        GtkAppTest::SetUp();
        if (IsSkipped()) return;
        form.reset(TCustomForm::CreateNew(nullptr));
        form->SetBounds(40, 40, 600, 300);
        auto* styler = new AdvMenuStylers::TAdvMenuOfficeStyler(form.get());
        styler->SetStyle(AdvMenuStylers::osOffice2007Luna);
        menu = new AdvMenus::TAdvMainMenu(form.get());
        menu->SetMenuStyler(styler);
        // Items made in an update are hooked (drawn by the menu) at its end, as a layout's are.
        menu->BeginUpdate();
        file = Item(menu->Items(), "&File");
        Item(file, "E&xit");
        help = Item(menu->Items(), "&Help");
        for (const char* caption : {"&FAQ", "&Contact administrator", "&About..."})
            Item(help, caption);
        menu->EndUpdate();
        form->SetMenu(menu);
        form->Show();
        script = std::make_unique<gtktest::Script>();
        TPoint client = form->ClientToScreen({0, 0});
        ASSERT_TRUE(RunUntil(
            [&] { return gtktest::ScreenPixel(client.X + 300, client.Y + 100) == gtktest::Rgb(clBtnFace); },
            5000));
    }
    void TearDown() override {
        script.reset();
        form.reset();
        GtkAppTest::TearDown();
    }
    TMenuItem* Item(TMenuItem* parent, const String& caption) {
        auto* i = new TMenuItem(form.get());
        i->SetCaption(caption);
        parent->Add(i);
        return i;
    }
    // The bar item's centre on the screen.
    TPoint BarItem(TMenuItem* item) {
        win::RECT r{};
        EXPECT_TRUE(win::GetMenuItemRect(form->Handle(), menu->Handle(),
                                         static_cast<win::UINT>(item->MenuIndex()), &r));
        return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
    }
    // A step: done once the item's drop-down is on the screen (its rectangle in *shown).
    std::function<bool()> DroppedDown(TMenuItem* item, win::RECT* shown) {
        return [this, item, shown] {
            win::HWND popup = win::MenuWindowOf(item->Handle());
            if (!popup || !win::IsWindowVisible(popup)) return false;
            win::GetWindowRect(popup, shown);
            // Its frame drawn on the screen.
            return gtktest::ScreenPixel(shown->Left + 1, (shown->Top + shown->Bottom) / 2) !=
                   gtktest::Rgb(clBtnFace);
        };
    }
    // The form's own image (as it paints itself) in a rectangle of the screen, row by row, as 0xRRGGBB.
    std::vector<std::uint32_t> FormPixels(const TRect& screen) {
        std::vector<std::uint32_t> out;
        win::detail::Wnd* w = win::detail::W(form->Handle());
        cairo_surface_t* s = w ? w->Surface : nullptr;
        if (!s) return out;
        cairo_surface_flush(s);
        const unsigned char* data = cairo_image_surface_get_data(s);
        int stride = cairo_image_surface_get_stride(s);
        for (int y = screen.Top; y < screen.Bottom; ++y)
            for (int x = screen.Left; x < screen.Right; ++x) {
                int fx = x - form->Left(), fy = y - form->Top();
                if (fx < 0 || fy < 0 || fx >= cairo_image_surface_get_width(s) ||
                    fy >= cairo_image_surface_get_height(s))
                    return {};
                out.push_back(*reinterpret_cast<const std::uint32_t*>(data + fy * stride + fx * 4) &
                              0xFFFFFF);
            }
        return out;
    }
    // A step that waits ms.
    static std::function<bool()> Wait(int ms) {
        auto until = std::make_shared<win::DWORD>(0);
        return [until, ms] {
            if (*until == 0) *until = win::GetTickCount() + static_cast<win::DWORD>(ms);
            return static_cast<std::int32_t>(win::GetTickCount() - *until) >= 0;
        };
    }

    TComponentPtr<TCustomForm> form;
    AdvMenus::TAdvMainMenu* menu = nullptr;
    TMenuItem *file = nullptr, *help = nullptr;
    std::unique_ptr<gtktest::Script> script;
};

// The drop-down's window is wider than its frame: its region cuts the surplus off, from its first showing
// on. The form under that strip is never covered, never asked to paint it again (the browser's view, over
// the page, would not) and keeps its pixels there.
TEST_F(GtkMenuTest, ADropDownNeverCoversTheFormRightOfItsFrame) {
    win::detail::Wnd* w = win::detail::W(form->Handle());
    ASSERT_NE(w, nullptr);
    for (int showing = 1; showing <= 2; ++showing) {
        win::RECT shown{};
        std::vector<std::uint32_t> formsOwn, strip;
        gtktest::ExposeRecorder exposed(w->Native.get());
        script->Run(
            {XdoStep("mousemove " + At(BarItem(help)) + " click 1"), DroppedDown(help, &shown), Wait(300),
             [&] {
                 // The 18 pixels right of the frame, on the screen and in the form's own image.
                 strip = gtktest::ScreenPixels(shown.Right - 18, shown.Top, 18, shown.Bottom - shown.Top);
                 formsOwn = FormPixels(TRect{shown.Right - 18, shown.Top, shown.Right, shown.Bottom});
                 // A picture to look at, in the build folder.
                 gtktest::WriteScreenPng(form->Left(), form->Top(), 320, 160, "GtkMenuDropDown.png");
                 return true;
             },
             [] { return win::EndMenu() != 0; }, [] { return !win::IsMenuTracking(); }});
        ASSERT_FALSE(strip.empty());
        EXPECT_EQ(strip, formsOwn) << "showing " << showing << ": the strip is not the form's";
        TRect cut{shown.Right - 18 - form->Left(), shown.Top - form->Top(), shown.Right - form->Left(),
                  shown.Bottom - form->Top()};
        for (const TRect& r : exposed.Rects)
            EXPECT_FALSE(r.Left < cut.Right && cut.Left < r.Right && r.Top < cut.Bottom && cut.Top < r.Bottom)
                << "showing " << showing << ": the form was asked to paint " << At({r.Left, r.Top}) << " "
                << r.Width() << "x" << r.Height();
    }
}

} // namespace
