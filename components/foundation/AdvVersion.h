#pragma once
// The Version text the components show: a packed version number (major, minor, release and build in
// the four bytes, highest first) as four numbers joined by dots.

#include <cstdint>
#include <string>

#include "platform/rtl/Types.h"

namespace AdvVersion {

inline vcl::String VersionText(std::uint32_t Nr) {
    return std::to_string(Nr >> 24) + "." + std::to_string((Nr >> 16) & 0xFF) + "." +
           std::to_string((Nr >> 8) & 0xFF) + "." + std::to_string(Nr & 0xFF);
}

} // namespace AdvVersion
