#pragma once
// TCustomForm / TForm: a top-level window with our drawn frame and caption, holding controls; and
// TCustomFrame, a reusable group of controls read from a layout of its own.
//
// A form class reads its layout in its constructor and then raises OnCreate:
//
//     TForm1::TForm1(TComponent* AOwner) : TForm(AOwner) { InitInheritedComponent(); }   // reads "TFORM1"
//
// (A form that read its layout with ReadComponentRes directly raises OnCreate when it is first shown.)
// Free a form through its owner, FreeComponent, Release or a caFree close, so that OnDestroy runs while
// the whole form is still there.
//
// Size: Left, Top, Width and Height are the outer bounds (frame and caption included); ClientWidth and
// ClientHeight the inside, so that a layout's client size keeps meaning whatever the border.
//
// Showing: Show (Visible := true) raises OnShow on each change to visible, Hide (Visible := false) OnHide.
// ShowModal shows the form, disables the application's other forms, runs a nested message loop until
// ModalResult becomes nonzero (or the form is hidden), hides the form, enables the others and returns the
// result. Close asks OnCloseQuery, then OnClose decides what happens (caHide, caFree, caMinimize, caNone);
// a modal form's close only sets ModalResult to mrCancel; the main form's close ends the application.

#include <memory>

#include "platform/vcl/Controls.h"
#include "platform/vcl/Icon.h"

namespace vcl {

class TFormDestroyWatch;

// ---- Modal results (the platform's ID* values where they exist)
using TModalResult = int;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = 1;
constexpr TModalResult mrCancel = 2;
constexpr TModalResult mrAbort = 3;
constexpr TModalResult mrRetry = 4;
constexpr TModalResult mrIgnore = 5;
constexpr TModalResult mrYes = 6;
constexpr TModalResult mrNo = 7;
constexpr TModalResult mrAll = 8;
constexpr TModalResult mrNoToAll = 9;
constexpr TModalResult mrYesToAll = 10;

KV_ENUM(TFormBorderStyle, bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin);
using TBorderStyle = TFormBorderStyle;
KV_ENUM(TBorderIcon, biSystemMenu, biMinimize, biMaximize, biHelp);
using TBorderIcons = TSet<TBorderIcon>;
KV_ENUM(TPosition, poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter,
        poDesktopCenter, poMainFormCenter, poOwnerFormCenter);
KV_ENUM(TWindowState, wsNormal, wsMinimized, wsMaximized);
KV_ENUM(TFormStyle, fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop);
KV_ENUM(TCloseAction, caNone, caHide, caFree, caMinimize);

using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;

enum TFormStateFlag { fsCreating, fsVisible, fsShowing, fsModal, fsCreatedMDIChild, fsActivated };
using TFormState = TSet<TFormStateFlag>;

class TCustomForm : public TWinControl {
    KV_CLASS(TCustomForm, TWinControl)
    KV_PUBLISHED_PROPERTIES(TCustomForm)
public:
    explicit TCustomForm(TComponent* AOwner);
    // A form without a layout (the framework's CreateNew).
    static TCustomForm* CreateNew(TComponent* AOwner);
    ~TCustomForm() override;

    TCustomForm* AsForm() override { return this; }

    // ---- Window look
    TFormBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TFormBorderStyle Value);
    TBorderIcons BorderIcons() const { return FBorderIcons; }
    void SetBorderIcons(TBorderIcons Value);
    TPosition Position() const { return FPosition; }
    void SetPosition(TPosition Value);
    TWindowState WindowState() const { return FWindowState; }
    void SetWindowState(TWindowState Value);
    TFormStyle FormStyle() const { return FFormStyle; }
    void SetFormStyle(TFormStyle Value);
    TIcon* Icon() const { return FIcon.get(); }
    void SetIcon(TIcon* Value) { FIcon->Assign(Value); }
    // The main menu (a TMainMenu once the menu engine exists); cleared when it is freed.
    TComponent* Menu() const { return FMenu; }
    void SetMenu(TComponent* Value);
    // The menu item under which an MDI form lists its children (a TMenuItem); cleared when it is freed.
    TComponent* WindowMenu() const { return FWindowMenu; }
    void SetWindowMenu(TComponent* Value);
    // The menu engine's door (set by the menu unit): sees the form's messages first; true = handled.
    static inline bool (*MenuHook)(TCustomForm* Form, TMessage& Message) = nullptr;
    bool KeyPreview() override { return FKeyPreview; }
    void SetKeyPreview(bool Value) { FKeyPreview = Value; }
    // Accepted and ignored: we draw at 96 pixels per inch.
    bool Scaled() const { return FScaled; }
    void SetScaled(bool Value) { FScaled = Value; }
    int PixelsPerInch() const { return FPixelsPerInch; }
    void SetPixelsPerInch(int Value) { FPixelsPerInch = Value; }
    bool OldCreateOrder() const { return FOldCreateOrder; }
    void SetOldCreateOrder(bool Value) { FOldCreateOrder = Value; }

