#include "components/toolbar/dock/ToolBarMenuButton.h"

#include "components/toolbar/dock/ToolBar.h"
#include "platform/classes/ClassRegistry.h"

namespace AdvToolBar {

namespace {
bool Horizontal(AdvMenuStylers::TGradientDirection D) {
    return D == AdvMenuStylers::gdHorizontal;
}
} // namespace

// ---- TAdvToolBarMenuButton

KV_PUBLISHED(TAdvToolBarMenuButton) {
    using B = TAdvToolBarMenuButton;
    p.Object("Appearance", &B::Appearance);
    p.Enum("GlyphPosition", &B::GlyphPosition, &B::SetGlyphPosition, gpLeft);
    p.Bool("DropDownButton", &B::DropDownButton, &B::SetDropDownButton, false);
    p.Ref("DropDownMenu", &B::FDropDownMenu, &B::SetDropDownMenu);
    p.Bool("DropDownSplit", &B::DropDownSplit, &B::SetDropDownSplit, true);
    p.Str("Caption", &B::Caption, &B::SetCaption);
    p.Object("Glyph", &B::Glyph);
    p.Object("GlyphHot", &B::GlyphHot);
    p.Object("GlyphDown", &B::GlyphDown);
    p.Object("GlyphDisabled", &B::GlyphDisabled);
    p.Object("GlyphChecked", &B::GlyphChecked);
    p.Int("ImageIndex", &B::ImageIndex, &B::SetImageIndex, -1);
    p.Object("Picture", &B::Picture);
    p.Bool("ParentStyler", &B::ParentStyler, &B::SetParentStyler, true);
    p.Bool("Shaded", &B::Shaded, &B::SetShaded, true);
    p.Object("OfficeHint", &B::OfficeHint);
    p.Bool("ShowCaption", &B::ShowCaption, &B::SetShowCaption, false);
    p.Str("Version", &B::Version, &B::SetVersion);
    p.Event("OnMouseEnter", &B::OnMouseEnter);
    p.Event("OnMouseLeave", &B::OnMouseLeave);
    p.Event("OnDropDown", &B::OnDropDown);
}

KV_REGISTER_CLASS(TAdvToolBarMenuButton)

TAdvToolBarMenuButton::TAdvToolBarMenuButton(vcl::TComponent* AOwner) : TAdvCustomToolBarButton(AOwner) {
    SetParentStyler(true);
}

AdvMenuStylers::TCustomAdvMenuStyler* TAdvToolBarMenuButton::MenuStyler() const {
    TCustomAdvToolBarStyler* s = Styler();
    if (!FParentStyler || s == nullptr || ToolBarReference("Menu") == nullptr) return nullptr;
    return s->CurrentAdvMenuStyler();
}

vcl::TFont* TAdvToolBarMenuButton::CaptionFont() const {
    if (AdvMenuStylers::TCustomAdvMenuStyler* m = MenuStyler()) return m->RootItem()->Font();
    return TAdvCustomToolBarButton::CaptionFont();
}

void TAdvToolBarMenuButton::DrawButton(vcl::TCanvas* Canvas) {
    AdvMenuStylers::TCustomAdvMenuStyler* menu = MenuStyler();
    if (menu == nullptr) {
        // Without a menu on the toolbar the button looks like any other toolbar button.
        TAdvCustomToolBarButton::DrawButton(Canvas);
        return;
    }
    AdvMenuStylers::TRootItem* root = menu->RootItem();
    TButtonFace face;
    if (IsDisabledLook()) {
        face = StateFace();
    } else if (IsDownLook()) {
        face = {root->GetSelectedColor(0),
                root->GetSelectedColor(1),
                root->GetHoverColor(0),
                root->GetHoverColor(1),
                root->SelectedTextColor,
                root->SelectedBorderColor,
                Horizontal(root->SelectedGradientDirection),
                GlyphDown()};
    } else if (IsCheckedLook()) {
        // Checked always shows the button's own colours.
        TButtonAppearance* a = Appearance();
        face = {a->ColorChecked(),
                a->ColorCheckedTo(),
                a->ColorChecked(),
                a->ColorCheckedTo(),
                a->CaptionTextColorChecked(),
                a->BorderCheckedColor(),
                a->GradientDirectionChecked() == gdHorizontal,
                GlyphChecked()};
    } else if (Hot()) {
        face = {root->GetHoverColor(0),
                root->GetHoverColor(1),
                root->GetHoverColor(0),
                root->GetHoverColor(1),
                root->HoverTextColor,
                root->HoverBorderColor,
                Horizontal(root->HoverGradientDirection),
                GlyphHot()};
    } else {
        face.Text = root->Font()->Color();
        face.Glyph = Glyph();
        if (!FTransparent) {
            face.From = face.DropFrom = root->GetGradientColor(0);
            face.To = face.DropTo = root->GetGradientColor(1);
            face.Border = Appearance()->BorderColor();
            face.HorizontalGradient = Horizontal(root->GradientDirection());
        }
    }
    DrawFace(Canvas, face);
}

// ---- TAdvGlowMenuButton

KV_PUBLISHED(TAdvGlowMenuButton) {
    using B = TAdvGlowMenuButton;
    p.Object("Appearance", &B::Appearance);
    p.Bool("Enabled", &B::Enabled, &B::SetEnabled, true);
    p.Enum("Layout", &B::Layout, &B::SetLayout, AdvGlowButton::blGlyphLeft);
    p.Bool("DropDownButton", &B::DropDownButton, &B::SetDropDownButton, true);
    p.Enum("DropDownPosition", &B::DropDownPosition, &B::SetDropDownPosition, AdvGlowButton::dpRight);
    p.Bool("DropDownSplit", &B::DropDownSplit, &B::SetDropDownSplit, true);
    p.Ref("DropDownMenu", &B::DropDownMenu, &B::SetDropDownMenu);
    p.Event("OnDropDown", &B::OnDropDown);
}

KV_REGISTER_CLASS(TAdvGlowMenuButton)

TAdvGlowMenuButton::TAdvGlowMenuButton(vcl::TComponent* AOwner)
    : AdvGlowButton::TAdvCustomGlowButton(AOwner) {
    SetDropDownButton(true);
    SetWidth(32);
}

} // namespace AdvToolBar
