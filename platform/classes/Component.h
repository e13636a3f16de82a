#pragma once
// TComponent: the owned, named, notified object that forms are made of.
//
// A component is created with its owner (`new TButton(Form1)`) and freed by it; the owner frees what it
// owns when it is freed, last first. Free an owner-less component with FreeAndNil or FreeComponent (or
// hold it in a TComponentPtr): they run the framework's destruction sequence while the whole object is
// still alive, so overridden Notification and Destroying methods are called. A plain `delete` also works,
// but then the sequence runs from TComponent's own destructor, after the derived parts are gone.
//
// When a component is freed:
//   1. it and everything it owns are marked csDestroying (Destroying),
//   2. every component that asked for FreeNotification receives Notification(this, opRemove),
//   3. the components it owns are freed, last first,
//   4. its owner removes it, and the owner's components receive Notification(this, opRemove).
// A reference to another component is therefore kept safe by clearing it in Notification: within one
// owner this needs nothing more; across owners call FreeNotification on the referenced component.
// (Unlike the framework, the owner's broadcast is sent for every owned component even while the owner
// itself is being freed, so that no sibling keeps a dangling reference during the teardown.)
//
// A class whose own state is used while its owned components or notified components go away (a
// windowed control, a form) calls BeforeDestruction() first thing in its destructor, so that the
// sequence runs before its members are destroyed, even after a plain delete.

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "platform/rtl/Object.h"
#include "platform/rtl/Set.h"

namespace vcl {

class TReader;

enum TOperation { opInsert, opRemove };

enum TComponentStateFlag {
    csLoading,
    csReading,
    csWriting,
    csDestroying,
    csDesigning,
    csAncestor,
    csUpdating,
    csFixups,
    csFreeNotification,
    csInline,
    csDesignInstance
};
using TComponentState = TSet<TComponentStateFlag>;

enum TComponentStyleFlag { csInheritable, csCheckPropAvail, csSubComponent, csTransient };
using TComponentStyle = TSet<TComponentStyleFlag>;

class TComponent;
using TGetChildProc = std::function<void(TComponent* Child)>;

// Pascal identifier test: a letter or '_' first, then letters, digits or '_' (ASCII).
bool IsValidIdent(const String& Ident);

class TComponent : public TPersistent {
    KV_CLASS(TComponent, TPersistent)
public:
    explicit TComponent(TComponent* AOwner);
    ~TComponent() override;

    // The destruction sequence (see above). Idempotent; FreeComponent calls it before delete.
    void BeforeDestruction();

    TComponent* Owner() const { return FOwner; }
    int ComponentCount() const { return static_cast<int>(FComponents.size()); }
    // The owned component at Index; out of range raises EListError "List index out of bounds (<i>)".
    TComponent* Components(int Index) const;
    // Position in the owner's list (-1 without owner); setting it moves the component in that list.
    int ComponentIndex() const;
    void SetComponentIndex(int Value);

    const String& Name() const { return FName; }
    // Raises EComponentError "'<name>' is not a valid component name" or "A component named <name>
    // already exists" (names compare without regard to case among the owner's components).
    virtual void SetName(const String& NewName);
    // The owned component of that name (any case), or null.
    TComponent* FindComponent(const String& AName) const;

    void InsertComponent(TComponent* AComponent);
    void RemoveComponent(TComponent* AComponent);

    // Asks to be told (Notification(AComponent, opRemove)) when AComponent is freed; either may die first.
    void FreeNotification(TComponent* AComponent);
    void RemoveFreeNotification(TComponent* AComponent);

    TComponentState ComponentState() const { return FComponentState; }
    TComponentStyle ComponentStyle() const { return FComponentStyle; }
    // Design-time state for this component and (by default) everything it owns.
    void SetDesigning(bool Value, bool SetChildren = true);
    void SetSubComponent(bool IsSubComponent);
    // Marks the component (and what it owns) as being destroyed.
    virtual void Destroying();

    std::intptr_t Tag() const { return FTag; }
    void SetTag(std::intptr_t Value) { FTag = Value; }

    // Visual parenting, overridden by the controls: the layout reader calls SetParentComponent with the
    // enclosing object of a component that HasParent, before its properties are read.
    virtual TComponent* GetParentComponent() const { return nullptr; }
    virtual bool HasParent() const { return false; }
    virtual void SetParentComponent(TComponent*) {}
    // Reports the components written as nested objects of this one (the layout writer). Root is the
    // component being written as a whole. The default reports nothing.
    virtual void GetChildren(const TGetChildProc& Proc, TComponent* Root);
    // Where nested objects read under this one are parented, and who owns them (null: the root).
    virtual TComponent* GetChildParent() { return this; }
    virtual TComponent* GetChildOwner() { return nullptr; }

    // Reads this component's properties and nested objects; override to prepare or follow up.
    virtual void ReadState(TReader& Reader);

    String GetNamePath() override { return FName; }

    // The event handler names bound by the layout reader (event property -> handler), kept so that a
    // written layout names them again.
    const std::vector<std::pair<String, String>>& EventBindings() const { return FEventBindings; }
    void SetEventBinding(const String& Event, const String& Handler);

    virtual void Notification(TComponent* AComponent, TOperation Operation);

protected:
    TPersistent* GetOwner() override { return FOwner; }
    // Called once a layout has been read completely; clears csLoading.
    virtual void Loaded();
    virtual void ValidateRename(TComponent* AComponent, const String& CurName, const String& NewName);
    virtual void ValidateInsert(TComponent*) {}
    virtual void ValidateContainer(TComponent* AComponent);
    // Frees the owned components, last first.
    void DestroyComponents();

private:
    friend class TReader;
    friend class TComponentAccess;
    void Insert(TComponent* AComponent);
    void Remove(TComponent* AComponent);
    // Points the owner's declared field of this component's name at it (or clears it).
    void SetReference(bool Enable);
    void RemoveFreeNotifications();

    TComponent* FOwner = nullptr;
    String FName;
    std::vector<TComponent*> FComponents;
    std::vector<TComponent*> FFreeNotifies;
    TComponentState FComponentState;
    TComponentStyle FComponentStyle{csInheritable};
    std::intptr_t FTag = 0;
    bool FDestroyed = false;
    std::vector<std::pair<String, String>> FEventBindings;
};

// Internal access for the layout reader and the test hooks.
class TComponentAccess {
public:
    static void SetState(TComponent* C, TComponentStateFlag F, bool On) {
        if (On)
            C->FComponentState.Include(F);
        else
            C->FComponentState.Exclude(F);
    }
    static void CallLoaded(TComponent* C) { C->Loaded(); }
};

// Frees a component the way its owner would (the full destruction sequence, then delete).
void FreeComponent(TComponent* AComponent);

template <typename T> void FreeAndNil(T*& Component) {
    T* c = Component;
    Component = nullptr;
    FreeComponent(c);
}

// Holder of an owner-less component.
struct TComponentDeleter {
    void operator()(TComponent* c) const { FreeComponent(c); }
};
template <typename T> using TComponentPtr = std::unique_ptr<T, TComponentDeleter>;

// Interface queries: interfaces are abstract classes that a component also derives from.
template <typename I> I* Supports(TObject* Instance) {
    return dynamic_cast<I*>(Instance);
}
template <typename I> bool Supports(TObject* Instance, I*& Intf) {
    Intf = dynamic_cast<I*>(Instance);
    return Intf != nullptr;
}

} // namespace vcl
