// Text drawing and DrawText: measuring, alignment, word breaks, ellipses, prefixes and turned text.

#include <chrono>
#include <climits>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "tests/win/GdiTestSupport.h"

#include <glib.h>

using namespace gditest;

namespace {

class TextCanvas : public Canvas {
public:
    TextCanvas(int w, int h, int height = -13, const char* face = "Tahoma", int escapement = 0,
               bool bottomUp = false)
        : Canvas(w, h, bottomUp), font_(MakeFont(height, face, FW_NORMAL, escapement)) {
        oldFont_ = SelectObject(dc, font_);
        SetBkMode(dc, TRANSPARENT);
        GetTextMetrics(dc, &tm);
    }
    ~TextCanvas() {
        SelectObject(dc, oldFont_);
        DeleteObject(font_);
    }
    int Width(const char* s) {
        SIZE size{};
        GetTextExtentPoint32(dc, s, static_cast<int>(std::strlen(s)), &size);
        return size.cx;
    }
    TEXTMETRIC tm{};

private:
    HFONT font_;
    HGDIOBJ oldFont_;
};

// Counts pixels darker than mid-grey in a rectangle (anti-aliased glyph edges are grey).
int Dark(const Canvas& c, RECT r) {
    int n = 0;
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x) {
            const COLORREF p = c.At(x, y);
            if (GetRValue(p) + GetGValue(p) + GetBValue(p) < 3 * 128) ++n;
        }
    return n;
}

} // namespace

