#pragma once
// THintWindow: the small popup that shows a hint: a thin border, the info colours, the text wrapped at
// the hint's maximum width. It never takes the focus.

#include "platform/vcl/CustomControl.h"

namespace vcl {

class THintWindow : public TCustomControl {
    KV_CLASS(THintWindow, TCustomControl)
public:
    explicit THintWindow(TComponent* AOwner);
    ~THintWindow() override;

    // Shows the hint with AHint as its text over Rect (screen coordinates), kept on the monitor.
    virtual void ActivateHint(TRect Rect, const String& AHint);
    virtual void ActivateHintData(TRect Rect, const String& AHint, void* AData);
    // The rectangle (at 0, 0) the text needs, wrapped at MaxWidth.
    virtual TRect CalcHintRect(int MaxWidth, const String& AHint, void* AData);
    // Destroys the window (it is made again by the next ActivateHint).
    void ReleaseHandle();
    bool IsHintMsg(const win::MSG& Msg) const;

protected:
    void CreateParams(TCreateParams& Params) override;
    void Paint() override;
    void WndProc(TMessage& Message) override;
};

} // namespace vcl
