#include "components/toolbar/customizer/CustomizerSettings.h"

#include "components/foundation/AdvGlowButton.h"
#include "components/toolbar/dock/ToolBarButton.h"
#include "components/toolbar/dock/ToolBarSeparator.h"

namespace AdvToolBar {

// ---- TATBCommand

KV_PUBLISHED(TATBCommand) {
    p.Str("Caption", &TATBCommand::FCaption, &TATBCommand::SetCaption);
    p.Int("ItemIndex", &TATBCommand::FItemIndex, &TATBCommand::SetItemIndex);
    p.Ref("Action", &TATBCommand::FAction, &TATBCommand::SetAction);
    p.Event("OnExecute", &TATBCommand::OnExecute);
}

void TATBCommand::SetCaption(const String& Value) {
    FCaption = Value;
    for (char& c : FCaption)
        if (c == ' ') c = '_';
}

void TATBCommand::SetAction(vcl::TBasicAction* Value) {
    FAction = Value;
    if (Value == nullptr || Collection() == nullptr) return;
    if (auto* owner = dynamic_cast<vcl::TComponent*>(Collection()->Owner())) Value->FreeNotification(owner);
}

void TATBCommand::Assign(vcl::TPersistent* Source) {
    auto* src = dynamic_cast<TATBCommand*>(Source);
    if (src == nullptr) {
        vcl::TCollectionItem::Assign(Source);
        return;
    }
    SetCaption(src->FCaption);
    OnExecute = src->OnExecute;
}

// ---- TButtonProperties

KV_PUBLISHED(TButtonProperties) {
    using B = TButtonProperties;
    p.Bool("Caption", &B::FCaption, &B::SetCaption);
    p.Bool("ShowCaption", &B::FShowCaption, &B::SetShowCaption);
    p.Bool("Visible", &B::FVisible, &B::SetVisible);
    p.Bool("Hint", &B::FHint, &B::SetHint);
    p.Bool("Glyph", &B::FGlyph, &B::SetGlyph);
}

void TButtonProperties::Store(bool& Field, bool Value) {
    if (Field == Value) return;
    Field = Value;
    if (OnChange) OnChange(this);
}

void TButtonProperties::Assign(vcl::TPersistent* Source) {
    auto* src = dynamic_cast<TButtonProperties*>(Source);
    if (src == nullptr) {
        vcl::TPersistent::Assign(Source);
        return;
    }
    FCaption = src->FCaption;
    FShowCaption = src->FShowCaption;
    FVisible = src->FVisible;
    FHint = src->FHint;
    FGlyph = src->FGlyph;
}

// ---- TCustomizedOptions

KV_PUBLISHED(TCustomizedOptions) {
    using O = TCustomizedOptions;
    p.Bool("AddButton", &O::FAddButton, &O::SetAddButton);
    p.Bool("ReOrder", &O::FReOrder, &O::SetReOrder);
    p.Bool("Delete", &O::FDelete, &O::SetDelete);
    p.Bool("DeleteAll", &O::FDeleteAll, &O::SetDeleteAll);
    p.Bool("AddSeparator", &O::FAddSeparator, &O::SetAddSeparator);
}

void TCustomizedOptions::Store(bool& Field, bool Value) {
    if (Field == Value) return;
    Field = Value;
    if (OnChange) OnChange(this);
}

void TCustomizedOptions::Assign(vcl::TPersistent* Source) {
    auto* src = dynamic_cast<TCustomizedOptions*>(Source);
    if (src == nullptr) {
        vcl::TPersistent::Assign(Source);
        return;
    }
    FAddButton = src->FAddButton;
    FReOrder = src->FReOrder;
    FDelete = src->FDelete;
    FDeleteAll = src->FDeleteAll;
    FAddSeparator = src->FAddSeparator;
}

// ---- TDialogSettings

KV_PUBLISHED(TDialogSettings) {
    using D = TDialogSettings;
    p.Str("ToolBarLabel", &D::ToolBarLabel);
    p.Str("CommandLabel", &D::CommandLabel);
    p.Str("CaptionLabel", &D::CaptionLabel);
    p.Str("GlyphPosLabel", &D::GlyphPosLabel);
    p.Str("LargeIconCheck", &D::LargeIconCheck);
    p.Str("TopHint", &D::TopHint);
    p.Str("UpHint", &D::UpHint);
    p.Str("DownHint", &D::DownHint);
    p.Str("BottomHint", &D::BottomHint);
    p.Str("AddHint", &D::AddHint);
    p.Str("AddSeparatorHint", &D::AddSeparatorHint);
    p.Str("DeleteHint", &D::DeleteHint);
    p.Str("DeleteAllHint", &D::DeleteAllHint);
    p.Str("EditHint", &D::EditHint);
    p.Str("Caption", &D::Caption);
    p.Str("ButtonEditCaption", &D::ButtonEditCaption);
    p.Str("ButtonEditCaptionLabel", &D::ButtonEditCaptionLabel);
    p.Str("ButtonEditHintLabel", &D::ButtonEditHintLabel);
    p.Str("ButtonEditIconLabel", &D::ButtonEditIconLabel);
    p.Str("ButtonEditCaptionCheck", &D::ButtonEditCaptionCheck);
    p.Str("ButtonEditVisibleCheck", &D::ButtonEditVisibleCheck);
    p.Bool("EditGlyph", &D::EditGlyph);
    p.Bool("EditCaption", &D::EditCaption);
    p.Bool("EditGlyphPosition", &D::EditGlyphPosition);
    p.Bool("LargeIcon", &D::LargeIcon);
    p.Str("Customize", &D::Customize);
    p.Event("OnChange", &D::OnChange);
}

void TDialogSettings::Assign(vcl::TPersistent* Source) {
    auto* src = dynamic_cast<TDialogSettings*>(Source);
    if (src == nullptr) {
        vcl::TPersistent::Assign(Source);
        return;
    }
    using D = TDialogSettings;
    EditCaption = src->EditCaption;
    LargeIcon = src->LargeIcon;
    EditGlyphPosition = src->EditGlyphPosition;
    for (String D::*text : {&D::ToolBarLabel,
                            &D::CommandLabel,
                            &D::CaptionLabel,
                            &D::GlyphPosLabel,
                            &D::LargeIconCheck,
                            &D::TopHint,
                            &D::UpHint,
                            &D::DownHint,
                            &D::BottomHint,
                            &D::AddHint,
                            &D::AddSeparatorHint,
                            &D::DeleteHint,
                            &D::DeleteAllHint,
                            &D::EditHint,
                            &D::Caption,
                            &D::ButtonEditCaption,
                            &D::ButtonEditCaptionLabel,
                            &D::ButtonEditHintLabel,
                            &D::ButtonEditIconLabel,
                            &D::ButtonEditCaptionCheck,
                            &D::ButtonEditVisibleCheck})
        this->*text = src->*text;
}

// ---- TATBItemProp

bool TATBItemProp::IsButtonEntry() const {
    return dynamic_cast<TAdvToolBarButton*>(Control) != nullptr || FIsATBButton ||
           dynamic_cast<AdvGlowButton::TAdvCustomGlowButton*>(Control) != nullptr || GlowButton;
}

} // namespace AdvToolBar
