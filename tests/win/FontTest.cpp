// Fonts: the alias table, unknown families, logical heights and metrics.

#include <algorithm>
#include <climits>
#include <cstring>
#include <utility>

#include "platform/win/FontAlias.h"
#include "tests/win/GdiTestSupport.h"

using namespace gditest;

TEST(FontAlias, WindowsFamiliesMapToInstalledOnesUnknownOnesAreMissingAndTheListIsSorted) {
    EXPECT_EQ(ResolveFontFamily("segoe ui"), "DejaVu Sans");
    EXPECT_EQ(ResolveFontFamily("Courier New"), "DejaVu Sans Mono");
    EXPECT_EQ(ResolveFontFamily(" Georgia "), "DejaVu Serif");
    EXPECT_EQ(ResolveFontFamily("dejavu sans mono"), "DejaVu Sans Mono");
    for (const char* n : {"Arial", "Verdana", "Marlett", "Wingdings", "Webdings", "Symbol", "Calibri",
                          "Trebuchet MS", "Small Fonts", "System", "Default", "Microsoft Sans Serif"})
        EXPECT_TRUE(FontFamilyExists(n)) << n;
    EXPECT_FALSE(FontFamilyExists("No Such Family Kalvenor"));
    EXPECT_EQ(ResolveFontFamily("No Such Family Kalvenor"), "");
    EXPECT_FALSE(FontFamilyExists(""));
    EXPECT_FALSE(DefaultFontFamily().empty());
    const auto names = InstalledFontFamilies();
    EXPECT_NE(std::find(names.begin(), names.end(), "Tahoma"), names.end());
    EXPECT_NE(std::find(names.begin(), names.end(), "DejaVu Sans"), names.end());
    EXPECT_EQ(std::count(names.begin(), names.end(), "Tahoma"), 1);
    auto lower = [](std::string s) {
        for (char& ch : s)
            ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
        return s;
    };
    for (std::size_t i = 1; i < names.size(); ++i)
        EXPECT_LE(lower(names[i - 1]), lower(names[i]));
}

TEST(FontAlias, ThePlatformsFamiliesAreDrawnInTheirMetricCompatibleFreeFacesAndDejaVuWhenAsked) {
    // tools/setup installs the faces; the program maps to them, the tests (KALVENOR_FONTS=dejavu) to DejaVu.
    const std::pair<const char*, const char*> faces[] = {{"Tahoma", "Tahoma"},
                                                         {"Arial", "Liberation Sans"},
                                                         {"Times New Roman", "Liberation Serif"},
                                                         {"Courier New", "Liberation Mono"},
                                                         {"Calibri", "Carlito"},
                                                         {"Cambria", "Caladea"},
                                                         {"Symbol", "Symbol"},
                                                         {"Marlett", "Marlett"}};
    for (const auto& [name, face] : faces)
        EXPECT_EQ(ResolveFontFamily(name, FontFaces::MetricCompatible), face) << name;
    // The rest stand for a free face of their kind; DejaVu is the last resort.
    for (const char* name : {"Segoe UI", "MS Sans Serif", "Verdana", "Georgia", "Consolas", "System"})
        EXPECT_FALSE(ResolveFontFamily(name, FontFaces::MetricCompatible).empty()) << name;
    EXPECT_EQ(ResolveFontFamily("Tahoma", FontFaces::DejaVu), "DejaVu Sans");
    EXPECT_EQ(ResolveFontFamily("Times New Roman", FontFaces::DejaVu), "DejaVu Serif");
    EXPECT_EQ(ResolveFontFamily("Courier New", FontFaces::DejaVu), "DejaVu Sans Mono");
    EXPECT_EQ(FontFaceSet(), FontFaces::DejaVu); // the test programs' choice
    // The faces advance as the platform's do: at an em of 2048 pixels, one pixel per font unit, Arial's
    // "W" is 1933 wide, "a" 1139 and "i" 455; every character of Courier New 1229.
    Canvas c(4, 4);
    auto width = [&](const char* face, const char* text) {
        Selected f(c.dc, MakeFont(-2048, face));
        SIZE size{};
        GetTextExtentPoint32(c.dc, text, static_cast<int>(std::strlen(text)), &size);
        return size.cx;
    };
    EXPECT_EQ(width("Liberation Sans", "W"), 1933);
    EXPECT_EQ(width("Liberation Sans", "a"), 1139);
    EXPECT_EQ(width("Liberation Sans", "i"), 455);
    EXPECT_EQ(width("Liberation Mono", "W"), 1229);
    EXPECT_EQ(width("Liberation Mono", "i"), 1229);
}

