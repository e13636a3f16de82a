#include "components/foundation/AdvGDIPUtf16.h"

#include "platform/rtl/Unicode.h"

namespace AdvGDIP {

std::vector<gdip::WCHAR> Utf8ToUtf16Buffer(const char* text, std::size_t bytes) {
    const std::u16string utf16 = vcl::Utf8ToUtf16(std::string_view(text, bytes));
    std::vector<gdip::WCHAR> out(utf16.begin(), utf16.end());
    out.push_back(0);
    return out;
}

std::vector<gdip::WCHAR> Utf8ToUtf16Buffer(const vcl::String& text) {
    return Utf8ToUtf16Buffer(text.data(), text.size());
}

} // namespace AdvGDIP
