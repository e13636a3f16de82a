// GDK key values to virtual keys. Printable ASCII key values equal their characters.

#include "platform/backend/gtk/GtkKeys.h"

#include <gdk/gdkkeysyms.h>

#include "platform/win/WindowInternal.h"

namespace gtkbackend {

namespace {

using namespace win;

KeyInfo Key(unsigned vk, bool extended = false, unsigned scan = 0) {
    return KeyInfo{vk, scan, extended};
}

bool Printable(char32_t ch) {
    return ch >= 0x20 && ch != 0x7F && !(ch >= 0x80 && ch < 0xA0);
}

} // namespace

KeyInfo KeyFromKeyval(unsigned kv) {
    if (kv >= 'a' && kv <= 'z') return Key(kv - 'a' + 'A');
    if (kv >= 'A' && kv <= 'Z') return Key(kv);
    if (kv >= '0' && kv <= '9') return Key(kv);
    if (kv == ' ') return Key(VK_SPACE);
    // The other printable ASCII characters: their keys on the window system's layout.
    if (kv > ' ' && kv < 0x7F)
        if (auto key = win::detail::KeyForChar(kv)) return Key(key->first);
    if (kv >= GDK_KEY_F1 && kv <= GDK_KEY_F24) return Key(VK_F1 + (kv - GDK_KEY_F1));
    if (kv >= GDK_KEY_KP_0 && kv <= GDK_KEY_KP_9) return Key(VK_NUMPAD0 + (kv - GDK_KEY_KP_0));
    switch (kv) {
    // Modifiers: one virtual key for both sides; the side is in the scan code and the extended bit.
    case GDK_KEY_Shift_L:
        return Key(VK_SHIFT, false, 0x2A);
    case GDK_KEY_Shift_R:
        return Key(VK_SHIFT, false, 0x36);
    case GDK_KEY_Control_L:
        return Key(VK_CONTROL, false, 0x1D);
    case GDK_KEY_Control_R:
        return Key(VK_CONTROL, true, 0x1D);
    case GDK_KEY_Alt_L:
    case GDK_KEY_Meta_L:
        return Key(VK_MENU, false, 0x38);
    case GDK_KEY_Alt_R:
    case GDK_KEY_Meta_R:
    case GDK_KEY_ISO_Level3_Shift:
        return Key(VK_MENU, true, 0x38);
    case GDK_KEY_Super_L:
        return Key(VK_LWIN, true);
    case GDK_KEY_Super_R:
        return Key(VK_RWIN, true);
    case GDK_KEY_Menu:
        return Key(VK_APPS, true);
    case GDK_KEY_Caps_Lock:
        return Key(VK_CAPITAL);
    case GDK_KEY_Num_Lock:
        return Key(VK_NUMLOCK, true);
    case GDK_KEY_Scroll_Lock:
        return Key(VK_SCROLL);
    // Editing and navigation: the grey keys are extended, their keypad twins (Num Lock off) are not.
    case GDK_KEY_Return:
        return Key(VK_RETURN);
    case GDK_KEY_KP_Enter:
        return Key(VK_RETURN, true);
    case GDK_KEY_Escape:
        return Key(VK_ESCAPE);
    case GDK_KEY_Tab:
    case GDK_KEY_ISO_Left_Tab:
        return Key(VK_TAB);
    case GDK_KEY_BackSpace:
        return Key(VK_BACK);
    case GDK_KEY_Pause:
        return Key(VK_PAUSE);
    case GDK_KEY_Print:
        return Key(VK_SNAPSHOT, true);
    case GDK_KEY_Home:
        return Key(VK_HOME, true);
    case GDK_KEY_End:
        return Key(VK_END, true);
    case GDK_KEY_Page_Up:
        return Key(VK_PRIOR, true);
    case GDK_KEY_Page_Down:
        return Key(VK_NEXT, true);
    case GDK_KEY_Left:
        return Key(VK_LEFT, true);
    case GDK_KEY_Up:
        return Key(VK_UP, true);
    case GDK_KEY_Right:
        return Key(VK_RIGHT, true);
    case GDK_KEY_Down:
        return Key(VK_DOWN, true);
    case GDK_KEY_Insert:
        return Key(VK_INSERT, true);
    case GDK_KEY_Delete:
        return Key(VK_DELETE, true);
    case GDK_KEY_KP_Home:
        return Key(VK_HOME);
    case GDK_KEY_KP_End:
        return Key(VK_END);
    case GDK_KEY_KP_Page_Up:
        return Key(VK_PRIOR);
    case GDK_KEY_KP_Page_Down:
        return Key(VK_NEXT);
    case GDK_KEY_KP_Left:
        return Key(VK_LEFT);
    case GDK_KEY_KP_Up:
        return Key(VK_UP);
    case GDK_KEY_KP_Right:
        return Key(VK_RIGHT);
    case GDK_KEY_KP_Down:
        return Key(VK_DOWN);
    case GDK_KEY_KP_Insert:
        return Key(VK_INSERT);
    case GDK_KEY_KP_Delete:
        return Key(VK_DELETE);
    case GDK_KEY_KP_Begin:
        return Key(VK_CLEAR);
    case GDK_KEY_KP_Space:
        return Key(VK_SPACE);
    case GDK_KEY_KP_Multiply:
        return Key(VK_MULTIPLY);
    case GDK_KEY_KP_Add:
        return Key(VK_ADD);
    case GDK_KEY_KP_Subtract:
        return Key(VK_SUBTRACT);
    case GDK_KEY_KP_Decimal:
        return Key(VK_DECIMAL);
    case GDK_KEY_KP_Separator:
        return Key(VK_SEPARATOR);
    case GDK_KEY_KP_Divide:
        return Key(VK_DIVIDE, true);
    default:
        return KeyInfo{};
    }
}

char32_t UsLayoutChar(unsigned vk, bool shift, bool caps) {
    // The window system's own translation, with Num Lock on (GDK reports the keypad's digits only then).
    BYTE keys[256] = {};
    keys[VK_SHIFT] = shift ? 0x80 : 0;
    keys[VK_CAPITAL] = caps ? 1 : 0;
    keys[VK_NUMLOCK] = 1;
    char32_t ch = win::detail::CharFromKey(vk, keys);
    return ch >= ' ' && ch != 0x7F ? ch : 0;
}

KeyDecision DecideKeyPress(unsigned keyval, unsigned baseKeyval, char32_t unicode, const KeyModifiers& mods) {
    KeyDecision d;
    KeyInfo key = KeyFromKeyval(keyval);
    bool printable = unicode && Printable(unicode);
    if (!key.VirtualKey && printable && mods.Alt && !mods.Control) {
        // Alt with a letter that no key of ours gives (é on a French layout, ф on a Russian one) is a
        // mnemonic's letter ("&Émile", "&Файл"): it goes as a key press carrying the character, which the
        // window system turns into WM_SYSCHAR with it. The first layout's key would give another letter
        // (ф is on the A key).
        d.Key = Key(VK_PACKET);
        d.Char = unicode;
        return d;
    }
    bool shortcut = mods.Control || mods.Alt;
    // Ctrl+C on a Cyrillic layout still means Ctrl+C: shortcuts fall back to the key's first layout.
    if (!key.VirtualKey && shortcut) key = KeyFromKeyval(baseKeyval);
    if (key.VirtualKey) {
        // A key whose US translation would give another character than the layout's (a German Shift+7
        // is "/", not "&") reaches the window system as its character, so that the right text arrives.
        if (printable && !shortcut && UsLayoutChar(key.VirtualKey, mods.Shift, mods.CapsLock) != unicode) {
            d.Char = unicode;
            return d;
        }
        d.Key = key;
        return d;
    }
    if (printable && !shortcut) d.Char = unicode;
    return d;
}

} // namespace gtkbackend
