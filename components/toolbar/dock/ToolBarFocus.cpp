// The filter the toolbar's keyboard navigation applies to its tab order.

#include "components/toolbar/dock/ToolBar.h"
#include "components/toolbar/dock/ToolBarContainer.h"
#include "platform/vcl/Form.h"
#include "platform/vcl/HintWindow.h"

namespace AdvToolBar {

namespace {

// A windowed control takes the focus only on a form, with itself and every parent up to that form
// visible and enabled.
bool CanTakeFocus(vcl::TWinControl* Control) {
    for (vcl::TWinControl* c = Control; c != nullptr; c = c->Parent()) {
        if (dynamic_cast<vcl::TCustomForm*>(c) != nullptr) return true;
        if (!c->Visible() || !c->Enabled()) return false;
    }
    return false;
}

} // namespace

void RemoveUnfocusableControls(vcl::TList* List) {
    if (List == nullptr) return;
    for (int i = 0; i < List->Count();) {
        auto* control = static_cast<vcl::TControl*>(List->Get(i));
        auto* windowed = dynamic_cast<vcl::TWinControl*>(control);
        const bool drop = dynamic_cast<vcl::THintWindow*>(control) != nullptr ||
                          dynamic_cast<TAdvToolBarContainer*>(control) != nullptr ||
                          (windowed != nullptr && !CanTakeFocus(windowed));
        if (drop)
            List->Delete(i);
        else
            ++i;
    }
}

} // namespace AdvToolBar
