// Reading layouts: every kind of value, order of events, fields, handlers and references.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "platform/classes/ClassRegistry.h"
#include "platform/classes/LayoutReader.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Resources.h"
#include "tests/classes/TestComponents.h"

using namespace vcl;
using namespace TestComponents;

namespace {

class LayoutRead : public testing::Test {
protected:
    void SetUp() override {
        RegisterTestClasses();
        Log().clear();
    }
};

// Every value kind the format has.
const char* const kSample = R"(object MainForm: TTestForm
  Left = 10
  Top = -20
  Width = $1F4
  Caption = 'It''s a '#13#10'two-line' +
    ' caption'
  Color = clWindow
  Ratio = 2.5E-1
  object Timer1: TTestTimer
    Interval = 250
    Target = Button1
  end
  object Panel1: TTestControl
    Caption = 'Grüße #1 '#8364
    Visible = False
    Align = taClient
    Color = $0000FF00
    Font.Name = 'Segoe UI'
    Font.Size = 11
    Font.Style = [tsBold, tsItalic]
    Font.Color = clRed
    Items.Strings = (
      'first'
      'second line'
      '')
    Panels = <
      item
        Width = 80
        Text = 'Left'
      end
      item
        Align = taTop
      end>
    Data = {
      0A1B2C3D
      F F00}
    object Button1: TTestControl
      Width = 75
      Ratio = -3
      Accel = 'B'
      Big = -9000000000
      Color = -16777201
      Buddy = Panel1
      OnClick = Button1Click
      OnKey = KeyHandler
    end
  end
end
)";

} // namespace

TEST_F(LayoutRead, EveryValueKindIntoAnExistingRootInFileOrderThenLoaded) {
    TComponentPtr<TTestForm> form(new TTestForm(nullptr));
    ReadComponentFromText(kSample, form.get(), "MainForm.layout");
    EXPECT_EQ(form->Name(), "MainForm");
    EXPECT_EQ(form->FLeft, 10);
    EXPECT_EQ(form->FTop, -20);
    EXPECT_EQ(form->FWidth, 500);
    EXPECT_EQ(form->FCaption, "It's a \r\ntwo-line caption");
    EXPECT_EQ(form->FColor, clWindow);
    EXPECT_DOUBLE_EQ(form->FRatio, 0.25);

    // Fields are set by name.
    ASSERT_NE(form->Panel1, nullptr);
    ASSERT_NE(form->Button1, nullptr);
    ASSERT_NE(form->Timer1, nullptr);
    TTestControl* panel = form->Panel1;
    TTestControl* button = form->Button1;
    EXPECT_EQ(form->ComponentCount(), 3); // all owned by the root
    EXPECT_EQ(panel->Owner(), form.get());
    EXPECT_EQ(button->Owner(), form.get());
    EXPECT_EQ(panel->Parent(), form.get());
    EXPECT_EQ(button->Parent(), panel);

    EXPECT_EQ(panel->FCaption, "Grüße #1 €"); // UTF-8 kept, #8364 written as UTF-8
    EXPECT_FALSE(panel->FVisible);
    EXPECT_EQ(panel->FAlign, taClient);
    EXPECT_EQ(panel->FColor, 0x0000FF00);
    EXPECT_EQ(panel->FFont->FName, "Segoe UI");
    EXPECT_EQ(panel->FFont->FSize, 11);
    EXPECT_EQ(panel->FFont->FStyle, (TTestStyles{tsBold, tsItalic}));
    EXPECT_EQ(panel->FFont->FColor, clRed);
    ASSERT_EQ(panel->FItems->Count(), 3);
    EXPECT_EQ(panel->FItems->Strings(1), "second line");
    EXPECT_EQ(panel->FItems->Strings(2), "");
    ASSERT_EQ(panel->FPanels->Count(), 2);
    EXPECT_EQ(panel->FPanels->GetItem(0)->FWidth, 80);
    EXPECT_EQ(panel->FPanels->GetItem(0)->FText, "Left");
    EXPECT_EQ(panel->FPanels->GetItem(1)->FWidth, 50);
    EXPECT_EQ(panel->FPanels->GetItem(1)->FAlign, taTop);
    EXPECT_EQ(panel->FData, String("\x0A\x1B\x2C\x3D\xFF\x00", 6));

    EXPECT_EQ(button->FWidth, 75);
    EXPECT_DOUBLE_EQ(button->FRatio, -3.0);
    EXPECT_EQ(button->FAccel, 'B');
    EXPECT_EQ(button->FBig, -9000000000LL);
    EXPECT_EQ(button->FColor, clBtnFace);
    EXPECT_EQ(button->FBuddy, panel); // backward reference
    EXPECT_EQ(form->Timer1->FInterval, 250);
    EXPECT_EQ(form->Timer1->FTarget, button); // forward reference

    // Events call the form's handlers.
    ASSERT_TRUE(static_cast<bool>(button->OnClick));
    button->OnClick(button);
    EXPECT_EQ(form->Clicks, std::vector<String>{"Button1"});
    int key = 13;
    button->OnKey(button, key);
    EXPECT_EQ(key, 0);

    // Loading is over for everyone.
    for (int i = 0; i < form->ComponentCount(); ++i) {
        EXPECT_FALSE(form->Components(i)->ComponentState().Contains(csLoading));
        EXPECT_FALSE(form->Components(i)->ComponentState().Contains(csReading));
    }
    EXPECT_FALSE(form->ComponentState().Contains(csLoading));
    // Setters run in file order; Loaded runs after everything, the root first, then in read order.
    EXPECT_EQ(Log(),
              (std::vector<String>{"Width MainForm", "Caption MainForm", "Caption Panel1", "Width Button1",
                                   "Loaded MainForm", "Loaded Timer1", "Loaded Panel1", "Loaded Button1"}));
    // The parent was set before the properties were read, while loading and reading.
    EXPECT_EQ(form->Button1->ParentWhenRead, form->Panel1);
    EXPECT_TRUE(form->Button1->LoadingWhenRead);
}

