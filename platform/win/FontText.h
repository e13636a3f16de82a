#pragma once
// Pango access shared by the font and text sources.

#include "platform/win/GdiInternal.h"

#include <pango/pangocairo.h>

#include <string>
#include <string_view>

namespace win::detail {

// The one Pango context used for measuring and drawing GDI text (greyscale anti-aliasing, whole-pixel
// metrics, 96 pixels per inch).
PangoContext* TextContext();
// A layout of text in the font with letterSpacing (Pango units) between characters. Layouts of short
// texts are shared between calls with the same font, spacing and text: the caller must not change it,
// and unrefs it.
PangoLayout* NewLayout(const GdiFont* font, std::string_view text, int letterSpacing = 0);
// What a font's resolution depends on, as a key: equal keys resolve to the same font.
std::string FontKey(const LOGFONT& lf);
// Width in pixels of text in the font.
int TextWidth(const GdiFont* font, std::string_view text);
// The DC's selected font (the system font if none).
const GdiFont* CurrentFont(const DeviceContext* dc);

} // namespace win::detail
