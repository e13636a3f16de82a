#include "platform/vcl/ShortCut.h"

#include <cctype>

#include "platform/rtl/SysUtils.h"
#include "platform/win/WinUser.h"

namespace vcl {
namespace {

String KeyName(Word key) {
    using namespace win;
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) return String(1, static_cast<char>(key));
    if (key >= VK_F1 && key <= VK_F1 + 23) return "F" + std::to_string(key - VK_F1 + 1);
    switch (key) {
    case VK_BACK:
        return "BkSp";
    case VK_TAB:
        return "Tab";
    case VK_ESCAPE:
        return "Esc";
    case VK_RETURN:
        return "Enter";
    case VK_SPACE:
        return "Space";
    case VK_PRIOR:
        return "PgUp";
    case VK_NEXT:
        return "PgDn";
    case VK_END:
        return "End";
    case VK_HOME:
        return "Home";
    case VK_LEFT:
        return "Left";
    case VK_UP:
        return "Up";
    case VK_RIGHT:
        return "Right";
    case VK_DOWN:
        return "Down";
    case VK_INSERT:
        return "Ins";
    case VK_DELETE:
        return "Del";
    default:
        return String();
    }
}

bool StartsWithNoCase(const String& s, size_t at, const char* prefix) {
    for (size_t i = 0; prefix[i]; ++i)
        if (at + i >= s.size() ||
            std::tolower(static_cast<unsigned char>(s[at + i])) != std::tolower(prefix[i]))
            return false;
    return true;
}

} // namespace

TShortCut ShortCut(Word Key, TShiftState Shift) {
    if (Key & 0xFF00) return scNone;
    TShortCut r = Key;
    if (Shift.Contains(ssShift)) r |= scShift;
    if (Shift.Contains(ssCtrl)) r |= scCtrl;
    if (Shift.Contains(ssAlt)) r |= scAlt;
    return r;
}

void ShortCutToKey(TShortCut Value, Word& Key, TShiftState& Shift) {
    Key = Value & 0x00FF;
    Shift = {};
    if (Value & scShift) Shift.Include(ssShift);
    if (Value & scCtrl) Shift.Include(ssCtrl);
    if (Value & scAlt) Shift.Include(ssAlt);
}

String ShortCutToText(TShortCut Value) {
    String name = KeyName(Value & 0x00FF);
    if (name.empty()) return String();
    String r;
    if (Value & scShift) r += "Shift+";
    if (Value & scCtrl) r += "Ctrl+";
    if (Value & scAlt) r += "Alt+";
    return r + name;
}

TShortCut TextToShortCut(const String& Text) {
    TShortCut mods = 0;
    size_t at = 0;
    for (;;) {
        if (StartsWithNoCase(Text, at, "Shift+")) {
            mods |= scShift;
            at += 6;
        } else if (StartsWithNoCase(Text, at, "Ctrl+")) {
            mods |= scCtrl;
            at += 5;
        } else if (StartsWithNoCase(Text, at, "Alt+")) {
            mods |= scAlt;
            at += 4;
        } else {
            break;
        }
    }
    String key = Text.substr(at);
    if (key.empty()) return scNone;
    for (Word k = 0x08; k <= 0xFF; ++k) {
        String name = KeyName(k);
        if (!name.empty() && SameText(name, key)) return static_cast<TShortCut>(k | mods);
    }
    return scNone;
}

String StripHotkey(const String& Text) {
    String r;
    for (size_t i = 0; i < Text.size(); ++i) {
        if (Text[i] == '&') {
            if (i + 1 < Text.size() && Text[i + 1] == '&') {
                r += '&';
                ++i;
            }
            continue;
        }
        r += Text[i];
    }
    return r;
}

String GetHotkey(const String& Text) {
    for (size_t i = 0; i + 1 < Text.size(); ++i) {
        if (Text[i] != '&') continue;
        if (Text[i + 1] == '&') {
            ++i;
            continue;
        }
        size_t len = 1;
        unsigned char c = static_cast<unsigned char>(Text[i + 1]);
        if (c >= 0xF0)
            len = 4;
        else if (c >= 0xE0)
            len = 3;
        else if (c >= 0xC0)
            len = 2;
        String r = Text.substr(i + 1, len);
        if (r.size() == 1) r[0] = static_cast<char>(std::toupper(c));
        return r;
    }
    return String();
}

} // namespace vcl
