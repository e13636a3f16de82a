#pragma once
// Data access: datasets, data sources and data links.
//
// A TDataSet is a cursor over records of named fields with a state (inactive, browsing, editing,
// inserting). A TDataSource connects one dataset to any number of TDataLink objects, which data-aware
// controls own. Every change of the dataset is sent as a data event through its data sources to their
// links:
//
//   open / close             deUpdateState   -> link ActiveChanged (and EditingChanged when that changes)
//   First, Last, Insert,     deDataSetChange -> link DataSetChanged (default: RecordChanged(null))
//   Append, Post, Cancel,
//   Delete, Refresh
//   Next, Prior, MoveBy      deDataSetScroll -> link DataSetScrolled(distance) (default: DataSetChanged)
//   Edit                     deUpdateState   -> link EditingChanged; then deRecordChange -> RecordChanged
//   a field's value set      deFieldChange   -> link RecordChanged(field)
//   Post (first)             deUpdateRecord  -> link UpdateData (the control writes its value)
//
// Navigating while a record is being edited posts it when it was modified and cancels it otherwise.
// Errors raise EDatabaseError, prefixed with the dataset's name when it has one ("Orders: Cannot
// modify a read-only dataset").
//
// TMemoryDataSet keeps its records in memory: string values (or null) for the fields named in
// FieldNames. Fields are made when it opens and freed when it closes; the records stay across a close
// and a reopen, also when FieldNames changes in between (a field keeps the values of its name).

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "platform/classes/Component.h"
#include "platform/classes/Properties.h"
#include "platform/rtl/Events.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Strings.h"

namespace vcl {

class TDataSet;
class TDataSource;
class TDataLink;
class TField;

enum TDataSetState {
    dsInactive,
    dsBrowse,
    dsEdit,
    dsInsert,
    dsSetKey,
    dsCalcFields,
    dsFilter,
    dsNewValue,
    dsOldValue,
    dsCurValue,
    dsBlockRead,
    dsInternalCalc,
    dsOpening
};

enum TDataEvent {
    deFieldChange,
    deRecordChange,
    deDataSetChange,
    deDataSetScroll,
    deLayoutChange,
    deUpdateRecord,
    deUpdateState,
    deCheckBrowseMode,
    dePropertyChange,
    deFieldListChange,
    deFocusControl,
    deParentScroll,
    deConnectChange,
    deReconcileError,
    deDisabledStateChange
};

// The states in which a record is being written.
inline bool IsEditMode(TDataSetState State) {
    return State == dsEdit || State == dsInsert || State == dsSetKey;
}

// Raises EDatabaseError with Message, prefixed "<name>: " when Component has a name.
[[noreturn]] void DatabaseError(const String& Message, TComponent* Component = nullptr);

using TFieldRef = TField**;
using TDataSetNotifyEvent = std::function<void(TDataSet* DataSet)>;
using TDataChangeEvent = std::function<void(TObject* Sender, TField* Field)>;

// ---- fields ----

class TField : public TObject {
    KV_CLASS(TField, TObject)
public:
    const String& FieldName() const { return FFieldName; }
    TDataSet* DataSet() const { return FDataSet; }
    int Index() const { return FIndex; }

    // The value of the current record ('' when null or when there is no current record).
    String AsString() const;
    // Raises EDatabaseError "Dataset not in edit or insert mode" outside those modes.
    void SetAsString(const String& Value);
    bool IsNull() const;
    // Sets the value to null (same rules as SetAsString).
    void Clear();
    // Asks the data-aware controls to focus the control that shows this field.
    void FocusControl();

private:
    friend class TDataSet;
    TField(TDataSet* ADataSet, String AFieldName, int AIndex)
        : FDataSet(ADataSet), FFieldName(std::move(AFieldName)), FIndex(AIndex) {}
    TDataSet* FDataSet;
    String FFieldName;
    int FIndex;
};

// ---- datasets ----

class TDataSet : public TComponent {
    KV_CLASS(TDataSet, TComponent)
    KV_PUBLISHED_PROPERTIES(TDataSet)
public:
    using TRecordValues = std::vector<std::optional<String>>;

    explicit TDataSet(TComponent* AOwner);
    ~TDataSet() override;

    // Opening makes the fields and moves to the first record; closing drops a record being edited.
    // Set while a layout is read, Active takes effect when loading ends.
    bool Active() const { return FState != dsInactive; }
    void SetActive(bool Value);
    void Open() { SetActive(true); }
    void Close() { SetActive(false); }
    TDataSetState State() const { return FState; }

