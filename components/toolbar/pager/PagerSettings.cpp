#include "components/toolbar/pager/PagerSettings.h"

#include "components/toolbar/pager/AdvToolBarPager.h"
#include "platform/classes/Properties.h"

namespace AdvToolBar {

KV_PUBLISHED(TAdvPageCaption) {
    using A = TAdvPageCaption;
    p.Bool("Visible", &A::FVisible, &A::SetVisible, true);
    p.Int("Height", &A::FHeight, &A::SetHeight, 27);
    p.Str("Caption", &A::FCaption, &A::SetCaption);
    p.Int("Indent", &A::FIndent, &A::SetIndent, 100);
    p.Str("WideCaption", &A::FWideCaption, &A::SetWideCaption);
    p.Int("MinWidth", &A::FMinWidth, &A::SetMinWidth, 100);
}

void TAdvPageCaption::Assign(vcl::TPersistent* Source) {
    auto* s = dynamic_cast<TAdvPageCaption*>(Source);
    if (s == nullptr) {
        vcl::TPersistent::Assign(Source);
        return;
    }
    FCaption = s->FCaption;
    FHeight = s->FHeight;
    SetVisible(s->FVisible);
    SetIndent(s->FIndent);
    SetMinWidth(s->FMinWidth);
}

KV_PUBLISHED(TATBTabSettings) {
    using A = TATBTabSettings;
    p.Int("LeftMargin", &A::FLeftMargin, &A::SetLeftMargin, 4);
    p.Int("RightMargin", &A::FRightMargin, &A::SetRightMargin, 4);
    p.Int("Height", &A::FHeight, &A::SetHeight, 26);
    p.Int("StartMargin", &A::FStartMargin, &A::SetStartMargin, 60);
    p.Int("EndMargin", &A::FEndMargin, &A::SetEndMargin, 0);
    p.Int("Spacing", &A::FSpacing, &A::SetSpacing, 4);
}

void TATBTabSettings::Assign(vcl::TPersistent* Source) {
    auto* s = dynamic_cast<TATBTabSettings*>(Source);
    if (s == nullptr) {
        vcl::TPersistent::Assign(Source);
        return;
    }
    SetLeftMargin(s->FLeftMargin);
    SetRightMargin(s->FRightMargin);
    SetHeight(s->FHeight);
    SetStartMargin(s->FStartMargin);
    SetEndMargin(s->FEndMargin);
}

KV_PUBLISHED(TTabGroupItem) {
    using A = TTabGroupItem;
    p.Str("Caption", &A::FCaption, &A::SetCaption);
    p.Int("ImageIndex", &A::FImageIndex, &A::SetImageIndex, -1);
    p.Int("TabIndexStart", &A::FTabIndexStart, &A::SetTabIndexStart, -1);
    p.Int("TabIndexEnd", &A::FTabIndexEnd, &A::SetTabIndexEnd, -1);
    p.Str("WideCaption", &A::FWideCaption, &A::SetWideCaption);
    p.Bool("DefaultAppearance", &A::FDefaultAppearance, &A::SetDefaultAppearance, true);
    p.Object("GroupAppearance", &A::FGroupAppearance);
    p.Enum("CaptionAlignment", &A::FCaptionAlignment, &A::SetCaptionAlignment, vcl::taLeftJustify);
}

TTabGroupItem::TTabGroupItem(vcl::TCollection* Collection)
    : vcl::TCollectionItem(Collection), FGroupAppearance(std::make_unique<TGroupAppearance>()) {
    FGroupAppearance->OnChange = [this](vcl::TObject*) { Changed(); };
}

TTabGroupItem::~TTabGroupItem() = default;

void TTabGroupItem::Changed() {
    if (auto* groups = dynamic_cast<TTabGroups*>(Collection())) groups->UpdateChange();
}

void TTabGroupItem::Assign(vcl::TPersistent* Source) {
    auto* s = dynamic_cast<TTabGroupItem*>(Source);
    if (s == nullptr) {
        vcl::TCollectionItem::Assign(Source);
        return;
    }
    SetCaption(s->FCaption);
    SetImageIndex(s->FImageIndex);
    SetTabIndexStart(s->FTabIndexStart);
    SetTabIndexEnd(s->FTabIndexEnd);
}

TTabGroups::TTabGroups(TAdvToolBarPager* Pager)
    : vcl::TCollection(vcl::ItemClassOf<TTabGroupItem>(), nullptr), FPager(Pager) {}

vcl::TPersistent* TTabGroups::GetOwner() {
    return FPager;
}

} // namespace AdvToolBar
