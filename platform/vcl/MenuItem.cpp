#include "platform/vcl/MenuItem.h"

#include "platform/classes/ClassRegistry.h"

#include <algorithm>
#include <set>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/SysUtils.h"
#include "platform/vcl/Menu.h"
#include "platform/vcl/Screen.h"
#include "platform/win/Windows.h"

namespace vcl {
namespace {

// Command identifiers fit the low word of WM_COMMAND; freed ones are used again.
std::set<win::UINT>& UsedCommands() {
    static std::set<win::UINT> used;
    return used;
}

win::UINT AllocateCommand() {
    auto& used = UsedCommands();
    win::UINT id = 1;
    for (win::UINT u : used) {
        if (u != id) break;
        ++id;
    }
    if (id > 0xFFFF) throw EMenuError("Too many menu items");
    used.insert(id);
    return id;
}

} // namespace

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner), FCommand(AllocateCommand()) {}

TMenuItem::~TMenuItem() {
    BeforeDestruction();
    SetAction(nullptr);
    for (TMenuItem* child : FItems)
        child->FParent = nullptr;
    std::vector<TMenuItem*> children;
    children.swap(FItems);
    if (FParent) FParent->Remove(this);
    ClearHandle();
    if (FHandle) win::DestroyMenu(FHandle);
    FHandle = nullptr;
    for (TMenuItem* child : children)
        FreeComponent(child);
    UsedCommands().erase(FCommand);
}

KV_PUBLISHED(TMenuItem) {
    p.Str("Caption", &TMenuItem::FCaption, &TMenuItem::SetCaption);
    p.Int("ShortCut", &TMenuItem::FShortCut, &TMenuItem::SetShortCut, 0);
    p.Bool("Checked", &TMenuItem::FChecked, &TMenuItem::SetChecked, false);
    p.Bool("RadioItem", &TMenuItem::FRadioItem, &TMenuItem::SetRadioItem, false);
    p.Int("GroupIndex", &TMenuItem::FGroupIndex, &TMenuItem::SetGroupIndex, 0);
    p.Bool("Enabled", &TMenuItem::FEnabled, &TMenuItem::SetEnabled, true);
    p.Bool("Visible", &TMenuItem::FVisible, &TMenuItem::SetVisible, true);
    p.Bool("Default", &TMenuItem::FDefault, &TMenuItem::SetDefault, false);
    p.Int("ImageIndex", &TMenuItem::FImageIndex, &TMenuItem::SetImageIndex, -1);
    p.Str("Hint", &TMenuItem::FHint, &TMenuItem::SetHint);
    p.Enum("Break", &TMenuItem::FBreak, &TMenuItem::SetBreak, mbNone);
    p.Bool("AutoCheck", &TMenuItem::FAutoCheck, &TMenuItem::SetAutoCheck, false);
    p.Enum("AutoLineReduction", &TMenuItem::FAutoLineReduction, &TMenuItem::SetAutoLineReduction, maParent);
    p.Ref("Action", &TMenuItem::Action, &TMenuItem::SetAction);
    p.Object("Bitmap", &TMenuItem::Bitmap);
    p.Event("OnClick", &TMenuItem::OnClick);
    p.Event("OnMeasureItem", &TMenuItem::OnMeasureItem);
    p.Event("OnDrawItem", &TMenuItem::OnDrawItem);
    p.Event("OnAdvancedDrawItem", &TMenuItem::OnAdvancedDrawItem);
}
KV_REGISTER_CLASS(TMenuItem)

void TMenuItem::SetCaption(const String& Value) {
    if (FCaption == Value) return;
    FCaption = Value;
    MenuChanged(true);
}

void TMenuItem::SetShortCut(TShortCut Value) {
    if (FShortCut == Value) return;
    FShortCut = Value;
    MenuChanged(true);
}

