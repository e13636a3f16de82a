#pragma once
// TControl: the visual component. It has bounds in its parent's client area, an alignment, anchors,
// constraints, a font and colour (optionally its parent's), a caption, a hint, mouse events, and a window
// procedure of its own (WndProc) even when it has no window: a windowless control gets its messages from
// its parent, which paints it into its own device context and routes the mouse to it.
//
// Messages: Perform(Msg, WParam, LParam) calls WindowProc, which is WndProc unless someone replaced it
// (subclassing: keep the old value and call it for what you do not handle). WndProc handles its messages
// in one switch and hands the rest to DefaultHandler. An override handles its own messages and calls the
// base class's WndProc for everything else.
//
// Mouse enter and leave: the control under the pointer receives CM_MOUSEENTER when the pointer comes in
// and CM_MOUSELEAVE when it goes (to another control, out of the window, or when the control is hidden),
// windowed or not, LParam 0. The handler here raises OnMouseEnter / OnMouseLeave. A freed control is
// simply forgotten.
//
// Click: a control with an action and no OnClick of its own executes the action; with an OnClick, the
// OnClick runs (the action's OnExecute is not copied into OnClick).

#include <functional>
#include <memory>

#include "platform/classes/Component.h"
#include "platform/classes/Properties.h"
#include "platform/rtl/Colors.h"
#include "platform/rtl/Events.h"
#include "platform/vcl/ActnList.h"
#include "platform/vcl/ControlMessages.h"
#include "platform/vcl/GraphicsObjects.h"
#include "platform/win/WinUser.h"

namespace vcl {

class TControl;
class TWinControl;
class TCustomForm;
class TDragObject;
class TDragDockObject;
class TDragImageList;

// ---- Enumerations and sets

KV_ENUM(TAlign, alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom);
using TAlignSet = TSet<TAlign>;

KV_ENUM(TAnchorKind, akLeft, akTop, akRight, akBottom);
using TAnchors = TSet<TAnchorKind>;

enum TControlStateFlag {
    csLButtonDown,
    csClicked,
    csPalette,
    csReadingState,
    csAlignmentNeeded,
    csFocusing,
    csCreating,
    csPaintCopy,
    csCustomPaint,
    csDestroyingHandle,
    csDocking,
    csAligning,
    csPaletteChange = csPalette
};
using TControlState = TSet<TControlStateFlag>;

enum TControlStyleFlag {
    csAcceptsControls,
    csCaptureMouse,
    csDesignInteractive,
    csClickEvents,
    csFramed,
    csSetCaption,
    csOpaque,
    csDoubleClicks,
    csFixedWidth,
    csFixedHeight,
    csNoDesignVisible,
    csReplicatable,
    csNoStdEvents,
    csDisplayDragImage,
    csReflector,
    csActionClient,
    csMenuEvents,
    csNeedsBorderPaint,
    csParentBackground,
    csPannable
};
using TControlStyle = TSet<TControlStyleFlag>;

KV_ENUM(TDragMode, dmManual, dmAutomatic);
KV_ENUM(TBiDiMode, bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly);
KV_ENUM(TDragKind, dkDrag, dkDock);
enum TDragState { dsDragEnter, dsDragLeave, dsDragMove };

// Cursors: crDefault (0) takes the parent's or the system's; the others are the screen's cursors.
using TCursor = int;
constexpr TCursor crDefault = 0;
constexpr TCursor crNone = -1;
constexpr TCursor crArrow = -2;
constexpr TCursor crCross = -3;
constexpr TCursor crIBeam = -4;
constexpr TCursor crSizeNESW = -6;
constexpr TCursor crSizeNS = -7;
constexpr TCursor crSizeNWSE = -8;
constexpr TCursor crSizeWE = -9;
constexpr TCursor crUpArrow = -10;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crDrag = -12;
constexpr TCursor crNoDrop = -13;
constexpr TCursor crHSplit = -14;
constexpr TCursor crVSplit = -15;
constexpr TCursor crMultiDrag = -16;
constexpr TCursor crSQLWait = -17;
constexpr TCursor crNo = -18;
constexpr TCursor crAppStart = -19;
constexpr TCursor crHelp = -20;
constexpr TCursor crHandPoint = -21;
constexpr TCursor crSizeAll = -22;
constexpr TCursor crSize = -22;
// Cursor names ("crHandPoint") for layouts.
bool CursorToIdent(Int64 Cursor, String& Ident);
bool IdentToCursor(const String& Ident, Int64& Cursor);
// The window system's cursor for a cursor value (the arrow for crDefault and unknown values; null for
// crNone).
win::HCURSOR CursorHandleOf(TCursor Cursor);

// Bounds as every control keeps them: a position within +-MaxControlCoordinate, a size from 0 to it, the
// range the window system keeps its windows to. A layout or a caller may ask for anything in the int range
// (Left = 2147483647); kept to this, a position plus a size, and the positions added up along a chain of up
// to 127 parents, stay within int wherever painting adds them.
constexpr int MaxControlCoordinate = win::MaxWindowCoordinate;
void KeepBoundsInRange(int& Left, int& Top, int& Width, int& Height);

// ---- Events
using TMouseEvent =
    std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TKeyEvent = std::function<void(TObject* Sender, Word& Key, TShiftState Shift)>;
// The character is a Unicode code point.
using TKeyPressEvent = std::function<void(TObject* Sender, char32_t& Key)>;
using TMouseWheelEvent =
    std::function<void(TObject* Sender, TShiftState Shift, int WheelDelta, TPoint MousePos, bool& Handled)>;
using TDragOverEvent =
    std::function<void(TObject* Sender, TObject* Source, int X, int Y, TDragState State, bool& Accept)>;
using TDragDropEvent = std::function<void(TObject* Sender, TObject* Source, int X, int Y)>;
using TEndDragEvent = std::function<void(TObject* Sender, TObject* Target, int X, int Y)>;
using TStartDragEvent = std::function<void(TObject* Sender, TDragObject*& DragObject)>;
using TStartDockEvent = std::function<void(TObject* Sender, TDragDockObject*& DragObject)>;
using TEndDockEvent = TEndDragEvent;
using TContextPopupEvent = std::function<void(TObject* Sender, TPoint MousePos, bool& Handled)>;

// ---- Size constraints: 0 means no limit. Setting a minimum above the maximum raises the maximum (and
// the other way round); a change re-applies the control's bounds.
class TSizeConstraints : public TPersistent {
    KV_CLASS(TSizeConstraints, TPersistent)
    KV_PUBLISHED_PROPERTIES(TSizeConstraints)
public:
    explicit TSizeConstraints(TControl* Control);
    void Assign(TPersistent* Source) override;

