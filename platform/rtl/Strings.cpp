#include "platform/rtl/Strings.h"

#include <algorithm>
#include <exception>
#include <numeric>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileUtil.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/SysUtils.h"

namespace vcl {

namespace {

const char* const SDuplicateString = "String list does not allow duplicates";
const char* const SSortedListError = "Operation not allowed on sorted list";

// Keeps a list in its update state for a scope, also when an exception leaves it. An exception from
// the change event at the end passes on, unless another one is already leaving the scope.
class UpdateScope {
public:
    explicit UpdateScope(TStrings* s) : s_(s), exceptions_(std::uncaught_exceptions()) { s_->BeginUpdate(); }
    ~UpdateScope() noexcept(false) {
        if (std::uncaught_exceptions() == exceptions_) {
            s_->EndUpdate();
            return;
        }
        try {
            s_->EndUpdate();
        } catch (...) {
            // the exception already on its way is the one to report
        }
    }
    UpdateScope(const UpdateScope&) = delete;
    UpdateScope& operator=(const UpdateScope&) = delete;

private:
    TStrings* s_;
    int exceptions_;
};

// The name part of a Name=Value line: empty when there is no separator, or the whole line when
// WholeWhenMissing.
String ExtractName(const String& s, char sep, bool wholeWhenMissing) {
    size_t p = s.find(sep);
    if (p == String::npos) return wholeWhenMissing ? s : String();
    return s.substr(0, p);
}

String StripByteOrderMark(String s) {
    if (s.size() >= 3 && static_cast<unsigned char>(s[0]) == 0xEF &&
        static_cast<unsigned char>(s[1]) == 0xBB && static_cast<unsigned char>(s[2]) == 0xBF)
        s.erase(0, 3);
    return s;
}

} // namespace

// ---- TStrings

void TStrings::Error(const String& Message) {
    throw EStringListError(Message);
}

void TStrings::IndexError(int Index) {
    Error("List index out of bounds (" + std::to_string(Index) + ")");
}

void TStrings::Put(int Index, const String& S) {
    TObject* obj = GetObject(Index);
    UpdateScope scope(this);
    Delete(Index);
    InsertObject(Index, S, obj);
}

TObject* TStrings::GetObject(int) const {
    return nullptr;
}
void TStrings::PutObject(int, TObject*) {}

int TStrings::Add(const String& S) {
    int r = GetCount();
    Insert(r, S);
    return r;
}

int TStrings::AddObject(const String& S, TObject* AObject) {
    int r = Add(S);
    PutObject(r, AObject);
    return r;
}

void TStrings::InsertObject(int Index, const String& S, TObject* AObject) {
    Insert(Index, S);
    PutObject(Index, AObject);
}

void TStrings::AddStrings(TStrings* Strings) {
    if (!Strings) return;
    UpdateScope scope(this);
    const int n = Strings->GetCount(); // fixed first: adding a list to itself doubles it once
    for (int i = 0; i < n; ++i)
        AddObject(Strings->Get(i), Strings->GetObject(i));
}

void TStrings::Exchange(int Index1, int Index2) {
    UpdateScope scope(this);
    String s1 = Get(Index1);
    TObject* o1 = GetObject(Index1);
    String s2 = Get(Index2);
    TObject* o2 = GetObject(Index2);
    Put(Index1, s2);
    PutObject(Index1, o2);
    Put(Index2, s1);
    PutObject(Index2, o1);
}

void TStrings::Move(int CurIndex, int NewIndex) {
    if (CurIndex == NewIndex) return;
    // Both indexes are checked before anything is removed, so a bad one loses nothing.
    if (CurIndex < 0 || CurIndex >= GetCount()) IndexError(CurIndex);
    if (NewIndex < 0 || NewIndex >= GetCount()) IndexError(NewIndex);
    UpdateScope scope(this);
    String s = Get(CurIndex);
    TObject* o = GetObject(CurIndex);
    Delete(CurIndex);
    InsertObject(NewIndex, s, o);
}

int TStrings::IndexOf(const String& S) const {
    for (int i = 0, n = GetCount(); i < n; ++i)
        if (CompareStrings(Get(i), S) == 0) return i;
    return -1;
}

int TStrings::IndexOfName(const String& Name) const {
    for (int i = 0, n = GetCount(); i < n; ++i) {
        String s = Get(i);
        size_t p = s.find(FNameValueSeparator);
        if (p != String::npos && CompareStrings(s.substr(0, p), Name) == 0) return i;
    }
    return -1;
}

int TStrings::IndexOfObject(TObject* AObject) const {
    for (int i = 0, n = GetCount(); i < n; ++i)
        if (GetObject(i) == AObject) return i;
    return -1;
}

bool TStrings::Equals(TStrings* Strings) const {
    if (!Strings) return false;
    int n = GetCount();
    if (n != Strings->GetCount()) return false;
    for (int i = 0; i < n; ++i)
        if (Get(i) != Strings->Get(i)) return false;
    return true;
}

const String TStrings::Names(int Index) const {
    return ExtractName(Get(Index), FNameValueSeparator, false);
}

const String TStrings::Values(const String& Name) const {
    int i = IndexOfName(Name);
    if (i < 0) return String();
    String s = Get(i);
    return s.substr(s.find(FNameValueSeparator) + 1);
}

void TStrings::SetValue(const String& Name, const String& Value) {
    int i = IndexOfName(Name);
    if (!Value.empty()) {
        String line = Name + FNameValueSeparator + Value;
        if (i < 0)
            Add(line);
        else
            ReplaceLine(i, line);
    } else if (i >= 0) {
        Delete(i);
    }
}

void TStrings::ReplaceLine(int Index, const String& S) {
    // A sorted list cannot take a line at a given place: the new line goes where it sorts.
    auto* sorted = dynamic_cast<TStringList*>(this);
    if (sorted && sorted->Sorted()) {
        TObject* obj = GetObject(Index);
        UpdateScope scope(this);
        Delete(Index);
        AddObject(S, obj);
    } else {
        Put(Index, S);
    }
}

const String TStrings::ValueFromIndex(int Index) const {
    String s = Get(Index);
    size_t p = s.find(FNameValueSeparator);
    return p == String::npos ? String() : s.substr(p + 1);
}

void TStrings::SetValueFromIndex(int Index, const String& Value) {
    if (!Value.empty()) {
        if (Index < 0)
            Add(FNameValueSeparator + Value);
        else
            ReplaceLine(Index,
                        ExtractName(Get(Index), FNameValueSeparator, true) + FNameValueSeparator + Value);
    } else if (Index >= 0) {
        Delete(Index);
    }
}

String TStrings::GetTextStr() const {
    String r;
    for (int i = 0, n = GetCount(); i < n; ++i) {
        r += Get(i);
        r += FLineBreak;
    }
    return r;
}

void TStrings::SetTextStr(const String& Value) {
    UpdateScope scope(this);
    Clear();
    size_t start = 0;
    const size_t n = Value.size();
    while (start < n) {
        size_t end = Value.find_first_of("\r\n", start);
        if (end == String::npos) {
            Add(Value.substr(start));
            break;
        }
        Add(Value.substr(start, end - start));
        start = end + 1;
        if (Value[end] == '\r' && start < n && Value[start] == '\n') ++start;
    }
}

String TStrings::BuildDelimited(char Delim, char Quote, bool Strict) const {
    const int n = GetCount();
    if (n == 1 && Get(0).empty()) return String(2, Quote);
    String r;
    for (int i = 0; i < n; ++i) {
        String s = Get(i);
        bool quote = false;
        for (char c : s) {
            if (c == '\0' || c == Quote || c == Delim || (!Strict && static_cast<unsigned char>(c) <= ' ')) {
                quote = true;
                break;
            }
        }
        if (i > 0) r += Delim;
        r += quote ? AnsiQuotedStr(s, Quote) : s;
    }
    return r;
}

void TStrings::ParseDelimited(const String& Value, char Delim, char Quote, bool Strict) {
    UpdateScope scope(this);
    Clear();
    const char* p = Value.data();
    const char* end = p + Value.size();
    auto skipBlanks = [&] {
        if (!Strict)
            while (p < end && static_cast<unsigned char>(*p) <= ' ')
                ++p;
    };
    skipBlanks();
    while (p < end) {
        String s;
        if (*p == Quote) {
            s = AnsiExtractQuotedStr(p, end, Quote);
        } else {
            const char* start = p;
            while (p < end && *p != Delim && (Strict || static_cast<unsigned char>(*p) > ' '))
                ++p;
            s.assign(start, p);
        }
        Add(s);
        skipBlanks();
        if (p < end && *p == Delim) {
            if (p + 1 == end) Add(String()); // a trailing delimiter ends with an empty item
            ++p;
            skipBlanks();
        }
    }
}

const String TStrings::DelimitedText() const {
    return BuildDelimited(FDelimiter, FQuoteChar, FStrictDelimiter);
}

void TStrings::SetDelimitedText(const String& Value) {
    ParseDelimited(Value, FDelimiter, FQuoteChar, FStrictDelimiter);
}

const String TStrings::CommaText() const {
    return BuildDelimited(',', '"', false);
}

void TStrings::SetCommaText(const String& Value) {
    ParseDelimited(Value, ',', '"', false);
}

void TStrings::BeginUpdate() {
    if (FUpdateCount == 0) SetUpdateState(true);
    ++FUpdateCount;
}

void TStrings::EndUpdate() {
    if (FUpdateCount == 0) return; // unbalanced: nothing to end
    --FUpdateCount;
    if (FUpdateCount == 0) SetUpdateState(false);
}

void TStrings::SetUpdateState(bool) {}

void TStrings::Assign(TPersistent* Source) {
    if (auto* src = dynamic_cast<TStrings*>(Source)) {
        if (src == this) return;
        UpdateScope scope(this);
        Clear();
        FDelimiter = src->FDelimiter;
        FQuoteChar = src->FQuoteChar;
        FNameValueSeparator = src->FNameValueSeparator;
        FStrictDelimiter = src->FStrictDelimiter;
        FLineBreak = src->FLineBreak;
        AddStrings(src);
        return;
    }
    TPersistent::Assign(Source);
}

void TStrings::LoadFromFile(const String& FileName) {
    String data = ReadFileBytes(FileName);
    UpdateScope scope(this);
    SetTextStr(StripByteOrderMark(std::move(data)));
}

void TStrings::SaveToFile(const String& FileName) const {
    WriteFileAtomic(FileName, GetTextStr());
}

void TStrings::LoadFromStream(TStream* Stream) {
    Int64 size = Stream->Size() - Stream->Position();
    String data;
    if (size > 0) {
        data.resize(static_cast<size_t>(size));
        data.resize(static_cast<size_t>(Stream->Read(data.data(), size)));
    }
    UpdateScope scope(this);
    SetTextStr(StripByteOrderMark(std::move(data)));
}

void TStrings::SaveToStream(TStream* Stream) const {
    String text = GetTextStr();
    Stream->WriteBuffer(text.data(), static_cast<Int64>(text.size()));
}

int TStrings::CompareStrings(const String& S1, const String& S2) const {
    return AnsiCompareText(S1, S2);
}

// ---- TStringList

TStringList::~TStringList() {
    OnChange = nullptr;
    OnChanging = nullptr;
    if (FOwnsObjects)
        for (auto& item : FList)
            delete item.FObject;
}

void TStringList::CheckIndex(int Index) const {
    if (Index < 0 || Index >= GetCount()) IndexError(Index);
}

void TStringList::CheckNotSorted() const {
    if (FSorted) Error(SSortedListError);
}

void TStringList::Changed() {
    if (UpdateCount() == 0 && OnChange) OnChange(this);
}

void TStringList::Changing() {
    if (UpdateCount() == 0 && OnChanging) OnChanging(this);
}

void TStringList::SetUpdateState(bool Updating) {
    if (Updating)
        Changing();
    else
        Changed();
}

String TStringList::Get(int Index) const {
    CheckIndex(Index);
    return FList[static_cast<size_t>(Index)].FString;
}

void TStringList::Put(int Index, const String& S) {
    CheckNotSorted();
    CheckIndex(Index);
    Changing();
    FList[static_cast<size_t>(Index)].FString = S;
    Changed();
}

TObject* TStringList::GetObject(int Index) const {
    CheckIndex(Index);
    return FList[static_cast<size_t>(Index)].FObject;
}

void TStringList::PutObject(int Index, TObject* AObject) {
    CheckIndex(Index);
    Changing();
    FList[static_cast<size_t>(Index)].FObject = AObject;
    Changed();
}

int TStringList::Add(const String& S) {
    return AddObject(S, nullptr);
}

int TStringList::AddObject(const String& S, TObject* AObject) {
    int index = GetCount();
    if (FSorted && Find(S, index)) {
        if (FDuplicates == dupIgnore) return index;
        if (FDuplicates == dupError) Error(SDuplicateString);
    }
    InsertItem(index, S, AObject);
    return index;
}

void TStringList::Insert(int Index, const String& S) {
    InsertObject(Index, S, nullptr);
}

void TStringList::InsertObject(int Index, const String& S, TObject* AObject) {
    CheckNotSorted();
    if (Index < 0 || Index > GetCount()) IndexError(Index);
    InsertItem(Index, S, AObject);
}

void TStringList::InsertItem(int Index, const String& S, TObject* AObject) {
    Changing();
    FList.insert(FList.begin() + Index, Item{S, AObject});
    Changed();
}

void TStringList::Delete(int Index) {
    CheckIndex(Index);
    Changing();
    TObject* obj = FList[static_cast<size_t>(Index)].FObject;
    FList.erase(FList.begin() + Index);
    if (FOwnsObjects) delete obj;
    Changed();
}

void TStringList::Clear() {
    if (FList.empty()) return;
    Changing();
    std::vector<Item> old;
    old.swap(FList);
    if (FOwnsObjects)
        for (auto& item : old)
            delete item.FObject;
    Changed();
}

void TStringList::Exchange(int Index1, int Index2) {
    CheckNotSorted();
    CheckIndex(Index1);
    CheckIndex(Index2);
    Changing();
    std::swap(FList[static_cast<size_t>(Index1)], FList[static_cast<size_t>(Index2)]);
    Changed();
}

void TStringList::Move(int CurIndex, int NewIndex) {
    if (CurIndex == NewIndex) return;
    CheckNotSorted();
    CheckIndex(CurIndex);
    CheckIndex(NewIndex);
    Changing();
    Item item = std::move(FList[static_cast<size_t>(CurIndex)]);
    FList.erase(FList.begin() + CurIndex);
    FList.insert(FList.begin() + NewIndex, std::move(item));
    Changed();
}

int TStringList::IndexOf(const String& S) const {
    if (!FSorted) return TStrings::IndexOf(S);
    int index = 0;
    return Find(S, index) ? index : -1;
}

bool TStringList::Find(const String& S, int& Index) const {
    bool found = false;
    int lo = 0, hi = GetCount() - 1;
    while (lo <= hi) {
        int mid = lo + (hi - lo) / 2;
        int c = CompareStrings(FList[static_cast<size_t>(mid)].FString, S);
        if (c < 0) {
            lo = mid + 1;
        } else {
            hi = mid - 1;
            if (c == 0) {
                found = true;
                if (FDuplicates != dupAccept) lo = mid;
            }
        }
    }
    Index = lo;
    return found;
}

void TStringList::Sort() {
    CustomSort([](TStringList* list, int a, int b) {
        return list->CompareStrings(list->FList[static_cast<size_t>(a)].FString,
                                    list->FList[static_cast<size_t>(b)].FString);
    });
}

void TStringList::CustomSort(const TStringListSortCompare& Compare) {
    if (FSorted || GetCount() < 2) return;
    Changing();
    // Sort a permutation, so the comparison sees the list unchanged while it runs.
    std::vector<int> order(FList.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return Compare(this, a, b) < 0; });
    std::vector<Item> sorted;
    sorted.reserve(FList.size());
    for (int i : order)
        sorted.push_back(std::move(FList[static_cast<size_t>(i)]));
    FList.swap(sorted);
    Changed();
}

void TStringList::SetSorted(bool Value) {
    if (Value == FSorted) return;
    if (Value) Sort();
    FSorted = Value;
}

void TStringList::SetCaseSensitive(bool Value) {
    if (Value == FCaseSensitive) return;
    FCaseSensitive = Value;
    if (FSorted) {
        FSorted = false;
        SetSorted(true);
    }
}

int TStringList::CompareStrings(const String& S1, const String& S2) const {
    return FCaseSensitive ? AnsiCompareStr(S1, S2) : AnsiCompareText(S1, S2);
}

} // namespace vcl
