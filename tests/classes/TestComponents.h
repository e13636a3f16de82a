#pragma once
// Small component classes that exercise every kind of published property.

#include <memory>
#include <vector>

#include "platform/classes/Component.h"
#include "platform/classes/Properties.h"
#include "platform/rtl/Collection.h"
#include "platform/rtl/Colors.h"
#include "platform/rtl/Events.h"
#include "platform/rtl/Strings.h"

namespace TestComponents {

using vcl::String;
using vcl::TComponent;
using vcl::TObject;

KV_ENUM(TTestAlign, taNone, taTop, taBottom, taClient);
KV_ENUM(TTestStyle, tsBold, tsItalic, tsUnderline, tsStrikeOut);
using TTestStyles = vcl::TSet<TTestStyle>;

using TKeyEvent = std::function<void(TObject* Sender, int& Key)>;

// What the test classes did, in order ("Loaded Button1", "Width", ...).
std::vector<String>& Log();

class TTestFont : public vcl::TPersistent {
    KV_CLASS(TTestFont, vcl::TPersistent)
    KV_PUBLISHED_PROPERTIES(TTestFont)
public:
    String FName = "Tahoma";
    int FSize = 8;
    vcl::TColor FColor = vcl::clWindowText;
    TTestStyles FStyle;
};

class TTestPanel : public vcl::TCollectionItem {
    KV_CLASS(TTestPanel, vcl::TCollectionItem)
    KV_PUBLISHED_PROPERTIES(TTestPanel)
public:
    explicit TTestPanel(vcl::TCollection* Collection);
    void Assign(vcl::TPersistent* Source) override;
    void SetWidth(int Value);
    int FWidth = 50;
    String FText;
    TTestAlign FAlign = taNone;
    // The collection as the constructor saw it.
    vcl::TCollection* FSeenCollection = nullptr;

protected:
    String GetDisplayName() override {
        return FText.empty() ? vcl::TCollectionItem::GetDisplayName() : FText;
    }
};

class TTestPanels : public vcl::TCollection {
    KV_CLASS(TTestPanels, vcl::TCollection)
public:
    explicit TTestPanels(vcl::TPersistent* AOwner = nullptr);
    TTestPanel* GetItem(int Index) const {
        return static_cast<TTestPanel*>(vcl::TCollection::GetItem(Index));
    }
    int Updates = 0;
    vcl::TCollectionItem* LastUpdateItem = nullptr;
    std::vector<String> Notes; // "added 0", "extracting 1", "deleting 1"

protected:
    void Update(vcl::TCollectionItem* Item) override;
    void Notify(vcl::TCollectionItem* Item, vcl::TCollectionNotification Action) override;
};

// A control-like component: a parent, children, and one property of every kind.
class TTestControl : public TComponent {
    KV_CLASS(TTestControl, TComponent)
    KV_PUBLISHED_PROPERTIES(TTestControl)
public:
    explicit TTestControl(TComponent* AOwner);
    ~TTestControl() override;

    TTestControl* Parent() const { return FParent; }
    void SetParent(TTestControl* Value);
    const std::vector<TTestControl*>& Children() const { return FChildren; }

    TComponent* GetParentComponent() const override { return FParent; }
    bool HasParent() const override { return true; }
    void SetParentComponent(TComponent* Value) override;
    void GetChildren(const vcl::TGetChildProc& Proc, TComponent* Root) override;

    void SetWidth(int Value);
    void SetCaption(const String& Value);
    void SetBuddy(TTestControl* Value);
    int GetArea() const { return FWidth * FHeight; }
    void ReadData(vcl::TStream* Stream);
    void WriteData(vcl::TStream* Stream);
    bool HasData() const { return !FData.empty(); }

    int FLeft = 0;
    int FTop = 0;
    int FWidth = 100;
    int FHeight = 25;
    long long FBig = 0;
    short FSmall = 0;
    String FCaption;
    bool FVisible = true;
    TTestAlign FAlign = taNone;
    vcl::TColor FColor = vcl::clBtnFace;
    double FRatio = 1.0;
    char FAccel = 0;
    std::unique_ptr<TTestFont> FFont;
    std::unique_ptr<vcl::TStringList> FItems;
    std::unique_ptr<TTestPanels> FPanels;
    String FData;
    TTestControl* FBuddy = nullptr;
    vcl::TNotifyEvent OnClick;
    TKeyEvent OnKey;
    // Parent and state flags seen while the properties were read.
    TTestControl* ParentWhenRead = nullptr;
    bool LoadingWhenRead = false;

    void Notification(TComponent* AComponent, vcl::TOperation Operation) override;

protected:
    void Loaded() override;

private:
    TTestControl* FParent = nullptr;
    std::vector<TTestControl*> FChildren;
};

// A non-visual component (no parent).
class TTestTimer : public TComponent {
    KV_CLASS(TTestTimer, TComponent)
    KV_PUBLISHED_PROPERTIES(TTestTimer)
public:
    using TComponent::TComponent;
    int FInterval = 1000;
    int FPriority = 0; // named values prLow (-1) and prHigh (1)
    TTestControl* FTarget = nullptr;
    void Notification(TComponent* AComponent, vcl::TOperation Operation) override;

protected:
    void Loaded() override;
};

// A form: declares its fields and handlers.
class TTestForm : public TTestControl {
    KV_CLASS(TTestForm, TTestControl)
    KV_PUBLISHED_PROPERTIES(TTestForm)
public:
    explicit TTestForm(TComponent* AOwner);
    void GetChildren(const vcl::TGetChildProc& Proc, TComponent* Root) override;

    TTestControl* Button1 = nullptr;
    TTestControl* Panel1 = nullptr;
    TTestTimer* Timer1 = nullptr;
    std::vector<String> Clicks;

    void Button1Click(TObject* Sender);
    void KeyHandler(TObject* Sender, int& Key);
    void WrongHandler(int Value);
};

// Another form class, to check that a layout is read only into its own class.
class TOtherForm : public TTestForm {
    KV_CLASS(TOtherForm, TTestForm)
public:
    using TTestForm::TTestForm;
};

// Registers the test classes (explicit call style).
void RegisterTestClasses();

} // namespace TestComponents
