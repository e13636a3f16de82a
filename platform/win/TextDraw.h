#pragma once
// One run of text drawn into a DC, shared by ExtTextOut and DrawText.

#include <string_view>
#include <utility>
#include <vector>

#include "platform/win/GdiInternal.h"
#include "platform/win/GdiPaint.h"

namespace win::detail {

struct TextRunOptions {
    int X = 0; // reference point, logical
    int Y = 0;
    UINT Align = TA_LEFT | TA_TOP;
    const RECT* Clip = nullptr;    // logical, optional
    bool OpaqueBackground = false; // fill the text cell with the background colour first
    bool DrawGlyphs = true;
    std::vector<std::pair<int, int>> Underlines; // byte ranges to underline (prefix characters)
};

void DrawRun(DeviceContext* dc, const TextRunOptions& o, std::string_view text);
int RunWidth(const DeviceContext* dc, const GdiFont* font, std::string_view text);

} // namespace win::detail
