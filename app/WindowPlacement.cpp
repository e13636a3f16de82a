#include "app/WindowPlacement.h"

#include <algorithm>
#include <cstdint>

#include "platform/rtl/Registry.h"

namespace WindowPlacement {

namespace {

// The value as a 32-bit integer within [Min, Max], else Default.
int ReadIn(vcl::TRegistry& Key, const char* Name, int Min, int Max, int Default) {
    if (Key.GetDataType(Name) != vcl::rdInteger) return Default;
    const int value = Key.ReadInteger(Name);
    return value >= Min && value <= Max ? value : Default;
}

std::int64_t Overlap(const TRect& A, const TRect& B) {
    const std::int64_t w = std::int64_t{std::min(A.Right, B.Right)} - std::max(A.Left, B.Left);
    const std::int64_t h = std::int64_t{std::min(A.Bottom, B.Bottom)} - std::max(A.Top, B.Top);
    return w > 0 && h > 0 ? w * h : 0;
}

// How far the point lies outside the rectangle (0 inside), squared; in floating point, since the square of
// a distance across the whole coordinate range does not fit 64 bits.
double DistanceSquared(std::int64_t X, std::int64_t Y, const TRect& R) {
    const auto dx = static_cast<double>(X < R.Left     ? R.Left - X
                                        : X >= R.Right ? X - (std::int64_t{R.Right} - 1)
                                                       : 0);
    const auto dy = static_cast<double>(Y < R.Top       ? R.Top - Y
                                        : Y >= R.Bottom ? Y - (std::int64_t{R.Bottom} - 1)
                                                        : 0);
    return dx * dx + dy * dy;
}

bool Inside(const TRect& Inner, const TRect& Outer) {
    return Inner.Left >= Outer.Left && Inner.Top >= Outer.Top && Inner.Right <= Outer.Right &&
           Inner.Bottom <= Outer.Bottom;
}

} // namespace

TPlacement Read(vcl::TRegistry& Key) {
    TPlacement p;
    for (const char* name : {"Top", "Left", "Width", "Height", "State"})
        if (!Key.ValueExists(name)) return p;
    const TPlacement d;
    p.Top = ReadIn(Key, "Top", MinCoordinate, MaxCoordinate, d.Top);
    p.Left = ReadIn(Key, "Left", MinCoordinate, MaxCoordinate, d.Left);
    p.Width = ReadIn(Key, "Width", 1, MaxSize, d.Width);
    p.Height = ReadIn(Key, "Height", 1, MaxSize, d.Height);
    p.State = ReadIn(Key, "State", 0, 2, d.State) == StateMaximised ? StateMaximised : StateNormal;
    return p;
}

TRect FitToWorkArea(const TRect& Bounds, const std::vector<TRect>& WorkAreas) {
    const TRect* best = nullptr;
    std::int64_t bestOverlap = 0;
    double bestDistance = 0;
    const std::int64_t cx = (std::int64_t{Bounds.Left} + Bounds.Right) / 2;
    const std::int64_t cy = (std::int64_t{Bounds.Top} + Bounds.Bottom) / 2;
    for (const TRect& area : WorkAreas) {
        if (area.IsEmpty()) continue;
        if (Inside(Bounds, area)) return Bounds;
        const std::int64_t overlap = Overlap(Bounds, area);
        const double distance = DistanceSquared(cx, cy, area);
        if (!best || overlap > bestOverlap ||
            (overlap == bestOverlap && overlap == 0 && distance < bestDistance)) {
            best = &area;
            bestOverlap = overlap;
            bestDistance = distance;
        }
    }
    if (!best) return Bounds;
    const TRect& a = *best;
    const int w = std::clamp(Bounds.Width(), 0, a.Width());
    const int h = std::clamp(Bounds.Height(), 0, a.Height());
    const int x = std::clamp(Bounds.Left, a.Left, a.Right - w);
    const int y = std::clamp(Bounds.Top, a.Top, a.Bottom - h);
    return vcl::Bounds(x, y, w, h);
}

} // namespace WindowPlacement
