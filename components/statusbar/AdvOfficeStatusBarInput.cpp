// The status bar's timer (timed panels), mouse (button panels, panel events, anchors), hints and the
// size grip's hit test.

#include <algorithm>

#include "components/statusbar/AdvOfficeStatusBar.h"
#include "components/statusbar/HTMLRender.h"
#include "components/statusbar/StatusClock.h"
#include "components/statusbar/UriLauncher.h"
#include "platform/rtl/SysUtils.h"
#include "platform/vcl/ActnList.h"
#include "platform/vcl/Application.h"
#include "platform/vcl/Bitmap.h"
#include "platform/win/Input.h"
#include "platform/win/Metrics.h"
#include "platform/win/Window.h"

namespace AdvOfficeStatusBar {

using namespace vcl;

// ---- TDummyHintControl

TDummyHintControl::TDummyHintControl(TComponent* AOwner)
    : TControl(AOwner), FOfficeHint(std::make_unique<AdvHintInfo::TAdvHintInfo>()) {}

TDummyHintControl::~TDummyHintControl() = default;

// ---- Window and timer

void TAdvOfficeStatusBar::CreateParams(TCreateParams& Params) {
    TCustomControl::CreateParams(Params);
    Params.Style |= SizeGripAllowed() ? SBARS_SIZEGRIP : CCS_TOP;
}

void TAdvOfficeStatusBar::CreateWnd() {
    TCustomControl::CreateWnd();
    // The desktop's font may have changed while the bar had no window to be told.
    if (FDesktopFont) SyncToSystemFont();
    if (ComponentState().Contains(csDesigning) && FPanels->Count() == 0) {
        for (int w : {80, 100, 130, 50})
            FPanels->Add()->SetWidth(w);
    }
    FTimerID = static_cast<unsigned>(
        win::SetTimer(WindowHandle(), StatusBarTimerId, StatusBarTimerInterval, nullptr));
}

void TAdvOfficeStatusBar::DestroyWnd() {
    if (FTimerID != 0) win::KillTimer(WindowHandle(), FTimerID);
    FTimerID = 0;
    TCustomControl::DestroyWnd();
}

void TAdvOfficeStatusBar::UpdateStatusBar() {
    if (ComponentState().Contains(csDestroying) || FPanels == nullptr) return;
    for (int i = 0; i < FPanels->Count(); ++i) {
        TAdvOfficeStatusPanel* panel = FPanels->GetItem(i);
        switch (panel->Style()) {
        case psHTML:
            // A blinking panel repaints when its phase turns (the renderer shows the text while the tick
            // is above 5); writing the text away and back tells whoever watches it.
            if ((FTick == 5 || FTick == 10) && UpperCase(panel->Text()).find("<BLINK") != String::npos) {
                String text = panel->Text();
                panel->SetText("");
                panel->SetText(text);
            }
            break;
        case psTime:
            panel->SetText(FormatClockTime(panel->TimeFormat(), ClockNow()));
            break;
        case psDate:
            panel->SetText(FormatClockTime(panel->DateFormat(), ClockNow()));
            break;
        case psNumLock:
            panel->SetText((win::GetKeyState(win::VK_NUMLOCK) & 1) != 0 ? "NUM" : "");
            break;
        case psCapsLock:
            panel->SetText((win::GetKeyState(win::VK_CAPITAL) & 1) != 0 ? "CAP" : "");
            break;
        case psScrollLock:
            panel->SetText((win::GetKeyState(win::VK_SCROLL) & 1) != 0 ? "SCRL" : "");
            break;
        case psAnimation:
            if (panel->AnimationImages() != nullptr) {
                if (FTick % (static_cast<long long>(panel->AnimationDelay()) + 1) == 0) {
                    int count = panel->AnimationImages()->Count();
                    int next = panel->AnimationIndex() + 1;
                    panel->SetAnimationIndex(next >= count ? 0 : next);
                }
                String text = panel->Text();
                panel->SetText("*");
                panel->SetText(text);
            }
            break;
        default:
            break;
        }
    }
}

// ---- Mouse

int TAdvOfficeStatusBar::OnPanelBorder(int X) {
    for (int i = 0; i < FPanels->Count(); ++i) {
        TRect r = GetPanelRect(i);
        if (r.Right > X - 2 && r.Right < X + 2) return i;
    }
    return -1;
}

void TAdvOfficeStatusBar::SetHotPanel(int Index) {
    if (Index == FHotPanel) return;
    int old = FHotPanel;
    FHotPanel = Index;
    if (old >= 0) InvalidatePanel(old);
    if (Index >= 0) InvalidatePanel(Index);
}

void TAdvOfficeStatusBar::SetDownPanel(int Index) {
    if (Index == FDownPanel) return;
    int old = FDownPanel;
    FDownPanel = Index;
    if (old >= 0) InvalidatePanel(old);
    if (Index >= 0) InvalidatePanel(Index);
}

void TAdvOfficeStatusBar::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TCustomControl::MouseDown(Button, Shift, X, Y);
    if (ComponentState().Contains(csDesigning)) {
        FResizePanel = OnPanelBorder(X);
        if (FResizePanel >= 0) {
            FResizeStartX = X;
            FResizeStartWidth = FPanels->GetItem(FResizePanel)->Width();
        }
    }
    int panel = GetPanel(X);
    bool button = panel >= 0 && FPanels->GetItem(panel)->Button() && Y >= 1 && Y < Height();
    SetDownPanel(button ? panel : -1);
    if (Button == mbLeft && OnPanelClick) OnPanelClick(this, panel);
    if (Button == mbRight && OnPanelRightClick) OnPanelRightClick(this, panel);
    String anchor = IsAnchor(X, Y);
    if (anchor.empty()) return;
    // Only web and mail addresses are opened, by the desktop's handler; any other anchor (a file, a
    // program's own scheme, a plain name) is the application's to handle.
    if (IsOpenableUri(anchor))
        LaunchUri(anchor);
    else if (OnAnchorClick)
        OnAnchorClick(this, anchor);
}

