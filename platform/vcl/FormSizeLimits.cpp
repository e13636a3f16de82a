// A form's size limits: its Constraints, as the window's minimum and maximum tracking sizes, so that every
// way of sizing it (the frame and the size grip, SetWindowPos, the window manager) stops there.

#include "platform/vcl/Form.h"
#include "platform/win/Windows.h"

namespace vcl {

void TCustomForm::WMGetMinMaxInfo(TMessage& Message) {
    auto* info = reinterpret_cast<win::MINMAXINFO*>(Message.LParam);
    if (info == nullptr) return;
    // A form's Width and Height are those of its whole window, and so are its constraints.
    const TSizeConstraints* c = Constraints();
    if (c->MinWidth() > 0) info->ptMinTrackSize.X = c->MinWidth();
    if (c->MinHeight() > 0) info->ptMinTrackSize.Y = c->MinHeight();
    if (c->MaxWidth() > 0) info->ptMaxTrackSize.X = c->MaxWidth();
    if (c->MaxHeight() > 0) info->ptMaxTrackSize.Y = c->MaxHeight();
}

void TCustomForm::DoConstraintsChange(TObject* Sender) {
    TWinControl::DoConstraintsChange(Sender);
    // The window asks for its limits again (a size that stays, so nothing else happens): the window
    // system, and the window manager through it, keep to the new ones.
    win::RECT r{};
    if (HandleAllocated() && win::GetWindowRect(WindowHandle(), &r))
        win::SetWindowPos(WindowHandle(), nullptr, 0, 0, r.Width(), r.Height(),
                          win::SWP_NOMOVE | win::SWP_NOZORDER | win::SWP_NOACTIVATE);
}

} // namespace vcl
