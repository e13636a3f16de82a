// The styler property file: round trips of every preset, the encodings, and bad input.

#include <climits>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>

#include "components/toolbar/styler/StylerFile.h"
#include "platform/rtl/FileUtil.h"
#include "tests/toolbar/ToolBarTestSupport.h"

namespace toolbartest {
namespace {

using namespace AdvToolBarStylers;

class StylerFileTest : public ToolBarTest {
protected:
    void SetUp() override {
        ToolBarTest::SetUp();
        dir = std::filesystem::temp_directory_path() / ("stylerfile-" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir);
        path = (dir / "look.txt").string();
    }
    void TearDown() override {
        std::filesystem::remove_all(dir);
        ToolBarTest::TearDown();
    }
    static std::vector<String> Props(TCustomAdvToolBarStyler* S) {
        std::vector<String> l;
        S->SavePropToFile(l);
        return l;
    }
    std::vector<String> FileLines() { return SplitFileLines(ReadFileBytes(path)); }
    void Write(const std::vector<String>& Lines) { WriteFileAtomic(path, JoinFileLines(Lines)); }
    // The line of Key in a property list.
    static String& LineOf(std::vector<String>& Lines, const String& Key) {
        for (String& l : Lines)
            if (l.rfind(Key + "=", 0) == 0 || l.rfind("\"" + Key + "=", 0) == 0) return l;
        ADD_FAILURE() << "no line " << Key;
        return Lines.front();
    }
    // The key of a property line.
    static String KeyOf(String Line) {
        if (!Line.empty() && Line[0] == '"') Line.erase(0, 1);
        return Line.substr(0, Line.find('='));
    }
    std::filesystem::path dir;
    String path;
};

TEST_F(StylerFileTest, EveryPresetRoundTripsThroughTheFile) {
    for (int i = 0; i <= static_cast<int>(bsOfficeXP); ++i) {
        const auto style = static_cast<TToolBarStyle>(i);
        auto* a = Make<TAdvToolBarOfficeStyler>("A" + std::to_string(i));
        a->SetToolBarStyle(style == bsOffice2003Classic ? bsWindowsXP : bsOffice2003Classic);
        a->SetToolBarStyle(style);
        a->ColorHot()->SetSteps(17); // differs from Color.Steps
        a->SaveToFile(path);
        ASSERT_EQ(FileLines().size(), 275u);
        auto* b = Make<TAdvToolBarOfficeStyler>("B" + std::to_string(i));
        b->LoadFromFile(path);
        EXPECT_EQ(Props(b), Props(a)) << "style " << i;
        EXPECT_EQ(b->ColorHot()->Steps(), 17);
        // 2007 Silver has no name of its own and comes back as 2003 Blue.
        EXPECT_EQ(b->Style(), style == bsOffice2007Silver ? bsOffice2003Blue : style);
    }
    for (int i = 0; i <= static_cast<int>(bsWhidbey); ++i) {
        const auto style = static_cast<TToolBarFantasyStyle>(i);
        auto* a = Make<TAdvToolBarFantasyStyler>("FA" + std::to_string(i));
        a->SetToolBarStyle(style);
        a->SaveToFile(path);
        auto* b = Make<TAdvToolBarFantasyStyler>("FB" + std::to_string(i));
        b->LoadFromFile(path);
        EXPECT_EQ(Props(b), Props(a)) << "fantasy style " << i;
        EXPECT_EQ(b->Style(), style == bsUser || style == bsWhidbey ? bsArctic : style);
    }
}

TEST_F(StylerFileTest, FontLinesQuoteNamesWithSpacesAndListStylesByName) {
    auto* s = Make<TAdvToolBarOfficeStyler>("S");
    s->Font()->SetName("Segoe UI");
    s->TabAppearance()->Font()->SetName("Tahoma");
    s->Font()->SetStyle({fsBold, fsUnderline});
    s->CaptionFont()->SetStyle({});
    auto lines = Props(s);
    EXPECT_EQ(LineOf(lines, "Font.Name"), "\"Font.Name=Segoe UI\"");
    EXPECT_EQ(LineOf(lines, "TabAppearance.Font.Name"), "TabAppearance.Font.Name=Tahoma");
    EXPECT_EQ(LineOf(lines, "Font.Style"), "Font.Style=fsBold,fsUnderline");
    EXPECT_EQ(LineOf(lines, "CaptionFont.Style"), "CaptionFont.Style=");
    EXPECT_EQ(lines.front(), "AutoThemeAdapt=False");
    auto* t = Make<TAdvToolBarOfficeStyler>("T");
    t->Font()->SetStyle({fsItalic});
    t->LoadPropFromFile(lines, 0);
    EXPECT_EQ(t->Font()->Name(), "Segoe UI");
    EXPECT_TRUE(t->Font()->Style() == (TFontStyles{fsBold, fsUnderline}));
    EXPECT_TRUE(t->CaptionFont()->Style().Empty());
}

TEST_F(StylerFileTest, TheStyleLineIsMatchedIgnoringCaseAndAnUnknownOneKeepsThePreset) {
    auto* s = Make<TAdvToolBarOfficeStyler>("S");
    s->SetToolBarStyle(bsOffice2007Luna);
    s->SaveToFile(path);
    auto lines = FileLines();
    EXPECT_EQ(lines[0], "bsOffice2007Luna");
    lines[0] = "bsoffice2007luna";
    LineOf(lines, "Color.Direction") = "Color.Direction=GDHORIZONTAL";
    Write(lines);
    auto* t = Make<TAdvToolBarOfficeStyler>("T");
    t->LoadFromFile(path);
    EXPECT_EQ(t->Style(), bsOffice2007Luna);
    EXPECT_EQ(t->Color()->Direction(), gdHorizontal);
    lines[0] = "Luna";
    LineOf(lines, "Color.Direction") = "Color.Direction=h";
    LineOf(lines, "DockColor.Color") = "DockColor.Color=clRed";
    Write(lines);
    auto* u = Make<TAdvToolBarOfficeStyler>("U");
    u->LoadFromFile(path);
    EXPECT_EQ(u->Style(), bsOffice2003Blue);
    EXPECT_EQ(u->Color()->Direction(), gdVertical);
    EXPECT_EQ(u->DockColor()->Color(), clRed);
}

// Reading stops at the first line it cannot read: the values before it stay applied over the style
// line's preset, the line itself and every line after it leave the preset's values.
class StylerFileStopTest : public StylerFileTest {
protected:
    void SetUp() override {
        StylerFileTest::SetUp();
        saved = Make<TAdvToolBarOfficeStyler>("Saved");
        saved->SetToolBarStyle(bsWhidbeyStyle);
        saved->SaveToFile(path);
        good = FileLines();
        // A value before every bad line below and one after it, neither the Whidbey preset's.
        LineOf(good, "Color.Color") = "Color.Color=$00123456";
        LineOf(good, "CompactGlowButtonAppearance.ColorHot") =
            "CompactGlowButtonAppearance.ColorHot=$00654321";
    }
    // Loads Lines into a styler that starts in another look; Line is the line reported, 0 for none.
    TAdvToolBarOfficeStyler* Load(const std::vector<String>& Lines, const String& Name, int& Line) {
        Write(Lines);
        auto* t = Make<TAdvToolBarOfficeStyler>(Name);
        t->SetToolBarStyle(bsOffice2007Luna);
        Line = 0;
        try {
            t->LoadFromFile(path);
        } catch (const EStylerFileError& e) {
            EXPECT_EQ(e.Message, "Corrupt file");
            EXPECT_FALSE(e.Reason.empty());
            Line = e.Line;
        }
        EXPECT_EQ(t->Style(), bsWhidbeyStyle) << "the style line's preset stays";
        return t;
    }
    TAdvToolBarOfficeStyler* saved = nullptr;
    std::vector<String> good;
};

TEST_F(StylerFileStopTest, ABadLineEndsTheReadingThere) {
    const std::vector<String> preset = Props(saved);
    struct Case {
        const char* Key;
        String Line;
    };
    const Case cases[] = {
        {"DockColor.Color", "Colour.Color=clRed"},                      // no key of its own
        {"Color.ColorTo", "Color.Color=clRed"},                         // another line's key
        {"Color.Steps", "Color.Steps=many"},                            // not a number
        {"Font.Size", "Font.Size="},                                    // empty number
        {"FloatingWindowBorderWidth", "FloatingWindowBorderWidth=2.5"}, // not an integer
        {"BorderColorHot", "BorderColorHot=clPurplish"},                // no colour's name
        {"CaptionAppearance.CaptionColor",
         "CaptionAppearance.CaptionColor=$100000000"},                      // nine hexadecimal digits
        {"RightHandleColor", "RightHandleColor=" + String(5000, '1')},      // past the 32-bit range
        {"RightHandleColorHot", "RightHandleColorHot=-2147483649"},         // just past it
        {"RightHandleColorTo", "RightHandleColorTo=$-1"},                   // a sign is no digit
        {"TabAppearance.Font.Size", "TabAppearance.Font.Size=-1610612736"}, // its height is past int
        {"PagerCaption.Font.Size", "PagerCaption.Font.Size=3000000000"},    // past int itself
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Key);
        auto lines = good;
        LineOf(lines, c.Key) = c.Line;
        String name = String("T") + c.Key;
        std::erase(name, '.');
        int line = 0;
        TAdvToolBarOfficeStyler* t = Load(lines, name, line);
        ASSERT_GT(line, 0) << "loads without complaint";
        EXPECT_EQ(KeyOf(preset[static_cast<std::size_t>(line - 1)]), c.Key) << "reported at its own line";
        EXPECT_EQ(t->Color()->Color(), 0x123456) << "the line before it is applied";
        auto after = Props(t);
        auto before = preset;
        EXPECT_EQ(LineOf(after, c.Key), LineOf(before, c.Key)) << "the bad line stores nothing";
        EXPECT_EQ(t->CompactGlowButtonAppearance()->ColorHot(),
                  saved->CompactGlowButtonAppearance()->ColorHot())
            << "no line after it is applied";
    }
}

TEST_F(StylerFileStopTest, AFileCutOffAfterItsHundredthLineLoadsTheHundredAndRaises) {
    auto lines = good;
    // Line 100 is the last glow-button gradient: given a kind the preset does not have there.
    const bool radial = saved->GlowButtonAppearance()->GradientMirrorDisabled() == AdvGlowButton::ggRadial;
    String& hundredth = LineOf(lines, "GlowButtonAppearance.GradientMirrorDisabled");
    hundredth = String("GlowButtonAppearance.GradientMirrorDisabled=") + (radial ? "ggVertical" : "ggRadial");
    ASSERT_EQ(&hundredth, &lines[100]);
    lines.resize(1 + 100); // the style line and 100 property lines
    int line = 0;
    TAdvToolBarOfficeStyler* t = Load(lines, "Cut", line);
    EXPECT_EQ(line, 101);
    EXPECT_EQ(t->Color()->Color(), 0x123456);
    EXPECT_EQ(t->GlowButtonAppearance()->GradientMirrorDisabled(),
              radial ? AdvGlowButton::ggVertical : AdvGlowButton::ggRadial)
        << "the 100th value";
    EXPECT_EQ(t->PagerCaption()->BorderColor(), saved->PagerCaption()->BorderColor()) << "the 101st keeps";
}

// What the file's rules read without error does not stop the reading: an unknown gradient kind or grip
// style keeps the value, a Boolean line without its key reads False, a font-style line without an
// equals sign clears the style.
TEST_F(StylerFileStopTest, ValuesReadByTheirRulesDoNotEndTheReading) {
    // First a file that sets what the lines below must change.
    auto* t = Make<TAdvToolBarOfficeStyler>("Lenient");
    auto first = good;
    LineOf(first, "ContainerAppearance.Line3D") = "ContainerAppearance.Line3D=True";
    LineOf(first, "Font.Style") = "Font.Style=fsBold";
    Write(first);
    t->LoadFromFile(path);
    ASSERT_TRUE(t->ContainerAppearance()->Line3D());
    ASSERT_FALSE(t->Font()->Style().Empty());
    auto lines = good;
    LineOf(lines, "DragGripStyle") = "DragGripStyle=dsWavy";
    LineOf(lines, "GroupAppearance.Gradient") = "GroupAppearance.Gradient=ggSpiral";
    LineOf(lines, "ContainerAppearance.Line3D") = "Line3D=True";
    LineOf(lines, "Font.Style") = "Font.Style";
    LineOf(lines, "CompactGlowButtonAppearance.ColorHot") = "CompactGlowButtonAppearance.ColorHot=$00ABCDEF";
    Write(lines);
    EXPECT_NO_THROW(t->LoadFromFile(path));
    EXPECT_EQ(t->DragGripStyle(), saved->DragGripStyle());
    EXPECT_EQ(t->GroupAppearance()->Gradient(), saved->GroupAppearance()->Gradient());
    EXPECT_FALSE(t->ContainerAppearance()->Line3D());
    EXPECT_TRUE(t->Font()->Style().Empty());
    EXPECT_EQ(t->CompactGlowButtonAppearance()->ColorHot(), 0xABCDEF) << "the lines after them load";
}

TEST_F(StylerFileTest, AMissingFileChangesNothingAndSavingNeverLeavesAHalfWrittenFile) {
    auto* s = Make<TAdvToolBarOfficeStyler>("S");
    const auto before = Props(s);
    try {
        s->LoadFromFile((dir / "none.txt").string());
        FAIL();
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message, "Cannot open file " + (dir / "none.txt").string());
    }
    EXPECT_EQ(Props(s), before);
    const String bad = (dir / "no-such-folder" / "look.txt").string();
    try {
        s->SaveToFile(bad);
        FAIL();
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message, "Cannot Create " + bad);
    }
    std::ofstream(path) << "old contents";
    s->SaveToFile(path);
    EXPECT_EQ(FileLines().size(), 275u);
}

