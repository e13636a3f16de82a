#include <gtest/gtest.h>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/List.h"
#include "tests/rtl/RtlTestSupport.h"

using namespace vcl;

namespace {

int values[6] = {0, 1, 2, 3, 4, 5};
void* P(int i) {
    return &values[i];
}
int V(void* p) {
    return *static_cast<int*>(p);
}

std::vector<int> Contents(const TList& l) {
    std::vector<int> r;
    for (void* p : l)
        r.push_back(p ? V(p) : -1);
    return r;
}

TEST(ListTest, AddInsertDeleteMoveExchange) {
    TList l;
    EXPECT_EQ(l.Add(P(1)), 0);
    EXPECT_EQ(l.Add(P(3)), 1);
    l.Insert(1, P(2));
    l.Insert(0, P(0));
    l.Insert(4, P(4)); // at Count: appends
    EXPECT_EQ(Contents(l), (std::vector<int>{0, 1, 2, 3, 4}));
    l.Move(0, 4);
    EXPECT_EQ(Contents(l), (std::vector<int>{1, 2, 3, 4, 0}));
    l.Move(4, 0);
    l.Exchange(1, 3);
    EXPECT_EQ(Contents(l), (std::vector<int>{0, 3, 2, 1, 4}));
    l.Delete(0);
    EXPECT_EQ(V(l.First()), 3);
    EXPECT_EQ(V(l.Last()), 4);
    EXPECT_EQ(l.Remove(P(2)), 1);
    EXPECT_EQ(l.Remove(P(5)), -1);
    EXPECT_EQ(l.Extract(P(1)), P(1));
    EXPECT_EQ(l.Extract(P(1)), nullptr);
    EXPECT_EQ(Contents(l), (std::vector<int>{3, 4}));
    l.Put(0, P(5));
    EXPECT_EQ(V(l[0]), 5);
    l.Clear();
    EXPECT_EQ(l.Count(), 0);
}

TEST(ListTest, IndexErrorsNameTheIndexAndChangeNothing) {
    TList l;
    l.Add(P(0));
    auto message = [](auto f) { return rtltest::ErrorOf<EListError>(f); };
    EXPECT_EQ(message([&] { l.Get(1); }), "List index out of bounds (1)");
    EXPECT_EQ(message([&] { l.Delete(-1); }), "List index out of bounds (-1)");
    EXPECT_EQ(message([&] { l.Insert(2, P(1)); }), "List index out of bounds (2)");
    EXPECT_EQ(message([&] { l.Move(0, 1); }), "List index out of bounds (1)");
    EXPECT_EQ(message([&] { l.Exchange(0, 3); }), "List index out of bounds (3)");
    EXPECT_EQ(message([&] { l.SetCapacity(0); }), "List capacity out of bounds (0)");
    EXPECT_EQ(Contents(l), (std::vector<int>{0}));
    TList empty;
    EXPECT_EQ(message([&] { empty.First(); }), "List index out of bounds (0)");
    EXPECT_EQ(message([&] { empty.Last(); }), "List index out of bounds (-1)");
}

TEST(ListTest, PackSortCountAndCapacity) {
    TList l;
    l.Add(P(3));
    l.Add(nullptr);
    l.Add(P(1));
    l.Add(nullptr);
    l.Add(P(2));
    l.Pack();
    EXPECT_EQ(Contents(l), (std::vector<int>{3, 1, 2}));
    l.Sort([](void* a, void* b) { return V(a) - V(b); });
    EXPECT_EQ(Contents(l), (std::vector<int>{1, 2, 3}));
    l.SetCount(5);
    EXPECT_EQ(Contents(l), (std::vector<int>{1, 2, 3, -1, -1}));
    l.SetCount(2);
    EXPECT_EQ(Contents(l), (std::vector<int>{1, 2}));
    l.SetCapacity(100);
    EXPECT_GE(l.Capacity(), 100);
    EXPECT_EQ(Contents(l), (std::vector<int>{1, 2}));
}

} // namespace
