#include "platform/vcl/PaintCheck.h"

#include "platform/vcl/WinControl.h"
#include "platform/win/Window.h"

namespace vcl {

bool NothingLeftToPaint(TWinControl* Control) {
    if (!Control->HandleAllocated() || win::GetUpdateRect(Control->Handle(), nullptr, win::FALSE))
        return false;
    for (int i = 0; i < Control->ControlCount(); ++i)
        if (auto* w = dynamic_cast<TWinControl*>(Control->Controls(i));
            w && w->Visible() && !NothingLeftToPaint(w))
            return false;
    return true;
}

} // namespace vcl