    int MinWidth() const { return FMinWidth; }
    int MaxWidth() const { return FMaxWidth; }
    int MinHeight() const { return FMinHeight; }
    int MaxHeight() const { return FMaxHeight; }
    void SetMinWidth(int Value);
    void SetMaxWidth(int Value);
    void SetMinHeight(int Value);
    void SetMaxHeight(int Value);
    // Clamps a width / height to the limits.
    int ConstrainWidth(int Width) const;
    int ConstrainHeight(int Height) const;

    TControl* Control() const { return FControl; }
    TNotifyEvent OnChange;

protected:
    virtual void Change();
    TPersistent* GetOwner() override;

private:
    TControl* FControl;
    int FMinWidth = 0;
    int FMaxWidth = 0;
    int FMinHeight = 0;
    int FMaxHeight = 0;
};

// ---- Margins kept around a control aligned with AlignWithMargins (3 pixels each by default).
class TMargins : public TPersistent {
    KV_CLASS(TMargins, TPersistent)
    KV_PUBLISHED_PROPERTIES(TMargins)
public:
    explicit TMargins(TControl* Control);
    void Assign(TPersistent* Source) override;

    int Left() const { return FLeft; }
    int Top() const { return FTop; }
    int Right() const { return FRight; }
    int Bottom() const { return FBottom; }
    void SetLeft(int Value);
    void SetTop(int Value);
    void SetRight(int Value);
    void SetBottom(int Value);
    void SetBounds(int ALeft, int ATop, int ARight, int ABottom);

    TControl* Control() const { return FControl; }
    TNotifyEvent OnChange;

protected:
    virtual void Change();
    TPersistent* GetOwner() override;

private:
    TControl* FControl;
    int FLeft = 3;
    int FTop = 3;
    int FRight = 3;
    int FBottom = 3;
};

// ---- The link between a control and its action: the control follows the action's caption, enabled
// state, hint, visibility and click handler while they are linked.
class TControlActionLink : public TActionLink {
    KV_CLASS(TControlActionLink, TActionLink)
public:
    explicit TControlActionLink(TObject* AClient);

