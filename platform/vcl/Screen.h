#pragma once
// TScreen (the Screen global): the forms of the application, the active form and control, the cursor,
// the cursors by number, the installed fonts, the monitors, the desktop and the work area.
// TMouse (the Mouse global): the pointer's position and the capture.
// TMonitor: one display.

#include <map>
#include <memory>
#include <vector>

#include "platform/rtl/Object.h"
#include "platform/rtl/Strings.h"
#include "platform/rtl/SysInfo.h"
#include "platform/vcl/Control.h"
#include "platform/win/Windows.h"

namespace vcl {

class TCustomForm;
class TWinControl;

// (A plain object, not a TObject: the screen keeps its monitors for the life of the program.)
class TMonitor {
public:
    TMonitor(win::HMONITOR Handle, int Index) : FHandle(Handle), FMonitorNum(Index) {}
    win::HMONITOR Handle() const { return FHandle; }
    int MonitorNum() const { return FMonitorNum; }
    bool Primary() const;
    TRect BoundsRect() const;
    TRect WorkareaRect() const;
    int Left() const { return BoundsRect().Left; }
    int Top() const { return BoundsRect().Top; }
    int Width() const { return BoundsRect().Width(); }
    int Height() const { return BoundsRect().Height(); }

private:
    win::HMONITOR FHandle;
    int FMonitorNum;
};

enum TMonitorDefaultTo { mdNearest, mdNull, mdPrimary };

class TScreen : public TComponent {
    KV_CLASS(TScreen, TComponent)
public:
    explicit TScreen(TComponent* AOwner);
    ~TScreen() override;

    // ---- Forms, in the order of their creation (a form that is shown comes first).
    int FormCount() const { return static_cast<int>(FForms.size()); }
    // Out of range raises EListError.
    TCustomForm* Forms(int Index) const;
    int CustomFormCount() const { return FormCount(); }
    TCustomForm* CustomForms(int Index) const { return Forms(Index); }
    // The form that is active (or was last active, while another application has the focus).
    TCustomForm* ActiveForm() const { return FActiveForm; }
    TCustomForm* ActiveCustomForm() const { return FActiveForm; }
    // The focused control of the active form.
    TWinControl* ActiveControl() const { return FActiveControl; }
    TNotifyEvent OnActiveFormChange;
    TNotifyEvent OnActiveControlChange;

    // ---- Cursors. Cursor other than crDefault overrides every control's cursor.
    TCursor Cursor() const { return FCursor; }
    void SetCursor(TCursor Value);
    // The window system's cursor for a cursor number; a number nobody set gives the arrow.
    win::HCURSOR Cursors(int Index) const;
    void SetCursors(int Index, win::HCURSOR Handle);

    // ---- Fonts: the family names a program may choose from, sorted.
    TStrings* Fonts();
    TFont* HintFont() const { return FHintFont.get(); }
    TFont* IconFont() const { return FIconFont.get(); }
    TFont* MenuFont() const { return FMenuFont.get(); }
    // The system information's (96 unless set).
    int PixelsPerInch() const { return SysInfo().ScreenPixelsPerInch(); }

    // ---- Geometry: the primary monitor, the virtual desktop (all monitors) and the work area.
    int Width() const;
    int Height() const;
    int DesktopLeft() const { return DesktopRect().Left; }
    int DesktopTop() const { return DesktopRect().Top; }
    int DesktopWidth() const { return DesktopRect().Width(); }
    int DesktopHeight() const { return DesktopRect().Height(); }
    TRect DesktopRect() const;
    TRect WorkAreaRect() const;
    int WorkAreaLeft() const { return WorkAreaRect().Left; }
    int WorkAreaTop() const { return WorkAreaRect().Top; }
    int WorkAreaWidth() const { return WorkAreaRect().Width(); }
    int WorkAreaHeight() const { return WorkAreaRect().Height(); }

    // ---- Monitors (read afresh from the display on each call of MonitorCount / Monitors)
    int MonitorCount();
    TMonitor* Monitors(int Index);
    TMonitor* PrimaryMonitor();
    TMonitor* MonitorFromWindow(win::HWND Handle, TMonitorDefaultTo MonitorDefault = mdNearest);
    TMonitor* MonitorFromPoint(TPoint Point, TMonitorDefaultTo MonitorDefault = mdNearest);
    TMonitor* MonitorFromRect(const TRect& Rect, TMonitorDefaultTo MonitorDefault = mdNearest);

    // ---- Kept up to date by the forms and the focus machinery.
    void AddForm(TCustomForm* Form);
    void RemoveForm(TCustomForm* Form);
    // Moves a form to the front of the list (it was shown or activated).
    void BringFormToFront(TCustomForm* Form);
    void SetActiveForm(TCustomForm* Form);
    void SetActiveControl(TWinControl* Control);
    // Resets the active form and control when the control goes away.
    void ControlDestroyed(TControl* Control);

    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    void Watch(TWinControl* Old, TWinControl* New);
    TMonitor* MonitorOf(win::HMONITOR Handle);
    void RefreshMonitors();

    std::vector<TCustomForm*> FForms;
    TCustomForm* FActiveForm = nullptr;
    TWinControl* FActiveControl = nullptr;
    TCursor FCursor = crDefault;
    std::map<int, win::HCURSOR> FCursors;
    std::unique_ptr<TStringList> FFonts;
    bool FFontsFilled = false;
    std::unique_ptr<TFont> FHintFont;
    std::unique_ptr<TFont> FIconFont;
    std::unique_ptr<TFont> FMenuFont;
    std::vector<std::unique_ptr<TMonitor>> FMonitors;
};

class TMouse : public TObject {
    KV_CLASS(TMouse, TObject)
public:
    TPoint CursorPos() const;
    void SetCursorPos(TPoint Value);
    win::HWND Capture() const { return win::GetCapture(); }
    void SetCapture(win::HWND Value);
    bool MousePresent() const { return true; }
    bool WheelPresent() const { return true; }
    int WheelScrollLines() const;
    bool DragImmediate() const { return true; }
    int DragThreshold() const { return 5; }
};

// The globals; they exist for the whole run of the program (made before main; the functions also work
// during static initialisation).
TScreen* GetScreen();
TMouse* GetMouse();
extern TScreen* Screen;
extern TMouse* Mouse;

} // namespace vcl
