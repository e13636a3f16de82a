#pragma once
// The glow button: a windowed push button with a gradient face that fades between its normal, hot and
// pressed looks, a glyph from image lists or GDI+ pictures, a caption and notes, an optional drop-down
// part, check and group behaviour, repeat clicking, a key tip, three size states for toolbars, an action
// link and the style interface. The face is painted by DrawGlowButton (AdvGlowButtonDraw.h).

#include <functional>
#include <memory>

#include "components/foundation/AdvGlowButtonAppearance.h"
#include "components/foundation/AdvGlowButtonDraw.h"
#include "components/foundation/AdvGlowButtonFace.h"
#include "components/foundation/AdvHintInfo.h"
#include "components/foundation/AdvStyleIF.h"
#include "components/foundation/AdvVersion.h"
#include "components/foundation/GDIPicture.h"
#include "platform/vcl/Controls.h"
#include "platform/vcl/CustomControl.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/ImgList.h"
#include "platform/vcl/Menus.h"
#include "platform/vcl/Timer.h"

namespace AdvGlowButton {

using vcl::String;

KV_ENUM(TDropDownDirection, ddDown, ddRight);
KV_ENUM(TFocusType, ftBorder, ftHot, ftHotBorder, ftNone);
KV_ENUM(TShortCutHintPos, shpLeft, shpTop, shpRight, shpBottom);
KV_ENUM(TButtonSizeState, bsGlyph, bsLabel, bsLarge);
KV_ENUM(TAdvButtonStyle, bsButton, bsCheck);
enum TAdvButtonState { absUp, absDisabled, absDown, absDropDown, absExclusive };
enum TGlowState { gsHover, gsPush, gsNone };
// The look OnDrawButton is told about.
enum TGlowButtonState { gsNormal, gsHot, gsDown };

using TInternalKeyDownEvent =
    std::function<void(vcl::TObject* Sender, vcl::Word& Key, vcl::TShiftState Shift)>;
using TGlowButtonDrawEvent =
    std::function<void(vcl::TObject* Sender, vcl::TCanvas* Canvas, vcl::TRect Rect, TGlowButtonState State)>;
using TSizeRequestEvent = std::function<void(vcl::TObject* Sender, int& Width, int& Height)>;

class TShortCutHintWindow;
class TAdvCustomGlowButton;

// The action link: the button follows the action's checked state, group and image index too.
class TAdvGlowButtonActionLink : public vcl::TControlActionLink {
    KV_CLASS(TAdvGlowButtonActionLink, vcl::TControlActionLink)
public:
    explicit TAdvGlowButtonActionLink(vcl::TObject* AClient);
    void AssignClient(vcl::TObject* AClient) override;
    bool IsCheckedLinked() override;
    bool IsGroupIndexLinked() override;
    bool IsImageIndexLinked() override;
    void SetChecked(bool Value) override;
    void SetGroupIndex(int Value) override;
    void SetImageIndex(vcl::TImageIndex Value) override;

private:
    TAdvCustomGlowButton* FButton = nullptr;
    vcl::TImageIndex FImageIndex = -1;
};

class TAdvCustomGlowButton : public vcl::TCustomControl, public AdvStyleIF::IBrixStyle {
    KV_CLASS(TAdvCustomGlowButton, vcl::TCustomControl)
    KV_PUBLISHED_PROPERTIES(TAdvCustomGlowButton)
public:
    explicit TAdvCustomGlowButton(vcl::TComponent* AOwner);
    ~TAdvCustomGlowButton() override;

    // ---- The style interface: recolours Appearance to a preset (tsCustom changes nothing).
    void SetComponentStyle(AdvStyleIF::TBrixStyle AStyle) override;

    // Copies the look and behaviour settings of another glow button (not its group, appearance or
    // drop-down settings); any other source raises EConvertError.
    void Assign(vcl::TPersistent* Source) override;

    // Sets the parent form's modal result, runs the internal click hook, then OnClick (or the action).
    void Click() override;
    // Clicks as a key tip or the dialog key does (check-style buttons toggle first).
    void InternalClick();

