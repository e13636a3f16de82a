// Toolbar button sizes by table on horizontal and vertical toolbars, pixel probes of its faces (hot,
// pressed, checked, transparent, the drop-down split).

#include "tests/support/ColorMatch.h"
#include "tests/toolbar/ToolBarTestSupport.h"

#include <algorithm>

#include "platform/win/Gdi.h"

namespace toolbartest {
namespace {

using namespace AdvToolBarStylers;

// A 16 x 16 glyph: a filled square on a magenta key colour (the bottom-left pixel).
void MakeGlyph(TBitmap& B, TColor Fill) {
    B.SetSize(16, 16);
    B.Canvas()->Brush()->SetColor(static_cast<TColor>(win::RGB(255, 0, 255)));
    B.Canvas()->FillRect(TRect{0, 0, 16, 16});
    B.Canvas()->Brush()->SetColor(Fill);
    B.Canvas()->FillRect(TRect{3, 2, 13, 13});
}

// Caption width and text height as a canvas measures them in Font.
int TextWidthIn(TFont* Font, const String& S) {
    TBitmap b(1, 1);
    b.Canvas()->SetFont(Font);
    return b.Canvas()->TextWidth(S);
}
int TextHeightIn(TFont* Font) {
    TBitmap b(1, 1);
    b.Canvas()->SetFont(Font);
    return b.Canvas()->TextHeight("gh");
}

class ToolBarButtonPaintTest : public ToolBarTest {
protected:
    void Dock(TDockAlign Side) {
        panel = Make<TAdvDockPanel>("Panel", form.get());
        panel->SetAlign(Side);
        bar = Make<TAdvToolBar>("Bar", panel);
    }
    TAdvToolBarButton* Button(const String& Name) { return Make<TAdvToolBarButton>(Name, bar); }
    void Show() {
        form->Show();
        ui.Process();
    }
    // What the toolbar paints itself at a client point of one of its controls.
    win::COLORREF ToolBarPixel(TControl* C, int X, int Y) {
        TBitmap own(bar->Width(), bar->Height());
        win::HDC dc = own.Canvas()->Handle();
        bar->Perform(win::WM_ERASEBKGND, reinterpret_cast<win::WPARAM>(dc),
                     reinterpret_cast<win::LPARAM>(dc));
        bool was = C->Visible();
        C->SetVisible(false);
        bar->Perform(win::WM_PAINT, reinterpret_cast<win::WPARAM>(dc), 0);
        C->SetVisible(was);
        return own.Canvas()->GetPixel(C->Left() + X, C->Top() + Y) & 0xFFFFFF;
    }
    TFont* StylerFont() { return bar->CurrentStyler()->ButtonAppearance()->CaptionFont(); }

