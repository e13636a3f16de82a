#pragma once
// TApplication (the Application global): the main form, the message loop, the error box, and the hints.
//
// Run shows the main form and handles messages until the main form closes (or Terminate). An exception
// that escapes a handler reaches HandleException, which shows it in the error box (a modal message box
// with the application's title as caption and the exception's message) and carries on; EAbort is silent.
//
// Hints: over a control with ShowHint and a Hint, the hint window appears HintPause milliseconds after
// the pointer stopped changing controls (HintShortPause when a hint was up a moment ago) and goes after
// HintHidePause, when the pointer moves to another control, or on a click or key. The control gets
// CM_HINTSHOW with the THintInfo and may change it (Result nonzero: no hint); then OnShowHint.

#include <functional>
#include <memory>
#include <vector>

#include "platform/vcl/Form.h"
#include "platform/vcl/HintWindow.h"

namespace vcl {

using TExceptionEvent = std::function<void(TObject* Sender, const std::exception& E)>;
using TMessageEvent = std::function<void(win::MSG& Msg, bool& Handled)>;
using TIdleEvent = std::function<void(TObject* Sender, bool& Done)>;
using TShowHintEvent = std::function<void(String& HintStr, bool& CanShow, THintInfo& HintInfo)>;

class TApplication : public TComponent {
    KV_CLASS(TApplication, TComponent)
public:
    explicit TApplication(TComponent* AOwner);
    ~TApplication() override;

    void Initialize() {}
    const String& Title() const { return FTitle; }
    void SetTitle(const String& Value) { FTitle = Value; }
    bool MainFormOnTaskBar() const { return FMainFormOnTaskBar; }
    void SetMainFormOnTaskBar(bool Value) { FMainFormOnTaskBar = Value; }
    bool ShowMainForm() const { return FShowMainForm; }
    void SetShowMainForm(bool Value) { FShowMainForm = Value; }
    // The program's full file name.
    String ExeName() const;

    // ---- Forms
    TCustomForm* MainForm() const { return FMainForm; }
    // Creates a form of class T owned by the application; the first form created becomes the main form.
    template <typename T> void CreateForm(T*& Reference) {
        T* form = new T(this);
        Reference = form;
        FormCreated(form);
    }
    win::HWND ActiveFormHandle() const;
    void NormalizeTopMosts() {}
    void RestoreTopMosts() {}
    void BringToFront();
    void Minimize();
    void Restore();

    // ---- The loop
    void Run();
    void Terminate();
    bool Terminated() const { return FTerminated; }
    // Handles every message that is waiting now, then returns.
    void ProcessMessages();
    // Handles one message, or (when none is waiting) does the idle work and waits for one.
    void HandleMessage();
    // Called from a catch block: hands the exception being handled to OnException or the error box.
    // EAbort is ignored; the loop's idle signal (win::EMessageLoopIdle) is passed on.
    void HandleException(TObject* Sender);
    void ShowException(const std::exception& E);
    // The platform's message box, owned by the active form, with the title as default caption.
    int MessageBox(const String& Text, const String& Caption = String(), unsigned Flags = 0);
    TExceptionEvent OnException;
    TMessageEvent OnMessage;
    TIdleEvent OnIdle;
    // Nested modal loops (ShowModal, message boxes) count themselves here.
    void ModalStarted();
    void ModalFinished();
    int ModalLevel() const { return FModalLevel; }
    TNotifyEvent OnModalBegin;
    TNotifyEvent OnModalEnd;

    // ---- Hints
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool Value);
    int HintPause() const { return FHintPause; }
    void SetHintPause(int Value) { FHintPause = Value; }
    int HintShortPause() const { return FHintShortPause; }
    void SetHintShortPause(int Value) { FHintShortPause = Value; }
    int HintHidePause() const { return FHintHidePause; }
    void SetHintHidePause(int Value) { FHintHidePause = Value; }
    TColor HintColor() const { return FHintColor; }
    void SetHintColor(TColor Value);
    // The hint text of the control under the pointer (for status bars), and its event.
    const String& Hint() const { return FHint; }
    void SetHint(const String& Value);
    TNotifyEvent OnHint;
    TShowHintEvent OnShowHint;
    // Hides the hint window and forgets the control.
    void CancelHint();
    // Shows the hint of the control under CursorPos (screen coordinates) now.
    void ActivateHint(TPoint CursorPos);
    void HideHint();
    // The window that shows hints (null until the first hint).
    THintWindow* HintWindow() const { return FHintWindow; }
    TControl* HintControl() const { return FHintControl; }

    // The test driver's door: called first at each idle turn of the loop (before it waits); true when
    // it made something happen, so that the loop looks again instead of waiting.
    std::function<bool()> IdleHook;

    // ---- For the forms and the test harness
    void FormDestroyed(TCustomForm* Form);
    // Frees the form at the next turn of the loop (Release, CM_RELEASE).
    void ReleaseForm(TCustomForm* Form);
    // Forgets the main form, the terminated state and the hint state (the test harness calls it
    // between tests).
    void ResetState();

    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    void FormCreated(TCustomForm* Form);
    bool ProcessMessage(win::MSG& Msg);
    bool Idle(const win::MSG& Msg);
    void HintMouseMessage(const win::MSG& Msg);
    void ActivateMDIChildOnClick(const win::MSG& Msg);
    void HintTimerExpired();
    static void HintTimerProc(win::HWND, win::UINT, win::UINT_PTR, win::DWORD);
    void StartHintTimer(int Pause, int Mode);
    void StopHintTimer();
    void SetHintControl(TControl* Control);

    String FTitle = "Kalvenor";
    bool FMainFormOnTaskBar = false;
    bool FShowMainForm = true;
    TCustomForm* FMainForm = nullptr;
    bool FTerminated = false;
    int FModalLevel = 0;
    bool FShowHint = true;
    int FHintPause = 500;
    int FHintShortPause = 50;
    int FHintHidePause = 2500;
    TColor FHintColor = clInfoBk;
    String FHint;
    TControl* FHintControl = nullptr;
    THintWindow* FHintWindow = nullptr;
    win::UINT_PTR FHintTimerId = 0;
    int FHintTimerMode = 0; // 1: show after the pause, 2: hide after HintHidePause, 3: short-pause window
    bool FHintActive = false;
    std::vector<TCustomForm*> FReleased;
    void FreeReleasedForms();
    TPoint FHintCursorPos;
    TRect FHintCursorRect; // screen coordinates; a move inside keeps the hint
};

// The parts of a hint "short|long" (the whole hint when it has no bar).
String GetShortHint(const String& Hint);
String GetLongHint(const String& Hint);

TApplication* GetApplication();
extern TApplication* Application;

} // namespace vcl
