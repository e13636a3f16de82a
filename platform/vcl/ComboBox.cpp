#include "platform/vcl/ComboBox.h"

#include <algorithm>
#include <cctype>

#include "platform/classes/ClassRegistry.h"
#include "platform/rtl/Exceptions.h"
#include "platform/win/Gdi.h"
#include "platform/win/Input.h"
#include "platform/win/WinUser.h"
#include "platform/win/Window.h"

namespace vcl {

KV_PUBLISHED(TCustomComboBox) {
    p.Int("DropDownCount", &TCustomComboBox::FDropDownCount, &TCustomComboBox::SetDropDownCount, 8);
    p.Int("ItemHeight", &TCustomComboBox::FItemHeight, &TCustomComboBox::SetItemHeight, 0);
    p.Strings("Items", &TCustomComboBox::FItems);
    p.Int("ItemIndex", &TCustomComboBox::FItemIndex, &TCustomComboBox::SetItemIndex, -1);
    p.Enum("Style", &TCustomComboBox::FStyle, &TCustomComboBox::SetStyle, csDropDown);
    p.Event("OnDrawItem", &TCustomComboBox::OnDrawItem);
    p.Event("OnSelect", &TCustomComboBox::OnSelect);
    p.Event("OnDropDown", &TCustomComboBox::OnDropDown);
    p.Event("OnCloseUp", &TCustomComboBox::OnCloseUp);
}

KV_REGISTER_CLASS(TComboBox)

namespace {
constexpr int kButtonWidth = 17;
// Posted to the combo box by its list: WParam 1 accepts the highlighted line, 0 closes unchanged.
constexpr win::UINT CM_COMBOCLOSEUP = CM_BASE + 0x100;
const char* const kPopupClass = "KvComboDropDown";
} // namespace

// The open list: a popup window below the combo box that holds the mouse capture while it is open.
class TComboPopup {
public:
    explicit TComboPopup(TCustomComboBox* Combo);
    ~TComboPopup();

    win::HWND Handle() const { return FHandle; }
    int Hot() const { return FHot; }
    int Top() const { return FTop; }
    void SetHot(int Index);
    // Moves the highlight by Delta lines (clamped).
    void Step(int Delta);

private:
    static win::LRESULT Proc(win::HWND hwnd, win::UINT msg, win::WPARAM wp, win::LPARAM lp);
    // The mouse and the timer, while the list is open.
    win::LRESULT Mouse(win::UINT Msg, TPoint P);
    void Paint();
    // The line at a client point (-1: none there; the scroll bar has none).
    int LineAt(TPoint P) const;
    int Lines() const;
    // The scroll bar (empty while every line is seen) and what it shows.
    TRect BarRect() const;
    stdctrls::TListScrollBar::TView BarView() const;
    void ScrollTo(int Top);

