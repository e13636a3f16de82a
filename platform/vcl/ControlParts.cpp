// The parts of a control: size constraints, margins, the action link, cursors, and the published
// properties of TControl.

#include <array>

#include "platform/rtl/SysUtils.h"
#include "platform/vcl/Control.h"
#include "platform/vcl/WinControl.h"
#include "platform/win/Input.h"

namespace vcl {

// ---- TSizeConstraints

TSizeConstraints::TSizeConstraints(TControl* Control) : FControl(Control) {}

void TSizeConstraints::Assign(TPersistent* Source) {
    if (auto* s = dynamic_cast<TSizeConstraints*>(Source)) {
        FMinWidth = s->FMinWidth;
        FMaxWidth = s->FMaxWidth;
        FMinHeight = s->FMinHeight;
        FMaxHeight = s->FMaxHeight;
        Change();
        return;
    }
    TPersistent::Assign(Source);
}

void TSizeConstraints::SetMinWidth(int Value) {
    Value = std::max(Value, 0);
    if (Value == FMinWidth) return;
    FMinWidth = Value;
    if (FMaxWidth > 0 && FMinWidth > FMaxWidth) FMaxWidth = FMinWidth;
    Change();
}

void TSizeConstraints::SetMaxWidth(int Value) {
    Value = std::max(Value, 0);
    if (Value == FMaxWidth) return;
    FMaxWidth = Value;
    if (FMaxWidth > 0 && FMinWidth > FMaxWidth) FMinWidth = FMaxWidth;
    Change();
}

void TSizeConstraints::SetMinHeight(int Value) {
    Value = std::max(Value, 0);
    if (Value == FMinHeight) return;
    FMinHeight = Value;
    if (FMaxHeight > 0 && FMinHeight > FMaxHeight) FMaxHeight = FMinHeight;
    Change();
}

void TSizeConstraints::SetMaxHeight(int Value) {
    Value = std::max(Value, 0);
    if (Value == FMaxHeight) return;
    FMaxHeight = Value;
    if (FMaxHeight > 0 && FMinHeight > FMaxHeight) FMinHeight = FMaxHeight;
    Change();
}

int TSizeConstraints::ConstrainWidth(int Width) const {
    if (FMaxWidth > 0 && Width > FMaxWidth) Width = FMaxWidth;
    if (FMinWidth > 0 && Width < FMinWidth) Width = FMinWidth;
    return Width;
}

int TSizeConstraints::ConstrainHeight(int Height) const {
    if (FMaxHeight > 0 && Height > FMaxHeight) Height = FMaxHeight;
    if (FMinHeight > 0 && Height < FMinHeight) Height = FMinHeight;
    return Height;
}

void TSizeConstraints::Change() {
    if (OnChange) OnChange(this);
}

TPersistent* TSizeConstraints::GetOwner() {
    return FControl;
}

KV_PUBLISHED(TSizeConstraints) {
    p.Int("MaxHeight", &TSizeConstraints::MaxHeight, &TSizeConstraints::SetMaxHeight, 0);
    p.Int("MaxWidth", &TSizeConstraints::MaxWidth, &TSizeConstraints::SetMaxWidth, 0);
    p.Int("MinHeight", &TSizeConstraints::MinHeight, &TSizeConstraints::SetMinHeight, 0);
    p.Int("MinWidth", &TSizeConstraints::MinWidth, &TSizeConstraints::SetMinWidth, 0);
}

// ---- TMargins

TMargins::TMargins(TControl* Control) : FControl(Control) {}

void TMargins::Assign(TPersistent* Source) {
    if (auto* s = dynamic_cast<TMargins*>(Source)) {
        SetBounds(s->FLeft, s->FTop, s->FRight, s->FBottom);
        return;
    }
    TPersistent::Assign(Source);
}

void TMargins::SetBounds(int ALeft, int ATop, int ARight, int ABottom) {
    if (ALeft == FLeft && ATop == FTop && ARight == FRight && ABottom == FBottom) return;
    FLeft = ALeft;
    FTop = ATop;
    FRight = ARight;
    FBottom = ABottom;
    Change();
}

void TMargins::SetLeft(int Value) {
    SetBounds(Value, FTop, FRight, FBottom);
}
void TMargins::SetTop(int Value) {
    SetBounds(FLeft, Value, FRight, FBottom);
}
void TMargins::SetRight(int Value) {
    SetBounds(FLeft, FTop, Value, FBottom);
}
void TMargins::SetBottom(int Value) {
    SetBounds(FLeft, FTop, FRight, Value);
}

void TMargins::Change() {
    if (OnChange) OnChange(this);
}

TPersistent* TMargins::GetOwner() {
    return FControl;
}

KV_PUBLISHED(TMargins) {
    p.Int("Left", &TMargins::Left, &TMargins::SetLeft, 3);
    p.Int("Top", &TMargins::Top, &TMargins::SetTop, 3);
    p.Int("Right", &TMargins::Right, &TMargins::SetRight, 3);
    p.Int("Bottom", &TMargins::Bottom, &TMargins::SetBottom, 3);
}

// ---- TControlActionLink

TControlActionLink::TControlActionLink(TObject* AClient) : TActionLink(AClient) {
    TControlActionLink::AssignClient(AClient);
}

void TControlActionLink::AssignClient(TObject* AClient) {
    FClient = dynamic_cast<TControl*>(AClient);
}

bool TControlActionLink::IsCaptionLinked() {
    auto* a = dynamic_cast<TCustomAction*>(FAction);
    return TActionLink::IsCaptionLinked() && a != nullptr && FClient != nullptr &&
           FClient->Caption() == a->Caption();
}

bool TControlActionLink::IsEnabledLinked() {
    auto* a = dynamic_cast<TCustomAction*>(FAction);
    return TActionLink::IsEnabledLinked() && a != nullptr && FClient != nullptr &&
           FClient->Enabled() == a->Enabled();
}

bool TControlActionLink::IsHintLinked() {
    auto* a = dynamic_cast<TCustomAction*>(FAction);
    return TActionLink::IsHintLinked() && a != nullptr && FClient != nullptr && FClient->Hint() == a->Hint();
}

bool TControlActionLink::IsVisibleLinked() {
    auto* a = dynamic_cast<TCustomAction*>(FAction);
    return TActionLink::IsVisibleLinked() && a != nullptr && FClient != nullptr &&
           FClient->Visible() == a->Visible();
}

bool TControlActionLink::IsHelpContextLinked() {
    auto* a = dynamic_cast<TCustomAction*>(FAction);
    return TActionLink::IsHelpContextLinked() && a != nullptr && FClient != nullptr &&
           FClient->HelpContext() == a->HelpContext();
}

bool TControlActionLink::IsOnExecuteLinked() {
    // The client's click runs the action whenever it has no OnClick of its own.
    return TActionLink::IsOnExecuteLinked() && FClient != nullptr && !FClient->OnClick;
}

void TControlActionLink::SetCaption(const String& Value) {
    if (IsCaptionLinked()) FClient->SetCaption(Value);
}

void TControlActionLink::SetEnabled(bool Value) {
    if (IsEnabledLinked()) FClient->SetEnabled(Value);
}

void TControlActionLink::SetHint(const String& Value) {
    if (IsHintLinked()) FClient->SetHint(Value);
}

void TControlActionLink::SetVisible(bool Value) {
    if (IsVisibleLinked()) FClient->SetVisible(Value);
}

void TControlActionLink::SetOnExecute(const TNotifyEvent&) {
    // Click executes the action itself; nothing is copied into the client.
}

bool TControlActionLink::DoShowHint(String& HintStr) {
    auto* a = dynamic_cast<TCustomAction*>(FAction);
    if (a != nullptr && !a->Hint().empty() && FClient != nullptr && FClient->Hint().empty())
        HintStr = a->Hint();
    return true;
}

// ---- Cursors

namespace {

struct CursorName {
    TCursor Value;
    const char* Name;
};

constexpr std::array<CursorName, 23> kCursorNames{{{crDefault, "crDefault"},
                                                   {crNone, "crNone"},
                                                   {crArrow, "crArrow"},
                                                   {crCross, "crCross"},
                                                   {crIBeam, "crIBeam"},
                                                   {crSizeNESW, "crSizeNESW"},
                                                   {crSizeNS, "crSizeNS"},
                                                   {crSizeNWSE, "crSizeNWSE"},
                                                   {crSizeWE, "crSizeWE"},
                                                   {crUpArrow, "crUpArrow"},
                                                   {crHourGlass, "crHourGlass"},
                                                   {crDrag, "crDrag"},
                                                   {crNoDrop, "crNoDrop"},
                                                   {crHSplit, "crHSplit"},
                                                   {crVSplit, "crVSplit"},
                                                   {crMultiDrag, "crMultiDrag"},
                                                   {crSQLWait, "crSQLWait"},
                                                   {crNo, "crNo"},
                                                   {crAppStart, "crAppStart"},
                                                   {crHelp, "crHelp"},
                                                   {crHandPoint, "crHandPoint"},
                                                   {crSizeAll, "crSizeAll"},
                                                   {crSize, "crSize"}}};

} // namespace

bool CursorToIdent(Int64 Cursor, String& Ident) {
    for (const CursorName& c : kCursorNames)
        if (c.Value == Cursor) {
            Ident = c.Name;
            return true;
        }
    return false;
}

bool IdentToCursor(const String& Ident, Int64& Cursor) {
    for (const CursorName& c : kCursorNames)
        if (SameText(Ident, c.Name)) {
            Cursor = c.Value;
            return true;
        }
    return false;
}

win::HCURSOR CursorHandleOf(TCursor Cursor) {
    const char* id = win::IDC_ARROW;
    switch (Cursor) {
    case crNone:
        return nullptr;
    case crCross:
        id = win::IDC_CROSS;
        break;
    case crIBeam:
        id = win::IDC_IBEAM;
        break;
    case crSizeNESW:
        id = win::IDC_SIZENESW;
        break;
    case crSizeNS:
    case crVSplit:
        id = win::IDC_SIZENS;
        break;
    case crSizeNWSE:
        id = win::IDC_SIZENWSE;
        break;
    case crSizeWE:
    case crHSplit:
        id = win::IDC_SIZEWE;
        break;
    case crUpArrow:
        id = win::IDC_UPARROW;
        break;
    case crHourGlass:
    case crSQLWait:
        id = win::IDC_WAIT;
        break;
    case crNo:
    case crNoDrop:
        id = win::IDC_NO;
        break;
    case crAppStart:
        id = win::IDC_APPSTARTING;
        break;
    case crHelp:
        id = win::IDC_HELP;
        break;
    case crHandPoint:
        id = win::IDC_HAND;
        break;
    case crSizeAll:
        id = win::IDC_SIZEALL;
        break;
    default:
        break;
    }
    return win::LoadCursor(nullptr, id);
}

// ---- Published properties

KV_PUBLISHED(TControl) {
    p.Int("Left", &TControl::Left, &TControl::SetLeft);
    p.Int("Top", &TControl::Top, &TControl::SetTop);
    p.Int("Width", &TControl::Width, &TControl::SetWidth);
    p.Int("Height", &TControl::Height, &TControl::SetHeight);
    p.Int("Cursor", &TControl::Cursor, &TControl::SetCursor, crDefault).Idents(IdentToCursor, CursorToIdent);
    p.Str("Hint", &TControl::Hint, &TControl::SetHint);
    p.Int("HelpContext", &TControl::HelpContext, &TControl::SetHelpContext, 0);
    p.Enum("Align", &TControl::Align, &TControl::SetAlign, alNone);
    p.Bool("AlignWithMargins", &TControl::AlignWithMargins, &TControl::SetAlignWithMargins, false);
    p.Set("Anchors", &TControl::Anchors, &TControl::SetAnchors, TAnchors{akLeft, akTop});
    p.Object("Constraints", &TControl::Constraints);
    p.Object("Margins", &TControl::Margins);
    p.Ref("Action", &TControl::Action, &TControl::SetAction);
    p.Bool("Enabled", &TControl::Enabled, &TControl::SetEnabled, true);
    p.Object("Font", &TControl::Font);
    p.Color("Color", &TControl::Color, &TControl::SetColor, clWindow);
    p.Bool("ParentColor", &TControl::ParentColor, &TControl::SetParentColor, true);
    p.Bool("ParentFont", &TControl::ParentFont, &TControl::SetParentFont, true);
    p.Bool("ShowHint", &TControl::ShowHint, &TControl::SetShowHint, false);
    p.Bool("ParentShowHint", &TControl::ParentShowHint, &TControl::SetParentShowHint, true);
    p.Ref("PopupMenu", &TControl::PopupMenu, &TControl::SetPopupMenu);
    p.Enum("DragMode", &TControl::DragMode, &TControl::SetDragMode, dmManual);
    p.Enum("DragKind", &TControl::DragKind, &TControl::SetDragKind, dkDrag);
    p.Int("DragCursor", &TControl::DragCursor, &TControl::SetDragCursor, crDrag)
        .Idents(IdentToCursor, CursorToIdent);
    p.Enum("BiDiMode", &TControl::BiDiMode, &TControl::SetBiDiMode, bdLeftToRight);
    p.Bool("ParentBiDiMode", &TControl::ParentBiDiMode, &TControl::SetParentBiDiMode, true);
    p.Bool("Visible", &TControl::Visible, &TControl::SetVisible, true);
    p.Event("OnClick", &TControl::OnClick);
    p.Event("OnDblClick", &TControl::OnDblClick);
    p.Event("OnMouseDown", &TControl::OnMouseDown);
    p.Event("OnMouseUp", &TControl::OnMouseUp);
    p.Event("OnMouseMove", &TControl::OnMouseMove);
    p.Event("OnMouseEnter", &TControl::OnMouseEnter);
    p.Event("OnMouseLeave", &TControl::OnMouseLeave);
    p.Event("OnMouseWheel", &TControl::OnMouseWheel);
    p.Event("OnResize", &TControl::OnResize);
    p.Event("OnContextPopup", &TControl::OnContextPopup);
    p.Event("OnDragOver", &TControl::OnDragOver);
    p.Event("OnDragDrop", &TControl::OnDragDrop);
    p.Event("OnEndDrag", &TControl::OnEndDrag);
    p.Event("OnStartDrag", &TControl::OnStartDrag);
    p.Event("OnEndDock", &TControl::OnEndDock);
    p.Event("OnStartDock", &TControl::OnStartDock);
}

} // namespace vcl
