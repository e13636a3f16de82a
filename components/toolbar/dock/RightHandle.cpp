// The toolbar's right handle: the controls that do not fit its length are taken off it, least recently
// used first, and come back, last hidden first, as it grows. Also the handle's mouse states.

#include <algorithm>

#include "components/menus/AdvMenus.h"
#include "components/toolbar/customizer/AdvToolBarCustomizer.h"
#include "components/toolbar/dock/DockPanel.h"
#include "components/toolbar/dock/FlagGuard.h"
#include "components/toolbar/dock/ToolBar.h"
#include "components/toolbar/dock/ToolBarButton.h"
#include "components/toolbar/dock/ToolBarControl.h"
#include "components/toolbar/options/PopupMenuWindow.h"
#include "components/toolbar/options/SelectorPanels.h"

namespace AdvToolBar {

namespace {

bool IsSeparator(vcl::TControl* C) {
    return dynamic_cast<TAdvToolBarSeparator*>(C) != nullptr;
}

} // namespace

int TAdvCustomToolBar::LengthOf(vcl::TControl* Control) const {
    return Horizontal() ? Control->Width() : Control->Height();
}

int TAdvCustomToolBar::StartOf(vcl::TControl* Control) const {
    return Horizontal() ? Control->Left() : Control->Top();
}

void TAdvCustomToolBar::Reparent(vcl::TControl* Control, bool Checked) {
    const auto state = ComponentState();
    if (Checked && (state.Contains(vcl::csLoading) || state.Contains(vcl::csDestroying))) return;
    if (Control->Parent() == this) return;
    TFlagGuard reparent(FInternalReparent, true);
    TFlagGuard listUpdate(FListUpdating, true);
    Control->SetParent(this);
}

// A separator goes with a hidden control only when every control between the two is hidden too.
vcl::TControl* TAdvCustomToolBar::GroupSeparatorOf(vcl::TControl* Control) const {
    int at = FControlList->IndexOf(Control);
    if (at < 0) return nullptr;
    auto look = [&](int Step) -> std::pair<vcl::TControl*, bool> {
        for (int i = at + Step; i >= 0 && i < FControlList->Count(); i += Step) {
            vcl::TControl* c = FControlList->At<vcl::TControl>(i);
            if (IsSeparator(c)) return {c, false};
            if (!IsHidden(c)) return {nullptr, true};
        }
        return {nullptr, false};
    };
    auto [before, blockedBefore] = look(-1);
    if (blockedBefore) return nullptr;
    vcl::TControl* after = nullptr;
    if (before == nullptr) after = look(+1).first;
    if (before != nullptr && IsHidden(before)) return before;
    if (after != nullptr && IsHidden(after)) return after;
    return nullptr;
}

void TAdvCustomToolBar::UnHideAllControls() {
    {
        TFlagGuard reparent(FInternalReparent, true);
        TFlagGuard listUpdate(FListUpdating, true);
        for (void* p : *FHiddenControlList)
            Reparent(static_cast<vcl::TControl*>(p), true);
    }
    FHiddenControlList->Clear();
}

void TAdvCustomToolBar::UpdateRULists() {
    if (FToolBarState != tsDocked || FListUpdating) return;
    if (ComponentState().Contains(vcl::csDestroying)) return;
    if (FFullSize) {
        // A full-size toolbar hides nothing.
        UnHideAllControls();
        return;
    }
    const int n = FControlList->Count();
    // Measured where the controls stand now: one just taken back still has its parked place.
    SetControlsPosition(false);
    auto lastShowing = [&](bool SkipSeparators) -> int {
        for (int i = n - 1; i >= 0; --i) {
            vcl::TControl* c = FControlList->At<vcl::TControl>(i);
            if (!IsHidden(c) && c->Visible() && !(SkipSeparators && IsSeparator(c))) return i;
        }
        return -1;
    };
    // A last control whose group separator before it is already hidden goes with it.
    if (int t = lastShowing(true); t >= 0) {
        for (int i = t - 1; i >= 0; --i) {
            vcl::TControl* c = FControlList->At<vcl::TControl>(i);
            if (!IsSeparator(c)) continue;
            if (IsHidden(c)) FHiddenControlList->Add(FControlList->At<vcl::TControl>(t));
            break;
        }
    }
    const int limit = (Horizontal() ? Width() : Height()) - PopupIndicatorWidth();
    int last = lastShowing(false);
    if (last < 0) {
        if (FHiddenControlList->Count() == 0) return;
        int room = limit - (GripDrawn() ? FDragGripWidth : 0);
        while (room > 0 && FHiddenControlList->Count() > 0) {
            auto* c = FHiddenControlList->At<vcl::TControl>(FHiddenControlList->Count() - 1);
            if (LengthOf(c) > room) break;
            Reparent(c, true);
            room -= LengthOf(c);
            FHiddenControlList->Delete(FHiddenControlList->Count() - 1);
        }
        SetControlsPosition(false);
        return;
    }
    vcl::TControl* lastControl = FControlList->At<vcl::TControl>(last);
    const int end = StartOf(lastControl) + LengthOf(lastControl);
    if (end < limit && FHiddenControlList->Count() > 0) {
        int free = limit - end;
        for (;;) {
            vcl::TControl* c = nullptr;
            for (int i = FHiddenControlList->Count() - 1; i >= 0 && c == nullptr; --i)
                if (!IsSeparator(FHiddenControlList->At<vcl::TControl>(i)))
                    c = FHiddenControlList->At<vcl::TControl>(i);
            if (c == nullptr || LengthOf(c) > free) break;
            vcl::TControl* sep = GroupSeparatorOf(c);
            if (sep == nullptr) {
                Reparent(c, true);
                free -= LengthOf(c);
                FHiddenControlList->Remove(c);
            } else {
                // A group comes back with its separator only when both fit.
                if (LengthOf(c) + LengthOf(sep) > free) break;
                Reparent(c, true);
                Reparent(sep, true);
                free -= LengthOf(c) + LengthOf(sep);
                FHiddenControlList->Remove(c);
                FHiddenControlList->Remove(sep);
            }
            if (free <= 0) break;
        }
    } else if (end > limit) {
        int over = end - limit;
        while (over > 0) {
            vcl::TControl* victim = nullptr;
            for (int i = FRULControlList->Count() - 1; i >= 0 && victim == nullptr; --i) {
                auto* c = FRULControlList->At<vcl::TControl>(i);
                if (!IsHidden(c) && !IsSeparator(c) && c->Visible()) victim = c;
            }
            if (victim == nullptr) break;
            FHiddenControlList->Add(victim);
            over -= LengthOf(victim);
            // The last showing member of a group takes its separator along.
            int at = FControlList->IndexOf(victim);
            auto look = [&](int Step) -> std::pair<vcl::TControl*, bool> {
                for (int i = at + Step; i >= 0 && i < n; i += Step) {
                    vcl::TControl* c = FControlList->At<vcl::TControl>(i);
                    if (IsHidden(c)) continue;
                    if (IsSeparator(c)) return {c, false};
                    return {nullptr, true};
                }
                return {nullptr, false};
            };
            auto [before, showing] = look(-1);
            vcl::TControl* sep = before;
            if (!showing && before == nullptr) {
                auto [after, showingAfter] = look(+1);
                if (!showingAfter) sep = after;
            }
            if (sep != nullptr) {
                FHiddenControlList->Add(sep);
                over -= LengthOf(sep);
            }
        }
    }
    SetControlsPosition(false);
}

void TAdvCustomToolBar::UpControlInRUL(vcl::TControl* Control) {
    if (FControlList->IndexOf(Control) < 0) return;
    if (!FAutoArrangeButtons) {
        HideOptionWindow();
        UpdateRULists();
        return;
    }
    if (int i = FRULControlList->IndexOf(Control); i > 0) FRULControlList->Move(i, 0);
    if (IsHidden(Control)) {
        if (!IsSeparator(Control))
            if (vcl::TControl* sep = GroupSeparatorOf(Control)) {
                Reparent(sep, true);
                FHiddenControlList->Remove(sep);
            }
        FHiddenControlList->Remove(Control);
    }
    Reparent(Control, false);
    HideOptionWindow();
    UpdateRULists();
}

void TAdvCustomToolBar::MoveUpInRUList(vcl::TControl* Control) {
    UpControlInRUL(Control);
    UpdateRULists();
}

void TAdvCustomToolBar::OptionPoint(vcl::TPoint& Client, vcl::TPoint& Screen) {
    if (IsFloating()) {
        Client = vcl::TPoint{Left() + Width() - (FShowClose ? 40 : 20), Top() + FCaptionHeight - 2};
        Screen = ClientToScreen(Client);
    } else {
        Client = vcl::TPoint{Left() + Width() - 12, Top() + Height() + 1};
        Screen = Parent()->ClientToScreen(Client);
    }
}

void TAdvCustomToolBar::OptionIndicatorClick() {
    if (!OnOptionClick && FOptionMenu == nullptr && FCustomizer == nullptr) {
        if (Parent() != nullptr) ShowOptionWindow(0, 0, false);
        return;
    }
    if (Parent() != nullptr) {
        vcl::TPoint client;
        vcl::TPoint screen;
        OptionPoint(client, screen);
        if (OnOptionClick) OnOptionClick(this, client, screen);
        ShowOptionWindow(0, 0, false);
    }
    if (FRightHandleHot || FRightHandleDown) {
        FRightHandleHot = false;
        FRightHandleDown = false;
        Invalidate();
    }
}

// ---- The option window

void TAdvCustomToolBar::InitializeOptionWindow() {
    if (ComponentState().Contains(vcl::csDestroying)) return;
    if (FOptionWindow == nullptr) {
        FOptionWindow = new TOptionSelectorWindow(this, 0);
        FOptionWindow->SetBorderIcons({});
        FOptionWindow->SetBorderStyle(vcl::bsNone);
        FOptionWindow->SetFormStyle(vcl::fsStayOnTop);
        FOptionWindow->SetVisible(false);
        FOptionWindow->SetWidth(10);
        FOptionWindow->SetHeight(10);
        FOptionWindow->SetBorderWidth(0);
        FOptionWindow->OnHide = [this](vcl::TObject* Sender) { OnOptionWindowHide(Sender); };
        FOptionWindow->SetAdvToolBar(this);
    }
    if (FOptionPanel == nullptr) {
        FOptionPanel = new TControlSelectorPanel(FOptionWindow);
        FOptionPanel->SetParent(FOptionWindow);
    }
    TControlSelectorPanel* panel = FOptionPanel;
    panel->SetShowAddAndRemoveBtn(AutoOptionMenu);
    if (auto* menu = dynamic_cast<AdvMenus::TAdvPopupMenu*>(FOptionMenu))
        menu->SetMenuStyler(FCurrentStyler->CurrentAdvMenuStyler());
    panel->SetOptionsMenu(FOptionMenu);
    panel->SetTextAutoOptionMenu(TextAutoOptionMenu);
    panel->SetTextOptionMenu(TextOptionMenu);
    panel->SetCustomizer(FCustomizer);
    panel->SetAdvToolBar(this);
    TButtonAppearance* a = FCurrentStyler->ButtonAppearance();
    panel->ItemColorHot = a->ColorHot();
    panel->ItemColorHotTo = a->ColorHotTo();
    panel->ItemColorDown = a->ColorDown();
    panel->ItemColorDownTo = a->ColorDownTo();
    panel->ItemTextColor = a->CaptionTextColor();
    panel->ItemTextColorHot = a->CaptionTextColorHot();
    panel->ItemTextColorDown = a->CaptionTextColorDown();
    FOptionWindow->SetOptionsPanel(panel);
    panel->ClearControls();
    {
        // The hidden controls in toolbar order, a separator between groups and none at either end.
        TFlagGuard reparent(FInternalReparent, true);
        TAdvToolBarSeparator* remembered = nullptr;
        int added = 0;
        const int hidden = FHiddenControlList->Count();
        for (int i = 0; i < FControlList->Count(); ++i) {
            vcl::TControl* c = FControlList->At<vcl::TControl>(i);
            auto* sep = dynamic_cast<TAdvToolBarSeparator*>(c);
            if (sep != nullptr) remembered = sep;
            if (!IsHidden(c)) continue;
            if (sep != nullptr && (added == 0 || added + 1 == hidden)) continue;
            if (remembered != nullptr && sep == nullptr) {
                if (added > 0) panel->AddCopySeparator(remembered);
                remembered = nullptr;
            }
            panel->AddControl(c);
            ++added;
            if (sep != nullptr) remembered = nullptr;
        }
    }
    panel->ArrangeControls();
    FOptionWindow->SetWindowSize();
}

void TAdvCustomToolBar::ShowOptionWindow(int X, int Y, bool UsePoint) {
    InitializeOptionWindow();
    if (FOptionWindow == nullptr || Parent() == nullptr) return;
    const int w = FOptionWindow->Width();
    const int h = FOptionWindow->Height();
    vcl::TPoint p{X, Y};
    if (!UsePoint) {
        vcl::TPoint client;
        OptionPoint(client, p);
        if (!IsFloating()) {
            // Kept inside the work area of the monitor that holds the point.
            const vcl::TRect work = popups::WorkAreaAt(p);
            if (p.Y + h + 2 > work.Bottom) p.Y -= p.Y + h + 2 - work.Bottom;
            if (p.X + w > work.Right) {
                if (FPosition == daRight)
                    p.X = ClientToScreen(vcl::TPoint{0, 0}).X - w;
                else
                    p.X -= p.X + w - work.Right;
            }
        }
    }
    if (FOptionPanel->IsEmpty()) return;
    FOptionWindow->SetBounds(p.X, p.Y, w, h);
    FOptionWindow->Show();
}

void TAdvCustomToolBar::HideOptionWindow() {
    if (FOptionWindow != nullptr && FOptionWindow->Visible()) FOptionWindow->Hide();
}

void TAdvCustomToolBar::OnOptionWindowHide(vcl::TObject*) {
    UpdateRULists();
    Invalidate();
}

// ---- Mouse states of the right handle

void TAdvCustomToolBar::RightHandleMouseMove(int X, int Y) {
    bool hot = RightHandleShown() && GetRightHandleRect().Contains(vcl::TPoint{X, Y});
    if (hot != FRightHandleHot) {
        FRightHandleHot = hot;
        Invalidate();
    }
    // In menu mode the button under the pointer becomes the hot one.
    if (FMenuTracking)
        if (auto* b = dynamic_cast<TAdvCustomToolBarButton*>(ControlAtPos(vcl::TPoint{X, Y}, false));
            b != nullptr && b != FHotButton)
            SetButtonHot(b);
    MDIMouseMove(X, Y);
}

// The right handle acts on the press, as a menu's button does: it is drawn down, then its window opens.
void TAdvCustomToolBar::RightHandleMouseDown(vcl::TMouseButton Button, int X, int Y) {
    if (Button == vcl::mbLeft && RightHandleShown() && GetRightHandleRect().Contains(vcl::TPoint{X, Y})) {
        FRightHandleDown = true;
        Repaint();
        OptionIndicatorClick();
    }
    if (Button == vcl::mbLeft) MDIMouseDown(X, Y);
}

void TAdvCustomToolBar::RightHandleMouseUp(vcl::TMouseButton Button, int X, int Y) {
    if (Button == vcl::mbLeft) MDIMouseUp(X, Y);
    if (Button != vcl::mbLeft || !FRightHandleDown) return;
    FRightHandleDown = false;
    Invalidate();
}

} // namespace AdvToolBar
