// Forms: the window's frame and place, showing, modal showing, closing, activation and focus.

#include "platform/vcl/Form.h"

#include <algorithm>

#include "platform/classes/ClassRegistry.h"
#include "platform/classes/LayoutReader.h"
#include "platform/rtl/SysUtils.h"
#include "platform/vcl/Application.h"
#include "platform/vcl/Screen.h"
#include "platform/win/Input.h"
#include "platform/win/Metrics.h"

namespace vcl {

// Told by the form's destruction sequence while the whole form is still alive, so that OnDestroy can
// run with the form's own handlers intact.
class TFormDestroyWatch : public TComponent {
    KV_CLASS(TFormDestroyWatch, TComponent)
public:
    explicit TFormDestroyWatch(TCustomForm* Form) : TComponent(nullptr), FForm(Form) {}
    void Notification(TComponent* AComponent, TOperation Operation) override {
        TComponent::Notification(AComponent, Operation);
        if (Operation == opRemove && AComponent == FForm && FForm) {
            TCustomForm* form = FForm;
            FForm = nullptr;
            form->DoDestroy();
        }
    }

private:
    TCustomForm* FForm;
};

namespace {

constexpr const char* kCannotShowModal = "Cannot make a visible window modal";
constexpr const char* kCannotFocus = "Cannot focus a disabled or invisible window";
constexpr const char* kNoMDIForm = "Cannot create form. No MDI forms are currently active";

// The top-level windows a modal loop disables, and enables again afterwards.
struct TaskWindows {
    std::vector<win::HWND> Disabled;
    win::HWND Except = nullptr;
};

win::BOOL DisableTaskWindow(win::HWND h, win::LPARAM data) {
    auto* list = reinterpret_cast<TaskWindows*>(data);
    if (h != list->Except && win::IsWindowVisible(h) && win::IsWindowEnabled(h) &&
        !(win::GetWindowLong(h, win::GWL_EXSTYLE) & win::WS_EX_NOACTIVATE)) {
        win::EnableWindow(h, 0);
        list->Disabled.push_back(h);
    }
    return 1;
}

int g_defaultPlacement = 0;

} // namespace

KV_PUBLISHED(TCustomForm) {
    // A form starts hidden, with its own colour and font.
    p.Default("Visible", false);
    p.Default("ParentColor", false);
    p.Default("ParentFont", false);
    p.Str("Caption", &TControl::Caption, &TControl::SetCaption);
    p.Enum("BorderStyle", &TCustomForm::FBorderStyle, &TCustomForm::SetBorderStyle, bsSizeable);
    p.Color("Color", &TControl::Color, &TControl::SetColor, clBtnFace);
    p.Set("BorderIcons", &TCustomForm::FBorderIcons, &TCustomForm::SetBorderIcons,
          TBorderIcons{biSystemMenu, biMinimize, biMaximize});
    p.Enum("Position", &TCustomForm::FPosition, &TCustomForm::SetPosition, poDefaultPosOnly);
    p.Enum("WindowState", &TCustomForm::FWindowState, &TCustomForm::SetWindowState, wsNormal);
    p.Enum("FormStyle", &TCustomForm::FFormStyle, &TCustomForm::SetFormStyle, fsNormal);
    p.Object("Icon", &TCustomForm::FIcon);
    p.Ref("Menu", &TCustomForm::FMenu, &TCustomForm::SetMenu);
    p.Ref("WindowMenu", &TCustomForm::FWindowMenu, &TCustomForm::SetWindowMenu);
    p.Ref("ActiveControl", &TCustomForm::FActiveControl, &TCustomForm::SetActiveControl);
    p.Bool("KeyPreview", &TCustomForm::FKeyPreview, nullptr, false);
    p.Bool("Scaled", &TCustomForm::FScaled, nullptr, true);
    p.Int("PixelsPerInch", &TCustomForm::FPixelsPerInch, nullptr);
    p.Bool("OldCreateOrder", &TCustomForm::FOldCreateOrder, nullptr, false);
    p.Int("TextHeight", &TCustomForm::FTextHeight, nullptr);
    p.Int("ClientWidth", &TControl::ClientWidth, &TControl::SetClientWidth);
    p.Int("ClientHeight", &TControl::ClientHeight, &TControl::SetClientHeight);
    p.Event("OnCreate", &TCustomForm::OnCreate);
    p.Event("OnDestroy", &TCustomForm::OnDestroy);
    p.Event("OnShow", &TCustomForm::OnShow);
    p.Event("OnHide", &TCustomForm::OnHide);
    p.Event("OnClose", &TCustomForm::OnClose);
    p.Event("OnCloseQuery", &TCustomForm::OnCloseQuery);
    p.Event("OnActivate", &TCustomForm::OnActivate);
    p.Event("OnDeactivate", &TCustomForm::OnDeactivate);
    p.Event("OnPaint", &TCustomForm::OnPaint);
}
KV_REGISTER_CLASS(TCustomForm)
KV_REGISTER_CLASS(TForm)

TCustomForm::TCustomForm(TComponent* AOwner) : TWinControl(AOwner) {
    FFormState.Include(fsCreating);
    FControlStyle =
        TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
    FVisible = false;
    FParentColor = false;
    FParentFont = false;
    SetColor(clBtnFace); // through the setter, so that the background brush follows
    FIcon = std::make_unique<TIcon>();
    FIcon->OnChange = [this](TObject*) { UpdateIcon(); };
    FCanvas = std::make_unique<TControlCanvas>();
    FCanvas->SetControl(this);
    SetBounds(0, 0, 320, 240);
    GetScreen()->AddForm(this);
    FDestroyWatch = new TFormDestroyWatch(this);
    FreeNotification(FDestroyWatch);
    FFormState.Exclude(fsCreating);
}

TCustomForm* TCustomForm::CreateNew(TComponent* AOwner) {
    return new TCustomForm(AOwner);
}

TCustomForm::~TCustomForm() {
    // Runs the destruction sequence (and with it OnDestroy) while this class's members are intact.
    BeforeDestruction();
    if (!FDestroyedEventDone) DoDestroy();
    if (FDestroyWatch) {
        TComponent* watch = FDestroyWatch;
        FDestroyWatch = nullptr;
        FreeComponent(watch);
    }
    GetScreen()->RemoveForm(this);
    GetApplication()->FormDestroyed(this);
    if (FFormState.Contains(fsModal) && FModalAlive) *FModalAlive = false;
}

void TCustomForm::InitInheritedComponent(const String& ResName) {
    String name = ResName.empty() ? UpperCase(ClassName()) : ResName;
    ReadComponentRes(name, this);
    if (!FCreated) {
        FCreatePending = false;
        DoCreate();
    }
}

void TCustomForm::ReadState(TReader& Reader) {
    DisableAlign();
    try {
        TWinControl::ReadState(Reader);
    } catch (...) {
        EnableAlign();
        throw;
    }
    EnableAlign();
}

void TCustomForm::Loaded() {
    TWinControl::Loaded();
    if (!FCreated) FCreatePending = true;
    // A form read visible is shown once reading is over.
    if (FVisible && !FCreated) {
        FVisible = false;
        FShowAfterLoad = true;
    }
}

void TCustomForm::DoCreate() {
    FCreated = true;
    FCreatePending = false;
    if (OnCreate) OnCreate(this);
    if (FShowAfterLoad) {
        FShowAfterLoad = false;
        Show();
    }
}

void TCustomForm::DoDestroy() {
    if (FDestroyedEventDone) return;
    FDestroyedEventDone = true;
    if (OnDestroy) {
        try {
            OnDestroy(this);
        } catch (...) {
            GetApplication()->HandleException(this);
        }
    }
}

void TCustomForm::DoShow() {
    if (OnShow) OnShow(this);
}

void TCustomForm::DoHide() {
    if (OnHide) OnHide(this);
}

void TCustomForm::DoClose(TCloseAction& Action) {
    if (OnClose) OnClose(this, Action);
}

void TCustomForm::Activate() {
    if (OnActivate) OnActivate(this);
}

void TCustomForm::Deactivate() {
    if (OnDeactivate) OnDeactivate(this);
}

void TCustomForm::Paint() {
    if (OnPaint) OnPaint(this);
}

void TCustomForm::PaintWindow(win::HDC DC) {
    TWinControl::PaintWindow(DC);
    // Paint runs whether or not OnPaint is set: a form class draws itself by overriding it.
    FCanvas->Lock();
    FCanvas->SetHandle(DC);
    try {
        Paint();
    } catch (...) {
        FCanvas->SetHandle(nullptr);
        FCanvas->Unlock();
        throw;
    }
    FCanvas->SetHandle(nullptr);
    FCanvas->Unlock();
}

// ---- Frame

win::DWORD TCustomForm::FrameStyle() const {
    using namespace win;
    DWORD style = 0;
    switch (FBorderStyle) {
    case bsNone:
        style = WS_POPUP;
        break;
    case bsSingle:
    case bsToolWindow:
        style = WS_CAPTION | WS_BORDER;
        break;
    case bsSizeable:
    case bsSizeToolWin:
        style = WS_CAPTION | WS_THICKFRAME;
        break;
    case bsDialog:
        style = WS_POPUP | WS_CAPTION | WS_DLGFRAME;
        break;
    }
    if (FBorderStyle != bsNone) {
        if (FBorderIcons.Contains(biSystemMenu)) {
            style |= WS_SYSMENU;
            if (FBorderStyle == bsSingle || FBorderStyle == bsSizeable) {
                if (FBorderIcons.Contains(biMinimize)) style |= WS_MINIMIZEBOX;
                if (FBorderIcons.Contains(biMaximize)) style |= WS_MAXIMIZEBOX;
            }
        }
    }
    if (FFormStyle == fsMDIChild) style = (style & ~WS_POPUP) | WS_CHILD | WS_CLIPSIBLINGS;
    return style | WS_CLIPCHILDREN;
}

win::DWORD TCustomForm::FrameExStyle() const {
    using namespace win;
    DWORD ex = 0;
    if (FBorderStyle == bsDialog) ex |= WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
    if (FBorderStyle == bsToolWindow || FBorderStyle == bsSizeToolWin) ex |= WS_EX_TOOLWINDOW;
    if (FFormStyle == fsStayOnTop) ex |= WS_EX_TOPMOST;
    if (FFormStyle == fsMDIChild) ex |= WS_EX_MDICHILD;
    if (FBorderStyle != bsNone && FBorderIcons.Contains(biHelp)) ex |= WS_EX_CONTEXTHELP;
    return ex;
}

TRect TCustomForm::GetClientRect() {
    if (HandleAllocated()) return TWinControl::GetClientRect();
    TRect frame{0, 0, 0, 0};
    win::AdjustWindowRectEx(&frame, FrameStyle(), 0, FrameExStyle());
    int w = std::max(0, FWidth - frame.Width());
    int h = std::max(0, FHeight - frame.Height());
    return {0, 0, w, h};
}

void TCustomForm::SetClientSize(TSize Value) {
    if (HandleAllocated()) {
        // The window knows its frame (and a menu bar, when one is attached).
        TWinControl::SetClientSize(Value);
        return;
    }
    TRect frame{0, 0, 0, 0};
    win::AdjustWindowRectEx(&frame, FrameStyle(), 0, FrameExStyle());
    // In 64 bits: the size asked may be anywhere in the int range (SetBounds keeps it in range).
    SetBounds(FLeft, FTop, ClampToInt(std::int64_t{Value.cx} + frame.Width()),
              ClampToInt(std::int64_t{Value.cy} + frame.Height()));
}

void TCustomForm::UpdateFrame() {
    if (!HandleAllocated()) return;
    win::HWND h = WindowHandle();
    win::DWORD style = FrameStyle();
    win::DWORD old = static_cast<win::DWORD>(win::GetWindowLong(h, win::GWL_STYLE));
    style |= old & (win::WS_VISIBLE | win::WS_DISABLED | win::WS_MINIMIZE | win::WS_MAXIMIZE);
    // Keep the client size: the outer size follows the new frame.
    TRect client = GetClientRect();
    win::SetWindowLong(h, win::GWL_STYLE, static_cast<win::LONG>(style));
    win::SetWindowLong(h, win::GWL_EXSTYLE, static_cast<win::LONG>(FrameExStyle()));
    win::SetWindowPos(h, FFormStyle == fsStayOnTop ? win::HWND_TOPMOST : win::HWND_NOTOPMOST, 0, 0, 0, 0,
                      win::SWP_NOMOVE | win::SWP_NOSIZE | win::SWP_NOACTIVATE | win::SWP_FRAMECHANGED);
    SetClientSize({client.Width(), client.Height()});
}

void TCustomForm::SetBorderStyle(TFormBorderStyle Value) {
    if (FBorderStyle == Value) return;
    FBorderStyle = Value;
    UpdateFrame();
}

void TCustomForm::SetBorderIcons(TBorderIcons Value) {
    if (FBorderIcons == Value) return;
    FBorderIcons = Value;
    UpdateFrame();
}

void TCustomForm::SetPosition(TPosition Value) {
    FPosition = Value;
}

void TCustomForm::SetFormStyle(TFormStyle Value) {
    if (FFormStyle == Value) return;
    bool child = FFormStyle == fsMDIChild || Value == fsMDIChild;
    bool wasFrame = FFormStyle == fsMDIForm;
    FFormStyle = Value;
    if (wasFrame) DestroyClientWindow();
    if (Value == fsMDIForm && HandleAllocated()) CreateClientWindow();
    if (child && HandleAllocated()) {
        bool wasVisible = FVisible;
        DestroyHandle();
        if (wasVisible) ShowForm();
    } else {
        UpdateFrame();
    }
}

void TCustomForm::SetWindowMenu(TComponent* Value) {
    if (FWindowMenu == Value) return;
    if (FWindowMenu) FWindowMenu->RemoveFreeNotification(this);
    FWindowMenu = Value;
    if (FWindowMenu) FWindowMenu->FreeNotification(this);
}

void TCustomForm::SetMenu(TComponent* Value) {
    if (FMenu == Value) return;
    if (FMenu) FMenu->RemoveFreeNotification(this);
    FMenu = Value;
    if (FMenu) FMenu->FreeNotification(this);
    if (HandleAllocated()) Perform(CM_MENUCHANGED, 0, 0);
}

void TCustomForm::CreateParams(TCreateParams& Params) {
    TWinControl::CreateParams(Params);
    Params.Style = FrameStyle();
    Params.ExStyle = FrameExStyle();
    Params.X = FLeft;
    Params.Y = FTop;
    Params.Width = FWidth;
    Params.Height = FHeight;
    if (FFormStyle == fsMDIChild) {
        TCustomForm* parent = MDIParent();
        if (!parent) throw EInvalidOperation(kNoMDIForm);
        Params.WndParent = parent->ClientHandle();
    } else if (FFormState.Contains(fsModal) && FModalOwner && win::IsWindow(FModalOwner)) {
        // A modal form belongs to the window that was active when it was shown (a dialog's box to the
        // dialog): that window is disabled meanwhile, and a window manager keeps an owned window above its
        // owner, so a click on the owner cannot bury the form that holds the keyboard.
        Params.WndParent = FModalOwner;
    } else {
        // Secondary forms are owned by the main form's window, so that they stay above it.
        TCustomForm* main = GetApplication()->MainForm();
        Params.WndParent = (main && main != this && main->HandleAllocated()) ? main->WindowHandle() : nullptr;
    }
}

// An existing window takes the owner a new one would get: a form made before it is shown modally, or
// shown modally over another window than the last time.
void TCustomForm::UpdateOwner() {
    if (!HandleAllocated() || FFormStyle == fsMDIChild) return;
    TCreateParams params;
    CreateParams(params);
    if (win::GetWindow(WindowHandle(), win::GW_OWNER) != params.WndParent)
        win::SetWindowLongPtr(WindowHandle(), win::GWLP_HWNDPARENT,
                              reinterpret_cast<win::LONG_PTR>(params.WndParent));
}

void TCustomForm::UpdateIcon() {
    if (!HandleAllocated()) return;
    // The window's caption icon, small and big (ICON_SMALL 0, ICON_BIG 1).
    auto icon = reinterpret_cast<win::LPARAM>(FIcon->Handle());
    win::SendMessage(WindowHandle(), win::WM_SETICON, 0, icon);
    win::SendMessage(WindowHandle(), win::WM_SETICON, 1, icon);
}

void TCustomForm::CreateWnd() {
    TWinControl::CreateWnd();
    if (FFormStyle == fsMDIForm) CreateClientWindow();
    if (FMenu) Perform(CM_MENUCHANGED, 0, 0);
    if (!FIcon->Empty()) UpdateIcon();
    if (HandleAllocated() && FWindowState != wsNormal && FVisible) ApplyWindowState();
}

TCustomForm* TCustomForm::MDIParent() const {
    TCustomForm* main = GetApplication()->MainForm();
    if (main && main != this && main->FormStyle() == fsMDIForm) return main;
    // Without a main MDI form, the first MDI form on the screen.
    for (int i = 0; i < GetScreen()->FormCount(); ++i) {
        TCustomForm* f = GetScreen()->Forms(i);
        if (f != this && f->FormStyle() == fsMDIForm) return f;
    }
    return nullptr;
}

// ---- Bounds and placement

void TCustomForm::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    TWinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (FWindowState == wsNormal) FRestoredBounds = BoundsRect();
}

