#pragma once
// The link between a toolbar styler and the controls it styles. Every styled control (dock panel,
// toolbar, pager, quick access toolbar, compact window, option window) implements
// IToolBarStylerClient and registers with its styler; the styler tells each client what changed
// with one of the TStylerChange codes.

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
