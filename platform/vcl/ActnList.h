#pragma once
// Actions: commands with a caption, a checked and enabled state, an image and a shortcut, shared by the
// controls and menu items that show them.
//
// A client (a control, a menu item) holds an action link to its action. The link registers itself with
// the action (RegisterChanges); when a property of a TCustomAction changes, the action first calls the
// matching setter of every registered link (SetCaption, SetChecked, ...) while it still holds the old
// value, so that a link can compare its client with the action (IsCaptionLinked, ...) and follow only
// when the client still shows what the action showed; then the action stores the value and calls Change,
// which raises the links' OnChange.
//
// Executing a contained action asks its action list first (the list's OnExecute may handle it), then the
// action's own OnExecute. A TCustomAction runs Update first (its list's OnUpdate or its own OnUpdate), and
// executes only while Enabled; with AutoCheck it toggles Checked on the way.
//
// Link setters and queries are called from the action with C++'s usual virtual dispatch; note that
// during construction a link's AssignClient is this class's own, so a derived link that keeps its client
// calls AssignClient again from its own constructor.

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "platform/classes/Component.h"
#include "platform/classes/Properties.h"
#include "platform/rtl/Events.h"

namespace vcl {

class TBasicAction;
class TContainedAction;
class TCustomAction;
class TCustomActionList;
class TCustomImageList;
class TChangeLink;

// A keyboard shortcut: virtual key code in the low byte, modifier flags in the high byte
// (0x2000 Shift, 0x4000 Ctrl, 0x8000 Alt).
using TShortCut = std::uint16_t;
using TImageIndex = int;
using THelpContext = int;

// ---- links ----

class TBasicActionLink : public TObject {
    KV_CLASS(TBasicActionLink, TObject)
public:
    explicit TBasicActionLink(TObject* AClient);
    ~TBasicActionLink() override;

    TBasicAction* Action() const { return FAction; }
    // Moves the link from its action to Value (either may be null).
    virtual void SetAction(TBasicAction* Value);

    // Executes the action with AComponent as its ActionComponent for the time of the call; false when
    // there is no action or nothing handled it.
    virtual bool Execute(TComponent* AComponent = nullptr);
    // Runs the action's Update; false when there is no action or nothing handled it.
    virtual bool Update();

    // Raised (with the action as sender) when the action reports a change.
    TNotifyEvent OnChange;
    virtual void Change();

    // Whether the client follows each property of the action. The defaults answer true for a
    // TCustomAction (for OnExecute: for any action); a client's link narrows them.
    virtual bool IsAutoCheckLinked();
    virtual bool IsCaptionLinked();
    virtual bool IsCheckedLinked();
    virtual bool IsEnabledLinked();
    virtual bool IsGroupIndexLinked();
    virtual bool IsHelpContextLinked();
    virtual bool IsHintLinked();
    virtual bool IsImageIndexLinked();
    virtual bool IsShortCutLinked();
    virtual bool IsVisibleLinked();
    virtual bool IsOnExecuteLinked();

    // Called by the action before it stores a new value; the defaults do nothing.
    virtual void SetAutoCheck(bool Value);
    virtual void SetCaption(const String& Value);
    virtual void SetChecked(bool Value);
    virtual void SetEnabled(bool Value);
    virtual void SetGroupIndex(int Value);
    virtual void SetHelpContext(THelpContext Value);
    virtual void SetHint(const String& Value);
    virtual void SetImageIndex(TImageIndex Value);
    virtual void SetShortCut(TShortCut Value);
    virtual void SetVisible(bool Value);
    virtual void SetOnExecute(const TNotifyEvent& Value);

    // Takes note of the client; the default keeps nothing.
    virtual void AssignClient(TObject* AClient);

protected:
    TBasicAction* FAction = nullptr;

private:
    friend class TBasicAction;
};

// The link class the framework names for action-aware clients; it adds nothing to the basic link.
class TActionLink : public TBasicActionLink {
    KV_CLASS(TActionLink, TBasicActionLink)
public:
    using TBasicActionLink::TBasicActionLink;
};

// ---- actions ----

class TBasicAction : public TComponent {
    KV_CLASS(TBasicAction, TComponent)
public:
    explicit TBasicAction(TComponent* AOwner);
    ~TBasicAction() override;

    // Target handling for actions that act on the focused control; the defaults handle nothing.
    virtual bool HandlesTarget(TObject* Target);
    virtual void UpdateTarget(TObject* Target);
    virtual void ExecuteTarget(TObject* Target);

    // Raises OnExecute; true when it is set.
    virtual bool Execute();
    // Raises OnUpdate; true when it is set.
    virtual bool Update();

    // The component that executes the action (set by a link for the time of Execute).
    TComponent* ActionComponent() const { return FActionComponent; }
    void SetActionComponent(TComponent* Value);

    void RegisterChanges(TBasicActionLink* Value);
    void UnRegisterChanges(TBasicActionLink* Value);

    // Assigning through SetOnExecute also tells the links (so that a client's click event follows);
    // a layout binds the event directly.
    TNotifyEvent OnExecute;
    void SetOnExecute(const TNotifyEvent& Value);
    TNotifyEvent OnUpdate;

