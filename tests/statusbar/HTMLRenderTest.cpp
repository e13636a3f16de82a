// The mark-up renderer on a memory bitmap, measured against the canvas's own text measurement.

#include <gtest/gtest.h>

#include <functional>

#include "components/statusbar/HTMLRender.h"
#include "components/statusbar/PictureContainer.h"
#include "platform/rtl/Colors.h"
#include "platform/vcl/Bitmap.h"
#include "platform/vcl/ImgList.h"

namespace {

using namespace vcl;
using namespace HTMLRender;

class HTMLRenderTest : public ::testing::Test {
protected:
    void SetUp() override {
        bmp = std::make_unique<TBitmap>(300, 120);
        c = bmp->Canvas();
        c->Brush()->SetColor(clWhite);
        c->FillRect(TRect{0, 0, 300, 120});
        c->Font()->SetName("DejaVu Sans");
        c->Font()->SetSize(9);
        c->Font()->SetColor(clBlack);
        gh = c->TextHeight("gh");
    }
    // Lays out (NoDraw) or draws Text in Bounds.
    THTMLRenderResult Render(const String& Text, TRect Bounds = TRect{0, 0, 300, 120}, bool Draw = false,
                             THTMLRenderArgs Args = {}) {
        Args.NoDraw = !Draw;
        THTMLRenderResult r;
        RenderHTML(c, Text, Bounds, Args, r);
        return r;
    }
    THTMLRenderResult HitAt(const String& Text, int X, int Y, TRect Bounds = TRect{0, 0, 300, 120}) {
        THTMLRenderArgs a;
        a.HitX = X;
        a.HitY = Y;
        a.KeepColors = true;
        return Render(Text, Bounds, false, a);
    }
    int Width(const String& S) { return c->TextWidth(S); }
    TColor Pixel(int X, int Y) { return c->Pixels(X, Y); }
    bool AnyPixel(const TRect& R, bool (*Pred)(TColor)) {
        for (int y = R.Top; y < R.Bottom; ++y)
            for (int x = R.Left; x < R.Right; ++x)
                if (Pred(Pixel(x, y))) return true;
        return false;
    }