void TAdvOfficeStatusBar::MouseMove(TShiftState Shift, int X, int Y) {
    if (ComponentState().Contains(csDesigning) && FResizePanel >= 0 && FResizePanel < FPanels->Count()) {
        // A border dragged past the panel's left edge leaves it empty, never of negative width.
        FPanels->GetItem(FResizePanel)->SetWidth(std::max(0, FResizeStartWidth + X - FResizeStartX));
    }
    String anchor = IsAnchor(X, Y);
    int panel = GetPanel(X);
    if (panel != FHintPanel) {
        if (Application != nullptr) Application->CancelHint();
        FHintPanel = panel;
    }
    bool button = panel >= 0 && FPanels->GetItem(panel)->Button() && Y >= 1 && Y < Height();
    SetHotPanel(button ? panel : -1);
    if (!anchor.empty()) {
        if (Cursor() != crDefault && anchor == FAnchor) {
            TCustomControl::MouseMove(Shift, X, Y);
            return;
        }
        FAnchor = anchor;
        SetCursor(crHandPoint);
        if (FAnchorHint && Application != nullptr) Application->CancelHint();
        if (OnAnchorEnter) OnAnchorEnter(this, anchor);
    } else if (Cursor() == crHandPoint) {
        SetCursor(crDefault);
        FAnchor.clear();
        if (OnAnchorExit) OnAnchorExit(this, "");
    }
    TCustomControl::MouseMove(Shift, X, Y);
}

void TAdvOfficeStatusBar::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TCustomControl::MouseUp(Button, Shift, X, Y);
    FResizePanel = -1;
    SetDownPanel(-1);
}

void TAdvOfficeStatusBar::MouseLeft() {
    SetDownPanel(-1);
    SetHotPanel(-1);
}

String TAdvOfficeStatusBar::IsAnchor(int X, int Y) {
    String text;
    TRect r;
    int offsetX = 2, offsetY = 2;
    if (FSimplePanel) {
        text = FSimpleText;
        r = GetSimplePanelRect();
    } else {
        int panel = GetPanel(X);
        if (panel < 0) return String();
        TAdvOfficeStatusPanel* p = FPanels->GetItem(panel);
        text = p->Text();
        r = GetPanelRect(panel);
        r.Left += 2;
        r.Right -= 2;
        offsetX = p->HTMLOffsetX();
        offsetY = p->HTMLOffsetY();
    }
    if (text.find('<') == String::npos) return String(); // no mark-up, no anchor
    HTMLRender::THTMLRenderArgs a;
    a.HitX = X;
    a.HitY = Y;
    a.NoDraw = true;
    a.KeepColors = true;
    a.BlinkOn = true;
    a.ImageList = FImages;
    a.Pictures = FContainer;
    a.AnchorColor = FURLColor;
    HTMLRender::THTMLRenderResult result;
    TBitmap measure(1, 1);
    measure.Canvas()->Font()->Assign(Font());
    TRect bounds{r.Left + offsetX, r.Top + offsetY, r.Right, r.Bottom};
    if (!HTMLRender::RenderHTML(measure.Canvas(), text, bounds, a, result)) return String();
    return result.HitHref;
}

