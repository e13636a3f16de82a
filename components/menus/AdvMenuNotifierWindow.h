#pragma once
// TNotifierWindow: a hidden windowed control that tells its owner when the desktop's theme changed
// (WM_THEMECHANGED). Until the window system sends that message to every window, a theme change seen by
// the system information also reaches the window as that message.

#include "platform/rtl/SysInfo.h"
#include "platform/vcl/WinControl.h"

namespace AdvMenuStylers {

class TNotifierWindow : public vcl::TWinControl {
    KV_CLASS(TNotifierWindow, vcl::TWinControl)
public:
    // Hidden; its parent is the first windowed control up the owner chain (none: no parent).
    explicit TNotifierWindow(vcl::TComponent* AOwner);
    ~TNotifierWindow() override;

    vcl::TNotifyEvent OnThemeChange;

protected:
    void WndProc(vcl::TMessage& Message) override;

private:
    // The system information's notice of a theme change: as the window's message when it has a window,
    // else straight to the handler.
    void SystemThemeChanged();

    class TThemeSubscription {
    public:
        explicit TThemeSubscription(std::function<void()> Listener)
            : FId(vcl::SysInfo().AddThemeChangeListener(std::move(Listener))) {}
        ~TThemeSubscription() { vcl::SysInfo().RemoveThemeChangeListener(FId); }
        TThemeSubscription(const TThemeSubscription&) = delete;
        TThemeSubscription& operator=(const TThemeSubscription&) = delete;

    private:
        int FId;
    };
    TThemeSubscription FSubscription;
};

} // namespace AdvMenuStylers