    void First();
    void Prior() { MoveBy(-1); }
    void Next() { MoveBy(1); }
    void Last();
    // Moves up to Distance records and returns how far it moved. Trying to move past the last (first)
    // record sets Eof (Bof); any other move clears both.
    int MoveBy(int Distance);
    // True after First, or after a move stopped at the first record; always true when empty.
    bool Bof() const { return FBof; }
    // True after Last, or after a move stopped at the last record; always true when empty.
    bool Eof() const { return FEof; }
    // No current record: closed, or open without records (a record being inserted counts).
    bool IsEmpty() const { return FCurrent < 0 && FState != dsInsert; }
    // Records stored (a record being inserted counts once posted). Raises on a closed dataset.
    int RecordCount() const;
    // 1-based number of the current record (in insert mode: the place the new record takes); 0 when
    // there is no current record. Raises on a closed dataset.
    int RecNo() const;

    // Insert puts a new record before the current one, Append after the last; Edit starts editing the
    // current record (on an empty dataset it inserts). Raise when the dataset cannot be modified.
    void Insert();
    void Append();
    void Edit();
    // Writes the record being edited or inserted; raises outside those modes. BeforePost may raise
    // (EAbort) to keep the record in its mode.
    void Post();
    // Drops the record being edited or inserted; nothing outside those modes.
    void Cancel();
    // Deletes the current record (or cancels an insert); the next record becomes current, or the new
    // last one (with Eof set) when the last was deleted. Raises on an empty or read-only dataset.
    void Delete();
    // Re-reads the records, keeping the position where it still exists.
    void Refresh();
    // Appends a record with the values given for the first fields, in order, and posts it.
    void AppendRecord(const std::vector<String>& Values);

    // Posts a modified record being edited, or cancels an unmodified one.
    void CheckBrowseMode();
    // Asks the data links to write their controls' values into the fields (deUpdateRecord).
    void UpdateRecord();
    bool Modified() const { return FModified; }
    virtual bool CanModify() const { return true; }

    int FieldCount() const { return static_cast<int>(FFields.size()); }
    TField* Fields(int Index) const;
    // The field of that name (any case); FieldByName raises "Field '<name>' not found".
    TField* FieldByName(const String& FieldName) const;
    TField* FindField(const String& FieldName) const;

    TDataSetNotifyEvent BeforePost;
    TDataSetNotifyEvent AfterPost;
    TDataSetNotifyEvent AfterScroll;

    // Sends an event to the data sources (and through them to their links).
    virtual void DataEvent(TDataEvent Event, std::intptr_t Info);

protected:
    // The storage a dataset class provides. Records are numbered from 0; values follow the fields.
    virtual std::vector<String> InternalFieldNames() = 0;
    virtual void InternalOpen() {}
    virtual void InternalClose() {}
    virtual int InternalRecordCount() const = 0;
    virtual TRecordValues InternalGetRecord(int Index) const = 0;
    // Stores Values as record Index: a new record inserted there (Index == count: at the end), or the
    // existing one replaced.
    virtual void InternalPostRecord(int Index, const TRecordValues& Values, bool Inserting) = 0;
    virtual void InternalDeleteRecord(int Index) = 0;

    void Loaded() override;
    // Takes the data sources off the dataset (their links become inactive). A derived class whose
    // destructor releases storage calls it first; TDataSet's destructor calls it too.
    void DetachDataSources();
    void CheckActive() const;
    void CheckCanModify();

private:
    friend class TField;
    friend class TDataSource;

    void SetState(TDataSetState Value);
    void MakeFields();
    void BeginInsertAppend();
    void EndInsertAppend();
    void DoAfterScroll();
    std::optional<String> GetFieldValue(int Index) const;
    void SetFieldValue(TField* Field, std::optional<String> Value);
    void AddDataSource(TDataSource* DataSource);
    void RemoveDataSource(TDataSource* DataSource);

    TDataSetState FState = dsInactive;
    int FCurrent = -1; // index of the current record, -1 without one
    int FInsertIndex = -1;
    bool FBof = true;
    bool FEof = true;
    bool FSaveBof = true; // Bof and Eof before an insert, back after a cancel
    bool FSaveEof = true;
    bool FModified = false;
    bool FStreamedActive = false;
    TRecordValues FBuffer; // the record being edited or inserted
    std::vector<std::unique_ptr<TField>> FFields;
    std::vector<TDataSource*> FDataSources;
};

class TMemoryDataSet : public TDataSet {
    KV_CLASS(TMemoryDataSet, TDataSet)
    KV_PUBLISHED_PROPERTIES(TMemoryDataSet)
public:
    explicit TMemoryDataSet(TComponent* AOwner);
    ~TMemoryDataSet() override;

