#pragma once
// The link between a toolbar styler and the controls it styles. The dock panel, the toolbar and the
// pager implement IToolBarStylerClient and register with the styler they use; the styler tells each
// client what changed with one of the TStylerChange codes. The windows and pages around them follow
// through their client: the pager repaints its active page, a toolbar restyles its floating window,
// the compact window around its clone, and the clone itself before the toolbar.

namespace AdvToolBar {

class TCustomAdvToolBarStyler;

// What changed in a styler. The numbers are the codes the receivers' UpdateMe has always taken.
enum class TStylerChange : int {
    Background = 1,    // background picture and its display, the font
    Colors = 2,        // colours, presets, right handle, borders, bevel, round edges, caption
    Container = 4,     // the container's frame line
    DragGrip = 5,      // the drag grip style
    MenuStyler = 6,    // the menu styler link
    GlowButtons = 7,   // the two glow-button appearances
    PagerLook = 10,    // tab, page and group appearances
    PagerCaption = 11, // the pager caption
    QuickAccess = 12,  // the quick access toolbar
};

class IToolBarStylerClient {
public:
    // Repaints from the styler's state. A compacted toolbar tells its clone first, then itself.
    virtual void StylerChanged(TStylerChange Code) = 0;
    // The styler is going away: a client that holds it as its assigned styler and is not being
    // destroyed takes its internal styler again (and so leaves the styler's list). A client that
    // only follows its parent's styler keeps its registration.
    virtual void StylerReleased(TCustomAdvToolBarStyler* Styler) = 0;

protected:
    IToolBarStylerClient() = default;
    ~IToolBarStylerClient() = default;
    IToolBarStylerClient(const IToolBarStylerClient&) = default;
    IToolBarStylerClient& operator=(const IToolBarStylerClient&) = default;
};

} // namespace AdvToolBar
