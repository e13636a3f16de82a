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

// ---- The data-set side of every data-aware button

TDBBDisableControls DisableReasonsOfCommand(int Command) {
    switch (Command) {
    case dbFirst:
    case dbPrior:
        return {drBOF, drEditing, drEmpty};
    case dbNext:
    case dbLast:
        return {drEOF, drEditing, drEmpty};
    case dbInsert:
    case dbAppend:
        return {drReadonly, drEditing};
    case dbDelete:
    case dbEdit:
        return {drReadonly, drEditing, drEmpty};
    case dbPost:
    case dbCancel:
        return {drNotEditing};
    case dbRefresh:
        return {drEditing};
    default:
        return {};
    }
}

bool DataSetAllows(TDataLink* Link, TDBBDisableControls Conditions) {
    TDataSet* ds = Link->DataSet();
    TDBBDisableControls reasons;
    if (ds->Bof()) reasons.Include(drBOF);
    if (ds->Eof()) reasons.Include(drEOF);
    if (!ds->CanModify()) reasons.Include(drReadonly);
    if (ds->Bof() && ds->Eof()) reasons.Include(drEmpty);
    reasons.Include(Link->Editing() ? drEditing : drNotEditing);
    Conditions.Exclude(drEvent);
    return (Conditions * reasons).Empty();
}

void RunDataSetCommand(TDataSet* DataSet, int Command) {
    switch (Command) {
    case dbFirst:
        DataSet->First();
        break;
    case dbPrior:
        DataSet->Prior();
        break;
    case dbNext:
        DataSet->Next();
        break;
    case dbLast:
        DataSet->Last();
        break;
    case dbInsert:
        DataSet->Insert();
        break;
    case dbAppend:
        DataSet->Append();
        break;
    case dbDelete:
        DataSet->Delete();
        break;
    case dbEdit:
        DataSet->Edit();
        break;
    case dbPost:
        DataSet->Post();
        break;
    case dbCancel:
        DataSet->Cancel();
        break;
    case dbRefresh:
        DataSet->Refresh();
        break;
    default:
        break;
    }
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
    if (FDBButtonType != dbCustom) FDisableControl = DisableReasonsOfCommand(FDBButtonType);
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
        RunDataSetCommand(ds, FDBButtonType);
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
        bool enabled = DataSetAllows(FDataLink.get(), FDisableControl);
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
