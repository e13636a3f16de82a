#include "components/foundation/AdvGlowButton.h"

#include <algorithm>

#include "components/foundation/GlowKeyTip.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/rtl/SysUtils.h"
#include "platform/vcl/ActnList.h"
#include "platform/win/WinUser.h"

namespace AdvGlowButton {

namespace {

// Layout names of the GDI+ wrapper's enumerations (the wrapper itself names none: other units read
// these values as they please).
const char* const AntiAliasNames[] = {"aaNone", "aaClearType", "aaAntiAlias"};
const char* const TrimmingNames[] = {"StringTrimmingNone",         "StringTrimmingCharacter",
                                     "StringTrimmingWord",         "StringTrimmingEllipsisCharacter",
                                     "StringTrimmingEllipsisWord", "StringTrimmingEllipsisPath"};

template <std::size_t N>
bool IdentToValue(const char* const (&Names)[N], const vcl::String& Ident, vcl::Int64& Value) {
    for (std::size_t i = 0; i < N; ++i)
        if (vcl::SameText(Ident, Names[i])) {
            Value = static_cast<vcl::Int64>(i);
            return true;
        }
    return false;
}

template <std::size_t N>
bool ValueToIdent(const char* const (&Names)[N], vcl::Int64 Value, vcl::String& Ident) {
    if (Value < 0 || Value >= static_cast<vcl::Int64>(N)) return false;
    Ident = Names[Value];
    return true;
}

bool IdentToAntiAlias(const vcl::String& Ident, vcl::Int64& Value) {
    return IdentToValue(AntiAliasNames, Ident, Value);
}
bool AntiAliasToIdent(vcl::Int64 Value, vcl::String& Ident) {
    return ValueToIdent(AntiAliasNames, Value, Ident);
}
bool IdentToTrimming(const vcl::String& Ident, vcl::Int64& Value) {
    return IdentToValue(TrimmingNames, Ident, Value);
}
bool TrimmingToIdent(vcl::Int64 Value, vcl::String& Ident) {
    return ValueToIdent(TrimmingNames, Value, Ident);
}

} // namespace

using namespace vcl;

KV_PUBLISHED(TAdvCustomGlowButton) {
    using B = TAdvCustomGlowButton;
    p.Str("Caption", &B::GetCaptionText, &B::SetCaptionText);
    p.Default("DoubleBuffered", true); // the constructor's value
    p.Int(
         "AntiAlias", [](B* c) { return static_cast<int>(c->AntiAlias()); },
         [](B* c, int v) { c->SetAntiAlias(static_cast<AdvGDIP::TAntiAlias>(std::clamp(v, 0, 2))); },
         static_cast<int>(AdvGDIP::aaClearType))
        .Idents(IdentToAntiAlias, AntiAliasToIdent);
    p.Bool("AutoSize", &B::AutoSize, &B::SetAutoSizeEx, false);
    p.Int("ImageIndex", &B::FImageIndex, &B::SetImageIndex, -1);
    p.Ref("Images", &B::FImages, &B::SetImages);
    p.Ref("DisabledImages", &B::FDisabledImages, &B::SetDisabledImages);
    p.Ref("HotImages", &B::FHotImages, &B::SetHotImages);
    p.Int(
         "Trimming", [](B* c) { return static_cast<int>(c->Trimming()); },
         [](B* c, int v) { c->SetTrimming(static_cast<AdvGDIP::StringTrimming>(std::clamp(v, 0, 5))); }, 0)
        .Idents(IdentToTrimming, TrimmingToIdent);
    p.Enum("BorderStyle", &B::FBorderStyle, &B::SetBorderStyle, bsSingle);
    p.Bool("Cancel", &B::FCancel, nullptr, false);
    p.Bool("Default", &B::FDefault, nullptr, false);
    p.Object("DisabledPicture", &B::FDisabledPicture);
    p.Enum("FocusType", &B::FFocusType, nullptr, ftBorder);
    p.Object("HotPicture", &B::FHotPicture);
    p.Int("MarginVert", &B::FMarginVert, &B::SetMarginVert, 2);
    p.Int("MarginHorz", &B::FMarginHorz, &B::SetMarginHorz, 2);
    p.Int("ModalResult", &B::FModalResult, nullptr, 0);
    p.Strings("Notes", &B::FNotes);
    p.Object("NotesFont", &B::FNotesFont);
    p.Object("OfficeHint", &B::FOfficeHint);
    p.Object("Picture", &B::FPicture);
    p.Enum("Position", &B::FPosition, &B::SetButtonPosition, bpStandalone);
    p.Int("InitRepeatPause", &B::FInitRepeatPause, nullptr, 400);
    p.Int("RepeatPause", &B::FRepeatPause, nullptr, 100);
    p.Bool("RepeatClick", &B::FRepeatClick, nullptr, false);
    p.Bool("Rounded", &B::FRounded, &B::SetRounded, true);
    p.Str("ShortCutHint", &B::FShortCutHint, nullptr);
    p.Enum("ShortCutHintPos", &B::FShortCutHintPos, nullptr, shpTop);
    p.Bool("ShowCaption", &B::FShowCaption, &B::SetShowCaption, true);
    p.Bool("ShowDisabled", &B::FShowDisabled, &B::SetShowDisabled, true);
    p.Int("Spacing", &B::FSpacing, &B::SetSpacing, 2);
    p.Bool("Transparent", &B::FTransparent, nullptr, false);
    // Read-only: writes are ignored and layouts never hold it.
    p.Str("Version", &B::GetVersion, &B::SetVersion).Stored(&B::NeverStored);
    p.Bool("WordWrap", &B::FWordWrap, &B::SetWordWrap, true);
    p.Event("OnDrawButton", &B::OnDrawButton);
}

KV_PUBLISHED(TAdvGlowButton) {
    using B = TAdvGlowButton;
    p.Bool("AllowAllUp", &B::AllowAllUp, &B::SetAllowAllUp, false);
    p.Object("Appearance", &B::Appearance);
    p.Bool("Down", &B::Down, &B::SetDown, false);
    p.Int("GroupIndex", &B::GroupIndex, &B::SetGroupIndex, 0);
    p.Enum("Layout", &B::Layout, &B::SetLayout, blGlyphLeft);
    p.Enum("Style", &B::Style, &B::SetStyle, bsButton);
    p.Enum("MaxButtonSizeState", &B::MaxButtonSizeState, &B::SetMaxButtonSizeState, bsLarge);
    p.Enum("MinButtonSizeState", &B::MinButtonSizeState, &B::SetMinButtonSizeState, bsGlyph);
    p.Bool("DropDownButton", &B::DropDownButton, &B::SetDropDownButton, false);
    p.Enum("DropDownPosition", &B::DropDownPosition, &B::SetDropDownPosition, dpRight);
    p.Enum("DropDownDirection", &B::DropDownDirection, &B::SetDropDownDirection, ddDown);
    p.Bool("DropDownSplit", &B::DropDownSplit, &B::SetDropDownSplit, true);
    p.Ref("DropDownMenu", &B::DropDownMenu, &B::SetDropDownMenu);
    p.Event("OnDropDown", &B::OnDropDown);
}

KV_REGISTER_CLASS(TAdvGlowButton)

TAdvCustomGlowButton::TAdvCustomGlowButton(TComponent* AOwner)
    : TCustomControl(AOwner), FAppearance(std::make_unique<TGlowButtonAppearance>()),
      FPicture(std::make_unique<GDIPicture::TGDIPPicture>()),
      FDisabledPicture(std::make_unique<GDIPicture::TGDIPPicture>()),
      FHotPicture(std::make_unique<GDIPicture::TGDIPPicture>()),
      FOfficeHint(std::make_unique<AdvHintInfo::TAdvHintInfo>()), FNotes(std::make_unique<TStringList>()),
      FNotesFont(std::make_unique<TFont>()) {
    FAppearance->OnChange = [this](TObject*) { Invalidate(); };
    FPicture->OnChange = [this](TObject*) { PerformResize(); };
    FDisabledPicture->OnChange = [this](TObject*) { PerformResize(); };
    FNotesFont->SetName("Tahoma");
    FNotesFont->SetSize(8);
    FNotesFont->OnChange = [this](TObject*) { Invalidate(); };
    SetBounds(Left(), Top(), 100, 41);
    // The button paints its whole face (the corners from the parent): nothing to erase first.
    TControlStyle style = ControlStyle();
    style.Include(csOpaque);
    SetControlStyle(style);
    SetDoubleBuffered(true);
}

TAdvCustomGlowButton::~TAdvCustomGlowButton() {
    // The owned parts call back into the button: silence them before they go.
    FAppearance->OnChange = nullptr;
    FPicture->OnChange = nullptr;
    FDisabledPicture->OnChange = nullptr;
    FNotesFont->OnChange = nullptr;
    FreeFadeTimer();
}

bool TAdvCustomGlowButton::IsLoading() const {
    return ComponentState().Contains(csLoading);
}

// ---- Setters

void TAdvCustomGlowButton::SetDisabledPicture(GDIPicture::TGDIPPicture* Value) {
    FDisabledPicture->Assign(Value);
    Invalidate();
}

void TAdvCustomGlowButton::SetNotes(TStrings* Value) {
    FNotes->Assign(Value);
    Invalidate();
}

void TAdvCustomGlowButton::SetNotesFont(TFont* Value) {
    FNotesFont->Assign(Value);
    Invalidate();
}

void TAdvCustomGlowButton::SetLayout(TButtonLayout Value) {
    FLayout = Value;
    // The large state's layout is the one set last in the large state (or while not auto-sizing).
    if (FButtonSizeState == bsLarge || !FAutoSizeEx) FLargeLayout = Value;
    Invalidate();
}

void TAdvCustomGlowButton::SetButtonPosition(TButtonPosition Value) {
    FPosition = Value;
    Invalidate();
}

void TAdvCustomGlowButton::SetSpacing(int Value) {
    if (FSpacing == Value) return;
    FSpacing = Value;
    Invalidate();
}

void TAdvCustomGlowButton::SetMarginHorz(int Value) {
    if (FMarginHorz == Value) return;
    FMarginHorz = Value;
    PerformResize();
}

void TAdvCustomGlowButton::SetMarginVert(int Value) {
    if (FMarginVert == Value) return;
    FMarginVert = Value;
    PerformResize();
}

void TAdvCustomGlowButton::SetRounded(bool Value) {
    if (FRounded == Value) return;
    FRounded = Value;
    Invalidate();
}

void TAdvCustomGlowButton::SetShowCaption(bool Value) {
    FShowCaption = Value;
    PerformResize();
    Invalidate();
}

void TAdvCustomGlowButton::SetShowDisabled(bool Value) {
    FShowDisabled = Value;
    Invalidate();
}

void TAdvCustomGlowButton::SetWordWrap(bool Value) {
    if (FWordWrap == Value) return;
    FWordWrap = Value;
    Invalidate();
}

void TAdvCustomGlowButton::SetDropDownButton(bool Value) {
    if (FDropDownButton == Value) return;
    FDropDownButton = Value;
    SetBounds(Left(), Top(), Width(), Height());
    Invalidate();
}

void TAdvCustomGlowButton::SetDropDownPosition(TDropDownPosition Value) {
    if (FDropDownPosition == Value) return;
    FDropDownPosition = Value;
    if (FButtonSizeState == bsLarge || !FAutoSizeEx) FLargeDropDownPosition = Value;
    if (FDropDownButton) SetBounds(Left(), Top(), Width(), Height());
    Invalidate();
}

void TAdvCustomGlowButton::SetDropDownDirection(TDropDownDirection Value) {
    if (FDropDownDirection == Value) return;
    FDropDownDirection = Value;
    Invalidate();
}

void TAdvCustomGlowButton::SetMaxButtonSizeState(TButtonSizeState Value) {
    if (FMaxButtonSizeState == Value) return;
    FMaxButtonSizeState = Value;
    SetButtonSizeState(Value);
}

void TAdvCustomGlowButton::SetMinButtonSizeState(TButtonSizeState Value) {
    if (FMinButtonSizeState == Value) return;
    FMinButtonSizeState = Value;
    if (FButtonSizeState < Value) SetButtonSizeState(Value);
}

void TAdvCustomGlowButton::SetAntiAlias(AdvGDIP::TAntiAlias Value) {
    if (FAntiAlias == Value) return;
    FAntiAlias = Value;
    Invalidate();
}

void TAdvCustomGlowButton::SetBorderStyle(TBorderStyle Value) {
    FBorderStyle = Value;
    Invalidate();
}

void TAdvCustomGlowButton::SetTrimming(AdvGDIP::StringTrimming Value) {
    if (FTrimming == Value) return;
    FTrimming = Value;
    Invalidate();
}

void TAdvCustomGlowButton::SetWideCaption(const String& Value) {
    if (FWideCaption == Value) return;
    FWideCaption = Value;
    PerformResize();
}

void TAdvCustomGlowButton::Assign(TPersistent* Source) {
    auto* s = dynamic_cast<TAdvCustomGlowButton*>(Source);
    if (!s) {
        TCustomControl::Assign(Source);
        return;
    }
    SetAlign(s->Align());
    SetAction(s->Action());
    SetAnchors(s->Anchors());
    SetAntiAlias(s->FAntiAlias);
    SetBorderStyle(s->FBorderStyle);
    SetCancel(s->FCancel);
    SetCaption(s->Caption());
    SetAutoSizeEx(s->FAutoSizeEx);
    Constraints()->Assign(s->Constraints());
    SetDefault(s->FDefault);
    Font()->Assign(s->Font());
    SetImageIndex(s->FImageIndex);
    // Image lists are shared components: only the references are taken over.
    SetImages(s->FImages);
    SetDisabledImages(s->FDisabledImages);
    SetHotImages(s->FHotImages);
    SetPicture(s->Picture());
    SetDisabledPicture(s->DisabledPicture());
    SetHotPicture(s->HotPicture());
    SetFocusType(s->FFocusType);
    SetMarginVert(s->FMarginVert);
    SetMarginHorz(s->FMarginHorz);
    SetModalResult(s->FModalResult);
    SetNotes(s->Notes());
    SetNotesFont(s->NotesFont());
    SetOfficeHint(s->OfficeHint());
    SetParentFont(s->ParentFont());
    SetPopupMenu(s->PopupMenu());
    SetButtonPosition(s->FPosition);
    SetInitRepeatPause(s->FInitRepeatPause);
    SetRepeatPause(s->FRepeatPause);
    SetRepeatClick(s->FRepeatClick);
    SetRounded(s->FRounded);
    SetShortCutHint(s->FShortCutHint);
    SetShortCutHintPos(s->FShortCutHintPos);
    SetShowCaption(s->FShowCaption);
    SetShowDisabled(s->FShowDisabled);
    SetSpacing(s->FSpacing);
    SetTransparent(s->FTransparent);
    SetTrimming(s->FTrimming);
    SetWordWrap(s->FWordWrap);
    SetShowHint(s->ShowHint());
    SetTabOrder(s->TabOrder());
    SetTabStop(s->TabStop());
    SetVisible(s->Visible());
}

// ---- Glyph sources

void TAdvCustomGlowButton::SetImageIndex(TImageIndex Value) {
    FImageIndex = Value;
    PerformResize();
}

// A shared list may be freed before the button: ask to be told, and forget it then (Notification).
void TAdvCustomGlowButton::SetImages(TCustomImageList* Value) {
    if (FImages) FImages->RemoveFreeNotification(this);
    FImages = Value;
    if (Value) Value->FreeNotification(this);
    Invalidate();
}

void TAdvCustomGlowButton::SetDisabledImages(TCustomImageList* Value) {
    if (FDisabledImages) FDisabledImages->RemoveFreeNotification(this);
    FDisabledImages = Value;
    if (Value) Value->FreeNotification(this);
    Invalidate();
}

void TAdvCustomGlowButton::SetHotImages(TCustomImageList* Value) {
    if (FHotImages) FHotImages->RemoveFreeNotification(this);
    FHotImages = Value;
    if (Value) Value->FreeNotification(this);
}

void TAdvCustomGlowButton::SetDropDownMenu(TPopupMenu* Value) {
    if (FDropDownMenu) FDropDownMenu->RemoveFreeNotification(this);
    FDropDownMenu = Value;
    if (Value) Value->FreeNotification(this);
}

void TAdvCustomGlowButton::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomControl::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FImages) FImages = nullptr;
    if (AComponent == FDisabledImages) FDisabledImages = nullptr;
    if (AComponent == FHotImages) FHotImages = nullptr;
    if (AComponent == FDropDownMenu) FDropDownMenu = nullptr;
    if (AComponent == FIGlyphList) FIGlyphList = nullptr;
    if (AComponent == FShortCutHintWindow) FShortCutHintWindow = nullptr;
    if (AComponent == FTimer) FTimer = nullptr;
    if (AComponent == FRepeatTimer) FRepeatTimer = nullptr;
}