TEST_F(StylerFileTest, MutatedFilesLoadWhatTheyCanAndNeverFailAnyOtherWay) {
    auto* s = Make<TAdvToolBarOfficeStyler>("S");
    s->SetToolBarStyle(bsOffice2007Luna);
    s->SaveToFile(path);
    const String original = ReadFileBytes(path);
    std::mt19937 rng(20261206);
    auto* t = Make<TAdvToolBarOfficeStyler>("T");
    for (int round = 0; round < 200; ++round) {
        String text = original;
        const int edits = 1 + static_cast<int>(rng() % 8);
        for (int e = 0; e < edits && !text.empty(); ++e) {
            const std::size_t at = rng() % text.size();
            switch (rng() % 4) {
            case 0:
                text[at] = static_cast<char>(rng() & 0xFF);
                break;
            case 1:
                text.erase(at, rng() % 40);
                break;
            case 2:
                text.insert(at, text.substr(rng() % text.size(), rng() % 60));
                break;
            default:
                text.resize(at);
                break;
            }
        }
        WriteFileAtomic(path, text);
        try {
            t->LoadFromFile(path);
        } catch (const EStylerFileError&) {
        }
        // Whatever was loaded saves as a file that loads cleanly.
        t->SaveToFile(path);
        auto* u = Make<TAdvToolBarOfficeStyler>("U" + std::to_string(round));
        EXPECT_NO_THROW(u->LoadFromFile(path)) << "round " << round;
        EXPECT_EQ(Props(u), Props(t)) << "round " << round;
        FreeComponent(u);
    }
}

