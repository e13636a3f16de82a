#include "platform/vcl/DB.h"

#include <algorithm>

#include "platform/classes/ClassRegistry.h"
#include "platform/rtl/SysUtils.h"

namespace vcl {

namespace {

const char* const SDataSetClosed = "Cannot perform this operation on a closed dataset";
const char* const SDataSetEmpty = "Cannot perform this operation on an empty dataset";
const char* const SDataSetReadOnly = "Cannot modify a read-only dataset";
const char* const SNotEditing = "Dataset not in edit or insert mode";
const char* const SFieldNameMissing = "Field name missing";
const char* const SDataSourceChange = "DataSource cannot be changed";

} // namespace

void DatabaseError(const String& Message, TComponent* Component) {
    if (Component != nullptr && !Component->Name().empty())
        throw EDatabaseError(Component->Name() + ": " + Message);
    throw EDatabaseError(Message);
}

// ---- TField ----

String TField::AsString() const {
    std::optional<String> v = FDataSet->GetFieldValue(FIndex);
    return v ? *v : String();
}

void TField::SetAsString(const String& Value) {
    FDataSet->SetFieldValue(this, Value);
}

bool TField::IsNull() const {
    return !FDataSet->GetFieldValue(FIndex).has_value();
}

void TField::Clear() {
    FDataSet->SetFieldValue(this, std::nullopt);
}

void TField::FocusControl() {
    TField* field = this;
    FDataSet->DataEvent(deFocusControl, reinterpret_cast<std::intptr_t>(&field));
}

// ---- TDataSet ----

TDataSet::TDataSet(TComponent* AOwner) : TComponent(AOwner) {}

TDataSet::~TDataSet() {
    DetachDataSources();
    BeforeDestruction();
}

void TDataSet::DetachDataSources() {
    while (!FDataSources.empty())
        RemoveDataSource(FDataSources.back());
}

void TDataSet::AddDataSource(TDataSource* DataSource) {
    FDataSources.push_back(DataSource);
    DataSource->FDataSet = this;
    DataSource->DataEvent(deUpdateState, 0);
}

void TDataSet::RemoveDataSource(TDataSource* DataSource) {
    auto it = std::find(FDataSources.begin(), FDataSources.end(), DataSource);
    if (it == FDataSources.end()) return;
    FDataSources.erase(it);
    DataSource->FDataSet = nullptr;
    DataSource->DataEvent(deUpdateState, 0);
}

void TDataSet::DataEvent(TDataEvent Event, std::intptr_t Info) {
    if (Event == deFieldChange) FModified = true;
    for (size_t i = 0; i < FDataSources.size(); ++i)
        FDataSources[i]->DataEvent(Event, Info);
}

void TDataSet::SetState(TDataSetState Value) {
    if (Value == FState) return;
    FState = Value;
    FModified = false;
    DataEvent(deUpdateState, 0);
}

void TDataSet::CheckActive() const {
    if (FState == dsInactive) DatabaseError(SDataSetClosed, const_cast<TDataSet*>(this));
}

void TDataSet::CheckCanModify() {
    if (!CanModify()) DatabaseError(SDataSetReadOnly, this);
}

void TDataSet::MakeFields() {
    std::vector<String> names = InternalFieldNames();
    for (size_t i = 0; i < names.size(); ++i) {
        if (names[i].empty()) DatabaseError(SFieldNameMissing, this);
        for (size_t j = 0; j < i; ++j)
            if (SameText(names[i], names[j])) DatabaseError("Duplicate field name '" + names[i] + "'", this);
    }
    FFields.clear();
    for (size_t i = 0; i < names.size(); ++i)
        FFields.push_back(std::unique_ptr<TField>(new TField(this, names[i], static_cast<int>(i))));
}

void TDataSet::SetActive(bool Value) {
    if (ComponentState().Contains(csReading)) {
        FStreamedActive = Value;
        return;
    }
    if (Value == Active()) return;
    if (Value) {
        MakeFields();
        try {
            InternalOpen();
        } catch (...) {
            FFields.clear();
            throw;
        }
        int count = InternalRecordCount();
        FCurrent = count > 0 ? 0 : -1;
        FBof = true;
        FEof = count == 0;
        SetState(dsBrowse);
    } else {
        // The links see the dataset inactive while its fields still exist.
        SetState(dsInactive);
        FBuffer.clear();
        FInsertIndex = -1;
        InternalClose();
        FFields.clear();
        FCurrent = -1;
        FBof = FEof = true;
    }
}

void TDataSet::Loaded() {
    TComponent::Loaded();
    if (FStreamedActive) {
        FStreamedActive = false;
        SetActive(true);
    }
}

void TDataSet::DoAfterScroll() {
    if (AfterScroll) AfterScroll(this);
}

void TDataSet::CheckBrowseMode() {
    CheckActive();
    DataEvent(deCheckBrowseMode, 0);
    if (IsEditMode(FState)) {
        UpdateRecord();
        if (FModified)
            Post();
        else
            Cancel();
    }
}

void TDataSet::UpdateRecord() {
    if (!IsEditMode(FState)) DatabaseError(SNotEditing, this);
    DataEvent(deUpdateRecord, 0);
}

void TDataSet::First() {
    CheckBrowseMode();
    int count = InternalRecordCount();
    FCurrent = count > 0 ? 0 : -1;
    FBof = true;
    FEof = count == 0;
    DataEvent(deDataSetChange, 0);
    DoAfterScroll();
}

void TDataSet::Last() {
    CheckBrowseMode();
    int count = InternalRecordCount();
    FCurrent = count - 1;
    FBof = count == 0;
    FEof = true;
    DataEvent(deDataSetChange, 0);
    DoAfterScroll();
}

int TDataSet::MoveBy(int Distance) {
    CheckBrowseMode();
    if ((Distance > 0 && FEof) || (Distance < 0 && FBof) || Distance == 0) return 0;
    int count = InternalRecordCount();
    FBof = FEof = false;
    int target = -1;
    if (count == 0) {
        FBof = FEof = true;
    } else {
        long long t = static_cast<long long>(std::max(FCurrent, 0)) + Distance;
        if (t > count - 1) {
            t = count - 1;
            FEof = true;
        }
        if (t < 0) {
            t = 0;
            FBof = true;
        }
        target = static_cast<int>(t);
    }
    int moved = count == 0 ? 0 : target - std::max(FCurrent, 0);
    FCurrent = target;
    DataEvent(deDataSetScroll, moved);
    DoAfterScroll();
    return moved;
}

int TDataSet::RecordCount() const {
    CheckActive();
    return InternalRecordCount();
}

int TDataSet::RecNo() const {
    CheckActive();
    if (FState == dsInsert) return FInsertIndex + 1;
    return FCurrent + 1;
}

void TDataSet::BeginInsertAppend() {
    CheckBrowseMode();
    CheckCanModify();
    FSaveBof = FBof;
    FSaveEof = FEof;
}

void TDataSet::EndInsertAppend() {
    FBuffer.assign(FFields.size(), std::nullopt);
    SetState(dsInsert);
    FModified = false;
    DataEvent(deDataSetChange, 0);
    DoAfterScroll();
}

void TDataSet::Insert() {
    BeginInsertAppend();
    FInsertIndex = FCurrent < 0 ? 0 : FCurrent;
    FBof = FEof = false;
    EndInsertAppend();
}

void TDataSet::Append() {
    BeginInsertAppend();
    FInsertIndex = InternalRecordCount();
    FBof = false;
    FEof = true;
    EndInsertAppend();
}

void TDataSet::Edit() {
    if (IsEditMode(FState)) return;
    CheckActive();
    if (InternalRecordCount() == 0) {
        Insert();
        return;
    }
    CheckBrowseMode();
    CheckCanModify();
    FBuffer = InternalGetRecord(FCurrent);
    FBuffer.resize(FFields.size());
    SetState(dsEdit);
    DataEvent(deRecordChange, 0);
}

void TDataSet::Post() {
    UpdateRecord();
    DataEvent(deCheckBrowseMode, 0);
    if (BeforePost) BeforePost(this);
    if (FState == dsInsert) {
        InternalPostRecord(FInsertIndex, FBuffer, true);
        FCurrent = FInsertIndex;
        FBof = FEof = false;
    } else {
        InternalPostRecord(FCurrent, FBuffer, false);
    }
    FBuffer.clear();
    FInsertIndex = -1;
    SetState(dsBrowse);
    DataEvent(deDataSetChange, 0);
    if (AfterPost) AfterPost(this);
}

void TDataSet::Cancel() {
    if (!IsEditMode(FState)) return;
    DataEvent(deCheckBrowseMode, 0);
    if (FState == dsInsert) {
        FBof = FSaveBof;
        FEof = FSaveEof;
    }
    FBuffer.clear();
    FInsertIndex = -1;
    SetState(dsBrowse);
    DataEvent(deDataSetChange, 0);
}

void TDataSet::Delete() {
    CheckActive();
    if (FState == dsInsert) {
        Cancel();
        return;
    }
    if (InternalRecordCount() == 0) DatabaseError(SDataSetEmpty, this);
    CheckCanModify();
    DataEvent(deCheckBrowseMode, 0);
    InternalDeleteRecord(FCurrent);
    FBuffer.clear();
    int count = InternalRecordCount();
    if (count == 0) {
        FCurrent = -1;
        FBof = FEof = true;
    } else if (FCurrent >= count) {
        FCurrent = count - 1;
        FBof = false;
        FEof = true;
    } else {
        FBof = FEof = false;
    }
    SetState(dsBrowse);
    DataEvent(deDataSetChange, 0);
    DoAfterScroll();
}

void TDataSet::Refresh() {
    CheckBrowseMode();
    int count = InternalRecordCount();
    if (count == 0) {
        FCurrent = -1;
        FBof = FEof = true;
    } else if (FCurrent >= count) {
        FCurrent = count - 1;
        FBof = false;
        FEof = true;
    } else if (FCurrent < 0) {
        // Records appeared in a set that was empty: on the first, and no longer at the end.
        FCurrent = 0;
        FBof = true;
        FEof = false;
    }
    DataEvent(deDataSetChange, 0);
}

void TDataSet::AppendRecord(const std::vector<String>& Values) {
    Append();
    try {
        if (Values.size() > FFields.size())
            throw EListError("List index out of bounds (" + std::to_string(FFields.size()) + ")");
        for (size_t i = 0; i < Values.size(); ++i)
            FFields[i]->SetAsString(Values[i]);
        Post();
    } catch (...) {
        if (FState == dsInsert) Cancel();
        throw;
    }
}

TField* TDataSet::Fields(int Index) const {
    if (Index < 0 || Index >= FieldCount())
        throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
    return FFields[static_cast<size_t>(Index)].get();
}

TField* TDataSet::FindField(const String& FieldName) const {
    for (const auto& f : FFields)
        if (SameText(f->FieldName(), FieldName)) return f.get();
    return nullptr;
}

TField* TDataSet::FieldByName(const String& FieldName) const {
    TField* f = FindField(FieldName);
    if (f == nullptr) DatabaseError("Field '" + FieldName + "' not found", const_cast<TDataSet*>(this));
    return f;
}

std::optional<String> TDataSet::GetFieldValue(int Index) const {
    if (IsEditMode(FState)) {
        if (Index >= 0 && static_cast<size_t>(Index) < FBuffer.size())
            return FBuffer[static_cast<size_t>(Index)];
        return std::nullopt;
    }
    if (FState != dsBrowse || FCurrent < 0 || FCurrent >= InternalRecordCount()) return std::nullopt;
    TRecordValues rec = InternalGetRecord(FCurrent);
    if (Index < 0 || static_cast<size_t>(Index) >= rec.size()) return std::nullopt;
    return rec[static_cast<size_t>(Index)];
}

void TDataSet::SetFieldValue(TField* Field, std::optional<String> Value) {
    if (!IsEditMode(FState)) DatabaseError(SNotEditing, this);
    auto index = static_cast<size_t>(Field->Index());
    if (index >= FBuffer.size()) FBuffer.resize(index + 1);
    FBuffer[index] = std::move(Value);
    DataEvent(deFieldChange, reinterpret_cast<std::intptr_t>(Field));
}

KV_PUBLISHED(TDataSet) {
    p.Bool("Active", &TDataSet::Active, &TDataSet::SetActive, false);
    p.Event("BeforePost", &TDataSet::BeforePost);
    p.Event("AfterPost", &TDataSet::AfterPost);
    p.Event("AfterScroll", &TDataSet::AfterScroll);
}

// ---- TMemoryDataSet ----

TMemoryDataSet::TMemoryDataSet(TComponent* AOwner)
    : TDataSet(AOwner), FFieldNames(std::make_unique<TStringList>()) {}

TMemoryDataSet::~TMemoryDataSet() {
    DetachDataSources();
    BeforeDestruction();
}

void TMemoryDataSet::SetReadOnly(bool Value) {
    if (Value == FReadOnly) return;
    FReadOnly = Value;
    // Data-aware controls re-check what they allow.
    if (Active()) DataEvent(deDataSetChange, 0);
}

std::vector<String> TMemoryDataSet::InternalFieldNames() {
    std::vector<String> names;
    for (int i = 0; i < FFieldNames->GetCount(); ++i)
        names.push_back(FFieldNames->Get(i));
    return names;
}

void TMemoryDataSet::InternalOpen() {
    FFieldColumn.clear();
    for (int i = 0; i < FieldCount(); ++i) {
        const String& name = Fields(i)->FieldName();
        size_t col = 0;
        while (col < FColumns.size() && !SameText(FColumns[col], name))
            ++col;
        if (col == FColumns.size()) {
            FColumns.push_back(name);
            for (auto& row : FRows)
                row.resize(FColumns.size());
        }
        FFieldColumn.push_back(col);
    }
}

TDataSet::TRecordValues TMemoryDataSet::InternalGetRecord(int Index) const {
    const TRecordValues& row = FRows.at(static_cast<size_t>(Index));
    TRecordValues values;
    values.reserve(FFieldColumn.size());
    for (size_t col : FFieldColumn)
        values.push_back(col < row.size() ? row[col] : std::nullopt);
    return values;
}

void TMemoryDataSet::InternalPostRecord(int Index, const TRecordValues& Values, bool Inserting) {
    auto at = static_cast<size_t>(Index);
    TRecordValues row;
    if (Inserting)
        row.resize(FColumns.size());
    else
        row = FRows.at(at);
    for (size_t f = 0; f < FFieldColumn.size() && f < Values.size(); ++f)
        row[FFieldColumn[f]] = Values[f];
    if (Inserting)
        FRows.insert(FRows.begin() + static_cast<std::ptrdiff_t>(std::min(at, FRows.size())), std::move(row));
    else
        FRows[at] = std::move(row);
}

void TMemoryDataSet::InternalDeleteRecord(int Index) {
    FRows.erase(FRows.begin() + Index);
}

KV_PUBLISHED(TMemoryDataSet) {
    p.Strings("FieldNames", &TMemoryDataSet::FieldNames);
    p.Bool("ReadOnly", &TMemoryDataSet::ReadOnly, &TMemoryDataSet::SetReadOnly, false);
}

// ---- TDataSource ----

TDataSource::TDataSource(TComponent* AOwner) : TComponent(AOwner) {}

TDataSource::~TDataSource() {
    BeforeDestruction();
    SetDataSet(nullptr);
    while (!FDataLinks.empty())
        RemoveDataLink(FDataLinks.back());
}

void TDataSource::SetDataSet(TDataSet* Value) {
    if (Value == FDataSet) return;
    if (FDataSet != nullptr) FDataSet->RemoveDataSource(this);
    if (Value != nullptr) Value->AddDataSource(this);
}

void TDataSource::SetEnabled(bool Value) {
    if (Value == FEnabled) return;
    FEnabled = Value;
    UpdateState();
}

void TDataSource::Edit() {
    if (FAutoEdit && FState == dsBrowse && FDataSet != nullptr) FDataSet->Edit();
}

void TDataSource::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent != nullptr && AComponent == FDataSet) SetDataSet(nullptr);
}

