#pragma once
// TAdvCustomToolBarButton / TAdvToolBarButton: the windowless push or check button a toolbar lays out
// itself. Radio-style groups (GroupIndex), an optional drop-down part or drop-down menu, up to five
// state bitmaps or a picture, an optional caption, hot tracking with at most one hot button per
// toolbar, an action link and explicit drawing positions. Painting and sizing live in
// ToolBarButtonPaint.cpp.

#include <memory>

#include "components/foundation/AdvHintInfo.h"
#include "components/menus/AdvMenus.h"
#include "components/toolbar/dock/ToolBarControl.h"
#include "components/toolbar/styler/ToolBarAppearance.h"
#include "platform/vcl/Bitmap.h"
#include "platform/vcl/ImgList.h"
#include "platform/vcl/Picture.h"
#include "platform/vcl/Timer.h"

namespace AdvToolBar {

KV_ENUM(TAdvToolButtonStyle, tasButton, tasCheck);
KV_ENUM(TAdvButtonState, absUp, absDisabled, absDown, absDropDown, absExclusive);

class TAdvCustomToolBarButton;
class TCustomAdvToolBarStyler;

// Where the image and the caption go when Enabled, instead of the computed places.
class TAdvToolBarButtonDrawPosition : public vcl::TPersistent {
    KV_CLASS(TAdvToolBarButtonDrawPosition, vcl::TPersistent)
    KV_PUBLISHED_PROPERTIES(TAdvToolBarButtonDrawPosition)
public:
    TAdvToolBarButtonDrawPosition() = default;
    // Copies the five values from another draw position without raising OnChange.
    void Assign(vcl::TPersistent* Source) override;

    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    int TextX() const { return FTextX; }
    void SetTextX(int Value);
    int TextY() const { return FTextY; }
    void SetTextY(int Value);
    int ImageX() const { return FImageX; }
    void SetImageX(int Value);
    int ImageY() const { return FImageY; }
    void SetImageY(int Value);

    vcl::TNotifyEvent OnChange;

private:
    void Changed();
    bool FEnabled = false;
    int FTextX = 0;
    int FTextY = 0;
    int FImageX = 0;
    int FImageY = 0;
};

// The button follows its action's checked state and group too.
class TAdvToolBarButtonActionLink : public vcl::TControlActionLink {
    KV_CLASS(TAdvToolBarButtonActionLink, vcl::TControlActionLink)
public:
    explicit TAdvToolBarButtonActionLink(vcl::TObject* AClient);
    void AssignClient(vcl::TObject* AClient) override;
    bool IsCheckedLinked() override;
    bool IsGroupIndexLinked() override;
    void SetChecked(bool Value) override;
    void SetGroupIndex(int Value) override;

private:
    TAdvCustomToolBarButton* FButton = nullptr;
};

class TAdvCustomToolBarButton : public TAdvCustomToolBarControl {
    KV_CLASS(TAdvCustomToolBarButton, TAdvCustomToolBarControl)
public:
    explicit TAdvCustomToolBarButton(vcl::TComponent* AOwner);
    ~TAdvCustomToolBarButton() override;

    static constexpr int kDropDownWidth = 12;

    // ---- Groups and state
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int Value);
    bool AllowAllUp() const { return FAllowAllUp; }
    void SetAllowAllUp(bool Value);
    // A tasButton outside a group never stays down; the down button of a group without AllowAllUp
    // comes up only when another member goes down.
    bool Down() const { return FDown; }
    void SetDown(bool Value);
    TAdvToolButtonStyle Style() const { return FStyle; }
    void SetStyle(TAdvToolButtonStyle Value) { FStyle = Value; }
    TAdvButtonState State() const { return FState; }
    void SetState(TAdvButtonState Value) { FState = Value; }
    bool Hot() const { return FHot; }
    // Never hot off a toolbar, nor while the button is not up; one hot button per toolbar.
    void SetHot(bool Value);
    bool MouseInControl() const { return FMouseInControl; }
    bool MousePressed() const { return FMousePressed; }
    bool MenuShowing() const { return FMenuShowing; }

    // ---- Drop-down
    bool DropDownButton() const { return FDropDownButton; }
    void SetDropDownButton(bool Value);
    bool DropDownSplit() const { return FDropDownSplit; }
    void SetDropDownSplit(bool Value) { FDropDownSplit = Value; }
    AdvMenus::TAdvPopupMenu* DropDownMenu() const { return FDropDownMenu; }
    void SetDropDownMenu(AdvMenus::TAdvPopupMenu* Value);
    vcl::TMenuItem* MenuItem() const { return FMenuItem; }
    // Takes the item's action, caption, checked state, enabled state, hint, image index and
    // visibility; null only forgets the item.
    void SetMenuItem(vcl::TMenuItem* Value);
    // Clears the pressed look after a menu drop-down has closed.
    void OnDropDownHide();
    // A menu button drops its menu through the toolbar.
    void DoDropDown();
    virtual bool IsMenuButton() const { return false; }

