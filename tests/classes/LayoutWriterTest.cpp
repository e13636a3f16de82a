// Writing layouts: defaults left out, every kind written, and read -> write -> read gives the same.

#include <gtest/gtest.h>

#include "platform/classes/LayoutReader.h"
#include "platform/classes/LayoutWriter.h"
#include "tests/classes/TestComponents.h"

using namespace vcl;
using namespace TestComponents;

namespace {

class LayoutWrite : public testing::Test {
protected:
    void SetUp() override { RegisterTestClasses(); }
};

const char* const kLayout = "object Form1: TTestForm\r\n"
                            "  Width = 640\r\n"
                            "  Caption = 'Don''t'#13#10'panic € '#1\r\n"
                            "  Ratio = 0.1\r\n"
                            "  object Timer1: TTestTimer\r\n"
                            "    Interval = 0\r\n"
                            "    Priority = prHigh\r\n"
                            "    Target = Panel1\r\n"
                            "  end\r\n"
                            "  object Panel1: TTestControl\r\n"
                            "    Left = -4\r\n"
                            "    Visible = False\r\n"
                            "    Align = taBottom\r\n"
                            "    Color = 12345\r\n"
                            "    Accel = #9\r\n"
                            "    Font.Name = 'Arial'\r\n"
                            "    Font.Style = [tsItalic, tsStrikeOut]\r\n"
                            "    Items.Strings = (\r\n"
                            "      'one'\r\n"
                            "      'two')\r\n"
                            "    Panels = <\r\n"
                            "      item\r\n"
                            "        Width = 10\r\n"
                            "      end\r\n"
                            "      item\r\n"
                            "        Text = 'B'\r\n"
                            "      end>\r\n"
                            "    Data = {\r\n"
                            "      000102030405060708090A0B0C0D0E0F101112131415161718191A1B1C1D1E1F\r\n"
                            "      2021}\r\n"
                            "    object Button1: TTestControl\r\n"
                            "      Color = clRed\r\n"
                            "      Buddy = Form1\r\n"
                            "      OnClick = Button1Click\r\n"
                            "    end\r\n"
                            "  end\r\n"
                            "end\r\n";

} // namespace

TEST_F(LayoutWrite, WritesExactlyWhatDiffersFromTheDefaults) {
    TComponentPtr<TTestForm> form(new TTestForm(nullptr));
    ReadComponentFromText(kLayout, form.get(), "kLayout");
    EXPECT_EQ(WriteComponentToText(form.get()), kLayout);
    // Defaults are not written.
    form.reset(new TTestForm(nullptr));
    form->SetName("Plain");
    auto* c = new TTestControl(form.get());
    c->SetName("C");
    c->SetParent(form.get());
    c->FPanels->Add(); // an item with default values only
    EXPECT_EQ(WriteComponentToText(form.get()), "object Plain: TTestForm\r\n"
                                                "  object C: TTestControl\r\n"
                                                "    Panels = <\r\n"
                                                "      item\r\n"
                                                "      end>\r\n"
                                                "  end\r\n"
                                                "end\r\n");
    // An event set in code has no handler name and is not written; a child of another owner is not
    // reported by the form.
    c->OnClick = [](TObject*) {};
    TComponentPtr<TTestControl> foreign(new TTestControl(nullptr));
    foreign->SetParent(form.get());
    String text = WriteComponentToText(form.get());
    EXPECT_EQ(text.find("OnClick"), String::npos);
    size_t objects = 0;
    for (size_t at = text.find("object "); at != String::npos; at = text.find("object ", at + 1))
        ++objects;
    EXPECT_EQ(objects, 2u);
    foreign->SetParent(nullptr);
}

TEST_F(LayoutWrite, RoundTripGivesEqualComponents) {
    TComponentPtr<TTestForm> first(new TTestForm(nullptr));
    ReadComponentFromText(kLayout, first.get(), "first");
    first->Panel1->FRatio = 1.0 / 3.0; // needs every digit to come back equal
    first->Panel1->FBig = -(1LL << 40);
    first->Panel1->FCaption = "tab\there, quote ' and UTF-8 ✓";
    String text = WriteComponentToText(first.get());
    TComponentPtr<TComponent> second(ReadComponentFromText(text, nullptr, "second"));
    auto* form = dynamic_cast<TTestForm*>(second.get());
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(WriteComponentToText(form), text);
    EXPECT_EQ(form->Panel1->FRatio, 1.0 / 3.0);
    EXPECT_EQ(form->Panel1->FBig, -(1LL << 40));
    EXPECT_EQ(form->Panel1->FCaption, first->Panel1->FCaption);
    EXPECT_EQ(form->Panel1->FData, first->Panel1->FData);
    EXPECT_EQ(form->Button1->FBuddy, form);
    EXPECT_EQ(form->Timer1->FTarget, form->Panel1);
    EXPECT_EQ(form->Timer1->FPriority, 1);
    ASSERT_TRUE(static_cast<bool>(form->Button1->OnClick));
    form->Button1->OnClick(form->Button1);
    EXPECT_EQ(form->Clicks.size(), 1u);
}

TEST(LayoutQuote, StringsWithControlCharacters) {
    EXPECT_EQ(QuoteLayoutString(""), "''");
    EXPECT_EQ(QuoteLayoutString("a'b"), "'a''b'");
    EXPECT_EQ(QuoteLayoutString("\r\nx"), "#13#10'x'");
    EXPECT_EQ(QuoteLayoutString("x\t"), "'x'#9");
}
