#include <gtest/gtest.h>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Object.h"
#include "tests/rtl/RtlTestSupport.h"

using namespace vcl;

namespace {

class TShape : public TPersistent {
    KV_CLASS(TShape, TPersistent)
public:
    int Size = 0;
    void Assign(TPersistent* Source) override {
        if (auto* s = dynamic_cast<TShape*>(Source)) {
            Size = s->Size;
            return;
        }
        TPersistent::Assign(Source);
    }
};

class TCircle : public TShape {
    KV_CLASS(TCircle, TShape)
};

class TOther : public TPersistent {
    KV_CLASS(TOther, TPersistent)
};

} // namespace

TEST(ObjectModel, ClassNamesAndInheritance) {
    TCircle c;
    EXPECT_EQ(c.ClassName(), "TCircle");
    EXPECT_TRUE(c.InheritsFrom(TShape::StaticClassType()));
    EXPECT_TRUE(c.InheritsFrom(TObject::StaticClassType()));
    EXPECT_FALSE(c.InheritsFrom(TOther::StaticClassType()));
}

TEST(ObjectModel, AssignCopiesAndRejectsUnrelatedSources) {
    TShape a, b;
    b.Size = 7;
    a.Assign(&b);
    EXPECT_EQ(a.Size, 7);

    TOther o;
    EXPECT_EQ(rtltest::ErrorOf<EConvertError>([&] { a.Assign(&o); }), "Cannot assign a TOther to a TShape");
    EXPECT_EQ(rtltest::ErrorOf<EConvertError>([&] { a.Assign(nullptr); }), "Cannot assign a nil to a TShape");
}

TEST(Rounding, HalvesGoToEven) {
    EXPECT_EQ(Round(0.5), 0);
    EXPECT_EQ(Round(1.5), 2);
    EXPECT_EQ(Round(2.5), 2);
    EXPECT_EQ(Round(-0.5), 0);
    EXPECT_EQ(Round(-1.5), -2);
    EXPECT_EQ(Round(2.4999), 2);
}
