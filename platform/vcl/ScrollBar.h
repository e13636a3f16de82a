#pragma once
// TScrollBar: a horizontal or vertical scroll bar drawn by us. Arrows move by SmallChange, the track by
// LargeChange, the thumb follows a drag; the keyboard moves it with the arrows, Page Up / Page Down,
// Home and End. OnScroll sees each move first (and may change the position it reaches); OnChange runs
// whenever Position changes, by the user or by code. Holding the button on an arrow or the track repeats
// its step (TScrollRepeat) while the pointer stays over that part: on the track until the thumb reaches
// the pointer.

#include <functional>
#include <utility>

#include "platform/vcl/Label.h"

namespace vcl {

// The timing of the repeat while the mouse button is held on a scroll bar's arrow or track, as the
// platform's scroll bars have it: the first repeat Delay ms after the press, then one every Interval ms, on
// a timer of the scroll bar's window. The control takes each step that comes due while the pointer is over
// the part that was pressed, and stops the repeat when the button goes up or the mouse is taken away.
class TScrollRepeat {
public:
    static constexpr unsigned Delay = 200;
    static constexpr unsigned Interval = 50;
    TScrollRepeat() = default;
    ~TScrollRepeat() { Stop(); }
    TScrollRepeat(const TScrollRepeat&) = delete;
    TScrollRepeat& operator=(const TScrollRepeat&) = delete;
    void Start(win::HWND Window);
    void Stop();
    bool Active() const { return FWindow != nullptr; }
    // For the window's WM_TIMER: true when it is the repeat's (a step is due).
    bool Due(win::WPARAM TimerId);

private:
    win::HWND FWindow = nullptr;
    bool FRepeating = false; // past the first delay
};

namespace stdctrls {
// Width of the scroll bars the list controls draw.
constexpr int kScrollBarWidth = 17;
// Draws a vertical scroll bar in R: arrows at both ends and a thumb for Top of Count lines, Visible seen.
void DrawVScrollBar(TCanvas* Canvas, const TRect& R, int Top, int Count, int Visible);
// The thumb of that scroll bar (empty when everything is visible).
TRect VScrollThumb(const TRect& R, int Top, int Count, int Visible);

// The mouse on such a bar, for the list window that draws it (the list box, a combo box's open list): a
// press on an arrow scrolls a line, on the track a page towards the pointer, each repeated while the
// button is held over that part (TScrollRepeat on the list's window; on the track until the thumb reaches
// the pointer); a press on the thumb drags it, and the lines follow. The list feeds it its mouse messages
// while a press of the bar is held, and its WM_TIMER.
class TListScrollBar {
public:
    // What the bar shows now: where it is in the window's client area (empty: no bar), the first line
    // shown, the lines, and the lines seen.
    struct TView {
        TRect Bar;
        int Top = 0;
        int Count = 0;
        int Visible = 1;
    };
    // ScrollTo shows the lines from Top on (the list keeps it in range).
    TListScrollBar(std::function<TView()> View, std::function<void(int Top)> ScrollTo)
        : FView(std::move(View)), FScrollTo(std::move(ScrollTo)) {}

    // A press of the left button at P (client coordinates): true when it is on the bar, which then holds
    // it until Release.
    bool Press(win::HWND Window, TPoint P);
    // The pointer at P while the press is held: the thumb follows it; a repeat waits while it is off the
    // part pressed.
    void Move(TPoint P);
    // The button went up, or the mouse was taken away: the repeat and the drag end.
    void Release();
    // For the window's WM_TIMER: true when it was the repeat's.
    bool Timer(win::WPARAM TimerId);
    bool Held() const { return FPressed != TPart::None; }

private:
    enum class TPart { None, LineUp, LineDown, PageUp, PageDown, Thumb };
    TPart PartAt(const TView& View, TPoint P) const;
    void Step(TPart Part);
    void DragTo(int Y);

    std::function<TView()> FView;
    std::function<void(int Top)> FScrollTo;
    TPart FPressed = TPart::None;
    TPoint FPointer;      // where the pointer is while the press is held
    int FThumbOffset = 0; // from the thumb's top to the pointer, while dragging
    TScrollRepeat FRepeat;
};
} // namespace stdctrls

KV_ENUM(TScrollBarKind, sbHorizontal, sbVertical);
KV_ENUM(TScrollCode, scLineUp, scLineDown, scPageUp, scPageDown, scPosition, scTrack, scTop, scBottom,
        scEndScroll);
using TScrollEvent = std::function<void(TObject* Sender, TScrollCode ScrollCode, int& ScrollPos)>;

class TScrollBar : public TCustomControl {
    KV_CLASS(TScrollBar, TCustomControl)
    KV_PUBLISHED_PROPERTIES(TScrollBar)
public:
    explicit TScrollBar(TComponent* AOwner);
    ~TScrollBar() override;

    TScrollBarKind Kind() const { return FKind; }
    // Changing the kind swaps width and height.
    void SetKind(TScrollBarKind Value);
    int Min() const { return FMin; }
    void SetMin(int Value) { SetParams(FPosition, Value, FMax); }
    int Max() const { return FMax; }
    void SetMax(int Value) { SetParams(FPosition, FMin, Value); }
    int Position() const { return FPosition; }
    void SetPosition(int Value) { SetParams(Value, FMin, FMax); }
    int PageSize() const { return FPageSize; }
    void SetPageSize(int Value);
    int SmallChange() const { return FSmallChange; }
    void SetSmallChange(int Value) { FSmallChange = Value; }
    int LargeChange() const { return FLargeChange; }
    void SetLargeChange(int Value) { FLargeChange = Value; }
    // Max below Min (or below PageSize) raises EInvalidOperation; the position is kept within range.
    void SetParams(int APosition, int AMin, int AMax);

    TNotifyEvent OnChange;
    TScrollEvent OnScroll;

    // The parts of the bar in client coordinates.
    TRect FirstArrowRect();
    TRect LastArrowRect();
    TRect ThumbRect();

protected:
    void Paint() override;
    void Loaded() override;
    void WndProc(TMessage& Message) override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    virtual void Change();
    virtual void Scroll(TScrollCode ScrollCode, int& ScrollPos);

private:
    enum class TPart { None, FirstArrow, LastArrow, PageBefore, PageAfter, Thumb };
    TPart PartAt(TPoint P);
    // The step of an arrow or the track.
    void StepOf(TPart Part);
    // The button went up or the mouse was taken away: no part is held, nothing repeats.
    void StopRepeat();
    void DoScroll(TScrollCode Code, int Pos);
    int MaxPosition() const;
    // Along the bar: the length, and a point's coordinate.
    int Length();
    int Along(int X, int Y) const { return FKind == sbVertical ? Y : X; }

    TScrollBarKind FKind = sbHorizontal;
    int FMin = 0;
    int FMax = 100;
    int FPosition = 0;
    int FPageSize = 0;
    int FSmallChange = 1;
    int FLargeChange = 1;
    bool FDragging = false;
    int FDragOffset = 0;
    TPart FPressed = TPart::None; // the arrow or track part held down
    TPoint FPointer;              // where the pointer is while it is held
    TScrollRepeat FRepeat;
};

} // namespace vcl
