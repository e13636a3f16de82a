#pragma once
// Keyboard translation for the GTK backend: GDK key values to the platform's virtual-key codes, and the
// decision whether a key press reaches the window system as a key (which it translates into characters
// itself, on its US layout), as a bare character (text that no key of ours would produce), or, with Alt,
// as a character packet (a key press carrying a character that no key of ours gives).

#include <optional>

namespace gtkbackend {

struct KeyInfo {
    unsigned VirtualKey = 0;
    unsigned ScanCode = 0; // 0 = the window system derives it from the virtual key
    bool Extended = false;
    bool operator==(const KeyInfo&) const = default;
};

// The key of a GDK key value; VirtualKey 0 when the value has no key of its own (dead keys, letters of
// other alphabets, symbols).
KeyInfo KeyFromKeyval(unsigned keyval);

// The character the platform's US layout gives for a virtual key with Shift and Caps Lock as given;
// 0 when the key gives none (control keys, function keys).
char32_t UsLayoutChar(unsigned virtualKey, bool shift, bool caps);

struct KeyModifiers {
    bool Shift = false;
    bool Control = false;
    bool Alt = false;
    bool CapsLock = false;
};

struct KeyDecision {
    std::optional<KeyInfo> Key; // deliver KeyDown (and KeyUp on release)
    // With Key: the character a character packet (VK_PACKET) carries. Without: deliver this character
    // alone (0 = nothing).
    char32_t Char = 0;
};

// keyval: what GDK reports; baseKeyval: the unshifted value of the same physical key in the first layout
// (used for Ctrl shortcuts typed on another alphabet); unicode: the character GDK gives for keyval (0 =
// none).
KeyDecision DecideKeyPress(unsigned keyval, unsigned baseKeyval, char32_t unicode, const KeyModifiers& mods);

} // namespace gtkbackend