    bool IsCaptionLinked() override;
    bool IsEnabledLinked() override;
    bool IsHintLinked() override;
    bool IsVisibleLinked() override;
    bool IsOnExecuteLinked() override;
    bool IsHelpContextLinked() override;
    void SetCaption(const String& Value) override;
    void SetEnabled(bool Value) override;
    void SetHint(const String& Value) override;
    void SetVisible(bool Value) override;
    void SetOnExecute(const TNotifyEvent& Value) override;
    void AssignClient(TObject* AClient) override;
    // The action's hint, if it has one, for the hint machinery.
    virtual bool DoShowHint(String& HintStr);

protected:
    TControl* FClient = nullptr;
};
using TControlActionLinkClass = std::unique_ptr<TControlActionLink> (*)(TControl* Client);

// ---- The window procedure type: WindowProc, replaceable for subclassing.
using TWndMethod = std::function<void(TMessage& Message)>;

class TControl : public TComponent {
    KV_CLASS(TControl, TComponent)
    KV_PUBLISHED_PROPERTIES(TControl)
public:
    explicit TControl(TComponent* AOwner);
    ~TControl() override;

    // ---- Parent
    TWinControl* Parent() const { return FParent; }
    // Moves the control into AParent's controls (null: takes it out). A control cannot be its own parent
    // or its descendant's (EInvalidOperation "Control '<name>' cannot have itself as parent").
    virtual void SetParent(TWinControl* AParent);
    TComponent* GetParentComponent() const override;
    bool HasParent() const override { return true; }
    void SetParentComponent(TComponent* Value) override;

    // ---- Bounds (in the parent's client coordinates)
    int Left() const { return FLeft; }
    int Top() const { return FTop; }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    void SetLeft(int Value) { SetBounds(Value, FTop, FWidth, FHeight); }
    void SetTop(int Value) { SetBounds(FLeft, Value, FWidth, FHeight); }
    void SetWidth(int Value) { SetBounds(FLeft, FTop, Value, FHeight); }
    void SetHeight(int Value) { SetBounds(FLeft, FTop, FWidth, Value); }
    // Constraints apply to the size; negative sizes become 0, and the bounds are kept in range
    // (KeepBoundsInRange). Realigns the parent when needed and raises OnResize (through Resize) when the
    // size changed.
    virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
    TRect BoundsRect() const { return Bounds(FLeft, FTop, FWidth, FHeight); }
    void SetBoundsRect(const TRect& R) { SetBounds(R.Left, R.Top, R.Width(), R.Height()); }
    // The client area in client coordinates (a plain control: its whole size).
    virtual TRect GetClientRect();
    TRect ClientRect() { return GetClientRect(); }
    int ClientWidth() { return GetClientRect().Width(); }
    int ClientHeight() { return GetClientRect().Height(); }
    void SetClientWidth(int Value);
    void SetClientHeight(int Value);
    virtual void SetClientSize(TSize Value);
    // The screen position of the client area's origin.
    virtual TPoint ClientOrigin();
    TPoint ClientToScreen(TPoint Point);
    TPoint ScreenToClient(TPoint Point);
    // Between this control's client coordinates and its parent's.
    TPoint ClientToParent(TPoint Point, TWinControl* AParent = nullptr);
    TPoint ParentToClient(TPoint Point, TWinControl* AParent = nullptr);

    // ---- Layout
    TAlign Align() const { return FAlign; }
    void SetAlign(TAlign Value);
    bool AlignWithMargins() const { return FAlignWithMargins; }
    void SetAlignWithMargins(bool Value);
    TMargins* Margins() const { return FMargins.get(); }
    void SetMargins(TMargins* Value) { FMargins->Assign(Value); }
    TAnchors Anchors() const { return FAnchors; }
    void SetAnchors(TAnchors Value);
    TSizeConstraints* Constraints() const { return FConstraints.get(); }
    void SetConstraints(TSizeConstraints* Value) { FConstraints->Assign(Value); }

