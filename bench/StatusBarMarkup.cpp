// Lays out and draws 1 KB of mark-up (tags, an anchor, an image) into a status panel, against clearing
// the panel's pixels with memset; and the layout of 1 KB against 8 KB, whose ratio shows the time
// growing with the text's length.

#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "components/statusbar/HTMLRender.h"
#include "platform/vcl/Bitmap.h"
#include "platform/vcl/ImgList.h"

namespace {

using namespace vcl;

constexpr int PanelWidth = 300, PanelHeight = 19;

String Markup(size_t Bytes) {
    const String unit = "<b>Quotes</b> updated, <font color=\"clred\">3 alerts</font> &amp; "
                        "<a href=\"https://example.org/q\">details</a> <img src=\"idx:0\"> <i>ready</i> ";
    String s;
    while (s.size() < Bytes)
        s += unit;
    s.resize(Bytes);
    return s;
}

struct Panel {
    Panel() : bmp(PanelWidth, PanelHeight), images(16, 16) {
        TBitmap face(16, 16);
        images.Add(&face, nullptr);
        bmp.Canvas()->Font()->SetName("DejaVu Sans");
        bmp.Canvas()->Font()->SetSize(8);
        args.ImageList = &images;
    }
    TBitmap bmp;
    TCustomImageList images;
    HTMLRender::THTMLRenderArgs args;
};

void BM_MemsetPanel(benchmark::State& State) {
    std::vector<std::uint32_t> pixels(PanelWidth * PanelHeight);
    for (auto _ : State) {
        std::memset(pixels.data(), 0xFF, pixels.size() * sizeof(std::uint32_t));
        benchmark::DoNotOptimize(pixels.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_MemsetPanel);

void BM_DrawMarkup1K(benchmark::State& State) {
    Panel p;
    const String text = Markup(1024);
    for (auto _ : State) {
        HTMLRender::THTMLRenderResult r;
        HTMLRender::RenderHTML(p.bmp.Canvas(), text, TRect{2, 2, PanelWidth - 2, PanelHeight}, p.args, r);
        benchmark::DoNotOptimize(r.MaxLineWidth);
    }
}
BENCHMARK(BM_DrawMarkup1K);

void BM_LayoutMarkup(benchmark::State& State) {
    Panel p;
    p.args.NoDraw = true;
    p.args.HeightOnly = true;
    const String text = Markup(static_cast<size_t>(State.range(0)));
    for (auto _ : State) {
        HTMLRender::THTMLRenderResult r;
        HTMLRender::RenderHTML(p.bmp.Canvas(), text, TRect{0, 0, PanelWidth, PanelHeight}, p.args, r);
        benchmark::DoNotOptimize(r.TotalHeight);
    }
    State.SetBytesProcessed(static_cast<std::int64_t>(State.iterations()) * State.range(0));
}
BENCHMARK(BM_LayoutMarkup)->Arg(1024)->Arg(8192);

} // namespace

BENCHMARK_MAIN();