// A styler reads back every value its own file holds: fonts given by a cell height (a Size of 0 or below)
// and by the far ends of the int range, steps and a border width set past their limits (held, and so
// written, as the limits), a name of the 8-bit code page.
TEST_F(StylerFileTest, AStylerReadsBackEveryValueItsOwnFileHolds) {
    auto* s = Make<TAdvToolBarOfficeStyler>("S");
    s->Font()->SetHeight(13);
    s->CaptionFont()->SetHeight(0);
    s->TabAppearance()->Font()->SetSize(1638);
    s->PagerCaption()->Font()->SetHeight(INT_MIN);
    s->ButtonAppearance()->CaptionFont()->SetHeight(INT_MAX);
    s->Color()->SetSteps(5000);
    s->PageAppearance()->SetSteps(5000);
    s->SetFloatingWindowBorderWidth(100);
    s->GroupAppearance()->Font()->SetName("Tr\u00E8s \u20AC Gothique");
    EXPECT_EQ(s->Color()->Steps(), 4096) << "the setter keeps the limit";
    EXPECT_EQ(s->PageAppearance()->Steps(), 4096);
    EXPECT_EQ(s->FloatingWindowBorderWidth(), 64);
    s->SaveToFile(path);
    auto* t = Make<TAdvToolBarOfficeStyler>("T");
    ASSERT_NO_THROW(t->LoadFromFile(path));
    EXPECT_EQ(Props(t), Props(s));
    EXPECT_EQ(t->Font()->Height(), 13);
    EXPECT_EQ(t->CaptionFont()->Height(), 0);
    EXPECT_EQ(t->TabAppearance()->Font()->Size(), 1638);
    EXPECT_EQ(t->PagerCaption()->Font()->Height(), INT_MIN);
    EXPECT_EQ(t->ButtonAppearance()->CaptionFont()->Height(), INT_MAX);
    EXPECT_EQ(t->Color()->Steps(), 4096);
    EXPECT_EQ(t->PageAppearance()->Steps(), 4096);
    EXPECT_EQ(t->FloatingWindowBorderWidth(), 64);
    EXPECT_EQ(t->GroupAppearance()->Font()->Name(), "Tr\u00E8s \u20AC Gothique");
    // The last line of the file was read too.
    EXPECT_EQ(t->CompactGlowButtonAppearance()->GradientMirrorDisabled(),
              s->CompactGlowButtonAppearance()->GradientMirrorDisabled());
}