TImageList* TAdvCustomGlowButton::InternalGlyphList() {
    if (!FIGlyphList) FIGlyphList = new TImageList(this);
    return FIGlyphList;
}

void TAdvCustomGlowButton::FreeInternalGlyphList() {
    delete FIGlyphList; // the owner's list forgets it through Notification
    FIGlyphList = nullptr;
}

// ---- Action link

TAdvGlowButtonActionLink::TAdvGlowButtonActionLink(TObject* AClient) : TControlActionLink(AClient) {
    // During construction the base class's AssignClient ran: take the client as a glow button here.
    FButton = dynamic_cast<TAdvCustomGlowButton*>(AClient);
}

void TAdvGlowButtonActionLink::AssignClient(TObject* AClient) {
    TControlActionLink::AssignClient(AClient);
    FButton = dynamic_cast<TAdvCustomGlowButton*>(AClient);
}

bool TAdvGlowButtonActionLink::IsCheckedLinked() {
    auto* a = dynamic_cast<TCustomAction*>(Action());
    const bool linked =
        TControlActionLink::IsCheckedLinked() && FButton && a && a->Checked() == FButton->Down();
    if (FButton) FButton->FCheckedLinked = linked;
    return linked;
}

bool TAdvGlowButtonActionLink::IsGroupIndexLinked() {
    auto* a = dynamic_cast<TCustomAction*>(Action());
    const bool linked = FButton && a && a->GroupIndex() == FButton->GroupIndex();
    if (FButton) FButton->FGroupLinked = linked;
    return linked;
}

