#include "components/statusbar/AdvOfficeStatusBar.h"

#include <algorithm>

#include "platform/classes/ClassRegistry.h"
#include "platform/rtl/SysUtils.h"
#include "platform/vcl/Bitmap.h"
#include "platform/vcl/Screen.h"
#include "platform/win/Gdi.h"
#include "platform/win/Window.h"

namespace AdvOfficeStatusBar {

using namespace vcl;

namespace {

bool IsEmpty(const TRect& R) {
    return R.Left >= R.Right || R.Top >= R.Bottom;
}

// The plain look shows mark-up as its bare text: everything between '<' and '>' is left out.
String StripTags(const String& Text) {
    String out;
    bool inTag = false;
    for (char ch : Text) {
        if (ch == '<')
            inTag = true;
        else if (ch == '>' && inTag)
            inTag = false;
        else if (!inTag)
            out += ch;
    }
    return out;
}

void FillSolid(TCanvas* Canvas, const TRect& R, TColor Color) {
    if (Color == clNone || IsEmpty(R)) return;
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(Color);
    Canvas->FillRect(R);
}

void Line(TCanvas* Canvas, TColor Color, int X1, int Y1, int X2, int Y2) {
    Canvas->Pen()->SetStyle(psSolid);
    Canvas->Pen()->SetWidth(1);
    Canvas->Pen()->SetColor(Color);
    Canvas->MoveTo(X1, Y1);
    Canvas->LineTo(X2, Y2);
}

} // namespace

KV_PUBLISHED(TAdvOfficeStatusBar) {
    using B = TAdvOfficeStatusBar;
    p.Enum("Align", &B::Align, &B::SetAlign, alBottom);
    p.Color("Color", &B::Color, &B::SetColor, clBtnFace);
    p.Bool("ParentFont", &B::ParentFont, &B::SetParentFont, false);
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
}

TAdvOfficeStatusBar::~TAdvOfficeStatusBar() {
    // An outside styler forgets the bar even when it never hears of the bar's removal.
    if (FOfficeStatusBarStyler != nullptr) FOfficeStatusBarStyler->RemoveControl(this);
    BeforeDestruction();
    FPanels.reset();
}

String TAdvOfficeStatusBar::GetVersion() const {
    int v = GetVersionNr();
    return IntToStr((v >> 24) & 0xFF) + "." + IntToStr((v >> 16) & 0xFF) + "." + IntToStr((v >> 8) & 0xFF) +
           "." + IntToStr(v & 0xFF);
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

void TAdvOfficeStatusBar::Loaded() {
    TCustomControl::Loaded();
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
    if (FUseSystemFont == Value) return;
    FUseSystemFont = Value;
    if (Value) {
        if (ParentFont()) SetParentFont(false);
        SyncToSystemFont();
    }
}

void TAdvOfficeStatusBar::SyncToSystemFont() {
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

void TAdvOfficeStatusBar::AutoSizePanels() {
    if (FPanels == nullptr) return;
    std::unique_ptr<TBitmap> measure;
    for (int i = 0; i < FPanels->Count(); ++i) {
        TAdvOfficeStatusPanel* panel = FPanels->GetItem(i);
        if (!panel->AutoSize()) continue;
        String text;
        int imageWidth = 0;
        switch (panel->Style()) {
        case psText:
        case psTime:
        case psDate:
            text = panel->Text();
            break;
        case psNumLock:
            text = "NUM";
            break;
        case psCapsLock:
            text = "CAP";
            break;
        case psScrollLock:
            text = "SCRL";
            break;
        case psImage:
            text = panel->Text();
            if (FImages != nullptr && panel->ImageIndex() >= 0) imageWidth = FImages->Width();
            break;
        default:
            continue; // mark-up is measured by the mark-up renderer; other styles keep their width
        }
        if (text.empty()) continue;
        if (!measure) {
            measure = std::make_unique<TBitmap>();
            measure->Canvas()->Font()->Assign(Font());
        }
        int width = measure->Canvas()->TextWidth(text);
        panel->SetWidth(std::max(panel->MinWidth(), width + imageWidth + 12));
    }
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
    case CM_SYSFONTCHANGED:
        TCustomControl::WndProc(Message);
        SyncToSystemFont();
        return;
    case CM_PARENTFONTCHANGED:
        TCustomControl::WndProc(Message);
        if (FUseSystemFont && ParentFont()) FUseSystemFont = false;
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

// ---- Painting (the plain look)

TVistaBackground* TAdvOfficeStatusBar::AppearanceOf(TAdvOfficeStatusPanel* Panel) const {
    if (FCurrentStyler == nullptr) return nullptr;
    return Panel->AppearanceStyle() == psDark ? FCurrentStyler->PanelAppearanceDark()
                                              : FCurrentStyler->PanelAppearanceLight();
}

void TAdvOfficeStatusBar::Paint() {
    TCanvas* c = Canvas();
    TRect client{0, 0, Width(), Height()};
    TColor back = Color();
    if (FCurrentStyler != nullptr && FCurrentStyler->PanelAppearanceLight()->Color() != clNone)
        back = FCurrentStyler->PanelAppearanceLight()->Color();
    FillSolid(c, client, back);
    if (FCurrentStyler == nullptr) return;
    if (FSimplePanel) {
        TRect r = GetSimplePanelRect();
        r.Left += 2;
        c->Font()->Assign(Font());
        DrawPanelText(nullptr, r, StripTags(FSimpleText));
    } else {
        for (int i = 0; i < FPanels->Count(); ++i)
            DrawPanel(FPanels->GetItem(i), GetPaintRect(i));
    }
    DrawFrame();
}

void TAdvOfficeStatusBar::DrawFrame() {
    TCanvas* c = Canvas();
    TColor border = FCurrentStyler->BorderColor();
    if (border == clNone) return;
    int w = Width() - 1, h = Height() - 1;
    Line(c, border, 0, 0, 0, h);
    Line(c, border, 0, h, w, h);
    Line(c, border, w, h, w, 0);
    // The top edge is lighter than the other three.
    Line(c, BlendColor(border, clWhite, 80), 0, 0, Width(), 0);
}

void TAdvOfficeStatusBar::DrawPanel(TAdvOfficeStatusPanel* Panel, const TRect& Rect) {
    if (IsEmpty(Rect) || FCurrentStyler == nullptr) return;
    if (Panel->Style() == psOwnerDraw && OnDrawPanel) {
        OnDrawPanel(this, Panel, Rect);
        return;
    }
    TCanvas* c = Canvas();
    TVistaBackground* look = AppearanceOf(Panel);
    TRect r = Rect;
    if (FOfficeStatusBarStyler != nullptr && FOfficeStatusBarStyler->BorderColor() != clNone) {
        r.Top += 1;
        r.Bottom -= 1;
    }
    FillSolid(c, r, look->Color());
    // A separator before every panel but the first: a dark line and a light one.
    if (IndexOfPanel(Panel) > 0) {
        TColor dark = BlendColor(FCurrentStyler->BorderColor() == clNone ? TColor(0x808080)
                                                                         : FCurrentStyler->BorderColor(),
                                 look->ColorTo(), 60);
        Line(c, dark, Rect.Left, r.Top, Rect.Left, r.Bottom);
        Line(c, BlendColor(look->ColorTo(), clWhite, 30), Rect.Left + 1, r.Top, Rect.Left + 1, r.Bottom);
    }
    r.Left += 2;
    r.Right -= 2;
    if (IsEmpty(r)) return;
    c->Font()->Assign(Font());
    c->Font()->SetStyle(look->TextStyle());
    TColor textColor = Panel->Enabled() ? look->TextColor() : TColor(0x808080);
    c->Font()->SetColor(textColor);
    switch (Panel->Style()) {
    case psProgress:
        DrawProgress(Panel, r, textColor);
        break;
    case psHTML:
        DrawPanelText(Panel, r, StripTags(Panel->Text()));
        break;
    default:
        r.Left += 2;
        r.Right -= 2;
        DrawPanelText(Panel, r, Panel->Text());
        break;
    }
}

void TAdvOfficeStatusBar::DrawPanelText(TAdvOfficeStatusPanel* Panel, TRect R, const String& Text) {
    if (Text.empty() || IsEmpty(R)) return;
    TCanvas* c = Canvas();
    if (Panel == nullptr && FCurrentStyler != nullptr)
        c->Font()->SetColor(FCurrentStyler->PanelAppearanceLight()->TextColor());
    c->Brush()->SetStyle(bsClear);
    win::HDC dc = c->Handle();
    win::SetBkMode(dc, win::TRANSPARENT);
    win::SetTextColor(dc, graphics::ToColorRef(c->Font()->Color()));
    win::UINT flags = win::DT_SINGLELINE | win::DT_VCENTER | win::DT_NOPREFIX | win::DT_END_ELLIPSIS;
    if (Panel != nullptr && Panel->Alignment() == taRightJustify) flags |= win::DT_RIGHT;
    if (Panel != nullptr && Panel->Alignment() == taCenter) flags |= win::DT_CENTER;
    win::DrawText(dc, Text.c_str(), static_cast<int>(Text.size()), &R, flags);
}

void TAdvOfficeStatusBar::DrawProgress(TAdvOfficeStatusPanel* Panel, const TRect& R, TColor TextColor) {
    TCanvas* c = Canvas();
    TProgressStyle* progress = Panel->Progress();
    TRect gauge{R.Left, R.Top + 2, R.Right, R.Bottom - 2};
    if (IsEmpty(gauge)) return;
    TColor frame = progress->ShowBorder() || FCurrentStyler->BorderColor() == clNone
                       ? progress->BorderColor()
                       : FCurrentStyler->BorderColor();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(frame);
    c->FrameRect(gauge);
    TRect inner{gauge.Left + 1, gauge.Top + 1, gauge.Right - 1, gauge.Bottom - 1};
    if (IsEmpty(inner)) return;
    FillSolid(c, inner, progress->BackGround());
    int value = progress->Value();
    if (value > 0) {
        // A value beyond 100 (a position past Max) fills the gauge but never more: the band stays inside
        // the panel instead of running over its neighbours.
        int length = Round(value / 100.0 * inner.Width());
        length = std::min(length, inner.Width());
        FillSolid(c, TRect{inner.Left, inner.Top, inner.Left + length, inner.Bottom},
                  progress->LevelColor(value));
    }
    String text = progress->GaugeText();
    if (text.empty()) return;
    c->Font()->SetColor(TextColor);
    c->Brush()->SetStyle(bsClear);
    win::HDC dc = c->Handle();
    win::SetBkMode(dc, win::TRANSPARENT);
    win::SetTextColor(dc, graphics::ToColorRef(TextColor));
    TRect t = gauge;
    win::DrawText(dc, text.c_str(), static_cast<int>(text.size()), &t,
                  win::DT_SINGLELINE | win::DT_VCENTER | win::DT_CENTER | win::DT_NOPREFIX);
}

} // namespace AdvOfficeStatusBar
