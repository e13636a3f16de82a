// The data-aware toolbar button on a memory data set: its commands through real clicks, its enabled state
// following the data set, confirmation, and errors handed to OnAfterAction.

#include "components/toolbar/dock/DBAdvToolBarButton.h"
#include "tests/toolbar/ToolBarTestSupport.h"

namespace menubartest {
namespace {

using namespace toolbartest;

class DBToolBarButtonTest : public ToolBarTest {
protected:
    void SetUp() override {
        ToolBarTest::SetUp();
        data = new TMemoryDataSet(form.get());
        data->FieldNames()->Add("Name");
        data->Open();
        for (const char* name : {"Ann", "Bob", "Cid"})
            data->AppendRecord({name});
        data->First();
        source = new TDataSource(form.get());
        source->SetDataSet(data);
        bar = Make<TAdvToolBar>("Bar", form.get());
        form->Show();
        ui.Process();
    }
    TDBAdvToolBarButton* Button(TDBButtonType Type) {
        auto* b = new TDBAdvToolBarButton(form.get());
        b->SetDBButtonType(Type);
        b->SetDataSource(source);
        b->SetParent(bar);
        ui.Process();
        return b;
    }
    String Current() const { return data->FieldByName("Name")->AsString(); }
    // The colours of a glyph, row by row.
    static std::vector<TColor> Pixels(TBitmap* B) {
        std::vector<TColor> p;
        for (int y = 0; y < B->Height(); ++y)
            for (int x = 0; x < B->Width(); ++x)
                p.push_back(B->Canvas()->GetPixel(x, y));
        return p;
    }

