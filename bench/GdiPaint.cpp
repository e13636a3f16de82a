// Paints a 900 by 620 window surface through GDI: 500 filled rectangles, 200 lines and 200 text runs; and
// the 200 lines on their own, with a one-pixel pen.
// Draws 1 KB and 8 KB of text with "&" prefixes (every second byte a prefix, so every character shown is
// underlined) against the same characters without them, in the same loop: the counter "ratio" is the
// prefixed text's time over the plain text's, both in the thread's CPU time (target: 2 or less).

#include <benchmark/benchmark.h>

#include <time.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/win/Gdi.h"

using namespace win;

namespace {

constexpr int Width = 900;
constexpr int Height = 620;

struct Surface {
    Surface() {
        BITMAPINFO bmi{};
        bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        bmi.bmiHeader.biWidth = Width;
        bmi.bmiHeader.biHeight = -Height;
        bmi.bmiHeader.biPlanes = 1;
        bmi.bmiHeader.biBitCount = 32;
        dc = CreateCompatibleDC(nullptr);
        bitmap = CreateDIBSection(dc, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
        old = SelectObject(dc, bitmap);
        LOGFONT lf{};
        lf.lfHeight = -11;
        lf.lfWeight = FW_NORMAL;
        std::strncpy(lf.lfFaceName, "Tahoma", LF_FACESIZE - 1);
        font = CreateFontIndirect(&lf);
    }
    ~Surface() {
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteObject(font);
        DeleteDC(dc);
    }
    HDC dc;
    void* bits = nullptr;
    HBITMAP bitmap;
    HGDIOBJ old;
    HFONT font;
};

// 200 lines of every slope and direction across the surface.
void DrawLines(HDC dc) {
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(0, 0, 128));
    HGDIOBJ oldPen = SelectObject(dc, pen);
    for (int i = 0; i < 200; ++i) {
        MoveToEx(dc, (i * 41) % Width, (i * 17) % Height, nullptr);
        LineTo(dc, (i * 71 + 300) % Width, (i * 23 + 200) % Height);
    }
    SelectObject(dc, oldPen);
    DeleteObject(pen);
}

void PaintWindow(Surface& s) {
    HDC dc = s.dc;
    RECT all{0, 0, Width, Height};
    FillRect(dc, &all, GetSysColorBrush(COLOR_BTNFACE));
    for (int i = 0; i < 500; ++i) {
        const int x = (i * 37) % (Width - 60), y = (i * 53) % (Height - 40);
        HBRUSH b = CreateSolidBrush(RGB((i * 7) & 0xFF, (i * 13) & 0xFF, (i * 29) & 0xFF));
        RECT r{x, y, x + 20 + i % 40, y + 10 + i % 30};
        FillRect(dc, &r, b);
        DeleteObject(b);
    }
    DrawLines(dc);
    HGDIOBJ oldFont = SelectObject(dc, s.font);
    SetBkMode(dc, TRANSPARENT);
    char text[32];
    for (int i = 0; i < 200; ++i) {
        std::snprintf(text, sizeof text, "Order %d: 1,250 @ 98.%02d", i, i % 100);
        RECT r{(i * 61) % (Width - 160), (i * 29) % (Height - 20), 0, 0};
        r.Right = r.Left + 160;
        r.Bottom = r.Top + 16;
        DrawText(dc, text, -1, &r, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
    }
    SelectObject(dc, oldFont);
}

void BM_GdiPaintWindow(benchmark::State& state) {
    Surface s;
    for (auto _ : state) {
        PaintWindow(s);
        benchmark::DoNotOptimize(GetPixel(s.dc, 10, 10));
    }
}
BENCHMARK(BM_GdiPaintWindow)->Unit(benchmark::kMillisecond);

// The thread's own CPU time: on a shared machine, time spent waiting for a core does not count.
std::chrono::nanoseconds CpuNow() {
    timespec t{};
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return std::chrono::seconds(t.tv_sec) + std::chrono::nanoseconds(t.tv_nsec);
}

// The 200 lines against a memset of the same surface, in the same loop: the counter "per_memset" is the
// lines' CPU time over the memset's.
void BM_GdiPaintLines(benchmark::State& state) {
    Surface s;
    std::chrono::nanoseconds lines{}, memset{};
    for (auto _ : state) {
        const auto t0 = CpuNow();
        DrawLines(s.dc);
        benchmark::DoNotOptimize(GetPixel(s.dc, 10, 10));
        const auto t1 = CpuNow();
        std::memset(s.bits, 0xFF, std::size_t{Width} * Height * 4);
        benchmark::ClobberMemory();
        const auto t2 = CpuNow();
        lines += t1 - t0;
        memset += t2 - t1;
    }
    state.counters["per_memset"] =
        memset.count() > 0 ? static_cast<double>(lines.count()) / static_cast<double>(memset.count()) : 0;
}
BENCHMARK(BM_GdiPaintLines)->Unit(benchmark::kMicrosecond);

void BM_DrawTextPrefixes(benchmark::State& state) {
    const auto bytes = static_cast<std::size_t>(state.range(0));
    std::string prefixed, plain;
    const std::string words = "Quotes ";
    for (std::size_t i = 0; prefixed.size() < bytes; ++i) {
        prefixed += '&';
        prefixed += words[i % words.size()];
        plain += words[i % words.size()];
    }
    Surface s;
    HGDIOBJ oldFont = SelectObject(s.dc, s.font);
    SetBkMode(s.dc, TRANSPARENT);
    auto draw = [&](const std::string& text) {
        RECT r{0, 0, Width, 20};
        benchmark::DoNotOptimize(DrawText(s.dc, text.c_str(), static_cast<int>(text.size()), &r, 0));
    };
    draw(prefixed); // fonts and caches warm
    draw(plain);
    std::chrono::nanoseconds withPrefixes{}, without{};
    for (auto _ : state) {
        const auto t0 = CpuNow();
        draw(prefixed);
        const auto t1 = CpuNow();
        draw(plain);
        const auto t2 = CpuNow();
        withPrefixes += t1 - t0;
        without += t2 - t1;
    }
    SelectObject(s.dc, oldFont);
    const double n = static_cast<double>(state.iterations());
    state.counters["prefixed_us"] = std::chrono::duration<double, std::micro>(withPrefixes).count() / n;
    state.counters["plain_us"] = std::chrono::duration<double, std::micro>(without).count() / n;
    state.counters["ratio"] =
        without.count() > 0 ? static_cast<double>(withPrefixes.count()) / static_cast<double>(without.count())
                            : 0;
}
BENCHMARK(BM_DrawTextPrefixes)->Arg(1024)->Arg(8192)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
