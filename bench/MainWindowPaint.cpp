// A full repaint of the signed-in main window (page area empty) on the offscreen backend, against a memset
// of a surface of the same size measured in the same run, at 900 by 620 and at the window's minimum size,
// 750 by 550. The counter "ratio" is the repaint's time over the memset's, both in the thread's CPU time.

#include <benchmark/benchmark.h>

#include <stdlib.h>
#include <time.h>

#include <chrono>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/AppForms.h"
#include "app/UnitLogin.h"
#include "app/UnitMain.h"
#include "platform/vcl/Application.h"
#include "platform/vcl/Button.h"
#include "platform/vcl/Screen.h"
#include "platform/win/Window.h"
#include "tests/support/FakeBrowserEngine.h"
#include "tests/support/OffscreenBackend.h"

namespace {

// The thread's own CPU time: on a shared machine, time spent waiting for a core does not count.
struct Clock {
    using duration = std::chrono::nanoseconds;
    static std::chrono::nanoseconds now() {
        timespec t{};
        ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
        return std::chrono::seconds(t.tv_sec) + std::chrono::nanoseconds(t.tv_nsec);
    }
};

// The main window signed in with the fake browser engine, its registry and temporary files in a
// folder of its own.
class SignedInMainWindow {
public:
    SignedInMainWindow() {
        char pattern[] = "/tmp/kv-bench-XXXXXX";
        if (const char* made = ::mkdtemp(pattern)) folder_ = made;
        ::setenv("KALVENOR_REGISTRY_DIR", folder_.c_str(), 1);
        ::setenv("TEMP", folder_.c_str(), 1);
        ::setenv("KALVENOR_SERVICE_URL", "http://svc.test/", 1);
        backend::SetBackend(std::make_unique<offscreen::OffscreenBackend>());
        // The login dialog is answered from the idle loop as soon as it is modal.
        vcl::GetApplication()->IdleHook = [] { return AnswerLogin(); };
        win::SetIdleHandler([] { return AnswerLogin(); });
        AppForms::CreateForms();
        main_ = UnitMain::frm_Main;
        main_->Show();
        vcl::GetApplication()->ProcessMessages();
        vcl::GetApplication()->IdleHook = nullptr;
        win::SetIdleHandler(nullptr);
    }
    ~SignedInMainWindow() {
        AppForms::FreeForms();
        std::error_code ec;
        std::filesystem::remove_all(folder_, ec);
    }

    // Sizes the window (it comes up at 900 by 620) and tells whether it is shown signed in at that size.
    bool Ready(int Width, int Height) {
        if (main_ == nullptr || !main_->Visible()) return false;
        if (main_->Width() != Width || main_->Height() != Height) {
            main_->SetBounds(main_->Left(), main_->Top(), Width, Height);
            vcl::GetApplication()->ProcessMessages();
        }
        return main_->Width() == Width && main_->Height() == Height;
    }

    // Invalidates the whole window, frame and children included, and paints it at once.
    // With KALVENOR_BENCH_PNG set, the window's picture goes to that file (to compare builds pixel for
    // pixel).
    void WritePng(const char* Suffix) const {
        if (const char* path = ::getenv("KALVENOR_BENCH_PNG"))
            offscreen::Offscreen().WriteWindowPng(main_->Handle(), std::string(path) + Suffix + ".png");
    }

    void Repaint() {
        win::RedrawWindow(main_->Handle(), nullptr, nullptr,
                          win::RDW_INVALIDATE | win::RDW_FRAME | win::RDW_ALLCHILDREN | win::RDW_UPDATENOW);
    }

private:
    static bool AnswerLogin() {
        auto* login = UnitLogin::frm_Login;
        if (login == nullptr || !login->Visible() || !login->FormState().Contains(vcl::fsModal)) return false;
        login->ledt_Login->SetText("demo");
        login->ledt_Password->SetText("demo123");
        login->btn_OK->Click();
        return true;
    }

    std::string folder_;
    kvtest::FakeBrowserEngineScope fake_;
    UnitMain::Tfrm_Main* main_ = nullptr;
};

// Arguments: the window's width and height. The pictures of the 900 by 620 window keep their plain names
// ("-first", "-last"); those of other sizes have the size in theirs ("-750x550-first").
void BM_MainWindowRepaint(benchmark::State& state) {
    const int width = static_cast<int>(state.range(0)), height = static_cast<int>(state.range(1));
    SignedInMainWindow window;
    if (!window.Ready(width, height)) {
        state.SkipWithError("the main window did not come up signed in at the size asked");
        return;
    }
    const std::string size =
        width == 900 && height == 620 ? "" : "-" + std::to_string(width) + "x" + std::to_string(height);
    std::vector<std::uint32_t> surface(static_cast<std::size_t>(width) * height);
    window.Repaint(); // first paint: fonts, glyphs and caches warm
    window.WritePng((size + "-first").c_str());
    Clock::duration paint{}, fill{};
    std::uint32_t seed = 0;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        window.Repaint();
        const auto t1 = Clock::now();
        std::memset(surface.data(), static_cast<int>(++seed & 0xFF), surface.size() * sizeof(std::uint32_t));
        benchmark::DoNotOptimize(surface.data());
        benchmark::ClobberMemory();
        const auto t2 = Clock::now();
        paint += t1 - t0;
        fill += t2 - t1;
    }
    window.WritePng((size + "-last").c_str());
    const double n = static_cast<double>(state.iterations());
    state.counters["repaint_us"] = std::chrono::duration<double, std::micro>(paint).count() / n;
    state.counters["memset_us"] = std::chrono::duration<double, std::micro>(fill).count() / n;
    state.counters["ratio"] = fill.count() > 0 ? static_cast<double>(paint.count()) / fill.count() : 0;
}
BENCHMARK(BM_MainWindowRepaint)
    ->Args({900, 620})
    ->Args({750, 550})
    ->Unit(benchmark::kMicrosecond)
    ->MinTime(2.0);

} // namespace

// In a sanitizer build the leak checker would report fontconfig's caches, kept for the life of the
// process; they are not ours.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n"
           "leak:libexpat.so\n";
}

BENCHMARK_MAIN();
