// Fuzz target for the styler property file reader: any bytes either load (in part) or raise the
// reader's own error; nothing else may happen.

#include <cstddef>
#include <cstdint>

#include "components/toolbar/styler/StylerFile.h"
#include "components/toolbar/styler/ToolBarStyler.h"
#include "platform/rtl/Unicode.h"
#include "tests/fuzz/FuzzSupport.h"

namespace {

bool WithinLimits(int Value, int Limit) {
    return Value >= 0 && Value <= Limit;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
    using namespace AdvToolBar;
    static TCustomAdvToolBarStyler* styler = new TCustomAdvToolBarStyler(nullptr);
    const vcl::String text(reinterpret_cast<const char*>(Data), Size);
    const std::vector<vcl::String> lines = SplitFileLines(text);
    try {
        styler->LoadPropFromFile(lines, 1);
    } catch (const EStylerFileError&) {
    }
    // A number past a limit is read as the limit.
    for (TGradientBackground* g : {styler->Color(), styler->DockColor(), styler->ColorHot()})
        if (!WithinLimits(g->Steps(), kMaxGradientSteps)) fuzz::Broken("gradient steps past their limit");
    if (!WithinLimits(styler->PagerCaption()->Steps(), kMaxGradientSteps))
        fuzz::Broken("page steps past their limit");
    if (!WithinLimits(styler->FloatingWindowBorderWidth(), kMaxFloatingWindowBorderWidth))
        fuzz::Broken("border width past its limit");
    // What was loaded must save as lines of UTF-8 text (8-bit lines were converted as they were read)
    // that load again without error.
    std::vector<vcl::String> saved{""};
    styler->SavePropToFile(saved);
    for (const vcl::String& line : saved)
        if (!vcl::IsValidUtf8(line)) fuzz::Broken("a saved line is not UTF-8");
    styler->LoadPropFromFile(saved, 1);
    // ... and save again as the same lines.
    std::vector<vcl::String> again{""};
    styler->SavePropToFile(again);
    if (again != saved) fuzz::Broken("save, load, save changed the file");
    return 0;
}
