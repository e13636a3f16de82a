#include "platform/rtl/List.h"

#include <algorithm>

#include "platform/rtl/Exceptions.h"

namespace vcl {

namespace {
[[noreturn]] void ListError(const char* what, int value) {
    throw EListError(String(what) + " (" + std::to_string(value) + ")");
}
} // namespace

void TList::CheckIndex(int Index) const {
    if (Index < 0 || Index >= Count()) ListError("List index out of bounds", Index);
}

int TList::Add(void* Item) {
    FList.push_back(Item);
    return Count() - 1;
}

void TList::Insert(int Index, void* Item) {
    if (Index < 0 || Index > Count()) ListError("List index out of bounds", Index);
    FList.insert(FList.begin() + Index, Item);
}

void TList::Delete(int Index) {
    CheckIndex(Index);
    FList.erase(FList.begin() + Index);
}

int TList::Remove(void* Item) {
    int i = IndexOf(Item);
    if (i >= 0) Delete(i);
    return i;
}

void* TList::Extract(void* Item) {
    int i = IndexOf(Item);
    if (i < 0) return nullptr;
    Delete(i);
    return Item;
}

int TList::IndexOf(void* Item) const {
    auto it = std::find(FList.begin(), FList.end(), Item);
    return it == FList.end() ? -1 : static_cast<int>(it - FList.begin());
}

void TList::Exchange(int Index1, int Index2) {
    CheckIndex(Index1);
    CheckIndex(Index2);
    std::swap(FList[static_cast<size_t>(Index1)], FList[static_cast<size_t>(Index2)]);
}

void TList::Move(int CurIndex, int NewIndex) {
    if (CurIndex == NewIndex) return;
    CheckIndex(CurIndex);
    CheckIndex(NewIndex);
    void* item = FList[static_cast<size_t>(CurIndex)];
    FList.erase(FList.begin() + CurIndex);
    FList.insert(FList.begin() + NewIndex, item);
}

void TList::Clear() {
    FList.clear();
    FList.shrink_to_fit();
}

void TList::Pack() {
    FList.erase(std::remove(FList.begin(), FList.end(), nullptr), FList.end());
}

void TList::Sort(const TListSortCompare& Compare) {
    std::stable_sort(FList.begin(), FList.end(), [&Compare](void* a, void* b) { return Compare(a, b) < 0; });
}

void* TList::First() const {
    return Get(0);
}
void* TList::Last() const {
    return Get(Count() - 1);
}

void TList::SetCount(int NewCount) {
    if (NewCount < 0) ListError("List count out of bounds", NewCount);
    FList.resize(static_cast<size_t>(NewCount), nullptr);
}

void TList::SetCapacity(int NewCapacity) {
    if (NewCapacity < Count()) ListError("List capacity out of bounds", NewCapacity);
    if (static_cast<size_t>(NewCapacity) > FList.capacity()) {
        FList.reserve(static_cast<size_t>(NewCapacity));
    } else {
        std::vector<void*> copy;
        copy.reserve(static_cast<size_t>(NewCapacity));
        copy.assign(FList.begin(), FList.end());
        FList.swap(copy);
    }
}

void* TList::Get(int Index) const {
    CheckIndex(Index);
    return FList[static_cast<size_t>(Index)];
}

void TList::Put(int Index, void* Item) {
    CheckIndex(Index);
    FList[static_cast<size_t>(Index)] = Item;
}

} // namespace vcl
