// The in-memory dataset: navigation, edit states, CanModify, fields and layouts. Data sources and data
// links: the notifications a data-aware control receives, in order.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <vector>

#include "platform/classes/LayoutReader.h"
#include "platform/rtl/Exceptions.h"
#include "platform/vcl/DB.h"

using namespace vcl;
using ::testing::StrEq;
using ::testing::ThrowsMessage;

namespace {

// An open dataset with the fields Name and City and the given names.
TComponentPtr<TMemoryDataSet> MakeSet(const std::vector<String>& names, const String& setName = "People") {
    TComponentPtr<TMemoryDataSet> ds(new TMemoryDataSet(nullptr));
    ds->SetName(setName);
    ds->FieldNames()->Add("Name");
    ds->FieldNames()->Add("City");
    ds->Open();
    for (const String& n : names)
        ds->AppendRecord({n, n + " town"});
    ds->First();
    return ds;
}

String Current(TDataSet* ds) {
    return ds->FieldByName("Name")->AsString();
}

// "Bof", "Eof", both or neither, as the set reports them.
String Ends(TDataSet* ds) {
    return String(ds->Bof() ? "Bof" : "") + (ds->Bof() && ds->Eof() ? " " : "") + (ds->Eof() ? "Eof" : "");
}

class TDataSetTestRoot : public TComponent {
    KV_CLASS(TDataSetTestRoot, TComponent)
public:
    using TComponent::TComponent;
};

} // namespace

TEST(DataSetNavigationTest, EmptySetHasBofAndEofAndAClosedOneRefusesRecordOperations) {
    auto ds = MakeSet({});
    EXPECT_EQ(Ends(ds.get()), "Bof Eof");
    EXPECT_TRUE(ds->IsEmpty());
    EXPECT_EQ(ds->RecNo(), 0);
    EXPECT_EQ(ds->MoveBy(5), 0);
    ds->Next();
    ds->Prior();
    ds->Last();
    EXPECT_EQ(Ends(ds.get()), "Bof Eof");
    EXPECT_EQ(Current(ds.get()), "");
    EXPECT_TRUE(ds->FieldByName("Name")->IsNull());
    EXPECT_THROW(ds->Delete(), EDatabaseError);

    // A closed set refuses record operations.
    TComponentPtr<TMemoryDataSet> closed(new TMemoryDataSet(nullptr));
    closed->SetName("Orders");
    closed->FieldNames()->Add("Id");
    EXPECT_FALSE(closed->Active());
    EXPECT_EQ(closed->State(), dsInactive);
    EXPECT_TRUE(closed->IsEmpty());
    EXPECT_THAT(
        [&] { (void)closed->RecordCount(); },
        ThrowsMessage<EDatabaseError>(StrEq("Orders: Cannot perform this operation on a closed dataset")));
    EXPECT_THROW(closed->Next(), EDatabaseError);
    EXPECT_THROW(closed->Edit(), EDatabaseError);
    EXPECT_THROW(closed->Append(), EDatabaseError);
    EXPECT_THROW(closed->Delete(), EDatabaseError);
    EXPECT_THROW(closed->FieldByName("Id"), EDatabaseError); // fields exist while open
    closed->Cancel();                                        // nothing to cancel: no error
}

