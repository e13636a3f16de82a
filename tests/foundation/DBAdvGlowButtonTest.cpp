// The data-aware glow button against an in-memory dataset.

#include <gtest/gtest.h>

#include "components/foundation/DBAdvGlowButton.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/classes/LayoutReader.h"
#include "platform/classes/LayoutWriter.h"
#include "tests/support/UiDriver.h"

namespace {

using namespace vcl;
using namespace AdvGlowButton;

class DBAdvGlowButtonTest : public uitest::UiTest {
protected:
    void SetUp() override {
        form.reset(TCustomForm::CreateNew(nullptr));
        form->SetBounds(0, 0, 400, 300);
        ds = new TMemoryDataSet(form.get());
        ds->FieldNames()->Add("Name");
        ds->Open();
        for (const char* n : {"Ann", "Bob", "Cy"})
            ds->AppendRecord({n});
        ds->First();
        source = new TDataSource(form.get());
        source->SetDataSet(ds);
    }
    TDBAdvGlowButton* Make(TDBGlowButtonType Type, int Top = 10) {
        auto* b = new TDBAdvGlowButton(form.get());
        b->SetParent(form.get());
        b->SetBounds(10, Top, 100, 30);
        b->SetDBButtonType(Type);
        b->SetDataSource(source);
        return b;
    }
    String Current() { return ds->FieldByName("Name")->AsString(); }
    TComponentPtr<TCustomForm> form;
    TMemoryDataSet* ds = nullptr;
    TDataSource* source = nullptr;
};

TEST_F(DBAdvGlowButtonTest, ClicksRunTheirOperation) {
    TDBAdvGlowButton* next = Make(dbNext);
    TDBAdvGlowButton* last = Make(dbLast, 50);
    TDBAdvGlowButton* first = Make(dbFirst, 90);
    form->Show();
    ui.Process();
    ui.Click(next);
    EXPECT_EQ(Current(), "Bob");
    ui.Advance(1000);
    ui.Click(last);
    EXPECT_EQ(Current(), "Cy");
    EXPECT_FALSE(next->Enabled()); // at the end
    EXPECT_FALSE(last->Enabled());
    ui.Advance(1000);
    ui.Click(first);
    EXPECT_EQ(Current(), "Ann");
    EXPECT_TRUE(next->Enabled());
    EXPECT_FALSE(first->Enabled()); // at the beginning
}

TEST_F(DBAdvGlowButtonTest, EnabledFollowsTheDataSet) {
    TDBAdvGlowButton* next = Make(dbNext);
    TDBAdvGlowButton* post = Make(dbPost);
    TDBAdvGlowButton* edit = Make(dbEdit);
    EXPECT_TRUE(next->Enabled());
    EXPECT_FALSE(post->Enabled()); // only while editing
    ds->Edit();
    EXPECT_FALSE(next->Enabled()); // editing
    EXPECT_TRUE(post->Enabled());
    EXPECT_FALSE(edit->Enabled());
    ds->Cancel();
    EXPECT_TRUE(next->Enabled());
    ds->Close();
    EXPECT_FALSE(next->Enabled()); // no active link
    EXPECT_FALSE(post->Enabled());
    ds->SetReadOnly(true);
    ds->Open();
    EXPECT_FALSE(edit->Enabled()); // read-only
    EXPECT_TRUE(next->Enabled());

    // An empty dataset disables navigation.
    TComponentPtr<TMemoryDataSet> empty(new TMemoryDataSet(nullptr));
    empty->FieldNames()->Add("Name");
    empty->Open();
    source->SetDataSet(empty.get());
    EXPECT_FALSE(next->Enabled());
    source->SetDataSet(ds);
}

TEST_F(DBAdvGlowButtonTest, DisableReasonsFollowTheTypeAndTheEventCanOverrideThem) {
    TDBAdvGlowButton* b = Make(dbFirst);
    EXPECT_EQ(b->DisableControl(), (TDBBDisableControls{drBOF, drEditing, drEmpty}));
    b->SetDBButtonType(dbAppend);
    EXPECT_EQ(b->DisableControl(), (TDBBDisableControls{drReadonly, drEditing}));
    b->SetDBButtonType(dbCancel);
    EXPECT_EQ(b->DisableControl(), (TDBBDisableControls{drNotEditing}));
    b->SetDisableControl({drEOF});
    b->SetDBButtonType(dbCustom);
    EXPECT_EQ(b->DisableControl(), (TDBBDisableControls{drEOF})); // unchanged
    // OnGetEnabled can override the reasons.
    TDBAdvGlowButton* prior = Make(dbPrior, 50);
    prior->OnGetEnabled = [](TObject*, bool& Enabled) { Enabled = true; };
    prior->UpdateEnabled();
    EXPECT_FALSE(prior->Enabled()); // without drEvent the event is not asked
    TDBBDisableControls reasons = prior->DisableControl();
    reasons.Include(drEvent);
    prior->SetDisableControl(reasons);
    prior->UpdateEnabled();
    EXPECT_TRUE(prior->Enabled());
}

TEST_F(DBAdvGlowButtonTest, DeleteAsksFirstWhenConfirmationIsOn) {
    TDBAdvGlowButton* del = Make(dbDelete);
    EXPECT_EQ(del->ConfirmActionString(), "Delete record?");
    form->Show();
    ui.Process();
    del->Click(); // confirmation off: no question
    EXPECT_EQ(ds->RecordCount(), 2);
    EXPECT_TRUE(ui.SeenMessages().empty());

    del->SetConfirmAction(true);
    ui.AnswerWith("Cancel");
    del->Click();
    EXPECT_EQ(ds->RecordCount(), 2);
    ui.AnswerWith("OK");
    del->Click();
    EXPECT_EQ(ds->RecordCount(), 1);
    EXPECT_EQ(ui.SeenMessages(), (std::vector<String>{"Delete record?", "Delete record?"}));

    // The question can be changed, or dropped, by OnGetConfirm.
    del->OnGetConfirm = [](TObject*, String& Question, TMsgDlgButtons&, int&) { Question.clear(); };
    del->Click();
    EXPECT_EQ(ds->RecordCount(), 0);
}

TEST_F(DBAdvGlowButtonTest, BeforeAndAfterActionEventsAndAFailingOperation) {
    TDBAdvGlowButton* next = Make(dbNext);
    std::vector<String> seen;
    next->OnBeforeAction = [&](TObject*, bool& DoIt) {
        seen.push_back("before");
        DoIt = seen.size() > 1;
    };
    next->OnAfterAction = [&](TObject*, bool& Show) { seen.push_back(Show ? "after, failed" : "after"); };
    next->Click();
    EXPECT_EQ(Current(), "Ann"); // the first click was refused
    next->Click();
    EXPECT_EQ(Current(), "Bob");
    EXPECT_EQ(seen, (std::vector<String>{"before", "before", "after"}));
    // A failing operation reaches OnAfterAction, which decides.
    TDBAdvGlowButton* post = Make(dbPost);
    ds->BeforePost = [](TDataSet*) { throw Exception("constraint violated"); };
    ds->Edit();
    int after = 0;
    post->OnAfterAction = [&](TObject*, bool& Show) {
        ++after;
        EXPECT_TRUE(Show);
        Show = false; // handled: swallowed
    };
    EXPECT_NO_THROW(post->Click());
    EXPECT_EQ(after, 1);
    post->OnAfterAction = [&](TObject*, bool&) { ++after; };
    EXPECT_THROW(post->Click(), Exception);
    EXPECT_EQ(after, 2); // called once, not again for the raise
    ds->BeforePost = nullptr;
    ds->Cancel();
}

TEST_F(DBAdvGlowButtonTest, GlyphsComeFromTheResourcesUnlessTheButtonHasItsOwnList) {
    TDBAdvGlowButton* next = Make(dbNext);
    EXPECT_EQ(next->ImageIndex(), 0);
    form->Show();
    ui.Process();
    // The enabled glyph is drawn in its colour somewhere on the face; disabled, it is grey.
    auto glyphPixels = [&](win::COLORREF Colour) {
        const TPoint o = next->ClientToScreen(TPoint{0, 0});
        const TRect wr = form->BoundsRect();
        int n = 0;
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 100; ++x)
                n += ui.Screen().WindowPixel(form->Handle(), o.X - wr.Left + x, o.Y - wr.Top + y) == Colour;
        return n;
    };
    EXPECT_GT(glyphPixels(0x800000), 10); // navy
    ds->Last();
    ui.Process();
    EXPECT_FALSE(next->Enabled());
    EXPECT_EQ(glyphPixels(0x800000), 0);
    EXPECT_GT(glyphPixels(0x808080), 10);

