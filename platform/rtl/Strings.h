#pragma once
// String lists: the abstract TStrings and the concrete TStringList.
//
// Indexes are 0-based. An index out of range raises EStringListError "List index out of bounds (<i>)".
// Text joins the lines with CR LF and ends with CR LF; setting Text splits on CR, LF or CR LF.
// CommaText / DelimitedText follow the framework's quoting rules: an item holding a blank or control
// character (unless StrictDelimiter), the quote character or the delimiter is written quoted, with
// doubled quotes inside; when reading, an unquoted item ends at the delimiter, or at a blank unless
// StrictDelimiter.

#include <functional>
#include <vector>

#include "platform/rtl/Events.h"
#include "platform/rtl/Object.h"
#include "platform/rtl/Types.h"

namespace vcl {

class TStream;
class TStrings;

enum TDuplicates { dupIgnore, dupAccept, dupError };

class TStrings : public TPersistent {
    KV_CLASS(TStrings, TPersistent)
public:
    TStrings() = default;
    ~TStrings() override = default;

    // The abstract core every list provides.
    virtual int GetCount() const = 0;
    virtual String Get(int Index) const = 0;
    virtual void Insert(int Index, const String& S) = 0;
    virtual void Delete(int Index) = 0;
    virtual void Clear() = 0;

    // Replaces the string at Index, keeping its object.
    virtual void Put(int Index, const String& S);
    // The object of a line; the default list keeps none (nullptr, writes ignored).
    virtual TObject* GetObject(int Index) const;
    virtual void PutObject(int Index, TObject* AObject);

    int Count() const { return GetCount(); }
    // Property-style readers return const values, so that a mistaken `l.Strings(i) = s` does not compile
    // (write through SetStrings / Put, SetValue, SetText, ...).
    const String Strings(int Index) const { return Get(Index); }
    void SetStrings(int Index, const String& S) { Put(Index, S); }
    const String operator[](int Index) const { return Get(Index); }
    TObject* Objects(int Index) const { return GetObject(Index); }
    void SetObjects(int Index, TObject* AObject) { PutObject(Index, AObject); }

    virtual int Add(const String& S);
    virtual int AddObject(const String& S, TObject* AObject);
    void Append(const String& S) { Add(S); }
    virtual void InsertObject(int Index, const String& S, TObject* AObject);
    virtual void AddStrings(TStrings* Strings);
    virtual void Exchange(int Index1, int Index2);
    virtual void Move(int CurIndex, int NewIndex);

    virtual int IndexOf(const String& S) const;
    virtual int IndexOfName(const String& Name) const;
    virtual int IndexOfObject(TObject* AObject) const;

    // Same strings in the same order (objects are not compared).
    bool Equals(TStrings* Strings) const;

    // Name=Value lines. Names(i) is empty for a line without the separator.
    const String Names(int Index) const;
    String GetName(int Index) const { return Names(Index); }
    const String Values(const String& Name) const;
    String GetValue(const String& Name) const { return Values(Name); }
    // Sets the value of Name (adding the line if missing); an empty value deletes the line. In a sorted
    // list the changed line moves to where it sorts.
    void SetValue(const String& Name, const String& Value);
    void SetValues(const String& Name, const String& Value) { SetValue(Name, Value); }
    const String ValueFromIndex(int Index) const;
    void SetValueFromIndex(int Index, const String& Value);

    const String Text() const { return GetTextStr(); }
    String GetText() const { return GetTextStr(); }
    void SetText(const String& Value) { SetTextStr(Value); }
    virtual String GetTextStr() const;
    virtual void SetTextStr(const String& Value);

    const String CommaText() const;
    void SetCommaText(const String& Value);
    const String DelimitedText() const;
    void SetDelimitedText(const String& Value);

    char Delimiter() const { return FDelimiter; }
    void SetDelimiter(char Value) { FDelimiter = Value; }
    char QuoteChar() const { return FQuoteChar; }
    void SetQuoteChar(char Value) { FQuoteChar = Value; }
    bool StrictDelimiter() const { return FStrictDelimiter; }
    void SetStrictDelimiter(bool Value) { FStrictDelimiter = Value; }
    char NameValueSeparator() const { return FNameValueSeparator; }
    void SetNameValueSeparator(char Value) { FNameValueSeparator = Value; }
    String LineBreak() const { return FLineBreak; }
    void SetLineBreak(const String& Value) { FLineBreak = Value; }

    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return FUpdateCount; }

