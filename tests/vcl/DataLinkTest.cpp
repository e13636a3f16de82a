// Data sources and data links: the notifications a data-aware control receives, in order.

#include <gtest/gtest.h>

#include <vector>

#include "platform/rtl/Exceptions.h"
#include "platform/vcl/DB.h"

using namespace vcl;

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

TComponentPtr<TMemoryDataSet> MakeSet(int Count) {
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
    auto ds = MakeSet(3);
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
    auto ds = MakeSet(2);
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
    auto ds = MakeSet(2);
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
    auto ds = MakeSet(1);
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
    auto ds = MakeSet(1);
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
    auto ds = MakeSet(1);
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
    auto ds = MakeSet(1);
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
    auto ds = MakeSet(2);
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
