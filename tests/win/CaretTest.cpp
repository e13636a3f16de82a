// The caret: shown and hidden (hiding counts), blinking at the caret blink time on the virtual clock, shown
// at once where SetCaretPos puts it, kept whole through its owner's painting, gone with its owner; and what
// the display hears of it for text input.

#include "tests/win/WindowTestSupport.h"

namespace wintest {
namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

class CaretTest : public WinTest {
protected:
    void SetUp() override {
        WinTest::SetUp();
        top = Top(100, 100, 200, 150, WS_POPUP | WS_VISIBLE);
        child = Child(top, 20, 30, 120, 40);
        Pump();
    }
    // A pixel of the child's client area, as the window's image holds it.
    COLORREF At(int x, int y) {
        Pump();
        return screen->WindowPixel(top, 20 + x, 30 + y);
    }
    void Advance(std::uint32_t ms) {
        screen->Advance(ms);
        Pump();
    }
    HWND top = nullptr;
    HWND child = nullptr;
};

TEST_F(CaretTest, ANewCaretIsHiddenUntilShownAndHidingCounts) {
    ASSERT_TRUE(CreateCaret(child, nullptr, 2, 12));
    ASSERT_TRUE(SetCaretPos(10, 5));
    EXPECT_EQ(At(10, 5), kWhite) << "hidden until ShowCaret";
    // Only the owner (or null: the owner) shows or hides it.
    EXPECT_FALSE(ShowCaret(top));
    ASSERT_TRUE(ShowCaret(nullptr));
    // The caret inverts its rectangle: 2 by 12 at (10, 5), nothing beside it.
    EXPECT_EQ(At(10, 5), kBlack);
    EXPECT_EQ(At(11, 16), kBlack);
    EXPECT_EQ(At(12, 5), kWhite);
    EXPECT_EQ(At(10, 17), kWhite);
    EXPECT_EQ(At(9, 5), kWhite);

    ASSERT_TRUE(HideCaret(child));
    ASSERT_TRUE(HideCaret(child));
    EXPECT_EQ(At(10, 5), kWhite);
    ASSERT_TRUE(ShowCaret(child));
    EXPECT_EQ(At(10, 5), kWhite) << "hidden twice: one ShowCaret is not enough";
    ASSERT_TRUE(ShowCaret(child));
    EXPECT_EQ(At(10, 5), kBlack);
    EXPECT_FALSE(ShowCaret(child)) << "shown already";

    POINT p{};
    ASSERT_TRUE(GetCaretPos(&p));
    EXPECT_EQ(p, (POINT{10, 5}));
    ASSERT_TRUE(DestroyCaret());
    EXPECT_EQ(At(10, 5), kWhite) << "destroying erases it";
    EXPECT_FALSE(DestroyCaret());
    EXPECT_FALSE(SetCaretPos(1, 1));
}

TEST_F(CaretTest, BlinksAtTheBlinkTimeAndShowsAtOnceWhereItIsPut) {
    EXPECT_EQ(GetCaretBlinkTime(), 530u);
    ASSERT_TRUE(CreateCaret(child, nullptr, 1, 10));
    ASSERT_TRUE(SetCaretPos(4, 4));
    ASSERT_TRUE(ShowCaret(child));
    EXPECT_EQ(At(4, 4), kBlack);
    Advance(529);
    EXPECT_EQ(At(4, 4), kBlack) << "on for 530 ms";
    Advance(1);
    EXPECT_EQ(At(4, 4), kWhite) << "then off";
    Advance(530);
    EXPECT_EQ(At(4, 4), kBlack) << "then on again";
    Advance(530);
    ASSERT_EQ(At(4, 4), kWhite);

    // Moved in the off phase: on at once at the new place, none left at the old, and a full on phase
    // from there.
    Advance(200);
    ASSERT_TRUE(SetCaretPos(30, 4));
    EXPECT_EQ(At(30, 4), kBlack);
    EXPECT_EQ(At(4, 4), kWhite);
    Advance(529);
    EXPECT_EQ(At(30, 4), kBlack);
    Advance(1);
    EXPECT_EQ(At(30, 4), kWhite);

    // Another blink time takes effect at once; INFINITE keeps the caret on.
    ASSERT_TRUE(SetCaretBlinkTime(100));
    EXPECT_EQ(At(30, 4), kBlack);
    Advance(100);
    EXPECT_EQ(At(30, 4), kWhite);
    ASSERT_TRUE(SetCaretBlinkTime(INFINITE));
    Advance(5000);
    EXPECT_EQ(At(30, 4), kBlack);
    EXPECT_FALSE(SetCaretBlinkTime(0));
    ASSERT_TRUE(SetCaretBlinkTime(530));
    ASSERT_TRUE(DestroyCaret());
    EXPECT_EQ(At(30, 4), kWhite);
}

TEST_F(CaretTest, TheOwnersPaintingNeitherWipesNorDoublesTheCaret) {
    ASSERT_TRUE(CreateCaret(child, nullptr, 2, 10));
    ASSERT_TRUE(SetCaretPos(8, 3));
    ASSERT_TRUE(ShowCaret(child));
    ASSERT_EQ(At(8, 3), kBlack);
    // The owner repaints over the caret: it is there after the painting, once.
    InvalidateRect(child, nullptr, TRUE);
    UpdateWindow(child);
    EXPECT_EQ(At(8, 3), kBlack);
    Advance(530);
    EXPECT_EQ(At(8, 3), kWhite) << "the off phase leaves the repainted background";
    // Painting in the off phase does not bring it up.
    InvalidateRect(child, nullptr, TRUE);
    UpdateWindow(child);
    EXPECT_EQ(At(8, 3), kWhite);
    Advance(530);
    EXPECT_EQ(At(8, 3), kBlack);
    // A grey caret inverts with grey.
    ASSERT_TRUE(CreateCaret(child, reinterpret_cast<HBITMAP>(std::intptr_t{1}), 2, 10));
    ASSERT_TRUE(SetCaretPos(40, 3));
    ASSERT_TRUE(ShowCaret(child));
    EXPECT_EQ(At(8, 3), kWhite) << "the old caret went with the new one";
    EXPECT_EQ(At(40, 3), RGB(0x7F, 0x7F, 0x7F));
    ASSERT_TRUE(DestroyCaret());
}

TEST_F(CaretTest, TheCaretGoesWithItsOwnerAndItsTimerToo) {
    HWND other = Child(top, 20, 80, 60, 20);
    ASSERT_TRUE(CreateCaret(other, nullptr, 1, 8));
    ASSERT_TRUE(ShowCaret(other));
    DestroyWindow(other);
    EXPECT_FALSE(ShowCaret(nullptr));
    EXPECT_FALSE(DestroyCaret()) << "no caret left";
    for (const std::string& line : detail::LiveState())
        EXPECT_EQ(line.find("timer"), std::string::npos) << line;
}

TEST_F(CaretTest, TheDisplayKnowsWhereTextGoesInAndHearsOfFocusMovesInside) {
    EXPECT_EQ(screen->TextCaret(top), std::nullopt);
    ASSERT_TRUE(CreateCaret(child, nullptr, 1, 14));
    ASSERT_TRUE(SetCaretPos(7, 2));
    // Window coordinates of the top-level window: the child's client area starts at (20, 30).
    EXPECT_EQ(screen->TextCaret(top), (RECT{27, 32, 28, 46}));
    // The owner moved: the display hears the caret's new place when it is next drawn.
    ASSERT_TRUE(ShowCaret(child));
    SetWindowPos(child, nullptr, 40, 50, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    Pump();
    Advance(1060);
    EXPECT_EQ(screen->TextCaret(top), (RECT{47, 52, 48, 66}));
    ASSERT_TRUE(DestroyCaret());
    EXPECT_EQ(screen->TextCaret(top), std::nullopt);

    // The focus moving between windows inside the top-level window drops a composition there.
    HWND other = Child(top, 20, 100, 60, 20);
    SetFocus(child);
    int before = screen->TextInputResets(top);
    SetFocus(other);
    EXPECT_EQ(screen->TextInputResets(top), before + 1);
    SetFocus(other);
    EXPECT_EQ(screen->TextInputResets(top), before + 1) << "no move, no reset";
}

} // namespace
} // namespace wintest