void TDataSource::DataEvent(TDataEvent Event, std::intptr_t Info) {
    if (Event == deUpdateState) {
        UpdateState();
        return;
    }
    if (FState == dsInactive) return;
    NotifyDataLinks(Event, Info);
    switch (Event) {
    case deFieldChange:
        if (OnDataChange) OnDataChange(this, reinterpret_cast<TField*>(Info));
        break;
    case deRecordChange:
    case deDataSetChange:
    case deDataSetScroll:
    case deLayoutChange:
        if (OnDataChange) OnDataChange(this, nullptr);
        break;
    case deUpdateRecord:
        if (OnUpdateData) OnUpdateData(this);
        break;
    default:
        break;
    }
}

void TDataSource::UpdateState() {
    SetState(FEnabled && FDataSet != nullptr ? FDataSet->State() : dsInactive);
}

void TDataSource::SetState(TDataSetState Value) {
    if (Value == FState) return;
    TDataSetState prior = FState;
    FState = Value;
    NotifyDataLinks(deUpdateState, 0);
    if (ComponentState().Contains(csDestroying)) return;
    if (OnStateChange) OnStateChange(this);
    if (prior == dsInactive && OnDataChange) OnDataChange(this, nullptr);
}

void TDataSource::NotifyDataLinks(TDataEvent Event, std::intptr_t Info) {
    // Single-record links first, then the others; each pass from the last link added. A link may
    // leave while it is told.
    for (int pass = 0; pass < 2; ++pass)
        for (size_t i = FDataLinks.size(); i-- > 0;) {
            if (i >= FDataLinks.size()) continue;
            TDataLink* link = FDataLinks[i];
            if ((link->FBufferCount == 1) == (pass == 0)) link->DataEvent(Event, Info);
        }
}

