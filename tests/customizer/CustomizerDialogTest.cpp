// The customize dialog and the button dialog, driven with real input through the queue while they are
// up, and what the customizer does with their result.

#include <fstream>

#include "components/toolbar/customizer/CustomizerBtnU.h"
#include "components/toolbar/customizer/CustomizerU.h"
#include "tests/customizer/CustomizerTestSupport.h"

namespace customizertest {
namespace {

using Strings = std::vector<String>;

class CustomizerDialogTest : public CustomizerTest {
protected:
    void SetUp() override {
        CustomizerTest::SetUp();
        images = new TImageList(form.get());
        images->SetName("Images");
        for (TColor c : {TColor(0x2020C0), TColor(0x20A020), TColor(0xC02020)}) {
            TBitmap b(16, 16);
            b.Canvas()->Brush()->SetColor(c);
            b.Canvas()->FillRect(TRect{0, 0, 16, 16});
            images->Add(&b, nullptr);
        }
        TATBCommand* print = cust->Commands()->Add();
        print->SetCaption("Print");
        print->SetItemIndex(1);
        print->OnExecute = [this](TObject*) { ++printed; };
        cust->Commands()->Add()->SetCaption("Find");
        cust->OnAfterPost = [this](TObject*) { ++posted; };
        form->Show();
    }
    static TCustomizerForm* Dialog(TCustomForm* Form) {
        auto* d = dynamic_cast<TCustomizerForm*>(Form);
        EXPECT_NE(d, nullptr);
        return d;
    }
    static Strings Entries(TCustomizerForm* D) {
        Strings s;
        for (int i = 0; i < D->LstBxToolBarItems->Count(); ++i)
            s.push_back(D->LstBxToolBarItems->Items()->Get(i));
        return s;
    }
    // The next turn of the dialog's loop, after the input of the turn before has been handled in full.
    void Step(uitest::UiDriver::TModalAction Action) {
        ui.WhenModal([](TCustomForm*) {});
        ui.WhenModal(std::move(Action));
    }
    // Shows the dialog (which runs the steps queued before), runs Check on it and closes it by Button.
    void Inspect(const std::function<void(TCustomizerForm*)>& Check,
                 TButton* TCustomizerForm::*Button = &TCustomizerForm::BtnCancel) {
        Step([&](TCustomForm* f) {
            Check(Dialog(f));
            ui.Click(Dialog(f)->*Button);
        });
        cust->ShowCustomizer();
    }
    // The same, closing it by OK.
    void Accept(const std::function<void(TCustomizerForm*)>& Check) {
        Inspect(Check, &TCustomizerForm::BtnOk);
    }
    // Clicks entry Index of the item list.
    void ClickEntry(TCustomizerForm* D, int Index) {
        TRect r = D->LstBxToolBarItems->ItemRect(Index);
        ui.Click(D->LstBxToolBarItems, r.Left + 40, (r.Top + r.Bottom) / 2);
    }

