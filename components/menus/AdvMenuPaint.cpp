#include "components/menus/AdvMenuPaint.h"

#include <cmath>

#include "components/foundation/AdvGDIP.h"
#include "components/menus/AdvMenuGradient.h"
#include "components/menus/AdvMenuItemInfo.h"
#include "components/menus/AdvMenuUtil.h"
#include "components/menus/AdvMenuWindow.h"
#include "platform/vcl/ActnList.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/ImgList.h"

namespace AdvMenus {

using namespace vcl;
using namespace AdvMenuStylers;

namespace {

TCustomAdvMenuStyler* StylerOf(IAdvMenu* Menu) {
    return Menu ? Menu->GetCurrentMenuStyler() : nullptr;
}

bool HasNotes(IAdvMenu* Menu, const String& Caption) {
    return Menu && Menu->GetShowNotes() && Caption.find(kNotesBreak) != String::npos;
}

TSize TextSize(TCanvas* C, const String& Text) {
    win::RECT r{0, 0, 0, 0};
    win::DrawText(C->Handle(), Text.c_str(), -1, &r, win::DT_SINGLELINE | win::DT_CALCRECT);
    return {r.Width(), r.Height()};
}

void Fill(TCanvas* C, const TRect& R, TColor Color) {
    if (R.Right <= R.Left || R.Bottom <= R.Top) return;
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(Color);
    C->FillRect(R);
}

TRect Intersect(const TRect& A, const TRect& B) {
    return {std::max(A.Left, B.Left), std::max(A.Top, B.Top), std::min(A.Right, B.Right),
            std::min(A.Bottom, B.Bottom)};
}

TRect Offset(TRect R, int DX, int DY) {
    return {R.Left + DX, R.Top + DY, R.Right + DX, R.Bottom + DY};
}

// The system menu-bar button size.
TSize MenuButtonSize() {
    win::NONCLIENTMETRICS ncm{};
    ncm.cbSize = sizeof(ncm);
    win::SystemParametersInfo(win::SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0);
    return {ncm.iMenuWidth, ncm.iMenuHeight};
}

// The font a popup or bar item's caption is measured in.
void UseMeasureFont(TCanvas* C, TCustomAdvMenuStyler* S, bool Top) {
    if (Top) {
        if (!S->RootItem()->UseSystemFont()) C->Font()->Assign(S->RootItem()->Font());
    } else if (!S->UseSystemFont()) {
        C->Font()->Assign(S->Font());
    } else if (!S->SelectedItem()->UseSystemFont()) {
        C->Font()->Assign(S->SelectedItem()->Font());
    }
}

TCustomImageList* ActionImages(TMenuItem* Item) {
    auto* action = dynamic_cast<TCustomAction*>(Item->Action());
    if (!action || !action->ActionList()) return nullptr;
    TCustomImageList* list = action->ActionList()->Images();
    return list && Item->ImageIndex() >= 0 && Item->ImageIndex() < list->Count() ? list : nullptr;
}

TCustomImageList* DisabledImagesOf(TMenu* Menu) {
    if (auto* m = dynamic_cast<TAdvMainMenu*>(Menu)) return m->DisabledImages();
    if (auto* m = dynamic_cast<TAdvPopupMenu*>(Menu)) return m->DisabledImages();
    return nullptr;
}

// A bitmap made transparent by its bottom-left pixel, drawn at (X, Y).
void DrawTransparentBitmap(TCanvas* C, TBitmap* Bitmap, int X, int Y) {
    Bitmap->SetTransparent(true);
    Bitmap->SetTransparentMode(tmAuto);
    C->Draw(X, Y, Bitmap);
}

void DrawCheckGlyph(TCanvas* C, TCustomAdvMenuStyler* S, TMenuItem* Item, const TRect& Square,
                    const TRect& ItemRect, TOwnerDrawState State) {
    const bool selected = State.Contains(odSelected);
    const bool fill = !State.Contains(odDisabled) && !State.Contains(odGrayed);
    TColor from, to, border;
    TGradientDirection dir;
    if (Item->RadioItem()) {
        from = selected ? S->SelectedItem()->RadioColor() : S->IconBar()->RadioColor();
        to = selected ? S->SelectedItem()->RadioColorTo() : S->IconBar()->RadioColorTo();
        border = selected ? S->SelectedItem()->RadioBorder : S->IconBar()->RadioBorder;
        dir = selected ? S->SelectedItem()->RadioGradientDirection : S->IconBar()->RadioGradientDirection;
    } else {
        from = selected ? S->SelectedItem()->CheckColor() : S->IconBar()->CheckColor();
        to = selected ? S->SelectedItem()->CheckColorTo() : S->IconBar()->CheckColorTo();
        border = selected ? S->SelectedItem()->CheckBorder : S->IconBar()->CheckBorder;
        dir = selected ? S->SelectedItem()->CheckGradientDirection : S->IconBar()->CheckGradientDirection;
    }
    DrawFramedGradient(C, Square, from, to, dir, border, fill);
    if (selected && S->SelectedItem()->BorderColor != clNone) {
        C->Brush()->SetColor(S->SelectedItem()->BorderColor);
        C->FrameRect(ItemRect);
    }
    TBitmap* mark = Item->RadioItem() ? S->Glyphs()->Radio() : S->Glyphs()->Check();
    DrawMonoGlyph(C, mark, Square.Left + (Square.Width() - mark->Width()) / 2,
                  Square.Top + (Square.Height() - mark->Height()) / 2, clBtnText);
}

// GDI+ text in the canvas font (regular style), for the anti-aliased looks.
void DrawSmoothText(TCanvas* C, const String& Text, const TRect& R, TColor Color, TAntiAlias AntiAlias,
                    gdip::StringAlignment Align, bool CentreLine, float Top = 0.0f) {
    using namespace AdvGDIP;
    TGPGraphics g(C->Handle());
    TGPFontFamily family(C->Font()->Name());
    TGPFont font(&family, static_cast<float>(C->Font()->Size()), gdip::FontStyleRegular, gdip::UnitPoint);
    g.SetTextRenderingHint(AntiAlias == AdvGDIP::aaClearType ? gdip::TextRenderingHintClearTypeGridFit
                                                             : gdip::TextRenderingHintAntiAlias);
    TGPStringFormat format(gdip::StringFormatFlagsNoWrap);
    format.SetHotkeyPrefix(gdip::HotkeyPrefixShow);
    format.SetAlignment(Align);
    if (CentreLine) format.SetLineAlignment(gdip::StringAlignmentCenter);
    TGPSolidBrush brush(ColorToARGB(Color));
    TGPRectF layout{static_cast<float>(R.Left), static_cast<float>(R.Top) + Top,
                    static_cast<float>(R.Width()), static_cast<float>(R.Height())};
    g.DrawString(Text, -1, &font, layout, &format, &brush);
}

TColor DisabledColor(bool Selected) {
    if (Selected && ColorToRGB(clHighlight) == ColorToRGB(clGrayText)) return clBtnHighlight;
    return clGrayText;
}

} // namespace

std::vector<String> SplitNotes(const String& Caption) {
    std::vector<String> parts;
    size_t from = 0;
    for (;;) {
        size_t at = Caption.find(kNotesBreak, from);
        if (at == String::npos) break;
        parts.push_back(Caption.substr(from, at - from));
        from = at + 2;
    }
    parts.push_back(Caption.substr(from));
    return parts;
}

void DrawMonoGlyph(TCanvas* ACanvas, TBitmap* Glyph, int X, int Y, TColor Color) {
    if (!Glyph || Glyph->Empty()) return;
    const std::uint32_t* pixels = Glyph->PixelData();
    if (!pixels) return;
    const int w = Glyph->Width();
    for (int y = 0; y < Glyph->Height(); ++y)
        for (int x = 0; x < w; ++x)
            if ((pixels[y * w + x] & 0xFFFFFFu) == 0) ACanvas->SetPixel(X + x, Y + y, Color);
}

// ---- Measuring

void MeasureItem(TMenuItem* Item, TCanvas* ACanvas, int& Width, int& Height, bool SideBarVisible) {
    IAdvMenu* intf = GetMenuItemIntf(Item);
    TCustomAdvMenuStyler* s = StylerOf(intf);
    if (!s) return;
    const bool bar = IsInTopMainMenu(Item);
    const bool top = IsInTopMenu(Item);
    if (bar) {
        TSize button = MenuButtonSize();
        Width = button.cx;
        Height = button.cy;
    }
    if (Item->IsLine()) {
        Height = s->Separator()->Width + 2;
        Width = -2;
        return;
    }
    if (!top) Width = s->IconBar()->Size();
    TCustomImageList* images = Item->GetImageList();
    if (images && (Item->ImageIndex() >= 0 || !top)) {
        if (top)
            Width = images->Width();
        else
            Height = std::max(Height, images->Height());
    } else if (Item->HasBitmap()) {
        if (top)
            Width = 16;
        else
            Height = std::max(Height, 16);
    } else if (top) {
        Width = -7;
    } else {
        Height -= 3;
    }
    if (!top) {
        Width += 15;
        Height += 5;
    }
    const bool notes = HasNotes(intf, Item->Caption());
    String text = notes ? SplitNotes(Item->Caption()).front() : Item->Caption();
    if (Item->ShortCut() != 0)
        text += AdvMenuUtil::AdvShortCutToText(Item->ShortCut(), intf->GetIntlKeybShortCuts());
    UseMeasureFont(ACanvas, s, top);
    TSize extent = TextSize(ACanvas, text);
    Width += extent.cx + 7;
    if (!s->UseSystemFont()) Height = extent.cy + 6;
    if (top) return;
    if (Item->ShortCut() & AdvMenuUtil::scWin) Width += ACanvas->TextWidth(AdvMenuUtil::SWinKey);
    if (SideBarVisible && !IsAfterMenuBreak(Item)) Width += s->SideBar()->Size + s->SideBar()->SplitterWidth;
    Width += kHiddenStrip;
    if (notes) {
        ACanvas->Font()->Assign(s->NotesFont());
        const int line = ACanvas->TextHeight("gh");
        std::vector<String> parts = SplitNotes(Item->Caption());
        for (size_t i = 0; i + 1 < parts.size(); ++i) {
            Width = std::max(Width, TextSize(ACanvas, parts[i]).cx);
            Height += line;
        }
        // The side bar stands left of the notes as well.
        const int sideBar =
            SideBarVisible && !IsAfterMenuBreak(Item) ? s->SideBar()->Size + s->SideBar()->SplitterWidth : 0;
        Width = std::max(Width, TextSize(ACanvas, parts.back()).cx + kHiddenStrip + s->IconBar()->Size() +
                                    15 + sideBar);
    }
    // Even heights keep the two halves of the selected item's gradient alike.
    Height += Height & 1;
}

// ---- Painting

void DrawMenuItemBackground(TMenuItem* Item, TCanvas* ACanvas, TRect ARect, bool SideBarVisible,
                            TOwnerDrawState State) {
    IAdvMenu* intf = GetMenuItemIntf(Item);
    TCustomAdvMenuStyler* s = StylerOf(intf);
    if (!s) return;
    TRect r = ARect;
    TSideBar* side = s->SideBar();
    const bool sideBar = SideBarVisible && !IsAfterMenuBreak(Item);
    if (sideBar) {
        const int d = side->Size + side->SplitterWidth;
        r.Left += d;
        if (side->BarPosition == spRight) r = Offset(r, -d, 0);
    }
    if (!IsInTopMainMenu(Item)) {
        TRect m = r;
        win::HWND wnd = win::WindowFromDC(ACanvas->Handle());
        win::RECT wr{};
        if (wnd && win::GetWindowRect(wnd, &wr) && GetMenuRect(Item, m)) {
            m = Offset(m, -wr.Left, -wr.Top);
            m.Right -= kHiddenStrip;
        } else {
            m = ARect;
        }
        if (sideBar && IsFirstSubMenuItem(Item)) {
            const int w = side->Size + side->SplitterWidth;
            TRect b = side->BarPosition == spRight ? TRect{m.Right - w, m.Top, m.Right, m.Bottom}
                                                   : TRect{m.Left, m.Top, m.Left + w, m.Bottom};
            DrawImage(ACanvas, b, side->Background(), true);
            if (side->Image()->Color() != clNone) DrawImage(ACanvas, b, side->Image(), true);
            DrawBarCaption(intf, ACanvas, b);
            DrawBarBorder(intf, ACanvas, b);
            DrawBarSplitter(intf, ACanvas, b);
        }
        TIconBar* icon = s->IconBar();
        TRect i{r.Left, m.Top, r.Left + icon->Size(), m.Bottom};
        DrawGradientClipped(ACanvas, i, r, icon->Color(), icon->ColorTo(), icon->GradientDirection());
        if (icon->SeparatorColor != clNone)
            Fill(ACanvas, TRect{i.Right - 1, r.Top, i.Right, r.Bottom}, icon->SeparatorColor);
        TBackground* back = s->Background();
        TRect c = r;
        c.Left = i.Right;
        TRect g{c.Left, m.Top, c.Right, m.Bottom};
        if (back->MarginX > 0 || back->MarginY >= 1) {
            Fill(ACanvas, Intersect(g, c), back->Color());
            g = TRect{g.Left + back->MarginX, g.Top + back->MarginY, g.Right - back->MarginX,
                      g.Bottom - back->MarginY};
        }
        DrawGradientClipped(ACanvas, g, c, back->Color(), back->ColorTo(), back->GradientDirection());
        if (back->HasImage() && back->Image()->Graphic() && !back->Image()->Graphic()->Empty()) {
            TBitmap* work = s->WorkBitmap();
            TCustomAdvMenuStyler::TComposedKey key{m.Width(),      m.Height(),    back->Image()->Graphic(),
                                                   back->Position, back->OffsetX, back->OffsetY};
            // Composed again when the window's size or the picture or its placement changed.
            if (!(key == s->Composed)) {
                work->SetSize(m.Width(), m.Height());
                DrawImage(work->Canvas(), TRect{0, 0, m.Width(), m.Height()}, back, false);
                s->Composed = key;
            }
            TRect part = Intersect(c, m);
            if (part.Right > part.Left && part.Bottom > part.Top)
                ACanvas->CopyRect(part, work->Canvas(), Offset(part, -m.Left, -m.Top));
        }
    }
    DrawMenuItemEx(intf, Item, ACanvas, State, r);
    DrawMenuWindowBorder(Item, ACanvas);
}

void DrawMenuItemEx(IAdvMenu* Menu, TMenuItem* Item, TCanvas* ACanvas, TOwnerDrawState State, TRect ARect) {
    if (Item->IsLine())
        DrawLineItem(Menu, Item, ACanvas, State, ARect);
    else
        DrawMenuItem(Menu, Item, ACanvas, State, ARect);
}

void DrawLineItem(IAdvMenu* Menu, TMenuItem* Item, TCanvas* ACanvas, TOwnerDrawState State, TRect ARect) {
    (void)Item;
    (void)State;
    TCustomAdvMenuStyler* s = StylerOf(Menu);
    if (!s) return;
    TSeparator* sep = s->Separator();
    ARect.Left += s->IconBar()->Size();
    const int m = ARect.Top + ARect.Height() / 2;
    TRect line{ARect.Left, m - sep->Width / 2, ARect.Right, m + (sep->Width + 1) / 2};
    DrawGradientEx(ACanvas, line, sep->Color(), sep->ColorTo(), sep->GradientDirection(), sep->GradientType,
                   sep->GradientWidth, sep->Margin);
}

void DrawMenuItem(IAdvMenu* Menu, TMenuItem* Item, TCanvas* ACanvas, TOwnerDrawState State, TRect R) {
    TCustomAdvMenuStyler* s = StylerOf(Menu);
    if (!s) return;
    TMenu* menu = GetParentMenuEx(Item);
    const bool bar = IsInTopMainMenu(Item);
    const bool popupItem = !IsInTopMenu(Item);
    const bool selected = State.Contains(odSelected);
    const bool disabled = State.Contains(odDisabled) || State.Contains(odGrayed) || !Item->Enabled();
    TRootItem* root = s->RootItem();
    if (bar && (selected || State.Contains(odHotLight))) {
        auto color = [&](int i) { return selected ? root->GetSelectedColor(i) : root->GetHoverColor(i); };
        TGradientDirection dir = selected ? root->SelectedGradientDirection : root->HoverGradientDirection;
        TColor border = selected ? root->SelectedBorderColor : root->HoverBorderColor;
        if (color(2) != clNone)
            DrawFramedVistaGradient(ACanvas, R, color(0), color(1), color(2), color(3), dir, border);
        else
            DrawFramedGradient(ACanvas, R, color(0), color(1), dir, border);
        // The open item runs into its drop-down.
        if (selected && Item->Count() > 0)
            Fill(ACanvas, TRect{R.Left, R.Bottom - 1, R.Right - 1, R.Bottom}, s->Background()->Color());
    } else if (bar && root->Color() != clNone) {
        win::HWND wnd = GetMenuWnd(menu);
        if (!wnd) return;
        win::RECT wr{}, client{};
        win::GetWindowRect(wnd, &wr);
        win::GetClientRect(wnd, &client);
        win::POINT origin{0, 0};
        win::ClientToScreen(wnd, &origin);
        TRect k{origin.X - wr.Left, R.Top, origin.X - wr.Left + client.Width(), R.Bottom};
        TRect clip = R;
        if (IsRightmost(Item)) {
            clip.Right = k.Right;
            // A maximised child's caption buttons stand at the bar's right end: the bar stops before them.
            auto* form = dynamic_cast<TCustomForm*>(menu->Owner());
            TCustomForm* frame = !form                             ? nullptr
                                 : form->FormStyle() == fsMDIForm  ? form
                                 : form->FormStyle() == fsMDIChild ? MDIFrameOf(form)
                                                                   : nullptr;
            TCustomForm* child = frame ? frame->ActiveMDIChild() : nullptr;
            if (child && child->WindowState() == wsMaximized)
                clip.Right -= 3 * win::GetSystemMetrics(win::SM_CXMENUSIZE);
        }
        DrawGradientClipped(ACanvas, k, clip, root->Color(), root->ColorTo(), root->GradientDirection());
    }
    if (popupItem && selected) {
        TSelectedItem* sel = s->SelectedItem();
        DrawFramedVistaGradient(ACanvas, R, sel->Color(), sel->ColorTo(), sel->ColorMirror,
                                sel->ColorMirrorTo, sel->GradientDirection(), sel->BorderColor);
    }

    unsigned align = win::DT_LEFT;
    if (bar)
        align = win::DT_CENTER;
    else if (auto* popup = dynamic_cast<TPopupMenu*>(menu))
        align = popup->Alignment() == paRight    ? win::DT_RIGHT
                : popup->Alignment() == paCenter ? win::DT_CENTER
                                                 : win::DT_LEFT;

    const int iconSize = s->IconBar()->Size();
    TRect q{R.Left, R.Top + 1, R.Left + iconSize, R.Bottom - 1};
    const int side = std::min(q.Width(), q.Height());
    AdvMenuUtil::CenterRect(q, side, side);
    TCustomImageList* images = Item->GetImageList();
    const bool image = images && Item->ImageIndex() >= 0 && Item->ImageIndex() < images->Count();
    TCustomImageList* actionImages = ActionImages(Item);
    const bool bitmap = Item->HasBitmap() && !image;
    const bool checkGlyph = Item->Checked() && popupItem && !image && !bitmap;
    if (Item->Checked() && !checkGlyph) {
        TIconBar* icon = s->IconBar();
        TSelectedItem* sel = s->SelectedItem();
        DrawFramedGradient(ACanvas, q, selected ? sel->CheckColor() : icon->CheckColor(),
                           selected ? sel->CheckColorTo() : icon->CheckColorTo(),
                           selected ? sel->CheckGradientDirection : icon->CheckGradientDirection,
                           selected ? sel->CheckBorder : icon->CheckBorder, !disabled);
    }
    int imageWidth = 0;
    if (image || actionImages) {
        TCustomImageList* list = actionImages ? actionImages : images;
        TCustomImageList* disabledList = DisabledImagesOf(menu);
        if (!actionImages && disabled && disabledList) list = disabledList;
        int x = q.Left + (q.Width() - list->Width()) / 2;
        const int y = q.Top + (q.Height() - list->Height()) / 2;
        if (bar) x = R.Left + 6;
        list->Draw(ACanvas, x, y, Item->ImageIndex(), list == disabledList || !disabled);
        imageWidth = list->Width();
    } else {
        TRect sq = q;
        AdvMenuUtil::CenterRect(sq, 16, 16);
        if (bar) sq = TRect{R.Left + 6, sq.Top, R.Left + 22, sq.Bottom};
        if (bitmap) {
            DrawTransparentBitmap(ACanvas, Item->Bitmap(), sq.Left, sq.Top);
            imageWidth = Item->Bitmap()->Width();
        } else if (checkGlyph) {
            DrawCheckGlyph(ACanvas, s, Item, sq, R, State);
        }
    }
    // The platform has no right-to-left system locale, so every submenu shows its arrow.
    if (popupItem && Item->Count() > 0) DrawSubMenuArrow(Item, ACanvas, R, align == win::DT_RIGHT);

    TRect text = R;
    if (popupItem)
        text.Left += iconSize + 8;
    else if (bar && (image || actionImages || bitmap))
        text.Left += imageWidth;
    const unsigned flags = align | win::DT_EXPANDTABS | win::DT_SINGLELINE;
    if (State.Contains(odDefault)) ACanvas->Font()->SetStyle(ACanvas->Font()->Style() + fsBold);
    const bool notes = HasNotes(Menu, Item->Caption());
    const String& caption = Item->Caption();
    TRect measured = text;
    DrawMenuItemText(Item, ACanvas, caption, measured, State, flags | win::DT_CALCRECT | win::DT_NOCLIP);
    if (measured != text) {
        const int h = measured.Height();
        measured = Offset(measured, 0, text.Top - measured.Top + (R.Height() - h) / 2);
        if (bar) {
            measured.Left = text.Left;
            measured.Right = text.Right;
        }
        text = measured;
    }
    DrawMenuItemText(Item, ACanvas, caption, text, State, flags);
    if (popupItem && Item->ShortCut() != 0) {
        TRect sc{measured.Right, text.Top, R.Right - 10, text.Bottom};
        if (notes) sc = TRect{R.Left, R.Top, R.Right - 10, R.Top + ACanvas->TextHeight("gh")};
        String shortcut = AdvMenuUtil::AdvShortCutToText(Item->ShortCut(), Menu->GetIntlKeybShortCuts());
        DrawMenuItemText(Item, ACanvas, shortcut, sc, State, win::DT_RIGHT | win::DT_SINGLELINE);
    }
}

void DrawMenuItemText(TMenuItem* Item, TCanvas* ACanvas, const String& Text, TRect& R, TOwnerDrawState State,
                      unsigned Flags) {
    IAdvMenu* intf = GetMenuItemIntf(Item);
    TCustomAdvMenuStyler* s = StylerOf(intf);
    if (!s) return;
    TMenu* menu = GetParentMenuEx(Item);
    if (menu && menu->IsRightToLeft()) Flags |= win::DT_RIGHT | win::DT_RTLREADING;
    const bool calc = (Flags & win::DT_CALCRECT) != 0;
    String text = Text;
    if (calc && (text.empty() || text == "&")) text += " ";
    ACanvas->Brush()->SetStyle(bsClear);
    const bool selected = State.Contains(odSelected);
    const bool disabled = State.Contains(odDisabled) || State.Contains(odGrayed);
    const bool bold = State.Contains(odDefault) || Item->Default();
    TFont* menuFont = GetScreen()->MenuFont();
    // The system font gives face and size; the colour stays the look's own.
    auto useFont = [&](bool System, TFont* Own) {
        ACanvas->Font()->Assign(System ? menuFont : Own);
        ACanvas->Font()->SetColor(Own->Color());
    };
    if (IsInTopMenu(Item)) {
        TRootItem* root = s->RootItem();
        useFont(root->UseSystemFont(), root->Font());
        if (selected && root->SelectedTextColor != clNone)
            ACanvas->Font()->SetColor(root->SelectedTextColor);
        else if (State.Contains(odHotLight) && root->HoverTextColor != clNone)
            ACanvas->Font()->SetColor(root->HoverTextColor);
    } else if (selected) {
        TSelectedItem* sel = s->SelectedItem();
        useFont(sel->UseSystemFont(), sel->Font());
    } else {
        useFont(s->UseSystemFont(), s->Font());
    }
    if (bold) ACanvas->Font()->SetStyle(ACanvas->Font()->Style() + fsBold);
    if (disabled) ACanvas->Font()->SetColor(DisabledColor(selected));
    const TAntiAlias aa = s->AntiAlias();
    const bool notes = HasNotes(intf, text);
    // The anti-aliased and the notes texts keep the rectangle they are given: they place their own lines.
    if (calc && (notes || aa != AdvGDIP::aaNone)) return;
    win::HDC dc = ACanvas->Handle();
    win::SetBkMode(dc, win::TRANSPARENT);
    if (State.Contains(odNoAccel)) Flags |= win::DT_HIDEPREFIX;
    if (notes) {
        std::vector<String> parts = SplitNotes(text);
        TFont* notesFont = selected ? s->SelectedItem()->NotesFont() : s->NotesFont();
        if (aa != AdvGDIP::aaNone) {
            auto align = (Flags & win::DT_CENTER)  ? gdip::StringAlignmentCenter
                         : (Flags & win::DT_RIGHT) ? gdip::StringAlignmentFar
                                                   : gdip::StringAlignmentNear;
            DrawSmoothText(ACanvas, parts[0], R, ACanvas->Font()->Color(), aa, align, false);
            ACanvas->Font()->Assign(notesFont);
            if (disabled) ACanvas->Font()->SetColor(DisabledColor(selected));
            const int line = ACanvas->TextHeight("gh");
            for (size_t i = 1; i < parts.size(); ++i)
                DrawSmoothText(ACanvas, parts[i], R, ACanvas->Font()->Color(), aa, align, false,
                               20.0f + static_cast<float>((i - 1) * line));
            return;
        }
        Flags = (Flags & ~(win::DT_VCENTER | win::DT_BOTTOM)) | win::DT_SINGLELINE;
        win::RECT rc = R;
        win::DrawText(dc, parts[0].c_str(), -1, &rc, Flags);
        TRect line = R;
        line.Top += ACanvas->TextHeight("gh");
        ACanvas->Font()->Assign(notesFont);
        if (disabled) ACanvas->Font()->SetColor(DisabledColor(selected));
        const int step = ACanvas->TextHeight("gh");
        for (size_t i = 1; i < parts.size(); ++i) {
            win::RECT lr = line;
            win::DrawText(ACanvas->Handle(), parts[i].c_str(), -1, &lr, Flags);
            line.Top += step;
            line.Bottom += step;
        }
        return;
    }
    if (aa != AdvGDIP::aaNone) {
        auto align = IsInTopMenu(Item) || (Flags & win::DT_CENTER) ? gdip::StringAlignmentCenter
                     : (Flags & win::DT_RIGHT)                     ? gdip::StringAlignmentFar
                                                                   : gdip::StringAlignmentNear;
        DrawSmoothText(ACanvas, text, R, ACanvas->Font()->Color(), aa, align, true);
        return;
    }
    win::RECT rc = R;
    win::DrawText(dc, text.c_str(), -1, &rc, Flags);
    if (calc) R = rc;
}

// ---- Side bar

void DrawBarCaption(IAdvMenu* Menu, TCanvas* ACanvas, const TRect& Bar) {
    TCustomAdvMenuStyler* s = StylerOf(Menu);
    if (!s || s->SideBar()->Caption.empty()) return;
    TSideBar* side = s->SideBar();
    ACanvas->Font()->Assign(side->Font());
    const bool up = side->Direction == dDownToUp;
    TSize e = ACanvas->TextExtent(side->Caption);
    // Halves round to even, as the bar's original placement did.
    int x = static_cast<int>(std::lrint((side->Size - e.cy) / 2.0 - 0.5));
    int y;
    const bool fromBottom =
        (side->Alignment == taLeftJustify && up) || (side->Alignment == taRightJustify && !up);
    if (side->Alignment == taCenter) {
        y = static_cast<int>(std::lrint((Bar.Height() + e.cx) / 2.0 - 0.5));
    } else if (fromBottom) {
        y = Bar.Height() - side->TextOffset;
        TBackground* image = side->Image();
        if ((image->Position == bpBottomLeft || image->Position == bpBottomRight) && image->HasImage())
            y -= image->Image()->Height();
    } else {
        y = side->TextOffset + e.cx;
    }
    if (!up) {
        y -= e.cx;
        x += e.cy + 1;
    }
    win::HFONT turned = AdvMenuUtil::CreateRotatedFont(side->Font(), up ? 90 : -90);
    win::HDC dc = ACanvas->Handle();
    win::HGDIOBJ old = win::SelectObject(dc, turned);
    const int saved = win::SaveDC(dc);
    win::IntersectClipRect(dc, Bar.Left, Bar.Top, Bar.Right, Bar.Bottom + 1);
    win::SetBkMode(dc, win::TRANSPARENT);
    auto out = [&](int dx, int dy, TColor color) {
        win::SetTextColor(dc, static_cast<win::COLORREF>(ColorToRGB(color)));
        win::TextOut(dc, Bar.Left + x + dx, Bar.Top + y + dy, side->Caption.c_str(),
                     static_cast<int>(side->Caption.size()));
    };
    if (side->HighlightColor != clNone) out(-side->Depth, side->Depth, side->HighlightColor);
    if (side->ShadowColor != clNone) out(side->Depth, -side->Depth, side->ShadowColor);
    out(0, 0, side->Font()->Color());
    win::RestoreDC(dc, saved);
    win::SelectObject(dc, old);
    win::DeleteObject(turned);
}

void DrawBarBorder(IAdvMenu* Menu, TCanvas* ACanvas, const TRect& Bar) {
    TCustomAdvMenuStyler* s = StylerOf(Menu);
    if (!s || s->SideBar()->BorderColor == clNone) return;
    TSideBar* side = s->SideBar();
    TRect b = Bar;
    if (side->BarPosition == spLeft)
        b.Right -= side->SplitterWidth;
    else
        b.Left += side->SplitterWidth;
    ACanvas->Brush()->SetStyle(bsSolid);
    ACanvas->Brush()->SetColor(side->BorderColor);
    ACanvas->FrameRect(b);
}

void DrawBarSplitter(IAdvMenu* Menu, TCanvas* ACanvas, const TRect& Bar) {
    TCustomAdvMenuStyler* s = StylerOf(Menu);
    if (!s || s->SideBar()->SplitterColor == clNone) return;
    TSideBar* side = s->SideBar();
    TRect strip{Bar.Left, Bar.Top, Bar.Left + side->SplitterWidth, Bar.Bottom};
    if (side->BarPosition == spLeft)
        strip = TRect{Bar.Right - side->SplitterWidth, Bar.Top, Bar.Right, Bar.Bottom};
    DrawGradientEx(ACanvas, strip, side->SplitterColor, side->SplitterColorTo, gdVertical,
                   side->SplitterGradientType, side->SplitterGradientWidth, side->SplitterMargin);
}

void DrawSubMenuArrow(TMenuItem* Item, TCanvas* ACanvas, const TRect& R, bool RightAligned) {
    TCustomAdvMenuStyler* s = StylerOf(GetMenuItemIntf(Item));
    if (!s) return;
    const int y = (R.Top + R.Bottom - 5) / 2;
    TRect box =
        RightAligned ? TRect{R.Left + 5, y, R.Left + 8, y + 6} : TRect{R.Right - 8, y, R.Right - 5, y + 6};
    TBitmap* arrow = s->Glyphs()->SubMenu();
    DrawMonoGlyph(ACanvas, arrow, box.Left + (box.Width() - arrow->Width()) / 2,
                  box.Top + (box.Height() - arrow->Height()) / 2, clBlack);
}

} // namespace AdvMenus
