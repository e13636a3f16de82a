#pragma once
// The two bases of the controls that draw themselves: TGraphicControl (windowless, painted by its parent
// into the parent's device context) and TCustomControl (with a window), each with a Canvas and Paint; and
// TControlCanvas, a canvas over a control's device context.

#include <memory>

#include "platform/vcl/Canvas.h"
#include "platform/vcl/WinControl.h"

namespace vcl {

// A canvas over a control's device context. Outside painting it takes one on first use (for a windowless
// control: its parent's, moved to the control's origin and clipped to its bounds) and gives it back in
// FreeHandle, at the end of the next painting, or in FreeDeviceContexts (after every message a control
// handles, unless the canvas is locked).
class TControlCanvas : public TCanvas {
    KV_CLASS(TControlCanvas, TCanvas)
public:
    TControlCanvas();
    ~TControlCanvas() override;

    TControl* Control() const { return FControl; }
    void SetControl(TControl* AControl);
    // Gives back a device context this canvas took (one set from outside is only let go).
    void FreeHandle();

protected:
    void CreateHandle() override;

private:
    friend void FreeDeviceContexts();
    TControl* FControl = nullptr;
    win::HDC FDeviceContext = nullptr; // the context this canvas took, or null
    win::HWND FWindowHandle = nullptr; // the window it came from
};

class TGraphicControl : public TControl {
    KV_CLASS(TGraphicControl, TControl)
public:
    explicit TGraphicControl(TComponent* AOwner);
    ~TGraphicControl() override;

    TCanvas* Canvas() const { return FCanvas.get(); }

protected:
    // Draws the control on Canvas (client coordinates); the default draws nothing.
    virtual void Paint() {}
    void WndProc(TMessage& Message) override;
    void WMPaint(TWMPaint& Message);

private:
    std::unique_ptr<TControlCanvas> FCanvas;
};

class TCustomControl : public TWinControl {
    KV_CLASS(TCustomControl, TWinControl)
public:
    explicit TCustomControl(TComponent* AOwner);
    ~TCustomControl() override;

    TCanvas* Canvas() const { return FCanvas.get(); }

protected:
    // Draws the control on Canvas; the default draws nothing (the background is erased with Brush).
    virtual void Paint() {}
    // Puts Canvas on DC for the time of Paint.
    void PaintWindow(win::HDC DC) override;

private:
    std::unique_ptr<TControlCanvas> FCanvas;
};

} // namespace vcl