TEST(DataSetNavigationTest, BofAndEofAreSetOnlyByTryingToPassAnEnd) {
    auto ds = MakeSet({"Ann", "Bob", "Cid"});
    EXPECT_EQ(Ends(ds.get()), "Bof");
    EXPECT_EQ(ds->RecNo(), 1);

    ds->Prior(); // at the first already: stays, still Bof
    EXPECT_TRUE(ds->Bof());
    EXPECT_EQ(Current(ds.get()), "Ann");

    ds->Next();
    EXPECT_FALSE(ds->Bof());
    ds->Next();
    EXPECT_EQ(Current(ds.get()), "Cid");
    EXPECT_FALSE(ds->Eof()); // on the last record, but no attempt past it yet
    ds->Next();
    EXPECT_TRUE(ds->Eof());
    EXPECT_EQ(Current(ds.get()), "Cid");
    EXPECT_EQ(ds->RecNo(), 3);

    ds->First();
    EXPECT_EQ(ds->MoveBy(10), 2); // clipped at the end, and that sets Eof
    EXPECT_TRUE(ds->Eof());
    EXPECT_EQ(ds->MoveBy(-10), -2);
    EXPECT_EQ(Ends(ds.get()), "Bof");
    EXPECT_EQ(ds->MoveBy(2147483647), 2); // no overflow
    EXPECT_EQ(ds->MoveBy(-2147483647), -2);

    ds->Last();
    EXPECT_EQ(Ends(ds.get()), "Eof");
    EXPECT_EQ(Current(ds.get()), "Cid");
}

TEST(DataSetNavigationTest, AfterScrollFollowsEachMove) {
    auto ds = MakeSet({"Ann", "Bob"});
    std::vector<String> seen;
    ds->AfterScroll = [&](TDataSet* D) { seen.push_back(Current(D)); };
    ds->Next();
    ds->Next(); // stops at the end: still reported, Eof changed
    ds->Next(); // already Eof: no move, no event
    ds->First();
    EXPECT_EQ(seen, (std::vector<String>{"Bob", "Bob", "Ann"}));
}

TEST(DataSetEditTest, EditPostAndCancelChangeTheCurrentRecord) {
    auto ds = MakeSet({"Ann", "Bob"});
    ds->Next();
    ds->Edit();
    EXPECT_EQ(ds->State(), dsEdit);
    EXPECT_FALSE(ds->Modified());
    ds->FieldByName("city")->SetAsString("Oslo"); // names in any case
    EXPECT_TRUE(ds->Modified());
    ds->Post();
    EXPECT_EQ(ds->State(), dsBrowse);
    EXPECT_EQ(ds->FieldByName("City")->AsString(), "Oslo");
    EXPECT_EQ(ds->RecNo(), 2);

    ds->Edit();
    ds->FieldByName("City")->SetAsString("Rome");
    EXPECT_EQ(ds->FieldByName("City")->AsString(), "Rome"); // the edit buffer shows
    ds->Cancel();
    EXPECT_EQ(ds->FieldByName("City")->AsString(), "Oslo");
    EXPECT_EQ(ds->RecordCount(), 2);

    // Writing outside an edit mode is refused, as is posting.
    EXPECT_THAT([&] { ds->FieldByName("City")->SetAsString("Nice"); },
                ThrowsMessage<EDatabaseError>(StrEq("People: Dataset not in edit or insert mode")));
    EXPECT_THROW(ds->Post(), EDatabaseError);
    EXPECT_EQ(ds->FieldByName("City")->AsString(), "Oslo");
}

TEST(DataSetEditTest, InsertGoesBeforeTheCurrentRecordAndAppendAtTheEnd) {
    auto ds = MakeSet({"Ann", "Cid"});
    ds->Next();
    ds->Insert();
    EXPECT_EQ(ds->State(), dsInsert);
    EXPECT_EQ(ds->RecNo(), 2);
    EXPECT_TRUE(ds->FieldByName("Name")->IsNull());
    ds->FieldByName("Name")->SetAsString("Bob");
    ds->Post();
    EXPECT_EQ(ds->RecordCount(), 3);
    EXPECT_EQ(Current(ds.get()), "Bob");
    EXPECT_TRUE(ds->FieldByName("City")->IsNull()); // never set: null, read as ''

    ds->Append();
    EXPECT_TRUE(ds->Eof());
    ds->FieldByName("Name")->SetAsString("Dan");
    ds->Post();
    EXPECT_EQ(ds->RecNo(), 4);

    std::vector<String> order;
    ds->First();
    while (!ds->Eof()) {
        order.push_back(Current(ds.get()));
        ds->Next();
    }
    EXPECT_EQ(order, (std::vector<String>{"Ann", "Bob", "Cid", "Dan"}));
}