    std::unique_ptr<TBitmap> bmp;
    TCanvas* c = nullptr;
    int gh = 0;
};

TEST_F(HTMLRenderTest, LineWidthsAndTheBottomOfTheLayout) {
    THTMLRenderResult r = Render("");
    EXPECT_EQ(r.TotalHeight, gh); // even empty text is one line high
    EXPECT_EQ(r.MaxLineWidth, 0);
    EXPECT_FALSE(r.Hit);
    r = Render("hello world ");
    EXPECT_EQ(r.MaxLineWidth, Width("hello ") + Width("world") + 2);
    EXPECT_EQ(r.TotalHeight, gh);
    // Lines stop at the bottom unless only the height is asked.
    const char* text = "1<br>2<br>3<br>4<br>5";
    TRect two{0, 0, 100, 2 * gh + 1};
    EXPECT_EQ(Render(text, two).TotalHeight, 2 * gh);
    THTMLRenderArgs a;
    a.HeightOnly = true;
    EXPECT_EQ(Render(text, two, false, a).TotalHeight, 5 * gh);
}

TEST_F(HTMLRenderTest, LineBreaksAndScriptHeights) {
    struct Case {
        const char* Text;
        int Lines;
    } cases[] = {
        {"one<BR>two", 2}, {"one\r\ntwo", 2}, {"one\ntwo", 1},      {"a<br>b<br>c", 3},
        {"<hr>below", 2},  {"a<p>b</p>c", 2}, {"item<ul><li>x", 2}, {"<BIG>one", 1},
    };
    for (const Case& k : cases) {
        THTMLRenderArgs a;
        a.HeightOnly = true;
        EXPECT_EQ(Render(k.Text, TRect{0, 0, 300, 120}, false, a).TotalHeight, k.Lines * gh) << k.Text;
    }
    // Subscript and superscript need their exact tags.
    THTMLRenderArgs script;
    script.HeightOnly = true;
    EXPECT_EQ(Render("x<sub>2</sub>", TRect{0, 0, 300, 120}, false, script).TotalHeight, gh + gh / 4);
    EXPECT_EQ(Render("x<SUP>2</SU>", TRect{0, 0, 300, 120}, false, script).TotalHeight, gh + gh / 4);
    EXPECT_EQ(Render("x<subx>2", TRect{0, 0, 300, 120}, false, script).TotalHeight, gh);
}

TEST_F(HTMLRenderTest, WrappingBreaksBetweenWordsOnly) {
    int w = Width("aaa ") + Width("bbb ") + 4; // room for two words, not three
    THTMLRenderResult r = Render("aaa bbb ccc", TRect{0, 0, w, 120});
    EXPECT_EQ(r.TotalHeight, 2 * gh);
    // A word wider than the rectangle takes a line of its own.
    r = Render("x verylongwordindeed y", TRect{0, 0, Width("verylong"), 120});
    EXPECT_EQ(r.TotalHeight, 3 * gh);
    // A word glued to the text before it (after a tag, no blank) is never wrapped away from it.
    r = Render("aaa<b>bbb</b>", TRect{0, 0, Width("aaa") + 4, 120});
    EXPECT_EQ(r.TotalHeight, gh);
    // Without wrapping, everything stays on one line.
    THTMLRenderArgs a;
    a.WrapWords = false;
    EXPECT_EQ(Render("aaa bbb ccc", TRect{0, 0, w, 120}, false, a).TotalHeight, gh);
}

TEST_F(HTMLRenderTest, AnchorRectanglesAndHitTests) {
    const char* text = "<a href=\"one\">first</a><br>x <a href=\"two\">second</a>";
    THTMLRenderResult r = Render(text);
    ASSERT_EQ(r.Anchors.size(), 2u);
    EXPECT_EQ(r.AnchorCount, 2);
    EXPECT_EQ(r.Anchors[0].Href, "one");
    // The working rectangle starts one pixel right of the bounds.
    EXPECT_EQ(r.Anchors[0].Rect.Left, 1);
    EXPECT_EQ(r.Anchors[0].Rect.Right, 1 + Width("first"));
    EXPECT_EQ(r.Anchors[0].Rect.Bottom, gh);
    EXPECT_EQ(r.Anchors[1].Href, "two");
    EXPECT_EQ(r.Anchors[1].Rect.Left, 1 + Width("x "));
    EXPECT_EQ(r.Anchors[1].Rect.Bottom, 2 * gh);

    // The anchor under the point on the second line, not the one at the same x on the first.
    r = HitAt(text, 1 + Width("x ") + 2, gh + gh / 2);
    EXPECT_TRUE(r.Hit);
    EXPECT_EQ(r.HitHref, "two");
    r = HitAt(text, 3, gh / 2);
    EXPECT_TRUE(r.Hit);
    EXPECT_EQ(r.HitHref, "one");
    // Beside the words, or over a word outside any anchor: no hit.
    EXPECT_FALSE(HitAt(text, 250, gh / 2).Hit);
    EXPECT_FALSE(HitAt(text, 3, gh + gh / 2).Hit);
}

// Text that overflows its box is laid out past it (a word wider than the box, a line taller than it),
// but what lies outside the box is no hit, over anchored words and images alike.
TEST_F(HTMLRenderTest, NoHitOutsideTheBoundsWhereTheTextOverflows) {
    const String wide = "<a href=\"wide\">" + String(40, 'W') + "</a>";
    const TRect box{10, 10, 60, 10 + gh};
    const int midY = 10 + gh / 2;
    EXPECT_TRUE(HitAt(wide, 30, midY, box).Hit);
    EXPECT_TRUE(HitAt(wide, 59, midY, box).Hit);
    EXPECT_FALSE(HitAt(wide, 60, midY, box).Hit); // right of the right edge, over the word
    EXPECT_FALSE(HitAt(wide, 150, midY, box).Hit);
    // A box lower than its only line: the line's lower part lies below the bottom.
    const TRect low{0, 0, 200, gh / 2};
    EXPECT_TRUE(HitAt("<a href=\"low\">low</a>", 5, gh / 2 - 1, low).Hit);
    EXPECT_FALSE(HitAt("<a href=\"low\">low</a>", 5, gh - 2, low).Hit);
    // An anchored image that reaches past the bottom.
    TImageList images(nullptr);
    images.SetWidth(16);
    images.SetHeight(40);
    TBitmap b(16, 40);
    images.Add(&b, nullptr);
    THTMLRenderArgs a;
    a.ImageList = &images;
    a.KeepColors = true;
    a.HitX = 8;
    a.HitY = 30;
    const String image = "<a href=\"img\"><img src=\"idx:0\"></a>";
    EXPECT_TRUE(Render(image, TRect{0, 0, 200, 35}, false, a).Hit);
    EXPECT_FALSE(Render(image, TRect{0, 0, 200, 25}, false, a).Hit);
}
TEST_F(HTMLRenderTest, TagsAndParagraphsThatMoveTheText) {
    // Where an anchored word lands after the tags before it: its left edge and its line.
    struct Case {
        const char* Text;
        int Left; // from the working rectangle's left (1)
        int Line; // 1-based
    } cases[] = {
        {"<in x=\"50\"><a href=\"t\">w</a>", 50, 1},
        {"ab<in x=\"1\"><a href=\"t\">w</a>", -1, 1}, // a tab behind the text moves nothing
        {"<of x=\"20\"><a href=\"o\">w</a>", 20, 1},
        {"<of x=\"20\">a<br><a href=\"o\">w</a>", 20, 2},
        {"<of x=\"20\">a</of><br>b<br><a href=\"o\">w</a>", 0, 3},
        {"<ul><li><a href=\"l\">w</a>", 12, 2},
        {"<ul><ul><li><a href=\"l\">w</a>", 24, 3},
        {"<ul><li>a<li><a href=\"l\">w</a>", 12, 3},
        {"<ul><li>a</ul><br><a href=\"l\">w</a>", 0, 3},
        {"<hr><a href=\"h\">w</a>", 0, 2},
        {"<z>gone </z><a href=\"z\">w</a>", 0, 1},
        {"<s>x</s> <u>y</u> <i><a href=\"i\">w</a>", -1, 1},
    };
    for (const Case& k : cases) {
        THTMLRenderResult r = Render(k.Text);
        ASSERT_EQ(r.Anchors.size(), 1u) << k.Text;
        if (k.Left >= 0) {
            EXPECT_EQ(r.Anchors[0].Rect.Left, 1 + k.Left) << k.Text;
        } else {
            EXPECT_GT(r.Anchors[0].Rect.Left, 1) << k.Text;
        }
        EXPECT_EQ(r.Anchors[0].Rect.Bottom, k.Line * gh) << k.Text;
    }
    // Right and centred paragraphs move their lines.
    THTMLRenderResult p = Render("<p align=\"right\"><a href=\"r\">end</a></p>", TRect{0, 0, 200, 120});
    ASSERT_EQ(p.Anchors.size(), 1u);
    EXPECT_EQ(p.Anchors[0].Rect.Right, 200);
    // Centring stays for the following lines until another alignment is set.
    p = Render("<p align=\"center\">x</p><a href=\"c\">mid</a>", TRect{0, 0, 201, 120});
    ASSERT_EQ(p.Anchors.size(), 1u);
    EXPECT_EQ(p.Anchors[0].Rect.Left, 1 + (200 - Width("mid")) / 2);
    p = Render("<p indent=\"30\"><a href=\"i\">in</a>");
    ASSERT_EQ(p.Anchors.size(), 1u);
    EXPECT_EQ(p.Anchors[0].Rect.Left, 31);
}

TEST_F(HTMLRenderTest, TagsThatChangeTheFontChangeTheWidth) {
    auto widthWith = [&](TFontStyles Style, int Size, const String& S) {
        TBitmap b(10, 10);
        b.Canvas()->Font()->Assign(c->Font());
        b.Canvas()->Font()->SetStyle(Style);
        if (Size > 0) b.Canvas()->Font()->SetSize(Size);
        return b.Canvas()->TextWidth(S);
    };
    struct Case {
        const char* Text;
        TFontStyles Style;
        int Size;
    } cases[] = {
        {"<b>Word</b>", TFontStyles{fsBold}, 0},
        {"<B>Word", TFontStyles{fsBold}, 0},
        {"<font size=\"3\">Word</font>", TFontStyles{}, 12},
        {"<font size=\"5\">Word</font>", TFontStyles{}, 16},
        {"<font size=\"9\">Word</font>", TFontStyles{}, 9},
        {"<BIG>Word", TFontStyles{}, 0}, // no tag of that name: ignored
    };
    for (const Case& k : cases)
        EXPECT_EQ(Render(k.Text).MaxLineWidth, widthWith(k.Style, k.Size, "Word") + 2) << k.Text;
    // A closing font tag returns to the base size for the next words.
    EXPECT_EQ(Render("<font size=\"5\">a</font>Word").MaxLineWidth,
              widthWith({}, 16, "a") + Width("Word") + 2);
}

TEST_F(HTMLRenderTest, EntitiesAndPrefixes) {
    EXPECT_EQ(Render("&permil;").MaxLineWidth, Width("\u2030") + 2);
    EXPECT_EQ(Render("&EURO;").MaxLineWidth, Width("\u20AC") + 2);
    // "&amp;" shows one ampersand, except where a lone " & " turns prefixes off.
    EXPECT_EQ(Render("&amp;").MaxLineWidth, Width("&") + 2);
    EXPECT_EQ(Render("a &amp;b & c").MaxLineWidth,
              Width("a ") + Width("&&b ") + Width("& ") + Width("c") + 2);
    // What one entity yields is not decoded again.
    EXPECT_EQ(Render("&amp;amp;").MaxLineWidth, Width("&amp;") + 2);
    EXPECT_EQ(Render("&lt;b&gt;").MaxLineWidth, Width("<b>") + 2);
}

TEST_F(HTMLRenderTest, HelpersOfTheLanguageAndColourValues) {
    EXPECT_EQ(StripMarkers("a<#b>c<#d>"), "a#bc<#d>");
    EXPECT_EQ(StripMarkers("plain"), "plain");
    EXPECT_EQ(LineBreaksToBR("a\r\nb\nc\rd"), "a<BR>bc<BR>d");
    EXPECT_EQ(PosIgnoreCase("bLiNk", "x<BLINK>"), 3);
    EXPECT_EQ(PosIgnoreCase("z", "abc"), 0);
    EXPECT_EQ(AttrToInt("12px"), 12);
    EXPECT_EQ(AttrToInt("x"), 0);
    EXPECT_EQ(AttrToInt("-7"), -7);
    struct Case {
        const char* Value;
        TColor Expected;
    } names[] = {
        {"clRed", 0x0000FF},
        {"CLBLUE", 0xFF0000},
        {"clnavy", 0x800000},
        {"clmaroon", 0x000080},
        {"cl3ddkshadow", static_cast<TColor>(0xFF000000u + 21)},
        {"clgraytext", static_cast<TColor>(0xFF000000u + 17)},
        {"clbackground", static_cast<TColor>(0xFF000000u + 1)},
        {"clinfobk", static_cast<TColor>(0xFF000000u + 24)},
        {"nosuchcolour", 0},
    };
    for (const Case& k : names)
        EXPECT_EQ(ColorFromName(k.Value), k.Expected) << k.Value;
    EXPECT_EQ(ColorFromHex("#FF0000"), 0x0000FF);
    EXPECT_EQ(ColorFromHex("#ff0000"), 0x0000FF);
    EXPECT_EQ(ColorFromHex("#102030"), 0x302010);
    // A character that is no hex digit counts 0: no channel spills into the next.
    EXPECT_EQ(ColorFromHex("#GG0000"), 0);
    EXPECT_EQ(ColorFromHex("#F"), 0);
}

bool IsReddish(TColor C) {
    return (C & 0xFF) > 0xB0 && ((C >> 8) & 0xFF) < 0x60 && ((C >> 16) & 0xFF) < 0x60;
}
bool IsGreen(TColor C) {
    return (C & 0xFFFFFF) == 0x00FF00;
}
bool IsNotWhite(TColor C) {
    return (C & 0xFFFFFF) != 0xFFFFFF;
}
bool IsPureRed(TColor C) {
    return (C & 0xFFFFFF) == 0x0000FF;
}

TEST_F(HTMLRenderTest, DrawingEffectsOfTags) {
    auto colour = [](TColor Color) {
        return [Color](TColor C) { return (C & 0xFFFFFF) == (ColorToRGB(Color) & 0xFFFFFF); };
    };
    const TRect line{0, 0, 300, gh + 2};
    struct Case {
        const char* Text;
        TRect Where;
        std::function<bool(TColor)> Seen;
        bool Expected = true;
    } cases[] = {
        {"<font color=\"clred\">MMMM</font>", line, IsReddish},
        {"<font bgcolor=\"#00FF00\">MMMM</font>", line, IsGreen},
        {"<z>hidden</z>", line, IsNotWhite, false},
        // A paragraph background fills the whole line, past the words.
        {"<p bgcolor=\"#0000FF\">x</p>", TRect{250, 2, 290, gh - 2}, colour(0xFF0000)},
        // A page background fills the layout rectangle.
        {"<body bgcolor=\"clLime\">x", TRect{200, 60, 290, 100}, colour(0x00FF00)},
        // Highlighted text stands on the highlight colour.
        {"<hi>MMMM</hi>", TRect{2, 2, 20, gh - 2}, colour(clHighlight)},
        // The error underline is red, under the word.
        {"<e>MMMM</e>", TRect{1, gh - 3, 30, gh + 2}, colour(0x0000FF)},
        // A rule across the line.
        {"<hr>", TRect{100, 0, 110, gh + 3}, colour(0x000000)},
    };
    for (const Case& k : cases) {
        SetUp();
        Render(k.Text, TRect{0, 0, 300, 120}, true);
        bool seen = false;
        for (int y = k.Where.Top; y < k.Where.Bottom; ++y)
            for (int x = k.Where.Left; x < k.Where.Right; ++x)
                seen = seen || k.Seen(Pixel(x, y));
        EXPECT_EQ(seen, k.Expected) << k.Text;
    }
    // A shadow in the shadow colour, moved right and down.
    SetUp();
    THTMLRenderArgs a;
    a.ShadowColor = 0x00FF00;
    a.ShadowOffset = 2;
    Render("<sh>MMMM</sh>", TRect{0, 0, 300, 120}, true, a);
    EXPECT_TRUE(AnyPixel(TRect{3, 2, 40, gh + 2}, IsGreen));
    EXPECT_FALSE(AnyPixel(TRect{0, 0, 300, 120}, IsPureRed)); // no error underline without its tag
    // Blinking text in its off phase keeps its room but shows nothing.
    SetUp();
    a = THTMLRenderArgs{};
    a.BlinkOn = false;
    THTMLRenderResult r = Render("<blink>MMMM</blink>", TRect{0, 0, 300, 120}, true, a);
    EXPECT_FALSE(AnyPixel(line, IsNotWhite));
    EXPECT_EQ(r.MaxLineWidth, Width("MMMM") + 2);
    // The canvas font and brush are as they were.
    EXPECT_EQ(c->Font()->Color(), clBlack);
    EXPECT_EQ(c->Brush()->Color(), clWhite);
}

TEST_F(HTMLRenderTest, AnchorColoursTheHotAnchorAndTheFocusFrame) {
    auto inked = [&](int From, int To, bool (*Pred)(TColor)) {
        return AnyPixel(TRect{From, 0, To, gh + 1}, Pred);
    };
    const char* text = "<a href=\"a\">MMMM</a> <a href=\"b\">MMMM</a>";
    THTMLRenderArgs a;
    a.AnchorColor = 0x0000FF;
    THTMLRenderResult r = Render(text, TRect{0, 0, 300, 120}, true, a);
    ASSERT_EQ(r.Anchors.size(), 2u);
    const int mid = r.Anchors[1].Rect.Left;
    EXPECT_TRUE(inked(0, mid, IsReddish));
    EXPECT_TRUE(inked(mid, 300, IsReddish));
    // With HotOnly, only anchor HotIndex (from 1) takes the hot colours; KeepColors leaves the text's.
    SetUp();
    a.AnchorColor = clBlack;
    a.HotOnly = true;
    a.HotIndex = 2;
    a.HotBackColor = 0x00FF00;
    Render(text, TRect{0, 0, 300, 120}, true, a);
    EXPECT_FALSE(inked(0, mid - 2, IsGreen));
    EXPECT_TRUE(inked(mid, 300, IsGreen));
    SetUp();
    THTMLRenderArgs keep;
    keep.KeepColors = true;
    keep.AnchorColor = 0x0000FF;
    Render(text, TRect{0, 0, 300, 120}, true, keep);
    EXPECT_FALSE(inked(0, 300, IsReddish));
    // The focused anchor is framed.
    SetUp();
    THTMLRenderArgs focus;
    focus.FocusIndex = 1; // the second anchor, counted from 0
    THTMLRenderResult fr =
        Render("<a href=\"a\">one</a> <a href=\"b\">two</a>", TRect{0, 0, 300, 120}, true, focus);
    ASSERT_EQ(fr.Anchors.size(), 2u);
    const TRect two = fr.Anchors[1].Rect;
    // A dotted frame one pixel wider than the word on each side; none around the first anchor.
    bool framed = false;
    for (int y = two.Top; y < two.Bottom; ++y)
        framed = framed || IsNotWhite(Pixel(two.Left - 1, y));
    EXPECT_TRUE(framed);
    bool other = false;
    for (int y = 0; y < gh; ++y)
        other = other || IsNotWhite(Pixel(0, y));
    EXPECT_FALSE(other);
}

TEST_F(HTMLRenderTest, ImagesFromTheImageListAndTheContainerAndTheirHits) {
    TCustomImageList list(20, 30);
    TBitmap face(20, 30);
    face.Canvas()->Brush()->SetColor(clRed);
    face.Canvas()->FillRect(TRect{0, 0, 20, 30});
    list.Add(&face, nullptr);
    THTMLRenderArgs a;
    a.ImageList = &list;
    a.HeightOnly = true;
    THTMLRenderResult r = Render("<img src=\"idx:0\">", TRect{0, 0, 300, 120}, false, a);
    EXPECT_EQ(r.MaxLineWidth, 20 + 2);
    EXPECT_EQ(r.TotalHeight, 30);
    // Indexes outside the list, or no list, take no room.
    EXPECT_EQ(Render("<img src=\"idx:-1\">", TRect{0, 0, 300, 120}, false, a).MaxLineWidth, 0);
    EXPECT_EQ(Render("<img src=\"idx:1\">", TRect{0, 0, 300, 120}, false, a).MaxLineWidth, 0);
    EXPECT_EQ(Render("<img src=\"idx:0\">").MaxLineWidth, 0);
    // An image that does not fit after the words starts the next line.
    r = Render("abc <img src=\"idx:0\">", TRect{0, 0, Width("abc ") + 10, 120}, false, a);
    EXPECT_EQ(r.TotalHeight, gh + 30);
    // WIDTH and HEIGHT stretch a container's picture; names are found in any case.
    PictureContainer::TPictureContainer pictures(nullptr);
    TBitmap small(4, 4);
    small.Canvas()->Brush()->SetColor(clRed);
    small.Canvas()->FillRect(TRect{0, 0, 4, 4});
    TMemoryStream bytes;
    small.SaveToStream(&bytes);
    bytes.SetPosition(0);
    auto* item = pictures.Items()->Add();
    item->SetName("Dot");
    item->Picture()->LoadFromStream(&bytes);
    THTMLRenderArgs p;
    p.Pictures = &pictures;
    EXPECT_EQ(Render("<img src=\"DOT\">", TRect{0, 0, 300, 120}, false, p).MaxLineWidth, 4 + 2);
    EXPECT_EQ(
        Render("<img src=\"dot\" width=\"40\" height=\"8\">", TRect{0, 0, 300, 120}, false, p).MaxLineWidth,
        40 + 2);
    EXPECT_EQ(Render("<img src=\"missing\">", TRect{0, 0, 300, 120}, false, p).MaxLineWidth, 0);
    // Drawn stretched in red.
    Render("<img src=\"dot\" width=\"40\" height=\"8\">", TRect{0, 0, 300, 120}, true, p);
    EXPECT_TRUE(IsReddish(Pixel(30, 4)));
    // A page background: the picture tiled over the layout rectangle, clipped to it; an image-list image
    // once where the text stands.
    SetUp();
    Render("<body background=\"dot\">x", TRect{0, 0, 50, 30}, true, p);
    EXPECT_TRUE(IsReddish(Pixel(1, 1)));
    EXPECT_TRUE(IsReddish(Pixel(47, 27)));
    EXPECT_FALSE(IsReddish(Pixel(52, 10)));
    SetUp();
    a.HeightOnly = false;
    Render("<body background=\"idx:0\">", TRect{0, 0, 300, 120}, true, a);
    EXPECT_TRUE(IsReddish(Pixel(10, 10)));
    EXPECT_FALSE(IsReddish(Pixel(30, 10)));
    // Anchored images are hit.
    TCustomImageList hitList(20, 20);
    TBitmap hitFace(20, 20);
    hitList.Add(&hitFace, nullptr);
    THTMLRenderArgs h;
    h.ImageList = &hitList;
    h.HitX = 10;
    h.HitY = 10;
    h.NoDraw = true;
    THTMLRenderResult hr;
    EXPECT_TRUE(RenderHTML(c, "<a href=\"pic\"><img src=\"idx:0\"></a>", TRect{0, 0, 300, 120}, h, hr));
    EXPECT_EQ(hr.HitHref, "pic");
    EXPECT_FALSE(RenderHTML(c, "<img src=\"idx:0\">", TRect{0, 0, 300, 120}, h, hr));
}

} // namespace
