// Actions, action links and action lists.

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/classes/ClassRegistry.h"
#include "platform/classes/LayoutReader.h"
#include "platform/classes/LayoutWriter.h"
#include "platform/rtl/Exceptions.h"
#include "platform/vcl/ActnList.h"
#include "platform/vcl/ImgList.h"

using namespace vcl;

namespace {

// A client showing an action the way a control does: it follows its caption only while it still shows
// what the action showed.
class TFakeClient : public TComponent {
    KV_CLASS(TFakeClient, TComponent)
public:
    using TComponent::TComponent;
    String Caption;
    bool Checked = false;
    bool Enabled = true;
    int GroupIndex = 0;
    String Hint;
    int ImageIndex = -1;
    TShortCut ShortCut = 0;
    bool Visible = true;
    TNotifyEvent OnClick;
    std::vector<String> Log;
};

class TFakeLink : public TActionLink {
    KV_CLASS(TFakeLink, TActionLink)
public:
    explicit TFakeLink(TObject* AClient) : TActionLink(AClient) { AssignClient(AClient); }
    void AssignClient(TObject* AClient) override { FClient = dynamic_cast<TFakeClient*>(AClient); }

    TCustomAction* A() { return dynamic_cast<TCustomAction*>(Action()); }
    bool IsCaptionLinked() override {
        return TActionLink::IsCaptionLinked() && FClient->Caption == A()->Caption();
    }
    void SetCaption(const String& Value) override {
        FClient->Log.push_back("Caption " + Value);
        if (IsCaptionLinked()) FClient->Caption = Value;
    }
    void SetChecked(bool Value) override {
        if (IsCheckedLinked()) FClient->Checked = Value;
    }
    void SetEnabled(bool Value) override {
        if (IsEnabledLinked()) FClient->Enabled = Value;
    }
    void SetGroupIndex(int Value) override {
        if (IsGroupIndexLinked()) FClient->GroupIndex = Value;
    }
    void SetHint(const String& Value) override {
        if (IsHintLinked()) FClient->Hint = Value;
    }
    void SetImageIndex(TImageIndex Value) override {
        if (IsImageIndexLinked()) FClient->ImageIndex = Value;
    }
    void SetShortCut(TShortCut Value) override {
        if (IsShortCutLinked()) FClient->ShortCut = Value;
    }
    void SetVisible(bool Value) override {
        if (IsVisibleLinked()) FClient->Visible = Value;
    }
    void SetOnExecute(const TNotifyEvent& Value) override {
        if (IsOnExecuteLinked()) FClient->OnClick = Value;
    }
    TFakeClient* FClient = nullptr;
};

// A root that writes the components it owns which have no parent, as a form does.
class TActionTestRoot : public TComponent {
    KV_CLASS(TActionTestRoot, TComponent)
    KV_PUBLISHED_PROPERTIES(TActionTestRoot)
public:
    using TComponent::TComponent;
    void GetChildren(const TGetChildProc& Proc, TComponent*) override {
        for (int i = 0; i < ComponentCount(); ++i)
            if (!Components(i)->HasParent()) Proc(Components(i));
    }
    void Action1Execute(TObject*) { ++Executed; }
    int Executed = 0;
};

KV_PUBLISHED(TActionTestRoot) {
    p.Handler("Action1Execute", &TActionTestRoot::Action1Execute);
}

} // namespace

