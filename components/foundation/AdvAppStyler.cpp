#include "components/foundation/AdvAppStyler.h"

#include <algorithm>

#include "components/foundation/AdvVersion.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/vcl/Application.h"
#include "platform/vcl/Form.h"
#include "platform/win/Messages.h"

namespace AdvAppStyler {

using AdvStyleIF::IBrixStyle;

namespace {

bool Designing(const vcl::TComponent* C) {
    return C->ComponentState().Contains(vcl::csDesigning);
}

bool IsFrame(vcl::TComponent* C) {
    return dynamic_cast<vcl::TCustomFrame*>(C) != nullptr;
}

} // namespace

// ---- TThemeNotifierWindow

TThemeNotifierWindow::TThemeNotifierWindow(vcl::TComponent* AOwner) : vcl::TWinControl(AOwner) {
    SetVisible(false);
}

void TThemeNotifierWindow::SetParent(vcl::TWinControl* AParent) {
    FLeaving = true;
    try {
        vcl::TWinControl::SetParent(AParent);
    } catch (...) {
        FLeaving = false;
        throw;
    }
    FLeaving = false;
    // Not HandleNeeded: that would make the parent's window first.
    if (AParent != nullptr) CreateHandle();
}

void TThemeNotifierWindow::CreateParams(vcl::TCreateParams& Params) {
    if (Parent() == nullptr || (Parent()->HandleAllocated() && !FDetached)) {
        vcl::TWinControl::CreateParams(Params);
        return;
    }
    Params = vcl::TCreateParams{};
    Params.Style = win::WS_POPUP;
    Params.WindowClass.lpfnWndProc = win::DefWindowProc;
    Params.WinClassName = ClassName();
}

void TThemeNotifierWindow::ParentToOwnerWindow(vcl::TComponent* AOwner) {
    for (vcl::TComponent* o = AOwner; o != nullptr; o = o->Owner())
        if (auto* parent = dynamic_cast<vcl::TWinControl*>(o)) {
            SetParent(parent);
            return;
        }
}

void TThemeNotifierWindow::DestroyWnd() {
    vcl::TWinControl::DestroyWnd();
    vcl::TWinControl* parent = Parent();
    if (FLeaving || parent == nullptr || ComponentState().Contains(vcl::csDestroying) ||
        parent->ComponentState().Contains(vcl::csDestroying))
        return;
    // The parent's children lose their windows before the parent loses its own.
    FDetached = true;
    try {
        CreateHandle();
    } catch (...) {
        FDetached = false;
        throw;
    }
    FDetached = false;
}

void TThemeNotifierWindow::WndProc(vcl::TMessage& Message) {
    if (Message.Msg == win::WM_THEMECHANGED && OnThemeChange) OnThemeChange(this);
    vcl::TWinControl::WndProc(Message);
}

TBrixStyle StyleOfThemeScheme(int Scheme) {
    switch (Scheme) {
    case 1:
        return AdvStyleIF::tsOffice2003Blue;
    case 2:
        return AdvStyleIF::tsOffice2003Olive;
    case 3:
        return AdvStyleIF::tsOffice2003Silver;
    default:
        return AdvStyleIF::tsOffice2003Classic;
    }
}

// ---- TAdvAppStyler

KV_PUBLISHED(TAdvAppStyler) {
    using S = TAdvAppStyler;
    p.Bool("AutoThemeAdapt", &S::FAutoThemeAdapt, &S::SetAutoThemeAdapt);
    // Declared tsCustom while a new styler holds Office 2003 Blue: Blue is always written.
    p.Enum("Style", &S::FStyle, &S::SetStyle, AdvStyleIF::tsCustom);
    p.Str("Version", &S::Version, &S::SetVersion);
}

KV_REGISTER_CLASS(TAdvAppStyler)

TAdvAppStyler::TAdvAppStyler(vcl::TComponent* AOwner) : vcl::TComponent(AOwner) {
    if (Designing(this)) return;
    FNotifier = new TThemeNotifierWindow(this);
    if (vcl::Application != nullptr && vcl::Application->MainForm() != nullptr)
        FNotifier->SetParent(vcl::Application->MainForm());
    FNotifier->OnThemeChange = [this](vcl::TObject* Sender) { ThemeChanged(Sender); };
}

TAdvAppStyler::~TAdvAppStyler() {
    for (TAdvFormStyler* f : std::vector<TAdvFormStyler*>(FFormStylers))
        f->SetAppStyle(nullptr);
    FFormStylers.clear();
    BeforeDestruction();
}

void TAdvAppStyler::RegisterFormStyler(TAdvFormStyler* FormStyler) {
    if (std::find(FFormStylers.begin(), FFormStylers.end(), FormStyler) == FFormStylers.end())
        FFormStylers.push_back(FormStyler);
}

void TAdvAppStyler::UnRegisterFormStyler(TAdvFormStyler* FormStyler) {
    std::erase(FFormStylers, FormStyler);
}

void TAdvAppStyler::SetStyle(TBrixStyle Value) {
    if (FStyle == Value) return;
    FStyle = Value;
    const auto state = ComponentState();
    if (!state.Contains(vcl::csLoading) && !state.Contains(vcl::csDesigning))
        for (TAdvFormStyler* f : std::vector<TAdvFormStyler*>(FFormStylers))
            f->SetStyle(Value);
    if (OnChange) OnChange(this);
}

void TAdvAppStyler::SetAutoThemeAdapt(bool Value) {
    FAutoThemeAdapt = Value;
    ThemeChanged(this);
}

void TAdvAppStyler::ThemeChanged(vcl::TObject*) {
    if (FAutoThemeAdapt) SetStyle(StyleOfThemeScheme(AdvStyleIF::DetectThemeScheme()));
}

String TAdvAppStyler::Version() const {
    return AdvVersion::VersionText(static_cast<std::uint32_t>(GetVersionNr()));
}

void TAdvAppStyler::Assign(vcl::TPersistent* Source) {
    auto* s = dynamic_cast<TAdvAppStyler*>(Source);
    if (s == nullptr) {
        vcl::TComponent::Assign(Source);
        return;
    }
    SetStyle(s->FStyle);
    SetAutoThemeAdapt(s->FAutoThemeAdapt);
}

void TAdvAppStyler::Loaded() {
    vcl::TComponent::Loaded();
    if (FAutoThemeAdapt) ThemeChanged(this);
}

void TAdvAppStyler::Notification(vcl::TComponent* AComponent, vcl::TOperation Operation) {
    vcl::TComponent::Notification(AComponent, Operation);
    if (Operation == vcl::opRemove && AComponent == FNotifier) FNotifier = nullptr;
}

// ---- TAdvFormStyler

KV_PUBLISHED(TAdvFormStyler) {
    using S = TAdvFormStyler;
    p.Bool("AutoThemeAdapt", &S::FAutoThemeAdapt, &S::SetAutoThemeAdapt);
    // Declared tsCustom while a new styler holds Office 2003 Blue: Blue is always written.
    p.Enum("Style", &S::FStyle, &S::SetStyle, AdvStyleIF::tsCustom);
    p.Ref("AppStyle", &S::FAppStyle, &S::SetAppStyle);
    p.Str("Version", &S::Version, &S::SetVersion);
}

KV_REGISTER_CLASS(TAdvFormStyler)

TAdvFormStyler::TAdvFormStyler(vcl::TComponent* AOwner) : vcl::TComponent(AOwner) {
    if (Designing(this)) return;
    FNotifier = new TThemeNotifierWindow(this);
    FNotifier->ParentToOwnerWindow(AOwner);
    FNotifier->OnThemeChange = [this](vcl::TObject* Sender) { ThemeChanged(Sender); };
}

TAdvFormStyler::~TAdvFormStyler() {
    if (FAppStyle != nullptr && !Designing(this)) FAppStyle->UnRegisterFormStyler(this);
    FAppStyle = nullptr;
    BeforeDestruction();
}

void TAdvFormStyler::SetAppStyle(TAdvAppStyler* Value) {
    if (FAppStyle != nullptr && FAppStyle != Value) {
        FAppStyle->UnRegisterFormStyler(this);
        FAppStyle->RemoveFreeNotification(this);
    }
    FAppStyle = Value;
    if (Value == nullptr) return;
    Value->FreeNotification(this);
    if (!ComponentState().Contains(vcl::csLoading)) SetStyle(Value->Style());
    if (!Designing(this)) Value->RegisterFormStyler(this);
}

void TAdvFormStyler::SetStyle(TBrixStyle Value) {
    if (FStyle == Value) return;
    FStyle = Value;
    if (Value != AdvStyleIF::tsCustom) ApplyStyle();
    if (OnChange) OnChange(this);
}

void TAdvFormStyler::SetAutoThemeAdapt(bool Value) {
    FAutoThemeAdapt = Value;
    ThemeChanged(this);
}

void TAdvFormStyler::ThemeChanged(vcl::TObject*) {
    if (FAutoThemeAdapt) SetStyle(StyleOfThemeScheme(AdvStyleIF::DetectThemeScheme()));
}

String TAdvFormStyler::Version() const {
    return AdvVersion::VersionText(static_cast<std::uint32_t>(TAdvAppStyler::GetVersionNr()));
}

void TAdvFormStyler::ApplyStyle() {
    vcl::TComponent* owner = Owner();
    if (owner == nullptr) return;
    if (IsFrame(owner))
        ApplyStyleToFrame(owner, FStyle);
    else if (dynamic_cast<vcl::TCustomForm*>(owner) != nullptr)
        ApplyStyleToForm(owner, FStyle);
}

void TAdvFormStyler::StyleComponent(vcl::TComponent* C, TBrixStyle AStyle) {
    auto* intf = vcl::Supports<IBrixStyle>(C);
    if (intf == nullptr) return;
    bool allow = true;
    if (OnApplyStyle) OnApplyStyle(this, C, allow);
    if (allow) intf->SetComponentStyle(AStyle);
}

void TAdvFormStyler::ApplyStyleToForm(vcl::TComponent* Form, TBrixStyle AStyle) {
    for (int i = 0; i < Form->ComponentCount(); ++i)
        StyleComponent(Form->Components(i), AStyle);
}

void TAdvFormStyler::ApplyStyleToFrame(vcl::TComponent* Frame, TBrixStyle AStyle) {
    for (int i = 0; i < Frame->ComponentCount(); ++i) {
        vcl::TComponent* c = Frame->Components(i);
        StyleComponent(c, AStyle);
        if (IsFrame(c)) ApplyStyleToFrame(c, AStyle);
    }
}

void TAdvFormStyler::Assign(vcl::TPersistent* Source) {
    auto* s = dynamic_cast<TAdvFormStyler*>(Source);
    if (s == nullptr) {
        vcl::TComponent::Assign(Source);
        return;
    }
    SetAutoThemeAdapt(s->FAutoThemeAdapt);
    SetStyle(s->FStyle);
}

void TAdvFormStyler::Loaded() {
    vcl::TComponent::Loaded();
    if (FAppStyle != nullptr) {
        SetStyle(FAppStyle->Style());
    } else {
        // A stored style is applied once: through tsCustom and back.
        const TBrixStyle stored = FStyle;
        SetStyle(AdvStyleIF::tsCustom);
        SetStyle(stored);
    }
    if (!Designing(this)) ThemeChanged(this);
}

void TAdvFormStyler::Notification(vcl::TComponent* AComponent, vcl::TOperation Operation) {
    vcl::TComponent::Notification(AComponent, Operation);
    if (Operation != vcl::opRemove) return;
    if (AComponent == FNotifier) FNotifier = nullptr;
    if (AComponent != nullptr && AComponent == FAppStyle) FAppStyle = nullptr;
}

} // namespace AdvAppStyler
