#pragma once
// Menu shortcuts: a key code with modifier bits, and their English texts ("Ctrl+S", "F10", "Shift+Del").

#include <cstdint>

#include "platform/rtl/Types.h"
#include "platform/vcl/ControlMessages.h"

namespace vcl {

using TShortCut = std::uint16_t;
constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;
constexpr TShortCut scNone = 0;

TShortCut ShortCut(Word Key, TShiftState Shift);
void ShortCutToKey(TShortCut ShortCut, Word& Key, TShiftState& Shift);
// "Shift+Ctrl+Alt+Key"; empty for no shortcut or a key without a name.
String ShortCutToText(TShortCut ShortCut);
// The reverse, modifiers in any order and case; 0 for an empty or unknown text.
TShortCut TextToShortCut(const String& Text);

// The caption without its "&" markers ("&&" stays a single "&").
String StripHotkey(const String& Text);
// The hotkey character of a caption ("&File" -> "F"), or empty.
String GetHotkey(const String& Text);

} // namespace vcl
