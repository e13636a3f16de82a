#pragma once
// The base of the status-bar stylers: the bar's frame colour and the light and dark panel appearances
// shared by every bar registered with the styler. A change repaints each registered bar.

#include <memory>

#include "components/statusbar/AdvOfficeStatusBarProgress.h"
#include "platform/classes/Component.h"
#include "platform/rtl/List.h"

namespace AdvOfficeStatusBar {

class TAdvOfficeStatusBar;

// Raise Exception "Index out of bounds in list read access" / "... write access" for an index outside a
// list of Count items (negative ones included).
void CheckDbgListRead(int Index, int Count);
void CheckDbgListWrite(int Index, int Count);

// A list of T pointers with range-checked access.
template <typename T> class TDbgList : public vcl::TList {
public:
    int Add(T* Item) { return vcl::TList::Add(Item); }
    int Remove(T* Item) { return vcl::TList::Remove(Item); }
    int IndexOf(T* Item) const { return vcl::TList::IndexOf(Item); }
    T* GetItemsEx(int Index) const {
        CheckDbgListRead(Index, Count());
        return static_cast<T*>(Get(Index));
    }
    void SetItemsEx(int Index, T* Item) {
        CheckDbgListWrite(Index, Count());
        Put(Index, Item);
    }
};

class TCustomAdvOfficeStatusBarStyler : public vcl::TComponent {
    KV_CLASS(TCustomAdvOfficeStatusBarStyler, vcl::TComponent)
    KV_PUBLISHED_PROPERTIES(TCustomAdvOfficeStatusBarStyler)
public:
    explicit TCustomAdvOfficeStatusBarStyler(vcl::TComponent* AOwner);
    ~TCustomAdvOfficeStatusBarStyler() override;

    // From another status-bar styler: AutoThemeAdapt, both appearances and BorderColor.
    void Assign(vcl::TPersistent* Source) override;

    // Registers a bar (and asks to hear when it is freed); RemoveControl forgets it.
    void AddControl(vcl::TComponent* Bar);
    void RemoveControl(vcl::TComponent* Bar);
    int ControlCount() const { return FControlList->Count(); }
    // Tells every registered bar, in order, of a change (each repaints).
    virtual void Change(int Code);

    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor Value);
    TVistaBackground* PanelAppearanceLight() const { return FPanelAppearanceLight.get(); }
    void SetPanelAppearanceLight(TVistaBackground* Value);
    TVistaBackground* PanelAppearanceDark() const { return FPanelAppearanceDark.get(); }
    void SetPanelAppearanceDark(TVistaBackground* Value);
    bool AutoThemeAdapt() const { return FAutoThemeAdapt; }
    void SetAutoThemeAdapt(bool Value) { FAutoThemeAdapt = Value; }

    void Notification(vcl::TComponent* AComponent, vcl::TOperation Operation) override;

protected:
    void OnPanelAppearanceChanged(vcl::TObject* Sender);

private:
    std::unique_ptr<TDbgList<vcl::TComponent>> FControlList;
    bool FAutoThemeAdapt = false;
    std::unique_ptr<TVistaBackground> FPanelAppearanceLight;
    std::unique_ptr<TVistaBackground> FPanelAppearanceDark;
    TColor FBorderColor = 0x825A3B;
};

} // namespace AdvOfficeStatusBar
