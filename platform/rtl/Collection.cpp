#include "platform/rtl/Collection.h"

#include <algorithm>
#include <memory>

#include "platform/rtl/Exceptions.h"

namespace vcl {

// ---- TCollectionItem ----

TCollectionItem::TCollectionItem(TCollection* Collection) {
    if (Collection != nullptr) Collection->InsertItem(this);
}

TCollectionItem::~TCollectionItem() {
    // Normally the collection has already taken the item out (Delete, Clear); a plain delete of a
    // member item leaves the collection here.
    if (FCollection != nullptr) FCollection->RemoveItem(this);
}

void TCollectionItem::SetCollection(TCollection* Value) {
    if (FCollection == Value) return;
    if (FCollection != nullptr) FCollection->RemoveItem(this);
    if (Value != nullptr) Value->InsertItem(this);
}

int TCollectionItem::Index() const {
    if (FCollection == nullptr) return -1;
    auto& items = FCollection->FItems;
    auto it = std::find(items.begin(), items.end(), this);
    return it == items.end() ? -1 : static_cast<int>(it - items.begin());
}

void TCollectionItem::SetIndex(int Value) {
    int cur = Index();
    if (cur < 0 || Value < 0 || Value == cur || Value >= FCollection->Count()) return;
    auto& items = FCollection->FItems;
    items.erase(items.begin() + cur);
    items.insert(items.begin() + Value, this);
    Changed(true);
}

void TCollectionItem::SetDisplayName(const String&) {
    Changed(false);
}

String TCollectionItem::GetDisplayName() {
    return ClassName();
}

String TCollectionItem::GetNamePath() {
    if (FCollection == nullptr) return ClassName();
    return FCollection->GetNamePath() + "[" + std::to_string(Index()) + "]";
}

TPersistent* TCollectionItem::GetOwner() {
    return FCollection;
}

void TCollectionItem::Changed(bool AllItems) {
    if (FCollection != nullptr && FCollection->FUpdateCount == 0)
        FCollection->Update(AllItems ? nullptr : this);
}

// ---- TCollection ----

TCollection::TCollection(TCollectionItemClass ItemClass, TPersistent* AOwner)
    : FItemClass(ItemClass), FOwner(AOwner) {}

TCollection::~TCollection() {
    // No notifications while the collection itself goes away.
    FUpdateCount = 1;
    while (!FItems.empty()) {
        TCollectionItem* item = FItems.back();
        FItems.pop_back();
        item->FCollection = nullptr;
        delete item;
    }
}

void TCollection::IndexError(int Index) {
    throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
}

void TCollection::CheckIndex(int Index) const {
    if (Index < 0 || Index >= Count()) IndexError(Index);
}

TCollectionItem* TCollection::Add() {
    if (FItemClass.Create == nullptr) throw EListError("Collection has no item class");
    FBuilding = true;
    std::unique_ptr<TCollectionItem> item;
    try {
        item.reset(FItemClass.Create(this));
    } catch (...) {
        FBuilding = false;
        throw;
    }
    FBuilding = false;
    TCollectionItem* raw = item.release();
    if (raw->FCollection != this) {
        // An item class whose constructor does not join this collection: move it here now.
        raw->SetCollection(this);
    } else {
        Notify(raw, cnAdded);
        Changed();
    }
    return raw;
}

TCollectionItem* TCollection::Insert(int Index) {
    if (Index < 0 || Index > Count()) IndexError(Index);
    BeginUpdate();
    TCollectionItem* item = nullptr;
    try {
        item = Add();
        item->SetIndex(Index);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
    return item;
}

void TCollection::Delete(int Index) {
    CheckIndex(Index);
    TCollectionItem* item = FItems[Index];
    Notify(item, cnDeleting);
    RemoveItem(item);
    delete item;
}

void TCollection::Clear() {
    if (FItems.empty()) return;
    BeginUpdate();
    try {
        while (!FItems.empty()) {
            TCollectionItem* item = FItems.back();
            RemoveItem(item);
            delete item;
        }
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TCollection::Assign(TPersistent* Source) {
    auto* src = dynamic_cast<TCollection*>(Source);
    if (src == nullptr) {
        TPersistent::Assign(Source);
        return;
    }
    if (src == this) return;
    BeginUpdate();
    try {
        Clear();
        for (TCollectionItem* srcItem : src->FItems)
            Add()->Assign(srcItem);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TCollection::BeginUpdate() {
    ++FUpdateCount;
}

void TCollection::EndUpdate() {
    if (FUpdateCount == 0) return;
    --FUpdateCount;
    Changed();
}

TCollectionItem* TCollection::GetItem(int Index) const {
    CheckIndex(Index);
    return FItems[Index];
}

void TCollection::SetItem(int Index, TCollectionItem* Value) {
    GetItem(Index)->Assign(Value);
}

TCollectionItem* TCollection::FindItemID(int ID) const {
    for (TCollectionItem* item : FItems)
        if (item->FID == ID) return item;
    return nullptr;
}

String TCollection::GetNamePath() {
    if (FOwner == nullptr) return ClassName();
    String owner = FOwner->GetNamePath();
    return owner.empty() ? ClassName() : owner + "." + ClassName();
}

void TCollection::Update(TCollectionItem*) {}

void TCollection::Notify(TCollectionItem*, TCollectionNotification) {}

void TCollection::Changed() {
    if (FUpdateCount == 0) Update(nullptr);
}

void TCollection::InsertItem(TCollectionItem* Item) {
    FItems.push_back(Item);
    Item->FCollection = this;
    Item->FID = FNextID++;
    if (FBuilding) return; // Add finishes the job once the item is complete
    Notify(Item, cnAdded);
    Changed();
}

void TCollection::RemoveItem(TCollectionItem* Item) {
    Notify(Item, cnExtracting);
    auto it = std::find(FItems.begin(), FItems.end(), Item);
    if (it != FItems.end()) FItems.erase(it);
    Item->FCollection = nullptr;
    Changed();
}

} // namespace vcl