void TCustomForm::PlaceForm() {
    FPlaced = true;
    if (FFormStyle == fsMDIChild) {
        if (FPosition == poDefault || FPosition == poDefaultPosOnly) {
            // Cascade after the children already showing.
            TCustomForm* parent = MDIParent();
            int n = 0;
            for (int i = 0; parent && i < parent->MDIChildCount(); ++i) {
                TCustomForm* c = parent->MDIChildren(i);
                if (c != this && c->Showing()) ++n;
            }
            int step = win::GetSystemMetrics(win::SM_CYCAPTION) + win::GetSystemMetrics(win::SM_CYSIZEFRAME);
            SetBounds(step * (n % 8), step * (n % 8), FWidth, FHeight);
        }
        return;
    }
    TRect work = GetScreen()->WorkAreaRect();
    int w = FWidth, h = FHeight;
    int x = FLeft, y = FTop;
    auto centreOver = [&](const TRect& r) {
        x = r.Left + (r.Width() - w) / 2;
        y = r.Top + (r.Height() - h) / 2;
    };
    TCustomForm* main = GetApplication()->MainForm();
    switch (FPosition) {
    case poDesigned:
        break;
    case poDefault:
    case poDefaultPosOnly:
    case poDefaultSizeOnly: {
        if (FPosition != poDefaultPosOnly) {
            w = work.Width() * 3 / 4;
            h = work.Height() * 3 / 4;
        }
        if (FPosition != poDefaultSizeOnly) {
            // The window system's cascade of default places.
            int step = win::GetSystemMetrics(win::SM_CYCAPTION) + win::GetSystemMetrics(win::SM_CYSIZEFRAME);
            int n = g_defaultPlacement++ % 8;
            x = work.Left + 8 + step * n;
            y = work.Top + 8 + step * n;
        }
        break;
    }
    case poScreenCenter: {
        TMonitor* m = GetScreen()->PrimaryMonitor();
        centreOver(m ? m->BoundsRect() : work);
        break;
    }
    case poDesktopCenter:
        centreOver(GetScreen()->DesktopRect());
        break;
    case poMainFormCenter:
    case poOwnerFormCenter: {
        TCustomForm* over = nullptr;
        if (FPosition == poOwnerFormCenter) over = dynamic_cast<TCustomForm*>(Owner());
        if (!over || over == this) over = main != this ? main : nullptr;
        if (over && over->Visible())
            centreOver(over->BoundsRect());
        else {
            TMonitor* m = GetScreen()->PrimaryMonitor();
            centreOver(m ? m->BoundsRect() : work);
        }
        break;
    }
    }
    if (FPosition != poDesigned) {
        // Keep the caption reachable: the top left stays on the desktop.
        TRect desk = GetScreen()->DesktopRect();
        x = std::max(desk.Left, std::min(x, desk.Right - w));
        y = std::max(desk.Top, std::min(y, desk.Bottom - h));
        x = std::max(x, desk.Left);
        y = std::max(y, desk.Top);
    }
    SetBounds(x, y, w, h);
}

