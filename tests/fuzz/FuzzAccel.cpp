// Accelerators: any caption (valid UTF-8 or not) and any typed value. A letter answers a caption in
// whichever case it is typed; a character placed after "&" in front of any caption is that caption's
// accelerator, and the same character cut to 16 bits is not; a literal "&&" in front changes nothing;
// a value beyond the last code point answers no caption.

#include "platform/rtl/SysUtils.h"
#include "platform/vcl/ControlMessages.h"
#include "tests/fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input in(data, size);
    std::uint32_t raw = 0;
    for (int i = 0; i < 4; ++i)
        raw |= static_cast<std::uint32_t>(in.Byte()) << (8 * i);
    const std::string caption = in.Rest();
    // Mostly a code point, now and then any 32-bit value.
    const std::uint32_t typed = (raw >> 31) ? raw : raw % 0x110000;

    const bool answers = vcl::IsAccel(typed, caption);
    if (typed > 0x10FFFF) {
        if (answers) fuzz::Broken("a value beyond the last code point answered");
        return 0;
    }
    const auto c = static_cast<char32_t>(typed);
    if (vcl::IsAccel(vcl::AnsiUpperChar(c), caption) != answers ||
        vcl::IsAccel(vcl::AnsiLowerChar(c), caption) != answers)
        fuzz::Broken("the case of the typed letter mattered");
    if (vcl::IsAccel(typed, "&&" + caption) != answers)
        fuzz::Broken("a literal ampersand changed the answer");
    const bool scalar = c != '&' && (c < 0xD800 || c > 0xDFFF);
    if (!scalar) return 0;
    const std::string marked = "&" + vcl::Utf8Encode(c) + caption;
    if (!vcl::IsAccel(typed, marked)) fuzz::Broken("the marked character did not answer");
    if (c > 0xFFFF && vcl::IsAccel(typed & 0xFFFF, marked))
        fuzz::Broken("the character cut to 16 bits answered");
    return 0;
}
