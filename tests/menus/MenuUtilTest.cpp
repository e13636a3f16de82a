// The menus' utilities.

#include "components/menus/AdvMenuUtil.h"
#include "platform/vcl/ShortCut.h"
#include "tests/menus/MenuTestSupport.h"

namespace menutest {
namespace {

using namespace AdvMenuUtil;

class MenuUtilTest : public MenuTest {};

TEST_F(MenuUtilTest, ShortcutTextsAndKeyNames) {
    struct Case {
        std::uint16_t Key;
        bool International;
        const char* Text;
    };
    const std::uint16_t ctrl = scCtrl, shift = scShift, alt = scAlt;
    const Case cases[] = {
        // The framework's English text, the Windows key in front.
        {static_cast<std::uint16_t>(ctrl | shift | 'A'), false, "Shift+Ctrl+A"},
        {static_cast<std::uint16_t>(scWin | ctrl | 'S'), false, "Win+Ctrl+S"},
        {static_cast<std::uint16_t>(alt | win::VK_F4), false, "Alt+F4"},
        // The system's names, ordered Alt, Ctrl, Shift, key; the Windows key not shown.
        {static_cast<std::uint16_t>(ctrl | shift | 'A'), true, "Ctrl+Shift+A"},
        {static_cast<std::uint16_t>(alt | ctrl | shift | win::VK_F5), true, "Alt+Ctrl+Shift+F5"},
        {static_cast<std::uint16_t>(scWin | ctrl | 'S'), true, "Ctrl+S"},
        {static_cast<std::uint16_t>(ctrl | win::VK_NUMLOCK), true, "Ctrl+Num lock"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(AdvShortCutToText(c.Key, c.International), c.Text)
            << std::hex << c.Key << " " << c.International;
    // Key names are capitalised like words.
    EXPECT_EQ(CapitalizeKeyName("NUM LOCK"), "Num lock");
    EXPECT_EQ(CapitalizeKeyName("DEL (NUM)"), "Del (Num)");
    EXPECT_EQ(CapitalizeKeyName("x"), "x");
    EXPECT_EQ(CapitalizeKeyName(""), "");
    // Keys without a name give none; Enter keeps its name without the extended-key bit.
    EXPECT_EQ(KeyNameOf(0xFF), "");
    EXPECT_FALSE(KeyNameOf(win::VK_RETURN).empty());
}

TEST_F(MenuUtilTest, MenuAnimationIsOffWhileTheMenusLiveAndPutBackAfter) {
    auto animation = [] {
        win::BOOL on = win::FALSE;
        win::SystemParametersInfo(win::SPI_GETMENUANIMATION, 0, &on, 0);
        return on != win::FALSE;
    };
    static int on = 1;
    win::SystemParametersInfo(win::SPI_SETMENUANIMATION, 0, &on, 0);
    {
        TComponentPtr<TAdvPopupMenu> a(new TAdvPopupMenu(nullptr));
        EXPECT_FALSE(animation());
        TComponentPtr<TAdvMainMenu> b(new TAdvMainMenu(nullptr));
        a.reset();
        EXPECT_FALSE(animation()); // one menu still lives
    }
    EXPECT_TRUE(animation());
    // Counted: a second switch-off does not save the "off" it finds.
    DisableMenuAnimation();
    DisableMenuAnimation();
    RestoreMenuAnimation();
    EXPECT_FALSE(animation());
    RestoreMenuAnimation();
    EXPECT_TRUE(animation());
    RestoreMenuAnimation(); // unbalanced: nothing to put back
    EXPECT_TRUE(animation());
}

TEST_F(MenuUtilTest, TurnedFontsAndLayeredWindows) {
    TFont font;
    font.SetName("Tahoma");
    font.SetHeight(-19);
    font.SetStyle(TFontStyles{fsBold, fsItalic});
    win::HFONT turned = CreateRotatedFont(&font, 90);
    win::LOGFONT lf{};
    ASSERT_GT(win::GetObject(turned, sizeof(lf), &lf), 0);
    EXPECT_EQ(lf.lfEscapement, 900);
    EXPECT_EQ(lf.lfOrientation, 0);
    EXPECT_EQ(lf.lfHeight, -19);
    EXPECT_EQ(lf.lfWeight, 700);
    EXPECT_TRUE(lf.lfItalic);
    EXPECT_FALSE(lf.lfUnderline);
    EXPECT_EQ(String(lf.lfFaceName), "Tahoma");
    win::DeleteObject(turned);
    turned = CreateRotatedFont(&font, -90);
    win::GetObject(turned, sizeof(lf), &lf);
    EXPECT_EQ(lf.lfEscapement, -900);
    win::DeleteObject(turned);
    // The layered style changes only when it differs.
    TComponentPtr<TForm> form(new TForm(nullptr));
    win::HWND w = form->Handle();
    ASSERT_TRUE(SupportsLayeredWindows());
    auto layered = [&] { return (win::GetWindowLongPtr(w, win::GWL_EXSTYLE) & win::WS_EX_LAYERED) != 0; };
    EXPECT_TRUE(SetWindowLayered(w, true));
    EXPECT_TRUE(layered());
    EXPECT_TRUE(SetWindowLayered(w, true));
    EXPECT_TRUE(layered());
    EXPECT_TRUE(SetWindowLayered(w, false));
    EXPECT_FALSE(layered());
}

TEST_F(MenuUtilTest, RectanglesAndColourElements) {
    TRect r{0, 0, 10, 10};
    CenterRect(r, 4, 4);
    EXPECT_EQ(r, (TRect{3, 3, 7, 7}));
    r = TRect{0, 0, 10, 10};
    CenterRect(r, 5, 5);
    EXPECT_EQ(r, (TRect{2, 2, 7, 7}));
    EXPECT_EQ(CenterPoint(TRect{10, 20, 15, 31}), (TPoint{12, 25}));
    EXPECT_EQ(RectWidth(TRect{3, 0, 10, 0}), 7);
    EXPECT_EQ(RectHeight(TRect{0, -2, 0, 5}), 7);
    // Right and bottom edges lie outside.
    EXPECT_TRUE(RectInRect(TRect{1, 1, 9, 9}, TRect{0, 0, 10, 10}));
    EXPECT_FALSE(RectInRect(TRect{1, 1, 10, 9}, TRect{0, 0, 10, 10}));
    EXPECT_FALSE(RectInRect(TRect{1, 1, 9, 10}, TRect{0, 0, 10, 10}));
    EXPECT_EQ(BitmapRect(nullptr), NilRect);
    TBitmap bmp;
    bmp.SetSize(6, 4);
    EXPECT_EQ(BitmapRect(&bmp), (TRect{0, 0, 6, 4}));

    EXPECT_EQ(ColorTo32bitScanLineElement(0x7F112233), 0x7F332211u);
    TScanLine24 e = ColorTo24bitScanLineElement(0x112233);
    EXPECT_EQ(e.B, 0x11);
    EXPECT_EQ(e.G, 0x22);
    EXPECT_EQ(e.R, 0x33);
    EXPECT_EQ(RGB(0x33, 0x22, 0x11, 0x7F), TColor(0x7F112233));
    TRGBVal v = ColorToRGBVal(clWhite);
    EXPECT_EQ(v.R + v.G + v.B, 3 * 255);
    TRGBVal sys = ColorToRGBVal(clBtnFace);
    const auto face = static_cast<std::uint32_t>(ColorToRGB(clBtnFace));
    EXPECT_EQ(sys.R, face & 0xFF);
    EXPECT_EQ(sys.B, (face >> 16) & 0xFF);
    EXPECT_EQ(Min(3, -2), -2);
    EXPECT_EQ(Max(3, -2), 3);
}

} // namespace
} // namespace menutest
