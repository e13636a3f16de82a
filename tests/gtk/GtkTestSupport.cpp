// Test helpers on the X server.

#include "GtkTestSupport.h"

// Before the X headers: their macros (None) clash with its names.
#include <gtest/gtest.h>

#include <gdk/gdkx.h>
#include <gtk/gtk.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "platform/backend/gtk/GtkNativeWindow.h"

namespace gtktest {

bool Xdo(const std::string& args) {
    return std::system(("xdotool " + args + " >/dev/null 2>&1").c_str()) == 0;
}

unsigned long XidOf(backend::NativeWindow* window) {
    auto* w = dynamic_cast<gtkbackend::GtkNativeWindow*>(window);
    if (!w || !w->Gdk()) return 0;
    return gdk_x11_window_get_xid(w->Gdk());
}

std::function<bool()> XdoStep(const std::string& args) {
    return [args] {
        EXPECT_TRUE(Xdo(args)) << args;
        return true;
    };
}

std::string At(vcl::TPoint p) {
    return std::to_string(p.X) + " " + std::to_string(p.Y);
}

std::uint32_t Rgb(vcl::TColor c) {
    auto v = static_cast<std::uint32_t>(vcl::ColorToRGB(c));
    return ((v & 0xFF) << 16) | (v & 0xFF00) | ((v >> 16) & 0xFF);
}

namespace {

GdkPixbuf* Grab(int x, int y, int w, int h) {
    if (w <= 0 || h <= 0) return nullptr;
    return gdk_pixbuf_get_from_window(gdk_get_default_root_window(), x, y, w, h);
}

} // namespace

std::uint32_t ScreenPixel(int x, int y) {
    std::vector<std::uint32_t> p = ScreenPixels(x, y, 1, 1);
    return p.empty() ? 0xFFFFFFFF : p[0];
}

std::vector<std::uint32_t> ScreenPixels(int x, int y, int w, int h) {
    std::vector<std::uint32_t> out;
    GdkPixbuf* pb = Grab(x, y, w, h);
    if (!pb) return out;
    const guchar* data = gdk_pixbuf_read_pixels(pb);
    int stride = gdk_pixbuf_get_rowstride(pb), channels = gdk_pixbuf_get_n_channels(pb);
    int pw = gdk_pixbuf_get_width(pb), ph = gdk_pixbuf_get_height(pb);
    out.reserve(static_cast<std::size_t>(pw) * static_cast<std::size_t>(ph));
    for (int row = 0; row < ph; ++row)
        for (int col = 0; col < pw; ++col) {
            const guchar* p = data + row * stride + col * channels;
            out.push_back((std::uint32_t(p[0]) << 16) | (std::uint32_t(p[1]) << 8) | p[2]);
        }
    g_object_unref(pb);
    return out;
}

bool WriteScreenPng(int x, int y, int w, int h, const std::string& path) {
    GdkPixbuf* pb = Grab(x, y, w, h);
    if (!pb) return false;
    GError* error = nullptr;
    bool ok = gdk_pixbuf_save(pb, path.c_str(), "png", &error, nullptr);
    if (error) g_error_free(error);
    g_object_unref(pb);
    return ok;
}

void Pump(int ms) {
    auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    do {
        gdk_display_sync(gdk_display_get_default());
        while (g_main_context_iteration(nullptr, FALSE)) {
        }
        g_usleep(2000);
    } while (std::chrono::steady_clock::now() < end);
}

bool PumpUntil(const std::function<bool()>& pred, int timeoutMs) {
    auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!pred()) {
        if (std::chrono::steady_clock::now() >= end) return pred();
        Pump(5);
    }
    return true;
}

std::uint32_t WaitForPixel(int x, int y, std::uint32_t rgb, int timeoutMs) {
    std::uint32_t last = 0;
    PumpUntil([&] { return (last = ScreenPixel(x, y)) == rgb; }, timeoutMs);
    return last;
}

unsigned long RootXid() {
    return gdk_x11_window_get_xid(gdk_get_default_root_window());
}

bool CapsLockOn() {
    return gdk_keymap_get_caps_lock_state(gdk_keymap_get_for_display(gdk_display_get_default()));
}

bool HaveDisplay() {
    const char* d = std::getenv("DISPLAY");
    return d && *d;
}

bool HaveWindowManager() {
    // The display is opened here when no test has opened it yet (a run of the window manager's tests alone).
    if (!HaveDisplay() || !gtk_init_check(nullptr, nullptr)) return false;
    GdkScreen* screen = gdk_screen_get_default();
    return GDK_IS_X11_SCREEN(screen) &&
           gdk_x11_screen_supports_net_wm_hint(screen, gdk_atom_intern_static_string("_NET_ACTIVE_WINDOW"));
}

