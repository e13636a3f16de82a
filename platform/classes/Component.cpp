#include "platform/classes/Component.h"

#include <algorithm>

#include "platform/classes/LayoutReader.h"
#include "platform/classes/Properties.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/SysUtils.h"

namespace vcl {

namespace {

void EraseOne(std::vector<TComponent*>& list, TComponent* c) {
    auto it = std::find(list.begin(), list.end(), c);
    if (it != list.end()) list.erase(it);
}

} // namespace

bool IsValidIdent(const String& Ident) {
    if (Ident.empty()) return false;
    auto alpha = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; };
    if (!alpha(Ident[0])) return false;
    for (char c : Ident)
        if (!alpha(c) && !(c >= '0' && c <= '9')) return false;
    return true;
}

TComponent::TComponent(TComponent* AOwner) {
    if (AOwner != nullptr) AOwner->InsertComponent(this);
}

TComponent::~TComponent() {
    BeforeDestruction();
}

void TComponent::BeforeDestruction() {
    if (FDestroyed) return;
    FDestroyed = true;
    Destroying();
    RemoveFreeNotifications();
    DestroyComponents();
    if (FOwner != nullptr) FOwner->RemoveComponent(this);
}

void FreeComponent(TComponent* AComponent) {
    if (AComponent == nullptr) return;
    AComponent->BeforeDestruction();
    delete AComponent;
}

void TComponent::Destroying() {
    if (FComponentState.Contains(csDestroying)) return;
    FComponentState.Include(csDestroying);
    for (TComponent* c : FComponents)
        c->Destroying();
}

void TComponent::DestroyComponents() {
    while (!FComponents.empty()) {
        TComponent* instance = FComponents.back();
        // Each one leaves through RemoveComponent, so that its siblings drop their references to it
        // even while the whole owner goes away.
        instance->BeforeDestruction();
        if (std::find(FComponents.begin(), FComponents.end(), instance) != FComponents.end())
            Remove(instance); // an override that kept it listed: take it out before it goes
        delete instance;
    }
}

void TComponent::RemoveFreeNotifications() {
    while (!FFreeNotifies.empty()) {
        TComponent* other = FFreeNotifies.back();
        FFreeNotifies.pop_back();
        EraseOne(other->FFreeNotifies, this);
        other->Notification(this, opRemove);
    }
}

TComponent* TComponent::Components(int Index) const {
    if (Index < 0 || Index >= ComponentCount())
        throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
    return FComponents[Index];
}

