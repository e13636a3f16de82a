#pragma once
// The UI test driver: a fresh offscreen screen per test, controls found by component name, clicks, typing
// and keys through the real input queue, answers to modal dialogs and message boxes, the virtual clock,
// and pictures of forms.
//
//     class MyFormTest : public uitest::UiTest {};
//     TEST_F(MyFormTest, OkClosesTheDialog) {
//         auto* form = ...;
//         ui.WhenModal([&](vcl::TCustomForm* dlg) { ui.ClickButton(dlg, "OK"); });
//         EXPECT_EQ(form->ShowModal(), vcl::mrOk);
//     }
//
// Input from the test body is injected and then handled at once (Application->ProcessMessages); input
// from inside a modal action is only injected, and the dialog's own loop handles it.
//
// Modal actions run in order, one at each idle turn of a loop (the application's loops, and any other
// loop that would otherwise wait for ever) while a modal form is up. Nothing left to do in an idle loop
// raises win::EMessageLoopIdle, so a test that forgot to answer a dialog fails instead of hanging.

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <stdexcept>

#include "platform/vcl/Application.h"
#include "platform/vcl/Form.h"
#include "tests/support/OffscreenBackend.h"

namespace uitest {

using vcl::String;
using vcl::TPoint;

class UiDriver {
public:
    using TModalAction = std::function<void(vcl::TCustomForm* Dialog)>;
    using TIdleAction = std::function<void()>;

    UiDriver();
    ~UiDriver();
    UiDriver(const UiDriver&) = delete;
    UiDriver& operator=(const UiDriver&) = delete;

    offscreen::OffscreenBackend& Screen() { return *FScreen; }

    // ---- Finding. The control of that component name among Root's components (any depth of
    // ownership) or its child controls; null when there is none.
    static vcl::TControl* Find(vcl::TComponent* Root, const String& Name);
    // The same, failing the test (and raising) when it is missing or of another class.
    template <typename T> static T* Get(vcl::TComponent* Root, const String& Name) {
        vcl::TControl* c = Find(Root, Name);
        T* t = dynamic_cast<T*>(c);
        if (!t) {
            ADD_FAILURE() << "no control '" << Name << "' of the class asked for";
            throw std::runtime_error("control not found: " + Name);
        }
        return t;
    }
    // The button (any TCustomButton) whose caption without '&' is Caption (any case), or null.
    static vcl::TControl* FindButton(vcl::TWinControl* Root, const String& Caption);
    // The modal form that is up now (the latest), or null.
    static vcl::TCustomForm* ModalForm();

    // ---- Input through the queue
    // Moves the pointer to the control's point (client coordinates; default: its centre).
    void MoveTo(vcl::TControl* Control, int X = -1, int Y = -1);
    void Click(vcl::TControl* Control, int X = -1, int Y = -1,
               backend::MouseButton Button = backend::MouseButton::Left);
    void ClickButton(vcl::TWinControl* Root, const String& Caption);
    void Type(const String& Text);
    // A key with modifiers held around it.
    void Key(unsigned VirtualKey, vcl::TShiftState Shift = {});
    // Handles everything waiting now.
    void Process();
    // Moves the clock, firing the timers on the way, then handles what they caused.
    void Advance(unsigned Milliseconds);

    // ---- Modal dialogs and idle turns
    void WhenModal(TModalAction Action);
    // Answers the next modal form by pressing the button of that caption.
    void AnswerWith(const String& ButtonCaption);
    // Answers the next modal form by setting its ModalResult.
    void AnswerResult(vcl::TModalResult Result);
    // Runs at the next idle turn of any loop (modal or not).
    void WhenIdle(TIdleAction Action);
    int PendingActions() const { return static_cast<int>(FActions.size()); }
    // The text of every message box and dialog that a modal action saw (label "Message"), in order.
    const std::vector<String>& SeenMessages() const { return FSeenMessages; }

    // ---- Pictures
    // A file name in the folder of the test program (the build folder), for pictures to look at.
    static String OutputPath(const String& FileName);
    // Paints the form and writes its window (frame included) as a PNG file.
    bool WritePng(vcl::TWinControl* Form, const String& Path);
    // One pixel of a form's window as the screen shows it (window coordinates, 0x00BBGGRR).
    win::COLORREF Pixel(vcl::TWinControl* Form, int X, int Y);

private:
    struct Action {
        bool NeedsModal;
        TModalAction Modal;
        TIdleAction Idle;
    };
    bool RunIdle();
    void AfterInput();
    TPoint ScreenPoint(vcl::TControl* Control, int X, int Y);

    offscreen::OffscreenBackend* FScreen = nullptr;
    std::deque<Action> FActions;
    std::vector<String> FSeenMessages;
    int FInAction = 0;
};

// The base of UI tests: a driver named ui, made before and torn down after each test.
class UiTest : public ::testing::Test {
protected:
    UiDriver ui;
};

} // namespace uitest