void TDataSource::AddDataLink(TDataLink* DataLink) {
    FDataLinks.push_back(DataLink);
    DataLink->FDataSource = this;
    DataLink->UpdateState();
}

void TDataSource::RemoveDataLink(TDataLink* DataLink) {
    auto it = std::find(FDataLinks.begin(), FDataLinks.end(), DataLink);
    if (it == FDataLinks.end()) return;
    FDataLinks.erase(it);
    DataLink->FDataSource = nullptr;
    DataLink->UpdateState();
}

KV_PUBLISHED(TDataSource) {
    p.Bool("AutoEdit", &TDataSource::AutoEdit, &TDataSource::SetAutoEdit, true);
    p.Ref("DataSet", &TDataSource::DataSet, &TDataSource::SetDataSet);
    p.Bool("Enabled", &TDataSource::Enabled, &TDataSource::SetEnabled, true);
    p.Event("OnDataChange", &TDataSource::OnDataChange);
    p.Event("OnStateChange", &TDataSource::OnStateChange);
    p.Event("OnUpdateData", &TDataSource::OnUpdateData);
}

// ---- TDataLink ----

TDataLink::TDataLink() = default;

TDataLink::~TDataLink() {
    // Leaves quietly: no notification reaches a link being destroyed.
    FActive = false;
    FEditing = false;
    FDataSourceFixed = false;
    if (FDataSource != nullptr) FDataSource->RemoveDataLink(this);
}

