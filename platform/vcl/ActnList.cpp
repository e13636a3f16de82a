#include "platform/vcl/ActnList.h"

#include <algorithm>

#include "platform/classes/ClassRegistry.h"
#include "platform/rtl/Exceptions.h"
#include "platform/vcl/ImgList.h"

namespace vcl {

// ---- TBasicActionLink ----

TBasicActionLink::TBasicActionLink(TObject* AClient) {
    AssignClient(AClient);
}

TBasicActionLink::~TBasicActionLink() {
    if (FAction != nullptr) FAction->UnRegisterChanges(this);
}

void TBasicActionLink::SetAction(TBasicAction* Value) {
    if (Value == FAction) return;
    if (FAction != nullptr) FAction->UnRegisterChanges(this);
    if (Value != nullptr) Value->RegisterChanges(this);
}

bool TBasicActionLink::Execute(TComponent* AComponent) {
    TBasicAction* action = FAction;
    if (action == nullptr) return false;
    action->SetActionComponent(AComponent);
    bool result = false;
    try {
        result = action->Execute();
    } catch (...) {
        if (FAction == action) action->SetActionComponent(nullptr);
        throw;
    }
    // The handler may have moved the link to another action (or freed the action, which detaches it).
    if (FAction == action) action->SetActionComponent(nullptr);
    return result;
}

bool TBasicActionLink::Update() {
    return FAction != nullptr && FAction->Update();
}

void TBasicActionLink::Change() {
    if (OnChange) OnChange(FAction);
}

bool TBasicActionLink::IsAutoCheckLinked() {
    return dynamic_cast<TCustomAction*>(FAction) != nullptr;
}
bool TBasicActionLink::IsCaptionLinked() {
    return dynamic_cast<TCustomAction*>(FAction) != nullptr;
}
bool TBasicActionLink::IsCheckedLinked() {
    return dynamic_cast<TCustomAction*>(FAction) != nullptr;
}
bool TBasicActionLink::IsEnabledLinked() {
    return dynamic_cast<TCustomAction*>(FAction) != nullptr;
}
bool TBasicActionLink::IsGroupIndexLinked() {
    return dynamic_cast<TCustomAction*>(FAction) != nullptr;
}
bool TBasicActionLink::IsHelpContextLinked() {
    return dynamic_cast<TCustomAction*>(FAction) != nullptr;
}
bool TBasicActionLink::IsHintLinked() {
    return dynamic_cast<TCustomAction*>(FAction) != nullptr;
}
bool TBasicActionLink::IsImageIndexLinked() {
    return dynamic_cast<TCustomAction*>(FAction) != nullptr;
}
bool TBasicActionLink::IsShortCutLinked() {
    return dynamic_cast<TCustomAction*>(FAction) != nullptr;
}
bool TBasicActionLink::IsVisibleLinked() {
    return dynamic_cast<TCustomAction*>(FAction) != nullptr;
}
bool TBasicActionLink::IsOnExecuteLinked() {
    return true;
}

void TBasicActionLink::SetAutoCheck(bool) {}
void TBasicActionLink::SetCaption(const String&) {}
void TBasicActionLink::SetChecked(bool) {}
void TBasicActionLink::SetEnabled(bool) {}
void TBasicActionLink::SetGroupIndex(int) {}
void TBasicActionLink::SetHelpContext(THelpContext) {}
void TBasicActionLink::SetHint(const String&) {}
void TBasicActionLink::SetImageIndex(TImageIndex) {}
void TBasicActionLink::SetShortCut(TShortCut) {}
void TBasicActionLink::SetVisible(bool) {}
void TBasicActionLink::SetOnExecute(const TNotifyEvent&) {}
void TBasicActionLink::AssignClient(TObject*) {}

// ---- TBasicAction ----

TBasicAction::TBasicAction(TComponent* AOwner) : TComponent(AOwner) {}

TBasicAction::~TBasicAction() {
    // Clients that asked for free notification drop their links first, while the action is whole.
    BeforeDestruction();
    SetActionComponent(nullptr);
    DetachLinks();
}

void TBasicAction::DetachLinks() {
    for (TBasicActionLink* link : FClients)
        link->FAction = nullptr;
    FClients.clear();
}

bool TBasicAction::HandlesTarget(TObject*) {
    return false;
}
void TBasicAction::UpdateTarget(TObject*) {}
void TBasicAction::ExecuteTarget(TObject*) {}

bool TBasicAction::Execute() {
    if (!OnExecute) return false;
    OnExecute(this);
    return true;
}

bool TBasicAction::Update() {
    if (!OnUpdate) return false;
    OnUpdate(this);
    return true;
}

void TBasicAction::SetActionComponent(TComponent* Value) {
    if (Value == FActionComponent) return;
    if (FActionComponent != nullptr) FActionComponent->RemoveFreeNotification(this);
    FActionComponent = Value;
    if (Value != nullptr) Value->FreeNotification(this);
}

void TBasicAction::RegisterChanges(TBasicActionLink* Value) {
    if (Value == nullptr) return;
    if (Value->FAction != nullptr && Value->FAction != this) Value->FAction->UnRegisterChanges(Value);
    Value->FAction = this;
    if (std::find(FClients.begin(), FClients.end(), Value) == FClients.end()) FClients.push_back(Value);
}

void TBasicAction::UnRegisterChanges(TBasicActionLink* Value) {
    auto it = std::find(FClients.begin(), FClients.end(), Value);
    if (it == FClients.end()) return;
    FClients.erase(it);
    Value->FAction = nullptr;
}

void TBasicAction::SetOnExecute(const TNotifyEvent& Value) {
    for (size_t i = 0; i < FClients.size(); ++i)
        FClients[i]->SetOnExecute(Value);
    OnExecute = Value;
    Change();
}

void TBasicAction::Change() {
    if (OnChange) OnChange(this);
    for (size_t i = 0; i < FClients.size(); ++i)
        FClients[i]->Change();
}

void TBasicAction::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FActionComponent) FActionComponent = nullptr;
}

