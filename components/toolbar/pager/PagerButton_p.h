#pragma once
// The glow buttons the pager makes for itself: the caption buttons and the MDI buttons. They act on
// the form and never take the keyboard focus, so no focus frame is ever drawn on them, however the
// focus moves (the pager's Escape, for one, passes it to the previous control in the form's tab order,
// tab stop or not, which would otherwise be the pager's own last button).

#include "components/foundation/AdvGlowButton.h"

namespace AdvToolBar {

class TPagerButton : public AdvGlowButton::TAdvGlowButton {
public:
    using AdvGlowButton::TAdvGlowButton::TAdvGlowButton;
    bool CanFocus() override { return false; }
};

} // namespace AdvToolBar
