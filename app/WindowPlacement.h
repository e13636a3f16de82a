#pragma once
// The main window's stored placement, read so that damaged settings cannot hide the window: the five
// values "Top", "Left", "Width", "Height" and "State" under the program's key. When one of them is
// missing, the whole default placement applies; a value stored with another type than a 32-bit integer,
// or out of its range, falls back to its own default alone. A restored window then ends on a monitor of
// the work area, no larger than its work area (FitToWorkArea), whatever the values said.

#include <vector>

#include "platform/rtl/Types.h"

namespace vcl {
class TRegistry;
}

namespace WindowPlacement {

using vcl::TRect;

// Window states as stored: 0 normal, 1 minimised, 2 maximised.
inline constexpr int StateNormal = 0;
inline constexpr int StateMaximised = 2;

struct TPlacement {
    int Left = 0;
    int Top = 0;
    int Width = 900;
    int Height = 620;
    // Normal or maximised: a stored minimised state, or a number that names no state, shows normal.
    int State = StateNormal;
    bool operator==(const TPlacement&) const = default;
};

// The ranges a stored value must lie in: coordinates of the window system, sizes of at least one pixel.
inline constexpr int MinCoordinate = -32768;
inline constexpr int MaxCoordinate = 32767;
inline constexpr int MaxSize = 32767;

// Reads the placement from the open key (see above); never raises for what the values hold.
TPlacement Read(vcl::TRegistry& Key);

// The rectangle moved (and shrunk where needed) into the work area of one monitor: the one it overlaps
// most, else the nearest one. Unchanged when it lies inside a work area already, or when there are none.
TRect FitToWorkArea(const TRect& Bounds, const std::vector<TRect>& WorkAreas);

} // namespace WindowPlacement