TEST(DataSetEditTest, CancelledInsertRestoresPositionAndNavigatingPostsOrCancels) {
    auto ds = MakeSet({"Ann", "Bob"});
    ds->Last();
    ds->Insert();
    ds->FieldByName("Name")->SetAsString("Zed");
    ds->Cancel();
    EXPECT_EQ(ds->RecordCount(), 2);
    EXPECT_EQ(Current(ds.get()), "Bob");
    EXPECT_TRUE(ds->Eof());

    // Navigating posts a modified record and cancels an untouched one.
    ds->First();
    ds->Edit();
    ds->FieldByName("Name")->SetAsString("Anna");
    ds->Next(); // posts
    EXPECT_EQ(ds->State(), dsBrowse);
    ds->First();
    EXPECT_EQ(Current(ds.get()), "Anna");

    ds->Append(); // untouched
    ds->First();  // cancels: nothing empty is added
    EXPECT_EQ(ds->RecordCount(), 2);

    auto empty = MakeSet({});
    empty->Append();
    empty->Cancel();
    EXPECT_EQ(Ends(empty.get()), "Bof Eof");
    EXPECT_EQ(empty->RecordCount(), 0);
}

TEST(DataSetEditTest, EditOnEmptySetInsertsAndBeforePostCanRefuse) {
    auto ds = MakeSet({});
    ds->Edit();
    EXPECT_EQ(ds->State(), dsInsert);
    EXPECT_FALSE(ds->IsEmpty());
    ds->FieldByName("Name")->SetAsString("");
    int afterPost = 0;
    ds->BeforePost = [](TDataSet* D) {
        if (D->FieldByName("Name")->AsString().empty()) throw EDatabaseError("Name is required");
    };
    ds->AfterPost = [&](TDataSet*) { ++afterPost; };
    EXPECT_THROW(ds->Post(), EDatabaseError);
    EXPECT_EQ(ds->State(), dsInsert); // nothing lost: still inserting
    EXPECT_EQ(ds->RecordCount(), 0);
    EXPECT_EQ(afterPost, 0);
    ds->FieldByName("Name")->SetAsString("Eve");
    ds->Post();
    EXPECT_EQ(ds->RecordCount(), 1);
    EXPECT_EQ(afterPost, 1);
    EXPECT_EQ(Ends(ds.get()), "");

    // A failed AppendRecord leaves no half-made record behind.
    EXPECT_THROW(ds->AppendRecord({""}), EDatabaseError);
    EXPECT_EQ(ds->State(), dsBrowse);
    EXPECT_THROW(ds->AppendRecord({"a", "b", "c"}), EListError);
    EXPECT_EQ(ds->RecordCount(), 1);
}

TEST(DataSetEditTest, ReadOnlySetCannotBeModified) {
    auto ds = MakeSet({"Ann"});
    ds->SetReadOnly(true);
    EXPECT_FALSE(ds->CanModify());
    for (auto op : {&TDataSet::Edit, &TDataSet::Insert, &TDataSet::Append, &TDataSet::Delete}) {
        EXPECT_THAT([&] { (ds.get()->*op)(); },
                    ThrowsMessage<EDatabaseError>(StrEq("People: Cannot modify a read-only dataset")));
        EXPECT_EQ(ds->State(), dsBrowse);
    }
    EXPECT_EQ(ds->RecordCount(), 1);
    ds->SetReadOnly(false);
    ds->Edit();
    EXPECT_EQ(ds->State(), dsEdit);
}