    // ---- Focus
    TWinControl* ActiveControl() const { return FActiveControl; }
    // The control must be on this form, visible and enabled (EInvalidOperation "Cannot focus a disabled
    // or invisible window" otherwise, once the form is showing).
    void SetActiveControl(TWinControl* Control);
    bool SetFocusedControl(TWinControl* Control) override;
    void FocusControl(TWinControl* Control);
    bool Active() const { return FActive; }
    void SetFocus() override;
    bool CanFocus() override;

    // ---- Showing and closing
    void SetVisible(bool Value) override;
    void Show();
    void Hide();
    TModalResult ShowModal();
    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult Value) { FModalResult = Value; }
    void Close();
    // True when OnCloseQuery (and every MDI child's) lets the form close.
    virtual bool CloseQuery();
    // Frees the form once the messages now queued have been handled.
    void Release();
    void BringToFront();
    TFormState FormState() const { return FFormState; }
    // The form's canvas (drawing on it outside OnPaint draws on the window's client area).
    TCanvas* Canvas() const { return FCanvas.get(); }

    // ---- MDI
    TCustomForm* ActiveMDIChild() const;
    int MDIChildCount() const;
    TCustomForm* MDIChildren(int Index) const;
    // The MDI form an MDI child lives in (the main form when it is one, else the first on the screen);
    // null when there is none.
    TCustomForm* MDIParent() const;
    // An MDI form's client window, made with the form's window: the area its aligned controls leave
    // free, parent of the child forms' windows. Null for other forms.
    win::HWND ClientHandle();

    // ---- Events
    TNotifyEvent OnCreate;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TNotifyEvent OnPaint;

    void Notification(TComponent* AComponent, TOperation Operation) override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void SetClientSize(TSize Value) override;
    TRect GetClientRect() override;

protected:
    friend class TFormDestroyWatch;
    friend class TApplication;

    // Reads the layout resource named after the class (upper-cased; or ResName) and raises OnCreate.
    void InitInheritedComponent(const String& ResName = String());

    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void WndProc(TMessage& Message) override;
    void AlignControls(TControl* AControl, TRect& Rect) override;
    void Loaded() override;
    void ReadState(TReader& Reader) override;
    void PaintWindow(win::HDC DC) override;
    void DoConstraintsChange(TObject* Sender) override;

    virtual void DoCreate();
    virtual void DoDestroy();
    virtual void DoShow();
    virtual void DoHide();
    virtual void DoClose(TCloseAction& Action);
    virtual void Activate();
    virtual void Deactivate();
    virtual void Paint();

    TFormState FFormState;

private:
    void ShowForm();
    void HideForm();
    void CMShowingChangedForm();
    void PlaceForm();
    win::DWORD FrameStyle() const;
    win::DWORD FrameExStyle() const;
    void UpdateFrame();
    void ApplyWindowState();
    void CloseModal();
    void UpdateOwner();
    void UpdateIcon();
    void SetWindowFocus();
    void SyncBoundsFromWindow();
    void WMGetMinMaxInfo(TMessage& Message);
    void CreateClientWindow();
    void DestroyClientWindow();

    TFormBorderStyle FBorderStyle = bsSizeable;
    TBorderIcons FBorderIcons{biSystemMenu, biMinimize, biMaximize};
    TPosition FPosition = poDefaultPosOnly;
    TWindowState FWindowState = wsNormal;
    TFormStyle FFormStyle = fsNormal;
    std::unique_ptr<TIcon> FIcon;
    TComponent* FMenu = nullptr;
    TComponent* FWindowMenu = nullptr;
    bool FKeyPreview = false;
    bool FScaled = true;
    int FPixelsPerInch = 96;
    bool FOldCreateOrder = false;
    int FTextHeight = 13;
    TWinControl* FActiveControl = nullptr;
    TWinControl* FFocusedControl = nullptr;
    bool FActive = false;
    TModalResult FModalResult = mrNone;
    bool FCreatePending = false;
    bool FCreated = false;
    bool FDestroyedEventDone = false;
    bool FPlaced = false;
    bool FSyncingBounds = false;
    bool FSyncingState = false;
    bool FShowAfterLoad = false;
    bool* FModalAlive = nullptr;
    win::HWND FModalOwner = nullptr; // while modal: the window that was active when it was shown
    std::unique_ptr<TControlCanvas> FCanvas;
    TRect FRestoredBounds;
    TFormDestroyWatch* FDestroyWatch = nullptr;
    win::HWND FClientHandle = nullptr;
};

class TForm : public TCustomForm {
    KV_CLASS(TForm, TCustomForm)
public:
    explicit TForm(TComponent* AOwner) : TCustomForm(AOwner) {}
};

// A group of controls with a layout of its own, placed on forms like a panel.
class TCustomFrame : public TWinControl {
    KV_CLASS(TCustomFrame, TWinControl)
public:
    explicit TCustomFrame(TComponent* AOwner);

protected:
    // Reads the layout resource named after the class (upper-cased; or ResName).
    void InitInheritedComponent(const String& ResName = String());
};

class TFrame : public TCustomFrame {
    KV_CLASS(TFrame, TCustomFrame)
public:
    explicit TFrame(TComponent* AOwner) : TCustomFrame(AOwner) {}
};

} // namespace vcl
