// Text: families and fonts, string formats, and what DrawString and MeasureString do with them.

#include <limits>
#include <string>
#include <vector>

#include "tests/gdiplus/GdipTestSupport.h"

namespace gdiptest {
namespace {

FormatPtr MakeFormat(INT flags = 0) {
    GpStringFormat* f = nullptr;
    EXPECT_EQ(GdipCreateStringFormat(flags, 0, &f), Ok);
    return FormatPtr(f);
}

Box Draw(const std::u16string& text, GpStringFormat* fmt, GpRectF rect, int w = 300, int h = 60) {
    Canvas c(w, h);
    FontPtr font = MakeFont(u"Arial", 16);
    BrushPtr black = Solid(kBlack);
    EXPECT_EQ(GdipDrawString(c.g(), text.c_str(), static_cast<INT>(text.size()), font.get(), &rect, fmt,
                             black.get()),
              Ok);
    return c.Inked();
}

TEST(GdipFonts, FamiliesResolveThroughTheAliasTableAndSizesAndUnitsAreChecked) {
    for (const char16_t* name : {u"Arial", u"Tahoma", u"Segoe UI", u"DejaVu Sans"}) {
        GpFontFamily* f = nullptr;
        EXPECT_EQ(GdipCreateFontFamilyFromName(name, nullptr, &f), Ok);
        FamilyPtr owner(f);
        WCHAR back[32] = {};
        ASSERT_EQ(GdipGetFamilyName(f, back, 0), Ok);
        EXPECT_EQ(std::u16string(back), std::u16string(name));
    }
    GpFontFamily* f = reinterpret_cast<GpFontFamily*>(1);
    EXPECT_EQ(GdipCreateFontFamilyFromName(u"No Such Family Qzx", nullptr, &f), FontFamilyNotFound);
    EXPECT_EQ(f, nullptr);
    EXPECT_EQ(GdipCreateFontFamilyFromName(u"", nullptr, &f), FontFamilyNotFound);
    EXPECT_EQ(GdipCreateFontFamilyFromName(nullptr, nullptr, &f), InvalidParameter);
    GpFontFamily* fam = nullptr;
    ASSERT_EQ(GdipCreateFontFamilyFromName(u"Tahoma", nullptr, &fam), Ok);
    FamilyPtr owner(fam);
    GpFont* f2 = nullptr;
    EXPECT_EQ(GdipCreateFont(fam, 0, 0, UnitPoint, &f2), InvalidParameter);
    EXPECT_EQ(GdipCreateFont(fam, -3, 0, UnitPoint, &f2), InvalidParameter);
    EXPECT_EQ(GdipCreateFont(fam, std::numeric_limits<REAL>::quiet_NaN(), 0, UnitPoint, &f2),
              InvalidParameter);
    EXPECT_EQ(GdipCreateFont(fam, 1e9f, 0, UnitPoint, &f2), InvalidParameter);
    EXPECT_EQ(GdipCreateFont(fam, 9, 0, UnitDisplay, &f2), InvalidParameter);
    EXPECT_EQ(GdipCreateFont(nullptr, 9, 0, UnitPoint, &f2), InvalidParameter);
    ASSERT_EQ(GdipCreateFont(fam, 9, FontStyleBold | FontStyleUnderline, UnitPoint, &f2), Ok);
    FontPtr font(f2);
    REAL size = 0;
    INT style = 0;
    Unit unit = UnitWorld;
    ASSERT_EQ(GdipGetFontSize(f2, &size), Ok);
    ASSERT_EQ(GdipGetFontStyle(f2, &style), Ok);
    ASSERT_EQ(GdipGetFontUnit(f2, &unit), Ok);
    EXPECT_EQ(size, 9);
    EXPECT_EQ(style, FontStyleBold | FontStyleUnderline);
    EXPECT_EQ(unit, UnitPoint);
    // Twelve points are sixteen pixels at 96 dots per inch: the same text, measured both ways.
    Canvas c(10, 10);
    GpFont *pt = nullptr, *px = nullptr;
    ASSERT_EQ(GdipCreateFont(fam, 12, 0, UnitPoint, &pt), Ok);
    ASSERT_EQ(GdipCreateFont(fam, 16, 0, UnitPixel, &px), Ok);
    FontPtr o1(pt), o2(px);
    const GpRectF none{0, 0, 0, 0};
    GpRectF a{}, b{};
    ASSERT_EQ(GdipMeasureString(c.g(), u"Measure", -1, pt, &none, nullptr, &a, nullptr, nullptr), Ok);
    ASSERT_EQ(GdipMeasureString(c.g(), u"Measure", -1, px, &none, nullptr, &b, nullptr, nullptr), Ok);
    EXPECT_NEAR(a.Width, b.Width, 0.01);
    EXPECT_GT(a.Width, 40);
}

// Laid-out text is kept between calls: a text measures the same however often and in whatever order it is
// asked for, and never as another text, font size or style.
TEST(GdipFonts, KeptLayoutsAnswerOnlyTheSameTextInTheSameFontAndFormatsCloneTheirSettings) {
    Canvas c(10, 10);
    FontPtr regular = MakeFont(u"Tahoma", 16), bold = MakeFont(u"Tahoma", 16, FontStyleBold),
            large = MakeFont(u"Tahoma", 24);
    const GpRectF none{0, 0, 0, 0};
    auto width = [&](const char16_t* text, GpFont* font) {
        GpRectF box{};
        EXPECT_EQ(GdipMeasureString(c.g(), text, -1, font, &none, nullptr, &box, nullptr, nullptr), Ok);
        return box.Width;
    };
    const REAL plain = width(u"Measure", regular.get());
    const REAL heavy = width(u"Measure", bold.get());
    const REAL big = width(u"Measure", large.get());
    const REAL longer = width(u"Measured", regular.get());
    EXPECT_GT(heavy, plain);
    EXPECT_GT(big, plain);
    EXPECT_GT(longer, plain);
    for (int round = 0; round < 2; ++round) {
        EXPECT_EQ(width(u"Measured", regular.get()), longer);
        EXPECT_EQ(width(u"Measure", large.get()), big);
        EXPECT_EQ(width(u"Measure", bold.get()), heavy);
        EXPECT_EQ(width(u"Measure", regular.get()), plain);
    }
    FormatPtr f = MakeFormat(StringFormatFlagsNoWrap);
    StringTrimming trimming = StringTrimmingNone;
    ASSERT_EQ(GdipGetStringFormatTrimming(f.get(), &trimming), Ok);
    EXPECT_EQ(trimming, StringTrimmingCharacter); // GDI+'s default
    ASSERT_EQ(GdipSetStringFormatAlign(f.get(), StringAlignmentFar), Ok);
    ASSERT_EQ(GdipSetStringFormatLineAlign(f.get(), StringAlignmentCenter), Ok);
    ASSERT_EQ(GdipSetStringFormatTrimming(f.get(), StringTrimmingEllipsisWord), Ok);
    ASSERT_EQ(GdipSetStringFormatHotkeyPrefix(f.get(), HotkeyPrefixShow), Ok);
    GpStringFormat* copy = nullptr;
    ASSERT_EQ(GdipCloneStringFormat(f.get(), &copy), Ok);
    FormatPtr owner(copy);
    ASSERT_EQ(GdipSetStringFormatAlign(f.get(), StringAlignmentNear), Ok); // the clone is independent
    StringAlignment a = StringAlignmentNear, la = StringAlignmentNear;
    INT prefix = 0, flags = 0;
    ASSERT_EQ(GdipGetStringFormatAlign(copy, &a), Ok);
    ASSERT_EQ(GdipGetStringFormatLineAlign(copy, &la), Ok);
    ASSERT_EQ(GdipGetStringFormatTrimming(copy, &trimming), Ok);
    ASSERT_EQ(GdipGetStringFormatHotkeyPrefix(copy, &prefix), Ok);
    ASSERT_EQ(GdipGetStringFormatFlags(copy, &flags), Ok);
    EXPECT_EQ(a, StringAlignmentFar);
    EXPECT_EQ(la, StringAlignmentCenter);
    EXPECT_EQ(trimming, StringTrimmingEllipsisWord);
    EXPECT_EQ(prefix, HotkeyPrefixShow);
    EXPECT_EQ(flags, StringFormatFlagsNoWrap);
    EXPECT_EQ(GdipSetStringFormatAlign(f.get(), static_cast<StringAlignment>(3)), InvalidParameter);
    EXPECT_EQ(GdipSetStringFormatTrimming(f.get(), static_cast<StringTrimming>(6)), InvalidParameter);
    EXPECT_EQ(GdipSetStringFormatHotkeyPrefix(f.get(), 3), InvalidParameter);
    EXPECT_EQ(GdipCloneStringFormat(nullptr, &copy), InvalidParameter);
}

TEST(GdipDrawString, AlignmentPlacesTheInkInsideTheLayoutRectangle) {
    const GpRectF rect{10, 10, 280, 40};
    FormatPtr centred = MakeFormat();
    GdipSetStringFormatAlign(centred.get(), StringAlignmentCenter);
    GdipSetStringFormatLineAlign(centred.get(), StringAlignmentCenter);
    const Box c = Draw(u"Centred", centred.get(), rect);
    ASSERT_FALSE(c.Empty());
    EXPECT_NEAR(c.CentreX(), 150, 3);
    EXPECT_NEAR(c.CentreY(), 30, 4);

    FormatPtr far = MakeFormat();
    GdipSetStringFormatAlign(far.get(), StringAlignmentFar);
    GdipSetStringFormatLineAlign(far.get(), StringAlignmentFar);
    const Box f = Draw(u"Far", far.get(), rect);
    ASSERT_FALSE(f.Empty());
    EXPECT_LE(f.right, 289);
    EXPECT_GE(f.right, 281); // a sixth of an em of padding, plus the glyph's side bearing
    EXPECT_LE(f.bottom, 49);
    EXPECT_GE(f.bottom, 40);

    const Box n = Draw(u"Near", nullptr, rect);
    ASSERT_FALSE(n.Empty());
    EXPECT_GE(n.left, 11);
    EXPECT_LE(n.left, 16);
    EXPECT_GE(n.top, 10);
    EXPECT_LT(n.top, 20);
}

TEST(GdipDrawString, WrapsInsideTheWidthUnlessNoWrapAndTrimmingShortensTheText) {
    Canvas c(10, 10);
    FontPtr font = MakeFont(u"Arial", 16);
    GpRectF box{};
    INT fitted = 0, lines = 0;
    auto measure = [&](const std::u16string& text, GpRectF rect, GpStringFormat* format = nullptr) {
        EXPECT_EQ(
            GdipMeasureString(c.g(), text.c_str(), -1, font.get(), &rect, format, &box, &fitted, &lines), Ok);
    };
    const std::u16string text = u"one two three four five six seven";
    measure(text, {0, 0, 80, 0});
    EXPECT_GT(lines, 2);
    EXPECT_EQ(fitted, static_cast<INT>(text.size()));
    EXPECT_LE(box.Width, 80);
    FormatPtr noWrap = MakeFormat(StringFormatFlagsNoWrap);
    GdipSetStringFormatTrimming(noWrap.get(), StringTrimmingNone);
    measure(text, {0, 0, 80, 0}, noWrap.get());
    EXPECT_EQ(lines, 1);
    // Explicit line breaks always break.
    measure(u"a\nb\r\nc", {0, 0, 0, 0});
    EXPECT_EQ(lines, 3);
    // Height limits the lines that show.
    measure(text, {0, 0, 80, 30});
    EXPECT_EQ(lines, 1);
    EXPECT_LT(fitted, static_cast<INT>(text.size()));
    EXPECT_LE(box.Height, 30);
    // Trimming with an ellipsis keeps inside the width, at a word's end for the word ellipsis.
    const std::u16string fox = u"The quick brown fox jumps over the lazy dog";
    measure(fox, {0, 0, 0, 0});
    EXPECT_EQ(fitted, static_cast<INT>(fox.size()));
    EXPECT_GT(box.Width, 200);
    for (StringTrimming mode : {StringTrimmingEllipsisCharacter, StringTrimmingEllipsisWord}) {
        FormatPtr f = MakeFormat(StringFormatFlagsNoWrap);
        GdipSetStringFormatTrimming(f.get(), mode);
        measure(fox, {0, 0, 120, 30}, f.get());
        EXPECT_LE(box.Width, 120) << mode;
        EXPECT_GT(fitted, 3) << mode;
        EXPECT_LT(fitted, static_cast<INT>(fox.size())) << mode;
        if (mode == StringTrimmingEllipsisWord) {
            EXPECT_EQ(fox[static_cast<std::size_t>(fitted)], u' ');
        }
        EXPECT_LE(Draw(fox, f.get(), {0, 0, 120, 30}, 300, 40).right, 120);
    }
    // Without an ellipsis the text is still cut at the width.
    FormatPtr plain = MakeFormat(StringFormatFlagsNoWrap);
    measure(fox, {0, 0, 120, 30}, plain.get());
    EXPECT_LT(fitted, static_cast<INT>(fox.size()));
}

TEST(GdipDrawString, HotkeyPrefixUnderlinesTheMarkedLetter) {
    const GpRectF rect{10, 10, 200, 40};
    FormatPtr show = MakeFormat(), hide = MakeFormat(), none = MakeFormat();
    GdipSetStringFormatHotkeyPrefix(show.get(), HotkeyPrefixShow);
    GdipSetStringFormatHotkeyPrefix(hide.get(), HotkeyPrefixHide);
    FontPtr font = MakeFont(u"Arial", 16);
    BrushPtr black = Solid(kBlack);
    Canvas a(220, 60), b(220, 60), plain(220, 60), literal(220, 60);
    ASSERT_EQ(GdipDrawString(a.g(), u"&File", -1, font.get(), &rect, show.get(), black.get()), Ok);
    ASSERT_EQ(GdipDrawString(b.g(), u"&File", -1, font.get(), &rect, hide.get(), black.get()), Ok);
    ASSERT_EQ(GdipDrawString(plain.g(), u"File", -1, font.get(), &rect, none.get(), black.get()), Ok);
    ASSERT_EQ(GdipDrawString(literal.g(), u"&File", -1, font.get(), &rect, none.get(), black.get()), Ok);
    // Hidden prefixes draw the text without the "&"; no prefix processing shows the "&".
    int hideDiff = 0;
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 220; ++x)
            hideDiff += b.At(x, y) != plain.At(x, y) ? 1 : 0;
    EXPECT_EQ(hideDiff, 0);
    EXPECT_GT(literal.Inked().right, plain.Inked().right + 5);
    // Shown: extra ink in one row below the text, under the "F" only.
    const Box text = plain.Inked();
    int bestRow = -1, bestRun = 0, minX = 1000, maxX = -1;
    for (int y = 0; y < 60; ++y) {
        int run = 0;
        for (int x = 0; x < 220; ++x) {
            if (a.At(x, y) != kWhite && b.At(x, y) == kWhite) {
                ++run;
                minX = std::min(minX, x), maxX = std::max(maxX, x);
            }
        }
        if (run > bestRun) bestRun = run, bestRow = y;
    }
    EXPECT_GE(bestRun, 4);
    EXPECT_GE(bestRow, text.top + 8);
    EXPECT_GE(minX, text.left - 1);
    EXPECT_LE(maxX, text.left + 12); // within the first letter
    // The fitted count counts the caller's characters, prefix marks included.
    INT fitted = 0;
    GpRectF box{};
    ASSERT_EQ(GdipMeasureString(a.g(), u"&File", -1, font.get(), &rect, show.get(), &box, &fitted, nullptr),
              Ok);
    EXPECT_EQ(fitted, 5);
}

TEST(GdipDrawString, UnderlineAndStrikeoutDrawTheirLinesAndDegenerateInputDrawsNothing) {
    const GpRectF rect{10, 5, 200, 40};
    BrushPtr black = Solid(kBlack);
    auto inkRows = [&](INT style) {
        Canvas c(220, 50);
        FontPtr font = MakeFont(u"Arial", 20, style);
        EXPECT_EQ(GdipDrawString(c.g(), u"x      x", -1, font.get(), &rect, nullptr, black.get()), Ok);
        // For each row: how many pixels are inked in the blank gap between the two letters.
        std::vector<int> rows(50, 0);
        const Box all = c.Inked();
        const int mid = static_cast<int>(all.CentreX());
        for (int y = 0; y < 50; ++y)
            for (int x = mid - 2; x <= mid + 2; ++x)
                rows[static_cast<std::size_t>(y)] += c.At(x, y) != kWhite ? 1 : 0;
        return rows;
    };
    const auto plain = inkRows(FontStyleRegular), under = inkRows(FontStyleUnderline),
               strike = inkRows(FontStyleStrikeout);
    int plainInk = 0, underInk = 0, strikeRow = -1, underRow = -1;
    for (int y = 0; y < 50; ++y) {
        plainInk += plain[static_cast<std::size_t>(y)];
        underInk += under[static_cast<std::size_t>(y)];
        if (under[static_cast<std::size_t>(y)] >= 4 && underRow < 0) underRow = y;
        if (strike[static_cast<std::size_t>(y)] >= 4 && strikeRow < 0) strikeRow = y;
    }
    EXPECT_EQ(plainInk, 0); // the gap is empty without a line
    EXPECT_GT(underInk, 0);
    ASSERT_GE(strikeRow, 0);
    ASSERT_GE(underRow, 0);
    EXPECT_LT(strikeRow, underRow); // strike-out runs through the text, the underline below it
    Canvas c(50, 20);
    FontPtr font = MakeFont(u"Arial", 12);
    BrushPtr black2 = Solid(kBlack);
    const GpRectF rect2{0, 0, 50, 20}, bad{0, std::numeric_limits<REAL>::infinity(), 5, 5};
    GpRectF box{};
    EXPECT_EQ(GdipDrawString(c.g(), nullptr, 3, font.get(), &rect2, nullptr, black2.get()), InvalidParameter);
    EXPECT_EQ(GdipDrawString(c.g(), u"abc", -2, font.get(), &rect2, nullptr, black2.get()), InvalidParameter);
    EXPECT_EQ(GdipDrawString(c.g(), u"abc", 3, nullptr, &rect2, nullptr, black2.get()), InvalidParameter);
    EXPECT_EQ(GdipDrawString(c.g(), u"abc", 3, font.get(), &bad, nullptr, black2.get()), InvalidParameter);
    EXPECT_EQ(GdipDrawString(c.g(), u"abc", 3, font.get(), &rect2, nullptr, nullptr), InvalidParameter);
    EXPECT_EQ(GdipMeasureString(c.g(), u"abc", 3, font.get(), &rect2, nullptr, nullptr, nullptr, nullptr),
              InvalidParameter);
    EXPECT_EQ(GdipDrawString(c.g(), u"", 0, font.get(), &rect2, nullptr, black2.get()), Ok);
    EXPECT_TRUE(c.Untouched());
    INT fitted = -1, lines = -1;
    ASSERT_EQ(GdipMeasureString(c.g(), u"", 0, font.get(), &rect2, nullptr, &box, &fitted, &lines), Ok);
    EXPECT_EQ(fitted, 0);
    EXPECT_EQ(lines, 0);
    EXPECT_EQ(box.Width, 0);
    // An unpaired surrogate is shown as a replacement character, not read past.
    const char16_t lone[] = {u'a', 0xD800};
    EXPECT_EQ(GdipDrawString(c.g(), lone, 2, font.get(), &rect2, nullptr, black2.get()), Ok);
}

} // namespace
} // namespace gdiptest