// ---- Showing

void TCustomForm::SetVisible(bool Value) {
    if (ComponentState().Contains(csLoading) || ComponentState().Contains(csReading)) {
        FVisible = Value;
        return;
    }
    if (Value && FCreatePending && !FCreated) {
        DoCreate(); // may show the form itself
        if (FVisible == Value) return;
    }
    if (Value && FFormStyle == fsMDIChild && !MDIParent()) throw EInvalidOperation(kNoMDIForm);
    if (Value == FVisible) {
        if (Value && Showing()) BringToFront();
        return;
    }
    TWinControl::SetVisible(Value);
}

void TCustomForm::Show() {
    SetVisible(true);
    BringToFront();
}

void TCustomForm::Hide() {
    SetVisible(false);
}

void TCustomForm::BringToFront() {
    if (!HandleAllocated() || !Showing()) return;
    win::HWND h = WindowHandle();
    win::BringWindowToTop(h);
    if (FFormStyle != fsMDIChild && win::IsWindowEnabled(h)) win::SetActiveWindow(h);
    GetScreen()->BringFormToFront(this);
}

void TCustomForm::ShowForm() {
    SetVisible(true);
}

void TCustomForm::HideForm() {
    SetVisible(false);
}

// The form's answer to CM_SHOWINGCHANGED: the window appears at its place (OnShow first) or goes away
// (OnHide first).
void TCustomForm::CMShowingChangedForm() {
    win::HWND h = WindowHandle();
    if (Showing()) {
        if (!FPlaced) PlaceForm();
        DoShow();
        if (!FActiveControl) {
            TWinControl* first = FindNextControl(nullptr, true, true, false);
            if (first && first != this) FActiveControl = first;
        }
        int cmd = win::SW_SHOWNORMAL;
        if (FWindowState == wsMaximized)
            cmd = win::SW_SHOWMAXIMIZED;
        else if (FWindowState == wsMinimized)
            cmd = win::SW_SHOWMINIMIZED;
        win::ShowWindow(h, cmd);
        SyncBoundsFromWindow();
        GetScreen()->BringFormToFront(this);
        if (FFormStyle == fsMDIChild) {
            win::BringWindowToTop(h);
            SetWindowFocus();
        } else if (win::IsWindowEnabled(h)) {
            if (win::GetActiveWindow() == h)
                SetWindowFocus();
            else
                win::SetActiveWindow(h);
        }
    } else {
        DoHide();
        if (h) win::ShowWindow(h, win::SW_HIDE);
        if (FActive) {
            FActive = false;
            Deactivate();
        }
        if (GetScreen()->ActiveForm() == this) GetScreen()->SetActiveForm(nullptr);
        if (FFormState.Contains(fsModal) && FModalResult == mrNone) FModalResult = mrCancel;
    }
}

