#pragma once
// Measuring and painting of the owner-drawn menu items: the menu window's background, icon bar and side
// bar, the selected and hot looks, images and check/radio marks, the submenu arrow, separators, caption
// with notes lines and shortcut, and the menu bar's own gradient. Every value comes from the current
// styler of the item's menu.
//
// Each popup menu window is 17 pixels wider than its items need; the window's region cuts that strip off.

#include "components/menus/AdvMenus.h"

namespace AdvMenus {

using vcl::TCanvas;
using vcl::TMenuItem;
using vcl::TOwnerDrawState;
using vcl::TRect;

inline constexpr int kHiddenStrip = 17;

// The caption's notes separator: the two characters backslash and "n".
inline constexpr const char* kNotesBreak = "\\n";

void MeasureItem(TMenuItem* Item, TCanvas* ACanvas, int& Width, int& Height, bool SideBarVisible);
// Background, bars, the item and the popup window's border.
void DrawMenuItemBackground(TMenuItem* Item, TCanvas* ACanvas, TRect ARect, bool SideBarVisible,
                            TOwnerDrawState State);
void DrawMenuItemEx(IAdvMenu* Menu, TMenuItem* Item, TCanvas* ACanvas, TOwnerDrawState State, TRect ARect);
void DrawMenuItem(IAdvMenu* Menu, TMenuItem* Item, TCanvas* ACanvas, TOwnerDrawState State, TRect ARect);
void DrawLineItem(IAdvMenu* Menu, TMenuItem* Item, TCanvas* ACanvas, TOwnerDrawState State, TRect ARect);
// With DT_CALCRECT in Flags, R becomes the text's extent.
void DrawMenuItemText(TMenuItem* Item, TCanvas* ACanvas, const vcl::String& Text, TRect& R,
                      TOwnerDrawState State, unsigned Flags);
void DrawBarCaption(IAdvMenu* Menu, TCanvas* ACanvas, const TRect& Bar);
void DrawBarBorder(IAdvMenu* Menu, TCanvas* ACanvas, const TRect& Bar);
void DrawBarSplitter(IAdvMenu* Menu, TCanvas* ACanvas, const TRect& Bar);
void DrawSubMenuArrow(TMenuItem* Item, TCanvas* ACanvas, const TRect& R, bool RightAligned);
// Paints a monochrome mark's black pixels in Color at (X, Y).
void DrawMonoGlyph(TCanvas* ACanvas, vcl::TBitmap* Glyph, int X, int Y, vcl::TColor Color);

// The caption split at the notes separator (the first part is the caption line).
std::vector<vcl::String> SplitNotes(const vcl::String& Caption);

} // namespace AdvMenus