void TMenuItem::TurnSiblingsOff() {
    if (!FParent) return;
    for (TMenuItem* s : FParent->FItems)
        if (s != this && s->FRadioItem && s->FGroupIndex == FGroupIndex && s->FChecked) {
            s->FChecked = false;
            s->MenuChanged(true);
        }
}

void TMenuItem::SetChecked(bool Value) {
    if (FChecked == Value) return;
    FChecked = Value;
    if (Value && FRadioItem) TurnSiblingsOff();
    MenuChanged(true);
}

void TMenuItem::SetRadioItem(bool Value) {
    if (FRadioItem == Value) return;
    FRadioItem = Value;
    if (FChecked && FRadioItem) TurnSiblingsOff();
    MenuChanged(true);
}

void TMenuItem::SetGroupIndex(Byte Value) {
    if (FGroupIndex == Value) return;
    FGroupIndex = Value;
    if (FChecked && FRadioItem) TurnSiblingsOff();
    MenuChanged(true);
}

void TMenuItem::SetEnabled(bool Value) {
    if (FEnabled == Value) return;
    FEnabled = Value;
    MenuChanged(true);
}

void TMenuItem::SetVisible(bool Value) {
    if (FVisible == Value) return;
    FVisible = Value;
    MenuChanged(true);
}

void TMenuItem::SetDefault(bool Value) {
    if (FDefault == Value) return;
    if (Value && FParent)
        for (TMenuItem* s : FParent->FItems)
            if (s != this && s->FDefault) {
                s->FDefault = false;
                s->MenuChanged(true);
            }
    FDefault = Value;
    MenuChanged(true);
}

void TMenuItem::SetImageIndex(int Value) {
    if (FImageIndex == Value) return;
    FImageIndex = Value;
    MenuChanged(true);
}

void TMenuItem::SetBreak(TMenuBreak Value) {
    if (FBreak == Value) return;
    FBreak = Value;
    MenuChanged(true);
}

void TMenuItem::SetAutoLineReduction(TMenuItemAutoFlag Value) {
    if (FAutoLineReduction == Value) return;
    FAutoLineReduction = Value;
    // The sub-items' separators show or go, in this item's submenu and in those that take its choice.
    MenuChanged(true);
}

TMenuAutoFlag TMenuItem::GetAutoLineReduction() const {
    for (const TMenuItem* i = this; i; i = i->FParent) {
        if (i->FAutoLineReduction != maParent) return i->FAutoLineReduction;
        if (!i->FParent && i->FMenu)
            return i->FMenu->AutoLineReduction() == maManual ? maManual : maAutomatic;
    }
    return maAutomatic;
}

TMenuItem* TMenuItem::FindShown(const std::function<bool(TMenuItem*)>& Visit) const {
    // Reduced, a separator shows only between two shown items that are none: it is held back until an
    // item comes after it, and one that comes while another is held, or before any item, is left out.
    const bool reduce = GetAutoLineReduction() == maAutomatic;
    TMenuItem* held = nullptr;
    bool itemBefore = false;
    TMenuItem* hit = nullptr;
    auto offer = [&](TMenuItem* i) {
        if (reduce && i->IsLine()) {
            if (itemBefore && !held) held = i;
            return false;
        }
        if (held && Visit(held)) {
            hit = held;
            return true;
        }
        held = nullptr;
        itemBefore = true;
        if (!Visit(i)) return false;
        hit = i;
        return true;
    };
    if (!FParent && FMenu && FMenu->MergedMenu()) {
        // The top level of a merged main menu: the menu decides, showing another menu's items too.
        for (TMenuItem* i : FMenu->ShownItems())
            if (offer(i)) return hit;
    } else {
        for (TMenuItem* i : FItems)
            if (i->FVisible && offer(i)) return hit;
    }
    return nullptr;
}

std::vector<TMenuItem*> TMenuItem::ShownItems() const {
    std::vector<TMenuItem*> shown;
    FindShown([&](TMenuItem* i) {
        shown.push_back(i);
        return false;
    });
    return shown;
}