void TDataLink::SetDataSource(TDataSource* ADataSource) {
    if (ADataSource == FDataSource) return;
    if (FDataSourceFixed) DatabaseError(SDataSourceChange, FDataSource);
    if (FDataSource != nullptr) FDataSource->RemoveDataLink(this);
    if (ADataSource != nullptr) ADataSource->AddDataLink(this);
}

TDataSet* TDataLink::DataSet() const {
    return FDataSource != nullptr ? FDataSource->DataSet() : nullptr;
}

void TDataLink::SetReadOnly(bool Value) {
    if (Value == FReadOnly) return;
    FReadOnly = Value;
    UpdateState();
}

void TDataLink::SetBufferCount(int Value) {
    FBufferCount = std::max(Value, 1);
}

bool TDataLink::Edit() {
    if (!FReadOnly && FDataSource != nullptr) FDataSource->Edit();
    return FEditing;
}

void TDataLink::UpdateRecord() {
    FUpdating = true;
    try {
        UpdateData();
    } catch (...) {
        FUpdating = false;
        throw;
    }
    FUpdating = false;
}

void TDataLink::UpdateState() {
    SetActive(FDataSource != nullptr && FDataSource->State() != dsInactive);
    SetEditing(FDataSource != nullptr && IsEditMode(FDataSource->State()) && !FReadOnly);
}