    auto* own = new TImageList(form.get());
    TDBAdvGlowButton* mine = Make(dbNext, 50);
    mine->SetImages(own);
    mine->SetImageIndex(3);
    mine->SetDBButtonType(dbPrior);
    EXPECT_EQ(mine->ImageIndex(), 3); // the user's list wins
}

// A form whose layout holds a dataset, its source and a data-aware button.
class TDBGlowForm : public TForm {
    KV_CLASS(TDBGlowForm, TForm)
    KV_PUBLISHED_PROPERTIES(TDBGlowForm)
public:
    explicit TDBGlowForm(TComponent* AOwner) : TForm(AOwner) {}
    TDBAdvGlowButton* NextButton = nullptr;
    TMemoryDataSet* Rows = nullptr;
};

KV_PUBLISHED(TDBGlowForm) {
    p.Field("NextButton", &TDBGlowForm::NextButton);
    p.Field("Rows", &TDBGlowForm::Rows);
}

TEST_F(DBAdvGlowButtonTest, ReadFromALayoutItFollowsItsDataSetAtOnce) {
    RegisterDBClasses();
    RegisterClasses({ClassEntry<TDBGlowForm>(), ClassEntry<TDBAdvGlowButton>()});
    const String layout = R"(object DBForm: TDBGlowForm
  Left = 0
  Top = 0
  Width = 300
  Height = 200
  object Rows: TMemoryDataSet
    FieldNames.Strings = (
      'Name')
    Active = True
  end
  object Source: TDataSource
    DataSet = Rows
  end
  object NextButton: TDBAdvGlowButton
    Left = 4
    Top = 4
    Width = 100
    Height = 30
    ConfirmAction = True
    ConfirmActionString = 'Move on?'
    DataSource = Source
    DBButtonType = dbNext
  end
end
)";
    TComponentPtr<TDBGlowForm> f(new TDBGlowForm(nullptr));
    ReadComponentFromText(layout, f.get(), "DBForm");
    TDBAdvGlowButton* b = f->NextButton;
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->DBButtonType(), dbNext);
    EXPECT_TRUE(b->ConfirmAction());
    EXPECT_EQ(b->ConfirmActionString(), "Move on?");
    EXPECT_EQ(b->DisableControl(), (TDBBDisableControls{drEOF, drEditing, drEmpty}));
    EXPECT_FALSE(b->Enabled()); // the dataset is empty
    f->Rows->AppendRecord({"one"});
    f->Rows->AppendRecord({"two"});
    f->Rows->First();
    EXPECT_TRUE(b->Enabled());
    const String text = WriteComponentToText(f.get());
    EXPECT_NE(text.find("DBButtonType = dbNext"), String::npos);
    EXPECT_NE(text.find("DataSource = Source"), String::npos);
}

} // namespace
