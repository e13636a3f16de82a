#include "platform/rtl/Colors.h"

#include <array>

#include "platform/rtl/SysUtils.h"

namespace vcl {

namespace {

constexpr std::uint32_t Rgb(int r, int g, int b) {
    return static_cast<std::uint32_t>(r) | (static_cast<std::uint32_t>(g) << 8) |
           (static_cast<std::uint32_t>(b) << 16);
}

// The classic Windows scheme.
constexpr std::array<std::uint32_t, SystemColorCount> ClassicColors = {
    Rgb(212, 208, 200), //  0 scroll bar
    Rgb(58, 110, 165),  //  1 desktop
    Rgb(10, 36, 106),   //  2 active caption
    Rgb(128, 128, 128), //  3 inactive caption
    Rgb(212, 208, 200), //  4 menu
    Rgb(255, 255, 255), //  5 window
    Rgb(0, 0, 0),       //  6 window frame
    Rgb(0, 0, 0),       //  7 menu text
    Rgb(0, 0, 0),       //  8 window text
    Rgb(255, 255, 255), //  9 caption text
    Rgb(212, 208, 200), // 10 active border
    Rgb(212, 208, 200), // 11 inactive border
    Rgb(128, 128, 128), // 12 application workspace
    Rgb(10, 36, 106),   // 13 highlight
    Rgb(255, 255, 255), // 14 highlight text
    Rgb(212, 208, 200), // 15 button face
    Rgb(128, 128, 128), // 16 button shadow
    Rgb(128, 128, 128), // 17 gray text
    Rgb(0, 0, 0),       // 18 button text
    Rgb(212, 208, 200), // 19 inactive caption text
    Rgb(255, 255, 255), // 20 button highlight
    Rgb(64, 64, 64),    // 21 3-D dark shadow
    Rgb(212, 208, 200), // 22 3-D light
    Rgb(0, 0, 0),       // 23 tooltip text
    Rgb(255, 255, 225), // 24 tooltip background
    Rgb(0, 0, 0),       // 25 (unused)
    Rgb(0, 0, 128),     // 26 hot-tracked item
    Rgb(166, 202, 240), // 27 gradient of the active caption
    Rgb(192, 192, 192), // 28 gradient of the inactive caption
    Rgb(10, 36, 106),   // 29 menu highlight
    Rgb(212, 208, 200), // 30 menu bar
};

std::array<std::uint32_t, SystemColorCount>& Table() {
    static std::array<std::uint32_t, SystemColorCount> table = ClassicColors;
    return table;
}

struct ColorName {
    TColor Value;
    const char* Name;
};

// The framework's colour names, in its order.
constexpr ColorName ColorNames[] = {
    {clBlack, "clBlack"},
    {clMaroon, "clMaroon"},
    {clGreen, "clGreen"},
    {clOlive, "clOlive"},
    {clNavy, "clNavy"},
    {clPurple, "clPurple"},
    {clTeal, "clTeal"},
    {clGray, "clGray"},
    {clSilver, "clSilver"},
    {clRed, "clRed"},
    {clLime, "clLime"},
    {clYellow, "clYellow"},
    {clBlue, "clBlue"},
    {clFuchsia, "clFuchsia"},
    {clAqua, "clAqua"},
    {clWhite, "clWhite"},
    {clMoneyGreen, "clMoneyGreen"},
    {clSkyBlue, "clSkyBlue"},
    {clCream, "clCream"},
    {clMedGray, "clMedGray"},
    {clActiveBorder, "clActiveBorder"},
    {clActiveCaption, "clActiveCaption"},
    {clAppWorkSpace, "clAppWorkSpace"},
    {clBackground, "clBackground"},
    {clBtnFace, "clBtnFace"},
    {clBtnHighlight, "clBtnHighlight"},
    {clBtnShadow, "clBtnShadow"},
    {clBtnText, "clBtnText"},
    {clCaptionText, "clCaptionText"},
    {clDefault, "clDefault"},
    {clGradientActiveCaption, "clGradientActiveCaption"},
    {clGradientInactiveCaption, "clGradientInactiveCaption"},
    {clGrayText, "clGrayText"},
    {clHighlight, "clHighlight"},
    {clHighlightText, "clHighlightText"},
    {clHotLight, "clHotLight"},
    {clInactiveBorder, "clInactiveBorder"},
    {clInactiveCaption, "clInactiveCaption"},
    {clInactiveCaptionText, "clInactiveCaptionText"},
    {clInfoBk, "clInfoBk"},
    {clInfoText, "clInfoText"},
    {clMenu, "clMenu"},
    {clMenuBar, "clMenuBar"},
    {clMenuHighlight, "clMenuHighlight"},
    {clMenuText, "clMenuText"},
    {clNone, "clNone"},
    {clScrollBar, "clScrollBar"},
    {cl3DDkShadow, "cl3DDkShadow"},
    {cl3DLight, "cl3DLight"},
    {clWindow, "clWindow"},
    {clWindowFrame, "clWindowFrame"},
    {clWindowText, "clWindowText"},
};

} // namespace

std::uint32_t GetSysColorValue(int Index) {
    if (Index < 0 || Index >= SystemColorCount) return 0;
    return Table()[static_cast<size_t>(Index)];
}

void SetSystemColor(int Index, std::uint32_t Rgb) {
    if (Index < 0 || Index >= SystemColorCount) return;
    Table()[static_cast<size_t>(Index)] = Rgb & 0x00FFFFFFu;
}

void ResetSystemColors() {
    Table() = ClassicColors;
}

std::int32_t ColorToRGB(TColor Color) {
    if (Color < 0) return static_cast<std::int32_t>(GetSysColorValue(Color & 0xFF));
    return Color;
}

bool ColorToIdent(std::int32_t Color, String& Ident) {
    for (const auto& c : ColorNames) {
        if (c.Value == Color) {
            Ident = c.Name;
            return true;
        }
    }
    return false;
}

bool IdentToColor(const String& Ident, std::int32_t& Color) {
    for (const auto& c : ColorNames) {
        if (SameText(Ident, c.Name)) {
            Color = c.Value;
            return true;
        }
    }
    return false;
}

String ColorToString(TColor Color) {
    String name;
    if (ColorToIdent(Color, name)) return name;
    return "$" + IntToHex(Color, 8);
}

TColor StringToColor(const String& S) {
    TColor c = 0;
    if (IdentToColor(S, c)) return c;
    return StrToInt(S);
}

void GetColorValues(const std::function<void(const String&)>& Proc) {
    for (const auto& c : ColorNames)
        Proc(c.Name);
}

} // namespace vcl