void TDataLink::SetActive(bool Value) {
    if (Value == FActive) return;
    FActive = Value;
    ActiveChanged();
}

void TDataLink::SetEditing(bool Value) {
    if (Value == FEditing) return;
    FEditing = Value;
    EditingChanged();
}

void TDataLink::DataEvent(TDataEvent Event, std::intptr_t Info) {
    if (Event == deUpdateState) {
        UpdateState();
        return;
    }
    if (!FActive) return;
    switch (Event) {
    case deFieldChange:
    case deRecordChange:
        if (!FUpdating) RecordChanged(reinterpret_cast<TField*>(Info));
        break;
    case deDataSetChange:
        DataSetChanged();
        break;
    case deDataSetScroll:
        DataSetScrolled(static_cast<int>(Info));
        break;
    case deLayoutChange:
        LayoutChanged();
        break;
    case deUpdateRecord:
        UpdateRecord();
        break;
    case deCheckBrowseMode:
        CheckBrowseMode();
        break;
    case deFocusControl:
        FocusControl(reinterpret_cast<TFieldRef>(Info));
        break;
    default:
        break;
    }
}

void TDataLink::DataSetChanged() {
    RecordChanged(nullptr);
}

void TDataLink::DataSetScrolled(int) {
    DataSetChanged();
}

void TDataLink::LayoutChanged() {
    DataSetChanged();
}

void TDataLink::RecordChanged(TField*) {}

void TDataLink::FocusControl(TFieldRef) {}

KV_REGISTER_CLASS(TMemoryDataSet)
KV_REGISTER_CLASS(TDataSource)

void RegisterDBClasses() {
    RegisterClasses({ClassEntry<TMemoryDataSet>(), ClassEntry<TDataSource>()});
}

} // namespace vcl
