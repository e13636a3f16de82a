// Rectangles whose corners lie near the ends of the int range.

#include <gtest/gtest.h>

#include <climits>

#include "platform/rtl/Types.h"

using namespace vcl;

TEST(TypesRect, ExtentsAndBoundsSaturateInsteadOfWrapping) {
    const TRect all{INT_MIN, INT_MIN, INT_MAX, INT_MAX};
    EXPECT_EQ(all.Width(), INT_MAX);
    EXPECT_EQ(all.Height(), INT_MAX);
    EXPECT_FALSE(all.IsEmpty());
    const TRect reversed{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    EXPECT_EQ(reversed.Width(), INT_MIN);
    EXPECT_TRUE(reversed.IsEmpty());
    EXPECT_EQ(Rect(-3, 4, 7, 9).Width(), 10);
    EXPECT_EQ(Rect(-3, 4, 7, 9).Height(), 5);
    // Bounds stop at the end of the range.
    EXPECT_EQ(Bounds(INT_MAX - 5, INT_MIN + 5, 100, -100),
              (TRect{INT_MAX - 5, INT_MIN + 5, INT_MAX, INT_MIN}));
    EXPECT_EQ(Bounds(1, 2, 3, 4), (TRect{1, 2, 4, 6}));
}
