// Layout errors: each names the layout and the line, and leaves nothing half-made alive.

#include <gtest/gtest.h>

#include <limits>

#include "platform/classes/LayoutParser.h"
#include "platform/classes/LayoutReader.h"
#include "platform/rtl/Exceptions.h"
#include "tests/classes/TestComponents.h"

using namespace vcl;
using namespace TestComponents;

namespace {

class LayoutError : public testing::Test {
protected:
    void SetUp() override { RegisterTestClasses(); }

    // Reads Text into a fresh form and returns the error message ("" when it read fine). The form
    // must own nothing after a failed read.
    String ErrorOf(const String& text) {
        TComponentPtr<TTestForm> form(new TTestForm(nullptr));
        long before = TObject::LiveObjects();
        try {
            ReadComponentFromText(text, form.get(), "Test.layout");
        } catch (const EReadError& e) {
            EXPECT_EQ(form->ComponentCount(), 0) << "a failed read left components behind";
            EXPECT_EQ(TObject::LiveObjects(), before) << "a failed read left objects alive";
            EXPECT_EQ(form->Button1, nullptr);
            EXPECT_FALSE(form->ComponentState().Contains(csLoading));
            return e.Message;
        }
        return String();
    }

    // The same text read as a stand-alone component.
    String StandAloneErrorOf(const String& text) {
        long before = TObject::LiveObjects();
        try {
            TComponentPtr<TComponent> c(ReadComponentFromText(text, nullptr, "Alone.layout"));
        } catch (const EReadError& e) {
            EXPECT_EQ(TObject::LiveObjects(), before);
            return e.Message;
        }
        return String();
    }
};

} // namespace

TEST_F(LayoutError, UnknownClassPropertyAndSubPropertyAndBadValues) {
    EXPECT_EQ(ErrorOf("object F: TTestForm\n  object X: TNoSuchThing\n  end\nend\n"),
              "Class TNoSuchThing not found (Test.layout line 2)");
    EXPECT_EQ(StandAloneErrorOf("object F: TNoSuchForm\nend\n"),
              "Class TNoSuchForm not found (Alone.layout line 1)");
    EXPECT_EQ(ErrorOf("object F: TTestForm\n  object Button1: TTestControl\n    Widht = 3\n  end\nend\n"),
              "Error reading Button1.Widht: Property Widht does not exist (Test.layout line 3)");
    EXPECT_EQ(ErrorOf("object F: TTestForm\n  Font.Weight = 3\nend\n"),
              "Error reading F.Font.Weight: Property Weight does not exist (Test.layout line 2)");
    EXPECT_EQ(
        ErrorOf("object F: TTestForm\n  Caption.Sub = 3\nend\n"),
        "Error reading F.Caption.Sub: Property Caption has no properties of its own (Test.layout line 2)");
    const char* cases[][2] = {
        {"Visible = Maybe", "Error reading F.Visible: Invalid property value (Test.layout line 2)"},
        {"Align = alClient", "Error reading F.Align: Invalid property value (Test.layout line 2)"},
        {"Width = 'wide'", "Error reading F.Width: Invalid property value (Test.layout line 2)"},
        {"Font.Style = [tsBold, tsHuge]",
         "Error reading F.Font.Style: Invalid property value (Test.layout line 2)"},
        {"Color = clNotAColour", "Error reading F.Color: Invalid property value (Test.layout line 2)"},
        {"Caption = 12", "Error reading F.Caption: Invalid property value (Test.layout line 2)"},
        {"Accel = 'AB'", "Error reading F.Accel: Invalid property value (Test.layout line 2)"},
        {"Small = 40000", "Error reading F.Small: Value 40000 is out of range (Test.layout line 2)"},
        {"Width = -5", "Error reading F.Width: Width must not be negative (Test.layout line 2)"},
        {"Area = 5", "Error reading F.Area: Property Area is read-only (Test.layout line 2)"},
        {"Items.Strings = ( 'a' 1 )", "Error reading F.Items.Strings: Invalid property value: a string list "
                                      "holds only strings (Test.layout line 2)"},
        {"Data = 'bytes'", "Error reading F.Data: Invalid property value (Test.layout line 2)"},
    };
    for (auto& c : cases)
        EXPECT_EQ(ErrorOf(String("object F: TTestForm\n  ") + c[0] + "\nend\n"), c[1]) << c[0];
    // Inside a collection item of a component read from the layout.
    EXPECT_EQ(ErrorOf("object F: TTestForm\n  object C: TTestControl\n    Panels = <\n      item\n"
                      "        Width = -1\n      end>\n  end\nend\n"),
              "Error reading C.Panels[0].Width: Width must not be negative (Test.layout line 5)");
}

