// A sheet of every drawing routine and appearance in four presets, written as a PNG to look at.

#include "components/toolbar/styler/ToolBarDraw.h"
#include "platform/vcl/Image.h"
#include "tests/toolbar/ToolBarTestSupport.h"

namespace toolbartest {
namespace {

using namespace AdvToolBarStylers;

// One preset's column: each routine fed from the styler's appearances.
void DrawColumn(TCanvas* C, TCustomAdvToolBarStyler* S, int X, const String& Title) {
    const int w = 240;
    C->Brush()->SetColor(clWhite);
    C->Font()->SetColor(clBlack);
    C->TextOut(X, 4, Title);
    int y = 24;
    // The dock and toolbar gradients and an etched grip.
    DrawGradient(C, S->DockColor()->Color(), S->DockColor()->ColorTo(), S->DockColor()->Steps(),
                 TRect{X, y, X + w, y + 28}, S->DockColor()->Direction() == gdHorizontal);
    DrawGradient(C, S->Color()->Color(), S->Color()->ColorTo(), S->Color()->Steps(),
                 TRect{X + 8, y + 3, X + 180, y + 25}, S->Color()->Direction() == gdHorizontal);
    Draw3DEdgeLines(C, TPoint{X + 13, y + 6}, TPoint{X + 13, y + 21}, true, true);
    y += 34;
    // Glow-button faces in a group: normal, hot, down.
    auto* g = S->GlowButtonAppearance();
    const AdvGlowButton::TGlowColorSet sets[] = {g->NormalColors(), g->HotColors(), g->DownColors()};
    const TVistaButtonPosition pos[] = {TVistaButtonPosition::Left, TVistaButtonPosition::Middle,
                                        TVistaButtonPosition::Right};
    for (int i = 0; i < 3; ++i) {
        const auto& s = sets[i];
        DrawVistaButton(C, TRect{X + i * 60, y, X + i * 60 + 60, y + 24}, s.Color, s.ColorTo, s.ColorMirror,
                        s.ColorMirrorTo, s.BorderColor, s.Gradient, s.GradientMirror, false, false, pos[i]);
    }
    const auto hot = g->HotColors();
    DrawVistaButton(C, TRect{X + w - 60, y, X + w, y + 24}, hot.Color, hot.ColorTo, hot.ColorMirror,
                    hot.ColorMirrorTo, hot.BorderColor, hot.Gradient, hot.GradientMirror, false, false,
                    TVistaButtonPosition::Single);
    y += 30;
    // Tabs: normal background, a hot and a selected tab.
    auto* t = S->TabAppearance();
    DrawGradient(C, t->BackGround()->Color(),
                 t->BackGround()->ColorTo() == clNone ? t->BackGround()->Color() : t->BackGround()->ColorTo(),
                 64, TRect{X, y, X + w, y + 26}, false);
    DrawVistaGradient(C, TRect{X + 6, y + 4, X + 86, y + 26}, t->ColorSelected(), t->ColorSelectedTo(),
                      t->ColorMirrorSelected(), t->ColorMirrorSelectedTo(), t->BorderColorSelected(),
                      t->GradientSelected(), t->GradientMirrorSelected(), "", nullptr, true, false,
                      AdvGDIP::aaNone, true);
    DrawVistaGradient(C, TRect{X + 90, y + 4, X + 170, y + 26}, t->ColorHot(), t->ColorHotTo(),
                      t->ColorMirrorHot(), t->ColorMirrorHotTo(), t->BorderColorHot(), t->GradientHot(),
                      t->GradientMirrorHot(), "", nullptr, true, false, AdvGDIP::aaNone, true);
    TRect r;
    C->Font()->SetColor(t->TextColorSelected());
    DrawGDIPTextTrimmed(C, taCenter, TRect{X + 6, y + 4, X + 86, y + 26}, "Home", "", C->Font(), true, true,
                        AdvGDIP::aaAntiAlias, r);
    C->Font()->SetColor(t->TextColorHot());
    DrawGDIPTextTrimmed(C, taCenter, TRect{X + 90, y + 4, X + 170, y + 26}, "Insert", "", C->Font(), true,
                        true, AdvGDIP::aaNone, r);
    y += 26;
    // The page under the tabs, with a group on it.
    auto* p = S->PageAppearance();
    DrawVistaGradient(C, TRect{X, y, X + w, y + 70}, p->Color(), p->ColorTo(), p->ColorMirror(),
                      p->ColorMirrorTo(), p->BorderColor(), p->Gradient(), p->GradientMirror(), "", nullptr,
                      true, false, AdvGDIP::aaNone, S->RoundedPageCorners());
    auto* grp = S->GroupAppearance();
    DrawVistaGradient(C, TRect{X + 6, y + 6, X + 120, y + 64}, grp->Color(), grp->ColorTo(),
                      grp->ColorMirror(), grp->ColorMirrorTo(), grp->BorderColor(), grp->Gradient(),
                      grp->GradientMirror(), "", nullptr, true, false, AdvGDIP::aaNone, true);
    auto* gc = grp->CaptionAppearance();
    DrawGradient(C, gc->CaptionColor(),
                 gc->CaptionColorTo() == clNone ? gc->CaptionColor() : gc->CaptionColorTo(), 16,
                 TRect{X + 7, y + 48, X + 119, y + 63}, false);
    C->Font()->SetColor(grp->TextColor());
    DrawGDIPText(C, taCenter, 0, TRect{X + 7, y + 48, X + 119, y + 63}, "Clipboard group caption", "",
                 C->Font(), true, true, AdvGDIP::aaAntiAlias, true, false, r);
    y += 76;
    // The pager caption with its caption-button glyphs.
    auto* pc = S->PagerCaption();
    DrawVistaGradient(C, TRect{X, y, X + w, y + 22}, pc->Color(), pc->ColorTo(), pc->ColorMirror(),
                      pc->ColorMirrorTo(), pc->BorderColor(), pc->Gradient(), pc->GradientMirror(), "",
                      nullptr, true, false, AdvGDIP::aaNone, false);
    const TColor ink = pc->TextColor() == clNone ? clBlack : pc->TextColor();
    DrawMinimizeGlyph(C, TRect{X + w - 70, y + 3, X + w - 54, y + 19}, ink, true);
    DrawMaximizeGlyph(C, TRect{X + w - 52, y + 3, X + w - 36, y + 19}, ink, true);
    DrawRestoreGlyph(C, TRect{X + w - 34, y + 3, X + w - 18, y + 19}, ink, true);
    DrawCloseGlyph(C, TRect{X + w - 16, y + 3, X + w, y + 19}, ink, 7);
    y += 28;
    // A floating toolbar caption, the quick access toolbar and a blend strip.
    auto* cap = S->CaptionAppearance();
    DrawGradient(C, cap->CaptionColor(),
                 cap->CaptionColorTo() == clNone ? cap->CaptionColor() : cap->CaptionColorTo(), 32,
                 TRect{X, y, X + 120, y + 16}, false);
    C->Brush()->SetStyle(bsClear);
    C->Font()->SetColor(cap->CaptionTextColor());
    C->TextOut(X + 4, y + 1, "Floating");
    auto* q = S->QATAppearance();
    DrawGradient(C, q->Color(), q->ColorTo(), q->Steps(), TRect{X + 126, y, X + w, y + 16}, false);
    y += 22;
    for (int i = 0; i <= 10; ++i) {
        C->Brush()->SetColor(BlendColor(S->DockColor()->Color(), S->RightHandleColorTo(), i * 10));
        C->FillRect(TRect{X + i * 22, y, X + i * 22 + 22, y + 12});
    }
    y += 18;
    // Vertical captions as on a toolbar docked at a side.
    C->Font()->SetOrientation(2700);
    C->Font()->SetColor(clBlack);
    C->Brush()->SetStyle(bsClear);
    DrawVerticalText(C, "&Vertical", TPoint{X + 20, y});
    C->Font()->SetOrientation(0);
}

class StylerSheetTest : public ToolBarTest {};

TEST_F(StylerSheetTest, EveryRoutineAndAppearanceInFourPresetsMakesASheet) {
    form->SetBounds(0, 0, 1010, 420);
    auto* image = Make<TImage>("Sheet", form.get());
    image->SetBounds(0, 0, 1010, 400);
    TBitmap* bmp = image->Picture()->Bitmap();
    bmp->SetSize(1010, 400);
    bmp->Canvas()->Brush()->SetColor(clWhite);
    bmp->Canvas()->FillRect(TRect{0, 0, 1010, 400});
    const std::pair<TToolBarStyle, const char*> presets[] = {{bsOffice2003Blue, "Office 2003 Blue"},
                                                             {bsOffice2007Luna, "Office 2007 Luna"},
                                                             {bsOffice2007Obsidian, "Office 2007 Obsidian"},
                                                             {bsWindowsXP, "Windows XP"}};
    int x = 8;
    for (const auto& [style, title] : presets) {
        auto* s = Make<TAdvToolBarOfficeStyler>(String("S") + std::to_string(x));
        s->SetToolBarStyle(style);
        DrawColumn(bmp->Canvas(), s, x, title);
        x += 252;
    }
    // A probe that the sheet holds the Luna dock colour where its column starts.
    EXPECT_COLOR(bmp->Canvas()->GetPixel(260 + 2, 26), 0xEDD8C7);
    form->Show();
    EXPECT_TRUE(ui.WritePng(form.get(), uitest::UiDriver::OutputPath("ToolBarStylerSheet.png")));
}

} // namespace
} // namespace toolbartest