TEST(DataSetDeleteTest, DeletingMovesToTheNextOrToTheNewLastRecord) {
    auto ds = MakeSet({"Ann", "Bob", "Cid"});
    ds->Next();
    ds->Delete(); // Bob
    EXPECT_EQ(Current(ds.get()), "Cid");
    EXPECT_EQ(ds->RecordCount(), 2);
    EXPECT_FALSE(ds->Eof());

    ds->Delete(); // Cid, the last: back on Ann, at the end
    EXPECT_EQ(Current(ds.get()), "Ann");
    EXPECT_EQ(Ends(ds.get()), "Eof");

    ds->Delete(); // the only one: empty
    EXPECT_EQ(ds->RecordCount(), 0);
    EXPECT_EQ(Ends(ds.get()), "Bof Eof");
    EXPECT_EQ(ds->RecNo(), 0);
    EXPECT_THROW(ds->Delete(), EDatabaseError);
}

TEST(DataSetDeleteTest, DeleteWhileInsertingCancelsAndWhileEditingDropsTheRecord) {
    auto ds = MakeSet({"Ann", "Bob"});
    ds->Insert();
    ds->Delete();
    EXPECT_EQ(ds->State(), dsBrowse);
    EXPECT_EQ(ds->RecordCount(), 2);

    ds->Edit();
    ds->FieldByName("Name")->SetAsString("Changed");
    ds->Delete();
    EXPECT_EQ(ds->State(), dsBrowse);
    EXPECT_EQ(ds->RecordCount(), 1);
    EXPECT_EQ(Current(ds.get()), "Bob");
}

TEST(DataSetFieldTest, FieldListIsCheckedOnOpenAndRecordsOutliveAClose) {
    auto ds = MakeSet({"Ann", "Bob"});
    EXPECT_EQ(ds->FieldCount(), 2);
    EXPECT_EQ(ds->Fields(1)->FieldName(), "City");
    EXPECT_EQ(ds->Fields(1)->Index(), 1);
    EXPECT_EQ(ds->FindField("Zip"), nullptr);
    EXPECT_THAT([&] { (void)ds->FieldByName("Zip"); },
                ThrowsMessage<EDatabaseError>(StrEq("People: Field 'Zip' not found")));
    EXPECT_THROW(ds->Fields(2), EListError);

    // Close while editing drops the edit; the records stay for the next open, by field name, also
    // when the field list changes meanwhile.
    ds->Edit();
    ds->FieldByName("Name")->SetAsString("Lost edit");
    ds->Close();
    EXPECT_EQ(ds->FieldCount(), 0);
    ds->FieldNames()->Clear();
    ds->FieldNames()->Add("City");
    ds->FieldNames()->Add("Zip");
    ds->Open();
    EXPECT_EQ(ds->RecordCount(), 2);
    EXPECT_EQ(ds->FieldByName("City")->AsString(), "Ann town");
    EXPECT_TRUE(ds->FieldByName("Zip")->IsNull());
    ds->Close();
    ds->FieldNames()->Add("name");
    ds->Open();
    EXPECT_EQ(ds->FieldByName("Name")->AsString(), "Ann");

    // Bad field lists refuse to open and leave the set closed.
    ds->Close();
    ds->FieldNames()->Add("CITY");
    EXPECT_THROW(ds->Open(), EDatabaseError);
    EXPECT_FALSE(ds->Active());
    ds->FieldNames()->Clear();
    ds->FieldNames()->Add("");
    EXPECT_THROW(ds->Open(), EDatabaseError);
    EXPECT_FALSE(ds->Active());
}

TEST(DataSetFieldTest, ClearSetsNullAndRefreshKeepsThePosition) {
    auto ds = MakeSet({"Ann", "Bob"});
    ds->Last();
    ds->Edit();
    ds->FieldByName("City")->Clear();
    ds->Post();
    EXPECT_TRUE(ds->FieldByName("City")->IsNull());
    ds->Refresh();
    EXPECT_EQ(Current(ds.get()), "Bob");
}