bool TMenuItem::Shown() const {
    if (!FVisible) return false;
    if (!IsLine() || !FParent) return true;
    return FParent->FindShown([this](TMenuItem* i) { return i == this; }) == this;
}

TMenuItem* TMenuItem::Items(int Index) const {
    if (Index < 0 || Index >= Count()) throw EMenuError("Menu index out of range");
    return FItems[static_cast<size_t>(Index)];
}

int TMenuItem::IndexOf(const TMenuItem* Item) const {
    auto it = std::find(FItems.begin(), FItems.end(), Item);
    return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

int TMenuItem::MenuIndex() const {
    return FParent ? FParent->IndexOf(this) : -1;
}

void TMenuItem::SetMenuIndex(int Value) {
    if (!FParent) return;
    TMenuItem* parent = FParent;
    int count = parent->Count();
    Value = std::clamp(Value, 0, count - 1);
    if (Value == MenuIndex()) return;
    parent->Delete(MenuIndex());
    parent->Insert(Value, this);
}

void TMenuItem::Add(TMenuItem* Item) {
    Insert(Count(), Item);
}

void TMenuItem::Insert(int Index, TMenuItem* Item) {
    if (!Item) return;
    if (Item->FParent) throw EMenuError("Menu inserted twice");
    if (Index < 0 || Index > Count()) throw EMenuError("Menu index out of range");
    for (TMenuItem* p = this; p; p = p->FParent)
        if (p == Item) throw EMenuError("Menu inserted twice");
    FItems.insert(FItems.begin() + Index, Item);
    Item->FParent = this;
    if (Item->FChecked && Item->FRadioItem) Item->TurnSiblingsOff();
    ItemChanged(Item, true);
}

void TMenuItem::Delete(int Index) {
    if (Index < 0 || Index >= Count()) throw EMenuError("Menu index out of range");
    TMenuItem* item = FItems[static_cast<size_t>(Index)];
    FItems.erase(FItems.begin() + Index);
    item->FParent = nullptr;
    ItemChanged(item, true);
}

void TMenuItem::Remove(TMenuItem* Item) {
    int i = IndexOf(Item);
    if (i < 0) throw EMenuError("Sub-menu is not in menu");
    Delete(i);
}

void TMenuItem::Clear() {
    while (!FItems.empty())
        FreeComponent(FItems.back());
}

TMenuItem* TMenuItem::Find(const String& ACaption) const {
    String wanted = StripHotkey(ACaption);
    for (TMenuItem* i : FItems)
        if (SameText(StripHotkey(i->FCaption), wanted)) return i;
    return nullptr;
}

TMenu* TMenuItem::GetParentMenu() const {
    const TMenuItem* i = this;
    while (i->FParent)
        i = i->FParent;
    return i->FMenu;
}

TComponent* TMenuItem::GetParentComponent() const {
    if (FParent && FParent->FMenu) return FParent->FMenu;
    return FParent;
}

void TMenuItem::SetParentComponent(TComponent* Value) {
    if (FParent) FParent->Remove(this);
    if (auto* menu = dynamic_cast<TMenu*>(Value))
        menu->Items()->Add(this);
    else if (auto* item = dynamic_cast<TMenuItem*>(Value))
        item->Add(this);
}

void TMenuItem::GetChildren(const TGetChildProc& Proc, TComponent* Root) {
    for (TMenuItem* i : FItems)
        if (i->Owner() == Root) Proc(i);
}

void TMenuItem::MenuChanged(bool Rebuild) {
    if (FParent)
        FParent->ItemChanged(this, Rebuild);
    else if (FMenu)
        FMenu->MenuChanged(nullptr, this, Rebuild);
}

void TMenuItem::ItemChanged(TMenuItem* Source, bool Rebuild) {
    if (ComponentState().Contains(csDestroying)) return;
    if (FParent)
        FParent->ItemChanged(Source, Rebuild);
    else if (FMenu)
        FMenu->MenuChanged(nullptr, Source, Rebuild);
}

void TMenuItem::Click() {
    if (!FEnabled) return;
    bool viaAction = !OnClick && FActionLink && FActionLink->Action();
    // An action that checks itself checks its item through the link.
    if (FAutoCheck && !(viaAction && FActionLink->IsAutoCheckLinked())) SetChecked(!FChecked);
    if (OnClick)
        OnClick(this);
    else if (viaAction)
        FActionLink->Execute(this);
}

// ---- Action, bitmap, images

void TMenuItem::SetAction(TBasicAction* Value) {
    if (Value == nullptr) {
        if (FActionLink) {
            if (TBasicAction* a = FActionLink->Action()) a->RemoveFreeNotification(this);
            FActionLink.reset();
        }
        return;
    }
    if (!FActionLink) FActionLink = std::make_unique<TMenuActionLink>(this);
    if (TBasicAction* a = FActionLink->Action(); a && a != Value) a->RemoveFreeNotification(this);
    FActionLink->SetAction(Value);
    FActionLink->OnChange = [this](TObject* Sender) {
        if (Sender == Action()) ActionChange(Sender, false);
    };
    Value->FreeNotification(this);
    ActionChange(Value, ComponentState().Contains(csLoading));
}

void TMenuItem::ActionChange(TObject* Sender, bool CheckDefaults) {
    auto* a = dynamic_cast<TCustomAction*>(Sender);
    if (!a) return;
    if (!CheckDefaults || !FAutoCheck) SetAutoCheck(a->AutoCheck());
    if (!CheckDefaults || FCaption.empty()) SetCaption(a->Caption());
    if (!CheckDefaults || !FChecked) SetChecked(a->Checked());
    if (!CheckDefaults || FEnabled) SetEnabled(a->Enabled());
    if (!CheckDefaults || FHint.empty()) SetHint(a->Hint());
    if (!CheckDefaults || FImageIndex == -1) SetImageIndex(a->ImageIndex());
    if (!CheckDefaults || FShortCut == 0) SetShortCut(a->ShortCut());
    if (!CheckDefaults || FVisible) SetVisible(a->Visible());
}

void TMenuItem::InitiateAction() {
    if (FActionLink) FActionLink->Update();
}

void TMenuItem::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == Action()) SetAction(nullptr);
}

