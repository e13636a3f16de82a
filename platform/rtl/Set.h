#pragma once
// TSet<E>: a small set of enumeration values, as the framework's "set of" types.
//
//     using TFontStyles = TSet<TFontStyle>;
//     TFontStyles s{fsBold, fsItalic};
//     if (s.Contains(fsBold)) s.Exclude(fsBold);
//
// The enumeration's values must lie in 0..63.

#include <cstdint>
#include <initializer_list>
#include <type_traits>

namespace vcl {

template <typename E> class TSet {
    static_assert(std::is_enum_v<E>, "TSet holds enumeration values");

public:
    constexpr TSet() = default;
    constexpr TSet(std::initializer_list<E> values) {
        for (E v : values)
            FBits |= Bit(v);
    }

    static constexpr TSet FromBits(std::uint64_t bits) {
        TSet s;
        s.FBits = bits;
        return s;
    }
    constexpr std::uint64_t Bits() const { return FBits; }

    constexpr bool Contains(E v) const { return (FBits & Bit(v)) != 0; }
    constexpr bool Empty() const { return FBits == 0; }
    constexpr TSet& Include(E v) {
        FBits |= Bit(v);
        return *this;
    }
    constexpr TSet& Exclude(E v) {
        FBits &= ~Bit(v);
        return *this;
    }

    // Union, difference and intersection.
    constexpr TSet operator+(TSet o) const { return FromBits(FBits | o.FBits); }
    constexpr TSet operator-(TSet o) const { return FromBits(FBits & ~o.FBits); }
    constexpr TSet operator*(TSet o) const { return FromBits(FBits & o.FBits); }
    constexpr TSet operator+(E v) const { return FromBits(FBits | Bit(v)); }
    constexpr TSet operator-(E v) const { return FromBits(FBits & ~Bit(v)); }
    constexpr TSet& operator+=(TSet o) {
        FBits |= o.FBits;
        return *this;
    }
    constexpr TSet& operator-=(TSet o) {
        FBits &= ~o.FBits;
        return *this;
    }
    constexpr TSet& operator*=(TSet o) {
        FBits &= o.FBits;
        return *this;
    }
    // Subset test, as "<=" on the framework's sets.
    constexpr bool operator<=(TSet o) const { return (FBits & ~o.FBits) == 0; }
    constexpr bool operator==(const TSet&) const = default;

private:
    static constexpr std::uint64_t Bit(E v) {
        auto n = static_cast<std::uint64_t>(static_cast<std::underlying_type_t<E>>(v));
        return n < 64 ? (std::uint64_t{1} << n) : 0;
    }
    std::uint64_t FBits = 0;
};

} // namespace vcl
