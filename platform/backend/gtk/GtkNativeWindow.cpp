// A top-level window on GTK.

#include "platform/backend/gtk/GtkNativeWindow.h"

#include <algorithm>
#include <cmath>

#include "platform/backend/gtk/GtkDisplay.h"
#include "platform/backend/gtk/GtkGuard.h"
#include "platform/backend/gtk/GtkIcon.h"
#include "platform/backend/gtk/GtkKeys.h"
#include "platform/rtl/Unicode.h"

// Last: X11's macros would clash with names in the headers above.
#include <gdk/gdkx.h>

namespace gtkbackend {

using backend::EventKind;
using backend::InputEvent;
using backend::MouseButton;
using vcl::TPoint;
using vcl::TRect;

namespace {

// The platform's wheel step (GLib's TRUE/FALSE keep the window headers out of here).
constexpr int kWheelDelta = 120;

TPoint RootPoint(double x, double y) {
    return TPoint{static_cast<int>(std::floor(x)), static_cast<int>(std::floor(y))};
}

std::optional<MouseButton> ButtonOf(guint button) {
    switch (button) {
    case 1:
        return MouseButton::Left;
    case 2:
        return MouseButton::Middle;
    case 3:
        return MouseButton::Right;
    case 8:
        return MouseButton::X1;
    case 9:
        return MouseButton::X2;
    default:
        return std::nullopt;
    }
}

unsigned Bit(MouseButton b) {
    return 1u << static_cast<unsigned>(b);
}

} // namespace

GtkNativeWindow::GtkNativeWindow(GtkDisplay& display, const backend::NativeWindowInfo& info, GtkWindow* owner)
    : FDisplay(display), FBounds(info.Bounds) {
    FWindow = gtk_window_new(info.Popup ? GTK_WINDOW_POPUP : GTK_WINDOW_TOPLEVEL);
    GtkWindow* win = GTK_WINDOW(FWindow);
    gtk_window_set_decorated(win, FALSE);
    gtk_window_set_title(win, "");
    if (info.ToolWindow) {
        gtk_window_set_skip_taskbar_hint(win, TRUE);
        gtk_window_set_skip_pager_hint(win, TRUE);
        if (!info.Popup) gtk_window_set_type_hint(win, GDK_WINDOW_TYPE_HINT_UTILITY);
    }
    if (info.Topmost) gtk_window_set_keep_above(win, TRUE);
    FTakesNoActivation = info.NoActivate || info.Popup;
    if (FTakesNoActivation) {
        gtk_window_set_accept_focus(win, FALSE);
        gtk_window_set_focus_on_map(win, FALSE);
    }
    if (owner) gtk_window_set_transient_for(win, owner);
    ApplyGeometryHints();
    // An RGBA visual only where a compositor blends it; elsewhere transparent pixels are cut by the shape.
    GdkScreen* screen = gtk_widget_get_screen(FWindow);
    if (gdk_screen_is_composited(screen))
        if (GdkVisual* v = gdk_screen_get_rgba_visual(screen)) {
            gtk_widget_set_visual(FWindow, v);
            FRgba = true;
        }
    gtk_widget_set_app_paintable(FWindow, TRUE);

    FArea = gtk_drawing_area_new();
    gtk_widget_set_app_paintable(FArea, TRUE);
    gtk_widget_add_events(FArea, GDK_POINTER_MOTION_MASK | GDK_BUTTON_PRESS_MASK | GDK_BUTTON_RELEASE_MASK |
                                     GDK_SCROLL_MASK | GDK_SMOOTH_SCROLL_MASK | GDK_ENTER_NOTIFY_MASK |
                                     GDK_LEAVE_NOTIFY_MASK);
    gtk_container_add(GTK_CONTAINER(FWindow), FArea);
    gtk_widget_add_events(FWindow, GDK_KEY_PRESS_MASK | GDK_KEY_RELEASE_MASK | GDK_FOCUS_CHANGE_MASK |
                                       GDK_STRUCTURE_MASK);

    g_signal_connect(FArea, "draw", G_CALLBACK(OnDraw), this);
    g_signal_connect(FArea, "motion-notify-event", G_CALLBACK(OnMotion), this);
    g_signal_connect(FArea, "button-press-event", G_CALLBACK(OnButtonPress), this);
    g_signal_connect(FArea, "button-release-event", G_CALLBACK(OnButtonRelease), this);
    g_signal_connect(FArea, "scroll-event", G_CALLBACK(OnScroll), this);
    g_signal_connect(FArea, "enter-notify-event", G_CALLBACK(OnCrossing), this);
    g_signal_connect(FArea, "leave-notify-event", G_CALLBACK(OnCrossing), this);
    g_signal_connect(FArea, "realize", G_CALLBACK(OnRealize), this);
    g_signal_connect(FWindow, "configure-event", G_CALLBACK(OnConfigure), this);
    // After GTK's own handler, so that GTK knows the new state when a restore's bounds are asked for there.
    g_signal_connect_after(FWindow, "window-state-event", G_CALLBACK(OnWindowState), this);
    g_signal_connect(FWindow, "delete-event", G_CALLBACK(OnDelete), this);
    g_signal_connect(FWindow, "focus-in-event", G_CALLBACK(OnFocusIn), this);
    g_signal_connect(FWindow, "focus-out-event", G_CALLBACK(OnFocusOut), this);
    g_signal_connect(FWindow, "map-event", G_CALLBACK(OnMap), this);
    g_signal_connect(FWindow, "key-press-event", G_CALLBACK(OnKeyPress), this);
    g_signal_connect(FWindow, "key-release-event", G_CALLBACK(OnKeyRelease), this);

    gtk_window_set_default_size(win, std::max(FBounds.Width(), 1), std::max(FBounds.Height(), 1));
    gtk_window_move(win, FBounds.Left, FBounds.Top);
    gtk_widget_show(FArea);
    // Every X event passes here first: the window manager's frame is none of GDK's windows.
    gdk_window_add_filter(nullptr, OnXEvent, this);
    FDisplay.WindowCreated(this);
}

GtkNativeWindow::~GtkNativeWindow() {
    FDisplay.WindowDestroyed(this);
    gdk_window_remove_filter(nullptr, OnXEvent, this);
    FTextInput.reset();
    g_signal_handlers_disconnect_by_data(FArea, this);
    g_signal_handlers_disconnect_by_data(FWindow, this);
    gtk_widget_destroy(FWindow);
    if (FSurface) cairo_surface_destroy(FSurface);
    // The window leaves the screen now, not at the next turn of the loop: the last window of a program
    // that ends (freeing its forms, then its libraries) would otherwise stay up until the process is gone.
    gdk_display_flush(gdk_display_get_default());
}

InputEvent GtkNativeWindow::Event(EventKind kind) const {
    InputEvent e;
    e.Kind = kind;
    e.Window = const_cast<GtkNativeWindow*>(this);
    return e;
}

// ---- Requests from the window system

void GtkNativeWindow::SetVisible(bool visible) {
    if (visible == FVisible) return;
    FVisible = visible;
    if (!visible) {
        const bool focused = gtk_window_is_active(GTK_WINDOW(FWindow));
        gtk_widget_hide(FWindow);
        if (focused) FDisplay.FocusedWindowHidden(this);
        return;
    }
    // Position again: a window manager may have placed the window while it was hidden. The window maps at
    // the bounds asked for last.
    gtk_window_move(GTK_WINDOW(FWindow), FBounds.Left, FBounds.Top);
    FSeen = FBounds;
    // Mapped in the window system's state: a hidden window is held by no window manager, and GTK would map
    // it in the state last asked of it.
    if (WindowManagerMaximizes()) {
        FMaximizeAsked = FWanted == backend::WindowState::Maximized;
        if (FMaximizeAsked)
            gtk_window_maximize(GTK_WINDOW(FWindow));
        else
            gtk_window_unmaximize(GTK_WINDOW(FWindow));
    }
    ShapeBeforeMap();
    gtk_widget_show(FWindow);
}

void GtkNativeWindow::ShapeBeforeMap() {
    // GDK gives a top-level window its shape only once it is mapped: the pixels the shape cuts away would
    // show for a moment, and the windows under them would have to paint them over (the browser's view does
    // not). The X server takes the shape before the window maps; GDK's own, the same, changes nothing.
    if (!gtk_widget_get_realized(FWindow)) gtk_widget_realize(FWindow);
    ApplyShape();
    SetServerShape(Gdk(), Shape().get());
}

void GtkNativeWindow::SetTopmost(bool topmost) {
    gtk_window_set_keep_above(GTK_WINDOW(FWindow), topmost);
}

void GtkNativeWindow::SetOwner(backend::NativeWindow* owner) {
    // WM_TRANSIENT_FOR: the window manager keeps the window above its owner, and raises it with it. A box
    // owned by a window that is raised by a click stays over it rather than hidden behind it.
    auto* o = dynamic_cast<GtkNativeWindow*>(owner);
    GtkWindow* parent = o && o != this ? GTK_WINDOW(o->FWindow) : nullptr;
    if (gtk_window_get_transient_for(GTK_WINDOW(FWindow)) != parent)
        gtk_window_set_transient_for(GTK_WINDOW(FWindow), parent);
}

void GtkNativeWindow::SetOpacity(std::uint8_t alpha, std::optional<std::uint32_t> colorKey,
                                 bool perPixelAlpha) {
    bool maskChanged = colorKey != FColorKey || perPixelAlpha != FPerPixel;
    FColorKey = colorKey;
    FPerPixel = perPixelAlpha;
    if (alpha != FAlpha) {
        FAlpha = alpha;
        gtk_widget_set_opacity(FWindow, alpha / 255.0);
    }
    if (maskChanged) {
        if (FColorKey || (FPerPixel && !FRgba)) {
            if (FSurface) FMask = VisiblePixels(FSurface, FColorKey, FPerPixel && !FRgba);
        } else
            FMask.reset();
        ApplyShape();
        gtk_widget_queue_draw(FArea);
    }
}

void GtkNativeWindow::SetShape(const std::optional<std::vector<TRect>>& rects) {
    if (rects)
        FShape = RegionFromRects(*rects);
    else
        FShape.reset();
    ApplyShape();
}

RegionPtr GtkNativeWindow::Shape() const {
    int w = FSurface ? cairo_image_surface_get_width(FSurface) : std::max(FBounds.Width(), 1);
    int h = FSurface ? cairo_image_surface_get_height(FSurface) : std::max(FBounds.Height(), 1);
    return CombineShape(FShape.get(), FMask.get(), w, h);
}

void GtkNativeWindow::ApplyShape() {
    RegionPtr shape = Shape();
    gtk_widget_shape_combine_region(FWindow, shape.get());
    gtk_widget_input_shape_combine_region(FWindow, shape.get());
}

void GtkNativeWindow::Present(cairo_surface_t* surface, const TRect& dirty) {
    if (!surface) return;
    if (surface != FSurface) {
        cairo_surface_reference(surface);
        if (FSurface) cairo_surface_destroy(FSurface);
        FSurface = surface;
    }
    if (FColorKey || (FPerPixel && !FRgba)) {
        FMask = VisiblePixels(FSurface, FColorKey, FPerPixel && !FRgba);
        ApplyShape();
    }
    gtk_widget_queue_draw_area(FArea, dirty.Left, dirty.Top, dirty.Width(), dirty.Height());
}

void GtkNativeWindow::SetTitle(const vcl::String& title) {
    // GTK takes only well-formed UTF-8: whatever is not becomes U+FFFD.
    gtk_window_set_title(GTK_WINDOW(FWindow), vcl::Utf16ToUtf8(vcl::Utf8ToUtf16(title)).c_str());
}

void GtkNativeWindow::SetIcon(const std::vector<backend::IconImage>& images) {
    FIcon = NetWmIcon(images);
    ApplyIcon();
}

void GtkNativeWindow::ApplyIcon() {
    // None of its own: the program's icon. A window not yet realized gets it when it is.
    if (GdkWindow* g = Gdk()) SetNetWmIcon(g, FIcon.empty() ? FDisplay.ProgramIcon() : FIcon);
}

void GtkNativeWindow::SetSizeLimits(vcl::TSize minimum, vcl::TSize maximum) {
    if (minimum == FMinSize && maximum == FMaxSize) return;
    FMinSize = minimum;
    FMaxSize = maximum;
    ApplyGeometryHints();
}

void GtkNativeWindow::ApplyGeometryHints() {
    // The window system places every window itself: a window manager is to take the place as given, as
    // it does a place the user chose, not put the window where its own placement policy would. It sizes
    // the window within the window system's limits (WM_GETMINMAXINFO); a limit of zero is none.
    GdkGeometry geometry{};
    int hints = GDK_HINT_USER_POS;
    if (FMinSize.cx > 0 || FMinSize.cy > 0) {
        geometry.min_width = std::max(FMinSize.cx, 1);
        geometry.min_height = std::max(FMinSize.cy, 1);
        hints |= GDK_HINT_MIN_SIZE;
    }
    if (FMaxSize.cx > 0 || FMaxSize.cy > 0) {
        geometry.max_width = FMaxSize.cx > 0 ? FMaxSize.cx : G_MAXSHORT;
        geometry.max_height = FMaxSize.cy > 0 ? FMaxSize.cy : G_MAXSHORT;
        hints |= GDK_HINT_MAX_SIZE;
    }
    gtk_window_set_geometry_hints(GTK_WINDOW(FWindow), nullptr, &geometry,
                                  static_cast<GdkWindowHints>(hints));
}

void GtkNativeWindow::ApplyCursor(GdkCursor* cursor) {
    if (GdkWindow* g = gtk_widget_get_window(FArea)) gdk_window_set_cursor(g, cursor);
}

// ---- Drawing

void GtkNativeWindow::Draw(cairo_t* cr) {
    if (!FSurface) return;
    cairo_surface_flush(FSurface);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    if (FPerPixel && FRgba) {
        cairo_set_source_surface(cr, FSurface, 0, 0);
        cairo_paint(cr);
    } else {
        // An ordinary window's pixels are opaque whatever their alpha byte says, as on the platform.
        cairo_surface_t* opaque = cairo_image_surface_create_for_data(
            cairo_image_surface_get_data(FSurface), CAIRO_FORMAT_RGB24,
            cairo_image_surface_get_width(FSurface), cairo_image_surface_get_height(FSurface),
            cairo_image_surface_get_stride(FSurface));
        cairo_set_source_surface(cr, opaque, 0, 0);
        cairo_paint(cr);
        cairo_surface_destroy(opaque);
    }
}

gboolean GtkNativeWindow::OnDraw(GtkWidget*, cairo_t* cr, gpointer self) {
    auto* w = static_cast<GtkNativeWindow*>(self);
    GuardedVoid([&] { w->Draw(cr); });
    GuardedVoid([&] { w->FDisplay.FrameShown(w); });
    return TRUE;
}

void GtkNativeWindow::OnRealize(GtkWidget*, gpointer self) {
    auto* w = static_cast<GtkNativeWindow*>(self);
    GuardedVoid([&] {
        w->ApplyCursor(w->FDisplay.CurrentCursor());
        w->ApplyIcon();
    });
}

// ---- The window manager's side (its answers and decisions: GtkNativeWindowState.cpp)

gboolean GtkNativeWindow::OnDelete(GtkWidget*, GdkEvent*, gpointer self) {
    auto* w = static_cast<GtkNativeWindow*>(self);
    GuardedVoid([&] { w->FDisplay.Post(w->Event(EventKind::CloseRequest)); });
    return TRUE; // the window system decides whether the window goes
}

void GtkNativeWindow::FocusCame() {
    FDisplay.FocusEntered();
    // The keyboard reaches a popup (a menu, a drop-down, a key tip) only where it follows the pointer: the
    // application keeps the focus, and the activation stays where the window system has it, with the
    // popup's owner. Popups are activated by the window system alone (a click, a showing).
    if (!FTakesNoActivation) FDisplay.Post(Event(EventKind::Activate));
}

gboolean GtkNativeWindow::OnFocusIn(GtkWidget*, GdkEventFocus*, gpointer self) {
    auto* w = static_cast<GtkNativeWindow*>(self);
    GuardedVoid([&] {
        w->FocusCame();
        w->TextInputFocus(true);
    });
    return FALSE;
}

gboolean GtkNativeWindow::OnFocusOut(GtkWidget*, GdkEventFocus*, gpointer self) {
    auto* w = static_cast<GtkNativeWindow*>(self);
    GuardedVoid([&] {
        w->FDisplay.FocusLeft();
        w->TextInputFocus(false);
    });
    return FALSE;
}

gboolean GtkNativeWindow::OnMap(GtkWidget*, GdkEvent*, gpointer self) {
    auto* w = static_cast<GtkNativeWindow*>(self);
    GuardedVoid([&] {
        w->WatchFrame();
        w->FDisplay.WindowMapped(w);
    });
    return FALSE;
}

// ---- Mouse

void GtkNativeWindow::ReleaseButtonsNotIn(unsigned state, TPoint at) {
    // A release the window manager kept (after a move or size drag) or that went elsewhere.
    struct {
        MouseButton Button;
        unsigned Mask;
    } const masks[] = {{MouseButton::Left, GDK_BUTTON1_MASK},
                       {MouseButton::Middle, GDK_BUTTON2_MASK},
                       {MouseButton::Right, GDK_BUTTON3_MASK}};
    for (const auto& m : masks)
        if ((FButtons & Bit(m.Button)) && !(state & m.Mask)) {
            FButtons &= ~Bit(m.Button);
            InputEvent e = Event(EventKind::ButtonUp);
            e.Button = m.Button;
            e.Screen = at;
            FDisplay.Post(e);
        }
}

gboolean GtkNativeWindow::OnMotion(GtkWidget*, GdkEventMotion* e, gpointer self) {
    auto* w = static_cast<GtkNativeWindow*>(self);
    GuardedVoid([&] {
        TPoint at = RootPoint(e->x_root, e->y_root);
        w->ReleaseButtonsNotIn(e->state, at);
        InputEvent ev = w->Event(EventKind::MouseMove);
        ev.Screen = at;
        w->FDisplay.Post(ev);
    });
    return TRUE;
}

gboolean GtkNativeWindow::OnButtonPress(GtkWidget*, GdkEventButton* e, gpointer self) {
    auto* w = static_cast<GtkNativeWindow*>(self);
    GuardedVoid([&] {
        // Double clicks are the window system's to recognise: GDK's own 2- and 3-press events are dropped.
        if (e->type != GDK_BUTTON_PRESS) return;
        std::optional<MouseButton> b = ButtonOf(e->button);
        if (!b) return;
        w->FButtons |= Bit(*b);
        w->FDisplay.ForgetOrphanButton(Bit(*b));
        InputEvent ev = w->Event(EventKind::ButtonDown);
        ev.Button = *b;
        ev.Screen = RootPoint(e->x_root, e->y_root);
        w->FDisplay.Post(ev);
    });
    return TRUE;
}

gboolean GtkNativeWindow::OnButtonRelease(GtkWidget*, GdkEventButton* e, gpointer self) {
    auto* w = static_cast<GtkNativeWindow*>(self);
    GuardedVoid([&] {
        std::optional<MouseButton> b = ButtonOf(e->button);
        if (!b) return;
        // A release without its press here counts only when the window that saw the press is gone.
        if (w->FButtons & Bit(*b))
            w->FButtons &= ~Bit(*b);
        else if (!w->FDisplay.TakeOrphanButton(Bit(*b)))
            return;
        InputEvent ev = w->Event(EventKind::ButtonUp);
        ev.Button = *b;
        ev.Screen = RootPoint(e->x_root, e->y_root);
        w->FDisplay.Post(ev);
    });
    return TRUE;
}

// A native child widget (the browser's view) takes its own presses, unless the window system holds the
// mouse capture (a menu is open): then the press is the capture's, as the window system's own children's
// are, and the child sees neither it nor its release. The display hands each button event of a widget in
// this window here before GTK delivers it; true: taken.
bool GtkNativeWindow::ChildButton(GtkWidget* target, GdkEventButton* e) {
    if (target == FArea || target == FWindow) return false;
    std::optional<MouseButton> b = ButtonOf(e->button);
    if (!b) return false;
    if (e->type == GDK_BUTTON_RELEASE) {
        if (!(FTakenFromChild & Bit(*b))) return false;
        FTakenFromChild &= ~Bit(*b);
        OnButtonRelease(FArea, e, this);
        return true;
    }
    if (e->type == GDK_BUTTON_PRESS && !(FTakenFromChild & Bit(*b))) {
        if (!FDisplay.MouseCaptured()) return false;
        FTakenFromChild |= Bit(*b);
        OnButtonPress(FArea, e, this);
    }
    return (FTakenFromChild & Bit(*b)) != 0;
}

void GtkNativeWindow::Wheel(int delta, bool horizontal, TPoint at) {
    if (!delta) return;
    InputEvent ev = Event(EventKind::Wheel);
    ev.WheelDelta = delta;
    ev.Horizontal = horizontal;
    ev.Screen = at;
    FDisplay.Post(ev);
}

gboolean GtkNativeWindow::OnScroll(GtkWidget*, GdkEventScroll* e, gpointer self) {
    auto* w = static_cast<GtkNativeWindow*>(self);
    GuardedVoid([&] {
        TPoint at = RootPoint(e->x_root, e->y_root);
        // 120 per notch; up and right are positive, as on the platform.
        switch (e->direction) {
        case GDK_SCROLL_UP:
            w->Wheel(kWheelDelta, false, at);
            break;
        case GDK_SCROLL_DOWN:
            w->Wheel(-kWheelDelta, false, at);
            break;
        case GDK_SCROLL_LEFT:
            w->Wheel(-kWheelDelta, true, at);
            break;
        case GDK_SCROLL_RIGHT:
            w->Wheel(kWheelDelta, true, at);
            break;
        case GDK_SCROLL_SMOOTH: {
            // Fine scrolling is collected until it makes whole notches.
            w->FWheelY -= e->delta_y;
            w->FWheelX += e->delta_x;
            double ny = std::trunc(w->FWheelY), nx = std::trunc(w->FWheelX);
            w->FWheelY -= ny;
            w->FWheelX -= nx;
            w->Wheel(static_cast<int>(ny) * kWheelDelta, false, at);
            w->Wheel(static_cast<int>(nx) * kWheelDelta, true, at);
            if (e->is_stop) w->FWheelX = w->FWheelY = 0;
            break;
        }
        }
    });
    return TRUE;
}

// ---- The pointer crossing into and out of the window

namespace {
// Crossings that move the pointer between windows: the pointer's own, and a grab's start and end (while
// another program or window holds the pointer, nothing of it reaches ours). GTK's grabs among its widgets
// and a widget's state changing leave the pointer where it was.
bool PointerCrossing(const GdkEventCrossing* e) {
    if (e->type == GDK_ENTER_NOTIFY) return e->mode == GDK_CROSSING_NORMAL || e->mode == GDK_CROSSING_UNGRAB;
    return e->mode == GDK_CROSSING_NORMAL || e->mode == GDK_CROSSING_GRAB || e->mode == GDK_CROSSING_UNGRAB;
}
} // namespace

void GtkNativeWindow::Crossed(const GdkEventCrossing* e) {
    if (!PointerCrossing(e)) return;
    TPoint at = RootPoint(e->x_root, e->y_root);
    if (e->type == GDK_ENTER_NOTIFY) {
        // The window may have come under a still pointer by moving (its left or top edge dragged): GDK
        // works the root point out from where it last knew the window to be, which a window manager may
        // not have told it yet. The pointer itself knows where it is.
        int x = 0, y = 0;
        if (GdkDevice* pointer = gdk_event_get_device(reinterpret_cast<const GdkEvent*>(e))) {
            gdk_device_get_position(pointer, nullptr, &x, &y);
            at = TPoint{x, y};
        }
        FDisplay.PointerEntered(this, at);
        return;
    }
    // Into a window inside this one the pointer is still here. With a button held down here its moves and
    // its release keep coming here (the pointer's implicit grab); where it went is told when that ends.
    if (e->detail == GDK_NOTIFY_INFERIOR || FButtons) return;
    FDisplay.PointerLeft(at);
}

gboolean GtkNativeWindow::OnCrossing(GtkWidget*, GdkEventCrossing* e, gpointer self) {
    auto* w = static_cast<GtkNativeWindow*>(self);
    GuardedVoid([&] { w->Crossed(e); });
    return FALSE;
}

// ---- Keyboard

GtkTextInput* GtkNativeWindow::TextInput() {
    if (!FTextInput && Gdk()) {
        FTextInput = std::make_unique<GtkTextInput>(FWindow, [this](char32_t ch) {
            InputEvent ev = Event(EventKind::Char);
            ev.Char = ch;
            FDisplay.Post(ev);
        });
        FTextInput->SetCaret(FTextCaret);
    }
    return FTextInput.get();
}

bool GtkNativeWindow::TextInputTook(const GdkEventKey* e) {
    GtkTextInput* t = TextInput();
    return t && t->Filter(const_cast<GdkEventKey*>(e));
}

void GtkNativeWindow::TextInputFocus(bool in) {
    if (GtkTextInput* t = TextInput()) t->SetFocused(in);
}

void GtkNativeWindow::SetTextCaret(const std::optional<vcl::TRect>& caret) {
    FTextCaret = caret;
    if (FTextInput) FTextInput->SetCaret(caret);
}

void GtkNativeWindow::ResetTextInput() {
    if (FTextInput) FTextInput->Reset();
}

void GtkNativeWindow::KeyPressed(const GdkEventKey* e) {
    // A dead key, a compose sequence or an input method's key gives committed text, not a key.
    if (TextInputTook(e)) return;
    GdkKeymap* keymap = gdk_keymap_get_for_display(gtk_widget_get_display(FWindow));
    guint base = 0;
    gdk_keymap_translate_keyboard_state(keymap, e->hardware_keycode, static_cast<GdkModifierType>(0), 0,
                                        &base, nullptr, nullptr, nullptr);
    KeyModifiers mods;
    mods.Shift = e->state & GDK_SHIFT_MASK;
    mods.Control = e->state & GDK_CONTROL_MASK;
    mods.Alt = e->state & GDK_MOD1_MASK;
    mods.CapsLock = e->state & GDK_LOCK_MASK;
    KeyDecision d = DecideKeyPress(e->keyval, base, gdk_keyval_to_unicode(e->keyval), mods);
    if (d.Key) {
        InputEvent ev = Event(EventKind::KeyDown);
        ev.VirtualKey = d.Key->VirtualKey;
        ev.ScanCode = d.Key->ScanCode;
        ev.Extended = d.Key->Extended;
        ev.Char = d.Char; // the character of a character packet
        FDisplay.HeldKeys()[e->hardware_keycode] = *d.Key;
        FDisplay.Post(ev);
    } else if (d.Char) {
        InputEvent ev = Event(EventKind::Char);
        ev.Char = d.Char;
        FDisplay.Post(ev);
    }
}

gboolean GtkNativeWindow::OnKeyPress(GtkWidget*, GdkEventKey* e, gpointer self) {
    auto* w = static_cast<GtkNativeWindow*>(self);
    GuardedVoid([&] { w->KeyPressed(e); });
    return TRUE;
}

gboolean GtkNativeWindow::OnKeyRelease(GtkWidget*, GdkEventKey* e, gpointer self) {
    auto* w = static_cast<GtkNativeWindow*>(self);
    GuardedVoid([&] {
        // The input method sees releases too; the key's own release still follows its press.
        w->TextInputTook(e);
        auto& held = w->FDisplay.HeldKeys();
        auto it = held.find(e->hardware_keycode);
        if (it == held.end()) return;
        InputEvent ev = w->Event(EventKind::KeyUp);
        ev.VirtualKey = it->second.VirtualKey;
        ev.ScanCode = it->second.ScanCode;
        ev.Extended = it->second.Extended;
        held.erase(it);
        w->FDisplay.Post(ev);
    });
    return TRUE;
}

} // namespace gtkbackend
