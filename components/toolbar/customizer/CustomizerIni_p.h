#pragma once
// The keys of the customizer's INI file, shared by the customizer and its dialog. Nothing outside the
// customizer folder includes this header.

#include <string>

#include "platform/rtl/IniFiles.h"

namespace AdvToolBar::customizerini {

inline constexpr const char* kCaption = "ATBCaption";
inline constexpr const char* kGlyphPosition = "GlyphPosition";
inline constexpr const char* kLargeIcon = "LargeIcon";
inline constexpr const char* kItemCount = "ToolBarItemCount";
inline constexpr const char* kButtonClass = "ADVTOOLBARBUTTON";
inline constexpr const char* kSeparatorClass = "ADVTOOLBARSEPARATOR";
inline constexpr const char* kGlowButtonClass = "ADVCUSTOMGLOWBUTTON";
inline constexpr const char* kOtherClass = "-1";

// "Name" + i, the key of item i's name; its other keys add a suffix such as ".ClassName".
inline vcl::String ItemKey(int Index) {
    return "Name" + std::to_string(Index);
}

// Writes a text a user gave (a caption, a hint). A text the file cannot hold (a line break or NUL in
// it, a character its encoding lacks) is left out, and any value the key held before goes, so that the
// control keeps its current text: refusing the one value must not cut the rest of the section short.
void WriteText(vcl::TCustomIniFile& Ini, const vcl::String& Section, const vcl::String& Key,
               const vcl::String& Value);

} // namespace AdvToolBar::customizerini