TBitmap* TMenuItem::Bitmap() {
    if (!FBitmap) {
        FBitmap = std::make_unique<TBitmap>();
        FBitmap->OnChange = [this](TObject*) { MenuChanged(true); };
    }
    return FBitmap.get();
}

void TMenuItem::SetBitmap(TBitmap* Value) {
    Bitmap()->Assign(Value);
}

TCustomImageList* TMenuItem::GetImageList() const {
    TMenu* menu = GetParentMenu();
    return menu ? menu->Images() : nullptr;
}

// ---- TMenuActionLink

TMenuActionLink::TMenuActionLink(TObject* AClient) : TActionLink(AClient) {
    TMenuActionLink::AssignClient(AClient);
}

void TMenuActionLink::AssignClient(TObject* AClient) {
    FClient = dynamic_cast<TMenuItem*>(AClient);
}

namespace {
TCustomAction* AsCustom(TBasicAction* a) {
    return dynamic_cast<TCustomAction*>(a);
}
} // namespace

bool TMenuActionLink::IsAutoCheckLinked() {
    auto* a = AsCustom(FAction);
    return TActionLink::IsAutoCheckLinked() && a && FClient && FClient->AutoCheck() == a->AutoCheck();
}
bool TMenuActionLink::IsCaptionLinked() {
    auto* a = AsCustom(FAction);
    return TActionLink::IsCaptionLinked() && a && FClient && FClient->Caption() == a->Caption();
}
bool TMenuActionLink::IsCheckedLinked() {
    auto* a = AsCustom(FAction);
    return TActionLink::IsCheckedLinked() && a && FClient && FClient->Checked() == a->Checked();
}
bool TMenuActionLink::IsEnabledLinked() {
    auto* a = AsCustom(FAction);
    return TActionLink::IsEnabledLinked() && a && FClient && FClient->Enabled() == a->Enabled();
}
bool TMenuActionLink::IsHintLinked() {
    auto* a = AsCustom(FAction);
    return TActionLink::IsHintLinked() && a && FClient && FClient->Hint() == a->Hint();
}
bool TMenuActionLink::IsGroupIndexLinked() {
    auto* a = AsCustom(FAction);
    return TActionLink::IsGroupIndexLinked() && a && FClient && FClient->GroupIndex() == a->GroupIndex();
}
bool TMenuActionLink::IsImageIndexLinked() {
    auto* a = AsCustom(FAction);
    return TActionLink::IsImageIndexLinked() && a && FClient && FClient->ImageIndex() == a->ImageIndex();
}
bool TMenuActionLink::IsShortCutLinked() {
    auto* a = AsCustom(FAction);
    return TActionLink::IsShortCutLinked() && a && FClient && FClient->ShortCut() == a->ShortCut();
}
bool TMenuActionLink::IsVisibleLinked() {
    auto* a = AsCustom(FAction);
    return TActionLink::IsVisibleLinked() && a && FClient && FClient->Visible() == a->Visible();
}
void TMenuActionLink::SetAutoCheck(bool Value) {
    if (IsAutoCheckLinked()) FClient->SetAutoCheck(Value);
}
void TMenuActionLink::SetCaption(const String& Value) {
    if (IsCaptionLinked()) FClient->SetCaption(Value);
}
void TMenuActionLink::SetChecked(bool Value) {
    if (IsCheckedLinked()) FClient->SetChecked(Value);
}
void TMenuActionLink::SetEnabled(bool Value) {
    if (IsEnabledLinked()) FClient->SetEnabled(Value);
}
void TMenuActionLink::SetHint(const String& Value) {
    if (IsHintLinked()) FClient->SetHint(Value);
}
void TMenuActionLink::SetImageIndex(TImageIndex Value) {
    if (IsImageIndexLinked()) FClient->SetImageIndex(Value);
}
void TMenuActionLink::SetShortCut(TShortCut Value) {
    if (IsShortCutLinked()) FClient->SetShortCut(Value);
}
void TMenuActionLink::SetVisible(bool Value) {
    if (IsVisibleLinked()) FClient->SetVisible(Value);
}