TEST(FontAlias, FontsPreparedAheadOnAnotherThreadFindWinesFacesAndMeasureText) {
    // A program starts the set-up at its start (twice changes nothing) and lays text out later.
    PrepareFontsAhead();
    PrepareFontsAhead();
    // Tahoma is Wine's face: found only when its folder was added to the configuration the text uses.
    EXPECT_EQ(ResolveFontFamily("Tahoma", FontFaces::MetricCompatible), "Tahoma");
    const auto names = InstalledFontFamilies();
    EXPECT_EQ(std::count(names.begin(), names.end(), "Tahoma"), 1);
    Canvas c(4, 4);
    Selected f(c.dc, MakeFont(-13, "Tahoma"));
    SIZE size{};
    ASSERT_TRUE(GetTextExtentPoint32(c.dc, "Kalvenor", 8, &size));
    EXPECT_GT(size.cx, 8 * 4);
    EXPECT_GE(size.cy, 13);
}

TEST(FontMetrics, NegativeHeightIsTheCharacterHeightPositiveTheCellHeightAndAnyHeightIsUsable) {
    Canvas c(4, 4);
    TEXTMETRIC tm{};
    {
        Selected f(c.dc, MakeFont(-13, "Tahoma"));
        ASSERT_TRUE(GetTextMetrics(c.dc, &tm));
        EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, 13);
        EXPECT_EQ(tm.tmHeight, tm.tmAscent + tm.tmDescent);
        EXPECT_GT(tm.tmAveCharWidth, 0);
        EXPECT_GE(tm.tmMaxCharWidth, tm.tmAveCharWidth);
        // Outline font; TMPF_FIXED_PITCH set means variable pitch.
        EXPECT_TRUE(tm.tmPitchAndFamily & TMPF_VECTOR);
        EXPECT_TRUE(tm.tmPitchAndFamily & TMPF_TRUETYPE);
        EXPECT_TRUE(tm.tmPitchAndFamily & TMPF_FIXED_PITCH);
        EXPECT_FALSE(tm.tmPitchAndFamily & TMPF_DEVICE);
    }
    {
        Selected f(c.dc, MakeFont(20, "Tahoma"));
        GetTextMetrics(c.dc, &tm);
        EXPECT_LE(tm.tmHeight, 20);
        EXPECT_GE(tm.tmHeight, 18);
    }
    {
        Selected f(c.dc, MakeFont(-13, "Courier New"));
        GetTextMetrics(c.dc, &tm);
        EXPECT_FALSE(tm.tmPitchAndFamily & TMPF_FIXED_PITCH);
    }
    Canvas c2(16, 16);
    for (const int height : {INT_MIN, INT_MIN + 1, INT_MAX}) {
        Selected f(c2.dc, MakeFont(height, "Tahoma"));
        TEXTMETRIC tm{};
        ASSERT_TRUE(GetTextMetrics(c2.dc, &tm)) << height;
        EXPECT_GT(tm.tmHeight, 1000) << height;
        EXPECT_GE(tm.tmInternalLeading, 0) << height;
        SIZE size{};
        EXPECT_TRUE(GetTextExtentPoint32(c2.dc, "W", 1, &size)) << height;
        EXPECT_GT(size.cx, 0) << height;
    }
}

