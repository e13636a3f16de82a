// TControl: parent, bounds, state and look, captions, actions.

#include "platform/vcl/Control.h"

#include <algorithm>

#include "platform/rtl/Exceptions.h"
#include "platform/vcl/ControlInternal.h"
#include "platform/vcl/WinControl.h"
#include "platform/win/Input.h"

namespace vcl {

using namespace controls_detail;

TControl::TControl(TComponent* AOwner) : TComponent(AOwner) {
    WindowProc = [this](TMessage& Message) { WndProc(Message); };
    FFont = std::make_unique<TFont>();
    FFont->OnChange = [this](TObject* Sender) { FontChanged(Sender); };
    FConstraints = std::make_unique<TSizeConstraints>(this);
    FConstraints->OnChange = [this](TObject* Sender) { DoConstraintsChange(Sender); };
    FMargins = std::make_unique<TMargins>(this);
    FMargins->OnChange = [this](TObject* Sender) { DoMarginChange(Sender); };
}

TControl::~TControl() {
    BeforeDestruction();
    WindowProc = nullptr;
    ForgetControl(this);
    FActionLink.reset();
    if (FParent != nullptr) FParent->RemoveControl(this);
}

// ---- Parent

void TControl::SetParent(TWinControl* AParent) {
    SetParentInternal(AParent, true);
}

void TControl::SetParentInternal(TWinControl* AParent, bool) {
    if (FParent == AParent) return;
    if (AParent != nullptr) {
        for (TControl* p = AParent; p != nullptr; p = p->FParent)
            if (p == this) throw EInvalidOperation("Control '" + Name() + "' cannot have itself as parent");
    }
    if (FParent != nullptr) FParent->RemoveControl(this);
    if (AParent != nullptr) {
        AParent->InsertControl(this);
        UpdateAnchorRules();
    }
}

TComponent* TControl::GetParentComponent() const {
    return FParent;
}

void TControl::SetParentComponent(TComponent* Value) {
    if (auto* w = dynamic_cast<TWinControl*>(Value)) SetParent(w);
}

// ---- Bounds

void KeepBoundsInRange(int& Left, int& Top, int& Width, int& Height) {
    Left = win::KeptCoordinate(Left);
    Top = win::KeptCoordinate(Top);
    Width = win::KeptSize(Width);
    Height = win::KeptSize(Height);
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    KeepBoundsInRange(ALeft, ATop, AWidth, AHeight);
    CanResize(AWidth, AHeight);
    KeepBoundsInRange(ALeft, ATop, AWidth, AHeight);
    if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight) return;
    bool resized = AWidth != FWidth || AHeight != FHeight;
    InvalidateControl(FVisible, false); // the old place, background included
    FLeft = ALeft;
    FTop = ATop;
    FWidth = AWidth;
    FHeight = AHeight;
    if (!FAnchorMove) UpdateAnchorRules();
    Invalidate(); // the new place
    RequestAlign();
    if (resized && !ComponentState().Contains(csLoading)) Resize();
}

bool TControl::CanAutoSize(int&, int&) {
    return true;
}

void TControl::SetAutoSize(bool Value) {
    if (FAutoSize == Value) return;
    FAutoSize = Value;
    if (Value) AdjustSize();
}

void TControl::AdjustSize() {
    if (ComponentState().Contains(csLoading)) return;
    int w = FWidth, h = FHeight;
    CanResize(w, h);
    if (w != FWidth || h != FHeight) SetBounds(FLeft, FTop, w, h);
}

bool TControl::CanResize(int& NewWidth, int& NewHeight) {
    if (FAutoSize && !ComponentState().Contains(csLoading)) {
        int w = NewWidth, h = NewHeight;
        if (CanAutoSize(w, h)) {
            NewWidth = std::max(w, 0);
            NewHeight = std::max(h, 0);
        }
    }
    NewWidth = FConstraints->ConstrainWidth(NewWidth);
    NewHeight = FConstraints->ConstrainHeight(NewHeight);
    return true;
}

TRect TControl::GetClientRect() {
    return Rect(0, 0, FWidth, FHeight);
}

void TControl::SetClientWidth(int Value) {
    SetClientSize({Value, ClientHeight()});
}

