// Keeping the toolbar layout between runs, in the registry or an INI file. The dock panel keeps which
// toolbar lies in which row and where; each toolbar keeps whether it floats (and where) and which of its
// controls the user has hidden. Stored values are not trusted: missing or garbled entries read as the
// current state, and no stored number can make the loader loop or allocate without bound.

#include <algorithm>
#include <memory>
#include <vector>

#include "components/toolbar/dock/DockPanel.h"
#include "components/toolbar/dock/FloatingWindow.h"
#include "components/toolbar/dock/ToolBar.h"
#include "platform/rtl/IniFiles.h"
#include "platform/rtl/Registry.h"
#include "platform/rtl/SysUtils.h"
#include "platform/vcl/Form.h"

namespace AdvToolBar {

namespace {

// Stored places are kept within this distance of the origin, whatever the file says.
constexpr int MaxCoordinate = 32000;
// Names a stored panel layout may hold beyond the toolbars the form has (stale names are skipped).
constexpr int ExtraNames = 64;

bool AsciiSameText(const String& A, const String& B) {
    if (A.size() != B.size()) return false;
    for (size_t i = 0; i < A.size(); ++i) {
        auto up = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; };
        if (up(A[i]) != up(B[i])) return false;
    }
    return true;
}

// One settings file, opened for one read or write pass. A value that cannot be read (absent, of
// another type, not a number) reads as the default.
class TLayoutFile {
public:
    TLayoutFile(const TPersistence* P, const String& Section) : FSection(Section) {
        if (P->Location() == plIniFile)
            FFile = std::make_unique<vcl::TIniFile>(P->Key());
        else
            FFile = std::make_unique<vcl::TRegistryIniFile>(P->Key());
    }
    int Int(const String& Ident, int Default) {
        try {
            return FFile->ReadInteger(FSection, Ident, Default);
        } catch (const std::exception&) {
            return Default;
        }
    }
    bool Bool(const String& Ident, bool Default) { return Int(Ident, Default ? 1 : 0) != 0; }
    String Str(const String& Ident, const String& Default) {
        try {
            return FFile->ReadString(FSection, Ident, Default);
        } catch (const std::exception&) {
            return Default;
        }
    }
    void Put(const String& Ident, int Value) { FFile->WriteInteger(FSection, Ident, Value); }
    void Put(const String& Ident, const String& Value) { FFile->WriteString(FSection, Ident, Value); }

private:
    std::unique_ptr<vcl::TCustomIniFile> FFile;
    String FSection;
};

bool Active(const TPersistence* P, const vcl::TComponent* Owner) {
    return P->Enabled() && !P->Key().empty() && !P->Section().empty() &&
           !Owner->ComponentState().Contains(vcl::csDesigning);
}

int Coordinate(int Value) {
    return std::clamp(Value, -MaxCoordinate, MaxCoordinate);
}

} // namespace

// ---- Toolbar

bool TAdvCustomToolBar::PersistenceActive() const {
    return Active(FPersistence.get(), this);
}

void TAdvCustomToolBar::Destroying() {
    // Saved at the start of the destruction: the controls and the floating window, which the form
    // frees before the toolbar, are all still there.
    if (!ComponentState().Contains(vcl::csDestroying)) SavePosition();
    vcl::TCustomControl::Destroying();
}

void TAdvCustomToolBar::SavePosition() {
    if (!PersistenceActive()) return;
    const String p = Name();
    // Writing runs while the toolbar goes away: a store that cannot be written loses the layout, not
    // the rest of the teardown.
    try {
        TLayoutFile file(FPersistence.get(), FPersistence->Section());
        if (FToolBarState == tsFloating) {
            vcl::TPoint place = FFloatingWindow != nullptr
                                    ? vcl::TPoint{FFloatingWindow->Left(), FFloatingWindow->Top()}
                                    : FFloatingPlace;
            file.Put(p + ".Name", p);
            file.Put(p + ".State", static_cast<int>(tsFloating));
            file.Put(p + ".FloatingRows", FFloatingRows);
            file.Put(p + ".Left", place.X);
            file.Put(p + ".Top", place.Y);
            file.Put(p + ".Width", Width());
            file.Put(p + ".Height", Height());
            file.Put(p + ".Visible", Visible() ? 1 : 0);
        } else {
            // Only a stored floating state is turned into the present one; the last floating place stays.
            String stored = file.Str(p + ".Name", "");
            if (!stored.empty() && AsciiSameText(stored, p) && file.Int(p + ".State", 0) == tsFloating)
                file.Put(p + ".State", static_cast<int>(FToolBarState));
        }
        for (void* c : *FControlList) {
            auto* control = static_cast<vcl::TControl*>(c);
            if (!control->Name().empty()) file.Put(p + "." + control->Name(), control->Visible() ? 1 : 0);
        }
    } catch (const std::exception&) {
    }
}

