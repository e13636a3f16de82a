// Timers: ticking on the virtual clock, enabling and re-timing, freeing from the own tick, errors.

#include <gtest/gtest.h>

#include "platform/vcl/Forms.h"
#include "platform/vcl/Timer.h"
#include "tests/support/UiDriver.h"

namespace {

using namespace vcl;

class TimerTest : public uitest::UiTest {};

TEST_F(TimerTest, TicksEveryIntervalWhileEnabledAndCanBeFreedOrStoppedFromItsOwnTick) {
    TComponentPtr<TTimer> t(new TTimer(nullptr));
    std::vector<unsigned> ticks;
    const unsigned start = win::GetTickCount();
    t->OnTimer = [&](TObject* Sender) {
        EXPECT_EQ(Sender, t.get());
        ticks.push_back(win::GetTickCount() - start);
    };
    t->SetInterval(30);
    EXPECT_TRUE(t->Running());
    ui.Advance(100);
    EXPECT_EQ((std::vector<unsigned>{30, 60, 90}), ticks);
    t->SetEnabled(false);
    EXPECT_FALSE(t->Running());
    ui.Advance(100);
    EXPECT_EQ(ticks.size(), 3u);
    // Enabling again starts a fresh interval; a new interval restarts it.
    t->SetEnabled(true);
    ui.Advance(20);
    t->SetInterval(50);
    ui.Advance(45);
    EXPECT_EQ(ticks.size(), 3u);
    ui.Advance(5);
    EXPECT_EQ(ticks.size(), 4u);
    // An interval of 0 stops it.
    t->SetInterval(0);
    EXPECT_FALSE(t->Running());
    ui.Advance(200);
    EXPECT_EQ(ticks.size(), 4u);

    // A timer can be freed or stopped from its own tick.
    TTimer* own = new TTimer(nullptr);
    own->SetInterval(10);
    int ownTicks = 0;
    own->OnTimer = [&](TObject* Sender) {
        ++ownTicks;
        FreeComponent(static_cast<TTimer*>(Sender));
    };
    ui.Advance(100);
    EXPECT_EQ(ownTicks, 1);

    TComponentPtr<TTimer> u(new TTimer(nullptr));
    u->SetInterval(10);
    int uticks = 0;
    u->OnTimer = [&](TObject*) {
        if (++uticks == 2) u->SetEnabled(false);
    };
    ui.Advance(100);
    EXPECT_EQ(uticks, 2);
}

TEST_F(TimerTest, AnOwnedTimerGoesWithItsOwnerAnErrorIsReportedAndTimersTickInAModalLoop) {
    TComponentPtr<TComponent> owner(new TComponent(nullptr));
    auto* t = new TTimer(owner.get());
    t->SetInterval(25);
    std::vector<String> errors;
    Application->OnException = [&](TObject* Sender, const std::exception& E) {
        EXPECT_EQ(Sender, t);
        errors.push_back(E.what());
    };
    int ticks = 0;
    t->OnTimer = [&](TObject*) {
        ++ticks;
        throw EInvalidOperation("tick failed");
    };
    ui.Advance(60);
    EXPECT_EQ(ticks, 2); // it goes on after an error
    EXPECT_EQ((std::vector<String>{"tick failed", "tick failed"}), errors);
    owner.reset();
    ui.Advance(60); // nothing left to tick
    EXPECT_EQ(ticks, 2);

    // Timers tick inside a modal loop.
    TComponentPtr<TForm> dlg(new TForm(Application));
    TComponentPtr<TTimer> modal(new TTimer(nullptr));
    modal->SetInterval(100);
    int modalTicks = 0;
    modal->OnTimer = [&](TObject*) {
        if (++modalTicks == 3) dlg->SetModalResult(mrAbort);
    };
    EXPECT_EQ(dlg->ShowModal(), mrAbort);
    EXPECT_EQ(modalTicks, 3);
}

} // namespace
