#pragma once
// Shared types of the toolbar unit: docking sides, toolbar states, gradient directions, the styler's
// enumerations, and the range-checked list that holds the unit's controls.

#include <algorithm>

#include "platform/classes/Properties.h"
#include "platform/rtl/List.h"
#include "platform/rtl/Set.h"

namespace AdvToolBar {

using vcl::String;
using vcl::TColor;

// The version every dock panel and toolbar reports.
inline constexpr const char* kVersion = "3.0.9.1";

KV_ENUM(TDockAlign, daLeft, daTop, daRight, daBottom);
using TDockableTo = vcl::TSet<TDockAlign>;
KV_ENUM(TToolBarState, tsDocked, tsFloating, tsFixed);
KV_ENUM(TGradientDirection, gdHorizontal, gdVertical);
KV_ENUM(TBackGroundDisplay, bdTile, bdCenter, bdStretch);
KV_ENUM(TDragGripStyle, dsDots, dsSingleLine, dsDoubleLine, dsFlatDots, dsNone);
KV_ENUM(TPersistenceLocation, plRegistry, plIniFile);
KV_ENUM(TCaptionPosition, cpTop, cpBottom);
KV_ENUM(TDockMode, dmAll, dmAllParentDockPanels, dmParentDockPanelOnly);

// Safety limits of two values that size painting: a gradient's steps are bands drawn one by one on every
// paint, and the floating window's border is drawn that many pixels deep. Their setters keep a value to
// these limits (below them, to 0), so a styler never holds, and its property file never carries, more.
inline constexpr int kMaxGradientSteps = 4096;
inline constexpr int kMaxFloatingWindowBorderWidth = 64;

inline int LimitGradientSteps(int Value) {
    return std::clamp(Value, 0, kMaxGradientSteps);
}

// daTop and daBottom lay out along x; daLeft and daRight along y.
inline bool IsHorizontal(TDockAlign Align) {
    return Align == daTop || Align == daBottom;
}

// A list whose indexed access checks the index against Count (a negative index is left to the
// list's own check).
class TDbgList : public vcl::TList {
    KV_CLASS(TDbgList, vcl::TList)
public:
    TDbgList() = default;
    // Raises Exception "Index out of bounds in list read access" outside 0 .. Count - 1.
    void* GetItemsEx(int Index) const;
    // Raises Exception "Index out of bounds in list write access" outside 0 .. Count - 1.
    void SetItemsEx(int Index, void* Item);
    // Clears this list, then appends every item of List in its order.
    void AssignList(const vcl::TList* List);
    template <typename T> T* At(int Index) const { return static_cast<T*>(GetItemsEx(Index)); }
};

// The typed form of TDbgList: items of one class, with the same checks and messages.
template <typename T> class TDbgListOf {
public:
    int Count() const { return FList.Count(); }
    T* operator[](int Index) const { return static_cast<T*>(FList.GetItemsEx(Index)); }
    void Set(int Index, T* Item) { FList.SetItemsEx(Index, Item); }
    void Add(T* Item) { FList.Add(Item); }
    int IndexOf(const T* Item) const { return FList.IndexOf(const_cast<T*>(Item)); }
    void Delete(int Index) { FList.Delete(Index); }
    void Clear() { FList.Clear(); }

private:
    TDbgList FList;
};

} // namespace AdvToolBar

// A published value of an appearance object: the setter compares, stores and calls the class's
// Changed() when the value differed.
#define KV_TB_PROP(Type, Name)                                                                               \
public:                                                                                                      \
    Type Name() const {                                                                                      \
        return F##Name;                                                                                      \
    }                                                                                                        \
    void Set##Name(Type Value) {                                                                             \
        if (F##Name == Value) return;                                                                        \
        F##Name = Value;                                                                                     \
        Changed();                                                                                           \
    }                                                                                                        \
                                                                                                             \
private:                                                                                                     \
    Type F##Name

// The gradient steps of an appearance object: as KV_TB_PROP, the value kept to 0 .. kMaxGradientSteps.
#define KV_TB_STEPS()                                                                                        \
public:                                                                                                      \
    int Steps() const {                                                                                      \
        return FSteps;                                                                                       \
    }                                                                                                        \
    void SetSteps(int Value) {                                                                               \
        Value = ::AdvToolBar::LimitGradientSteps(Value);                                                     \
        if (FSteps == Value) return;                                                                         \
        FSteps = Value;                                                                                      \
        Changed();                                                                                           \
    }                                                                                                        \
                                                                                                             \
private:                                                                                                     \
    int FSteps

// A value written straight into its field, without change event.
#define KV_TB_FIELD(Type, Name)                                                                              \
public:                                                                                                      \
    Type Name() const {                                                                                      \
        return F##Name;                                                                                      \
    }                                                                                                        \
    void Set##Name(Type Value) {                                                                             \
        F##Name = Value;                                                                                     \
    }                                                                                                        \
                                                                                                             \
private:                                                                                                     \
    Type F##Name
