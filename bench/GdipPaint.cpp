// Painting through the GDI+ flat interface on a 900 by 620 surface: rounded rectangles filled with a
// linear gradient, and short strings.

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "platform/gdiplus/GdiPlusFlat.h"

// glib headers after ours: they define TRUE and FALSE as macros.
#include <fontconfig/fontconfig.h>
#include <pango/pangocairo.h>

namespace {

using namespace gdip;

constexpr int kWidth = 900, kHeight = 620, kCount = 1000;

struct Surface {
    GpBitmap* bitmap = nullptr;
    GpGraphics* graphics = nullptr;
    Surface() {
        GdipCreateBitmapFromScan0(kWidth, kHeight, 0, PixelFormat32bppARGB, nullptr, &bitmap);
        GdipGetImageGraphicsContext(bitmap, &graphics);
        GdipSetSmoothingMode(graphics, SmoothingModeAntiAlias);
    }
    ~Surface() {
        GdipDeleteGraphics(graphics);
        GdipDisposeImage(bitmap);
    }
};

GpPath* RoundRect(REAL x, REAL y, REAL w, REAL h, REAL d) {
    GpPath* p = nullptr;
    GdipCreatePath(FillModeAlternate, &p);
    GdipAddPathArc(p, x, y, d, d, 180, 90);
    GdipAddPathLine(p, x + d / 2, y, x + w - d / 2, y);
    GdipAddPathArc(p, x + w - d, y, d, d, 270, 90);
    GdipAddPathLine(p, x + w, y + d / 2, x + w, y + h - d / 2);
    GdipAddPathArc(p, x + w - d, y + h - d, d, d, 0, 90);
    GdipAddPathLine(p, x + w - d / 2, y + h, x + d / 2, y + h);
    GdipAddPathArc(p, x, y + h - d, d, d, 90, 90);
    GdipClosePathFigure(p);
    return p;
}

void BM_FillRoundedRectsWithGradient(benchmark::State& state) {
    Surface s;
    for (auto _ : state) {
        for (int i = 0; i < kCount; ++i) {
            const REAL x = static_cast<REAL>((i * 37) % (kWidth - 80)),
                       y = static_cast<REAL>((i * 53) % (kHeight - 30));
            GpPath* path = RoundRect(x, y, 76, 26, 8);
            const GpRectF r{x, y, 76, 26};
            GpLineGradient* brush = nullptr;
            GdipCreateLineBrushFromRect(&r, 0xFFFDEADA, 0xFFF9C18B, LinearGradientModeVertical, WrapModeTile,
                                        &brush);
            GdipFillPath(s.graphics, brush, path);
            GdipDeleteBrush(brush);
            GdipDeletePath(path);
        }
    }
    state.SetItemsProcessed(state.iterations() * kCount);
}
BENCHMARK(BM_FillRoundedRectsWithGradient)->Unit(benchmark::kMillisecond);

void BM_DrawShortStrings(benchmark::State& state) {
    Surface s;
    GdipSetTextRenderingHint(s.graphics, TextRenderingHintClearTypeGridFit);
    GpFontFamily* family = nullptr;
    GdipCreateFontFamilyFromName(u"Tahoma", nullptr, &family);
    GpFont* font = nullptr;
    GdipCreateFont(family, 8, FontStyleRegular, UnitPoint, &font);
    GpStringFormat* format = nullptr;
    GdipCreateStringFormat(StringFormatFlagsNoWrap, 0, &format);
    GdipSetStringFormatAlign(format, StringAlignmentCenter);
    GdipSetStringFormatLineAlign(format, StringAlignmentCenter);
    GdipSetStringFormatHotkeyPrefix(format, HotkeyPrefixShow);
    GpSolidFill* brush = nullptr;
    GdipCreateSolidFill(0xFF15428B, &brush);
    const std::vector<std::u16string> words = {u"&Catalog", u"Overview", u"Supplies", u"De&mands",
                                               u"Contacts", u"Inbox",    u"Outbox",   u"Add funds",
                                               u"Hits",     u"Search"};
    for (auto _ : state) {
        for (int i = 0; i < kCount; ++i) {
            const auto& w = words[static_cast<std::size_t>(i) % words.size()];
            const GpRectF r{static_cast<REAL>((i * 37) % (kWidth - 80)),
                            static_cast<REAL>((i * 53) % (kHeight - 20)), 80, 20};
            GdipDrawString(s.graphics, w.c_str(), static_cast<INT>(w.size()), font, &r, format, brush);
        }
    }
    state.SetItemsProcessed(state.iterations() * kCount);
    GdipDeleteBrush(brush);
    GdipDeleteStringFormat(format);
    GdipDeleteFont(font);
    GdipDeleteFontFamily(family);
}
BENCHMARK(BM_DrawShortStrings)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