TEST(FontMetrics, FontsMeasureAlikeOnlyWhenAlikeBoldIsWiderFacesAreKeptAndExtentsFitCharacters) {
    // Fonts and the layouts of their texts are kept between calls: a font made anew with the same
    // description measures as before, one that differs in height, weight or spacing does not.
    Canvas c(4, 4);
    auto measure = [&](int height, int weight, int extra) {
        Selected f(c.dc, MakeFont(height, "Tahoma", weight));
        SetTextCharacterExtra(c.dc, extra);
        SIZE size{};
        GetTextExtentPoint32(c.dc, "Shared text", 11, &size);
        TEXTMETRIC tm{};
        GetTextMetrics(c.dc, &tm);
        SetTextCharacterExtra(c.dc, 0);
        return std::pair{size.cx, tm.tmHeight};
    };
    const auto first = measure(-13, FW_NORMAL, 0);
    EXPECT_EQ(measure(-13, FW_NORMAL, 0), first);
    EXPECT_GT(measure(-26, FW_NORMAL, 0).first, first.first);
    EXPECT_GT(measure(-26, FW_NORMAL, 0).second, first.second);
    EXPECT_GT(measure(-13, FW_BOLD, 0).first, first.first);
    EXPECT_EQ(measure(-13, FW_NORMAL, 2).first, first.first + 2 * 11);
    EXPECT_EQ(measure(-13, FW_NORMAL, 0), first);
    Canvas c2(4, 4);
    SIZE normal{}, bold{};
    {
        Selected f(c2.dc, MakeFont(-13, "Tahoma"));
        GetTextExtentPoint32(c2.dc, "Hello world", 11, &normal);
        char face[LF_FACESIZE] = {};
        EXPECT_EQ(GetTextFace(c2.dc, LF_FACESIZE, face), 6);
        EXPECT_STREQ(face, "Tahoma");
    }
    {
        Selected f(c2.dc, MakeFont(-13, "Tahoma", FW_BOLD));
        GetTextExtentPoint32(c2.dc, "Hello world", 11, &bold);
        TEXTMETRIC tm{};
        GetTextMetrics(c2.dc, &tm);
        EXPECT_EQ(tm.tmWeight, FW_BOLD);
    }
    EXPECT_GT(bold.cx, normal.cx);
    EXPECT_EQ(bold.cy, normal.cy);
    // GetObject returns the logical font as made; an unknown face still measures.
    HFONT unknown = MakeFont(-11, "No Such Family Kalvenor", FW_BOLD, 900);
    LOGFONT lf{};
    EXPECT_EQ(GetObject(unknown, sizeof lf, &lf), static_cast<int>(sizeof lf));
    EXPECT_EQ(lf.lfHeight, -11);
    EXPECT_EQ(lf.lfEscapement, 900);
    EXPECT_STREQ(lf.lfFaceName, "No Such Family Kalvenor");
    SIZE s{};
    {
        Selected f(c2.dc, unknown);
        GetTextExtentPoint32(c2.dc, "Abc", 3, &s);
    }
    EXPECT_GT(s.cx, 0);
    // The extent's fit count and partial widths.
    Selected f(c2.dc, MakeFont(-13, "Courier New"));
    SIZE one{};
    GetTextExtentPoint32(c2.dc, "M", 1, &one);
    int fit = 0;
    int dx[10] = {};
    SIZE all{};
    ASSERT_TRUE(GetTextExtentExPoint(c2.dc, "MMMMMMMMMM", 10, one.cx * 4, &fit, dx, &all));
    EXPECT_EQ(fit, 4);
    EXPECT_EQ(dx[0], one.cx);
    EXPECT_EQ(dx[3], 4 * one.cx);
    EXPECT_EQ(all.cx, 10 * one.cx);
}
