#pragma once
// One undecorated GTK window per top-level window of the window system: shows the window's image, title
// and icon, follows the window manager's moves, sizes and states, and turns GDK input into the backend's
// events. Moves and sizes by the mouse are the window system's own (it sends the sizing messages), never
// a window-manager drag.

#include <gtk/gtk.h>

#include <optional>
#include <vector>

#include "platform/backend/Backend.h"
#include "platform/backend/gtk/GtkShape.h"
#include "platform/backend/gtk/GtkTextInput.h"

namespace gtkbackend {

class GtkDisplay;

class GtkNativeWindow final : public backend::NativeWindow {
public:
    GtkNativeWindow(GtkDisplay& display, const backend::NativeWindowInfo& info, GtkWindow* owner);
    ~GtkNativeWindow() override;
    GtkNativeWindow(const GtkNativeWindow&) = delete;
    GtkNativeWindow& operator=(const GtkNativeWindow&) = delete;

    void SetBounds(const vcl::TRect& screenBounds) override;
    void SetState(backend::WindowState state) override;
    void SetVisible(bool visible) override;
    void SetTopmost(bool topmost) override;
    void SetOwner(backend::NativeWindow* owner) override;
    void SetOpacity(std::uint8_t alpha, std::optional<std::uint32_t> colorKey, bool perPixelAlpha) override;
    void SetShape(const std::optional<std::vector<vcl::TRect>>& rects) override;
    void Present(cairo_surface_t* surface, const vcl::TRect& dirty) override;
    void SetTitle(const vcl::String& title) override;
    void SetIcon(const std::vector<backend::IconImage>& images) override;
    void SetSizeLimits(vcl::TSize minimum, vcl::TSize maximum) override;
    void SetTextCaret(const std::optional<vcl::TRect>& caret) override;
    void ResetTextInput() override;

    GtkWidget* Widget() const { return FWindow; }
    // A button event of a native child widget in this window (GtkDisplay::OnEvent): true when the window
    // system takes it from the child.
    bool ChildButton(GtkWidget* target, GdkEventButton* e);
    // The GDK window once realized, else null.
    GdkWindow* Gdk() const { return gtk_widget_get_window(FWindow); }
    bool Visible() const { return FVisible; }
    void ApplyCursor(GdkCursor* cursor);
    // Puts the window's icon, or the program's where it has none, on the X window once it is realized.
    void ApplyIcon();
    bool HasOwnIcon() const { return !FIcon.empty(); }
    // Mouse buttons pressed here that the window system was told about.
    unsigned HeldButtons() const { return FButtons; }

private:
    static gboolean OnDraw(GtkWidget*, cairo_t* cr, gpointer self);
    static gboolean OnConfigure(GtkWidget*, GdkEventConfigure* e, gpointer self);
    static gboolean OnWindowState(GtkWidget*, GdkEventWindowState* e, gpointer self);
    static gboolean OnDelete(GtkWidget*, GdkEvent*, gpointer self);
    static gboolean OnFocusIn(GtkWidget*, GdkEventFocus*, gpointer self);
    static gboolean OnFocusOut(GtkWidget*, GdkEventFocus*, gpointer self);
    static gboolean OnMap(GtkWidget*, GdkEvent*, gpointer self);
    static gboolean OnMotion(GtkWidget*, GdkEventMotion* e, gpointer self);
    static gboolean OnButtonPress(GtkWidget*, GdkEventButton* e, gpointer self);
    static gboolean OnButtonRelease(GtkWidget*, GdkEventButton* e, gpointer self);
    static gboolean OnScroll(GtkWidget*, GdkEventScroll* e, gpointer self);
    static gboolean OnCrossing(GtkWidget*, GdkEventCrossing* e, gpointer self);
    static gboolean OnKeyPress(GtkWidget*, GdkEventKey* e, gpointer self);
    static gboolean OnKeyRelease(GtkWidget*, GdkEventKey* e, gpointer self);
    static void OnRealize(GtkWidget*, gpointer self);

