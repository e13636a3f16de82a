// Atomic replacement leaves nothing behind: the temporaries of writers that were killed are removed by
// the next write that succeeds, and nothing else is.

#include <gtest/gtest.h>

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <signal.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <set>

#include "platform/rtl/FileUtil.h"
#include "tests/rtl/RtlTestSupport.h"

using namespace vcl;

namespace {

class FileUtilTest : public rtltest::FolderTest {
protected:
    std::set<String> Names() const {
        std::set<String> names;
        for (const auto& e : std::filesystem::directory_iterator(dir_))
            names.insert(e.path().filename().string());
        return names;
    }
};

} // namespace

TEST_F(FileUtilTest, AKilledWriterLeavesNothingOnceTheNextWriteSucceeds) {
    const String file = Path("user.hive");
    const String big(8 << 20, 'x');
    for (int round = 0; round < 4; ++round) {
        pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (;;)
                WriteFileAtomic(file, big);
        }
        ::usleep(20000 + 7000 * round);
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
    }
    WriteFileAtomic(file, "done");
    EXPECT_EQ(ReadFileBytes(file), "done");
    EXPECT_EQ(Names(), std::set<String>{"user.hive"});
}

TEST_F(FileUtilTest, OnlyUnheldTemporariesOfOurOwnNamingAreRemoved) {
    const String file = Path("form.ini");
    const std::set<String> others = {"form.ini.backup",      "form.ini.tmp-abc",    "form.ini.tmp-abcdefg",
                                     "other.ini.tmp-Ab12Cd", "form.ini.tmp-Ab_2Cd", "form.ini.lock"};
    for (const String& name : others)
        WriteFileAtomic(Path(name), "keep");
    WriteFileAtomic(Path("form.ini.tmp-Dead01"), "left by a killed writer");
    // A living writer holds the lock on its temporary file.
    const String living = Path("form.ini.tmp-Alive1");
    WriteFileAtomic(living, "being written");
    int held = ::open(living.c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(held, 0);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);

    WriteFileAtomic(file, "new");
    std::set<String> expected = others;
    expected.insert("form.ini");
    expected.insert("form.ini.tmp-Alive1");
    EXPECT_EQ(Names(), expected);
    ::close(held);
    WriteFileAtomic(file, "newer");
    expected.erase("form.ini.tmp-Alive1");
    EXPECT_EQ(Names(), expected);
}

TEST_F(FileUtilTest, FileLocksExcludeEachOtherAcrossProcesses) {
    const String lockFile = Path("x.lock");
    TFileLock lock;
    ASSERT_EQ(lock.Acquire(lockFile, true), 0);
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // A second open file description of the same lock file cannot be locked meanwhile.
        int fd = ::open(lockFile.c_str(), O_RDWR | O_CLOEXEC);
        ::_exit(fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) != 0 ? 0 : 1);
    }
    int status = -1;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    TFileLock missingFolder;
    EXPECT_EQ(missingFolder.Acquire(Path("no/such/x.lock"), true), ENOENT);
}
