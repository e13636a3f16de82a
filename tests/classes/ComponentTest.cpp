// Ownership, destruction order, notifications, names and the component state.

#include <gtest/gtest.h>

#include "platform/classes/Component.h"
#include "platform/rtl/Exceptions.h"

using namespace vcl;

namespace {

// Records what it is told, into a shared journal.
class TProbe : public TComponent {
    KV_CLASS(TProbe, TComponent)
public:
    TProbe(TComponent* AOwner, std::vector<String>* journal, const String& name = String())
        : TComponent(AOwner), Journal(journal) {
        SetName(name);
    }
    ~TProbe() override {
        BeforeDestruction();
        Journal->push_back("destroy " + Name() +
                           (ComponentState().Contains(csDestroying) ? " (destroying)" : ""));
    }
    void Notification(TComponent* AComponent, TOperation Operation) override {
        TComponent::Notification(AComponent, Operation);
        if (Operation == opRemove && AComponent == Ref) Ref = nullptr;
        if (AComponent != this)
            Journal->push_back(Name() + (Operation == opInsert ? " +" : " -") + AComponent->Name());
    }
    std::vector<String>* Journal;
    TComponent* Ref = nullptr;
    bool SawSiblingDestroying = false;
};

class IGreeter {
public:
    virtual ~IGreeter() = default;
    virtual String Greet() = 0;
};

class TGreeter : public TComponent, public IGreeter {
    KV_CLASS(TGreeter, TComponent)
public:
    using TComponent::TComponent;
    String Greet() override { return "hello"; }
};

} // namespace

TEST(ComponentOwnership, OwnerListsInsertsRemovesMovesAndFreesItsComponentsLastFirst) {
    std::vector<String> j;
    auto* owner = new TProbe(nullptr, &j, "Owner");
    auto* a = new TProbe(owner, &j, "A");
    auto* b = new TProbe(owner, &j, "B");
    auto* c = new TProbe(owner, &j, "C");
    EXPECT_EQ(owner->ComponentCount(), 3);
    EXPECT_EQ(owner->Components(1), b);
    EXPECT_EQ(c->ComponentIndex(), 2);
    EXPECT_EQ(a->Owner(), owner);
    EXPECT_THROW(owner->Components(3), EListError);
    j.clear();
    FreeComponent(owner);
    // Owned components go last first, each already marked as destroying; the owner goes last.
    std::vector<String> destroys;
    for (auto& s : j)
        if (s.rfind("destroy", 0) == 0) destroys.push_back(s);
    EXPECT_EQ(destroys, (std::vector<String>{"destroy C (destroying)", "destroy B (destroying)",
                                             "destroy A (destroying)", "destroy Owner (destroying)"}));
    std::vector<String> j2;
    TComponentPtr<TProbe> first(new TProbe(nullptr, &j2, "First"));
    TComponentPtr<TProbe> second(new TProbe(nullptr, &j2, "Second"));
    auto* x = new TProbe(first.get(), &j2, "X");
    auto* y = new TProbe(first.get(), &j2, "Y");
    j2.clear();
    // Moving to another owner: removed from the first (its components hear it), inserted in the second.
    second->InsertComponent(x);
    EXPECT_EQ(x->Owner(), second.get());
    EXPECT_EQ(first->ComponentCount(), 1);
    EXPECT_NE(std::find(j2.begin(), j2.end(), "Y -X"), j2.end());
    EXPECT_NE(std::find(j2.begin(), j2.end(), "Second +X"), j2.end());
    y->SetComponentIndex(0);
    auto* z = new TProbe(first.get(), &j2, "Z");
    z->SetComponentIndex(0);
    EXPECT_EQ(first->Components(0), z);
    EXPECT_EQ(y->ComponentIndex(), 1);
    z->SetComponentIndex(99); // clamped to the end
    EXPECT_EQ(z->ComponentIndex(), 1);
    first->RemoveComponent(z);
    EXPECT_EQ(z->Owner(), nullptr);
    FreeComponent(z);
}

