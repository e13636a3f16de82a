// The offscreen backend: the display without a screen.

#include "platform/backend/offscreen/Offscreen.h"

#include <algorithm>

#include "platform/win/WindowInternal.h"

namespace offscreen {

class OffscreenWindow : public backend::NativeWindow {
public:
    OffscreenWindow(OffscreenDisplay* owner, const backend::NativeWindowInfo& info)
        : owner_(owner), info_(info) {
        bounds_ = info.Bounds;
        owner_->windows_.push_back(this);
    }
    ~OffscreenWindow() override {
        auto& v = owner_->windows_;
        v.erase(std::remove(v.begin(), v.end(), this), v.end());
        auto& s = owner_->stack_;
        s.erase(std::remove(s.begin(), s.end(), this), s.end());
        if (image_) cairo_surface_destroy(image_);
    }
    void SetBounds(const vcl::TRect& r) override { bounds_ = r; }
    void SetVisible(bool v) override { visible_ = v; }
    void SetTopmost(bool t) override { info_.Topmost = t; }
    void SetOpacity(std::uint8_t alpha, std::optional<std::uint32_t> key, bool perPixel) override {
        alpha_ = alpha;
        key_ = key;
        perPixel_ = perPixel;
    }
    void SetShape(const std::optional<std::vector<vcl::TRect>>& rects) override { shape_ = rects; }
    void SetTitle(const String& title) override { title_ = title; }
    void SetIcon(const std::vector<backend::IconImage>& images) override { icon_ = images; }
    void SetSizeLimits(vcl::TSize minimum, vcl::TSize maximum) override { limits_ = {minimum, maximum}; }
    void SetTextCaret(const std::optional<vcl::TRect>& caret) override { textCaret_ = caret; }
    void ResetTextInput() override { ++textResets_; }
    void Present(cairo_surface_t* surface, const vcl::TRect&) override {
        if (surface != image_) {
            cairo_surface_reference(surface);
            if (image_) cairo_surface_destroy(image_);
            image_ = surface;
        }
    }

