// The toolbar's keyboard use among its controls: arrows between the focusable controls, the focus flag
// that repaints see-through children, and the key tips of its glow buttons (typed letters click them).

#include <algorithm>

#include "components/foundation/AdvGlowButton.h"
#include "components/toolbar/dock/CompactWindow.h"
#include "components/toolbar/dock/ToolBar.h"
#include "components/toolbar/dock/ToolBarContainer.h"
#include "components/toolbar/pager/AdvPage.h"
#include "components/toolbar/pager/AdvToolBarPager.h"
#include "platform/classes/Properties.h"
#include "platform/rtl/SysUtils.h"
#include "platform/vcl/ControlMessages.h"
#include "platform/vcl/HintWindow.h"

namespace AdvToolBar {

namespace {

bool Focusable(vcl::TWinControl* C, bool CheckFocus) {
    if (dynamic_cast<vcl::THintWindow*>(C) != nullptr || dynamic_cast<TAdvCustomToolBar*>(C) != nullptr)
        return false;
    if (IsCompactWindow(C)) return false;
    return !CheckFocus || C->CanFocus();
}

// The pager a page toolbar hands the focus back to, or null.
TAdvToolBarPager* PagerOf(const vcl::TControl* ToolBar) {
    auto* page = ToolBar != nullptr ? dynamic_cast<TAdvPage*>(ToolBar->Parent()) : nullptr;
    return page != nullptr ? dynamic_cast<TAdvToolBarPager*>(page->Parent()) : nullptr;
}

void FocusIfPossible(vcl::TWinControl* C) {
    if (C != nullptr && C->CanFocus()) C->SetFocus();
}

bool KeyTipLetter(unsigned Key) {
    return (Key >= 48 && Key <= 57) || (Key >= 65 && Key <= 90) || (Key >= 97 && Key <= 122);
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
    // A compacted toolbar shows nothing but its compact button.
    if (Compact()) return FCompactButton != nullptr && FCompactButton->CanFocus() ? FCompactButton : nullptr;
    vcl::TWinControlList list;
    const_cast<TAdvCustomToolBar*>(this)->GetTabOrderList(list);
    for (vcl::TWinControl* c : list)
        if (Focusable(c, CheckFocus)) return c;
    return nullptr;
}

vcl::TWinControl* TAdvCustomToolBar::GetLastTabControl(bool CheckFocus) const {
    if (Compact()) return FCompactButton != nullptr && FCompactButton->CanFocus() ? FCompactButton : nullptr;
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
    if (sender == nullptr) return;
    auto* page = dynamic_cast<TAdvPage*>(Parent());
    TAdvToolBarPager* pager = PagerOf(this);
    if (page != nullptr && page->ToolBarKeyTipsShown()) {
        if (!KeyTipLetter(Key)) {
            page->HideShortCutHintOfAllToolBars();
            // Escape steps back from the buttons' tips to the tabs' tips.
            if (Key == win::VK_ESCAPE && pager != nullptr) pager->ShowShortCutHintOfAllPages();
        } else if (page->AddTypedKeyTip(static_cast<char>(Key))) {
            return; // a button was clicked: the key is spent
        }
    }
    if (Key == win::VK_ESCAPE || Key == win::VK_UP) {
        if (pager != nullptr) FocusIfPossible(pager);
        return;
    }
    if (Key != win::VK_LEFT && Key != win::VK_RIGHT) return;
    vcl::TWinControlList order;
    GetTabOrderList(order);
    vcl::TList list;
    for (vcl::TWinControl* c : order)
        list.Add(c);
    RemoveUnfocusableControls(&list);
    const int i = list.IndexOf(sender);
    const bool forward = Key == win::VK_RIGHT;
    // Off either end of a page toolbar the focus goes on to the neighbouring toolbar, round the page.
    if (page != nullptr && i >= 0 && (forward ? i == list.Count() - 1 : i == 0)) {
        TDbgList bars;
        page->GetSequencialToolBarList(&bars);
        const int me = bars.IndexOf(this);
        if (me < 0 || bars.Count() < 2) return;
        const int n = bars.Count();
        auto* next = bars.At<TAdvCustomToolBar>(forward ? (me + 1) % n : (me + n - 1) % n);
        FocusIfPossible(forward ? next->GetFirstTabControl(true) : next->GetLastTabControl(true));
        return;
    }
    if (i < 0) return;
    // Off either end of a toolbar that is not on a page nothing moves.
    const int to = forward ? i + 1 : i - 1;
    if (to < 0 || to >= list.Count()) return;
    FocusIfPossible(static_cast<vcl::TWinControl*>(list.Get(to)));
}

void TAdvCustomToolBar::GiveGlowButtonKeys(vcl::TControl* Control) {
    auto* button = dynamic_cast<AdvGlowButton::TAdvCustomGlowButton*>(Control);
    if (button == nullptr || button->ComponentState().Contains(vcl::csDesigning)) return;
    button->OnInternalKeyDown = [](vcl::TObject* Sender, win::WORD& Key, vcl::TShiftState Shift) {
        auto* c = dynamic_cast<vcl::TControl*>(Sender);
        for (vcl::TWinControl* p = c != nullptr ? c->Parent() : nullptr; p != nullptr; p = p->Parent())
            if (auto* tb = dynamic_cast<TAdvCustomToolBar*>(p)) {
                tb->OnGlowButtonKeyDown(Sender, Key, Shift);
                return;
            }
    };
}

bool TAdvCustomToolBar::HasShortCut(const String& Keys, int& Count) {
    bool clicked = false;
    for (int i = 0; i < ToolBarControlCount() && !clicked; ++i) {
        vcl::TControl* c = ToolBarControls(i);
        ForEachGlowButton(c, true, [&](AdvGlowButton::TAdvCustomGlowButton* g) {
            if (clicked) return;
            const String& tip = g->ShortCutHint();
            if (vcl::SameText(tip, Keys) && g->Visible() && g->Enabled()) {
                if (g->CanFocus()) g->SetFocus();
                g->Repaint();
                g->InternalClick();
                clicked = true;
            } else if (!tip.empty() && tip.size() >= Keys.size() &&
                       vcl::SameText(tip.substr(0, Keys.size()), Keys)) {
                // An equal tip on a button that cannot be clicked only starts with the text too.
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
        // The arrows belong to the toolbar also on a page and in a compact window, where they move on.
        if (FMenuLoop || dynamic_cast<TAdvPage*>(Parent()) != nullptr || IsCompactWindow(Parent()))
            Message.Result = win::DLGC_WANTARROWS;
        return true;
    case win::WM_KEYDOWN: {
        // The menu loop's keys were taken before this.
        const auto key = static_cast<unsigned>(Message.WParam);
        if (auto* page = dynamic_cast<TAdvPage*>(Parent()); page != nullptr && page->ToolBarKeyTipsShown())
            page->HideShortCutHintOfAllToolBars();
        if (IsCompactWindow(Parent())) {
            if (key == win::VK_LEFT || key == win::VK_RIGHT || key == win::VK_DOWN) {
                FocusIfPossible(GetFirstTabControl(true));
            } else if (key == win::VK_ESCAPE || key == win::VK_UP) {
                if (TAdvToolBarPager* pager = PagerOf(FCloneLink)) FocusIfPossible(pager);
            }
        }
        vcl::TCustomControl::WndProc(Message);
        return true;
    }
    case vcl::CM_FOCUSCHANGED: {
        vcl::TCustomControl::WndProc(Message);
        if (reinterpret_cast<vcl::TControl*>(Message.LParam) == this && ToolBarControlCount() > 0 &&
            !IsCompactWindow(Parent()))
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
