#pragma once
// The picture a windowed control keeps of its own painting (TWinControl::KeptPicture): a 32-bit memory
// DC of the client's size and what it was painted under.

#include <cstdint>
#include <vector>

#include "platform/vcl/WinControl.h"
#include "platform/win/Gdi.h"

namespace vcl {

struct TWinControl::TKeptPicture {
    TKeptPicture(int AWidth, int AHeight);
    ~TKeptPicture();
    TKeptPicture(const TKeptPicture&) = delete;
    TKeptPicture& operator=(const TKeptPicture&) = delete;

    // Makes the pixels of the rectangles transparent, or tells whether none of them is less than opaque.
    void Clear(const std::vector<win::RECT>& Rects);
    bool Opaque(const std::vector<win::RECT>& Rects) const;

    int Width, Height;
    win::HDC DC = nullptr;
    win::HBITMAP Bitmap = nullptr;
    win::HGDIOBJ OldBitmap = nullptr;
    std::uint32_t* Bits = nullptr;
    // What it was painted under: the window's paint stamp and the client's place in its top-level window.
    std::uint64_t Stamp = 0;
    win::POINT At{};
    // The part painted under them, all of it opaque.
    win::HRGN Painted = nullptr;
};

} // namespace vcl
