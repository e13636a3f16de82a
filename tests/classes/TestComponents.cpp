#include "tests/classes/TestComponents.h"

#include <algorithm>

#include "platform/classes/ClassRegistry.h"
#include "platform/rtl/Streams.h"

namespace TestComponents {

std::vector<String>& Log() {
    static std::vector<String> log;
    return log;
}

// ---- TTestFont ----

KV_PUBLISHED(TTestFont) {
    p.Str("Name", &TTestFont::FName, nullptr, "Tahoma");
    p.Int("Size", &TTestFont::FSize, nullptr, 8);
    p.Color("Color", &TTestFont::FColor, nullptr, vcl::clWindowText);
    p.Set("Style", &TTestFont::FStyle, nullptr, TTestStyles{});
}

// ---- TTestPanel / TTestPanels ----

KV_PUBLISHED(TTestPanel) {
    p.Int("Width", &TTestPanel::FWidth, &TTestPanel::SetWidth, 50);
    p.Str("Text", &TTestPanel::FText);
    p.Enum("Align", &TTestPanel::FAlign, nullptr, taNone);
}

TTestPanel::TTestPanel(vcl::TCollection* Collection) : vcl::TCollectionItem(Collection) {
    FSeenCollection = this->Collection();
}

void TTestPanel::Assign(vcl::TPersistent* Source) {
    if (auto* s = dynamic_cast<TTestPanel*>(Source)) {
        FWidth = s->FWidth;
        FText = s->FText;
        FAlign = s->FAlign;
        Changed(false);
        return;
    }
    vcl::TCollectionItem::Assign(Source);
}

void TTestPanel::SetWidth(int Value) {
    if (Value < 0) throw vcl::EInvalidOperation("Width must not be negative");
    if (FWidth == Value) return;
    FWidth = Value;
    Changed(false);
}

TTestPanels::TTestPanels(vcl::TPersistent* AOwner)
    : vcl::TCollection(vcl::ItemClassOf<TTestPanel>(), AOwner) {}

void TTestPanels::Update(vcl::TCollectionItem* Item) {
    ++Updates;
    LastUpdateItem = Item;
}

void TTestPanels::Notify(vcl::TCollectionItem* Item, vcl::TCollectionNotification Action) {
    static const char* names[] = {"added", "extracting", "deleting"};
    // The item must be complete here: its own field is readable.
    auto* panel = dynamic_cast<TTestPanel*>(Item);
    Notes.push_back(String(names[Action]) + " " + (panel != nullptr ? std::to_string(panel->FWidth) : "?"));
}

// ---- TTestControl ----

KV_PUBLISHED(TTestControl) {
    p.Int("Left", &TTestControl::FLeft, nullptr, 0);
    p.Int("Top", &TTestControl::FTop, nullptr, 0);
    p.Int("Width", &TTestControl::FWidth, &TTestControl::SetWidth, 100);
    p.Int("Height", &TTestControl::FHeight, nullptr, 25);
    p.Int("Big", &TTestControl::FBig, nullptr, 0);
    p.Int("Small", &TTestControl::FSmall, nullptr, 0);
    p.Int("Area", &TTestControl::GetArea); // read-only: never written, refused when read
    p.Str("Caption", &TTestControl::FCaption, &TTestControl::SetCaption);
    p.Bool("Visible", &TTestControl::FVisible, nullptr, true);
    p.Enum("Align", &TTestControl::FAlign, nullptr, taNone);
    p.Color("Color", &TTestControl::FColor, nullptr, vcl::clBtnFace);
    p.Float("Ratio", &TTestControl::FRatio, nullptr, 1.0);
    p.Char("Accel", &TTestControl::FAccel, nullptr, '\0');
    p.Object("Font", &TTestControl::FFont);
    p.Strings("Items", &TTestControl::FItems);
    p.Collection("Panels", &TTestControl::FPanels);
    p.Binary("Data", &TTestControl::ReadData, &TTestControl::WriteData, &TTestControl::HasData);
    p.Ref("Buddy", &TTestControl::FBuddy, &TTestControl::SetBuddy);
    p.Event("OnClick", &TTestControl::OnClick);
    p.Event("OnKey", &TTestControl::OnKey);
}

TTestControl::TTestControl(TComponent* AOwner)
    : TComponent(AOwner), FFont(std::make_unique<TTestFont>()), FItems(std::make_unique<vcl::TStringList>()),
      FPanels(std::make_unique<TTestPanels>(this)) {}

TTestControl::~TTestControl() {
    BeforeDestruction();
    SetParent(nullptr);
    for (TTestControl* child : FChildren)
        child->FParent = nullptr;
}

void TTestControl::SetParent(TTestControl* Value) {
    if (FParent == Value) return;
    if (FParent != nullptr) std::erase(FParent->FChildren, this);
    FParent = Value;
    if (FParent != nullptr) FParent->FChildren.push_back(this);
}

void TTestControl::SetParentComponent(TComponent* Value) {
    SetParent(dynamic_cast<TTestControl*>(Value));
}

void TTestControl::GetChildren(const vcl::TGetChildProc& Proc, TComponent* Root) {
    for (TTestControl* child : FChildren)
        if (child->Owner() == Root) Proc(child);
}

void TTestControl::SetWidth(int Value) {
    if (Value < 0) throw vcl::EInvalidOperation("Width must not be negative");
    Log().push_back("Width " + Name());
    if (ParentWhenRead == nullptr) ParentWhenRead = FParent;
    LoadingWhenRead = ComponentState().Contains(vcl::csLoading) && ComponentState().Contains(vcl::csReading);
    FWidth = Value;
}

void TTestControl::SetCaption(const String& Value) {
    Log().push_back("Caption " + Name());
    FCaption = Value;
}

void TTestControl::SetBuddy(TTestControl* Value) {
    if (FBuddy == Value) return;
    if (FBuddy != nullptr) FBuddy->RemoveFreeNotification(this);
    FBuddy = Value;
    if (FBuddy != nullptr) FBuddy->FreeNotification(this);
}

void TTestControl::ReadData(vcl::TStream* Stream) {
    FData.assign(static_cast<size_t>(Stream->Size()), '\0');
    if (!FData.empty()) Stream->ReadBuffer(FData.data(), static_cast<vcl::Int64>(FData.size()));
}

void TTestControl::WriteData(vcl::TStream* Stream) {
    if (!FData.empty()) Stream->WriteBuffer(FData.data(), static_cast<vcl::Int64>(FData.size()));
}

void TTestControl::Notification(TComponent* AComponent, vcl::TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation != vcl::opRemove) return;
    if (AComponent == FBuddy) FBuddy = nullptr;
    if (AComponent == FParent) FParent = nullptr;
    std::erase(FChildren, AComponent);
}