int TComponent::ComponentIndex() const {
    if (FOwner == nullptr) return -1;
    auto& list = FOwner->FComponents;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TComponent::SetComponentIndex(int Value) {
    if (FOwner == nullptr) return;
    int cur = ComponentIndex();
    auto& list = FOwner->FComponents;
    int count = static_cast<int>(list.size());
    if (Value < 0) Value = 0;
    if (Value >= count) Value = count - 1;
    if (cur < 0 || Value == cur) return;
    list.erase(list.begin() + cur);
    list.insert(list.begin() + Value, this);
}

void TComponent::SetName(const String& NewName) {
    if (FName == NewName) return;
    if (!NewName.empty() && !IsValidIdent(NewName))
        throw EComponentError("'" + NewName + "' is not a valid component name");
    if (FOwner != nullptr)
        FOwner->ValidateRename(this, FName, NewName);
    else
        ValidateRename(nullptr, FName, NewName);
    SetReference(false);
    FName = NewName;
    SetReference(true);
}

void TComponent::ValidateRename(TComponent* AComponent, const String& CurName, const String& NewName) {
    // Also checked when a named component is inserted, so that no owner ever holds two of one name.
    if (AComponent != nullptr && !SameText(CurName, NewName) && !NewName.empty()) {
        TComponent* other = FindComponent(NewName);
        if (other != nullptr && other != AComponent)
            throw EComponentError("A component named " + NewName + " already exists");
    }
}

void TComponent::ValidateContainer(TComponent* AComponent) {
    AComponent->ValidateInsert(this);
}

TComponent* TComponent::FindComponent(const String& AName) const {
    if (AName.empty()) return nullptr;
    for (TComponent* c : FComponents)
        if (SameText(c->FName, AName)) return c;
    return nullptr;
}

void TComponent::InsertComponent(TComponent* AComponent) {
    if (AComponent == nullptr) return;
    if (AComponent->FOwner != nullptr) AComponent->FOwner->RemoveComponent(AComponent);
    AComponent->ValidateContainer(this);
    ValidateRename(AComponent, String(), AComponent->FName);
    Insert(AComponent);
    AComponent->SetReference(true);
    if (FComponentState.Contains(csDesigning)) AComponent->SetDesigning(true);
    Notification(AComponent, opInsert);
}

void TComponent::RemoveComponent(TComponent* AComponent) {
    if (AComponent == nullptr || AComponent->FOwner != this) return;
    Notification(AComponent, opRemove);
    AComponent->SetReference(false);
    Remove(AComponent);
}

void TComponent::Insert(TComponent* AComponent) {
    FComponents.push_back(AComponent);
    AComponent->FOwner = this;
}

void TComponent::Remove(TComponent* AComponent) {
    EraseOne(FComponents, AComponent);
    AComponent->FOwner = nullptr;
}

void TComponent::SetReference(bool Enable) {
    if (FOwner == nullptr || FName.empty()) return;
    SetDeclaredField(FOwner, FName, this, Enable);
}

void TComponent::FreeNotification(TComponent* AComponent) {
    if (AComponent == nullptr || AComponent == this) return;
    // Within one owner the owner's removal broadcast already tells every sibling.
    if (FOwner == nullptr || AComponent->FOwner != FOwner) {
        if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent) == FFreeNotifies.end())
            FFreeNotifies.push_back(AComponent);
        if (std::find(AComponent->FFreeNotifies.begin(), AComponent->FFreeNotifies.end(), this) ==
            AComponent->FFreeNotifies.end())
            AComponent->FFreeNotifies.push_back(this);
    }
    FComponentState.Include(csFreeNotification);
}

void TComponent::RemoveFreeNotification(TComponent* AComponent) {
    if (AComponent == nullptr) return;
    EraseOne(FFreeNotifies, AComponent);
    EraseOne(AComponent->FFreeNotifies, this);
}

void TComponent::Notification(TComponent* AComponent, TOperation Operation) {
    if (Operation == opRemove && AComponent != nullptr) RemoveFreeNotification(AComponent);
    // Forward to the owned components; the list may shrink while they react.
    for (int i = ComponentCount() - 1; i >= 0; --i) {
        if (i >= ComponentCount()) continue;
        FComponents[i]->Notification(AComponent, Operation);
    }
}

void TComponent::SetDesigning(bool Value, bool SetChildren) {
    if (Value)
        FComponentState.Include(csDesigning);
    else
        FComponentState.Exclude(csDesigning);
    if (SetChildren)
        for (TComponent* c : FComponents)
            c->SetDesigning(Value, true);
}

void TComponent::SetSubComponent(bool IsSubComponent) {
    if (IsSubComponent)
        FComponentStyle.Include(csSubComponent);
    else
        FComponentStyle.Exclude(csSubComponent);
}

void TComponent::GetChildren(const TGetChildProc&, TComponent*) {}

void TComponent::ReadState(TReader& Reader) {
    Reader.ReadData(this);
}

void TComponent::Loaded() {
    FComponentState.Exclude(csLoading);
}

void TComponent::SetEventBinding(const String& Event, const String& Handler) {
    for (auto& b : FEventBindings)
        if (SameText(b.first, Event)) {
            if (Handler.empty())
                FEventBindings.erase(FEventBindings.begin() + (&b - FEventBindings.data()));
            else
                b.second = Handler;
            return;
        }
    if (!Handler.empty()) FEventBindings.emplace_back(Event, Handler);
}

} // namespace vcl