    TCustomComboBox* FCombo;
    win::HWND FHandle = nullptr;
    int FHot = -1;
    int FTop = 0;
    int FItemHeight = 0;
    stdctrls::TListScrollBar FScrollBar;
};

TComboPopup::TComboPopup(TCustomComboBox* Combo)
    : FCombo(Combo), FScrollBar([this] { return BarView(); }, [this](int Top) { ScrollTo(Top); }) {
    static bool registered = false;
    if (!registered) {
        win::WNDCLASS wc{};
        wc.lpfnWndProc = &TComboPopup::Proc;
        wc.lpszClassName = kPopupClass;
        wc.hCursor = win::LoadCursor(nullptr, win::IDC_ARROW);
        win::RegisterClass(&wc);
        registered = true;
    }
    FItemHeight = Combo->ItemHeight();
    int count = Combo->Items()->GetCount();
    int lines = std::clamp(count, 1, Combo->DropDownCount());
    TPoint origin = Combo->ClientToScreen(TPoint{0, Combo->Height()});
    win::HWND owner = win::GetAncestor(Combo->Handle(), win::GA_ROOT);
    FHandle = win::CreateWindowEx(win::WS_EX_TOPMOST | win::WS_EX_TOOLWINDOW, kPopupClass, "",
                                  win::WS_POPUP | win::WS_BORDER, origin.X, origin.Y, Combo->Width(),
                                  lines * FItemHeight + 2, owner, nullptr, nullptr, nullptr);
    win::SetWindowLongPtr(FHandle, win::GWLP_USERDATA, reinterpret_cast<win::LONG_PTR>(this));
    SetHot(Combo->ItemIndex());
    win::ShowWindow(FHandle, win::SW_SHOWNOACTIVATE);
    win::SetCapture(FHandle);
}

TComboPopup::~TComboPopup() {
    FScrollBar.Release();
    win::SetWindowLongPtr(FHandle, win::GWLP_USERDATA, 0);
    if (win::GetCapture() == FHandle) win::ReleaseCapture();
    win::DestroyWindow(FHandle);
}

int TComboPopup::Lines() const {
    return std::clamp(FCombo->Items()->GetCount(), 1, FCombo->DropDownCount());
}

void TComboPopup::SetHot(int Index) {
    int count = FCombo->Items()->GetCount();
    FHot = count == 0 ? -1 : std::clamp(Index, -1, count - 1);
    if (FHot >= 0) {
        if (FHot < FTop) FTop = FHot;
        if (FHot >= FTop + Lines()) FTop = FHot - Lines() + 1;
    }
    win::InvalidateRect(FHandle, nullptr, 1);
}

void TComboPopup::Step(int Delta) {
    SetHot(FHot < 0 ? 0 : FHot + Delta);
}

TRect TComboPopup::BarRect() const {
    win::RECT client{};
    win::GetClientRect(FHandle, &client);
    if (FCombo->Items()->GetCount() <= Lines()) return TRect{};
    return TRect{client.Right - stdctrls::kScrollBarWidth, 0, client.Right, client.Bottom};
}

stdctrls::TListScrollBar::TView TComboPopup::BarView() const {
    return {BarRect(), FTop, FCombo->Items()->GetCount(), Lines()};
}

void TComboPopup::ScrollTo(int Top) {
    int top = std::clamp(Top, 0, std::max(0, FCombo->Items()->GetCount() - Lines()));
    if (top == FTop) return;
    FTop = top;
    win::InvalidateRect(FHandle, nullptr, 1);
}

int TComboPopup::LineAt(TPoint P) const {
    win::RECT client{};
    win::GetClientRect(FHandle, &client);
    TRect bar = BarRect();
    int right = bar.IsEmpty() ? client.Right : bar.Left;
    if (P.X < 0 || P.X >= right || P.Y < 0) return -1;
    int index = FTop + P.Y / std::max(1, FItemHeight);
    return index < FCombo->Items()->GetCount() && index < FTop + Lines() ? index : -1;
}

void TComboPopup::Paint() {
    win::PAINTSTRUCT ps{};
    win::HDC dc = win::BeginPaint(FHandle, &ps);
    win::RECT client{};
    win::GetClientRect(FHandle, &client);
    {
        TCanvas canvas;
        canvas.SetHandle(dc);
        canvas.Brush()->SetColor(clWindow);
        canvas.FillRect(client);
        int count = FCombo->Items()->GetCount();
        TRect bar = BarRect();
        int right = bar.IsEmpty() ? client.Right : bar.Left;
        for (int i = FTop; i < count && i < FTop + Lines(); ++i) {
            TRect r{0, (i - FTop) * FItemHeight, right, (i - FTop + 1) * FItemHeight};
            TOwnerDrawState state;
            canvas.Font()->Assign(FCombo->Font());
            canvas.Brush()->SetStyle(bsSolid);
            if (i == FHot) {
                state.Include(odSelected);
                state.Include(odFocused);
                canvas.Brush()->SetColor(clHighlight);
                canvas.Font()->SetColor(clHighlightText);
            } else {
                canvas.Brush()->SetColor(clWindow);
            }
            FCombo->DrawItem(&canvas, i, r, state);
        }
        if (!bar.IsEmpty()) stdctrls::DrawVScrollBar(&canvas, bar, FTop, count, Lines());
        canvas.SetHandle(nullptr);
    }
    win::EndPaint(FHandle, &ps);
}

win::LRESULT TComboPopup::Proc(win::HWND hwnd, win::UINT msg, win::WPARAM wp, win::LPARAM lp) {
    auto* self = reinterpret_cast<TComboPopup*>(win::GetWindowLongPtr(hwnd, win::GWLP_USERDATA));
    if (self == nullptr) return win::DefWindowProc(hwnd, msg, wp, lp);
    switch (msg) {
    case win::WM_PAINT:
        self->Paint();
        return 0;
    case win::WM_MOUSEACTIVATE:
        return win::MA_NOACTIVATE;
    case win::WM_MOUSEMOVE:
    case win::WM_LBUTTONDOWN:
    case win::WM_RBUTTONDOWN:
    case win::WM_LBUTTONUP:
        return self->Mouse(msg, TPoint{win::GET_X_LPARAM(lp), win::GET_Y_LPARAM(lp)});
    case win::WM_MOUSEWHEEL:
        self->ScrollTo(self->FTop - static_cast<std::int16_t>(win::HIWORD(wp)) / 120);
        return 0;
    case win::WM_TIMER:
        if (self->FScrollBar.Timer(wp)) return 0;
        break;
    case win::WM_CAPTURECHANGED:
        self->FScrollBar.Release();
        if (reinterpret_cast<win::HWND>(lp) != hwnd)
            win::PostMessage(self->FCombo->Handle(), CM_COMBOCLOSEUP, 0, 0);
        return 0;
    default:
        break;
    }
    return win::DefWindowProc(hwnd, msg, wp, lp);
}

win::LRESULT TComboPopup::Mouse(win::UINT Msg, TPoint P) {
    win::HWND combo = FCombo->Handle();
    win::RECT client{};
    win::GetClientRect(FHandle, &client);
    const bool inside = P.X >= 0 && P.Y >= 0 && P.X < client.Right && P.Y < client.Bottom;
    // A press held on the scroll bar is the bar's until the button goes up: it neither moves the
    // highlight nor chooses.
    if (FScrollBar.Held()) {
        if (Msg == win::WM_MOUSEMOVE) FScrollBar.Move(P);
        if (Msg == win::WM_LBUTTONUP) FScrollBar.Release();
        return 0;
    }
    const int line = LineAt(P);
    switch (Msg) {
    case win::WM_MOUSEMOVE:
        if (line >= 0 && line != FHot) SetHot(line);
        break;
    case win::WM_LBUTTONDOWN:
    case win::WM_RBUTTONDOWN:
        // A press outside closes the list unchanged (the capture brings it here).
        if (!inside)
            win::PostMessage(combo, CM_COMBOCLOSEUP, 0, 0);
        else if (Msg == win::WM_LBUTTONDOWN && FScrollBar.Press(FHandle, P))
            break;
        else if (line >= 0)
            SetHot(line);
        break;
    case win::WM_LBUTTONUP:
        if (line >= 0) {
            SetHot(line);
            win::PostMessage(combo, CM_COMBOCLOSEUP, 1, 0);
        }
        break;
    default:
        break;
    }
    return 0;
}

// ---- TCustomComboBox

TCustomComboBox::TCustomComboBox(TComponent* AOwner)
    : TCustomEdit(AOwner), FItems(std::make_unique<TStringList>()) {
    FItems->OnChanging = [this](TObject*) { FBefore.Take(FItems.get()); };
    FItems->OnChange = [this](TObject* Sender) { ItemsChanged(Sender); };
    SetBounds(0, 0, 145, 21);
}

TCustomComboBox::~TCustomComboBox() {
    FPopup.reset();
    FItems->OnChanging = nullptr;
    FItems->OnChange = nullptr;
}

int TCustomComboBox::ItemHeight() const {
    return FItemHeight > 0 ? FItemHeight : stdctrls::DefaultItemHeight(Font());
}

int TCustomComboBox::DropDownHotIndex() const {
    return FPopup ? FPopup->Hot() : -1;
}

int TCustomComboBox::DropDownTopIndex() const {
    return FPopup ? FPopup->Top() : -1;
}

win::HWND TCustomComboBox::DropDownHandle() const {
    return FPopup ? FPopup->Handle() : nullptr;
}

TRect TCustomComboBox::ButtonRect() {
    TRect r = stdctrls::Inflate(ClientRect(), -2, -2);
    r.Left = std::max(r.Left, r.Right - kButtonWidth);
    return r;
}

TRect TCustomComboBox::EditRect() {
    TRect r = TCustomEdit::EditRect();
    r.Right = ButtonRect().Left - 1;
    return r;
}

void TCustomComboBox::SetStyle(TComboBoxStyle Value) {
    if (FStyle == Value) return;
    FStyle = Value;
    SetReadOnly(IsListStyle());
    SetCursor(IsListStyle() ? crDefault : crIBeam);
    if (!ComponentState().Contains(csLoading)) SetIndexQuietly(FItemIndex);
    Invalidate();
}

void TCustomComboBox::Loaded() {
    TCustomEdit::Loaded();
    // ItemIndex may have come before Items.
    int index = FItemIndex < FItems->GetCount() ? FItemIndex : -1;
    if (index >= 0 || IsListStyle())
        SetIndexQuietly(index);
    else
        FItemIndex = FItems->IndexOf(Text());
}

void TCustomComboBox::SetIndexQuietly(int Index) {
    if (Index >= FItems->GetCount()) Index = -1;
    FItemIndex = Index;
    FQuiet = true;
    String text = Index >= 0 ? FItems->Get(Index) : String();
    if (Index >= 0 || IsListStyle()) TCustomEdit::SetTextValue(text);
    FQuiet = false;
    if (!IsListStyle()) SelectAll();
    Invalidate();
}

void TCustomComboBox::SetItemIndex(int Value) {
    if (ComponentState().Contains(csLoading)) {
        FItemIndex = Value;
        return;
    }
    if (Value < -1 || Value >= FItems->GetCount())
        throw EListError("List index out of bounds (" + std::to_string(Value) + ")");
    if (Value == FItemIndex) return;
    SetIndexQuietly(Value);
    if (Value < 0 && !IsListStyle()) {
        FQuiet = true;
        TCustomEdit::SetTextValue("");
        FQuiet = false;
    }
}

void TCustomComboBox::ItemsChanged(TObject*) {
    if (ComponentState().Contains(csLoading)) return;
    // The chosen item stays chosen where it went; a deleted one leaves nothing chosen.
    int index = FBefore.Taken() ? FBefore.Follow(FItemIndex, FItems.get()) : FItemIndex;
    FBefore.Clear();
    if (index >= FItems->GetCount()) index = -1;
    if (index != FItemIndex) {
        if (index >= 0 || IsListStyle())
            SetIndexQuietly(index);
        else
            FItemIndex = -1; // typed-over text stays in an edit-style box
    }
    if (FPopup) SetDroppedDown(false);
    Invalidate();
}

void TCustomComboBox::SetTextValue(const String& Value) {
    // Text set by code selects the item of that text, when there is one.
    int index = FItems->IndexOf(Value);
    if (IsListStyle()) {
        SetIndexQuietly(index);
        return;
    }
    FItemIndex = index;
    FQuiet = true;
    TCustomEdit::SetTextValue(Value);
    FQuiet = false;
}

void TCustomComboBox::Change() {
    if (FQuiet) return;
    // The user typed: the text is no longer an item's.
    FItemIndex = -1;
    TCustomEdit::Change();
}

void TCustomComboBox::ChooseByUser(int Index) {
    if (Index < 0 || Index >= FItems->GetCount()) return;
    bool changed = Index != FItemIndex || Text() != FItems->Get(Index);
    SetIndexQuietly(Index);
    if (!changed) return;
    Click();
    if (OnSelect)
        OnSelect(this);
    else
        TCustomEdit::Change();
}

void TCustomComboBox::SetDroppedDown(bool Value) {
    if (Value == DroppedDown()) return;
    if (Value) {
        if (!Enabled() || !HandleAllocated()) return;
        if (OnDropDown) OnDropDown(this);
        FPopup = std::make_unique<TComboPopup>(this);
    } else {
        CloseUp(false);
    }
    Invalidate();
}

void TCustomComboBox::CloseUp(bool Accept) {
    if (!FPopup) return;
    int hot = FPopup->Hot();
    FPopup.reset();
    Invalidate();
    if (OnCloseUp) OnCloseUp(this);
    if (Accept) ChooseByUser(hot);
}

void TCustomComboBox::DrawItem(TCanvas* Canvas, int Index, TRect Rect, TOwnerDrawState State) {
    bool ownerDraw = FStyle == csOwnerDrawFixed || FStyle == csOwnerDrawVariable;
    if (ownerDraw && OnDrawItem) {
        // The handler draws on the combo box's canvas, put on the list's device context meanwhile.
        win::HDC dc = Canvas->Handle();
        TCanvas* own = this->Canvas();
        win::HDC saved = own->HandleAllocated() ? own->Handle() : nullptr;
        own->SetHandle(dc);
        own->Font()->Assign(Canvas->Font());
        own->Brush()->Assign(Canvas->Brush());
        OnDrawItem(this, Index, Rect, State);
        own->SetHandle(saved);
        return;
    }
    Canvas->FillRect(Rect);
    Canvas->Brush()->SetStyle(bsClear);
    Canvas->TextRect(Rect, Rect.Left + 2, Rect.Top + 1, FItems->Get(Index));
}

void TCustomComboBox::Paint() {
    TCanvas* c = Canvas();
    if (IsListStyle()) {
        stdctrls::DrawSunkenField(c, ClientRect(), Color(), Enabled());
        TRect r = EditRect();
        r.Left -= 1;
        r.Top -= 1;
        TOwnerDrawState state{odComboBoxEdit};
        bool focused = Focused() && !DroppedDown();
        c->Font()->Assign(Font());
        if (focused) {
            state.Include(odSelected);
            state.Include(odFocused);
            c->Brush()->SetColor(clHighlight);
            c->Font()->SetColor(clHighlightText);
        } else if (!Enabled()) {
            c->Font()->SetColor(clGrayText);
        }
        if (FItemIndex >= 0) {
            DrawItem(c, FItemIndex, r, state);
        } else {
            c->FillRect(r);
        }
        if (focused) {
            c->Brush()->SetStyle(bsSolid);
            c->Font()->SetColor(clWindowText);
            c->DrawFocusRect(r);
        }
    } else {
        TCustomEdit::Paint();
    }
    // The drop-down button.
    TRect b = ButtonRect();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(clBtnFace);
    c->FillRect(b);
    TRect edge = b;
    if (DroppedDown()) {
        c->Brush()->SetColor(clBtnShadow);
        c->FrameRect(b);
    } else {
        win::DrawEdge(c->Handle(), &edge, win::EDGE_RAISED, win::BF_RECT);
    }
    int cx = b.Left + b.Width() / 2 + (DroppedDown() ? 1 : 0);
    int cy = b.Top + b.Height() / 2 + (DroppedDown() ? 1 : 0);
    TColor arrow = Enabled() ? clBtnText : clGrayText;
    c->Pen()->SetStyle(psSolid);
    c->Pen()->SetColor(arrow);
    c->Brush()->SetColor(arrow);
    c->Polygon({TPoint{cx - 3, cy - 1}, TPoint{cx + 3, cy - 1}, TPoint{cx, cy + 2}});
}

void TCustomComboBox::WndProc(TMessage& Message) {
    switch (Message.Msg) {
    case win::WM_GETDLGCODE:
        TCustomEdit::WndProc(Message);
        // While the list is open, Enter and Escape belong to it.
        if (DroppedDown()) Message.Result |= win::DLGC_WANTALLKEYS;
        return;
    case CM_COMBOCLOSEUP:
        CloseUp(Message.WParam != 0);
        return;
    case CM_ENABLEDCHANGED:
        if (!Enabled()) CloseUp(false);
        break;
    default:
        break;
    }
    TCustomEdit::WndProc(Message);
}

void TCustomComboBox::KeyDown(Word& Key, TShiftState Shift) {
    // OnKeyDown first (through the edit's base).
    TCustomControl::KeyDown(Key, Shift);
    if (Key == 0) return;
    const bool alt = Shift.Contains(ssAlt);
    if (Key == win::VK_F4 || (alt && (Key == win::VK_DOWN || Key == win::VK_UP))) {
        SetDroppedDown(!DroppedDown());
        Key = 0;
        return;
    }
    if (DroppedDown()) {
        switch (Key) {
        case win::VK_UP:
        case win::VK_DOWN:
            FPopup->Step(Key == win::VK_UP ? -1 : 1);
            break;
        case win::VK_PRIOR:
        case win::VK_NEXT:
            FPopup->Step(Key == win::VK_PRIOR ? -FDropDownCount : FDropDownCount);
            break;
        case win::VK_RETURN:
            CloseUp(true);
            break;
        case win::VK_ESCAPE:
            CloseUp(false);
            break;
        default:
            return;
        }
        Key = 0;
        return;
    }
    int count = FItems->GetCount();
    int index = -2;
    switch (Key) {
    case win::VK_UP:
        index = FItemIndex < 0 ? 0 : FItemIndex - 1;
        break;
    case win::VK_DOWN:
        index = FItemIndex + 1;
        break;
    case win::VK_HOME:
    case win::VK_END:
        if (!IsListStyle()) break;
        index = Key == win::VK_HOME ? 0 : count - 1;
        break;
    default:
        break;
    }
    if (index != -2) {
        if (count > 0) ChooseByUser(std::clamp(index, 0, count - 1));
        Key = 0;
        return;
    }
    if (IsListStyle()) return;
    EditKeyDown(Key, Shift);
}

void TCustomComboBox::KeyPress(char32_t& Key) {
    if (!IsListStyle()) {
        TCustomEdit::KeyPress(Key);
        return;
    }
    TCustomControl::KeyPress(Key);
    if (Key < 0x20 || Key > 0x7E) return;
    // A letter chooses the next item that starts with it.
    int count = FItems->GetCount();
    char lower = static_cast<char>(std::tolower(static_cast<int>(Key)));
    for (int step = 1; step <= count; ++step) {
        int i = ((FItemIndex < 0 ? -1 : FItemIndex) + step) % count;
        const String& s = FItems->Get(i);
        if (!s.empty() && std::tolower(static_cast<unsigned char>(s[0])) == lower) {
            if (DroppedDown())
                FPopup->SetHot(i);
            else
                ChooseByUser(i);
            break;
        }
    }
}

void TCustomComboBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (Button == mbLeft && (IsListStyle() || ButtonRect().Contains(TPoint{X, Y}))) {
        if (!Focused() && CanFocus()) SetFocus();
        SetDroppedDown(!DroppedDown());
        TCustomControl::MouseDown(Button, Shift, X, Y);
        return;
    }
    TCustomEdit::MouseDown(Button, Shift, X, Y);
}

void TCustomComboBox::DoExit() {
    CloseUp(false);
    TCustomEdit::DoExit();
}

} // namespace vcl
