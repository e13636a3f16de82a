// A top-level window on GTK: its place, size and state between the window system and the window manager.
//
// The window system's requests (SetBounds, SetState) go to the window manager; what comes back is either
// the answer to one of them (an echo, no news) or the window manager's own decision (a drag, a snap, a
// maximise), which the window system hears of as BoundsChanged or StateChanged.

#include "platform/backend/gtk/GtkNativeWindow.h"

#include <algorithm>

#include "platform/backend/gtk/GtkDisplay.h"
#include "platform/backend/gtk/GtkGuard.h"

// Last: X11's macros would clash with names in the headers above.
#include <gdk/gdkx.h>

namespace gtkbackend {

using backend::EventKind;
using backend::InputEvent;
using backend::WindowState;
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

bool SameSize(const TRect& a, const TRect& b) {
    return a.Width() == b.Width() && a.Height() == b.Height();
}

bool SamePlace(const TRect& a, const TRect& b) {
    return a.Left == b.Left && a.Top == b.Top;
}

} // namespace

bool GtkNativeWindow::WindowManagerMaximizes() const {
    // Popups are none of the window manager's; one that cannot maximise leaves it to the window system.
    if (gtk_window_get_window_type(GTK_WINDOW(FWindow)) == GTK_WINDOW_POPUP) return false;
    GdkScreen* screen = gtk_widget_get_screen(FWindow);
    return UnderWindowManager(FWindow) &&
           gdk_x11_screen_supports_net_wm_hint(screen,
                                               gdk_atom_intern_static_string("_NET_WM_STATE_MAXIMIZED_VERT"));
}

// ---- Requests from the window system

void GtkNativeWindow::SetState(WindowState state) {
    FWanted = state;
    // Without a window manager the bounds alone make the state: a maximised window's frame lies off the
    // screen. With one, a window that it holds maximised stays where it put it, whatever the window system
    // asks: both must know of a maximise and of its end. A minimise keeps the window manager's maximise for
    // the restore (SetBounds iconifies).
    if (!WindowManagerMaximizes()) return;
    if (state == WindowState::Maximized && !FMaximizeAsked) {
        FMaximizeAsked = true;
        Ask(FIconifyAsked ? WindowState::Minimized : WindowState::Maximized);
        gtk_window_maximize(GTK_WINDOW(FWindow));
    } else if (state == WindowState::Normal && FMaximizeAsked) {
        FMaximizeAsked = false;
        Ask(FIconifyAsked ? WindowState::Minimized : WindowState::Normal);
        gtk_window_unmaximize(GTK_WINDOW(FWindow));
    }
}

void GtkNativeWindow::SetBounds(const TRect& r) {
    GtkWindow* win = GTK_WINDOW(FWindow);
    if (r.Left == kMinimizedPos && r.Top == kMinimizedPos) {
        // Minimised by the window system: the window manager iconifies it instead of parking it.
        FDeiconifyPending = false;
        if (!FIconifyAsked) {
            FIconifyAsked = true;
            Ask(WindowState::Minimized);
            gtk_window_iconify(win);
        }
        return;
    }
    const bool maximizing = FWanted == WindowState::Maximized && WindowManagerMaximizes();
    if (FIconifyAsked) {
        FIconifyAsked = false;
        // An iconify still on its way would hide the window again after it is shown: the window is shown
        // once the window manager has iconified it (StateSeen).
        if (std::find(FAsked.begin(), FAsked.end(), WindowState::Minimized) != FAsked.end())
            FDeiconifyPending = true;
        else
            Deiconify();
        // Out of the minimised state into the window manager's maximise: it shows the window where it holds
        // it, and the window system follows.
        if (maximizing && FWmMaximized && !FSeen.IsEmpty() && FSeen != r) {
            FBounds = r;
            WindowManagerPut(FSeen);
            return;
        }
    }
    if (maximizing || (FWmMaximized && FWanted != WindowState::Maximized)) {
        // The window manager places a window that it maximises; its configure tells the window system where.
        // Restored while it still holds the window maximised, the restore's bounds wait until it has let go
        // (StateSeen): asked for now, they would be kept to the maximised ones.
        FBounds = r;
        FRequested.clear();
        if (maximizing)
            FRestoreBounds.reset();
        else
            FRestoreBounds = r;
        return;
    }
    FRestoreBounds.reset();
    if (r == FBounds && FRequested.empty()) return;
    FBounds = r;
    FPlaceAskedAgain = false;
    ExpectEcho(r);
    gtk_window_move(win, r.Left, r.Top);
    gtk_window_resize(win, std::max(r.Width(), 1), std::max(r.Height(), 1));
}

