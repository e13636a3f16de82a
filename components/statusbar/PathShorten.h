#pragma once
// Path shortening for file-name panels: leading folders give way to "...\" until the text fits.

#include "platform/vcl/Canvas.h"

namespace AdvOfficeStatusBar {

// The file name with leading folders replaced by "...\" step by step until it is no wider than MaxWidth
// in the canvas font (or only the file part is left). Backslash separates folders.
vcl::String ShortenPath(const vcl::String& FileName, vcl::TCanvas* Canvas, int MaxWidth);
// With PathMode, ShortenPath; otherwise the text as it is. Any failure gives an empty text.
vcl::String EllipsisText(bool PathMode, const vcl::String& Text, vcl::TCanvas* Canvas, int MaxWidth);

} // namespace AdvOfficeStatusBar
