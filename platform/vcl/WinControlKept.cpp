// TWinControl: the picture a control keeps of its own painting, for its children's transparent parts.

#include "platform/vcl/KeptPicture.h"
#include "platform/win/PaintStamp.h"
#include "platform/win/Region.h"

#include <algorithm>
#include <cstring>

namespace vcl {

TWinControl::TKeptPicture::TKeptPicture(int AWidth, int AHeight) : Width(AWidth), Height(AHeight) {
    win::BITMAPINFO bmi{};
    bmi.bmiHeader.biSize = sizeof(win::BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = Width;
    bmi.bmiHeader.biHeight = -Height; // top-down
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = win::BI_RGB;
    DC = win::CreateCompatibleDC(nullptr);
    void* bits = nullptr;
    Bitmap = win::CreateDIBSection(DC, &bmi, win::DIB_RGB_COLORS, &bits, nullptr, 0);
    Bits = static_cast<std::uint32_t*>(bits);
    if (Bitmap != nullptr) OldBitmap = win::SelectObject(DC, reinterpret_cast<win::HGDIOBJ>(Bitmap));
    Painted = win::CreateRectRgn(0, 0, 0, 0);
}

TWinControl::TKeptPicture::~TKeptPicture() {
    win::DeleteObject(reinterpret_cast<win::HGDIOBJ>(Painted));
    if (OldBitmap != nullptr) win::SelectObject(DC, OldBitmap);
    if (Bitmap != nullptr) win::DeleteObject(reinterpret_cast<win::HGDIOBJ>(Bitmap));
    if (DC != nullptr) win::DeleteDC(DC);
}

void TWinControl::TKeptPicture::Clear(const std::vector<win::RECT>& Rects) {
    win::GdiFlush();
    for (const win::RECT& r : Rects)
        for (int y = r.Top; y < r.Bottom; ++y)
            std::fill(Bits + static_cast<std::size_t>(y) * Width + r.Left,
                      Bits + static_cast<std::size_t>(y) * Width + r.Right, 0u);
}

bool TWinControl::TKeptPicture::Opaque(const std::vector<win::RECT>& Rects) const {
    win::GdiFlush();
    for (const win::RECT& r : Rects)
        for (int y = r.Top; y < r.Bottom; ++y)
            for (int x = r.Left; x < r.Right; ++x)
                if ((Bits[static_cast<std::size_t>(y) * Width + x] >> 24) != 0xFF) return false;
    return true;
}

namespace {

// A region of the union of the rectangles.
win::HRGN RegionOf(const std::vector<TRect>& Rects) {
    const std::size_t header = sizeof(win::RGNDATAHEADER), bytes = Rects.size() * sizeof(win::RECT);
    std::vector<std::uint32_t> data((header + bytes + 3) / 4);
    win::RGNDATAHEADER h{};
    h.dwSize = static_cast<win::DWORD>(header);
    h.iType = win::RDH_RECTANGLES;
    h.nCount = static_cast<win::DWORD>(Rects.size());
    h.nRgnSize = static_cast<win::DWORD>(bytes);
    std::memcpy(data.data(), &h, header);
    if (bytes != 0) std::memcpy(reinterpret_cast<char*>(data.data()) + header, Rects.data(), bytes);
    return win::ExtCreateRegion(nullptr, static_cast<win::DWORD>(header + bytes),
                                reinterpret_cast<const win::RGNDATA*>(data.data()));
}

} // namespace

win::HDC TWinControl::KeptPicture(const std::vector<TRect>& Need,
                                  const std::function<void(std::vector<TRect>&)>& More) {
    if (FHandle == nullptr) return nullptr;
    const TRect client = GetClientRect();
    if (client.IsEmpty()) return nullptr;
    const std::uint64_t stamp = win::GetWindowPaintStamp(FHandle);
    win::POINT at{0, 0};
    win::MapWindowPoints(FHandle, win::GetAncestor(FHandle, win::GA_ROOT), &at, 1);
    if (!FKeptPicture || FKeptPicture->Width != client.Width() || FKeptPicture->Height != client.Height()) {
        FKeptPicture.reset();
        auto fresh = std::make_unique<TKeptPicture>(client.Width(), client.Height());
        if (fresh->Bits == nullptr) return nullptr;
        FKeptPicture = std::move(fresh);
    }
    TKeptPicture& k = *FKeptPicture;
    if (k.Stamp != stamp || k.At.X != at.X || k.At.Y != at.Y) {
        win::SetRectRgn(k.Painted, 0, 0, 0, 0);
        k.Stamp = stamp;
        k.At = at;
    }
    // The parts asked for that are not painted yet, within the picture.
    auto missing = [&](const std::vector<TRect>& Parts) {
        win::HRGN m = RegionOf(Parts);
        win::HRGN all = win::CreateRectRgn(0, 0, client.Width(), client.Height());
        win::CombineRgn(m, m, all, win::RGN_AND);
        win::CombineRgn(m, m, k.Painted, win::RGN_DIFF);
        win::DeleteObject(all);
        return m;
    };
    // Asked again for parts already painted (single pixels, mostly): no region is made.
    const bool kept = std::all_of(Need.begin(), Need.end(), [&](const TRect& R) {
        const TRect r{std::max(R.Left, 0), std::max(R.Top, 0), std::min(R.Right, client.Width()),
                      std::min(R.Bottom, client.Height())};
        if (r.IsEmpty()) return true;
        if (r.Width() == 1 && r.Height() == 1) return win::PtInRegion(k.Painted, r.Left, r.Top) != win::FALSE;
        win::HRGN part = win::CreateRectRgn(r.Left, r.Top, r.Right, r.Bottom);
        const bool covered = win::CombineRgn(part, part, k.Painted, win::RGN_DIFF) == win::NULLREGION;
        win::DeleteObject(part);
        return covered;
    });
    if (kept) return k.DC;
    std::vector<TRect> wider = Need;
    if (More) More(wider);
    win::HRGN todo = missing(wider);
    const std::vector<TRect> rects = win::detail::GetRegionRects(todo);
    bool usable = true;
    if (!rects.empty()) {
        // Painted afresh over transparent pixels, so that a pixel the painting leaves alone shows.
        k.Clear(rects);
        const int saved = win::SaveDC(k.DC);
        win::SelectClipRgn(k.DC, todo);
        const auto dc = reinterpret_cast<win::WPARAM>(k.DC);
        Perform(win::WM_ERASEBKGND, dc, static_cast<win::LPARAM>(dc));
        Perform(win::WM_PAINT, dc, 0);
        win::RestoreDC(k.DC, saved);
        usable = k.Opaque(rects);
        // A painting that invalidates the control itself is taken again at the next request.
        if (usable) win::CombineRgn(k.Painted, k.Painted, todo, win::RGN_OR);
    }
    win::DeleteObject(todo);
    return usable ? k.DC : nullptr;
}

} // namespace vcl