void GtkNativeWindow::Deiconify() {
    Ask(FMaximizeAsked && WindowManagerMaximizes() ? WindowState::Maximized : WindowState::Normal);
    gtk_window_deiconify(GTK_WINDOW(FWindow));
}

void GtkNativeWindow::Ask(WindowState state) {
    // The states the window manager is to show next, oldest first: each is the answer to a request of ours,
    // no news, also when a later request has already changed what the window system wants.
    if (state == (FAsked.empty() ? FState : FAsked.back())) return;
    FAsked.push_back(state);
    if (FAsked.size() > 8) FAsked.erase(FAsked.begin());
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
        if ((SamePlace(*it, r) && SameSize(FSeen, r)) || (SameSize(*it, r) && SamePlace(FSeen, r))) {
            FRequested.erase(FRequested.begin(), std::prev(it.base()));
            return true;
        }
    return false;
}

void GtkNativeWindow::Configured(const TRect& r) {
    if (FState == WindowState::Minimized) return;
    bool echo = TakeEcho(r);
    FSeen = r;
    if (echo) return; // our own request arriving: nothing new for the window system
    WindowManagerPut(r);
}

void GtkNativeWindow::WindowManagerPut(const TRect& r) {
    FSeen = r;
    // A restore waits for the window manager to let go of its maximise: what it shows of the maximised
    // window until then is no news, the window system has the restore's bounds already.
    if (FRestoreBounds) return;
    // The window manager's decision (a drag, a maximise, a request it changed): what we asked for before it
    // no longer waits for an answer.
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
        // its place (translated through a frame that may still be moving) may be a passing one. The window
        // manager's synthetic events tell where it is.
        const bool framed = !e->send_event && UnderWindowManager(w->FWindow);
        if (framed && (e->width != w->FSeen.Width() || e->height != w->FSeen.Height())) {
            w->SizedInFrame(e->width, e->height);
            return;
        }
        TPoint at{e->x, e->y};
        if (framed) at = TPoint{w->FSeen.Left, w->FSeen.Top};
        w->Configured(TRect{at.X, at.Y, at.X + e->width, at.Y + e->height});
    });
    return FALSE;
}

void GtkNativeWindow::SizedInFrame(int width, int height) {
    if (FState == WindowState::Minimized) return;
    // The window manager sized the window in its frame, and may have moved it in the same step (a snap to
    // half the screen, a drag of the top-left corner): X knows where the window is now.
    TRect r{FSeen.Left, FSeen.Top, FSeen.Left + width, FSeen.Top + height};
    if (gtk_widget_get_mapped(FWindow) && Gdk()) {
        int x = 0, y = 0;
        gdk_window_get_origin(Gdk(), &x, &y);
        r = TRect{x, y, x + width, y + height};
    }
    if (TakeEcho(r)) {
        FSeen = r;
        return;
    }
    // A request of ours answered at its size but elsewhere: a window manager may keep a window that it sizes
    // on the screen, though asked for a place partly off it, and say nothing of that move. Moved alone, such
    // a window goes where asked: its place is asked for once more. Where the window manager then leaves it,
    // the window system follows. A size that nobody of ours asked for is the window manager's, at X's place.
    for (auto it = FRequested.rbegin(); it != FRequested.rend() && !FPlaceAskedAgain; ++it)
        if (SameSize(*it, r)) {
            const TRect asked = *it;
            FSeen = r;
            FPlaceAskedAgain = true;
            FRequested.clear();
            ExpectEcho(asked);
            gdk_window_move(Gdk(), asked.Left, asked.Top);
            return;
        }
    WindowManagerPut(r);
}