TEST(ActionLinkTest, PushesEachPropertyToAClientThatFollowsItButNotToOneThatDiverged) {
    TComponentPtr<TFakeClient> client(new TFakeClient(nullptr));
    TComponentPtr<TAction> action(new TAction(nullptr));
    TFakeLink link(client.get());
    link.SetAction(action.get());
    ASSERT_EQ(link.Action(), action.get());

    action->SetCaption("");
    action->SetCaption("Open");
    action->SetEnabled(false);
    action->SetHint("Opens a file");
    action->SetImageIndex(-1);
    action->SetImageIndex(3);
    action->SetShortCut(0x4000 | 'O');
    action->SetVisible(false);
    action->SetGroupIndex(2);
    int clicks = 0;
    action->SetOnExecute([&](TObject*) { ++clicks; });

    EXPECT_EQ(client->Caption, "Open");
    EXPECT_FALSE(client->Enabled);
    EXPECT_EQ(client->Hint, "Opens a file");
    EXPECT_EQ(client->ImageIndex, 3);
    EXPECT_EQ(client->ShortCut, 0x4000 | 'O');
    EXPECT_FALSE(client->Visible);
    EXPECT_EQ(client->GroupIndex, 2);
    ASSERT_TRUE(client->OnClick);
    client->OnClick(client.get());
    EXPECT_EQ(clicks, 1);

    // The link sees the old value, so a client that diverged keeps its own.
    action->SetCaption("Save");
    ASSERT_EQ(client->Caption, "Save");

    client->Caption = "My own"; // the client no longer shows the action's caption
    action->SetCaption("Save as");
    EXPECT_EQ(client->Caption, "My own");
    EXPECT_EQ(action->Caption(), "Save as");

    // An unchanged value does not reach the link at all.
    client->Log.clear();
    action->SetCaption("Save as");
    EXPECT_TRUE(client->Log.empty());
}

TEST(ActionLinkTest, ChangeReachesTheLinkOnChangeWithTheActionAsSender) {
    TComponentPtr<TFakeClient> client(new TFakeClient(nullptr));
    TComponentPtr<TAction> action(new TAction(nullptr));
    TFakeLink link(client.get());
    std::vector<TObject*> senders;
    link.OnChange = [&](TObject* Sender) { senders.push_back(Sender); };
    link.SetAction(action.get());
    action->SetCaption("A");
    action->SetChecked(true);
    ASSERT_EQ(senders.size(), 2u);
    EXPECT_EQ(senders[0], action.get());

    // Moved to another action, the first one no longer reaches it.
    TComponentPtr<TAction> other(new TAction(nullptr));
    link.SetAction(other.get());
    action->SetCaption("B");
    EXPECT_EQ(senders.size(), 2u);
    other->SetCaption("C");
    EXPECT_EQ(senders.size(), 3u);
    EXPECT_EQ(senders.back(), other.get());
}

TEST(ActionLinkTest, FreeingEitherSideLeavesNoDanglingReference) {
    TComponentPtr<TFakeClient> client(new TFakeClient(nullptr));
    auto link = std::make_unique<TFakeLink>(client.get());
    TAction* action = new TAction(nullptr);
    link->SetAction(action);
    FreeComponent(action);
    EXPECT_EQ(link->Action(), nullptr);
    EXPECT_FALSE(link->Execute());

    TComponentPtr<TAction> second(new TAction(nullptr));
    link->SetAction(second.get());
    link.reset(); // the link unregisters itself
    second->SetCaption("after the link went");
    EXPECT_EQ(second->Caption(), "after the link went");
}

TEST(ActionCheckedTest, CheckingAGroupMemberUnchecksTheOthersOfItsList) {
    TComponentPtr<TComponent> owner(new TComponent(nullptr));
    auto* list = new TActionList(owner.get());
    auto* a = new TAction(owner.get());
    auto* b = new TAction(owner.get());
    auto* c = new TAction(owner.get());
    auto* loose = new TAction(owner.get()); // group 0: independent
    for (TAction* x : {a, b, c, loose})
        x->SetActionList(list);
    a->SetGroupIndex(1);
    b->SetGroupIndex(1);
    c->SetGroupIndex(2);

    a->SetChecked(true);
    c->SetChecked(true);
    loose->SetChecked(true);
    b->SetChecked(true);
    EXPECT_FALSE(a->Checked());
    EXPECT_TRUE(b->Checked());
    EXPECT_TRUE(c->Checked()); // another group
    EXPECT_TRUE(loose->Checked());

    // A checked action joining a group with a checked member leaves one checked.
    c->SetGroupIndex(1);
    EXPECT_TRUE(c->Checked());
    EXPECT_FALSE(b->Checked());

    // Unchecking does not check anyone else.
    c->SetChecked(false);
    EXPECT_FALSE(a->Checked());
    EXPECT_FALSE(b->Checked());
}

