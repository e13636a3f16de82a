#include "platform/vcl/GroupBox.h"

#include "platform/classes/ClassRegistry.h"
#include "platform/win/Gdi.h"
#include "platform/win/WinUser.h"

namespace vcl {

KV_PUBLISHED(TCustomGroupBox) {
    p.Default("Color", clBtnFace);
    p.Default("ParentBackground", true);
    p.Str("Caption", &TCustomGroupBox::Caption, &TCustomGroupBox::SetCaption);
}

KV_REGISTER_CLASS(TGroupBox)

TCustomGroupBox::TCustomGroupBox(TComponent* AOwner) : TCustomControl(AOwner) {
    FControlStyle = TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents,     csSetCaption,
                                  csDoubleClicks,    csReplicatable, csParentBackground};
    FColor = clBtnFace;
    SetBounds(0, 0, 185, 105);
}

TCustomGroupBox::~TCustomGroupBox() = default;

int TCustomGroupBox::CaptionHeight() {
    win::HDC dc = win::CreateCompatibleDC(nullptr);
    win::HGDIOBJ old = win::SelectObject(dc, Font()->Handle());
    win::TEXTMETRIC tm{};
    win::GetTextMetrics(dc, &tm);
    win::SelectObject(dc, old);
    win::DeleteDC(dc);
    return tm.tmHeight;
}

void TCustomGroupBox::AdjustClientRect(TRect& Rect) {
    TCustomControl::AdjustClientRect(Rect);
    Rect.Top += CaptionHeight();
    Rect = stdctrls::Inflate(Rect, -1, -1);
}

void TCustomGroupBox::Paint() {
    TCanvas* c = Canvas();
    TRect client = ClientRect();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(Color());
    c->FillRect(client);
    int h = CaptionHeight();
    TRect frame{client.Left, client.Top + h / 2, client.Right, client.Bottom};
    win::DrawEdge(c->Handle(), &frame, win::EDGE_ETCHED, win::BF_RECT);
    String text = Caption();
    if (text.empty()) return;
    c->Font()->Assign(Font());
    TRect calc{0, 0, 0, 0};
    win::DrawText(c->Handle(), text.c_str(), static_cast<int>(text.size()), &calc,
                  win::DT_SINGLELINE | win::DT_CALCRECT);
    // The caption sits in a gap of the frame's top edge.
    TRect r{client.Left + 8, client.Top, std::min(client.Right - 8, client.Left + 8 + calc.Width() + 4),
            client.Top + h};
    c->Brush()->SetColor(Color());
    c->FillRect(r);
    c->Brush()->SetStyle(bsClear);
    win::HDC dc = c->Handle();
    win::SetBkMode(dc, win::TRANSPARENT);
    win::SetTextColor(dc, graphics::ToColorRef(Enabled() ? Font()->Color() : clGrayText));
    TRect t{r.Left + 2, r.Top, r.Right, r.Bottom};
    win::DrawText(dc, text.c_str(), static_cast<int>(text.size()), &t, win::DT_SINGLELINE | win::DT_LEFT);
}

void TCustomGroupBox::WndProc(TMessage& Message) {
    switch (Message.Msg) {
    case CM_DIALOGCHAR: {
        // The caption's accelerator focuses the first control inside.
        TCMDialogChar key(Message);
        if (IsAccel(key.Char, Caption()) && CanFocus()) {
            SelectNext(nullptr, true, true);
            Message.Result = 1;
            return;
        }
        break;
    }
    case CM_TEXTCHANGED:
    case CM_FONTCHANGED:
        TCustomControl::WndProc(Message);
        Realign();
        Invalidate();
        return;
    default:
        break;
    }
    TCustomControl::WndProc(Message);
}

} // namespace vcl
