// The UI test driver.

#include "tests/support/UiDriver.h"

#include "platform/classes/Properties.h"
#include "platform/rtl/SysUtils.h"
#include "platform/vcl/Button.h"
#include "platform/vcl/Screen.h"
#include "platform/win/Input.h"
#include "platform/win/WindowInternal.h"

namespace uitest {

using namespace vcl;

UiDriver::UiDriver() {
    GetApplication()->ResetState();
    win::detail::ResetState();
    auto b = std::make_unique<offscreen::OffscreenBackend>();
    FScreen = b.get();
    backend::SetBackend(std::move(b));
    GetApplication()->IdleHook = [this] { return RunIdle(); };
    win::SetIdleHandler([this] { return RunIdle(); });
}

UiDriver::~UiDriver() {
    win::SetIdleHandler(nullptr);
    GetApplication()->ResetState();
    if (!FActions.empty()) ADD_FAILURE() << FActions.size() << " modal or idle action(s) never ran";
}

// ---- Finding

namespace {

TControl* FindIn(TComponent* Root, const String& Name) {
    if (!Root) return nullptr;
    if (TComponent* c = Root->FindComponent(Name))
        if (auto* ctl = dynamic_cast<TControl*>(c)) return ctl;
    for (int i = 0; i < Root->ComponentCount(); ++i)
        if (TControl* c = FindIn(Root->Components(i), Name)) return c;
    if (auto* w = dynamic_cast<TWinControl*>(Root))
        if (TControl* c = w->FindChildControl(Name)) return c;
    return nullptr;
}

String Plain(const String& Caption) {
    return LowerCase(StripHotKey(Caption));
}

} // namespace

TControl* UiDriver::Find(TComponent* Root, const String& Name) {
    return FindIn(Root, Name);
}

TControl* UiDriver::FindButton(TWinControl* Root, const String& Caption) {
    if (!Root) return nullptr;
    for (int i = 0; i < Root->ControlCount(); ++i) {
        TControl* c = Root->Controls(i);
        if (dynamic_cast<TCustomButton*>(c) && c->Visible() && Plain(c->Caption()) == Plain(Caption))
            return c;
        if (auto* w = dynamic_cast<TWinControl*>(c))
            if (TControl* found = FindButton(w, Caption)) return found;
    }
    return nullptr;
}

TCustomForm* UiDriver::ModalForm() {
    for (int i = 0; i < vcl::Screen->FormCount(); ++i) {
        TCustomForm* f = vcl::Screen->Forms(i);
        if (f->FormState().Contains(fsModal) && f->Visible()) return f;
    }
    return nullptr;
}

// ---- Input

TPoint UiDriver::ScreenPoint(TControl* Control, int X, int Y) {
    if (X < 0) X = Control->Width() / 2;
    if (Y < 0) Y = Control->Height() / 2;
    return Control->ClientToScreen({X, Y});
}

void UiDriver::AfterInput() {
    if (FInAction == 0) Process();
}

void UiDriver::MoveTo(TControl* Control, int X, int Y) {
    TPoint p = ScreenPoint(Control, X, Y);
    FScreen->MoveMouse(p.X, p.Y);
    AfterInput();
}

void UiDriver::Click(TControl* Control, int X, int Y, backend::MouseButton Button) {
    TPoint p = ScreenPoint(Control, X, Y);
    FScreen->MoveMouse(p.X, p.Y);
    FScreen->Press(Button);
    FScreen->Release(Button);
    AfterInput();
}

void UiDriver::ClickButton(TWinControl* Root, const String& Caption) {
    TControl* b = FindButton(Root, Caption);
    if (!b) {
        ADD_FAILURE() << "no button '" << Caption << "'";
        throw std::runtime_error("button not found: " + Caption);
    }
    Click(b);
}

void UiDriver::Type(const String& Text) {
    FScreen->TypeText(Text);
    AfterInput();
}

void UiDriver::Key(unsigned VirtualKey, TShiftState Shift) {
    if (Shift.Contains(ssCtrl)) FScreen->KeyDown(win::VK_CONTROL);
    if (Shift.Contains(ssShift)) FScreen->KeyDown(win::VK_SHIFT);
    if (Shift.Contains(ssAlt)) FScreen->KeyDown(win::VK_MENU);
    FScreen->PressKey(VirtualKey);
    if (Shift.Contains(ssAlt)) FScreen->KeyUp(win::VK_MENU);
    if (Shift.Contains(ssShift)) FScreen->KeyUp(win::VK_SHIFT);
    if (Shift.Contains(ssCtrl)) FScreen->KeyUp(win::VK_CONTROL);
    AfterInput();
}

void UiDriver::Process() {
    GetApplication()->ProcessMessages();
}

void UiDriver::Advance(unsigned Milliseconds) {
    FScreen->Advance(Milliseconds);
    AfterInput();
}

// ---- Modal dialogs

void UiDriver::WhenModal(TModalAction Action) {
    FActions.push_back({true, std::move(Action), nullptr});
}

void UiDriver::AnswerWith(const String& ButtonCaption) {
    WhenModal([this, ButtonCaption](TCustomForm* Dialog) { ClickButton(Dialog, ButtonCaption); });
}

void UiDriver::AnswerResult(TModalResult Result) {
    WhenModal([Result](TCustomForm* Dialog) { Dialog->SetModalResult(Result); });
}

void UiDriver::WhenIdle(TIdleAction Action) {
    FActions.push_back({false, nullptr, std::move(Action)});
}

bool UiDriver::RunIdle() {
    if (FActions.empty() || FInAction > 0) return false;
    TCustomForm* modal = ModalForm();
    if (FActions.front().NeedsModal && !modal) return false;
    Action a = std::move(FActions.front());
    FActions.pop_front();
    ++FInAction;
    try {
        if (a.NeedsModal) {
            if (TControl* m = Find(modal, "Message")) FSeenMessages.push_back(m->Caption());
            a.Modal(modal);
        } else {
            a.Idle();
        }
    } catch (...) {
        --FInAction;
        throw;
    }
    --FInAction;
    return true;
}

// ---- Pictures

String UiDriver::OutputPath(const String& FileName) {
    String exe = GetApplication()->ExeName();
    size_t slash = exe.rfind('/');
    return slash == String::npos ? FileName : exe.substr(0, slash + 1) + FileName;
}

bool UiDriver::WritePng(TWinControl* Form, const String& Path) {
    win::HWND h = Form->Handle();
    win::RedrawWindow(h, nullptr, nullptr,
                      win::RDW_INVALIDATE | win::RDW_FRAME | win::RDW_ALLCHILDREN | win::RDW_UPDATENOW);
    Process();
    return FScreen->WriteWindowPng(h, Path);
}

win::COLORREF UiDriver::Pixel(TWinControl* Form, int X, int Y) {
    Process();
    win::RECT r{};
    win::GetWindowRect(Form->Handle(), &r);
    return FScreen->ScreenPixel(r.Left + X, r.Top + Y);
}

} // namespace uitest