// Any 32-bit value is a colour the file holds: palette-relative RGB, a palette index, values with high
// bits outside every table. Font names the reader once refused come back too: one of 2,000 euro signs
// (6,000 bytes of UTF-8), and an 8-bit one of as many bytes read from an old file and saved again; a name
// that holds line breaks is written with spaces for them, so that the file keeps its lines.
TEST_F(StylerFileTest, EveryColourAndEveryNameTheWriterWritesReadsBack) {
    const TColor colours[] = {0x02FF8000,
                              0x01000005,
                              0x12345678,
                              static_cast<TColor>(0xFF000040),
                              static_cast<TColor>(0x80000001),
                              static_cast<TColor>(0xFFFFFFFF)};
    String euros;
    for (int i = 0; i < 2000; ++i)
        euros += "\u20AC";
    for (const TColor c : colours) {
        SCOPED_TRACE(testing::Message() << std::hex << static_cast<std::uint32_t>(c));
        auto* s = Make<TAdvToolBarOfficeStyler>("S");
        s->SetBorderColor(c);
        s->TabAppearance()->SetColorMirrorDisabledTo(c);
        s->CompactGlowButtonAppearance()->SetBorderColorDisabled(c);
        s->Font()->SetName(euros);
        s->GroupAppearance()->Font()->SetName("Two\r\nLines\nand\rmore");
        s->CompactGlowButtonAppearance()->SetGradientMirrorDisabled(AdvGlowButton::ggDiagonalBackward);
        s->SaveToFile(path);
        const String first = ReadFileBytes(path);
        EXPECT_EQ(FileLines().size(), 275u) << "a line break in a name makes no line";
        auto* t = Make<TAdvToolBarOfficeStyler>("T");
        ASSERT_NO_THROW(t->LoadFromFile(path));
        EXPECT_EQ(t->BorderColor(), c);
        EXPECT_EQ(t->TabAppearance()->ColorMirrorDisabledTo(), c);
        EXPECT_EQ(t->CompactGlowButtonAppearance()->BorderColorDisabled(), c)
            << "the colour on the last lines";
        EXPECT_EQ(t->Font()->Name(), euros);
        EXPECT_EQ(t->GroupAppearance()->Font()->Name(), "Two Lines and more");
        EXPECT_EQ(t->CompactGlowButtonAppearance()->GradientMirrorDisabled(),
                  AdvGlowButton::ggDiagonalBackward)
            << "the line after them is read";
        t->SaveToFile(path);
        EXPECT_EQ(ReadFileBytes(path), first) << "save, load, save gives the same file";
        FreeComponent(t);
        FreeComponent(s);
    }
    // An 8-bit name of 2,000 euro signs (0x80 in Windows-1252) from an old file, saved again as UTF-8.
    auto* s = Make<TAdvToolBarOfficeStyler>("Old");
    s->SaveToFile(path);
    auto lines = FileLines();
    LineOf(lines, "Font.Name") = "Font.Name=" + String(2000, '\x80');
    Write(lines);
    auto* t = Make<TAdvToolBarOfficeStyler>("Read");
    ASSERT_NO_THROW(t->LoadFromFile(path));
    EXPECT_EQ(t->Font()->Name(), euros);
    t->SaveToFile(path);
    auto* u = Make<TAdvToolBarOfficeStyler>("Again");
    ASSERT_NO_THROW(u->LoadFromFile(path));
    EXPECT_EQ(u->Font()->Name(), euros);
}