void TControl::SetClientHeight(int Value) {
    SetClientSize({ClientWidth(), Value});
}

void TControl::SetClientSize(TSize Value) {
    TRect client = GetClientRect();
    // The frame's size added in 64 bits: the size asked may be anywhere in the int range.
    SetBounds(FLeft, FTop, ClampToInt(std::int64_t{FWidth} - client.Width() + Value.cx),
              ClampToInt(std::int64_t{FHeight} - client.Height() + Value.cy));
}

TPoint TControl::ClientOrigin() {
    if (FParent == nullptr) return {FLeft, FTop};
    TPoint p = FParent->ClientOrigin();
    return {p.X + FLeft, p.Y + FTop};
}

TPoint TControl::ClientToScreen(TPoint Point) {
    TPoint o = ClientOrigin();
    return {Point.X + o.X, Point.Y + o.Y};
}

TPoint TControl::ScreenToClient(TPoint Point) {
    TPoint o = ClientOrigin();
    return {Point.X - o.X, Point.Y - o.Y};
}

TPoint TControl::ClientToParent(TPoint Point, TWinControl* AParent) {
    if (AParent == nullptr) AParent = FParent;
    if (AParent == nullptr) throw EInvalidOperation("Control '" + Name() + "' has no parent window");
    TPoint s = ClientToScreen(Point);
    return AParent->ScreenToClient(s);
}

TPoint TControl::ParentToClient(TPoint Point, TWinControl* AParent) {
    if (AParent == nullptr) AParent = FParent;
    if (AParent == nullptr) throw EInvalidOperation("Control '" + Name() + "' has no parent window");
    TPoint s = AParent->ClientToScreen(Point);
    return ScreenToClient(s);
}

void TControl::Resize() {
    if (OnResize) OnResize(this);
}

// ---- Layout

void TControl::SetAlign(TAlign Value) {
    if (FAlign == Value) return;
    TAlign old = FAlign;
    FAlign = Value;
    // A control leaving an alignment keeps its place; anchors follow the alignment's sides.
    if (old == alNone || Value == alNone) {
        switch (Value) {
        case alTop:
            FAnchors = {akLeft, akTop, akRight};
            break;
        case alBottom:
            FAnchors = {akLeft, akRight, akBottom};
            break;
        case alLeft:
            FAnchors = {akLeft, akTop, akBottom};
            break;
        case alRight:
            FAnchors = {akTop, akRight, akBottom};
            break;
        case alClient:
            FAnchors = {akLeft, akTop, akRight, akBottom};
            break;
        default:
            FAnchors = {akLeft, akTop};
            break;
        }
    }
    RequestAlign();
    if (Value == alNone) UpdateAnchorRules();
}

void TControl::SetAlignWithMargins(bool Value) {
    if (FAlignWithMargins == Value) return;
    FAlignWithMargins = Value;
    RequestAlign();
}

void TControl::SetAnchors(TAnchors Value) {
    if (FAnchors == Value) return;
    FAnchors = Value;
    UpdateAnchorRules();
}

void TControl::RequestAlign() {
    if (FParent != nullptr) FParent->AlignControl(this);
}

void TControl::UpdateAnchorRules() {
    if (FAnchorMove) return;
    if (FParent == nullptr) {
        FAnchorRulesValid = false;
        return;
    }
    TRect r = FParent->GetClientRect();
    FParent->AdjustClientRect(r);
    FAnchorOrigin = BoundsRect();
    FAnchorParentSize = {r.Width(), r.Height()};
    FAnchorRulesValid = true;
}

void TControl::DoConstraintsChange(TObject*) {
    // Re-apply the bounds so that the new limits take effect.
    int w = FConstraints->ConstrainWidth(FWidth);
    int h = FConstraints->ConstrainHeight(FHeight);
    if (w != FWidth || h != FHeight) SetBounds(FLeft, FTop, w, h);
}

void TControl::DoMarginChange(TObject*) {
    if (FAlignWithMargins) RequestAlign();
}

// ---- State and look

void TControl::SetVisible(bool Value) {
    if (FVisible == Value) return;
    VisibleChanging();
    FVisible = Value;
    Perform(CM_VISIBLECHANGED, Value ? 1 : 0, 0);
    RequestAlign();
}