// ---- Hints and actions

bool TAdvOfficeStatusBar::DoHint() {
    if (!OnHint) return false;
    OnHint(this);
    return true;
}

bool TAdvOfficeStatusBar::ExecuteAction(TBasicAction* Action) {
    auto* hint = dynamic_cast<THintAction*>(Action);
    if (FAutoHint && hint != nullptr && !DoHint()) {
        if (!FSimplePanel && FPanels->Count() > 0)
            FPanels->GetItem(0)->SetText(hint->Hint());
        else
            SetSimpleText(hint->Hint());
        return true;
    }
    return TCustomControl::ExecuteAction(Action);
}

void TAdvOfficeStatusBar::HintShow(THintInfo* Info) {
    if (Info == nullptr || FHintControl == nullptr) return;
    int panel = GetPanel(Info->CursorPos.X);
    if (panel < 0) return;
    TAdvOfficeStatusPanel* p = FPanels->GetItem(panel);
    FHintControl->SetOfficeHint(p->OfficeHint());
    if (p->Style() == psHTML && FAnchorHint) {
        String anchor = IsAnchor(Info->CursorPos.X, Info->CursorPos.Y);
        if (!anchor.empty()) {
            TPoint screen = ClientToScreen(Info->CursorPos);
            Info->HintPos = TPoint{screen.X + 10, screen.Y - 10};
            FHintControl->OfficeHint()->SetTitle("");
            FHintControl->OfficeHint()->Notes()->SetText(anchor);
        }
    }
    Info->HintControl = FHintControl;
}

void TAdvOfficeStatusBar::FlipChildren(bool) {
    const int n = FPanels->Count();
    if (!HandleAllocated() || FSimplePanel || n == 0) return;
    const int firstWidth = FPanels->GetItem(0)->Width();
    int othersWidth = 0;
    for (int i = 0; i < n - 1; ++i)
        othersWidth += FPanels->GetItem(i)->Width();
    TAdvOfficeStatusPanels copy(nullptr);
    for (int i = n - 1; i >= 0; --i)
        copy.Add()->Assign(FPanels->GetItem(i));
    FPanels->BeginUpdate();
    for (int i = 0; i < n; ++i)
        FPanels->GetItem(i)->Assign(copy.GetItem(i));
    if (n >= 2) {
        FPanels->GetItem(n - 1)->SetWidth(firstWidth);
        FPanels->GetItem(0)->SetWidth(ClientWidth() - othersWidth);
    }
    FPanels->EndUpdate();
}

// ---- Size grip

win::LRESULT TAdvOfficeStatusBar::NCHitTest(const TMessage& Message, win::LRESULT Inherited) {
    if (ComponentState().Contains(csDesigning)) return Inherited;
    TPoint p = ScreenToClient(TPoint{static_cast<short>(Message.LParam & 0xFFFF),
                                     static_cast<short>((Message.LParam >> 16) & 0xFFFF)});
    if (p.Y > Height() - win::GetSystemMetrics(win::SM_CYHSCROLL) &&
        p.X > Width() - win::GetSystemMetrics(win::SM_CXVSCROLL) && Inherited == win::HTCLIENT &&
        HasSizeGrip()) {
        win::SetWindowPos(WindowHandle(), win::HWND_TOP, 0, 0, 0, 0, win::SWP_NOMOVE | win::SWP_NOSIZE);
        return win::HTBOTTOMRIGHT;
    }
    if (p.X > Width() - 4 || p.Y > Height() - 4) return win::HTTRANSPARENT;
    return Inherited;
}

} // namespace AdvOfficeStatusBar
