#pragma once
// TWinControl: a control with a window of its own, the parent of other controls, and a target of the
// keyboard focus.
//
// The window is made on demand (Handle, HandleNeeded): CreateHandle -> CreateWnd -> CreateParams (style,
// class, bounds, parent window) -> CreateWindowHandle. Each control class registers a window class of its
// class name whose procedure routes every message to the object's WindowProc; replacing the window's
// GWLP_WNDPROC and calling the previous procedure with CallWindowProc keeps working. Messages nobody
// handles go to the class's default procedure (DefWindowProc unless CreateParams names another).
//
// Children: windowless children (TGraphicControl) come first in Controls[], in z-order from the bottom,
// then the windowed ones; windowless children are painted into this control's device context after its
// own painting, clipped to their bounds, and they receive the mouse messages that fall on them.
//
// Keyboard: a key reaching a control's window procedure first goes through the dialog pipeline, as the
// framework's message loop does it: CN_KEYDOWN -> CM_CHILDKEY to the parents -> CM_WANTSPECIALKEY and
// WM_GETDLGCODE for Tab, arrows, Return and Escape -> CM_DIALOGKEY to the form (Tab and arrows move the
// focus, then it is broadcast to the controls for default and cancel buttons); characters go through
// CN_CHAR -> CM_DIALOGCHAR (accelerators). A message loop therefore need not pre-translate key messages.
// What the pipeline does not take reaches KeyDown / KeyPress / KeyUp and the OnKey* events.
//
// Focus: SetFocus gives the window the focus; when it arrives, the form (or the topmost windowed parent
// when there is no form) moves its focused control: CM_EXIT up from the old control to the common parent,
// CM_ENTER down to the new one (DoExit / DoEnter, OnExit / OnEnter), then CM_FOCUSCHANGED is broadcast to
// all the form's controls with LParam the new focused control.

#include <functional>
#include <memory>
#include <vector>

#include "platform/vcl/Control.h"
#include "platform/win/Window.h"

namespace vcl {

class TWinControl;
using TControlList = std::vector<TControl*>;
using TWinControlList = std::vector<TWinControl*>;

// What CreateParams fills in for the window.
struct TCreateParams {
    String Caption;
    win::DWORD Style = 0;
    win::DWORD ExStyle = 0;
    int X = 0;
    int Y = 0;
    int Width = 0;
    int Height = 0;
    win::HWND WndParent = nullptr;
    void* Param = nullptr;
    win::WNDCLASS WindowClass{};
    String WinClassName;
};

class TWinControl : public TControl {
    KV_CLASS(TWinControl, TControl)
    KV_PUBLISHED_PROPERTIES(TWinControl)
public:
    explicit TWinControl(TComponent* AOwner);
    // Makes a control whose window is a child of ParentWindow (a window that is not a control's).
    static TWinControl* CreateParented(win::HWND ParentWindow);
    ~TWinControl() override;

    // ---- The window
    // The window, made on demand (with the parent's first).
    win::HWND Handle();
    win::HWND WindowHandle() const { return FHandle; }
    bool HandleAllocated() const { return FHandle != nullptr; }
    void HandleNeeded();
    // Destroys the window (and the children's); it is made again when needed.
    void DestroyHandle();
    // Destroys the window and makes it again when the control is showing.
    void RecreateWnd();
    win::HWND ParentWindow() const { return FParentWindow; }
    void SetParentWindow(win::HWND Value);

    // ---- Children
    int ControlCount() const { return static_cast<int>(FControls.size() + FWinControls.size()); }
    // Windowless children first (bottom to top), then windowed ones (bottom to top). Out of range raises
    // EListError.
    TControl* Controls(int Index) const;
    // The windowed children only, in the same order.
    const TWinControlList& WinControls() const { return FWinControls; }
    void InsertControl(TControl* AControl);
    void RemoveControl(TControl* AControl);
    // True when AControl is this control or one of its descendants.
    bool ContainsControl(TControl* AControl) const;
    // The child at a client point (the topmost; windowed ones over windowless ones), or null. Without
    // AllowDisabled disabled children are skipped; AllLevels goes down through windowed children.
    TControl* ControlAtPos(TPoint Pos, bool AllowDisabled, bool AllowWinControls = false,
                           bool AllLevels = false);
    // The descendant of that name (any case), or null.
    TControl* FindChildControl(const String& ControlName);
    // Sends the message to every child (until one sets Result).
    void Broadcast(TMessage& Message);
    // Sends the message to the children that follow this control's font, colour or hint.
    void NotifyControls(win::UINT Msg);
    void GetTabOrderList(TWinControlList& List);
    // Mirrors the children's places left to right (alLeft and alRight swap); AllLevels: their children too.
    virtual void FlipChildren(bool AllLevels);

