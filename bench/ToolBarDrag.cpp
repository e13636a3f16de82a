// One step of dragging a docked toolbar by its grip, on the offscreen backend, against a memset of a
// surface the size of the form measured in the same run.
//
// A form holds a top dock panel with 8 toolbars of 4 glow buttons, two to a row, in the Office 2003 Blue
// look (the Office 2007 looks draw no grip). The second toolbar of the first row is taken by its grip; the
// drag's own loop then runs, with the capture, until the button is released. Each iteration is one pointer
// move along the row through the input queue: the drag's loop retrieves it, moves the toolbar, and the moved
// parts are painted; the step ends when the loop finds the queue empty again (the frame is painted) and asks
// for the next move.
//
// Counters (both measured in the thread's own CPU time):
//   step_us           one move, from the input queued to the frame painted
//   memset_us         a memset of 4 bytes per pixel of the form
//   step_per_memset   the step's time over the memset's

#include <benchmark/benchmark.h>

#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <vector>

#include "components/foundation/AdvGlowButton.h"
#include "components/toolbar/AdvToolBar.h"
#include "platform/vcl/Screen.h"
#include "platform/win/Input.h"
#include "platform/win/Window.h"
#include "tests/support/OffscreenBackend.h"

using namespace vcl;
using namespace AdvToolBar;
using AdvGlowButton::TAdvGlowButton;

namespace {

// The thread's own CPU time: on a shared machine, time spent waiting for a core does not count.
std::chrono::nanoseconds CpuNow() {
    timespec t{};
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return std::chrono::seconds(t.tv_sec) + std::chrono::nanoseconds(t.tv_nsec);
}

struct DockForm {
    DockForm() {
        offscreen::Offscreen();
        RegisterAdvToolBarClasses();
        form.reset(TCustomForm::CreateNew(nullptr));
        form->SetBounds(0, 0, 900, 400);
        auto* styler = new AdvToolBarStylers::TAdvToolBarOfficeStyler(form.get());
        styler->SetToolBarStyle(AdvToolBarStylers::bsOffice2003Blue);
        panel = new TAdvDockPanel(form.get());
        panel->SetParent(form.get());
        panel->SetAlign(daTop);
        panel->SetToolBarStyler(styler);
        for (int t = 0; t < 8; ++t) {
            auto* bar = new TAdvToolBar(form.get());
            bar->SetParent(panel);
            for (int i = 0; i < 4; ++i) {
                auto* b = new TAdvGlowButton(form.get());
                b->SetBounds(0, 0, 32, 22);
                b->SetParent(bar);
            }
            bars.push_back(bar);
        }
        for (int t = 1; t < 8; t += 2)
            panel->Rows()->MoveToolBarToRow(bars[t], panel->Rows()->IsToolBarAlreadyAdded(bars[t - 1]));
        form->Show();
        offscreen::OffscreenBackend::ProcessMessages();
    }
    ~DockForm() {
        win::SetIdleHandler(nullptr);
        vcl::Screen->SetCursor(crDefault);
    }
    TComponentPtr<TCustomForm> form;
    TAdvDockPanel* panel = nullptr;
    std::vector<TAdvToolBar*> bars;
};

void BM_ToolBarDragStep(benchmark::State& state) {
    DockForm f;
    TAdvToolBar* bar = f.bars[1];
    const int row = f.panel->Rows()->IsToolBarAlreadyAdded(bar);
    if (row != f.panel->Rows()->IsToolBarAlreadyAdded(f.bars[0])) {
        state.SkipWithError("the toolbar to drag did not share the first row");
        return;
    }
    auto& screen = offscreen::Offscreen();
    // Taken by the middle of its grip; the moves go back and forth along the row, 4 pixels at a time,
    // over 300 pixels of the row's free length, never across the toolbar's top or bottom edge.
    const TPoint grip = bar->ClientToScreen(TPoint{bar->DragGripWidth() / 2, bar->Height() / 2});
    const int startLeft = bar->Left();
    constexpr int Step = 4;
    constexpr int Span = 300;
    int offset = 0;
    int direction = 1;
    int leftMost = startLeft;
    int rightMost = startLeft;

    std::vector<std::uint32_t> surface(static_cast<std::size_t>(f.form->Width()) * f.form->Height());
    std::chrono::nanoseconds step{}, fill{}, moveStart{};
    bool moved = false;
    bool released = false;
    std::uint32_t seed = 0;

    // Called by the drag's loop when its queue is empty: the last move has been handled and painted.
    win::SetIdleHandler([&]() -> bool {
        if (moved) {
            step += CpuNow() - moveStart;
            leftMost = std::min(leftMost, bar->Left());
            rightMost = std::max(rightMost, bar->Left());
        }
        if (released) return false;
        if (!state.KeepRunning()) {
            released = true;
            screen.Release();
            return true;
        }
        state.PauseTiming();
        const auto t0 = CpuNow();
        std::memset(surface.data(), static_cast<int>(++seed & 0xFF), surface.size() * sizeof(std::uint32_t));
        benchmark::DoNotOptimize(surface.data());
        benchmark::ClobberMemory();
        fill += CpuNow() - t0;
        state.ResumeTiming();
        if (offset + direction * Step > Span || offset + direction * Step < 0) direction = -direction;
        offset += direction * Step;
        moveStart = CpuNow();
        screen.MoveMouse(grip.X + offset, grip.Y);
        moved = true;
        return true;
    });
    screen.MoveMouse(grip.X, grip.Y);
    offscreen::OffscreenBackend::ProcessMessages();
    screen.Press();
    // The press starts the drag, whose loop runs every iteration from the idle handler above.
    offscreen::OffscreenBackend::ProcessMessages();
    win::SetIdleHandler(nullptr);

    if (!released) {
        state.SkipWithError("the drag's loop did not run the iterations");
        return;
    }
    // Each move shifts the toolbar by a step until it has crossed the span (half of it is plenty).
    const auto reach = std::min<benchmark::IterationCount>(state.iterations(), Span / Step) * Step;
    if (rightMost - leftMost < reach / 2 || bar->ToolBarState() != tsDocked ||
        f.panel->Rows()->IsToolBarAlreadyAdded(bar) != row || win::GetCapture() != nullptr) {
        state.SkipWithError("the toolbar did not follow the pointer along its row");
        return;
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["step_us"] = std::chrono::duration<double, std::micro>(step).count() / n;
    state.counters["memset_us"] = std::chrono::duration<double, std::micro>(fill).count() / n;
    state.counters["step_per_memset"] =
        fill.count() > 0 ? static_cast<double>(step.count()) / fill.count() : 0;
}
BENCHMARK(BM_ToolBarDragStep)->Unit(benchmark::kMicrosecond)->MinTime(1.0);

} // namespace

BENCHMARK_MAIN();
