#include "components/menus/AdvMenuUtil.h"

#include <cctype>
#include <cstring>
#include <string>

#include "platform/vcl/ShortCut.h"

namespace AdvMenuUtil {

using namespace vcl;

void InvalidPropertyIndex(int Index) {
    throw EInvalidPropertyIndex("Invalid property index " + std::to_string(Index) + ".");
}

// ---- Shortcut texts

String KeyNameOf(unsigned Key) {
    auto lParam = static_cast<win::LONG>(win::MapVirtualKey(Key, win::MAPVK_VK_TO_VSC) << 16);
    // The extended-key bit picks the named key of the navigation block (Del, not Num Del); the keys
    // that exist once only must not carry it, or they would have no name.
    if (Key != 8 && Key != 13 && Key != 16 && Key != 17 && Key != 18) lParam |= 1 << 24;
    char name[256] = {};
    int n = win::GetKeyNameText(lParam, name, 256);
    return n > 0 ? String(name, static_cast<size_t>(n)) : String();
}

String CapitalizeKeyName(const String& Text) {
    String s = Text;
    for (size_t i = 1; i < s.size(); ++i)
        if (static_cast<unsigned char>(s[i]) < 0x80) s[i] = static_cast<char>(std::tolower(s[i]));
    auto paren = s.find('(');
    if (paren != String::npos && paren + 1 < s.size() && static_cast<unsigned char>(s[paren + 1]) < 0x80)
        s[paren + 1] = static_cast<char>(std::toupper(s[paren + 1]));
    return s;
}

String AdvShortCutToText(std::uint16_t ShortCut, bool International) {
    if (!International) {
        String text = vcl::ShortCutToText(static_cast<TShortCut>(ShortCut & ~scWin));
        if (ShortCut & scWin) text = SWinKey + text;
        return text;
    }
    String text = CapitalizeKeyName(KeyNameOf(ShortCut & 0xFF));
    auto prefix = [&](unsigned vk) { text = CapitalizeKeyName(KeyNameOf(vk)) + "+" + text; };
    if (ShortCut & scShift) prefix(16);
    if (ShortCut & scCtrl) prefix(17);
    if (ShortCut & scAlt) prefix(18);
    return text;
}

// ---- Menu animation

namespace {
int g_animationUsers = 0;
bool g_savedAnimation = false;
} // namespace

void DisableMenuAnimation() {
    if (g_animationUsers++ > 0) return;
    win::BOOL on = win::FALSE;
    win::SystemParametersInfo(win::SPI_GETMENUANIMATION, 0, &on, 0);
    g_savedAnimation = on != win::FALSE;
    // A change notification, never a written profile: the desktop's setting is the user's.
    win::SystemParametersInfo(win::SPI_SETMENUANIMATION, 0, nullptr, win::SPIF_SENDCHANGE);
}

void RestoreMenuAnimation() {
    if (g_animationUsers == 0 || --g_animationUsers > 0) return;
    static int nonNull = 1;
    win::SystemParametersInfo(win::SPI_SETMENUANIMATION, 0, g_savedAnimation ? &nonNull : nullptr,
                              win::SPIF_SENDCHANGE);
}

// ---- Fonts

win::HFONT CreateRotatedFont(TFont* Font, int Angle) {
    win::LOGFONT lf{};
    lf.lfHeight = Font->Height();
    lf.lfWidth = 0;
    lf.lfEscapement = Angle * 10;
    lf.lfOrientation = 0;
    lf.lfWeight = Font->Style().Contains(fsBold) ? 700 : 400;
    lf.lfItalic = Font->Style().Contains(fsItalic) ? 1 : 0;
    lf.lfUnderline = Font->Style().Contains(fsUnderline) ? 1 : 0;
    lf.lfStrikeOut = Font->Style().Contains(fsStrikeOut) ? 1 : 0;
    lf.lfCharSet = win::DEFAULT_CHARSET;
    lf.lfOutPrecision = win::OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = win::CLIP_DEFAULT_PRECIS;
    lf.lfQuality = win::DEFAULT_QUALITY;
    lf.lfPitchAndFamily = Font->Pitch() == fpVariable ? win::VARIABLE_PITCH
                          : Font->Pitch() == fpFixed  ? win::FIXED_PITCH
                                                      : win::DEFAULT_PITCH;
    std::strncpy(lf.lfFaceName, Font->Name().c_str(), win::LF_FACESIZE - 1);
    return win::CreateFontIndirect(&lf);
}

// ---- Layered windows: the window system has them built in.

TUpdateLayeredWindow UpdateLayeredWindow = &win::UpdateLayeredWindow;
TSetLayeredWindowAttributes SetLayeredWindowAttributes = &win::SetLayeredWindowAttributes;

bool SupportsLayeredWindows() {
    return SetLayeredWindowAttributes != nullptr;
}

bool SetWindowLayered(win::HWND Wnd, bool Layered) {
    auto ex = static_cast<win::DWORD>(win::GetWindowLongPtr(Wnd, win::GWL_EXSTYLE));
    const bool is = (ex & win::WS_EX_LAYERED) != 0;
    if (is != Layered)
        win::SetWindowLongPtr(
            Wnd, win::GWL_EXSTYLE,
            static_cast<win::LONG_PTR>(Layered ? ex | win::WS_EX_LAYERED : ex & ~win::WS_EX_LAYERED));
    return true;
}

// ---- Rectangles

void CenterRect(TRect& R, int W, int H) {
    R.Right = (R.Left + R.Right + W) / 2;
    R.Bottom = (R.Top + R.Bottom + H) / 2;
    R.Left = R.Right - W;
    R.Top = R.Bottom - H;
}

TPoint CenterPoint(const TRect& R) {
    return {R.Left + RectWidth(R) / 2, R.Top + RectHeight(R) / 2};
}

bool RectInRect(const TRect& A, const TRect& B) {
    auto in = [&](int x, int y) { return x >= B.Left && x < B.Right && y >= B.Top && y < B.Bottom; };
    return in(A.Left, A.Top) && in(A.Right, A.Bottom);
}

TRect BitmapRect(TBitmap* Bitmap) {
    return Bitmap ? TRect{0, 0, Bitmap->Width(), Bitmap->Height()} : NilRect;
}

// ---- Colours

TRGBVal ColorToRGBVal(TColor Color) {
    auto c = static_cast<std::uint32_t>(ColorToRGB(Color));
    return {static_cast<std::uint8_t>(c & 0xFF), static_cast<std::uint8_t>((c >> 8) & 0xFF),
            static_cast<std::uint8_t>((c >> 16) & 0xFF)};
}

TScanLine24 ColorTo24bitScanLineElement(TColor Color) {
    auto c = static_cast<std::uint32_t>(Color);
    return {static_cast<std::uint8_t>((c >> 16) & 0xFF), static_cast<std::uint8_t>((c >> 8) & 0xFF),
            static_cast<std::uint8_t>(c & 0xFF)};
}

std::uint32_t ColorTo32bitScanLineElement(TColor Color) {
    auto c = static_cast<std::uint32_t>(Color);
    return ((c >> 16) & 0xFF) | (c & 0xFF00) | ((c & 0xFF) << 16) | (c & 0xFF000000u);
}

} // namespace AdvMenuUtil