// ---- TContainedAction ----

TContainedAction::TContainedAction(TComponent* AOwner) : TBasicAction(AOwner) {}

TContainedAction::~TContainedAction() {
    BeforeDestruction();
    if (FActionList != nullptr) FActionList->RemoveAction(this);
}

bool TContainedAction::Execute() {
    if (FActionList != nullptr && FActionList->ExecuteAction(this)) return true;
    return TBasicAction::Execute();
}

bool TContainedAction::Update() {
    if (FActionList != nullptr && FActionList->UpdateAction(this)) return true;
    return TBasicAction::Update();
}

void TContainedAction::SetActionList(TCustomActionList* Value) {
    if (Value == FActionList) return;
    if (FActionList != nullptr) FActionList->RemoveAction(this);
    if (Value != nullptr) Value->AddAction(this);
}

void TContainedAction::SetCategory(const String& Value) {
    if (Value == FCategory) return;
    FCategory = Value;
    if (FActionList != nullptr) FActionList->Change();
}

int TContainedAction::Index() const {
    if (FActionList == nullptr) return -1;
    auto& list = FActionList->FActions;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TContainedAction::SetIndex(int Value) {
    int cur = Index();
    if (cur < 0) return;
    auto& list = FActionList->FActions;
    int last = static_cast<int>(list.size()) - 1;
    Value = std::clamp(Value, 0, last);
    if (Value == cur) return;
    list.erase(list.begin() + cur);
    list.insert(list.begin() + Value, this);
}

TComponent* TContainedAction::GetParentComponent() const {
    return FActionList;
}

void TContainedAction::SetParentComponent(TComponent* AParent) {
    if (auto* list = dynamic_cast<TCustomActionList*>(AParent)) SetActionList(list);
}

// ---- TCustomAction ----

TCustomAction::TCustomAction(TComponent* AOwner) : TContainedAction(AOwner) {}

bool TCustomAction::Execute() {
    Update();
    if (FEnabled && FAutoCheck && (!FChecked || FGroupIndex == 0)) SetChecked(!FChecked);
    return FEnabled && TContainedAction::Execute();
}

void TCustomAction::SetAutoCheck(bool Value) {
    if (Value == FAutoCheck) return;
    ForEachLink([&](TBasicActionLink* l) { l->SetAutoCheck(Value); });
    FAutoCheck = Value;
    Change();
}

void TCustomAction::SetCaption(const String& Value) {
    if (Value == FCaption) return;
    ForEachLink([&](TBasicActionLink* l) { l->SetCaption(Value); });
    FCaption = Value;
    Change();
}

void TCustomAction::SetChecked(bool Value) {
    // A link or a group member that sets Checked back while this runs is ignored.
    if (FChecking || Value == FChecked) return;
    FChecking = true;
    try {
        ForEachLink([&](TBasicActionLink* l) { l->SetChecked(Value); });
        FChecked = Value;
        if (FChecked && FGroupIndex > 0) UncheckGroup();
        Change();
    } catch (...) {
        FChecking = false;
        throw;
    }
    FChecking = false;
}

void TCustomAction::UncheckGroup() {
    TCustomActionList* list = ActionList();
    if (list == nullptr) return;
    for (int i = 0; i < list->ActionCount(); ++i) {
        auto* other = dynamic_cast<TCustomAction*>(list->Actions(i));
        if (other != nullptr && other != this && other->FGroupIndex == FGroupIndex) other->SetChecked(false);
    }
}

void TCustomAction::SetEnabled(bool Value) {
    if (Value == FEnabled) return;
    ForEachLink([&](TBasicActionLink* l) { l->SetEnabled(Value); });
    FEnabled = Value;
    Change();
}

void TCustomAction::SetGroupIndex(int Value) {
    if (Value == FGroupIndex) return;
    ForEachLink([&](TBasicActionLink* l) { l->SetGroupIndex(Value); });
    FGroupIndex = Value;
    // A checked action joining a group keeps the group to one checked member.
    if (FChecked && FGroupIndex > 0) UncheckGroup();
    Change();
}

void TCustomAction::SetHelpContext(THelpContext Value) {
    if (Value == FHelpContext) return;
    ForEachLink([&](TBasicActionLink* l) { l->SetHelpContext(Value); });
    FHelpContext = Value;
    Change();
}

void TCustomAction::SetHint(const String& Value) {
    if (Value == FHint) return;
    ForEachLink([&](TBasicActionLink* l) { l->SetHint(Value); });
    FHint = Value;
    Change();
}

void TCustomAction::SetImageIndex(TImageIndex Value) {
    if (Value == FImageIndex) return;
    ForEachLink([&](TBasicActionLink* l) { l->SetImageIndex(Value); });
    FImageIndex = Value;
    Change();
}

void TCustomAction::SetShortCut(TShortCut Value) {
    if (Value == FShortCut) return;
    ForEachLink([&](TBasicActionLink* l) { l->SetShortCut(Value); });
    FShortCut = Value;
    Change();
}

void TCustomAction::SetVisible(bool Value) {
    if (Value == FVisible) return;
    ForEachLink([&](TBasicActionLink* l) { l->SetVisible(Value); });
    FVisible = Value;
    Change();
}

void TCustomAction::AssignTo(TPersistent* Dest) {
    auto* d = dynamic_cast<TCustomAction*>(Dest);
    if (d == nullptr) {
        TContainedAction::AssignTo(Dest);
        return;
    }
    d->SetAutoCheck(FAutoCheck);
    d->SetCaption(FCaption);
    d->SetChecked(FChecked);
    d->SetEnabled(FEnabled);
    d->SetGroupIndex(FGroupIndex);
    d->SetHelpContext(FHelpContext);
    d->SetHint(FHint);
    d->SetImageIndex(FImageIndex);
    d->SetShortCut(FShortCut);
    d->SetVisible(FVisible);
    d->SetOnExecute(OnExecute);
    d->OnUpdate = OnUpdate;
}

// ---- TAction ----

TAction::TAction(TComponent* AOwner) : TCustomAction(AOwner) {}

KV_PUBLISHED(TAction) {
    p.Bool("AutoCheck", &TAction::AutoCheck, &TAction::SetAutoCheck, false);
    p.Str("Caption", &TAction::Caption, &TAction::SetCaption);
    p.Str("Category", &TAction::Category, &TAction::SetCategory);
    p.Bool("Checked", &TAction::Checked, &TAction::SetChecked, false);
    p.Bool("Enabled", &TAction::Enabled, &TAction::SetEnabled, true);
    p.Int("GroupIndex", &TAction::GroupIndex, &TAction::SetGroupIndex, 0);
    p.Int("HelpContext", &TAction::HelpContext, &TAction::SetHelpContext, 0);
    p.Str("Hint", &TAction::Hint, &TAction::SetHint);
    p.Int("ImageIndex", &TAction::ImageIndex, &TAction::SetImageIndex, -1);
    p.Int("ShortCut", &TAction::ShortCut, &TAction::SetShortCut, 0);
    p.Bool("Visible", &TAction::Visible, &TAction::SetVisible, true);
    p.Event("OnExecute", &TAction::OnExecute);
    p.Event("OnUpdate", &TAction::OnUpdate);
}

// ---- TCustomActionList ----

TCustomActionList::TCustomActionList(TComponent* AOwner)
    : TComponent(AOwner), FImageChangeLink(std::make_unique<TChangeLink>()) {
    FImageChangeLink->OnChange = [this](TObject* Sender) { ImageListChange(Sender); };
}

TCustomActionList::~TCustomActionList() {
    BeforeDestruction();
    SetImages(nullptr);
    while (!FActions.empty()) {
        TContainedAction* action = FActions.back();
        FreeComponent(action);
        // FreeComponent takes it out of the list; make sure of it before the next round.
        auto it = std::find(FActions.begin(), FActions.end(), action);
        if (it != FActions.end()) FActions.erase(it);
    }
}

TContainedAction* TCustomActionList::Actions(int Index) const {
    if (Index < 0 || Index >= ActionCount())
        throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
    return FActions[static_cast<size_t>(Index)];
}

void TCustomActionList::SetImages(TCustomImageList* Value) {
    if (Value == FImages) return;
    if (FImages != nullptr) {
        FImages->UnRegisterChanges(FImageChangeLink.get());
        FImages->RemoveFreeNotification(this);
    }
    FImages = Value;
    if (Value != nullptr) {
        Value->RegisterChanges(FImageChangeLink.get());
        Value->FreeNotification(this);
    }
}

void TCustomActionList::ImageListChange(TObject* Sender) {
    if (Sender == FImages) Change();
}

bool TCustomActionList::ExecuteAction(TBasicAction* Action) {
    bool handled = false;
    if (OnExecute) OnExecute(Action, handled);
    return handled;
}

bool TCustomActionList::UpdateAction(TBasicAction* Action) {
    bool handled = false;
    if (OnUpdate) OnUpdate(Action, handled);
    return handled;
}

void TCustomActionList::AddAction(TContainedAction* Action) {
    if (Action == nullptr || Action->FActionList == this) return;
    if (Action->FActionList != nullptr) Action->FActionList->RemoveAction(Action);
    FActions.push_back(Action);
    Action->FActionList = this;
    Action->FreeNotification(this);
    Change();
}

void TCustomActionList::RemoveAction(TContainedAction* Action) {
    auto it = std::find(FActions.begin(), FActions.end(), Action);
    if (it == FActions.end()) return;
    FActions.erase(it);
    Action->FActionList = nullptr;
    Action->RemoveFreeNotification(this);
    Change();
}

void TCustomActionList::Change() {
    if (ComponentState().Contains(csDestroying)) return;
    if (OnChange) OnChange(this);
}

void TCustomActionList::GetChildren(const TGetChildProc& Proc, TComponent* Root) {
    for (TContainedAction* action : FActions)
        if (action->Owner() == Root) Proc(action);
}

void TCustomActionList::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation != opRemove || AComponent == nullptr) return;
    if (AComponent == FImages)
        SetImages(nullptr);
    else if (auto* action = dynamic_cast<TContainedAction*>(AComponent))
        RemoveAction(action);
}

// ---- TActionList ----

KV_PUBLISHED(TActionList) {
    p.Ref("Images", &TActionList::Images, &TActionList::SetImages);
    p.Event("OnChange", &TActionList::OnChange);
    p.Event("OnExecute", &TActionList::OnExecute);
    p.Event("OnUpdate", &TActionList::OnUpdate);
}

KV_REGISTER_CLASS(TAction)
KV_REGISTER_CLASS(TActionList)

void RegisterActnListClasses() {
    RegisterClasses({ClassEntry<TAction>(), ClassEntry<TActionList>()});
}

} // namespace vcl