void TCustomForm::SetWindowFocus() {
    if (!HandleAllocated()) return;
    if (FActiveControl && FActiveControl != this && FActiveControl->CanFocus() &&
        ContainsControl(FActiveControl)) {
        FActiveControl->SetFocus();
    } else if (win::GetFocus() != WindowHandle() &&
               !(win::GetFocus() && win::IsChild(WindowHandle(), win::GetFocus()))) {
        win::SetFocus(WindowHandle());
    }
}

bool TCustomForm::CanFocus() {
    return FVisible && FEnabled;
}

void TCustomForm::SetFocus() {
    if (!CanFocus()) throw EInvalidOperation(kCannotFocus);
    win::HWND h = Handle();
    if (FFormStyle == fsMDIChild) {
        // Focusing a child form makes it the frame's active child: the topmost in the client.
        BringToFront();
        SetWindowFocus();
    } else if (win::GetActiveWindow() != h) {
        win::SetActiveWindow(h);
    } else {
        SetWindowFocus();
    }
}

// ---- Modal showing

TModalResult TCustomForm::ShowModal() {
    if (FVisible || !FEnabled || FFormState.Contains(fsModal) || FFormStyle == fsMDIChild)
        throw EInvalidOperation(kCannotShowModal);
    if (win::HWND cap = win::GetCapture()) {
        win::SendMessage(cap, win::WM_CANCELMODE, 0, 0);
        win::ReleaseCapture();
    }
    TApplication* app = GetApplication();
    bool alive = true;
    bool* outerAlive = FModalAlive;
    FModalAlive = &alive;
    FFormState.Include(fsModal);
    win::HWND activeWindow = win::GetActiveWindow();
    // The form's owner: the top-level window the user was in (the application's active form when no
    // window of ours is active), if it shows; else the main form, as for any other form.
    FModalOwner = app->ActiveFormHandle();
    if (FModalOwner) FModalOwner = win::GetAncestor(FModalOwner, win::GA_ROOT);
    if (FModalOwner &&
        (!win::IsWindowVisible(FModalOwner) || (HandleAllocated() && FModalOwner == WindowHandle())))
        FModalOwner = nullptr;
    TaskWindows windows;
    app->ModalStarted();
    // Puts everything back however the loop ends (a result, an exception, the form freed).
    auto restore = [&]() {
        for (win::HWND w : windows.Disabled)
            if (win::IsWindow(w)) win::EnableWindow(w, 1);
        if (alive) {
            FFormState.Exclude(fsModal);
            FModalAlive = outerAlive;
            FModalOwner = nullptr;
            UpdateOwner();
        }
        if (activeWindow && win::IsWindow(activeWindow) && win::IsWindowVisible(activeWindow))
            win::SetActiveWindow(activeWindow);
        app->ModalFinished();
    };
    TModalResult result = mrNone;
    try {
        FModalResult = mrNone;
        HandleNeeded();
        UpdateOwner();
        windows.Except = WindowHandle();
        win::EnumWindows(&DisableTaskWindow, reinterpret_cast<win::LPARAM>(&windows));
        Show();
        try {
            do {
                app->HandleMessage();
                if (!alive) break;
                if (app->Terminated())
                    FModalResult = mrCancel;
                else if (FModalResult != mrNone)
                    CloseModal();
            } while (alive && FModalResult == mrNone);
            result = alive ? FModalResult : mrCancel;
        } catch (...) {
            if (alive) Hide();
            throw;
        }
        if (alive) Hide();
    } catch (...) {
        restore();
        throw;
    }
    restore();
    return result;
}

