// Mnemonics of the window system's menus: any item text (valid UTF-8 or not) and any typed value. The
// menus and the controls read the character after "&" by one rule: on a label without a tab, a typed
// character answers the item exactly when it is the caption's accelerator; a letter answers in whichever
// case it is typed; a character placed after "&" in front of any text answers, the same character cut to
// 16 bits does not; a value beyond the last code point answers nothing.

#include "platform/rtl/SysUtils.h"
#include "platform/vcl/ControlMessages.h"
#include "platform/win/MenuInternal.h"
#include "tests/fuzz/FuzzSupport.h"

namespace {

bool Answers(std::uint32_t typed, const std::string& text) {
    const char32_t m = win::menu::Mnemonic(text);
    return typed <= 0x10FFFF && m != 0 && m == win::menu::MnemonicKey(static_cast<char32_t>(typed));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input in(data, size);
    std::uint32_t raw = 0;
    for (int i = 0; i < 4; ++i)
        raw |= static_cast<std::uint32_t>(in.Byte()) << (8 * i);
    const std::string text = in.Rest();
    // Mostly a code point, now and then any 32-bit value.
    const std::uint32_t typed = (raw >> 31) ? raw : raw % 0x110000;

    const bool answers = Answers(typed, text);
    if (typed > 0x10FFFF) {
        if (answers) fuzz::Broken("a value beyond the last code point answered");
        return 0;
    }
    const auto c = static_cast<char32_t>(typed);
    if (c == 0 || c == '\t') return 0;
    if (text.find('\t') == std::string::npos && answers != vcl::IsAccel(typed, text))
        fuzz::Broken("the menu and the controls read the accelerator differently");
    if (Answers(vcl::AnsiUpperChar(c), text) != answers || Answers(vcl::AnsiLowerChar(c), text) != answers)
        fuzz::Broken("the case of the typed letter mattered");
    const bool scalar = c != '&' && (c < 0xD800 || c > 0xDFFF);
    if (!scalar) return 0;
    const std::string marked = "&" + vcl::Utf8Encode(c) + text;
    if (!Answers(typed, marked)) fuzz::Broken("the marked character did not answer");
    if (c > 0xFFFF && Answers(typed & 0xFFFF, marked)) fuzz::Broken("the character cut to 16 bits answered");
    return 0;
}