// Every setter of steps and of the border width keeps its limits, at both ends.
TEST_F(StylerFileTest, StepsAndTheBorderWidthKeepTheirLimitsWhereverTheyAreSet) {
    auto* s = Make<TAdvToolBarOfficeStyler>("S");
    const struct {
        const char* Name;
        std::function<void(int)> Set;
        std::function<int()> Get;
    } values[] = {
        {"gradient", [s](int v) { s->DockColor()->SetSteps(v); }, [s] { return s->DockColor()->Steps(); }},
        {"page", [s](int v) { s->PagerCaption()->SetSteps(v); }, [s] { return s->PagerCaption()->Steps(); }},
        {"group", [s](int v) { s->GroupAppearance()->SetSteps(v); },
         [s] { return s->GroupAppearance()->Steps(); }},
        {"quick access", [s](int v) { s->QATAppearance()->SetSteps(v); },
         [s] { return s->QATAppearance()->Steps(); }},
    };
    for (const auto& v : values) {
        SCOPED_TRACE(v.Name);
        v.Set(INT_MAX);
        EXPECT_EQ(v.Get(), 4096);
        v.Set(INT_MIN);
        EXPECT_EQ(v.Get(), 0);
        v.Set(4096);
        EXPECT_EQ(v.Get(), 4096);
    }
    s->SetFloatingWindowBorderWidth(-5);
    EXPECT_EQ(s->FloatingWindowBorderWidth(), 0);
    s->SetFloatingWindowBorderWidth(64);
    EXPECT_EQ(s->FloatingWindowBorderWidth(), 64);
}

