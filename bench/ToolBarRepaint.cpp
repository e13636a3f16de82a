// The dock panel and its toolbars on the offscreen backend, against a memset of a surface the size of
// the window measured in the same run.
//
// Counters:
//   BM_MainWindowRepaint  repaint_per_memset: a full repaint of a window laid out like the main window
//                         (a left dock panel holding one full-size toolbar of a container, separators
//                         and ten glow buttons, in the Office 2007 Luna look, beside an empty client
//                         area) over a memset of 4 bytes per pixel of that window; target 10 or less.
//   BM_DockRelayout       relayout_per_memset: a dock panel holding 8 toolbars of 20 glow buttons, two
//                         to a row, laid out again after the form changes width, over the same memset.

#include <benchmark/benchmark.h>

#include <stdlib.h>

#include <chrono>
#include <cstring>
#include <string>
#include <vector>

#include "components/foundation/AdvGlowButton.h"
#include "components/toolbar/AdvToolBar.h"
#include "components/toolbar/dock/ToolBarContainer.h"
#include "platform/vcl/Application.h"
#include "platform/vcl/Edit.h"
#include "platform/win/WinUser.h"
#include "platform/win/Window.h"
#include "tests/support/OffscreenBackend.h"

using namespace vcl;
using namespace AdvToolBar;
using AdvGlowButton::TAdvGlowButton;

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::duration D) {
    return std::chrono::duration<double>(D).count();
}

// The reference: clearing a 32-bit surface of the window's size.
Clock::duration MemsetTime(std::vector<unsigned char>& Surface, int Value) {
    const auto t0 = Clock::now();
    std::memset(Surface.data(), Value, Surface.size());
    benchmark::DoNotOptimize(Surface.data());
    benchmark::ClobberMemory();
    return Clock::now() - t0;
}

AdvToolBarStylers::TAdvToolBarOfficeStyler* LunaStyler(TComponent* Owner) {
    auto* s = new AdvToolBarStylers::TAdvToolBarOfficeStyler(Owner);
    s->SetToolBarStyle(AdvToolBarStylers::bsOffice2007Luna);
    return s;
}

struct MainLikeWindow {
    MainLikeWindow() {
        offscreen::Offscreen();
        RegisterAdvToolBarClasses();
        form.reset(TCustomForm::CreateNew(nullptr));
        form->SetBounds(0, 0, 900, 620);
        auto* styler = LunaStyler(form.get());
        auto* panel = new TAdvDockPanel(form.get());
        panel->SetParent(form.get());
        panel->SetAlign(daLeft);
        panel->SetToolBarStyler(styler);
        auto* bar = new TAdvToolBar(form.get());
        bar->SetParent(panel);
        bar->SetFullSize(true);
        auto* container = new TAdvToolBarContainer(form.get());
        container->SetBounds(2, 2, 120, 49);
        container->SetParent(bar);
        auto* edit = new TEdit(form.get());
        edit->SetParent(container);
        edit->SetBounds(8, 20, 103, 21);
        for (int i = 0; i < 10; ++i) {
            if (i % 3 == 0) {
                auto* sep = new TAdvToolBarSeparator(form.get());
                sep->SetAdvToolBar(bar);
            }
            auto* b = new TAdvGlowButton(form.get());
            b->SetBounds(0, 0, 120, 43);
            b->SetCaption("Section " + std::to_string(i + 1));
            b->SetGroupIndex(1);
            b->SetParent(bar);
        }
        form->Show();
        offscreen::OffscreenBackend::ProcessMessages();
    }
    TComponentPtr<TCustomForm> form;
};

// With KALVENOR_BENCH_PNG set, the window's picture goes to that file (to compare builds pixel for pixel).
void WritePng(TCustomForm* Form, const char* Suffix) {
    if (const char* path = ::getenv("KALVENOR_BENCH_PNG"))
        offscreen::Offscreen().WriteWindowPng(Form->Handle(), std::string(path) + Suffix + ".png");
}

void BM_MainWindowRepaint(benchmark::State& state) {
    MainLikeWindow w;
    WritePng(w.form.get(), "-first");
    std::vector<unsigned char> surface(static_cast<std::size_t>(w.form->Width()) * w.form->Height() * 4);
    Clock::duration paint{}, clear{};
    int n = 0;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        win::RedrawWindow(w.form->Handle(), nullptr, nullptr,
                          win::RDW_INVALIDATE | win::RDW_ERASE | win::RDW_ALLCHILDREN | win::RDW_UPDATENOW);
        offscreen::OffscreenBackend::ProcessMessages();
        paint += Clock::now() - t0;
        state.PauseTiming();
        clear += MemsetTime(surface, ++n & 0xFF);
        state.ResumeTiming();
    }
    WritePng(w.form.get(), "-last");
    state.counters["repaint_per_memset"] = Seconds(paint) / Seconds(clear);
}
BENCHMARK(BM_MainWindowRepaint)->Unit(benchmark::kMicrosecond);

void BM_DockRelayout(benchmark::State& state) {
    offscreen::Offscreen();
    RegisterAdvToolBarClasses();
    TComponentPtr<TCustomForm> form(TCustomForm::CreateNew(nullptr));
    form->SetBounds(0, 0, 1400, 500);
    auto* panel = new TAdvDockPanel(form.get());
    panel->SetParent(form.get());
    panel->SetToolBarStyler(LunaStyler(form.get()));
    std::vector<TAdvToolBar*> bars;
    for (int t = 0; t < 8; ++t) {
        auto* bar = new TAdvToolBar(form.get());
        bar->SetParent(panel);
        for (int i = 0; i < 20; ++i) {
            auto* b = new TAdvGlowButton(form.get());
            b->SetBounds(0, 0, 32, 22);
            b->SetParent(bar);
        }
        bars.push_back(bar);
    }
    // Two toolbars to a row: each row shares its length between them.
    for (int t = 1; t < 8; t += 2)
        panel->Rows()->MoveToolBarToRow(bars[t], panel->Rows()->IsToolBarAlreadyAdded(bars[t - 1]));
    form->Show();
    offscreen::OffscreenBackend::ProcessMessages();
    std::vector<unsigned char> surface(static_cast<std::size_t>(form->Width()) * form->Height() * 4);
    Clock::duration layout{}, clear{};
    int n = 0;
    for (auto _ : state) {
        // Narrow enough that toolbars shrink and hide buttons, then wide again.
        const auto t0 = Clock::now();
        form->SetClientWidth(++n % 2 ? 900 : 1390);
        layout += Clock::now() - t0;
        state.PauseTiming();
        clear += MemsetTime(surface, n & 0xFF);
        state.ResumeTiming();
    }
    state.counters["relayout_per_memset"] = Seconds(layout) / Seconds(clear);
}
BENCHMARK(BM_DockRelayout)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
