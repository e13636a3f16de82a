// Shift states from the keyboard and the key messages, and the accelerator helpers.

#include "platform/vcl/ControlMessages.h"

#include "platform/rtl/SysUtils.h"
#include "platform/rtl/Unicode.h"
#include "platform/vcl/ShortCut.h"
#include "platform/win/Input.h"

namespace vcl {

namespace {

bool KeyDown(int vk) {
    return win::GetKeyState(vk) < 0;
}

} // namespace

TShiftState KeyboardStateToShiftState() {
    TShiftState s;
    if (KeyDown(win::VK_SHIFT)) s.Include(ssShift);
    if (KeyDown(win::VK_CONTROL)) s.Include(ssCtrl);
    if (KeyDown(win::VK_MENU)) s.Include(ssAlt);
    if (KeyDown(win::VK_LBUTTON)) s.Include(ssLeft);
    if (KeyDown(win::VK_RBUTTON)) s.Include(ssRight);
    if (KeyDown(win::VK_MBUTTON)) s.Include(ssMiddle);
    return s;
}

TShiftState KeyDataToShiftState(std::intptr_t KeyData) {
    TShiftState s;
    if (KeyDown(win::VK_SHIFT)) s.Include(ssShift);
    if (KeyDown(win::VK_CONTROL)) s.Include(ssCtrl);
    constexpr std::intptr_t AltMask = 0x20000000;
    if ((KeyData & AltMask) != 0) s.Include(ssAlt);
    return s;
}

TShiftState KeysToShiftState(win::WPARAM Keys) {
    TShiftState s;
    if (Keys & win::MK_SHIFT) s.Include(ssShift);
    if (Keys & win::MK_CONTROL) s.Include(ssCtrl);
    if (Keys & win::MK_LBUTTON) s.Include(ssLeft);
    if (Keys & win::MK_RBUTTON) s.Include(ssRight);
    if (Keys & win::MK_MBUTTON) s.Include(ssMiddle);
    if (KeyDown(win::VK_MENU)) s.Include(ssAlt);
    return s;
}

bool IsAccel(win::WPARAM VK, const String& Caption) {
    // "&" is a single byte that never occurs inside a longer UTF-8 sequence, so the caption can be
    // searched byte by byte; the character after it is decoded whole. The typed character is a whole
    // code point too (the window system's character messages carry it unshortened).
    for (size_t i = 0; i < Caption.size(); ++i) {
        if (Caption[i] != '&') continue;
        if (i + 1 >= Caption.size()) return false;
        if (Caption[i + 1] == '&') { // a literal ampersand
            ++i;
            continue;
        }
        size_t at = i + 1;
        const char32_t c = Utf8Next(Caption, at);
        // Bytes that are no character underline nothing a key could give.
        if (c == ReplacementChar && at == i + 2) return false;
        return VK <= 0x10FFFF && AnsiUpperChar(c) == AnsiUpperChar(static_cast<char32_t>(VK));
    }
    return false;
}

String StripHotKey(const String& Caption) {
    return StripHotkey(Caption);
}

} // namespace vcl
