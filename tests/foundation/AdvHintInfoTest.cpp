// The rich hint record: copying and independence of the copy.

#include <gtest/gtest.h>

#include "components/foundation/AdvHintInfo.h"
#include "platform/rtl/Streams.h"
#include "tests/foundation/AdvGDIPTestSupport.h"

namespace {

using AdvHintInfo::TAdvHintInfo;

TEST(AdvHintInfo, AssignCopiesEverythingLeavesTheRecordsIndependentAndIgnoresOtherSources) {
    TAdvHintInfo src, dst;
    src.SetTitle("Inbox");
    src.Notes()->Add("line one");
    src.Notes()->Add("line two");
    src.SetShowHelp(true);
    src.SetWideTitle("W");
    src.SetWideNotes("N");
    const auto png = AdvGDIPTest::QuadrantPng();
    vcl::TMemoryStream ms;
    ms.WriteBuffer(png.data(), static_cast<vcl::Int64>(png.size()));
    ms.SetPosition(0);
    src.Picture()->LoadFromStream(&ms);

    dst.Assign(&src);
    EXPECT_EQ(dst.Title(), "Inbox");
    EXPECT_EQ(dst.Notes()->Count(), 2);
    EXPECT_EQ(dst.Notes()->Strings(1), "line two");
    EXPECT_TRUE(dst.ShowHelp());
    EXPECT_EQ(dst.WideTitle(), "W");
    EXPECT_EQ(dst.WideNotes(), "N");
    EXPECT_FALSE(dst.Picture()->Empty());
    EXPECT_EQ(dst.Picture()->Width(), 4);

    dst.Notes()->Add("three");
    dst.SetTitle("Other");
    EXPECT_EQ(src.Notes()->Count(), 2);
    EXPECT_EQ(src.Title(), "Inbox");
    EXPECT_NE(dst.Picture(), src.Picture());
    // Other sources are ignored without error.
    TAdvHintInfo hint;
    hint.SetTitle("kept");
    vcl::TStringList other;
    other.Add("x");
    EXPECT_NO_THROW(hint.Assign(&other));
    EXPECT_NO_THROW(hint.Assign(nullptr));
    EXPECT_EQ(hint.Title(), "kept");
    EXPECT_EQ(hint.Notes()->Count(), 0);
    // The setters copy into the owned objects.
    vcl::TStringList lines;
    lines.Add("a");
    hint.SetNotes(&lines);
    lines.Add("b");
    EXPECT_EQ(hint.Notes()->Count(), 1);
    GDIPicture::TGDIPPicture pic;
    hint.SetPicture(&pic);
    EXPECT_TRUE(hint.Picture()->Empty());
}

} // namespace
