#pragma once
// The fixture of the tests that drive the GTK backend directly: a display with a recording sink, and
// windows of one colour shown on the screen.

#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <memory>

#include "GtkTestSupport.h"
#include "platform/backend/gtk/GtkBackend.h"
#include "platform/backend/gtk/GtkDisplay.h"
#include "platform/backend/gtk/GtkNativeWindow.h"

namespace gtktest {

using backend::EventKind;
using backend::InputEvent;
using backend::MouseButton;
using backend::NativeWindowInfo;
using vcl::TPoint;
using vcl::TRect;

constexpr std::uint32_t kBlue = 0x2040C0, kRed = 0xE01010, kGreen = 0x10A030;

struct SurfaceDeleter {
    void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};
using SurfacePtr = std::unique_ptr<cairo_surface_t, SurfaceDeleter>;

inline void FillRect(cairo_surface_t* s, int x, int y, int w, int h, std::uint32_t rgb) {
    cairo_t* cr = cairo_create(s);
    cairo_set_source_rgb(cr, ((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0);
    cairo_rectangle(cr, x, y, w, h);
    cairo_fill(cr);
    cairo_destroy(cr);
}

inline SurfacePtr Image(int w, int h, std::uint32_t rgb) {
    SurfacePtr s(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h));
    FillRect(s.get(), 0, 0, w, h, rgb);
    return s;
}

class GtkBackendTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!gtktest::HaveDisplay()) GTEST_SKIP() << "needs an X display: run under xvfb-run";
        display = std::make_unique<gtkbackend::GtkDisplay>();
        display->SetSink(&sink);
    }
    void TearDown() override {
        windows.clear();
        surfaces.clear();
        gtkbackend::SetFrameObserver(nullptr);
        gtkbackend::SetExceptionHandler(nullptr);
        if (display) gtktest::Pump(20);
        display.reset();
    }

    // Shows a window of one colour at bounds and waits until the screen shows it.
    gtkbackend::GtkNativeWindow* Show(const TRect& bounds, std::uint32_t rgb, NativeWindowInfo info = {}) {
        info.Bounds = bounds;
        auto native = display->CreateNativeWindow(info);
        SurfacePtr img = Image(bounds.Width(), bounds.Height(), rgb);
        native->SetVisible(true);
        native->Present(img.get(), TRect{0, 0, bounds.Width(), bounds.Height()});
        auto* raw = static_cast<gtkbackend::GtkNativeWindow*>(native.get());
        windows.push_back(std::move(native));
        surfaces.push_back(std::move(img));
        EXPECT_EQ(gtktest::WaitForPixel(bounds.Left + bounds.Width() / 2, bounds.Top + bounds.Height() / 2,
                                        rgb, 3000),
                  rgb);
        return raw;
    }
    cairo_surface_t* SurfaceOf(std::size_t i) { return surfaces.at(i).get(); }
    // Waits on the display until pred holds or ms passed; returns pred().
    bool Until(const std::function<bool()>& pred, int ms = 3000) {
        return gtktest::WaitUntil(*display, pred, ms);
    }
    // Lets the display handle what comes for ms.
    void Settle(int ms) {
        Until([] { return false; }, ms);
    }
    bool WaitFor(EventKind kind, std::size_t count = 1, int ms = 3000) {
        return Until([&] { return sink.Of(kind).size() >= count; }, ms);
    }
    void Focus(gtkbackend::GtkNativeWindow* w) {
        ASSERT_TRUE(gtktest::Xdo("windowfocus --sync " + std::to_string(gtktest::XidOf(w))));
        Until([&] { return gtk_window_is_active(GTK_WINDOW(w->Widget())); }, 2000);
        sink.Events.clear();
    }

    RecordingSink sink;
    std::unique_ptr<gtkbackend::GtkDisplay> display;
    std::vector<SurfacePtr> surfaces;
    std::vector<std::unique_ptr<backend::NativeWindow>> windows;
};

} // namespace gtktest
