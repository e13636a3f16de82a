// One fade tick of a hovered glow button on a window laid out like the main window (a side column of
// ten section buttons beside a content area full of controls), against a repaint of the whole window.
//
// Counters of BM_FadeTick:
//   painted_per_button_area  the area the tick's paint messages covered (every window's update
//                            rectangle when its WM_PAINT is retrieved), over the button's area, on
//                            average (the tick that ends a fade paints nothing) and at most
//                            (most_painted_per_button_area): at most 1.2 when a tick repaints only the
//                            button;
//   tick_per_full_repaint    the time of a tick (timer message to pixels in the window's surface) over
//                            the time of a full-window repaint measured in the same run.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "components/foundation/AdvGlowButton.h"
#include "platform/vcl/Application.h"
#include "platform/vcl/Label.h"
#include "platform/vcl/Panel.h"
#include "platform/win/Input.h"
#include "platform/win/WinUser.h"
#include "platform/win/Window.h"
#include "tests/support/OffscreenBackend.h"

using namespace vcl;
using namespace AdvGlowButton;

namespace {

// The area of every window's update region as its paint message is taken from the queue.
long long PaintedArea = 0;

win::LRESULT CountPaints(int Code, win::WPARAM WParam, win::LPARAM LParam) {
    if (Code >= 0 && WParam == win::PM_REMOVE) {
        const auto* msg = reinterpret_cast<const win::MSG*>(LParam);
        win::RECT r{};
        if (msg->message == win::WM_PAINT && win::GetUpdateRect(msg->hwnd, &r, win::FALSE))
            PaintedArea += static_cast<long long>(r.Right - r.Left) * (r.Bottom - r.Top);
    }
    return win::CallNextHookEx(nullptr, Code, WParam, LParam);
}

struct MainLikeWindow {
    MainLikeWindow() {
        offscreen::Offscreen();
        form.reset(TCustomForm::CreateNew(nullptr));
        form->SetBounds(0, 0, 900, 620);
        auto* side = new TPanel(form.get());
        side->SetParent(form.get());
        side->SetBounds(0, 0, 140, 580);
        for (int i = 0; i < 10; ++i) {
            auto* b = new TAdvGlowButton(form.get());
            b->SetParent(side);
            b->SetBounds(6, 6 + i * 45, 120, 41);
            b->SetGroupIndex(1);
            b->SetLayout(blGlyphLeftAdjusted);
            b->SetFocusType(ftHot);
            b->SetComponentStyle(AdvStyleIF::tsOffice2007Luna);
            b->SetCaption("Section " + std::to_string(i + 1));
            buttons.push_back(b);
        }
        for (int i = 0; i < 60; ++i) {
            auto* l = new TLabel(form.get());
            l->SetParent(form.get());
            l->SetBounds(160 + (i % 4) * 180, 10 + (i / 4) * 36, 170, 20);
            l->SetCaption("Offer " + std::to_string(i) + ": 1200 units, delivery in 3 days");
        }
        form->Show();
        offscreen::OffscreenBackend::ProcessMessages();
        hot = buttons[2];
        const TPoint p = hot->ClientToScreen(TPoint{30, 20});
        offscreen::Offscreen().MoveMouse(p.X, p.Y);
        offscreen::OffscreenBackend::ProcessMessages();
    }
    // Keeps a fade running: once the rise has ended, leaving (and waiting for the fall to end) and
    // entering again starts another.
    void KeepFading() {
        if (hot->Fading()) return;
        const TPoint out = form->ClientToScreen(TPoint{600, 590});
        offscreen::Offscreen().MoveMouse(out.X, out.Y);
        offscreen::OffscreenBackend::ProcessMessages();
        offscreen::Offscreen().Advance(400); // the fall ends, so that entering fades in from 0
        const TPoint in = hot->ClientToScreen(TPoint{30, 20});
        offscreen::Offscreen().MoveMouse(in.X, in.Y);
        offscreen::OffscreenBackend::ProcessMessages();
    }
    TComponentPtr<TCustomForm> form;
    std::vector<TAdvGlowButton*> buttons;
    TAdvGlowButton* hot = nullptr;
};

double Seconds(std::chrono::steady_clock::duration D) {
    return std::chrono::duration<double>(D).count();
}

void BM_FadeTick(benchmark::State& state) {
    MainLikeWindow w;
    win::HHOOK hook = win::SetWindowsHookEx(win::WH_GETMESSAGE, &CountPaints, nullptr, 0);
    using Clock = std::chrono::steady_clock;
    Clock::duration tickTime{}, fullTime{};
    long long ticks = 0, painted = 0, most = 0;
    for (auto _ : state) {
        state.PauseTiming();
        w.KeepFading();
        PaintedArea = 0;
        state.ResumeTiming();
        const auto t0 = Clock::now();
        offscreen::Offscreen().Advance(static_cast<std::uint32_t>(AdvGDIP::GlowSpeed));
        tickTime += Clock::now() - t0;
        state.PauseTiming();
        painted += PaintedArea;
        most = std::max(most, PaintedArea);
        ++ticks;
        // The reference: the whole window and every control in it painted again.
        const auto t1 = Clock::now();
        win::RedrawWindow(w.form->Handle(), nullptr, nullptr,
                          win::RDW_INVALIDATE | win::RDW_ERASE | win::RDW_ALLCHILDREN | win::RDW_UPDATENOW);
        offscreen::OffscreenBackend::ProcessMessages();
        fullTime += Clock::now() - t1;
        state.ResumeTiming();
    }
    win::UnhookWindowsHookEx(hook);
    const double area = static_cast<double>(w.hot->Width()) * w.hot->Height();
    state.counters["painted_per_button_area"] =
        static_cast<double>(painted) / static_cast<double>(ticks) / area;
    state.counters["most_painted_per_button_area"] = static_cast<double>(most) / area;
    state.counters["tick_per_full_repaint"] = Seconds(tickTime) / Seconds(fullTime);
}
BENCHMARK(BM_FadeTick)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