TEST_F(LayoutError, SyntaxErrors) {
    // Lines of a form's body, and the error they make.
    const char* inForm[][2] = {
        {"  Caption = 'open", "Unterminated string (Test.layout line 2)"},
        {"  Width 3", "'=' expected (Test.layout line 2)"},
        {"  Data = {0A1}", "Invalid binary value: odd number of hex digits (Test.layout line 2)"},
        {"  Data = {0A 1}", "Invalid binary value: odd number of hex digits (Test.layout line 2)"},
        {"  Data = {0A\n  1G}", "Invalid binary value (Test.layout line 3)"},
        {"  Data = {0A1B", "Invalid binary value (Test.layout line 3)"},
        {"  Font.Style = [tsBold", "',' or ']' expected (Test.layout line 3)"},
        {"end\nobject G: TTestForm", "Unexpected text after the final 'end' (Test.layout line 3)"},
        {"  inline X: TTestControl\n  end", "'inline' objects are not supported (Test.layout line 2)"},
        {"  Width = 99999999999999999999", "Number too large (Test.layout line 2)"},
        {"  Width = -$8000000000000001", "Number too large (Test.layout line 2)"},
        {"  Width = $10000000000000000", "Number too large (Test.layout line 2)"},
        {"  Caption = #55296", "Invalid character code (Test.layout line 2)"},
        {"  Width = 12ab", "Invalid number (Test.layout line 2)"},
    };
    for (auto& c : inForm)
        EXPECT_EQ(ErrorOf(String("object F: TTestForm\n") + c[0] + "\nend\n"), c[1]) << c[0];
    EXPECT_EQ(ErrorOf("object F: TTestForm\n  Data = {0A 1B"),
              "Unexpected end of layout: '}' expected (Test.layout line 2)");
    EXPECT_EQ(ErrorOf("object F: TTestForm\n  Caption = 'a' +\n"),
              "Unexpected end of layout: string expected (Test.layout line 3)");
    EXPECT_EQ(ErrorOf("object F: TTestForm\n  object Button1: TTestControl\n    Width = 3\n"),
              "Unexpected end of layout: 'end' of Button1 missing (Test.layout line 4)");
    EXPECT_EQ(ErrorOf("inherited F: TTestForm\nend\n"),
              "'inherited' objects are not supported (Test.layout line 1)");
    EXPECT_EQ(ErrorOf(""), "Unexpected end of layout: 'object' expected (Test.layout line 1)");
    String deep = "object F: TTestForm\n  Items.Strings = " + String(1000, '(') + "\nend\n";
    EXPECT_EQ(ErrorOf(deep), "Layout nested too deeply (Test.layout line 2)");
}

TEST_F(LayoutError, HandlersReferencesNamesClassesAndFields) {
    EXPECT_EQ(ErrorOf("object F: TTestForm\n  OnClick = NoSuchHandler\nend\n"),
              "Error reading F.OnClick: Handler NoSuchHandler not found in TTestForm (Test.layout line 2)");
    EXPECT_EQ(ErrorOf("object F: TTestForm\n  OnClick = WrongHandler\nend\n"),
              "Error reading F.OnClick: Handler WrongHandler does not match the parameters of OnClick "
              "(Test.layout line 2)");
    EXPECT_EQ(ErrorOf("object F: TTestForm\n  OnKey = Button1Click\nend\n"),
              "Error reading F.OnKey: Handler Button1Click does not match the parameters of OnKey "
              "(Test.layout line 2)");
    EXPECT_EQ(ErrorOf("object F: TTestForm\n  object Button1: TTestControl\n  end\n  Buddy = Nobody\nend\n"),
              "Error reading F.Buddy: Component Nobody not found (Test.layout line 4)");
    EXPECT_EQ(
        ErrorOf("object F: TTestForm\n  object Timer1: TTestTimer\n  end\n  Buddy = Timer1\nend\n"),
        "Error reading F.Buddy: Invalid property value: Timer1 is not a TTestControl (Test.layout line 4)");
    EXPECT_EQ(
        ErrorOf("object F: TTestForm\n  Buddy = Form2.Button1\nend\n"),
        "Error reading F.Buddy: References to components of other forms are not supported: Form2.Button1 "
        "(Test.layout line 2)");
    EXPECT_EQ(
        ErrorOf(
            "object F: TTestForm\n  object A: TTestControl\n  end\n  object a: TTestControl\n  end\nend\n"),
        "Error reading a: A component named a already exists (Test.layout line 4)");
    EXPECT_EQ(ErrorOf("object F: TTestForm\n  object Button1: TTestTimer\n  end\nend\n"),
              "Error reading Button1: the field Button1 of TTestForm is a TTestControl, not a TTestTimer "
              "(Test.layout line 2)");
    EXPECT_EQ(ErrorOf("object F: TOtherForm\nend\n"),
              "The layout of a TOtherForm cannot be read into a TTestForm (Test.layout line 1)");
}

TEST_F(LayoutError, FailureAfterSeveralComponentsFreesThemAll) {
    // Two complete components, a third half-read, then an error.
    String text = "object F: TTestForm\n"
                  "  object Panel1: TTestControl\n"
                  "    object Button1: TTestControl\n"
                  "      Buddy = Panel1\n"
                  "    end\n"
                  "  end\n"
                  "  object Timer1: TTestTimer\n"
                  "    Target = Button1\n"
                  "    Interval = 'soon'\n"
                  "  end\n"
                  "end\n";
    EXPECT_EQ(ErrorOf(text), "Error reading Timer1.Interval: Invalid property value (Test.layout line 9)");
    EXPECT_EQ(StandAloneErrorOf(text),
              "Error reading Timer1.Interval: Invalid property value (Alone.layout line 9)");
}

// Hexadecimal numbers: sixteen digits are the 64 bits as they stand; a minus sign takes a magnitude,
// down to the smallest 64-bit number and no further.
TEST(LayoutNumbers, HexadecimalReachesBothEndsOfTheSixtyFourBitRange) {
    auto number = [](const String& text) {
        return ParseLayout("object F: TTestForm\n  Tag = " + text + "\nend\n", "N.layout")
            .Props.at(0)
            .Value.Int;
    };
    EXPECT_EQ(number("-$8000000000000000"), std::numeric_limits<Int64>::min());
    EXPECT_EQ(number("$7FFFFFFFFFFFFFFF"), std::numeric_limits<Int64>::max());
    EXPECT_EQ(number("$FFFFFFFFFFFFFFFF"), -1);
    EXPECT_EQ(number("-$10"), -16);
    EXPECT_EQ(number("-9223372036854775808"), std::numeric_limits<Int64>::min());
}