    // ---- Look
    vcl::TBitmap* Glyph() const { return FGlyph.get(); }
    // Also makes the grey disabled glyph when none is set.
    void SetGlyph(vcl::TBitmap* Value);
    vcl::TBitmap* GlyphHot() const { return FGlyphHot.get(); }
    void SetGlyphHot(vcl::TBitmap* Value) { FGlyphHot->Assign(Value); }
    vcl::TBitmap* GlyphDown() const { return FGlyphDown.get(); }
    void SetGlyphDown(vcl::TBitmap* Value) { FGlyphDown->Assign(Value); }
    vcl::TBitmap* GlyphDisabled() const { return FGlyphDisabled.get(); }
    void SetGlyphDisabled(vcl::TBitmap* Value) { FGlyphDisabled->Assign(Value); }
    vcl::TBitmap* GlyphChecked() const { return FGlyphChecked.get(); }
    void SetGlyphChecked(vcl::TBitmap* Value) { FGlyphChecked->Assign(Value); }
    vcl::TPicture* Picture() const { return FPicture.get(); }
    void SetPicture(vcl::TPicture* Value);
    vcl::TPicture* PictureDisabled() const { return FPictureDisabled.get(); }
    void SetPictureDisabled(vcl::TPicture* Value);
    vcl::TBitmap* ShadeBitmap() const { return FShade.get(); }
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);
    bool ForceImageIndex() const { return FForceImageIndex; }
    void SetForceImageIndex(bool Value) { FForceImageIndex = Value; }
    TGlyphPosition GlyphPosition() const { return FGlyphPosition; }
    void SetGlyphPosition(TGlyphPosition Value);
    int Spacing() const { return FSpacing; }
    void SetSpacing(int Value);
    bool ShowCaption() const { return FShowCaption; }
    void SetShowCaption(bool Value);
    bool Shaded() const { return FShaded; }
    void SetShaded(bool Value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool Value);
    bool Flat() const { return FFlat; }
    void SetFlat(bool Value) { FFlat = Value; }
    bool Rounded() const { return FRounded; }
    void SetRounded(bool Value) { FRounded = Value; }
    bool Grouped() const { return FGrouped; }
    void SetGrouped(bool Value) { FGrouped = Value; }
    bool ParentStyler() const { return FParentStyler; }
    void SetParentStyler(bool Value);
    bool AutoThemeAdapt() const { return false; }
    void SetAutoThemeAdapt(bool) {}
    TButtonAppearance* Appearance() const { return FAppearance.get(); }
    void SetAppearance(TButtonAppearance* Value) { FAppearance->Assign(Value); }
    TAdvToolBarButtonDrawPosition* DrawPosition() const { return FDrawPosition.get(); }
    void SetDrawPosition(TAdvToolBarButtonDrawPosition* Value) { FDrawPosition->Assign(Value); }
    AdvHintInfo::TAdvHintInfo* OfficeHint() const { return FOfficeHint.get(); }
    void SetOfficeHint(AdvHintInfo::TAdvHintInfo* Value) { FOfficeHint->Assign(Value); }
    String Version() const { return "3.0.9.1"; }
    void SetVersion(const String&) {}
    int GetVersionNr() const { return (3 << 24) | (0 << 16) | (9 << 8) | 1; }

    // The index in the toolbar's control list; -1 without a toolbar.
    int GetIndex() const;
    // The styler the button takes its colours from: its toolbar's current styler, or null.
    TCustomAdvToolBarStyler* Styler() const;
    // The toolbar's image list and disabled image list (null when it has none).
    vcl::TCustomImageList* ToolBarImages() const;
    vcl::TCustomImageList* ToolBarDisabledImages() const;
    // The image list and index that paint the image: the toolbar's with ImageIndex, or a linked
    // action's list and index; ForSizing leaves ForceImageIndex out. False when none applies.
    bool ImageSource(vcl::TCustomImageList*& List, int& Index, bool ForSizing) const;
    // Builds the grey silhouette drawn under the image while the button is hot.
    void GenerateShade();
    // The room AdjustSize adds on each side of the content (4; a quick access toolbar asks for 1).
    void SetMargin(int Value) { FMargin = Value; }

    void SetParent(vcl::TWinControl* AParent) override;
    void Notification(vcl::TComponent* AComponent, vcl::TOperation Operation) override;

    vcl::TNotifyEvent OnMouseEnter;
    vcl::TNotifyEvent OnMouseLeave;
    vcl::TNotifyEvent OnDropDown;

    int CustomizerCommand = -1;
    // Made by the toolbar customizer from its file (the customizer destroys it on a reset).
    bool CustomizerCreated = false;
    int Merged = 0;
    bool ToolBarMade = false;
    // Menu handshake with the toolbar's menu-bar mode.
    bool ClickOpened = false;
    bool ClosedOverButton = false;
    bool ToolBarDropped = false;

public:
    // Closes the toolbar's option window first; afterwards the button becomes the toolbar's most
    // recently used control (and comes back onto it when it was hidden).
    void Click() override;