TEST(DataSetLayoutTest, ActiveFromALayoutOpensOnceTheFieldsAreRead) {
    // Active comes first in the file; the set opens only when loading ends.
    const String layout = "object Root: TDataSetTestRoot\r\n"
                          "  object Cities: TMemoryDataSet\r\n"
                          "    Active = True\r\n"
                          "    FieldNames.Strings = (\r\n"
                          "      'Name'\r\n"
                          "      'Country')\r\n"
                          "    ReadOnly = True\r\n"
                          "  end\r\n"
                          "  object CitySource: TDataSource\r\n"
                          "    DataSet = Cities\r\n"
                          "    AutoEdit = False\r\n"
                          "  end\r\n"
                          "end\r\n";
    TComponentPtr<TDataSetTestRoot> root(new TDataSetTestRoot(nullptr));
    ReadComponentFromText(layout, root.get(), "Root");
    auto* ds = dynamic_cast<TMemoryDataSet*>(root->FindComponent("Cities"));
    auto* src = dynamic_cast<TDataSource*>(root->FindComponent("CitySource"));
    ASSERT_NE(ds, nullptr);
    ASSERT_NE(src, nullptr);
    EXPECT_TRUE(ds->Active());
    EXPECT_EQ(ds->FieldCount(), 2);
    EXPECT_FALSE(ds->CanModify());
    EXPECT_EQ(src->DataSet(), ds);
    EXPECT_EQ(src->State(), dsBrowse);
    EXPECT_FALSE(src->AutoEdit());
}

namespace {

// A dataset over rows kept outside it, so that a test can change the storage behind its back.
class TSharedRowsSet : public TDataSet {
    KV_CLASS(TSharedRowsSet, TDataSet)
public:
    explicit TSharedRowsSet(std::vector<TRecordValues>& Rows) : TDataSet(nullptr), FRows(Rows) {}

protected:
    std::vector<String> InternalFieldNames() override { return {"Name"}; }
    int InternalRecordCount() const override { return static_cast<int>(FRows.size()); }
    TRecordValues InternalGetRecord(int Index) const override { return FRows[static_cast<size_t>(Index)]; }
    void InternalPostRecord(int Index, const TRecordValues& Values, bool Inserting) override {
        if (Inserting)
            FRows.insert(FRows.begin() + Index, Values);
        else
            FRows[static_cast<size_t>(Index)] = Values;
    }
    void InternalDeleteRecord(int Index) override { FRows.erase(FRows.begin() + Index); }

private:
    std::vector<TRecordValues>& FRows;
};

} // namespace

TEST(DataSetFieldTest, RefreshFollowsRowsAddedOrRemovedBehindTheSet) {
    std::vector<TDataSet::TRecordValues> rows;
    TComponentPtr<TSharedRowsSet> ds(new TSharedRowsSet(rows));
    ds->Open();
    EXPECT_TRUE(ds->Eof());
    rows.push_back({String("Ann")});
    rows.push_back({String("Bob")});
    ds->Refresh();
    // A set that was empty now stands on its first record and can be walked to the end.
    EXPECT_EQ(Ends(ds.get()), "Bof");
    std::vector<String> seen;
    for (; !ds->Eof(); ds->Next())
        seen.push_back(Current(ds.get()));
    EXPECT_EQ(seen, (std::vector<String>{"Ann", "Bob"}));
    rows.clear();
    ds->Refresh();
    EXPECT_EQ(Ends(ds.get()), "Bof Eof");
}

