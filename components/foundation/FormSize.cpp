#include "components/foundation/FormSize.h"

#include <algorithm>
#include <cstdint>

#include "components/foundation/AdvVersion.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/rtl/IniFiles.h"
#include "platform/rtl/SysInfo.h"
#include "platform/vcl/Screen.h"
#include "platform/win/Metrics.h"
#include "platform/win/WinUser.h"
#include "platform/win/Window.h"

namespace FormSize {

using namespace vcl;

namespace {

// The window property that leads the hook procedure to its component.
constexpr const char* HookProp = "TFormSize.Hook";

bool OnSomeMonitor(const TRect& R) {
    for (int i = 0; i < Screen->MonitorCount(); ++i) {
        const TRect m = Screen->Monitors(i)->BoundsRect();
        if (std::max(R.Left, m.Left) < std::min(R.Right, m.Right) &&
            std::max(R.Top, m.Top) < std::min(R.Bottom, m.Bottom))
            return true;
    }
    return false;
}

} // namespace

KV_PUBLISHED(TFormSize) {
    using T = TFormSize;
    p.Bool("DragAlways", &T::DragAlways, nullptr, false);
    p.Bool("Magnet", &T::Magnet, nullptr, false);
    p.Int("MagnetDistance", &T::MagnetDistance, nullptr);
    p.Bool("SavePosition", &T::SavePosition, nullptr, true);
    p.Bool("SaveSize", &T::SaveSize, nullptr, true);
    p.Bool("SaveUser", &T::SaveUser, nullptr);
    p.Bool("SaveMachine", &T::SaveMachine, nullptr);
    p.Str("SaveName", &T::SaveName, nullptr);
    p.Str("SaveKey", &T::SaveKey, nullptr);
    // Read-only: writes are ignored and layouts never hold it.
    p.Str("Version", &T::GetVersion, &T::SetVersion).Stored(&T::NeverStored);
}

KV_REGISTER_CLASS(TFormSize)

TFormSize::TFormSize(TComponent* AOwner) : TComponent(AOwner) {
    auto* form = dynamic_cast<TCustomForm*>(AOwner);
    if (!form) throw EFormSizeError("Control parent must be a form!");
    int count = 0;
    for (int i = 0; i < form->ComponentCount(); ++i)
        if (dynamic_cast<TFormSize*>(form->Components(i))) ++count;
    if (count >= 2) throw EFormSizeError("The form already contains a TFormSize component");
    SaveKey = form->Name();
    FForm = form;
    FWnd = form->Handle();
    FPrevWndProc = reinterpret_cast<win::WNDPROC>(win::GetWindowLongPtr(FWnd, win::GWLP_WNDPROC));
    win::SetProp(FWnd, HookProp, reinterpret_cast<win::HANDLE>(this));
    win::SetWindowLongPtr(FWnd, win::GWLP_WNDPROC, reinterpret_cast<win::LONG_PTR>(&TFormSize::HookProc));
}

TFormSize::~TFormSize() {
    if (!FPrevWndProc || !FWnd || !win::IsWindow(FWnd)) return;
    // A form frees its components before its window: when the form itself is going, this is the
    // last moment its placement can be saved.
    if (FForm && FForm->ComponentState().Contains(csDestroying) && SavePosition &&
        !ComponentState().Contains(csDesigning))
        DoSavePlacement();
    win::SetWindowLongPtr(FWnd, win::GWLP_WNDPROC, reinterpret_cast<win::LONG_PTR>(FPrevWndProc));
    win::RemoveProp(FWnd, HookProp);
}

TCustomForm* TFormSize::Form() const {
    return FForm;
}

String TFormSize::GetVersion() const {
    return AdvVersion::VersionText(static_cast<std::uint32_t>(GetVersionNr()));
}

void TFormSize::Loaded() {
    TComponent::Loaded();
    if (!ComponentState().Contains(csDesigning) && SavePosition) LoadPlacement();
}

String TFormSize::CreateKey() const {
    String section = SaveKey;
    if (SaveUser) section += "-" + SysInfo().UserName();
    if (SaveMachine) section += "-" + SysInfo().ComputerName();
    return section;
}

void TFormSize::DoSavePlacement() {
    TCustomForm* form = Form();
    if (SaveName.empty() || SaveKey.empty() || !form || !FWnd) return;
    TIniFile ini(SaveName);
    const String section = CreateKey();
    win::WINDOWPLACEMENT wp{};
    wp.length = sizeof wp;
    win::GetWindowPlacement(FWnd, &wp);
    if (SavePosition) {
        ini.WriteInteger(section, "Left", wp.rcNormalPosition.Left);
        ini.WriteInteger(section, "Top", wp.rcNormalPosition.Top);
    }
    if (SaveSize) {
        ini.WriteInteger(section, "Right", wp.rcNormalPosition.Right);
        ini.WriteInteger(section, "Bottom", wp.rcNormalPosition.Bottom);
        ini.WriteBool(section, "Maximized", wp.showCmd == win::SW_SHOWMAXIMIZED);
    }
}

void TFormSize::LoadPlacement() {
    TCustomForm* form = Form();
    if (SaveName.empty() || SaveKey.empty() || !form) return;
    TIniFile ini(SaveName);
    const TRect current = form->BoundsRect();
    const String section = CreateKey();
    // Stored values are input: the arithmetic on them runs in 64 bits, so that no value overflows.
    std::int64_t left = current.Left, top = current.Top, right = current.Right, bottom = current.Bottom;
    if (SavePosition) {
        left = ini.ReadInteger(section, "Left", current.Left);
        top = ini.ReadInteger(section, "Top", current.Top);
    }
    if (SaveSize) {
        right = ini.ReadInteger(section, "Right", current.Right);
        bottom = ini.ReadInteger(section, "Bottom", current.Bottom);
    } else {
        right = left + form->Width();
        bottom = top + form->Height();
    }
    const bool maximised = ini.ReadBool(section, "Maximized", form->WindowState() == wsMaximized);
    const std::int64_t dw = win::GetSystemMetrics(win::SM_CXVIRTUALSCREEN);
    const std::int64_t dh = win::GetSystemMetrics(win::SM_CYVIRTUALSCREEN);
    if (dw < right) {
        left -= right - dw;
        right = dw;
    }
    if (dh < bottom) {
        top -= bottom - dh;
        bottom = dh;
    }
    if (maximised) {
        form->SetBounds(0, 0, ClampToInt(dw), ClampToInt(dh));
        form->SetWindowState(wsMaximized);
        return;
    }
    // A damaged file (an empty or inside-out rectangle, or one on no monitor) must not lose the window:
    // it keeps the place it has. Coordinates brought into the int range meet the same monitors.
    const TRect r{ClampToInt(left), ClampToInt(top), ClampToInt(right), ClampToInt(bottom)};
    if (right <= left || bottom <= top || !OnSomeMonitor(r)) return;
    form->SetBounds(r.Left, r.Top, ClampToInt(right - left), ClampToInt(bottom - top));
    // The window system may shrink a window larger than the screen, which can take a rectangle that
    // reached onto a monitor off it again: only the place the window ends at tells.
    if (!OnSomeMonitor(form->BoundsRect()))
        form->SetBounds(current.Left, current.Top, current.Width(), current.Height());
}

void TFormSize::LoadFormSettings() {
    const bool position = SavePosition, size = SaveSize;
    SavePosition = true;
    SaveSize = true;
    LoadPlacement();
    SavePosition = position;
    SaveSize = size;
}

void TFormSize::SaveFormSettings() {
    const bool position = SavePosition, size = SaveSize;
    SavePosition = true;
    SaveSize = true;
    DoSavePlacement();
    SavePosition = position;
    SaveSize = size;
}

win::LRESULT TFormSize::HookProc(win::HWND Wnd, win::UINT Msg, win::WPARAM WParam, win::LPARAM LParam) {
    auto* self = reinterpret_cast<TFormSize*>(win::GetProp(Wnd, HookProp));
    if (!self) return win::DefWindowProc(Wnd, Msg, WParam, LParam);
    return self->HookWndProc(Msg, WParam, LParam);
}

// The work area is the primary screen less the task bar on whichever edge it sits.
void TFormSize::SnapToWorkArea(win::WINDOWPOS& Pos) {
    win::RECT wa{};
    win::SystemParametersInfo(win::SPI_GETWORKAREA, 0, &wa, 0);
    const TCustomForm* form = Form();
    // In 64 bits: the distance comes from the form's layout and the place from any caller.
    const std::int64_t width = form->Width(), height = form->Height(), distance = MagnetDistance;
    std::int64_t x = Pos.x, y = Pos.y;
    if (x < wa.Left + distance || x < wa.Left) x = wa.Left;
    if (y < wa.Top + distance || y < wa.Top) y = wa.Top;
    if (wa.Bottom - distance < y + height) y = wa.Bottom - height;
    if (wa.Right - distance < x + width) x = wa.Right - width;
    Pos.x = ClampToInt(x);
    Pos.y = ClampToInt(y);
}

win::LRESULT TFormSize::HookWndProc(win::UINT Msg, win::WPARAM WParam, win::LPARAM LParam) {
    const win::HWND wnd = FWnd;
    if (Msg == win::WM_WINDOWPOSCHANGING && Magnet && LParam)
        SnapToWorkArea(*reinterpret_cast<win::WINDOWPOS*>(LParam));
    const bool designing = ComponentState().Contains(csDesigning);
    // Saved before the form's own handling: that may free the form, and this component with it.
    if (Msg == win::WM_DESTROY && !designing && SavePosition) DoSavePlacement();
    const bool drag = Msg == win::WM_NCHITTEST && DragAlways && !designing;
    win::LRESULT result = win::CallWindowProc(FPrevWndProc, wnd, Msg, WParam, LParam);
    if (drag) {
        win::POINT p{static_cast<std::int16_t>(LParam & 0xFFFF),
                     static_cast<std::int16_t>((LParam >> 16) & 0xFFFF)};
        win::ScreenToClient(wnd, &p);
        win::RECT client{};
        win::GetClientRect(wnd, &client);
        if (p.X >= client.Left && p.X < client.Right && p.Y >= client.Top && p.Y < client.Bottom)
            result = win::HTCAPTION;
    }
    return result;
}

} // namespace FormSize