    // ---- Down and groups
    bool Down() const { return FDown; }
    void SetDown(bool Value);
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int Value);
    bool AllowAllUp() const { return FAllowAllUp; }
    void SetAllowAllUp(bool Value);
    TAdvButtonStyle Style() const { return FStyle; }
    void SetStyle(TAdvButtonStyle Value) { FStyle = Value; }
    // Tells the other buttons of the group under the same parent that this one went down.
    void UpdateExclusive();

    // ---- Glyph sources
    vcl::TImageIndex ImageIndex() const { return FImageIndex; }
    void SetImageIndex(vcl::TImageIndex Value);
    vcl::TCustomImageList* Images() const { return FImages; }
    void SetImages(vcl::TCustomImageList* Value);
    vcl::TCustomImageList* DisabledImages() const { return FDisabledImages; }
    void SetDisabledImages(vcl::TCustomImageList* Value);
    vcl::TCustomImageList* HotImages() const { return FHotImages; }
    void SetHotImages(vcl::TCustomImageList* Value);

    // ---- Look
    TGlowButtonAppearance* Appearance() const { return FAppearance.get(); }
    void SetAppearance(TGlowButtonAppearance* Value) { FAppearance->Assign(Value); }
    GDIPicture::TGDIPPicture* Picture() const { return FPicture.get(); }
    void SetPicture(GDIPicture::TGDIPPicture* Value) { FPicture->Assign(Value); }
    GDIPicture::TGDIPPicture* DisabledPicture() const { return FDisabledPicture.get(); }
    void SetDisabledPicture(GDIPicture::TGDIPPicture* Value);
    GDIPicture::TGDIPPicture* HotPicture() const { return FHotPicture.get(); }
    void SetHotPicture(GDIPicture::TGDIPPicture* Value) { FHotPicture->Assign(Value); }
    AdvHintInfo::TAdvHintInfo* OfficeHint() const { return FOfficeHint.get(); }
    void SetOfficeHint(AdvHintInfo::TAdvHintInfo* Value) { FOfficeHint->Assign(Value); }
    vcl::TStringList* Notes() const { return FNotes.get(); }
    void SetNotes(vcl::TStrings* Value);
    vcl::TFont* NotesFont() const { return FNotesFont.get(); }
    void SetNotesFont(vcl::TFont* Value);
    TButtonLayout Layout() const { return FLayout; }
    void SetLayout(TButtonLayout Value);
    TFocusType FocusType() const { return FFocusType; }
    void SetFocusType(TFocusType Value) { FFocusType = Value; }
    TButtonPosition Position() const { return FPosition; }
    void SetButtonPosition(TButtonPosition Value);
    int Spacing() const { return FSpacing; }
    void SetSpacing(int Value);
    int MarginHorz() const { return FMarginHorz; }
    void SetMarginHorz(int Value);
    int MarginVert() const { return FMarginVert; }
    void SetMarginVert(int Value);
    bool Rounded() const { return FRounded; }
    void SetRounded(bool Value);
    bool ShowCaption() const { return FShowCaption; }
    void SetShowCaption(bool Value);
    bool ShowDisabled() const { return FShowDisabled; }
    void SetShowDisabled(bool Value);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value);
    AdvGDIP::TAntiAlias AntiAlias() const { return FAntiAlias; }
    void SetAntiAlias(AdvGDIP::TAntiAlias Value);
    vcl::TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(vcl::TBorderStyle Value);
    AdvGDIP::StringTrimming Trimming() const { return FTrimming; }
    void SetTrimming(AdvGDIP::StringTrimming Value);
    // The Unicode caption, drawn when Caption is empty.
    const String& WideCaption() const { return FWideCaption; }
    void SetWideCaption(const String& Value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool Value) { FTransparent = Value; }
    String GetVersion() const { return AdvVersion::VersionText(static_cast<std::uint32_t>(GetVersionNr())); }
    void SetVersion(const String&) {}
    virtual int GetVersionNr() const { return (1 << 24) | (8 << 16) | (1 << 8) | 3; }

    // ---- Behaviour settings
    bool Default() const { return FDefault; }
    void SetDefault(bool Value) { FDefault = Value; }
    bool Cancel() const { return FCancel; }
    void SetCancel(bool Value) { FCancel = Value; }
    vcl::TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(vcl::TModalResult Value) { FModalResult = Value; }
    bool RepeatClick() const { return FRepeatClick; }
    void SetRepeatClick(bool Value) { FRepeatClick = Value; }
    int InitRepeatPause() const { return FInitRepeatPause; }
    void SetInitRepeatPause(int Value) { FInitRepeatPause = Value; }
    int RepeatPause() const { return FRepeatPause; }
    void SetRepeatPause(int Value) { FRepeatPause = Value; }
    const String& ShortCutHint() const { return FShortCutHint; }
    void SetShortCutHint(const String& Value) { FShortCutHint = Value; }
    TShortCutHintPos ShortCutHintPos() const { return FShortCutHintPos; }
    void SetShortCutHintPos(TShortCutHintPos Value) { FShortCutHintPos = Value; }
    bool DropDownButton() const { return FDropDownButton; }
    void SetDropDownButton(bool Value);
    TDropDownPosition DropDownPosition() const { return FDropDownPosition; }
    void SetDropDownPosition(TDropDownPosition Value);
    TDropDownDirection DropDownDirection() const { return FDropDownDirection; }
    void SetDropDownDirection(TDropDownDirection Value);
    bool DropDownSplit() const { return FDropDownSplit; }
    void SetDropDownSplit(bool Value) { FDropDownSplit = Value; }
    TButtonSizeState MaxButtonSizeState() const { return FMaxButtonSizeState; }
    void SetMaxButtonSizeState(TButtonSizeState Value);
    TButtonSizeState MinButtonSizeState() const { return FMinButtonSizeState; }
    void SetMinButtonSizeState(TButtonSizeState Value);
    TButtonSizeState ButtonSizeState() const { return FButtonSizeState; }
    // Takes the state and measures the button again at once.
    void SetButtonSizeState(TButtonSizeState Value);
    // The size (width, height) the button would have in that state; the button is left unchanged.
    vcl::TSize GetButtonSize(TButtonSizeState State);
    // Sizes the button to its content; the framework's AutoSize setter comes here too.
    bool AutoSize() const { return FAutoSizeEx; }
    void SetAutoSizeEx(bool Value);
    void SetAutoSize(bool Value) override { SetAutoSizeEx(Value); }

    // ---- Drop-down
    vcl::TPopupMenu* DropDownMenu() const { return FDropDownMenu; }
    void SetDropDownMenu(vcl::TPopupMenu* Value);
    // True while the drop-down menu shows; the setter only stores.
    bool DroppedDown() const { return FDroppedDown; }
    void SetDroppedDown(bool Value) { FDroppedDown = Value; }
    // Shows the drop-down menu (menu buttons and buttons with a menu only).
    void DoDropDown();

    // ---- Key tips
    void ShowShortCutHint();
    void HideShortCutHint();
    TShortCutHintWindow* ShortCutHintWindow() const { return FShortCutHintWindow; }

    // ---- The customizer's values: the command number and whether the customizer made the button.
    int CustomizerCommand() const { return FCustomizerCommand; }
    void SetCustomizerCommand(int Value) { FCustomizerCommand = Value; }
    bool CustomizerCreated() const { return FCustomizerCreated; }
    void SetCustomizerCreated(bool Value) { FCustomizerCreated = Value; }

    // ---- State the painter and tests read
    TAdvButtonState State() const { return FState; }
    bool Hot() const { return FHot; }
    bool Pressed() const { return FPressed; }
    TGlowState GlowState() const { return FGlowState; }
    int HoverProgress() const { return FHoverProgress; }
    int PushProgress() const { return FPushProgress; }
    // True while a fade runs (its timer exists).
    bool Fading() const { return FTimer != nullptr; }

    virtual bool IsMenuButton() const { return false; }
    virtual bool CanDrawBorder() const { return FBorderStyle == vcl::bsSingle; }
    virtual bool CanDrawFocused();

    // ---- Events and hooks
    vcl::TNotifyEvent OnDropDown;
    // Set by a toolbar that holds the button; the button never sets them.
    TInternalKeyDownEvent OnInternalKeyDown;
    vcl::TNotifyEvent OnInternalClick;
    TSizeRequestEvent OnSizeRequest;
    TGlowButtonDrawEvent OnDrawButton;

