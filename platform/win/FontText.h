#pragma once
// Pango access shared by the font and text sources.

#include "platform/win/GdiInternal.h"

#include <pango/pangocairo.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace win::detail {

// The one Pango context used for measuring and drawing GDI text (greyscale anti-aliasing, whole-pixel
// metrics, 96 pixels per inch).
PangoContext* TextContext();
// A layout of text in the font with letterSpacing (Pango units) between characters. Layouts of short
// texts are shared between calls with the same font, spacing and text: the caller must not change it,
// and unrefs it.
PangoLayout* NewLayout(const GdiFont* font, std::string_view text, int letterSpacing = 0);
// The glyphs' coverage (0 to 255) of a run drawn with its cell's top-left at (0, 0), over the pixels
// [X, X + Width) x [Y, Y + Height) of the cell's space, rows Width apart.
struct TextMask {
    static constexpr long long MaxPixels = 1 << 20; // larger runs are drawn directly
    bool Valid = false;                             // false: no ink, or too large to keep
    int X = 0, Y = 0, Width = 0, Height = 0;
    std::vector<std::uint8_t> Alpha;
};
// The mask of text in the font with letterSpacing, made on first use and kept with the text's layout;
// null for texts too long to keep, without ink, or too large. Valid until the next NewLayout or RunMask.
const TextMask* RunMask(const GdiFont* font, std::string_view text, int letterSpacing = 0);
// The text with every byte that begins no valid UTF-8 sequence replaced by U+FFFD.
std::string ValidUtf8(std::string_view text);
// What a font's resolution depends on, as a key: equal keys resolve to the same font.
std::string FontKey(const LOGFONT& lf);
// The text cut into the pieces the text engine lays out one by one. It places glyphs in 1/1024 pixel in an
// int: a layout wider than 2^21 pixels wraps there, and one whose text before a tab comes within a stop of
// that end never finds the stop. A text that could come near goes to it in pieces, each laid out where the
// pieces before it end; a text of ordinary length is one piece.
std::vector<std::string_view> LayoutPieces(const GdiFont* font, std::string_view text);
// Whether the text is one piece, found from its length alone: a piece holds thousands of characters in a
// font of ordinary size, a few in one of the largest.
bool IsOnePiece(const GdiFont* font, std::string_view text);
// Width in pixels of text in the font, its pieces added up.
long long TextWidth(const GdiFont* font, std::string_view text);
// The DC's selected font (the system font if none).
const GdiFont* CurrentFont(const DeviceContext* dc);

} // namespace win::detail
