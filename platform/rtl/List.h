#pragma once
// TList: an ordered list of untyped pointers. It never owns what its items point at.
// Index errors raise EListError "List index out of bounds (<i>)".

#include <functional>
#include <vector>

#include "platform/rtl/Object.h"

namespace vcl {

// Returns < 0, 0 or > 0 as Item1 sorts before, with or after Item2.
using TListSortCompare = std::function<int(void* Item1, void* Item2)>;

class TList : public TObject {
    KV_CLASS(TList, TObject)
public:
    TList() = default;
    ~TList() override = default;

    int Add(void* Item);
    void Insert(int Index, void* Item);
    void Delete(int Index);
    // Removes the first occurrence of Item; returns its former index or -1.
    int Remove(void* Item);
    // Removes the first occurrence of Item and returns it, or nullptr when absent.
    void* Extract(void* Item);
    int IndexOf(void* Item) const;
    void Exchange(int Index1, int Index2);
    void Move(int CurIndex, int NewIndex);
    void Clear();
    // Removes the nullptr items.
    void Pack();
    // A stable sort by Compare.
    void Sort(const TListSortCompare& Compare);

    void* First() const;
    void* Last() const;

    int Count() const { return static_cast<int>(FList.size()); }
    // A larger count adds nullptr items; a smaller one drops items from the end.
    void SetCount(int NewCount);
    int Capacity() const { return static_cast<int>(FList.capacity()); }
    // Raises EListError "List capacity out of bounds (<n>)" when below Count.
    void SetCapacity(int NewCapacity);

    void* Get(int Index) const;
    void Put(int Index, void* Item);
    void* Items(int Index) const { return Get(Index); }
    void SetItems(int Index, void* Item) { Put(Index, Item); }
    void* operator[](int Index) const { return Get(Index); }

    // The items, for iteration.
    const std::vector<void*>& List() const { return FList; }
    auto begin() const { return FList.begin(); }
    auto end() const { return FList.end(); }

private:
    void CheckIndex(int Index) const;
    std::vector<void*> FList;
};

} // namespace vcl
