#pragma once
// TAdvDockPanel: the control a form places along one of its edges to hold toolbars in rows. It sizes
// itself to its rows, links its toolbars to a toolbar styler and paints the background they show
// through: the styler's dock colour and background bitmap, kept as an image that docked toolbars read
// their surroundings from.

#include <memory>
#include <vector>

#include "components/toolbar/dock/DockRows.h"
#include "components/toolbar/dock/Persistence.h"
#include "components/toolbar/styler/ToolBarStyler.h"
#include "platform/vcl/Bitmap.h"
#include "platform/vcl/CustomControl.h"

namespace AdvToolBar {

class TAdvCustomToolBar;

class TAdvDockPanel : public vcl::TCustomControl, public IToolBarStylerClient {
    KV_CLASS(TAdvDockPanel, vcl::TCustomControl)
    KV_PUBLISHED_PROPERTIES(TAdvDockPanel)
public:
    explicit TAdvDockPanel(vcl::TComponent* AOwner);
    ~TAdvDockPanel() override;

    // ---- Docking side (maps to the framework alignment of the same side)
    using vcl::TControl::SetAlign;
    TDockAlign Align() const { return FAlign; }
    // Stores a new side, aligns the panel to it and re-orients every toolbar.
    void SetAlign(TDockAlign Value);
    bool IsHorizontal() const { return AdvToolBar::IsHorizontal(FAlign); }

    // ---- Published settings
    int MinimumSize() const { return FMinimumSize; }
    // Values below 1 are ignored; the panel resizes itself (not at design time).
    void SetMinimumSize(int Value);
    bool LockHeight() const { return FLockHeight; }
    void SetLockHeight(bool Value) { FLockHeight = Value; }
    bool UseRunTimeHeight() const { return FUseRunTimeHeight; }
    void SetUseRunTimeHeight(bool Value);
    TPersistence* Persistence() const { return FPersistence.get(); }
    void SetPersistence(TPersistence* Value) { FPersistence->Assign(Value); }
    String Version() const { return kVersion; }
    void SetVersion(const String&) {}
    // The four version numbers one per byte, 3 in the highest.
    int GetVersionNr() const { return (3 << 24) | (0 << 16) | (9 << 8) | 1; }

    // ---- Styler
    TCustomAdvToolBarStyler* ToolBarStyler() const { return FToolBarStyler; }
    // Takes a styler (null: the internal one), registers with it and re-links the toolbars.
    void SetToolBarStyler(TCustomAdvToolBarStyler* Value);
    TCustomAdvToolBarStyler* CurrentStyler() const { return FCurrentStyler; }
    TCustomAdvToolBarStyler* InternalStyler() const { return FInternalStyler; }
    // The styler's change notification: takes the dock colour and repaints.
    void UpdateMe(int Code);
    void StylerChanged(TStylerChange Code) override { UpdateMe(static_cast<int>(Code)); }
    // A styler that goes away and is the panel's own: the panel takes its internal styler.
    void StylerReleased(TCustomAdvToolBarStyler* Styler) override;

    // The image of the last paint, the panel's size.
    vcl::TBitmap* GetMyImage() const { return FImage.get(); }
    // The context menu; an advanced popup menu takes the styler's menu styler.
    void SetPopupMenu(vcl::TComponent* Value) override;

    // ---- Toolbars and rows
    // Docks a toolbar: its index in its row, 0 while loading, -1 when no row takes it.
    int AddToolBar(TAdvCustomToolBar* ToolBar);
    void RemoveToolBar(TAdvCustomToolBar* ToolBar);
    // Lets the rows adjust the bounds a docked toolbar asks for.
    void SetToolBarBounds(TAdvCustomToolBar* ToolBar, int& ALeft, int& ATop, int& AWidth, int& AHeight);
    void SetToolBarFullSize(TAdvCustomToolBar* ToolBar);
    void UpdateToolBarVisibility(TAdvCustomToolBar* ToolBar);
    // Index of the first row that accepts the toolbar (nearest the client area first), or -1.
    int IsAllowedInAnyRow(TAdvCustomToolBar* ToolBar) const;
    void ArrangeToolBars() { FRows->ReArrangeAllToolBars(); }
    int GetAdvToolBarCount() const { return FToolBarList->Count(); }
    TAdvCustomToolBar* GetAdvToolBars(int Index) const { return FToolBarList->At<TAdvCustomToolBar>(Index); }
    int GetRowCount() const { return FRows->Count(); }
    TRowCollection* Rows() const { return FRows.get(); }
    // True while the rows may not change: LockHeight at run time once loaded.
    bool RowsFrozen() const;
    bool IsLoaded() const { return FLoaded; }
    int RowInset() const { return FRowInset; }
    int HorizontalEndMargin() const { return FHorzEndMargin; }

    void SetParent(vcl::TWinControl* AParent) override;

    // ---- Layout persistence (the panel's section: which toolbar lies in which row, where)
    void SaveToolBarsPosition();
    void LoadToolBarsPosition();

protected:
    // Writes the layout while the panel and its toolbars are whole (the start of its destruction).
    void Destroying() override;
    void Loaded() override;
    void Notification(vcl::TComponent* AComponent, vcl::TOperation Operation) override;
    void Paint() override;
    void WndProc(vcl::TMessage& Message) override;

private:
    void OnPersistenceChange(vcl::TObject* Sender);
    // The other dock panels of the panel's form (not inside dock panels).
    void CollectOtherPanels(vcl::TWinControl* Control, std::vector<TAdvDockPanel*>& Panels);
    // Gives the toolbar the panel's persistence settings.
    void CopyPersistenceTo(TAdvCustomToolBar* ToolBar) const;

    TCustomAdvToolBarStyler* FInternalStyler = nullptr; // owned by the panel
    TCustomAdvToolBarStyler* FToolBarStyler = nullptr;
    TCustomAdvToolBarStyler* FCurrentStyler = nullptr;
    TDockAlign FAlign = daTop;
    std::unique_ptr<TRowCollection> FRows;
    int FHorzEndMargin = 0;
    int FRowInset = 1;
    std::unique_ptr<TDbgList> FToolBarList;
    std::unique_ptr<TDbgList> FHiddenToolBarList;
    std::unique_ptr<TPersistence> FPersistence;
    std::unique_ptr<vcl::TBitmap> FImage;
    // The image is painted again only when the panel's size or the styler's look changed since.
    bool FImageValid = false;
    int FMinimumSize = 3;
    bool FLockHeight = false;
    bool FLoaded = false;
    bool FUseRunTimeHeight = false;
    bool FSizing = false;
};

} // namespace AdvToolBar