TEST(ComponentNotification, SiblingReferenceClearedInBothOrdersAndByPlainDelete) {
    std::vector<String> j;
    {
        TComponentPtr<TProbe> form(new TProbe(nullptr, &j, "Form"));
        auto* user = new TProbe(form.get(), &j, "User");
        auto* target = new TProbe(form.get(), &j, "Target");
        user->Ref = target;
        FreeComponent(target);
        EXPECT_EQ(user->Ref, nullptr);
    }
    {
        TComponentPtr<TProbe> form(new TProbe(nullptr, &j, "Form"));
        auto* target = new TProbe(form.get(), &j, "Target");
        auto* user = new TProbe(form.get(), &j, "User");
        user->Ref = target;
        target->Ref = user;
        // The whole form goes: each of the two is told when the other goes first.
        form.reset();
    }
    SUCCEED(); // ASan reports any use of a freed reference above
    TComponentPtr<TProbe> form(new TProbe(nullptr, &j, "Form"));
    auto* user = new TProbe(form.get(), &j, "User");
    auto* t = new TProbe(form.get(), &j, "T");
    user->Ref = t;
    delete t;
    EXPECT_EQ(user->Ref, nullptr);
    EXPECT_EQ(form->ComponentCount(), 1);
    TProbe* loose = new TProbe(nullptr, &j, "Loose");
    FreeAndNil(loose);
    EXPECT_EQ(loose, nullptr);
    FreeAndNil(loose); // nothing to free
}

TEST(ComponentNotification, FreeNotificationAcrossOwnersWorksWhicheverDiesFirstUntilRemoved) {
    std::vector<String> j;
    // The referenced one dies first.
    auto* formA = new TProbe(nullptr, &j, "FormA");
    auto* formB = new TProbe(nullptr, &j, "FormB");
    auto* user = new TProbe(formA, &j, "User");
    auto* styler = new TProbe(formB, &j, "Styler");
    user->Ref = styler;
    styler->FreeNotification(user);
    EXPECT_TRUE(styler->ComponentState().Contains(csFreeNotification));
    FreeComponent(formB);
    EXPECT_EQ(user->Ref, nullptr);
    FreeComponent(formA);

    // The referring one dies first: the referenced one must not tell it anything later.
    formA = new TProbe(nullptr, &j, "FormA");
    formB = new TProbe(nullptr, &j, "FormB");
    user = new TProbe(formA, &j, "User");
    styler = new TProbe(formB, &j, "Styler");
    user->Ref = styler;
    styler->FreeNotification(user);
    FreeComponent(formA);
    j.clear();
    FreeComponent(formB); // would touch the freed user without the two-way link
    EXPECT_EQ(std::count(j.begin(), j.end(), "User -Styler"), 0);
    TComponentPtr<TProbe> a(new TProbe(nullptr, &j, "A"));
    auto* b = new TProbe(nullptr, &j, "B");
    b->FreeNotification(a.get());
    b->RemoveFreeNotification(a.get());
    j.clear();
    FreeComponent(b);
    EXPECT_EQ(std::count(j.begin(), j.end(), "A -B"), 0);
    auto* c = new TProbe(nullptr, &j, "C");
    c->FreeNotification(a.get());
    FreeComponent(c);
    EXPECT_EQ(std::count(j.begin(), j.end(), "A -C"), 1);
}

