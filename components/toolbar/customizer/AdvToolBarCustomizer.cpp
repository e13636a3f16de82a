#include "components/toolbar/customizer/AdvToolBarCustomizer.h"

#include "components/toolbar/customizer/CustomizerU.h"
#include "components/toolbar/dock/ToolBar.h"
#include "platform/rtl/SysUtils.h"
#include "platform/win/Metrics.h"

namespace AdvToolBar {

TCustomizerForm* CustomizerForm = nullptr;

KV_PUBLISHED(TAdvToolBarCustomizer) {
    using C = TAdvToolBarCustomizer;
    p.Ref("AdvToolBar", &C::FAdvToolBar, &C::SetAdvToolBar);
    p.Ref("LargeImages", &C::FLargeImages, &C::SetLargeImages);
    p.Ref("SmallImages", &C::FSmallImages, &C::SetSmallImages);
    p.Collection("Commands", &C::FCommands);
    p.Bool("EnablePersistence", &C::FEnablePersistence, &C::SetEnablePersistence);
    p.Str("FileName", &C::FFileName, &C::SetFileName);
    p.Object("ButtonProperties", &C::FButtonProperties);
    p.Object("DialogSettings", &C::FDialogSettings);
    p.Object("Options", &C::FOptions);
    p.Event("OnBeforeDisplay", &C::OnBeforeDisplay);
    p.Event("OnAfterPost", &C::OnAfterPost);
    p.Event("OnCanShow", &C::OnCanShow);
}

TAdvToolBarCustomizer::TAdvToolBarCustomizer(vcl::TComponent* AOwner)
    : vcl::TComponent(AOwner), FCommands(std::make_unique<TATBCommands>(this)),
      FButtonProperties(std::make_unique<TButtonProperties>()),
      FOptions(std::make_unique<TCustomizedOptions>()), FDialogSettings(std::make_unique<TDialogSettings>()),
      FTakenOff(std::make_unique<TDbgList>()) {
    FButtonProperties->OnChange = [](vcl::TObject*) {};
    FOptions->OnChange = [](vcl::TObject*) {};
}

TAdvToolBarCustomizer::~TAdvToolBarCustomizer() {
    BeforeDestruction();
}

void TAdvToolBarCustomizer::SetAdvToolBar(TAdvToolBar* Value) {
    if (FAdvToolBar == Value) return;
    if (FAdvToolBar != nullptr) {
        if (FAdvToolBar->Customizer() == this) FAdvToolBar->SetCustomizer(nullptr);
        FAdvToolBar->RemoveFreeNotification(this);
    }
    FAdvToolBar = Value;
    if (Value != nullptr) {
        Value->FreeNotification(this);
        Value->SetCustomizer(this);
    }
}

void TAdvToolBarCustomizer::SetLargeImages(vcl::TCustomImageList* Value) {
    FLargeImages = Value;
    if (Value != nullptr) Value->FreeNotification(this);
}

void TAdvToolBarCustomizer::SetSmallImages(vcl::TCustomImageList* Value) {
    FSmallImages = Value;
    if (Value != nullptr) Value->FreeNotification(this);
}

void TAdvToolBarCustomizer::Notification(vcl::TComponent* AComponent, vcl::TOperation Operation) {
    vcl::TComponent::Notification(AComponent, Operation);
    if (Operation != vcl::opRemove) return;
    // A taken-off control is not on the toolbar and its owner may free it: forget it then. The same for
    // the action of a command.
    FTakenOff->Remove(AComponent);
    std::erase_if(FRenamedItems, [&](const TMadeItem& m) { return m.Control == AComponent; });
    for (int i = 0; i < FCommands->Count(); ++i)
        if (FCommands->Items(i)->Action() == AComponent) FCommands->Items(i)->SetAction(nullptr);
    if (ComponentState().Contains(vcl::csDestroying)) {
        // Only pointers are cleared while the customizer itself goes.
        if (AComponent == FAdvToolBar) FAdvToolBar = nullptr;
        return;
    }
    if (AComponent == FAdvToolBar) SetAdvToolBar(nullptr);
    if (AComponent == FLargeImages) FLargeImages = nullptr;
    if (AComponent == FSmallImages) FSmallImages = nullptr;
}

vcl::TControl* TAdvToolBarCustomizer::GetCtrl(const String& Name) const {
    if (Name.empty() || FAdvToolBar == nullptr) return nullptr;
    for (int i = 0; i < FAdvToolBar->ToolBarControlCount(); ++i) {
        vcl::TControl* c = FAdvToolBar->ToolBarControls(i);
        if (c != nullptr && vcl::SameText(c->Name(), Name)) return c;
    }
    return nullptr;
}

vcl::TControl* TAdvToolBarCustomizer::FindItemControl(const String& Name) const {
    if (vcl::TControl* c = GetCtrl(Name)) return c;
    for (const TMadeItem& m : FRenamedItems)
        if (vcl::SameText(m.StoredName, Name) && FAdvToolBar->IndexOfToolBarControl(m.Control) >= 0)
            return m.Control;
    return nullptr;
}

namespace {
// Frees the dialog and clears the unit's pointer to it however ShowCustomizer ends.
struct TDialogRelease {
    ~TDialogRelease() {
        TCustomizerForm* form = CustomizerForm;
        CustomizerForm = nullptr;
        if (form != nullptr) vcl::FreeComponent(form);
    }
};
} // namespace

void TAdvToolBarCustomizer::ShowCustomizer() {
    // One customize dialog at a time: a second request while it is up (from an event handler) is
    // ignored rather than freeing the open dialog under its own loop.
    if (FAdvToolBar == nullptr || CustomizerForm != nullptr) return;
    TDialogRelease release;
    CustomizerForm = new TCustomizerForm(this);
    TCustomizerForm* form = CustomizerForm;
    form->Customizer = this;

    const TDialogSettings& ds = *FDialogSettings;
    form->TopButton->SetHint(ds.TopHint);
    form->UpButton->SetHint(ds.UpHint);
    form->DownButton->SetHint(ds.DownHint);
    form->BottomButton->SetHint(ds.BottomHint);
    form->AddButton->SetHint(ds.AddHint);
    form->SeparatorButton->SetHint(ds.AddSeparatorHint);
    form->DeleteButton->SetHint(ds.DeleteHint);
    form->ClearButton->SetHint(ds.DeleteAllHint);
    form->BtnEdit->SetHint(ds.EditHint);
    form->LblToolbarItems->SetCaption(ds.ToolBarLabel);
    form->LblCommands->SetCaption(ds.CommandLabel);
    form->LblCaption->SetCaption(ds.CaptionLabel);
    form->LblGlphPos->SetCaption(ds.GlyphPosLabel);
    form->ChkLargeIcon->SetCaption(ds.LargeIconCheck);
    form->SetCaption(ds.Caption);

    form->SetCaptionRow(ds.EditCaption);
    form->SetGlyphPosition(ds.EditGlyphPosition);
    form->ChkLargeIcon->SetVisible(ds.LargeIcon && FLargeImages != nullptr);

    form->LoadComponents();

    form->CmBxIcon->SetEnabled(ds.EditGlyph);
    const bool reorder = FOptions->ReOrder();
    form->TopButton->SetEnabled(reorder);
    form->UpButton->SetEnabled(reorder);
    form->DownButton->SetEnabled(reorder);
    form->BottomButton->SetEnabled(reorder);
    form->DeleteButton->SetEnabled(FOptions->Delete());
    form->ClearButton->SetEnabled(FOptions->DeleteAll());
    form->AddButton->SetEnabled(FOptions->AddButton() && FCommands->Count() > 0);
    form->SeparatorButton->SetEnabled(FOptions->AddSeparator());
    form->LstBxToolBarItems->SetDragMode(reorder ? vcl::dmAutomatic : vcl::dmManual);

    // Below the toolbar's right end, kept inside the work area.
    vcl::TPoint p{FAdvToolBar->Left() + FAdvToolBar->Width() - 12,
                  FAdvToolBar->Top() + FAdvToolBar->Height() + 1};
    vcl::TPoint leftEdge{FAdvToolBar->Left(), 0};
    if (vcl::TWinControl* parent = FAdvToolBar->Parent()) {
        p = parent->ClientToScreen(p);
        leftEdge = parent->ClientToScreen(leftEdge);
    }
    win::RECT wa{};
    win::SystemParametersInfo(win::SPI_GETWORKAREA, 0, &wa, 0);
    if (form->Height() + p.Y + 2 > wa.Bottom) p.Y -= form->Height() + p.Y + 2 - wa.Bottom;
    if (form->Width() + p.X > wa.Right) {
        if (FAdvToolBar->Position() == daRight)
            p.X = leftEdge.X - form->Width();
        else
            p.X -= form->Width() + p.X - wa.Right;
    }

    bool canShow = true;
    if (OnCanShow) OnCanShow(this, p.X, p.Y, canShow);
    if (!canShow) return;
    form->SetLeft(p.X);
    form->SetTop(p.Y);
    if (OnBeforeDisplay) OnBeforeDisplay(this);
    vcl::TModalResult result = form->ShowModal();
    if (result == vcl::mrOk && form->Modified()) {
        UpdateAdvToolBar();
        if (OnAfterPost) OnAfterPost(this);
    } else if (result == TCustomizerForm::mrReset) {
        ResetToolBar();
    }
}

} // namespace AdvToolBar
