#pragma once
// Shared by the rtl tests: the message of an expected exception, a fresh folder per test, and writers
// running in several processes at once.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
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

} // namespace rtltest
