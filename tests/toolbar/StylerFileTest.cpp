// The styler property file: round trips of every preset, the encodings, and bad input.

#include <filesystem>
#include <fstream>
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

TEST_F(StylerFileTest, ATruncatedFileLoadsItsLinesAndReportsWhereItEnds) {
    auto* s = Make<TAdvToolBarOfficeStyler>("S");
    s->SetToolBarStyle(bsOffice2007Obsidian);
    s->SaveToFile(path);
    auto lines = FileLines();
    lines.resize(101); // the style line and 100 property lines
    Write(lines);
    auto* t = Make<TAdvToolBarOfficeStyler>("T");
    try {
        t->LoadFromFile(path);
        FAIL() << "a short file loads without complaint";
    } catch (const EStylerFileError& e) {
        EXPECT_EQ(e.Message, "Corrupt file");
        EXPECT_EQ(e.Line, 101);
    }
    EXPECT_EQ(t->Style(), bsOffice2007Obsidian);
    // Line 100 is the last glow-button gradient; line 101 (the pager caption's border) keeps the preset's.
    EXPECT_EQ(t->GlowButtonAppearance()->GradientMirrorDisabled(),
              s->GlowButtonAppearance()->GradientMirrorDisabled());
}

TEST_F(StylerFileTest, BadLinesAreSkippedTheRestIsLoadedAndTheFirstBadLineIsReported) {
    auto* s = Make<TAdvToolBarOfficeStyler>("S");
    s->SetToolBarStyle(bsWhidbeyStyle);
    s->SaveToFile(path);
    const auto good = FileLines();
    struct Case {
        const char* Key;
        String Line;
    };
    const Case cases[] = {
        {"Color.Color", "Colour.Color=clRed"},                            // unknown key
        {"Color.ColorTo", "Color.Color=clRed"},                           // another line's key
        {"Color.Steps", "Color.Steps=many"},                              // wrong type
        {"FloatingWindowBorderWidth", "FloatingWindowBorderWidth=99999"}, // out of range
        {"BorderColorHot", "BorderColorHot=$7FFFFFF0"},                   // not a colour
        {"RightHandleColor", "RightHandleColor=" + String(5000, '1')},    // over-long
        {"Font.Name", "Font.Name=Bad\xC3("},                              // invalid UTF-8
        {"DragGripStyle", "DragGripStyle=dsWavy"},                        // no such grip
    };
    for (const Case& c : cases) {
        auto lines = good;
        LineOf(lines, c.Key) = c.Line;
        LineOf(lines, "CompactGlowButtonAppearance.ColorHot") =
            "CompactGlowButtonAppearance.ColorHot=$00123456";
        Write(lines);
        String name = String("T") + c.Key;
        std::erase(name, '.');
        auto* t = Make<TAdvToolBarOfficeStyler>(name);
        t->SetToolBarStyle(bsOffice2007Luna);
        auto preset = Props(s); // the style line loads the Whidbey preset first
        try {
            t->LoadFromFile(path);
            ADD_FAILURE() << c.Key << " loads without complaint";
        } catch (const EStylerFileError& e) {
            EXPECT_EQ(e.Message, "Corrupt file");
            EXPECT_FALSE(e.Reason.empty());
        }
        auto after = Props(t);
        EXPECT_EQ(LineOf(after, c.Key), LineOf(preset, c.Key))
            << c.Key << " keeps the Whidbey preset's value";
        EXPECT_EQ(t->CompactGlowButtonAppearance()->ColorHot(), 0x123456) << "lines after the bad one load";
    }
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

} // namespace
} // namespace toolbartest
