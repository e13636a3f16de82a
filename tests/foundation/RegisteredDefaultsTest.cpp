// A layout leaves a value equal to its declared default out, so every class must start with those.

#include <gtest/gtest.h>

#include <string>

#include "components/foundation/AdvAppStyler.h"
#include "components/foundation/AdvGlowButton.h"
#include "components/foundation/DBAdvGlowButton.h"
#include "components/foundation/ExeInfo.h"
#include "components/foundation/FormSize.h"
#include "components/menus/AdvMenus.h"
#include "components/statusbar/AdvOfficeStatusBar.h"
#include "components/statusbar/AdvOfficeStatusBarStylers.h"
#include "components/statusbar/HTMLImage.h"
#include "components/statusbar/PictureContainer.h"
#include "components/toolbar/AdvToolBar.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/classes/LayoutReader.h"
#include "platform/classes/LayoutWriter.h"
#include "platform/rtl/Resources.h"
#include "platform/rtl/SysUtils.h"
#include "platform/vcl/ActnList.h"
#include "platform/vcl/Buttons.h"
#include "platform/vcl/DB.h"
#include "platform/vcl/ExtCtrls.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/ImgList.h"
#include "platform/vcl/Menu.h"
#include "platform/vcl/StdCtrls.h"
#include "platform/vcl/Timer.h"
#include "tests/foundation/PublishedValues.h"
#include "tests/support/UiDriver.h"

namespace registereddefaultstest {
namespace {

using namespace vcl;

// Every unit's classes, through the units' own registration functions, and the classes of units that
// register themselves at start-up (named here so that their object files are linked in).
void RegisterEveryUnit() {
    RegisterStdCtrlsClasses();
    RegisterExtCtrlsClasses();
    RegisterDBClasses();
    RegisterActnListClasses();
    AdvToolBar::RegisterAdvToolBarClasses();
    AdvOfficeStatusBar::RegisterAdvOfficeStatusBarClasses();
    AdvOfficeStatusBarStylers::RegisterAdvOfficeStatusBarStylersClasses();
    PictureContainer::RegisterHTMLImageClasses();
    PictureContainer::RegisterPictureContainerClasses();
    AdvMenus::RegisterAdvMenusClasses();
    RegisterClasses({ClassEntry<TTimer>(), ClassEntry<TSpeedButton>(), ClassEntry<TImageList>(),
                     ClassEntry<TMainMenu>(), ClassEntry<TPopupMenu>(), ClassEntry<TMenuItem>(),
                     ClassEntry<TFrame>(), ClassEntry<AdvGlowButton::TAdvGlowButton>(),
                     ClassEntry<AdvGlowButton::TDBAdvGlowButton>(), ClassEntry<FormSize::TFormSize>(),
                     ClassEntry<ExeInfo::TExeInfo>(), ClassEntry<AdvAppStyler::TAdvAppStyler>(),
                     ClassEntry<AdvAppStyler::TAdvFormStyler>()});
}

// Values a fresh component may hold against its declared default, each for a reason the layout
// cannot lose anything by.
bool IsExempt(TObject* Owner, const TPropInfo* P) {
    // The application and form stylers declare their style tsCustom but start at Office 2003 Blue, so
    // that Blue is always written and a layout without a style leaves a styler as made.
    if (P->Name == "Style" && (dynamic_cast<AdvAppStyler::TAdvAppStyler*>(Owner) != nullptr ||
                               dynamic_cast<AdvAppStyler::TAdvFormStyler*>(Owner) != nullptr))
        return true;
    // The anchors follow the alignment: setting Align anchors a control to the sides it is aligned
    // to, so an aligned control's anchors come back with its alignment (a bottom-aligned bar's).
    if (P->Name == "Anchors") {
        const TPropInfo* align = GetPropInfo(Owner->ClassType(), "Align");
        if (align != nullptr && align->GetOrd(Owner) != 0) return true;
    }
    return false;
}

// "Class.Property: holds X, declares Y" for each ordinal property of Target that differs from its
// declared default.
void CollectDifferences(TObject* Target, std::vector<std::string>& Out) {
    for (const TPropInfo* p : GetPropList(Target->ClassType())) {
        if (!publishedtest::IsOrdinal(p) || !p->DefaultOrd || IsExempt(Target, p)) continue;
        const Int64 held = p->GetOrd(Target);
        if (held != *p->DefaultOrd)
            Out.push_back(std::string(Target->ClassType()->Name) + "." + std::string(p->Name) + ": holds " +
                          std::to_string(held) + ", declares " + std::to_string(*p->DefaultOrd));
    }
}

class RegisteredDefaultsTest : public uitest::UiTest {
protected:
    void SetUp() override {
        RegisterEveryUnit();
        form.reset(TCustomForm::CreateNew(nullptr));
        form->SetName("Host");
    }
    void TearDown() override { form.reset(); }

