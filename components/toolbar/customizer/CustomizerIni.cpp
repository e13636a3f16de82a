// The customizer's INI file: the toolbar as designed (SaveInitialState), the user's layout laid over it
// (UpdateAdvToolBar) and the way back (ResetToolBar).

#include <algorithm>
#include <cctype>
#include <vector>

#include "components/foundation/AdvGlowButton.h"
#include "components/toolbar/customizer/AdvToolBarCustomizer.h"
#include "components/toolbar/customizer/CustomizerIni_p.h"
#include "components/toolbar/dock/ToolBar.h"
#include "components/toolbar/dock/ToolBarButton.h"
#include "components/toolbar/dock/ToolBarSeparator.h"
#include "platform/rtl/SysUtils.h"

namespace AdvToolBar {

using namespace customizerini;
using AdvGlowButton::TAdvCustomGlowButton;

namespace {

void NoDelete(vcl::TCustomIniFile*) {}
void Delete(vcl::TCustomIniFile* Ini) {
    delete Ini;
}

// A valid identifier made from a stored name: other characters become "_", a leading digit (or an
// empty name) gets "_" in front.
String ToIdent(const String& Name) {
    String s = Name;
    for (char& c : s)
        if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '_')) c = '_';
    if (s.empty() || std::isdigit(static_cast<unsigned char>(s[0]))) s.insert(s.begin(), '_');
    return s;
}

void ApplyGlyphPosition(vcl::TControl* Control, int G) {
    // Values outside the four positions (a glyph-position box left without a choice) change nothing.
    if (G < gpLeft || G > gpBottom) return;
    if (auto* b = dynamic_cast<TAdvToolBarButton*>(Control)) {
        b->SetGlyphPosition(static_cast<TGlyphPosition>(G));
    } else if (auto* g = dynamic_cast<TAdvCustomGlowButton*>(Control)) {
        static constexpr AdvGlowButton::TButtonLayout layouts[] = {
            AdvGlowButton::blGlyphLeft, AdvGlowButton::blGlyphTop, AdvGlowButton::blGlyphRight,
            AdvGlowButton::blGlyphBottom};
        g->SetLayout(layouts[G]);
    }
}

// Brings the toolbar's controls into the order of the list, from position 0 on.
void Reorder(TAdvToolBar* ToolBar, const std::vector<vcl::TControl*>& Order, bool GlyphPositions, int G,
             bool GlowButtonsToo) {
    for (int j = 0; j < static_cast<int>(Order.size()) && j < ToolBar->ToolBarControlCount(); ++j) {
        vcl::TControl* c = Order[j];
        if (GlyphPositions && (GlowButtonsToo || dynamic_cast<TAdvToolBarButton*>(c) != nullptr))
            ApplyGlyphPosition(c, G);
        int at = ToolBar->IndexOfToolBarControl(c);
        if (at != j && at != -1) ToolBar->MoveToolBarControl(at, j);
    }
}

// The stored values of a toolbar button or glow button; each missing key keeps the current value.
void ApplyButtonKeys(vcl::TCustomIniFile& Ini, const String& Section, const String& Key, vcl::TControl* C,
                     const TButtonProperties& Props, bool ImageToo, bool ForceToo) {
    auto* b = dynamic_cast<TAdvToolBarButton*>(C);
    auto* g = dynamic_cast<TAdvCustomGlowButton*>(C);
    if (b == nullptr && g == nullptr) return;
    if (Props.Glyph() && ImageToo) {
        int current = b != nullptr ? b->ImageIndex() : g->ImageIndex();
        int index = Ini.ReadInteger(Section, Key + ".ImageIndex", current);
        if (b != nullptr) {
            b->SetImageIndex(index);
            if (ForceToo)
                b->SetForceImageIndex(
                    Ini.ReadInteger(Section, Key + ".ForceImageIndex", b->ForceImageIndex()) != 0);
        } else {
            g->SetImageIndex(index);
        }
    }
    if (Props.Visible()) C->SetVisible(Ini.ReadInteger(Section, Key + ".Visible", C->Visible()) != 0);
    if (Props.ShowCaption()) {
        bool shown = b != nullptr ? b->ShowCaption() : g->ShowCaption();
        shown = Ini.ReadInteger(Section, Key + ".ShowCaption", shown ? 1 : 0) == 1;
        if (b != nullptr)
            b->SetShowCaption(shown);
        else
            g->SetShowCaption(shown);
    }
    if (Props.Caption()) C->SetCaption(Ini.ReadString(Section, Key + ".Caption", C->Caption()));
    if (Props.Hint()) C->SetHint(Ini.ReadString(Section, Key + ".Hint", C->Hint()));
}

