#pragma once
// TDBAdvToolBarButton: a toolbar button bound to a data source that runs one command on the data set
// (first, prior, next, last, insert, append, delete, edit, post, cancel, refresh), after a confirmation
// when asked for. It shows a stock 13 x 13 glyph for its command and enables itself from the data set's
// state.

#include <memory>

#include "components/foundation/DBAdvGlowButton.h"
#include "components/toolbar/dock/ToolBarButton.h"
#include "platform/vcl/DB.h"
#include "platform/vcl/Dialogs.h"

namespace AdvToolBar {

// The glow button's data link serves: its three notifications go to the button.
using TDBATBButtonDataLink = AdvGlowButton::TDBGlowButtonDataLink;

KV_ENUM(TDBButtonType, dbtCustom, dbtFirst, dbtPrior, dbtNext, dbtLast, dbtInsert, dbtAppend, dbtDelete,
        dbtEdit, dbtPost, dbtCancel, dbtRefresh);
// The disable reasons are the data-aware glow button's.
using AdvGlowButton::TDBBDisableControl;
using enum AdvGlowButton::TDBBDisableControl;
using AdvGlowButton::TDBBDisableControls;

using TAfterActionEvent = std::function<void(vcl::TObject* Sender, bool& Error)>;
using TBeforeActionEvent = std::function<void(vcl::TObject* Sender, bool& DoIt)>;
using TGetConfirmEvent = std::function<void(vcl::TObject* Sender, vcl::String& Question,
                                            vcl::TMsgDlgButtons& Buttons, int& HelpCtx)>;
using TGetEnabledEvent = std::function<void(vcl::TObject* Sender, bool& Enabled)>;

class TDBAdvToolBarButton : public TAdvCustomToolBarButton {
    KV_CLASS(TDBAdvToolBarButton, TAdvCustomToolBarButton)
    KV_PUBLISHED_PROPERTIES(TDBAdvToolBarButton)
public:
    explicit TDBAdvToolBarButton(vcl::TComponent* AOwner);
    ~TDBAdvToolBarButton() override;

    vcl::TDataSource* DataSource() const { return FDataLink ? FDataLink->DataSource() : nullptr; }
    void SetDataSource(vcl::TDataSource* Value);
    TDBButtonType DBButtonType() const { return FDBButtonType; }
    // Also chooses the disable reasons and the glyph of the command.
    void SetDBButtonType(TDBButtonType Value);
    TDBBDisableControls DisableControl() const { return FDisableControl; }
    void SetDisableControl(TDBBDisableControls Value) { FDisableControl = Value; }
    bool AutoDisable() const { return FAutoDisable; }
    void SetAutoDisable(bool Value) { FAutoDisable = Value; }
    bool ConfirmAction() const { return FConfirmAction; }
    void SetConfirmAction(bool Value) { FConfirmAction = Value; }
    const vcl::String& ConfirmActionString() const { return FConfirmActionString; }
    void SetConfirmActionString(const vcl::String& Value);

    // The button's click, then the command.
    void Click() override;

    TAfterActionEvent OnAfterAction;
    TBeforeActionEvent OnBeforeAction;
    TGetConfirmEvent OnGetConfirm;
    TGetEnabledEvent OnGetEnabled;
    vcl::TNotifyEvent OnEnabledChanged;

protected:
    void Loaded() override;
    void Notification(vcl::TComponent* AComponent, vcl::TOperation Operation) override;
    void WndProc(vcl::TMessage& Message) override;
    virtual void DoBeforeAction(bool& DoIt);
    virtual void DoGetQuestion(vcl::String& Question, vcl::TMsgDlgButtons& Buttons, int& HelpCtx);
    virtual bool DoConfirmAction();
    virtual void DoAction();
    virtual void UpdateEnabled();
    virtual void LoadGlyph();

private:
    void CalcDisableReasons();

    std::unique_ptr<TDBATBButtonDataLink> FDataLink;
    bool FAutoDisable = true;
    TDBBDisableControls FDisableControl;
    TDBButtonType FDBButtonType = dbtCustom;
    bool FConfirmAction = false;
    vcl::String FConfirmActionString;
    bool FUpdating = false;
};

} // namespace AdvToolBar