    TComponentPtr<TCustomForm> form;
};

TEST_F(RegisteredDefaultsTest, EveryRegisteredClassStartsWithItsDeclaredDefaults) {
    const std::vector<TClass> classes = GetRegisteredClasses();
    // The units above register well over forty classes; far fewer means the walk went wrong.
    ASSERT_GT(classes.size(), 40u);
    std::vector<std::string> differences;
    for (TClass c : classes) {
        SCOPED_TRACE(c->Name);
        // A designed form takes its values from a layout of its own, which the program never writes.
        if (ResourceExists(UpperCase(c->Name), RT_RCDATA)) continue;
        // Made as the layout reader makes it: owned by the form being read.
        TComponent* made = CreateComponentOfClass(c, form.get());
        ASSERT_NE(made, nullptr);
        CollectDifferences(made, differences);
        FreeComponent(made);
    }
    std::string all;
    for (const std::string& d : differences)
        all += d + "\n";
    EXPECT_TRUE(differences.empty()) << all;
}

// Whichever value the user gives a button's TabStop, the one the writer leaves out as the default
// included, a fresh button read from the layout has it.
TEST_F(RegisteredDefaultsTest, TabStopSurvivesALayoutEitherWay) {
    for (bool value : {false, true}) {
        TComponentPtr<TButton> button(new TButton(nullptr));
        button->SetName("Button1");
        button->SetTabStop(!value);
        button->SetTabStop(value);
        const String text = WriteComponentToText(button.get());
        TComponentPtr<TButton> read(new TButton(nullptr));
        ReadComponentFromText(text, read.get(), "Button1");
        EXPECT_EQ(read->TabStop(), value) << text;
    }
}

// A colour that every style preset sets is kept by a layout whatever its value: a value left out as
// "the default" would come back as the preset's. The values set here are the ones the base classes
// give these colours.
TEST_F(RegisteredDefaultsTest, ColoursThatStylePresetsSetSurviveALayout) {
    struct Case {
        const char* ClassName;
        const char* Style;
        const char* Colour;
        TColor Value;
    };
    for (const Case& k : {Case{"TAdvMenuOfficeStyler", "osOffice2007Luna", "MenuBorderColor", 0x7C7C94},
                          Case{"TAdvToolBarOfficeStyler", "bsOffice2003Blue", "RightHandleColor", clGray},
                          Case{"TAdvToolBarOfficeStyler", "bsOffice2003Blue", "RightHandleColorTo", clGray},
                          Case{"TAdvToolBarOfficeStyler", "bsOffice2003Blue", "BorderColorHot", clNone}}) {
        SCOPED_TRACE(std::string(k.ClassName) + "." + k.Colour);
        TClass c = FindClass(k.ClassName);
        TComponentPtr<TComponent> styler(CreateComponentOfClass(c, nullptr));
        styler->SetName("Styler1");
        const TPropInfo* style = GetPropInfo(c, "Style");
        ASSERT_NE(style, nullptr);
        SetOrdProp(styler.get(), "Style", GetEnumValue(*style->Enum, k.Style));
        SetOrdProp(styler.get(), k.Colour, k.Value);
        const String text = WriteComponentToText(styler.get());
        TComponentPtr<TComponent> read(CreateComponentOfClass(c, nullptr));
        ReadComponentFromText(text, read.get(), "Styler1");
        EXPECT_EQ(GetEnumName(*style->Enum, static_cast<int>(GetOrdProp(read.get(), "Style"))), k.Style);
        EXPECT_EQ(GetOrdProp(read.get(), k.Colour), k.Value) << text;
    }
}

} // namespace
} // namespace registereddefaultstest
