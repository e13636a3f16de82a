#pragma once
// Shared by the control tests: a fresh offscreen screen per test, a top-level host control, a painted
// windowless control and a container, and a message log.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/vcl/Controls.h"
#include "platform/win/WindowInternal.h"
#include "platform/win/Windows.h"
#include "tests/support/ColorMatch.h"
#include "tests/support/OffscreenBackend.h"

namespace controltest {

using namespace vcl;

// A record of what happened, in order ("Enter:Edit1", "MouseEnter:G1", ...).
using TEventLog = std::vector<std::string>;

// A top-level control standing in for a form: hidden until shown, it owns its children.
class THost : public TCustomControl {
    KV_CLASS(THost, TCustomControl)
public:
    explicit THost(TComponent* AOwner) : TCustomControl(AOwner) {
        FVisible = false;
        FControlStyle.Include(csAcceptsControls);
        SetColor(clWhite);
    }
    ~THost() override { BeforeDestruction(); }
};

// A windowless control that fills itself with one colour and logs its messages.
class TProbe : public TGraphicControl {
    KV_CLASS(TProbe, TGraphicControl)
public:
    TProbe(TComponent* AOwner, TEventLog* Log = nullptr) : TGraphicControl(AOwner), FLog(Log) {
        FControlStyle.Include(csOpaque);
    }
    TColor Fill = clRed;
    int Paints = 0;

protected:
    void Paint() override {
        ++Paints;
        Canvas()->Brush()->SetColor(Fill);
        Canvas()->FillRect(Rect(0, 0, Width(), Height()));
    }
    void WndProc(TMessage& Message) override {
        if (FLog != nullptr) {
            if (Message.Msg == CM_MOUSEENTER) FLog->push_back("Enter:" + Name());
            if (Message.Msg == CM_MOUSELEAVE) FLog->push_back("Leave:" + Name());
        }
        TGraphicControl::WndProc(Message);
    }

private:
    TEventLog* FLog;
};

// A windowed container that logs focus and enter/leave messages.
class TBox : public TCustomControl {
    KV_CLASS(TBox, TCustomControl)
public:
    TBox(TComponent* AOwner, TEventLog* Log = nullptr) : TCustomControl(AOwner), FLog(Log) {
        FControlStyle.Include(csAcceptsControls);
        SetTabStop(true);
    }
    ~TBox() override { BeforeDestruction(); }
    TColor Fill = clNone;
    std::vector<TWinControl*> FocusChanges; // CM_FOCUSCHANGED senders seen

protected:
    void Paint() override {
        if (Fill == clNone) return;
        Canvas()->Brush()->SetColor(Fill);
        Canvas()->FillRect(ClientRect());
    }
    void DoEnter() override {
        if (FLog != nullptr) FLog->push_back("DoEnter:" + Name());
        TCustomControl::DoEnter();
    }
    void DoExit() override {
        if (FLog != nullptr) FLog->push_back("DoExit:" + Name());
        TCustomControl::DoExit();
    }
    void WndProc(TMessage& Message) override {
        if (Message.Msg == CM_FOCUSCHANGED)
            FocusChanges.push_back(reinterpret_cast<TWinControl*>(Message.LParam));
        if (FLog != nullptr) {
            if (Message.Msg == CM_MOUSEENTER) FLog->push_back("Enter:" + Name());
            if (Message.Msg == CM_MOUSELEAVE) FLog->push_back("Leave:" + Name());
        }
        TCustomControl::WndProc(Message);
    }

private:
    TEventLog* FLog;
};

class ControlTest : public ::testing::Test {
protected:
    void SetUp() override {
        win::detail::ResetState();
        auto b = std::make_unique<offscreen::OffscreenBackend>();
        screen = b.get();
        backend::SetBackend(std::move(b));
    }
    void TearDown() override {
        host.reset();
        win::detail::ResetState();
    }

    // A host at (X, Y) on the screen with the given size, not yet shown.
    THost* MakeHost(int X, int Y, int W, int H) {
        host.reset(new THost(nullptr));
        host->SetName("Host");
        host->SetBounds(X, Y, W, H);
        return host.get();
    }
    // A child control of Parent, owned by the host, named and placed; Args go to its constructor.
    template <typename T, typename... A> T* Child(TWinControl* Parent, const char* Name, TRect R, A... Args) {
        auto* c = new T(host.get(), Args...);
        c->SetName(Name);
        c->SetBoundsRect(R);
        c->SetParent(Parent);
        return c;
    }
    // A windowed child of the host filled with one colour.
    TBox* Box(TColor Fill, TRect R) {
        TBox* b = Child<TBox>(host.get(), "", R);
        b->Fill = Fill;
        return b;
    }
    void ShowHost() {
        host->SetVisible(true);
        Pump();
    }
    static void Pump() { offscreen::OffscreenBackend::ProcessMessages(); }
    // A pixel of the host's window, client coordinates (the host has no frame).
    win::COLORREF Pixel(int X, int Y) const { return screen->WindowPixel(host->Handle(), X, Y); }
    // Probes of the host's window, each naming the colour its rule gives there.
    struct THostProbe {
        int X, Y;
        win::COLORREF Color;
    };
    void ExpectHostPixels(const std::vector<THostProbe>& Probes) const {
        for (const THostProbe& p : Probes)
            EXPECT_THAT(Pixel(p.X, p.Y), colortest::IsColor(p.Color)) << "at (" << p.X << ", " << p.Y << ")";
    }

    offscreen::OffscreenBackend* screen = nullptr;
    TComponentPtr<THost> host;
};

} // namespace controltest