void TCustomForm::CloseModal() {
    try {
        TCloseAction action = caNone;
        if (CloseQuery()) {
            action = caHide;
            DoClose(action);
        }
        switch (action) {
        case caNone:
            FModalResult = mrNone;
            break;
        case caFree:
            Release();
            break;
        default:
            break;
        }
    } catch (win::EMessageLoopIdle&) {
        throw;
    } catch (...) {
        FModalResult = mrNone;
        GetApplication()->HandleException(this);
    }
}

// ---- Closing

bool TCustomForm::CloseQuery() {
    if (FFormStyle == fsMDIForm) {
        for (int i = 0; i < MDIChildCount(); ++i)
            if (!MDIChildren(i)->CloseQuery()) return false;
    }
    bool canClose = true;
    if (OnCloseQuery) OnCloseQuery(this, canClose);
    return canClose;
}

void TCustomForm::Close() {
    if (FFormState.Contains(fsModal)) {
        FModalResult = mrCancel;
        return;
    }
    if (!CloseQuery()) return;
    TCloseAction action = caHide;
    if (FFormStyle == fsMDIChild) action = FBorderIcons.Contains(biMinimize) ? caMinimize : caNone;
    DoClose(action);
    if (action == caNone) return;
    if (GetApplication()->MainForm() == this)
        GetApplication()->Terminate();
    else if (action == caHide)
        Hide();
    else if (action == caMinimize)
        SetWindowState(wsMinimized);
    else
        Release();
}

