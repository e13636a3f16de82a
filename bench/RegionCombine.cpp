// Region combination: the union of 1,000 small rectangles, and differences of rounded rectangles.

#include <benchmark/benchmark.h>

#include "platform/win/Gdi.h"

using namespace win;

namespace {

void BM_RegionUnionOfSmallRects(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    for (auto _ : state) {
        HRGN all = CreateRectRgn(0, 0, 0, 0);
        HRGN one = CreateRectRgn(0, 0, 0, 0);
        for (int i = 0; i < count; ++i) {
            const int x = (i * 37) % 880, y = (i * 53) % 600;
            SetRectRgn(one, x, y, x + 8 + i % 12, y + 6 + i % 9);
            CombineRgn(all, all, one, RGN_OR);
        }
        RECT box{};
        benchmark::DoNotOptimize(GetRgnBox(all, &box));
        DeleteObject(one);
        DeleteObject(all);
    }
}
BENCHMARK(BM_RegionUnionOfSmallRects)->Arg(1000)->Unit(benchmark::kMillisecond);

void BM_RegionDiffOfRoundRects(benchmark::State& state) {
    HRGN outer = CreateRoundRectRgn(0, 0, 900, 620, 24, 24);
    HRGN inner = CreateRoundRectRgn(40, 40, 860, 580, 16, 16);
    HRGN result = CreateRectRgn(0, 0, 0, 0);
    for (auto _ : state) {
        benchmark::DoNotOptimize(CombineRgn(result, outer, inner, RGN_DIFF));
        OffsetRgn(inner, 1, 0);
        OffsetRgn(inner, -1, 0);
    }
    DeleteObject(result);
    DeleteObject(inner);
    DeleteObject(outer);
}
BENCHMARK(BM_RegionDiffOfRoundRects);

void BM_RegionCreateElliptic(benchmark::State& state) {
    for (auto _ : state) {
        HRGN r = CreateEllipticRgn(0, 0, 400, 300);
        benchmark::DoNotOptimize(r);
        DeleteObject(r);
    }
}
BENCHMARK(BM_RegionCreateElliptic);

} // namespace

BENCHMARK_MAIN();
