#include "platform/vcl/Label.h"

#include "platform/classes/ClassRegistry.h"
#include "platform/win/Gdi.h"

namespace vcl {

KV_PUBLISHED(TCustomLabel) {
    p.Default("Color", clBtnFace);
    p.Str("Caption", &TCustomLabel::Caption, &TCustomLabel::SetCaption);
    p.Enum("Alignment", &TCustomLabel::FAlignment, &TCustomLabel::SetAlignment, taLeftJustify);
    p.Enum("Layout", &TCustomLabel::FLayout, &TCustomLabel::SetLayout, tlTop);
    p.Bool("WordWrap", &TCustomLabel::FWordWrap, &TCustomLabel::SetWordWrap, false);
    p.Bool("AutoSize", &TCustomLabel::FAutoSize, &TCustomLabel::SetAutoSize, true);
    p.Bool("Transparent", &TCustomLabel::FTransparent, &TCustomLabel::SetTransparent, false);
    p.Bool("ShowAccelChar", &TCustomLabel::FShowAccelChar, &TCustomLabel::SetShowAccelChar, true);
    p.Ref("FocusControl", &TCustomLabel::FFocusControl, &TCustomLabel::SetFocusControl);
}

KV_REGISTER_CLASS(TLabel)

TCustomLabel::TCustomLabel(TComponent* AOwner) : TGraphicControl(AOwner) {
    FControlStyle.Include(csReplicatable);
    FColor = clBtnFace;
    SetBounds(0, 0, 65, 17);
}

TCustomLabel::~TCustomLabel() = default;

win::UINT TCustomLabel::TextFlags() const {
    win::UINT flags = win::DT_EXPANDTABS;
    if (FWordWrap) flags |= win::DT_WORDBREAK;
    if (!FShowAccelChar) flags |= win::DT_NOPREFIX;
    if (FAlignment == taRightJustify)
        flags |= win::DT_RIGHT;
    else if (FAlignment == taCenter)
        flags |= win::DT_CENTER;
    return flags;
}

void TCustomLabel::DoDrawText(TRect& Rect, win::UINT Flags) {
    String text = Caption();
    if ((Flags & win::DT_CALCRECT) != 0 && text.empty()) text = " ";
    Canvas()->Font()->Assign(Font());
    win::HDC dc = Canvas()->Handle();
    win::SetBkMode(dc, win::TRANSPARENT);
    win::SetTextColor(dc, graphics::ToColorRef(Enabled() ? Font()->Color() : clGrayText));
    win::DrawText(dc, text.c_str(), static_cast<int>(text.size()), &Rect, Flags);
}

void TCustomLabel::Paint() {
    TRect client = ClientRect();
    if (!FTransparent) {
        Canvas()->Brush()->SetColor(Color());
        Canvas()->Brush()->SetStyle(bsSolid);
        Canvas()->FillRect(client);
    }
    Canvas()->Brush()->SetStyle(bsClear);
    TRect r = client;
    win::UINT flags = TextFlags();
    if (FLayout != tlTop) {
        TRect calc = client;
        DoDrawText(calc, flags | win::DT_CALCRECT);
        int h = calc.Height();
        int offset = FLayout == tlBottom ? client.Height() - h : (client.Height() - h) / 2;
        r.Top = client.Top + offset;
        r.Bottom = r.Top + h;
    }
    DoDrawText(r, flags);
}

void TCustomLabel::AdjustBounds() {
    if (ComponentState().Contains(csLoading) || !FAutoSize) return;
    TRect r = ClientRect();
    if (!FWordWrap) r.Right = r.Left + 32767;
    String text = Caption();
    // An empty caption still measures as one line, so an auto-sized label keeps its height.
    if (text.empty() || (FShowAccelChar && text == "&")) text = " ";
    // Measured on a memory context, so that a label without a parent can size itself.
    win::HDC dc = win::CreateCompatibleDC(nullptr);
    win::HGDIOBJ old = win::SelectObject(dc, Font()->Handle());
    win::DrawText(dc, text.c_str(), static_cast<int>(text.size()), &r, TextFlags() | win::DT_CALCRECT);
    win::SelectObject(dc, old);
    win::DeleteDC(dc);
    int newWidth = FWordWrap ? Width() : r.Width();
    int newLeft = Left();
    // A right-aligned or centred label keeps its right edge or centre in place as the text changes.
    if (!FWordWrap && FAlignment == taRightJustify)
        newLeft = Left() + Width() - newWidth;
    else if (!FWordWrap && FAlignment == taCenter)
        newLeft = Left() + (Width() - newWidth) / 2;
    SetBounds(newLeft, Top(), newWidth, r.Height());
}

void TCustomLabel::SetAlignment(TAlignment Value) {
    if (FAlignment == Value) return;
    FAlignment = Value;
    Invalidate();
}

void TCustomLabel::SetLayout(TTextLayout Value) {
    if (FLayout == Value) return;
    FLayout = Value;
    Invalidate();
}

void TCustomLabel::SetWordWrap(bool Value) {
    if (FWordWrap == Value) return;
    FWordWrap = Value;
    AdjustBounds();
    Invalidate();
}

void TCustomLabel::SetAutoSize(bool Value) {
    if (FAutoSize == Value) return;
    FAutoSize = Value;
    AdjustBounds();
}

void TCustomLabel::SetTransparent(bool Value) {
    if (FTransparent == Value) return;
    FTransparent = Value;
    if (Value)
        FControlStyle.Exclude(csOpaque);
    else
        FControlStyle.Include(csOpaque);
    Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool Value) {
    if (FShowAccelChar == Value) return;
    FShowAccelChar = Value;
    AdjustBounds();
    Invalidate();
}

void TCustomLabel::SetFocusControl(TWinControl* Value) {
    if (FFocusControl == Value) return;
    if (FFocusControl) FFocusControl->RemoveFreeNotification(this);
    FFocusControl = Value;
    if (Value) Value->FreeNotification(this);
}

void TCustomLabel::Notification(TComponent* AComponent, TOperation Operation) {
    TGraphicControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FFocusControl) FFocusControl = nullptr;
}

void TCustomLabel::Loaded() {
    TGraphicControl::Loaded();
    AdjustBounds();
}

void TCustomLabel::CMDialogChar(TCMDialogChar& Message) {
    if (FFocusControl && Enabled() && FShowAccelChar && IsAccel(Message.Char, Caption()) &&
        FFocusControl->CanFocus()) {
        FFocusControl->SetFocus();
        Message.Result = 1;
    }
}

void TCustomLabel::WndProc(TMessage& Message) {
    switch (Message.Msg) {
    case CM_DIALOGCHAR: {
        TCMDialogChar key(Message);
        CMDialogChar(key);
        key.Store(Message);
        if (Message.Result != 0) return;
        break;
    }
    case CM_TEXTCHANGED:
    case CM_FONTCHANGED:
        TGraphicControl::WndProc(Message);
        AdjustBounds();
        Invalidate();
        return;
    default:
        break;
    }
    TGraphicControl::WndProc(Message);
}

void stdctrls::DrawSunkenField(TCanvas* Canvas, const TRect& R, TColor Color, bool Enabled) {
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(Enabled ? Color : clBtnFace);
    Canvas->FillRect(R);
    TRect edge = R;
    win::DrawEdge(Canvas->Handle(), &edge, win::EDGE_SUNKEN, win::BF_RECT);
}

} // namespace vcl