std::string XProp(unsigned long xid, const std::string& arguments) {
    return Output("xprop -id " + std::to_string(xid) + " " + arguments);
}

long XAtom(const char* name) {
    return static_cast<long>(XInternAtom(gdk_x11_get_default_xdisplay(), name, False));
}

bool SendToWindowManager(unsigned long xid, const char* type, const std::vector<long>& data) {
    Display* x = gdk_x11_get_default_xdisplay();
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = xid;
    e.xclient.message_type = XInternAtom(x, type, False);
    e.xclient.format = 32;
    for (std::size_t i = 0; i < data.size() && i < 5; ++i)
        e.xclient.data.l[i] = data[i];
    const Status sent =
        XSendEvent(x, DefaultRootWindow(x), False, SubstructureRedirectMask | SubstructureNotifyMask, &e);
    XSync(x, False);
    return sent != 0;
}

bool WindowManagerMaximized(unsigned long xid) {
    const std::string state = XProp(xid, "_NET_WM_STATE");
    return state.find("_NET_WM_STATE_MAXIMIZED_VERT") != std::string::npos &&
           state.find("_NET_WM_STATE_MAXIMIZED_HORZ") != std::string::npos;
}

vcl::TRect XGeometry(unsigned long xid) {
    Display* x = gdk_x11_get_default_xdisplay();
    Window root = 0, child = 0;
    int wx = 0, wy = 0, rx = 0, ry = 0;
    unsigned w = 0, h = 0, border = 0, depth = 0;
    gdk_x11_display_error_trap_push(gdk_display_get_default());
    const bool ok = XGetGeometry(x, xid, &root, &wx, &wy, &w, &h, &border, &depth) &&
                    XTranslateCoordinates(x, xid, root, 0, 0, &rx, &ry, &child);
    if (gdk_x11_display_error_trap_pop(gdk_display_get_default()) || !ok) return {};
    return vcl::TRect{rx, ry, rx + static_cast<int>(w), ry + static_cast<int>(h)};
}

std::string Output(const std::string& command) {
    std::string out;
    FILE* p = popen((command + " 2>/dev/null").c_str(), "r");
    if (!p) return out;
    char buf[4096];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, p)) > 0)
        out.append(buf, n);
    pclose(p);
    return out;
}

std::string KeyboardLayout() {
    const std::string query = Output("setxkbmap -query");
    const std::size_t at = query.find("layout:");
    if (at == std::string::npos) return {};
    const std::size_t from = query.find_first_not_of(' ', at + 7);
    const std::size_t end = query.find('\n', at);
    return from == std::string::npos || from >= end ? std::string() : query.substr(from, end - from);
}

namespace {

constexpr const char* kForeignKey = "kalvenor-test-foreign";

void Fill(cairo_t* cr, std::uint32_t c) {
    cairo_set_source_rgb(cr, ((c >> 16) & 0xFF) / 255.0, ((c >> 8) & 0xFF) / 255.0, (c & 0xFF) / 255.0);
    cairo_paint(cr);
}

gboolean PaintForeign(GtkWidget*, cairo_t* cr, gpointer rgb) {
    Fill(cr, static_cast<std::uint32_t>(GPOINTER_TO_UINT(rgb)));
    return TRUE;
}

GtkWidget* ForeignArea() {
    GtkWidget* area = gtk_drawing_area_new();
    gtk_widget_add_events(area, GDK_POINTER_MOTION_MASK | GDK_BUTTON_PRESS_MASK | GDK_BUTTON_RELEASE_MASK |
                                    GDK_ENTER_NOTIFY_MASK | GDK_LEAVE_NOTIFY_MASK);
    return area;
}

gboolean PlaceForeign(GtkOverlay*, GtkWidget* child, GdkRectangle* allocation, gpointer) {
    auto* rect = static_cast<const vcl::TRect*>(g_object_get_data(G_OBJECT(child), kForeignKey));
    if (!rect) return FALSE;
    *allocation = GdkRectangle{rect->Left, rect->Top, rect->Width(), rect->Height()};
    return TRUE;
}

} // namespace

