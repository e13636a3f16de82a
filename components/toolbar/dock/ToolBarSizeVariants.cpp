// The toolbar's size variants and compact mode. On a pager page the page fits its toolbars into its
// width: a toolbar's glow buttons step between their size states (three large buttons side by side
// become a column of small buttons with labels, such a column becomes glyphs only, and back), and when
// even the smallest variant is too wide the toolbar folds into one compact button that drops its
// controls down in a compact window.

#include <cstdlib>
#include <vector>

#include "components/toolbar/dock/CompactWindow.h"
#include "components/toolbar/dock/FlagGuard.h"
#include "components/toolbar/dock/ToolBar.h"
#include "components/toolbar/pager/AdvPage.h"
#include "platform/rtl/Streams.h"
#include "platform/vcl/Bitmap.h"
#include "platform/win/Metrics.h"

namespace AdvToolBar {

using AdvGlowButton::TAdvCustomGlowButton;
using AdvGlowButton::TButtonSizeState;

namespace {

// Whether the control is a glow button that sizes itself, is in State and may step down (or up).
bool CanStep(vcl::TControl* Control, TButtonSizeState State, bool Down) {
    auto* b = dynamic_cast<TAdvCustomGlowButton*>(Control);
    if (b == nullptr || !b->AutoSize() || b->ButtonSizeState() != State) return false;
    return Down ? State > b->MinButtonSizeState() : State < b->MaxButtonSizeState();
}

// The button's width in State: set when applying, measured when only asking.
int WidthIn(vcl::TControl* Control, TButtonSizeState State, bool Apply) {
    auto* b = static_cast<TAdvCustomGlowButton*>(Control);
    if (!Apply) return b->GetButtonSize(State).cx;
    b->SetButtonSizeState(State);
    return b->Width();
}

// The start of a group: the last index i (from the end, down to 1) where controls i and i-1 can both
// take the step; -1 when there is none.
int FindGroup(TDbgList* List, TButtonSizeState State, bool Down) {
    for (int i = List->Count() - 1; i >= 1; --i)
        if (CanStep(List->At<vcl::TControl>(i), State, Down) &&
            CanStep(List->At<vcl::TControl>(i - 1), State, Down))
            return i;
    return -1;
}

} // namespace

bool TAdvCustomToolBar::OnPage() const {
    return dynamic_cast<const TAdvPage*>(Parent()) != nullptr;
}

bool TAdvCustomToolBar::OnPageOrCompactWindow() const {
    return OnPage() || IsCompactWindow(Parent());
}

// ---- Variant steps

namespace {

// One kind of step: the state the group's buttons leave and take, whether the members must share a
// column, and whether their old or new widths add up (buttons side by side) or the widest counts (a
// column).
struct TStepKind {
    TButtonSizeState From, To;
    bool Down, SameColumn, OldSideBySide, NewSideBySide;
};

constexpr TStepKind SmallerSteps[] = {
    {AdvGlowButton::bsLarge, AdvGlowButton::bsLabel, true, false, true, false},
    {AdvGlowButton::bsLabel, AdvGlowButton::bsGlyph, true, true, false, false},
};
constexpr TStepKind LargerSteps[] = {
    {AdvGlowButton::bsGlyph, AdvGlowButton::bsLabel, false, true, false, false},
    {AdvGlowButton::bsLabel, AdvGlowButton::bsLarge, false, false, false, true},
};

} // namespace

int TAdvCustomToolBar::VariantStep(bool Smaller, TButtonSizeState& NewState, bool Apply, bool& Found) {
    Found = false;
    if (!FAutoPositionControls || !AutoSize() || !OnPageOrCompactWindow() || FCompacted) return 0;
    int oldWidth = 0, newWidth = 0;
    {
        // The buttons re-measure themselves: no re-ordering and no list changes meanwhile.
        TFlagGuard positioning(FPositioning, true);
        TFlagGuard reparent(FInternalReparent, true);
        GetSequenceControlList(FVisibleSequenceList.get(), true);
        TDbgList* list = FVisibleSequenceList.get();
        // The first kind that finds a group is the step; the second is tried only without one.
        for (const TStepKind& kind : Smaller ? SmallerSteps : LargerSteps) {
            const int i = FindGroup(list, kind.From, kind.Down);
            if (i < 0) continue;
            Found = true;
            const int left = list->At<vcl::TControl>(i)->Left();
            // The group: controls i, i-1 and i-2, ending early at one that cannot take the step.
            for (int k = i; k >= 0 && k >= i - 2; --k) {
                vcl::TControl* c = list->At<vcl::TControl>(k);
                if (!CanStep(c, kind.From, kind.Down) || (kind.SameColumn && c->Left() != left)) break;
                oldWidth = kind.OldSideBySide ? oldWidth + c->Width() : std::max(oldWidth, c->Width());
                const int w = WidthIn(c, kind.To, Apply);
                newWidth = kind.NewSideBySide ? newWidth + w : std::max(newWidth, w);
            }
            NewState = kind.To;
            break;
        }
    }
    if (!Found) return 0;
    if (Apply) SetControlsPosition(true);
    return std::abs(oldWidth - newWidth);
}

int TAdvCustomToolBar::SetSmallerVariant(TButtonSizeState& NewState, bool Apply) {
    bool found = false;
    return VariantStep(true, NewState, Apply, found);
}

int TAdvCustomToolBar::SetLargerVariant(TButtonSizeState& NewState, bool Apply) {
    bool found = false;
    return VariantStep(false, NewState, Apply, found);
}

// Steps go on while a group is found, even one whose step wins no width: every step moves buttons
// one state further, so the loop ends.
void TAdvCustomToolBar::SetSmallestVaraint() {
    TButtonSizeState state{};
    bool found = true;
    while (found)
        VariantStep(true, state, true, found);
}

void TAdvCustomToolBar::SetLargestVaraint() {
    TButtonSizeState state{};
    bool found = true;
    while (found)
        VariantStep(false, state, true, found);
}

// ---- Compacting

int TAdvCustomToolBar::GetCompactWidth() const {
    return OnPage() ? FCompactWidth : Width();
}

int TAdvCustomToolBar::GetInCompactWidth() {
    if (!FCompacted || !OnPage() || FCloneLink == nullptr) return Width();
    if (FSavedAutoPositionControls && FSavedAutoSize && !FCloneAtSmallest) {
        // The clone was made fixed-size when it took the controls; it measures its smallest variant
        // with the flags the toolbar had, else no step could be taken and the width would be stale.
        FCloneLink->SetAutoPositionControls(true);
        FCloneLink->SetAutoSizeEx(true);
        FCloneLink->SetSmallestVaraint();
        FCloneAtSmallest = true;
    }
    return FCloneLink->Width();
}

void TAdvCustomToolBar::SetCompact(bool Value) {
    if (Value == FCompacted || !OnPage() || !FLoadedOnce || FCompactMode) return;
    if (Value) {
        FSavedAutoPositionControls = FAutoPositionControls;
        FSavedAutoSize = AutoSize();
        FSavedAutoArrangeButtons = FAutoArrangeButtons;
        SetAutoPositionControls(false);
        SetAutoSizeEx(false);
        SetAutoArrangeButtons(false);
        if (FCompactWindow == nullptr) {
            FCompactWindow = new TCompactWindow(this);
            if (!Name().empty()) FCompactWindow->SetName(Name() + "_CompactWindow");
            // The window is a popup owned by the toolbar's form (see its CreateParams), so it is no
            // child of the toolbar here.
            FCompactWindow->SetBorderIcons({});
            FCompactWindow->SetBorderStyle(vcl::bsNone);
            FCompactWindow->SetFormStyle(vcl::fsStayOnTop);
            FCompactWindow->SetVisible(false);
            FCompactWindow->SetBounds(FCompactWindow->Left(), FCompactWindow->Top(), 30, 30);
            FCompactWindow->SetBorderWidth(0);
            FCompactWindow->OnHide = [this](vcl::TObject* Sender) { OnCompactWindowHide(Sender); };
        }
        if (FCloneLink == nullptr) {
            auto* clone = new TAdvCustomToolBar(FCompactWindow);
            if (!Name().empty()) clone->SetName(Name() + "_SelfClone");
            clone->SetParent(FCompactWindow);
            clone->FCloneLink = this;
            clone->OnDblClick = OnDblClick;
            clone->OnKeyDown = OnKeyDown;
            clone->OnKeyPress = OnKeyPress;
            clone->OnKeyUp = OnKeyUp;
            FCloneLink = clone;
            clone->FreeNotification(this);
        }
        FCompactWindow->SetAdvToolBar(FCloneLink);
        FCompactWindow->SetWindowSize();
        UpdateCompactWindow(true);
        SetWidth(GetCompactWidth());
        CreateCompactButton();
        FCompacted = true;
        return;
    }
    std::vector<vcl::TControl*> order;
    for (void* p : *FCloneLink->FControlList)
        order.push_back(static_cast<vcl::TControl*>(p));
    SetWidth(GetInCompactWidth());
    SetShowCaption(FCloneLink->ShowCaption());
    SetAutoPositionControls(false);
    SetAutoSizeEx(false);
    SetAutoArrangeButtons(false);
    vcl::FreeComponent(FCompactButton);
    FCompactButton = nullptr;
    FCloneLink->MoveControlsTo(this);
    if (FControlList->Count() == static_cast<int>(order.size())) {
        FControlList->Clear();
        for (vcl::TControl* c : order)
            FControlList->Add(c);
    }
    FCloneLink->SetToolBarStyler(nullptr);
    vcl::FreeComponent(FCompactWindow); // and the clone it owns
    FCompactWindow = nullptr;
    FCloneLink = nullptr;
    FCloneAtSmallest = false;
    FCompacted = false;
    SetAutoArrangeButtons(FSavedAutoArrangeButtons);
    SetAutoSizeEx(FSavedAutoSize);
    SetAutoPositionControls(FSavedAutoPositionControls);
}

void TAdvCustomToolBar::SetCompactMode(bool Value) {
    if (Value == FCompactMode || !OnPage()) return;
    // Compared with the mode, not with the compact state: a toolbar the page had already compacted
    // must still be pinned when the mode is switched on.
    if (Value) {
        SetCompact(true);
        FCompactMode = true;
    } else {
        FCompactMode = false;
        SetCompact(false);
    }
    // The width won or given back changes what fits beside this toolbar.
    if (auto* page = dynamic_cast<TAdvPage*>(Parent())) page->UpdateAllToolBars();
}

void TAdvCustomToolBar::CreateCompactButton() {
    auto* b = new AdvGlowButton::TAdvGlowButton(this);
    b->SetParent(this);
    b->SetFocusType(AdvGlowButton::ftNone);
    b->Picture()->Assign(FCompactPicture.get());
    if (FCompactPicture->Empty() && FImages != nullptr && FCompactImageIndex >= 0) {
        if (dynamic_cast<vcl::TImageList*>(FImages) != nullptr) {
            b->SetImages(FImages);
            b->SetImageIndex(FCompactImageIndex);
        } else {
            // Any other list's image becomes the button's picture, white standing for transparent.
            vcl::TCustomImageList* list = Enabled() || FDisabledImages == nullptr ? FImages : FDisabledImages;
            vcl::TBitmap bmp(FImages->Width(), FImages->Height());
            bmp.SetTransparentColor(vcl::clWhite);
            bmp.SetTransparentMode(vcl::tmAuto);
            bmp.SetPixelFormat(vcl::pf24bit);
            bmp.Canvas()->Brush()->SetColor(vcl::clWhite);
            bmp.Canvas()->FillRect(vcl::TRect{0, 0, bmp.Width(), bmp.Height()});
            list->Draw(bmp.Canvas(), 0, 0, FCompactImageIndex, true);
            vcl::TMemoryStream stream;
            bmp.SaveToStream(&stream);
            stream.Seek(0, vcl::soBeginning);
            b->Picture()->LoadFromStream(&stream);
            b->SetImageIndex(-1);
        }
    }
    b->SetCaption(FCompactCaption);
    b->SetBounds(0, 0, FCompactWidth, Height());
    b->SetVisible(true);
    b->SetLayout(AdvGlowButton::blGlyphTop);
    if (FCurrentStyler != nullptr) b->Appearance()->Assign(FCurrentStyler->CompactGlowButtonAppearance());
    b->SetDropDownButton(true);
    b->SetDropDownPosition(AdvGlowButton::dpBottom);
    b->SetDropDownSplit(false);
    b->SetOfficeHint(FOfficeHint.get());
    b->OnDropDown = [this](vcl::TObject* Sender) { OnCompactBtnDropDown(Sender); };
    b->SetStyle(AdvGlowButton::bsCheck);
    // A check-style drop-down button without a split part never runs its drop-down action on a press:
    // its click (which has put it down) opens the window, and a click that lifts it closes it.
    b->OnClick = [this, b](vcl::TObject* Sender) {
        if (b->Down())
            OnCompactBtnDropDown(Sender);
        else
            HideCompactWindow();
    };
    FCompactButton = b;
}

void TAdvCustomToolBar::MoveControlsTo(TAdvCustomToolBar* Target) {
    // Only the toolbar's own controls move: a popup it holds (its option window) stays with it.
    std::vector<vcl::TControl*> children;
    for (int i = 0; i < ControlCount(); ++i)
        if (!IsCompactWindow(Controls(i)) && FControlList->IndexOf(Controls(i)) >= 0)
            children.push_back(Controls(i));
    for (vcl::TControl* c : children) {
        const int left = c->Left(), top = c->Top();
        c->SetParent(Target);
        c->SetBounds(left, top, c->Width(), c->Height());
    }
}

void TAdvCustomToolBar::UpdateCompactWindow(bool MoveControls) {
    TAdvCustomToolBar* clone = FCloneLink;
    if (clone == nullptr) return;
    clone->SetToolBarStyler(FToolBarStyler);
    clone->SetAutoPositionControls(false);
    clone->SetAutoSizeEx(false);
    clone->SetAutoArrangeButtons(false);
    clone->SetAllowFloating(FAllowFloating);
    clone->AutoOptionMenu = AutoOptionMenu;
    clone->SetCaption(FCaption);
    clone->SetCaptionFont(FCaptionFont.get());
    clone->SetCaptionHeight(FCaptionHeight);
    clone->SetCaptionPosition(FCaptionPosition);
    clone->SetCaptionAlignment(FCaptionAlignment);
    clone->SetShowRightHandle(FShowRightHandle);
    clone->SetShowClose(FShowClose);
    clone->SetShowOptionIndicator(FShowOptionIndicator);
    clone->SetEnabled(Enabled());
    clone->SetImages(FImages);
    clone->SetDisabledImages(FDisabledImages);
    clone->SetShowHint(ShowHint());
    clone->Font()->Assign(Font());
    clone->OnOptionClick = OnOptionClick;
    clone->SetOptionPicture(FOptionPicture.get());
    clone->SetOptionDisabledPicture(FOptionDisabledPicture.get());
    clone->SetParentOptionPicture(false);
    if (!MoveControls) return;
    std::vector<vcl::TControl*> order;
    for (void* p : *FControlList)
        order.push_back(static_cast<vcl::TControl*>(p));
    // A fixed toolbar keeps whatever size it is given.
    vcl::TSizeConstraints* k = clone->Constraints();
    k->SetMinWidth(0);
    k->SetMaxWidth(0);
    k->SetMinHeight(0);
    k->SetMaxHeight(0);
    clone->SetBounds(clone->Left(), clone->Top(), Width(), Height());
    clone->SetShowCaption(FShowCaption);
    SetShowCaption(false);
    MoveControlsTo(clone);
    if (clone->FControlList->Count() == static_cast<int>(order.size())) {
        clone->FControlList->Clear();
        for (vcl::TControl* c : order)
            clone->FControlList->Add(c);
    }
}

void TAdvCustomToolBar::OnCompactBtnDropDown(vcl::TObject* Sender) {
    if (!FCompacted || FCompactWindow == nullptr || FCloneLink == nullptr) return;
    if (FCloneAtSmallest && OnPage() && FSavedAutoPositionControls && FSavedAutoSize) {
        // Measured at its smallest for the page; shown at its largest.
        GetSequenceControlList(FCloneLink->FVisibleSequenceList.get(), true);
        FCloneLink->SetAutoPositionControls(FSavedAutoPositionControls);
        FCloneLink->SetAutoSizeEx(FSavedAutoSize);
        FCloneLink->SetLargestVaraint();
        FCloneAtSmallest = false;
    }
    vcl::TPoint p{Left(), Top() + Height() + 1};
    if (Parent() != nullptr) p = Parent()->ClientToScreen(p);
    win::RECT work{};
    win::SystemParametersInfo(win::SPI_GETWORKAREA, 0, &work, 0);
    FCompactWindow->SetDropDownButton(dynamic_cast<AdvGlowButton::TAdvGlowButton*>(Sender));
    FCompactWindow->SetWindowSize();
    // A window that would cross the work area's right edge ends at it instead.
    if (p.X + FCompactWindow->Width() > work.Right && work.Right > p.X)
        p.X -= p.X + FCompactWindow->Width() - work.Right;
    // Nor does it open below the work area's bottom: it moves up as the option window does.
    if (p.Y + FCompactWindow->Height() + 2 > work.Bottom)
        p.Y -= p.Y + FCompactWindow->Height() + 2 - work.Bottom;
    FCompactWindow->SetLeft(p.X);
    FCompactWindow->SetTop(p.Y);
    FCompactWindow->SetVisible(true);
    FCompactWindow->SetLeft(p.X);
    FCompactWindow->SetTop(p.Y);
}

void TAdvCustomToolBar::UpdateCompactButton() {
    if (FCompacted && FCompactButton != nullptr && FCurrentStyler != nullptr)
        FCompactButton->Appearance()->Assign(FCurrentStyler->CompactGlowButtonAppearance());
}

void TAdvCustomToolBar::HideCompactWindow() {
    if (FCompacted && FCompactWindow != nullptr && FCompactWindow->Visible()) FCompactWindow->Hide();
}

void TAdvCustomToolBar::SetCompactCaption(const String& Value) {
    if (FCompactCaption == Value) return;
    FCompactCaption = Value;
    if (FCompactButton != nullptr) FCompactButton->SetCaption(Value);
}

void TAdvCustomToolBar::OnCompactPictureChanged(vcl::TObject*) {
    if (!FCompacted || FCompactButton == nullptr) return;
    FCompactButton->Picture()->Assign(FCompactPicture.get());
    Invalidate();
}

} // namespace AdvToolBar