void TCustomForm::Release() {
    if (HandleAllocated())
        win::PostMessage(WindowHandle(), CM_RELEASE, 0, 0);
    else
        GetApplication()->ReleaseForm(this);
}

// ---- Window state

void TCustomForm::SetWindowState(TWindowState Value) {
    if (FWindowState == Value) return;
    FWindowState = Value;
    if (HandleAllocated() && Showing()) ApplyWindowState();
}

void TCustomForm::ApplyWindowState() {
    win::HWND h = WindowHandle();
    int cmd = win::SW_RESTORE;
    if (FWindowState == wsMaximized)
        cmd = win::SW_SHOWMAXIMIZED;
    else if (FWindowState == wsMinimized)
        cmd = win::SW_MINIMIZE;
    FSyncingState = true;
    win::ShowWindow(h, cmd);
    FSyncingState = false;
    SyncBoundsFromWindow();
}

void TCustomForm::SyncBoundsFromWindow() {
    if (!HandleAllocated() || FSyncingBounds) return;
    win::RECT r{};
    if (!win::GetWindowRect(WindowHandle(), &r)) return;
    TPoint p = r.TopLeft();
    if (FFormStyle == fsMDIChild) {
        if (win::HWND parent = win::GetParent(WindowHandle())) win::ScreenToClient(parent, &p);
    }
    if (p.X == FLeft && p.Y == FTop && r.Width() == FWidth && r.Height() == FHeight) return;
    FSyncingBounds = true;
    bool sizeChanged = r.Width() != FWidth || r.Height() != FHeight;
    FLeft = p.X;
    FTop = p.Y;
    FWidth = r.Width();
    FHeight = r.Height();
    FSyncingBounds = false;
    if (sizeChanged) {
        Realign();
        Resize();
    }
}