    // The field names, one a line; a change takes effect at the next Open.
    TStringList* FieldNames() const { return FFieldNames.get(); }
    // A read-only dataset refuses Edit, Insert, Append and Delete.
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value);
    bool CanModify() const override { return !FReadOnly; }

protected:
    std::vector<String> InternalFieldNames() override;
    void InternalOpen() override;
    int InternalRecordCount() const override { return static_cast<int>(FRows.size()); }
    TRecordValues InternalGetRecord(int Index) const override;
    void InternalPostRecord(int Index, const TRecordValues& Values, bool Inserting) override;
    void InternalDeleteRecord(int Index) override;

private:
    std::unique_ptr<TStringList> FFieldNames;
    bool FReadOnly = false;
    // Storage: a column per field name ever opened, so that no value is lost when a field goes.
    std::vector<String> FColumns;
    std::vector<TRecordValues> FRows;
    std::vector<size_t> FFieldColumn; // field index -> column
};

// ---- data sources ----

class TDataSource : public TComponent {
    KV_CLASS(TDataSource, TComponent)
    KV_PUBLISHED_PROPERTIES(TDataSource)
public:
    explicit TDataSource(TComponent* AOwner);
    ~TDataSource() override;

    TDataSet* DataSet() const { return FDataSet; }
    void SetDataSet(TDataSet* Value);
    // The dataset's state while enabled and connected, else dsInactive.
    TDataSetState State() const { return FState; }
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    // Whether a data link's Edit may put a browsing dataset into edit mode.
    bool AutoEdit() const { return FAutoEdit; }
    void SetAutoEdit(bool Value) { FAutoEdit = Value; }
    // Starts editing when AutoEdit is on and the dataset is browsing.
    void Edit();

    TNotifyEvent OnStateChange;
    // Raised for field, record, dataset, scroll and layout changes (Field set for a field change),
    // and with no field when the source becomes active.
    TDataChangeEvent OnDataChange;
    TNotifyEvent OnUpdateData;

    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    friend class TDataSet;
    friend class TDataLink;
    void DataEvent(TDataEvent Event, std::intptr_t Info);
    void UpdateState();
    void SetState(TDataSetState Value);
    void NotifyDataLinks(TDataEvent Event, std::intptr_t Info);
    void AddDataLink(TDataLink* DataLink);
    void RemoveDataLink(TDataLink* DataLink);

    TDataSet* FDataSet = nullptr;
    TDataSetState FState = dsInactive;
    bool FEnabled = true;
    bool FAutoEdit = true;
    std::vector<TDataLink*> FDataLinks;
};

// ---- data links ----

class TDataLink : public TPersistent {
    KV_CLASS(TDataLink, TPersistent)
public:
    TDataLink();
    ~TDataLink() override;

    TDataSource* DataSource() const { return FDataSource; }
    // Raises EDatabaseError "DataSource cannot be changed" while DataSourceFixed.
    void SetDataSource(TDataSource* ADataSource);
    bool DataSourceFixed() const { return FDataSourceFixed; }
    void SetDataSourceFixed(bool Value) { FDataSourceFixed = Value; }
    // The data source's dataset, or null.
    TDataSet* DataSet() const;
    // Connected to a data source whose state is not dsInactive.
    bool Active() const { return FActive; }
    // Active, the dataset in an edit mode, and the link not read-only.
    bool Editing() const { return FEditing; }
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value);
    // How many records the client shows (at least 1); single-record links are told first.
    int BufferCount() const { return FBufferCount; }
    void SetBufferCount(int Value);

    // Puts the dataset into edit mode through the data source (AutoEdit); returns Editing.
    bool Edit();
    // Calls UpdateData (RecordChanged is not called for this link's own field writes meanwhile).
    void UpdateRecord();

protected:
    virtual void ActiveChanged() {}
    virtual void CheckBrowseMode() {}
    virtual void DataEvent(TDataEvent Event, std::intptr_t Info);
    virtual void DataSetChanged();
    virtual void DataSetScrolled(int Distance);
    virtual void EditingChanged() {}
    virtual void FocusControl(TFieldRef Field);
    virtual void LayoutChanged();
    virtual void RecordChanged(TField* Field);
    virtual void UpdateData() {}

private:
    friend class TDataSource;
    void UpdateState();
    void SetActive(bool Value);
    void SetEditing(bool Value);

    TDataSource* FDataSource = nullptr;
    bool FDataSourceFixed = false;
    bool FActive = false;
    bool FEditing = false;
    bool FReadOnly = false;
    bool FUpdating = false;
    int FBufferCount = 1;
};

// Registers TMemoryDataSet and TDataSource with the class registry (also done at start-up when this
// unit is linked in).
void RegisterDBClasses();

} // namespace vcl