void TControl::Show() {
    if (FParent != nullptr) FParent->Show();
    SetVisible(true);
    BringToFront();
}

void TControl::Hide() {
    SetVisible(false);
}

bool TControl::Showing() const {
    return FVisible && FParent != nullptr && FParent->Showing();
}

void TControl::SetEnabled(bool Value) {
    if (FEnabled == Value) return;
    FEnabled = Value;
    Perform(CM_ENABLEDCHANGED, 0, 0);
}

void TControl::FontChanged(TObject*) {
    if (!FAssigningParentFont) FParentFont = false;
    Perform(CM_FONTCHANGED, 0, 0);
}

void TControl::SetParentFont(bool Value) {
    if (FParentFont == Value) return;
    FParentFont = Value;
    if (Value && FParent != nullptr && !ComponentState().Contains(csReading))
        Perform(CM_PARENTFONTCHANGED, 0, 0);
}

void TControl::ParentFontChanged() {
    if (!FParentFont || FParent == nullptr) return;
    FAssigningParentFont = true;
    try {
        FFont->Assign(FParent->Font());
    } catch (...) {
        FAssigningParentFont = false;
        throw;
    }
    FAssigningParentFont = false;
}

void TControl::SetColor(TColor Value) {
    FParentColor = false;
    if (FColor == Value) return;
    FColor = Value;
    Perform(CM_COLORCHANGED, 0, 0);
}

void TControl::SetParentColor(bool Value) {
    if (FParentColor == Value) return;
    FParentColor = Value;
    if (Value && FParent != nullptr && !ComponentState().Contains(csReading))
        Perform(CM_PARENTCOLORCHANGED, 0, 0);
}

void TControl::ParentColorChanged() {
    if (!FParentColor || FParent == nullptr) return;
    TColor c = FParent->Color();
    if (c != FColor) {
        FColor = c;
        Perform(CM_COLORCHANGED, 0, 0);
    }
}

void TControl::SetShowHint(bool Value) {
    FParentShowHint = false;
    if (FShowHint == Value) return;
    FShowHint = Value;
    Perform(CM_SHOWHINTCHANGED, 0, 0);
}

void TControl::SetParentShowHint(bool Value) {
    if (FParentShowHint == Value) return;
    FParentShowHint = Value;
    if (Value && FParent != nullptr && !ComponentState().Contains(csReading))
        Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
}

void TControl::SetPopupMenu(TComponent* Value) {
    if (FPopupMenu == Value) return;
    if (FPopupMenu != nullptr) FPopupMenu->RemoveFreeNotification(this);
    FPopupMenu = Value;
    if (Value != nullptr) Value->FreeNotification(this);
}

void TControl::SetCursor(TCursor Value) {
    if (FCursor == Value) return;
    FCursor = Value;
    Perform(CM_CURSORCHANGED, 0, 0);
}

String TControl::GetText() {
    return GetTextValue();
}

void TControl::SetText(const String& Value) {
    if (GetTextValue() == Value) return;
    SetTextValue(Value);
    Perform(CM_TEXTCHANGED, 0, 0);
}

void TControl::SetTextValue(const String& Value) {
    FText = Value;
}

void TControl::SetName(const String& Value) {
    String old = Name();
    bool follow = FControlStyle.Contains(csSetCaption) && !ComponentState().Contains(csLoading) &&
                  GetTextValue() == old &&
                  (Owner() == nullptr || !Owner()->ComponentState().Contains(csLoading));
    TComponent::SetName(Value);
    if (follow) SetText(Value);
}

String TControl::GetHint() {
    String hint = FHint;
    if (FActionLink != nullptr) FActionLink->DoShowHint(hint);
    return hint;
}

// ---- Actions

TBasicAction* TControl::Action() const {
    return FActionLink != nullptr ? FActionLink->Action() : nullptr;
}

TControlActionLinkClass TControl::GetActionLinkClass() {
    return [](TControl* Client) { return std::make_unique<TControlActionLink>(Client); };
}

