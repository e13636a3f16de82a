// Menu layout (measuring owner-drawn items through the owner window) and the plain default look.

#include <algorithm>

#include "platform/rtl/SysUtils.h"
#include "platform/rtl/Unicode.h"
#include "platform/win/Gdi.h"
#include "platform/win/MenuInternal.h"
#include "platform/win/Metrics.h"

namespace win {
namespace menu {

RECT BarRectOf(HWND wnd);

namespace {

constexpr int kGutter = 20;      // check-mark column, and the submenu-arrow column
constexpr int kShortcutGap = 24; // between the caption and the shortcut text
constexpr int kBarPadding = 6;   // each side of a bar item's text
constexpr int kSeparatorHeight = 9;

HFONT MenuFont(bool bold) {
    NONCLIENTMETRICS ncm{};
    ncm.cbSize = sizeof(ncm);
    SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0);
    if (bold) ncm.lfMenuFont.lfWeight = FW_BOLD;
    return CreateFontIndirect(&ncm.lfMenuFont);
}

// A memory DC with the menu font, for measuring.
struct MeasureDC {
    HDC dc = CreateCompatibleDC(nullptr);
    HFONT font = MenuFont(false);
    HGDIOBJ old = SelectObject(dc, font);
    ~MeasureDC() {
        SelectObject(dc, old);
        DeleteObject(font);
        DeleteDC(dc);
    }
    SIZE Text(const String& s) const {
        RECT r{0, 0, 0, 0};
        DrawText(dc, s.c_str(), -1, &r, DT_SINGLELINE | DT_CALCRECT);
        return {r.Width(), r.Height()};
    }
};

void SplitTab(const String& text, String& label, String& shortcut) {
    auto tab = text.find('\t');
    label = text.substr(0, tab);
    shortcut = tab == String::npos ? String() : text.substr(tab + 1);
}

// Asks the owner for an owner-drawn item's size; the width may come back negative.
void MeasureOwnerDrawn(HWND owner, const MenuItemRec& it, int& w, int& h) {
    MEASUREITEMSTRUCT mis{ODT_MENU, 0, it.wID, 0, 0, it.dwItemData};
    if (owner) SendMessage(owner, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis));
    w = static_cast<int>(mis.itemWidth);
    h = static_cast<int>(mis.itemHeight);
}

UINT DrawState(const MenuItemRec& it, bool hot, bool noAccel) {
    UINT s = 0;
    if (it.Hilite || (it.fState & MFS_HILITE)) s |= ODS_SELECTED;
    if (it.fState & MF_GRAYED) s |= ODS_GRAYED;
    if (it.fState & MF_DISABLED) s |= ODS_DISABLED;
    if (it.fState & MF_CHECKED) s |= ODS_CHECKED;
    if (it.fState & MFS_DEFAULT) s |= ODS_DEFAULT;
    if (hot) s |= ODS_HOTLIGHT;
    if (noAccel) s |= ODS_NOACCEL;
    return s;
}

void FillColor(HDC dc, const RECT& r, int index) {
    FillRect(dc, &r, GetSysColorBrush(index));
}

void DrawCheck(HDC dc, const RECT& box, COLORREF color, bool radio) {
    HPEN pen = CreatePen(PS_SOLID, 1, color);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    int cx = box.Left + box.Width() / 2, cy = box.Top + box.Height() / 2;
    if (radio) {
        HBRUSH brush = CreateSolidBrush(color);
        HGDIOBJ oldBrush = SelectObject(dc, brush);
        Ellipse(dc, cx - 3, cy - 3, cx + 3, cy + 3);
        SelectObject(dc, oldBrush);
        DeleteObject(brush);
    } else {
        // A seven-pixel tick, three pixels thick.
        for (int d = 0; d < 3; ++d) {
            MoveToEx(dc, cx - 3, cy - 1 + d, nullptr);
            LineTo(dc, cx - 1, cy + 1 + d);
            LineTo(dc, cx + 4, cy - 4 + d);
        }
    }
    SelectObject(dc, oldPen);
    DeleteObject(pen);
}

void DrawArrow(HDC dc, const RECT& r, COLORREF color) {
    HPEN pen = CreatePen(PS_SOLID, 1, color);
    HGDIOBJ old = SelectObject(dc, pen);
    int x = r.Right - kGutter / 2 - 2, cy = r.Top + r.Height() / 2;
    for (int i = 0; i < 4; ++i) {
        MoveToEx(dc, x + i, cy - 3 + i, nullptr);
        LineTo(dc, x + i, cy + 4 - i);
    }
    SelectObject(dc, old);
    DeleteObject(pen);
}

void DrawDefaultItem(const MenuItemRec& it, HDC dc, bool bar, bool hot, bool noAccel) {
    const RECT& r = it.Rect;
    bool selected = it.Hilite || (it.fState & MFS_HILITE);
    bool grayed = it.fState & (MF_GRAYED | MF_DISABLED);
    if ((it.fType & MFT_SEPARATOR) && !bar) {
        FillColor(dc, r, COLOR_MENU);
        RECT line{r.Left + 1, r.Top + r.Height() / 2 - 1, r.Right - 1, r.Top + r.Height() / 2 + 1};
        DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
        return;
    }
    FillColor(dc, r, selected ? COLOR_HIGHLIGHT : COLOR_MENU);
    if (bar && hot && !selected) {
        RECT e = r;
        DrawEdge(dc, &e, BDR_RAISEDINNER, BF_RECT);
    }
    COLORREF text = GetSysColor(grayed ? COLOR_GRAYTEXT : selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT);
    HFONT font = MenuFont((it.fState & MFS_DEFAULT) != 0);
    HGDIOBJ oldFont = SelectObject(dc, font);
    int oldMode = SetBkMode(dc, TRANSPARENT);
    COLORREF oldColor = SetTextColor(dc, text);
    String label, shortcut;
    SplitTab(it.Text, label, shortcut);
    UINT prefix = noAccel ? DT_HIDEPREFIX : 0;
    if (bar) {
        RECT t = r;
        DrawText(dc, label.c_str(), -1, &t, DT_SINGLELINE | DT_VCENTER | DT_CENTER | prefix);
    } else {
        if (it.fState & MF_CHECKED)
            DrawCheck(dc, RECT{r.Left, r.Top, r.Left + kGutter, r.Bottom}, text,
                      (it.fType & MFT_RADIOCHECK) != 0);
        RECT t{r.Left + kGutter, r.Top, r.Right - kGutter, r.Bottom};
        DrawText(dc, label.c_str(), -1, &t, DT_SINGLELINE | DT_VCENTER | DT_LEFT | prefix);
        if (!shortcut.empty())
            DrawText(dc, shortcut.c_str(), -1, &t, DT_SINGLELINE | DT_VCENTER | DT_RIGHT | DT_NOPREFIX);
        if (it.hSubMenu) DrawArrow(dc, r, text);
    }
    SetTextColor(dc, oldColor);
    SetBkMode(dc, oldMode);
    SelectObject(dc, oldFont);
    DeleteObject(font);
}

} // namespace

