// The customizer's INI file as input: numbers in every form the INI file reads, garbage, counts that
// lie, and texts the file cannot hold.

#include <fstream>

#include "tests/customizer/CustomizerTestSupport.h"

namespace customizertest {
namespace {

using Strings = std::vector<String>;

class CustomizerIniInputTest : public CustomizerTest {};

TEST_F(CustomizerIniInputTest, NumbersAreReadInDecimalAndHexAndGarbageKeepsTheCurrentValue) {
    cust->SaveInitialState();
    cust->ButtonProperties()->SetVisible(true);
    struct Case {
        String Text;
        bool Hidden;
    };
    const Case cases[] = {{"0", true},           {"$0", true},   {"0x0", true},
                          {"0X00", true},        {"1", false},   {"$1", false},
                          {"0x1", false},        {"no", false},  {"0x", false},
                          {"$", false},          {"1.0", false}, {"99999999999999999999", false},
                          {"0x100000000", false}};
    for (const Case& c : cases) {
        open->SetVisible(true);
        WriteItems({"Open"}, {{"Name0.Visible", c.Text}});
        cust->UpdateAdvToolBar();
        EXPECT_EQ(open->Visible(), !c.Hidden) << "Visible=" << c.Text;
    }
    // The item count in every form; garbage is no count at all and leaves the items as they are.
    for (const String& count : {String("2"), String("$2"), String("0x2"), String("0X02")}) {
        cust->ResetToolBar();
        WriteItems({"Save", "Open"}, {{"ToolBarItemCount", count}});
        cust->UpdateAdvToolBar();
        EXPECT_EQ(Names(), (Strings{"Save", "Open"})) << "ToolBarItemCount=" << count;
    }
    for (const String& count : {String("two"), String("2x"), String("99999999999999999999")}) {
        cust->ResetToolBar();
        WriteItems({"Save"}, {{"ToolBarItemCount", count}});
        cust->UpdateAdvToolBar();
        EXPECT_EQ(Names(), (Strings{"Open", "Sep", "Box", "Save"})) << "ToolBarItemCount=" << count;
    }
}

TEST_F(CustomizerIniInputTest, ACountNearTheIntegerLimitListsOnlyTheItemsTheSectionHolds) {
    cust->SaveInitialState();
    WriteUser({{"ToolBarItemCount", "2147483647"},
               {"Name7", "Open"},
               {"Name7.ClassName", "ADVTOOLBARBUTTON"},
               {"Name2", "Save"},
               {"Name2.ClassName", "ADVTOOLBARBUTTON"},
               {"Name02", "Sep"},
               {"Name02.ClassName", "ADVTOOLBARSEPARATOR"},
               {"Name4294967296", "Box"},
               {"Name4294967296.ClassName", "-1"}});
    cust->UpdateAdvToolBar();
    EXPECT_EQ(Names(), (Strings{"Save", "Open"})) << "in index order; only the written form names an item";

    {
        TIniFile ini(File());
        ini.WriteString("CustOrg", "ToolBarItemCount", "$7FFFFFFF");
    }
    cust->ResetToolBar();
    EXPECT_EQ(Names(), (Strings{"Open", "Sep", "Box", "Save"}));
}

// A control made under another name than the stored one (the stored one is no identifier, or a
// taken-off control bears it) is the item's control from then on: applying the file again finds it
// instead of making another and taking the first off.
TEST_F(CustomizerIniInputTest, AnItemMadeUnderAnotherNameIsFoundAgainWhenTheFileIsAppliedAgain) {
    auto controls = [&] {
        std::vector<TControl*> list;
        for (int i = 0; i < bar->ToolBarControlCount(); ++i)
            list.push_back(bar->ToolBarControls(i));
        return list;
    };
    WriteItems(
        {"Open", "Save as...", "1st:ADVTOOLBARSEPARATOR", "9 lives:ADVCUSTOMGLOWBUTTON", "save as..."});
    cust->UpdateAdvToolBar();
    EXPECT_EQ(Names(), (Strings{"Open", "Save_as___", "_1st", "_9_lives"}))
        << "the last item names the second";
    const std::vector<TControl*> made = controls();
    EXPECT_EQ(cust->TakenOffCount(), 3);
    for (int again = 0; again < 2; ++again) {
        cust->UpdateAdvToolBar();
        EXPECT_EQ(controls(), made);
        EXPECT_EQ(cust->TakenOffCount(), 3) << "no hidden copy is left behind";
    }

    // "Save" is the name of a taken-off control: its item gets "Save1", and keeps it.
    WriteItems({"Save:ADVTOOLBARSEPARATOR", "Open"});
    cust->UpdateAdvToolBar();
    EXPECT_EQ(Names(), (Strings{"Save1", "Open"}));
    TControl* save1 = bar->ToolBarControls(0);
    const int off = cust->TakenOffCount();
    cust->UpdateAdvToolBar();
    EXPECT_EQ(bar->ToolBarControls(0), save1);
    EXPECT_EQ(cust->TakenOffCount(), off);

    // An item that makes nothing ("-1") names the control a later item makes: it takes it the first time
    // as it does the next.
    WriteItems({"Print:-1", "Find", "Print"});
    cust->UpdateAdvToolBar();
    EXPECT_EQ(Names(), (Strings{"Print", "Find"}));
    const std::vector<TControl*> both = controls();
    cust->UpdateAdvToolBar();
    EXPECT_EQ(controls(), both);

    // The reset destroys what was made; the next time the items are made anew.
    cust->SaveInitialState();
    cust->ResetToolBar();
    WriteItems({"9 lives:ADVCUSTOMGLOWBUTTON"});
    cust->UpdateAdvToolBar();
    EXPECT_EQ(Names(), (Strings{"_9_lives"}));
}

TEST_F(CustomizerIniInputTest, ATextTheFileCannotHoldIsLeftOutAndTheRestOfTheDesignStateKept) {
    open->SetCaption("Two\nlines");
    save->SetHint("Save\r\nfile");
    {
        TIniFile ini(File());
        ini.WriteString("CustOrg", "Name0.Caption", "Stale");
    }
    cust->SaveInitialState();
    EXPECT_EQ(Read("CustOrg", "Name0.Caption"), "<none>") << "refused, and what the key held is gone";
    EXPECT_EQ(Read("CustOrg", "Name3"), "Save") << "the items after it are still written";
    EXPECT_EQ(Read("CustOrg", "Name3.Caption"), "Save");
    EXPECT_EQ(Read("CustOrg", "Name3.Hint"), "<none>");

    WriteItems({});
    cust->UpdateAdvToolBar();
    cust->ResetToolBar();
    EXPECT_EQ(Names(), (Strings{"Open", "Sep", "Box", "Save"}));
    EXPECT_EQ(open->Caption(), "Two\nlines");
    EXPECT_EQ(save->Hint(), "Save\r\nfile");

    // A file in Windows-1252 (written by the original program) cannot hold every character.
    std::ofstream(File(), std::ios::binary | std::ios::trunc) << "; Leiste f\xFCr Dateien\r\n";
    open->SetCaption("\u00D6ffnen \u263A");
    cust->SaveInitialState();
    EXPECT_EQ(Read("CustOrg", "Name0.Caption"), "<none>");
    EXPECT_EQ(Read("CustOrg", "Name3.Caption"), "Save");
}

} // namespace
} // namespace customizertest
