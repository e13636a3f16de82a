#pragma once
// The style vocabulary shared by the styled components: the list of colour styles, the interface
// through which one component pushes a style onto another, and the desktop tests that choose fonts
// and follow the desktop's colour scheme.

#include <cstdint>

#include "platform/classes/Properties.h"

namespace AdvStyleIF {

KV_ENUM(TBrixStyle, tsOffice2003Blue, tsOffice2003Silver, tsOffice2003Olive, tsOffice2003Classic,
        tsOffice2007Luna, tsOffice2007Obsidian, tsWindowsXP, tsWhidbey, tsCustom, tsOffice2007Silver);

// The interface identifier, as text.
inline constexpr const char* IID_IBrixStyle = "{11AC2DDC-C087-4298-AB6E-EA1B5017511B}";

// Implemented by components that can be recoloured to a style. Components implementing it stay owned
// by their forms: asking for the interface (vcl::Supports<IBrixStyle>) neither counts nor frees.
class IBrixStyle {
public:
    // Recolours the component; tsCustom leaves it as it is.
    virtual void SetComponentStyle(TBrixStyle AStyle) = 0;

protected:
    IBrixStyle() = default;
    ~IBrixStyle() = default;
    IBrixStyle(const IBrixStyle&) = default;
    IBrixStyle& operator=(const IBrixStyle&) = default;
};

// True on systems that count as Vista or later (the stylers then prefer "Segoe UI" to "Tahoma").
bool IsVista();

// True when the platform's version query answers 5.1 or later.
bool IsWindowsXPOrLater();

// The desktop's colour scheme: 1 "NormalColor", 2 "HomeStead", 3 "Metallic" (exact, case-sensitive);
// 0 for no active visual style, a system older than 5.1, or any other scheme name.
std::uint8_t DetectThemeScheme();

} // namespace AdvStyleIF