void TAdvCustomToolBar::LoadPosition() {
    if (!PersistenceActive()) return;
    const String p = Name();
    try {
        TLayoutFile file(FPersistence.get(), FPersistence->Section());
        String name = file.Str(p + ".Name", "");
        int state = file.Int(p + ".State", 0);
        if (!name.empty() && AsciiSameText(name, p) && state == tsFloating) {
            int rows = file.Int(p + ".FloatingRows", FFloatingRows);
            int left = Coordinate(file.Int(p + ".Left", Left()));
            int top = Coordinate(file.Int(p + ".Top", Top()));
            SetFloating(left, top, true);
            if (rows > FFloatingRows) SetFloatingRows(rows);
            bool visible = file.Bool(p + ".Visible", Visible());
            if (visible != Visible()) SetVisible(visible);
        }
        bool changed = false;
        for (int i = 0; i < FControlList->Count(); ++i) {
            auto* control = FControlList->At<vcl::TControl>(i);
            if (control->Name().empty()) continue;
            bool visible = file.Bool(p + "." + control->Name(), control->Visible());
            if (visible == control->Visible()) continue;
            control->SetVisible(visible);
            changed = true;
        }
        if (changed) SetControlsPosition(true);
    } catch (const std::exception&) {
    }
    FPositionLoaded = true;
}

// ---- Dock panel

void TAdvDockPanel::Destroying() {
    // Saved while the toolbars are still in their rows: the form frees them before the panel.
    if (!ComponentState().Contains(vcl::csDestroying)) SaveToolBarsPosition();
    vcl::TCustomControl::Destroying();
}

void TAdvDockPanel::SaveToolBarsPosition() {
    if (!Active(FPersistence.get(), this)) return;
    std::vector<TAdvCustomToolBar*> order;
    for (int r = 0; r < FRows->Count(); ++r)
        for (int i = 0; i < FRows->Items(r)->ToolBarCount(); ++i)
            order.push_back(FRows->Items(r)->ToolBars(i));
    for (void* t : *FHiddenToolBarList)
        order.push_back(static_cast<TAdvCustomToolBar*>(t));
    try {
        TLayoutFile file(FPersistence.get(), FPersistence->Section());
        file.Put("ToolBarCount", static_cast<int>(order.size()));
        file.Put("RowCount", FRows->Count());
        int n = 1;
        for (TAdvCustomToolBar* t : order) {
            const String p = t->Name();
            file.Put("Name" + vcl::IntToStr(n), p);
            file.Put(p + ".Row", t->Row());
            file.Put(p + ".Left", t->Left());
            file.Put(p + ".Top", t->Top());
            file.Put(p + ".Width", t->Width());
            file.Put(p + ".Height", t->Height());
            file.Put(p + ".Visible", t->Visible() ? 1 : 0);
            ++n;
        }
    } catch (const std::exception&) {
    }
}

void TAdvDockPanel::CollectOtherPanels(vcl::TWinControl* Control, std::vector<TAdvDockPanel*>& Panels) {
    for (int i = 0; i < Control->ControlCount(); ++i) {
        auto* child = dynamic_cast<vcl::TWinControl*>(Control->Controls(i));
        if (child == nullptr || child == this) continue;
        if (auto* panel = dynamic_cast<TAdvDockPanel*>(child))
            Panels.push_back(panel);
        else
            CollectOtherPanels(child, Panels);
    }
}

