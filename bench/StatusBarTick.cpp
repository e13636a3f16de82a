// One timer tick of a status bar whose only changing panel is a clock: the area the tick leaves to be
// repainted, against the clock panel's own area (counter "repaint_ratio", at most 1.2 expected).

#include <benchmark/benchmark.h>

#include "components/statusbar/AdvOfficeStatusBar.h"
#include "components/statusbar/StatusClock.h"
#include "platform/vcl/Application.h"
#include "platform/vcl/Form.h"
#include "platform/win/Window.h"
#include "tests/support/OffscreenBackend.h"

namespace {

using namespace vcl;
using namespace AdvOfficeStatusBar;

void BM_ClockTick(benchmark::State& State) {
    auto screen = std::make_unique<offscreen::OffscreenBackend>();
    offscreen::OffscreenBackend* backend = screen.get();
    backend::SetBackend(std::move(screen));
    int second = 0;
    SetClockSource([&] { return TClockTime{2026, 12, 6, 12, 0, second % 60, 0}; });
    {
        TComponentPtr<TCustomForm> form(TCustomForm::CreateNew(nullptr));
        form->SetBounds(0, 0, 700, 100);
        auto* bar = new TAdvOfficeStatusBar(form.get());
        bar->SetParent(form.get());
        for (int w : {225, 100, 130, 80})
            bar->Panels()->Add()->SetWidth(w);
        bar->Panels()->GetItem(0)->SetText("Ready");
        bar->Panels()->GetItem(3)->SetStyle(psTime);
        bar->Panels()->GetItem(3)->SetTimeFormat("h:mm:ss");
        form->Show();
        offscreen::OffscreenBackend::ProcessMessages();
        const TRect panel = bar->GetPanelRect(3);
        const double panelArea = double(panel.Right - panel.Left) * (panel.Bottom - panel.Top);
        double written = 0;
        std::int64_t ticks = 0;
        for (auto _ : State) {
            ++second;
            win::SendMessage(bar->Handle(), win::WM_TIMER, StatusBarTimerId, 0);
            win::RECT r{};
            if (win::GetUpdateRect(bar->Handle(), &r, 0))
                written += double(r.Right - r.Left) * (r.Bottom - r.Top);
            offscreen::OffscreenBackend::ProcessMessages();
            ++ticks;
        }
        State.counters["repaint_ratio"] = ticks > 0 ? written / ticks / panelArea : 0;
    }
    SetClockSource(nullptr);
    (void)backend;
}
BENCHMARK(BM_ClockTick);

} // namespace

BENCHMARK_MAIN();
