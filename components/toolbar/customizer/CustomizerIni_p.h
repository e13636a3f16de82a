#pragma once
// The keys of the customizer's INI file, shared by the customizer and its dialog. Nothing outside the
// customizer folder includes this header.

#include <string>

#include "platform/rtl/Types.h"

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

} // namespace AdvToolBar::customizerini
