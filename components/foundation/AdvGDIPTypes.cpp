#include "components/foundation/AdvGDIPTypes.h"

namespace AdvGDIP {

ARGB ColorToARGB(vcl::TColor color) {
    auto rgb = static_cast<std::uint32_t>(vcl::ColorToRGB(color));
    return MakeColor(255, static_cast<std::uint8_t>(rgb), static_cast<std::uint8_t>(rgb >> 8),
                     static_cast<std::uint8_t>(rgb >> 16));
}

} // namespace AdvGDIP
