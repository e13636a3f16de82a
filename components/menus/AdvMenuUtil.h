#pragma once
// Small services of the menus: the menus' exception classes and texts, the text of a keyboard shortcut
// (with the system's key names on request), the menu animation switched off while the program runs,
// turned fonts for the side bar's caption, layered windows, and rectangle and colour helpers.

#include <cstdint>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Types.h"
#include "platform/vcl/Bitmap.h"
#include "platform/vcl/Graphics.h"
#include "platform/win/Windows.h"

namespace AdvMenuUtil {

using vcl::String;
using vcl::TColor;
using vcl::TRect;

// Raised by the indexed colour accessors of the menu styler's parts for an index they do not know.
class EInvalidPropertyIndex : public vcl::Exception {
public:
    using vcl::Exception::Exception;
};
// Declared for components that cannot live without an owner; the menus do not raise it.
class ERequireOwner : public vcl::Exception {
public:
    using vcl::Exception::Exception;
};

inline constexpr const char* SWinKey = "Win+";
inline constexpr const char* SInvalidPropertyIndexAt = "Invalid property index %d at %s.";
inline constexpr const char* SInvalidPropertyIndex = "Invalid property index %d.";
inline constexpr const char* SRequireOwner = "Tried to create %s with no owner.";

// Shortcut flag of the Windows key (beside the framework's Shift, Ctrl and Alt flags).
inline constexpr std::uint16_t scWin = 0x0200;

// Raises EInvalidPropertyIndex "Invalid property index <Index>.".
[[noreturn]] void InvalidPropertyIndex(int Index);

// ---- Shortcut texts
// International: the system's key names, Alt, Ctrl, Shift and the key joined by "+", the Windows key not
// shown. Otherwise the framework's English text with "Win+" in front for the Windows-key flag.
String AdvShortCutToText(std::uint16_t ShortCut, bool International);
// The system's name of a virtual key (by its scan code, with the extended-key bit for all keys but
// Backspace, Enter, Shift, Ctrl and Alt); empty for a key without a name.
String KeyNameOf(unsigned Key);
// The first character kept, the others lower-cased; the character after the first "(" upper-cased.
String CapitalizeKeyName(const String& Text);

// ---- Menu animation: off while the menus are in use, the setting found first put back at the end.
// Both count: the first Disable saves and switches off, the matching last Restore puts it back.
void DisableMenuAnimation();
void RestoreMenuAnimation();

// A system font like Font, turned by Angle degrees (counter-clockwise); the caller deletes it.
win::HFONT CreateRotatedFont(vcl::TFont* Font, int Angle);

// ---- Layered windows
// The window system's layered-window calls, null when it has none.
using TUpdateLayeredWindow = decltype(&win::UpdateLayeredWindow);
using TSetLayeredWindowAttributes = decltype(&win::SetLayeredWindowAttributes);
extern TUpdateLayeredWindow UpdateLayeredWindow;
extern TSetLayeredWindowAttributes SetLayeredWindowAttributes;
bool SupportsLayeredWindows();
// Adds or removes the layered extended style (only when it differs); true.
bool SetWindowLayered(win::HWND Wnd, bool Layered);

// ---- Rectangles
inline constexpr TRect NilRect{0, 0, 0, 0};
inline int RectWidth(const TRect& R) {
    return R.Right - R.Left;
}
inline int RectHeight(const TRect& R) {
    return R.Bottom - R.Top;
}
// R becomes a W x H rectangle centred on R's centre.
void CenterRect(TRect& R, int W, int H);
vcl::TPoint CenterPoint(const TRect& R);
// A's top-left and bottom-right corners both inside B (right and bottom edges outside).
bool RectInRect(const TRect& A, const TRect& B);
TRect BitmapRect(vcl::TBitmap* Bitmap);

// ---- Colours
struct TRGBVal {
    std::uint8_t R, G, B;
};
// The channels after system colours are resolved.
TRGBVal ColorToRGBVal(TColor Color);
struct TScanLine24 {
    std::uint8_t B, G, R;
};
TScanLine24 ColorTo24bitScanLineElement(TColor Color);
// Blue, green, red and the colour value's high byte, lowest byte first.
std::uint32_t ColorTo32bitScanLineElement(TColor Color);
constexpr TColor RGB(std::uint8_t R, std::uint8_t G, std::uint8_t B, std::uint8_t A) {
    return static_cast<TColor>((static_cast<std::uint32_t>(A) << 24) | (static_cast<std::uint32_t>(B) << 16) |
                               (static_cast<std::uint32_t>(G) << 8) | R);
}
inline int Min(int A, int B) {
    return A < B ? A : B;
}
inline int Max(int A, int B) {
    return A > B ? A : B;
}

} // namespace AdvMenuUtil