    OffscreenDisplay* owner_;
    backend::NativeWindowInfo info_;
    vcl::TRect bounds_;
    bool visible_ = false;
    std::uint8_t alpha_ = 255;
    std::optional<std::uint32_t> key_;
    bool perPixel_ = false;
    std::optional<std::vector<vcl::TRect>> shape_;
    cairo_surface_t* image_ = nullptr;
    String title_;
    std::vector<backend::IconImage> icon_;
    std::pair<vcl::TSize, vcl::TSize> limits_;
    std::optional<vcl::TRect> textCaret_;
    int textResets_ = 0;
};

namespace {

std::vector<Monitor> DefaultMonitors() {
    return {Monitor{{0, 0, 1024, 768}, {0, 0, 1024, 738}, true, "DISPLAY1"}};
}

} // namespace

cairo_surface_t* OffscreenDisplay::Visible(cairo_surface_t* image, bool perPixel,
                                           std::optional<std::uint32_t> key, const vcl::TRect* part) {
    cairo_surface_flush(image);
    const vcl::TRect all{0, 0, cairo_image_surface_get_width(image), cairo_image_surface_get_height(image)};
    const vcl::TRect r = part ? *part : all;
    const int w = r.Width(), h = r.Height();
    cairo_surface_t* out = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    const unsigned char* src = cairo_image_surface_get_data(image);
    unsigned char* dst = cairo_image_surface_get_data(out);
    int ss = cairo_image_surface_get_stride(image), ds = cairo_image_surface_get_stride(out);
    for (int y = 0; y < h; ++y) {
        auto* s = reinterpret_cast<const std::uint32_t*>(src + (r.Top + y) * ss) + r.Left;
        auto* d = reinterpret_cast<std::uint32_t*>(dst + y * ds);
        for (int x = 0; x < w; ++x) {
            std::uint32_t p = s[x];
            if (!perPixel) p |= 0xFF000000u;
            if (key) {
                // The key is 0x00BBGGRR; the pixel is 0xAARRGGBB.
                std::uint32_t rgb = ((*key & 0xFF) << 16) | (*key & 0xFF00) | ((*key >> 16) & 0xFF);
                if ((p & 0xFFFFFF) == rgb && (p >> 24) == 0xFF) p = 0;
            }
            d[x] = p;
        }
    }
    cairo_surface_mark_dirty(out);
    return out;
}

OffscreenDisplay::OffscreenDisplay(std::vector<Monitor> monitors)
    : monitors_(monitors.empty() ? DefaultMonitors() : std::move(monitors)) {
    backend::WakeUpFd();
}

OffscreenDisplay::~OffscreenDisplay() = default;

std::unique_ptr<backend::NativeWindow>
OffscreenDisplay::CreateNativeWindow(const backend::NativeWindowInfo& info) {
    return std::make_unique<OffscreenWindow>(this, info);
}

void OffscreenDisplay::Restack(const std::vector<backend::NativeWindow*>& list) {
    stack_.clear();
    for (auto* n : list)
        if (auto* w = dynamic_cast<OffscreenWindow*>(n)) stack_.push_back(w);
}

backend::WaitResult OffscreenDisplay::Wait(std::optional<std::uint32_t> deadline) {
    // A wake-up (a signal handler's) ends the wait where the clock stands: what woke the loop is looked
    // at before any timer. Looked for without a system call while none was given.
    if (backend::WakeUpMayBePending() && backend::TakeWakeUp()) return backend::WaitResult::Event;
    if (!deadline) return backend::WaitResult::Idle;
    if (static_cast<std::int32_t>(*deadline - now_) > 0) now_ = *deadline;
    return backend::WaitResult::Deadline;
}

void OffscreenDisplay::SetMonitors(std::vector<Monitor> monitors) {
    monitors_ = monitors.empty() ? DefaultMonitors() : std::move(monitors);
}

void OffscreenDisplay::Deliver(const backend::InputEvent& ev) {
    if (!sink_) return;
    using backend::EventKind;
    const bool pointer = ev.Kind == EventKind::MouseMove || ev.Kind == EventKind::ButtonDown ||
                         ev.Kind == EventKind::ButtonUp || ev.Kind == EventKind::Wheel;
    if (!pointer) {
        sink_->Deliver(ev);
        return;
    }
    const unsigned bit = 1u << static_cast<unsigned>(ev.Button);
    auto over = [&](const std::vector<vcl::TRect>& rects) {
        return std::any_of(rects.begin(), rects.end(),
                           [&](const vcl::TRect& r) { return r.Contains(ev.Screen); });
    };
    const bool child = over(children_);
    const bool foreign =
        over(foreign_) || (child && !(ev.Kind == EventKind::ButtonDown && sink_->MouseCaptured()));
    if (heldButtons_) {
        // The grab of a press over ours: everything comes here until the last button is up.
        sink_->Deliver(ev);
        if (ev.Kind == EventKind::ButtonDown) heldButtons_ |= bit;
        if (ev.Kind == EventKind::ButtonUp) heldButtons_ &= ~bit;
        if (heldButtons_ || !foreign) return;
    } else if (!foreign) {
        away_ = false;
        if (ev.Kind == EventKind::ButtonDown) heldButtons_ |= bit;
        sink_->Deliver(ev);
        return;
    }
    if (away_) return;
    away_ = true;
    backend::InputEvent leave;
    leave.Kind = EventKind::MouseLeave;
    leave.Screen = ev.Screen;
    sink_->Deliver(leave);
}

cairo_surface_t* OffscreenDisplay::ComposeScreen() const {
    vcl::TRect u = monitors_.front().Bounds;
    for (const auto& m : monitors_)
        u = {std::min(u.Left, m.Bounds.Left), std::min(u.Top, m.Bounds.Top),
             std::max(u.Right, m.Bounds.Right), std::max(u.Bottom, m.Bounds.Bottom)};
    return ComposeScreen(u);
}

cairo_surface_t* OffscreenDisplay::ComposeScreen(const vcl::TRect& u) const {
    cairo_surface_t* screen = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, u.Width(), u.Height());
    cairo_t* cr = cairo_create(screen);
    cairo_set_source_rgb(cr, 0x3A / 255.0, 0x6E / 255.0, 0xA5 / 255.0); // the classic desktop colour
    cairo_paint(cr);
    for (auto it = stack_.rbegin(); it != stack_.rend(); ++it) {
        const OffscreenWindow* w = *it;
        if (!w->visible_ || !w->image_) continue;
        // Only the part of the image that lies in the part of the screen composed is made visible.
        const vcl::TRect image{0, 0, cairo_image_surface_get_width(w->image_),
                               cairo_image_surface_get_height(w->image_)};
        const vcl::TRect seen{std::max(image.Left, u.Left - w->bounds_.Left),
                              std::max(image.Top, u.Top - w->bounds_.Top),
                              std::min(image.Right, u.Right - w->bounds_.Left),
                              std::min(image.Bottom, u.Bottom - w->bounds_.Top)};
        if (seen.IsEmpty()) continue;
        cairo_surface_t* img = Visible(w->image_, w->perPixel_, w->key_, &seen);
        cairo_save(cr);
        double ox = w->bounds_.Left - u.Left, oy = w->bounds_.Top - u.Top;
        cairo_rectangle(cr, ox, oy, w->bounds_.Width(), w->bounds_.Height());
        cairo_clip(cr);
        if (w->shape_) {
            for (const auto& r : *w->shape_)
                cairo_rectangle(cr, ox + r.Left, oy + r.Top, r.Width(), r.Height());
            if (w->shape_->empty()) cairo_rectangle(cr, 0, 0, 0, 0);
            cairo_clip(cr);
        }
        cairo_set_source_surface(cr, img, ox + seen.Left, oy + seen.Top);
        cairo_paint_with_alpha(cr, w->alpha_ / 255.0);
        cairo_restore(cr);
        cairo_surface_destroy(img);
    }
    cairo_destroy(cr);
    cairo_surface_flush(screen);
    return screen;
}

