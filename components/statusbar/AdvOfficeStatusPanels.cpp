#include "components/statusbar/AdvOfficeStatusPanels.h"

#include "components/statusbar/AdvOfficeStatusBar.h"
#include "platform/rtl/SysInfo.h"
#include "platform/rtl/SysUtils.h"

namespace AdvOfficeStatusBar {

using namespace vcl;

// ---- TAdvOfficeStatusPanel

KV_PUBLISHED(TAdvOfficeStatusPanel) {
    using P = TAdvOfficeStatusPanel;
    p.Str("Text", &P::FText, &P::SetText);
    p.Int("Width", &P::FWidth, &P::SetWidth, 50);
    p.Enum("Alignment", &P::FAlignment, &P::SetAlignment, taLeftJustify);
    p.Enum("BiDiMode", &P::FBiDiMode, &P::SetBiDiMode).Stored(&P::IsBiDiModeStored);
    p.Bool("ParentBiDiMode", &P::FParentBiDiMode, &P::SetParentBiDiMode, true);
    p.Enum("Style", &P::FStyle, &P::SetStyle, psHTML);
    p.Str("TimeFormat", &P::FTimeFormat, &P::SetTimeFormat);
    p.Str("DateFormat", &P::FDateFormat, &P::SetDateFormat);
    p.Object("Progress", &P::FProgress);
    p.Int("HTMLOffsetY", &P::FHTMLOffsetY, &P::SetHTMLOffsetY, 2);
    p.Int("HTMLOffsetX", &P::FHTMLOffsetX, &P::SetHTMLOffsetX, 2);
    p.Int("ImageIndex", &P::FImageIndex, &P::SetImageIndex, -1);
    p.Ref("AnimationImages", &P::FAnimationImages, &P::SetAnimationImages);
    p.Int("AnimationDelay", &P::FAnimationDelay, &P::SetAnimationDelay, 0);
    p.Bool("Animated", &P::FAnimated, &P::SetAnimated, false);
    p.Bool("Enabled", &P::FEnabled, &P::SetEnabled, true);
    p.Enum("AppearanceStyle", &P::FAppearanceStyle, &P::SetAppearanceStyle, psLight);
    p.Object("OfficeHint", &P::FOfficeHint);
    p.Bool("Button", &P::FButton, &P::SetButton, false);
    p.Bool("AutoSize", &P::FAutoSize, &P::SetAutoSize, false);
    p.Int("MinWidth", &P::FMinWidth, &P::SetMinWidth, 20);
}

TAdvOfficeStatusPanel::TAdvOfficeStatusPanel(TCollection* Collection)
    : TCollectionItem(Collection), FTimeFormat(SysInfo().LongTimeFormat()),
      FDateFormat(SysInfo().ShortDateFormat()), FProgress(std::make_unique<TProgressStyle>(this)),
      FImageIndexes(std::make_unique<TStringList>()),
      FOfficeHint(std::make_unique<AdvHintInfo::TAdvHintInfo>()) {
    if (TAdvOfficeStatusBar* bar = Bar(); bar != nullptr && FParentBiDiMode) FBiDiMode = bar->BiDiMode();
}

TAdvOfficeStatusPanel::~TAdvOfficeStatusPanel() {
    // The bar repaints without this panel (nothing is sent while the whole collection goes away).
    Changed(true);
}

TAdvOfficeStatusBar* TAdvOfficeStatusPanel::Bar() const {
    auto* panels = dynamic_cast<TAdvOfficeStatusPanels*>(Collection());
    return panels != nullptr ? panels->Bar() : nullptr;
}

void TAdvOfficeStatusPanel::PanelsChange() {
    if (auto* panels = dynamic_cast<TAdvOfficeStatusPanels*>(Collection())) panels->Change();
}

void TAdvOfficeStatusPanel::Assign(TPersistent* Source) {
    auto* s = dynamic_cast<TAdvOfficeStatusPanel*>(Source);
    if (s == nullptr) {
        TCollectionItem::Assign(Source);
        return;
    }
    SetText(s->FText);
    SetWidth(s->FWidth);
    SetAlignment(s->FAlignment);
    SetBevel(s->FBevel);
    SetStyle(s->FStyle);
    SetDateFormat(s->FDateFormat);
    SetTimeFormat(s->FTimeFormat);
    FProgress->Assign(s->FProgress.get());
    FOfficeHint->Assign(s->FOfficeHint.get());
    SetAppearanceStyle(s->FAppearanceStyle);
    SetAutoSize(s->FAutoSize);
    SetMinWidth(s->FMinWidth);
}

String TAdvOfficeStatusPanel::GetDisplayName() {
    return FText.empty() ? TCollectionItem::GetDisplayName() : FText;
}

void TAdvOfficeStatusPanel::SetText(const String& Value) {
    if (FText == Value) return;
    FText = Value;
    Changed(false);
    if (FAutoSize) {
        if (TAdvOfficeStatusBar* bar = Bar()) bar->AutoSizePanels();
    }
}

void TAdvOfficeStatusPanel::SetWidth(int Value) {
    if (FWidth == Value) return;
    FWidth = Value;
    Changed(true);
    PanelsChange();
}

void TAdvOfficeStatusPanel::SetAlignment(TAlignment Value) {
    if (FAlignment == Value) return;
    FAlignment = Value;
    Changed(false);
    PanelsChange();
}

void TAdvOfficeStatusPanel::SetBevel(TAdvOfficeStatusPanelBevel Value) {
    if (FBevel == Value) return;
    FBevel = Value;
    Changed(false);
}

void TAdvOfficeStatusPanel::SetBiDiMode(TBiDiMode Value) {
    if (FBiDiMode == Value) return;
    FBiDiMode = Value;
    FParentBiDiMode = false;
    Changed(false);
}

void TAdvOfficeStatusPanel::SetParentBiDiMode(bool Value) {
    if (FParentBiDiMode == Value) return;
    FParentBiDiMode = Value;
    ParentBiDiModeChanged();
}

void TAdvOfficeStatusPanel::ParentBiDiModeChanged() {
    if (!FParentBiDiMode) return;
    if (TAdvOfficeStatusBar* bar = Bar()) {
        SetBiDiMode(bar->BiDiMode());
        FParentBiDiMode = true;
    }
}

void TAdvOfficeStatusPanel::SetStyle(TAdvOfficeStatusPanelStyle Value) {
    if (FStyle == Value) return;
    FStyle = Value;
    Changed(false);
    PanelsChange();
}

void TAdvOfficeStatusPanel::SetTimeFormat(const String& Value) {
    FTimeFormat = Value;
    Changed(true);
    PanelsChange();
}

void TAdvOfficeStatusPanel::SetDateFormat(const String& Value) {
    FDateFormat = Value;
    Changed(true);
    PanelsChange();
}

void TAdvOfficeStatusPanel::SetProgress(TProgressStyle* Value) {
    FProgress->Assign(Value);
    Changed(true);
}

void TAdvOfficeStatusPanel::SetHTMLOffsetX(int Value) {
    FHTMLOffsetX = Value;
    Changed(true);
    PanelsChange();
}

void TAdvOfficeStatusPanel::SetHTMLOffsetY(int Value) {
    FHTMLOffsetY = Value;
    Changed(true);
    PanelsChange();
}

void TAdvOfficeStatusPanel::SetImageIndex(int Value) {
    FImageIndex = Value;
    Changed(true);
    PanelsChange();
}

void TAdvOfficeStatusPanel::SetEnabled(bool Value) {
    FEnabled = Value;
    Changed(true);
    PanelsChange();
}

void TAdvOfficeStatusPanel::SetAppearanceStyle(TPanelAppearanceStyle Value) {
    if (FAppearanceStyle == Value) return;
    FAppearanceStyle = Value;
    Changed(true);
    PanelsChange();
}

void TAdvOfficeStatusPanel::SetButton(bool Value) {
    if (FButton == Value) return;
    FButton = Value;
    Changed(true);
    PanelsChange();
}

void TAdvOfficeStatusPanel::SetAnimationImages(TCustomImageList* Value) {
    FAnimationImages = Value;
    // The bar hears when the list is freed and drops it from every panel.
    if (TAdvOfficeStatusBar* bar = Bar(); bar != nullptr && Value != nullptr) Value->FreeNotification(bar);
    Changed(true);
}

void TAdvOfficeStatusPanel::SetAnimated(bool Value) {
    FAnimated = Value;
    Changed(true);
}

void TAdvOfficeStatusPanel::SetAnimationDelay(int Value) {
    if (Value >= 0) FAnimationDelay = Value;
}

void TAdvOfficeStatusPanel::SetAutoSize(bool Value) {
    FAutoSize = Value;
    if (Value) {
        if (TAdvOfficeStatusBar* bar = Bar()) bar->AutoSizePanels();
    }
}

void TAdvOfficeStatusPanel::StepIt() {
    if (FProgress->Position() < FProgress->Max()) FProgress->SetPosition(FProgress->Position() + 1);
}

int TAdvOfficeStatusPanel::GetImageIndexes(int Index) const {
    if (Index < 0 || Index >= FImageIndexes->Count()) return -1;
    return StrToInt(FImageIndexes->Strings(Index));
}

void TAdvOfficeStatusPanel::SetImageIndexes(int Index, int Value) {
    // A negative index reaches the list, which raises its index error.
    while (FImageIndexes->Count() <= Index)
        FImageIndexes->Add("-1");
    FImageIndexes->SetStrings(Index, IntToStr(Value));
}

void TAdvOfficeStatusPanel::ClearImageIndexes() {
    FImageIndexes->Clear();
}

int TAdvOfficeStatusPanel::ImageCount() const {
    return FImageIndexes->Count();
}

// ---- TAdvOfficeStatusPanels

TAdvOfficeStatusPanels::TAdvOfficeStatusPanels(TAdvOfficeStatusBar* Bar)
    : TCollection(ItemClassOf<TAdvOfficeStatusPanel>(), Bar), FBar(Bar) {}

TAdvOfficeStatusPanel* TAdvOfficeStatusPanels::Add() {
    return static_cast<TAdvOfficeStatusPanel*>(TCollection::Add());
}

TAdvOfficeStatusPanel* TAdvOfficeStatusPanels::GetItem(int Index) const {
    return static_cast<TAdvOfficeStatusPanel*>(TCollection::GetItem(Index));
}

void TAdvOfficeStatusPanels::SetItem(int Index, TAdvOfficeStatusPanel* Value) {
    TCollection::SetItem(Index, Value);
}

void TAdvOfficeStatusPanels::Change() {
    if (OnChange) OnChange(this);
}

void TAdvOfficeStatusPanels::Update(TCollectionItem* Item) {
    if (FBar == nullptr) return;
    // One panel changed: only its place is repainted (a status text written for every page load does
    // not repaint the whole bar).
    if (Item != nullptr) {
        FBar->UpdatePanel(Item->Index(), false);
        return;
    }
    FBar->UpdatePanels(true, false);
    FBar->Invalidate();
}

} // namespace AdvOfficeStatusBar
