// The glow button's kept face: a face painted from a kept copy is the face painted afresh, pixel for
// pixel, after any change of what it is painted from; and on a button, a change of caption, colours,
// size, state or font shows in the next paint.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "components/foundation/AdvGlowButton.h"
#include "components/foundation/AdvGlowButtonFace.h"
#include "platform/vcl/ImgList.h"
#include "platform/win/Gdi.h"
#include "tests/support/UiDriver.h"

namespace {

using namespace vcl;
using namespace AdvGlowButton;

// A bitmap of the given colour.
std::unique_ptr<TBitmap> Canvas32(int W, int H, TColor Fill) {
    auto bmp = std::make_unique<TBitmap>(W, H);
    bmp->SetPixelFormat(pf32bit);
    bmp->Canvas()->Brush()->SetColor(Fill);
    bmp->Canvas()->FillRect(TRect{0, 0, W, H});
    return bmp;
}

// The first pixel where two bitmaps differ, as text ("" when none does).
std::string FirstDifference(TBitmap& A, TBitmap& B) {
    if (A.Width() != B.Width() || A.Height() != B.Height()) return "sizes differ";
    const std::uint32_t* a = A.PixelData();
    const std::uint32_t* b = B.PixelData();
    for (int y = 0; y < A.Height(); ++y)
        for (int x = 0; x < A.Width(); ++x) {
            const std::uint32_t pa = a[y * A.Width() + x] & 0xFFFFFF, pb = b[y * A.Width() + x] & 0xFFFFFF;
            if (pa != pb) {
                char text[80];
                std::snprintf(text, sizeof text, "at (%d, %d): %06X kept, %06X afresh", x, y, pa, pb);
                return text;
            }
        }
    return "";
}

class GlowFaceCacheDraw : public uitest::UiTest {
protected:
    void SetUp() override {
        font.SetName("DejaVu Sans");
        font.SetSize(9);
        notesFont.SetName("DejaVu Sans");
        notesFont.SetSize(7);
        in.R = TRect{0, 0, 120, 44};
        in.Color = 0xF7E4D2;
        in.ColorTo = 0xEFD3B7;
        in.ColorMirror = 0xE8C9A8;
        in.ColorMirrorTo = 0xF2DCC4;
        in.BorderColor = 0x9C6B3A;
        in.Caption = "Section";
        in.Font = &font;
        in.NotesFont = &notesFont;
    }
    // Paints In twice over a canvas of Fill, clipped to In.R as a button's own is: once through the kept
    // face, once afresh. They must agree, and the canvas's font and brush must be left alike.
    void ExpectAlike(const char* Change, TColor Fill = 0x00C000) {
        SCOPED_TRACE(Change);
        const int w = in.R.Right + 4, h = in.R.Bottom + 4;
        auto kept = Canvas32(w, h, Fill);
        auto fresh = Canvas32(w, h, Fill);
        for (TBitmap* b : {kept.get(), fresh.get()})
            win::IntersectClipRect(b->Canvas()->Handle(), in.R.Left, in.R.Top, in.R.Right, in.R.Bottom);
        TGlowDrawInput a = in;
        a.Canvas = kept->Canvas();
        a.FaceCache = &cache;
        const TSize sa = DrawGlowButton(a);
        TGlowDrawInput b = in;
        b.Canvas = fresh->Canvas();
        const TSize sb = DrawGlowButton(b);
        EXPECT_EQ(sa, sb);
        EXPECT_EQ(FirstDifference(*kept, *fresh), "");
        EXPECT_EQ(kept->Canvas()->Font()->Name(), fresh->Canvas()->Font()->Name());
        EXPECT_EQ(kept->Canvas()->Font()->Color(), fresh->Canvas()->Font()->Color());
        EXPECT_EQ(kept->Canvas()->Font()->Height(), fresh->Canvas()->Font()->Height());
        EXPECT_EQ(kept->Canvas()->Brush()->Style(), fresh->Canvas()->Brush()->Style());
    }
    TFont font, notesFont;
    TGlowDrawInput in;
    TGlowFaceCache cache;
};

// Every step changes one thing the face is painted from; each is painted through the same cache, so a
// face kept from the step before that were wrongly reused would show.
TEST_F(GlowFaceCacheDraw, EveryChangePaintsLikeAFreshFace) {
    const std::vector<std::pair<const char*, std::function<void()>>> steps = {
        {"first paint", [] {}},
        {"the same again", [] {}},
        {"caption", [&] { in.Caption = "Other"; }},
        {"caption only in the wide one",
         [&] {
             in.Caption.clear();
             in.WideCaption = "Wide";
         }},
        {"upper colour", [&] { in.Color = 0x3060C0; }},
        {"lower colour", [&] { in.ColorMirrorTo = 0x103010; }},
        {"border colour", [&] { in.BorderColor = 0x0000FF; }},
        {"gradient kind", [&] { in.GradientMirror = ggRadial; }},
        {"font colour", [&] { font.SetColor(0x0000C0); }},
        {"font style", [&] { font.SetStyle(TFontStyles{fsBold}); }},
        {"font size", [&] { font.SetSize(12); }},
        {"narrower", [&] { in.R.Right = 90; }},
        {"taller", [&] { in.R.Bottom = 60; }},
        {"moved in the canvas",
         [&] {
             in.R = TRect{3, 2, 93, 62};
         }},
        {"disabled", [&] { in.Enabled = false; }},
        {"enabled, focused",
         [&] {
             in.Enabled = true;
             in.Focused = true;
         }},
        {"hot in a group's middle",
         [&] {
             in.Position = bpMiddle;
             in.Hot = true;
         }},
        {"square corners", [&] { in.Rounded = false; }},
        {"split drop-down part",
         [&] {
             in.DropDownButton = true;
             in.Emphasised = true;
             in.DropDownPartState = 1;
         }},
        {"over the drop-down part", [&] { in.DropDownPartState = 2; }},
        {"drop-down part below", [&] { in.DropDownPosition = dpBottom; }},
        {"glyph on top", [&] { in.Layout = blGlyphTop; }},
        {"no border", [&] { in.DrawBorder = false; }},
        {"no anti-aliasing (GDI text)", [&] { in.AntiAlias = AdvGDIP::aaNone; }},
        {"GDI text, disabled", [&] { in.Enabled = false; }},
        {"no wrapping", [&] { in.WordWrap = false; }},
    };
    for (const auto& [change, apply] : steps) {
        apply();
        ExpectAlike(change);
    }
}

// Notes under the caption (and their font), and a transparent face at rest, which is never kept: what
// lies under it shows.
TEST_F(GlowFaceCacheDraw, NotesAndTransparentFaces) {
    TStringList notes;
    notes.Add("first line");
    in.Notes = &notes;
    ExpectAlike("notes");
    notes.Add("second line");
    ExpectAlike("a line more");
    notesFont.SetColor(0x008080);
    ExpectAlike("notes font colour");
    in.AntiAlias = AdvGDIP::aaNone;
    ExpectAlike("notes in GDI text");
    in.Notes = nullptr;
    in.SkipBackground = true;
    ExpectAlike("transparent, over green", 0x00C000);
    ExpectAlike("transparent, over blue", 0xC00000);
}

// The glyph is drawn over the kept face at every paint: a picture changed in its list shows even though
// nothing else did.
TEST_F(GlowFaceCacheDraw, AGlyphChangedInItsListShows) {
    TImageList images(nullptr);
    TBitmap red(16, 16);
    red.Canvas()->Brush()->SetColor(0x0000FF);
    red.Canvas()->FillRect(TRect{0, 0, 16, 16});
    images.Add(&red, nullptr);
    in.Images = &images;
    in.ImageIndex = 0;
    in.Caption.clear();
    ExpectAlike("red glyph");
    TBitmap blue(16, 16);
    blue.Canvas()->Brush()->SetColor(0xFF0000);
    blue.Canvas()->FillRect(TRect{0, 0, 16, 16});
    images.Replace(0, &blue, nullptr);
    ExpectAlike("blue glyph, same list and index");
    in.Caption = "With text";
    ExpectAlike("glyph and caption");
}

// On a button on a form: each change shows in the next paint, as on a button made with the change.
class GlowFaceCacheButton : public uitest::UiTest {
protected:
    void SetUp() override {
        form.reset(TCustomForm::CreateNew(nullptr));
        form->SetBounds(0, 0, 400, 300);
        form->SetColor(0x00C000);
    }
    TAdvGlowButton* Make(int Top) {
        auto* b = new TAdvGlowButton(form.get());
        b->SetParent(form.get());
        b->SetBounds(20, Top, 120, 40);
        b->SetCaption("Section");
        return b;
    }
    win::COLORREF Px(TControl* B, int X, int Y) {
        const TPoint o = B->ClientToScreen(TPoint{0, 0});
        const TRect wr = form->BoundsRect();
        return ui.Screen().WindowPixel(form->Handle(), o.X - wr.Left + X, o.Y - wr.Top + Y);
    }
    // The two buttons show the same pixels ("" when they do).
    std::string Compare(TControl* A, TControl* B) {
        if (A->Width() != B->Width() || A->Height() != B->Height()) return "sizes differ";
        for (int y = 0; y < A->Height(); ++y)
            for (int x = 0; x < A->Width(); ++x)
                if (Px(A, x, y) != Px(B, x, y)) {
                    char text[80];
                    std::snprintf(text, sizeof text, "at (%d, %d): %06X changed, %06X made so", x, y,
                                  static_cast<unsigned>(Px(A, x, y)), static_cast<unsigned>(Px(B, x, y)));
                    return text;
                }
        return "";
    }
    TComponentPtr<TCustomForm> form;
};

TEST_F(GlowFaceCacheButton, ChangesShowInTheNextPaint) {
    TAdvGlowButton* changed = Make(20);
    form->Show();
    ui.Process();
    const win::COLORREF before = Px(changed, 60, 8);

    changed->SetCaption("Renamed");
    changed->Appearance()->SetColor(0x2040A0);
    changed->Font()->SetColor(0xFFFFFF);
    changed->SetBounds(20, 20, 140, 46);
    ui.Process();
    EXPECT_NE(Px(changed, 60, 8), before);

    TAdvGlowButton* made = Make(120);
    made->SetCaption("Renamed");
    made->Appearance()->SetColor(0x2040A0);
    made->Font()->SetColor(0xFFFFFF);
    made->SetBounds(20, 120, 140, 46);
    ui.Process();
    EXPECT_EQ(Compare(changed, made), "");

    changed->SetEnabled(false);
    made->SetEnabled(false);
    ui.Process();
    EXPECT_EQ(Compare(changed, made), "");
    changed->SetEnabled(true);
    ui.Process();
    EXPECT_NE(Compare(changed, made), "") << "the enabled look came back";
}

TEST_F(GlowFaceCacheButton, TheCornersShowTheParentAsItIsPaintedNow) {
    TAdvGlowButton* top = Make(20);
    TAdvGlowButton* below = Make(80);
    form->Show();
    ui.Process();
    // The rounded corners show the form: the top-left corner of one, the bottom-right of the other.
    EXPECT_EQ(Px(top, 0, 0), win::RGB(0, 0xC0, 0));
    EXPECT_EQ(Px(below, 119, 39), win::RGB(0, 0xC0, 0));
    // The form changes: a button painted after that shows the form's new colour, and so does its
    // neighbour painted with it, each as a button made after the change.
    form->SetColor(0x2030A0);
    ui.Process();
    top->Repaint();
    below->Repaint();
    EXPECT_EQ(Px(top, 0, 0), win::RGB(0xA0, 0x30, 0x20));
    EXPECT_EQ(Px(below, 119, 39), win::RGB(0xA0, 0x30, 0x20));
    TAdvGlowButton* made = Make(140);
    ui.Process();
    EXPECT_EQ(Compare(top, made), "");
    // Moved on the form, a button shows the form where it is now.
    form->SetColor(0x00C000);
    ui.Process();
    top->SetBounds(200, 20, 120, 40);
    ui.Process();
    top->Repaint();
    EXPECT_EQ(Px(top, 0, 0), win::RGB(0, 0xC0, 0));
}

} // namespace
