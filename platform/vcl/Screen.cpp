// The screen, its monitors and the mouse.

#include "platform/vcl/Screen.h"

#include <algorithm>

#include "platform/vcl/Form.h"
#include "platform/win/FontAlias.h"
#include "platform/win/Input.h"
#include "platform/win/Metrics.h"

namespace vcl {

// ---- TMonitor

namespace {

win::MONITORINFO InfoOf(win::HMONITOR Handle) {
    win::MONITORINFO mi{};
    mi.cbSize = sizeof mi;
    win::GetMonitorInfo(Handle, &mi);
    return mi;
}

win::DWORD DefaultFlag(TMonitorDefaultTo To) {
    switch (To) {
    case mdNull:
        return win::MONITOR_DEFAULTTONULL;
    case mdPrimary:
        return win::MONITOR_DEFAULTTOPRIMARY;
    default:
        return win::MONITOR_DEFAULTTONEAREST;
    }
}

win::BOOL CollectMonitor(win::HMONITOR h, win::HDC, win::RECT*, win::LPARAM data) {
    reinterpret_cast<std::vector<win::HMONITOR>*>(data)->push_back(h);
    return 1;
}

} // namespace

bool TMonitor::Primary() const {
    return (InfoOf(FHandle).dwFlags & win::MONITORINFOF_PRIMARY) != 0;
}
TRect TMonitor::BoundsRect() const {
    return InfoOf(FHandle).rcMonitor;
}
TRect TMonitor::WorkareaRect() const {
    return InfoOf(FHandle).rcWork;
}

// ---- TScreen

TScreen::TScreen(TComponent* AOwner) : TComponent(AOwner) {
    FHintFont = std::make_unique<TFont>();
    FHintFont->SetColor(clInfoText);
    FIconFont = std::make_unique<TFont>();
    FMenuFont = std::make_unique<TFont>();
    // Made now (the screen lives for the whole program), filled on first use.
    FFonts = std::make_unique<TStringList>();
}

TScreen::~TScreen() = default;

TCustomForm* TScreen::Forms(int Index) const {
    if (Index < 0 || Index >= FormCount())
        throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
    return FForms[static_cast<size_t>(Index)];
}

void TScreen::AddForm(TCustomForm* Form) {
    if (std::find(FForms.begin(), FForms.end(), Form) == FForms.end()) FForms.push_back(Form);
}

void TScreen::RemoveForm(TCustomForm* Form) {
    FForms.erase(std::remove(FForms.begin(), FForms.end(), Form), FForms.end());
    if (FActiveForm == Form) SetActiveForm(nullptr);
}

void TScreen::BringFormToFront(TCustomForm* Form) {
    auto it = std::find(FForms.begin(), FForms.end(), Form);
    if (it == FForms.end() || it == FForms.begin()) return;
    FForms.erase(it);
    FForms.insert(FForms.begin(), Form);
}

void TScreen::SetActiveForm(TCustomForm* Form) {
    if (FActiveForm == Form) return;
    Watch(FActiveForm, Form);
    FActiveForm = Form;
    if (Form) BringFormToFront(Form);
    if (OnActiveFormChange) OnActiveFormChange(this);
}

void TScreen::SetActiveControl(TWinControl* Control) {
    if (FActiveControl == Control) return;
    Watch(FActiveControl, Control);
    FActiveControl = Control;
    if (OnActiveControlChange) OnActiveControlChange(this);
}

void TScreen::ControlDestroyed(TControl* Control) {
    if (Control && static_cast<TControl*>(FActiveControl) == Control) SetActiveControl(nullptr);
}

void TScreen::Watch(TWinControl* Old, TWinControl* New) {
    // Cleared in Notification when it is freed (a registration that outlives its use is harmless).
    (void)Old;
    if (New) New->FreeNotification(this);
}

void TScreen::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == static_cast<TComponent*>(FActiveControl)) FActiveControl = nullptr;
    if (AComponent == static_cast<TComponent*>(FActiveForm)) FActiveForm = nullptr;
    FForms.erase(std::remove_if(FForms.begin(), FForms.end(),
                                [&](TCustomForm* f) { return static_cast<TComponent*>(f) == AComponent; }),
                 FForms.end());
}

void TScreen::SetCursor(TCursor Value) {
    if (Value == FCursor) return;
    FCursor = Value;
    if (Value != crDefault) {
        win::SetCursor(Cursors(Value));
    } else {
        // Let the control under the pointer choose again.
        win::POINT p{};
        win::GetCursorPos(&p);
        win::HWND h = win::WindowFromPoint(p);
        if (h)
            win::SendMessage(h, win::WM_SETCURSOR, reinterpret_cast<win::WPARAM>(h), win::HTCLIENT);
        else
            win::SetCursor(win::LoadCursor(nullptr, win::IDC_ARROW));
    }
}

