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

class GtkMenuTest : public gtktest::GtkFormTest {
protected:
    void SetUp() override {
        GtkFormTest::SetUp();
        if (IsSkipped()) return;
        auto* styler = new AdvMenuStylers::TAdvMenuOfficeStyler(form.get());
        styler->SetStyle(AdvMenuStylers::osOffice2007Luna);
        menu = new AdvMenus::TAdvMainMenu(form.get());
        menu->SetMenuStyler(styler);
        // Items made in an update are hooked (drawn by the menu) at its end, as a layout's are.
        menu->BeginUpdate();
        file = MenuItem(menu->Items(), "&File");
        MenuItem(file, "E&xit");
        help = MenuItem(menu->Items(), "&Help");
        for (const char* caption : {"&FAQ", "&Contact administrator", "&About..."})
            MenuItem(help, caption);
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
        GtkFormTest::TearDown();
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
    // The menu bar's row on the screen, from the form's left edge to its right.
    std::vector<std::uint32_t> BarRow() {
        win::RECT item{};
        win::GetMenuItemRect(form->Handle(), menu->Handle(), 0, &item);
        return gtktest::ScreenPixels(form->Left() + 4, (item.Top + item.Bottom) / 2, form->Width() - 8, 1);
    }
    // A step: the pointer to p.
    static std::function<bool()> MoveTo(TPoint p) { return XdoStep("mousemove " + At(p)); }
    // Steps: the pointer from `from` straight down to `to`, `step` pixels at a time.
    static std::vector<std::function<bool()>> Slide(TPoint from, int toY, int step) {
        std::vector<std::function<bool()>> out;
        for (int y = from.Y; y < toY; y += step)
            out.push_back(MoveTo({from.X, y}));
        out.push_back(MoveTo({from.X, toY}));
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

// From the bar item down into its drop-down, one pixel at a time, a few at a time, or at once: the menu
// stays open and its first item is selected where the pointer stops.
TEST_F(GtkMenuTest, EnteringTheDropDownFromItsBarItemAtAnySpeedKeepsItOpen) {
    win::RECT item{};
    ASSERT_TRUE(win::GetMenuItemRect(form->Handle(), menu->Handle(), 0, &item));
    for (int step : {1, 3, 40}) {
        win::RECT shown{};
        bool open = false;
        int selected = -1;
        TPoint press{(item.Left + item.Right) / 2, item.Bottom - 3};
        std::vector<std::function<bool()>> steps{XdoStep("mousemove " + At(press) + " click 1"),
                                                 DroppedDown(file, &shown)};
        for (auto& s : Slide(press, item.Bottom + 12, step))
            steps.push_back(s);
        steps.push_back(Wait(400));
        steps.push_back([&] {
            open = win::IsMenuTracking() && win::MenuWindowOf(file->Handle()) != nullptr;
            win::HMENU sub = file->Handle();
            for (int i = 0; i < win::GetMenuItemCount(sub); ++i)
                if (win::GetMenuState(sub, static_cast<win::UINT>(i), win::MF_BYPOSITION) & win::MF_HILITE)
                    selected = i;
            return true;
        });
        steps.push_back([] {
            win::EndMenu();
            return true;
        });
        steps.push_back([] { return !win::IsMenuTracking(); });
        script->Run(std::move(steps));
        EXPECT_TRUE(open) << "closed on the way in, " << step << " pixel(s) at a time";
        EXPECT_EQ(selected, 0) << step << " pixel(s) at a time";
        script->Run({MoveTo({form->Left() + 300, form->Top() + 200}), Wait(600)}); // past the double-click
    }
}

// However the menu closes (a click on the page too: the browser's view, over the form's client area, takes
// no click while the menu is up), the bar comes back to rest once the pointer has left it for the page:
// its items and the bar right of them as before the menu dropped.
TEST_F(GtkMenuTest, AfterEscapeAClickElsewhereOrOnThePageOrAChoiceTheBarIsAtRest) {
    win::detail::Wnd* w = win::detail::W(form->Handle());
    ASSERT_NE(w, nullptr);
    const TPoint client = form->ClientToScreen({0, 0});
    auto page =
        gtktest::ForeignWindow::Over(w->Native.get(),
                                     TRect{client.X - form->Left() + 250, client.Y - form->Top(),
                                           client.X - form->Left() + 550, client.Y - form->Top() + 250},
                                     0xF4F6F9);
    const TPoint away{client.X + 400, client.Y + 150};
    script->Run({MoveTo(away), Wait(300)});
    const std::vector<std::uint32_t> atRest = BarRow();
    ASSERT_FALSE(atRest.empty());
    win::RECT shown{};
    TMenuItem* faq = help->Items(0);
    struct Way {
        const char* Name;
        std::vector<std::function<bool()>> Close;
    };
    const std::vector<Way> ways{
        {"Escape", {XdoStep("key Escape"), Wait(100), XdoStep("key Escape")}},
        {"a click elsewhere",
         {XdoStep("mousemove " + At({form->Left() + 200, form->Top() + 150}) + " click 1")}},
        {"a click on the page", {XdoStep("mousemove " + At(away) + " click 1")}},
        {"a choice", {[&] {
             win::RECT r{};
             win::GetMenuItemRect(nullptr, help->Handle(), static_cast<win::UINT>(faq->MenuIndex()), &r);
             return XdoStep("mousemove " + At({(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}) +
                            " click 1")();
         }}}};
    for (const Way& way : ways) {
        std::vector<std::function<bool()>> steps{XdoStep("mousemove " + At(BarItem(help)) + " click 1"),
                                                 DroppedDown(help, &shown), Wait(200)};
        for (const auto& s : way.Close)
            steps.push_back(s);
        steps.push_back([] { return !win::IsMenuTracking(); });
        steps.push_back(MoveTo(away));
        steps.push_back(Wait(600));
        script->Run(std::move(steps));
        std::vector<std::uint32_t> now = BarRow();
        std::size_t differ = 0;
        for (std::size_t i = 0; i < now.size() && i < atRest.size(); ++i)
            differ += now[i] != atRest[i];
        EXPECT_EQ(differ, 0u) << "after " << way.Name << ": " << differ
                              << " pixels of the bar are not at rest";
        if (differ)
            gtktest::WriteScreenPng(form->Left(), form->Top(), 400, 80,
                                    std::string("GtkMenuBarAfter-") + way.Name + ".png");
    }
}

} // namespace
