// A top-level window on GTK: its place, size and state between the window system and the window manager.
//
// The window system's requests go to the window manager; what comes back is either the answer to one of
// them (an echo, no news) or the window manager's own decision (a drag, a snap, a maximise), which the
// window system hears of as BoundsChanged or StateChanged.

#include "platform/backend/gtk/GtkNativeWindow.h"

#include <algorithm>

#include "platform/backend/gtk/GtkDisplay.h"
#include "platform/backend/gtk/GtkGuard.h"

// Last: X11's macros would clash with names in the headers above.
#include <gdk/gdkx.h>

namespace gtkbackend {

using backend::EventKind;
using backend::InputEvent;
using vcl::TPoint;
using vcl::TRect;

namespace {

// The window system keeps a minimised window at this position (the platform's convention).
constexpr int kMinimizedPos = -32000;

bool UnderWindowManager(GtkWidget* widget) {
    GdkScreen* screen = gtk_widget_get_screen(widget);
    return GDK_IS_X11_SCREEN(screen) &&
           gdk_x11_screen_supports_net_wm_hint(screen, gdk_atom_intern_static_string("_NET_ACTIVE_WINDOW"));
}

} // namespace

// ---- Requests from the window system

void GtkNativeWindow::SetBounds(const TRect& r) {
    GtkWindow* win = GTK_WINDOW(FWindow);
    if (r.Left == kMinimizedPos && r.Top == kMinimizedPos) {
        // Minimised by the window system: the window manager iconifies it instead of parking it.
        if (FState != backend::WindowState::Minimized) {
            FExpectedState = backend::WindowState::Minimized;
            gtk_window_iconify(win);
        }
        return;
    }
    if (FState == backend::WindowState::Minimized) {
        FExpectedState = backend::WindowState::Normal;
        gtk_window_deiconify(win);
    }
    if (r == FBounds && FRequested.empty()) return;
    FBounds = r;
    FPlaceAskedAgain = false;
    ExpectEcho(r);
    gtk_window_move(win, r.Left, r.Top);
    gtk_window_resize(win, std::max(r.Width(), 1), std::max(r.Height(), 1));
}

// ---- Answers and decisions of the window manager

void GtkNativeWindow::ExpectEcho(const TRect& r) {
    // A window not on the screen maps at the bounds asked for last, with no configure event to answer each
    // request: only the requests of a mapped window are waited for.
    if (!gtk_widget_get_mapped(FWindow)) {
        FRequested.clear();
        return;
    }
    FRequested.push_back(r);
    // A drag by the mouse asks many times before the server answers: keep enough to know every echo.
    if (FRequested.size() > 64) FRequested.erase(FRequested.begin());
}

bool GtkNativeWindow::TakeEcho(const TRect& r) {
    auto sameSize = [](const TRect& a, const TRect& b) {
        return a.Width() == b.Width() && a.Height() == b.Height();
    };
    auto samePlace = [](const TRect& a, const TRect& b) { return a.Left == b.Left && a.Top == b.Top; };
    // A request answered in full: the requests before it are stale, their own echoes will never come.
    for (auto it = FRequested.rbegin(); it != FRequested.rend(); ++it)
        if (*it == r) {
            FRequested.erase(FRequested.begin(), it.base());
            return true;
        }
    // GTK moves at once and sizes later: a request half done has its place at the size the window had, or
    // its size at the place it had. Measured against the last configure, so that an outside move or size
    // that happens to share a half with a request still waiting is news.
    for (auto it = FRequested.rbegin(); it != FRequested.rend(); ++it)
        if ((samePlace(*it, r) && sameSize(FSeen, r)) || (sameSize(*it, r) && samePlace(FSeen, r))) {
            FRequested.erase(FRequested.begin(), std::prev(it.base()));
            return true;
        }
    return false;
}

void GtkNativeWindow::Configured(const TRect& r) {
    if (FState == backend::WindowState::Minimized) return;
    bool echo = TakeEcho(r);
    FSeen = r;
    if (echo) return; // our own request arriving: nothing new for the window system
    // Anything else is the window manager's decision (a drag, a maximise, a request it changed): what we
    // asked for before it no longer waits for an answer.
    FRequested.clear();
    if (r == FBounds) return;
    FBounds = r;
    InputEvent e = Event(EventKind::BoundsChanged);
    e.Bounds = r;
    e.Screen = TPoint{r.Left, r.Top};
    FDisplay.Post(e);
}

gboolean GtkNativeWindow::OnConfigure(GtkWidget*, GdkEventConfigure* e, gpointer self) {
    auto* w = static_cast<GtkNativeWindow*>(self);
    GuardedVoid([&] {
        // Under a window manager our window sits in its frame: a real configure event tells the size only,
        // its place (translated through a frame still being set up) may be a passing one; the window is
        // where the last configure showed it. The window manager's synthetic events tell where it really is.
        TPoint at{e->x, e->y};
        const bool framed = !e->send_event && UnderWindowManager(w->FWindow);
        if (framed) at = TPoint{w->FSeen.Left, w->FSeen.Top};
        const bool sized = e->width != w->FSeen.Width() || e->height != w->FSeen.Height();
        const TRect r{at.X, at.Y, at.X + e->width, at.Y + e->height};
        w->Configured(r);
        if (framed && sized) w->PlaceAfterSizing(r);
    });
    return FALSE;
}

void GtkNativeWindow::PlaceAfterSizing(const TRect& r) {
    // A window manager may keep a window that it sizes on the screen, though asked for a place partly off
    // it (a maximised window's frame lies outside the screen), and say nothing of that move: the real
    // configure tells the size only. X knows where the window is. Moved alone, such a window goes where
    // asked: the place is asked for once more. Where the window manager then leaves it, the window system
    // follows.
    if (FState == backend::WindowState::Minimized || !gtk_widget_get_mapped(FWindow) || !Gdk()) return;
    int x = 0, y = 0;
    gdk_window_get_origin(Gdk(), &x, &y);
    if (x == r.Left && y == r.Top) return;
    if (r == FBounds && !FPlaceAskedAgain) {
        FPlaceAskedAgain = true;
        ExpectEcho(FBounds);
        gdk_window_move(Gdk(), FBounds.Left, FBounds.Top);
        return;
    }
    Configured(TRect{x, y, x + r.Width(), y + r.Height()});
}

void GtkNativeWindow::StateSeen(backend::WindowState state) {
    if (state == FState) return;
    FState = state;
    if (FExpectedState && *FExpectedState == state) {
        FExpectedState.reset();
        return;
    }
    FExpectedState.reset();
    InputEvent e = Event(EventKind::StateChanged);
    e.State = state;
    FDisplay.Post(e);
}

gboolean GtkNativeWindow::OnWindowState(GtkWidget*, GdkEventWindowState* e, gpointer self) {
    auto* w = static_cast<GtkNativeWindow*>(self);
    GuardedVoid([&] {
        GdkWindowState s = e->new_window_state;
        backend::WindowState state = (s & GDK_WINDOW_STATE_ICONIFIED)   ? backend::WindowState::Minimized
                                     : (s & GDK_WINDOW_STATE_MAXIMIZED) ? backend::WindowState::Maximized
                                                                        : backend::WindowState::Normal;
        if (s & GDK_WINDOW_STATE_WITHDRAWN) return;
        w->StateSeen(state);
    });
    return FALSE;
}

} // namespace gtkbackend
