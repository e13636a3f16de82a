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
#include "platform/win/WindowInternal.h"

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

} // namespace gtktest