win::HCURSOR TScreen::Cursors(int Index) const {
    auto it = FCursors.find(Index);
    if (it != FCursors.end()) return it->second;
    if (Index == crNone) return nullptr;
    return CursorHandleOf(Index);
}

void TScreen::SetCursors(int Index, win::HCURSOR Handle) {
    if (Handle)
        FCursors[Index] = Handle;
    else
        FCursors.erase(Index);
}

TStrings* TScreen::Fonts() {
    if (!FFontsFilled) {
        FFontsFilled = true;
        for (const String& name : win::InstalledFontFamilies())
            FFonts->Add(name);
    }
    return FFonts.get();
}

int TScreen::Width() const {
    return win::GetSystemMetrics(win::SM_CXSCREEN);
}
int TScreen::Height() const {
    return win::GetSystemMetrics(win::SM_CYSCREEN);
}

TRect TScreen::DesktopRect() const {
    int x = win::GetSystemMetrics(win::SM_XVIRTUALSCREEN);
    int y = win::GetSystemMetrics(win::SM_YVIRTUALSCREEN);
    return Bounds(x, y, win::GetSystemMetrics(win::SM_CXVIRTUALSCREEN),
                  win::GetSystemMetrics(win::SM_CYVIRTUALSCREEN));
}

TRect TScreen::WorkAreaRect() const {
    win::RECT r{};
    win::SystemParametersInfo(win::SPI_GETWORKAREA, 0, &r, 0);
    return r;
}

void TScreen::RefreshMonitors() {
    std::vector<win::HMONITOR> handles;
    win::EnumDisplayMonitors(nullptr, nullptr, &CollectMonitor, reinterpret_cast<win::LPARAM>(&handles));
    // Keep the objects of monitors that are still there, so that pointers handed out stay valid as long
    // as the display does not change.
    std::vector<std::unique_ptr<TMonitor>> fresh;
    for (size_t i = 0; i < handles.size(); ++i) {
        auto it = std::find_if(FMonitors.begin(), FMonitors.end(),
                               [&](const auto& m) { return m && m->Handle() == handles[i]; });
        if (it != FMonitors.end() && (*it)->MonitorNum() == static_cast<int>(i))
            fresh.push_back(std::move(*it));
        else
            fresh.push_back(std::make_unique<TMonitor>(handles[i], static_cast<int>(i)));
    }
    FMonitors = std::move(fresh);
}

int TScreen::MonitorCount() {
    RefreshMonitors();
    return static_cast<int>(FMonitors.size());
}

TMonitor* TScreen::Monitors(int Index) {
    RefreshMonitors();
    if (Index < 0 || Index >= static_cast<int>(FMonitors.size()))
        throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
    return FMonitors[static_cast<size_t>(Index)].get();
}

TMonitor* TScreen::MonitorOf(win::HMONITOR Handle) {
    if (!Handle) return nullptr;
    RefreshMonitors();
    for (auto& m : FMonitors)
        if (m->Handle() == Handle) return m.get();
    return nullptr;
}

TMonitor* TScreen::PrimaryMonitor() {
    return MonitorOf(win::MonitorFromPoint({0, 0}, win::MONITOR_DEFAULTTOPRIMARY));
}

TMonitor* TScreen::MonitorFromWindow(win::HWND Handle, TMonitorDefaultTo MonitorDefault) {
    return MonitorOf(win::MonitorFromWindow(Handle, DefaultFlag(MonitorDefault)));
}

TMonitor* TScreen::MonitorFromPoint(TPoint Point, TMonitorDefaultTo MonitorDefault) {
    return MonitorOf(win::MonitorFromPoint(Point, DefaultFlag(MonitorDefault)));
}

TMonitor* TScreen::MonitorFromRect(const TRect& Rect, TMonitorDefaultTo MonitorDefault) {
    return MonitorOf(win::MonitorFromRect(&Rect, DefaultFlag(MonitorDefault)));
}

// ---- TMouse

TPoint TMouse::CursorPos() const {
    win::POINT p{};
    win::GetCursorPos(&p);
    return p;
}

void TMouse::SetCursorPos(TPoint Value) {
    win::SetCursorPos(Value.X, Value.Y);
}

void TMouse::SetCapture(win::HWND Value) {
    if (Value)
        win::SetCapture(Value);
    else
        win::ReleaseCapture();
}

int TMouse::WheelScrollLines() const {
    win::UINT lines = 3;
    win::SystemParametersInfo(win::SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    return static_cast<int>(lines);
}

// ---- The globals: made before main, so that they never count as objects a test left alive; they
// live until the program ends.

TScreen* GetScreen() {
    static TScreen* screen = new TScreen(nullptr);
    return screen;
}

TMouse* GetMouse() {
    static TMouse* mouse = new TMouse();
    return mouse;
}

TScreen* Screen = GetScreen();
TMouse* Mouse = GetMouse();

} // namespace vcl
