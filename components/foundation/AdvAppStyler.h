#pragma once
// Application and form stylers: TAdvFormStyler pushes one TBrixStyle through IBrixStyle to every
// styled component its form (or frame) owns; TAdvAppStyler holds one style for the whole
// application and passes it to every form styler linked to it. Both can follow the desktop's colour
// scheme through a hidden TThemeNotifierWindow.

#include <functional>
#include <vector>

#include "components/foundation/AdvStyleIF.h"
#include "platform/classes/Component.h"
#include "platform/vcl/WinControl.h"

namespace AdvAppStyler {

using AdvStyleIF::TBrixStyle;
using vcl::String;

// A hidden windowed control that reports the window system's theme-change broadcast (WM_THEMECHANGED)
// through OnThemeChange. The stylers of the other units derive their own notifier classes from it.
class TThemeNotifierWindow : public vcl::TWinControl {
    KV_CLASS(TThemeNotifierWindow, vcl::TWinControl)
public:
    explicit TThemeNotifierWindow(vcl::TComponent* AOwner);

    vcl::TNotifyEvent OnThemeChange;

    // The broadcast reaches only windows that exist: with a parent the window is made at once, without
    // one it is never made and no theme change arrives.
    void SetParent(vcl::TWinControl* AParent) override;
    // Makes the first windowed control found from AOwner up its chain of owners the parent (none: none).
    void ParentToOwnerWindow(vcl::TComponent* AOwner);

protected:
    // While the parent has no window yet, a hidden top-level one: the parent's window is not made early
    // for it (a form still loading would be fixed too soon); it becomes a child when the notifier moves
    // to a parent that has a window.
    void CreateParams(vcl::TCreateParams& Params) override;
    // A hidden child is not made again with its parent's window: when the parent's window goes (it is
    // recreated, or the parent leaves its own parent) while the notifier stays, the notifier goes on as
    // a hidden top-level window, so the broadcast still reaches it.
    void DestroyWnd() override;
    void WndProc(vcl::TMessage& Message) override;

private:
    bool FLeaving = false;  // moving to another parent (or none): its window goes with the move
    bool FDetached = false; // being made top-level while the parent's window is still there
};

// The style a desktop colour scheme maps to: 1 Blue, 2 Olive, 3 Silver, anything else Classic.
TBrixStyle StyleOfThemeScheme(int Scheme);

class TAdvFormStyler;

class TAdvAppStyler : public vcl::TComponent {
    KV_CLASS(TAdvAppStyler, vcl::TComponent)
    KV_PUBLISHED_PROPERTIES(TAdvAppStyler)
public:
    explicit TAdvAppStyler(vcl::TComponent* AOwner);
    ~TAdvAppStyler() override;

    void RegisterFormStyler(TAdvFormStyler* FormStyler);
    void UnRegisterFormStyler(TAdvFormStyler* FormStyler);
    int FormStylerCount() const { return static_cast<int>(FFormStylers.size()); }

    TBrixStyle Style() const { return FStyle; }
    // A new style goes to every registered form styler (not while loading), then OnChange.
    void SetStyle(TBrixStyle Value);
    bool AutoThemeAdapt() const { return FAutoThemeAdapt; }
    void SetAutoThemeAdapt(bool Value);
    void ThemeChanged(vcl::TObject* Sender);
    String Version() const;
    void SetVersion(const String&) {}
    static int GetVersionNr() { return (1 << 24) | (2 << 16) | (0 << 8) | 1; }
    TThemeNotifierWindow* NotifierWindow() const { return FNotifier; }

    // Style, then AutoThemeAdapt, from another application styler.
    void Assign(vcl::TPersistent* Source) override;

    vcl::TNotifyEvent OnChange;

protected:
    void Loaded() override;
    void Notification(vcl::TComponent* AComponent, vcl::TOperation Operation) override;

private:
    std::vector<TAdvFormStyler*> FFormStylers;
    TBrixStyle FStyle = AdvStyleIF::tsOffice2003Blue;
    bool FAutoThemeAdapt = false;
    TThemeNotifierWindow* FNotifier = nullptr; // owned as a component
};

// Asked before a component is styled; clearing Allow keeps that component's look.
using TApplyStyleEvent = std::function<void(vcl::TObject* Sender, vcl::TComponent* AComponent, bool& Allow)>;

class TAdvFormStyler : public vcl::TComponent {
    KV_CLASS(TAdvFormStyler, vcl::TComponent)
    KV_PUBLISHED_PROPERTIES(TAdvFormStyler)
public:
    explicit TAdvFormStyler(vcl::TComponent* AOwner);
    ~TAdvFormStyler() override;

    TBrixStyle Style() const { return FStyle; }
    // A new style other than tsCustom restyles the owner's components; then OnChange.
    void SetStyle(TBrixStyle Value);
    TAdvAppStyler* AppStyle() const { return FAppStyle; }
    void SetAppStyle(TAdvAppStyler* Value);
    bool AutoThemeAdapt() const { return FAutoThemeAdapt; }
    void SetAutoThemeAdapt(bool Value);
    void ThemeChanged(vcl::TObject* Sender);
    String Version() const;
    void SetVersion(const String&) {}
    TThemeNotifierWindow* NotifierWindow() const { return FNotifier; }

    // Pushes Style to the owner's components (a frame's nested frames included).
    void ApplyStyle();
    void ApplyStyleToForm(vcl::TComponent* Form, TBrixStyle AStyle);
    void ApplyStyleToFrame(vcl::TComponent* Frame, TBrixStyle AStyle);

    // AutoThemeAdapt, then Style, from another form styler.
    void Assign(vcl::TPersistent* Source) override;

    vcl::TNotifyEvent OnChange;
    TApplyStyleEvent OnApplyStyle;

protected:
    void Loaded() override;
    void Notification(vcl::TComponent* AComponent, vcl::TOperation Operation) override;

private:
    void StyleComponent(vcl::TComponent* C, TBrixStyle AStyle);

    TBrixStyle FStyle = AdvStyleIF::tsOffice2003Blue;
    TAdvAppStyler* FAppStyle = nullptr;
    bool FAutoThemeAdapt = false;
    TThemeNotifierWindow* FNotifier = nullptr; // owned as a component
};

} // namespace AdvAppStyler
