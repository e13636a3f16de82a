#include "components/statusbar/AdvOfficeStatusBar.h"

#include <algorithm>

#include "components/foundation/AdvVersion.h"
#include "components/menus/AdvMenuStyler.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/rtl/SysInfo.h"
#include "platform/rtl/SysUtils.h"
#include "platform/vcl/Bitmap.h"
#include "platform/vcl/Screen.h"
#include "platform/win/Gdi.h"
#include "platform/win/Window.h"

namespace AdvOfficeStatusBar {

using namespace vcl;

KV_PUBLISHED(TAdvOfficeStatusBar) {
    using B = TAdvOfficeStatusBar;
    p.Enum("Align", &B::Align, &B::SetAlign, alBottom);
    // The constructor's values: a layout keeps the opposite ones.
    p.Default("DoubleBuffered", true);
    p.Default("ParentColor", false);
    p.Color("Color", &B::Color, &B::SetColor, clBtnFace);
    p.Bool("ParentFont", &B::ParentFont, &B::SetParentFont, false);
    p.Object("Font", &B::Font).Stored(&B::IsFontStored);
    p.Int(
         "AntiAlias", [](B* c) { return static_cast<int>(c->AntiAlias()); },
         [](B* c, int v) { c->SetAntiAlias(static_cast<AdvGDIP::TAntiAlias>(std::clamp(v, 0, 2))); },
         static_cast<int>(AdvGDIP::aaClearType))
        .Idents(AdvMenuStylers::IdentToAntiAlias, AdvMenuStylers::AntiAliasToIdent);
    p.Bool("AnchorHint", &B::FAnchorHint, &B::SetAnchorHint);
    p.Bool("AutoHint", &B::FAutoHint, &B::SetAutoHint, false);
    p.Ref("Images", &B::FImages, &B::SetImages);
    p.Ref("DisabledImages", &B::FDisabledImages, &B::SetDisabledImages);
    p.Collection("Panels", &B::FPanels);
    p.Bool("SimplePanel", &B::FSimplePanel, &B::SetSimplePanel, false);
    p.Str("SimpleText", &B::FSimpleText, &B::SetSimpleText);
    p.Bool("SizeGrip", &B::FSizeGrip, &B::SetSizeGrip, true);
    p.Color("URLColor", &B::FURLColor, &B::SetURLColor, clBlue);
    p.Int("StretchPanel", &B::FStretchPanel, &B::SetStretchPanel, -1);
    p.Ref("Styler", &B::FOfficeStatusBarStyler, &B::SetOfficeStatusBarStyler);
    p.Ref("PictureContainer", &B::FContainer, &B::SetPictureContainer);
    p.Bool("UseSystemFont", &B::FUseSystemFont, &B::SetUseSystemFont, true);
    p.Str("Version", &B::GetVersion, &B::SetVersion, "1.2.0.2");
    p.Event("OnDrawPanel", &B::OnDrawPanel);
    p.Event("OnHint", &B::OnHint);
    p.Event("OnPanelClick", &B::OnPanelClick);
    p.Event("OnPanelDblClick", &B::OnPanelDblClick);
    p.Event("OnPanelRightClick", &B::OnPanelRightClick);
    p.Event("OnAnchorClick", &B::OnAnchorClick);
    p.Event("OnAnchorEnter", &B::OnAnchorEnter);
    p.Event("OnAnchorExit", &B::OnAnchorExit);
}

KV_REGISTER_CLASS(TAdvOfficeStatusBar)

void RegisterAdvOfficeStatusBarClasses() {
    RegisterClasses({ClassEntry<TAdvOfficeStatusBar>()});
}

TAdvOfficeStatusBar::TAdvOfficeStatusBar(TComponent* AOwner) : TCustomControl(AOwner) {
    FControlStyle = TControlStyle{csCaptureMouse, csClickEvents, csDoubleClicks, csAcceptsControls};
    SetDoubleBuffered(true);
    FInternalStyler = new TCustomAdvOfficeStatusBarStyler(this);
    FInternalStyler->SetName("InternalStyler");
    FInternalStyler->SetSubComponent(true);
    FCurrentStyler = FInternalStyler;
    FInternalStyler->AddControl(this);
    SetColor(clBtnFace);
    SetBounds(0, 0, 185, 19);
    SetAlign(alBottom);
    FPanels = std::make_unique<TAdvOfficeStatusPanels>(this);
    FPanels->OnChange = [this](TObject* Sender) { PanelsChanged(Sender); };
    SetParentFont(false);
    SyncToSystemFont();
    FHintControl = new TDummyHintControl(this);
    FHintControl->SetVisible(false);
}

TAdvOfficeStatusBar::~TAdvOfficeStatusBar() {
    // An outside styler forgets the bar even when it never hears of the bar's removal.
    if (FOfficeStatusBarStyler != nullptr) FOfficeStatusBarStyler->RemoveControl(this);
    BeforeDestruction();
    FPanels.reset();
}

String TAdvOfficeStatusBar::GetVersion() const {
    return AdvVersion::VersionText(static_cast<std::uint32_t>(GetVersionNr()));
}

// ---- Links

void TAdvOfficeStatusBar::SetOfficeStatusBarStyler(TCustomAdvOfficeStatusBarStyler* Value) {
    if (Value == FOfficeStatusBarStyler && Value != nullptr) return;
    if (FOfficeStatusBarStyler != nullptr && FOfficeStatusBarStyler != FInternalStyler)
        FOfficeStatusBarStyler->RemoveControl(this);
    FOfficeStatusBarStyler = Value;
    if (Value != nullptr) {
        FCurrentStyler = Value;
        Value->AddControl(this);
    } else {
        FCurrentStyler = FInternalStyler;
    }
    UpdateMe(0);
    Invalidate();
}

void TAdvOfficeStatusBar::UpdateMe(int) {
    Invalidate();
}

void TAdvOfficeStatusBar::Notification(TComponent* AComponent, TOperation Operation) {
    if (Operation == opRemove) {
        if (AComponent == FContainer) FContainer = nullptr;
        if (AComponent == FHintControl) FHintControl = nullptr;
        if (AComponent == FInternalStyler) {
            FInternalStyler = nullptr;
            if (FCurrentStyler == AComponent) FCurrentStyler = FOfficeStatusBarStyler;
        } else if (ComponentState().Contains(csDestroying)) {
            // Going away together (the form frees the styler first): only forget it, so that the
            // destructor does not reach a freed styler.
            if (AComponent == FOfficeStatusBarStyler) {
                FOfficeStatusBarStyler = nullptr;
                FCurrentStyler = FInternalStyler;
            }
        } else {
            if (AComponent == FImages) FImages = nullptr;
            if (AComponent == FDisabledImages) FDisabledImages = nullptr;
            if (AComponent == FOfficeStatusBarStyler) SetOfficeStatusBarStyler(nullptr);
            if (FPanels != nullptr) {
                for (int i = 0; i < FPanels->Count(); ++i) {
                    TAdvOfficeStatusPanel* panel = FPanels->GetItem(i);
                    if (panel->AnimationImages() == AComponent) panel->SetAnimationImages(nullptr);
                }
            }
        }
    }
    TCustomControl::Notification(AComponent, Operation);
}

void TAdvOfficeStatusBar::SetImages(TCustomImageList* Value) {
    FImages = Value;
    if (Value != nullptr) Value->FreeNotification(this);
    Invalidate();
}

void TAdvOfficeStatusBar::SetDisabledImages(TCustomImageList* Value) {
    FDisabledImages = Value;
    if (Value != nullptr) Value->FreeNotification(this);
    Invalidate();
}

void TAdvOfficeStatusBar::SetPictureContainer(PictureContainer::TPictureContainer* Value) {
    FContainer = Value;
    if (Value != nullptr) Value->FreeNotification(this);
}

void TAdvOfficeStatusBar::Loaded() {
    TCustomControl::Loaded();
    UpdateStatusBar();
    AutoSizePanels();
}

// ---- Properties

void TAdvOfficeStatusBar::SetSimplePanel(bool Value) {
    if (FSimplePanel == Value) return;
    FSimplePanel = Value;
    Invalidate();
}

void TAdvOfficeStatusBar::SetSimpleText(const String& Value) {
    if (FSimpleText == Value) return;
    FSimpleText = Value;
    Invalidate();
}

void TAdvOfficeStatusBar::SetStretchPanel(int Value) {
    if (Value < -1 || Value >= FPanels->Count()) return;
    FStretchPanel = Value;
    Invalidate();
}

void TAdvOfficeStatusBar::SetAntiAlias(AdvGDIP::TAntiAlias Value) {
    FAntiAlias = Value;
    Invalidate();
}

void TAdvOfficeStatusBar::SetSizeGrip(bool Value) {
    if (FSizeGrip == Value) return;
    FSizeGrip = Value;
    if (HandleAllocated()) RecreateWnd();
}

void TAdvOfficeStatusBar::SetUseSystemFont(bool Value) {
    SetFontFlag(FUseSystemFont, Value);
}

void TAdvOfficeStatusBar::SetDesktopFont(bool Value) {
    SetFontFlag(FDesktopFont, Value);
}

void TAdvOfficeStatusBar::SetFontFlag(bool& Flag, bool Value) {
    if (Flag == Value) return;
    Flag = Value;
    // Switched on, the flag's font takes the parent's place.
    if (Value) {
        if (ParentFont()) SetParentFont(false);
        SyncToSystemFont();
    }
}

bool TAdvOfficeStatusBar::IsFontStored() const {
    return !FUseSystemFont && !ParentFont() && !FDesktopFont;
}

void TAdvOfficeStatusBar::ChangeScale(int M, int D) {
    // The system's font has its own size: only the bar's place moves with the form's scale.
    if (FUseSystemFont) {
        if (M != D && D != 0) SetTop(static_cast<int>(static_cast<long long>(Top()) * M / D));
        return;
    }
    TCustomControl::ChangeScale(M, D);
}

void TAdvOfficeStatusBar::SyncToSystemFont() {
    if (FDesktopFont) {
        const TDesktopFont desktop = SysInfo().DesktopFont();
        Font()->SetName(desktop.Name);
        Font()->SetSize(desktop.Size);
        Font()->SetStyle({});
    }
    if (FUseSystemFont && vcl::Screen != nullptr) Font()->Assign(vcl::Screen->HintFont());
}

void TAdvOfficeStatusBar::PanelsChanged(TObject*) {
    if (FPanels != nullptr && FPanels->UpdateCount() == 0) Invalidate();
}

// ---- Layout

int TAdvOfficeStatusBar::PanelFixedSize() const {
    int size = 0;
    for (int i = 0; i < FPanels->Count(); ++i)
        if (i != FStretchPanel) size += FPanels->GetItem(i)->Width();
    return size;
}

TRect TAdvOfficeStatusBar::GetPanelRect(int Index) {
    if (Index < 0 || Index >= FPanels->Count()) return TRect{-1, -1, -1, -1};
    TRect r{0, 1, 0, Height() - 1};
    int x = 0;
    for (int i = 0; i <= Index; ++i) {
        r.Left = x;
        if (i == FStretchPanel) {
            r.Right = std::max(r.Left, r.Left + Width() - PanelFixedSize());
            x += r.Right - r.Left;
        } else if (i == FPanels->Count() - 1) {
            r.Right = std::max(r.Left, Width() - 1);
        } else {
            r.Right = r.Left + FPanels->GetItem(i)->Width();
            x += FPanels->GetItem(i)->Width();
        }
    }
    return r;
}

TRect TAdvOfficeStatusBar::GetPaintRect(int Index) {
    if (Index < 0 || Index >= FPanels->Count()) return TRect{};
    TRect r{0, 0, 0, Height() - 1};
    int x = 0;
    for (int i = 0; i <= Index; ++i) {
        r.Left = x;
        if (i == FStretchPanel) {
            r.Right = std::max(r.Left, r.Left + Width() - PanelFixedSize());
            x += r.Right - r.Left;
        } else if (i == FPanels->Count() - 1 && FStretchPanel == -1) {
            r.Right = std::max(r.Left, Width());
        } else {
            r.Right = r.Left + FPanels->GetItem(i)->Width();
            x += FPanels->GetItem(i)->Width();
        }
    }
    if (r.Left == 0) r.Left = 1;
    if (r.Right == Width() - 1) r.Right = Width() - 2;
    return r;
}

TRect TAdvOfficeStatusBar::GetSimplePanelRect() {
    return TRect{1, 1, Width() - 1, Height() - 1};
}

int TAdvOfficeStatusBar::GetPanel(int X) {
    for (int i = 0; i < FPanels->Count(); ++i) {
        TRect r = GetPanelRect(i);
        if (r.Left <= X && X <= r.Right) return i;
    }
    return -1;
}

int TAdvOfficeStatusBar::IndexOfPanel(TAdvOfficeStatusPanel* Panel) const {
    for (int i = 0; i < FPanels->Count(); ++i)
        if (FPanels->GetItem(i) == Panel) return i;
    return -1;
}

bool TAdvOfficeStatusBar::IsLastPanel(TAdvOfficeStatusPanel* Panel) const {
    int i = IndexOfPanel(Panel);
    return i >= 0 && i == FPanels->Count() - 1;
}

void TAdvOfficeStatusBar::InvalidatePanel(int Index) {
    if (!HandleAllocated()) return;
    if (Index >= 0 && Index < FPanels->Count()) {
        TRect r = GetPanelRect(Index);
        win::InvalidateRect(WindowHandle(), &r, 1);
    } else {
        Invalidate();
    }
}

void TAdvOfficeStatusBar::UpdatePanel(int Index, bool) {
    if (FSimplePanel)
        Invalidate();
    else
        InvalidatePanel(Index);
}

void TAdvOfficeStatusBar::UpdatePanels(bool, bool) {
    // The collection invalidates the whole bar after this.
}

// ---- Messages

void TAdvOfficeStatusBar::WndProc(TMessage& Message) {
    switch (Message.Msg) {
    case win::WM_ERASEBKGND:
        // Every paint covers the whole client area.
        Message.Result = 1;
        return;
    case win::WM_GETTEXTLENGTH:
        Message.Result = static_cast<win::LRESULT>(FSimpleText.size());
        return;
    case win::WM_TIMER:
        // Any timer of the bar's window moves the tick: the bar starts only its own.
        UpdateStatusBar();
        FTick = FTick + 1 >= 11 ? 0 : FTick + 1;
        return;
    case win::WM_NCHITTEST: {
        TCustomControl::WndProc(Message);
        Message.Result = NCHitTest(Message, Message.Result);
        return;
    }
    case win::WM_NCLBUTTONDOWN:
        // A press on the size grip sizes the form by its corner, as the window system's own status bar does:
        // the bar passes it on to its form (the grip is there only on a sizeable form that is its parent),
        // whose frame starts the sizing loop.
        if (static_cast<win::LRESULT>(Message.WParam) == win::HTBOTTOMRIGHT && HasSizeGrip()) {
            win::SendMessage(Parent()->Handle(), win::WM_NCLBUTTONDOWN, Message.WParam, Message.LParam);
            Message.Result = 0;
            return;
        }
        TCustomControl::WndProc(Message);
        return;
    case win::WM_LBUTTONDBLCLK:
        TCustomControl::WndProc(Message);
        if (OnPanelDblClick) OnPanelDblClick(this, GetPanel(static_cast<short>(Message.LParam & 0xFFFF)));
        return;
    case CM_MOUSELEAVE:
        TCustomControl::WndProc(Message);
        MouseLeft();
        return;
    case CM_HINTSHOW:
        TCustomControl::WndProc(Message);
        HintShow(reinterpret_cast<THintInfo*>(Message.LParam));
        return;
    case CM_COLORCHANGED:
    case CM_SYSCOLORCHANGE:
        TCustomControl::WndProc(Message);
        if (HandleAllocated()) RecreateWnd();
        return;
    case CM_WININICHANGE:
        TCustomControl::WndProc(Message);
        if (Message.WParam == 0 || Message.WParam == 42) SyncToSystemFont(); // 42: non-client metrics
        return;
    case CM_DESIGNHITTEST: {
        // The designer lets the bar take the mouse on a panel border or while a border is dragged.
        FDesignMouse = TPoint{static_cast<short>(Message.LParam & 0xFFFF),
                              static_cast<short>((Message.LParam >> 16) & 0xFFFF)};
        Message.Result = OnPanelBorder(FDesignMouse.X) >= 0 || FResizePanel >= 0 ? 1 : 0;
        return;
    }
    case win::WM_SETCURSOR:
        if (ComponentState().Contains(csDesigning) && OnPanelBorder(FDesignMouse.X) >= 0) {
            win::SetCursor(vcl::Screen->Cursors(crSizeWE));
            Message.Result = 1;
            return;
        }
        TCustomControl::WndProc(Message);
        return;
    case CM_SYSFONTCHANGED:
        TCustomControl::WndProc(Message);
        SyncToSystemFont();
        return;
    case win::WM_THEMECHANGED:
        // A change of the desktop's settings, its font among them.
        TCustomControl::WndProc(Message);
        if (FDesktopFont) SyncToSystemFont();
        return;
    case CM_PARENTFONTCHANGED:
        TCustomControl::WndProc(Message);
        if (ParentFont()) FUseSystemFont = FDesktopFont = false;
        return;
    case CM_BIDIMODECHANGED:
        TCustomControl::WndProc(Message);
        if (!FSimplePanel && FPanels != nullptr)
            for (int i = 0; i < FPanels->Count(); ++i)
                FPanels->GetItem(i)->ParentBiDiModeChanged();
        return;
    default:
        TCustomControl::WndProc(Message);
    }
}

} // namespace AdvOfficeStatusBar