    void Notification(TComponent* AComponent, TOperation Operation) override;

protected:
    // Raises OnChange, then each link's Change.
    virtual void Change();
    TNotifyEvent OnChange;
    // The registered links, in registration order.
    std::vector<TBasicActionLink*> FClients;

private:
    void DetachLinks();
    TComponent* FActionComponent = nullptr;
};

// An action that belongs to an action list (its parent in layouts).
class TContainedAction : public TBasicAction {
    KV_CLASS(TContainedAction, TBasicAction)
public:
    explicit TContainedAction(TComponent* AOwner);
    ~TContainedAction() override;

    // The list's ExecuteAction / UpdateAction first, then the action's own event.
    bool Execute() override;
    bool Update() override;

    TCustomActionList* ActionList() const { return FActionList; }
    void SetActionList(TCustomActionList* Value);
    const String& Category() const { return FCategory; }
    void SetCategory(const String& Value);
    // Position in the action list (-1 without one); setting it moves the action within its list.
    int Index() const;
    void SetIndex(int Value);

    TComponent* GetParentComponent() const override;
    bool HasParent() const override { return true; }
    void SetParentComponent(TComponent* AParent) override;

private:
    friend class TCustomActionList;
    TCustomActionList* FActionList = nullptr;
    String FCategory;
};

class TCustomAction : public TContainedAction {
    KV_CLASS(TCustomAction, TContainedAction)
public:
    explicit TCustomAction(TComponent* AOwner);

    // Update first; then, when enabled, AutoCheck toggles Checked (a checked member of a group stays
    // checked) and the action executes. False when disabled or unhandled.
    bool Execute() override;

    bool AutoCheck() const { return FAutoCheck; }
    void SetAutoCheck(bool Value);
    const String& Caption() const { return FCaption; }
    void SetCaption(const String& Value);
    // Checking a member of a group (GroupIndex > 0) unchecks the other members of its action list.
    bool Checked() const { return FChecked; }
    void SetChecked(bool Value);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int Value);
    THelpContext HelpContext() const { return FHelpContext; }
    void SetHelpContext(THelpContext Value);
    const String& Hint() const { return FHint; }
    void SetHint(const String& Value);
    TImageIndex ImageIndex() const { return FImageIndex; }
    void SetImageIndex(TImageIndex Value);
    TShortCut ShortCut() const { return FShortCut; }
    void SetShortCut(TShortCut Value);
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value);

protected:
    // Copies the properties and events into another TCustomAction.
    void AssignTo(TPersistent* Dest) override;

private:
    // Each link's setter of the property, by index so that a link may leave on the way.
    template <typename F> void ForEachLink(F&& f) {
        for (size_t i = 0; i < FClients.size(); ++i)
            f(FClients[i]);
    }
    void UncheckGroup();

    bool FAutoCheck = false;
    String FCaption;
    bool FChecked = false;
    bool FChecking = false;
    bool FEnabled = true;
    int FGroupIndex = 0;
    THelpContext FHelpContext = 0;
    String FHint;
    TImageIndex FImageIndex = -1;
    TShortCut FShortCut = 0;
    bool FVisible = true;
};

class TAction : public TCustomAction {
    KV_CLASS(TAction, TCustomAction)
    KV_PUBLISHED_PROPERTIES(TAction)
public:
    explicit TAction(TComponent* AOwner);
};

// The action the application hands to its controls' ExecuteAction when the hint text changes; a status
// bar with AutoHint shows its Hint.
class THintAction : public TCustomAction {
    KV_CLASS(THintAction, TCustomAction)
public:
    explicit THintAction(TComponent* AOwner) : TCustomAction(AOwner) {}
};

// ---- action lists ----

using TActionEvent = std::function<void(TBasicAction* Action, bool& Handled)>;

class TCustomActionList : public TComponent {
    KV_CLASS(TCustomActionList, TComponent)
public:
    explicit TCustomActionList(TComponent* AOwner);
    // Frees the actions still in the list.
    ~TCustomActionList() override;

    // Out of range raises EListError "List index out of bounds (<i>)".
    TContainedAction* Actions(int Index) const;
    int ActionCount() const { return static_cast<int>(FActions.size()); }

    // The images the actions' ImageIndex refers to; cleared when the image list is freed.
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* Value);

    // Raises OnExecute / OnUpdate with Handled false; returns Handled.
    virtual bool ExecuteAction(TBasicAction* Action);
    virtual bool UpdateAction(TBasicAction* Action);

    TActionEvent OnExecute;
    TActionEvent OnUpdate;
    // Raised when actions come or go, a category changes, or the image list changes.
    TNotifyEvent OnChange;

    void GetChildren(const TGetChildProc& Proc, TComponent* Root) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

protected:
    virtual void AddAction(TContainedAction* Action);
    virtual void RemoveAction(TContainedAction* Action);
    virtual void Change();

private:
    friend class TContainedAction;
    void ImageListChange(TObject* Sender);

    std::vector<TContainedAction*> FActions;
    TCustomImageList* FImages = nullptr;
    std::unique_ptr<TChangeLink> FImageChangeLink;
};

class TActionList : public TCustomActionList {
    KV_CLASS(TActionList, TCustomActionList)
    KV_PUBLISHED_PROPERTIES(TActionList)
public:
    explicit TActionList(TComponent* AOwner) : TCustomActionList(AOwner) {}
};

// Registers TAction and TActionList with the class registry (also done at start-up when this unit is
// linked in).
void RegisterActnListClasses();

} // namespace vcl