TEST(TextMeasure, CalcRectOfALineIsItsExtentAndLineBreaksCountUnlessSingleLine) {
    TextCanvas c(200, 50);
    RECT r{10, 5, 10, 5};
    const int h = DrawText(c.dc, "Hello, world", -1, &r, DT_SINGLELINE | DT_CALCRECT);
    EXPECT_EQ(h, c.tm.tmHeight);
    EXPECT_EQ(r, (RECT{10, 5, 10 + c.Width("Hello, world"), 5 + c.tm.tmHeight}));
    EXPECT_EQ(c.Inked({0, 0, 200, 50}), 0); // measuring draws nothing
    r = {0, 0, 200, 0};
    EXPECT_EQ(DrawText(c.dc, "a\r\nb\nc", -1, &r, DT_CALCRECT), 3 * c.tm.tmHeight);
    RECT s{0, 0, 200, 0};
    EXPECT_EQ(DrawText(c.dc, "a\r\nb\nc", -1, &s, DT_CALCRECT | DT_SINGLELINE), c.tm.tmHeight);
    RECT counted{0, 0, 200, 0};
    DrawText(c.dc, "abcdef", 3, &counted, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(counted.Right, c.Width("abc"));
    // Empty text is one empty line.
    r = {3, 4, 3, 4};
    EXPECT_EQ(DrawText(c.dc, "", 0, &r, DT_CALCRECT), c.tm.tmHeight);
    EXPECT_EQ(r, (RECT{3, 4, 3, 4 + c.tm.tmHeight}));
    EXPECT_EQ(DrawText(nullptr, "x", -1, &r, 0), 0);
    EXPECT_EQ(DrawText(c.dc, "x", -1, nullptr, 0), 0);
}

TEST(TextMeasure, CalcRectWrapsWordsToTheWidthAndEditControlBreaksLongWords) {
    TextCanvas c(200, 100);
    const char* text = "one two three four five six";
    const int limit = c.Width("one two three") + 2;
    RECT r{0, 0, limit, 0};
    const int h = DrawText(c.dc, text, -1, &r, DT_WORDBREAK | DT_CALCRECT);
    // "one two three" / "four five six"
    EXPECT_EQ(h, 2 * c.tm.tmHeight);
    EXPECT_EQ(r.Bottom, 2 * c.tm.tmHeight);
    EXPECT_EQ(r.Right, std::max(c.Width("one two three"), c.Width("four five six")));
    EXPECT_LE(r.Right, limit);
    // A narrower box takes more lines; a word longer than the box keeps its own line.
    RECT narrow{0, 0, c.Width("three") + 1, 0};
    EXPECT_EQ(DrawText(c.dc, text, -1, &narrow, DT_WORDBREAK | DT_CALCRECT), 6 * c.tm.tmHeight);
    RECT tiny{0, 0, 5, 0};
    EXPECT_EQ(DrawText(c.dc, "unbreakable", -1, &tiny, DT_WORDBREAK | DT_CALCRECT), c.tm.tmHeight);
    EXPECT_EQ(tiny.Right, c.Width("unbreakable"));
    // An edit control breaks a word too long for the line.
    RECT plain{0, 0, c.Width("abcdef") + 1, 0}, edit = plain;
    EXPECT_EQ(DrawText(c.dc, "abcdefghijkl", -1, &plain, DT_WORDBREAK | DT_CALCRECT), c.tm.tmHeight);
    EXPECT_EQ(DrawText(c.dc, "abcdefghijkl", -1, &edit, DT_WORDBREAK | DT_EDITCONTROL | DT_CALCRECT),
              2 * c.tm.tmHeight);
    EXPECT_LE(edit.Right, plain.Right);
}

TEST(TextMeasure, AnEditControlBreaksAWordOfAHundredThousandCharactersQuicklyAndDrawsTheLinesItMeasures) {
    TextCanvas c(400, 60);
    const int width = 300;
    const UINT flags = DT_WORDBREAK | DT_EDITCONTROL;
    std::string word;
    while (word.size() < 100000)
        word += "Kalvenor";
    // Measured and drawn (into a canvas that shows only the first lines) in time in proportion to the
    // word: found character by character from the start of the rest, each line took longer than the last,
    // and this word most of a minute.
    RECT r{0, 0, width, 0};
    const auto start = std::chrono::steady_clock::now();
    const int h = DrawText(c.dc, word.c_str(), -1, &r, flags | DT_CALCRECT);
    RECT shown{0, 0, width, 60};
    DrawText(c.dc, word.c_str(), -1, &shown, flags);
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    EXPECT_LT(took.count(), 5.0);
    // No line is wider than the width, and every line but the last is full to within a character.
    EXPECT_LE(r.Right, width);
    EXPECT_GT(r.Right, width - c.tm.tmMaxCharWidth);
    ASSERT_EQ(h % c.tm.tmHeight, 0);
    const long long lines = h / c.tm.tmHeight, whole = c.Width(word.c_str());
    EXPECT_GE(lines * (width + 1), whole);
    EXPECT_LE((lines - 1) * (width - c.tm.tmMaxCharWidth - 1), whole);
    EXPECT_LE(c.InkBox().Right, width);

    // Drawn unclipped, a shorter word's ink fills the lines measured, down to the last, and no further.
    const std::string part = word.substr(0, 2000);
    RECT m{0, 0, width, 0};
    const int partHeight = DrawText(c.dc, part.c_str(), -1, &m, flags | DT_CALCRECT);
    TextCanvas drawn(width + 100, partHeight + 3 * c.tm.tmHeight);
    RECT d{0, 0, width, 0};
    DrawText(drawn.dc, part.c_str(), -1, &d, flags | DT_NOCLIP);
    const RECT ink = drawn.InkBox();
    EXPECT_LE(ink.Right, width);
    EXPECT_LE(ink.Bottom, partHeight);
    EXPECT_GT(drawn.Inked({0, partHeight - drawn.tm.tmHeight, width, partHeight}), 0) << "the last line";
}

TEST(TextMeasure, PrefixesAreRemovedFromTheMeasureUnlessNoPrefixAndTabsExpandToTheNextStop) {
    TextCanvas c(200, 50);
    RECT a{0, 0, 0, 0}, b{0, 0, 0, 0}, lit{0, 0, 0, 0};
    DrawText(c.dc, "&File", -1, &a, DT_CALCRECT | DT_SINGLELINE);
    DrawText(c.dc, "File", -1, &b, DT_CALCRECT | DT_SINGLELINE);
    DrawText(c.dc, "&File", -1, &lit, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    EXPECT_EQ(a.Right, b.Right);
    EXPECT_EQ(lit.Right, c.Width("&File"));
    RECT amp{0, 0, 0, 0};
    DrawText(c.dc, "R&&D", -1, &amp, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(amp.Right, c.Width("R&D"));
    RECT tab{0, 0, 0, 0};
    DrawText(c.dc, "a\tb", -1, &tab, DT_SINGLELINE | DT_CALCRECT | DT_EXPANDTABS);
    EXPECT_EQ(tab.Right, 8 * c.tm.tmAveCharWidth + c.Width("b"));
}

TEST(TextDraw, AlignmentPlacesTheTextAndTheResultIsTheOffsetToTheTextBottom) {
    const UINT base = DT_SINGLELINE | DT_VCENTER;
    RECT boxes[3];
    const UINT align[3] = {DT_LEFT, DT_CENTER, DT_RIGHT};
    for (int i = 0; i < 3; ++i) {
        TextCanvas c(200, 30);
        RECT r{0, 0, 200, 30};
        DrawText(c.dc, "MMMM", -1, &r, base | align[i]);
        boxes[i] = c.InkBox();
        ASSERT_FALSE(boxes[i].IsEmpty());
    }
    EXPECT_LE(boxes[0].Left, 2);
    EXPECT_NEAR((boxes[1].Left + boxes[1].Right) / 2.0, 100, 2);
    EXPECT_GE(boxes[2].Right, 198);
    EXPECT_LE(boxes[2].Right, 200);
    // Vertically centred.
    EXPECT_NEAR((boxes[0].Top + boxes[0].Bottom) / 2.0, 15, 3);
    // The result is the offset to the text's bottom.
    TextCanvas c(100, 40);
    RECT r{0, 0, 100, 40};
    const int centred = DrawText(c.dc, "x", -1, &r, DT_SINGLELINE | DT_VCENTER);
    EXPECT_EQ(centred, (40 - c.tm.tmHeight) / 2 + c.tm.tmHeight);
    const int bottom = DrawText(c.dc, "x", -1, &r, DT_SINGLELINE | DT_BOTTOM);
    EXPECT_EQ(bottom, 40);
    EXPECT_EQ(DrawText(c.dc, "x", -1, &r, DT_SINGLELINE), c.tm.tmHeight);
}

TEST(TextDraw, TextIsClippedToTheRectangleUnlessNoClipAndExtTextOutFillsItsRectangle) {
    TextCanvas c(100, 40);
    RECT r{0, 0, 12, 40};
    DrawText(c.dc, "MMMMMMMM", -1, &r, DT_SINGLELINE);
    EXPECT_EQ(Dark(c, {12, 0, 100, 40}), 0);
    EXPECT_GT(Dark(c, {0, 0, 12, 40}), 0);
    DrawText(c.dc, "MMMMMMMM", -1, &r, DT_SINGLELINE | DT_NOCLIP);
    EXPECT_GT(Dark(c, {12, 0, 100, 40}), 0);
    TextCanvas c2(100, 30);
    const RECT r2{10, 5, 30, 20};
    ExtTextOut(c2.dc, 12, 6, ETO_OPAQUE | ETO_CLIPPED, &r2, "MMMMMM", 6, nullptr);
    EXPECT_EQ(c2.At(10, 5), White); // opaque fill with the white background colour
    EXPECT_EQ(Dark(c2, {30, 0, 100, 30}), 0);
    EXPECT_GT(Dark(c2, r2), 0);
    SetBkColor(c2.dc, RGB(0, 255, 0));
    ExtTextOut(c2.dc, 0, 0, ETO_OPAQUE, &r2, "", 0, nullptr);
    int green = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 100; ++x)
            green += c2.At(x, y) == RGB(0, 255, 0);
    EXPECT_EQ(green, 20 * 15);
}

TEST(TextDraw, EllipsesShortenAtTheEndAtAWordOrInThePathAndModifyStringReturnsTheShownText) {
    TextCanvas c(200, 30);
    char buf[64] = "This is a long caption that will not fit";
    const int limit = c.Width("This is a long");
    RECT r{0, 0, limit, 30};
    DrawText(c.dc, buf, -1, &r, DT_SINGLELINE | DT_END_ELLIPSIS | DT_MODIFYSTRING);
    const std::string shown = buf;
    ASSERT_GE(shown.size(), 3u);
    EXPECT_EQ(shown.substr(shown.size() - 3), "...");
    EXPECT_EQ(std::string("This is a long caption").compare(0, shown.size() - 3, shown, 0, shown.size() - 3),
              0);
    EXPECT_LE(c.Width(buf), limit);
    // Adding one more character would not fit.
    const std::string longer =
        std::string("This is a long caption that will not fit").substr(0, shown.size() - 2) + "...";
    EXPECT_GT(c.Width(longer.c_str()), limit);
    // Text that fits is left alone.
    char fits[32] = "Short";
    RECT wide{0, 0, 200, 30};
    DrawText(c.dc, fits, -1, &wide, DT_SINGLELINE | DT_END_ELLIPSIS | DT_MODIFYSTRING);
    EXPECT_STREQ(fits, "Short");
    // A path ellipsis keeps the last part.
    char path[80] = "C:\\Program Files\\Kalvenor\\Settings\\profile.ini";
    RECT p{0, 0, c.Width("C:\\Program\\profile.ini"), 30};
    DrawText(c.dc, path, -1, &p, DT_SINGLELINE | DT_PATH_ELLIPSIS | DT_MODIFYSTRING);
    const std::string shortened = path;
    EXPECT_EQ(shortened.rfind("...\\profile.ini"), shortened.size() - std::strlen("...\\profile.ini"))
        << path;
    EXPECT_EQ(shortened.rfind("C:\\", 0), 0u) << path;
    EXPECT_LE(c.Width(path), p.Right);
    // A word ellipsis cuts at a word.
    char words[64] = "alpha beta gamma delta";
    RECT w{0, 0, c.Width("alpha beta gam..."), 30};
    DrawText(c.dc, words, -1, &w, DT_SINGLELINE | DT_WORD_ELLIPSIS | DT_MODIFYSTRING);
    EXPECT_STREQ(words, "alpha beta...");
}

TEST(TextDraw, PrefixUnderlinesTheMarkedCharacterUnlessHiddenAndNoPrefixShowsTheAmpersand) {
    auto underlineInk = [](const char* text, UINT flags) {
        TextCanvas c(100, 30);
        RECT r{0, 0, 100, 30};
        DrawText(c.dc, text, -1, &r, DT_SINGLELINE | flags);
        const int y = c.tm.tmAscent + 1;
        // Ink in the rows below the baseline under the first letter.
        return Dark(c, {0, y, c.Width("F"), c.tm.tmHeight});
    };
    const int plain = underlineInk("File", 0);
    const int marked = underlineInk("&File", 0);
    const int hidden = underlineInk("&File", DT_HIDEPREFIX);
    EXPECT_GT(marked, plain);
    EXPECT_EQ(hidden, plain);
    // DT_PREFIXONLY draws the underline alone.
    TextCanvas c(100, 30);
    RECT r{0, 0, 100, 30};
    DrawText(c.dc, "&File", -1, &r, DT_SINGLELINE | DT_PREFIXONLY);
    const RECT box = c.InkBox();
    ASSERT_FALSE(box.IsEmpty());
    EXPECT_EQ(box.Height(), 1);
    EXPECT_GT(box.Top, c.tm.tmAscent - 1);
    EXPECT_LE(box.Right, c.Width("F") + 1);
    // Without prefixes the ampersand shows.
    TextCanvas a(100, 30), b(100, 30);
    DrawText(a.dc, "&&", -1, &r, DT_SINGLELINE);
    DrawText(b.dc, "&", -1, &r, DT_SINGLELINE | DT_NOPREFIX);
    EXPECT_EQ(a.InkBox(), b.InkBox());
    EXPECT_FALSE(a.InkBox().IsEmpty());
}

TEST(TextOutput, OpaqueModeFillsTheCellAndUpdateCurrentPositionAdvancesByTheWidth) {
    TextCanvas c(100, 30);
    SetBkMode(c.dc, OPAQUE);
    SetBkColor(c.dc, RGB(0, 0, 255));
    TextOut(c.dc, 5, 5, "ab", 2);
    EXPECT_EQ(c.At(5, 5), RGB(0, 0, 255));
    EXPECT_EQ(c.At(5 + c.Width("ab") - 1, 5 + c.tm.tmHeight - 1), RGB(0, 0, 255));
    EXPECT_EQ(c.At(5 + c.Width("ab"), 5), White);
    EXPECT_EQ(c.At(5, 5 + c.tm.tmHeight), White);
    SetBkMode(c.dc, TRANSPARENT);
    TextOut(c.dc, 5, 5 + c.tm.tmHeight + 2, "ab", 2);
    EXPECT_EQ(c.At(5, 5 + c.tm.tmHeight + 2), White);
    // With TA_UPDATECP the current position advances by the width.
    SetTextAlign(c.dc, TA_UPDATECP);
    MoveToEx(c.dc, 10, 5, nullptr);
    TextOut(c.dc, 0, 0, "abc", 3);
    POINT p{};
    GetCurrentPositionEx(c.dc, &p);
    EXPECT_EQ(p, (POINT{10 + c.Width("abc"), 5}));
}

TEST(TextOutput, ColourAlignmentToTheReferencePointAndTurnedText) {
    TextCanvas c(200, 40);
    SetTextColor(c.dc, RGB(255, 0, 0));
    SetTextAlign(c.dc, TA_RIGHT | TA_BASELINE);
    TextOut(c.dc, 100, 30, "MM", 2);
    const RECT box = c.InkBox();
    EXPECT_LE(box.Right, 100);
    EXPECT_GE(box.Right, 97);
    EXPECT_LE(box.Bottom, 31);
    EXPECT_GE(box.Bottom, 29);
    bool red = false;
    for (int y = box.Top; y < box.Bottom; ++y)
        for (int x = box.Left; x < box.Right; ++x)
            red = red || c.At(x, y) == RGB(255, 0, 0);
    EXPECT_TRUE(red);
    // An escapement of 900 runs the text upward from the reference point.
    TextCanvas c2(60, 120, -13, "Tahoma", 900);
    TextOut(c2.dc, 20, 100, "Turned text", 11);
    const RECT box2 = c2.InkBox();
    ASSERT_FALSE(box2.IsEmpty());
    EXPECT_GT(box2.Height(), 3 * box2.Width());
    EXPECT_LE(box2.Bottom, 101); // above the reference point
    EXPECT_GE(box2.Left, 19);    // the cell's top lies to the left, glyphs to the right of x
    EXPECT_NEAR(box2.Height(), c2.Width("Turned text"), 3);
    // -900 runs downward from the reference point.
    TextCanvas d(60, 120, -13, "Tahoma", -900);
    TextOut(d.dc, 40, 10, "Turned text", 11);
    const RECT down = d.InkBox();
    EXPECT_GE(down.Top, 9);
    EXPECT_LE(down.Right, 41);
    EXPECT_GT(down.Height(), 3 * down.Width());
}

TEST(TextRange, CharacterSpacingAndRectanglesSaturateAtTheEndsOfTheIntRange) {
    TextCanvas c(200, 40);
    const int plain = c.Width("abcd");
    SetTextCharacterExtra(c.dc, 3);
    EXPECT_EQ(c.Width("abcd"), plain + 4 * 3);
    // Two to the 21st per character is beyond the text engine's fixed-point units, not beyond the
    // coordinate range.
    SetTextCharacterExtra(c.dc, 1 << 21);
    EXPECT_EQ(c.Width("abcd"), plain + 4 * (1 << 21));
    SetTextCharacterExtra(c.dc, 1 << 30);
    EXPECT_EQ(c.Width("abcd"), INT_MAX);
    SetTextCharacterExtra(c.dc, -(1 << 30));
    EXPECT_EQ(c.Width("abcd"), INT_MIN);
    int fit = 0, dx[4] = {};
    SIZE size{};
    SetTextCharacterExtra(c.dc, 1 << 30);
    ASSERT_TRUE(GetTextExtentExPoint(c.dc, "abcd", 4, -1, &fit, dx, &size));
    EXPECT_EQ(dx[3], INT_MAX);
    // Drawn, the first character stays where it is; the rest lie far beyond the surface.
    TextOut(c.dc, 10, 5, "Wide", 4);
    EXPECT_GT(Dark(c, {10, 5, 10 + c.tm.tmMaxCharWidth, 5 + c.tm.tmHeight}), 0);
    // The current position saturates instead of wrapping.
    SetTextAlign(c.dc, TA_UPDATECP);
    MoveToEx(c.dc, INT_MAX - 10, 5, nullptr);
    TextOut(c.dc, 0, 0, "abcd", 4);
    POINT p{};
    GetCurrentPositionEx(c.dc, &p);
    EXPECT_EQ(p.X, INT_MAX);
    // DrawText in rectangles reaching the ends of the range.
    TextCanvas c2(100, 40);
    RECT all{INT_MIN, INT_MIN, INT_MAX, INT_MAX};
    EXPECT_GT(DrawText(c2.dc, "Centre", -1, &all, DT_SINGLELINE | DT_CENTER | DT_VCENTER), 0);
    RECT right{INT_MIN, 0, INT_MAX, 40};
    EXPECT_GT(DrawText(c2.dc, "Right\tTab", -1, &right, DT_RIGHT | DT_BOTTOM | DT_SINGLELINE | DT_EXPANDTABS),
              0);
    RECT wrap{0, 0, INT_MAX, INT_MAX};
    EXPECT_GT(DrawText(c2.dc, "some words to wrap", -1, &wrap, DT_WORDBREAK), 0);
    // A measured rectangle that would run past the range stops at its end.
    RECT calc{INT_MAX - 5, INT_MAX - 5, INT_MAX - 5, INT_MAX - 5};
    DrawText(c2.dc, "Measured\nover two lines", -1, &calc, DT_CALCRECT);
    EXPECT_EQ(calc.Right, INT_MAX);
    EXPECT_EQ(calc.Bottom, INT_MAX);
    DRAWTEXTPARAMS margins{sizeof(DRAWTEXTPARAMS), 8, INT_MAX, INT_MAX, 0};
    RECT box{-10, 0, 90, 40};
    EXPECT_GT(DrawTextEx(c2.dc, const_cast<char*>("Margins"), -1, &box, DT_SINGLELINE, &margins), 0);
    RECT m{0, 0, 10, 10};
    DrawTextEx(c2.dc, const_cast<char*>("Margins"), -1, &m, DT_CALCRECT | DT_SINGLELINE, &margins);
    EXPECT_EQ(m.Right, INT_MAX);
}

// Plain runs are drawn from kept glyph coverage straight into the pixels; runs with a prefix underline go
// through the text engine. Both must put the same glyphs in the same places, in top-down and bottom-up
// bitmaps, over opaque and over transparent (premultiplied) pixels, in whatever colour and at any offset.
// Glyph edges may differ by a few levels (the engine rounds its own way); a glyph a pixel off would not.
TEST(TextDraw, KeptGlyphsDrawAsTheTextEngineDoes) {
    for (const bool bottomUp : {false, true})
        for (const bool transparent : {false, true}) {
            auto draw = [&](const char* text, POINT at) {
                auto c = std::make_unique<TextCanvas>(80, 24, -13, "Tahoma", 0, bottomUp);
                if (transparent) std::memset(c->bits, 0, 80 * 24 * 4);
                SetTextColor(c->dc, RGB(200, 40, 90));
                RECT r{at.X, at.Y, 80, 24};
                DrawText(c->dc, text, -1, &r, DT_SINGLELINE | DT_NOCLIP);
                return c;
            };
            for (const POINT at : {POINT{0, 0}, POINT{3, 5}, POINT{-2, -1}}) {
                auto plain = draw("Quotes", at);
                auto marked = draw("Quote&s", at); // the underline goes under the "s" only
                const int left = std::max(0, at.X + plain->Width("Quote") - 1);
                int differing = 0, inked = 0;
                const auto* a = static_cast<const std::uint32_t*>(plain->bits);
                const auto* b = static_cast<const std::uint32_t*>(marked->bits);
                for (int y = 0; y < 24; ++y)
                    for (int x = 0; x < left; ++x) {
                        const std::uint32_t p = a[y * 80 + x], q = b[y * 80 + x];
                        inked += p != (transparent ? 0u : 0xFFFFFFFFu);
                        for (int shift = 0; shift < 32; shift += 8)
                            differing += std::abs(int((p >> shift) & 0xFF) - int((q >> shift) & 0xFF)) > 8;
                    }
                EXPECT_GT(inked, 20) << at.X << "," << at.Y;
                EXPECT_EQ(differing, 0) << at.X << "," << at.Y << " transparent " << transparent;
            }
        }
}

// A run whose cell lies just beside the clip may still reach into it with its ink (an italic letter's
// overhang): it must be drawn there, exactly as with the clip covering it.
TEST(TextDraw, RunsBesideTheClipStillDrawTheirOverhang) {
    auto draw = [](bool clipped) {
        auto c = std::make_unique<TextCanvas>(60, 30, -24, "DejaVu Serif");
        LOGFONT lf{};
        GetObject(GetCurrentObject(c->dc, OBJ_FONT), sizeof lf, &lf);
        lf.lfItalic = TRUE;
        HFONT italic = CreateFontIndirect(&lf);
        HGDIOBJ old = SelectObject(c->dc, italic);
        SetTextAlign(c->dc, TA_RIGHT | TA_TOP);
        RECT clip{30, 0, 60, 30};
        ExtTextOut(c->dc, 30, 2, clipped ? ETO_CLIPPED : 0, &clip, "ff", 2, nullptr);
        SelectObject(c->dc, old);
        DeleteObject(italic);
        return c;
    };
    auto clipped = draw(true), whole = draw(false);
    int overhang = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 30; x < 60; ++x) {
            overhang += whole->At(x, y) != White;
            EXPECT_EQ(clipped->At(x, y), whole->At(x, y)) << x << "," << y;
        }
    EXPECT_GT(overhang, 0) << "an italic f at 24 pixels reaches past its cell";
}

// Text that is not valid UTF-8 draws and measures with a replacement character for each broken byte,
// without the text engine's warnings.
TEST(TextDraw, BrokenUtf8DrawsWithReplacementCharacters) {
    int warnings = 0;
    const guint handler = g_log_set_handler(
        "Pango", static_cast<GLogLevelFlags>(G_LOG_LEVEL_WARNING | G_LOG_LEVEL_CRITICAL),
        [](const gchar*, GLogLevelFlags, const gchar*, gpointer n) { ++*static_cast<int*>(n); }, &warnings);
    const char* broken[] = {"ab\377cd", "\303", "ab\342\202", "a\300\257b"};
    for (const char* text : broken) {
        TextCanvas c(120, 24);
        RECT r{0, 0, 120, 24};
        DrawText(c.dc, text, -1, &r, DT_SINGLELINE | DT_NOPREFIX);
        EXPECT_GT(Dark(c, {0, 0, 120, 24}), 0) << text;
        TextOut(c.dc, 0, 0, text, static_cast<int>(std::strlen(text)));
    }
    TextCanvas c(120, 24);
    EXPECT_EQ(c.Width("ab\377cd"), c.Width("ab\357\277\275cd")); // U+FFFD in UTF-8
    EXPECT_GT(c.Width("\xC3"), 0);
    // One character each for a, the two broken bytes and b.
    int fit = 0, dx[4] = {};
    SIZE size{};
    ASSERT_TRUE(GetTextExtentExPoint(c.dc, "a\300\257b", 4, 1000, &fit, dx, &size));
    EXPECT_EQ(fit, 4);
    EXPECT_EQ(dx[3], size.cx);
    EXPECT_LT(dx[0], dx[1]);
    EXPECT_LT(dx[1], dx[2]);
    g_log_remove_handler("Pango", handler);
    EXPECT_EQ(warnings, 0);
}

TEST(TextDraw, EveryPrefixIsUnderlinedUnderItsOwnCharacterInShortLongAndBrokenTexts) {
    // The underline row of a prefixed text has ink exactly under the marked characters.
    auto underline = [](const std::string& text, int width) {
        TextCanvas c(width, 30);
        RECT r{0, 0, width, 30};
        DrawText(c.dc, text.c_str(), -1, &r, DT_SINGLELINE | DT_NOCLIP);
        TextCanvas plain(width, 30);
        std::string shown;
        for (std::size_t i = 0; i < text.size(); ++i)
            if (text[i] != '&') shown += text[i];
        DrawText(plain.dc, shown.c_str(), -1, &r, DT_SINGLELINE | DT_NOCLIP);
        // The rows where the prefixed text has ink the plain one has not.
        std::string marks;
        for (int x = 0; x < width; ++x) {
            bool extra = false;
            for (int y = 0; y < 30; ++y)
                extra = extra || (c.At(x, y) != plain.At(x, y));
            marks += extra ? '_' : ' ';
        }
        return marks;
    };
    TextCanvas m(10, 10);
    const int a = m.Width("a"), ab = m.Width("ab"), abc = m.Width("abc"), abcd = m.Width("abcd");
    // "a&bc&d": under b and under d only.
    const std::string two = underline("a&bc&d", 60);
    EXPECT_EQ(two.substr(0, static_cast<std::size_t>(a)), std::string(static_cast<std::size_t>(a), ' '));
    EXPECT_EQ(two.substr(static_cast<std::size_t>(a), static_cast<std::size_t>(ab - a)),
              std::string(static_cast<std::size_t>(ab - a), '_'));
    EXPECT_EQ(two.substr(static_cast<std::size_t>(ab), static_cast<std::size_t>(abc - ab)),
              std::string(static_cast<std::size_t>(abc - ab), ' '));
    EXPECT_EQ(two.substr(static_cast<std::size_t>(abc), static_cast<std::size_t>(abcd - abc)),
              std::string(static_cast<std::size_t>(abcd - abc), '_'));
    EXPECT_EQ(two.substr(static_cast<std::size_t>(abcd)),
              std::string(60 - static_cast<std::size_t>(abcd), ' '));
    // A text of 300 prefixed characters (longer than any kept layout): one line under all of them.
    std::string many;
    for (int i = 0; i < 300; ++i)
        many += "&x";
    const int width = m.Width(std::string(300, 'x').c_str());
    const std::string line = underline(many, width + 10);
    EXPECT_EQ(line, std::string(static_cast<std::size_t>(width), '_') + std::string(10, ' '));
    // Broken bytes before the prefixes draw as replacement characters and move the underlines with them.
    TextCanvas broken(120, 30), valid(120, 30);
    RECT r{0, 0, 120, 30};
    DrawText(broken.dc, "\377&x\376&y", -1, &r, DT_SINGLELINE);
    DrawText(valid.dc, "\357\277\275&x\357\277\275&y", -1, &r, DT_SINGLELINE);
    for (int y = 0; y < 30; ++y)
        EXPECT_EQ(broken.Row(y, Black, 0, 120), valid.Row(y, Black, 0, 120)) << "row " << y;
}

TEST(TextRange, ATabLengthNearTheIntRangeIsKeptToItAsOtherMeasuresAre) {
    TextCanvas c(60, 20);
    DRAWTEXTPARAMS params{};
    params.cbSize = sizeof params;
    params.iTabLength = INT_MAX - 1;
    char text[] = "a\tb";
    RECT r{0, 0, 60, 20};
    DrawTextEx(c.dc, text, -1, &r, DT_EXPANDTABS | DT_CALCRECT, &params);
    // The tab stop lies at the end of the range: "b" after it saturates the width.
    EXPECT_EQ(r.Right, INT_MAX);
    RECT d{0, 0, 60, 20};
    DrawTextEx(c.dc, text, -1, &d, DT_EXPANDTABS, &params);
    EXPECT_LE(c.InkBox().Right, c.Width("a") + 2); // only "a" lands on the canvas
}

// The text engine places glyphs in 1/1024 pixel in an int: a line wider than 2^21 pixels is past its range.
constexpr long long EngineRangePixels = 1LL << 21;

TEST(TextRange, ALineWiderThanTheTextEnginesRangeMeasuresAndDrawsAsItsLettersAddUp) {
    // Two hundred letters of a 16000-pixel font, three million pixels.
    TextCanvas huge(60, 20, -16000);
    const int w = huge.Width("W");
    const std::string line(200, 'W');
    ASSERT_GT(200LL * w, EngineRangePixels);
    EXPECT_EQ(huge.Width(line.c_str()), 200 * w);
    RECT calc{0, 0, 0, 0};
    DrawText(huge.dc, line.c_str(), -1, &calc, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(calc.Right, 200 * w);
    int fit = 0;
    std::vector<int> dx(line.size());
    SIZE size{};
    ASSERT_TRUE(GetTextExtentExPoint(huge.dc, line.c_str(), 200, INT_MAX, &fit, dx.data(), &size));
    EXPECT_EQ(fit, 200);
    EXPECT_EQ(dx[99], 100 * w);
    EXPECT_EQ(dx[199], 200 * w);
    EXPECT_EQ(size.cx, 200 * w);

    // Of an ordinary font, a line long enough: drawn against the right edge, its last letters show as a few
    // letters alone do.
    TextCanvas far(60, 20), near(60, 20);
    const int letter = far.Width("W");
    const std::string longLine(static_cast<std::size_t>(EngineRangePixels / letter + 1000), 'W');
    EXPECT_EQ(far.Width(longLine.c_str()), static_cast<long long>(longLine.size()) * letter);
    RECT box{0, 0, 60, 20};
    DrawText(far.dc, longLine.c_str(), -1, &box, DT_SINGLELINE | DT_RIGHT);
    DrawText(near.dc, "WWWWWWWW", -1, &box, DT_SINGLELINE | DT_RIGHT);
    ASSERT_GT(Dark(near, box), 0);
    for (int y = 0; y < 20; ++y)
        EXPECT_EQ(far.Row(y, Black), near.Row(y, Black)) << "row " << y;
}

TEST(TextRange, ATabNearTheEndOfTheTextEnginesRangeFindsItsStop) {
    TextCanvas c(60, 20), start(60, 20);
    // Letters and a tab end on a stop, so after n of them the text goes on as at the start of a line, moved
    // by n times their width. The letters after the last of them end half a stop short of 2^21 pixels: the
    // next stop lies past the engine's range.
    const std::string letters(99, 'a');
    const std::string segment = letters + "\t";
    const int width = c.Width(segment.c_str()), a = c.Width("a"), stop = c.Width("\t");
    const long long n = EngineRangePixels / width - 1;
    const long long before = EngineRangePixels - stop / 2 - n * width;
    const std::string tail = std::string(static_cast<std::size_t>(before / a), 'a') + "\tb";
    std::string line;
    for (long long i = 0; i < n; ++i)
        line += segment;
    line += tail;
    const long long expected = n * width + c.Width(tail.c_str());
    EXPECT_EQ(c.Width(line.c_str()), expected);
    RECT calc{0, 0, 0, 0};
    DrawText(c.dc, line.c_str(), -1, &calc, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(calc.Right, expected);
    // Drawn, its start shows as the start alone does.
    TextOut(c.dc, 0, 0, line.c_str(), static_cast<int>(line.size()));
    TextOut(start.dc, 0, 0, line.c_str(), 20);
    ASSERT_GT(Dark(start, {0, 0, 60, 20}), 0);
    for (int y = 0; y < 20; ++y)
        EXPECT_EQ(c.Row(y, Black), start.Row(y, Black)) << "row " << y;
}