// A number past a limit in a file reads as the limit and the reading goes on; so do colour numbers in
// either form and an 8-bit line, read as Windows-1252.
TEST_F(StylerFileTest, ANumberPastItsLimitReadsAsTheLimitAndAn8BitLineAsWindows1252) {
    auto* s = Make<TAdvToolBarOfficeStyler>("S");
    s->SaveToFile(path);
    auto lines = FileLines();
    LineOf(lines, "Color.Steps") = "Color.Steps=5000";
    LineOf(lines, "DockColor.Steps") = "DockColor.Steps=-7";
    LineOf(lines, "PageAppearance.Steps") = "PageAppearance.Steps=99999999999999999999999";
    LineOf(lines, "FloatingWindowBorderWidth") = "FloatingWindowBorderWidth=100";
    // A colour in decimal, to the end of the int range, and in fewer hexadecimal digits, either case.
    LineOf(lines, "DockColor.ColorTo") = "DockColor.ColorTo=-2147483648";
    LineOf(lines, "Color.ColorTo") = "Color.ColorTo=$fF";
    LineOf(lines, "Font.Name") = "\"Font.Name=Tr\xE8s \x80 \x81\"";
    LineOf(lines, "TabAppearance.Font.Name") = "TabAppearance.Font.Name=\xC4rial";
    LineOf(lines, "CompactGlowButtonAppearance.ColorHot") = "CompactGlowButtonAppearance.ColorHot=$00ABCDEF";
    Write(lines);
    auto* t = Make<TAdvToolBarOfficeStyler>("T");
    ASSERT_NO_THROW(t->LoadFromFile(path));
    EXPECT_EQ(t->Color()->Steps(), 4096);
    EXPECT_EQ(t->DockColor()->Steps(), 0);
    EXPECT_EQ(t->PageAppearance()->Steps(), 4096);
    EXPECT_EQ(t->FloatingWindowBorderWidth(), 64);
    EXPECT_EQ(t->DockColor()->ColorTo(), INT32_MIN);
    EXPECT_EQ(t->Color()->ColorTo(), 0xFF);
    // 0xE8 is e grave, 0x80 the euro sign; 0x81, which the code page leaves undefined, is the C1 control.
    EXPECT_EQ(t->Font()->Name(), "Tr\u00E8s \u20AC \u0081");
    EXPECT_EQ(t->TabAppearance()->Font()->Name(), "\u00C4rial");
    EXPECT_EQ(t->CompactGlowButtonAppearance()->ColorHot(), 0xABCDEF) << "the lines after them load";
    // Saved again the names are UTF-8, and read back alike.
    t->SaveToFile(path);
    auto* u = Make<TAdvToolBarOfficeStyler>("U");
    ASSERT_NO_THROW(u->LoadFromFile(path));
    EXPECT_EQ(Props(u), Props(t));
}

} // namespace
} // namespace toolbartest