// The item indices below Count that the section lists a class for, in order. The count is only a
// number in the file: walking up to it would take hours for a count near the integer limit, so the
// indices come from the keys the section actually holds.
std::vector<int> ListedItems(vcl::TCustomIniFile& Ini, const String& Section, int Count) {
    std::vector<int> items;
    vcl::TStringList keys;
    Ini.ReadSection(Section, &keys);
    const String prefix = "NAME", suffix = ".CLASSNAME";
    for (int k = 0; k < keys.Count(); ++k) {
        const String key = vcl::UpperCase(keys.Get(k));
        if (key.size() <= prefix.size() + suffix.size() || key.compare(0, prefix.size(), prefix) != 0 ||
            key.compare(key.size() - suffix.size(), suffix.size(), suffix) != 0)
            continue;
        const String digits = key.substr(prefix.size(), key.size() - prefix.size() - suffix.size());
        if (digits.size() > 10 ||
            !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
            continue;
        const long long i = std::stoll(digits);
        // Only the form the file is written in names an item ("Name01" is not item 1).
        if (i < Count && std::to_string(i) == digits) items.push_back(static_cast<int>(i));
    }
    std::sort(items.begin(), items.end());
    items.erase(std::unique(items.begin(), items.end()), items.end());
    return items;
}

} // namespace

namespace customizerini {

void WriteText(vcl::TCustomIniFile& Ini, const String& Section, const String& Key, const String& Value) {
    try {
        Ini.WriteString(Section, Key, Value);
    } catch (const vcl::EIniWriteRefused&) {
        Ini.DeleteKey(Section, Key);
    }
}

} // namespace customizerini

std::unique_ptr<vcl::TCustomIniFile, void (*)(vcl::TCustomIniFile*)> TAdvToolBarCustomizer::OpenIni() {
    if (FFileName.empty() || ComponentState().Contains(vcl::csDesigning)) return {nullptr, NoDelete};
    if (FEnablePersistence) return {new vcl::TIniFile(FFileName), Delete};
    if (!FMemIni) FMemIni = std::make_unique<vcl::TMemIniFile>(String());
    return {FMemIni.get(), NoDelete};
}

bool TAdvToolBarCustomizer::NameIsFree(const String& Name) const {
    if (!vcl::IsValidIdent(Name) || GetCtrl(Name) != nullptr) return false;
    if (FAdvToolBar != nullptr && FAdvToolBar->FindComponent(Name) != nullptr) return false;
    for (int i = 0; i < FTakenOff->Count(); ++i)
        if (vcl::SameText(FTakenOff->At<vcl::TControl>(i)->Name(), Name)) return false;
    return true;
}

void TAdvToolBarCustomizer::TakeOff(vcl::TControl* Control) {
    FTakenOff->Add(Control);
    Control->FreeNotification(this);
    Control->SetParent(nullptr);
    // A control the toolbar had hidden behind its right handle sits on another parent, so leaving it
    // does not tell the toolbar: the toolbar's list lets go of it here.
    if (FAdvToolBar->IndexOfToolBarControl(Control) >= 0) FAdvToolBar->RemoveControl(Control);
}

void TAdvToolBarCustomizer::ApplyImages(int Large) {
    if (Large == 1 && FLargeImages != nullptr)
        FAdvToolBar->SetImages(FLargeImages);
    else if (FSmallImages != nullptr)
        FAdvToolBar->SetImages(FSmallImages);
}

