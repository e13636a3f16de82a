// DrawText of 1 KB and 8 KB of text with "&" prefixes (every second byte a prefix, so every character
// shown is underlined) against the same text shown without them: the plain text of the same length on
// the screen, drawn in the same loop. The counter "ratio" is the prefixed text's time over the plain
// text's, both in the thread's CPU time (target: 2 or less, at both lengths).

#include <benchmark/benchmark.h>

#include <time.h>

#include <chrono>
#include <cstring>
#include <string>

#include "platform/win/Gdi.h"

namespace {

using namespace win;

// The thread's own CPU time: on a shared machine, time spent waiting for a core does not count.
std::chrono::nanoseconds CpuNow() {
    timespec t{};
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return std::chrono::seconds(t.tv_sec) + std::chrono::nanoseconds(t.tv_nsec);
}

// A memory DC over a 32-bit bitmap the size of a wide status line, with an 8-point Tahoma.
class Surface {
public:
    Surface() {
        dc_ = CreateCompatibleDC(nullptr);
        BITMAPINFO bmi{};
        bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        bmi.bmiHeader.biWidth = Width;
        bmi.bmiHeader.biHeight = -Height;
        bmi.bmiHeader.biPlanes = 1;
        bmi.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        bitmap_ = CreateDIBSection(dc_, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
        oldBitmap_ = SelectObject(dc_, bitmap_);
        LOGFONT lf{};
        lf.lfHeight = -11;
        std::strcpy(lf.lfFaceName, "Tahoma");
        font_ = CreateFontIndirect(&lf);
        oldFont_ = SelectObject(dc_, font_);
        SetBkMode(dc_, TRANSPARENT);
    }
    ~Surface() {
        SelectObject(dc_, oldFont_);
        SelectObject(dc_, oldBitmap_);
        DeleteObject(font_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    void Draw(const std::string& text) {
        RECT r{0, 0, Width, Height};
        benchmark::DoNotOptimize(DrawText(dc_, text.c_str(), static_cast<int>(text.size()), &r, 0));
    }

private:
    static constexpr int Width = 900, Height = 20;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HFONT font_ = nullptr;
    HGDIOBJ oldBitmap_ = nullptr, oldFont_ = nullptr;
};

void BM_DrawTextPrefixes(benchmark::State& state) {
    const auto bytes = static_cast<std::size_t>(state.range(0));
    std::string prefixed, plain;
    const std::string word = "Quotes";
    for (std::size_t i = 0; prefixed.size() < bytes; ++i) {
        const char c = i % 7 == 6 ? ' ' : word[i % 7];
        prefixed += '&';
        prefixed += c;
        plain += c;
    }
    Surface s;
    s.Draw(prefixed); // fonts and caches warm
    s.Draw(plain);
    std::chrono::nanoseconds withPrefixes{}, without{};
    for (auto _ : state) {
        const auto t0 = CpuNow();
        s.Draw(prefixed);
        const auto t1 = CpuNow();
        s.Draw(plain);
        const auto t2 = CpuNow();
        withPrefixes += t1 - t0;
        without += t2 - t1;
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["prefixed_us"] = std::chrono::duration<double, std::micro>(withPrefixes).count() / n;
    state.counters["plain_us"] = std::chrono::duration<double, std::micro>(without).count() / n;
    state.counters["ratio"] =
        without.count() > 0 ? static_cast<double>(withPrefixes.count()) / static_cast<double>(without.count())
                            : 0;
}
BENCHMARK(BM_DrawTextPrefixes)->Arg(1024)->Arg(8192)->Unit(benchmark::kMicrosecond);

} // namespace

// In a sanitizer build the leak checker would report fontconfig's caches, kept for the life of the
// process; they are not ours.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n"
           "leak:libexpat.so\n";
}

BENCHMARK_MAIN();