// ---- Focus

void TCustomForm::SetActiveControl(TWinControl* Control) {
    if (FActiveControl == Control) return;
    bool loading = ComponentState().Contains(csLoading);
    if (Control &&
        (Control == this || GetParentForm(Control, false) != this || (!loading && !Control->CanFocus())))
        throw EInvalidOperation(kCannotFocus);
    FActiveControl = Control;
    if (Control) Control->FreeNotification(this);
    if (!loading && FActive && Control && HandleAllocated()) SetWindowFocus();
}

bool TCustomForm::SetFocusedControl(TWinControl* Control) {
    if (!TWinControl::SetFocusedControl(Control)) return false;
    if (Control && Control != this) {
        FActiveControl = Control;
        Control->FreeNotification(this);
    }
    GetScreen()->SetActiveControl(Control);
    if (FFormStyle != fsMDIChild) GetScreen()->SetActiveForm(this);
    return true;
}

void TCustomForm::FocusControl(TWinControl* Control) {
    bool wasActive = FActive;
    SetActiveControl(Control);
    if (!wasActive && Control) SetFocus();
}

// ---- MDI

int TCustomForm::MDIChildCount() const {
    if (FFormStyle != fsMDIForm) return 0;
    int n = 0;
    for (int i = 0; i < GetScreen()->FormCount(); ++i) {
        TCustomForm* f = GetScreen()->Forms(i);
        if (f->FormStyle() == fsMDIChild && f->MDIParent() == this) ++n;
    }
    return n;
}

