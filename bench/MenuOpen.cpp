// Owner-drawn popup menus: opening a menu of 20 items to its first complete frame, against the plain
// menu of the window system as the reference; and moving the selection by one item, with the pixels the
// move repaints counted against one item's area (the old and the new item: at most 2.5 items).

#include <benchmark/benchmark.h>

#include <memory>

#include "components/menus/AdvMenuStylers.h"
#include "components/menus/AdvMenus.h"
#include "platform/vcl/Application.h"
#include "platform/vcl/Form.h"
#include "platform/win/Windows.h"
#include "tests/support/OffscreenBackend.h"

using namespace vcl;

namespace {

struct Env {
    Env() {
        auto b = std::make_unique<offscreen::OffscreenBackend>();
        screen = b.get();
        backend::SetBackend(std::move(b));
        win::SetIdleHandler([this] { return idle ? idle() : false; });
        owner.reset(new TForm(nullptr));
        owner->Show(); // keys reach the menu through the active window
        styler = new AdvMenuStylers::TAdvMenuOfficeStyler(owner.get());
        styler->SetStyle(AdvMenuStylers::osOffice2007Luna);
        adv.reset(new AdvMenus::TAdvPopupMenu(nullptr));
        adv->SetMenuStyler(styler);
        plain.reset(new TPopupMenu(nullptr));
        plain->SetOwnerDraw(false);
        for (int i = 0; i < 20; ++i) {
            for (TMenu* m : {static_cast<TMenu*>(adv.get()), static_cast<TMenu*>(plain.get())}) {
                auto* item = new TMenuItem(owner.get());
                item->SetCaption(i % 7 == 6 ? String("-") : "Menu item number " + std::to_string(i + 1));
                m->Items()->Add(item);
            }
        }
    }
    ~Env() {
        adv->Items()->Clear();
        plain->Items()->Clear();
        win::SetIdleHandler(nullptr);
    }
    offscreen::OffscreenBackend* screen;
    std::function<bool()> idle;
    TComponentPtr<TForm> owner;
    AdvMenuStylers::TAdvMenuOfficeStyler* styler;
    TComponentPtr<AdvMenus::TAdvPopupMenu> adv;
    TComponentPtr<TPopupMenu> plain;
};

Env& E() {
    static Env env;
    return env;
}

// Opens the menu and closes it at the first idle turn: the menu window has painted by then.
void OpenToFirstFrame(benchmark::State& state, TPopupMenu* Menu) {
    Env& e = E();
    for (auto _ : state) {
        bool painted = false;
        e.idle = [&] {
            painted = win::MenuWindowOf(Menu->Handle()) != nullptr;
            win::EndMenu();
            return true;
        };
        Menu->Popup(100, 100);
        if (!painted) state.SkipWithError("the menu did not open");
    }
}

void BM_PlainPopupOpen(benchmark::State& state) {
    OpenToFirstFrame(state, E().plain.get());
}
BENCHMARK(BM_PlainPopupOpen)->Unit(benchmark::kMicrosecond);

void BM_OwnerDrawnPopupOpen(benchmark::State& state) {
    OpenToFirstFrame(state, E().adv.get());
}
BENCHMARK(BM_OwnerDrawnPopupOpen)->Unit(benchmark::kMicrosecond);

// The repainted area, counted by a window procedure put in front of the menu window's.
long long g_painted = 0;
win::WNDPROC g_next = nullptr;
win::LRESULT CountingProc(win::HWND W, win::UINT Msg, win::WPARAM WP, win::LPARAM LP) {
    if (Msg == win::WM_PAINT) {
        win::RECT r{};
        if (win::GetUpdateRect(W, &r, win::FALSE))
            g_painted += static_cast<long long>(r.Width()) * r.Height();
    }
    return win::CallWindowProc(g_next, W, Msg, WP, LP);
}

void BM_OwnerDrawnSelectionMove(benchmark::State& state) {
    Env& e = E();
    AdvMenus::TAdvPopupMenu* menu = e.adv.get();
    long long painted = 0, moves = 0, itemArea = 0;
    for (auto _ : state) {
        state.PauseTiming();
        int phase = 0;
        e.idle = [&] {
            win::HWND w = win::MenuWindowOf(menu->Handle());
            switch (phase++) {
            case 0: {
                win::RECT item{};
                win::GetMenuItemRect(nullptr, menu->Handle(), 0, &item);
                itemArea = static_cast<long long>(item.Width()) * item.Height();
                g_next = reinterpret_cast<win::WNDPROC>(win::GetWindowLongPtr(w, win::GWLP_WNDPROC));
                win::SetWindowLongPtr(w, win::GWLP_WNDPROC, reinterpret_cast<win::LONG_PTR>(&CountingProc));
                e.screen->PressKey(win::VK_DOWN); // the first item
                return true;
            }
            case 1:
                g_painted = 0;
                state.ResumeTiming();
                e.screen->PressKey(win::VK_DOWN);
                return true;
            case 2:
                state.PauseTiming();
                painted += g_painted;
                ++moves;
                win::SetWindowLongPtr(w, win::GWLP_WNDPROC, reinterpret_cast<win::LONG_PTR>(g_next));
                win::EndMenu();
                return true;
            default:
                return false;
            }
        };
        menu->Popup(100, 100);
        state.ResumeTiming();
    }
    if (moves == 0 || itemArea == 0) return;
    const double ratio =
        static_cast<double>(painted) / static_cast<double>(moves) / static_cast<double>(itemArea);
    state.counters["painted_per_item_area"] = ratio;
    if (ratio > 2.5) state.SkipWithError("a move repainted more than the old and the new item");
}
// Fixed iterations: each one opens the menu outside the measured time.
BENCHMARK(BM_OwnerDrawnSelectionMove)->Iterations(30)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
