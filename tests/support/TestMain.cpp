// The test programs' entry: runs every test and checks that each one leaves no object alive and gives back
// the window system's state it took (windows, timers, hooks, the mouse capture, device contexts,
// subclassings).

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/rtl/Object.h"

// The window system's account of its live state. Programs without the window system do not link it: the
// weak declarations are null there.
namespace win::detail {
[[gnu::weak]] std::vector<std::string> LiveState();
[[gnu::weak]] std::vector<std::string> TakeWiped();
} // namespace win::detail

namespace {

std::vector<std::string> WindowState() {
    if (!win::detail::LiveState) return {};
    std::vector<std::string> v = win::detail::LiveState();
    std::sort(v.begin(), v.end());
    return v;
}

class LiveObjectCheck : public testing::EmptyTestEventListener {
public:
    void OnTestStart(const testing::TestInfo&) override {
        before_ = vcl::TObject::LiveObjects();
        if (win::detail::TakeWiped) win::detail::TakeWiped();
        stateBefore_ = WindowState();
    }
    void OnTestEnd(const testing::TestInfo& info) override {
        long after = vcl::TObject::LiveObjects();
        if (after != before_) {
            ADD_FAILURE() << info.test_suite_name() << "." << info.name() << " left " << (after - before_)
                          << " object(s) alive";
        }
        // What a fixture's reset wiped counts as left behind, as does what is still alive, unless it was
        // there when the test started.
        std::vector<std::string> left =
            win::detail::TakeWiped ? win::detail::TakeWiped() : std::vector<std::string>{};
        for (std::string& s : WindowState())
            left.push_back(std::move(s));
        std::sort(left.begin(), left.end());
        left.erase(std::unique(left.begin(), left.end()), left.end());
        std::string report;
        for (const std::string& s : left)
            if (!std::binary_search(stateBefore_.begin(), stateBefore_.end(), s)) report += "\n  " + s;
        if (!report.empty())
            ADD_FAILURE() << info.test_suite_name() << "." << info.name() << " left behind:" << report;
    }

private:
    long before_ = 0;
    std::vector<std::string> stateBefore_;
};

} // namespace

int main(int argc, char** argv) {
    // The tests' pictures and geometry were written against DejaVu's metrics: the font alias table maps
    // every family to DejaVu here (the program itself uses the metric-compatible faces). A test program
    // started with KALVENOR_FONTS set keeps that choice.
    setenv("KALVENOR_FONTS", "dejavu", 0);
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