    // ---- Alignment
    void DisableAlign();
    void EnableAlign();
    void Realign();
    bool AlignDisabled() const { return FAlignLevel > 0; }

    // ---- Focus and tabbing
    bool TabStop() const { return FTabStop; }
    void SetTabStop(bool Value);
    // The position among the parent's windowed children in tab order (-1 without parent).
    int TabOrder() const;
    void SetTabOrder(int Value);
    // True when the control and all its parents are visible and enabled.
    virtual bool CanFocus();
    bool Focused();
    // Raises EInvalidOperation "Cannot focus a disabled or invisible window" when it cannot.
    virtual void SetFocus();
    // The next control in tab order after CurControl among this control's descendants (wrapping), or
    // null. CheckTabStop: only those with TabStop; CheckParent: only direct children.
    TWinControl* FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop,
                                 bool CheckParent);
    // Focuses the next control (CheckTabStop as above; only this control's children unless CheckTabStop).
    void SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop);
    // The form's (or the focus root's) focused control.
    TWinControl* FocusedControl() const;

    // ---- Look
    TBrush* Brush() const { return FBrush.get(); }
    bool DoubleBuffered() const { return FDoubleBuffered; }
    void SetDoubleBuffered(bool Value);
    bool ParentBackground() const { return FControlStyle.Contains(csParentBackground); }
    void SetParentBackground(bool Value);
    int BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(int Value);

    // ---- Painting
    void Invalidate() override;
    void Repaint() override;
    void Update() override;
    // Paints the control and its children into DC at (X, Y).
    void PaintTo(win::HDC DC, int X, int Y);
    // The picture the control paints of itself (background erased, then painted, windowless children
    // included), client-sized, as a memory DC to copy from: what its children's transparent parts show.
    // It holds at least the parts Need asks for (client coordinates); when it must be painted for them,
    // the parts More adds are painted with them, so that children asking one after the other have it
    // painted once. Painted parts are kept while the control is neither invalidated (see
    // win::GetWindowPaintStamp) nor resized nor moved in its window. Null without a window, or when the
    // painting leaves a pixel less than opaque: what was under it would show, and only painting through
    // keeps that.
    win::HDC KeptPicture(const std::vector<TRect>& Need,
                         const std::function<void(std::vector<TRect>&)>& More = nullptr);

    // ---- Overrides of TControl
    // Moving straight from one parent to another keeps the window; taking the control out of every
    // parent destroys it.
    void SetParent(TWinControl* AParent) override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    TRect GetClientRect() override;
    TPoint ClientOrigin() override;
    bool Showing() const override { return FShowing; }
    void DefaultHandler(TMessage& Message) override;
    void GetChildren(const TGetChildProc& Proc, TComponent* Root) override;

    // Windowed children stack among their siblings' windows: the window moves along with the list.
    void SetZOrder(bool TopMost) override;

    // ---- Form hooks: the form class overrides these.
    // The form this is, or null.
    virtual TCustomForm* AsForm() { return nullptr; }
    bool IsForm() { return AsForm() != nullptr; }
    // Moves the focus bookkeeping of this root (form) to Control; see the header comment. False when the
    // change was refused or is already under way.
    virtual bool SetFocusedControl(TWinControl* Control);
    // The form's key preview: the form's own key events run before the focused control's.
    virtual bool KeyPreview() { return false; }

    // ---- Events
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TKeyEvent OnKeyDown;
    TKeyPressEvent OnKeyPress;
    TKeyEvent OnKeyUp;

    // The key pipeline's steps (public for the form's key preview).
    bool DoKeyDown(TWMKey& Message);
    bool DoKeyPress(TWMKey& Message);
    bool DoKeyUp(TWMKey& Message);

