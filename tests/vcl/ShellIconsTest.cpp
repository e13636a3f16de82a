// The desktop's file icons in place of the shell's system image lists: indexes by folder and file type,
// the two sizes, and icons drawn from the icon theme (the toolkit's default theme, without a display).

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "platform/vcl/Bitmap.h"
#include "platform/vcl/ShellIcons.h"

using namespace vcl;

namespace {

std::uint32_t At(TBitmap& B, int X, int Y) {
    return B.PixelData()[Y * B.Width() + X] & 0xFFFFFF;
}

// The pixels of icon Index drawn at (4, 4) on white, and whether anything was drawn outside its square.
struct TDrawn {
    bool Drawn = false;
    std::vector<std::uint32_t> Square;
    bool Outside = false;
};

TDrawn Draw(int Index, int Size) {
    TBitmap b(Size + 8, Size + 8);
    TDrawn d;
    d.Drawn = DrawSystemIcon(b.Canvas(), 4, 4, Index, Size);
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x) {
            const bool inside = x >= 4 && x < 4 + Size && y >= 4 && y < 4 + Size;
            if (inside)
                d.Square.push_back(At(b, x, y));
            else if (At(b, x, y) != 0xFFFFFF)
                d.Outside = true;
        }
    return d;
}

int Inked(const TDrawn& D) {
    int n = 0;
    for (std::uint32_t c : D.Square)
        n += c != 0xFFFFFF;
    return n;
}

} // namespace

TEST(SystemIcons, FoldersAndFileTypesHaveTheShellsIndexes) {
    const String folder = ::testing::TempDir();
    ASSERT_TRUE(std::filesystem::is_directory(folder));
    EXPECT_EQ(SystemIconIndex(folder), SystemIconFolder);
    EXPECT_EQ(SystemIconIndex("notes.txt"), SystemIconDocument);
    EXPECT_EQ(SystemIconIndex("file.of-no-known-kind-at-all"), SystemIconUnknownFile);
    EXPECT_EQ(SystemIconIndex(""), -1);
    // A bare extension names its file type, as a file of that type does, whether it exists or not.
    const int pdf = SystemIconIndex(".pdf");
    EXPECT_GT(pdf, SystemIconOpenFolder);
    EXPECT_EQ(SystemIconIndex("/no/such/folder/report.pdf"), pdf);
    EXPECT_NE(SystemIconIndex(".png"), pdf);
    // A folder that does not exist is only a name; one that exists is a folder whatever its name.
    EXPECT_EQ(SystemIconIndex("/no/such/folder"), SystemIconUnknownFile);
    const String dotted = folder + "/icons.pdf";
    std::filesystem::create_directory(dotted);
    EXPECT_EQ(SystemIconIndex(dotted), SystemIconFolder);
    std::filesystem::remove(dotted);
    // Nothing is read from the file named: a pipe nobody writes to does not block.
    const String pipe = folder + "/shell-icon-pipe.txt";
    ::unlink(pipe.c_str());
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_EQ(SystemIconIndex(pipe), SystemIconDocument);
    ::unlink(pipe.c_str());
}

TEST(SystemIcons, IconsAreTheThemesInBothSizesAndNothingElseIsDrawn) {
    EXPECT_EQ(SystemIconSize(false), 16);
    EXPECT_EQ(SystemIconSize(true), 32);
    for (int size : {16, 32}) {
        SCOPED_TRACE(size);
        const TDrawn folder = Draw(SystemIconFolder, size);
        ASSERT_TRUE(folder.Drawn);
        EXPECT_FALSE(folder.Outside);
        // An icon fills a good part of its square, and leaves some of it to what lies under it.
        EXPECT_GT(Inked(folder), size * size / 4);
        EXPECT_LT(Inked(folder), size * size);
        // Each type has its own picture.
        const TDrawn document = Draw(SystemIconDocument, size);
        ASSERT_TRUE(document.Drawn);
        EXPECT_NE(folder.Square, document.Square);
        EXPECT_TRUE(DrawSystemIcon(nullptr, 0, 0, SystemIconFolder, size));
    }
    // No such index, or no size: nothing.
    for (int index : {-1, 100000}) {
        const TDrawn none = Draw(index, 16);
        EXPECT_FALSE(none.Drawn);
        EXPECT_EQ(Inked(none), 0);
        EXPECT_FALSE(none.Outside);
    }
    TBitmap b(8, 8);
    EXPECT_FALSE(DrawSystemIcon(b.Canvas(), 0, 0, SystemIconFolder, 0));
}
