// The test programs' entry: runs every test and checks that each one leaves no object alive.

#include <gtest/gtest.h>

#include "platform/rtl/Object.h"

namespace {

class LiveObjectCheck : public testing::EmptyTestEventListener {
public:
    void OnTestStart(const testing::TestInfo&) override { before_ = vcl::TObject::LiveObjects(); }
    void OnTestEnd(const testing::TestInfo& info) override {
        long after = vcl::TObject::LiveObjects();
        if (after != before_) {
            ADD_FAILURE() << info.test_suite_name() << "." << info.name() << " left " << (after - before_)
                          << " object(s) alive";
        }
    }

private:
    long before_ = 0;
};

} // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    testing::UnitTest::GetInstance()->listeners().Append(new LiveObjectCheck);
    return RUN_ALL_TESTS();
}

// Fontconfig keeps its configuration and caches for the life of the process; the leak checker reports
// them at exit. They are not leaks of ours, and fontconfig never calls back into our code, so nothing of
// ours can hide behind this suppression. (Defined here, beside main, so that every test program has it.)
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n"
           "leak:libexpat.so\n";
}