void TControl::SetAction(TBasicAction* Value) {
    if (Value == nullptr) {
        if (FActionLink != nullptr) {
            if (TBasicAction* a = FActionLink->Action()) a->RemoveFreeNotification(this);
            FActionLink.reset();
        }
        FControlStyle.Exclude(csActionClient);
        return;
    }
    if (FActionLink == nullptr) FActionLink = GetActionLinkClass()(this);
    if (TBasicAction* a = FActionLink->Action(); a != nullptr && a != Value) a->RemoveFreeNotification(this);
    FActionLink->SetAction(Value);
    FActionLink->OnChange = [this](TObject* Sender) { DoActionChange(Sender); };
    FControlStyle.Include(csActionClient);
    ActionChange(Value, ComponentState().Contains(csLoading));
    Value->FreeNotification(this);
}

void TControl::DoActionChange(TObject* Sender) {
    if (Sender == Action()) ActionChange(Sender, false);
}

void TControl::ActionChange(TObject* Sender, bool CheckDefaults) {
    auto* action = dynamic_cast<TCustomAction*>(Sender);
    if (action == nullptr) return;
    if (!CheckDefaults || GetText().empty() || GetText() == Name()) SetText(action->Caption());
    if (!CheckDefaults || FEnabled) SetEnabled(action->Enabled());
    if (!CheckDefaults || FHint.empty()) SetHint(action->Hint());
    if (!CheckDefaults || FVisible) SetVisible(action->Visible());
    if (!CheckDefaults || FHelpContext == 0) SetHelpContext(action->HelpContext());
}

void TControl::Click() {
    if (!OnClick && FActionLink != nullptr && FActionLink->Action() != nullptr &&
        !ComponentState().Contains(csDesigning)) {
        FActionLink->Execute(this);
        return;
    }
    if (OnClick) OnClick(this);
}

bool TControl::ExecuteAction(TBasicAction* Action) {
    if (Action == nullptr || !Action->HandlesTarget(this)) return false;
    Action->ExecuteTarget(this);
    return true;
}

bool TControl::UpdateAction(TBasicAction* Action) {
    if (Action == nullptr || !Action->HandlesTarget(this)) return false;
    Action->UpdateTarget(this);
    return true;
}

void TControl::ChangeScale(int M, int D) {
    if (M == D || D == 0) return;
    auto scale = [&](int v) { return static_cast<int>((static_cast<long long>(v) * M) / D); };
    SetBounds(scale(FLeft), scale(FTop), scale(FLeft + FWidth) - scale(FLeft),
              scale(FTop + FHeight) - scale(FTop));
    if (!FParentFont) FFont->SetSize(scale(FFont->Size()));
}

void TControl::SetBiDiMode(TBiDiMode Value) {
    FParentBiDiMode = false;
    if (FBiDiMode == Value) return;
    FBiDiMode = Value;
    Perform(CM_BIDIMODECHANGED, 0, 0);
}

void TControl::SetParentBiDiMode(bool Value) {
    if (FParentBiDiMode == Value) return;
    FParentBiDiMode = Value;
    if (Value && FParent != nullptr && !ComponentState().Contains(csReading))
        Perform(CM_PARENTBIDIMODECHANGED, 0, 0);
}

void TControl::CMParentBiDiModeChanged(TMessage&) {
    if (FParentBiDiMode && FParent != nullptr && FBiDiMode != FParent->BiDiMode()) {
        FBiDiMode = FParent->BiDiMode();
        Perform(CM_BIDIMODECHANGED, 0, 0);
    }
}

void TControl::DblClick() {
    if (OnDblClick) OnDblClick(this);
}

void TControl::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FPopupMenu) FPopupMenu = nullptr;
    if (FActionLink != nullptr && AComponent == FActionLink->Action()) {
        FActionLink.reset();
        FControlStyle.Exclude(csActionClient);
    }
}

// ---- Loading

void TControl::ReadState(TReader& Reader) {
    FControlState.Include(csReadingState);
    try {
        TComponent::ReadState(Reader);
    } catch (...) {
        FControlState.Exclude(csReadingState);
        throw;
    }
    FControlState.Exclude(csReadingState);
    if (FParent != nullptr) {
        Perform(CM_PARENTCOLORCHANGED, 0, 0);
        Perform(CM_PARENTFONTCHANGED, 0, 0);
        Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
    }
}

