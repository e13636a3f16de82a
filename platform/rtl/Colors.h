#pragma once
// Colours: TColor values, the colour names, and the system-colour table.
//
// A TColor is 0x00BBGGRR. A system colour is clSystemColor (0xFF000000) | index, a negative value;
// ColorToRGB resolves any negative colour by the index in its low byte through the system-colour table,
// which holds the platform's classic values and can be changed by tests.

#include <cstdint>
#include <functional>

#include "platform/rtl/Types.h"

namespace vcl {

using TColor = std::int32_t;

constexpr TColor clSystemColor = static_cast<TColor>(0xFF000000u);
constexpr TColor SystemColor(int index) {
    return static_cast<TColor>(0xFF000000u | static_cast<unsigned>(index));
}

// System colours (index in the low byte).
constexpr TColor clScrollBar = SystemColor(0);
constexpr TColor clBackground = SystemColor(1);
constexpr TColor clActiveCaption = SystemColor(2);
constexpr TColor clInactiveCaption = SystemColor(3);
constexpr TColor clMenu = SystemColor(4);
constexpr TColor clWindow = SystemColor(5);
constexpr TColor clWindowFrame = SystemColor(6);
constexpr TColor clMenuText = SystemColor(7);
constexpr TColor clWindowText = SystemColor(8);
constexpr TColor clCaptionText = SystemColor(9);
constexpr TColor clActiveBorder = SystemColor(10);
constexpr TColor clInactiveBorder = SystemColor(11);
constexpr TColor clAppWorkSpace = SystemColor(12);
constexpr TColor clHighlight = SystemColor(13);
constexpr TColor clHighlightText = SystemColor(14);
constexpr TColor clBtnFace = SystemColor(15);
constexpr TColor clBtnShadow = SystemColor(16);
constexpr TColor clGrayText = SystemColor(17);
constexpr TColor clBtnText = SystemColor(18);
constexpr TColor clInactiveCaptionText = SystemColor(19);
constexpr TColor clBtnHighlight = SystemColor(20);
constexpr TColor cl3DDkShadow = SystemColor(21);
constexpr TColor cl3DLight = SystemColor(22);
constexpr TColor clInfoText = SystemColor(23);
constexpr TColor clInfoBk = SystemColor(24);
constexpr TColor clHotLight = SystemColor(26);
constexpr TColor clGradientActiveCaption = SystemColor(27);
constexpr TColor clGradientInactiveCaption = SystemColor(28);
constexpr TColor clMenuHighlight = SystemColor(29);
constexpr TColor clMenuBar = SystemColor(30);

// Number of entries in the system-colour table (indexes 0..30).
constexpr int SystemColorCount = 31;

// Standard colours.
constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clLtGray = 0xC0C0C0;
constexpr TColor clDkGray = 0x808080;
constexpr TColor clMoneyGreen = 0xC0DCC0;
constexpr TColor clSkyBlue = 0xF0CAA6;
constexpr TColor clCream = 0xF0FBFF;
constexpr TColor clMedGray = 0xA4A0A0;

constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

// The system-colour table. GetSysColorValue returns the 0x00BBGGRR value of an index (0 for an index
// outside the table, as the platform does); SetSystemColor changes one entry (ignored outside the
// table) and ResetSystemColors restores the classic values.
std::uint32_t GetSysColorValue(int Index);
void SetSystemColor(int Index, std::uint32_t Rgb);
void ResetSystemColors();

// The 0x00BBGGRR value of a colour: system colours are looked up in the table, others keep their value.
std::int32_t ColorToRGB(TColor Color);

// "clBtnFace" for a named colour, otherwise "$00BBGGRR" (8 hex digits).
String ColorToString(TColor Color);
// A colour name (any case), a decimal number or "$" hexadecimal; anything else raises EConvertError
// "'<s>' is not a valid integer value".
TColor StringToColor(const String& S);

// Name <-> value for the named colours only.
bool ColorToIdent(std::int32_t Color, String& Ident);
bool IdentToColor(const String& Ident, std::int32_t& Color);

// Calls Proc with the name of every named colour, standard colours first.
void GetColorValues(const std::function<void(const String&)>& Proc);

} // namespace vcl
