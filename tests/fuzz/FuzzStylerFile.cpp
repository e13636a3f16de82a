// Fuzz target for the styler property file reader: any bytes either load (in part) or raise the
// reader's own error; nothing else may happen.

#include <cstddef>
#include <cstdint>

#include "components/toolbar/styler/StylerFile.h"
#include "components/toolbar/styler/ToolBarStyler.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
    static AdvToolBar::TCustomAdvToolBarStyler* styler = new AdvToolBar::TCustomAdvToolBarStyler(nullptr);
    const vcl::String text(reinterpret_cast<const char*>(Data), Size);
    const std::vector<vcl::String> lines = AdvToolBar::SplitFileLines(text);
    try {
        styler->LoadPropFromFile(lines, 1);
    } catch (const AdvToolBar::EStylerFileError&) {
    }
    // What was loaded must save as lines that load again without error.
    std::vector<vcl::String> saved{""};
    styler->SavePropToFile(saved);
    styler->LoadPropFromFile(saved, 1);
    return 0;
}
