#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileUtil.h"
#include "platform/rtl/Resources.h"
#include "platform/rtl/Streams.h"
#include "tests/rtl/RtlTestSupport.h"

using namespace vcl;

namespace {

String SourceFile(const String& relative) {
    const char* root = std::getenv("KALVENOR_SOURCE_DIR");
    return String(root ? root : "/work/main") + "/tests/rtl/resources/" + relative;
}

TEST(ResourcesTest, EmbeddedFilesByFolderAndName) {
    // Byte for byte, with names found in any case.
    EXPECT_EQ(LoadResourceBytes("GREETING", RT_RCDATA), ReadFileBytes(SourceFile("rcdata/Greeting.txt")));
    EXPECT_EQ(LoadResourceBytes("greeting", RT_RCDATA), "Hello, resources!\n");
    EXPECT_EQ(LoadResourceBytes("Dot", RT_BITMAP), ReadFileBytes(SourceFile("bitmaps/glyphs/Dot.bmp")));
    EXPECT_EQ(LoadResourceBytes("TTestForm", RT_RCDATA), ReadFileBytes(SourceFile("forms/TTestForm.dfm")));
    // A file named by digits is a numeric identifier.
    EXPECT_EQ(LoadResourceBytes("1", RT_VERSION), "1.0.0.0\n");
    EXPECT_EQ(LoadResourceBytes("#01", RT_VERSION), "1.0.0.0\n");
    EXPECT_EQ(FindResource("1", RT_VERSION)->Name, "#1");
    EXPECT_EQ(TResourceStream(nullptr, 1, RT_VERSION).Size(), 8);
    EXPECT_EQ(rtltest::ErrorOf<EResNotFound>([] { TResourceStream(nullptr, 7, RT_RCDATA); }),
              "Resource 7 not found");
    EXPECT_EQ(LoadResourceBytes("blob", "custom"), String("\x00\x01\xFF\xFE", 4));
    EXPECT_TRUE(ResourceExists("EMPTY", RT_RCDATA));
    EXPECT_EQ(LoadResourceBytes("EMPTY", RT_RCDATA), "");
    EXPECT_EQ(LoadResourceBytes("Greeting", "#10"), "Hello, resources!\n");

    // The type is part of the key.
    EXPECT_FALSE(ResourceExists("GREETING", RT_BITMAP));
    EXPECT_FALSE(ResourceExists("DOT", RT_RCDATA));
    EXPECT_EQ(rtltest::ErrorOf<EResNotFound>([] { LoadResourceBytes("NoSuchThing", RT_RCDATA); }),
              "Resource NoSuchThing not found");
    EXPECT_THROW(TResourceStream(nullptr, "MENUTEXTURE", RT_BITMAP), EResNotFound);
}

TEST(ResourcesTest, EnumerationAndRegistration) {
    std::vector<String> bitmaps;
    for (const TResourceEntry* e : EnumResources(RT_BITMAP))
        bitmaps.push_back(e->Name);
    EXPECT_NE(std::find(bitmaps.begin(), bitmaps.end(), "DOT"), bitmaps.end());
    for (const TResourceEntry* e : EnumResources(RT_RCDATA))
        EXPECT_EQ(e->Type, TResType(RT_RCDATA));

    const char first[] = "one";
    RegisterResource("RuntimeData", RT_RCDATA, first, 3);
    const TResourceEntry* entry = FindResource("RUNTIMEDATA", RT_RCDATA);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->Name, "RUNTIMEDATA");
    RegisterResource("runtimedata", 10, "two!", 4); // same name and type: replaces
    EXPECT_EQ(FindResource("RuntimeData", RT_RCDATA), entry);
    EXPECT_EQ(entry->Data, "two!");

    TResourceStream s(nullptr, "runtimeDATA", RT_RCDATA);
    char buf[4];
    s.ReadBuffer(buf, 4);
    EXPECT_EQ(String(buf, 4), "two!");
}

TEST(ResourcesTest, CopiedBytesOutliveTheCallersAndStaticBytesAreUsedInPlace) {
    char scratch[] = "abc";
    RegisterResource("CopiedData", RT_RCDATA, scratch, 3);
    scratch[0] = 'X'; // the caller's buffer changes (or goes): the resource keeps what it was given
    EXPECT_EQ(LoadResourceBytes("CopiedData", RT_RCDATA), "abc");

    static const char kept[] = "compiled in";
    RegisterStaticResource("StaticData", RT_RCDATA, kept, sizeof kept - 1);
    EXPECT_EQ(FindResource("StaticData", RT_RCDATA)->Data.data(), kept);
    EXPECT_EQ(LoadResourceBytes("staticdata", RT_RCDATA), "compiled in");
    // A copy registered under the same name and type replaces it, and owns its bytes.
    RegisterResource("StaticData", RT_RCDATA, scratch, 3);
    EXPECT_EQ(LoadResourceBytes("StaticData", RT_RCDATA), "Xbc");
    EXPECT_NE(FindResource("StaticData", RT_RCDATA)->Data.data(), scratch);
}

} // namespace