    // ---- State and look
    bool Visible() const { return FVisible; }
    virtual void SetVisible(bool Value);
    void Show();
    void Hide();
    // Visible here and in every parent (a windowed control: its window is shown).
    virtual bool Showing() const;
    bool Enabled() const { return FEnabled; }
    virtual void SetEnabled(bool Value);
    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* Value) { FFont->Assign(Value); }
    bool ParentFont() const { return FParentFont; }
    void SetParentFont(bool Value);
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    bool ParentColor() const { return FParentColor; }
    void SetParentColor(bool Value);
    // Caption and Text are the same string (WM_GETTEXT / WM_SETTEXT for a windowed control).
    String Caption() { return GetText(); }
    void SetCaption(const String& Value) { SetText(Value); }
    String Text() { return GetText(); }
    String GetText();
    void SetText(const String& Value);
    const String& Hint() const { return FHint; }
    void SetHint(const String& Value) { FHint = Value; }
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool Value);
    bool ParentShowHint() const { return FParentShowHint; }
    void SetParentShowHint(bool Value);
    // The context menu (a TPopupMenu once the menus exist); cleared when it is freed.
    TComponent* PopupMenu() const { return FPopupMenu; }
    virtual void SetPopupMenu(TComponent* Value);
    // The menu unit's door: pops Menu up for this control at Screen (true: it was shown).
    static inline bool (*PopupMenuHook)(TControl* Control, TComponent* Menu, TPoint Screen) = nullptr;
    TCursor Cursor() const { return FCursor; }
    void SetCursor(TCursor Value);
    TDragMode DragMode() const { return FDragMode; }
    virtual void SetDragMode(TDragMode Value) { FDragMode = Value; }
    TDragKind DragKind() const { return FDragKind; }
    void SetDragKind(TDragKind Value) { FDragKind = Value; }
    TCursor DragCursor() const { return FDragCursor; }
    void SetDragCursor(TCursor Value) { FDragCursor = Value; }
    int HelpContext() const { return FHelpContext; }
    void SetHelpContext(int Value) { FHelpContext = Value; }
    // Kept and streamed; the controls here always lay out left to right.
    TBiDiMode BiDiMode() const { return FBiDiMode; }
    void SetBiDiMode(TBiDiMode Value);
    bool ParentBiDiMode() const { return FParentBiDiMode; }
    void SetParentBiDiMode(bool Value);
    // With AutoSize, every size change asks CanAutoSize for the size the content needs.
    bool AutoSize() const { return FAutoSize; }
    virtual void SetAutoSize(bool Value);

    TControlState ControlState() const { return FControlState; }
    void SetControlState(TControlState Value) { FControlState = Value; }
    TControlStyle ControlStyle() const { return FControlStyle; }
    void SetControlStyle(TControlStyle Value) { FControlStyle = Value; }

    // ---- Actions
    TBasicAction* Action() const;
    void SetAction(TBasicAction* Value);
    TControlActionLink* ActionLink() const { return FActionLink.get(); }

    // ---- Messages
    TWndMethod WindowProc;
    // Sends a message to the control through WindowProc and returns its result.
    win::LRESULT Perform(win::UINT Msg, win::WPARAM WParam, win::LPARAM LParam);
    void Perform(TMessage& Message) { WindowProc(Message); }
    // Hands a message to WndProc's handlers (as the framework's message dispatch does).
    virtual void Dispatch(TMessage& Message) { WndProc(Message); }
    // What happens to a message nobody handled: WM_GETTEXT / WM_SETTEXT / WM_GETTEXTLENGTH work on the
    // caption of a windowless control; everything else is ignored (a windowed control calls its window
    // class's default procedure).
    virtual void DefaultHandler(TMessage& Message);

    // ---- Painting and z-order
    virtual void Invalidate();
    // Paints the control now.
    virtual void Repaint();
    virtual void Update();
    void Refresh() { Repaint(); }
    void BringToFront();
    void SendToBack();
    // Moves the control to the top (or bottom) of its parent's stacking order.
    virtual void SetZOrder(bool TopMost);

    // ---- Mouse
    bool MouseCapture();
    void SetMouseCapture(bool Value);
    // Sends WM_CANCELMODE to the control that has the mouse captured, when it is not this one.
    void SendCancelMode(TControl* Sender);

    // A control with csSetCaption whose caption was its name follows a rename (not while loading).
    void SetName(const String& Value) override;

    // ---- Queries
    bool IsRightToLeft() const { return false; }
    // The hint to show, and the action's hint when it is linked.
    String GetHint();

    // ---- Events
    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TMouseWheelEvent OnMouseWheel;
    TNotifyEvent OnResize;
    TDragOverEvent OnDragOver;
    TDragDropEvent OnDragDrop;
    TEndDragEvent OnEndDrag;
    TStartDragEvent OnStartDrag;
    TEndDockEvent OnEndDock;
    TStartDockEvent OnStartDock;
    TContextPopupEvent OnContextPopup;

    // ---- Drag and drop (see DragDrop.h). BeginDrag starts a drag from this control: at once, or once
    // the pointer has moved Threshold pixels (-1: the mouse's drag threshold). EndDrag drops (Drop) or
    // cancels the drag this control started.
    void BeginDrag(bool Immediate, int Threshold = -1);
    void EndDrag(bool Drop);
    bool Dragging() const;
    // Drops Source on this control: raises OnDragDrop.
    virtual void DragDrop(TObject* Source, int X, int Y);

    // Runs the action (when linked) or OnClick.
    virtual void Click();
    // Target actions (the hint action and the like): true when the action handled this control.
    virtual bool ExecuteAction(TBasicAction* Action);
    virtual bool UpdateAction(TBasicAction* Action);
    // Scales the bounds (and a font of its own) by M / D.
    virtual void ChangeScale(int M, int D);

    void Notification(TComponent* AComponent, TOperation Operation) override;