protected:
    friend class TAdvGlowButtonActionLink;
    void WndProc(vcl::TMessage& Message) override;
    void Paint() override;
    void Loaded() override;
    void Notification(vcl::TComponent* AComponent, vcl::TOperation Operation) override;
    vcl::TControlActionLinkClass GetActionLinkClass() override;
    void ActionChange(vcl::TObject* Sender, bool CheckDefaults) override;
    // Called after the face is drawn; nothing here.
    virtual void DrawGlyphCaption() {}
    // May fill the tool image (a 1 x 1 bitmap at first); nothing here.
    virtual void GetToolImage(vcl::TBitmap*) {}
    // The list a derived button fills with its own glyph (made on first use), used when no other
    // list applies.
    vcl::TImageList* InternalGlyphList();
    void FreeInternalGlyphList();
    // Takes the index without measuring again (the internal list's glyph).
    void SetImageIndexDirect(vcl::TImageIndex Value) { FImageIndex = Value; }
    void MouseDown(vcl::TMouseButton Button, vcl::TShiftState Shift, int X, int Y) override;
    void MouseUp(vcl::TMouseButton Button, vcl::TShiftState Shift, int X, int Y) override;
    void MouseMove(vcl::TShiftState Shift, int X, int Y) override;
    void KeyDown(vcl::Word& Key, vcl::TShiftState Shift) override;
    void KeyUp(vcl::Word& Key, vcl::TShiftState Shift) override;
    void KeyPress(char32_t& Key) override;
    void DoEnter() override;
    void DoExit() override;
    virtual void TimerExpired(vcl::TObject* Sender);
    void PerformResize();
    void UpdateTracking();
    void PopupBtnDown();

