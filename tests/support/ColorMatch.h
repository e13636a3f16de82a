#pragma once
// One matcher for colours: both sides print as hex (0x00BBGGRR), so a failing pixel probe reads as two
// colours rather than two large decimal numbers.

#include <gmock/gmock.h>

#include <cstdint>
#include <cstdio>
#include <string>

namespace colortest {

inline std::string Hex(std::uint32_t Color) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(Color));
    return text;
}

MATCHER_P(IsColor, Expected, "is the colour " + Hex(static_cast<std::uint32_t>(Expected))) {
    *result_listener << "which is " << Hex(static_cast<std::uint32_t>(arg));
    return static_cast<std::uint32_t>(arg) == static_cast<std::uint32_t>(Expected);
}

// Each of red, green and blue within Tolerance of the expected colour's (blending rounds either way).
MATCHER_P2(IsColorNear, Expected, Tolerance,
           "is within " + std::to_string(Tolerance) + " of the colour " +
               Hex(static_cast<std::uint32_t>(Expected))) {
    *result_listener << "which is " << Hex(static_cast<std::uint32_t>(arg));
    const auto got = static_cast<std::uint32_t>(arg), want = static_cast<std::uint32_t>(Expected);
    for (int shift : {0, 8, 16}) {
        const int a = static_cast<int>((got >> shift) & 0xFF), b = static_cast<int>((want >> shift) & 0xFF);
        if (a - b > Tolerance || b - a > Tolerance) return false;
    }
    return true;
}

} // namespace colortest