namespace {

// Records every notification as one word (and the field or distance where there is one).
class TLogLink : public TDataLink {
public:
    std::vector<String> Log;
    // What UpdateData writes into the field "Name" (nothing when empty).
    String PendingName;

protected:
    void ActiveChanged() override { Log.push_back(Active() ? "active" : "inactive"); }
    void EditingChanged() override { Log.push_back(Editing() ? "editing" : "not editing"); }
    void DataSetChanged() override {
        Log.push_back("changed");
        TDataLink::DataSetChanged();
    }
    void DataSetScrolled(int Distance) override { Log.push_back("scrolled " + std::to_string(Distance)); }
    void RecordChanged(TField* Field) override {
        Log.push_back(Field != nullptr ? "record " + Field->FieldName() : String("record"));
    }
    void UpdateData() override {
        Log.push_back("update data");
        if (!PendingName.empty()) DataSet()->FieldByName("Name")->SetAsString(PendingName);
    }
    void CheckBrowseMode() override { Log.push_back("check"); }
    void FocusControl(TFieldRef Field) override {
        Log.push_back("focus " + (*Field)->FieldName());
        *Field = nullptr;
    }
};

TComponentPtr<TMemoryDataSet> MakeClosedSet(int Count) {
    TComponentPtr<TMemoryDataSet> ds(new TMemoryDataSet(nullptr));
    ds->FieldNames()->Add("Name");
    ds->Open();
    for (int i = 0; i < Count; ++i)
        ds->AppendRecord({"R" + std::to_string(i + 1)});
    ds->First();
    ds->Close();
    return ds;
}

using Words = std::vector<String>;

// What a link is told while Op runs.
template <typename F> Words Told(TLogLink& Link, F Op) {
    Link.Log.clear();
    Op();
    return Link.Log;
}

} // namespace

TEST(DataLinkNotifyTest, OpenScrollEditPostCloseInOrder) {
    auto ds = MakeClosedSet(3);
    TComponentPtr<TDataSource> src(new TDataSource(nullptr));
    src->SetDataSet(ds.get());
    TLogLink link;
    link.SetDataSource(src.get());
    EXPECT_FALSE(link.Active());
    EXPECT_EQ(link.DataSet(), ds.get());
    EXPECT_TRUE(link.Log.empty());

    ds->Open();
    EXPECT_EQ(link.Log, Words{"active"});
    EXPECT_TRUE(link.Active());

    EXPECT_EQ(Told(link,
                   [&] {
                       ds->Next();
                       ds->MoveBy(5);
                       ds->Last();
                   }),
              (Words{"check", "scrolled 1", "check", "scrolled 1", "check", "changed", "record"}));
    EXPECT_EQ(Told(link, [&] { ds->Edit(); }), (Words{"check", "editing", "record"}));
    EXPECT_TRUE(link.Editing());
    EXPECT_EQ(Told(link, [&] { ds->FieldByName("Name")->SetAsString("x"); }), Words{"record Name"});
    EXPECT_EQ(Told(link, [&] { ds->Post(); }),
              (Words{"update data", "check", "not editing", "changed", "record"}));
    ds->Edit();
    // An edit in progress: the link leaves both states, active first.
    EXPECT_EQ(Told(link, [&] { ds->Close(); }), (Words{"inactive", "not editing"}));
    EXPECT_FALSE(link.Active());
    EXPECT_FALSE(link.Editing());
}

TEST(DataLinkNotifyTest, InsertCancelDeleteAndFieldWritesFromUpdateData) {
    auto ds = MakeClosedSet(2);
    ds->Open();
    TComponentPtr<TDataSource> src(new TDataSource(nullptr));
    src->SetDataSet(ds.get());
    TLogLink link;
    link.SetDataSource(src.get());
    EXPECT_EQ(link.Log, Words{"active"}); // joining an open dataset

    EXPECT_EQ(Told(link, [&] { ds->Append(); }), (Words{"check", "editing", "changed", "record"}));
    EXPECT_EQ(Told(link, [&] { ds->Cancel(); }), (Words{"check", "not editing", "changed", "record"}));

    // The link's own writes during UpdateData do not come back to it as record changes.
    ds->Edit();
    link.PendingName = "Written";
    EXPECT_EQ(Told(link, [&] { ds->Post(); }),
              (Words{"update data", "check", "not editing", "changed", "record"}));
    EXPECT_EQ(ds->FieldByName("Name")->AsString(), "Written");
    link.PendingName.clear();
    EXPECT_EQ(Told(link, [&] { ds->Delete(); }), (Words{"check", "changed", "record"}));
    EXPECT_EQ(Told(link, [&] { ds->FieldByName("Name")->FocusControl(); }), Words{"focus Name"});
}