const OffscreenWindow* OffscreenDisplay::Native(win::HWND window) const {
    win::detail::Wnd* w = win::detail::W(window);
    return w && w->IsTopLevel() ? dynamic_cast<const OffscreenWindow*>(w->Native.get()) : nullptr;
}

String OffscreenDisplay::WindowTitle(win::HWND window) const {
    const OffscreenWindow* n = Native(window);
    return n ? n->title_ : String();
}

std::vector<backend::IconImage> OffscreenDisplay::WindowIcon(win::HWND window) const {
    const OffscreenWindow* n = Native(window);
    return n ? n->icon_ : std::vector<backend::IconImage>{};
}

std::pair<vcl::TSize, vcl::TSize> OffscreenDisplay::WindowSizeLimits(win::HWND window) const {
    const OffscreenWindow* n = Native(window);
    return n ? n->limits_ : std::pair<vcl::TSize, vcl::TSize>{};
}

std::optional<vcl::TRect> OffscreenDisplay::TextCaret(win::HWND window) const {
    const OffscreenWindow* n = Native(window);
    return n ? n->textCaret_ : std::nullopt;
}

int OffscreenDisplay::TextInputResets(win::HWND window) const {
    const OffscreenWindow* n = Native(window);
    return n ? n->textResets_ : 0;
}

} // namespace offscreen

namespace backend {
std::unique_ptr<Backend> CreateOffscreenBackend() {
    return std::make_unique<offscreen::OffscreenDisplay>();
}
} // namespace backend
