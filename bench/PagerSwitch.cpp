// Switching the active page of a pager on the offscreen backend, from the click on a tab to the frame
// that shows the new page, against a memset of a surface the size of the window measured in the same run.
//
// Counters:
//   BM_PagerSwitch  switch_per_memset: a pager of five pages, each holding four toolbars of six glow
//                   buttons, in the Office 2007 Luna look; a press and release on the next tab through
//                   the window system's queue, the messages processed until the new page is painted,
//                   over a memset of 4 bytes per pixel of the window.
//
// With KALVENOR_BENCH_PNG set, the window's picture goes to that prefix with "-first.png" (the first page
// shown) and "-switched.png" (the second page, after one switch made before the measure), to compare
// builds pixel for pixel.

#include <benchmark/benchmark.h>

#include <stdlib.h>

#include <chrono>
#include <cstring>
#include <string>
#include <vector>

#include "components/foundation/AdvGlowButton.h"
#include "components/toolbar/AdvToolBar.h"
#include "platform/vcl/Forms.h"
#include "tests/support/OffscreenBackend.h"

using namespace vcl;
using namespace AdvToolBar;

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::duration D) {
    return std::chrono::duration<double>(D).count();
}

Clock::duration MemsetTime(std::vector<unsigned char>& Surface, int Value) {
    const auto t0 = Clock::now();
    std::memset(Surface.data(), Value, Surface.size());
    benchmark::DoNotOptimize(Surface.data());
    benchmark::ClobberMemory();
    return Clock::now() - t0;
}

void WritePng(TCustomForm* Form, const char* Suffix) {
    if (const char* path = ::getenv("KALVENOR_BENCH_PNG"))
        offscreen::Offscreen().WriteWindowPng(Form->Handle(), std::string(path) + Suffix + ".png");
}

// Presses and releases the pointer on the tab of page Index, and processes the messages until it is painted.
void ClickTab(TAdvToolBarPager* Pager, int Index) {
    offscreen::OffscreenBackend& screen = offscreen::Offscreen();
    const TRect r = Pager->GetTabRect(Index);
    const TPoint at = Pager->ClientToScreen(TPoint{r.Left + 8, r.Top + 8});
    screen.MoveMouse(at.X, at.Y);
    screen.Press();
    screen.Release();
    offscreen::OffscreenBackend::ProcessMessages();
    benchmark::DoNotOptimize(screen.ScreenPixel(at.X, at.Y + 40));
}

void BM_PagerSwitch(benchmark::State& state) {
    offscreen::OffscreenBackend& screen = offscreen::Offscreen();
    RegisterAdvToolBarClasses();
    TComponentPtr<TCustomForm> form(TCustomForm::CreateNew(nullptr));
    form->SetBounds(0, 0, 900, 300);
    auto* styler = new AdvToolBarStylers::TAdvToolBarOfficeStyler(form.get());
    styler->SetToolBarStyle(AdvToolBarStylers::bsOffice2007Luna);
    auto* pager = new TAdvToolBarPager(form.get());
    pager->SetParent(form.get());
    pager->SetToolBarStyler(styler);
    for (int p = 0; p < 5; ++p) {
        TAdvPage* page = pager->GetAdvPages(pager->AddAdvPage("Page " + std::to_string(p + 1)));
        for (int t = 0; t < 4; ++t) {
            TAdvToolBar* bar = page->CreateAdvToolBar();
            bar->SetCaption("Group " + std::to_string(t + 1));
            for (int b = 0; b < 6; ++b) {
                auto* button = new AdvGlowButton::TAdvGlowButton(form.get());
                button->SetBounds(0, 0, 40, 22);
                button->SetCaption("B" + std::to_string(b + 1));
                button->SetParent(bar);
            }
        }
    }
    pager->SetActivePageIndex(0);
    form->Show();
    offscreen::OffscreenBackend::ProcessMessages();
    WritePng(form.get(), "-first");
    ClickTab(pager, 1);
    screen.Advance(400);
    WritePng(form.get(), "-switched");

    std::vector<unsigned char> surface(static_cast<std::size_t>(form->Width()) * form->Height() * 4);
    Clock::duration work{}, clear{};
    int n = 0;
    for (auto _ : state) {
        const int next = (pager->ActivePageIndex() + 1) % 5;
        const auto t0 = Clock::now();
        ClickTab(pager, next);
        work += Clock::now() - t0;
        state.PauseTiming();
        if (pager->ActivePageIndex() != next) state.SkipWithError("the click did not switch the page");
        // The selection glow runs on the virtual clock: let it finish outside the measure.
        screen.Advance(400);
        clear += MemsetTime(surface, ++n & 0xFF);
        state.ResumeTiming();
    }
    state.counters["switch_per_memset"] = Seconds(work) / Seconds(clear);
}
BENCHMARK(BM_PagerSwitch)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
