#pragma once
// TDBAdvGlowButton: a glow button bound to a dataset through a data source. A click runs one dataset
// operation (first, prior, next, last, insert, append, delete, edit, post, cancel, refresh), after a
// confirmation when asked for; the button disables itself from the dataset's state and shows a
// built-in 16 x 16 glyph for its operation.

#include <memory>

#include "components/foundation/AdvGlowButton.h"
#include "platform/vcl/DB.h"
#include "platform/vcl/Dialogs.h"

namespace AdvGlowButton {

// The data link: its three notifications go to the button.
class TDBGlowButtonDataLink : public vcl::TDataLink {
    KV_CLASS(TDBGlowButtonDataLink, vcl::TDataLink)
public:
    vcl::TNotifyEvent OnActiveChange;
    vcl::TNotifyEvent OnDataSetChange;
    vcl::TNotifyEvent OnEditingChange;

protected:
    void ActiveChanged() override;
    void DataSetChanged() override;
    void EditingChanged() override;
};

KV_ENUM(TDBGlowButtonType, dbCustom, dbFirst, dbPrior, dbNext, dbLast, dbInsert, dbAppend, dbDelete, dbEdit,
        dbPost, dbCancel, dbRefresh);
KV_ENUM(TDBBDisableControl, drBOF, drEOF, drReadonly, drNotEditing, drEditing, drEmpty, drEvent);
using TDBBDisableControls = vcl::TSet<TDBBDisableControl>;

// The data-set side every data-aware button shares. Commands are numbered as the buttons' command types:
// 0 custom, then first, prior, next, last, insert, append, delete, edit, post, cancel, refresh.
// The reasons a command is disabled for (none for custom).
TDBBDisableControls DisableReasonsOfCommand(int Command);
// Whether the state of Link's active data set leaves a button with the disable Conditions enabled
// (drEvent, the handler's say, is left to the caller).
bool DataSetAllows(vcl::TDataLink* Link, TDBBDisableControls Conditions);
// Runs the command on the data set.
void RunDataSetCommand(vcl::TDataSet* DataSet, int Command);

using TAfterActionEvent = std::function<void(vcl::TObject* Sender, bool& ShowException)>;
using TBeforeActionEvent = std::function<void(vcl::TObject* Sender, bool& DoAction)>;
using TGetConfirmEvent = std::function<void(vcl::TObject* Sender, vcl::String& Question,
                                            vcl::TMsgDlgButtons& Buttons, int& HelpCtx)>;
using TGetEnabledEvent = std::function<void(vcl::TObject* Sender, bool& Enabled)>;

class TDBAdvGlowButton : public TAdvCustomGlowButton {
    KV_CLASS(TDBAdvGlowButton, TAdvCustomGlowButton)
    KV_PUBLISHED_PROPERTIES(TDBAdvGlowButton)
public:
    explicit TDBAdvGlowButton(vcl::TComponent* AOwner);
    ~TDBAdvGlowButton() override;

    vcl::TDataSource* DataSource() const { return FDataLink ? FDataLink->DataSource() : nullptr; }
    void SetDataSource(vcl::TDataSource* Value);
    TDBGlowButtonType DBButtonType() const { return FDBButtonType; }
    void SetDBButtonType(TDBGlowButtonType Value);
    TDBBDisableControls DisableControl() const { return FDisableControl; }
    void SetDisableControl(TDBBDisableControls Value) { FDisableControl = Value; }
    bool AutoDisable() const { return FAutoDisable; }
    void SetAutoDisable(bool Value) { FAutoDisable = Value; }
    bool ConfirmAction() const { return FConfirmAction; }
    void SetConfirmAction(bool Value) { FConfirmAction = Value; }
    const vcl::String& ConfirmActionString() const { return FConfirmActionString; }
    void SetConfirmActionString(const vcl::String& Value);

    // The base click (modal result, OnClick or the action), then the dataset operation.
    void Click() override;

    TAfterActionEvent OnAfterAction;
    TBeforeActionEvent OnBeforeAction;
    TGetConfirmEvent OnGetConfirm;
    TGetEnabledEvent OnGetEnabled;
    vcl::TNotifyEvent OnEnabledChanged;

    // Writes the disable reasons of the operation.
    void CalcDisableReasons();
    // Enabled from the dataset's state (while AutoDisable is on).
    virtual void UpdateEnabled();
    // The operation's built-in glyph, in the look of Enabled.
    virtual void LoadGlyph();

protected:
    virtual void DoBeforeAction(bool& DoAction);
    virtual void DoGetQuestion(vcl::String& Question, vcl::TMsgDlgButtons& Buttons, int& HelpCtx);
    virtual bool DoConfirmAction();
    virtual void DoAction();
    void Loaded() override;
    void Notification(vcl::TComponent* AComponent, vcl::TOperation Operation) override;
    void WndProc(vcl::TMessage& Message) override;

private:
    bool Busy() const;
    std::unique_ptr<TDBGlowButtonDataLink> FDataLink;
    bool FAutoDisable = true;
    TDBBDisableControls FDisableControl;
    TDBGlowButtonType FDBButtonType = dbCustom;
    bool FConfirmAction = false;
    vcl::String FConfirmActionString;
    bool FBusy = false;
};

} // namespace AdvGlowButton
