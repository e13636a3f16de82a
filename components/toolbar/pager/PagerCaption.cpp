// The caption row standing in for the form's caption: the three caption buttons and their glyphs,
// dragging the form by the row, its system menu on a right click, maximising by a double click, the
// form's window procedure (the wheel switches pages; moving and sizing end key-tip mode) and the
// rounded corners of an Office-style form.

#include <algorithm>

#include "components/foundation/AdvGlowButton.h"
#include "components/foundation/AdvStyleIF.h"
#include "components/toolbar/pager/AdvPage.h"
#include "components/toolbar/pager/AdvToolBarForm.h"
#include "components/toolbar/pager/AdvToolBarPager.h"
#include "components/toolbar/pager/PagerButton_p.h"
#include "components/toolbar/pager/QuickAccessToolBar.h"
#include "components/toolbar/styler/ToolBarDraw.h"
#include "platform/vcl/Application.h"
#include "platform/vcl/Bitmap.h"
#include "platform/vcl/ControlMessages.h"
#include "platform/win/Input.h"
#include "platform/win/Menu.h"
#include "platform/win/Messages.h"
#include "platform/win/WinUser.h"

namespace AdvToolBar {

namespace {

constexpr TColor kGlyphBack = 0xFF00FF; // RGB(255, 0, 255): the glyphs' transparent colour

} // namespace

void TAdvToolBarPager::SetCaptionButtons(TCaptionButtons Value) {
    if (FCaptionButtons == Value) return;
    FCaptionButtons = Value;
    UpdateCaptionButtons(true);
    Invalidate();
}

vcl::TRect TAdvToolBarPager::GetCaptionButtonsRect() {
    if (!FCaption->Visible() || FCaptionButtons.Empty() || FMinBtn == nullptr || FCloseBtn == nullptr ||
        FMaxBtn == nullptr)
        return {0, 0, 0, 0};
    return {FMinBtn->Left(), FMaxBtn->Top(), FCloseBtn->Left() + FCloseBtn->Width(),
            FMaxBtn->Top() + FMaxBtn->Height()};
}

// ---- Room of the quick access toolbar

int TAdvToolBarPager::GetQATHeight() const {
    return FCaption->Height() - 2;
}

bool TAdvToolBarPager::ShowQATBelow() const {
    return FQuickAccessToolBar != nullptr && FQuickAccessToolBar->FullSize() &&
           FQuickAccessToolBar->Visible();
}

void TAdvToolBarPager::SetShowQATBelow(bool Value) {
    if (FQuickAccessToolBar == nullptr || Value == ShowQATBelow()) return;
    SetHeight(Height() + (Value ? GetQATHeight() : -GetQATHeight()));
    FQuickAccessToolBar->SetFullSize(Value);
    SetAllPagesPosition();
}

vcl::TRect TAdvToolBarPager::MaxQATRect() {
    if (FQuickAccessToolBar == nullptr) return {0, 0, 0, 0};
    const vcl::TRect client = GetClientRect();
    if (ShowQATBelow())
        return {client.Left + 2, client.Bottom - GetQATHeight(), client.Right - 2, client.Bottom};
    if (!FCaption->Visible()) return {0, 0, 0, 0};
    int reserve = FCaption->MinWidth();
    if (const vcl::TRect buttons = GetCaptionButtonsRect(); buttons.Width() > 0)
        reserve = std::min(Width(), Width() - buttons.Left + FCaption->MinWidth() + 2);
    const int bottom = GetCaptionRect().Bottom;
    return {FTabSettings->StartMargin() - 6, bottom - GetQATHeight(), Width() - reserve, bottom};
}

void TAdvToolBarPager::MakeCaptionGlyphs(vcl::TCustomImageList* List, bool Restore) {
    List->Clear();
    const TColor color = FCurrentStyler->PagerCaption()->TextColor();
    // Each glyph is centred in a rectangle of the button's size.
    const vcl::TRect r{-1, -1, 15, 15};
    for (int i = 0; i < 3; ++i) {
        vcl::TBitmap glyph(14, 14);
        vcl::TCanvas* c = glyph.Canvas();
        c->Brush()->SetStyle(vcl::bsSolid);
        c->Brush()->SetColor(kGlyphBack);
        c->FillRect(vcl::TRect{0, 0, 14, 14});
        c->Pen()->SetStyle(vcl::psSolid);
        c->Pen()->SetWidth(1);
        if (i == 0)
            DrawCloseGlyph(c, r, color, 6);
        else if (i == 1 && Restore)
            DrawRestoreGlyph(c, r, color, true);
        else if (i == 1)
            DrawMaximizeGlyph(c, r, color, true);
        else
            DrawMinimizeGlyph(c, r, color, true);
        List->AddMasked(&glyph, kGlyphBack);
    }
}

void TAdvToolBarPager::UpdateCaptionButtons(bool RebuildGlyphs) {
    if (ComponentState().Contains(vcl::csDestroying)) return;
    if (!FCaption->Visible() || FCaptionButtons.Empty()) {
        if (FCloseBtn != nullptr || FMaxBtn != nullptr || FMinBtn != nullptr) {
            FCaption->SetRightTextMargin(FSavedRightTextMargin);
            for (auto** b : {&FCloseBtn, &FMaxBtn, &FMinBtn})
                vcl::FreeAndNil(*b);
        }
        return;
    }
    auto make = [this](AdvGlowButton::TAdvGlowButton*& Button,
                       void (TAdvToolBarPager::*Click)(vcl::TObject*)) {
        if (Button != nullptr) return;
        Button = new TPagerButton(this);
        Button->SetParent(this);
        Button->SetCaption("");
        Button->SetTransparent(true);
        Button->SetBounds(0, 0, 16, 16);
        Button->OnClick = [this, Click](vcl::TObject* Sender) { (this->*Click)(Sender); };
    };
    if (FCloseBtn == nullptr) FSavedRightTextMargin = FCaption->RightTextMargin();
    make(FCloseBtn, &TAdvToolBarPager::OnCaptionCloseBtnClick);
    make(FMaxBtn, &TAdvToolBarPager::OnCaptionMaxBtnClick);
    make(FMinBtn, &TAdvToolBarPager::OnCaptionMinBtnClick);
    const int top = GetCaptionRect().Top + 4;
    FCloseBtn->SetBounds(Width() - 4 - 2 - FCloseBtn->Width(), top, FCloseBtn->Width(), FCloseBtn->Height());
    FMaxBtn->SetBounds(FCloseBtn->Left() - 2 - FMaxBtn->Width(), top, FMaxBtn->Width(), FMaxBtn->Height());
    FMinBtn->SetBounds(FMaxBtn->Left() - 2 - FMinBtn->Width(), top, FMinBtn->Width(), FMinBtn->Height());
    FCaption->SetRightTextMargin(std::max(FCaption->RightTextMargin(), Width() - FMinBtn->Left()));

    if (FCurrentStyler != nullptr) {
        for (AdvGlowButton::TAdvGlowButton* b : {FCloseBtn, FMaxBtn, FMinBtn})
            b->Appearance()->Assign(FCurrentStyler->GlowButtonAppearance());
    }
    if (FCurrentStyler != nullptr && RebuildGlyphs) {
        if (FCaptionImages == nullptr) FCaptionImages = std::make_unique<vcl::TCustomImageList>(14, 14);
        FCaptionImages->Clear();
        vcl::TCustomForm* form = vcl::GetParentForm(this);
        MakeCaptionGlyphs(FCaptionImages.get(), form != nullptr && form->WindowState() != vcl::wsNormal);
        FCloseBtn->SetImages(FCaptionImages.get());
        FCloseBtn->SetImageIndex(0);
        FMaxBtn->SetImages(FCaptionImages.get());
        FMaxBtn->SetImageIndex(1);
        FMinBtn->SetImages(FCaptionImages.get());
        FMinBtn->SetImageIndex(2);
    }
    // Buttons not asked for show, disabled, so that the row keeps its shape.
    FCloseBtn->SetEnabled(FCaptionButtons.Contains(cbClose));
    FMaxBtn->SetEnabled(FCaptionButtons.Contains(cbMaximize));
    FMinBtn->SetEnabled(FCaptionButtons.Contains(cbMinimize));
    for (AdvGlowButton::TAdvGlowButton* b : {FCloseBtn, FMaxBtn, FMinBtn}) {
        b->SetVisible(true);
        b->BringToFront();
    }
}

void TAdvToolBarPager::OnCaptionCloseBtnClick(vcl::TObject*) {
    if (OnCloseButtonClick) {
        OnCloseButtonClick(FCloseBtn);
        return;
    }
    if (vcl::TCustomForm* form = vcl::GetParentForm(this)) form->Close();
}

void TAdvToolBarPager::ToggleFormMaximized() {
    vcl::TCustomForm* form = vcl::GetParentForm(this);
    if (form == nullptr) return;
    form->SetWindowState(form->WindowState() != vcl::wsNormal ? vcl::wsNormal : vcl::wsMaximized);
    UpdateCaptionButtons(true);
}

void TAdvToolBarPager::OnCaptionMaxBtnClick(vcl::TObject*) {
    if (OnMaxButtonClick) {
        OnMaxButtonClick(FMaxBtn);
        return;
    }
    ToggleFormMaximized();
}

void TAdvToolBarPager::OnCaptionMinBtnClick(vcl::TObject*) {
    if (OnMinButtonClick) {
        OnMinButtonClick(FMinBtn);
        return;
    }
    if (vcl::GetApplication() != nullptr) vcl::GetApplication()->Minimize();
}

bool TAdvToolBarPager::CaptionMouseDown(vcl::TMouseButton Button, int X, int Y) {
    const vcl::TRect caption = GetCaptionRect();
    const bool inCaption = FCaption->Visible() && caption.Contains(vcl::TPoint{X, Y});
    vcl::TWinControl* parent = Parent();
    if (Button == vcl::mbRight && inCaption && parent != nullptr) {
        win::HWND owner = parent->Handle();
        const vcl::TPoint at = ClientToScreen(vcl::TPoint{X, Y});
        // The same menu as the window system's caption gives, its items enabled by the form's state.
        const int command =
            win::TrackSystemMenu(owner, win::POINT{at.X, at.Y}, win::TPM_RETURNCMD | win::TPM_RIGHTBUTTON);
        if (command > 0) win::SendMessage(owner, win::WM_SYSCOMMAND, static_cast<win::WPARAM>(command), 0);
        return true;
    }
    if (inCaption && FCanMove) {
        vcl::TCustomForm* form = vcl::GetParentForm(this);
        if (form == nullptr) return false;
        win::ReleaseCapture();
        // SC_MOVE with the caption's hit code: the form's own move loop takes over.
        win::SendMessage(form->Handle(), win::WM_SYSCOMMAND, 0xF011, 0);
        return true;
    }
    return false;
}

void TAdvToolBarPager::WMLButtonDblClk(vcl::TMessage& Message) {
    const vcl::TPoint p{static_cast<short>(Message.LParam & 0xFFFF),
                        static_cast<short>((Message.LParam >> 16) & 0xFFFF)};
    if (FCaptionButtons.Contains(cbMaximize) && FCaption->Visible() && GetCaptionRect().Contains(p))
        ToggleFormMaximized();
}

void TAdvToolBarPager::WMNCHitTest(vcl::TMessage& Message) {
    if (ComponentState().Contains(vcl::csDesigning)) return;
    win::POINT s{static_cast<short>(Message.LParam & 0xFFFF),
                 static_cast<short>((Message.LParam >> 16) & 0xFFFF)};
    const vcl::TPoint p = ScreenToClient(vcl::TPoint{s.X, s.Y});
    // Near the form's border the form answers, so that it can be sized there.
    if (p.X < 3 || p.Y < 3 || p.X > Width() - 6) Message.Result = win::HTTRANSPARENT;
}

// ---- The form's window procedure

void TAdvToolBarPager::CreateWnd() {
    vcl::TCustomControl::CreateWnd();
    if (FNewlyDropped && !Name().empty()) {
        // Dropped on a form in the designer: it comes with three pages to start from (once only, not
        // again when the window is made anew).
        FNewlyDropped = false;
        for (int i = 1; i <= 3; ++i) {
            auto* page = new TAdvPage(Owner());
            page->SetName(Name() + std::to_string(i));
            page->SetCaption(page->Name());
            page->SetAdvToolBarPager(this);
        }
        SetActivePageIndex(0);
    }
    if (ComponentState().Contains(vcl::csDesigning) || FSubclassedForm != nullptr) return;
    vcl::TCustomForm* form = vcl::GetParentForm(this, false);
    if (form == nullptr) return;
    FSubclassedForm = form;
    form->FreeNotification(this);
    FSavedFormProc = form->WindowProc;
    form->WindowProc = [this](vcl::TMessage& Message) { SubclassProc(Message); };
}

void TAdvToolBarPager::RestoreFormProc() {
    if (FSubclassedForm == nullptr) return;
    FSubclassedForm->RemoveFreeNotification(this);
    FSubclassedForm->WindowProc = FSavedFormProc;
    FSubclassedForm = nullptr;
    FSavedFormProc = nullptr;
}

void TAdvToolBarPager::SubclassProc(vcl::TMessage& Message) {
    if (Message.Msg == vcl::CM_MOUSEWHEEL && FEnableWheel) {
        win::POINT p{};
        win::GetCursorPos(&p);
        const bool over = GetClientRect().Contains(ScreenToClient(vcl::TPoint{p.X, p.Y}));
        if (over || (HandleAllocated() && win::GetFocus() == Handle())) {
            const auto delta = static_cast<short>((Message.WParam >> 16) & 0xFFFF);
            if (delta > 0)
                PrevActivePage();
            else
                NextActivePage();
            Message.Result = 1;
            return;
        }
    }
    // The saved procedure may free the form (and the pager with it): nothing of the pager after it
    // unless it is still subclassing.
    vcl::TWndMethod saved = FSavedFormProc;
    if (saved) saved(Message);
    if (FSubclassedForm == nullptr) return;
    const bool sysSize =
        Message.Msg == win::WM_SYSCOMMAND &&
        ((Message.WParam & 0xFFF0) == win::SC_MAXIMIZE || (Message.WParam & 0xFFF0) == win::SC_MINIMIZE);
    if (Message.Msg == win::WM_MOVING || Message.Msg == win::WM_LBUTTONDOWN || Message.Msg == win::WM_SIZE ||
        sysSize)
        if (FKeyTipMode) HideShortCutHintOfAllPages(true);
}

void TAdvToolBarPager::DrawFormCorners() {
    if (dynamic_cast<TAdvToolBarForm*>(Parent()) == nullptr || AdvStyleIF::IsVista()) return;
    TColor color = FCurrentStyler->CaptionAppearance()->CaptionTextColor();
    if (vcl::ColorToRGB(color) == vcl::ColorToRGB(vcl::clWhite)) color = vcl::clBlack;
    vcl::TCanvas* c = Canvas();
    c->Pen()->SetStyle(vcl::psSolid);
    c->Pen()->SetWidth(1);
    c->Pen()->SetColor(color);
    auto line = [c](int x1, int y1, int x2, int y2) {
        c->MoveTo(x1, y1);
        c->LineTo(x2, y2);
    };
    const int W = Width();
    line(0, 0, 7, 0);
    line(0, 1, 4, 1);
    line(1, 1, 1, 4);
    line(0, 0, 0, 7);
    line(W - 7, 0, W, 0);
    line(W - 4, 1, W, 1);
    line(W - 2, 1, W - 2, 4);
    line(W - 1, 0, W - 1, 7);
}

} // namespace AdvToolBar