    TAdvDockPanel* panel = nullptr;
    TAdvToolBar* bar = nullptr;
};

TEST_F(ToolBarButtonPaintTest, SizesFollowImageCaptionAndGlyphPositionAlongAHorizontalToolBar) {
    Dock(daTop);
    TBitmap g;
    MakeGlyph(g, clRed);
    const int tw = TextWidthIn(StylerFont(), "Print"), th = TextHeightIn(StylerFont());
    // Each row on a toolbar of its own, 26 high when the button comes.
    const int across = std::max(th + 8, 26 - 4);
    struct Row {
        bool Glyph, Caption, DropDown;
        TGlyphPosition Pos;
        int Width, Height;
    };
    const Row rows[] = {
        {false, false, false, gpLeft, 15, across},     // nothing: the 15 pixel minimum
        {false, false, true, gpLeft, 15 + 12, across}, // plus the drop-down part
        {true, false, false, gpLeft, 16 + 8, std::max(16 + 8, across)},
        {true, true, false, gpLeft, 16 + 4 + tw + 8, std::max(16 + 8, across)},
        {true, true, false, gpRight, 16 + 4 + tw + 8, std::max(16 + 8, across)},
        {false, true, false, gpLeft, std::max(tw + 8, 15), across},
        {true, true, false, gpTop, std::max(16, tw) + 8, std::max(th + 16 + 4 + 8, 26 - 4)},
        {true, true, true, gpBottom, std::max(16, tw) + 8 + 12, std::max(th + 16 + 4 + 8, 26 - 4)},
    };
    int i = 0;
    for (const Row& r : rows) {
        bar = Make<TAdvToolBar>(String("Bar") + std::to_string(i), panel);
        ASSERT_EQ(bar->Height(), 26);
        auto* b = Button(String("B") + std::to_string(i++));
        if (r.Glyph) b->SetGlyph(&g);
        b->SetCaption("Print");
        b->SetShowCaption(r.Caption);
        b->SetGlyphPosition(r.Pos);
        b->SetDropDownButton(r.DropDown);
        EXPECT_EQ(b->Width(), r.Width) << "row " << i;
        EXPECT_EQ(b->Height(), r.Height) << "row " << i;
    }
}

TEST_F(ToolBarButtonPaintTest, OnAVerticalToolBarTheSizesTurn) {
    Dock(daLeft);
    TBitmap g;
    MakeGlyph(g, clRed);
    auto* b = Button("B");
    EXPECT_EQ(b->Position(), daLeft);
    b->SetGlyph(&g);
    EXPECT_EQ(b->Height(), 16 + 8);
    EXPECT_EQ(b->Width(), std::max({16 + 8, TextHeightIn(StylerFont()) + 8, bar->Width() - 4}));
    b->SetDropDownButton(true);
    EXPECT_EQ(b->Height(), 16 + 8 + 12);
}

TEST_F(ToolBarButtonPaintTest, HotAndPressedFacesTakeThePresetsButtonColours) {
    Dock(daTop);
    auto* styler = Make<TAdvToolBarOfficeStyler>("Styler");
    styler->SetToolBarStyle(bsOffice2007Luna);
    styler->SetToolBarStyle(bsOffice2003Blue);
    panel->SetToolBarStyler(styler);
    auto* b = Button("B");
    Show();
    ASSERT_EQ(bar->CurrentStyler(), styler);
    // Office 2003 Blue: hot 0xCCF4FF, down 0x4E91FE (the first band, just under the border).
    ui.MoveTo(b);
    ASSERT_TRUE(b->Hot());
    win::COLORREF hot = At(b, b->Width() / 2, 1);
    EXPECT_THAT(hot, colortest::IsColorNear(0xCCF4FF, 12));
    TPoint p = b->ClientToScreen(TPoint{b->Width() / 2, b->Height() / 2});
    ui.Screen().MoveMouse(p.X, p.Y);
    ui.Screen().Press();
    ui.Process();
    win::COLORREF down = At(b, b->Width() / 2, 1);
    EXPECT_THAT(down, colortest::IsColorNear(0x4E91FE, 12));
    ui.Screen().Release();
    ui.Process();
    // At rest a transparent button shows the toolbar.
    ui.MoveTo(form.get(), 300, 400);
    ui.Advance(5);
    EXPECT_COLOR(At(b, 2, b->Height() / 2), ToolBarPixel(b, 2, b->Height() / 2));
}

TEST_F(ToolBarButtonPaintTest, CheckedGroupedAndDisabledFacesByTheRules) {
    Dock(daTop);
    auto* b = Button("B");
    b->SetParentStyler(false);
    TButtonAppearance* a = b->Appearance();
    a->SetColorChecked(0x20A040);
    a->SetColorCheckedTo(clNone);
    a->SetColorDown(0x4040C0);
    a->SetColorDownTo(clNone);
    a->SetColorHot(0xE0E0E0);
    a->SetColorHotTo(clNone);
    a->SetBorderCheckedColor(clNone);
    Show();
    const int y = b->Height() / 2;
    // A down check button shows the checked colour, not the down colour.
    b->SetStyle(tasCheck);
    b->SetDown(true);
    EXPECT_COLOR(At(b, 2, y), 0x20A040);
    // The down member of a group: checked at rest, down while hot.
    b->SetDown(false);
    b->SetStyle(tasButton);
    b->SetGroupIndex(1);
    b->SetDown(true);
    EXPECT_EQ(b->State(), absExclusive);
    EXPECT_COLOR(At(b, 2, y), 0x20A040);
    b->SetHot(true); // only an up button turns hot
    EXPECT_FALSE(b->Hot());
    // Disabled and transparent: nothing but the toolbar; opaque: the own normal colour.
    b->SetAllowAllUp(true);
    b->SetDown(false);
    b->SetEnabled(false);
    // The toolbar's own body may have moved a step of its hover fade between the two pictures; a face of
    // the button's would differ by far more.
    EXPECT_THAT(At(b, 2, y), colortest::IsColorNear(ToolBarPixel(b, 2, y), 8));
    b->SetTransparent(false);
    a->SetColor(0x102030);
    a->SetColorTo(clNone);
    EXPECT_COLOR(At(b, 2, y), 0x102030);
}

TEST_F(ToolBarButtonPaintTest, TheDropDownSplitIsABorderLineOnlyWhenSplit) {
    Dock(daTop);
    auto* b = Button("B");
    b->SetParentStyler(false);
    b->Appearance()->SetColorHot(0xE0E0E0);
    b->Appearance()->SetColorHotTo(clNone);
    b->Appearance()->SetBorderColor(clNone);
    b->Appearance()->SetBorderHotColor(0x800000);
    b->SetDropDownButton(true);
    Show();
    b->SetHot(true);
    const int x = b->Width() - 12 - 1, y = b->Height() / 2;
    EXPECT_COLOR(At(b, x, y), 0x800000);
    EXPECT_COLOR(At(b, 0, y), 0x800000);
    b->SetDropDownSplit(false);
    b->Invalidate();
    EXPECT_COLOR(At(b, x, y), 0xE0E0E0);
    EXPECT_COLOR(At(b, b->Width() - 1, y), 0x800000);
    // The arrow: black, centred in the part (its widest row three pixels above the middle row).
    const int ax = b->Width() - 12 + (12 - 5) / 2, ay = (b->Height() - 3) / 2 + 1;
    EXPECT_COLOR(At(b, ax, ay), 0x000000);
    EXPECT_COLOR(At(b, ax + 2, ay + 2), 0x000000);
    EXPECT_COLOR(At(b, ax, ay + 2), 0xE0E0E0);
}

TEST_F(ToolBarButtonPaintTest, ADisabledCaptionIsEmbossed) {
    Dock(daTop);
    bar->CurrentStyler()->Color()->SetColor(0x3366CC);
    bar->CurrentStyler()->Color()->SetColorTo(0x3366CC);
    auto* b = Button("B");
    b->SetCaption("Disabled");
    b->SetShowCaption(true);
    Show();
    // Shadow-coloured pixels of the button painted on its own, and those with a highlight pixel one
    // right of and below them.
    auto count = [&](int& Shadow, int& Pairs) {
        Shadow = Pairs = 0;
        TBitmap face(b->Width(), b->Height());
        face.Canvas()->Brush()->SetColor(0x3366CC);
        face.Canvas()->FillRect(TRect{0, 0, b->Width(), b->Height()});
        b->Perform(win::WM_PAINT, reinterpret_cast<win::WPARAM>(face.Canvas()->Handle()), 0);
        TCanvas* c = face.Canvas();
        for (int y = 0; y + 1 < b->Height(); ++y)
            for (int x = 0; x + 1 < b->Width(); ++x)
                if ((c->GetPixel(x, y) & 0xFFFFFF) == Ref(clBtnShadow)) {
                    ++Shadow;
                    if ((c->GetPixel(x + 1, y + 1) & 0xFFFFFF) == Ref(clBtnHighlight)) ++Pairs;
                }
    };
    int shadow, pairs;
    count(shadow, pairs);
    EXPECT_EQ(shadow, 0);
    b->SetEnabled(false);
    count(shadow, pairs);
    EXPECT_GT(shadow, 0);
    EXPECT_GT(pairs, 0);
}

TEST_F(ToolBarButtonPaintTest, AMenuButtonWithoutAToolBarMenuLooksLikeAnyButton) {
    Dock(daTop);
    auto* styler = Make<TAdvToolBarOfficeStyler>("Styler");
    styler->SetToolBarStyle(bsOffice2003Silver);
    panel->SetToolBarStyler(styler);
    auto* plain = Button("Plain");
    auto* menu = Make<TAdvToolBarMenuButton>("Menu", bar);
    EXPECT_TRUE(menu->ParentStyler());
    EXPECT_EQ(menu->MenuStyler(), nullptr);
    Show();
    plain->SetHot(true);
    win::COLORREF plainHot = At(plain, 3, plain->Height() / 2);
    menu->SetHot(true);
    EXPECT_FALSE(plain->Hot());
    EXPECT_COLOR(At(menu, 3, menu->Height() / 2), plainHot);
    // Office 2003 Silver's button hot colour is 0xCCF4FF too.
    EXPECT_THAT(At(menu, menu->Width() / 2, 1), colortest::IsColorNear(0xCCF4FF, 12));
}

// A toolbar that publishes image lists, as buttons look them up by name.
class TImagedToolBar : public TAdvToolBar {
    KV_CLASS(TImagedToolBar, TAdvToolBar)
    KV_PUBLISHED_PROPERTIES(TImagedToolBar)
public:
    explicit TImagedToolBar(TComponent* AOwner) : TAdvToolBar(AOwner) {}
    TCustomImageList* Images = nullptr;
    TCustomImageList* DisabledImages = nullptr;
    void Notification(TComponent* AComponent, TOperation Operation) override {
        TAdvToolBar::Notification(AComponent, Operation);
        if (Operation != opRemove) return;
        if (AComponent == Images) Images = nullptr;
        if (AComponent == DisabledImages) DisabledImages = nullptr;
    }
};

KV_PUBLISHED(TImagedToolBar) {
    p.Ref("Images", &TImagedToolBar::Images, nullptr);
    p.Ref("DisabledImages", &TImagedToolBar::DisabledImages, nullptr);
}

TImageList* SolidList(TComponent* Owner, const String& Name, TColor Color) {
    auto* list = new TImageList(Owner);
    list->SetName(Name);
    list->SetWidth(20);
    list->SetHeight(20);
    TBitmap b(20, 20);
    b.Canvas()->Brush()->SetColor(Color);
    b.Canvas()->FillRect(TRect{0, 0, 20, 20});
    list->Add(&b, nullptr);
    return list;
}

TEST_F(ToolBarButtonPaintTest, TheToolBarsImageListSizesAndPaintsTheButton) {
    panel = Make<TAdvDockPanel>("Panel", form.get());
    auto* tb = Make<TImagedToolBar>("Imaged", panel);
    bar = tb;
    tb->Images = SolidList(form.get(), "Images", 0x2020C0);
    tb->DisabledImages = SolidList(form.get(), "Grey", 0x808080);
    auto* b = Button("B");
    b->SetImageIndex(0);
    EXPECT_EQ(b->Width(), 20 + 8);
    EXPECT_EQ(b->Height(), 20 + 8);
    Show();
    EXPECT_COLOR(At(b, b->Width() / 2, b->Height() / 2), 0x2020C0);
    // Disabled: the toolbar's disabled list.
    b->SetEnabled(false);
    EXPECT_COLOR(At(b, b->Width() / 2, b->Height() / 2), 0x808080);
    // The list going away leaves the button without an image index.
    b->SetEnabled(true);
    delete tb->Images;
    EXPECT_EQ(b->ImageIndex(), -1);
}

// A 20 x 20 image: a dark square at Left..Left+8 across rows 2..10, on white, the colour the list
// leaves transparent.
TImageList* SquareList(TComponent* Owner, const String& Name, int Left) {
    auto* list = new TImageList(Owner);
    list->SetName(Name);
    list->SetWidth(20);
    list->SetHeight(20);
    TBitmap b(20, 20);
    b.Canvas()->Brush()->SetColor(clWhite);
    b.Canvas()->FillRect(TRect{0, 0, 20, 20});
    b.Canvas()->Brush()->SetColor(static_cast<TColor>(0x202020));
    b.Canvas()->FillRect(TRect{Left, 2, Left + 8, 10});
    list->AddMasked(&b, clWhite);
    return list;
}

TEST_F(ToolBarButtonPaintTest, TheHotShadeFollowsANewImageList) {
    Dock(daTop);
    bar->SetImages(SquareList(form.get(), "Right", 12));
    auto* b = Button("B");
    b->SetImageIndex(0);
    Show();
    const int x = (b->Width() - 20) / 2, y = (b->Height() - 20) / 2;
    EXPECT_COLOR(At(b, x + 12, y + 2), 0x202020) << "the image's square";
    // Hot: a grey copy of the square two pixels right of and below it, where the image leaves room.
    const win::COLORREF grey = Ref(static_cast<TColor>(win::RGB(128, 128, 128)));
    ui.MoveTo(b);
    ASSERT_TRUE(b->Hot());
    EXPECT_COLOR(At(b, x + 12 + 8 + 1, y + 2 + 8 + 1), grey) << "the shade under the right square";
    ui.MoveTo(form.get(), 500, 500);
    // Another list whose image stands at the left: the shade is made again from it.
    bar->SetImages(SquareList(form.get(), "Left", 0));
    ui.MoveTo(b);
    EXPECT_COLOR(At(b, x + 9, y + 11), grey) << "the shade under the left square";
    EXPECT_THAT(At(b, x + 12 + 8 + 1, y + 2 + 8 + 1), ::testing::Not(colortest::IsColor(grey)))
        << "nothing left of the old image's shade";
}

} // namespace
} // namespace toolbartest
