#pragma once
// Basic value types of the run-time library: strings, integers, points and rectangles.

#include <cstdint>
#include <string>

namespace vcl {

// Text is UTF-8; lengths the user sees count characters, not bytes.
using String = std::string;

using Byte = std::uint8_t;
using Word = std::uint16_t;
using Cardinal = std::uint32_t;
using Integer = std::int32_t;
using Int64 = std::int64_t;

struct TPoint {
    int X = 0;
    int Y = 0;
    constexpr bool operator==(const TPoint&) const = default;
};

struct TSize {
    int cx = 0;
    int cy = 0;
    constexpr bool operator==(const TSize&) const = default;
};

// A 64-bit result brought into the int range (coordinates near its ends saturate instead of wrapping).
constexpr int ClampToInt(std::int64_t v) {
    return v < INT32_MIN ? INT32_MIN : v > INT32_MAX ? INT32_MAX : static_cast<int>(v);
}

// A rectangle excludes its right and bottom edges.
struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    constexpr int Width() const { return ClampToInt(std::int64_t{Right} - Left); }
    constexpr int Height() const { return ClampToInt(std::int64_t{Bottom} - Top); }
    constexpr bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    constexpr bool Contains(TPoint p) const {
        return p.X >= Left && p.X < Right && p.Y >= Top && p.Y < Bottom;
    }
    constexpr TPoint TopLeft() const { return {Left, Top}; }
    constexpr TPoint BottomRight() const { return {Right, Bottom}; }
    constexpr bool operator==(const TRect&) const = default;
};

constexpr TPoint Point(int x, int y) {
    return {x, y};
}
constexpr TRect Rect(int left, int top, int right, int bottom) {
    return {left, top, right, bottom};
}
constexpr TRect Bounds(int left, int top, int width, int height) {
    return {left, top, ClampToInt(std::int64_t{left} + width), ClampToInt(std::int64_t{top} + height)};
}

// Rounds to the nearest integer, halves to even (the one rounding helper of the system).
int Round(double value);

} // namespace vcl