void TAdvToolBarCustomizer::SaveInitialState() {
    if (FAdvToolBar == nullptr) return;
    auto ini = OpenIni();
    if (!ini) return;
    const String section = Name() + "Org";
    TAdvToolBar* tb = FAdvToolBar;
    // Keeping the design state is a service: a file that cannot be written must not stop the form.
    try {
        WriteText(*ini, section, kCaption, tb->Caption());
        int glyph = 0;
        for (int i = 0; i < tb->ToolBarControlCount(); ++i)
            if (auto* b = dynamic_cast<TAdvToolBarButton*>(tb->ToolBarControls(i))) {
                glyph = b->GlyphPosition();
                break;
            }
        ini->WriteInteger(section, kGlyphPosition, glyph);
        ini->WriteInteger(section, kLargeIcon, tb->Images() == FLargeImages ? 1 : 0);
        ini->WriteInteger(section, kItemCount, tb->ToolBarControlCount());
        for (int i = 0; i < tb->ToolBarControlCount(); ++i) {
            vcl::TControl* c = tb->ToolBarControls(i);
            const String key = ItemKey(i);
            WriteText(*ini, section, key, c->Name());
            auto* b = dynamic_cast<TAdvToolBarButton*>(c);
            auto* g = dynamic_cast<TAdvCustomGlowButton*>(c);
            if (dynamic_cast<TAdvToolBarSeparator*>(c) != nullptr) {
                ini->WriteString(section, key + ".ClassName", kSeparatorClass);
            } else if (b != nullptr || g != nullptr) {
                ini->WriteString(section, key + ".ClassName", b != nullptr ? kButtonClass : kGlowButtonClass);
                ini->WriteInteger(section, key + ".ImageIndex",
                                  b != nullptr ? b->ImageIndex() : g->ImageIndex());
                ini->WriteInteger(section, key + ".Visible", c->Visible() ? 1 : 0);
                bool shown = b != nullptr ? b->ShowCaption() : g->ShowCaption();
                ini->WriteInteger(section, key + ".ShowCaption", shown ? 1 : 0);
                WriteText(*ini, section, key + ".Caption", c->Caption());
                WriteText(*ini, section, key + ".Hint", c->Hint());
            } else {
                ini->WriteString(section, key + ".ClassName", kOtherClass);
            }
        }
    } catch (const vcl::EIniFileException&) {
    }
}

vcl::TControl* TAdvToolBarCustomizer::CreateItem(vcl::TCustomIniFile& Ini, const String& Section,
                                                 const String& Key, const String& Name,
                                                 const String& ClassName) {
    const String cls = vcl::UpperCase(ClassName);
    const bool button = cls == kButtonClass, glow = cls == kGlowButtonClass;
    if (!button && !glow && cls != kSeparatorClass) return nullptr;
    // A stored name that cannot name a component, or names one already, must not stop the form
    // loading: the control gets the nearest free name instead.
    String name = ToIdent(Name);
    if (!NameIsFree(name)) {
        int n = 1;
        while (!NameIsFree(name + std::to_string(n)))
            ++n;
        name += std::to_string(n);
    }
    vcl::TControl* c = nullptr;
    if (button) {
        auto* b = new TAdvToolBarButton(FAdvToolBar);
        b->CustomizerCreated = true;
        c = b;
    } else if (glow) {
        auto* g = new AdvGlowButton::TAdvGlowButton(FAdvToolBar);
        g->SetCustomizerCreated(true);
        if (auto* list = dynamic_cast<vcl::TImageList*>(FAdvToolBar->Images())) g->SetImages(list);
        g->SetWidth(23);
        g->SetHeight(22);
        g->SetAutoSizeEx(true);
        c = g;
    } else {
        c = new TAdvToolBarSeparator(FAdvToolBar);
    }
    c->SetName(name);
    c->SetParent(FAdvToolBar);
    if (name != Name) {
        FRenamedItems.push_back({c, Name});
        c->FreeNotification(this);
    }
    if (button || glow) {
        int command = Ini.ReadInteger(Section, Key + ".CommandID", -1);
        if (command >= 0 && command < FCommands->Count()) {
            TATBCommand* cmd = FCommands->Items(command);
            c->OnClick = cmd->OnExecute;
            if (cmd->Action() != nullptr) c->SetAction(cmd->Action());
            if (auto* b = dynamic_cast<TAdvToolBarButton*>(c))
                b->CustomizerCommand = command;
            else
                static_cast<TAdvCustomGlowButton*>(c)->SetCustomizerCommand(command);
        }
    }
    return c;
}

