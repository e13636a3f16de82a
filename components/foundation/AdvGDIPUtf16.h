#pragma once
// UTF-8 to UTF-16 conversion for the text the wrapper hands to GDI+.

#include <cstddef>
#include <vector>

#include "platform/gdiplus/GdiPlusFlat.h"
#include "platform/rtl/Types.h"

namespace AdvGDIP {

// The UTF-16 form of the first `bytes` bytes of text, followed by one terminating zero. Malformed or
// truncated sequences become U+FFFD, one per offending byte.
std::vector<gdip::WCHAR> Utf8ToUtf16Buffer(const char* text, std::size_t bytes);

// The same for a whole string.
std::vector<gdip::WCHAR> Utf8ToUtf16Buffer(const vcl::String& text);

} // namespace AdvGDIP
