// Colour names and numbers: any text is a colour or EConvertError; a colour written as text reads
// back as the same colour.

#include "platform/rtl/Colors.h"
#include "platform/rtl/Exceptions.h"
#include "tests/fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    try {
        const vcl::TColor c = vcl::StringToColor(text);
        if (vcl::StringToColor(vcl::ColorToString(c)) != c)
            fuzz::Broken("a colour's text reads back otherwise");
    } catch (const vcl::EConvertError&) {
    }
    std::int32_t value = 0;
    if (vcl::IdentToColor(text, value)) {
        vcl::String name;
        if (!vcl::ColorToIdent(value, name) || vcl::StringToColor(name) != static_cast<vcl::TColor>(value))
            fuzz::Broken("a colour name has no way back");
    }
    return 0;
}