protected:
    friend class TAdvToolBarButtonActionLink;
    void Loaded() override;
    void Paint() override;
    void WndProc(vcl::TMessage& Message) override;
    void MouseDown(vcl::TMouseButton Button, vcl::TShiftState Shift, int X, int Y) override;
    void MouseMove(vcl::TShiftState Shift, int X, int Y) override;
    void MouseUp(vcl::TMouseButton Button, vcl::TShiftState Shift, int X, int Y) override;
    vcl::TControlActionLinkClass GetActionLinkClass() override;
    void ActionChange(vcl::TObject* Sender, bool CheckDefaults) override;
    void AdjustSize() override;

    // The colours and glyph of one look: fill From..To (the drop-down part DropFrom..DropTo), caption,
    // border (clNone: not drawn).
    struct TButtonFace {
        TColor From = vcl::clNone, To = vcl::clNone, DropFrom = vcl::clNone, DropTo = vcl::clNone;
        TColor Text = vcl::clNone, Border = vcl::clNone;
        bool HorizontalGradient = false;
        vcl::TBitmap* Glyph = nullptr;
    };
    TButtonFace StateFace() const;
    TButtonFace RestFace() const;
    TButtonFace CheckedFace() const;
    bool IsDisabledLook() const;
    bool IsDownLook() const;
    bool IsCheckedLook() const;
    // Fill, border, menu frame, arrow, then image and caption.
    void DrawFace(vcl::TCanvas* Canvas, const TButtonFace& Face);
    virtual void DrawButton(vcl::TCanvas* Canvas);
    virtual void DrawGlyphAndCaption(vcl::TCanvas* Canvas, const vcl::TRect& R, vcl::TBitmap* Glyph,
                                     TColor TextColor);
    // The toolbar's menu drop-down for this button; true when a menu was dropped.
    virtual bool CheckMenuDropdown();
    // Hook at a normal press.
    virtual void ButtonDown() {}
    // The canvas font that sizes and draws the caption.
    virtual vcl::TFont* CaptionFont() const;
    void PopupBtnDown();
    void UpdateExclusive();
    void UpdateTracking();
    bool IsLoading() const { return ComponentState().Contains(vcl::csLoading); }
    bool IsDesigning() const { return ComponentState().Contains(vcl::csDesigning); }
    // The drop-down part of the client rectangle.
    vcl::TRect DropDownRect() const;

    std::unique_ptr<TButtonAppearance> FAppearance;
    TAdvButtonState FState = absUp;
    bool FMouseInControl = false;
    bool FMousePressed = false;
    bool FMenuShowing = false;
    bool FHot = false;
    bool FDropDownButton = false;
    bool FDropDownSplit = true;
    bool FParentStyler = true;
    bool FTransparent = true;
    bool FShowCaption = false;
    bool FShaded = true;
    bool FShadeFromImages = false;
    TGlyphPosition FGlyphPosition = gpLeft;
    int FSpacing = 4;
    int FMargin = 4;
    int FImageIndex = -1;
    AdvMenus::TAdvPopupMenu* FDropDownMenu = nullptr;
    vcl::TMenuItem* FMenuItem = nullptr;

private:
    void GlyphChanged(vcl::TObject* Sender);
    void UnHotTimerOnTime(vcl::TObject* Sender);
    void ButtonPressed(vcl::TMessage& Message);
    void MouseEntered();
    void MouseLeft();
    // The hot button of the toolbar un-hots the others.
    void UpdateButtonHot();

    std::unique_ptr<vcl::TBitmap> FGlyph;
    std::unique_ptr<vcl::TBitmap> FGlyphHot;
    std::unique_ptr<vcl::TBitmap> FGlyphDown;
    std::unique_ptr<vcl::TBitmap> FGlyphDisabled;
    std::unique_ptr<vcl::TBitmap> FGlyphChecked;
    std::unique_ptr<vcl::TBitmap> FShade;
    std::unique_ptr<vcl::TPicture> FPicture;
    std::unique_ptr<vcl::TPicture> FPictureDisabled;
    std::unique_ptr<TAdvToolBarButtonDrawPosition> FDrawPosition;
    std::unique_ptr<AdvHintInfo::TAdvHintInfo> FOfficeHint;
    std::unique_ptr<vcl::TTimer> FUnHotTimer;
    int FGroupIndex = 0;
    bool FDown = false;
    bool FLoadedDown = false;
    bool FAllowAllUp = false;
    TAdvToolButtonStyle FStyle = tasButton;
    bool FFlat = true;
    bool FRounded = false;
    bool FGrouped = true;
    bool FForceImageIndex = false;
    bool FDragging = false;
};

// The button with its properties published.
class TAdvToolBarButton : public TAdvCustomToolBarButton {
    KV_CLASS(TAdvToolBarButton, TAdvCustomToolBarButton)
    KV_PUBLISHED_PROPERTIES(TAdvToolBarButton)
public:
    explicit TAdvToolBarButton(vcl::TComponent* AOwner) : TAdvCustomToolBarButton(AOwner) {}
};

} // namespace AdvToolBar