bool TAdvGlowButtonActionLink::IsImageIndexLinked() {
    auto* a = dynamic_cast<TCustomAction*>(Action());
    return TControlActionLink::IsImageIndexLinked() && a && a->ImageIndex() == FImageIndex;
}

void TAdvGlowButtonActionLink::SetChecked(bool Value) {
    if (IsCheckedLinked() && FButton) FButton->SetDown(Value);
}

void TAdvGlowButtonActionLink::SetGroupIndex(int Value) {
    if (IsGroupIndexLinked() && FButton) FButton->SetGroupIndex(Value);
}

void TAdvGlowButtonActionLink::SetImageIndex(TImageIndex Value) {
    if (!IsImageIndexLinked()) return;
    FImageIndex = Value;
    if (FButton) FButton->SetImageIndex(Value);
}

TControlActionLinkClass TAdvCustomGlowButton::GetActionLinkClass() {
    return [](TControl* Client) -> std::unique_ptr<TControlActionLink> {
        return std::make_unique<TAdvGlowButtonActionLink>(Client);
    };
}

void TAdvCustomGlowButton::ActionChange(TObject* Sender, bool CheckDefaults) {
    TCustomControl::ActionChange(Sender, CheckDefaults);
    auto* a = dynamic_cast<TCustomAction*>(Sender);
    if (!a) return;
    if (CheckDefaults || FGroupIndex == 0) SetGroupIndex(a->GroupIndex());
    SetImageIndex(a->ImageIndex());
}

