#include "components/menus/AdvMenuPlainLook.h"

#include "platform/win/Windows.h"

namespace AdvMenus {

using namespace vcl;
using AdvMenuStylers::TCustomAdvMenuStyler;

namespace {

constexpr int kSeparatorHeight = 5;
constexpr int kBarPadding = 7;  // each side of a bar item's caption
constexpr int kTextGap = 8;     // between the icon bar and the caption
constexpr int kArrowSpace = 18; // right of the caption / shortcut

// A colour that is set, or the fallback.
TColor Pick(TColor Value, TColor Fallback) {
    return Value == clNone ? Fallback : Value;
}

int IconBarWidth(TCustomAdvMenuStyler* Styler) {
    return Styler ? Styler->IconBar()->Size() : 24;
}

void UseItemFont(TCanvas* ACanvas, TCustomAdvMenuStyler* Styler, bool BarItem) {
    if (!Styler) return;
    ACanvas->Font()->Assign(BarItem ? Styler->RootItem()->Font() : Styler->Font());
}

void FillFramed(TCanvas* ACanvas, const TRect& R, TColor Fill, TColor Border) {
    if (Fill != clNone) {
        ACanvas->Brush()->SetStyle(bsSolid);
        ACanvas->Brush()->SetColor(Fill);
        ACanvas->FillRect(R);
    }
    if (Border != clNone) {
        ACanvas->Brush()->SetColor(Border);
        ACanvas->FrameRect(R);
    }
}

void DrawCaption(TCanvas* ACanvas, const String& Text, TRect R, win::UINT Flags, TColor Color) {
    ACanvas->Font()->SetColor(Color);
    win::RECT rc = R;
    win::SetBkMode(ACanvas->Handle(), win::TRANSPARENT);
    win::DrawText(ACanvas->Handle(), Text.c_str(), -1, &rc, Flags);
}

void DrawGlyph(TCanvas* ACanvas, TBitmap* Glyph, int X, int Y, TColor Color) {
    if (!Glyph || Glyph->Empty()) return;
    const std::uint32_t* pixels = Glyph->PixelData();
    if (!pixels) return;
    // The marks are black on white: paint the black pixels in the text colour.
    const int w = Glyph->Width();
    for (int y = 0; y < Glyph->Height(); ++y)
        for (int x = 0; x < w; ++x)
            if ((pixels[y * w + x] & 0xFFFFFFu) == 0) ACanvas->SetPixel(X + x, Y + y, Color);
}

// True for the last visible item of the bar.
bool IsRightmostBarItem(TMenuItem* Item) {
    TMenuItem* parent = Item->Parent();
    if (!parent) return false;
    for (int i = parent->Count() - 1; i >= 0; --i)
        if (parent->Items(i)->Visible()) return parent->Items(i) == Item;
    return false;
}

// The rest of the bar, right of its last item, in the bar's colour up to the client area's right edge.
void FillRestOfBar(TCanvas* ACanvas, const TRect& R, TColor Color) {
    win::HWND wnd = win::WindowFromDC(ACanvas->Handle());
    if (!wnd) return;
    win::RECT window{}, client{};
    win::GetWindowRect(wnd, &window);
    win::GetClientRect(wnd, &client);
    win::POINT origin{0, 0};
    win::ClientToScreen(wnd, &origin);
    const int right = origin.X - window.Left + client.Right;
    if (right <= R.Right) return;
    ACanvas->Brush()->SetStyle(bsSolid);
    ACanvas->Brush()->SetColor(Color);
    ACanvas->FillRect(TRect{R.Right, R.Top, right, R.Bottom});
}

void DrawBarItem(TMenuItem* Item, TCanvas* ACanvas, TRect R, TOwnerDrawState State, TCustomAdvMenuStyler* S) {
    if (S && IsRightmostBarItem(Item)) FillRestOfBar(ACanvas, R, S->RootItem()->Color());
    const bool selected = State.Contains(odSelected);
    const bool hot = State.Contains(odHotLight);
    TColor fill = S ? S->RootItem()->Color() : clMenu;
    TColor border = clNone;
    TColor text = clMenuText;
    if (S && selected) {
        fill = Pick(S->RootItem()->GetSelectedColor(0), fill);
        border = S->RootItem()->SelectedBorderColor;
        text = S->RootItem()->SelectedTextColor;
    } else if (S && hot) {
        fill = Pick(S->RootItem()->GetHoverColor(0), fill);
        border = S->RootItem()->HoverBorderColor;
        text = S->RootItem()->HoverTextColor;
    } else if (!S && (selected || hot)) {
        fill = clHighlight;
        text = clHighlightText;
    }
    FillFramed(ACanvas, R, fill, border);
    if (!Item->Enabled()) text = clGrayText;
    win::UINT flags = win::DT_SINGLELINE | win::DT_VCENTER | win::DT_CENTER;
    if (State.Contains(odNoAccel)) flags |= win::DT_HIDEPREFIX;
    DrawCaption(ACanvas, Item->Caption(), R, flags, text);
}

void DrawPopupItem(TMenuItem* Item, TCanvas* ACanvas, TRect R, TOwnerDrawState State,
                   TCustomAdvMenuStyler* S) {
    const int bar = IconBarWidth(S);
    const TColor background = S ? Pick(S->Background()->Color(), clMenu) : clMenu;
    FillFramed(ACanvas, R, background, clNone);
    TRect icon{R.Left, R.Top, R.Left + bar, R.Bottom};
    FillFramed(ACanvas, icon, S ? Pick(S->IconBar()->Color(), background) : clBtnFace, clNone);

    if (Item->IsLine()) {
        const int margin = S ? S->Separator()->Margin : 2;
        const int y = R.Top + R.Height() / 2;
        ACanvas->Brush()->SetColor(S ? Pick(S->Separator()->Color(), clGray) : clGray);
        ACanvas->FillRect(TRect{R.Left + bar + margin, y, R.Right - margin, y + 1});
        return;
    }

    const bool selected = State.Contains(odSelected) && Item->Enabled();
    if (selected) {
        TRect hot{R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1};
        FillFramed(ACanvas, hot, S ? Pick(S->SelectedItem()->Color(), clHighlight) : clHighlight,
                   S ? S->SelectedItem()->BorderColor : clNone);
    }
    TColor text = clMenuText;
    if (S)
        text = selected ? S->SelectedItem()->Font()->Color() : S->Font()->Color();
    else if (selected)
        text = clHighlightText;
    if (!Item->Enabled()) text = clGrayText;

    if (Item->Checked() && S) {
        TBitmap* mark = Item->RadioItem() ? S->Glyphs()->Radio() : S->Glyphs()->Check();
        TRect box{R.Left + (bar - 18) / 2, R.Top + (R.Height() - 18) / 2, 0, 0};
        box.Right = box.Left + 18;
        box.Bottom = box.Top + 18;
        TColor fill = Item->RadioItem() ? S->IconBar()->RadioColor() : S->IconBar()->CheckColor();
        TColor frame = Item->RadioItem() ? S->IconBar()->RadioBorder : S->IconBar()->CheckBorder;
        FillFramed(ACanvas, box, fill, frame);
        DrawGlyph(ACanvas, mark, box.Left + 1, box.Top + 1, text);
    }

    TRect textRect{R.Left + bar + kTextGap, R.Top, R.Right - kArrowSpace, R.Bottom};
    win::UINT flags = win::DT_SINGLELINE | win::DT_VCENTER | win::DT_LEFT;
    if (State.Contains(odNoAccel)) flags |= win::DT_HIDEPREFIX;
    DrawCaption(ACanvas, Item->Caption(), textRect, flags, text);
    if (Item->ShortCut() != 0)
        DrawCaption(ACanvas, ShortCutToText(Item->ShortCut()), textRect,
                    win::DT_SINGLELINE | win::DT_VCENTER | win::DT_RIGHT | win::DT_NOPREFIX, text);
    if (Item->Count() > 0 && S) {
        TBitmap* arrow = S->Glyphs()->SubMenu();
        DrawGlyph(ACanvas, arrow, R.Right - 12, R.Top + (R.Height() - arrow->Height()) / 2, text);
    }
}

} // namespace

void PlainMeasureItem(TMenuItem* Item, TCanvas* ACanvas, int& Width, int& Height,
                      TCustomAdvMenuStyler* Styler, bool BarItem) {
    UseItemFont(ACanvas, Styler, BarItem);
    const int textHeight = ACanvas->TextHeight("Wg");
    if (BarItem) {
        Width = ACanvas->TextWidth(StripHotkey(Item->Caption())) + 2 * kBarPadding;
        Height = std::max(Height, textHeight + 6);
        return;
    }
    if (Item->IsLine()) {
        Width = 0;
        Height = kSeparatorHeight;
        return;
    }
    int w = IconBarWidth(Styler) + kTextGap + ACanvas->TextWidth(StripHotkey(Item->Caption())) + kArrowSpace;
    if (Item->ShortCut() != 0) w += ACanvas->TextWidth(ShortCutToText(Item->ShortCut())) + 2 * kTextGap;
    Width = std::max(Width, w);
    Height = std::max(textHeight + 8, 22);
}

void PlainDrawItem(TMenuItem* Item, TCanvas* ACanvas, TRect ARect, TOwnerDrawState State,
                   TCustomAdvMenuStyler* Styler, bool BarItem) {
    UseItemFont(ACanvas, Styler, BarItem);
    if (BarItem)
        DrawBarItem(Item, ACanvas, ARect, State, Styler);
    else
        DrawPopupItem(Item, ACanvas, ARect, State, Styler);
}

} // namespace AdvMenus