void TTestControl::Loaded() {
    TComponent::Loaded();
    Log().push_back("Loaded " + Name());
}

// ---- TTestTimer ----

namespace {
bool PriorityToInt(const String& ident, vcl::Int64& value) {
    if (ident == "prLow" || ident == "prHigh") {
        value = ident == "prLow" ? -1 : 1;
        return true;
    }
    return false;
}
bool IntToPriority(vcl::Int64 value, String& ident) {
    if (value != -1 && value != 1) return false;
    ident = value == -1 ? "prLow" : "prHigh";
    return true;
}
} // namespace

KV_PUBLISHED(TTestTimer) {
    p.Int("Interval", &TTestTimer::FInterval, nullptr, 1000);
    p.Int("Priority", &TTestTimer::FPriority, nullptr, 0).Idents(PriorityToInt, IntToPriority);
    p.Ref("Target", &TTestTimer::FTarget);
}

void TTestTimer::Notification(TComponent* AComponent, vcl::TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == vcl::opRemove && AComponent == FTarget) FTarget = nullptr;
}

void TTestTimer::Loaded() {
    TComponent::Loaded();
    Log().push_back("Loaded " + Name());
}

// ---- TTestForm ----

KV_PUBLISHED(TTestForm) {
    p.Field("Button1", &TTestForm::Button1);
    p.Field("Panel1", &TTestForm::Panel1);
    p.Field("Timer1", &TTestForm::Timer1);
    p.Handler("Button1Click", &TTestForm::Button1Click);
    p.Handler("KeyHandler", &TTestForm::KeyHandler);
    p.Handler("WrongHandler", &TTestForm::WrongHandler);
}

TTestForm::TTestForm(TComponent* AOwner) : TTestControl(AOwner) {}

void TTestForm::GetChildren(const vcl::TGetChildProc& Proc, TComponent* Root) {
    for (int i = 0; i < ComponentCount(); ++i)
        if (!Components(i)->HasParent()) Proc(Components(i));
    TTestControl::GetChildren(Proc, Root);
}

void TTestForm::Button1Click(TObject* Sender) {
    auto* c = dynamic_cast<TComponent*>(Sender);
    Clicks.push_back(c != nullptr ? c->Name() : String("?"));
}

void TTestForm::KeyHandler(TObject*, int& Key) {
    Key = 0;
}

void TTestForm::WrongHandler(int) {}

void RegisterTestClasses() {
    vcl::RegisterClasses(
        {vcl::ClassEntry<TTestControl>(), vcl::ClassEntry<TTestTimer>(), vcl::ClassEntry<TTestForm>()});
}

} // namespace TestComponents

// The namespace-scope registration style, for one class.
namespace TestComponents {
KV_REGISTER_CLASS(TOtherForm)
}