win::HMENU TMenuItem::Handle() {
    if (FItems.empty()) return nullptr;
    if (!FHandle) {
        TMenu* menu = GetParentMenu();
        RebuildHandle(menu && menu->OwnerDraw());
    }
    return FHandle;
}

void TMenuItem::ClearHandle() {
    if (!FHandle) return;
    // Removing (not deleting) keeps the sub-items' own handles alive.
    while (win::GetMenuItemCount(FHandle) > 0)
        win::RemoveMenu(FHandle, 0, win::MF_BYPOSITION);
}

void TMenuItem::FillEntry(win::MENUITEMINFO& Info, String& Text, bool OwnerDraw) {
    using namespace win;
    Info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_DATA | MIIM_STRING;
    Info.fType = IsLine() ? MFT_SEPARATOR : MFT_STRING;
    if (FRadioItem) Info.fType |= MFT_RADIOCHECK;
    if (OwnerDraw) Info.fType |= MFT_OWNERDRAW;
    if (FBreak == mbBreak) Info.fType |= MFT_MENUBREAK;
    if (FBreak == mbBarBreak) Info.fType |= MFT_MENUBARBREAK;
    Info.fState = (FChecked ? MFS_CHECKED : 0) | (FEnabled ? 0 : MFS_GRAYED) | (FDefault ? MFS_DEFAULT : 0);
    Info.wID = FCommand;
    Info.dwItemData = reinterpret_cast<std::uintptr_t>(this);
    Text = IsLine() ? String() : FCaption;
    if (FShortCut != 0 && !IsLine()) {
        String sc = ShortCutToText(FShortCut);
        if (!sc.empty()) Text += "\t" + sc;
    }
    Info.dwTypeData = Text.data();
    Info.hSubMenu = nullptr;
    if (!ShownItems().empty()) {
        RebuildHandle(OwnerDraw);
        Info.hSubMenu = FHandle;
    } else {
        ClearHandle(); // nothing to show: no entries left over from before
    }
}