    // Copies the strings, objects and delimiter settings of another TStrings.
    void Assign(TPersistent* Source) override;

    // Files are read as UTF-8 (a leading byte-order mark is skipped). Loading raises EFOpenError
    // naming the file; saving replaces the file atomically and raises EFCreateError.
    virtual void LoadFromFile(const String& FileName);
    virtual void SaveToFile(const String& FileName) const;
    // Reads from the stream's position to its end; writes Text at the stream's position.
    virtual void LoadFromStream(TStream* Stream);
    virtual void SaveToStream(TStream* Stream) const;

    // Compares two strings the way this list does (case-insensitive here).
    virtual int CompareStrings(const String& S1, const String& S2) const;

protected:
    // Called with true by the first BeginUpdate and with false by the last EndUpdate.
    virtual void SetUpdateState(bool Updating);
    [[noreturn]] static void Error(const String& Message);
    [[noreturn]] static void IndexError(int Index);

private:
    // Replaces a line; in a sorted list the line is deleted and added again, to keep the order.
    void ReplaceLine(int Index, const String& S);
    String BuildDelimited(char Delim, char Quote, bool Strict) const;
    void ParseDelimited(const String& Value, char Delim, char Quote, bool Strict);

    int FUpdateCount = 0;
    char FDelimiter = ',';
    char FQuoteChar = '"';
    char FNameValueSeparator = '=';
    bool FStrictDelimiter = false;
    String FLineBreak = "\r\n";
};

class TStringList;
// Returns < 0, 0 or > 0 as the line at Index1 sorts before, with or after the line at Index2.
using TStringListSortCompare = std::function<int(TStringList* List, int Index1, int Index2)>;

class TStringList : public TStrings {
    KV_CLASS(TStringList, TStrings)
public:
    TStringList() = default;
    explicit TStringList(bool OwnsObjects) : FOwnsObjects(OwnsObjects) {}
    ~TStringList() override;

    int GetCount() const override { return static_cast<int>(FList.size()); }
    String Get(int Index) const override;
    void Put(int Index, const String& S) override;
    TObject* GetObject(int Index) const override;
    void PutObject(int Index, TObject* AObject) override;

    // In a sorted list Add finds the place by binary search and follows Duplicates; Insert, Put,
    // Exchange and Move raise EStringListError "Operation not allowed on sorted list".
    int Add(const String& S) override;
    int AddObject(const String& S, TObject* AObject) override;
    void Insert(int Index, const String& S) override;
    void InsertObject(int Index, const String& S, TObject* AObject) override;
    void Delete(int Index) override;
    void Clear() override;
    void Exchange(int Index1, int Index2) override;
    void Move(int CurIndex, int NewIndex) override;

    int IndexOf(const String& S) const override;
    // Binary search in a sorted list: true when found; Index is where S is or would be inserted.
    virtual bool Find(const String& S, int& Index) const;

    // Sorts an unsorted list by CompareStrings (a sorted list is in order already).
    virtual void Sort();
    // Sorts an unsorted list by Compare (a sorted list keeps its order).
    virtual void CustomSort(const TStringListSortCompare& Compare);

    bool Sorted() const { return FSorted; }
    void SetSorted(bool Value);
    TDuplicates Duplicates() const { return FDuplicates; }
    void SetDuplicates(TDuplicates Value) { FDuplicates = Value; }
    bool CaseSensitive() const { return FCaseSensitive; }
    void SetCaseSensitive(bool Value);
    // When set, the list frees the objects of deleted lines and of itself.
    bool OwnsObjects() const { return FOwnsObjects; }
    void SetOwnsObjects(bool Value) { FOwnsObjects = Value; }

    int CompareStrings(const String& S1, const String& S2) const override;

    TNotifyEvent OnChange;
    TNotifyEvent OnChanging;

protected:
    virtual void Changed();
    virtual void Changing();
    void SetUpdateState(bool Updating) override;

private:
    struct Item {
        String FString;
        TObject* FObject = nullptr;
    };
    void InsertItem(int Index, const String& S, TObject* AObject);
    void CheckIndex(int Index) const;
    void CheckNotSorted() const;

    std::vector<Item> FList;
    bool FSorted = false;
    bool FCaseSensitive = false;
    bool FOwnsObjects = false;
    TDuplicates FDuplicates = dupIgnore;
};

} // namespace vcl
