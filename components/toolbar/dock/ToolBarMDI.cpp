// The menu-bar toolbar on an MDI parent form: the window list it adds to the form's Window menu while
// that menu is dropped from the bar, and the close, restore and minimise buttons of a maximised child at
// the far end of the bar, repainted whenever the form's window moves.

#include "components/toolbar/dock/ToolBar.h"
#include "components/toolbar/styler/ToolBarDraw.h"
#include "platform/rtl/SysUtils.h"

namespace AdvToolBar {

namespace {

constexpr int kMDIButtonSize = 18;

// The toolbar whose MDI buttons follow the parent form's window (one per process).
TAdvCustomToolBar* SubclassingToolBar = nullptr;

win::LRESULT ToolBarMDIParentWndProc(win::HWND H, win::UINT Msg, win::WPARAM WParam, win::LPARAM LParam);

win::WindowSubclass* FormHook(win::HWND H) {
    return win::WindowSubclass::Of(H, ToolBarMDIParentWndProc);
}

win::LRESULT ToolBarMDIParentWndProc(win::HWND H, win::UINT Msg, win::WPARAM WParam, win::LPARAM LParam) {
    if (Msg == win::WM_WINDOWPOSCHANGED && SubclassingToolBar != nullptr) SubclassingToolBar->Invalidate();
    win::WindowSubclass* hook = FormHook(H);
    return hook != nullptr ? hook->CallPrevious(H, Msg, WParam, LParam)
                           : win::DefWindowProc(H, Msg, WParam, LParam);
}

bool ContainsItem(vcl::TMenuItem* Root, vcl::TMenuItem* Item) {
    if (Root == Item) return true;
    for (int i = 0; i < Root->Count(); ++i)
        if (ContainsItem(Root->Items(i), Item)) return true;
    return false;
}

bool HasSystemMenu(vcl::TCustomForm* Child) {
    return Child != nullptr && Child->BorderIcons().Contains(vcl::biSystemMenu);
}

} // namespace

// ---- Window list

void TAdvCustomToolBar::AddMDIChildMenu(vcl::TCustomForm* Form, const String& Caption) {
    vcl::TCustomForm* parent = GetMyParentForm();
    if (parent == nullptr || parent->WindowMenu() == nullptr || FMenu == nullptr || Form == nullptr) return;
    FMDIChildList->AddObject(Caption.empty() ? Form->Caption() : Caption, Form);
}

void TAdvCustomToolBar::RemoveMDIChildMenu(vcl::TCustomForm* Form, const String& Caption) {
    if (Form == nullptr) return;
    const String text = Caption.empty() ? Form->Caption() : Caption;
    for (int i = 0; i < FMDIChildList->Count(); ++i)
        if (vcl::SameText(FMDIChildList->Strings(i), text) && FMDIChildList->Objects(i) == Form) {
            FMDIChildList->Delete(i);
            return;
        }
}

void TAdvCustomToolBar::RemoveAllMDIChildMenu() {
    FMDIChildList->Clear();
}

void TAdvCustomToolBar::AddMDIWindowList(vcl::TMenuItem* Dropped) {
    vcl::TCustomForm* form = GetMyParentForm();
    auto* windowMenu = form != nullptr ? dynamic_cast<vcl::TMenuItem*>(form->WindowMenu()) : nullptr;
    if (windowMenu == nullptr || Dropped == nullptr || !ContainsItem(Dropped, windowMenu)) return;
    vcl::TCustomForm* active = form->ActiveMDIChild();
    for (int i = 0; i < FMDIChildList->Count(); ++i) {
        auto* item = new vcl::TMenuItem(this);
        item->SetCaption(FMDIChildList->Strings(i));
        item->SetTag(i);
        item->OnClick = [this](vcl::TObject* Sender) { OnMDIChildMenuClick(Sender); };
        item->SetRadioItem(true);
        auto* child = dynamic_cast<vcl::TCustomForm*>(FMDIChildList->Objects(i));
        item->SetChecked(child != nullptr && child == active);
        windowMenu->Add(item);
        FWindowListItems.push_back(item);
    }
}

void TAdvCustomToolBar::RemoveMDIWindowList() {
    vcl::TCustomForm* form = GetMyParentForm();
    auto* windowMenu = form != nullptr ? dynamic_cast<vcl::TMenuItem*>(form->WindowMenu()) : nullptr;
    std::vector<vcl::TMenuItem*> items;
    items.swap(FWindowListItems);
    if (windowMenu == nullptr) {
        // The items are the toolbar's own: they go with it in any case.
        for (auto it = items.rbegin(); it != items.rend(); ++it)
            delete *it;
        return;
    }
    for (int i = windowMenu->Count() - 1; i >= 0; --i) {
        vcl::TMenuItem* item = windowMenu->Items(i);
        if (std::find(items.begin(), items.end(), item) != items.end()) delete item;
    }
}

void TAdvCustomToolBar::OnMDIChildMenuClick(vcl::TObject* Sender) {
    auto* item = dynamic_cast<vcl::TMenuItem*>(Sender);
    if (item == nullptr || item->Tag() < 0 || item->Tag() >= FMDIChildList->Count() ||
        GetMyParentForm() == nullptr)
        return;
    if (auto* child = dynamic_cast<vcl::TCustomForm*>(FMDIChildList->Objects(static_cast<int>(item->Tag()))))
        child->SetFocus();
}

// ---- Following the parent form

void TAdvCustomToolBar::SetAutoMDIButtons(bool Value) {
    if (Value && Parent() != nullptr && Parent()->ClassName() == "TAdvToolBarPager") return;
    if (Value != FAutoMDIButtons) {
        FAutoMDIButtons = Value;
        if (ComponentState().Contains(vcl::csDesigning) || ComponentState().Contains(vcl::csLoading)) return;
    }
    vcl::TCustomForm* form = GetMyParentForm();
    if (Value && FFullSize && FMenu != nullptr) {
        if (form == nullptr || !form->HandleAllocated()) {
            FAutoMDIButtons = false;
            return;
        }
        win::HWND h = form->Handle();
        if (win::WindowSubclass* held = FormHook(h)) {
            // Hooked already, by this toolbar or another: the hook is not put on twice, its owner role
            // comes here.
            if (held != &FMDISubclass) FMDISubclass = std::move(*held);
        } else {
            FMDISubclass.Attach(h, ToolBarMDIParentWndProc);
        }
        SubclassingToolBar = this;
        FActiveMDIChild = nullptr;
        return;
    }
    if (FMDISubclass.Attached()) {
        win::HWND h = FMDISubclass.Window();
        FMDISubclass.Detach();
        if (win::IsWindow(h)) win::SetWindowRgn(h, nullptr, win::TRUE);
        Invalidate();
    }
    if (SubclassingToolBar == this) SubclassingToolBar = nullptr;
    FActiveMDIChild = nullptr;
    FAutoMDIButtons = false;
}

void TAdvCustomToolBar::SetMDIButtonsVisible(bool Value) {
    if (Value == FMDIButtonsVisible) return;
    FMDIButtonsVisible = Value;
    Invalidate();
}

// ---- Buttons

vcl::TRect TAdvCustomToolBar::MDIButtonRect(int Which) const {
    vcl::TCustomForm* form = GetMyParentForm();
    vcl::TCustomForm* child = form != nullptr ? form->ActiveMDIChild() : nullptr;
    if (!HasSystemMenu(child) || (Which > 0 && IsFloating())) return {};
    const int deduct = FShowOptionIndicator && !FFullSize ? PopupIndicatorWidth() : 0;
    vcl::TRect r;
    if (Horizontal()) {
        int x = Width() - 21 - deduct;
        int y = std::max(2, (Height() - kMDIButtonSize) / 2);
        r = {x, y, x + kMDIButtonSize, y + kMDIButtonSize};
        // Maximise and minimise stand left of the one before, one pixel apart.
        for (int i = 0; i < Which; ++i)
            r = {r.Left - 1 - kMDIButtonSize, r.Top, r.Left - 1, r.Bottom};
    } else {
        int y = Height() - 21 - deduct;
        int x = std::max(2, (Width() - kMDIButtonSize) / 2);
        r = {x, y, x + kMDIButtonSize, y + kMDIButtonSize};
        for (int i = 0; i < Which; ++i)
            r = {r.Left, r.Top - 1 - kMDIButtonSize, r.Right, r.Top - 1};
    }
    return r;
}

vcl::TRect TAdvCustomToolBar::GetMDICloseBtnRect() const {
    return MDIButtonRect(0);
}
vcl::TRect TAdvCustomToolBar::GetMDIMaxBtnRect() const {
    return MDIButtonRect(1);
}
vcl::TRect TAdvCustomToolBar::GetMDIMinBtnRect() const {
    return MDIButtonRect(2);
}

namespace {
vcl::TCustomForm* ActiveChildOf(const TAdvCustomToolBar* T) {
    vcl::TCustomForm* form = T->GetMyParentForm();
    return form != nullptr ? form->ActiveMDIChild() : nullptr;
}
} // namespace

bool TAdvCustomToolBar::PtOnMDIClose(vcl::TPoint P) const {
    return GetMDICloseBtnRect().Contains(P);
}

bool TAdvCustomToolBar::PtOnMDIMax(vcl::TPoint P) const {
    vcl::TCustomForm* child = ActiveChildOf(this);
    return GetMDIMaxBtnRect().Contains(P) && child != nullptr &&
           child->BorderIcons().Contains(vcl::biMaximize);
}

bool TAdvCustomToolBar::PtOnMDIMin(vcl::TPoint P) const {
    vcl::TCustomForm* child = ActiveChildOf(this);
    return GetMDIMinBtnRect().Contains(P) && child != nullptr &&
           child->BorderIcons().Contains(vcl::biMinimize);
}

void TAdvCustomToolBar::DrawMDIButtons(vcl::TCanvas* C) {
    FActiveMDIChild = ActiveChildOf(this);
    vcl::TCustomForm* child = FActiveMDIChild;
    if (!FAutoMDIButtons || child == nullptr || child->WindowState() != vcl::wsMaximized || IsFloating()) {
        FMDIButtonsVisible = false;
        return;
    }
    FMDIButtonsVisible = true;
    TButtonAppearance* a = FCurrentStyler != nullptr ? FCurrentStyler->ButtonAppearance() : nullptr;
    struct Button {
        vcl::TRect R;
        bool Down, Hot, Grey;
    };
    const Button buttons[] = {
        {GetMDICloseBtnRect(), FMDICloseDown, FMDICloseHot, false},
        {GetMDIMaxBtnRect(), FMDIMaxDown, FMDIMaxHot, !child->BorderIcons().Contains(vcl::biMaximize)},
        {GetMDIMinBtnRect(), FMDIMinDown, FMDIMinHot, !child->BorderIcons().Contains(vcl::biMinimize)},
    };
    for (int which = 0; which < 3; ++which) {
        const Button& b = buttons[which];
        if (b.R.IsEmpty()) continue;
        if (a != nullptr && (b.Down || b.Hot)) {
            TColor from = b.Down ? a->ColorDown() : a->ColorHot();
            TColor to = b.Down ? a->ColorDownTo() : a->ColorHotTo();
            bool horizontal =
                (b.Down ? a->GradientDirectionDown() : a->GradientDirectionHot()) == gdHorizontal;
            TColor frame = b.Down ? a->BorderDownColor() : a->BorderHotColor();
            if (from != vcl::clNone && to != vcl::clNone) {
                DrawGradient(C, from, to, 40, b.R, horizontal);
            } else if (from != vcl::clNone) {
                C->Brush()->SetStyle(vcl::bsSolid);
                C->Brush()->SetColor(from);
                C->Pen()->SetColor(from);
                C->Rectangle(b.R);
            }
            if (frame != vcl::clNone) {
                C->Brush()->SetStyle(vcl::bsClear);
                C->Pen()->SetColor(frame);
                C->Rectangle(b.R);
            }
        }
        // The glyphs: 2-pixel black strokes, grey for a button the child does not offer.
        C->Pen()->SetStyle(vcl::psSolid);
        C->Pen()->SetWidth(2);
        C->Pen()->SetColor(b.Grey ? TColor(0x808080) : vcl::clBlack);
        C->Brush()->SetStyle(vcl::bsClear);
        const int x = b.R.Left + (b.R.Width() - 8) / 2;
        const int y = b.R.Top + (b.R.Height() - 8) / 2;
        if (which == 0) {
            C->MoveTo(x, y);
            C->LineTo(x + 8, y + 8);
            C->MoveTo(x + 7, y);
            C->LineTo(x - 1, y + 8);
        } else if (which == 1) {
            // Restore: two overlapping window outlines, each with a thick title edge.
            C->Pen()->SetWidth(1);
            auto window = [&](int L, int T) {
                C->Rectangle(L, T, L + 6, T + 5);
                C->MoveTo(L, T + 1);
                C->LineTo(L + 6, T + 1);
            };
            if (Horizontal()) {
                window(x + 2, y);
                window(x, y + 3);
            } else {
                const int r = b.R.Right - 3;
                window(r - 5, y + 2);
                window(r - 8, y);
            }
        } else if (Horizontal()) {
            C->MoveTo(b.R.Left + (b.R.Width() - 6) / 2, b.R.Bottom - 6);
            C->LineTo(b.R.Left + (b.R.Width() - 6) / 2 + 7, b.R.Bottom - 6);
        } else {
            C->MoveTo(b.R.Left + 5, b.R.Top + (b.R.Height() - 6) / 2);
            C->LineTo(b.R.Left + 5, b.R.Top + (b.R.Height() - 6) / 2 + 7);
        }
        C->Pen()->SetWidth(1);
    }
}

// ---- Pointer

void TAdvCustomToolBar::MDIMouseDown(int X, int Y) {
    if (!FAutoMDIButtons || ComponentState().Contains(vcl::csDesigning) || FToolBarState != tsDocked) return;
    vcl::TPoint p{X, Y};
    if (PtOnMDIClose(p))
        FMDICloseDown = true;
    else if (PtOnMDIMax(p))
        FMDIMaxDown = true;
    else if (PtOnMDIMin(p))
        FMDIMinDown = true;
    else
        return;
    Invalidate();
}

void TAdvCustomToolBar::MDIMouseMove(int X, int Y) {
    if (!FAutoMDIButtons || ComponentState().Contains(vcl::csDesigning)) return;
    vcl::TPoint p{X, Y};
    auto follow = [&](bool& hot, bool on, const vcl::TRect& r) {
        if (on == hot) return;
        hot = on;
        vcl::TRect inv = r;
        if (on)
            Invalidate();
        else
            win::InvalidateRect(Handle(), &inv, win::FALSE);
    };
    follow(FMDICloseHot, PtOnMDIClose(p), GetMDICloseBtnRect());
    follow(FMDIMaxHot, PtOnMDIMax(p), GetMDIMaxBtnRect());
    follow(FMDIMinHot, PtOnMDIMin(p), GetMDIMinBtnRect());
}

void TAdvCustomToolBar::MDIMouseUp(int X, int Y) {
    if (!FAutoMDIButtons || ComponentState().Contains(vcl::csDesigning)) return;
    if (FMDICloseDown) {
        FMDICloseDown = FMDICloseHot = false;
        Invalidate();
        if (PtOnMDIClose(vcl::TPoint{X, Y})) MDICloseBtnClick();
    } else if (FMDIMaxDown) {
        FMDIMaxDown = FMDIMaxHot = false;
        Invalidate();
        MDIMaxBtnClick();
    } else if (FMDIMinDown) {
        FMDIMinDown = FMDIMinHot = false;
        Invalidate();
        MDIMinBtnClick();
    }
}

void TAdvCustomToolBar::MDIMouseLeave() {
    if (!FAutoMDIButtons || IsFloating()) return;
    bool any = FMDICloseHot || FMDICloseDown || FMDIMaxHot || FMDIMaxDown || FMDIMinHot || FMDIMinDown;
    FMDICloseHot = FMDICloseDown = FMDIMaxHot = FMDIMaxDown = FMDIMinHot = FMDIMinDown = false;
    if (any) Invalidate();
}

// ---- Actions

namespace {
// The active child when the buttons act at all: shown, maximised, on a docked or fixed toolbar.
vcl::TCustomForm* ActingChild(TAdvCustomToolBar* T, bool AutoMDI, bool Visible, bool Floating) {
    vcl::TCustomForm* child = ActiveChildOf(T);
    if (!AutoMDI || !Visible || Floating || child == nullptr || child->WindowState() != vcl::wsMaximized)
        return nullptr;
    return child;
}
} // namespace

void TAdvCustomToolBar::MDICloseBtnClick() {
    if (vcl::TCustomForm* child = ActingChild(this, FAutoMDIButtons, FMDIButtonsVisible, IsFloating()))
        child->Close();
}

void TAdvCustomToolBar::MDIMaxBtnClick() {
    vcl::TCustomForm* child = ActingChild(this, FAutoMDIButtons, FMDIButtonsVisible, IsFloating());
    if (child != nullptr && child->BorderIcons().Contains(vcl::biMaximize))
        child->SetWindowState(vcl::wsNormal);
}

void TAdvCustomToolBar::MDIMinBtnClick() {
    vcl::TCustomForm* child = ActingChild(this, FAutoMDIButtons, FMDIButtonsVisible, IsFloating());
    if (child != nullptr && child->BorderIcons().Contains(vcl::biMinimize))
        child->SetWindowState(vcl::wsMinimized);
}

} // namespace AdvToolBar