TEST(ComponentNames, ValidationDuplicatesCaseInsensitiveFindAndStateSets) {
    std::vector<String> j;
    TComponentPtr<TProbe> form(new TProbe(nullptr, &j, "Form"));
    auto* a = new TProbe(form.get(), &j, "Button1");
    auto* b = new TProbe(form.get(), &j);
    try {
        b->SetName("1Button");
        FAIL();
    } catch (const EComponentError& e) {
        EXPECT_EQ(e.Message, "'1Button' is not a valid component name");
    }
    EXPECT_THROW(b->SetName("Bad Name"), EComponentError);
    EXPECT_THROW(b->SetName("Näme"), EComponentError);
    try {
        b->SetName("BUTTON1");
        FAIL();
    } catch (const EComponentError& e) {
        EXPECT_EQ(e.Message, "A component named BUTTON1 already exists");
    }
    EXPECT_EQ(b->Name(), "");
    b->SetName("_Button2");
    EXPECT_EQ(form->FindComponent("_button2"), b);
    EXPECT_EQ(form->FindComponent("BUTTON1"), a);
    EXPECT_EQ(form->FindComponent(""), nullptr);
    EXPECT_EQ(form->FindComponent("Nothing"), nullptr);
    a->SetName("button1"); // a change of case of its own name is not a duplicate
    EXPECT_EQ(a->Name(), "button1");
    a->SetName("");
    b->SetName("Button1");
    EXPECT_EQ(b->GetNamePath(), "Button1");
    // Inserting a component whose name exists already is refused.
    auto* stray = new TProbe(nullptr, &j, "button1");
    EXPECT_THROW(form->InsertComponent(stray), EComponentError);
    EXPECT_EQ(stray->Owner(), nullptr);
    FreeComponent(stray);
    EXPECT_FALSE(IsValidIdent(""));
    EXPECT_TRUE(IsValidIdent("a_1"));
    TComponentState s{csLoading, csReading};
    EXPECT_TRUE(s.Contains(csLoading));
    EXPECT_FALSE(s.Contains(csWriting));
    s.Include(csWriting).Exclude(csReading);
    EXPECT_EQ(s, (TComponentState{csWriting, csLoading}));
    TComponentState t{csLoading, csDesigning};
    EXPECT_EQ(s + t, (TComponentState{csLoading, csWriting, csDesigning}));
    EXPECT_EQ(s - t, TComponentState{csWriting});
    EXPECT_EQ(s * t, TComponentState{csLoading});
    EXPECT_TRUE(TComponentState{csLoading} <= t);
    EXPECT_FALSE(s <= t);
    EXPECT_TRUE(TComponentState{}.Empty());
    EXPECT_EQ(TComponentState::FromBits(s.Bits()), s);
}

TEST(ComponentState, DesigningSubComponentAndSupportedInterfaces) {
    std::vector<String> j;
    TComponentPtr<TProbe> form(new TProbe(nullptr, &j, "Form"));
    auto* child = new TProbe(form.get(), &j, "Child");
    form->SetDesigning(true);
    EXPECT_TRUE(child->ComponentState().Contains(csDesigning));
    auto* late = new TProbe(form.get(), &j, "Late");
    EXPECT_TRUE(late->ComponentState().Contains(csDesigning)); // inherits the owner's design state
    form->SetDesigning(false, false);
    EXPECT_FALSE(form->ComponentState().Contains(csDesigning));
    EXPECT_TRUE(child->ComponentState().Contains(csDesigning));
    EXPECT_TRUE(form->ComponentStyle().Contains(csInheritable));
    child->SetSubComponent(true);
    EXPECT_TRUE(child->ComponentStyle().Contains(csSubComponent));
    child->SetTag(42);
    EXPECT_EQ(child->Tag(), 42);
    TComponentPtr<TGreeter> g(new TGreeter(nullptr));
    TComponentPtr<TComponent> plain(new TComponent(nullptr));
    ASSERT_NE(Supports<IGreeter>(g.get()), nullptr);
    EXPECT_EQ(Supports<IGreeter>(g.get())->Greet(), "hello");
    IGreeter* intf = nullptr;
    EXPECT_FALSE(Supports(plain.get(), intf));
    EXPECT_EQ(intf, nullptr);
    EXPECT_EQ(Supports<IGreeter>(nullptr), nullptr);
}
