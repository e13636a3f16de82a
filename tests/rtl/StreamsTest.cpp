#include <gtest/gtest.h>

#include <cstring>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileUtil.h"
#include "platform/rtl/Resources.h"
#include "platform/rtl/Streams.h"
#include "tests/rtl/RtlTestSupport.h"

using namespace vcl;

namespace {

using rtltest::ErrorOf;

TEST(StreamTest, MemoryStreamReadWriteSeek) {
    TMemoryStream m;
    m.WriteBuffer("hello", 5);
    EXPECT_EQ(m.Size(), 5);
    EXPECT_EQ(m.Position(), 5);
    EXPECT_EQ(m.Seek(-2, soEnd), 3);
    char buf[8] = {};
    EXPECT_EQ(m.Read(buf, 8), 2); // short read at the end
    EXPECT_EQ(String(buf, 2), "lo");
    EXPECT_EQ(m.Read(buf, 8), 0);
    EXPECT_EQ(m.Seek(1, soBeginning), 1);
    EXPECT_EQ(m.Seek(2, soCurrent), 3);

    // Past the end: reading gives nothing; writing fills the gap with zeros.
    m.SetPosition(8);
    EXPECT_EQ(m.Read(buf, 1), 0);
    EXPECT_EQ(m.Size(), 5);
    m.WriteBuffer("!", 1);
    ASSERT_EQ(m.Size(), 9);
    EXPECT_EQ(std::memcmp(m.Memory(), "hello\0\0\0!", 9), 0);

    // Before the start: nothing moves.
    m.Seek(-20, soCurrent);
    EXPECT_EQ(m.Read(buf, 1), 0);
    EXPECT_EQ(m.Write("x", 1), 0);

    m.SetPosition(9);
    m.SetSize(2);
    EXPECT_EQ(m.Position(), 2); // a shrink pulls the position back to the end
    EXPECT_THROW(m.SetSize(-1), EStreamError);
    m.Clear();
    EXPECT_EQ(m.Size(), 0);
    EXPECT_EQ(m.Memory(), nullptr);
}

TEST(StreamTest, BufferErrorsAndCopyFrom) {
    TStringStream src("0123456789");
    char buf[16];
    src.SetPosition(8);
    EXPECT_EQ(ErrorOf<EReadError>([&] { src.ReadBuffer(buf, 3); }), "Stream read error");

    TMemoryStream dst;
    src.SetPosition(7);
    EXPECT_EQ(dst.CopyFrom(&src, 0), 10); // 0 copies the whole source from its start
    EXPECT_EQ(src.Position(), 10);
    src.SetPosition(2);
    EXPECT_EQ(dst.CopyFrom(&src, 3), 3);
    EXPECT_EQ(String(static_cast<const char*>(dst.Memory()), static_cast<size_t>(dst.Size())),
              "0123456789234");
    src.SetPosition(9);
    EXPECT_THROW(dst.CopyFrom(&src, 5), EReadError);

    TResourceStream res(nullptr, "greeting", RT_RCDATA);
    EXPECT_EQ(ErrorOf<EStreamError>([&] { res.WriteBuffer("x", 1); }),
              "Can't write to a read-only resource stream");
}

TEST(StreamTest, StringStreamAndMemoryStreamLoading) {
    TStringStream s(String("a\0b", 3));
    EXPECT_EQ(s.Size(), 3);
    EXPECT_EQ(s.Position(), 0);
    s.Seek(0, soEnd);
    s.WriteBuffer("cd", 2);
    EXPECT_EQ(s.DataString(), String("a\0bcd", 5));

    TMemoryStream m;
    m.WriteBuffer("old", 3);
    s.SetPosition(4);
    m.LoadFromStream(&s); // the whole source, whatever its position
    EXPECT_EQ(m.Size(), 5);
    EXPECT_EQ(m.Position(), 0);
    TStringStream copy;
    m.SaveToStream(&copy);
    EXPECT_EQ(copy.DataString(), s.DataString());

    TStringStream self("abc");
    self.Seek(0, soEnd);
    self.SaveToStream(&self); // onto its own end
    EXPECT_EQ(self.DataString(), "abcabc");
}

using FileStreamTest = rtltest::FolderTest;

TEST_F(FileStreamTest, ModesAndErrors) {
    String name = Path("data.bin");
    {
        TFileStream f(name, fmCreate);
        f.WriteBuffer("abcdef", 6);
        EXPECT_EQ(f.Size(), 6);
        f.SetSize(4);
        EXPECT_EQ(f.Position(), 4);
    }
    EXPECT_EQ(ReadFileBytes(name), "abcd");
    {
        TFileStream f(name, fmOpenReadWrite | fmShareDenyWrite);
        f.Seek(2, soBeginning);
        f.WriteBuffer("XY", 2);
        f.Seek(0, soBeginning);
        char buf[4];
        f.ReadBuffer(buf, 4);
        EXPECT_EQ(String(buf, 4), "abXY");
        EXPECT_THROW(f.ReadBuffer(buf, 1), EReadError);
    }
    {
        TFileStream f(name, fmOpenRead);
        EXPECT_THROW(f.WriteBuffer("z", 1), EWriteError);
        TMemoryStream m;
        m.CopyFrom(&f, 0);
        EXPECT_EQ(m.Size(), 4);
    }
    TMemoryStream m;
    m.LoadFromFile(name);
    m.SetPosition(m.Size());
    m.WriteBuffer("!", 1);
    String saved = Path("saved.bin");
    m.SaveToFile(saved);
    EXPECT_EQ(ReadFileBytes(saved), "abXY!");

    String missing = Path("missing.bin");
    EXPECT_EQ(ErrorOf<EFOpenError>([&] { TFileStream f(missing, fmOpenRead); }),
              "Cannot open file \"" + missing + "\". " + std::strerror(ENOENT));
    String bad = missing + "/x";
    String message = ErrorOf<EFCreateError>([&] { TFileStream f(bad, fmCreate); });
    EXPECT_EQ(message.rfind("Cannot create file \"" + bad + "\". ", 0), 0u) << message;
}

} // namespace