void TAdvToolBarCustomizer::UpdateAdvToolBar() {
    if (FAdvToolBar == nullptr) return;
    auto ini = OpenIni();
    if (!ini) return;
    const String section = Name();
    TAdvToolBar* tb = FAdvToolBar;
    const TDialogSettings& ds = *FDialogSettings;
    try {
        if (ds.EditCaption) tb->SetCaption(ini->ReadString(section, kCaption, tb->Caption()));
        const int g = ds.EditGlyphPosition ? ini->ReadInteger(section, kGlyphPosition, 0) : 0;
        const int large =
            ds.LargeIcon && FLargeImages != nullptr ? ini->ReadInteger(section, kLargeIcon, 0) : 0;
        const int n = ini->ReadInteger(section, kItemCount, -1);
        if (n >= 0) {
            // The controls the items make are made first, and every item is looked up after: an item
            // finds the same control whether it comes before or after the item that makes it, so that
            // the file applied again gives the same toolbar as the first time.
            struct TItem {
                String Key, Name, Class;
            };
            std::vector<TItem> items;
            for (int i : ListedItems(*ini, section, n)) {
                TItem item{ItemKey(i), {}, {}};
                item.Name = ini->ReadString(section, item.Key, "");
                item.Class = ini->ReadString(section, item.Key + ".ClassName", "");
                if (!item.Class.empty()) items.push_back(std::move(item));
            }
            for (const TItem& item : items)
                if (FindItemControl(item.Name) == nullptr)
                    CreateItem(*ini, section, item.Key, item.Name, item.Class);
            std::vector<vcl::TControl*> order;
            for (const TItem& item : items) {
                vcl::TControl* c = FindItemControl(item.Name);
                // A control listed twice keeps its first place.
                if (c == nullptr || std::find(order.begin(), order.end(), c) != order.end()) continue;
                if (dynamic_cast<TAdvToolBarButton*>(c) != nullptr) {
                    ApplyButtonKeys(*ini, section, item.Key, c, *FButtonProperties, true, true);
                } else if (auto* glow = dynamic_cast<TAdvCustomGlowButton*>(c)) {
                    ApplyButtonKeys(*ini, section, item.Key, c, *FButtonProperties, glow->CustomizerCreated(),
                                    false);
                }
                order.push_back(c);
            }
            Reorder(tb, order, ds.EditGlyphPosition, g, true);
            const int m = static_cast<int>(order.size());
            while (tb->ToolBarControlCount() > m)
                TakeOff(tb->ToolBarControls(m));
        }
        ApplyImages(large);
    } catch (const vcl::EIniFileException&) {
    }
}

void TAdvToolBarCustomizer::ResetToolBar() {
    if (FAdvToolBar == nullptr) return;
    auto ini = OpenIni();
    if (!ini) return;
    const String section = Name() + "Org";
    TAdvToolBar* tb = FAdvToolBar;
    try {
        tb->SetCaption(ini->ReadString(section, kCaption, tb->Caption()));
        const int g = ini->ReadInteger(section, kGlyphPosition, 0);
        const int large = ini->ReadInteger(section, kLargeIcon, 0);
        // A toolbar designed empty is reset like any other; only a missing design state leaves it be.
        const int n = ini->ReadInteger(section, kItemCount, -1);
        if (n >= 0) {
            while (FTakenOff->Count() > 0) {
                auto* c = FTakenOff->At<vcl::TControl>(FTakenOff->Count() - 1);
                FTakenOff->Delete(FTakenOff->Count() - 1);
                c->SetParent(tb);
            }
            std::vector<vcl::TControl*> order;
            for (int i : ListedItems(*ini, section, n)) {
                const String key = ItemKey(i);
                const String name = ini->ReadString(section, key, "");
                if (ini->ReadString(section, key + ".ClassName", "").empty()) continue;
                vcl::TControl* c = GetCtrl(name);
                if (c == nullptr || std::find(order.begin(), order.end(), c) != order.end()) continue;
                TButtonProperties all;
                all.SetVisible(true);
                if (dynamic_cast<TAdvToolBarButton*>(c) != nullptr)
                    ApplyButtonKeys(*ini, section, key, c, all, true, false);
                order.push_back(c);
            }
            Reorder(tb, order, FDialogSettings->EditGlyphPosition, g, false);
            // What the design state does not list goes: controls the customizer made are destroyed,
            // any other (one made by the program, or without a name) is only taken off.
            const int m = static_cast<int>(order.size());
            for (int i = tb->ToolBarControlCount() - 1; i >= m; --i) {
                vcl::TControl* c = tb->ToolBarControls(i);
                auto* b = dynamic_cast<TAdvToolBarButton*>(c);
                auto* glow = dynamic_cast<TAdvCustomGlowButton*>(c);
                bool made = (b != nullptr && b->CustomizerCreated) ||
                            (glow != nullptr && glow->CustomizerCreated()) ||
                            (c->Owner() == tb && dynamic_cast<TAdvToolBarSeparator*>(c) != nullptr);
                if (made) {
                    c->SetParent(nullptr);
                    vcl::FreeComponent(c);
                } else {
                    TakeOff(c);
                }
            }
        }
        ApplyImages(large);
        std::unique_ptr<vcl::TStringList> values = std::make_unique<vcl::TStringList>();
        ini->ReadSectionValues(Name(), values.get());
        for (int i = 0; i < values->Count(); ++i)
            ini->DeleteKey(Name(), values->Names(i));
    } catch (const vcl::EIniFileException&) {
    }
}

} // namespace AdvToolBar
