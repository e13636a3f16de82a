#pragma once
// Shared types of the toolbar unit: docking sides, toolbar states, gradient directions, the styler's
// enumerations, and the range-checked list that holds the unit's controls.

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
KV_ENUM(TDockMode, dmAll, dmNone);

// daTop and daBottom lay out along x; daLeft and daRight along y.
inline bool IsHorizontal(TDockAlign Align) {
    return Align == daTop || Align == daBottom;
}

// A list whose indexed access checks the index against Count.
class TDbgList : public vcl::TList {
    KV_CLASS(TDbgList, vcl::TList)
public:
    TDbgList() = default;
    // Raises Exception "Index out of bounds in list read access" at or past Count.
    void* GetItemsEx(int Index) const;
    // Raises Exception "Index out of bounds in list write access" at or past Count.
    void SetItemsEx(int Index, void* Item);
    template <typename T> T* At(int Index) const { return static_cast<T*>(GetItemsEx(Index)); }
};

} // namespace AdvToolBar
