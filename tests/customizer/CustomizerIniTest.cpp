// The customizer's INI file: the design state written at every load, the user layout laid over the
// toolbar, the way back to the design, and a file that is missing, damaged or lying.

#include "tests/customizer/CustomizerTestSupport.h"

namespace customizertest {
namespace {

using Strings = std::vector<String>;

class CustomizerIniTest : public CustomizerTest {};

TEST_F(CustomizerIniTest, TheDesignStateListsEveryControlWithTheKeysItsClassCarries) {
    bar->SetCaption("Files");
    save->SetGlyphPosition(gpTop); // only the first button's position is kept
    open->SetImageIndex(3);
    open->SetShowCaption(true);
    ASSERT_EQ(Names(), (Strings{"Open", "Sep", "Box", "Save"}));
    cust->SaveInitialState();

    EXPECT_EQ(Read("CustOrg", "ATBCaption"), "Files");
    EXPECT_EQ(Read("CustOrg", "GlyphPosition"), "0");
    // No toolbar images and no large images: the same (absent) list, so "large".
    EXPECT_EQ(Read("CustOrg", "LargeIcon"), "1");
    EXPECT_EQ(Read("CustOrg", "ToolBarItemCount"), "4");
    // A button's keys in their fixed order, without command or forced image.
    Strings keys = Keys("CustOrg");
    auto from = std::find(keys.begin(), keys.end(), "Name0");
    ASSERT_NE(from, keys.end());
    EXPECT_EQ(Strings(from, from + 7),
              (Strings{"Name0", "Name0.ClassName", "Name0.ImageIndex", "Name0.Visible", "Name0.ShowCaption",
                       "Name0.Caption", "Name0.Hint"}));
    EXPECT_EQ(Read("CustOrg", "Name0.ImageIndex"), "3");
    EXPECT_EQ(Read("CustOrg", "Name0.ShowCaption"), "1");
    EXPECT_EQ(Read("CustOrg", "Name0.Hint"), "Open file");
    // A separator and a control of another class carry their name and class only.
    EXPECT_EQ(Read("CustOrg", "Name1"), "Sep");
    EXPECT_EQ(Read("CustOrg", "Name1.ClassName"), "ADVTOOLBARSEPARATOR");
    EXPECT_EQ(Read("CustOrg", "Name1.Visible"), "<none>");
    EXPECT_EQ(Read("CustOrg", "Name2.ClassName"), "-1");
    EXPECT_EQ(Read("CustOrg", "Name2.Caption"), "<none>");
    EXPECT_EQ(Read("CustOrg", "Name3.ClassName"), "ADVTOOLBARBUTTON");
}

TEST_F(CustomizerIniTest, WithoutAUserSectionTheItemsStayAndOnlyTheImageRuleActs) {
    TImageList* small = new TImageList(form.get());
    cust->SaveInitialState();
    cust->UpdateAdvToolBar();
    EXPECT_EQ(Names(), (Strings{"Open", "Sep", "Box", "Save"}));
    EXPECT_EQ(bar->Images(), nullptr) << "no list of the customizer's: the toolbar's stays";

    cust->SetSmallImages(small);
    cust->UpdateAdvToolBar();
    EXPECT_EQ(bar->Images(), small) << "the small list goes on at every load without a stored large icon";
    EXPECT_EQ(Names(), (Strings{"Open", "Sep", "Box", "Save"}));
}

TEST_F(CustomizerIniTest, ACountOfNoneTakesEveryControlOffAndTheResetBringsThemBack) {
    cust->SaveInitialState();
    WriteItems({});
    cust->UpdateAdvToolBar();
    EXPECT_EQ(bar->ToolBarControlCount(), 0);
    ASSERT_EQ(cust->TakenOffCount(), 4);
    EXPECT_EQ(open->Parent(), nullptr) << "taken off, not destroyed";
    EXPECT_EQ(cust->GetCtrl("Open"), nullptr) << "only the toolbar's own controls are looked up";

    cust->ResetToolBar();
    EXPECT_EQ(Names(), (Strings{"Open", "Sep", "Box", "Save"}));
    EXPECT_EQ(cust->TakenOffCount(), 0);
    EXPECT_TRUE(Keys("Cust").empty()) << "the user section is forgotten";
    cust->UpdateAdvToolBar();
    EXPECT_EQ(Names(), (Strings{"Open", "Sep", "Box", "Save"})) << "the next load keeps the design items";
}

TEST_F(CustomizerIniTest, ItemsAreOrderedAsListedAndWhatTheListDoesNotNameIsTakenOff) {
    // Names match without regard to case; another class naming a control keeps it in its place, one naming
    // nothing is dropped; an item without a class is ignored although its name matches.
    WriteItems({"save", "Box:-1", "Open:", "Gone:-1", "Sep:TSomethingElse"});
    cust->UpdateAdvToolBar();
    EXPECT_EQ(Names(), (Strings{"Save", "Box", "Sep"}));
    ASSERT_EQ(cust->TakenOffCount(), 1);
    EXPECT_EQ(cust->TakenOff(0), open);
}

TEST_F(CustomizerIniTest, StoredButtonValuesApplyAsTheButtonPropertiesAllow) {
    save->SetVisible(false);
    WriteItems({"Open", "Save"}, {{"Name0.ShowCaption", "2"},
                                  {"Name0.Visible", "2"},
                                  {"Name0.Caption", "Load"},
                                  {"Name0.Hint", "Load a file"},
                                  {"Name0.ImageIndex", "4"},
                                  {"Name0.ForceImageIndex", "1"},
                                  {"Name1.Visible", "1"}});
    open->SetShowCaption(true);
    cust->UpdateAdvToolBar();
    // Show-caption is on only for 1, visibility for anything but 0.
    EXPECT_FALSE(open->ShowCaption());
    EXPECT_FALSE(save->Visible()) << "visibility is not the user's to change by default";
    EXPECT_EQ(open->Caption(), "Load");
    EXPECT_EQ(open->Hint(), "Load a file");
    EXPECT_EQ(open->ImageIndex(), 4);
    EXPECT_TRUE(open->ForceImageIndex());

    cust->ButtonProperties()->SetVisible(true);
    cust->ButtonProperties()->SetCaption(false);
    WriteItems({"Open", "Save"}, {{"Name0.Caption", "Other"}, {"Name1.Visible", "2"}});
    cust->UpdateAdvToolBar();
    EXPECT_TRUE(save->Visible());
    EXPECT_EQ(open->Caption(), "Load") << "a caption the user may not edit is not read";
    EXPECT_EQ(open->Hint(), "Load a file") << "a missing key keeps the current value";
}

TEST_F(CustomizerIniTest, GlyphPositionsFollowTheFileOrLeftWithoutAKey) {
    open->SetGlyphPosition(gpTop);
    save->SetGlyphPosition(gpBottom);
    WriteItems({"Open", "Save"});
    cust->UpdateAdvToolBar();
    EXPECT_EQ(open->GlyphPosition(), gpLeft);
    EXPECT_EQ(save->GlyphPosition(), gpLeft);

    WriteItems({"Open"}, {{"GlyphPosition", "2"}});
    cust->UpdateAdvToolBar();
    EXPECT_EQ(open->GlyphPosition(), gpRight);

    // A position box left without a choice stores -1: no position, so the buttons keep theirs.
    WriteItems({"Open"}, {{"GlyphPosition", "-1"}});
    cust->UpdateAdvToolBar();
    EXPECT_EQ(open->GlyphPosition(), gpRight);

    cust->DialogSettings()->EditGlyphPosition = false;
    WriteItems({"Open"}, {{"GlyphPosition", "3"}});
    cust->UpdateAdvToolBar();
    EXPECT_EQ(open->GlyphPosition(), gpRight) << "positions are not the user's to change";
}

TEST_F(CustomizerIniTest, MissingControlsAreMadeWithTheirCommandWhenItExists) {
    int printed = 0;
    TATBCommand* print = cust->Commands()->Add();
    print->SetCaption("Print");
    print->OnExecute = [&](TObject*) { ++printed; };
    // Command 1 does not exist: there is one command only.
    WriteItems({"Print:advtoolbarbutton", "Stray", "Glow:ADVCUSTOMGLOWBUTTON", "NewSep:ADVTOOLBARSEPARATOR"},
               {{"Name0.CommandID", "0"}, {"Name1.CommandID", "1"}, {"Name2.CommandID", "0"}});
    cust->UpdateAdvToolBar();
    ASSERT_EQ(Names(), (Strings{"Print", "Stray", "Glow", "NewSep"}));
    auto* made = dynamic_cast<TAdvToolBarButton*>(bar->ToolBarControls(0));
    ASSERT_NE(made, nullptr);
    EXPECT_TRUE(made->CustomizerCreated);
    EXPECT_EQ(made->CustomizerCommand, 0);
    EXPECT_EQ(made->Owner(), bar);
    made->Click();
    EXPECT_EQ(printed, 1);
    auto* stray = dynamic_cast<TAdvToolBarButton*>(bar->ToolBarControls(1));
    EXPECT_EQ(stray->CustomizerCommand, -1);
    EXPECT_FALSE(static_cast<bool>(stray->OnClick));
    auto* glow = dynamic_cast<TAdvGlowButton*>(bar->ToolBarControls(2));
    ASSERT_NE(glow, nullptr);
    EXPECT_TRUE(glow->CustomizerCreated());
    EXPECT_EQ(glow->CustomizerCommand(), 0);
    EXPECT_NE(dynamic_cast<TAdvToolBarSeparator*>(bar->ToolBarControls(3)), nullptr);
    EXPECT_EQ(cust->TakenOffCount(), 4) << "the design controls the list does not name";
}

TEST_F(CustomizerIniTest, StoredNamesThatCannotNameAComponentNeverStopTheLoad) {
    TATBCommand* cmd = cust->Commands()->Add();
    cmd->SetCaption("Save as...");
    EXPECT_EQ(cmd->Caption(), "Save_as...") << "blanks become underscores";
    WriteItems({"Save_as...", "1st", ":ADVTOOLBARSEPARATOR"});
    EXPECT_NO_THROW(cust->UpdateAdvToolBar());
    ASSERT_EQ(bar->ToolBarControlCount(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(IsValidIdent(bar->ToolBarControls(i)->Name())) << i;
    EXPECT_EQ(bar->ToolBarControls(0)->Name(), "Save_as___");
    EXPECT_EQ(bar->ToolBarControls(1)->Name(), "_1st");

    // A name the toolbar's own (taken-off) component bears: the new control gets the next free one.
    WriteItems({"Save_as___"});
    cust->UpdateAdvToolBar(); // keeps the first, takes the others off
    WriteItems({});
    cust->UpdateAdvToolBar();
    WriteItems({"_1st"});
    EXPECT_NO_THROW(cust->UpdateAdvToolBar());
    ASSERT_EQ(bar->ToolBarControlCount(), 1);
    EXPECT_EQ(bar->ToolBarControls(0)->Name(), "_1st1");
}

TEST_F(CustomizerIniTest, AFileThatCannotBeReadOrWrittenLeavesTheToolBarAsItIs) {
    // A folder where the file should be: it can be neither read nor written.
    std::filesystem::create_directories(File());
    EXPECT_NO_THROW(cust->SaveInitialState());
    EXPECT_NO_THROW(cust->UpdateAdvToolBar());
    EXPECT_NO_THROW(cust->ResetToolBar());
    EXPECT_EQ(Names(), (Strings{"Open", "Sep", "Box", "Save"}));

    cust->SetFileName((dir / "no-such-folder" / "x.ini").string());
    EXPECT_NO_THROW(cust->SaveInitialState());
    cust->SetFileName("");
    EXPECT_NO_THROW(cust->UpdateAdvToolBar());
    EXPECT_EQ(Names(), (Strings{"Open", "Sep", "Box", "Save"}));
}

TEST_F(CustomizerIniTest, TheResetDestroysWhatTheCustomizerMadeAndKeepsEveryOtherControl) {
    cust->SaveInitialState();
    WriteItems({"Extra", "Save"}, {{"Name1.Caption", "Keep"}});
    cust->UpdateAdvToolBar();
    ASSERT_EQ(Names(), (Strings{"Extra", "Save"}));
    // A control the program puts on the toolbar later, without a name.
    auto* unnamed = new TAdvToolBarButton(form.get());
    unnamed->SetParent(bar);

    cust->ResetToolBar();
    EXPECT_EQ(Names(), (Strings{"Open", "Sep", "Box", "Save"}));
    EXPECT_EQ(save->Caption(), "Save") << "the design values come back";
    EXPECT_EQ(bar->FindComponent("Extra"), nullptr) << "the made button is destroyed";
    ASSERT_EQ(cust->TakenOffCount(), 1);
    EXPECT_EQ(cust->TakenOff(0), unnamed) << "a control of the program is taken off, not destroyed";
}

TEST_F(CustomizerIniTest, AToolBarDesignedEmptyIsResetToEmpty) {
    for (TControl* c : {static_cast<TControl*>(open), static_cast<TControl*>(sep),
                        static_cast<TControl*>(box), static_cast<TControl*>(save)})
        c->SetParent(nullptr);
    cust->SaveInitialState();
    EXPECT_EQ(Read("CustOrg", "ToolBarItemCount"), "0");
    WriteItems({"Extra:ADVTOOLBARSEPARATOR"});
    cust->UpdateAdvToolBar();
    ASSERT_EQ(bar->ToolBarControlCount(), 1);
    cust->ResetToolBar();
    EXPECT_EQ(bar->ToolBarControlCount(), 0);
}

TEST_F(CustomizerIniTest, WithPersistenceOffTheLayoutLivesInMemoryAndTheFileIsNeverWritten) {
    cust->SetEnablePersistence(false);
    cust->SaveInitialState();
    {
        auto ini = cust->OpenIni();
        ASSERT_TRUE(ini);
        ini->WriteInteger("Cust", "ToolBarItemCount", 1);
        ini->WriteString("Cust", "Name0", "Save");
        ini->WriteString("Cust", "Name0.ClassName", "ADVTOOLBARBUTTON");
    }
    cust->UpdateAdvToolBar();
    EXPECT_EQ(Names(), (Strings{"Save"}));
    cust->ResetToolBar();
    EXPECT_EQ(Names(), (Strings{"Open", "Sep", "Box", "Save"}));
    EXPECT_FALSE(std::filesystem::exists(File()));
}

TEST_F(CustomizerIniTest, NothingIsReadOrWrittenAtDesignTime) {
    cust->SetDesigning(true);
    cust->SaveInitialState();
    EXPECT_FALSE(std::filesystem::exists(File()));
}

TEST_F(CustomizerIniTest, ControlsHiddenBehindTheRightHandleAreTakenOffLikeTheOthers) {
    auto* panel = Make<TAdvDockPanel>("Panel", form.get());
    auto* docked = Make<TAdvToolBar>("Docked", panel);
    for (const char* n : {"A", "B", "C", "D"}) {
        auto* b = Make<TAdvToolBarButton>(n, docked);
        b->SetCaption(n);
        b->SetShowCaption(true);
    }
    docked->SetAllowBoundChange(true);
    docked->SetWidth(70);
    docked->SetAllowBoundChange(false);
    ASSERT_GT(docked->HiddenControlCount(), 0);
    cust->SetAdvToolBar(docked);
    WriteItems({"A"});
    cust->UpdateAdvToolBar();
    EXPECT_EQ(docked->ToolBarControlCount(), 1);
    EXPECT_EQ(cust->TakenOffCount(), 3);
    EXPECT_EQ(docked->HiddenControlCount(), 0);
}

} // namespace
} // namespace customizertest
