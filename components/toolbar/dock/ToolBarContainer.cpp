#include "components/toolbar/dock/ToolBarContainer.h"

#include <algorithm>

#include "components/foundation/AdvGlowButton.h"
#include "components/foundation/AdvStyleIF.h"
#include "components/toolbar/dock/ToolBar.h"
#include "components/toolbar/dock/ToolBarControl.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/vcl/Bitmap.h"
#include "platform/vcl/ControlMessages.h"
#include "platform/win/Gdi.h"
#include "platform/win/Messages.h"

namespace AdvToolBar {

KV_PUBLISHED(TAdvToolBarContainer) {
    using C = TAdvToolBarContainer;
    p.Default("DoubleBuffered", true);
    p.Default("ParentColor", false);
    p.Bool("AutoSize", &C::AutoSize, &C::SetAutoSize, false);
    p.Str("Caption", &C::FCaption, &C::SetCaption);
    p.Object("Color", &C::FGradient);
    p.Color("LineColor", &C::FLineColor, &C::SetLineColor, vcl::clBtnShadow);
    p.Bool("ParentStyler", &C::FParentStyler, &C::SetParentStyler, true);
    p.Bool("Line3D", &C::FLine3D, &C::SetLine3D, true);
    p.Object("OfficeHint", &C::OfficeHint);
}

KV_REGISTER_CLASS(TAdvToolBarContainer)

TAdvToolBarContainer::TAdvToolBarContainer(vcl::TComponent* AOwner)
    : vcl::TCustomControl(AOwner), FGradient(std::make_unique<TGradientBackground>()),
      FOfficeHint(std::make_unique<AdvHintInfo::TAdvHintInfo>()) {
    FControlStyle.Include(vcl::csAcceptsControls);
    FControlStyle.Exclude(vcl::csOpaque);
    SetDoubleBuffered(true);
    FGradient->OnChange = [this](vcl::TObject* Sender) { OnColorChange(Sender); };
    FColor = FGradient->Color();
    FParentColor = false;
}

TAdvToolBarContainer::~TAdvToolBarContainer() {
    BeforeDestruction();
    FGradient->OnChange = nullptr;
}

void TAdvToolBarContainer::SetAdvToolBar(TAdvCustomToolBar* Value) {
    if (FAdvToolBar == Value) return;
    FAdvToolBar = Value;
    for (int i = 0; i < ControlCount(); ++i)
        if (auto* tc = dynamic_cast<TAdvCustomToolBarControl*>(Controls(i))) tc->FAdvToolBar = Value;
    Invalidate();
}

void TAdvToolBarContainer::SetParent(vcl::TWinControl* AParent) {
    vcl::TCustomControl::SetParent(AParent);
    SetAdvToolBar(dynamic_cast<TAdvCustomToolBar*>(AParent));
}

void TAdvToolBarContainer::SetCaption(const String& Value) {
    FCaption = Value;
    Invalidate();
}

void TAdvToolBarContainer::SetLineColor(TColor Value) {
    FLineColor = Value;
    Invalidate();
}

void TAdvToolBarContainer::SetLine3D(bool Value) {
    FLine3D = Value;
    Invalidate();
}

void TAdvToolBarContainer::SetParentStyler(bool Value) {
    FParentStyler = Value;
    Invalidate();
}

void TAdvToolBarContainer::SetGradientColor(TGradientBackground* Value) {
    FGradient->Assign(Value);
    Invalidate();
}

void TAdvToolBarContainer::OnColorChange(vcl::TObject*) {
    SetColor(FGradient->Color());
    Invalidate();
}

void TAdvToolBarContainer::GetLineSettings(TColor& Color, bool& Is3D) const {
    Is3D = FLine3D;
    Color = FLineColor;
    if (FAdvToolBar != nullptr && FParentStyler && FAdvToolBar->CurrentStyler() != nullptr) {
        TContainerAppearance* a = FAdvToolBar->CurrentStyler()->ContainerAppearance();
        Is3D = a->Line3D();
        Color = a->LineColor();
    }
}

void TAdvToolBarContainer::Loaded() {
    vcl::TCustomControl::Loaded();
    UpdateAllGlowButtons();
    Invalidate();
}

void TAdvToolBarContainer::UpdateAllGlowButtons() {
    if (FAdvToolBar == nullptr || FAdvToolBar->CurrentStyler() == nullptr) return;
    TCustomAdvToolBarStyler* styler = FAdvToolBar->CurrentStyler();
    for (int i = 0; i < ControlCount(); ++i) {
        vcl::TControl* c = Controls(i);
        if (auto* glow = dynamic_cast<AdvGlowButton::TAdvGlowButton*>(c))
            glow->Appearance()->Assign(styler->GlowButtonAppearance());
        if (styler->ChildComponentStyle() == AdvStyleIF::tsCustom) continue;
        if (auto* styled = dynamic_cast<AdvStyleIF::IBrixStyle*>(c))
            styled->SetComponentStyle(styler->ChildComponentStyle());
    }
}

void TAdvToolBarContainer::ControlInserted(vcl::TControl* Control) {
    if (auto* tc = dynamic_cast<TAdvCustomToolBarControl*>(Control)) tc->FAdvToolBar = FAdvToolBar;
    TAdvCustomToolBar::GiveGlowButtonKeys(Control);
    if (!ComponentState().Contains(vcl::csDesigning)) return;
    // At design time a dropped control lands right of the others while that is still inside.
    int x = 0;
    for (int i = 0; i < ControlCount(); ++i)
        if (Controls(i) != Control) x = std::max(x, Controls(i)->Left() + Controls(i)->Width());
    if (x >= 1 && x < Width()) Control->SetLeft(x);
}

void TAdvToolBarContainer::WndProc(vcl::TMessage& Message) {
    switch (Message.Msg) {
    case win::WM_ERASEBKGND:
        // Paint covers everything with the parent's picture: nothing to erase first.
        Message.Result = 1;
        return;
    case vcl::CM_MOUSEENTER:
        vcl::TCustomControl::WndProc(Message);
        Invalidate();
        return;
    case vcl::CM_CONTROLCHANGE:
        vcl::TCustomControl::WndProc(Message);
        if (Message.LParam != 0) ControlInserted(reinterpret_cast<vcl::TControl*>(Message.WParam));
        return;
    default:
        break;
    }
    vcl::TCustomControl::WndProc(Message);
}

void TAdvToolBarContainer::PaintParentBackground(vcl::TCanvas* Canvas) {
    vcl::TWinControl* parent = Parent();
    if (parent == nullptr) return;
    const vcl::TRect r = ClientRect();
    // A picture of the parent from its origin to the container's far corner, drawn shifted back by the
    // container's place, shows exactly what lies behind the container.
    vcl::TBitmap back(r.Width() + Left(), r.Height() + Top());
    win::HDC dc = back.Canvas()->Handle();
    int saved = win::SaveDC(dc);
    parent->Perform(win::WM_ERASEBKGND, reinterpret_cast<win::WPARAM>(dc), reinterpret_cast<win::LPARAM>(dc));
    parent->Perform(win::WM_PAINT, reinterpret_cast<win::WPARAM>(dc), 0);
    win::RestoreDC(dc, saved);
    Canvas->Draw(-Left(), -Top(), &back);
}

void TAdvToolBarContainer::Paint() {
    vcl::TCanvas* c = Canvas();
    vcl::TRect r = ClientRect();
    PaintParentBackground(c);

    TColor line;
    bool is3D;
    GetLineSettings(line, is3D);
    if (line == vcl::clNone) return;

    const int m = FrameMargin;
    const int y0 = r.Top + m + 2;
    c->Brush()->SetStyle(vcl::bsClear);
    c->Pen()->SetStyle(vcl::psSolid);
    c->Pen()->SetWidth(1);
    int textRight = 0;
    if (!FCaption.empty()) {
        vcl::TRect t = r;
        t.Left += 10;
        win::HDC dc = c->Handle();
        win::SetBkMode(dc, win::TRANSPARENT);
        win::SetTextColor(dc, vcl::graphics::ToColorRef(vcl::clBlack));
        win::DrawText(dc, FCaption.c_str(), static_cast<int>(FCaption.size()), &t, win::DT_SINGLELINE);
        win::DrawText(dc, FCaption.c_str(), static_cast<int>(FCaption.size()), &t,
                      win::DT_SINGLELINE | win::DT_CALCRECT);
        textRight = t.Right;
    }
    auto line2 = [c](int x1, int y1, int x2, int y2) {
        c->MoveTo(x1, y1);
        c->LineTo(x2, y2);
    };
    auto topLine = [&](int y) {
        if (!FCaption.empty()) {
            line2(r.Left, y, r.Left + 9, y);
            line2(r.Left + textRight + 1, y, r.Right - m, y);
        } else {
            line2(r.Left, y, r.Right - m, y);
        }
    };
    c->Pen()->SetColor(line);
    topLine(y0);
    if (is3D) {
        c->Pen()->SetColor(vcl::clWhite);
        topLine(y0 + 1);
    }
    c->Pen()->SetColor(line);
    line2(r.Left, y0, r.Left, r.Bottom - m);
    line2(r.Left, r.Bottom - m, r.Right - m, r.Bottom - m);
    line2(r.Right - m, r.Bottom - m, r.Right - m, y0);
    if (is3D) {
        c->Pen()->SetColor(vcl::clWhite);
        line2(r.Left + 1, y0 + 1, r.Left + 1, r.Bottom - m);
        line2(r.Left + 1, r.Bottom - m + 1, r.Right - m + 1, r.Bottom - m + 1);
        line2(r.Right - m + 1, r.Bottom - m + 1, r.Right - m + 1, y0);
    }
}

} // namespace AdvToolBar
