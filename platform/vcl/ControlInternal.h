#pragma once
// State shared by the control units: the capture and mouse controls, and the window-to-control link.

#include "platform/vcl/WinControl.h"

namespace vcl {
// The window procedure of every control's window class, and the cleanup when a control's window is gone.
win::LRESULT ControlWndProcEntry(win::HWND hWnd, win::UINT Msg, win::WPARAM wParam, win::LPARAM lParam);
void DetachControlWindow(TWinControl* Control);
} // namespace vcl

namespace vcl::controls_detail {

// The window property that points at a window's control.
inline constexpr const char* ControlProp = "KvControlInstance";

// The windowless control that has the mouse captured through its parent's window (null when a windowed
// control holds the capture itself, or nobody does).
extern TControl* CaptureControl;
// The control the pointer is over, for CM_MOUSEENTER / CM_MOUSELEAVE.
extern TControl* MouseControl;

// Makes Control the control under the pointer, sending CM_MOUSELEAVE to the old one and CM_MOUSEENTER to
// the new one.
void SetMouseControl(TControl* Control);
// Forgets a control that is going away (no messages).
void ForgetControl(TControl* Control);

inline bool IsWindowed(const TControl* Control) {
    return dynamic_cast<const TWinControl*>(Control) != nullptr;
}

} // namespace vcl::controls_detail
