// The toolbar's own painting probed pixel by pixel: the drag grip in each style, the right handle in
// its three states with the chevron that shows while controls are hidden; and a sheet of dock panels
// on all four edges in four looks, written as pictures to look at.

#include "tests/toolbar/ToolBarTestSupport.h"

#include "components/foundation/AdvGlowButton.h"
#include "components/toolbar/dock/ToolBarContainer.h"
#include "platform/vcl/Edit.h"
#include "platform/vcl/Panel.h"
#include "platform/win/Messages.h"
#include "platform/win/Window.h"

namespace toolbartest {
namespace {

class ToolBarPaintTest : public ToolBarTest {
protected:
    // A toolbar fixed on the form, flat white, no border, square corners: only what is probed shows.
    TAdvToolBar* PlainBar(TDockAlign Position, TDragGripStyle Grip) {
        auto* bar = Make<TAdvToolBar>("Bar", form.get());
        TCustomAdvToolBarStyler* s = bar->InternalStyler();
        s->Color()->SetColor(clWhite);
        s->Color()->SetColorTo(clNone);
        s->SetBorderColor(clNone);
        s->SetRoundEdges(false);
        s->SetDragGripStyle(Grip);
        bar->SetPosition(Position);
        bar->SetBounds(10, 10, Position == daTop ? 120 : 26, Position == daTop ? 26 : 120);
        form->Show();
        return bar;
    }
};

struct GripProbe {
    const char* Rule;
    TDragGripStyle Style;
    TDockAlign Position;
    int X, Y;
    TColor Expected;
};

TEST_F(ToolBarPaintTest, EachGripStyleDrawsItsDotsOrLinesInTheGripStrip) {
    const TColor flat = static_cast<TColor>(win::RGB(165, 165, 165));
    // The grip rect starts at (1, 1); a horizontal toolbar's grip runs down, a vertical one's across.
    const GripProbe probes[] = {
        {"first dot: shadow square at (l+3, t+4)", dsDots, daTop, 4, 5, clBtnShadow},
        {"the shadow square covers the white one where they overlap", dsDots, daTop, 5, 6, clBtnShadow},
        {"the white square shows below and right of it", dsDots, daTop, 6, 7, clWhite},
        {"second dot four pixels lower", dsDots, daTop, 4, 9, clBtnShadow},
        {"vertical: the dots run across", dsDots, daLeft, 9, 4, clBtnShadow},
        {"flat dots: a grey dash every second line", dsFlatDots, daTop, 4, 5, flat},
        {"flat dots: white between dashes", dsFlatDots, daTop, 4, 6, clWhite},
        {"flat dots, vertical: dashes stand upright", dsFlatDots, daLeft, 5, 4, flat},
        {"single line: shadow side", dsSingleLine, daTop, 4, 10, clBtnShadow},
        {"single line: white side", dsSingleLine, daTop, 6, 10, clWhite},
        {"double line: the first at l+2", dsDoubleLine, daTop, 2, 10, clBtnShadow},
        {"double line: the second at l+5", dsDoubleLine, daTop, 5, 10, clBtnShadow},
        {"no grip: the body only", dsNone, daTop, 4, 5, clWhite},
    };
    for (const GripProbe& p : probes) {
        SCOPED_TRACE(p.Rule);
        TAdvToolBar* bar = PlainBar(p.Position, p.Style);
        EXPECT_EQ(Hex(At(bar, p.X, p.Y)), Hex(Ref(p.Expected)));
        delete bar;
    }
}

TEST_F(ToolBarPaintTest, TheRightHandleShowsItsStateColoursAndAChevronWhileControlsAreHidden) {
    auto* panel = Make<TAdvDockPanel>("Panel", form.get());
    TCustomAdvToolBarStyler* s = panel->InternalStyler();
    s->SetRoundEdges(false);
    s->SetRightHandleColor(clRed);
    s->SetRightHandleColorTo(clNone);
    s->SetRightHandleColorHot(clLime);
    s->SetRightHandleColorHotTo(clNone);
    s->SetRightHandleColorDown(clBlue);
    s->SetRightHandleColorDownTo(clNone);
    auto* bar = Make<TAdvToolBar>("Bar", panel);
    bar->SetShowOptionIndicator(false);
    for (int i = 0; i < 4; ++i)
        Block("C" + std::to_string(i), bar);
    form->Show();
    ui.Process();
    // Square corners: the handle is (Width - 15, 1, Width - 1, Height - 1), its body from 3 pixels in.
    const int x = bar->Width() - 5;
    const int y = bar->Height() - 4;
    EXPECT_EQ(Hex(At(bar, x, y)), Hex(Ref(clRed)));
    // All controls show: no chevron.
    EXPECT_EQ(Hex(At(bar, bar->Width() - 15 + 8, 1 + 3)), Hex(Ref(clRed)));
    ui.MoveTo(bar, x, y);
    EXPECT_EQ(Hex(At(bar, x, y)), Hex(Ref(clLime)));
    win::SendMessage(bar->Handle(), win::WM_LBUTTONDOWN, win::MK_LBUTTON, win::MAKELPARAM(x, y));
    EXPECT_EQ(Hex(At(bar, x, y)), Hex(Ref(clBlue)));
    win::SendMessage(bar->Handle(), win::WM_LBUTTONUP, 0, win::MAKELPARAM(x, y));
    // Shorter than its controls: the flat chevron's first stroke starts at (l + 8, t + 3).
    Length(bar, 100);
    ASSERT_GT(bar->HiddenControlCount(), 0);
    ASSERT_GT(bar->CanExpand(), 0);
    ui.MoveTo(panel, 2, panel->Height() - 1);
    EXPECT_EQ(Hex(At(bar, bar->Width() - 15 + 8, 1 + 3)), Hex(Ref(clBlack)));
}

TEST_F(ToolBarPaintTest, TheRoundedBorderRunsAlongTheOutermostPixelsWithTheDockInItsCorners) {
    auto* panel = Make<TAdvDockPanel>("Panel", form.get());
    TCustomAdvToolBarStyler* s = panel->InternalStyler();
    constexpr TColor dock = 0x30A030, body = 0xF0F0F0, border = 0x2020C0, strip = 0xC08040;
    s->DockColor()->SetColor(dock);
    s->DockColor()->SetColorTo(clNone);
    s->Color()->SetColor(body);
    s->Color()->SetColorTo(clNone);
    s->SetBorderColor(border);
    s->SetRoundEdges(true);
    s->SetDragGripStyle(dsNone);
    s->CaptionAppearance()->SetCaptionColor(strip);
    s->CaptionAppearance()->SetCaptionColorTo(clNone);
    s->CaptionAppearance()->SetCaptionBorderColor(clNone);
    auto* bar = Make<TAdvToolBar>("Bar", panel);
    bar->SetShowRightHandle(false);
    Block("C0", bar);
    form->Show();
    ui.Process();
    const int w = bar->Width(), h = bar->Height();
    EXPECT_COLOR(At(bar, w / 2, h - 1), Ref(border)) << "the bottom side on the last row";
    EXPECT_COLOR(At(bar, w - 1, h / 2), Ref(border)) << "the right side on the last column";
    EXPECT_COLOR(At(bar, w / 2, 0), Ref(border));
    for (TPoint corner : {TPoint{0, 0}, TPoint{w - 1, 0}, TPoint{0, h - 1}, TPoint{w - 1, h - 1}})
        EXPECT_COLOR(At(bar, corner.X, corner.Y), Ref(dock)) << corner.X << ", " << corner.Y;
    // With a caption strip at the top the border goes round the strip too.
    bar->SetShowCaption(true);
    ui.Process();
    EXPECT_COLOR(At(bar, bar->Width() / 2, 0), Ref(border));
    EXPECT_COLOR(At(bar, bar->Width() / 2, bar->CaptionHeight() / 2), Ref(strip));
    EXPECT_COLOR(At(bar, 0, 0), Ref(dock));
}

TEST_F(ToolBarPaintTest, DockPanelsOnAllFourEdgesWithEveryKindOfButtonInFourLooks) {
    using namespace AdvToolBarStylers;
    const std::pair<const char*, TToolBarStyle> looks[] = {{"Office2007Luna", bsOffice2007Luna},
                                                           {"Office2003Blue", bsOffice2003Blue},
                                                           {"Office2007Obsidian", bsOffice2007Obsidian},
                                                           {"WindowsXP", bsWindowsXP}};
    // A 16 x 16 glyph: a filled square on a magenta key colour (the bottom-left pixel).
    TBitmap glyph(16, 16);
    glyph.Canvas()->Brush()->SetColor(static_cast<TColor>(win::RGB(255, 0, 255)));
    glyph.Canvas()->FillRect(TRect{0, 0, 16, 16});
    glyph.Canvas()->Brush()->SetColor(static_cast<TColor>(win::RGB(40, 110, 200)));
    glyph.Canvas()->FillRect(TRect{3, 2, 13, 13});
    for (auto [name, look] : looks) {
        SCOPED_TRACE(name);
        TComponentPtr<TCustomForm> f(TCustomForm::CreateNew(nullptr));
        f->SetBounds(20, 20, 900, 600);
        f->SetCaption(String("Dock panels: ") + name);
        auto* styler = new TAdvToolBarOfficeStyler(f.get());
        styler->SetToolBarStyle(look);
        int serial = 0;
        auto make = [&](auto* C, TWinControl* Parent) {
            C->SetName("C" + std::to_string(++serial));
            C->SetParent(Parent);
            return C;
        };
        auto panel = [&](TDockAlign Side) {
            auto* p = make(new TAdvDockPanel(f.get()), f.get());
            p->SetAlign(Side);
            p->SetToolBarStyler(styler);
            return p;
        };
        auto toolbar = [&](TAdvDockPanel* P, int Buttons) {
            auto* t = make(new TAdvToolBar(f.get()), P);
            for (int i = 0; i < Buttons; ++i) {
                if (i == 2) make(new TAdvToolBarSeparator(f.get()), t);
                auto* b = new AdvGlowButton::TAdvGlowButton(f.get());
                b->SetCaption(P->IsHorizontal() ? "Item " + std::to_string(i + 1)
                                                : "V" + std::to_string(i + 1));
                b->SetBounds(0, 0, 52, 22);
                make(b, t);
            }
            return t;
        };
        // A toolbar button with the glyph and its caption shown.
        auto button = [&](TAdvToolBar* T, const String& Caption) {
            auto* b = make(new TAdvToolBarButton(f.get()), T);
            b->SetGlyph(&glyph);
            b->SetCaption(Caption);
            b->SetShowCaption(true);
            return b;
        };
        TAdvDockPanel* top = panel(daTop);
        toolbar(top, 5);
        TAdvToolBar* second = toolbar(top, 3);
        top->Rows()->MoveToolBarToRow(second, 0);
        TAdvToolBar* captioned = toolbar(top, 4);
        captioned->SetShowCaption(true);
        captioned->SetCaption("Caption strip");
        // Every kind of toolbar button in every state, the tallest first so that the toolbar is as
        // thick as it gets before the others size.
        TAdvToolBar* kinds = toolbar(top, 0);
        button(kinds, "Top")->SetGlyphPosition(gpTop);
        button(kinds, "Normal");
        TAdvToolBarButton* hot = button(kinds, "Hot");
        button(kinds, "Pressed")->SetState(absDown);
        auto* checked = button(kinds, "Checked");
        checked->SetStyle(tasCheck);
        checked->SetDown(true);
        auto* grouped = button(kinds, "Group");
        grouped->SetGroupIndex(1);
        grouped->SetDown(true);
        button(kinds, "Disabled")->SetEnabled(false);
        make(new TAdvToolBarSeparator(f.get()), kinds);
        button(kinds, "Drop")->SetDropDownButton(true);
        auto* m = make(new TAdvToolBarMenuButton(f.get()), kinds);
        m->SetCaption("File");
        m->SetShowCaption(true);
        auto* glowMenu = make(new TAdvGlowMenuButton(f.get()), kinds);
        glowMenu->SetCaption("");
        EXPECT_EQ(glowMenu->Width(), 32);
        EXPECT_TRUE(glowMenu->DropDownButton());
        TAdvDockPanel* bottom = panel(daBottom);
        // A row too short for its toolbars: the one nearest the row's end gives up its last buttons,
        // which wait behind its right handle.
        toolbar(bottom, 15);
        TAdvToolBar* crowded = toolbar(bottom, 2);
        bottom->Rows()->MoveToolBarToRow(crowded, 0);
        // On the left, turned captions and the drop-down part at the bottom.
        TAdvToolBar* side = toolbar(panel(daLeft), 4);
        for (TGlyphPosition pos : {gpLeft, gpTop, gpRight, gpBottom})
            button(side, "Side")->SetGlyphPosition(pos);
        make(new TAdvToolBarSeparator(f.get()), side);
        auto* sideDrop = make(new TAdvToolBarButton(f.get()), side);
        sideDrop->SetGlyph(&glyph);
        sideDrop->SetDropDownButton(true);
        TAdvDockPanel* right = panel(daRight);
        toolbar(right, 3);
        toolbar(right, 2);
        auto* container = new TAdvToolBarContainer(f.get());
        container->SetBounds(0, 0, 110, 24);
        make(container, top->GetAdvToolBars(0));
        f->Show();
        hot->SetHot(true);
        ui.Process();
        EXPECT_GT(crowded->HiddenControlCount(), 0);
        EXPECT_TRUE(
            ui.WritePng(f.get(), uitest::UiDriver::OutputPath(String("DockPanels_") + name + ".png")));
    }
}
} // namespace
} // namespace toolbartest