// ---- Down and groups

void TAdvCustomGlowButton::SetDown(bool Value) {
    if (IsLoading()) FDownKept = Value;
    if (FGroupIndex == 0 && FStyle == bsButton) Value = false;
    if (FStyle == bsCheck) {
        FDown = Value;
        FState = Value ? absDown : absUp;
        Repaint();
        return;
    }
    if (Value == FDown) return;
    if (FDown && !FAllowAllUp) return; // the last one down of a group stays down
    FDown = Value;
    if (Value) {
        if (FState == absUp) Invalidate();
        FState = absExclusive;
    } else {
        FState = absUp;
        Repaint();
    }
    if (Value && !FCheckedLinked) UpdateExclusive();
}

void TAdvCustomGlowButton::SetGroupIndex(int Value) {
    if (FGroupIndex == Value) return;
    FGroupIndex = Value;
    UpdateExclusive();
}

void TAdvCustomGlowButton::SetAllowAllUp(bool Value) {
    if (FAllowAllUp == Value) return;
    FAllowAllUp = Value;
    UpdateExclusive();
}

void TAdvCustomGlowButton::UpdateExclusive() {
    if (FGroupIndex == 0 || !Parent()) return;
    TMessage msg(CM_BUTTONPRESSED, static_cast<win::WPARAM>(FGroupIndex),
                 reinterpret_cast<win::LPARAM>(this));
    Parent()->Broadcast(msg);
}