void TControl::Loaded() {
    TComponent::Loaded();
    if (FActionLink != nullptr) ActionChange(FActionLink->Action(), true);
    UpdateAnchorRules();
    RequestAlign();
}

void TControl::Changed() {
    Perform(CM_CHANGED, 0, reinterpret_cast<win::LPARAM>(this));
}

// ---- Painting and z-order

void TControl::Invalidate() {
    if (FParent == nullptr || !FParent->HandleAllocated() || !FVisible) return;
    if (FParent->ComponentState().Contains(csDestroying)) return;
    TRect r = BoundsRect();
    win::InvalidateRect(FParent->WindowHandle(), &r,
                        FControlStyle.Contains(csOpaque) ? win::FALSE : win::TRUE);
}

void TControl::InvalidateControl(bool IsVisible, bool IsOpaque) {
    if (!IsVisible || FParent == nullptr || !FParent->HandleAllocated()) return;
    if (FParent->ComponentState().Contains(csDestroying)) return;
    TRect r = BoundsRect();
    win::InvalidateRect(FParent->WindowHandle(), &r, IsOpaque ? win::FALSE : win::TRUE);
}

void TControl::Repaint() {
    if (FParent == nullptr || !FParent->HandleAllocated() || !FVisible) return;
    Invalidate();
    FParent->Update();
}

void TControl::Update() {
    if (FParent != nullptr) FParent->Update();
}

void TControl::BringToFront() {
    SetZOrder(true);
}

void TControl::SendToBack() {
    SetZOrder(false);
}

void TControl::SetZOrder(bool TopMost) {
    if (FParent == nullptr) return;
    TControlList& list = FParent->FControls;
    auto it = std::find(list.begin(), list.end(), this);
    if (it == list.end()) return;
    list.erase(it);
    if (TopMost)
        list.push_back(this);
    else
        list.insert(list.begin(), this);
    Invalidate();
}

// ---- Mouse

bool TControl::MouseCapture() {
    return GetCaptureControl() == this;
}

void TControl::SetMouseCapture(bool Value) {
    if (MouseCapture() == Value) return;
    SetCaptureControl(Value ? this : nullptr);
}

void TControl::SendCancelMode(TControl* Sender) {
    (void)Sender;
    TControl* c = GetCaptureControl();
    if (c != nullptr && c != this) c->Perform(win::WM_CANCELMODE, 0, 0);
}

// ---- Free functions

TCustomForm* GetParentForm(TControl* Control, bool TopForm) {
    TCustomForm* found = nullptr;
    for (TControl* c = Control; c != nullptr; c = c->Parent()) {
        if (auto* w = dynamic_cast<TWinControl*>(c)) {
            if (TCustomForm* f = w->AsForm()) {
                found = f;
                if (!TopForm) return f;
            }
        }
        if (TopForm && c->Parent() == nullptr) {
            auto* w = dynamic_cast<TWinControl*>(c);
            return w != nullptr ? w->AsForm() : nullptr;
        }
    }
    return found;
}

TControl* GetCaptureControl() {
    TWinControl* w = FindControl(win::GetCapture());
    if (w != nullptr && CaptureControl != nullptr && CaptureControl->Parent() == w) return CaptureControl;
    return w;
}

void SetCaptureControl(TControl* Control) {
    win::ReleaseCapture();
    CaptureControl = nullptr;
    if (Control == nullptr) return;
    if (auto* w = dynamic_cast<TWinControl*>(Control)) {
        win::SetCapture(w->Handle());
        return;
    }
    if (Control->Parent() == nullptr) return;
    win::HWND h = Control->Parent()->Handle();
    CaptureControl = Control;
    win::SetCapture(h);
}

TControl* FindDragTarget(TPoint Pos, bool AllowDisabled) {
    TWinControl* w = FindControl(win::WindowFromPoint(Pos));
    if (w == nullptr) return nullptr;
    if (TControl* c = w->ControlAtPos(w->ScreenToClient(Pos), AllowDisabled)) return c;
    return w;
}

TControl* GetMouseControl() {
    return MouseControl;
}

} // namespace vcl