TEST(DataLinkNotifyTest, DefaultHandlersFallThroughToRecordChanged) {
    // A link that overrides only DataSetChanged still hears scrolls (as the data-aware buttons do).
    class TChangedOnly : public TDataLink {
    public:
        int Changed = 0;

    protected:
        void DataSetChanged() override { ++Changed; }
    };
    auto ds = MakeClosedSet(2);
    TComponentPtr<TDataSource> src(new TDataSource(nullptr));
    src->SetDataSet(ds.get());
    TChangedOnly link;
    link.SetDataSource(src.get());
    ds->Open();
    ds->Next();
    ds->Prior();
    ds->Refresh();
    EXPECT_EQ(link.Changed, 3);
}

TEST(DataLinkSourceTest, SourceWithoutDataSetIsInactiveAndHarmless) {
    TComponentPtr<TDataSource> src(new TDataSource(nullptr));
    TLogLink link;
    link.SetDataSource(src.get());
    EXPECT_EQ(src->State(), dsInactive);
    EXPECT_EQ(src->DataSet(), nullptr);
    EXPECT_EQ(link.DataSet(), nullptr);
    EXPECT_FALSE(link.Active());
    EXPECT_FALSE(link.Edit());
    src->Edit();
    link.UpdateRecord();
    EXPECT_EQ(link.Log, Words{"update data"});
}

TEST(DataLinkSourceTest, StateChangeEventsAndEnabled) {
    auto ds = MakeClosedSet(1);
    TComponentPtr<TDataSource> src(new TDataSource(nullptr));
    std::vector<String> events;
    src->OnStateChange = [&](TObject*) { events.push_back("state " + std::to_string(src->State())); };
    src->OnDataChange = [&](TObject*, TField* F) {
        events.push_back(F ? "data " + F->FieldName() : String("data"));
    };
    src->SetDataSet(ds.get());
    EXPECT_TRUE(events.empty()); // the dataset is closed: nothing changes
    ds->Open();
    EXPECT_EQ(events, (Words{"state 1", "data"}));

    events.clear();
    ds->Edit();
    ds->FieldByName("Name")->SetAsString("y");
    EXPECT_EQ(events, (Words{"state 2", "data", "data Name"}));
    ds->Cancel();

    // Disabled, the source and its links go inactive although the dataset stays open.
    TLogLink link;
    link.SetDataSource(src.get());
    EXPECT_EQ(Told(link, [&] { src->SetEnabled(false); }), Words{"inactive"});
    EXPECT_EQ(src->State(), dsInactive);
    ds->Next(); // no events while disabled
    EXPECT_EQ(link.Log, Words{"inactive"});
    src->SetEnabled(true);
    EXPECT_TRUE(link.Active());
}

TEST(DataLinkSourceTest, EditThroughTheLinkFollowsAutoEditAndReadOnly) {
    auto ds = MakeClosedSet(1);
    ds->Open();
    TComponentPtr<TDataSource> src(new TDataSource(nullptr));
    src->SetDataSet(ds.get());
    TLogLink link;
    link.SetDataSource(src.get());

    link.SetReadOnly(true);
    EXPECT_FALSE(link.Edit());
    EXPECT_EQ(ds->State(), dsBrowse);
    link.SetReadOnly(false);

    src->SetAutoEdit(false);
    EXPECT_FALSE(link.Edit());
    EXPECT_EQ(ds->State(), dsBrowse);

    src->SetAutoEdit(true);
    EXPECT_TRUE(link.Edit());
    EXPECT_EQ(ds->State(), dsEdit);
    // A read-only link is never editing, even while the dataset is.
    link.SetReadOnly(true);
    EXPECT_FALSE(link.Editing());
    ds->Cancel();
}