void TAdvDockPanel::LoadToolBarsPosition() {
    if (!Active(FPersistence.get(), this)) return;
    auto inRows = [this] {
        std::vector<TAdvCustomToolBar*> list;
        for (int r = 0; r < FRows->Count(); ++r)
            for (int i = 0; i < FRows->Items(r)->ToolBarCount(); ++i)
                list.push_back(FRows->Items(r)->ToolBars(i));
        return list;
    };
    // Each toolbar reads its own part first (it may float away).
    for (TAdvCustomToolBar* t : inRows())
        if (!t->PositionLoaded()) t->LoadPosition();
    std::vector<TAdvCustomToolBar*> names = inRows();
    std::vector<TAdvDockPanel*> others;
    if (vcl::TCustomForm* form = vcl::GetParentForm(this, false)) CollectOtherPanels(form, others);
    try {
        TLayoutFile file(FPersistence.get(), FPersistence->Section());
        int count = file.Int("ToolBarCount", 0);
        if (count <= 0) return;
        int known = static_cast<int>(names.size()) + FHiddenToolBarList->Count();
        for (TAdvDockPanel* o : others)
            known += o->GetAdvToolBarCount();
        count = std::min(count, known + ExtraNames);
        int rowCount = std::clamp(file.Int("RowCount", FRows->Count()), 0, known + ExtraNames);
        for (TAdvCustomToolBar* t : names)
            t->SetRow(-1);
        FRows->Clear();
        for (int i = 0; i < rowCount; ++i)
            FRows->Add();
        // Toolbars the layout puts in no row that exists get a row of their own below, as do the
        // toolbars it does not name.
        std::vector<TAdvCustomToolBar*> homeless;
        for (int n = 1; n <= count; ++n) {
            String name = file.Str("Name" + vcl::IntToStr(n), "");
            if (name.empty()) continue;
            TAdvCustomToolBar* t = nullptr;
            for (auto it = names.begin(); it != names.end(); ++it)
                if (AsciiSameText((*it)->Name(), name)) {
                    t = *it;
                    names.erase(it);
                    break;
                }
            for (size_t k = 0; t == nullptr && k < others.size(); ++k)
                for (int i = 0; i < others[k]->GetAdvToolBarCount(); ++i)
                    if (AsciiSameText(others[k]->GetAdvToolBars(i)->Name(), name)) {
                        t = others[k]->GetAdvToolBars(i);
                        break;
                    }
            if (t == nullptr) continue;
            if (t->DockPanel() != this) {
                // Moved in from another panel of the form: it stays in this panel's toolbar list and
                // takes the place the layout gives it rather than the row docking gave it.
                t->SetParent(this);
                if (t->DockPanel() != this) continue;
                int r = FRows->IsToolBarAlreadyAdded(t);
                if (r >= 0) FRows->Items(r)->RemoveToolBar(t, false);
                t->SetRow(-1);
            }
            const String p = t->Name();
            int row = file.Int(p + ".Row", t->Row());
            int left = Coordinate(file.Int(p + ".Left", t->Left()));
            int top = Coordinate(file.Int(p + ".Top", t->Top()));
            int width = std::clamp(file.Int(p + ".Width", t->Width()), 0, MaxCoordinate);
            int height = std::clamp(file.Int(p + ".Height", t->Height()), 0, MaxCoordinate);
            bool visible = file.Bool(p + ".Visible", t->Visible());
            if (row >= 0 && row < FRows->Count())
                FRows->Items(row)->AppendToolBar(t);
            else
                homeless.push_back(t);
            {
                bool saved = t->AllowBoundChange();
                t->SetAllowBoundChange(true);
                if (t->Width() != width) t->SetWidth(width);
                if (t->Left() != left) t->SetLeft(left);
                if (t->Top() != top) t->SetTop(top);
                if (t->Height() != height) t->SetHeight(height);
                t->SetAllowBoundChange(saved);
            }
            if (visible != t->Visible()) t->SetVisible(visible);
        }
        for (int r = FRows->Count() - 1; r >= 0; --r)
            FRows->DeleteMeIfEmpty(FRows->Items(r));
        homeless.insert(homeless.end(), names.begin(), names.end());
        for (TAdvCustomToolBar* t : homeless)
            if (t->Visible() && FRows->IsToolBarAlreadyAdded(t) < 0) FRows->Add()->AppendToolBar(t);
        FRows->SetRowsPosition();
    } catch (const std::exception&) {
    }
    for (int i = 0; i < FToolBarList->Count(); ++i) {
        TAdvCustomToolBar* t = GetAdvToolBars(i);
        if (!t->Visible()) continue;
        t->SetControlsPosition(true);
        t->UpdateRULists();
    }
}

} // namespace AdvToolBar
