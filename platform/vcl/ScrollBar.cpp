#include "platform/vcl/ScrollBar.h"

#include <algorithm>

#include "platform/classes/ClassRegistry.h"
#include "platform/rtl/Exceptions.h"
#include "platform/win/Gdi.h"
#include "platform/win/WinUser.h"

namespace vcl {

KV_PUBLISHED(TScrollBar) {
    p.Default("TabStop", true);
    p.Enum("Kind", &TScrollBar::FKind, &TScrollBar::SetKind, sbHorizontal);
    p.Int("LargeChange", &TScrollBar::FLargeChange, &TScrollBar::SetLargeChange, 1);
    p.Int("Max", &TScrollBar::FMax, &TScrollBar::SetMax, 100);
    p.Int("Min", &TScrollBar::FMin, &TScrollBar::SetMin, 0);
    p.Int("PageSize", &TScrollBar::FPageSize, &TScrollBar::SetPageSize, 0);
    p.Int("Position", &TScrollBar::FPosition, &TScrollBar::SetPosition, 0);
    p.Int("SmallChange", &TScrollBar::FSmallChange, &TScrollBar::SetSmallChange, 1);
    p.Event("OnChange", &TScrollBar::OnChange);
    p.Event("OnScroll", &TScrollBar::OnScroll);
}

KV_REGISTER_CLASS(TScrollBar)

namespace {
// The repeat's timer on the scroll bar's window.
constexpr win::UINT_PTR kRepeatTimer = 0x5C01;
} // namespace

void TScrollRepeat::Start(win::HWND Window) {
    Stop();
    if (Window == nullptr || win::SetTimer(Window, kRepeatTimer, Delay, nullptr) == 0) return;
    FWindow = Window;
    FRepeating = false;
}

void TScrollRepeat::Stop() {
    if (FWindow != nullptr && win::IsWindow(FWindow)) win::KillTimer(FWindow, kRepeatTimer);
    FWindow = nullptr;
}

bool TScrollRepeat::Due(win::WPARAM TimerId) {
    if (TimerId != kRepeatTimer || FWindow == nullptr) return false;
    if (!FRepeating) {
        FRepeating = true;
        win::SetTimer(FWindow, kRepeatTimer, Interval, nullptr);
    }
    return true;
}

namespace stdctrls {

namespace {
enum class TArrow { Up, Down, Left, Right };

// A raised box with a solid triangle pointing Dir.
void DrawArrowBox(TCanvas* Canvas, TRect R, TArrow Dir, TColor Color = clBtnText) {
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(clBtnFace);
    Canvas->FillRect(R);
    TRect edge = R;
    win::DrawEdge(Canvas->Handle(), &edge, win::EDGE_RAISED, win::BF_RECT);
    int cx = R.Left + R.Width() / 2;
    int cy = R.Top + R.Height() / 2;
    Canvas->Pen()->SetStyle(psSolid);
    Canvas->Pen()->SetColor(Color);
    Canvas->Brush()->SetColor(Color);
    switch (Dir) {
    case TArrow::Up:
        Canvas->Polygon({TPoint{cx - 3, cy + 1}, TPoint{cx + 3, cy + 1}, TPoint{cx, cy - 2}});
        break;
    case TArrow::Down:
        Canvas->Polygon({TPoint{cx - 3, cy - 1}, TPoint{cx + 3, cy - 1}, TPoint{cx, cy + 2}});
        break;
    case TArrow::Left:
        Canvas->Polygon({TPoint{cx + 1, cy - 3}, TPoint{cx + 1, cy + 3}, TPoint{cx - 2, cy}});
        break;
    case TArrow::Right:
        Canvas->Polygon({TPoint{cx - 1, cy - 3}, TPoint{cx - 1, cy + 3}, TPoint{cx + 2, cy}});
        break;
    }
}
} // namespace

TRect VScrollThumb(const TRect& R, int Top, int Count, int Visible) {
    const int w = R.Width();
    int track = R.Height() - 2 * w;
    if (Count <= Visible || track < 8) return TRect{};
    int thumb = std::max(8, track * Visible / Count);
    int range = Count - Visible;
    int pos = (track - thumb) * std::clamp(Top, 0, range) / range;
    return TRect{R.Left, R.Top + w + pos, R.Right, R.Top + w + pos + thumb};
}

void DrawVScrollBar(TCanvas* Canvas, const TRect& R, int Top, int Count, int Visible) {
    const int w = R.Width();
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(clScrollBar);
    Canvas->FillRect(R);
    DrawArrowBox(Canvas, TRect{R.Left, R.Top, R.Right, R.Top + w}, TArrow::Up);
    DrawArrowBox(Canvas, TRect{R.Left, R.Bottom - w, R.Right, R.Bottom}, TArrow::Down);
    TRect t = VScrollThumb(R, Top, Count, Visible);
    if (t.IsEmpty()) return;
    Canvas->Brush()->SetColor(clBtnFace);
    Canvas->FillRect(t);
    win::DrawEdge(Canvas->Handle(), &t, win::EDGE_RAISED, win::BF_RECT);
}

TListScrollBar::TPart TListScrollBar::PartAt(const TView& View, TPoint P) const {
    const TRect& bar = View.Bar;
    if (bar.IsEmpty() || !bar.Contains(P)) return TPart::None;
    const int arrow = bar.Width();
    if (P.Y < bar.Top + arrow) return TPart::LineUp;
    if (P.Y >= bar.Bottom - arrow) return TPart::LineDown;
    TRect thumb = VScrollThumb(bar, View.Top, View.Count, View.Visible);
    if (thumb.IsEmpty()) return TPart::None;
    if (P.Y < thumb.Top) return TPart::PageUp;
    if (P.Y >= thumb.Bottom) return TPart::PageDown;
    return TPart::Thumb;
}

void TListScrollBar::Step(TPart Part) {
    TView view = FView();
    switch (Part) {
    case TPart::LineUp:
        FScrollTo(view.Top - 1);
        break;
    case TPart::LineDown:
        FScrollTo(view.Top + 1);
        break;
    case TPart::PageUp:
        FScrollTo(view.Top - view.Visible);
        break;
    case TPart::PageDown:
        FScrollTo(view.Top + view.Visible);
        break;
    default:
        break;
    }
}

bool TListScrollBar::Press(win::HWND Window, TPoint P) {
    Release();
    TView view = FView();
    TPart part = PartAt(view, P);
    if (part == TPart::None) return view.Bar.Contains(P);
    FPressed = part;
    FPointer = P;
    if (part == TPart::Thumb) {
        FThumbOffset = P.Y - VScrollThumb(view.Bar, view.Top, view.Count, view.Visible).Top;
        return true;
    }
    FRepeat.Start(Window);
    Step(part);
    return true;
}

void TListScrollBar::DragTo(int Y) {
    TView view = FView();
    const TRect& bar = view.Bar;
    const int arrow = bar.Width();
    TRect thumb = VScrollThumb(bar, view.Top, view.Count, view.Visible);
    int span = bar.Height() - 2 * arrow - thumb.Height();
    int range = view.Count - view.Visible;
    if (thumb.IsEmpty() || span <= 0 || range <= 0) return;
    int offset = std::clamp(Y - FThumbOffset - (bar.Top + arrow), 0, span);
    FScrollTo((offset * range + span / 2) / span);
}

void TListScrollBar::Move(TPoint P) {
    FPointer = P;
    if (FPressed == TPart::Thumb) DragTo(P.Y);
}

void TListScrollBar::Release() {
    FRepeat.Stop();
    FPressed = TPart::None;
}

bool TListScrollBar::Timer(win::WPARAM TimerId) {
    if (!FRepeat.Due(TimerId)) return false;
    // A step only while the pointer is over the part pressed.
    if (FPressed != TPart::None && PartAt(FView(), FPointer) == FPressed) Step(FPressed);
    return true;
}

} // namespace stdctrls

TScrollBar::TScrollBar(TComponent* AOwner) : TCustomControl(AOwner) {
    FControlStyle = TControlStyle{csFramed, csDoubleClicks, csOpaque, csCaptureMouse};
    SetTabStop(true);
    SetBounds(0, 0, 121, 17);
}

TScrollBar::~TScrollBar() = default;

int TScrollBar::MaxPosition() const {
    return FMax - std::max(FPageSize - 1, 0);
}

void TScrollBar::SetKind(TScrollBarKind Value) {
    if (FKind == Value) return;
    FKind = Value;
    if (!ComponentState().Contains(csLoading)) SetBounds(Left(), Top(), Height(), Width());
    Invalidate();
}

void TScrollBar::SetParams(int APosition, int AMin, int AMax) {
    if (ComponentState().Contains(csLoading)) {
        // Min, Max and Position come one by one; the range is checked when all are there.
        FPosition = APosition;
        FMin = AMin;
        FMax = AMax;
        return;
    }
    if (AMax < AMin || AMax < FPageSize) throw EInvalidOperation("Scroll bar property out of range");
    FMin = AMin;
    FMax = AMax;
    int pos = std::clamp(APosition, FMin, std::max(FMin, MaxPosition()));
    Invalidate();
    if (pos == FPosition) return;
    FPosition = pos;
    Change();
}

void TScrollBar::Loaded() {
    TCustomControl::Loaded();
    // A layout with an impossible range keeps what it can: Max at least Min, the position inside.
    FMax = std::max(FMax, FMin);
    FPageSize = std::clamp(FPageSize, 0, FMax - FMin + 1);
    FPosition = std::clamp(FPosition, FMin, std::max(FMin, MaxPosition()));
}

void TScrollBar::SetPageSize(int Value) {
    if (Value < 0 || (!ComponentState().Contains(csLoading) && Value > FMax - FMin + 1))
        throw EInvalidOperation("Scroll bar property out of range");
    FPageSize = Value;
    if (!ComponentState().Contains(csLoading)) SetParams(FPosition, FMin, FMax);
}

void TScrollBar::Change() {
    if (OnChange) OnChange(this);
}

void TScrollBar::Scroll(TScrollCode ScrollCode, int& ScrollPos) {
    if (OnScroll) OnScroll(this, ScrollCode, ScrollPos);
}

void TScrollBar::DoScroll(TScrollCode Code, int Pos) {
    int pos = std::clamp(Pos, FMin, std::max(FMin, MaxPosition()));
    Scroll(Code, pos);
    SetPosition(pos);
}

int TScrollBar::Length() {
    return FKind == sbVertical ? ClientHeight() : ClientWidth();
}

TRect TScrollBar::FirstArrowRect() {
    TRect c = ClientRect();
    int size = FKind == sbVertical ? c.Width() : c.Height();
    size = std::min(size, Length() / 2);
    return FKind == sbVertical ? TRect{0, 0, c.Right, size} : TRect{0, 0, size, c.Bottom};
}

TRect TScrollBar::LastArrowRect() {
    TRect c = ClientRect();
    int size = FKind == sbVertical ? c.Width() : c.Height();
    size = std::min(size, Length() / 2);
    return FKind == sbVertical ? TRect{0, c.Bottom - size, c.Right, c.Bottom}
                               : TRect{c.Right - size, 0, c.Right, c.Bottom};
}

TRect TScrollBar::ThumbRect() {
    TRect first = FirstArrowRect();
    TRect last = LastArrowRect();
    int start = FKind == sbVertical ? first.Bottom : first.Right;
    int end = FKind == sbVertical ? last.Top : last.Left;
    int track = end - start;
    int breadth = FKind == sbVertical ? ClientWidth() : ClientHeight();
    int range = MaxPosition() - FMin;
    if (track < 8 || !Enabled() || range <= 0) return TRect{};
    int thumb = FPageSize > 0 ? track * FPageSize / (FMax - FMin + 1) : breadth;
    thumb = std::clamp(thumb, 8, track);
    int offset = (track - thumb) * (FPosition - FMin) / range;
    int a = start + offset;
    return FKind == sbVertical ? TRect{0, a, breadth, a + thumb} : TRect{a, 0, a + thumb, breadth};
}

void TScrollBar::Paint() {
    TCanvas* c = Canvas();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(clScrollBar);
    c->FillRect(ClientRect());
    bool vertical = FKind == sbVertical;
    TColor arrow = Enabled() ? clBtnText : clGrayText;
    stdctrls::DrawArrowBox(c, FirstArrowRect(), vertical ? stdctrls::TArrow::Up : stdctrls::TArrow::Left,
                           arrow);
    stdctrls::DrawArrowBox(c, LastArrowRect(), vertical ? stdctrls::TArrow::Down : stdctrls::TArrow::Right,
                           arrow);
    TRect t = ThumbRect();
    if (t.IsEmpty()) return;
    c->Brush()->SetColor(clBtnFace);
    c->FillRect(t);
    TRect edge = t;
    win::DrawEdge(c->Handle(), &edge, win::EDGE_RAISED, win::BF_RECT);
    if (Focused()) {
        c->Font()->SetColor(clBtnText);
        c->DrawFocusRect(stdctrls::Inflate(t, -3, -3));
    }
}

void TScrollBar::KeyDown(Word& Key, TShiftState Shift) {
    TCustomControl::KeyDown(Key, Shift);
    switch (Key) {
    case win::VK_UP:
    case win::VK_LEFT:
        StepOf(TPart::FirstArrow);
        break;
    case win::VK_DOWN:
    case win::VK_RIGHT:
        StepOf(TPart::LastArrow);
        break;
    case win::VK_PRIOR:
        StepOf(TPart::PageBefore);
        break;
    case win::VK_NEXT:
        StepOf(TPart::PageAfter);
        break;
    case win::VK_HOME:
        DoScroll(scTop, FMin);
        break;
    case win::VK_END:
        DoScroll(scBottom, MaxPosition());
        break;
    default:
        return;
    }
    Key = 0;
}

TScrollBar::TPart TScrollBar::PartAt(TPoint P) {
    if (!ClientRect().Contains(P)) return TPart::None;
    if (FirstArrowRect().Contains(P)) return TPart::FirstArrow;
    if (LastArrowRect().Contains(P)) return TPart::LastArrow;
    TRect thumb = ThumbRect();
    if (thumb.IsEmpty()) return TPart::None;
    if (thumb.Contains(P)) return TPart::Thumb;
    return Along(P.X, P.Y) < Along(thumb.Left, thumb.Top) ? TPart::PageBefore : TPart::PageAfter;
}

void TScrollBar::StepOf(TPart Part) {
    switch (Part) {
    case TPart::FirstArrow:
        DoScroll(scLineUp, FPosition - FSmallChange);
        break;
    case TPart::LastArrow:
        DoScroll(scLineDown, FPosition + FSmallChange);
        break;
    case TPart::PageBefore:
        DoScroll(scPageUp, FPosition - FLargeChange);
        break;
    case TPart::PageAfter:
        DoScroll(scPageDown, FPosition + FLargeChange);
        break;
    default:
        break;
    }
}

void TScrollBar::StopRepeat() {
    FRepeat.Stop();
    FPressed = TPart::None;
}

void TScrollBar::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (Button == mbLeft && Enabled()) {
        if (!Focused() && CanFocus()) SetFocus();
        TPoint p{X, Y};
        TPart part = PartAt(p);
        if (part == TPart::Thumb) {
            TRect thumb = ThumbRect();
            FDragging = true;
            FDragOffset = Along(X, Y) - Along(thumb.Left, thumb.Top);
        } else if (part != TPart::None) {
            FPressed = part;
            FPointer = p;
            FRepeat.Start(WindowHandle());
            StepOf(part);
        }
    }
    TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TScrollBar::MouseMove(TShiftState Shift, int X, int Y) {
    FPointer = TPoint{X, Y};
    if (FDragging) {
        TRect first = FirstArrowRect();
        TRect last = LastArrowRect();
        TRect thumb = ThumbRect();
        int start = Along(first.Right, first.Bottom);
        int end = Along(last.Left, last.Top);
        int thumbLen = Along(thumb.Width(), thumb.Height());
        int span = end - start - thumbLen;
        if (span > 0) {
            int offset = std::clamp(Along(X, Y) - FDragOffset - start, 0, span);
            int pos = FMin + static_cast<int>(
                                 (static_cast<long long>(offset) * (MaxPosition() - FMin) + span / 2) / span);
            if (pos != FPosition) DoScroll(scTrack, pos);
        }
    }
    TCustomControl::MouseMove(Shift, X, Y);
}

void TScrollBar::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (Button == mbLeft) {
        StopRepeat();
        if (FDragging) {
            FDragging = false;
            DoScroll(scPosition, FPosition);
        }
        int pos = FPosition;
        Scroll(scEndScroll, pos);
    }
    TCustomControl::MouseUp(Button, Shift, X, Y);
}

void TScrollBar::WndProc(TMessage& Message) {
    if (Message.Msg == win::WM_GETDLGCODE) {
        Message.Result = win::DLGC_WANTARROWS;
        return;
    }
    switch (Message.Msg) {
    case win::WM_TIMER:
        if (FRepeat.Due(Message.WParam)) {
            // A step only while the pointer is over the part pressed (on the track: until the thumb
            // reaches the pointer).
            if (FPressed != TPart::None && PartAt(FPointer) == FPressed) StepOf(FPressed);
            return;
        }
        break;
    case win::WM_CANCELMODE:
    case win::WM_CAPTURECHANGED:
    case win::WM_DESTROY:
        // The mouse was taken away: the repeat ends with it.
        StopRepeat();
        break;
    case CM_ENABLEDCHANGED:
        StopRepeat();
        Invalidate();
        break;
    default:
        break;
    }
    TCustomControl::WndProc(Message);
}

} // namespace vcl