TEST(ActionCheckedTest, GroupMemberWithoutListAndLinksThatCheckBack) {
    TComponentPtr<TAction> alone(new TAction(nullptr));
    alone->SetGroupIndex(3);
    alone->SetChecked(true); // no list: nothing else to uncheck
    EXPECT_TRUE(alone->Checked());

    // A client link that sets Checked back on the action while it is told does not recurse.
    class TEchoLink : public TActionLink {
    public:
        using TActionLink::TActionLink;
        void SetChecked(bool Value) override {
            ++Calls;
            dynamic_cast<TCustomAction*>(Action())->SetChecked(!Value);
        }
        int Calls = 0;
    };
    TEchoLink echo(nullptr);
    echo.SetAction(alone.get());
    alone->SetChecked(false);
    EXPECT_EQ(echo.Calls, 1);
    EXPECT_FALSE(alone->Checked());
}

TEST(ActionCheckedTest, AutoCheckTogglesOnExecuteButKeepsACheckedGroupMember) {
    TComponentPtr<TComponent> owner(new TComponent(nullptr));
    auto* list = new TActionList(owner.get());
    auto* toggle = new TAction(owner.get());
    toggle->SetActionList(list);
    toggle->SetAutoCheck(true);
    int runs = 0;
    toggle->OnExecute = [&](TObject*) { ++runs; };
    EXPECT_TRUE(toggle->Execute());
    EXPECT_TRUE(toggle->Checked());
    EXPECT_TRUE(toggle->Execute());
    EXPECT_FALSE(toggle->Checked());
    EXPECT_EQ(runs, 2);

    auto* radio1 = new TAction(owner.get());
    auto* radio2 = new TAction(owner.get());
    for (TAction* r : {radio1, radio2}) {
        r->SetActionList(list);
        r->SetGroupIndex(5);
        r->SetAutoCheck(true);
    }
    radio1->Execute();
    EXPECT_TRUE(radio1->Checked());
    radio1->Execute(); // stays checked: a group always keeps its choice
    EXPECT_TRUE(radio1->Checked());
    radio2->Execute();
    EXPECT_TRUE(radio2->Checked());
    EXPECT_FALSE(radio1->Checked());
}

TEST(ActionExecuteTest, TheListHandlesFirstThenTheActionsOwnEvent) {
    TComponentPtr<TComponent> owner(new TComponent(nullptr));
    auto* list = new TActionList(owner.get());
    auto* action = new TAction(owner.get());
    action->SetActionList(list);
    std::vector<String> log;
    action->OnExecute = [&](TObject*) { log.push_back("action"); };
    bool listHandles = true;
    list->OnExecute = [&](TBasicAction* A, bool& Handled) {
        log.push_back(A == action ? "list" : "list?");
        Handled = listHandles;
    };

    EXPECT_TRUE(action->Execute());
    listHandles = false;
    EXPECT_TRUE(action->Execute());
    EXPECT_EQ(log, (std::vector<String>{"list", "list", "action"}));

    // Nothing handles it: false.
    action->OnExecute = nullptr;
    EXPECT_FALSE(action->Execute());
    // Without a list only the action's own event counts.
    action->SetActionList(nullptr);
    EXPECT_EQ(list->ActionCount(), 0);
    EXPECT_FALSE(action->Execute());
}

TEST(ActionExecuteTest, UpdateRunsFirstAndADisabledActionDoesNotExecute) {
    TComponentPtr<TComponent> owner(new TComponent(nullptr));
    auto* list = new TActionList(owner.get());
    auto* action = new TAction(owner.get());
    action->SetActionList(list);
    bool allow = false;
    int runs = 0;
    std::vector<String> log;
    action->OnUpdate = [&](TObject* Sender) {
        log.push_back("action update");
        static_cast<TAction*>(Sender)->SetEnabled(allow);
    };
    action->OnExecute = [&](TObject*) { ++runs; };

    EXPECT_FALSE(action->Execute());
    EXPECT_EQ(runs, 0);
    allow = true;
    EXPECT_TRUE(action->Execute());
    EXPECT_EQ(runs, 1);

    // The list's OnUpdate, when it handles the update, replaces the action's.
    list->OnUpdate = [&](TBasicAction*, bool& Handled) {
        log.push_back("list update");
        Handled = true;
    };
    log.clear();
    EXPECT_TRUE(action->Update());
    EXPECT_EQ(log, (std::vector<String>{"list update"}));
}

