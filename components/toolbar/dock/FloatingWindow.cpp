// The floating window and the toolbar's side of floating: starting to float, following the form's
// visibility, and the number of rows a floating toolbar wraps its controls into.

#include "components/toolbar/dock/FloatingWindow.h"

#include <algorithm>

#include "components/toolbar/dock/DockPanel.h"
#include "components/toolbar/dock/ToolBar.h"
#include "platform/vcl/Screen.h"
#include "platform/win/Input.h"
#include "platform/win/Messages.h"
#include "platform/win/Window.h"

namespace AdvToolBar {

namespace {

constexpr win::UINT_PTR FollowTimerId = 500;
constexpr win::UINT FollowInterval = 40;

} // namespace

// ---- TFloatingWindow

TFloatingWindow::TFloatingWindow(vcl::TComponent* AOwner, int)
    : vcl::TCustomForm(AOwner), FOwnerComponent(AOwner), FBorderColor(win::RGB(109, 109, 109)) {
    FControlStyle.Include(vcl::csCaptureMouse);
}

TFloatingWindow::~TFloatingWindow() {
    BeforeDestruction();
}

void TFloatingWindow::Loaded() {
    vcl::TCustomForm::Loaded();
    FSavedCursor = Cursor();
}

void TFloatingWindow::TakeLook(TCustomAdvToolBarStyler* Styler) {
    if (Styler == nullptr) return;
    SetBorderWidth(Styler->FloatingWindowBorderWidth());
    SetBorderColor(Styler->FloatingWindowBorderColor());
    TGradientBackground* c = Styler->Color();
    SetColor(c->ColorTo() != vcl::clNone ? c->ColorTo() : c->Color());
    Invalidate();
}

void TFloatingWindow::SetBorderWidth(int Value) {
    if (FFrameWidth == Value) return;
    FFrameWidth = Value;
    SetWindowSize();
}

void TFloatingWindow::SetWindowSize() {
    if (FAdvToolBar == nullptr) return;
    const int inset = FFrameWidth + 1;
    SetBounds(Left(), Top(), FAdvToolBar->Width() + inset * 2, FAdvToolBar->Height() + inset * 2);
    if (FAdvToolBar->Parent() == this && (FAdvToolBar->Left() != inset || FAdvToolBar->Top() != inset))
        FAdvToolBar->SetBounds(inset, inset, FAdvToolBar->Width(), FAdvToolBar->Height());
    Invalidate();
}

win::HWND TFloatingWindow::GetParentWnd() const {
    auto* owner = dynamic_cast<vcl::TWinControl*>(FOwnerComponent);
    if (owner == nullptr || !owner->HandleAllocated()) return nullptr;
    win::HWND top = nullptr;
    for (win::HWND h = win::GetParent(owner->Handle()); h != nullptr; h = win::GetParent(h))
        top = h;
    return top;
}

void TFloatingWindow::Paint() {
    vcl::TCustomForm::Paint();
    if (FBorderColor == vcl::clNone) return;
    vcl::TCanvas* c = Canvas();
    c->Pen()->SetColor(FBorderColor);
    c->Pen()->SetWidth(FFrameWidth);
    c->Brush()->SetStyle(vcl::bsClear);
    c->Rectangle(1, 1, Width(), Height());
    const int b = FFrameWidth;
    c->Pixels[b][b] = FBorderColor;
    c->Pixels[Width() - b - 1][b] = FBorderColor;
    c->Pixels[b][Height() - b - 1] = FBorderColor;
    c->Pixels[Width() - b - 1][Height() - b - 1] = FBorderColor;
}

void TFloatingWindow::MouseDown(vcl::TMouseButton Button, vcl::TShiftState Shift, int X, int Y) {
    vcl::TCustomForm::MouseDown(Button, Shift, X, Y);
    if (Button != vcl::mbLeft) return;
    const int w = Width();
    const int h = Height();
    if (w - 5 <= X && X <= w) {
        FEdge = edRight;
        FAnchorX = w;
        FAnchorY = Y;
    } else if (h - 5 <= Y && Y <= h) {
        FEdge = edBottom;
        FAnchorY = h;
        FAnchorX = X;
    } else if (0 <= X && X < 6) {
        FEdge = edLeft;
        FAnchorX = 0;
        FAnchorY = Y;
    } else if (0 <= Y && Y < 6) {
        FEdge = edTop;
        FAnchorX = X;
        FAnchorY = 0;
    } else {
        return;
    }
    FResizing = true;
    FPhase = 0;
}

void TFloatingWindow::MouseMove(vcl::TShiftState Shift, int X, int Y) {
    vcl::TCustomForm::MouseMove(Shift, X, Y);
    const int w = Width();
    const int h = Height();
    vcl::TCursor wanted = FSavedCursor;
    if ((w - 5 <= X && X <= w) || (0 <= X && X <= 5))
        wanted = vcl::crSizeWE;
    else if ((h - 5 <= Y && Y <= h) || (0 <= Y && Y <= 5))
        wanted = vcl::crSizeNS;
    if (Cursor() != wanted) SetCursor(wanted);
    if (Shift.Contains(vcl::ssLeft) && FResizing) ResizeStep(X, Y);
}

void TFloatingWindow::MouseUp(vcl::TMouseButton Button, vcl::TShiftState Shift, int X, int Y) {
    vcl::TCustomForm::MouseUp(Button, Shift, X, Y);
    FResizing = false;
    FAnchorX = 0;
    FAnchorY = 0;
    FPhase = 0;
}

void TFloatingWindow::Step(bool Larger) {
    if (FAdvToolBar == nullptr) return;
    const bool across = FEdge == edLeft || FEdge == edRight;
    const int rows = FAdvToolBar->FloatingRows();
    FAdvToolBar->SetFloatingRows(across == Larger ? rows - 1 : rows + 1);
}

void TFloatingWindow::ResizeStep(int X, int Y) {
    if (FAdvToolBar == nullptr) return;
    int outward = 0;
    switch (FEdge) {
    case edLeft:
        outward = FAnchorX - X;
        break;
    case edTop:
        outward = FAnchorY - Y;
        break;
    case edRight:
        outward = X - FAnchorX;
        break;
    case edBottom:
        outward = Y - FAnchorY;
        break;
    }
    const int oldRows = FAdvToolBar->FloatingRows();
    const int oldWidth = Width();
    const int oldHeight = Height();
    bool stepped = false;
    if ((FPhase == 0 && outward > 5) || (FPhase == 1 && outward >= 3)) {
        Step(true);
        FPhase = 1;
        stepped = true;
    } else if ((FPhase == 0 && outward < -5) || (FPhase == 2 && outward <= -3)) {
        Step(false);
        FPhase = 2;
        stepped = true;
    } else if (FPhase != 0) {
        // The step back: made once the pointer reaches the edge the window would get with it.
        const bool across = FEdge == edLeft || FEdge == edRight;
        const bool lastLarger = FPhase == 1;
        const int backRows = across == lastLarger ? oldRows + 1 : oldRows - 1;
        int h = 0;
        int w = 0;
        if (!FAdvToolBar->GetFloatingWindowSizes(backRows, h, w)) return;
        const int b = FFrameWidth;
        bool back = false;
        switch (FEdge) {
        case edLeft:
            back = lastLarger ? X >= oldWidth - (2 * b + w) : X <= oldWidth - (2 * b + w);
            break;
        case edTop:
            back = lastLarger ? Y >= oldHeight - (2 * (b + 1) + h) : Y <= oldHeight - (2 * b + h);
            break;
        case edRight:
            back = lastLarger ? X <= 2 * b + w : X >= 2 * b + w;
            break;
        case edBottom:
            back = lastLarger ? Y <= 2 * (b + 1) + h : Y >= 2 * b + h;
            break;
        }
        if (!back) return;
        Step(!lastLarger);
        stepped = true;
    }
    if (!stepped) return;
    // The edge away from the pointer stays where it is.
    switch (FEdge) {
    case edLeft:
        SetLeft(Left() + oldWidth - Width());
        FAnchorX = 0;
        break;
    case edTop:
        SetTop(Top() + oldHeight - Height());
        FAnchorY = 0;
        break;
    case edRight:
        FAnchorX = Width();
        break;
    case edBottom:
        FAnchorY = Height();
        break;
    }
    if (FAdvToolBar->FloatingRows() != oldRows) Invalidate();
}

// ---- The toolbar floating

void TAdvCustomToolBar::SetFloating(int X, int Y, bool UsePoint) {
    if (Parent() != nullptr &&
        (Parent()->ClassName() == "TAdvPage" || Parent()->ClassName() == "TCompactWindow"))
        return;
    if (FFloatingWindow != nullptr || FToolBarState == tsFloating) return;
    auto* window = new TFloatingWindow(Owner());
    window->SetBorderIcons({});
    window->SetBorderStyle(vcl::bsNone);
    window->SetFormStyle(vcl::fsStayOnTop);
    window->SetPosition(vcl::poDesigned);
    window->TakeLook(FCurrentStyler);
    FFloatingWindow = window;
    window->FreeNotification(this);
    vcl::TPoint corner{X, Y};
    if (!UsePoint) {
        win::POINT p{};
        win::GetCursorPos(&p);
        corner = vcl::TPoint{p.X, p.Y};
    }
    FThickness = GetSizeAtDock(true);
    UnHideAllControls();
    // Made before the move, so that the toolbar keeps its window (and a drag its capture).
    window->HandleNeeded();
    SetParent(window);
    window->SetAdvToolBar(this);
    window->SetWindowSize();
    window->SetBounds(corner.X, corner.Y, window->Width(), window->Height());
    // A place given from outside (a stored one, from a monitor gone since) that lies wholly off the
    // work area is brought back onto it; a place at the cursor is where the user is.
    if (UsePoint) {
        vcl::TRect work = vcl::Screen->WorkAreaRect();
        vcl::TRect r = window->BoundsRect();
        if (r.Right <= work.Left || r.Left >= work.Right || r.Bottom <= work.Top || r.Top >= work.Bottom)
            window->SetBounds(std::clamp(r.Left, work.Left, std::max(work.Left, work.Right - r.Width())),
                              std::clamp(r.Top, work.Top, std::max(work.Top, work.Bottom - r.Height())),
                              r.Width(), r.Height());
    }
    FFloatingPlace = vcl::TPoint{window->Left(), window->Top()};
    // The window follows the form of the panel the toolbar left; a toolbar that never was docked
    // follows the form that owns it.
    vcl::TCustomForm* form = FLastDockPanel != nullptr ? vcl::GetParentForm(FLastDockPanel, false) : nullptr;
    if (form == nullptr) form = dynamic_cast<vcl::TCustomForm*>(Owner());
    if (form != FFollowedForm) {
        if (FFollowedForm != nullptr) FFollowedForm->RemoveFreeNotification(this);
        FFollowedForm = form;
        if (form != nullptr) form->FreeNotification(this);
    }
    if (form == nullptr || form->Visible()) {
        if (Visible()) window->SetVisible(true);
    } else {
        FFloatingVisible = Visible();
    }
    HandleNeeded();
    win::SetTimer(Handle(), FollowTimerId, FollowInterval, nullptr);
    FFollowTimerOn = true;
}

void TAdvCustomToolBar::SetToolBarFloating(vcl::TPoint P) {
    if (FToolBarState != tsFloating && FFloatingWindow == nullptr) {
        SetFloating(P.X, P.Y, true);
        return;
    }
    if (FFloatingWindow != nullptr)
        FFloatingWindow->SetBounds(P.X, P.Y, FFloatingWindow->Width(), FFloatingWindow->Height());
}

void TAdvCustomToolBar::FollowTimer() {
    if (FFollowedForm == nullptr || FFloatingWindow == nullptr) return;
    if (!FFollowedForm->Visible() && FFloatingWindow->Visible()) {
        FFloatingWindow->SetVisible(false);
        FFloatingVisible = true;
    } else if (FFollowedForm->Visible() && !FFloatingWindow->Visible() && FFloatingVisible) {
        FFloatingVisible = false;
        FFloatingWindow->SetVisible(true);
    }
}

void TAdvCustomToolBar::KillFollowTimer() {
    if (!FFollowTimerOn) return;
    FFollowTimerOn = false;
    if (HandleAllocated()) win::KillTimer(Handle(), FollowTimerId);
}

// ---- Floating rows

namespace {

// Extent of a control along a floating toolbar's line. Controls that are not visible take no room in
// the floating layout, so they are not counted here either.
template <typename F> void ForEachExtent(const TDbgList& List, F Each) {
    for (void* p : List) {
        auto* c = static_cast<vcl::TControl*>(p);
        if (c->Visible()) Each(c->Width());
    }
}

// The narrowest width (searched in steps of 10 from the widest control) at which the controls wrap into
// at most Rows rows, less the room the fullest row leaves unused.
void FloatingSizes(const TDbgList& List, int Rows, int MinLength, int Thickness, int CaptionHeight,
                   int& AHeight, int& AWidth) {
    int largest = 0;
    ForEachExtent(List, [&](int e) { largest = std::max(largest, e); });
    int width = std::max(largest + 4, MinLength);
    int slack = width;
    for (;;) {
        int rows = 1;
        int pos = 2;
        for (void* p : List) {
            auto* c = static_cast<vcl::TControl*>(p);
            if (!c->Visible()) continue;
            const int e = c->Width();
            if (e > width - pos - 2) {
                slack = std::min(slack, width - pos - 2);
                ++rows;
                pos = 2;
            }
            pos += e;
            if (rows > Rows) break;
        }
        if (rows > Rows) {
            width += 10;
            continue;
        }
        AHeight = rows * Thickness + CaptionHeight;
        if (rows >= 2) {
            slack = std::min(slack, width - pos - 2);
            width -= slack;
        }
        AWidth = width;
        return;
    }
}

} // namespace

int TAdvCustomToolBar::GetMaxFloatingRowCount() const {
    int largest = 0;
    ForEachExtent(*FControlList, [&](int e) { largest = std::max(largest, e); });
    const int length = std::max(largest + 2, FMinLength);
    int rows = 1;
    int pos = 2;
    ForEachExtent(*FControlList, [&](int e) {
        if (e > length - pos) {
            ++rows;
            pos = 2;
        }
        pos += e;
        if (pos >= length) {
            ++rows;
            pos = 2;
        }
    });
    return rows;
}

bool TAdvCustomToolBar::GetFloatingWindowSizes(int Rows, int& AHeight, int& AWidth) const {
    if (Rows < 1 || Rows > GetMaxFloatingRowCount()) return false;
    FloatingSizes(*FControlList, Rows, FMinLength, FThickness, FCaptionHeight, AHeight, AWidth);
    return true;
}

void TAdvCustomToolBar::GetFloatingSizes(int& AHeight, int& AWidth) const {
    FloatingSizes(*FControlList, std::max(1, FFloatingRows), FMinLength, FThickness, FCaptionHeight, AHeight,
                  AWidth);
}

void TAdvCustomToolBar::SetFloatingRows(int Value) {
    if (Value <= 0 || Value > GetMaxFloatingRowCount() || Value == FFloatingRows) return;
    FFloatingRows = Value;
    if (ComponentState().Contains(vcl::csLoading)) return;
    SetControlsPosition(true);
    if (FToolBarState == tsFloating && FFloatingWindow != nullptr) FFloatingWindow->SetWindowSize();
}

} // namespace AdvToolBar
