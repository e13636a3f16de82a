#pragma once
// Reading back rectangles of the X screen (the root window) for the end-to-end tests: as pixels to
// compare, and as PNG files to look at. No GTK header here, so that the window system's headers can be
// included beside it.

#include <cstdint>
#include <string>
#include <vector>

namespace gtktest {

// The screen's pixels in the rectangle (x, y, w, h), row by row, as 0xRRGGBB; empty when the rectangle
// is not on the screen.
std::vector<std::uint32_t> ScreenPixels(int x, int y, int w, int h);
// Writes the rectangle of the screen to a PNG file; false when it could not be read or written.
bool WriteScreenPng(int x, int y, int w, int h, const std::string& path);

} // namespace gtktest