void TAdvCustomGlowButton::CMButtonPressed(TMessage& Message) {
    TCMButtonPressed m(Message);
    if (m.Index != FGroupIndex || m.Control == this) return;
    auto* sender = dynamic_cast<TAdvCustomGlowButton*>(m.Control);
    if (sender && sender->Down() && FDown) {
        FDown = false;
        FState = absUp;
        Invalidate();
    }
}

void TAdvCustomGlowButton::Loaded() {
    TCustomControl::Loaded();
    if (FDownKept != FDown) SetDown(FDownKept);
}

// ---- Style presets

void TAdvCustomGlowButton::SetComponentStyle(AdvStyleIF::TBrixStyle AStyle) {
    using namespace AdvStyleIF;
    if (AStyle == tsCustom) return;
    TGlowButtonAppearance& a = *FAppearance;
    // The hot and down faces (colour, colour to, mirror, mirror to, border) and the checked face (without
    // border), all with vertical gradients.
    auto states = [&a](const TColor(&hot)[5], const TColor(&down)[5], const TColor(&checked)[4]) {
        a.SetColorHot(hot[0]);
        a.SetColorHotTo(hot[1]);
        a.SetColorMirrorHot(hot[2]);
        a.SetColorMirrorHotTo(hot[3]);
        a.SetBorderColorHot(hot[4]);
        a.SetColorDown(down[0]);
        a.SetColorDownTo(down[1]);
        a.SetColorMirrorDown(down[2]);
        a.SetColorMirrorDownTo(down[3]);
        a.SetBorderColorDown(down[4]);
        a.SetColorChecked(checked[0]);
        a.SetColorCheckedTo(checked[1]);
        a.SetColorMirrorChecked(checked[2]);
        a.SetColorMirrorCheckedTo(checked[3]);
        a.SetGradientHot(ggVertical);
        a.SetGradientMirrorHot(ggVertical);
        a.SetGradientDown(ggVertical);
        a.SetGradientMirrorDown(ggVertical);
        a.SetGradientChecked(ggVertical);
        a.SetGradientMirrorChecked(ggVertical);
    };
    auto hotDownChecked = [&states] {
        states({0xEBFDFF, 0xACECFF, 0x59DAFF, 0xA4E9FF, 0x99CEDB},
               {0x76AFF1, 0x4190F3, 0x0E72F1, 0x4C9FFD, 0x45667B}, {0xB5DBFB, 0x78C7FE, 0x9FEBFD, 0x56B4FE});
    };
    auto face = [&a](TColor c, TColor cTo, TColor m, TColor mTo, TColor border) {
        a.SetColor(c);
        a.SetColorTo(cTo);
        a.SetColorMirror(m);
        a.SetColorMirrorTo(mTo);
        a.SetBorderColor(border);
        a.SetGradient(ggVertical);
        a.SetGradientMirror(ggVertical);
    };
    if (AStyle == tsOffice2003Blue || AStyle == tsOffice2003Silver || AStyle == tsOffice2003Olive ||
        AStyle == tsWhidbey)
        hotDownChecked();
    switch (AStyle) {
    case tsOffice2003Blue:
        face(0xEEDBC8, 0xF6DDC9, 0xEDD4C0, 0xF7E1D0, 0xE0B99B);
        break;
    case tsOffice2003Silver:
        face(0xEDD4C0, 0xE6D8D8, 0xEDD4C0, 0xC8B2B3, 0x927476);
        break;
    case tsOffice2003Olive:
        face(0xCFF0EA, 0xCFF0EA, 0xCFF0EA, 0x8CC0B1, 0x8CC0B1);
        break;
    case tsOffice2003Classic:
        face(0xFFFFFF, 0xC9D1D5, 0xFFFFFF, 0xC9D1D5, 0x000000);
        hotDownChecked();
        break;
    case tsOffice2007Luna:
        face(0xEEDBC8, 0xF6DDC9, 0xEDD4C0, 0xF7E1D0, 0xE0B99B);
        hotDownChecked();
        a.SetBorderColorChecked(0x45667B);
        break;
    case tsOffice2007Obsidian:
        face(0xDFDED6, 0xE4E2DB, 0xD7D5CE, 0xE7E5E0, 0xC0BCB2);
        hotDownChecked();
        a.SetBorderColorChecked(0x45667B);
        break;
    case tsWindowsXP:
        face(0xFFFFFF, 0xB9D8DC, 0xB9D8DC, 0xB9D8DC, 0xB9D8DC);
        states({0xEFD3C6, 0xEFD3C6, 0xEFD3C6, 0xEFD3C6, clHighlight},
               {0xB59284, 0xB59284, 0xB59284, 0xB59284, clHighlight},
               {0xB9D8DC, 0xB9D8DC, 0xB9D8DC, 0xB9D8DC});
        a.SetBorderColorChecked(0x000000);
        break;
    case tsWhidbey:
        face(0xFFFFFF, 0xDFEDF0, 0xDFEDF0, 0xDFEDF0, 0x99A8AC);
        break;
    case tsOffice2007Silver:
        face(0xF3F3F1, 0xF5F5F3, 0xEEEAE7, 0xF8F7F6, 0xCCCAC9);
        hotDownChecked();
        a.SetBorderColorChecked(0x45667B);
        break;
    default:
        break;
    }
    Invalidate();
}

} // namespace AdvGlowButton