// A window manager that sizes a window by its top-left corner sizes the window, then moves its frame: the
// window hears of the size alone, the frame's move tells where the window went.
void GtkNativeWindow::WatchFrame() {
    FFrame = 0;
    if (!Gdk() || !UnderWindowManager(FWindow)) return;
    Display* x = GDK_WINDOW_XDISPLAY(Gdk());
    const Window own = GDK_WINDOW_XID(Gdk());
    GdkDisplay* display = gtk_widget_get_display(FWindow);
    gdk_x11_display_error_trap_push(display);
    Window top = own;
    for (;;) {
        Window root = 0, parent = 0, *children = nullptr;
        unsigned count = 0;
        if (!XQueryTree(x, top, &root, &parent, &children, &count)) break;
        if (children) XFree(children);
        if (!parent || parent == root) break;
        top = parent;
    }
    if (top != own) XSelectInput(x, top, StructureNotifyMask);
    if (!gdk_x11_display_error_trap_pop(display) && top != own) FFrame = top;
}

void GtkNativeWindow::FrameConfigured() {
    if (FState == WindowState::Minimized || !gtk_widget_get_mapped(FWindow) || !Gdk()) return;
    int x = 0, y = 0;
    gdk_window_get_origin(Gdk(), &x, &y);
    if (x == FSeen.Left && y == FSeen.Top) return;
    Configured(TRect{x, y, x + FSeen.Width(), y + FSeen.Height()});
}

GdkFilterReturn GtkNativeWindow::OnXEvent(GdkXEvent* xevent, GdkEvent*, gpointer self) {
    auto* w = static_cast<GtkNativeWindow*>(self);
    const auto* e = static_cast<const XEvent*>(xevent);
    GuardedVoid([&] {
        if (e->type == ReparentNotify && w->Gdk() && e->xreparent.window == GDK_WINDOW_XID(w->Gdk()))
            w->WatchFrame();
        else if (e->type == ConfigureNotify && w->FFrame && e->xconfigure.window == w->FFrame)
            w->FrameConfigured();
    });
    return GDK_FILTER_CONTINUE;
}

void GtkNativeWindow::StateSeen(WindowState state, bool maximized) {
    FWmMaximized = maximized;
    const bool changed = state != FState;
    FState = state;
    bool news = false;
    if (!FAsked.empty() && state == FAsked.back()) {
        // Where we asked for last: every request of ours is answered, also when the window manager went
        // there at once (GDK reads the state when it looks, not as it was at each step).
        FAsked.clear();
    } else if (changed) {
        const auto ours = std::find(FAsked.begin(), FAsked.end(), state);
        if (ours != FAsked.end())
            FAsked.erase(FAsked.begin(), std::next(ours));
        else {
            // The window manager's own decision (its buttons, keys, a snap), unless it is where the window
            // system has the window already. Requests of ours before it are answered or overruled.
            FAsked.clear();
            FDeiconifyPending = false;
            news = state != FWanted;
            FMaximizeAsked = maximized;
            FIconifyAsked = state == WindowState::Minimized;
        }
    }
    if (state == WindowState::Minimized && FDeiconifyPending) {
        FDeiconifyPending = false;
        Deiconify();
    }
    if (!maximized && FRestoreBounds) {
        // The window manager let go of the window: now the restore's bounds are asked for. Minimised
        // meanwhile, it takes the bounds the window system gives it when it shows again.
        const TRect r = *FRestoreBounds;
        FRestoreBounds.reset();
        if (state == WindowState::Normal) {
            FBounds = TRect{};
            SetBounds(r);
        }
    }
    if (!news) return;
    InputEvent e = Event(EventKind::StateChanged);
    e.State = state;
    FDisplay.Post(e);
}

gboolean GtkNativeWindow::OnWindowState(GtkWidget*, GdkEventWindowState* e, gpointer self) {
    auto* w = static_cast<GtkNativeWindow*>(self);
    GuardedVoid([&] {
        GdkWindowState s = e->new_window_state;
        if (s & GDK_WINDOW_STATE_WITHDRAWN) {
            // Hidden: no window manager holds the window until it shows again (SetVisible asks once more).
            w->FWmMaximized = false;
            return;
        }
        const bool maximized = s & GDK_WINDOW_STATE_MAXIMIZED;
        WindowState state = (s & GDK_WINDOW_STATE_ICONIFIED) ? WindowState::Minimized
                            : maximized                      ? WindowState::Maximized
                                                             : WindowState::Normal;
        w->StateSeen(state, maximized);
    });
    return FALSE;
}

} // namespace gtkbackend