std::unique_ptr<ForeignWindow> ForeignWindow::Over(backend::NativeWindow* window, const vcl::TRect& rect,
                                                   std::uint32_t rgb) {
    auto* native = dynamic_cast<gtkbackend::GtkNativeWindow*>(window);
    if (!native) return nullptr;
    std::unique_ptr<ForeignWindow> f(new ForeignWindow);
    f->FRect = rect;
    f->FRgb = rgb;
    // The window's drawing becomes the main child of an overlay that carries the widget above it.
    GtkWidget* host = native->Widget();
    GtkWidget* drawing = gtk_bin_get_child(GTK_BIN(host));
    g_object_ref(drawing);
    gtk_container_remove(GTK_CONTAINER(host), drawing);
    GtkWidget* overlay = gtk_overlay_new();
    gtk_container_add(GTK_CONTAINER(overlay), drawing);
    g_object_unref(drawing);
    g_signal_connect(overlay, "get-child-position", G_CALLBACK(PlaceForeign), nullptr);
    gtk_container_add(GTK_CONTAINER(host), overlay);
    GtkWidget* area = ForeignArea();
    g_object_set_data(G_OBJECT(area), kForeignKey, &f->FRect);
    g_signal_connect(area, "draw", G_CALLBACK(+[](GtkWidget*, cairo_t* cr, gpointer self) -> gboolean {
                         auto* fw = static_cast<ForeignWindow*>(self);
                         if (fw->FPainting) Fill(cr, fw->FRgb);
                         return TRUE;
                     }),
                     f.get());
    gtk_overlay_add_overlay(GTK_OVERLAY(overlay), area);
    gtk_widget_show_all(overlay);
    f->FWidget = area;
    g_object_add_weak_pointer(G_OBJECT(area), &f->FWidget);
    return f;
}

std::unique_ptr<ForeignWindow> ForeignWindow::TopLevel(const vcl::TRect& rect, std::uint32_t rgb) {
    std::unique_ptr<ForeignWindow> f(new ForeignWindow);
    f->FRect = rect;
    f->FRgb = rgb;
    GtkWidget* win = gtk_window_new(GTK_WINDOW_POPUP);
    gtk_window_set_default_size(GTK_WINDOW(win), rect.Width(), rect.Height());
    gtk_window_move(GTK_WINDOW(win), rect.Left, rect.Top);
    GtkWidget* area = ForeignArea();
    g_signal_connect(area, "draw", G_CALLBACK(PaintForeign), GUINT_TO_POINTER(rgb));
    gtk_container_add(GTK_CONTAINER(win), area);
    gtk_widget_show_all(win);
    f->FWidget = win;
    g_object_add_weak_pointer(G_OBJECT(win), &f->FWidget);
    return f;
}

ForeignWindow::~ForeignWindow() {
    if (!FWidget) return;
    g_object_remove_weak_pointer(G_OBJECT(FWidget), &FWidget);
    gtk_widget_destroy(static_cast<GtkWidget*>(FWidget));
}

namespace {
GdkFilterReturn RecordExpose(GdkXEvent* xevent, GdkEvent*, gpointer self) {
    auto* e = static_cast<XEvent*>(xevent);
    if (e->type == Expose)
        static_cast<ExposeRecorder*>(self)->Rects.push_back(vcl::TRect{
            e->xexpose.x, e->xexpose.y, e->xexpose.x + e->xexpose.width, e->xexpose.y + e->xexpose.height});
    return GDK_FILTER_CONTINUE;
}
} // namespace

ExposeRecorder::ExposeRecorder(backend::NativeWindow* window) {
    auto* native = dynamic_cast<gtkbackend::GtkNativeWindow*>(window);
    if (!native || !native->Gdk()) {
        ADD_FAILURE() << "no X window to watch";
        return;
    }
    FWindow = native->Gdk();
    gdk_window_add_filter(static_cast<GdkWindow*>(FWindow), RecordExpose, this);
    gdk_display_sync(gdk_display_get_default());
}

ExposeRecorder::~ExposeRecorder() {
    if (FWindow) gdk_window_remove_filter(static_cast<GdkWindow*>(FWindow), RecordExpose, this);
}

std::vector<backend::InputEvent> RecordingSink::Of(backend::EventKind kind) const {
    std::vector<backend::InputEvent> out;
    for (const auto& e : Events)
        if (e.Kind == kind) out.push_back(e);
    return out;
}

bool WaitUntil(backend::Backend& b, const std::function<bool()>& pred, int timeoutMs) {
    std::uint32_t end = b.TickCount() + static_cast<std::uint32_t>(timeoutMs);
    while (!pred()) {
        if (static_cast<std::int32_t>(end - b.TickCount()) <= 0) return pred();
        // A short deadline each time, so that a quiet X server cannot hold the test.
        std::uint32_t next = b.TickCount() + 20;
        b.Wait(static_cast<std::int32_t>(next - end) > 0 ? end : next);
    }
    return true;
}

} // namespace gtktest
