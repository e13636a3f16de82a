// The popup menu panel: item layout, painting from the menu styler, hot tracking, check toggling, the
// sub-popup of an item with children, and the keyboard.

#include "components/toolbar/options/PopupMenuPanel.h"

#include <algorithm>

#include "components/foundation/AdvGlowButton.h"
#include "components/menus/AdvMenuPaint.h"
#include "components/menus/AdvMenuStylerParts.h"
#include "components/toolbar/dock/ToolBar.h"
#include "components/toolbar/dock/ToolBarButton.h"
#include "components/toolbar/options/PopupMenuWindow.h"
#include "components/toolbar/styler/ToolBarDraw.h"
#include "platform/vcl/ActnList.h"

namespace AdvToolBar {

// ---- TATBMenuItem

TATBMenuItem::~TATBMenuItem() = default;

TATBMenuItem* TATBMenuItem::Add() {
    auto item = std::make_unique<TATBMenuItem>();
    item->SetFParentItem(this);
    FChildren.push_back(std::move(item));
    return FChildren.back().get();
}

void TATBMenuItem::Clear() {
    FChildren.clear();
}

// ---- TATBCustomPopupPanel

TATBCustomPopupPanel::TATBCustomPopupPanel(vcl::TComponent* AOwner)
    : vcl::TCustomPanel(AOwner), FOwner(AOwner) {
    SetBevelOuter(vcl::bvNone);
    SetBevelWidth(1);
    SetColor(0xF7F8F9); // RGB(249, 248, 247)
}

void TATBCustomPopupPanel::Paint() {
    vcl::TCustomPanel::Paint();
    vcl::TCanvas* c = Canvas();
    if (FColorTo != vcl::clNone)
        DrawGradient(c, Color(), FColorTo, 40, vcl::TRect{0, 0, Width(), Height()},
                     FGradientDirection == gdHorizontal);
    c->Brush()->SetStyle(vcl::bsClear);
    c->Pen()->SetColor(FWindowBorderColor);
    c->Rectangle(0, 0, Width(), Height());
}

// ---- TATBPopupPanel

namespace {

bool HasImage(vcl::TControl* C) {
    auto actionImage = [](vcl::TControl* Control) {
        auto* a = dynamic_cast<vcl::TCustomAction*>(Control->Action());
        return a != nullptr && a->ActionList() != nullptr && a->ImageIndex() >= 0;
    };
    if (auto* b = dynamic_cast<TAdvCustomToolBarButton*>(C))
        return b->ImageIndex() >= 0 || !b->Glyph()->Empty();
    if (auto* g = dynamic_cast<AdvGlowButton::TAdvCustomGlowButton*>(C))
        return g->ImageIndex() >= 0 || !g->Picture()->Empty() || actionImage(g);
    return false;
}

} // namespace

TATBPopupPanel::TATBPopupPanel(vcl::TComponent* AOwner) : TATBCustomPopupPanel(AOwner) {}

TATBPopupWindow* TATBPopupPanel::Window() const {
    return dynamic_cast<TATBPopupWindow*>(Parent());
}

void TATBPopupPanel::Notification(vcl::TComponent* AComponent, vcl::TOperation Operation) {
    TATBCustomPopupPanel::Notification(AComponent, Operation);
    if (Operation == vcl::opRemove && AComponent == FItemPopup) FItemPopup = nullptr;
    if (Operation == vcl::opRemove && AComponent == FAdvMenuStyler) FAdvMenuStyler = nullptr;
}

void TATBPopupPanel::SetAdvMenuStyler(AdvMenuStylers::TCustomAdvMenuStyler* Value) {
    if (FAdvMenuStyler == Value) return;
    if (FAdvMenuStyler != nullptr) FAdvMenuStyler->RemoveFreeNotification(this);
    FAdvMenuStyler = Value;
    if (Value != nullptr) Value->FreeNotification(this);
}

void TATBPopupPanel::SetItems(TATBMenuItem* Value) {
    FItems = Value;
    FHotItem = -1;
    FPopupItem = -1;
    if (FItems != nullptr) ArrangeItems();
}

void TATBPopupPanel::ArrangeItems() {
    vcl::TCanvas* c = Canvas();
    c->SetFont(Font());
    int w = 0;
    for (int i = 0; i < Count(); ++i) {
        TATBMenuItem* item = Item(i);
        w = std::max(w, c->TextWidth(item->Caption()) + 7);
        if (item->HasChildren()) w += 30;
    }
    for (int i = 0; i < Count() && !FShowImageBar; ++i)
        if (vcl::TControl* control = Item(i)->Control(); control != nullptr && HasImage(control))
            FShowImageBar = true;
    if (FAdvMenuStyler != nullptr && FShowIconBar) w += FAdvMenuStyler->IconBar()->Size();
    if (FShowImageBar) w += FImageBarSize;
    w = std::max(w, 70);
    int y = FMarginY;
    for (int i = 0; i < Count(); ++i) {
        Item(i)->ItemRect = vcl::TRect{FMarginX, y, FMarginX + w, y + FItemHeight};
        y += FItemHeight + FMarginY;
    }
    SetWidth(2 * FMarginX + w);
    SetHeight(y);
}

void TATBPopupPanel::Paint() {
    TATBCustomPopupPanel::Paint();
    vcl::TCanvas* c = Canvas();
    vcl::TRect inner{FMarginX, FMarginY, Width() - FMarginX, Height() - FMarginY};
    vcl::TRect bar{inner.Left, inner.Top, inner.Left, inner.Bottom};
    auto fill = [&](TColor From, TColor To) {
        if (From != vcl::clNone && To != vcl::clNone) {
            DrawGradient(c, From, To, 40, bar, true);
        } else {
            c->Pen()->SetColor(From);
            c->Brush()->SetStyle(vcl::bsSolid);
            c->Brush()->SetColor(From);
            c->Rectangle(bar);
        }
    };
    if (FAdvMenuStyler != nullptr && FShowIconBar) {
        AdvMenuStylers::TIconBar* icon = FAdvMenuStyler->IconBar();
        bar.Right += icon->Size();
        if (FShowImageBar) bar.Right += FImageBarSize;
        fill(icon->Color(), icon->ColorTo());
        FImageBarColor = icon->ColorTo();
    } else if (FShowImageBar && FAdvMenuStyler != nullptr) {
        AdvMenuStylers::TIconBar* icon = FAdvMenuStyler->IconBar();
        FImageBarColor = icon->Color();
        FImageBarColorTo = icon->ColorTo();
        bar.Right += FImageBarSize;
        fill(FImageBarColor, FImageBarColorTo);
    }
    DrawAllItems();
}

void TATBPopupPanel::DrawAllItems() {
    for (int i = 0; i < Count(); ++i)
        DrawItem(i);
}

void TATBPopupPanel::DrawItem(int Index) {
    if (!Valid(Index)) return;
    TATBMenuItem* item = Item(Index);
    vcl::TCanvas* c = Canvas();
    const vcl::TRect r = item->ItemRect;
    vcl::TRect t = r;
    const bool hot = Index == FHotItem;
    // Every panel made by the option popups has a menu styler; one without paints no hot face, bars
    // or glyphs rather than reading a styler that is not there.
    AdvMenuStylers::TCustomAdvMenuStyler* s = FAdvMenuStyler;
    if (hot && s != nullptr) {
        AdvMenuStylers::TSelectedItem* sel = s->SelectedItem();
        if (sel->Color() != vcl::clNone && sel->ColorTo() != vcl::clNone) {
            DrawGradient(c, sel->Color(), sel->ColorTo(), 40, r,
                         sel->GradientDirection() == AdvMenuStylers::gdHorizontal);
        } else {
            c->Pen()->SetColor(sel->Color());
            c->Brush()->SetStyle(vcl::bsSolid);
            c->Brush()->SetColor(sel->Color());
            c->Rectangle(r);
        }
        if (sel->BorderColor != vcl::clNone) {
            c->Brush()->SetStyle(vcl::bsClear);
            c->Pen()->SetColor(sel->BorderColor);
            c->Rectangle(r);
        }
    }
    if (FShowIconBar && s != nullptr) {
        vcl::TRect cell{r.Left, r.Top, r.Left + s->IconBar()->Size(), r.Bottom};
        t.Left = cell.Right;
        if (item->AutoCheck())
            DrawItemCheck(item, vcl::TRect{cell.Left + 1, cell.Top + 1, cell.Right - 2, cell.Bottom - 1},
                          hot);
        else if (!FShowImageBar)
            DrawItemImage(item, cell);
    }
    if (FShowImageBar) {
        vcl::TRect cell{t.Left, r.Top, t.Left + FImageBarSize, r.Bottom};
        t.Left = cell.Right;
        DrawItemImage(item, cell);
    }
    t.Left += 4;
    c->SetFont(Font());
    c->Brush()->SetStyle(vcl::bsClear);
    String caption = item->Caption();
    c->TextRect(t, caption, {vcl::tfVerticalCenter, vcl::tfSingleLine});
    if (item->HasChildren()) DrawSubMenuArrow(r);
}

void TATBPopupPanel::DrawItemCheck(TATBMenuItem* Item, const vcl::TRect& R, bool Hot) {
    if (!Item->Checked() || !Item->Enabled() || FAdvMenuStyler == nullptr) return;
    vcl::TCanvas* c = Canvas();
    AdvMenuStylers::TIconBar* icon = FAdvMenuStyler->IconBar();
    AdvMenuStylers::TSelectedItem* sel = FAdvMenuStyler->SelectedItem();
    const TColor check = Hot ? sel->CheckColor() : icon->CheckColor();
    const TColor checkTo = Hot ? sel->CheckColorTo() : icon->CheckColorTo();
    const TColor border = Hot ? sel->BorderColor : icon->CheckBorder;
    if (checkTo != vcl::clNone) {
        DrawGradient(c, check, checkTo, 16, R, true);
    } else if (check != vcl::clNone) {
        c->Pen()->SetColor(check);
        c->Brush()->SetStyle(vcl::bsSolid);
        c->Brush()->SetColor(check);
        c->Rectangle(R);
    }
    auto frame = [&](TColor Color) {
        if (Color == vcl::clNone) return;
        c->Brush()->SetStyle(vcl::bsSolid);
        c->Brush()->SetColor(Color);
        c->FrameRect(R);
    };
    frame(border);
    vcl::TBitmap glyph;
    glyph.Assign(FAdvMenuStyler->Glyphs()->Check());
    if (glyph.Empty()) return;
    if (Hot) frame(sel->BorderColor);
    // Drawn transparent, so that the check cell's colours show around the mark.
    glyph.SetTransparent(true);
    c->Font()->SetColor(vcl::clBlack);
    c->Brush()->SetStyle(vcl::bsClear);
    c->Draw(R.Left + (R.Width() - glyph.Width()) / 2, R.Top + (R.Height() - glyph.Height()) / 2, &glyph);
}

void TATBPopupPanel::DrawItemImage(TATBMenuItem* Item, const vcl::TRect& Cell) {
    vcl::TControl* control = Item->Control();
    if (control == nullptr) return;
    vcl::TCanvas* c = Canvas();
    auto fits = [&](int W, int H) { return W <= Cell.Width() && H <= Cell.Height(); };
    auto centred = [&](int W, int H) {
        return vcl::TPoint{Cell.Left + (Cell.Width() - W) / 2, Cell.Top + (Cell.Height() - H) / 2};
    };
    auto fromList = [&](vcl::TCustomImageList* List, int Index) {
        if (List == nullptr || Index < 0) return false;
        if (fits(List->Width(), List->Height())) {
            vcl::TPoint p = centred(List->Width(), List->Height());
            List->Draw(c, p.X, p.Y, Index);
        } else {
            vcl::TBitmap bmp;
            List->GetBitmap(Index, &bmp);
            bmp.SetTransparent(true);
            c->StretchDraw(Cell, &bmp);
        }
        return true;
    };
    auto withAction = [&](vcl::TCustomImageList*& List, int& Index) {
        auto* a = dynamic_cast<vcl::TCustomAction*>(control->Action());
        if (a == nullptr || a->ActionList() == nullptr) return;
        if (a->ActionList()->Images() != nullptr) List = a->ActionList()->Images();
        Index = a->ImageIndex();
    };
    TATBPopupWindow* w = Window();
    vcl::TCustomImageList* toolBarImages =
        w != nullptr && w->AdvToolBar() != nullptr ? w->AdvToolBar()->Images() : nullptr;
    if (auto* b = dynamic_cast<TAdvCustomToolBarButton*>(control)) {
        vcl::TCustomImageList* list = toolBarImages;
        int index = b->ImageIndex();
        withAction(list, index);
        if (fromList(list, index)) return;
        vcl::TBitmap* glyph = b->Glyph();
        if (glyph->Empty()) return;
        if (fits(glyph->Width(), glyph->Height())) {
            vcl::TPoint p = centred(glyph->Width(), glyph->Height());
            c->Draw(p.X, p.Y, glyph);
        } else {
            c->StretchDraw(Cell, glyph);
        }
    } else if (auto* g = dynamic_cast<AdvGlowButton::TAdvCustomGlowButton*>(control)) {
        vcl::TCustomImageList* list = toolBarImages;
        int index = g->ImageIndex();
        withAction(list, index);
        if (fromList(list, index)) return;
        GDIPicture::TGDIPPicture* picture = g->Picture();
        if (picture->Empty()) return;
        picture->GetImageSizes();
        if (fits(picture->Width(), picture->Height())) {
            vcl::TPoint p = centred(picture->Width(), picture->Height());
            c->Draw(p.X, p.Y, picture);
        } else {
            c->StretchDraw(Cell, picture);
        }
    }
}

void TATBPopupPanel::DrawSubMenuArrow(const vcl::TRect& R) {
    if (FAdvMenuStyler == nullptr) return;
    vcl::TBitmap* glyph = FAdvMenuStyler->Glyphs()->SubMenu();
    if (glyph->Empty()) return;
    const int y = (R.Top + R.Bottom - 5) / 2;
    vcl::TRect a{R.Right - 8, y, R.Right - 5, y + 6};
    CenterRect(a, glyph->Width(), glyph->Height());
    // The glyph is a mark: its black pixels drawn in the text colour, as the menus draw it.
    AdvMenus::DrawMonoGlyph(Canvas(), glyph, a.Left, a.Top, Font()->Color());
}

void TATBPopupPanel::InvalidateItem(int Index) {
    if (!Valid(Index) || !HandleAllocated()) return;
    win::RECT r = Item(Index)->ItemRect;
    win::InvalidateRect(WindowHandle(), &r, true);
}

int TATBPopupPanel::IndexOfItemAt(int X, int Y) const {
    for (int i = 0; i < Count(); ++i)
        if (Item(i)->ItemRect.Contains(vcl::TPoint{X, Y})) return i;
    return -1;
}

void TATBPopupPanel::SetHotItem(int Index) {
    if (Index == FHotItem) return;
    if (FHotItem >= 0) {
        HideItemPopup();
        int old = FHotItem;
        FHotItem = -1;
        InvalidateItem(old);
    }
    FHotItem = Index;
    if (FHotItem >= 0) InvalidateItem(FHotItem);
}

void TATBPopupPanel::ToggleCheck(int Index) {
    if (!Valid(Index)) return;
    TATBMenuItem* item = Item(Index);
    vcl::TControl* control = item->Control();
    if (control == nullptr) return;
    // A control freed while the popup is up has left its toolbar's list: its item does nothing.
    TATBPopupWindow* w = Window();
    if (w != nullptr && w->AdvToolBar() != nullptr && w->AdvToolBar()->IndexOfToolBarControl(control) < 0)
        return;
    control->SetVisible(!control->Visible());
    item->SetChecked(control->Visible());
    InvalidateItem(Index);
}

void TATBPopupPanel::ItemClick(int Index) {
    // The popup stays open: several controls can be switched in a row.
    if (Valid(Index) && Item(Index)->AutoCheck()) ToggleCheck(Index);
}

void TATBPopupPanel::ShowItemPopup() {
    if (FPopupItem == FHotItem || FHotItem < 0) return;
    HideItemPopup();
    TATBMenuItem* hot = Item(FHotItem);
    if (!hot->HasChildren()) return;
    TATBPopupWindow* own = Window();
    if (FItemPopup == nullptr) {
        FItemPopup = new TATBPopupWindow(this, 0);
        FItemPopup->SetBorderIcons({});
        FItemPopup->SetBorderStyle(vcl::bsNone);
        FItemPopup->SetFormStyle(vcl::fsStayOnTop);
        FItemPopup->SetVisible(false);
        FItemPopup->SetWidth(10);
        FItemPopup->SetHeight(10);
        FItemPopup->SetBorderWidth(0);
        FItemPopup->SetAdvToolBar(own != nullptr ? own->AdvToolBar() : nullptr);
        FItemPopup->OnHide = [this](vcl::TObject* Sender) { OnItemPopupHide(Sender); };
        FItemPopup->OnDeActivateHide = [this](vcl::TObject* Sender) { OnItemPopupDeActivateHide(Sender); };
    }
    TATBPopupPanel* sub = FItemPopup->PopupPanel();
    sub->SetItems(hot);
    sub->SetShowIconBar(true);
    sub->SetAdvMenuStyler(FAdvMenuStyler);
    FPopupItem = FHotItem;
    sub->ArrangeItems();
    FItemPopup->SetWindowSize();
    if (own != nullptr) own->SetHideOnDeActivate(false);
    vcl::TPoint p = ClientToScreen(vcl::TPoint{hot->ItemRect.Right + 2, hot->ItemRect.Top});
    const int leftX = ClientToScreen(vcl::TPoint{hot->ItemRect.Left, 0}).X;
    p = popups::FitPopup(p, vcl::TSize{FItemPopup->Width(), FItemPopup->Height()}, leftX);
    FItemPopup->SetBounds(p.X, p.Y, FItemPopup->Width(), FItemPopup->Height());
    FItemPopup->Show();
}

void TATBPopupPanel::HideItemPopup() {
    if (FItemPopup != nullptr && FItemPopup->Visible()) FItemPopup->Hide();
}

void TATBPopupPanel::OnItemPopupHide(vcl::TObject*) {
    if (TATBPopupWindow* w = Window()) w->SetHideOnDeActivate(true);
    FPopupItem = -1;
}

void TATBPopupPanel::OnItemPopupDeActivateHide(vcl::TObject*) {
    // A click outside closes the whole chain of popups.
    TATBPopupWindow* w = Window();
    if (w == nullptr) return;
    w->Hide();
    if (w->OnDeActivateHide) w->OnDeActivateHide(w);
}

void TATBPopupPanel::BeforeHide() {
    HideItemPopup();
    FHotItem = -1;
    FPopupItem = -1;
}

void TATBPopupPanel::MouseMove(vcl::TShiftState Shift, int X, int Y) {
    TATBCustomPopupPanel::MouseMove(Shift, X, Y);
    int i = IndexOfItemAt(X, Y);
    if (i >= 0 && i != FHotItem && !Shift.Contains(vcl::ssLeft)) {
        SetHotItem(i);
        ShowItemPopup();
    }
}

void TATBPopupPanel::MouseUp(vcl::TMouseButton Button, vcl::TShiftState Shift, int X, int Y) {
    TATBCustomPopupPanel::MouseUp(Button, Shift, X, Y);
    ItemClick(IndexOfItemAt(X, Y));
}

// Up and Down move the highlight, Right (or Return on an item with children) opens the sub-popup and
// Left closes it back to its parent, Space or Return toggles a check, Escape closes this popup.
void TATBPopupPanel::KeyDown(vcl::Word& Key, vcl::TShiftState Shift) {
    TATBCustomPopupPanel::KeyDown(Key, Shift);
    const int n = Count();
    TATBPopupWindow* w = Window();
    switch (Key) {
    case win::VK_DOWN:
    case win::VK_UP:
        if (n > 0) {
            int step = Key == win::VK_DOWN ? 1 : n - 1;
            SetHotItem(FHotItem < 0 ? (Key == win::VK_DOWN ? 0 : n - 1) : (FHotItem + step) % n);
        }
        break;
    case win::VK_RIGHT:
        if (Valid(FHotItem) && Item(FHotItem)->HasChildren()) {
            ShowItemPopup();
            if (FItemPopup != nullptr && FItemPopup->Visible()) FItemPopup->PopupPanel()->SetHotItem(0);
        }
        break;
    case win::VK_RETURN:
    case win::VK_SPACE:
        if (Valid(FHotItem) && Item(FHotItem)->HasChildren()) {
            ShowItemPopup();
            if (FItemPopup != nullptr && FItemPopup->Visible()) FItemPopup->PopupPanel()->SetHotItem(0);
        } else {
            ItemClick(FHotItem);
        }
        break;
    case win::VK_LEFT:
    case win::VK_ESCAPE:
        // A sub-popup gives the keyboard back to its parent; the first popup closes itself and lets
        // its owner know, as losing activation would.
        if (w == nullptr) break;
        if (Key == win::VK_LEFT && dynamic_cast<TATBPopupPanel*>(w->Owner()) == nullptr) break;
        w->Hide();
        if (auto* parent = dynamic_cast<TATBPopupPanel*>(w->Owner())) {
            if (TATBPopupWindow* pw = parent->Window(); pw != nullptr && pw->Visible()) pw->SetFocus();
        } else if (w->OnDeActivateHide) {
            w->OnDeActivateHide(w);
        }
        break;
    default:
        return;
    }
    Key = 0;
}

void TATBPopupPanel::WndProc(vcl::TMessage& Message) {
    if (Message.Msg == win::WM_GETDLGCODE) {
        Message.Result = win::DLGC_WANTARROWS | win::DLGC_WANTALLKEYS;
        return;
    }
    TATBCustomPopupPanel::WndProc(Message);
    // Leaving the panel while a sub-popup is open keeps its item highlighted.
    if (Message.Msg == vcl::CM_MOUSELEAVE && Message.LParam == 0 && FPopupItem < 0) SetHotItem(-1);
}

} // namespace AdvToolBar
