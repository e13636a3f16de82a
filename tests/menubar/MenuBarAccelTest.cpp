// The menu bar's accelerators beyond ASCII: Alt with a Cyrillic letter or a character beyond U+FFFF drops
// the menu whose caption marks that character, whichever case is typed, and no other.

#include "tests/menubar/MenuBarSupport.h"

namespace menubartest {
namespace {

class MenuBarAccelTest : public MenuBarTest {
protected:
    void BeforeShow() override {
        view = Item(menu->Items(), "&Вид");
        zoom = Item(view, "&Масштаб");
        fun = Item(menu->Items(), "&😀 Fun");
        joke = Item(fun, "&Joke");
    }
    // Alt held while the text is typed (characters without a key of the layout come as packets).
    void AltType(const String& Text) {
        ui.Screen().KeyDown(win::VK_MENU);
        ui.Screen().TypeText(Text);
        ui.Screen().KeyUp(win::VK_MENU);
        ui.Process();
    }
    // The items of the menu that Alt and the text drop (closed again with Escape).
    std::vector<TMenuItem*> DroppedBy(const String& Text) {
        std::vector<TMenuItem*> shown;
        ui.WhenIdle([&] {
            shown = Dropped();
            Press(win::VK_ESCAPE);
        });
        ui.WhenIdle([&] { Press(win::VK_ESCAPE); });
        AltType(Text);
        return shown;
    }
    TMenuItem *view = nullptr, *zoom = nullptr, *fun = nullptr, *joke = nullptr;
};

TEST_F(MenuBarAccelTest, AltWithTheMarkedCharacterDropsThatMenuInEitherCase) {
    EXPECT_EQ(DroppedBy("в"), (std::vector<TMenuItem*>{zoom}));
    EXPECT_EQ(DroppedBy("В"), (std::vector<TMenuItem*>{zoom}));
    EXPECT_EQ(DroppedBy("😀"), (std::vector<TMenuItem*>{joke}));
    EXPECT_EQ(clicks, (std::vector<String>{"&Вид", "&Вид", "&😀 Fun"}));
}

// A menu dropped here would wait for keys that never come: the driver fails the test.
TEST_F(MenuBarAccelTest, NeitherTheFirstByteNorTheLow16BitsOfTheCharacterDropAMenu) {
    // "В" is D0 92 in UTF-8; U+1F600 cut to 16 bits is U+F600.
    AltType("Ð");
    AltType("\uF600");
    EXPECT_TRUE(clicks.empty());
    EXPECT_FALSE(bar->InMenuLoop());
}

} // namespace
} // namespace menubartest
