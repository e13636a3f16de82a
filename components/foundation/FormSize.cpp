#include "components/foundation/FormSize.h"

#include <algorithm>

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
    TRect r = current;
    const String section = CreateKey();
    if (SavePosition) {
        r.Left = ini.ReadInteger(section, "Left", r.Left);
        r.Top = ini.ReadInteger(section, "Top", r.Top);
    }
    if (SaveSize) {
        r.Right = ini.ReadInteger(section, "Right", r.Right);
        r.Bottom = ini.ReadInteger(section, "Bottom", r.Bottom);
    } else {
        r.Right = r.Left + form->Width();
        r.Bottom = r.Top + form->Height();
    }
    const bool maximised = ini.ReadBool(section, "Maximized", form->WindowState() == wsMaximized);
    const int dw = win::GetSystemMetrics(win::SM_CXVIRTUALSCREEN);
    const int dh = win::GetSystemMetrics(win::SM_CYVIRTUALSCREEN);
    if (dw < r.Right) {
        r.Left -= r.Right - dw;
        r.Right = dw;
    }
    if (dh < r.Bottom) {
        r.Top -= r.Bottom - dh;
        r.Bottom = dh;
    }
    // A damaged file (an empty or inside-out rectangle, or one on no monitor) must not lose the
    // window: it keeps the place it has.
    if (r.Right <= r.Left || r.Bottom <= r.Top || !OnSomeMonitor(r)) r = current;
    if (maximised) r = TRect{0, 0, dw, dh};
    form->SetBounds(r.Left, r.Top, r.Width(), r.Height());
    if (maximised) form->SetWindowState(wsMaximized);
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
    const int width = form->Width(), height = form->Height();
    if (Pos.x < wa.Left + MagnetDistance || Pos.x < wa.Left) Pos.x = wa.Left;
    if (Pos.y < wa.Top + MagnetDistance || Pos.y < wa.Top) Pos.y = wa.Top;
    if (wa.Bottom - MagnetDistance < Pos.y + height) Pos.y = wa.Bottom - height;
    if (wa.Right - MagnetDistance < Pos.x + width) Pos.x = wa.Right - width;
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