TEST_F(LayoutRead, StandAloneFromAResourceOrUnderAnOwnerWhereTheRootNameIsMadeUnique) {
    TComponent* made = ReadComponentFromText(kSample, nullptr, "sample");
    TComponentPtr<TComponent> holder(made);
    auto* form = dynamic_cast<TTestForm*>(made);
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->Owner(), nullptr);
    ASSERT_NE(form->Button1, nullptr);
    // Freeing a component clears the form's field and every reference to it.
    FreeComponent(form->Button1);
    EXPECT_EQ(form->Button1, nullptr);
    EXPECT_EQ(form->Timer1->FTarget, nullptr);
    FreeComponent(form->Panel1);
    EXPECT_EQ(form->Panel1, nullptr);
    TComponentPtr<TComponent> app(new TComponent(nullptr));
    auto* first = new TTestForm(app.get());
    auto* second = new TTestForm(app.get());
    ReadComponentFromText("object Form1: TTestForm\nend\n", first, "f");
    ReadComponentFromText("object Form1: TTestForm\nend\n", second, "f");
    EXPECT_EQ(first->Name(), "Form1");
    EXPECT_EQ(second->Name(), "Form1_1");
    static const char layout[] = "object ResForm: TTestForm\n  Caption = 'from a resource'\nend\n";
    RegisterResource("TTESTFORM_CLASSES_TEST", RT_RCDATA, layout, sizeof layout - 1);
    TComponentPtr<TTestForm> res(new TTestForm(nullptr));
    ReadComponentRes("TTestForm_Classes_Test", res.get());
    EXPECT_EQ(res->FCaption, "from a resource");
    EXPECT_THROW(ReadComponentRes("NO_SUCH_LAYOUT", res.get()), EResNotFound);
    // A compiled-in layout is read where it is; what the form keeps is its own, so a later registration
    // of the name (which frees a copied one's bytes) changes nothing in a form read before it.
    static const char kept[] = "object KeptForm: TTestForm\n  Caption = 'read in place'\nend\n";
    RegisterStaticResource("TTESTFORM_CLASSES_TEST", RT_RCDATA, kept, sizeof kept - 1);
    TComponentPtr<TTestForm> inPlace(new TTestForm(nullptr));
    ReadComponentRes("TTestForm_Classes_Test", inPlace.get());
    EXPECT_EQ(inPlace->FCaption, "read in place");
    std::string copied = "object CopiedForm: TTestForm\n  Caption = 'copied'\nend\n";
    RegisterResource("TTESTFORM_CLASSES_TEST", RT_RCDATA, copied.data(), copied.size());
    TComponentPtr<TTestForm> fromCopy(new TTestForm(nullptr));
    ReadComponentRes("TTestForm_Classes_Test", fromCopy.get());
    RegisterResource("TTESTFORM_CLASSES_TEST", RT_RCDATA, layout, sizeof layout - 1);
    copied.assign(copied.size(), '?');
    EXPECT_EQ(fromCopy->FCaption, "copied");
    EXPECT_EQ(fromCopy->Name(), "CopiedForm");
    EXPECT_EQ(inPlace->FCaption, "read in place");
}

TEST_F(LayoutRead, ClassRegistryByNameRefusingAnotherClassUnderATakenName) {
    EXPECT_EQ(FindClass("ttestcontrol"), TTestControl::StaticClassType());
    EXPECT_EQ(GetClass("TOtherForm"), TOtherForm::StaticClassType()); // namespace-scope registration
    EXPECT_EQ(GetClass("TMissing"), nullptr);
    try {
        FindClass("TMissing");
        FAIL();
    } catch (const EClassNotFound& e) {
        EXPECT_EQ(e.Message, "Class TMissing not found");
    }
    RegisterClass<TTestControl>(); // again: harmless
    TComponentPtr<TComponent> c(CreateComponentOfClass(FindClass("TTestTimer"), nullptr));
    EXPECT_NE(dynamic_cast<TTestTimer*>(c.get()), nullptr);
    // The list of registered classes holds each once, registered again or not, until unregistered.
    auto listed = [] { return std::ranges::count(GetRegisteredClasses(), TTestControl::StaticClassType()); };
    EXPECT_EQ(listed(), 1);
    UnRegisterClass(TTestControl::StaticClassType());
    EXPECT_EQ(listed(), 0);
    EXPECT_EQ(GetClass("TTestControl"), nullptr);
    RegisterClass<TTestControl>();
    EXPECT_EQ(listed(), 1);
    struct TLocal : TComponent {
        static TClass StaticClassType() {
            static const TClassInfo info{"TTESTTIMER", TComponent::StaticClassType()};
            return &info;
        }
        using TComponent::TComponent;
    };
    EXPECT_THROW(RegisterClass<TLocal>(), EFilerError);
    EXPECT_EQ(GetClass("TTestTimer"), TTestTimer::StaticClassType());
}
