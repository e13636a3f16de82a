// The customizer component: its link with the toolbar, the references it lets go of, its settings'
// copies, and the toolbar's loading step that runs it.

#include "platform/classes/LayoutReader.h"
#include "tests/customizer/CustomizerTestSupport.h"

namespace customizertest {
namespace {

using Strings = std::vector<String>;

class CustomizerComponentTest : public CustomizerTest {};

TEST_F(CustomizerComponentTest, ANewCustomizerKeepsItsFileInTheCurrentFolderAndAllowsTheUsualEdits) {
    TComponentPtr<TAdvToolBarCustomizer> fresh(new TAdvToolBarCustomizer(nullptr));
    EXPECT_EQ(fresh->FileName(), ".\\untitled.ini");
    EXPECT_TRUE(fresh->EnablePersistence());
    EXPECT_FALSE(fresh->Options()->DeleteAll()) << "clearing the whole toolbar is offered only on request";
    EXPECT_FALSE(fresh->ButtonProperties()->Visible());
    EXPECT_FALSE(fresh->DialogSettings()->LargeIcon);
}

TEST_F(CustomizerComponentTest, LinkingASecondToolBarUnlinksTheFirstOnlyWhenItPointsBack) {
    auto* other = Make<TAdvToolBar>("Other", form.get());
    EXPECT_EQ(bar->Customizer(), cust);
    cust->SetAdvToolBar(other);
    EXPECT_EQ(bar->Customizer(), nullptr);
    EXPECT_EQ(other->Customizer(), cust);

    // The first toolbar has meanwhile been given to another customizer: that link stays.
    cust->SetAdvToolBar(bar);
    auto* second = Make<TAdvToolBarCustomizer>("Second");
    second->SetAdvToolBar(bar);
    EXPECT_EQ(cust->AdvToolBar(), bar);
    cust->SetAdvToolBar(other);
    EXPECT_EQ(bar->Customizer(), second);
}

TEST_F(CustomizerComponentTest, FreedComponentsAreForgottenOnBothSides) {
    auto* large = new TImageList(form.get());
    auto* small = new TImageList(form.get());
    cust->SetLargeImages(large);
    cust->SetSmallImages(small);
    FreeComponent(large);
    EXPECT_EQ(cust->LargeImages(), nullptr);
    EXPECT_EQ(cust->SmallImages(), small);
    FreeComponent(small);
    EXPECT_EQ(cust->SmallImages(), nullptr);

    // A taken-off control freed by its owner leaves the taken-off list.
    WriteItems({"Open", "Sep:ADVTOOLBARSEPARATOR", "Box:-1"});
    cust->UpdateAdvToolBar();
    ASSERT_EQ(cust->TakenOffCount(), 1);
    FreeComponent(save);
    EXPECT_EQ(cust->TakenOffCount(), 0);

    FreeComponent(cust);
    EXPECT_EQ(bar->Customizer(), nullptr);
    bar->ShowCustomizer(); // nothing without a customizer
    bar->ResetToolBar();
    EXPECT_EQ(Names(), (Strings{"Open", "Sep", "Box"}));

    auto* again = Make<TAdvToolBarCustomizer>("Again");
    again->SetAdvToolBar(bar);
    FreeComponent(bar);
    EXPECT_EQ(again->AdvToolBar(), nullptr);
    again->ShowCustomizer(); // returns at once without a toolbar
    EXPECT_EQ(CustomizerForm, nullptr);
}

TEST_F(CustomizerComponentTest, SettingsCopyWhatTheirAssignNames) {
    TATBCommands commands(nullptr);
    TATBCommand* a = commands.Add();
    a->SetCaption("Save all files");
    EXPECT_EQ(a->Caption(), "Save_all_files");
    int runs = 0;
    a->OnExecute = [&](TObject*) { ++runs; };
    a->SetItemIndex(5);
    TATBCommand* b = commands.Add();
    b->Assign(a);
    EXPECT_EQ(b->Caption(), "Save_all_files");
    EXPECT_EQ(b->ItemIndex(), -1) << "the image index is not copied";
    b->OnExecute(nullptr);
    EXPECT_EQ(runs, 1);

    TDialogSettings from;
    from.UpHint = "Hoch";
    from.ButtonEditVisibleCheck = "Sichtbar";
    from.Customize = "Anpassen";
    from.EditGlyph = false;
    from.EditCaption = false;
    from.LargeIcon = true;
    cust->SetDialogSettings(&from);
    TDialogSettings* to = cust->DialogSettings();
    EXPECT_EQ(to->UpHint, "Hoch");
    EXPECT_EQ(to->ButtonEditVisibleCheck, "Sichtbar");
    EXPECT_EQ(to->Customize, "Customize") << "the option window's text is not copied";
    EXPECT_TRUE(to->EditGlyph) << "nor is the icon switch";
    EXPECT_FALSE(to->EditCaption);
    EXPECT_TRUE(to->LargeIcon);

    int changes = 0;
    TButtonProperties props;
    props.OnChange = [&](TObject*) { ++changes; };
    props.SetHint(true); // unchanged
    props.SetHint(false);
    EXPECT_EQ(changes, 1);
    TCustomizedOptions options;
    options.SetReOrder(false);
    cust->SetOptions(&options);
    EXPECT_FALSE(cust->Options()->ReOrder());
}

TEST_F(CustomizerComponentTest, LoadingTheToolBarKeepsTheDesignAndThenAppliesTheUserLayout) {
    WriteItems({"Save", "Open"});
    bar->Load();
    EXPECT_EQ(Read("CustOrg", "ToolBarItemCount"), "4") << "the design state is written before the layout";
    EXPECT_EQ(Read("CustOrg", "Name0"), "Open");
    EXPECT_EQ(Names(), (Strings{"Save", "Open"}));
}

TEST_F(CustomizerComponentTest, AFormLayoutLinksTheCustomizerAndTheToolBarLoadsTheUserLayout) {
    const String path = (dir / "form.ini").string();
    WriteItems({"Second", "First"}, {}, "Customizer1", path);
    TComponentPtr<TForm> f(new TForm(nullptr));
    // The customizer comes after the toolbar: its link is made before any component is loaded.
    ReadComponentFromText("object F: TForm\n"
                          "  object Bar: TAdvToolBar\n"
                          "    object First: TAdvToolBarButton\n"
                          "      Caption = 'First'\n"
                          "    end\n"
                          "    object Second: TAdvToolBarButton\n"
                          "      Left = 40\n"
                          "      Caption = 'Second'\n"
                          "    end\n"
                          "  end\n"
                          "  object Customizer1: TAdvToolBarCustomizer\n"
                          "    AdvToolBar = Bar\n"
                          "    FileName = '" +
                              path +
                              "'\n"
                              "    Commands = <\n"
                              "      item\n"
                              "        Caption = 'Print all'\n"
                              "        ItemIndex = 2\n"
                              "      end>\n"
                              "    DialogSettings.EditCaption = False\n"
                              "    Options.DeleteAll = True\n"
                              "  end\n"
                              "end\n",
                          f.get(), "Customizer.layout");
    auto* read = dynamic_cast<TAdvToolBar*>(f->FindComponent("Bar"));
    auto* c = dynamic_cast<TAdvToolBarCustomizer*>(f->FindComponent("Customizer1"));
    ASSERT_NE(read, nullptr);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(read->Customizer(), c);
    ASSERT_EQ(c->Commands()->Count(), 1);
    EXPECT_EQ(c->Commands()->Items(0)->Caption(), "Print_all");
    EXPECT_FALSE(c->DialogSettings()->EditCaption);
    EXPECT_TRUE(c->Options()->DeleteAll());
    ASSERT_EQ(read->ToolBarControlCount(), 2);
    EXPECT_EQ(read->ToolBarControls(0)->Name(), "Second");
    TIniFile ini(path);
    EXPECT_EQ(ini.ReadString("Customizer1Org", "Name0", ""), "First");
}

} // namespace
} // namespace customizertest
