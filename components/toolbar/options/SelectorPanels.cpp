// The control selector panel of the option window and the "Customize" panel.

#include "components/toolbar/options/SelectorPanels.h"

#include <algorithm>

#include "components/foundation/AdvGlowButton.h"
#include "components/menus/AdvMenuStylerParts.h"
#include "components/toolbar/dock/ToolBar.h"
#include "components/toolbar/dock/ToolBarButton.h"
#include "components/toolbar/options/PopupMenuWindow.h"
#include "components/toolbar/styler/ToolBarDraw.h"
#include "platform/vcl/Menu.h"
#include "platform/win/Input.h"

namespace AdvToolBar {

namespace {

// Fills an item's face: a gradient with a black frame when both colours are set, else a rectangle
// in the first colour when it is set.
void ItemFace(vcl::TCanvas* C, const vcl::TRect& R, TColor Color, TColor ColorTo) {
    if (Color != vcl::clNone && ColorTo != vcl::clNone) {
        DrawGradient(C, Color, ColorTo, 40, R, false);
        C->Brush()->SetStyle(vcl::bsClear);
        C->Pen()->SetColor(vcl::clBlack);
        C->Rectangle(R);
    } else if (Color != vcl::clNone) {
        C->Brush()->SetStyle(vcl::bsSolid);
        C->Brush()->SetColor(Color);
        C->Rectangle(R);
    }
}

void SetTahoma8(vcl::TCanvas* C) {
    C->Font()->SetName("Tahoma");
    C->Font()->SetSize(8);
}

} // namespace

// ---- TControlSelectorPanel

TControlSelectorPanel::TControlSelectorPanel(vcl::TComponent* AOwner)
    : TOptionSelectorPanel(AOwner), FControls(std::make_unique<TDbgList>()),
      FAddRemoveItem(std::make_unique<TSelectorItem>()), FOptionsItem(std::make_unique<TSelectorItem>()),
      FHoverTimer(std::make_unique<vcl::TTimer>(nullptr)), FSeparatorCopies(std::make_unique<TDbgList>()) {
    FAddRemoveItem->SetCaption("Add or Remove Buttons");
    FAddRemoveItem->SetWidth(130);
    FOptionsItem->SetCaption("Options");
    FOptionsItem->SetWidth(130);
    FHoverTimer->SetEnabled(false);
    FHoverTimer->SetInterval(1);
    FHoverTimer->OnTimer = [this](vcl::TObject* Sender) { TimerOnTime(Sender); };
}

TControlSelectorPanel::~TControlSelectorPanel() {
    FHoverTimer.reset();
}

void TControlSelectorPanel::Notification(vcl::TComponent* AComponent, vcl::TOperation Operation) {
    TOptionSelectorPanel::Notification(AComponent, Operation);
    if (Operation != vcl::opRemove) return;
    if (AComponent == FAddRemovePopup) FAddRemovePopup = nullptr;
    if (AComponent == FOptionsPopup) {
        FOptionsPopup = nullptr;
        FCustomizeOption = nullptr; // owned by that window
    }
    if (auto* s = dynamic_cast<TAdvToolBarSeparator*>(AComponent);
        s != nullptr && FSeparatorCopies->IndexOf(s) >= 0) {
        FSeparatorCopies->Remove(s);
        FControls->Remove(static_cast<vcl::TControl*>(s));
    }
}

TOptionSelectorWindow* TControlSelectorPanel::OptionWindow() const {
    return dynamic_cast<TOptionSelectorWindow*>(Parent());
}

int TControlSelectorPanel::AddControl(vcl::TControl* Control) {
    if (Control == nullptr) return -1;
    Control->SetParent(this);
    int i = FControls->IndexOf(Control);
    return i >= 0 ? i : FControls->Add(Control);
}

void TControlSelectorPanel::RemoveControl(vcl::TControl* Control) {
    if (FControls->IndexOf(Control) < 0) return;
    FControls->Remove(Control);
    ArrangeControls();
}

TAdvToolBarSeparator* TControlSelectorPanel::AddCopySeparator(TAdvToolBarSeparator* Separator) {
    auto* copy = new TAdvToolBarSeparator(this);
    copy->Assign(Separator);
    FSeparatorCopies->Add(copy);
    AddControl(copy);
    return copy;
}

void TControlSelectorPanel::DoHide() {
    // Each copy leaves the list through Notification as it goes.
    while (FSeparatorCopies->Count() > 0)
        vcl::FreeComponent(FSeparatorCopies->At<TAdvToolBarSeparator>(FSeparatorCopies->Count() - 1));
}

bool TControlSelectorPanel::IsEmpty() const {
    return FControls->Count() == 0 && !FShowAddAndRemoveBtn && !ShowOptionsBtn();
}

void TControlSelectorPanel::SetTextAutoOptionMenu(const String& Value) {
    FAddRemoveItem->SetCaption(Value);
    ReSetButtonSize();
}

void TControlSelectorPanel::SetTextOptionMenu(const String& Value) {
    if (Value == FOptionsItem->Caption()) return;
    FOptionsItem->SetCaption(Value);
    ReSetButtonSize();
}

void TControlSelectorPanel::ReSetButtonSize() {
    vcl::TCanvas* c = Canvas();
    SetTahoma8(c);
    int w = 130;
    auto measure = [&](const TSelectorItem& Item) {
        win::RECT r{0, 0, 1000, 100};
        String text = Item.Caption();
        win::DrawText(c->Handle(), text.c_str(), -1, &r, win::DT_CALCRECT | win::DT_SINGLELINE);
        w = std::max(w, r.Width() + 15);
    };
    if (FShowAddAndRemoveBtn) measure(*FAddRemoveItem);
    if (ShowOptionsBtn()) measure(*FOptionsItem);
    FAddRemoveItem->SetWidth(w);
    FOptionsItem->SetWidth(w);
}

void TControlSelectorPanel::ArrangeControls() {
    // The items are measured again here as well: the customizer that shows the Options item is set
    // after the texts, so sizing only when a text changes would leave that item at the other's width.
    ReSetButtonSize();
    for (int i = 0; i < vcl::TWinControl::ControlCount(); ++i) {
        vcl::TControl* c = vcl::TWinControl::Controls(i);
        if (FControls->IndexOf(c) < 0) c->SetTop(-c->Height() - 2); // parked above the panel
    }
    int w = FAddRemoveItem->Width();
    for (void* p : *FControls)
        w = std::max(w, static_cast<vcl::TControl*>(p)->Width());
    int x = FMarginX;
    int y = FMarginY;
    int line = 0;
    for (void* p : *FControls) {
        auto* c = static_cast<vcl::TControl*>(p);
        if (c->Width() > w - x) {
            x = FMarginX;
            y += line;
            line = 0;
        }
        c->SetBounds(x, y, c->Width(), c->Height());
        x += c->Width();
        line = std::max(line, c->Height());
    }
    int h = y + line;
    if (FShowAddAndRemoveBtn) h += FAddRemoveItem->Height();
    if (ShowOptionsBtn()) h += FOptionsItem->Height();
    if (FControls->Count() > 0 && (FShowAddAndRemoveBtn || ShowOptionsBtn())) h += FGap;
    SetWidth(2 * FMarginX + w);
    SetHeight(h + FMarginY);
    FAddRemoveItem->ItemRect = vcl::TRect{};
    FOptionsItem->ItemRect = vcl::TRect{};
    int bottom = Height() - FMarginY;
    if (FShowAddAndRemoveBtn) {
        FAddRemoveItem->ItemRect =
            vcl::TRect{FMarginX, bottom - FAddRemoveItem->Height(), Width() - FMarginX, bottom};
        bottom = FAddRemoveItem->ItemRect.Top;
    }
    if (ShowOptionsBtn())
        FOptionsItem->ItemRect =
            vcl::TRect{FMarginX, bottom - FOptionsItem->Height(), Width() - FMarginX, bottom};
}

void TControlSelectorPanel::Paint() {
    TOptionSelectorPanel::Paint();
    vcl::TCanvas* c = Canvas();
    c->SetFont(Font());
    const bool options = ShowOptionsBtn();
    if (FShowAddAndRemoveBtn || options) {
        const int t = options ? FOptionsItem->ItemRect.Top : FAddRemoveItem->ItemRect.Top;
        c->Pen()->SetColor(0x808080);
        c->MoveTo(0, t - 4);
        c->LineTo(Width(), t - 4);
    }
    if (FShowAddAndRemoveBtn) PaintItem(*FAddRemoveItem, FAddRemoveHot, FAddRemoveDown, true);
    if (options) PaintItem(*FOptionsItem, FOptionsHot, FOptionsDown, false);
}

void TControlSelectorPanel::PaintItem(const TSelectorItem& Item, bool Hot, bool Down, bool AddRemove) {
    vcl::TCanvas* c = Canvas();
    const vcl::TRect r = Item.ItemRect;
    TColor text = ItemTextColor;
    if (Down) {
        c->Pen()->SetColor(vcl::clBlack);
        ItemFace(c, r, ItemColorDown, ItemColorDownTo);
        text = ItemTextColorDown;
    } else if (Hot) {
        c->Pen()->SetColor(vcl::clBlack);
        ItemFace(c, r, ItemColorHot, ItemColorHotTo);
        text = ItemTextColorHot;
    }
    if (AddRemove) SetTahoma8(c);
    c->Font()->SetColor(text);
    c->Brush()->SetStyle(vcl::bsClear);
    win::RECT tr{r.Left, r.Top, r.Right - 8, r.Bottom};
    String caption = Item.Caption();
    win::DrawText(c->Handle(), caption.c_str(), -1, &tr,
                  win::DT_CENTER | win::DT_VCENTER | win::DT_SINGLELINE);
    c->Pen()->SetColor(text);
    auto line = [&](int X1, int Y1, int X2, int Y2) {
        c->MoveTo(X1, Y1);
        c->LineTo(X2, Y2);
    };
    if (AddRemove) {
        // A small arrow pointing down.
        line(r.Right - 9, r.Bottom - 10, r.Right - 4, r.Bottom - 10);
        line(r.Right - 8, r.Bottom - 9, r.Right - 5, r.Bottom - 9);
        c->Pixels[r.Right - 7][r.Bottom - 8] = text;
    } else {
        // A small arrow pointing right.
        line(r.Right - 8, r.Top + 7, r.Right - 8, r.Top + 12);
        line(r.Right - 7, r.Top + 8, r.Right - 7, r.Top + 11);
        c->Pixels[r.Right - 6][r.Top + 9] = text;
    }
}

void TControlSelectorPanel::HideOptionsPopupInternally() {
    if (FOptionsPopup == nullptr) return;
    bool saved = FInternalHide;
    FInternalHide = true;
    FOptionsPopup->Hide();
    FInternalHide = saved;
}

void TControlSelectorPanel::MouseMove(vcl::TShiftState Shift, int X, int Y) {
    TOptionSelectorPanel::MouseMove(Shift, X, Y);
    const vcl::TPoint p{X, Y};
    const bool leftUp = !Shift.Contains(vcl::ssLeft);
    if (!FAddRemoveItem->ItemRect.Contains(p)) {
        if (FAddRemoveHot) {
            FAddRemoveHot = false;
            FAddRemoveDown = false;
            Invalidate();
        }
    } else if (!FAddRemoveHot && leftUp) {
        FAddRemoveHot = true;
        FAddRemoveDown = true;
        Invalidate();
        HideOptionsPopupInternally();
        ShowAddAndRemovePopup();
    }
    if (FOptionsItem->ItemRect.Contains(p)) {
        if (!FOptionsHot && leftUp) {
            FOptionsHot = true;
            FOptionsDown = true;
            Invalidate();
            ShowOptionsBtnPopup();
        }
    } else if (FOptionsHot) {
        FOptionsHot = false;
        FOptionsDown = false;
        Invalidate();
        if (FOptionsPopup != nullptr && Y < FOptionsItem->ItemRect.Top - 4) HideOptionsPopupInternally();
    }
}

void TControlSelectorPanel::KeyDown(vcl::Word& Key, vcl::TShiftState Shift) {
    TOptionSelectorPanel::KeyDown(Key, Shift);
    if (Key != win::VK_ESCAPE) return;
    Key = 0;
    if (TOptionSelectorWindow* w = OptionWindow()) w->Hide();
}

void TControlSelectorPanel::WndProc(vcl::TMessage& Message) {
    if (Message.Msg == win::WM_GETDLGCODE) {
        Message.Result = win::DLGC_WANTALLKEYS;
        return;
    }
    // A control that leaves the panel (back to its toolbar, or freed) leaves the list too, so that the
    // list never names a control the panel no longer holds.
    if (Message.Msg == vcl::CM_CONTROLCHANGE && Message.LParam == 0)
        FControls->Remove(reinterpret_cast<vcl::TControl*>(Message.WParam));
    TOptionSelectorPanel::WndProc(Message);
    if (Message.Msg != vcl::CM_MOUSELEAVE || Message.LParam != 0) return;
    if (FAddRemoveHot || FAddRemoveDown) {
        FAddRemoveHot = false;
        // The item stays pressed while its popup is up.
        FAddRemoveDown = FAddRemovePopup != nullptr && FAddRemovePopup->Visible();
        Invalidate();
    }
    if (FOptionsHot || FOptionsDown) {
        FOptionsHot = false;
        FOptionsDown = false;
        Invalidate();
    }
}

void TControlSelectorPanel::ShowAddAndRemovePopup() {
    if (!FShowAddAndRemoveBtn || (FAddRemovePopup != nullptr && FAddRemovePopup->Visible())) return;
    TOptionSelectorWindow* window = OptionWindow();
    TAdvCustomToolBar* bar = window != nullptr ? window->AdvToolBar() : nullptr;
    if (FAddRemovePopup == nullptr) {
        FAddRemovePopup = new TATBPopupWindow(this, 0);
        FAddRemovePopup->CreateItems();
        FAddRemovePopup->SetBorderIcons({});
        FAddRemovePopup->SetBorderStyle(vcl::bsNone);
        FAddRemovePopup->SetFormStyle(vcl::fsStayOnTop);
        FAddRemovePopup->SetVisible(false);
        FAddRemovePopup->SetWidth(10);
        FAddRemovePopup->SetHeight(10);
        FAddRemovePopup->SetBorderWidth(0);
        FAddRemovePopup->SetAdvToolBar(bar);
        FAddRemovePopup->OnHide = [this](vcl::TObject* Sender) { OnAddAndRemoveWindowHide(Sender); };
        FAddRemovePopup->OnDeActivateHide = [this](vcl::TObject* Sender) {
            OnAARWindowDeActivateHide(Sender);
        };
    }
    TATBPopupPanel* panel = FAddRemovePopup->PopupPanel();
    TATBMenuItem* root = FAddRemovePopup->RootItem();
    root->Clear();
    panel->SetShowIconBar(true);
    if (bar != nullptr) {
        panel->SetAdvMenuStyler(bar->CurrentStyler()->CurrentAdvMenuStyler());
        TATBMenuItem* top = root->Add();
        top->SetCaption(bar->Caption());
        for (int i = 0; i < bar->ToolBarControlCount(); ++i) {
            vcl::TControl* control = bar->ToolBarControls(i);
            if (dynamic_cast<TAdvToolBarSeparator*>(control) != nullptr) continue;
            TATBMenuItem* item = top->Add();
            item->SetAutoCheck(true);
            item->SetChecked(control->Visible());
            item->SetControl(control);
            const bool captioned = dynamic_cast<TAdvCustomToolBarButton*>(control) != nullptr ||
                                   dynamic_cast<AdvGlowButton::TAdvCustomGlowButton*>(control) != nullptr;
            item->SetCaption(captioned ? control->Caption() : control->Name());
        }
    }
    panel->SetItems(root);
    panel->ArrangeItems();
    FAddRemovePopup->SetWindowSize();
    if (window != nullptr) window->SetHideOnDeActivate(false);
    const vcl::TRect& r = FAddRemoveItem->ItemRect;
    vcl::TPoint p = ClientToScreen(vcl::TPoint{r.Right, r.Top});
    p = popups::FitPopup(p, vcl::TSize{FAddRemovePopup->Width(), FAddRemovePopup->Height()},
                         ClientToScreen(vcl::TPoint{r.Left, r.Top}).X);
    FAddRemovePopup->SetBounds(p.X, p.Y, FAddRemovePopup->Width(), FAddRemovePopup->Height());
    FAddRemovePopup->Show();
}

void TControlSelectorPanel::HideAddAndRemovePopup() {
    if (FAddRemovePopup != nullptr && FAddRemovePopup->Visible()) FAddRemovePopup->Hide();
}

void TControlSelectorPanel::OnAddAndRemoveWindowHide(vcl::TObject*) {
    if (TOptionSelectorWindow* w = OptionWindow()) w->SetHideOnDeActivate(true);
    FAddRemoveDown = false;
    Invalidate();
}

void TControlSelectorPanel::OnAARWindowDeActivateHide(vcl::TObject*) {
    if (TOptionSelectorWindow* w = OptionWindow()) w->Hide();
    FAddRemoveHot = false;
    FAddRemoveDown = false;
}

void TControlSelectorPanel::ShowOptionsBtnPopup() {
    TOptionSelectorWindow* window = OptionWindow();
    if (FAdvToolBar == nullptr || !ShowOptionsBtn()) return;
    if (FShowAddAndRemoveBtn) {
        HideAddAndRemovePopup();
        FHoverTimer->SetEnabled(true);
    }
    int w = 0;
    if (FOptionsMenu != nullptr) {
        // The menu's width: what the menu window answers for its widest top-level item.
        vcl::TMenuItem* widest = nullptr;
        int widestText = -1;
        vcl::TMenuItem* items = FOptionsMenu->Items();
        for (int i = 0; i < items->Count(); ++i) {
            int tw = Canvas()->TextWidth(items->Items(i)->Caption());
            if (tw > widestText) {
                widestText = tw;
                widest = items->Items(i);
            }
        }
        if (widest != nullptr) {
            win::MEASUREITEMSTRUCT mi{};
            mi.CtlType = win::ODT_MENU;
            mi.itemID = widest->Command();
            mi.itemWidth = 10;
            mi.itemHeight = 10;
            win::SendMessage(vcl::PopupList().Window(), win::WM_MEASUREITEM, 0,
                             reinterpret_cast<win::LPARAM>(&mi));
            w = static_cast<int>(mi.itemWidth);
        }
    } else {
        if (FOptionsPopup == nullptr) {
            FOptionsPopup = new TOptionSelectorWindow(this, 0);
            FOptionsPopup->SetBorderIcons({});
            FOptionsPopup->SetBorderStyle(vcl::bsNone);
            FOptionsPopup->SetFormStyle(vcl::fsStayOnTop);
            FOptionsPopup->SetVisible(false);
            FOptionsPopup->SetWidth(100);
            FOptionsPopup->SetHeight(40);
            FOptionsPopup->SetBorderWidth(0);
            FOptionsPopup->OnHide = [this](vcl::TObject* Sender) { OnCustomizeOptionWindowHide(Sender); };
        }
        if (FCustomizeOption == nullptr) {
            FCustomizeOption = new TCustomizeOption(FOptionsPopup);
            FCustomizeOption->SetParent(FOptionsPopup);
        }
        FOptionsPopup->SetAdvToolBar(FAdvToolBar);
        FCustomizeOption->SetAdvToolBar(FAdvToolBar);
        FCustomizeOption->SetCaption(CustomizeText + " " + FAdvToolBar->Caption());
        FCustomizeOption->UpDateSize();
        FOptionsPopup->SetOptionsPanel(FCustomizeOption);
        FOptionsPopup->SetWindowSize();
        w = FOptionsPopup->Width();
    }
    const vcl::TRect& r = FOptionsItem->ItemRect;
    vcl::TPoint p = ClientToScreen(vcl::TPoint{r.Right, r.Top});
    if (p.X + w > popups::WorkAreaAt(p).Right) p = ClientToScreen(vcl::TPoint{r.Left - w, r.Top});
    if (window != nullptr) window->SetHideOnDeActivate(false);
    if (FOptionsMenu != nullptr) {
        FOptionsMenu->Popup(p.X, p.Y);
        FOptionsHot = false;
        FOptionsDown = false;
        FHoverTimer->SetEnabled(false);
        // Moving from the open menu onto "Add or Remove Buttons" ended the menu with a click there:
        // the option window stays for the popup that opens.
        bool overAddRemove = FShowAddAndRemoveBtn && FAddRemoveItem->ItemRect.Contains(PointerInPanel());
        if (window != nullptr && !overAddRemove) window->Hide();
    } else {
        FOptionsPopup->SetBounds(p.X, p.Y, FOptionsPopup->Width(), FOptionsPopup->Height());
        FOptionsPopup->Show();
    }
    if (window != nullptr) window->SetHideOnDeActivate(true);
    Invalidate();
}

vcl::TPoint TControlSelectorPanel::PointerInPanel() const {
    win::POINT p{};
    win::GetCursorPos(&p);
    return const_cast<TControlSelectorPanel*>(this)->ScreenToClient(vcl::TPoint{p.X, p.Y});
}

void TControlSelectorPanel::TimerOnTime(vcl::TObject*) {
    vcl::TPoint p = PointerInPanel();
    if (!FAddRemoveItem->ItemRect.Contains(p) || !HandleAllocated()) return;
    FHoverTimer->SetEnabled(false);
    // A click there ends the options menu, whose loop is running now.
    const win::LPARAM at = win::MAKELPARAM(p.X, p.Y);
    win::PostMessage(WindowHandle(), win::WM_LBUTTONDOWN, win::MK_LBUTTON, at);
    win::PostMessage(WindowHandle(), win::WM_LBUTTONUP, win::MK_LBUTTON, at);
}

void TControlSelectorPanel::OnCustomizeOptionWindowHide(vcl::TObject*) {
    if (FInternalHide) return;
    if (TOptionSelectorWindow* w = OptionWindow()) w->Hide();
}

// ---- TCustomizeOption

TCustomizeOption::TCustomizeOption(vcl::TComponent* AOwner)
    : TOptionSelectorPanel(AOwner), FOwnerWindow(AOwner) {}

void TCustomizeOption::UpDateSize() {
    SetHeight(25);
    Canvas()->SetFont(Font());
    SetWidth(Canvas()->TextWidth(FCaption) + 2 * FMarginX + 12);
}

vcl::TRect TCustomizeOption::GetCustomizeBtnRect() const {
    return vcl::TRect{FMarginX, FMarginY, Width() - FMarginX, Height() - FMarginY};
}

void TCustomizeOption::MouseMove(vcl::TShiftState Shift, int X, int Y) {
    TOptionSelectorPanel::MouseMove(Shift, X, Y);
    const bool inside = GetCustomizeBtnRect().Contains(vcl::TPoint{X, Y});
    if (inside && !Shift.Contains(vcl::ssLeft) && !FHot) {
        FHot = true;
        FDown = true;
        Invalidate();
    } else if (!inside && FHot) {
        FHot = false;
        FDown = false;
        Invalidate();
    }
}

void TCustomizeOption::MouseDown(vcl::TMouseButton Button, vcl::TShiftState Shift, int X, int Y) {
    TOptionSelectorPanel::MouseDown(Button, Shift, X, Y);
    if (GetCustomizeBtnRect().Contains(vcl::TPoint{X, Y}) && !FDown) {
        FHot = true;
        FDown = true;
        Invalidate();
    }
}

void TCustomizeOption::MouseUp(vcl::TMouseButton Button, vcl::TShiftState Shift, int X, int Y) {
    TOptionSelectorPanel::MouseUp(Button, Shift, X, Y);
    if (!FDown || !GetCustomizeBtnRect().Contains(vcl::TPoint{X, Y})) return;
    FHot = false;
    FDown = false;
    Invalidate();
    if (auto* w = dynamic_cast<TOptionSelectorWindow*>(FOwnerWindow)) w->Hide();
    if (FAdvToolBar != nullptr) FAdvToolBar->RequestCustomize();
}

void TCustomizeOption::WndProc(vcl::TMessage& Message) {
    TOptionSelectorPanel::WndProc(Message);
    if (Message.Msg == vcl::CM_MOUSELEAVE && Message.LParam == 0 && (FHot || FDown)) {
        FHot = false;
        FDown = false;
        Invalidate();
    }
}

void TCustomizeOption::Paint() {
    TOptionSelectorPanel::Paint();
    if (FAdvToolBar == nullptr) return;
    TCustomAdvToolBarStyler* s = FAdvToolBar->CurrentStyler();
    TColor color = vcl::clNone;
    TColor colorTo = vcl::clNone;
    TColor text;
    {
        TButtonAppearance* a = s->ButtonAppearance();
        text = a->CaptionTextColor();
        if (FDown) {
            color = a->ColorDown();
            colorTo = a->ColorDownTo();
            text = a->CaptionTextColorDown();
        } else if (FHot) {
            color = a->ColorHot();
            colorTo = a->ColorHotTo();
            text = a->CaptionTextColorHot();
        }
    }
    vcl::TCanvas* c = Canvas();
    const vcl::TRect r = GetCustomizeBtnRect();
    if (FDown || FHot) {
        c->Pen()->SetColor(vcl::clBlack);
        ItemFace(c, r, color, colorTo);
    }
    c->SetFont(Font());
    c->Font()->SetColor(text);
    c->Brush()->SetStyle(vcl::bsClear);
    win::RECT tr{r.Left + 4, r.Top, r.Right - 4, r.Bottom};
    win::DrawText(c->Handle(), FCaption.c_str(), -1, &tr,
                  win::DT_CENTER | win::DT_VCENTER | win::DT_SINGLELINE);
}

} // namespace AdvToolBar