protected:
    friend class TControl;
    friend class TControlCanvas;

    // ---- Window life
    virtual void CreateParams(TCreateParams& Params);
    virtual void CreateWnd();
    virtual void CreateWindowHandle(const TCreateParams& Params);
    virtual void DestroyWnd();
    virtual void DestroyWindowHandle();
    virtual void CreateHandle();
    // Reads the window's place and size back into the bounds (after the window system placed it).
    void UpdateBounds();
    void UpdateShowing();
    void UpdateControlState();
    // The window's default procedure (the class's), called for unhandled messages.
    win::WNDPROC DefWndProc() const { return FDefWndProc; }

    // ---- Alignment
    // Lays out the children in Rect (the client area less BorderWidth): alTop, alBottom, alLeft, alRight,
    // alClient, alCustom in that order, then the anchors of the others. AControl is the child that changed
    // (it wins ties in its row), or null.
    virtual void AlignControls(TControl* AControl, TRect& Rect);
    virtual void AdjustClientRect(TRect& Rect);
    // For alCustom children.
    virtual void CustomAlignPosition(TControl* Control, int& NewLeft, int& NewTop, int& NewWidth,
                                     int& NewHeight, TRect& AlignRect);
    void AlignControl(TControl* AControl);
    void Loaded() override;
    void ReadState(TReader& Reader) override;

    // ---- Painting
    // WM_PAINT: BeginPaint (or the DC in the message), PaintWindow, then PaintControls.
    void PaintHandler(TWMPaint& Message);
    virtual void PaintWindow(win::HDC DC);
    // Paints the windowless children from First (null: all) upwards into DC.
    void PaintControls(win::HDC DC, TControl* First);

    // ---- Keys and focus
    virtual void KeyDown(Word& Key, TShiftState Shift);
    virtual void KeyUp(Word& Key, TShiftState Shift);
    virtual void KeyPress(char32_t& Key);
    virtual void DoEnter();
    virtual void DoExit();
    // A menu shortcut: the form answers for its menus (true: the key ran a menu item).
    virtual bool IsMenuKey(TWMKey& Message) {
        (void)Message;
        return false;
    }

    void WndProc(TMessage& Message) override;
    void SetTextValue(const String& Value) override;
    String GetTextValue() override;
    virtual void ControlsAligned() {}

    // ---- Message handlers
    void WMPaint(TWMPaint& Message);
    void WMEraseBkgnd(TMessage& Message);
    void WMWindowPosChanged(TMessage& Message);
    // Sends CM_PARENTWINDOWPOSCHANGED to the windowed children.
    void NotifyChildrenOfWindowPos();
    void WMSetCursor(TMessage& Message);
    void WMKeyDown(TWMKey& Message);
    void WMKeyUp(TWMKey& Message);
    void WMChar(TWMKey& Message);
    void CNKeyDown(TWMKey& Message);
    void CNChar(TWMKey& Message);
    void CMChildKey(TCMChildKey& Message);
    void CMDialogKey(TCMDialogKey& Message);
    void CMDialogChar(TCMDialogChar& Message);
    void CMFocusChanged(TCMFocusChanged& Message);
    void CMEnter(TMessage& Message);
    void CMExit(TMessage& Message);
    void CMShowingChanged(TMessage& Message);
    void CMVisibleChanged(TMessage& Message);
    void CMEnabledChanged(TMessage& Message);
    void CMColorChanged(TMessage& Message);
    void CMFontChanged(TMessage& Message);
    void CMTextChanged(TMessage& Message);
    void CMButtonPressed(TMessage& Message);
    void CMBiDiModeChanged(TMessage& Message);

    TControlList FControls;       // windowless children, bottom first
    TWinControlList FWinControls; // windowed children, bottom first
    TWinControlList FTabList;     // windowed children in tab order

private:
    friend win::LRESULT ControlWndProcEntry(win::HWND, win::UINT, win::WPARAM, win::LPARAM);
    friend void DetachControlWindow(TWinControl*);
    void MainWndProc(TMessage& Message);
    bool IsControlMouseMsg(TMessage& Message);
    void TrackMouse(TMessage& Message);
    void UpdateMouseTracking(TPoint ClientPos);
    void DoAlign(TAlign AAlign, TControl* AControl, TRect& Rect);
    void ApplyAnchors();
    void FixupTabList();
    void Insert(TControl* AControl);
    void Remove(TControl* AControl);
    void UpdateTabOrder(int Value);
    TWinControl* FocusRoot();
    void DoubleBufferedPaint(TWMPaint& Message);
    struct TKeptPicture;

    win::HWND FHandle = nullptr;
    win::HWND FParentWindow = nullptr;
    win::WNDPROC FDefWndProc = nullptr;
    std::unique_ptr<TBrush> FBrush;
    int FAlignLevel = 0;
    int FBorderWidth = 0;
    int FTabOrderRead = -1; // TabOrder read from a layout, applied by the parent's Loaded
    bool FTabStop = false;
    bool FShowing = false;
    bool FDoubleBuffered = false;
    std::unique_ptr<TKeptPicture> FKeptPicture;
    bool FMouseTracking = false;
    bool FReparenting = false;
    // The focus bookkeeping of a root (a form, or the topmost windowed control).
    TWinControl* FFocusedControl = nullptr;
    int FFocusCount = 0;
};

} // namespace vcl
