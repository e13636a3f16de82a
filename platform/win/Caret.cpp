// The caret: one per thread, drawn by inverting its rectangle in its owner's pixels, blinking on a timer of
// its owner, hidden while its owner paints. Where it is also tells the display where typed text goes in.

#include "platform/win/Gdi.h"
#include "platform/win/Metrics.h"
#include "platform/win/WindowInternal.h"

namespace win {
namespace detail {

namespace {

// The blink's timer on the owner: an id no window of ours hands out itself.
constexpr UINT_PTR kBlinkTimer = 0xFFFF;
HBITMAP const kGreyCaret = reinterpret_cast<HBITMAP>(std::intptr_t{1});

CaretInfo& C() {
    return S().Caret;
}

// Inverts the caret's rectangle in what shows of its owner's client area, and shows the result: the device
// context is clipped to the caret, so that only its rectangle goes to the screen.
void Invert(Wnd* w) {
    CaretInfo& c = C();
    HRGN clip = CreateRectRgn(c.Pos.X, c.Pos.Y, c.Pos.X + c.Size.cx, c.Pos.Y + c.Size.cy);
    HDC dc = GetDCEx(w->Handle, clip, DCX_INTERSECTRGN | DCX_CACHE | DCX_CLIPSIBLINGS); // takes clip
    if (!dc) return;
    if (c.Bitmap && c.Bitmap != kGreyCaret) {
        HDC src = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(src, c.Bitmap);
        BitBlt(dc, c.Pos.X, c.Pos.Y, c.Size.cx, c.Size.cy, src, 0, 0, SRCINVERT);
        SelectObject(src, old);
        DeleteDC(src);
    } else if (c.Bitmap == kGreyCaret) {
        HGDIOBJ old = SelectObject(dc, GetStockObject(GRAY_BRUSH));
        PatBlt(dc, c.Pos.X, c.Pos.Y, c.Size.cx, c.Size.cy, PATINVERT);
        SelectObject(dc, old);
    } else {
        PatBlt(dc, c.Pos.X, c.Pos.Y, c.Size.cx, c.Size.cy, DSTINVERT);
    }
    ReleaseDC(w->Handle, dc);
}

// Tells the owner's top-level window where the caret is (window coordinates), or that there is none.
void TellTextInput(Wnd* owner) {
    CaretInfo& c = C();
    Wnd* root = owner ? Root(owner) : nullptr;
    std::optional<RECT> at;
    if (root) {
        POINT o = ClientScreenOrigin(owner), r = ScreenOrigin(root);
        int x = o.X - r.X + c.Pos.X, y = o.Y - r.Y + c.Pos.Y;
        at = RECT{x, y, x + c.Size.cx, y + c.Size.cy};
    }
    HWND rootHandle = root ? root->Handle : nullptr;
    if (rootHandle == c.TextRoot && at == c.TextCaret) return;
    if (c.TextRoot != rootHandle)
        if (Wnd* was = W(c.TextRoot); was && was->Native) was->Native->SetTextCaret(std::nullopt);
    c.TextRoot = rootHandle;
    c.TextCaret = at;
    if (root && root->Native) root->Native->SetTextCaret(at);
}

// Brings the pixels in line with the state: drawn while shown and in the blink's on phase.
void Refresh() {
    CaretInfo& c = C();
    Wnd* w = W(c.Owner);
    bool drawn = w && c.Hidden == 0 && c.PaintHidden == 0 && c.On;
    if (!w || drawn == c.Drawn) return;
    Invert(w);
    c.Drawn = drawn;
    if (drawn) TellTextInput(w);
}

void Blink(HWND, UINT, UINT_PTR, DWORD) {
    C().On = !C().On;
    Refresh();
}

// The caret shows now, and its blink starts over (or stops, while it is hidden).
void RestartBlink() {
    CaretInfo& c = C();
    c.On = true;
    if (!W(c.Owner)) return;
    UINT time = S().CaretBlinkTime;
    if (c.Hidden == 0 && time != INFINITE)
        SetTimer(c.Owner, kBlinkTimer, time, Blink);
    else
        KillTimer(c.Owner, kBlinkTimer);
}

bool Owns(HWND h) {
    HWND owner = C().Owner;
    return owner && W(owner) && (!h || h == owner);
}

} // namespace

void HideCaretForPaint(Wnd* w) {
    if (C().Owner != w->Handle) return;
    ++C().PaintHidden;
    Refresh();
}

void ShowCaretAfterPaint(HWND h) {
    CaretInfo& c = C();
    if (c.Owner != h || c.PaintHidden == 0) return;
    --c.PaintHidden;
    Refresh();
}

void ForgetCaretOf(HWND h) {
    CaretInfo& c = C();
    if (c.Owner != h) return;
    // The window's pixels go with it: nothing to erase.
    c.Drawn = false;
    TellTextInput(nullptr);
    c = CaretInfo{};
}

void TextInputFocusMoved(HWND from, HWND to) {
    Wnd* a = W(from) ? Root(W(from)) : nullptr;
    Wnd* b = W(to) ? Root(W(to)) : nullptr;
    if (a && a->Native) a->Native->ResetTextInput();
    if (b && b != a && b->Native) b->Native->ResetTextInput();
}

} // namespace detail

using namespace detail;

BOOL CreateCaret(HWND h, HBITMAP bitmap, int width, int height) {
    Wnd* w = Checked(h);
    if (!w || w->IsDesktop()) return FALSE;
    DestroyCaret();
    CaretInfo& c = C();
    c.Owner = h;
    c.Bitmap = bitmap;
    c.Size = SIZE{width > 0 ? width : GetSystemMetrics(SM_CXBORDER),
                  height > 0 ? height : GetSystemMetrics(SM_CYBORDER)};
    if (bitmap && bitmap != kGreyCaret) {
        BITMAP bm{};
        if (!GetObject(bitmap, sizeof bm, &bm)) {
            c = CaretInfo{};
            return FALSE;
        }
        c.Size = SIZE{bm.bmWidth, bm.bmHeight};
    }
    TellTextInput(w);
    return TRUE;
}

BOOL DestroyCaret() {
    CaretInfo& c = C();
    if (!c.Owner) return FALSE;
    c.Hidden = 1;
    Refresh();
    if (W(c.Owner)) KillTimer(c.Owner, kBlinkTimer);
    TellTextInput(nullptr);
    c = CaretInfo{};
    return TRUE;
}

BOOL ShowCaret(HWND h) {
    CaretInfo& c = C();
    if (!Owns(h) || c.Hidden == 0) return FALSE;
    if (--c.Hidden > 0) return TRUE;
    RestartBlink();
    Refresh();
    return TRUE;
}

BOOL HideCaret(HWND h) {
    CaretInfo& c = C();
    if (!Owns(h)) return FALSE;
    if (c.Hidden++ == 0) {
        Refresh();
        KillTimer(c.Owner, kBlinkTimer);
    }
    return TRUE;
}

BOOL SetCaretPos(int x, int y) {
    CaretInfo& c = C();
    if (!Owns(nullptr)) return FALSE;
    // Off at the old place, on at the new one at once.
    c.On = false;
    Refresh();
    c.Pos = POINT{x, y};
    RestartBlink();
    Refresh();
    TellTextInput(W(c.Owner));
    return TRUE;
}

BOOL GetCaretPos(POINT* p) {
    if (!p) return FALSE;
    *p = C().Pos;
    return TRUE;
}

UINT GetCaretBlinkTime() {
    return S().CaretBlinkTime;
}

BOOL SetCaretBlinkTime(UINT ms) {
    if (ms == 0) {
        S().LastError = ERROR_INVALID_PARAMETER;
        return FALSE;
    }
    S().CaretBlinkTime = ms;
    if (Owns(nullptr) && C().Hidden == 0) {
        RestartBlink();
        Refresh();
    }
    return TRUE;
}

} // namespace win