void TMenuItem::RebuildHandle(bool OwnerDraw) {
    if (!FHandle) FHandle = win::CreatePopupMenu();
    ClearHandle();
    for (TMenuItem* child : ShownItems()) {
        win::MENUITEMINFO info{};
        String text;
        child->FillEntry(info, text, OwnerDraw);
        win::InsertMenuItem(FHandle, 0xFFFFFFFF, win::TRUE, &info);
    }
}

void TMenuItem::MeasureItem(TCanvas* ACanvas, int& Width, int& Height) {
    if (OnMeasureItem) {
        OnMeasureItem(this, ACanvas, Width, Height);
        return;
    }
    if (IsLine()) {
        Height = 9;
        return;
    }
    String text = StripHotkey(FCaption);
    if (FShortCut) text += "    " + ShortCutToText(FShortCut);
    Width = std::max(Width, ACanvas->TextWidth(text) + 40);
    Height = std::max(Height, ACanvas->TextHeight("Wg") + 6);
}

void TMenuItem::DoDrawText(TCanvas* ACanvas, const String& ACaption, TRect& Rect, bool Selected, int Flags) {
    (void)Selected;
    win::RECT r = Rect;
    win::SetBkMode(ACanvas->Handle(), win::TRANSPARENT);
    win::DrawText(ACanvas->Handle(), ACaption.c_str(), -1, &r, static_cast<win::UINT>(Flags));
}

void TMenuItem::AdvancedDrawItem(TCanvas* ACanvas, TRect ARect, TOwnerDrawState State, bool TopLevel) {
    if (OnAdvancedDrawItem) {
        OnAdvancedDrawItem(this, ACanvas, ARect, State);
        return;
    }
    bool selected = State.Contains(odSelected);
    if (OnDrawItem) {
        OnDrawItem(this, ACanvas, ARect, selected);
        return;
    }
    // A plain look, so that an owner-drawn item without a painter is never blank.
    ACanvas->Brush()->SetColor(selected ? clHighlight : clMenu);
    ACanvas->FillRect(ARect);
    if (IsLine()) {
        win::RECT line{ARect.Left, ARect.Top + ARect.Height() / 2 - 1, ARect.Right,
                       ARect.Top + ARect.Height() / 2 + 1};
        win::DrawEdge(ACanvas->Handle(), &line, win::EDGE_ETCHED, win::BF_TOP);
        return;
    }
    ACanvas->Font()->SetColor(State.Contains(odGrayed) ? clGrayText
                              : selected               ? clHighlightText
                                                       : clMenuText);
    TRect text = ARect;
    if (!TopLevel) text.Left += 20;
    String caption = FCaption;
    if (!TopLevel && FShortCut) caption += "\t" + ShortCutToText(FShortCut);
    win::UINT flags = win::DT_SINGLELINE | win::DT_VCENTER | (TopLevel ? win::DT_CENTER : win::DT_EXPANDTABS);
    if (State.Contains(odNoAccel)) flags |= win::DT_HIDEPREFIX;
    DoDrawText(ACanvas, caption, text, selected, static_cast<int>(flags));
}

} // namespace vcl
