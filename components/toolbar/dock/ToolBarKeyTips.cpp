// The toolbar's keyboard use among its controls: arrows between the focusable controls, the focus flag
// that repaints see-through children, and the key tips of its glow buttons (typed letters click them).

#include <algorithm>

#include "components/foundation/AdvGlowButton.h"
#include "components/toolbar/dock/ToolBar.h"
#include "components/toolbar/dock/ToolBarContainer.h"
#include "platform/classes/Properties.h"
#include "platform/rtl/SysUtils.h"
#include "platform/vcl/ControlMessages.h"
#include "platform/vcl/HintWindow.h"

namespace AdvToolBar {

namespace {

bool Focusable(vcl::TWinControl* C, bool CheckFocus) {
    if (dynamic_cast<vcl::THintWindow*>(C) != nullptr || dynamic_cast<TAdvCustomToolBar*>(C) != nullptr)
        return false;
    if (C->ClassName() == "TCompactWindow") return false;
    return !CheckFocus || C->CanFocus();
}

// Every glow button at any depth under a windowed control whose children are searched.
template <typename F> void ForEachGlowButton(vcl::TControl* C, bool OnlyShowing, F&& Fn) {
    if (auto* g = dynamic_cast<AdvGlowButton::TAdvCustomGlowButton*>(C)) {
        Fn(g);
        return;
    }
    auto* w = dynamic_cast<vcl::TWinControl*>(C);
    if (w == nullptr) return;
    for (int i = 0; i < w->ControlCount(); ++i) {
        vcl::TControl* child = w->Controls(i);
        if (OnlyShowing && !(child->Visible() && child->Enabled())) continue;
        if (auto* cw = dynamic_cast<vcl::TWinControl*>(child); OnlyShowing && cw != nullptr && !cw->Showing())
            continue;
        ForEachGlowButton(child, OnlyShowing, Fn);
    }
}

} // namespace

vcl::TWinControl* TAdvCustomToolBar::GetFirstTabControl(bool CheckFocus) const {
    vcl::TWinControlList list;
    const_cast<TAdvCustomToolBar*>(this)->GetTabOrderList(list);
    for (vcl::TWinControl* c : list)
        if (Focusable(c, CheckFocus)) return c;
    return nullptr;
}

vcl::TWinControl* TAdvCustomToolBar::GetLastTabControl(bool CheckFocus) const {
    vcl::TWinControlList list;
    const_cast<TAdvCustomToolBar*>(this)->GetTabOrderList(list);
    for (auto it = list.rbegin(); it != list.rend(); ++it)
        if (Focusable(*it, CheckFocus)) return *it;
    return nullptr;
}

vcl::TWinControl* TAdvCustomToolBar::GetControlFromHandle(win::HWND Handle) const {
    for (int i = 0; i < ToolBarControlCount(); ++i)
        if (auto* w = dynamic_cast<vcl::TWinControl*>(ToolBarControls(i)))
            if (w->HandleAllocated() && w->Handle() == Handle) return w;
    return nullptr;
}

bool TAdvCustomToolBar::AnyDroppedDownButton() const {
    bool any = false;
    for (int i = 0; i < ToolBarControlCount(); ++i)
        if (dynamic_cast<vcl::TWinControl*>(ToolBarControls(i)) != nullptr)
            ForEachGlowButton(ToolBarControls(i), false,
                              [&](AdvGlowButton::TAdvCustomGlowButton* g) { any = any || g->DroppedDown(); });
    return any;
}

void TAdvCustomToolBar::OnGlowButtonKeyDown(vcl::TObject* Sender, win::WORD& Key, vcl::TShiftState) {
    auto* sender = dynamic_cast<vcl::TWinControl*>(Sender);
    if (sender == nullptr || (Key != win::VK_LEFT && Key != win::VK_RIGHT)) return;
    vcl::TWinControlList order;
    GetTabOrderList(order);
    vcl::TList list;
    for (vcl::TWinControl* c : order)
        list.Add(c);
    RemoveUnfocusableControls(&list);
    int i = list.IndexOf(sender);
    if (i < 0) return;
    // Off either end of a toolbar that is not on a page nothing moves.
    int to = Key == win::VK_LEFT ? i - 1 : i + 1;
    if (to < 0 || to >= list.Count()) return;
    auto* next = static_cast<vcl::TWinControl*>(list.Get(to));
    if (next->CanFocus()) next->SetFocus();
}

bool TAdvCustomToolBar::HasShortCut(const String& Keys, int& Count) {
    bool clicked = false;
    for (int i = 0; i < ToolBarControlCount() && !clicked; ++i) {
        vcl::TControl* c = ToolBarControls(i);
        ForEachGlowButton(c, true, [&](AdvGlowButton::TAdvCustomGlowButton* g) {
            if (clicked) return;
            const String& tip = g->ShortCutHint();
            if (vcl::SameText(tip, Keys)) {
                if (g->Visible() && g->Enabled()) {
                    if (g->CanFocus()) g->SetFocus();
                    g->Repaint();
                    g->InternalClick();
                    clicked = true;
                }
            } else if (!tip.empty() && tip.size() > Keys.size() &&
                       vcl::SameText(tip.substr(0, Keys.size()), Keys)) {
                ++Count;
            } else {
                g->HideShortCutHint();
            }
        });
    }
    return clicked;
}

void TAdvCustomToolBar::ShowShortCutHintOfButtons() {
    for (int i = 0; i < ToolBarControlCount(); ++i) {
        vcl::TControl* c = ToolBarControls(i);
        if (!c->Enabled() || !c->Visible()) continue;
        ForEachGlowButton(c, true, [](AdvGlowButton::TAdvCustomGlowButton* g) { g->ShowShortCutHint(); });
    }
}

void TAdvCustomToolBar::HideShortCutHintOfButtons() {
    for (int i = 0; i < ToolBarControlCount(); ++i)
        ForEachGlowButton(ToolBarControls(i), false,
                          [](AdvGlowButton::TAdvCustomGlowButton* g) { g->HideShortCutHint(); });
}

void TAdvCustomToolBar::InvalidateTransparentControls() {
    Invalidate();
    for (int i = 0; i < ToolBarControlCount(); ++i) {
        vcl::TControl* c = ToolBarControls(i);
        const String name = c->ClassName();
        if (dynamic_cast<TAdvToolBarContainer*>(c) != nullptr ||
            dynamic_cast<AdvGlowButton::TAdvGlowButton*>(c) != nullptr ||
            name.find("AdvOffice") != String::npos || vcl::GetPropInfo(c, "Transparent") != nullptr)
            c->Invalidate();
    }
}

bool TAdvCustomToolBar::KeyboardMessage(vcl::TMessage& Message) {
    switch (Message.Msg) {
    case win::WM_GETDLGCODE:
        // The arrows belong to the toolbar while it runs its menu loop.
        vcl::TCustomControl::WndProc(Message);
        if (FMenuLoop) Message.Result = win::DLGC_WANTARROWS;
        return true;
    case vcl::CM_FOCUSCHANGED: {
        vcl::TCustomControl::WndProc(Message);
        if (reinterpret_cast<vcl::TControl*>(Message.LParam) == this && ToolBarControlCount() > 0 &&
            (Parent() == nullptr || Parent()->ClassName() != "TCompactWindow"))
            if (vcl::TWinControl* first = GetFirstTabControl(true)) first->SetFocus();
        bool inside = false;
        for (int i = 0; i < ToolBarControlCount() && !inside; ++i)
            if (auto* w = dynamic_cast<vcl::TWinControl*>(ToolBarControls(i))) inside = w->Focused();
        if (!inside && HandleAllocated()) {
            win::HWND h = win::GetFocus();
            for (int k = 0; k < 50 && h != nullptr && !inside; ++k, h = win::GetParent(h))
                inside = h == Handle();
        }
        if (inside != FKeyTipFocus) {
            FKeyTipFocus = inside;
            InvalidateTransparentControls();
        }
        return true;
    }
    default:
        return false;
    }
}

} // namespace AdvToolBar