    TMemoryDataSet* data = nullptr;
    TDataSource* source = nullptr;
    TAdvToolBar* bar = nullptr;
};

TEST_F(DBToolBarButtonTest, ClicksMoveThroughTheDataSet) {
    auto* next = Button(dbtNext);
    auto* last = Button(dbtLast);
    auto* prior = Button(dbtPrior);
    auto* first = Button(dbtFirst);
    ui.Click(next);
    EXPECT_EQ(Current(), "Bob");
    ui.Click(last);
    EXPECT_EQ(Current(), "Cid");
    EXPECT_FALSE(next->Enabled());
    EXPECT_FALSE(last->Enabled());
    ui.Click(prior);
    EXPECT_EQ(Current(), "Bob");
    ui.Click(first);
    EXPECT_EQ(Current(), "Ann");
    // On the first record the way back is closed, the way on open.
    EXPECT_FALSE(first->Enabled());
    EXPECT_FALSE(prior->Enabled());
    EXPECT_TRUE(next->Enabled());
}

TEST_F(DBToolBarButtonTest, EditingSwitchesBetweenTheMovingAndTheWritingButtons) {
    auto* first = Button(dbtFirst);
    auto* next = Button(dbtNext);
    auto* edit = Button(dbtEdit);
    auto* post = Button(dbtPost);
    auto* cancel = Button(dbtCancel);
    auto* insert = Button(dbtInsert);
    ui.Click(next);
    EXPECT_FALSE(post->Enabled());
    EXPECT_FALSE(cancel->Enabled());
    ui.Click(edit);
    EXPECT_EQ(data->State(), dsEdit);
    // While a record is being written nothing moves and nothing else starts.
    EXPECT_FALSE(first->Enabled());
    EXPECT_FALSE(next->Enabled());
    EXPECT_FALSE(insert->Enabled());
    EXPECT_TRUE(post->Enabled());
    EXPECT_TRUE(cancel->Enabled());
    data->FieldByName("Name")->SetAsString("Bea");
    ui.Click(post);
    EXPECT_EQ(data->State(), dsBrowse);
    EXPECT_EQ(Current(), "Bea");
    ui.Click(insert);
    EXPECT_EQ(data->State(), dsInsert);
    ui.Click(cancel);
    EXPECT_EQ(data->RecordCount(), 3);
}

TEST_F(DBToolBarButtonTest, AnEmptyOrReadOnlyDataSetAndAMissingSourceDisable) {
    auto* first = Button(dbtFirst);
    auto* del = Button(dbtDelete);
    auto* append = Button(dbtAppend);
    auto* refresh = Button(dbtRefresh);
    data->SetReadOnly(true);
    EXPECT_FALSE(del->Enabled());
    EXPECT_FALSE(append->Enabled());
    EXPECT_TRUE(refresh->Enabled());
    data->SetReadOnly(false);
    while (!data->IsEmpty())
        data->Delete();
    EXPECT_FALSE(first->Enabled());
    EXPECT_FALSE(del->Enabled());
    EXPECT_TRUE(append->Enabled());
    refresh->SetDataSource(nullptr);
    EXPECT_FALSE(refresh->Enabled());
    // Without AutoDisable the button keeps what it was given.
    auto* custom = Button(dbtCustom);
    custom->SetAutoDisable(false);
    custom->SetEnabled(true);
    custom->SetDataSource(nullptr);
    EXPECT_TRUE(custom->Enabled());
}

TEST_F(DBToolBarButtonTest, DeleteAsksOnlyWhenConfirmationIsOn) {
    auto* del = Button(dbtDelete);
    EXPECT_EQ(del->ConfirmActionString(), "Delete record?");
    EXPECT_FALSE(del->ConfirmAction());
    ui.Click(del);
    EXPECT_EQ(data->RecordCount(), 2);
    EXPECT_TRUE(ui.SeenMessages().empty());

    del->SetConfirmAction(true);
    ui.AnswerWith("Cancel");
    ui.Click(del);
    EXPECT_EQ(data->RecordCount(), 2);
    ui.AnswerWith("OK");
    ui.Click(del);
    EXPECT_EQ(data->RecordCount(), 1);
    EXPECT_EQ(ui.SeenMessages(), (std::vector<String>{"Delete record?", "Delete record?"}));
}

TEST_F(DBToolBarButtonTest, AnErrorGoesOnUnlessOnAfterActionClearsIt) {
    auto* post = Button(dbtPost);
    auto* edit = Button(dbtEdit);
    data->BeforePost = [](TDataSet*) { throw EDatabaseError("rejected"); };
    std::vector<bool> seen;
    bool clear = false;
    post->OnAfterAction = [&](TObject*, bool& Error) {
        seen.push_back(Error);
        if (clear) Error = false;
    };
    ui.Click(edit);
    EXPECT_THROW(
        {
            TControl* c = post;
            c->Click();
        },
        EDatabaseError);
    clear = true;
    TControl* c = post;
    EXPECT_NO_THROW(c->Click());
    data->BeforePost = nullptr;
    ui.Click(post);
    EXPECT_EQ(seen, (std::vector<bool>{true, true, false}));
}

TEST_F(DBToolBarButtonTest, OnBeforeActionCanStopTheCommandAndOnGetEnabledDecides) {
    auto* next = Button(dbtNext);
    next->OnBeforeAction = [](TObject*, bool& DoIt) { DoIt = false; };
    ui.Click(next);
    EXPECT_EQ(Current(), "Ann");

    auto* custom = Button(dbtCustom);
    custom->SetDisableControl(TDBBDisableControls{drEvent});
    custom->OnGetEnabled = [](TObject*, bool& Enabled) { Enabled = false; };
    int changes = 0;
    custom->OnEnabledChanged = [&](TObject*) { ++changes; };
    data->Next();
    EXPECT_FALSE(custom->Enabled());
    EXPECT_EQ(changes, 1);
}

TEST_F(DBToolBarButtonTest, TheTypeSetsReasonsAndGlyphsButAnExplicitSetStays) {
    auto* b = Button(dbtFirst);
    EXPECT_EQ(b->DisableControl(), (TDBBDisableControls{drBOF, drEditing, drEmpty}));
    b->SetDisableControl(TDBBDisableControls{drEOF});
    EXPECT_EQ(b->DisableControl(), (TDBBDisableControls{drEOF}));
    // On the first record the explicit set keeps the button usable (from the data set's next change).
    data->First();
    EXPECT_TRUE(b->Enabled());

    auto* insert = Button(dbtInsert);
    auto* append = Button(dbtAppend);
    ASSERT_EQ(insert->Glyph()->Width(), 13);
    EXPECT_EQ(insert->Glyph()->Height(), 13);
    EXPECT_EQ(Pixels(insert->Glyph()), Pixels(append->Glyph()));
    EXPECT_NE(Pixels(insert->Glyph()), Pixels(b->Glyph()));
    EXPECT_FALSE(insert->GlyphDisabled()->Empty());
    EXPECT_TRUE(Button(dbtCustom)->Glyph()->Empty());
    for (TDBButtonType t : {dbtNext, dbtLast, dbtDelete, dbtEdit, dbtPost, dbtCancel, dbtRefresh})
        Button(t);
    data->Edit();
    ui.WritePng(form.get(), ui.OutputPath("menubar-db-buttons.png"));
}

} // namespace
} // namespace menubartest
