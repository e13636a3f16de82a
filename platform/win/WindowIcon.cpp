// Window icons and titles as the backend shows them, and the program's icon.

#include "platform/win/WindowIcon.h"

#include <cairo.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "platform/rtl/Resources.h"
#include "platform/win/Metrics.h"
#include "platform/win/WindowInternal.h"

namespace win {

namespace {

unsigned Word(const vcl::String& b, std::size_t at) {
    return static_cast<unsigned char>(b[at]) | (static_cast<unsigned char>(b[at + 1]) << 8);
}

std::uint32_t Dword(const vcl::String& b, std::size_t at) {
    return Word(b, at) | (static_cast<std::uint32_t>(Word(b, at + 2)) << 16);
}

struct PngReader {
    const vcl::String* Bytes;
    std::size_t At = 0;
    std::size_t End = 0;
};

cairo_status_t ReadPng(void* closure, unsigned char* data, unsigned int length) {
    auto* r = static_cast<PngReader*>(closure);
    if (r->End - r->At < length) return CAIRO_STATUS_READ_ERROR;
    std::memcpy(data, r->Bytes->data() + r->At, length);
    r->At += length;
    return CAIRO_STATUS_SUCCESS;
}

bool DecodePng(const vcl::String& b, std::size_t at, std::size_t size, backend::IconImage& out) {
    PngReader r{&b, at, at + size};
    cairo_surface_t* s = cairo_image_surface_create_from_png_stream(ReadPng, &r);
    bool ok = cairo_surface_status(s) == CAIRO_STATUS_SUCCESS;
    if (ok) {
        cairo_surface_t* argb = s;
        if (cairo_image_surface_get_format(s) != CAIRO_FORMAT_ARGB32) {
            argb = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, cairo_image_surface_get_width(s),
                                              cairo_image_surface_get_height(s));
            cairo_t* cr = cairo_create(argb);
            cairo_set_source_surface(cr, s, 0, 0);
            cairo_paint(cr);
            cairo_destroy(cr);
        }
        cairo_surface_flush(argb);
        out.Width = cairo_image_surface_get_width(argb);
        out.Height = cairo_image_surface_get_height(argb);
        int stride = cairo_image_surface_get_stride(argb);
        const unsigned char* px = cairo_image_surface_get_data(argb);
        out.Pixels.resize(static_cast<std::size_t>(out.Width) * static_cast<std::size_t>(out.Height));
        for (int y = 0; y < out.Height; ++y)
            std::memcpy(&out.Pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(out.Width)],
                        px + static_cast<std::ptrdiff_t>(y) * stride,
                        static_cast<std::size_t>(out.Width) * 4);
        if (argb != s) cairo_surface_destroy(argb);
    }
    cairo_surface_destroy(s);
    return ok && out.Width > 0 && out.Height > 0;
}

// A 32-bit image of an icon file: a bitmap header whose height counts the colour rows and the mask's,
// bottom row first, straight (not premultiplied) alpha.
bool DecodeDib(const vcl::String& b, std::size_t at, std::size_t size, backend::IconImage& out) {
    if (size < 40 || Dword(b, at) < 40) return false;
    auto w = static_cast<std::int32_t>(Dword(b, at + 4)), h2 = static_cast<std::int32_t>(Dword(b, at + 8));
    unsigned bpp = Word(b, at + 14), compression = Dword(b, at + 16);
    int h = h2 / 2;
    if (bpp != 32 || compression != 0 || w <= 0 || w > 1024 || h <= 0 || h > 1024) return false;
    std::size_t pixels = Dword(b, at);
    if (pixels + static_cast<std::size_t>(w) * static_cast<std::size_t>(h) * 4 > size) return false;
    out.Width = w;
    out.Height = h;
    out.Pixels.resize(static_cast<std::size_t>(w) * static_cast<std::size_t>(h));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            std::uint32_t p = Dword(b, at + pixels + (static_cast<std::size_t>(h - 1 - y) * w + x) * 4);
            std::uint32_t a = p >> 24;
            auto pre = [a](std::uint32_t c) { return (c * a + 127) / 255; };
            out.Pixels[static_cast<std::size_t>(y) * w + x] =
                (a << 24) | (pre((p >> 16) & 0xFF) << 16) | (pre((p >> 8) & 0xFF) << 8) | pre(p & 0xFF);
        }
    return true;
}