char32_t Mnemonic(const String& text) {
    // "&" never occurs inside a longer UTF-8 sequence, so the text is searched byte by byte; the character
    // after it is decoded whole, as DrawText underlines it whole.
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '&') continue;
        if (text[i + 1] == '&') {
            ++i;
            continue;
        }
        size_t at = i + 1;
        const char32_t c = vcl::Utf8Next(text, at);
        // A tab ends the label; bytes that are no character underline nothing a key could give.
        if (c == '\t' || (c == vcl::ReplacementChar && at == i + 2)) return 0;
        return MnemonicKey(c);
    }
    return 0;
}

char32_t MnemonicKey(char32_t typed) {
    return typed <= 0x10FFFF ? vcl::AnsiUpperChar(typed) : 0;
}

void LayoutPopup(MenuRecord* m, HWND owner) {
    MeasureDC md;
    int x = kFrame, y = kFrame, colWidth = 0, maxHeight = 0;
    size_t colStart = 0;
    auto closeColumn = [&](size_t end) {
        for (size_t i = colStart; i < end; ++i) {
            m->Items[i].Rect.Left = x;
            m->Items[i].Rect.Right = x + colWidth;
        }
        x += colWidth;
        maxHeight = std::max(maxHeight, y - kFrame);
    };
    for (size_t i = 0; i < m->Items.size(); ++i) {
        MenuItemRec& it = m->Items[i];
        if (i > 0 && (it.fType & (MFT_MENUBREAK | MFT_MENUBARBREAK))) {
            closeColumn(i);
            colStart = i;
            colWidth = 0;
            y = kFrame;
        }
        int w = 0, h = 0;
        if (it.fType & MFT_OWNERDRAW) {
            MeasureOwnerDrawn(owner, it, w, h);
        } else if (it.fType & MFT_SEPARATOR) {
            h = kSeparatorHeight;
        } else {
            String label, shortcut;
            SplitTab(it.Text, label, shortcut);
            SIZE ls = md.Text(label.empty() ? String(" ") : label);
            w = kGutter + ls.cx + kGutter;
            if (!shortcut.empty()) w += kShortcutGap + md.Text(shortcut).cx;
            h = std::max<int>(ls.cy + 6, GetSystemMetrics(SM_CYMENUSIZE));
        }
        h = std::max(h, 0);
        colWidth = std::max(colWidth, w);
        it.Rect.Top = y;
        it.Rect.Bottom = y + h;
        y += h;
    }
    closeColumn(m->Items.size());
    m->Size = {x + kFrame, maxHeight + 2 * kFrame};
}

