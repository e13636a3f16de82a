#pragma once
// Shared by the rtl tests: the message of an expected exception, a fresh folder per test, and writers
// running in several processes at once.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/SysInfo.h"

namespace rtltest {

using vcl::String;

// The message of the exception of class E that Action raises; "(no exception)" when it raises none.
template <class E = vcl::Exception, class F> String ErrorOf(F&& Action) {
    try {
        Action();
    } catch (const E& e) {
        return e.Message;
    }
    return "(no exception)";
}

// A fresh folder for each test, removed with everything in it; the system's overrides are reset after.
class FolderTest : public testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/kv-rtl-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        dir_ = pattern;
    }
    void TearDown() override {
        vcl::SysInfo().Reset();
        std::filesystem::remove_all(dir_);
    }
    String Path(const String& Name) const { return dir_ + "/" + Name; }

    String dir_;
};

// Runs Body(0) to Body(Count - 1) in as many child processes at once; each must end without an exception.
inline void ExpectChildrenSucceed(int Count, const std::function<void(int)>& Body) {
    std::vector<pid_t> children;
    for (int i = 0; i < Count; ++i) {
        pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            int status = 0;
            try {
                Body(i);
            } catch (...) {
                status = 1;
            }
            ::_exit(status);
        }
        children.push_back(pid);
    }
    for (pid_t child : children) {
        int status = -1;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
}

// Runs Action, which reads the FIFO at Fifo. Should it still be waiting there after a few seconds, a
// writer opens the FIFO and closes it again, so that the reader sees its end and the test goes on. True
// when Action returned without that writer.
inline bool ReturnsWithoutAWriter(const String& Fifo, const std::function<void()>& Action) {
    std::mutex m;
    std::condition_variable cv;
    bool done = false, unblocked = false;
    std::thread watchdog([&] {
        std::unique_lock lock(m);
        if (cv.wait_for(lock, std::chrono::seconds(5), [&] { return done; })) return;
        unblocked = true;
        while (!cv.wait_for(lock, std::chrono::milliseconds(50), [&] { return done; })) {
            int fd = ::open(Fifo.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
            if (fd >= 0) ::close(fd);
        }
    });
    Action();
    {
        std::lock_guard lock(m);
        done = true;
    }
    cv.notify_all();
    watchdog.join();
    return !unblocked;
}

} // namespace rtltest
