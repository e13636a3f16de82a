// Paints a 900 by 620 window surface through GDI: 500 filled rectangles, 200 lines and 200 text runs.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>

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
        void* bits = nullptr;
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
    HBITMAP bitmap;
    HGDIOBJ old;
    HFONT font;
};

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
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(0, 0, 128));
    HGDIOBJ oldPen = SelectObject(dc, pen);
    for (int i = 0; i < 200; ++i) {
        MoveToEx(dc, (i * 41) % Width, (i * 17) % Height, nullptr);
        LineTo(dc, (i * 71 + 300) % Width, (i * 23 + 200) % Height);
    }
    SelectObject(dc, oldPen);
    DeleteObject(pen);
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

} // namespace

BENCHMARK_MAIN();