    TImageList* images = nullptr;
    int printed = 0;
    int posted = 0;
};

TEST_F(CustomizerDialogTest, TheDialogShowsTheToolBarsItemsAndTheCommands) {
    bar->SetImages(images);
    open->SetImageIndex(0);
    Inspect([&](TCustomizerForm* d) {
        EXPECT_EQ(Entries(d), (Strings{"Open", "Separator", "Box", "Save"}));
        EXPECT_EQ(d->ItemProp(2), nullptr) << "a control of another class has no entry data";
        EXPECT_EQ(d->LstBxCommand->Items()->Count(), 2);
        EXPECT_EQ(d->LstBxToolBarItems->ItemHeight(), 16 + 3);
        EXPECT_EQ(d->CmBxIcon->Items()->Count(), 4) << "one entry per image and None";
        EXPECT_EQ(d->CmBxIcon->ItemIndex(), 1) << "the first command's image";
        EXPECT_EQ(d->EdtCaption->Text(), bar->Caption());
        EXPECT_FALSE(d->Modified()) << "filling the dialog is no change";
        EXPECT_TRUE(d->TopButton->Enabled()) << "on opening the move buttons follow ReOrder alone";
        EXPECT_FALSE(d->ClearButton->Enabled()) << "clearing is off by default";
        EXPECT_TRUE(d->BtnEdit->Enabled());
        EXPECT_EQ(d->TopButton->Hint(), "Move to Top");
        ui.WritePng(d, ui.OutputPath("customizer-dialog.png"));
    });
    EXPECT_EQ(CustomizerForm, nullptr);
    EXPECT_EQ(ui.PendingActions(), 0);
}

TEST_F(CustomizerDialogTest, UpAndDownGoRoundTheEndsOfTheList) {
    // On opening the move buttons follow ReOrder alone, so Up works on the first entry.
    Step([&](TCustomForm* f) { ui.Click(Dialog(f)->UpButton); });
    Step([&](TCustomForm* f) {
        TCustomizerForm* d = Dialog(f);
        EXPECT_EQ(Entries(d), (Strings{"Save", "Separator", "Box", "Open"}));
        EXPECT_EQ(d->LstBxToolBarItems->ItemIndex(), 3) << "the first entry went to the end, still selected";
        EXPECT_FALSE(d->DownButton->Enabled()) << "the last entry is selected";
        d->DownButtonClick(d->DownButton);
        EXPECT_EQ(Entries(d), (Strings{"Open", "Separator", "Box", "Save"}));
        EXPECT_EQ(d->LstBxToolBarItems->ItemIndex(), 0);
        ClickEntry(d, 2);
    });
    Step([&](TCustomForm* f) { ui.Click(Dialog(f)->BottomButton); });
    Step([&](TCustomForm* f) {
        TCustomizerForm* d = Dialog(f);
        EXPECT_EQ(Entries(d), (Strings{"Open", "Separator", "Save", "Box"}));
        ClickEntry(d, 2);
    });
    Step([&](TCustomForm* f) { ui.Click(Dialog(f)->TopButton); });
    Inspect([&](TCustomizerForm* d) {
        EXPECT_EQ(Entries(d), (Strings{"Save", "Open", "Separator", "Box"}));
        EXPECT_EQ(d->LstBxToolBarItems->ItemIndex(), 0);
        EXPECT_FALSE(d->UpButton->Enabled());
        EXPECT_TRUE(d->Modified());
    });
    EXPECT_EQ(Names(), (Strings{"Open", "Sep", "Box", "Save"})) << "cancel leaves the toolbar";
    EXPECT_EQ(posted, 0);
}

TEST_F(CustomizerDialogTest, OkWithoutAChangeRewritesTheUserSectionButLeavesTheToolBar) {
    cust->SetSmallImages(images);
    WriteItems({"Save"});
    Accept([](TCustomizerForm*) {});
    EXPECT_EQ(Read("Cust", "ToolBarItemCount"), "4");
    EXPECT_EQ(Read("Cust", "Name2"), "Box");
    EXPECT_EQ(Read("Cust", "Name2.ClassName"), "-1");
    EXPECT_EQ(posted, 0);
    EXPECT_EQ(bar->Images(), nullptr) << "the toolbar was not rebuilt";
    EXPECT_EQ(Names(), (Strings{"Open", "Sep", "Box", "Save"}));
}

TEST_F(CustomizerDialogTest, AddedItemsGoAfterTheSelectionAndBecomeControlsOnOk) {
    Step([&](TCustomForm* f) { ui.Click(Dialog(f)->AddButton); });
    Step([&](TCustomForm* f) { ui.Click(Dialog(f)->SeparatorButton); });
    Step([&](TCustomForm* f) { ui.Click(Dialog(f)->SeparatorButton); });
    Step([&](TCustomForm* f) {
        TCustomizerForm* d = Dialog(f);
        TRect r = d->LstBxCommand->ItemRect(1);
        ui.Click(d->LstBxCommand, 20, (r.Top + r.Bottom) / 2);
    });
    Step([&](TCustomForm* f) {
        TCustomizerForm* d = Dialog(f);
        EXPECT_EQ(d->CmBxIcon->ItemIndex(), 0) << "no image list on the toolbar: None, the only entry";
        ui.Click(d->AddGlowButton);
    });
    Step([&](TCustomForm* f) { ui.Click(Dialog(f)->AddButton); }); // the same command again
    Accept([&](TCustomizerForm* d) {
        EXPECT_EQ(Entries(d), (Strings{"Open", "Print", "Separator", "Separator", "Find", "Find", "Separator",
                                       "Box", "Save"}));
        EXPECT_EQ(d->LstBxToolBarItems->ItemIndex(), 5);
        // Two new separators must not share a name, or the second would be lost on saving.
        EXPECT_EQ(d->ItemProp(2)->Caption, "AdvToolBarSeparator1");
        EXPECT_EQ(d->ItemProp(3)->Caption, "AdvToolBarSeparator2");
    });
    EXPECT_EQ(posted, 1);
    ASSERT_EQ(Names(), (Strings{"Open", "Print", "AdvToolBarSeparator1", "AdvToolBarSeparator2", "Find",
                                "Find1", "Sep", "Box", "Save"}));
    auto* print = dynamic_cast<TAdvToolBarButton*>(bar->ToolBarControls(1));
    ASSERT_NE(print, nullptr);
    EXPECT_EQ(print->Caption(), "Print");
    EXPECT_EQ(print->Hint(), "Print");
    EXPECT_EQ(print->ImageIndex(), -1) << "None is no image";
    print->Click();
    EXPECT_EQ(printed, 1);
    EXPECT_NE(dynamic_cast<TAdvGlowButton*>(bar->ToolBarControls(4)), nullptr);
    EXPECT_NE(dynamic_cast<TAdvToolBarButton*>(bar->ToolBarControls(5)), nullptr);
}

TEST_F(CustomizerDialogTest, ACommandDroppedOnTheItemListIsInsertedAfterTheSelection) {
    Step([&](TCustomForm* f) { ClickEntry(Dialog(f), 1); });
    Step([&](TCustomForm* f) {
        TCustomizerForm* d = Dialog(f);
        TRect r = d->LstBxCommand->ItemRect(0);
        TPoint from = d->LstBxCommand->ClientToScreen(TPoint{20, (r.Top + r.Bottom) / 2});
        ui.Screen().MoveMouse(from.X, from.Y);
        ui.Screen().Press();
        ui.Screen().MoveMouse(from.X - 10, from.Y);
    });
    Step([&](TCustomForm* f) {
        TPoint to = Dialog(f)->LstBxToolBarItems->ClientToScreen(TPoint{60, 150});
        ui.Screen().MoveMouse(to.X + 5, to.Y);
    });
    Step([&](TCustomForm* f) {
        TPoint to = Dialog(f)->LstBxToolBarItems->ClientToScreen(TPoint{60, 150});
        ui.Screen().MoveMouse(to.X, to.Y);
        ui.Screen().Release();
    });
    Inspect([&](TCustomizerForm* d) {
        EXPECT_EQ(Entries(d), (Strings{"Open", "Separator", "Print", "Box", "Save"}));
        EXPECT_TRUE(d->Modified());
    });
}

TEST_F(CustomizerDialogTest, DeleteAndClearRemoveEntriesAndTheirControlsLeaveTheToolBarOnOk) {
    cust->Options()->SetDeleteAll(true);
    Step([&](TCustomForm* f) { ClickEntry(Dialog(f), 3); });
    Step([&](TCustomForm* f) { ui.Click(Dialog(f)->DeleteButton); });
    Step([&](TCustomForm* f) {
        TCustomizerForm* d = Dialog(f);
        EXPECT_EQ(Entries(d), (Strings{"Open", "Separator", "Box"}));
        EXPECT_EQ(d->LstBxToolBarItems->ItemIndex(), 2)
            << "the last entry went: the new last one is selected";
        ui.Click(d->ClearButton);
    });
    ui.AnswerWith("No");
    Step([&](TCustomForm* f) {
        EXPECT_EQ(Entries(Dialog(f)).size(), 3u) << "No keeps the list";
        ui.Click(Dialog(f)->ClearButton);
    });
    ui.AnswerWith("Yes");
    Accept([&](TCustomizerForm* d) {
        EXPECT_TRUE(Entries(d).empty());
        EXPECT_FALSE(d->DeleteButton->Enabled());
    });
    EXPECT_EQ(bar->ToolBarControlCount(), 0);
    EXPECT_EQ(cust->TakenOffCount(), 4);
    ASSERT_GE(ui.SeenMessages().size(), 1u);
    EXPECT_EQ(ui.SeenMessages().back(), "Are you sure that you want to clear ToolBar?");
}

TEST_F(CustomizerDialogTest, ResetBringsBackTheToolBarAsDesigned) {
    cust->SaveInitialState();
    WriteItems({"Save"});
    cust->UpdateAdvToolBar();
    ASSERT_EQ(Names(), (Strings{"Save"}));
    Inspect([](TCustomizerForm*) {}, &TCustomizerForm::BtnReset);
    EXPECT_EQ(Names(), (Strings{"Open", "Sep", "Box", "Save"}));
    EXPECT_EQ(posted, 0);
}

TEST_F(CustomizerDialogTest, OnCanShowMovesOrCancelsTheDialog) {
    int shown = 0;
    cust->OnBeforeDisplay = [&](TObject*) { ++shown; };
    cust->OnCanShow = [](TObject*, int&, int&, bool& CanShow) { CanShow = false; };
    cust->ShowCustomizer();
    EXPECT_EQ(shown, 0);
    EXPECT_EQ(CustomizerForm, nullptr);

    cust->OnCanShow = [](TObject*, int& X, int& Y, bool&) {
        X = 33;
        Y = 44;
    };
    Inspect([&](TCustomizerForm* d) {
        EXPECT_EQ(d->Left(), 33);
        EXPECT_EQ(d->Top(), 44);
    });
    EXPECT_EQ(shown, 1);
}

TEST_F(CustomizerDialogTest, TheDialogOpensBelowTheToolBarsEndAndStaysInTheWorkArea) {
    win::RECT wa{};
    win::SystemParametersInfo(win::SPI_GETWORKAREA, 0, &wa, 0);
    TPoint end =
        form->ClientToScreen(TPoint{bar->Left() + bar->Width() - 12, bar->Top() + bar->Height() + 1});
    Inspect([&](TCustomizerForm* d) {
        EXPECT_EQ(d->Left(), end.X);
        EXPECT_EQ(d->Top(), end.Y);
    });

    // At the right and bottom edges of the screen, a toolbar docked right gets the dialog to its left.
    form->SetBounds(wa.Right - 200, wa.Bottom - 120, 200, 120);
    bar->SetPosition(daRight);
    bar->SetBounds(150, 0, 30, 80);
    TPoint left = form->ClientToScreen(TPoint{bar->Left(), 0});
    Inspect([&](TCustomizerForm* d) {
        EXPECT_EQ(d->Left(), left.X - d->Width());
        EXPECT_EQ(d->Top() + d->Height() + 2, wa.Bottom);
    });
}

TEST_F(CustomizerDialogTest, TheButtonDialogEditsOneEntry) {
    bar->SetImages(images);
    open->SetImageIndex(2);
    Step([&](TCustomForm* f) { ui.Click(Dialog(f)->BtnEdit); });
    Step([&](TCustomForm* f) {
        auto* b = dynamic_cast<TCusBtnForm*>(f);
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(CusBtnForm, b);
        EXPECT_EQ(b->Caption(), "Customize Button");
        EXPECT_EQ(b->EdtBtnCaption->Text(), "Open");
        EXPECT_EQ(b->EdtBtnHint->Text(), "Open file");
        EXPECT_EQ(b->CmBxGlyph->ItemIndex(), 2);
        EXPECT_FALSE(b->ChkBtnVis->Visible()) << "visibility is not editable by default";
        ui.WritePng(b, ui.OutputPath("customizer-button-dialog.png"));
        ui.Click(b->EdtBtnCaption);
        ui.Key(win::VK_END);
        ui.Type("ed");
        ui.Click(b->CmBxGlyph);
    });
    Step([&](TCustomForm* f) {
        EXPECT_TRUE(dynamic_cast<TCusBtnForm*>(f)->CmBxGlyph->DroppedDown());
        ui.Key(win::VK_NEXT);
    });
    Step([&](TCustomForm*) { ui.Key(win::VK_RETURN); });
    Step([&](TCustomForm* f) {
        auto* b = dynamic_cast<TCusBtnForm*>(f);
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(b->CmBxGlyph->ItemIndex(), 3) << "None";
        ui.Click(b->BtnOk);
    });
    Accept([&](TCustomizerForm* d) {
        EXPECT_EQ(CusBtnForm, nullptr);
        EXPECT_EQ(Entries(d)[0], "Opened");
        EXPECT_EQ(d->ItemProp(0)->ImageIndex, -1);
        EXPECT_TRUE(d->ItemProp(0)->ForceImage);
        EXPECT_TRUE(d->Modified());
    });
    EXPECT_EQ(open->Caption(), "Opened");
    EXPECT_EQ(open->ImageIndex(), -1);
    EXPECT_TRUE(open->ForceImageIndex());
}

TEST_F(CustomizerDialogTest, ARenamedNewButtonIsSavedUnderItsNewName) {
    Step([&](TCustomForm* f) { ui.Click(Dialog(f)->AddButton); });
    Step([&](TCustomForm* f) { ui.Click(Dialog(f)->BtnEdit); });
    Step([&](TCustomForm* f) {
        auto* b = dynamic_cast<TCusBtnForm*>(f);
        ASSERT_NE(b, nullptr);
        ui.Click(b->EdtBtnCaption);
        ui.Key(win::VK_END);
        ui.Type("er");
        ui.Click(b->BtnOk);
    });
    Accept([&](TCustomizerForm* d) { EXPECT_EQ(Entries(d)[1], "Printer"); });
    EXPECT_EQ(Names(), (Strings{"Open", "Printer", "Sep", "Box", "Save"}));
}

TEST_F(CustomizerDialogTest, AnEditThatLeavesTheIconAloneKeepsTheButtonsImage) {
    // No image list on the toolbar: the icon box is empty, and the image the button shows from elsewhere
    // must survive an edit of its caption.
    open->SetImageIndex(2);
    Step([&](TCustomForm* f) { ui.Click(Dialog(f)->BtnEdit); });
    Step([&](TCustomForm* f) {
        auto* b = dynamic_cast<TCusBtnForm*>(f);
        ASSERT_NE(b, nullptr);
        ui.Click(b->EdtBtnCaption);
        ui.Type("x");
        ui.Click(b->BtnOk);
    });
    Inspect([&](TCustomizerForm* d) {
        EXPECT_EQ(d->ItemProp(0)->ImageIndex, 2);
        EXPECT_FALSE(d->ItemProp(0)->ForceImage);
    });
}

TEST_F(CustomizerDialogTest, ADesignedGlowButtonsIconIsNotEditableAndNoPropertyMeansNoEdit) {
    auto* glow = Make<TAdvGlowButton>("Glow", bar);
    glow->SetCaption("Glow");
    Step([&](TCustomForm* f) { ClickEntry(Dialog(f), bar->IndexOfToolBarControl(glow)); });
    Step([&](TCustomForm* f) { ui.Click(Dialog(f)->BtnEdit); });
    Step([&](TCustomForm* f) {
        auto* b = dynamic_cast<TCusBtnForm*>(f);
        ASSERT_NE(b, nullptr);
        EXPECT_FALSE(b->CmBxGlyph->Enabled());
        ui.Click(b->BtnCancel);
    });
    Inspect([&](TCustomizerForm* d) { EXPECT_FALSE(d->Modified()) << "cancel changes nothing"; });

    TButtonProperties none;
    for (auto set :
         {&TButtonProperties::SetCaption, &TButtonProperties::SetShowCaption, &TButtonProperties::SetVisible,
          &TButtonProperties::SetHint, &TButtonProperties::SetGlyph})
        (none.*set)(false);
    cust->SetButtonProperties(&none);
    Inspect([&](TCustomizerForm* d) { EXPECT_FALSE(d->BtnEdit->Enabled()); });
}

TEST_F(CustomizerDialogTest, HiddenRowsShrinkTheDialog) {
    cust->DialogSettings()->EditCaption = false;
    cust->DialogSettings()->EditGlyphPosition = false;
    Inspect([&](TCustomizerForm* d) {
        EXPECT_FALSE(d->GroupBox2->Visible());
        EXPECT_EQ(d->ClientHeight(), 363 - 65);
        EXPECT_EQ(d->BtnOk->Top(), 333 - 65);
        EXPECT_EQ(d->BtnReset->Top(), d->BtnOk->Top());
    });
}

TEST_F(CustomizerDialogTest, AFileThatCannotBeWrittenIsReportedAndTheDialogStaysOpen) {
    cust->SetFileName((dir / "no-such-folder" / "layout.ini").string());
    Step([&](TCustomForm* f) { ui.Click(Dialog(f)->SeparatorButton); });
    Step([&](TCustomForm* f) { ui.Click(Dialog(f)->BtnOk); });
    ui.AnswerWith("OK");
    Inspect([&](TCustomizerForm* d) {
        ASSERT_NE(d, nullptr) << "the user's edits are still there to keep or drop";
        EXPECT_EQ(Entries(d).size(), 5u);
    });
    ASSERT_FALSE(ui.SeenMessages().empty());
    EXPECT_NE(ui.SeenMessages().back().find("no-such-folder"), String::npos) << ui.SeenMessages().back();
    EXPECT_EQ(Names(), (Strings{"Open", "Sep", "Box", "Save"}));
    EXPECT_EQ(posted, 0);
}

// A caption the file cannot hold (here a character Windows-1252 lacks, in a file the original program
// wrote) is left out; the rest of the layout is saved and no error stops the dialog.
TEST_F(CustomizerDialogTest, ACaptionTheFileCannotHoldIsLeftOutAndTheRestSaved) {
    std::ofstream(File(), std::ios::binary) << "; Leiste f\xFCr Dateien\r\n";
    open->SetCaption("\u00D6ffnen \u263A");
    Accept([&](TCustomizerForm*) {});
    EXPECT_TRUE(ui.SeenMessages().empty());
    EXPECT_EQ(Read("Cust", "ToolBarItemCount"), "4");
    EXPECT_EQ(Read("Cust", "Name0.Caption"), "<none>");
    EXPECT_EQ(Read("Cust", "Name3.Caption"), "Save");
    EXPECT_EQ(Read("Cust", "Name3.Hint"), "Save file");
}

TEST_F(CustomizerDialogTest, EachEntryShowsItsImageBeforeItsText) {
    bar->SetImages(images);
    open->SetImageIndex(0);
    save->SetImageIndex(1);
    Inspect([&](TCustomizerForm* d) {
        auto probe = [&](int Index, int X, int Y) {
            TRect r = d->LstBxToolBarItems->ItemRect(Index);
            TPoint p = d->LstBxToolBarItems->ClientToScreen(TPoint{r.Left + X, r.Top + Y});
            return Hex(ui.Pixel(d, p.X - d->Left(), p.Y - d->Top()));
        };
        // The image at (left + 2, top + 2), from the toolbar's list by the entry's image index.
        EXPECT_EQ(probe(3, 2, 2), Hex(0x20A020)) << "Save's image, top-left pixel";
        EXPECT_EQ(probe(3, 17, 17), Hex(0x20A020)) << "Save's image, bottom-right pixel";
        EXPECT_NE(probe(3, 18, 18), Hex(0x20A020)) << "just past the image";
        EXPECT_EQ(probe(0, 10, 10), Hex(0x2020C0)) << "Open's image";
    });

    bar->SetImages(nullptr);
    Inspect([&](TCustomizerForm* d) { EXPECT_FALSE(d->CmBxIcon->Visible()) << "no images: no icon box"; });
}

TEST_F(CustomizerDialogTest, TheLargeIconBoxSwitchesTheToolBarToTheLargeImages) {
    auto* large = new TImageList(form.get());
    large->SetWidth(24);
    large->SetHeight(24);
    cust->SetLargeImages(large);
    cust->SetSmallImages(images);
    Inspect([&](TCustomizerForm* d) {
        EXPECT_FALSE(d->ChkLargeIcon->Visible()) << "offered only when the settings ask for it";
    });

    cust->DialogSettings()->LargeIcon = true;
    Step([&](TCustomForm* f) {
        TCustomizerForm* d = Dialog(f);
        EXPECT_FALSE(d->ChkLargeIcon->Checked());
        ui.Click(d->ChkLargeIcon);
    });
    Accept([&](TCustomizerForm* d) { EXPECT_TRUE(d->Modified()); });
    EXPECT_EQ(Read("Cust", "LargeIcon"), "1");
    EXPECT_EQ(bar->Images(), large);

    Step([&](TCustomForm* f) {
        EXPECT_TRUE(Dialog(f)->ChkLargeIcon->Checked());
        ui.Click(Dialog(f)->ChkLargeIcon);
    });
    Accept([](TCustomizerForm*) {});
    EXPECT_EQ(bar->Images(), images);
}

} // namespace
} // namespace customizertest