TEST(ActionExecuteTest, LinkExecuteSetsTheActionComponentForTheCall) {
    TComponentPtr<TFakeClient> client(new TFakeClient(nullptr));
    TComponentPtr<TAction> action(new TAction(nullptr));
    TFakeLink link(client.get());
    link.SetAction(action.get());
    TComponent* seen = nullptr;
    action->OnExecute = [&](TObject* Sender) {
        seen = static_cast<TBasicAction*>(Sender)->ActionComponent();
    };
    EXPECT_TRUE(link.Execute(client.get()));
    EXPECT_EQ(seen, client.get());
    EXPECT_EQ(action->ActionComponent(), nullptr);

    // Also cleared when the handler raises.
    action->OnExecute = [&](TObject*) { throw EAbort("stop"); };
    EXPECT_THROW(link.Execute(client.get()), EAbort);
    EXPECT_EQ(action->ActionComponent(), nullptr);

    // An action component freed while set is forgotten.
    auto* temp = new TFakeClient(nullptr);
    action->SetActionComponent(temp);
    FreeComponent(temp);
    EXPECT_EQ(action->ActionComponent(), nullptr);
}

TEST(ActionListTest, ImagesAreClearedWhenTheImageListIsFreedAndChangesAreReported) {
    TComponentPtr<TActionList> list(new TActionList(nullptr));
    auto* images = new TImageList(nullptr); // another owner: needs free notification
    int changes = 0;
    list->OnChange = [&](TObject* Sender) {
        EXPECT_EQ(Sender, list.get());
        ++changes;
    };
    list->SetImages(images);
    EXPECT_EQ(list->Images(), images);
    images->SetWidth(24); // a change of the images is a change of the list
    EXPECT_EQ(changes, 1);
    FreeComponent(images);
    EXPECT_EQ(list->Images(), nullptr);

    // A replaced image list no longer reports to the list.
    TComponentPtr<TImageList> first(new TImageList(nullptr));
    TComponentPtr<TImageList> second(new TImageList(nullptr));
    list->SetImages(first.get());
    list->SetImages(second.get());
    changes = 0;
    first->SetWidth(32);
    EXPECT_EQ(changes, 0);
    second->SetWidth(32);
    EXPECT_EQ(changes, 1);
}

TEST(ActionListTest, MembershipIndexAndCategory) {
    TComponentPtr<TComponent> owner(new TComponent(nullptr));
    auto* list = new TActionList(owner.get());
    auto* other = new TActionList(owner.get());
    auto* a = new TAction(owner.get());
    auto* b = new TAction(owner.get());
    a->SetActionList(list);
    b->SetActionList(list);
    EXPECT_EQ(list->ActionCount(), 2);
    EXPECT_EQ(list->Actions(1), b);
    EXPECT_EQ(b->Index(), 1);
    EXPECT_EQ(a->GetParentComponent(), list);
    EXPECT_THROW(list->Actions(2), EListError);
    EXPECT_THROW(list->Actions(-1), EListError);

    b->SetIndex(0);
    EXPECT_EQ(list->Actions(0), b);
    b->SetIndex(99); // clamped to the end
    EXPECT_EQ(list->Actions(1), b);

    int changes = 0;
    list->OnChange = [&](TObject*) { ++changes; };
    a->SetCategory("File");
    a->SetCategory("File");
    EXPECT_EQ(changes, 1);

    // Moving to another list leaves the first.
    a->SetActionList(other);
    EXPECT_EQ(list->ActionCount(), 1);
    EXPECT_EQ(other->Actions(0), a);
    EXPECT_EQ(a->Index(), 0);
    EXPECT_EQ(changes, 2);
}

TEST(ActionListTest, FreeingAnActionOrTheListKeepsBothSidesConsistent) {
    TComponentPtr<TComponent> owner(new TComponent(nullptr));
    auto* list = new TActionList(owner.get());
    auto* a = new TAction(owner.get());
    auto* b = new TAction(nullptr); // not owned by the list's owner
    a->SetActionList(list);
    b->SetActionList(list);
    FreeComponent(a);
    ASSERT_EQ(list->ActionCount(), 1);
    EXPECT_EQ(list->Actions(0), b);

    // A client linked to an action freed with its list loses the action.
    TComponentPtr<TFakeClient> client(new TFakeClient(nullptr));
    TFakeLink link(client.get());
    link.SetAction(b);
    FreeComponent(list); // frees b too
    EXPECT_EQ(link.Action(), nullptr);
    EXPECT_EQ(owner->ComponentCount(), 0);
}

