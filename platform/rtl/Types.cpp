#include "platform/rtl/Types.h"

#include <cmath>
#include <limits>

namespace vcl {

int Round(double value) {
    if (std::isnan(value)) return 0;
    if (value >= static_cast<double>(std::numeric_limits<int>::max())) return std::numeric_limits<int>::max();
    if (value <= static_cast<double>(std::numeric_limits<int>::min())) return std::numeric_limits<int>::min();
    return static_cast<int>(std::nearbyint(value)); // default rounding mode: to nearest, ties to even
}

} // namespace vcl
