#pragma once
// A script of steps run from a timer, so that it goes on inside whatever loop is running (a drag's or a
// menu's included): each tick tries the first step, which returns true when done. Past its deadline the
// script gives up and lets go of the mouse, the capture and any open menu, so that lost input fails the
// test instead of hanging it. One script runs at a time.

#include <functional>
#include <vector>

#include "platform/win/WinTypes.h"

namespace gtktest {

class Script {
public:
    Script();
    ~Script();
    Script(const Script&) = delete;
    Script& operator=(const Script&) = delete;

    // Runs the steps to their end, or until ms passed, in the application's loop; false when they did not
    // finish (the test has failed then).
    bool Run(std::vector<std::function<bool()>> steps, int ms = 15000);

private:
    win::UINT_PTR FTimer = 0;
};

} // namespace gtktest
