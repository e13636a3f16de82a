#include "components/menus/AdvMenuNotifierWindow.h"

namespace AdvMenuStylers {

using namespace vcl;

TNotifierWindow::TNotifierWindow(TComponent* AOwner)
    : TWinControl(AOwner), FSubscription([this] { SystemThemeChanged(); }) {
    SetVisible(false);
    for (TComponent* c = AOwner; c; c = c->Owner())
        if (auto* parent = dynamic_cast<TWinControl*>(c)) {
            SetParent(parent);
            break;
        }
}

TNotifierWindow::~TNotifierWindow() = default;

void TNotifierWindow::SystemThemeChanged() {
    if (HandleAllocated())
        win::SendMessage(Handle(), win::WM_THEMECHANGED, 0, 0);
    else if (OnThemeChange)
        OnThemeChange(this);
}

void TNotifierWindow::WndProc(TMessage& Message) {
    if (Message.Msg == win::WM_THEMECHANGED && OnThemeChange) OnThemeChange(this);
    TWinControl::WndProc(Message);
}

} // namespace AdvMenuStylers
