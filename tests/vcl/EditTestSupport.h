#pragma once
// Shared by the standard controls' tests: a host window on a fresh offscreen screen, keys with modifiers
// through the real input queue, and pixel probes in a control's coordinates.

#include "platform/vcl/ExtCtrls.h"
#include "platform/vcl/StdCtrls.h"
#include "tests/support/ColorMatch.h"
#include "tests/vcl/ControlTestSupport.h"

namespace stdtest {

using namespace vcl;
using controltest::THost;

// Colours as the window image reports them.
inline win::COLORREF Ref(TColor Color) {
    return graphics::ToColorRef(Color);
}

// A dark pixel of text (text is smoothed, so its pixels are not all exactly the text colour).
inline bool IsInk(win::COLORREF C) {
    return (C & 0xFF) < 0x60 && ((C >> 8) & 0xFF) < 0x60 && ((C >> 16) & 0xFF) < 0x60;
}

class StdControlTest : public controltest::ControlTest {
protected:
    // A shown host of 400 by 300 at (50, 50) with the button-face colour.
    void SetUp() override {
        ControlTest::SetUp();
        MakeHost(50, 50, 400, 300);
        host->SetColor(clBtnFace);
    }
    template <typename T>
    T* Make(const char* Name, int X, int Y, int W, int H, TWinControl* Parent = nullptr) {
        auto* c = new T(host.get());
        c->SetName(Name);
        c->SetBounds(X, Y, W, H);
        c->SetParent(Parent != nullptr ? Parent : host.get());
        return c;
    }
    // Client point of a control -> screen point.
    TPoint ScreenOf(TControl* C, int X, int Y) { return C->ClientToScreen(TPoint{X, Y}); }
    // The pointer moved to a screen point, or a control's client point, pressed there, released; each
    // handled at once.
    void MoveTo(TPoint P) {
        screen->MoveMouse(P.X, P.Y);
        Pump();
    }
    void DownAt(TPoint P) {
        MoveTo(P);
        screen->Press();
        Pump();
    }
    void MoveOver(TControl* C, int X, int Y) { MoveTo(ScreenOf(C, X, Y)); }
    void Down(TControl* C, int X, int Y) { DownAt(ScreenOf(C, X, Y)); }
    void Up() {
        screen->Release();
        Pump();
    }
    void ClickAt(TControl* C, int X, int Y) {
        TPoint p = ScreenOf(C, X, Y);
        screen->Click(p.X, p.Y);
        Pump();
    }
    void Press(unsigned Vk) {
        screen->PressKey(Vk);
        Pump();
    }
    // A key with modifier keys held (VK_SHIFT, VK_CONTROL, VK_MENU).
    void Chord(std::initializer_list<unsigned> Modifiers, unsigned Vk) {
        for (unsigned m : Modifiers)
            screen->KeyDown(m);
        screen->PressKey(Vk);
        for (unsigned m : Modifiers)
            screen->KeyUp(m);
        Pump();
    }
    void Type(const String& Text) {
        screen->TypeText(Text);
        Pump();
    }
    // A pixel of the host's window at a control's client point.
    win::COLORREF At(TControl* C, int X, int Y) {
        Pump();
        TPoint p = C->ClientToParent(TPoint{X, Y}, host.get());
        return Pixel(p.X, p.Y);
    }
    // Pixel probes in a control's client coordinates, each naming the colour its rule gives there.
    struct TPixelProbe {
        int X, Y;
        TColor Color;
    };
    void ExpectPixels(TControl* C, const std::vector<TPixelProbe>& Probes) {
        for (const TPixelProbe& p : Probes)
            EXPECT_THAT(At(C, p.X, p.Y), colortest::IsColor(Ref(p.Color)))
                << "at (" << p.X << ", " << p.Y << ")";
    }
};

} // namespace stdtest
