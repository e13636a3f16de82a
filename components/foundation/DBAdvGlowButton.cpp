#include "components/foundation/DBAdvGlowButton.h"

#include "platform/classes/ClassRegistry.h"
#include "platform/rtl/Resources.h"
#include "platform/vcl/Bitmap.h"

namespace AdvGlowButton {

using namespace vcl;

// ---- The data link

void TDBGlowButtonDataLink::ActiveChanged() {
    if (OnActiveChange) OnActiveChange(this);
}

void TDBGlowButtonDataLink::DataSetChanged() {
    if (OnDataSetChange) OnDataSetChange(this);
}

void TDBGlowButtonDataLink::EditingChanged() {
    if (OnEditingChange) OnEditingChange(this);
}

// ---- The button

KV_PUBLISHED(TDBAdvGlowButton) {
    using B = TDBAdvGlowButton;
    p.Object("Appearance", &B::Appearance);
    p.Enum("Layout", &B::Layout, &B::SetLayout, blGlyphLeft);
    p.Bool("AutoDisable", &B::FAutoDisable, nullptr, true);
    p.Bool("ConfirmAction", &B::FConfirmAction, nullptr, false);
    p.Str("ConfirmActionString", &B::FConfirmActionString, &B::SetConfirmActionString);
    p.Ref("DataSource", &B::DataSource, &B::SetDataSource);
    p.Enum("DBButtonType", &B::FDBButtonType, &B::SetDBButtonType, dbCustom);
    p.Set("DisableControl", &B::FDisableControl, &B::SetDisableControl, TDBBDisableControls{});
    p.Event("OnBeforeAction", &B::OnBeforeAction);
    p.Event("OnAfterAction", &B::OnAfterAction);
    p.Event("OnGetConfirm", &B::OnGetConfirm);
    p.Event("OnGetEnabled", &B::OnGetEnabled);
    p.Event("OnEnabledChanged", &B::OnEnabledChanged);
}

KV_REGISTER_CLASS(TDBAdvGlowButton)

TDBAdvGlowButton::TDBAdvGlowButton(TComponent* AOwner)
    : TAdvCustomGlowButton(AOwner), FDataLink(std::make_unique<TDBGlowButtonDataLink>()) {
    auto changed = [this](TObject*) { UpdateEnabled(); };
    FDataLink->OnActiveChange = changed;
    FDataLink->OnDataSetChange = changed;
    FDataLink->OnEditingChange = changed;
}

TDBAdvGlowButton::~TDBAdvGlowButton() {
    FDataLink.reset();
    FreeInternalGlyphList();
}

bool TDBAdvGlowButton::Busy() const {
    const TComponentState s = ComponentState();
    return s.Contains(csLoading) || s.Contains(csReading) || s.Contains(csDestroying);
}

void TDBAdvGlowButton::SetDataSource(TDataSource* Value) {
    if (TDataSource* old = FDataLink->DataSource()) old->RemoveFreeNotification(this);
    FDataLink->SetDataSource(Value);
    if (Value) Value->FreeNotification(this);
    if (!ComponentState().Contains(csLoading)) UpdateEnabled();
}

void TDBAdvGlowButton::SetConfirmActionString(const String& Value) {
    if (FConfirmActionString != Value) FConfirmActionString = Value;
}

void TDBAdvGlowButton::SetDBButtonType(TDBGlowButtonType Value) {
    if (FDBButtonType == Value) return;
    if (Value == dbDelete && FConfirmActionString.empty()) FConfirmActionString = "Delete record?";
    FDBButtonType = Value;
    if (!Busy()) LoadGlyph();
    CalcDisableReasons();
}

void TDBAdvGlowButton::CalcDisableReasons() {
    switch (FDBButtonType) {
    case dbCustom:
        break;
    case dbFirst:
    case dbPrior:
        FDisableControl = {drBOF, drEditing, drEmpty};
        break;
    case dbNext:
    case dbLast:
        FDisableControl = {drEOF, drEditing, drEmpty};
        break;
    case dbInsert:
    case dbAppend:
        FDisableControl = {drReadonly, drEditing};
        break;
    case dbDelete:
    case dbEdit:
        FDisableControl = {drReadonly, drEditing, drEmpty};
        break;
    case dbPost:
    case dbCancel:
        FDisableControl = {drNotEditing};
        break;
    case dbRefresh:
        FDisableControl = {drEditing};
        break;
    }
}

void TDBAdvGlowButton::Click() {
    TAdvCustomGlowButton::Click();
    DoAction();
}

void TDBAdvGlowButton::DoBeforeAction(bool& DoIt) {
    if (!ComponentState().Contains(csDesigning) && OnBeforeAction) OnBeforeAction(this, DoIt);
}

void TDBAdvGlowButton::DoGetQuestion(String& Question, TMsgDlgButtons& Buttons, int& HelpCtx) {
    Question.clear();
    if (!FConfirmAction) return;
    Question = FConfirmActionString;
    Buttons = mbOKCancel;
    HelpCtx = 0;
    if (OnGetConfirm) OnGetConfirm(this, Question, Buttons, HelpCtx);
}

bool TDBAdvGlowButton::DoConfirmAction() {
    String question;
    TMsgDlgButtons buttons = mbOKCancel;
    int helpCtx = 0;
    DoGetQuestion(question, buttons, helpCtx);
    if (question.empty()) return true;
    const int answer = MessageDlg(question, mtConfirmation, buttons, helpCtx);
    return answer == mrOk || answer == mrYes;
}

void TDBAdvGlowButton::DoAction() {
    if (!DoConfirmAction()) return;
    bool doIt = FDBButtonType != dbCustom;
    DoBeforeAction(doIt);
    TDataSource* source = DataSource();
    if (!doIt || !source || source->State() == dsInactive || !source->DataSet()) return;
    TDataSet* ds = source->DataSet();
    try {
        switch (FDBButtonType) {
        case dbCustom:
            break;
        case dbFirst:
            ds->First();
            break;
        case dbPrior:
            ds->Prior();
            break;
        case dbNext:
            ds->Next();
            break;
        case dbLast:
            ds->Last();
            break;
        case dbInsert:
            ds->Insert();
            break;
        case dbAppend:
            ds->Append();
            break;
        case dbDelete:
            ds->Delete();
            break;
        case dbEdit:
            ds->Edit();
            break;
        case dbPost:
            ds->Post();
            break;
        case dbCancel:
            ds->Cancel();
            break;
        case dbRefresh:
            ds->Refresh();
            break;
        }
    } catch (...) {
        // The handler decides whether the error goes on to the error box.
        bool showException = true;
        if (OnAfterAction) OnAfterAction(this, showException);
        if (showException) throw;
        return;
    }
    bool showException = false;
    if (OnAfterAction) OnAfterAction(this, showException);
}

void TDBAdvGlowButton::UpdateEnabled() {
    if (!FDataLink || ComponentState().Contains(csDesigning) || ComponentState().Contains(csDestroying) ||
        !FAutoDisable)
        return;
    FBusy = true;
    struct Clear {
        bool& b;
        ~Clear() { b = false; }
    } clear{FBusy};
    const bool old = Enabled();
    if (FDataLink->Active()) {
        TDataSet* ds = FDataLink->DataSet();
        TDBBDisableControls reasons;
        if (ds->Bof()) reasons.Include(drBOF);
        if (ds->Eof()) reasons.Include(drEOF);
        if (!ds->CanModify()) reasons.Include(drReadonly);
        if (ds->Bof() && ds->Eof()) reasons.Include(drEmpty);
        reasons.Include(FDataLink->Editing() ? drEditing : drNotEditing);
        TDBBDisableControls conditions = FDisableControl;
        conditions.Exclude(drEvent);
        bool enabled = (conditions * reasons).Empty();
        if (FDisableControl.Contains(drEvent) && OnGetEnabled) OnGetEnabled(this, enabled);
        SetEnabled(enabled);
    } else {
        SetEnabled(false);
    }
    if (Enabled() != old && OnEnabledChanged) OnEnabledChanged(this);
    FBusy = false;
    LoadGlyph();
}

void TDBAdvGlowButton::LoadGlyph() {
    if (ComponentState().Contains(csLoading) || Images() || (!Enabled() && DisabledImages()) ||
        FDBButtonType == dbCustom)
        return;
    static const char* const names[] = {"",          "DBIMGFIRST",  "DBIMGPRIOR",  "DBIMGNEXT",
                                        "DBIMGLAST", "DBIMGINSERT", "DBIMGINSERT", "DBIMGDELETE",
                                        "DBIMGEDIT", "DBIMGPOST",   "DBIMGCANCEL", "DBIMGREFRESH"};
    TImageList* list = InternalGlyphList();
    list->Clear();
    TBitmap bmp(16, 16);
    String name = names[FDBButtonType];
    if (!Enabled()) name += "D";
    // A program built without the glyphs shows the button without one.
    if (!ResourceExists(name, TResType(RT_BITMAP))) return;
    bmp.LoadFromResourceName(nullptr, name);
    list->SetDrawingStyle(dsTransparent);
    list->SetMasked(true);
    list->AddMasked(&bmp, static_cast<TColor>(0xFF00FF));
    SetImageIndexDirect(0);
    Invalidate();
}

void TDBAdvGlowButton::Loaded() {
    TAdvCustomGlowButton::Loaded();
    LoadGlyph();
    UpdateEnabled();
}

void TDBAdvGlowButton::Notification(TComponent* AComponent, TOperation Operation) {
    TAdvCustomGlowButton::Notification(AComponent, Operation);
    if (Operation == opRemove && FDataLink && AComponent == FDataLink->DataSource()) SetDataSource(nullptr);
}

void TDBAdvGlowButton::WndProc(TMessage& Message) {
    TAdvCustomGlowButton::WndProc(Message);
    if (Message.Msg == CM_ENABLEDCHANGED && !FBusy && !Busy()) UpdateEnabled();
}

} // namespace AdvGlowButton