void LayoutBar(MenuRecord* m, HWND wnd) {
    RECT bar = BarRectOf(wnd);
    MeasureDC md;
    int x = bar.Left;
    for (MenuItemRec& it : m->Items) {
        int w = 0, h = 0;
        if (it.fType & MFT_OWNERDRAW)
            MeasureOwnerDrawn(wnd, it, w, h);
        else
            w = md.Text(it.Text.substr(0, it.Text.find('\t'))).cx + 2 * kBarPadding;
        w = std::max(w, 0);
        it.Rect = {x, bar.Top, x + w, bar.Bottom};
        x += w;
    }
}

int ItemAt(MenuRecord* m, POINT p) {
    for (size_t i = 0; i < m->Items.size(); ++i)
        if (m->Items[i].Rect.Contains(p)) return static_cast<int>(i);
    return -1;
}

void PaintItem(HMENU h, int index, HDC dc, HWND owner, bool bar, bool hot) {
    MenuRecord* m = Get(h);
    if (!m || index < 0 || static_cast<size_t>(index) >= m->Items.size()) return;
    const MenuItemRec& it = m->Items[static_cast<size_t>(index)];
    bool noAccel = !KeyboardCues();
    if (it.fType & MFT_OWNERDRAW) {
        // Nothing is clipped to the item: the owner may paint beyond it (the bar's last item fills the
        // rest of the bar).
        DRAWITEMSTRUCT dis{ODT_MENU,
                           0,
                           it.wID,
                           ODA_DRAWENTIRE,
                           DrawState(it, hot, noAccel),
                           reinterpret_cast<HWND>(h),
                           dc,
                           it.Rect,
                           it.dwItemData};
        int saved = SaveDC(dc);
        if (owner) SendMessage(owner, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis));
        RestoreDC(dc, saved);
        return;
    }
    DrawDefaultItem(it, dc, bar, hot, noAccel);
}

void PaintPopup(HMENU h, HDC dc, HWND owner) {
    MenuRecord* m = Get(h);
    if (!m) return;
    RECT all{0, 0, m->Size.cx, m->Size.cy};
    FillColor(dc, all, COLOR_MENU);
    RECT edge = all;
    DrawEdge(dc, &edge, EDGE_RAISED, BF_RECT);
    for (size_t i = 0; i < m->Items.size(); ++i)
        PaintItem(h, static_cast<int>(i), dc, owner, false, false);
}

void PaintBarItems(HMENU h, HDC dc, HWND wnd, const RECT& bar) {
    MenuRecord* m = Get(h);
    if (!m) return;
    FillColor(dc, bar, COLOR_MENU);
    for (size_t i = 0; i < m->Items.size(); ++i)
        PaintItem(h, static_cast<int>(i), dc, wnd, true, static_cast<int>(i) == m->HotItem);
}

} // namespace menu
} // namespace win