backend::IconImage ImageOf(HICON icon) {
    return backend::IconImage{icon->Width, icon->Height, icon->Pixels};
}

} // namespace

std::vector<backend::IconImage> IconImagesFromFile(const vcl::String& b) {
    std::vector<backend::IconImage> out;
    if (b.size() < 6 || Word(b, 0) != 0 || Word(b, 2) != 1) return out;
    unsigned count = Word(b, 4);
    for (unsigned i = 0; i < count; ++i) {
        std::size_t entry = 6 + static_cast<std::size_t>(i) * 16;
        if (entry + 16 > b.size()) break;
        std::size_t size = Dword(b, entry + 8), at = Dword(b, entry + 12);
        if (at > b.size() || size > b.size() - at) continue;
        backend::IconImage img;
        bool png = size >= 8 && b.compare(at, 8, "\x89PNG\r\n\x1a\n") == 0;
        if (png ? DecodePng(b, at, size, img) : DecodeDib(b, at, size, img)) out.push_back(std::move(img));
    }
    std::stable_sort(out.begin(), out.end(), [](const auto& x, const auto& y) { return x.Width > y.Width; });
    return out;
}

HICON ProgramIcon(int size) {
    const auto& images = detail::ProgramIconImages();
    if (images.empty()) return nullptr;
    // The smallest image not smaller than asked for (DrawIconEx scales it down), else the largest.
    std::size_t best = 0;
    for (std::size_t i = 0; i < images.size(); ++i)
        if (images[i].Width >= size) best = i;
    static auto* made = new std::vector<HICON>(images.size(), nullptr);
    HICON& icon = (*made)[best];
    if (!icon)
        icon = detail::CreateIconFromPixels(images[best].Width, images[best].Height,
                                            images[best].Pixels.data(), true, POINT{});
    return icon;
}

namespace detail {

const std::vector<backend::IconImage>& ProgramIconImages() {
    static const auto* images = new std::vector<backend::IconImage>(
        vcl::ResourceExists("MAINICON", vcl::RT_GROUP_ICON)
            ? IconImagesFromFile(vcl::LoadResourceBytes("MAINICON", vcl::RT_GROUP_ICON))
            : std::vector<backend::IconImage>{});
    return *images;
}

LRESULT DefIconMessage(Wnd* w, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_GETICON) {
        if (wp == ICON_BIG) return reinterpret_cast<LRESULT>(w->IconBig);
        if (wp == ICON_SMALL) return reinterpret_cast<LRESULT>(w->IconSmall);
        if (wp == ICON_SMALL2) return reinterpret_cast<LRESULT>(w->IconSmall ? w->IconSmall : w->IconBig);
        return 0;
    }
    if (wp != ICON_BIG && wp != ICON_SMALL) return 0;
    HICON& slot = wp == ICON_BIG ? w->IconBig : w->IconSmall;
    HICON old = slot;
    slot = reinterpret_cast<HICON>(lp);
    if (w->Native) UpdateNativeTitleAndIcon(w);
    if (w->Style & WS_CAPTION) {
        w->FramePending = true;
        AddUpdate(w, nullptr, false, true);
    }
    return reinterpret_cast<LRESULT>(old);
}

void UpdateNativeTitleAndIcon(Wnd* root) {
    if (!root->Native) return;
    root->Native->SetTitle(root->Text);
    // The window's own icons, else its class's; none = the program's icon, which the backend shows.
    HICON big = root->IconBig, small = root->IconSmall;
    if (!big && !small && root->Class) {
        big = root->Class->Icon;
        small = root->Class->IconSm;
    }
    std::vector<backend::IconImage> images;
    for (HICON icon : {big, small})
        if (IsLiveIcon(icon) && (icon != small || small != big)) images.push_back(ImageOf(icon));
    root->Native->SetIcon(images);
}

HICON CaptionIcon(Wnd* w) {
    for (HICON icon : {w->IconSmall, w->IconBig, w->Class ? w->Class->IconSm : nullptr,
                       w->Class ? w->Class->Icon : nullptr})
        if (IsLiveIcon(icon)) return icon;
    return ProgramIcon(GetSystemMetrics(SM_CXSMICON));
}

} // namespace detail

} // namespace win
