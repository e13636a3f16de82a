// Mnemonics of the window system's own menus typed through the real input queue: the whole character after
// "&" answers, in either case, whether it is ASCII, an accented Latin letter, Cyrillic or beyond U+FFFF; in
// the menu bar (Alt+letter, and a letter in menu mode) and in an open popup (a letter). Letters that no key
// of the US layout gives arrive as character packets, as from another keyboard layout.

#include "platform/win/Menu.h"
#include "tests/win/WindowTestSupport.h"

namespace wintest {
namespace {

// A letter beyond U+FFFF (Deseret), and a character whose low 16 bits are "A" (U+10041, Linear B).
const char* const kDeseret = "\xF0\x90\x90\x80"; // U+10400
const char* const kBeyondA = "\xF0\x90\x81\x81"; // U+10041
// Inspect, Émile, Файл, 𐐀s
const char* const kBar[] = {"&Inspect", "&\xC3\x89mile", "&\xD0\xA4\xD0\xB0\xD0\xB9\xD0\xBB",
                            "&\xF0\x90\x90\x80s"};

class MenuMnemonic : public MenuLoopTest {
protected:
    void SetUp() override {
        MenuLoopTest::SetUp();
        top = Top(100, 100, 400, 300, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
        bar = CreateMenu();
        for (const char* caption : kBar) {
            HMENU sub = CreatePopupMenu();
            AppendMenu(sub, MF_STRING, 100, "&Open");
            AppendMenu(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), caption);
            subs.push_back(sub);
        }
        SetMenu(top, bar);
        Pump();
    }
    void TearDown() override {
        SetMenu(top, nullptr);
        DestroyMenu(bar);
        MenuLoopTest::TearDown();
    }

    // The caption of the bar item whose menu the steps so far opened ("" for none), once the menu loop
    // ended; a step left untaken is cleared.
    std::string Opened() {
        Pump();
        steps.clear();
        std::string r;
        for (WPARAM popup : WParams(top, WM_INITMENUPOPUP))
            for (size_t i = 0; i < subs.size(); ++i)
                if (popup == reinterpret_cast<WPARAM>(subs[i]))
                    r += (r.empty() ? "" : ", ") + std::string(kBar[i]);
        Log().clear();
        return r;
    }
    // Alt held while the text is typed; the menu that opens is closed again (Escape, Escape).
    std::string AltWith(const std::string& typed) {
        steps.push_back([this] {
            screen->PressKey(VK_ESCAPE);
            screen->PressKey(VK_ESCAPE);
        });
        screen->KeyDown(VK_MENU);
        screen->TypeText(typed);
        screen->KeyUp(VK_MENU);
        return Opened();
    }

    HWND top = nullptr;
    HMENU bar = nullptr;
    std::vector<HMENU> subs;
};

TEST_F(MenuMnemonic, AltWithTheWholeCharacterOpensItsBarItemInEitherCase) {
    const struct {
        const char* typed;
        const char* opens;
    } rows[] = {
        {"i", kBar[0]},        {"I", kBar[0]}, {"\xC3\xA9", kBar[1]}, // é, whose low seven bits are "i"
        {"\xC3\x89", kBar[1]},                                        // É
        {"\xD1\x84", kBar[2]},                                        // ф
        {"\xD0\xA4", kBar[2]},                                        // Ф
        {kDeseret, kBar[3]},                                          // beyond U+FFFF, compared whole
        {"\xC3\x83", ""}, // Ã, the first byte of "É" read as a character, is no mnemonic
        {"\xC3\x90", ""}, // Ð, the first byte of "Ф"
        {"\xC2\x80", ""}, // U+0080, whose low seven bits are 0
    };
    for (const auto& row : rows)
        EXPECT_EQ(AltWith(row.typed), row.opens) << "Alt+" << row.typed;
}

TEST_F(MenuMnemonic, ALetterInMenuModeOpensItsBarItem) {
    // Alt alone enters the bar (its first item selected, nothing open); a letter then opens its item.
    for (const auto& [typed, opens] : {std::pair{"\xD1\x84", kBar[2]}, std::pair{"\xC3\xA9", kBar[1]},
                                       std::pair{kDeseret, kBar[3]}, std::pair{"I", kBar[0]}}) {
        steps.push_back([this, typed = std::string(typed)] { screen->TypeText(typed); });
        steps.push_back([this] {
            screen->PressKey(VK_ESCAPE);
            screen->PressKey(VK_ESCAPE);
        });
        screen->PressKey(VK_MENU);
        EXPECT_EQ(Opened(), opens) << typed;
    }
}

TEST_F(MenuMnemonic, ALetterInAnOpenPopupChoosesItsItem) {
    HMENU popup = CreatePopupMenu();
    AppendMenu(popup, MF_STRING, 1, "&Alpha");
    AppendMenu(popup, MF_STRING, 2, "\xC3\x89&lan");           // Élan: the mnemonic is the "l"
    AppendMenu(popup, MF_STRING, 3, "&\xC3\xA9p\xC3\xA9\x65"); // épée
    AppendMenu(popup, MF_STRING, 4, "&\xD0\xAF\xD0\xB1\xD0\xBB\xD0\xBE\xD0\xBA\xD0\xBE"); // Яблоко
    AppendMenu(popup, MF_STRING, 5, "&\xF0\x90\x90\x80");                                 // 𐐀
    AppendMenu(popup, MF_STRING, 6, "&\xD9"); // a lone lead byte: no character, no mnemonic
    // The owner answers a character that no item has with the item of "A" (the first).
    Override() = [](HWND, UINT m, WPARAM wp, LPARAM, LRESULT* r) {
        if (m != WM_MENUCHAR) return false;
        *r = (LOWORD(static_cast<DWORD>(wp)) == 'A') ? MAKELPARAM(0, MNC_EXECUTE) : MAKELPARAM(0, MNC_IGNORE);
        return true;
    };
    // The letter, then Escape: a letter that chooses nothing leaves the menu to Escape (command 0).
    auto choose = [&](const std::string& typed) {
        steps.push_back([this, typed] {
            screen->TypeText(typed);
            screen->PressKey(VK_ESCAPE);
        });
        const BOOL r = TrackPopupMenu(popup, TPM_RETURNCMD, 150, 150, 0, top, nullptr);
        Pump(); // an Escape left over after a choice goes to the window
        steps.clear();
        return r;
    };
    EXPECT_EQ(choose("a"), 1);
    EXPECT_EQ(choose("A"), 1);
    EXPECT_EQ(choose("\xC3\xA9"), 3); // é
    EXPECT_EQ(choose("\xC3\x89"), 3); // É
    EXPECT_EQ(choose("L"), 2);
    EXPECT_EQ(choose("\xD1\x8F"), 4); // я
    EXPECT_EQ(choose("\xD0\xAF"), 4); // Я
    EXPECT_EQ(choose(kDeseret), 5);
    EXPECT_EQ(choose("\xC3\x99"), 0); // Ù: the lone byte's value as a character
    // Beyond U+FFFF, no item's character: the owner is not asked with the low 16 bits ("A").
    EXPECT_EQ(choose(kBeyondA), 0);
    DestroyMenu(popup);
}

} // namespace
} // namespace wintest
