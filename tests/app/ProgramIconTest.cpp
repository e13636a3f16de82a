// The program's icon on the desktop: compiled in, in the sizes a task bar asks for, the icon of every
// form without one of its own, and drawn in the caption's icon area.

#include <algorithm>
#include <set>

#include "tests/app/AppTestSupport.h"

namespace {

using namespace apptest;

using ProgramIconTest = AppTest;

TEST_F(ProgramIconTest, TheTaskBarSizesAreThereAndNoneIsBlank) {
    const auto& icon = ui.Screen().ProgramIcon();
    for (int size : {16, 32, 48}) {
        auto it = std::find_if(icon.begin(), icon.end(), [&](const auto& i) { return i.Width == size; });
        ASSERT_NE(it, icon.end()) << "no " << size << " by " << size << " image";
        EXPECT_EQ(it->Height, size);
        std::set<std::uint32_t> colours(it->Pixels.begin(), it->Pixels.end());
        EXPECT_GT(colours.size(), 3u) << size << " by " << size << " is no picture";
        EXPECT_EQ(it->Pixels[static_cast<std::size_t>(size / 2 * size + size / 2)] >> 24, 0xFFu)
            << "the middle is opaque";
    }
}

TEST_F(ProgramIconTest, FormsShowTheProgramsIconInTheirCaptionAndTaskBarButton) {
    SignIn();
    win::HWND h = main->Handle();
    EXPECT_EQ(ui.Screen().WindowTitle(h), "Kalvenor");
    EXPECT_TRUE(ui.Screen().WindowIcon(h).empty()) << "none of its own: the task bar shows the program's";
    // The caption's icon area holds the 16-pixel image: somewhere left of the caption text, the colour of
    // the image's middle row.
    const auto& icon = ui.Screen().ProgramIcon();
    auto small = std::find_if(icon.begin(), icon.end(), [](const auto& i) { return i.Width == 16; });
    ASSERT_NE(small, icon.end());
    std::uint32_t argb = small->Pixels[8 * 16 + 1];
    win::COLORREF expected = win::RGB((argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF);
    win::POINT client{0, 0};
    win::ClientToScreen(h, &client);
    win::RECT wr;
    win::GetWindowRect(h, &wr);
    bool found = false;
    for (int y = 0; y < client.Y - wr.Top && !found; ++y)
        for (int x = 0; x < 24 && !found; ++x)
            found = ui.Screen().WindowPixel(h, x, y) == expected;
    EXPECT_TRUE(found) << std::hex << "0x" << expected;
}

} // namespace
