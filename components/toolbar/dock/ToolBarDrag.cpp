// Dragging a toolbar by its grip (docked) or its caption (floating): the mouse handling that tells the
// areas apart, the private message loop of the drag, tearing off into a floating window and docking
// into the panels the drag collected as targets.

#include <algorithm>

#include "components/toolbar/dock/DockPanel.h"
#include "components/toolbar/dock/FloatingWindow.h"
#include "components/toolbar/dock/ToolBar.h"
#include "components/toolbar/dock/ToolBarButton.h"
#include "platform/vcl/ControlMessages.h"
#include "platform/vcl/Form.h"
#include "platform/vcl/Screen.h"
#include "platform/win/Input.h"
#include "platform/win/Messages.h"
#include "platform/win/Window.h"

namespace AdvToolBar {

namespace {

// How far past a panel's edge the pointer must go before a docked toolbar tears off.
constexpr int TearOffDistance = 26;
// How far a dock target reaches past its panel into the form's client area.
constexpr int DockMargin = 15;

} // namespace

// ---- Hit tests

bool TAdvCustomToolBar::PtOnDragGrip(int X, int Y) const {
    if (IsFloating() || FCurrentStyler == nullptr || OnPageOrCompactWindow()) return false;
    if (FCurrentStyler->DragGripStyle() == dsNone) return false;
    vcl::TRect r =
        Horizontal() ? vcl::TRect{0, 0, FDragGripWidth, Height()} : vcl::TRect{0, 0, Width(), FDragGripWidth};
    return r.Contains(vcl::TPoint{X, Y});
}

bool TAdvCustomToolBar::PtOnPopupIndicator(int X, int Y) const {
    if (!FShowPopupIndicator || !FShowRightHandle) return false;
    const int w = PopupIndicatorWidth();
    vcl::TRect r = Horizontal() ? vcl::TRect{Width() - w, 0, Width(), Height()}
                                : vcl::TRect{0, Height() - w, Width(), Height()};
    return r.Contains(vcl::TPoint{X, Y});
}

bool TAdvCustomToolBar::PtOnGripCaption(int X, int Y) const {
    if (!IsFloating()) return false;
    vcl::TRect r = GetCaptionRect();
    // The caption's buttons are not part of the grip.
    if (FShowOptionIndicator)
        r.Right = FWCustomizedBtnRect().Left;
    else if (FShowClose)
        r.Right = FWCloseBtnRect().Left;
    return r.Contains(vcl::TPoint{X, Y});
}

bool TAdvCustomToolBar::PtOnCloseBtn(int X, int Y) const {
    return IsFloating() && FWCloseBtnRect().Contains(vcl::TPoint{X, Y});
}

bool TAdvCustomToolBar::PtOnCustomizedBtn(int X, int Y) const {
    return IsFloating() && FWCustomizedBtnRect().Contains(vcl::TPoint{X, Y});
}

TAdvCustomToolBarButton* TAdvCustomToolBar::ButtonAtPos(int X, int Y) const {
    for (void* p : *FControlList) {
        auto* b = dynamic_cast<TAdvCustomToolBarButton*>(static_cast<vcl::TControl*>(p));
        if (b == nullptr || !b->Visible() || !b->Enabled()) continue;
        if (!IsFloating() && IsHidden(b)) continue;
        if (b->Left() <= X && X <= b->Left() + b->Width() && b->Top() <= Y && Y <= b->Top() + b->Height())
            return b;
    }
    return nullptr;
}

// ---- Mouse

void TAdvCustomToolBar::MouseDown(vcl::TMouseButton Button, vcl::TShiftState Shift, int X, int Y) {
    vcl::TCustomControl::MouseDown(Button, Shift, X, Y);
    if (FMoving) return;
    // Only the left button drags: the loop ends on its release alone.
    if (Button == vcl::mbLeft) {
        if (FToolBarState == tsDocked && FDockPanel != nullptr) {
            if (PtOnDragGrip(X, Y) && !FLocked) {
                BeginMove(Shift, X, Y);
                return;
            }
        } else if (IsFloating()) {
            if (PtOnGripCaption(X, Y)) {
                if (vcl::Screen->Cursor() != vcl::crSizeAll) vcl::Screen->SetCursor(vcl::crSizeAll);
                BeginMove(Shift, X, Y);
                return;
            }
            if (PtOnCustomizedBtn(X, Y) && !FCustomBtnDown) {
                FCustomBtnDown = true;
                Invalidate();
                OptionIndicatorClick();
            } else if (PtOnCloseBtn(X, Y) && !FCloseBtnDown) {
                FCloseBtnDown = true;
                Invalidate();
            }
            return;
        }
    }
    RightHandleMouseDown(Button, X, Y);
    if (Button == vcl::mbLeft) CapIndicatorMouseDown(X, Y);
}

void TAdvCustomToolBar::MouseMove(vcl::TShiftState Shift, int X, int Y) {
    vcl::TCustomControl::MouseMove(Shift, X, Y);
    if (FMoving) return;
    if (!Shift.Contains(vcl::ssLeft) && !FLocked) {
        if (PtOnDragGrip(X, Y)) {
            if (Cursor() != vcl::crSizeAll) {
                FSavedCursor = Cursor();
                SetCursor(vcl::crSizeAll);
            }
        } else if (Cursor() == vcl::crSizeAll) {
            SetCursor(FSavedCursor);
        }
    }
    RightHandleMouseMove(X, Y);
    CapIndicatorMouseMove(X, Y);
    if (IsFloating()) {
        bool customHot = PtOnCustomizedBtn(X, Y);
        bool closeHot = PtOnCloseBtn(X, Y);
        if (customHot != FCustomBtnHot || closeHot != FCloseBtnHot) {
            FCustomBtnHot = customHot;
            FCloseBtnHot = closeHot;
            Invalidate();
        }
    }
}

void TAdvCustomToolBar::MouseUp(vcl::TMouseButton Button, vcl::TShiftState Shift, int X, int Y) {
    vcl::TCustomControl::MouseUp(Button, Shift, X, Y);
    RightHandleMouseUp(Button, X, Y);
    if (Button == vcl::mbLeft) CapIndicatorMouseUp();
    if (!IsFloating()) return;
    if (FCustomBtnDown) {
        // Its action ran on the press.
        FCustomBtnDown = false;
        Invalidate();
    }
    if (FCloseBtnDown) {
        // Wherever the pointer was released.
        FCloseBtnDown = false;
        FCloseBtnHot = false;
        Invalidate();
        CloseBtnClick();
    }
}

void TAdvCustomToolBar::CMMouseLeave() {
    if (!FMoving && Cursor() == vcl::crSizeAll) SetCursor(FSavedCursor);
    if (FRightHandleHot || FRightHandleDown) {
        FRightHandleHot = false;
        FRightHandleDown = false;
        Invalidate();
    }
    CapIndicatorMouseLeave();
    if (IsFloating() && (FCustomBtnHot || FCustomBtnDown || FCloseBtnHot || FCloseBtnDown)) {
        FCustomBtnHot = FCustomBtnDown = FCloseBtnHot = FCloseBtnDown = false;
        Invalidate();
    }
}

void TAdvCustomToolBar::CloseBtnClick() {
    if (!IsFloating()) return;
    if (AutoDockOnClose && FLastDockPanel != nullptr) {
        SetParent(FLastDockPanel);
        // Only once the panel took it: a refused toolbar stays in its window.
        if (FDockPanel == FLastDockPanel && FFloatingWindow != nullptr) vcl::FreeAndNil(FFloatingWindow);
        return;
    }
    if (FFloatingWindow != nullptr) FFloatingWindow->SetVisible(false);
    SetVisible(false);
    if (OnClose) OnClose(this);
}

// ---- Docking

bool TAdvCustomToolBar::AcceptableDockPanel(TAdvDockPanel* Panel) const {
    if (Panel == nullptr || !FDockableTo.Contains(Panel->Align())) return false;
    if (!Panel->RowsFrozen()) return true;
    return Panel->IsAllowedInAnyRow(const_cast<TAdvCustomToolBar*>(this)) >= 0;
}

void TAdvCustomToolBar::SetAdvDockPanel(TAdvDockPanel* Value) {
    if (Value == nullptr || Value == FDockPanel) return;
    SetParent(Value);
    // The floating window goes only when the panel took the toolbar.
    if (FDockPanel == Value && FFloatingWindow != nullptr) vcl::FreeAndNil(FFloatingWindow);
}

vcl::TRect TAdvCustomToolBar::DockTargetRect(TAdvDockPanel* Panel) const {
    vcl::TRect r{};
    win::GetWindowRect(Panel->Handle(), &r);
    switch (Panel->Align()) {
    case daLeft:
        r.Right += DockMargin;
        break;
    case daTop:
        r.Bottom += DockMargin;
        break;
    case daRight:
        r.Left -= DockMargin;
        break;
    case daBottom:
        r.Top -= DockMargin;
        break;
    }
    return r;
}

void TAdvCustomToolBar::VisitDockTargets(vcl::TControl* Control) {
    if (Control == nullptr || Control == this || ContainsControl(Control) || !Control->Showing()) return;
    if (auto* panel = dynamic_cast<TAdvDockPanel*>(Control)) {
        if (!AcceptableDockPanel(panel)) return;
        for (const TDockTarget& t : FDockTargets)
            if (t.Panel == panel) return;
        FDockTargets.push_back(TDockTarget{panel, DockTargetRect(panel)});
        return;
    }
    auto* parent = dynamic_cast<vcl::TWinControl*>(Control);
    if (parent == nullptr || DockMode == dmParentDockPanelOnly) return;
    for (int i = 0; i < parent->ControlCount(); ++i) {
        auto* child = dynamic_cast<vcl::TWinControl*>(parent->Controls(i));
        if (child == nullptr) continue;
        if (DockMode == dmAllParentDockPanels && dynamic_cast<TAdvDockPanel*>(child) == nullptr) continue;
        VisitDockTargets(child);
    }
}

void TAdvCustomToolBar::CollectDockTargets() {
    FDockTargets.clear();
    if (FLastDockPanel == nullptr) return;
    vcl::TControl* root = nullptr;
    if (DockMode == dmParentDockPanelOnly)
        root = FLastDockPanel;
    else if (DockMode == dmAllParentDockPanels && FLastDockPanel->Parent() != nullptr)
        root = FLastDockPanel->Parent();
    else
        root = vcl::GetParentForm(FLastDockPanel, false);
    VisitDockTargets(root);
}

void TAdvCustomToolBar::RefreshDockTargets() {
    for (TDockTarget& t : FDockTargets)
        t.Rect = DockTargetRect(t.Panel);
}

// ---- The drag

void TAdvCustomToolBar::BeginMove(vcl::TShiftState Shift, int X, int Y) {
    CollectDockTargets();
    FDragAnchor = vcl::TPoint{X, Y};
    const win::HWND window = Handle();
    win::SetCapture(window);
    FMoving = true;
    // A message dispatched inside the loop may free the toolbar: the loop then only leaves.
    std::shared_ptr<bool> alive = FAlive;
    struct TEnd {
        TAdvCustomToolBar* Bar;
        std::shared_ptr<bool>& Alive;
        ~TEnd() {
            if (*Alive) Bar->EndMove();
        }
    } end{this, alive};
    win::MSG msg{};
    while (*alive && win::GetCapture() == window) {
        const win::BOOL got = win::GetMessage(&msg, nullptr, 0, 0);
        if (got == -1) break;
        if (got == 0) {
            // The application's own loop must still see the quit.
            win::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (msg.message == win::WM_MOUSEMOVE) {
            win::POINT p{};
            win::GetCursorPos(&p);
            vcl::TPoint c = ScreenToClient(vcl::TPoint{p.X, p.Y});
            Move(Shift, c.X, c.Y);
        } else if (msg.message == win::WM_LBUTTONUP) {
            break;
        } else {
            win::TranslateMessage(&msg);
            win::DispatchMessage(&msg);
        }
    }
}

void TAdvCustomToolBar::Move(vcl::TShiftState, int X, int Y) {
    if (!FMoving) return;
    bool tearOff = false;
    if (FToolBarState == tsDocked && FDockPanel != nullptr) {
        TAdvDockPanel* panel = FDockPanel;
        const int row = FRow;
        if (Horizontal()) {
            const int left = Left();
            const int wanted = X - FDragAnchor.X + left;
            SetLeft(wanted);
            if (Y > Height())
                SetTop(Top() + (Y - Height()));
            else if (Y < 0)
                SetTop(Top() + Y);
            if (Y > Height() && FRow == row && Top() + Y > panel->Height() + TearOffDistance)
                tearOff = true;
            else if (Y < 0 && FRow == row && Top() + Y < -TearOffDistance)
                tearOff = true;
            if (!tearOff && Left() != wanted)
                tearOff = (wanted > Width() && wanted > panel->Width() + TearOffDistance) ||
                          (X < 0 && X + left < -TearOffDistance);
        } else {
            const int top = Top();
            const int wanted = Y - FDragAnchor.Y + top;
            SetTop(wanted);
            if (X > Width())
                SetLeft(Left() + (X - Width()));
            else if (X < 0)
                SetLeft(Left() + X);
            if (X > Width() && FRow == row && Left() + X > panel->Width() + TearOffDistance)
                tearOff = true;
            else if (X < 0 && FRow == row && Left() + X < -TearOffDistance)
                tearOff = true;
            if (!tearOff && Top() != wanted)
                tearOff = (wanted > Height() && wanted > panel->Height() + TearOffDistance) ||
                          wanted < -TearOffDistance;
        }
        // The trailing corners show the panel through them: repainted as the toolbar moves.
        if (HandleAllocated()) {
            const int w = Width();
            const int h = Height();
            win::RECT a = Horizontal() ? win::RECT{w - 2, 0, w, 2} : win::RECT{0, h - 3, 3, h};
            win::RECT b = Horizontal() ? win::RECT{w - 2, h - 2, w, h} : win::RECT{w - 3, h - 3, w, h};
            win::InvalidateRect(Handle(), &a, win::TRUE);
            win::InvalidateRect(Handle(), &b, win::TRUE);
        }
    } else if (IsFloating() && FFloatingWindow != nullptr) {
        // The window follows so that the point first grabbed stays under the pointer.
        vcl::TPoint p = ClientToScreen(vcl::TPoint{X - FDragAnchor.X, Y - FDragAnchor.Y});
        FFloatingWindow->SetBounds(p.X - Left(), p.Y - Top(), FFloatingWindow->Width(),
                                   FFloatingWindow->Height());
    }
    if (!FAllowFloating) tearOff = false;
    if (!tearOff && !IsFloating()) return;
    win::POINT cursor{};
    win::GetCursorPos(&cursor);
    const vcl::TPoint pt{cursor.X, cursor.Y};
    for (const TDockTarget& t : FDockTargets) {
        if (!t.Rect.Contains(pt) || t.Panel == Parent()) continue;
        SetParent(t.Panel);
        if (FDockPanel != t.Panel) continue; // refused: the next target may take it
        FDragAnchor.X = 1;
        if (FFloatingWindow != nullptr) vcl::FreeAndNil(FFloatingWindow);
        return;
    }
    if (!IsFloating()) {
        SetFloating(0, 0, false);
        // The panel the toolbar left may have shrunk.
        RefreshDockTargets();
    }
}

void TAdvCustomToolBar::EndMove() {
    if (vcl::Screen->Cursor() == vcl::crSizeAll) vcl::Screen->SetCursor(vcl::crDefault);
    FMoving = false;
    if (HandleAllocated() && win::GetCapture() == Handle()) win::ReleaseCapture();
    FDockTargets.clear();
}

} // namespace AdvToolBar
