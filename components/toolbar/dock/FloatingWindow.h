#pragma once
// TFloatingWindow: the borderless stay-on-top form a toolbar floats in. It shows a thin border around
// the toolbar (whose own caption bar is the window's caption) and lets the user drag its border, which
// changes the number of rows the toolbar wraps its controls into.

#include "platform/vcl/Form.h"

namespace AdvToolBar {

class TAdvCustomToolBar;
class TCustomAdvToolBarStyler;

class TFloatingWindow : public vcl::TCustomForm {
    KV_CLASS(TFloatingWindow, vcl::TCustomForm)
public:
    explicit TFloatingWindow(vcl::TComponent* AOwner) : TFloatingWindow(AOwner, 0) {}
    TFloatingWindow(vcl::TComponent* AOwner, int Dummy);
    ~TFloatingWindow() override;

    TAdvCustomToolBar* AdvToolBar() const { return FAdvToolBar; }
    void SetAdvToolBar(TAdvCustomToolBar* Value) { FAdvToolBar = Value; }
    // The window's own border (not the framework's client inset): stores and resizes the window.
    int BorderWidth() const { return FFrameWidth; }
    void SetBorderWidth(int Value);
    vcl::TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(vcl::TColor Value) { FBorderColor = Value; }
    // Border width, border colour and background from a styler: at the start of floating and again
    // whenever the styler's colours change while the toolbar floats.
    void TakeLook(TCustomAdvToolBarStyler* Styler);
    // The toolbar's size plus the border and one pixel on each side; the toolbar inside the border.
    void SetWindowSize();
    // The topmost ancestor window of the owner's window; 0 when that window has no parent.
    win::HWND GetParentWnd() const;
    bool Resizing() const { return FResizing; }

protected:
    void Loaded() override;
    void Paint() override;
    void MouseDown(vcl::TMouseButton Button, vcl::TShiftState Shift, int X, int Y) override;
    void MouseMove(vcl::TShiftState Shift, int X, int Y) override;
    void MouseUp(vcl::TMouseButton Button, vcl::TShiftState Shift, int X, int Y) override;

private:
    enum TEdge : unsigned char { edLeft, edTop, edRight, edBottom };
    // One rows step: "larger" is one row fewer across the left and right edges, one row more across the
    // top and bottom ones.
    void Step(bool Larger);
    void ResizeStep(int X, int Y);

    TAdvCustomToolBar* FAdvToolBar = nullptr;
    vcl::TComponent* FOwnerComponent = nullptr;
    int FFrameWidth = 2;
    vcl::TColor FBorderColor = 0;
    vcl::TCursor FSavedCursor = vcl::crDefault;
    bool FResizing = false;
    int FAnchorX = 0;
    int FAnchorY = 0;
    // 0 no step yet, 1 the last step made the window larger, 2 smaller.
    int FPhase = 0;
    TEdge FEdge = edLeft;
};

} // namespace AdvToolBar
