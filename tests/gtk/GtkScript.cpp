// The timer-driven script of the end-to-end tests.

#include "GtkScript.h"

#include <gtest/gtest.h>

#include <deque>

#include "GtkTestSupport.h"
#include "platform/vcl/Application.h"
#include "platform/win/Input.h"
#include "platform/win/Menu.h"
#include "platform/win/Windows.h"

namespace gtktest {

namespace {

std::deque<std::function<bool()>> gSteps;
win::DWORD gDeadline = 0;

void Tick(win::HWND, win::UINT, win::UINT_PTR, win::DWORD) {
    if (gSteps.empty()) return;
    if (static_cast<std::int32_t>(win::GetTickCount() - gDeadline) > 0) {
        ADD_FAILURE() << "the script did not finish: " << gSteps.size() << " step(s) left";
        gSteps.clear();
        Xdo("mouseup 1");
        // A drag whose release never came ends with the capture it holds.
        if (win::GetCapture() != nullptr) win::ReleaseCapture();
        if (win::IsMenuTracking()) win::EndMenu();
        return;
    }
    if (gSteps.front()()) gSteps.pop_front();
}

} // namespace

Script::Script() {
    gSteps.clear();
    FTimer = win::SetTimer(nullptr, 0, 20, Tick);
}

Script::~Script() {
    if (FTimer) win::KillTimer(nullptr, FTimer);
    gSteps.clear();
}

bool Script::Run(std::vector<std::function<bool()>> steps, int ms) {
    gSteps.assign(steps.begin(), steps.end());
    gDeadline = win::GetTickCount() + static_cast<win::DWORD>(ms);
    WaitUntil(
        backend::GetBackend(),
        [&] {
            vcl::Application->ProcessMessages();
            return gSteps.empty();
        },
        ms + 2000);
    EXPECT_TRUE(gSteps.empty());
    return gSteps.empty();
}

} // namespace gtktest