protected:
    friend class TWinControl;
    friend class TControlActionLink;
    friend class TDragEngine;
    friend class TBaseDragControlObject;

    // ---- Drag and drop. DragOver asks whether the control takes Source here: Accept is false unless
    // OnDragOver is set and leaves it true. DoStartDrag raises OnStartDrag, DoEndDrag OnEndDrag.
    virtual void DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept);
    virtual void DoStartDrag(TDragObject*& DragObject);
    virtual void DoEndDrag(TObject* Target, int X, int Y);
    virtual TDragImageList* GetDragImages() { return nullptr; }
    // A left press on a control whose DragMode is dmAutomatic starts a drag through BeginAutoDrag. When
    // AutoDragTakesPress, the press starts the drag and goes no further (the framework's default);
    // otherwise the control handles the press first and the drag waits for its threshold.
    virtual void BeginAutoDrag();
    virtual bool AutoDragTakesPress() const { return true; }

    // ---- Overridable operations
    virtual void WndProc(TMessage& Message);
    virtual void DblClick();
    virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseMove(TShiftState Shift, int X, int Y);
    virtual bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos);
    virtual void Resize();
    void Loaded() override;
    void ReadState(TReader& Reader) override;
    virtual void Changed();
    virtual void VisibleChanging() {}
    // The link class of this control: a derived control returns a factory of a link of its own class
    // (whose constructor calls AssignClient again, see ActnList.h).
    virtual TControlActionLinkClass GetActionLinkClass();
    // Takes over the action's properties (all of them, or only where the control still has its
    // defaults when CheckDefaults).
    virtual void ActionChange(TObject* Sender, bool CheckDefaults);
    virtual void DoContextPopup(TPoint MousePos, bool& Handled);
    virtual TControl* GetPopupMenuOwner() { return this; }
    // The size the content needs (AutoSize); the default keeps the size asked for.
    virtual bool CanAutoSize(int& NewWidth, int& NewHeight);
    // Applies AutoSize again (after the content changed).
    virtual void AdjustSize();
    virtual bool CanResize(int& NewWidth, int& NewHeight);
    // Applies the constraints to a new size.
    virtual void ConstrainedResize(int& MinWidth, int& MinHeight, int& MaxWidth, int& MaxHeight) {
        (void)MinWidth, (void)MinHeight, (void)MaxWidth, (void)MaxHeight;
    }
    // The constraints changed: the size is made to keep to them.
    virtual void DoConstraintsChange(TObject* Sender);
    void DoMarginChange(TObject* Sender);
    // The text behind Caption / Text; a windowed control reads and writes its window's text.
    virtual String GetTextValue() { return FText; }
    virtual void SetTextValue(const String& Value);
    // Invalidates the control's place in its parent's window (the background too unless IsOpaque).
    void InvalidateControl(bool IsVisible, bool IsOpaque);
    // Asks the parent to lay its controls out again because this one changed.
    void RequestAlign();
    // Records the distances the anchors keep (called after a move that is not an anchor move).
    void UpdateAnchorRules();
    // Tells the control that its parent's font / colour / show-hint changed.
    void ParentFontChanged();
    void ParentColorChanged();

    // ---- Handlers of the framework's messages (called from WndProc)
    void WMLButtonDown(TWMMouse& Message);
    void WMLButtonUp(TWMMouse& Message);
    void WMLButtonDblClk(TWMMouse& Message);
    void WMRButtonDown(TWMMouse& Message);
    void WMRButtonUp(TWMMouse& Message);
    void WMMButtonDown(TWMMouse& Message);
    void WMMButtonUp(TWMMouse& Message);
    void WMMouseMove(TWMMouse& Message);
    void CMMouseEnter(TMessage& Message);
    void CMMouseLeave(TMessage& Message);
    void CMEnabledChanged(TMessage& Message);
    void CMVisibleChanged(TMessage& Message);
    void CMFontChanged(TMessage& Message);
    void CMColorChanged(TMessage& Message);
    void CMParentFontChanged(TMessage& Message);
    void CMParentColorChanged(TMessage& Message);
    void CMParentShowHintChanged(TMessage& Message);
    void CMTextChanged(TMessage& Message);
    void CMHitTest(TCMHitTest& Message);
    void CMHintShow(TCMHintShow& Message);
    void CMParentBiDiModeChanged(TMessage& Message);

    // ---- Fields the framework's descendants use directly
    TWinControl* FParent = nullptr;
    int FLeft = 0;
    int FTop = 0;
    int FWidth = 0;
    int FHeight = 0;
    String FText;
    TControlStyle FControlStyle{csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
    TControlState FControlState;
    bool FVisible = true;
    bool FEnabled = true;
    bool FParentFont = true;
    bool FParentColor = true;
    bool FParentShowHint = true;
    bool FShowHint = false;
    TColor FColor = clWindow;
    std::unique_ptr<TFont> FFont;
    TAlign FAlign = alNone;
    TAnchors FAnchors{akLeft, akTop};

private:
    void FontChanged(TObject* Sender);
    void DoActionChange(TObject* Sender);
    void SetParentInternal(TWinControl* AParent, bool CallVirtual);
    void FireMouseDown(TWMMouse& Message, TMouseButton Button, TShiftState Shift);
    void FireMouseUp(TWMMouse& Message, TMouseButton Button);

    std::unique_ptr<TSizeConstraints> FConstraints;
    std::unique_ptr<TMargins> FMargins;
    bool FAlignWithMargins = false;
    std::unique_ptr<TControlActionLink> FActionLink;
    TComponent* FPopupMenu = nullptr;
    String FHint;
    TCursor FCursor = crDefault;
    TCursor FDragCursor = crDrag;
    TDragMode FDragMode = dmManual;
    TDragKind FDragKind = dkDrag;
    int FHelpContext = 0;
    TBiDiMode FBiDiMode = bdLeftToRight;
    bool FParentBiDiMode = true;
    bool FAutoSize = false;
    // Anchor rules: the bounds and the parent's client size they were taken at.
    TRect FAnchorOrigin;
    TSize FAnchorParentSize;
    bool FAnchorRulesValid = false;
    bool FAnchorMove = false;
    bool FAssigningParentFont = false;
    bool FTextChanging = false;
};

