#pragma once
// Collections: TCollection owns an ordered list of TCollectionItem objects of one item class.
//
// Create items with Add or Insert: the item is fully built before the collection is told about it
// (Notify(item, cnAdded), then Update). An item built directly with `new TMyItem(collection)` joins the
// collection at once and the collection is notified from inside the item's base constructor, as the
// framework does; prefer Add.
//
// A derived collection usually passes its item class and owner to the constructor:
//
//     TMyPanels::TMyPanels(TPersistent* AOwner) : TCollection(ItemClassOf<TMyPanel>(), AOwner) {}
//
// Index errors raise EListError "List index out of bounds (<i>)".

#include <vector>

#include "platform/rtl/Object.h"

namespace vcl {

class TCollection;
class TCollectionItem;

enum TCollectionNotification { cnAdded, cnExtracting, cnDeleting };

// The class of the items of a collection: its class reference and how to build one.
struct TCollectionItemClass {
    TClass Class = nullptr;
    TCollectionItem* (*Create)(TCollection* Collection) = nullptr;
};

template <typename T> TCollectionItemClass ItemClassOf() {
    return {T::StaticClassType(), [](TCollection* c) -> TCollectionItem* { return new T(c); }};
}

class TCollectionItem : public TPersistent {
    KV_CLASS(TCollectionItem, TPersistent)
public:
    explicit TCollectionItem(TCollection* Collection);
    ~TCollectionItem() override;

    TCollection* Collection() const { return FCollection; }
    // Moves the item to another collection (null takes it out of any: the caller then owns it).
    virtual void SetCollection(TCollection* Value);
    int ID() const { return FID; }
    int Index() const;
    // Moves the item within its collection; an index out of range is ignored, as the framework does.
    virtual void SetIndex(int Value);
    String DisplayName() { return GetDisplayName(); }
    virtual void SetDisplayName(const String& Value);
    String GetNamePath() override;

protected:
    TPersistent* GetOwner() override;
    virtual String GetDisplayName();
    // Tells the collection this item changed: Update(this), or Update(nullptr) when AllItems.
    void Changed(bool AllItems);

private:
    friend class TCollection;
    TCollection* FCollection = nullptr;
    int FID = 0;
};

class TCollection : public TPersistent {
    KV_CLASS(TCollection, TPersistent)
public:
    explicit TCollection(TCollectionItemClass ItemClass, TPersistent* AOwner = nullptr);
    ~TCollection() override;

    TCollectionItem* Add();
    // Adds an item at Index (0..Count); anything else raises the index error and adds nothing.
    TCollectionItem* Insert(int Index);
    void Delete(int Index);
    void Clear();
    void Assign(TPersistent* Source) override;

    virtual void BeginUpdate();
    virtual void EndUpdate();
    int UpdateCount() const { return FUpdateCount; }

    int Count() const { return static_cast<int>(FItems.size()); }
    TCollectionItem* GetItem(int Index) const;
    TCollectionItem* Items(int Index) const { return GetItem(Index); }
    TCollectionItem* operator[](int Index) const { return GetItem(Index); }
    // Copies Value into the item at Index (Assign).
    void SetItem(int Index, TCollectionItem* Value);
    TCollectionItem* FindItemID(int ID) const;
    TCollectionItemClass ItemClass() const { return FItemClass; }
    TPersistent* Owner() const { return FOwner; }
    String GetNamePath() override;

protected:
    TPersistent* GetOwner() override { return FOwner; }
    // Called when the collection (Item null) or one item changed, once at the end of an update.
    virtual void Update(TCollectionItem* Item);
    virtual void Notify(TCollectionItem* Item, TCollectionNotification Action);
    void Changed();

private:
    friend class TCollectionItem;
    void InsertItem(TCollectionItem* Item);
    void RemoveItem(TCollectionItem* Item);
    [[noreturn]] static void IndexError(int Index);
    void CheckIndex(int Index) const;

    TCollectionItemClass FItemClass;
    TPersistent* FOwner;
    std::vector<TCollectionItem*> FItems;
    int FNextID = 0;
    int FUpdateCount = 0;
    // While Add or Insert builds an item, its constructor only joins the list; the notifications follow
    // once the item is complete.
    bool FBuilding = false;
};

// A collection with an owner, constructed in the framework's argument order.
class TOwnedCollection : public TCollection {
    KV_CLASS(TOwnedCollection, TCollection)
public:
    TOwnedCollection(TPersistent* AOwner, TCollectionItemClass ItemClass) : TCollection(ItemClass, AOwner) {}
};

} // namespace vcl