TCustomForm* TCustomForm::MDIChildren(int Index) const {
    int n = 0;
    if (FFormStyle == fsMDIForm)
        for (int i = 0; i < GetScreen()->FormCount(); ++i) {
            TCustomForm* f = GetScreen()->Forms(i);
            if (f->FormStyle() == fsMDIChild && f->MDIParent() == this && n++ == Index) return f;
        }
    throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
}

TCustomForm* TCustomForm::ActiveMDIChild() const {
    if (FFormStyle != fsMDIForm || FClientHandle == nullptr) return nullptr;
    // The topmost visible window of the client that is an MDI child form.
    for (win::HWND h = win::GetWindow(FClientHandle, win::GW_CHILD); h;
         h = win::GetWindow(h, win::GW_HWNDNEXT)) {
        if (!win::IsWindowVisible(h)) continue;
        if (TWinControl* c = FindControl(h))
            if (TCustomForm* f = c->AsForm(); f && f->FormStyle() == fsMDIChild) return f;
    }
    return nullptr;
}

// ---- Messages

namespace {
// Alt, F10 and Alt+letter reach every windowed control of the form, at any depth, until one takes them
// (a toolbar serving as the menu bar does).
bool DeliverKeyMenu(TWinControl* Parent, TMessage& Message) {
    for (TWinControl* c : Parent->WinControls()) {
        Message.Result = c->Perform(Message.Msg, Message.WParam, Message.LParam);
        if (Message.Result != 0 || DeliverKeyMenu(c, Message)) return true;
    }
    return false;
}
} // namespace

void TCustomForm::WndProc(TMessage& Message) {
    if (Message.Msg == win::WM_SYSCOMMAND && (Message.WParam & 0xFFF0) == win::SC_KEYMENU) {
        if (DeliverKeyMenu(this, Message)) return;
    }
    if (MenuHook && MenuHook(this, Message)) return;
    switch (Message.Msg) {
    case CM_SHOWINGCHANGED:
        CMShowingChangedForm();
        return;
    case win::WM_GETMINMAXINFO:
        TWinControl::WndProc(Message);
        WMGetMinMaxInfo(Message);
        return;
    case win::WM_CLOSE:
        Close();
        Message.Result = 0;
        return;
    case win::WM_ACTIVATE: {
        bool active = win::LOWORD(Message.WParam) != win::WA_INACTIVE;
        if (active) {
            FActive = true;
            GetScreen()->SetActiveForm(this);
            SetWindowFocus();
            Activate();
        } else if (FActive) {
            FActive = false;
            Deactivate();
        }
        Message.Result = 0;
        return;
    }
    case win::WM_DESTROY:
        FClientHandle = nullptr; // goes with the frame's window
        break;
    case win::WM_ACTIVATEAPP:
        // The application's forms hear that another program took over (or gave back) the activation
        // through their queue, where a menu loop's message hook sees it and ends the menu mode.
        if (HandleAllocated())
            win::PostMessage(WindowHandle(), Message.WParam ? CM_ACTIVATE : CM_DEACTIVATE, 0, 0);
        break;
    case win::WM_MOUSEACTIVATE:
        if (FFormStyle == fsMDIChild) {
            win::BringWindowToTop(WindowHandle());
            GetScreen()->BringFormToFront(this);
        }
        break;
    case CM_RELEASE:
        // The application's loop frees the form (outside any of its window procedures).
        GetApplication()->ReleaseForm(this);
        return;
    default:
        break;
    }
    TWinControl::WndProc(Message);
    switch (Message.Msg) {
    case win::WM_WINDOWPOSCHANGED:
    case win::WM_SIZE:
        if (HandleAllocated() && !FSyncingState) {
            win::HWND h = WindowHandle();
            TWindowState state = win::IsIconic(h) ? wsMinimized : win::IsZoomed(h) ? wsMaximized : wsNormal;
            if (Showing()) FWindowState = state;
        }
        SyncBoundsFromWindow();
        break;
    default:
        break;
    }
}

void TCustomForm::Notification(TComponent* AComponent, TOperation Operation) {
    TWinControl::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FMenu) FMenu = nullptr;
    if (AComponent == FWindowMenu) FWindowMenu = nullptr;
    if (AComponent == static_cast<TComponent*>(FActiveControl)) FActiveControl = nullptr;
}

// ---- TCustomFrame

KV_REGISTER_CLASS(TFrame)

TCustomFrame::TCustomFrame(TComponent* AOwner) : TWinControl(AOwner) {
    FControlStyle =
        TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
    SetBounds(0, 0, 320, 240);
}

void TCustomFrame::InitInheritedComponent(const String& ResName) {
    ReadComponentRes(ResName.empty() ? UpperCase(ClassName()) : ResName, this);
}

} // namespace vcl