TEST(DataLinkSourceTest, FixedDataSourceAndMovingBetweenSources) {
    auto ds = MakeClosedSet(1);
    ds->Open();
    TComponentPtr<TDataSource> a(new TDataSource(nullptr));
    TComponentPtr<TDataSource> b(new TDataSource(nullptr));
    a->SetDataSet(ds.get());
    TLogLink link;
    link.SetDataSource(a.get());
    link.SetDataSource(b.get()); // b has no dataset
    EXPECT_EQ(link.Log, (Words{"active", "inactive"}));
    link.SetDataSourceFixed(true);
    EXPECT_THROW(link.SetDataSource(a.get()), EDatabaseError);
    EXPECT_EQ(link.DataSource(), b.get());
    link.SetDataSourceFixed(false);
}

TEST(DataLinkLifetimeTest, FreeingTheDataSetFirstLeavesSourceAndLinksInactive) {
    TComponentPtr<TComponent> owner(new TComponent(nullptr));
    auto* ds = new TMemoryDataSet(owner.get());
    ds->FieldNames()->Add("Name");
    ds->Open();
    auto* src = new TDataSource(owner.get());
    src->SetDataSet(ds);
    TComponentPtr<TDataSource> foreign(new TDataSource(nullptr)); // another owner
    foreign->SetDataSet(ds);
    TLogLink link, other;
    link.SetDataSource(src);
    other.SetDataSource(foreign.get());
    EXPECT_EQ(Told(link, [&] { FreeComponent(ds); }), Words{"inactive"});
    EXPECT_EQ(src->DataSet(), nullptr);
    EXPECT_EQ(foreign->DataSet(), nullptr);
    EXPECT_EQ(src->State(), dsInactive);
    EXPECT_FALSE(other.Active());
    EXPECT_EQ(link.DataSet(), nullptr);

    // A plain delete of a dataset in another owner is as safe.
    auto* loose = new TMemoryDataSet(nullptr);
    loose->Open();
    foreign->SetDataSet(loose);
    EXPECT_TRUE(other.Active());
    delete loose;
    EXPECT_FALSE(other.Active());
    EXPECT_EQ(foreign->DataSet(), nullptr);
}

TEST(DataLinkLifetimeTest, FreeingTheSourceOrTheLinkFirst) {
    auto ds = MakeClosedSet(1);
    ds->Open();
    auto* src = new TDataSource(nullptr);
    src->SetDataSet(ds.get());
    TLogLink link;
    link.SetDataSource(src);
    {
        TLogLink shortLived;
        shortLived.SetDataSource(src);
    } // leaves the source quietly
    ds->Next();
    FreeComponent(src);
    EXPECT_EQ(link.DataSource(), nullptr);
    EXPECT_FALSE(link.Active());
    EXPECT_EQ(link.Log.back(), "inactive");
    ds->Next(); // the dataset no longer knows the source
}

TEST(DataLinkLifetimeTest, MultiRecordLinksAreToldAfterSingleRecordOnes) {
    auto ds = MakeClosedSet(2);
    TComponentPtr<TDataSource> src(new TDataSource(nullptr));
    src->SetDataSet(ds.get());
    std::vector<String> order;
    class TNamedLink : public TDataLink {
    public:
        TNamedLink(String n, std::vector<String>& o) : Name(std::move(n)), Order(o) {}
        String Name;
        std::vector<String>& Order;

    protected:
        void ActiveChanged() override { Order.push_back(Name); }
    };
    TNamedLink grid("grid", order), edit1("edit1", order), edit2("edit2", order);
    grid.SetBufferCount(10);
    grid.SetDataSource(src.get());
    edit1.SetDataSource(src.get());
    edit2.SetDataSource(src.get());
    EXPECT_EQ(grid.BufferCount(), 10);
    ds->Open();
    EXPECT_EQ(order, (Words{"edit2", "edit1", "grid"}));
    edit1.SetBufferCount(0);
    EXPECT_EQ(edit1.BufferCount(), 1);
}