    void Draw(cairo_t* cr);
    void Configured(const vcl::TRect& bounds);
    // A real configure that sized the window under a window manager: X tells where it is.
    void SizedInFrame(int width, int height);
    // The window manager put the window there on its own: the window system hears of it.
    void WindowManagerPut(const vcl::TRect& bounds);
    // Whether a window manager keeps this window's maximised state.
    bool WindowManagerMaximizes() const;
    // The window manager's frame (the window's top ancestor below the root), whose moves are watched.
    void WatchFrame();
    void FrameConfigured();
    static GdkFilterReturn OnXEvent(GdkXEvent* xevent, GdkEvent*, gpointer self);
    // The configure-echo rule: requests of ours waiting for the window manager's answer, and whether a
    // configure is that answer (taking it and the stale requests before it off the list).
    void ExpectEcho(const vcl::TRect& bounds);
    bool TakeEcho(const vcl::TRect& bounds);
    void StateSeen(backend::WindowState state, bool maximized);
    void Ask(backend::WindowState state); // a state the window manager is to show, as our request's answer
    void Deiconify();
    void FocusCame();
    void ReleaseButtonsNotIn(unsigned gdkState, vcl::TPoint at);
    void Wheel(int delta, bool horizontal, vcl::TPoint at);
    void Crossed(const GdkEventCrossing* e);
    void KeyPressed(const GdkEventKey* e);
    // Text input (GtkTextInput): made once the window is realized; true when it took the key.
    GtkTextInput* TextInput();
    bool TextInputTook(const GdkEventKey* e);
    void TextInputFocus(bool in);
    RegionPtr Shape() const; // the shape the window is to have now (null = rectangular)
    void ApplyShape();
    void ApplyGeometryHints();
    void ShapeBeforeMap();
    backend::InputEvent Event(backend::EventKind kind) const;

    GtkDisplay& FDisplay;
    GtkWidget* FWindow = nullptr;
    GtkWidget* FArea = nullptr;
    bool FRgba = false;
    bool FVisible = false;
    bool FTakesNoActivation = false; // a popup or a window that never activates
    vcl::TRect FBounds;
    std::vector<vcl::TRect> FRequested; // bounds we asked for and whose configure events are still to come
    vcl::TSize FMinSize, FMaxSize;      // the window system's limits for the window manager (zero: none)
    vcl::TRect FSeen;                   // the bounds the last configure event (or the mapping) showed
    bool FPlaceAskedAgain = false;      // the place of the last request was asked for once more, alone
    backend::WindowState FState = backend::WindowState::Normal;  // as the window manager last showed it
    std::vector<backend::WindowState> FAsked;                    // to be shown for requests of ours
    backend::WindowState FWanted = backend::WindowState::Normal; // the window system's (SetState)
    bool FWmMaximized = false;      // the window manager holds it maximised (also while minimised)
    bool FMaximizeAsked = false;    // maximised, as last asked of the window manager or decided by it
    bool FIconifyAsked = false;     // minimised, the same way
    bool FDeiconifyPending = false; // shown again before the window manager iconified it
    std::optional<vcl::TRect> FRestoreBounds; // a restore's bounds, asked for once that maximise ends
    unsigned long FFrame = 0;                 // the window manager's frame's X window, 0: none
    cairo_surface_t* FSurface = nullptr;      // a reference to the window system's image
    std::uint8_t FAlpha = 255;
    std::optional<std::uint32_t> FColorKey;
    bool FPerPixel = false;
    RegionPtr FShape;                // the window system's shape, null = rectangular
    RegionPtr FMask;                 // pixels left out by the colour key or transparency, null = none
    unsigned FButtons = 0;           // bit per backend::MouseButton held
    unsigned FTakenFromChild = 0;    // buttons pressed over a native child while captured (OnChildButton)
    double FWheelX = 0, FWheelY = 0; // smooth-scrolling remainders, in notches
    std::unique_ptr<GtkTextInput> FTextInput;
    std::optional<vcl::TRect> FTextCaret;
    std::vector<gulong> FIcon; // its own icon as _NET_WM_ICON holds it; empty: the program's
};

} // namespace gtkbackend