private:
    // A press by click or key: a check-style button toggles, and the button shows its down look.
    void ShowPressed();
    void WMLButtonUp(vcl::TMessage& Message);
    void CMMouseEnter(vcl::TMessage& Message);
    void CMMouseLeave(vcl::TMessage& Message);
    void CMButtonPressed(vcl::TMessage& Message);
    void CMDialogKey(vcl::TMessage& Message);
    void CMFocusChanged(vcl::TMessage& Message);
    void CMDialogChar(vcl::TMessage& Message);
    void CMEnabledChanged(vcl::TMessage& Message);
    void TimerProc();
    void EnsureFadeTimer();
    void FreeFadeTimer();
    void PopupMenuAt();
    // The painter's input for the current state (colours by the fades), and the measuring pass.
    TGlowDrawInput MakeDrawInput(TButtonSizeState SizeState, bool ForMeasure, TGlowButtonState& Look);
    // The face's colours in the present state, fade included, and whether the look is emphasised.
    TGlowColorSet FaceColors(bool& Emphasised);
    vcl::TSize SizeFor(TButtonSizeState SizeState);
    void PaintParentInto(win::HDC DC, win::HRGN Clip);
    // Adds where the parent may show through the button (client coordinates moved by DX, DY): the whole
    // button when it is transparent, else its rounded corners (none for a middle piece of a group).
    void AddParentShowing(std::vector<vcl::TRect>& Into, int DX, int DY) const;
    String GetCaptionText() { return Caption(); }
    void SetCaptionText(const String& Value) { SetCaption(Value); }
    // True when the form around the button is being read.
    bool IsLoading() const;
    bool NeverStored() const { return false; }

    // Owned parts
    std::unique_ptr<TGlowButtonAppearance> FAppearance;
    std::unique_ptr<GDIPicture::TGDIPPicture> FPicture;
    std::unique_ptr<GDIPicture::TGDIPPicture> FDisabledPicture;
    std::unique_ptr<GDIPicture::TGDIPPicture> FHotPicture;
    std::unique_ptr<AdvHintInfo::TAdvHintInfo> FOfficeHint;
    std::unique_ptr<vcl::TStringList> FNotes;
    std::unique_ptr<vcl::TFont> FNotesFont;
    vcl::TTimer* FRepeatTimer = nullptr; // owned by the button as a component
    vcl::TTimer* FTimer = nullptr;       // the fade timer, made on demand, freed when a fade ends
    TShortCutHintWindow* FShortCutHintWindow = nullptr; // owned by the button as a component
    vcl::TImageList* FIGlyphList = nullptr;             // owned by the button as a component
    vcl::TCustomImageList* FImages = nullptr;
    vcl::TCustomImageList* FDisabledImages = nullptr;
    vcl::TCustomImageList* FHotImages = nullptr;
    vcl::TPopupMenu* FDropDownMenu = nullptr;

    // State
    bool FActiveDefault = false;
    bool FDialogKeyClicked = false; // Return was taken as the dialog key: skip its character
    bool FPressed = false;
    bool FReleasedOutside = false;
    bool FCaptured = false;
    int FHoverProgress = 0;
    int FPushProgress = 0;
    int FStep = 20;
    TGlowState FGlowState = gsHover;
    TAdvButtonState FState = absUp;
    bool FHot = false;
    bool FMouseInside = false;
    bool FDownKept = false;
    bool FMouseDown = false;
    bool FOverDropPart = false;
    bool FCheckedLinked = false;
    bool FGroupLinked = false;
    bool FHovering = false;
    bool FDroppedDown = false;
    bool FRemeasuring = false;
    bool FSizeDirty = true;
    TGlowFaceCache FFaceCache; // the face as last painted
    int FCustomizerCommand = -1;
    bool FCustomizerCreated = false;
    vcl::TImageIndex FImageIndex = -1;
    bool FAutoSizeEx = false;

    // Properties
    bool FDown = false;
    int FGroupIndex = 0;
    bool FAllowAllUp = false;
    TAdvButtonStyle FStyle = bsButton;
    TButtonLayout FLayout = blGlyphLeft;
    TFocusType FFocusType = ftBorder;
    TButtonPosition FPosition = bpStandalone;
    int FSpacing = 2;
    int FMarginHorz = 2;
    int FMarginVert = 2;
    bool FRounded = true;
    bool FShowCaption = true;
    bool FShowDisabled = true;
    bool FWordWrap = true;
    bool FTransparent = false;
    AdvGDIP::TAntiAlias FAntiAlias = AdvGDIP::aaClearType;
    vcl::TBorderStyle FBorderStyle = vcl::bsSingle;
    AdvGDIP::StringTrimming FTrimming = AdvGDIP::StringTrimmingNone;
    String FWideCaption;
    bool FDefault = false;
    bool FCancel = false;
    vcl::TModalResult FModalResult = 0;
    bool FRepeatClick = false;
    int FInitRepeatPause = 400;
    int FRepeatPause = 100;
    String FShortCutHint;
    TShortCutHintPos FShortCutHintPos = shpTop;
    bool FDropDownButton = false;
    TDropDownPosition FDropDownPosition = dpRight;
    TDropDownDirection FDropDownDirection = ddDown;
    bool FDropDownSplit = true;
    TButtonSizeState FMaxButtonSizeState = bsLarge;
    TButtonSizeState FMinButtonSizeState = bsGlyph;
    TButtonSizeState FButtonSizeState = bsLarge;
    TButtonLayout FLargeLayout = blGlyphLeft;
    TDropDownPosition FLargeDropDownPosition = dpRight;
};

// The button as forms hold it: publishes the group, appearance and drop-down properties too.
class TAdvGlowButton : public TAdvCustomGlowButton {
    KV_CLASS(TAdvGlowButton, TAdvCustomGlowButton)
    KV_PUBLISHED_PROPERTIES(TAdvGlowButton)
public:
    explicit TAdvGlowButton(vcl::TComponent* AOwner) : TAdvCustomGlowButton(AOwner) {}
};

} // namespace AdvGlowButton