TEST(ActionListTest, OwnerFreesListAndActionsInEitherOrder) {
    for (bool listFirst : {true, false}) {
        TComponent* owner = new TComponent(nullptr);
        TActionList* list = nullptr;
        std::vector<TAction*> actions;
        if (listFirst) list = new TActionList(owner);
        for (int i = 0; i < 3; ++i)
            actions.push_back(new TAction(owner));
        if (!listFirst) list = new TActionList(owner);
        for (TAction* a : actions)
            a->SetActionList(list);
        FreeComponent(owner); // the live-object check catches a leak or a double free
    }
}

TEST(ActionListTest, AssignCopiesPropertiesButNotTheList) {
    TComponentPtr<TComponent> owner(new TComponent(nullptr));
    auto* list = new TActionList(owner.get());
    auto* source = new TAction(owner.get());
    source->SetActionList(list);
    source->SetCaption("Print");
    source->SetHint("Prints");
    source->SetImageIndex(4);
    source->SetShortCut(0x4050);
    source->SetEnabled(false);
    source->SetAutoCheck(true);
    TComponentPtr<TAction> copy(new TAction(nullptr));
    copy->Assign(source);
    EXPECT_EQ(copy->Caption(), "Print");
    EXPECT_EQ(copy->Hint(), "Prints");
    EXPECT_EQ(copy->ImageIndex(), 4);
    EXPECT_EQ(copy->ShortCut(), 0x4050);
    EXPECT_FALSE(copy->Enabled());
    EXPECT_TRUE(copy->AutoCheck());
    EXPECT_EQ(copy->ActionList(), nullptr);

    TComponentPtr<TComponent> notAnAction(new TComponent(nullptr));
    EXPECT_THROW(copy->Assign(notAnAction.get()), EConvertError);
}

TEST(ActionLayoutTest, ReadsActionsIntoTheirListAndWritesThemBack) {
    const String layout = "object Root: TActionTestRoot\r\n"
                          "  object ImageList1: TImageList\r\n"
                          "  end\r\n"
                          "  object ActionList1: TActionList\r\n"
                          "    Images = ImageList1\r\n"
                          "    object Action1: TAction\r\n"
                          "      Caption = 'Open'\r\n"
                          "      GroupIndex = 2\r\n"
                          "      ImageIndex = 0\r\n"
                          "      ShortCut = 16463\r\n"
                          "      OnExecute = Action1Execute\r\n"
                          "    end\r\n"
                          "    object Action2: TAction\r\n"
                          "      Category = 'File'\r\n"
                          "      Enabled = False\r\n"
                          "    end\r\n"
                          "  end\r\n"
                          "end\r\n";
    RegisterClass<TImageList>();
    TComponentPtr<TActionTestRoot> root(new TActionTestRoot(nullptr));
    ReadComponentFromText(layout, root.get(), "Root");
    auto* list = dynamic_cast<TActionList*>(root->FindComponent("ActionList1"));
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->ActionCount(), 2);
    auto* a1 = dynamic_cast<TAction*>(list->Actions(0));
    ASSERT_NE(a1, nullptr);
    EXPECT_EQ(a1->Name(), "Action1");
    EXPECT_EQ(a1->Owner(), root.get());
    EXPECT_EQ(a1->Caption(), "Open");
    EXPECT_EQ(a1->GroupIndex(), 2);
    EXPECT_EQ(a1->ShortCut(), 16463);
    EXPECT_EQ(list->Images(), root->FindComponent("ImageList1"));
    EXPECT_TRUE(a1->Execute());
    EXPECT_EQ(root->Executed, 1);
    EXPECT_FALSE(dynamic_cast<TAction*>(list->Actions(1))->Enabled());

    String written = WriteComponentToText(root.get());
    EXPECT_NE(written.find("    object Action1: TAction\r\n      Caption = 'Open'"), String::npos) << written;
    EXPECT_NE(written.find("OnExecute = Action1Execute"), String::npos) << written;
    EXPECT_NE(written.find("Enabled = False"), String::npos) << written;
    EXPECT_EQ(written.find("Visible"), String::npos) << written; // defaults are not written
}
