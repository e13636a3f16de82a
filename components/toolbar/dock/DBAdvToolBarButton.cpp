#include "components/toolbar/dock/DBAdvToolBarButton.h"

#include "platform/classes/ClassRegistry.h"
#include "platform/rtl/Resources.h"
#include "platform/vcl/ControlMessages.h"

namespace AdvToolBar {

using namespace vcl;

// ---- The button

KV_PUBLISHED(TDBAdvToolBarButton) {
    using B = TDBAdvToolBarButton;
    p.Object("Appearance", &B::Appearance);
    p.Enum("GlyphPosition", &B::GlyphPosition, &B::SetGlyphPosition, gpLeft);
    p.Str("Caption", &B::Caption, &B::SetCaption);
    p.Object("Glyph", &B::Glyph);
    p.Object("GlyphHot", &B::GlyphHot);
    p.Object("GlyphDown", &B::GlyphDown);
    p.Object("GlyphDisabled", &B::GlyphDisabled);
    p.Int("ImageIndex", &B::ImageIndex, &B::SetImageIndex, -1);
    p.Object("Picture", &B::Picture);
    p.Object("PictureDisabled", &B::PictureDisabled);
    p.Bool("ParentStyler", &B::ParentStyler, &B::SetParentStyler, true);
    p.Bool("Shaded", &B::Shaded, &B::SetShaded, true);
    p.Bool("ShowCaption", &B::ShowCaption, &B::SetShowCaption, false);
    p.Object("OfficeHint", &B::OfficeHint);
    p.Str("Version", &B::Version, &B::SetVersion);
    p.Event("OnMouseEnter", &B::OnMouseEnter);
    p.Event("OnMouseLeave", &B::OnMouseLeave);
    p.Bool("AutoDisable", &B::FAutoDisable, nullptr, true);
    p.Bool("ConfirmAction", &B::FConfirmAction, nullptr, false);
    p.Str("ConfirmActionString", &B::FConfirmActionString, &B::SetConfirmActionString);
    p.Ref("DataSource", &B::DataSource, &B::SetDataSource);
    p.Enum("DBButtonType", &B::FDBButtonType, &B::SetDBButtonType, dbtCustom);
    p.Set("DisableControl", &B::FDisableControl, &B::SetDisableControl, TDBBDisableControls{});
    p.Event("OnBeforeAction", &B::OnBeforeAction);
    p.Event("OnAfterAction", &B::OnAfterAction);
    p.Event("OnGetConfirm", &B::OnGetConfirm);
    p.Event("OnGetEnabled", &B::OnGetEnabled);
    p.Event("OnEnabledChanged", &B::OnEnabledChanged);
}

KV_REGISTER_CLASS(TDBAdvToolBarButton)

TDBAdvToolBarButton::TDBAdvToolBarButton(TComponent* AOwner)
    : TAdvCustomToolBarButton(AOwner), FDataLink(std::make_unique<TDBATBButtonDataLink>()) {
    auto changed = [this](TObject*) { UpdateEnabled(); };
    FDataLink->OnEditingChange = changed;
    FDataLink->OnDataSetChange = changed;
    FDataLink->OnActiveChange = changed;
}

TDBAdvToolBarButton::~TDBAdvToolBarButton() {
    BeforeDestruction();
    FDataLink.reset();
}

void TDBAdvToolBarButton::SetDataSource(TDataSource* Value) {
    if (TDataSource* old = FDataLink->DataSource()) old->RemoveFreeNotification(this);
    FDataLink->SetDataSource(Value);
    if (Value != nullptr) Value->FreeNotification(this);
    if (!ComponentState().Contains(csLoading)) UpdateEnabled();
}

void TDBAdvToolBarButton::SetConfirmActionString(const String& Value) {
    if (FConfirmActionString != Value) FConfirmActionString = Value;
}

void TDBAdvToolBarButton::SetDBButtonType(TDBButtonType Value) {
    if (FDBButtonType == Value) return;
    if (Value == dbtDelete && FConfirmActionString.empty()) FConfirmActionString = "Delete record?";
    FDBButtonType = Value;
    const TComponentState s = ComponentState();
    if (!s.Contains(csReading) && !s.Contains(csLoading)) LoadGlyph();
    CalcDisableReasons();
}

void TDBAdvToolBarButton::CalcDisableReasons() {
    if (FDBButtonType != dbtCustom) FDisableControl = AdvGlowButton::DisableReasonsOfCommand(FDBButtonType);
}

void TDBAdvToolBarButton::LoadGlyph() {
    if (ComponentState().Contains(csLoading)) return;
    // Insert and append share one picture.
    static const char* const names[] = {"",          "DBBTNFIRST",  "DBBTNPRIOR",  "DBBTNNEXT",
                                        "DBBTNLAST", "DBBTNINSERT", "DBBTNINSERT", "DBBTNDELETE",
                                        "DBBTNEDIT", "DBBTNPOST",   "DBBTNCANCEL", "DBBTNREFRESH"};
    if (FDBButtonType == dbtCustom) return;
    const String name = names[FDBButtonType];
    // A program built without the glyphs shows the button without them.
    if (!ResourceExists(name, TResType(RT_BITMAP))) return;
    TBitmap disabled;
    if (ResourceExists(name + "D", TResType(RT_BITMAP))) disabled.LoadFromResourceName(nullptr, name + "D");
    GlyphDisabled()->Assign(&disabled);
    TBitmap glyph;
    glyph.LoadFromResourceName(nullptr, name);
    Glyph()->Assign(&glyph);
}

void TDBAdvToolBarButton::Loaded() {
    TAdvCustomToolBarButton::Loaded();
    if (Glyph()->Empty()) LoadGlyph();
    UpdateEnabled();
}

void TDBAdvToolBarButton::Notification(TComponent* AComponent, TOperation Operation) {
    TAdvCustomToolBarButton::Notification(AComponent, Operation);
    if (Operation == opRemove && FDataLink && AComponent == DataSource()) SetDataSource(nullptr);
}

void TDBAdvToolBarButton::WndProc(TMessage& Message) {
    TAdvCustomToolBarButton::WndProc(Message);
    if (Message.Msg != CM_ENABLEDCHANGED) return;
    const TComponentState s = ComponentState();
    if (!FUpdating && !s.Contains(csLoading) && !s.Contains(csDestroying)) UpdateEnabled();
}

void TDBAdvToolBarButton::Click() {
    TAdvCustomToolBarButton::Click();
    DoAction();
}

void TDBAdvToolBarButton::DoBeforeAction(bool& DoIt) {
    if (!ComponentState().Contains(csDesigning) && OnBeforeAction) OnBeforeAction(this, DoIt);
}

void TDBAdvToolBarButton::DoGetQuestion(String& Question, TMsgDlgButtons& Buttons, int& HelpCtx) {
    Question.clear();
    if (!FConfirmAction) return;
    Question = FConfirmActionString;
    Buttons = TMsgDlgButtons{mbOK, mbCancel};
    HelpCtx = 0;
    if (OnGetConfirm) OnGetConfirm(this, Question, Buttons, HelpCtx);
}

bool TDBAdvToolBarButton::DoConfirmAction() {
    String question;
    TMsgDlgButtons buttons{mbOK, mbCancel};
    int helpCtx = 0;
    DoGetQuestion(question, buttons, helpCtx);
    if (question.empty()) return true;
    const int answer = MessageDlg(question, mtConfirmation, buttons, helpCtx);
    return answer == mrOk || answer == mrYes;
}

void TDBAdvToolBarButton::DoAction() {
    if (!DoConfirmAction()) return;
    bool doIt = FDBButtonType != dbtCustom;
    try {
        DoBeforeAction(doIt);
        TDataSource* source = DataSource();
        if (doIt && source != nullptr && source->State() != dsInactive && source->DataSet() != nullptr)
            AdvGlowButton::RunDataSetCommand(source->DataSet(), FDBButtonType);
    } catch (...) {
        // The handler may clear the error: then it goes no further.
        bool error = true;
        if (OnAfterAction) OnAfterAction(this, error);
        if (error) throw;
        return;
    }
    if (!doIt) return;
    bool error = false;
    if (OnAfterAction) OnAfterAction(this, error);
}

void TDBAdvToolBarButton::UpdateEnabled() {
    const TComponentState s = ComponentState();
    if (!FDataLink || s.Contains(csDesigning) || s.Contains(csDestroying) || !FAutoDisable) return;
    FUpdating = true;
    struct Clear {
        bool& Flag;
        ~Clear() { Flag = false; }
    } clear{FUpdating};
    const bool old = Enabled();
    if (FDataLink->Active()) {
        bool enable = AdvGlowButton::DataSetAllows(FDataLink.get(), FDisableControl);
        if (FDisableControl.Contains(drEvent) && OnGetEnabled) OnGetEnabled(this, enable);
        SetEnabled(enable);
    } else {
        SetEnabled(false);
    }
    if (Enabled() != old && OnEnabledChanged) OnEnabledChanged(this);
}

} // namespace AdvToolBar
