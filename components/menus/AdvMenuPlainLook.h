#pragma once
// The plain look of the owner-drawn menus: flat fills in the styler's colours, the caption with its
// mnemonic, the shortcut, check and submenu marks. It measures and draws one item.

#include "components/menus/AdvMenuStyler.h"
#include "platform/vcl/Menus.h"

namespace AdvMenus {

// Sizes an item: a bar item by its caption, a popup item by icon bar, caption and shortcut, a separator
// as a thin line. Styler may be null (the screen's menu font is used then).
void PlainMeasureItem(vcl::TMenuItem* Item, vcl::TCanvas* ACanvas, int& Width, int& Height,
                      AdvMenuStylers::TCustomAdvMenuStyler* Styler, bool BarItem);
// Paints an item into ARect.
void PlainDrawItem(vcl::TMenuItem* Item, vcl::TCanvas* ACanvas, vcl::TRect ARect, vcl::TOwnerDrawState State,
                   AdvMenuStylers::TCustomAdvMenuStyler* Styler, bool BarItem);

} // namespace AdvMenus