// ---- Free functions of the controls unit

// The form a control sits on (TopForm: the topmost; else the nearest), or null.
TCustomForm* GetParentForm(TControl* Control, bool TopForm = true);
// The control whose window this is (null for windows that are not controls').
TWinControl* FindControl(win::HWND Handle);
// The control under a screen point: the windowed control whose window is there, or its windowless child
// at that place (disabled controls too when AllowDisabled).
TControl* FindDragTarget(TPoint Pos, bool AllowDisabled);
// The control that has the mouse captured, if any.
TControl* GetCaptureControl();
void SetCaptureControl(TControl* Control);
// The control the pointer is over for CM_MOUSEENTER / CM_MOUSELEAVE (null: none).
TControl* GetMouseControl();
// Frees the device contexts that control canvases took outside painting.
void FreeDeviceContexts();
// The application's hint machinery sees every mouse message a control gets (before the control handles
// it) through this hook; null: none.
using THintMouseMessageHook = void (*)(TControl* Control, TMessage& Message);
void SetHintMouseMessageHook(THintMouseMessageHook Hook);
// An exception escaping a control's window procedure is handed to this handler (called inside the catch
// block, so it can rethrow to look at it; the application shows it in its error box). Without a handler
// the exception propagates to whoever dispatched the message.
using TControlExceptionHandler = void (*)(TObject* Sender);
void SetControlExceptionHandler(TControlExceptionHandler Handler);

} // namespace vcl
