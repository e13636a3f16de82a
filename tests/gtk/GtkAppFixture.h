#pragma once
// The fixture of the tests that run the window system and the controls over the GTK backend: a fresh
// application on a real display, the offscreen backend put back afterwards, and waiting on the message
// loop for a condition.

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "GtkTestSupport.h"
#include "platform/backend/gtk/GtkBackend.h"
#include "platform/vcl/Application.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/Menu.h"
#include "platform/win/WindowInternal.h"
#include "platform/win/Windows.h"

namespace gtktest {

class GtkAppTest : public ::testing::Test {
protected:
    // A derived SetUp goes on only when this one did not skip: `if (IsSkipped()) return;`.
    void SetUp() override {
        if (!HaveDisplay()) GTEST_SKIP() << "needs an X display: run under xvfb-run";
        vcl::GetApplication()->ResetState();
        win::detail::ResetState();
        backend::SetBackend(gtkbackend::CreateGtkBackend());
    }
    // A derived TearDown frees its windows first.
    void TearDown() override {
        vcl::GetApplication()->ResetState();
        if (backend::HasBackend() && std::string(backend::GetBackend().Name()) == "gtk")
            backend::SetBackend(backend::CreateOffscreenBackend());
    }
    // Runs the application's messages until pred holds or ms passed; returns pred().
    bool RunUntil(const std::function<bool()>& pred, int ms) {
        return WaitUntil(
            backend::GetBackend(),
            [&] {
                vcl::Application->ProcessMessages();
                return pred();
            },
            ms);
    }
    void Settle(int ms) {
        RunUntil([] { return false; }, ms);
    }
};

// The same with a plain form of 600 by 300 at (40, 40), made before a derived SetUp goes on and freed after
// a derived TearDown.
class GtkFormTest : public GtkAppTest {
protected:
    void SetUp() override {
        GtkAppTest::SetUp();
        if (IsSkipped()) return;
        form.reset(vcl::TCustomForm::CreateNew(nullptr));
        form->SetBounds(40, 40, 600, 300);
    }
    void TearDown() override {
        form.reset();
        GtkAppTest::TearDown();
    }
    // The form's window on the display (null before it has one).
    backend::NativeWindow* Native() {
        if (!form->HandleAllocated()) return nullptr;
        win::detail::Wnd* w = win::detail::W(form->Handle());
        return w ? w->Native.get() : nullptr;
    }
    // Shows the form and gives it the keyboard: the X server's focus on its window, then the window
    // system's activation. Call it through ASSERT_NO_FATAL_FAILURE.
    void ShowWithKeyboard() {
        form->Show();
        ASSERT_TRUE(RunUntil([this] { return Native() && XidOf(Native()) != 0; }, 5000));
        Settle(100);
        ASSERT_TRUE(Xdo("windowfocus --sync " + std::to_string(XidOf(Native()))));
        ASSERT_TRUE(RunUntil([this] { return win::GetActiveWindow() == form->Handle(); }, 3000));
    }
    // A menu item of the form's, added to Parent.
    vcl::TMenuItem* MenuItem(vcl::TMenuItem* Parent, const vcl::String& Caption) {
        auto* item = new vcl::TMenuItem(form.get());
        item->SetCaption(Caption);
        Parent->Add(item);
        return item;
    }
    vcl::TComponentPtr<vcl::TCustomForm> form;
};

} // namespace gtktest
