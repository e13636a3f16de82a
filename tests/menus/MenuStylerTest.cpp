// The menu styler and its parts: accessors, what makes the menu measure again, Assign, placement.

#include "components/menus/AdvMenuUtil.h"
#include "platform/vcl/Screen.h"
#include "tests/menus/MenuTestSupport.h"

namespace menutest {
namespace {

using AdvMenuUtil::EInvalidPropertyIndex;

class MenuStylerTest : public MenuTest {};

// The rules among the defaults (the colours themselves are the preset's, not restated here).
TEST_F(MenuStylerTest, ANewStylerFollowsTheScreensMenuFontAndHasMonochromeGlyphs) {
    TComponentPtr<TAdvMenuStyler> s(new TAdvMenuStyler(nullptr));
    EXPECT_EQ(s->AntiAlias(), AdvGDIP::aaNone);
    EXPECT_TRUE(s->UseSystemFont());
    EXPECT_EQ(s->Menu(), nullptr);
    EXPECT_EQ(s->Font()->Name(), GetScreen()->MenuFont()->Name());
    EXPECT_EQ(s->NotesFont()->Size(), s->Font()->Size() - 2);
    EXPECT_EQ(s->SelectedItem()->NotesFont()->Size(), s->SelectedItem()->Font()->Size() - 2);
    EXPECT_EQ(s->IconBar()->Size(), 24);
    EXPECT_EQ(s->Background()->Position, bpCenter);
    EXPECT_FALSE(s->SideBar()->Visible());
    EXPECT_EQ(s->SideBar()->BarPosition, spLeft);
    EXPECT_EQ(s->SideBar()->Font()->Style(), (TFontStyles{fsBold, fsItalic}));
    EXPECT_EQ(s->RootItem()->GetSelectedColor(2), clNone);
    EXPECT_EQ(s->ButtonAppearance()->GlyphPosition(), gpLeft);
    // The glyphs are monochrome transparent marks of their sizes.
    TMenuGlyphs* g = s->Glyphs();
    EXPECT_EQ(g->SubMenu()->Width(), 4);
    EXPECT_EQ(g->SubMenu()->Height(), 7);
    EXPECT_EQ(g->Check()->Width(), 16);
    EXPECT_EQ(g->Radio()->Height(), 16);
    for (TBitmap* b : {g->SubMenu(), g->Check(), g->Radio()}) {
        EXPECT_TRUE(b->Transparent());
        // Both black (the mark) and white (the transparent ground) are present.
        bool black = false, white = false;
        const std::uint32_t* px = b->PixelData();
        for (int i = 0; i < b->Width() * b->Height(); ++i) {
            black |= (px[i] & 0xFFFFFF) == 0;
            white |= (px[i] & 0xFFFFFF) == 0xFFFFFF;
        }
        EXPECT_TRUE(black && white);
    }
    // The background image is created empty on first read.
    EXPECT_FALSE(s->Background()->HasImage());
    TPicture* image = s->Background()->Image();
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->Graphic(), nullptr);
    EXPECT_EQ(s->Background()->Image(), image);
    s->Background()->SetImage(nullptr);
    EXPECT_FALSE(s->Background()->HasImage());
    EXPECT_EQ(s->Background()->WorkBitmap(), nullptr);
    EXPECT_NE(s->Background()->GetBitmap(), nullptr);
}

TEST_F(MenuStylerTest, IndexedAccessorsRejectUnknownIndexes) {
    TComponentPtr<TAdvMenuStyler> s(new TAdvMenuStyler(nullptr));
    try {
        s->Background()->GetGradientColor(2);
        FAIL() << "index 2 accepted";
    } catch (const EInvalidPropertyIndex& e) {
        EXPECT_EQ(String(e.what()), "Invalid property index 2."); // the message is what() reports
    }
    EXPECT_THROW(s->IconBar()->SetCheckColor(-1, clRed), EInvalidPropertyIndex);
    EXPECT_THROW(s->SelectedItem()->GetRadioColor(2), EInvalidPropertyIndex);
    EXPECT_THROW(s->RootItem()->SetHoverColor(4, clRed), EInvalidPropertyIndex);
    EXPECT_THROW(s->RootItem()->GetSelectedColor(4), EInvalidPropertyIndex);
    // The four-colour accessors take index 3.
    s->RootItem()->SetSelectedColor(3, 0x123456);
    EXPECT_EQ(s->RootItem()->GetSelectedColor(3), TColor(0x123456));
    s->IconBar()->SetRadioColor(1, 0x654321);
    EXPECT_EQ(s->IconBar()->RadioColorTo(), TColor(0x654321));
    s->SelectedItem()->SetCheckColor(1, 0x111111);
    s->SelectedItem()->SetRadioColor(0, 0x222222);
    s->SelectedItem()->SetRadioColor(1, 0x333333);
    EXPECT_EQ(s->SelectedItem()->CheckColorTo(), TColor(0x111111));
    EXPECT_EQ(s->SelectedItem()->RadioColor(), TColor(0x222222));
    EXPECT_EQ(s->SelectedItem()->RadioColorTo(), TColor(0x333333));
}

TEST_F(MenuStylerTest, OnlySizeChangingWritesMakeTheMenuMeasureAgainAndTheIconBarKeepsItsMinimum) {
    TComponentPtr<TCountingMainMenu> menu(new TCountingMainMenu(nullptr));
    TComponentPtr<TAdvMenuStyler> s(new TAdvMenuStyler(nullptr));
    menu->SetMenuStyler(s.get());
    ASSERT_EQ(s->Menu(), menu.get());
    auto rebuilt = [&](auto&& write) {
        int before = menu->Rebuilds;
        write();
        return menu->Rebuilds - before;
    };
    EXPECT_EQ(rebuilt([&] { s->Background()->SetGradientColor(0, clRed); }), 0);
    EXPECT_EQ(rebuilt([&] { s->RootItem()->SetGradientDirection(gdVertical); }), 0);
    EXPECT_EQ(rebuilt([&] { s->IconBar()->SetCheckColor(0, clRed); }), 0);
    EXPECT_EQ(rebuilt([&] { s->SelectedItem()->SetRadioColor(1, clRed); }), 0);
    EXPECT_EQ(rebuilt([&] { s->RootItem()->SetHoverColor(0, clRed); }), 1);
    EXPECT_EQ(rebuilt([&] { s->RootItem()->SetSelectedColor(2, clRed); }), 1);
    EXPECT_EQ(rebuilt([&] { s->SelectedItem()->SetUseSystemFont(false); }), 1);
    EXPECT_EQ(rebuilt([&] { s->SetAntiAlias(AdvGDIP::aaAntiAlias); }), 1);
    EXPECT_EQ(rebuilt([&] { s->SetFont(s->NotesFont()); }), 1);
    EXPECT_EQ(rebuilt([&] { s->SideBar()->SetFont(s->Font()); }), 1);
    EXPECT_EQ(rebuilt([&] { s->SideBar()->SetImage(s->Background()); }), 1);
    EXPECT_EQ(rebuilt([&] { s->SetSideBar(s->SideBar()); }), 1);
    EXPECT_EQ(rebuilt([&] { s->SetIconBar(s->IconBar()); }), 1); // through the icon bar's size setter
    EXPECT_EQ(rebuilt([&] { s->SetTButtonAppearance(s->ButtonAppearance()); }), 0);
    // The side bar's own background parts serve no menu.
    EXPECT_EQ(rebuilt([&] { s->SideBar()->Background()->SetImage(nullptr); }), 0);
    // A main menu shown in no window is not refreshed for the side bar's visibility.
    EXPECT_EQ(rebuilt([&] { s->SideBar()->SetVisible(true); }), 0);
    EXPECT_TRUE(s->SideBar()->Visible());
    // The icon bar is at least sixteen pixels wide.
    int before = menu->Rebuilds;
    s->IconBar()->SetSize(10);
    EXPECT_EQ(s->IconBar()->Size(), 16);
    s->IconBar()->SetSize(40);
    EXPECT_EQ(s->IconBar()->Size(), 40);
    EXPECT_EQ(menu->Rebuilds - before, 2);
}

TEST_F(MenuStylerTest, SetMenuReachesEveryPartAndWritesWithoutOneOnlyStore) {
    TComponentPtr<TAdvMainMenu> menu(new TAdvMainMenu(nullptr));
    TComponentPtr<TAdvMenuStyler> s(new TAdvMenuStyler(nullptr));
    s->SetMenu(menu.get());
    EXPECT_EQ(s->Background()->Menu(), menu.get());
    EXPECT_EQ(s->IconBar()->Menu(), menu.get());
    EXPECT_EQ(s->SelectedItem()->Menu(), menu.get());
    EXPECT_EQ(s->RootItem()->Menu(), menu.get());
    EXPECT_EQ(s->Glyphs()->Menu(), menu.get());
    EXPECT_EQ(s->SideBar()->Menu(), menu.get());
    EXPECT_EQ(s->Separator()->Menu(), menu.get());
    EXPECT_EQ(s->SideBar()->Image()->Menu(), nullptr);
    s->SetMenu(nullptr);
    EXPECT_EQ(s->RootItem()->Menu(), nullptr);
    // Writes without a served menu change only the value.
    TComponentPtr<TAdvMenuStyler> alone(new TAdvMenuStyler(nullptr));
    alone->RootItem()->SetHoverColor(0, clLime);
    alone->SideBar()->SetVisible(true);
    alone->SetUseSystemFont(false);
    EXPECT_EQ(alone->RootItem()->GetHoverColor(0), clLime);
    EXPECT_FALSE(alone->UseSystemFont());
}

TEST_F(MenuStylerTest, PartAssignmentsCopyOnlyTheirListedValues) {
    TComponentPtr<TAdvMenuStyler> a(new TAdvMenuStyler(nullptr));
    TComponentPtr<TAdvMenuStyler> b(new TAdvMenuStyler(nullptr));
    TSelectedItem* src = a->SelectedItem();
    TSelectedItem* dst = b->SelectedItem();
    src->SetGradientColor(0, 0x010101);
    src->SetGradientColor(1, 0x020202);
    src->SetGradientDirection(gdHorizontal);
    src->CheckBorder = 0x030303;
    src->NotesFont()->SetSize(20);
    src->BorderColor = 0x040404;
    src->ColorMirror = 0x050505;
    src->SetCheckColor(0, 0x060606);
    src->RadioBorder = 0x070707;
    src->Font()->SetName("Verdana");
    dst->Assign(src);
    EXPECT_EQ(dst->Color(), TColor(0xC2EEFF));
    EXPECT_EQ(dst->ColorTo(), clNone);
    EXPECT_EQ(dst->GradientDirection(), gdVertical);
    EXPECT_EQ(dst->CheckBorder, TColor(0x6F4B4B));
    EXPECT_NE(dst->NotesFont()->Size(), 20);
    EXPECT_EQ(dst->BorderColor, TColor(0x040404));
    EXPECT_EQ(dst->ColorMirror, TColor(0x050505));
    EXPECT_EQ(dst->CheckColor(), TColor(0x060606));
    EXPECT_EQ(dst->RadioBorder, TColor(0x070707));
    EXPECT_EQ(dst->Font()->Name(), "Verdana");

    // The background copies picture, offsets, position and colours; not margins or direction.
    TBackground* bg = a->Background();
    bg->Image()->Bitmap()->SetSize(5, 5);
    bg->OffsetX = 3;
    bg->MarginX = 9;
    bg->Position = bpTiled;
    bg->SetGradientDirection(gdHorizontal);
    bg->SetColor(clRed);
    b->Background()->Assign(bg);
    EXPECT_EQ(b->Background()->Image()->Width(), 5);
    EXPECT_EQ(b->Background()->OffsetX, 3);
    EXPECT_EQ(b->Background()->MarginX, 0);
    EXPECT_EQ(b->Background()->Position, bpTiled);
    EXPECT_EQ(b->Background()->GradientDirection(), gdVertical);
    EXPECT_EQ(b->Background()->Color(), clRed);

    // The separator copies its own values and then the gradient bar's.
    a->Separator()->Margin = 7;
    a->Separator()->SetColor(clBlue);
    b->Separator()->Assign(a->Separator());
    EXPECT_EQ(b->Separator()->Margin, 7);
    EXPECT_EQ(b->Separator()->Color(), clBlue);

    // A part of another kind is refused.
    EXPECT_THROW(b->IconBar()->Assign(a->SideBar()), EConvertError);
}

TEST_F(MenuStylerTest, StylerAssignmentTakesOnlyThePublishedStyler) {
    TComponentPtr<TAdvMenuStyler> a(new TAdvMenuStyler(nullptr));
    TComponentPtr<TAdvMenuStyler> b(new TAdvMenuStyler(nullptr));
    TComponentPtr<TAdvMenuOfficeStyler> office(new TAdvMenuOfficeStyler(nullptr));
    a->IconBar()->SetSize(33);
    a->RootItem()->SetHoverColor(0, 0x112233);
    a->SideBar()->Caption = "Side";
    a->Font()->SetName("Verdana");
    a->MenuBorderColor = clRed;
    a->NotesFont()->SetSize(30);
    a->SetUseSystemFont(false);
    b->Assign(a.get());
    EXPECT_EQ(b->IconBar()->Size(), 33);
    EXPECT_EQ(b->RootItem()->GetHoverColor(0), TColor(0x112233));
    EXPECT_EQ(b->SideBar()->Caption, "Side");
    EXPECT_EQ(b->Font()->Name(), "Verdana");
    EXPECT_FALSE(b->UseSystemFont());
    EXPECT_EQ(b->MenuBorderColor, TColor(0x7C7C94));
    EXPECT_NE(b->NotesFont()->Size(), 30);
    EXPECT_THROW(b->Assign(office.get()), EConvertError);
}

TEST_F(MenuStylerTest, PicturePositionFollowsThePlacement) {
    TComponentPtr<TAdvMenuStyler> s(new TAdvMenuStyler(nullptr));
    TBackground* bg = s->Background();
    int x = -1, y = -1;
    const TRect r{10, 20, 110, 70}; // 100 x 50
    bg->CalcPicturePosition(r, x, y);
    EXPECT_EQ((TPoint{x, y}), (TPoint{10, 20})); // no picture: the corner
    bg->Image()->Bitmap()->SetSize(10, 6);
    bg->OffsetX = 3;
    bg->OffsetY = 4;
    struct Case {
        TBackgroundPosition Pos;
        TPoint Expected;
    };
    const Case cases[] = {
        {bpTopLeft, {13, 24}},      {bpTopRight, {103, 24}}, {bpBottomLeft, {13, 68}},
        {bpBottomRight, {103, 68}}, {bpTopCenter, {58, 24}}, {bpBottomCenter, {58, 68}},
        {bpCenter, {58, 46}},       {bpTiled, {10, 20}},     {bpStretched, {10, 20}},
        {bpXY, {10, 20}},
    };
    for (const Case& c : cases) {
        bg->Position = c.Pos;
        bg->CalcPicturePosition(r, x, y);
        EXPECT_EQ((TPoint{x, y}), c.Expected) << GetEnumName(KvEnumInfo(c.Pos), c.Pos);
    }
    // Halves truncate toward zero when the picture is wider than the rectangle.
    bg->Image()->Bitmap()->SetSize(105, 6);
    bg->OffsetX = 0;
    bg->Position = bpCenter;
    bg->CalcPicturePosition((TRect{0, 0, 100, 50}), x, y);
    EXPECT_EQ(x, -2);
}

TEST_F(MenuStylerTest, ButtonAppearanceReportsRealChangesOnly) {
    TComponentPtr<TAdvMenuStyler> s(new TAdvMenuStyler(nullptr));
    TButtonAppearance* b = s->ButtonAppearance();
    int changes = 0;
    b->OnChange = [&](TObject* Sender) {
        EXPECT_EQ(Sender, b);
        ++changes;
    };
    b->SetHoverColor(b->HoverColor());
    b->SetDownColor(b->DownColor());
    b->SetDownColorTo(b->DownColorTo());
    EXPECT_EQ(changes, 0);
    b->SetHoverColor(clRed);
    b->SetGlyphPosition(gpRight);
    b->SetCaptionFont(s->Font());
    EXPECT_EQ(changes, 3);
    b->DownBorderColor = clLime; // stored directly
    EXPECT_EQ(changes, 3);

    SysInfo().SetIsVista(true);
    b->SetUseSystemFont(false);
    b->CaptionFont()->SetName("Arial");
    b->SetUseSystemFont(true);
    EXPECT_EQ(b->CaptionFont()->Name(), "Segoe UI");
    EXPECT_EQ(changes, 3);

    TComponentPtr<TAdvMenuStyler> other(new TAdvMenuStyler(nullptr));
    other->ButtonAppearance()->Assign(b);
    EXPECT_EQ(other->ButtonAppearance()->HoverColor(), clRed);
    EXPECT_EQ(other->ButtonAppearance()->DownBorderColor, clLime);
    EXPECT_EQ(other->ButtonAppearance()->GlyphPosition(), gpLeft);
}

} // namespace
} // namespace menutest
