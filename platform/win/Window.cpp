// The window tree: classes, creation, destruction, window longs, properties, relations and text.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <utility>

#include "platform/win/Gdi.h"
#include "platform/win/Metrics.h"
#include "platform/win/WindowInternal.h"

namespace win {
namespace detail {

namespace {

String Lower(const char* s) {
    String r = s ? s : "";
    for (char& c : r)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return r;
}

bool SameText(const String& a, const char* b) {
    return Lower(a.c_str()) == Lower(b);
}

String ClassKey(const char* name) {
    if (name && IS_INTRESOURCE(name)) return "#" + std::to_string(reinterpret_cast<std::uintptr_t>(name));
    return Lower(name);
}

} // namespace

State& S() {
    static State* state = [] {
        auto* s = new State;
        s->Desktop = std::make_unique<Wnd>();
        s->Desktop->Handle = reinterpret_cast<HWND>(std::uintptr_t{0x10000});
        s->Desktop->Style = WS_VISIBLE | WS_CLIPCHILDREN;
        return s;
    }();
    return *state;
}

bool Wnd::IsTopLevel() const {
    return Parent && Parent->IsDesktop();
}

Wnd* W(HWND h) {
    if (!h) return nullptr;
    State& s = S();
    if (h == s.Desktop->Handle) return s.Desktop.get();
    auto it = s.Windows.find(reinterpret_cast<std::uintptr_t>(h));
    if (it == s.Windows.end() || it->second->Dead) return nullptr;
    return it->second.get();
}

Wnd* Checked(HWND h) {
    Wnd* w = W(h);
    if (!w) S().LastError = ERROR_INVALID_WINDOW_HANDLE;
    return w;
}

Wnd* Root(Wnd* w) {
    while (w && w->Parent && !w->Parent->IsDesktop())
        w = w->Parent;
    return w;
}

namespace {
struct Offset64 {
    std::int64_t X = 0, Y = 0;
    POINT Clamped() const { return {vcl::ClampToInt(X), vcl::ClampToInt(Y)}; }
};

// Where w's top-left corner lies from its root window's (root receives that window), summed in 64 bits:
// each window lies within the windows' range in its parent's client area, but a deep enough chain of them
// adds up past int.
Offset64 OffsetInRoot(const Wnd* w, const Wnd** root = nullptr) {
    Offset64 o;
    for (; w && !w->IsDesktop() && !w->IsTopLevel(); w = w->Parent) {
        o.X += std::int64_t{w->Rect.Left} + w->Parent->Client.Left;
        o.Y += std::int64_t{w->Rect.Top} + w->Parent->Client.Top;
    }
    if (root) *root = w;
    return o;
}

// The place of w's client area, from the place o of its top-left corner.
POINT ClientOf(Offset64 o, const Wnd* w) {
    o.X += w->Client.Left;
    o.Y += w->Client.Top;
    return o.Clamped();
}

Offset64 ScreenOrigin64(const Wnd* w) {
    if (!w || w->IsDesktop()) return {};
    const Wnd* root = nullptr;
    Offset64 o = OffsetInRoot(w, &root);
    o.X += root->Rect.Left;
    o.Y += root->Rect.Top;
    return o;
}
} // namespace

POINT RootOffset(const Wnd* w) {
    return OffsetInRoot(w).Clamped();
}

POINT RootClientOffset(const Wnd* w) {
    return w && !w->IsDesktop() ? ClientOf(OffsetInRoot(w), w) : POINT{};
}

POINT ScreenOrigin(const Wnd* w) {
    return ScreenOrigin64(w).Clamped();
}

POINT ClientScreenOrigin(const Wnd* w) {
    return w && !w->IsDesktop() ? ClientOf(ScreenOrigin64(w), w) : POINT{};
}

RECT ScreenRect(const Wnd* w) {
    if (!w) return {};
    if (w->IsDesktop()) {
        RECT r{};
        for (const auto& m : Backend().Monitors())
            if (m.Primary) r = m.Bounds;
        return r;
    }
    POINT p = ScreenOrigin(w);
    return vcl::Bounds(p.X, p.Y, w->Rect.Width(), w->Rect.Height());
}

bool IsVisibleChain(const Wnd* w) {
    for (; w && !w->IsDesktop(); w = w->Parent)
        if (!(w->Style & WS_VISIBLE)) return false;
    return w != nullptr;
}

LRESULT Send(Wnd* w, UINT msg, WPARAM wp, LPARAM lp) {
    if (!w || w->Dead) return 0;
    return SendMessage(w->Handle, msg, wp, lp);
}

void FreeGraveyard() {
    State& s = S();
    if (s.SendDepth == 0 && s.DispatchDepth == 0) s.Graveyard.clear();
}

namespace {

void Unlink(Wnd* w) {
    if (!w->Parent) return;
    auto& v = w->Parent->Children;
    v.erase(std::remove(v.begin(), v.end(), w), v.end());
}

// Inserts w among its parent's children: at the top of its group (topmost windows above the others).
void LinkTop(Wnd* w) {
    auto& v = w->Parent->Children;
    auto it = v.begin();
    if (w->IsTopLevel() && !(w->ExStyle & WS_EX_TOPMOST))
        while (it != v.end() && ((*it)->ExStyle & WS_EX_TOPMOST))
            ++it;
    v.insert(it, w);
}

// Final clean-up of a window after WM_NCDESTROY: its record goes to the graveyard until no call is running.
void Bury(Wnd* w) {
    State& s = S();
    ForgetWindowInput(w->Handle);
    KillTimersOf(w);
    RemovePostedFor(w->Handle);
    if (w->Update) DeleteObject(w->Update);
    w->Update = nullptr;
    if (w->Shape) DeleteObject(w->Shape);
    w->Shape = nullptr;
    w->Props.clear();
    if (w->IsTopLevel()) ReleaseSurface(w);
    Unlink(w);
    for (auto& [id, other] : s.Windows)
        if (other->Owner == w) other->Owner = nullptr;
    if (w->Class) w->Class->Windows--;
    w->Dead = true;
    auto it = s.Windows.find(reinterpret_cast<std::uintptr_t>(w->Handle));
    if (it != s.Windows.end()) {
        s.Graveyard.push_back(std::move(it->second));
        s.Windows.erase(it);
    }
}

void SendParentNotify(Wnd* w, UINT event) {
    if (w->IsTopLevel() || (w->ExStyle & WS_EX_NOPARENTNOTIFY)) return;
    HWND child = w->Handle;
    WPARAM wp = MAKEWPARAM(static_cast<int>(event), static_cast<int>(w->Id));
    for (Wnd* p = w->Parent; p && !p->IsDesktop(); p = p->Parent) {
        Send(p, WM_PARENTNOTIFY, wp, reinterpret_cast<LPARAM>(child));
        if (!p->Parent || p->IsTopLevel() || (p->ExStyle & WS_EX_NOPARENTNOTIFY)) break;
    }
}

// Sends WM_DESTROY to w and then to its children, depth first, as the platform does.
void SendDestroy(Wnd* w) {
    Send(w, WM_DESTROY, 0, 0);
    std::vector<HWND> kids;
    for (Wnd* c : w->Children)
        kids.push_back(c->Handle);
    for (HWND k : kids)
        if (Wnd* c = W(k)) {
            c->Destroying = true;
            SendDestroy(c);
        }
}

// Sends WM_NCDESTROY to the children first, then to w, and buries each.
void SendNcDestroy(Wnd* w) {
    std::vector<HWND> kids;
    for (Wnd* c : w->Children)
        kids.push_back(c->Handle);
    for (HWND k : kids)
        if (Wnd* c = W(k)) SendNcDestroy(c);
    if (W(w->Handle)) {
        Send(w, WM_NCDESTROY, 0, 0);
        if (!w->Dead) Bury(w);
    }
}

} // namespace

void SendFirstSize(Wnd* w) {
    HWND h = w->Handle;
    w->SizeSent = true;
    WPARAM kind = (w->Style & WS_MINIMIZE)   ? SIZE_MINIMIZED
                  : (w->Style & WS_MAXIMIZE) ? SIZE_MAXIMIZED
                                             : SIZE_RESTORED;
    Send(w, WM_SIZE, kind, MAKELPARAM(w->Client.Width(), w->Client.Height()));
    if (!W(h)) return;
    Send(w, WM_MOVE, 0, MAKELPARAM(w->Rect.Left + w->Client.Left, w->Rect.Top + w->Client.Top));
}

namespace {
std::string Hex(const void* p) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%#zx", reinterpret_cast<std::uintptr_t>(p));
    return buf;
}
} // namespace

std::vector<std::string> LiveState() {
    State& s = S();
    std::vector<std::string> out;
    std::vector<Wnd*> windows;
    for (auto& [id, w] : s.Windows)
        if (!w->Dead) windows.push_back(w.get());
    std::sort(windows.begin(), windows.end(), [](Wnd* a, Wnd* b) { return a->Handle < b->Handle; });
    for (Wnd* w : windows) {
        std::string line =
            "window " + Hex(w->Handle) + " of class \"" + (w->Class ? w->Class->Name : "") + "\"";
        if (w->Class && w->Proc != w->Class->Proc) line += ", subclassed";
        out.push_back(line);
    }
    for (const Timer& t : s.Timers)
        out.push_back("timer " + std::to_string(t.Id) +
                      (t.Handle ? " of window " + Hex(t.Handle) : " of the thread"));
    for (const auto& h : s.Hooks)
        if (!h->Dead) out.push_back("hook " + Hex(h->Handle) + " of kind " + std::to_string(h->Kind));
    if (W(s.Capture)) out.push_back("mouse capture by window " + Hex(s.Capture));
    for (std::string& d : OpenWindowDCs())
        out.push_back(std::move(d));
    for (std::string& d : LiveSubclasses())
        out.push_back(std::move(d));
    return out;
}

std::vector<std::string> TakeWiped() {
    return std::exchange(S().Wiped, {});
}

void ResetState() {
    State& s = S();
    for (std::string& line : LiveState())
        s.Wiped.push_back(std::move(line));
    ReleaseWindowDCs();
    std::vector<HWND> tops;
    for (Wnd* t : s.Desktop->Children)
        tops.push_back(t->Handle);
    for (HWND t : tops)
        if (W(t)) DestroyWindow(t);
    s.Posted.clear();
    s.Input.clear();
    s.QuitPending = false;
    s.QuitCode = 0;
    s.Timers.clear();
    s.Hooks.clear();
    std::fill(std::begin(s.Keys), std::end(s.Keys), BYTE{0});
    std::fill(std::begin(s.AsyncKeys), std::end(s.AsyncKeys), BYTE{0});
    std::fill(std::begin(s.AsyncPressed), std::end(s.AsyncPressed), BYTE{0});
    s.Focus = s.Active = s.Capture = nullptr;
    s.AppActive = false;
    s.AltAlone = s.AltTap = false;
    s.Cursor = {};
    s.Track = Tracking{};
    s.LastMouse = MouseTarget{};
    s.LastClick = ClickInfo{};
    s.Drag = SizeMoveDrag{};
    s.PressedCaptionButton = nullptr;
    s.IdleHandler = nullptr;
    s.Beeps = 0;
    s.DoubleClickTime = 500;
    s.Caret = CaretInfo{};
    s.CaretBlinkTime = 530;
    s.LastError = 0;
    if (s.SendDepth == 0 && s.DispatchDepth == 0) s.Graveyard.clear();
}

} // namespace detail

using namespace detail;

DWORD GetLastError() {
    return S().LastError;
}
void SetLastError(DWORD code) {
    S().LastError = code;
}

// ---- Classes

ATOM RegisterClassEx(const WNDCLASSEX* c) {
    State& s = S();
    if (!c || !c->lpszClassName || !c->lpfnWndProc || c->cbWndExtra < 0 || c->cbClsExtra < 0) {
        s.LastError = ERROR_INVALID_PARAMETER;
        return 0;
    }
    String key = ClassKey(c->lpszClassName);
    if (s.Classes.count(key)) {
        s.LastError = ERROR_CLASS_ALREADY_EXISTS;
        return 0;
    }
    auto cls = std::make_shared<WndClass>();
    cls->Name = IS_INTRESOURCE(c->lpszClassName) ? key : String(c->lpszClassName);
    cls->Atom = s.NextAtom++;
    cls->Style = c->style;
    cls->Proc = c->lpfnWndProc;
    cls->ClsExtra = c->cbClsExtra;
    cls->WndExtra = c->cbWndExtra;
    cls->Instance = c->hInstance;
    cls->Icon = c->hIcon;
    cls->IconSm = c->hIconSm;
    cls->Cursor = c->hCursor;
    cls->Background = c->hbrBackground;
    cls->MenuName = c->lpszMenuName && !IS_INTRESOURCE(c->lpszMenuName) ? c->lpszMenuName : "";
    s.Classes[key] = cls;
    return cls->Atom;
}

ATOM RegisterClass(const WNDCLASS* c) {
    if (!c) return 0;
    WNDCLASSEX x{sizeof(WNDCLASSEX), c->style,        c->lpfnWndProc,   c->cbClsExtra,
                 c->cbWndExtra,      c->hInstance,    c->hIcon,         c->hCursor,
                 c->hbrBackground,   c->lpszMenuName, c->lpszClassName, nullptr};
    return RegisterClassEx(&x);
}

namespace {
std::shared_ptr<WndClass> FindClass(const char* name) {
    if (!name) return nullptr;
    State& s = S();
    if (IS_INTRESOURCE(name)) {
        auto atom = static_cast<ATOM>(reinterpret_cast<std::uintptr_t>(name));
        for (auto& [k, c] : s.Classes)
            if (c->Atom == atom) return c;
    }
    auto it = s.Classes.find(ClassKey(name));
    return it == s.Classes.end() ? nullptr : it->second;
}
} // namespace

BOOL UnregisterClass(const char* name, HINSTANCE) {
    State& s = S();
    auto cls = FindClass(name);
    if (!cls) {
        s.LastError = ERROR_CLASS_DOES_NOT_EXIST;
        return FALSE;
    }
    if (cls->Windows > 0) {
        s.LastError = ERROR_CLASS_HAS_WINDOWS;
        return FALSE;
    }
    for (auto it = s.Classes.begin(); it != s.Classes.end(); ++it)
        if (it->second == cls) {
            s.Classes.erase(it);
            break;
        }
    return TRUE;
}

BOOL GetClassInfoEx(HINSTANCE, const char* name, WNDCLASSEX* out) {
    auto c = FindClass(name);
    if (!c || !out) {
        S().LastError = ERROR_CLASS_DOES_NOT_EXIST;
        return FALSE;
    }
    *out =
        WNDCLASSEX{sizeof(WNDCLASSEX), c->Style,      c->Proc, c->ClsExtra, c->WndExtra, c->Instance, c->Icon,
                   c->Cursor,          c->Background, nullptr, name,        c->IconSm};
    return TRUE;
}

BOOL GetClassInfo(HINSTANCE inst, const char* name, WNDCLASS* out) {
    WNDCLASSEX x{};
    if (!out || !GetClassInfoEx(inst, name, &x)) return FALSE;
    *out = WNDCLASS{x.style, x.lpfnWndProc, x.cbClsExtra,    x.cbWndExtra, x.hInstance,
                    x.hIcon, x.hCursor,     x.hbrBackground, nullptr,      name};
    return TRUE;
}

int GetClassName(HWND h, char* buf, int max) {
    Wnd* w = Checked(h);
    if (!w || !buf || max <= 0 || !w->Class) return 0;
    int n = std::min<int>(static_cast<int>(w->Class->Name.size()), max - 1);
    std::memcpy(buf, w->Class->Name.data(), static_cast<size_t>(n));
    buf[n] = 0;
    return n;
}

std::uintptr_t GetClassLongPtr(HWND h, int index) {
    Wnd* w = Checked(h);
    if (!w || !w->Class) return 0;
    switch (index) {
    case GCL_STYLE:
        return w->Class->Style;
    case GCLP_HCURSOR:
        return reinterpret_cast<std::uintptr_t>(w->Class->Cursor);
    case GCLP_HBRBACKGROUND:
        return reinterpret_cast<std::uintptr_t>(w->Class->Background);
    case GCLP_WNDPROC:
        return reinterpret_cast<std::uintptr_t>(w->Class->Proc);
    default:
        S().LastError = ERROR_INVALID_INDEX;
        return 0;
    }
}

DWORD GetClassLong(HWND h, int index) {
    return static_cast<DWORD>(GetClassLongPtr(h, index));
}

std::uintptr_t SetClassLongPtr(HWND h, int index, LONG_PTR v) {
    Wnd* w = Checked(h);
    if (!w || !w->Class) return 0;
    std::uintptr_t old = GetClassLongPtr(h, index);
    switch (index) {
    case GCL_STYLE:
        w->Class->Style = static_cast<UINT>(v);
        break;
    case GCLP_HCURSOR:
        w->Class->Cursor = reinterpret_cast<HCURSOR>(v);
        break;
    case GCLP_HBRBACKGROUND:
        w->Class->Background = reinterpret_cast<HBRUSH>(v);
        break;
    case GCLP_WNDPROC:
        w->Class->Proc = reinterpret_cast<WNDPROC>(v);
        break;
    default:
        return 0;
    }
    return old;
}

// ---- Creation

HWND CreateWindowEx(DWORD exStyle, const char* className, const char* windowName, DWORD style, int x, int y,
                    int cx, int cy, HWND parentHandle, HMENU menu, HINSTANCE instance, void* param) {
    State& s = S();
    auto cls = FindClass(className);
    if (!cls) {
        s.LastError = ERROR_CLASS_DOES_NOT_EXIST;
        return nullptr;
    }
    Wnd* parent = nullptr;
    Wnd* owner = nullptr;
    if (parentHandle && parentHandle != HWND_MESSAGE) {
        Wnd* p = Checked(parentHandle);
        if (!p) return nullptr;
        if (style & WS_CHILD)
            parent = p;
        else
            owner = Root(p); // the owner of a top-level window is always a top-level window
    } else if (style & WS_CHILD) {
        s.LastError = ERROR_TLW_WITH_WSCHILD;
        return nullptr;
    }
    if (!parent) parent = s.Desktop.get();
    if (owner && owner->IsDesktop()) owner = nullptr;

    // Default position and size for overlapped windows, as the platform places them.
    bool top = parent->IsDesktop();
    if (top && !(style & WS_POPUP)) {
        RECT work{0, 0, 800, 600};
        for (const auto& m : Backend().Monitors())
            if (m.Primary) work = m.WorkArea;
        if (x == CW_USEDEFAULT) {
            x = work.Left + 26;
            y = work.Top + 26;
        }
        if (cx == CW_USEDEFAULT) {
            cx = work.Width() * 3 / 4;
            cy = work.Height() * 3 / 4;
        }
    }
    if (x == CW_USEDEFAULT) x = y = 0;
    if (cx == CW_USEDEFAULT) cx = cy = 0;
    // Any other place and size are kept to the windows' range (a negative size is empty).
    const RECT kept = KeptBounds(x, y, cx, cy);
    x = kept.Left, y = kept.Top, cx = kept.Width(), cy = kept.Height();

    auto rec = std::make_unique<Wnd>();
    Wnd* w = rec.get();
    std::uintptr_t id = s.NextId;
    s.NextId += 0x10;
    w->Handle = reinterpret_cast<HWND>(id);
    w->Class = cls;
    w->Style = style & ~(WS_VISIBLE | WS_MINIMIZE | WS_MAXIMIZE);
    w->ExStyle = exStyle;
    if (top && !(style & WS_CHILD) && !(style & WS_POPUP)) w->Style |= WS_CLIPSIBLINGS;
    if ((exStyle & WS_EX_DLGMODALFRAME) || ((style & WS_DLGFRAME) && !(style & WS_THICKFRAME)) ||
        (style & WS_THICKFRAME))
        w->ExStyle |= WS_EX_WINDOWEDGE;
    w->Proc = cls->Proc;
    w->Instance = instance;
    w->Parent = parent;
    w->Owner = owner;
    w->MessageOnly = parentHandle == HWND_MESSAGE;
    w->Extra.assign(static_cast<size_t>(cls->WndExtra), 0);
    if (top)
        w->Menu = menu;
    else
        w->Id = reinterpret_cast<LONG_PTR>(menu);
    w->Rect = kept;
    w->Normal = w->Rect;
    w->Text = windowName && !IS_INTRESOURCE(windowName) ? windowName : "";
    s.Windows[id] = std::move(rec);
    cls->Windows++;
    LinkTop(w);

    CREATESTRUCT cs{param,      instance,  menu,   parentHandle, cy, cx, y, x, static_cast<LONG>(style),
                    windowName, className, exStyle};
    // The CBT hook sees the window before any message; it may veto the creation or change the bounds.
    if (HasHook(WH_CBT)) {
        CBT_CREATEWND cbt{&cs, HWND_TOP};
        if (CallHooks(WH_CBT, HCBT_CREATEWND, reinterpret_cast<WPARAM>(w->Handle),
                      reinterpret_cast<LPARAM>(&cbt))) {
            Bury(w);
            FreeGraveyard();
            return nullptr;
        }
        w->Rect = KeptBounds(cs.x, cs.y, cs.cx, cs.cy);
    }
    HWND h = w->Handle;

    bool minmax = (style & WS_THICKFRAME) || !(style & (WS_POPUP | WS_CHILD));
    if (minmax) {
        MINMAXINFO mmi{};
        RECT ins = NonClientInsets(w->Style, w->ExStyle, false);
        mmi.ptMaxSize = {GetSystemMetrics(SM_CXSCREEN) + 2 * ins.Left,
                         GetSystemMetrics(SM_CYSCREEN) + 2 * ins.Bottom};
        mmi.ptMaxPosition = {-ins.Left, -ins.Bottom};
        mmi.ptMinTrackSize = {GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK)};
        mmi.ptMaxTrackSize = {GetSystemMetrics(SM_CXMAXTRACK), GetSystemMetrics(SM_CYMAXTRACK)};
        SendMessage(h, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
        if (!W(h)) return nullptr;
        NoteTrackLimits(w, mmi);
        // The handler may answer any size: one below zero leaves the window empty.
        if (w->Rect.Width() > mmi.ptMaxTrackSize.X)
            w->Rect.Right = w->Rect.Left + KeptSize(mmi.ptMaxTrackSize.X);
        if (w->Rect.Height() > mmi.ptMaxTrackSize.Y)
            w->Rect.Bottom = w->Rect.Top + KeptSize(mmi.ptMaxTrackSize.Y);
        w->Normal = w->Rect;
    }

    if (!SendMessage(h, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs))) {
        if (Wnd* ww = W(h)) {
            ww->Destroying = true;
            Send(ww, WM_NCDESTROY, 0, 0);
            if (!ww->Dead) Bury(ww);
        }
        FreeGraveyard();
        return nullptr;
    }
    if (!W(h)) return nullptr;
    CalcClient(w);
    if (w->IsTopLevel()) {
        EnsureSurface(w);
        ApplyNativeSizeLimits(w);
    }
    if (SendMessage(h, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
        DestroyWindow(h);
        FreeGraveyard();
        return nullptr;
    }
    if (!W(h)) return nullptr;
    // Children and popups hear their first size and place right after WM_CREATE; overlapped windows when
    // they are first shown.
    if (!top || (style & WS_POPUP)) {
        SendFirstSize(w);
        if (!W(h)) return nullptr;
    }
    // The parent hears of its new child before the child is shown.
    SendParentNotify(w, WM_CREATE);
    if (!W(h)) return nullptr;

    if (style & (WS_MINIMIZE | WS_MAXIMIZE)) {
        ShowWindow(h, (style & WS_MINIMIZE) ? SW_SHOWMINNOACTIVE : SW_SHOWMAXIMIZED);
        if (!(style & WS_VISIBLE) && W(h)) ShowWindow(h, SW_HIDE);
    }
    if ((style & WS_VISIBLE) && W(h) && !(w->Style & WS_VISIBLE)) ShowWindow(h, SW_SHOW);
    return W(h) ? h : nullptr;
}

HWND CreateWindow(const char* cls, const char* name, DWORD style, int x, int y, int cx, int cy, HWND parent,
                  HMENU menu, HINSTANCE inst, void* param) {
    return CreateWindowEx(0, cls, name, style, x, y, cx, cy, parent, menu, inst, param);
}

BOOL DestroyWindow(HWND h) {
    State& s = S();
    Wnd* w = Checked(h);
    if (!w || w->IsDesktop()) return FALSE;
    if (w->Destroying) return TRUE;
    if (HasHook(WH_CBT) && CallHooks(WH_CBT, HCBT_DESTROYWND, reinterpret_cast<WPARAM>(h), 0)) return FALSE;
    if (!W(h)) return TRUE;
    w->Destroying = true;

    // Owned windows go first.
    if (w->IsTopLevel()) {
        std::vector<HWND> owned;
        for (auto& [id, o] : s.Windows)
            if (o->Owner == w && !o->Destroying) owned.push_back(o->Handle);
        for (HWND o : owned)
            DestroyWindow(o);
    }
    if (!W(h)) return TRUE;
    SendParentNotify(w, WM_DESTROY);
    if (!W(h)) return TRUE;
    // A visible window is hidden first: a child as ShowWindow(SW_HIDE) hides it (which hands a focus inside
    // it to the parent), a top-level window without WM_SHOWWINDOW.
    if ((w->Style & WS_VISIBLE) && !w->IsTopLevel()) {
        ShowWindow(h, SW_HIDE);
        if (!W(h)) return TRUE;
    } else if (w->Style & WS_VISIBLE) {
        SetPos(w, nullptr, 0, 0, 0, 0,
               SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE);
        if (!W(h)) return TRUE;
    }
    Deactivated(w);
    if (!W(h)) return TRUE;
    ReleaseCaptureOf(w);
    if (!W(h)) return TRUE;
    SendDestroy(w);
    if (W(h)) SendNcDestroy(w);
    FreeGraveyard();
    return TRUE;
}

BOOL IsWindow(HWND h) {
    return W(h) != nullptr;
}
HWND GetDesktopWindow() {
    return S().Desktop->Handle;
}

// ---- Window longs

LONG_PTR GetWindowLongPtr(HWND h, int index) {
    Wnd* w = Checked(h);
    if (!w) return 0;
    switch (index) {
    case GWLP_WNDPROC:
        return reinterpret_cast<LONG_PTR>(w->Proc);
    case GWLP_HINSTANCE:
        return reinterpret_cast<LONG_PTR>(w->Instance);
    case GWLP_HWNDPARENT:
        if (w->IsTopLevel()) return reinterpret_cast<LONG_PTR>(w->Owner ? w->Owner->Handle : nullptr);
        return reinterpret_cast<LONG_PTR>(w->Parent ? w->Parent->Handle : nullptr);
    case GWLP_ID:
        return w->IsTopLevel() ? reinterpret_cast<LONG_PTR>(w->Menu) : w->Id;
    case GWL_STYLE:
        return static_cast<LONG_PTR>(static_cast<LONG>(w->Style));
    case GWL_EXSTYLE:
        return static_cast<LONG_PTR>(static_cast<LONG>(w->ExStyle));
    case GWLP_USERDATA:
        return w->UserData;
    default:
        if (index >= 0 && static_cast<size_t>(index) + sizeof(LONG_PTR) <= w->Extra.size()) {
            LONG_PTR v;
            std::memcpy(&v, w->Extra.data() + index, sizeof v);
            return v;
        }
        S().LastError = ERROR_INVALID_INDEX;
        return 0;
    }
}

LONG_PTR SetWindowLongPtr(HWND h, int index, LONG_PTR value) {
    Wnd* w = Checked(h);
    if (!w || w->IsDesktop()) return 0;
    LONG_PTR old = 0;
    switch (index) {
    case GWLP_WNDPROC:
        if (!value) {
            S().LastError = ERROR_INVALID_PARAMETER;
            return 0;
        }
        old = reinterpret_cast<LONG_PTR>(w->Proc);
        w->Proc = reinterpret_cast<WNDPROC>(value);
        return old;
    case GWLP_HINSTANCE:
        old = reinterpret_cast<LONG_PTR>(w->Instance);
        w->Instance = reinterpret_cast<HINSTANCE>(value);
        return old;
    case GWLP_HWNDPARENT: {
        if (!w->IsTopLevel()) return 0; // a child's parent changes through SetParent only
        old = reinterpret_cast<LONG_PTR>(w->Owner ? w->Owner->Handle : nullptr);
        Wnd* o = W(reinterpret_cast<HWND>(value));
        o = o ? Root(o) : nullptr;
        // Refuse an owner cycle.
        for (Wnd* x = o; x; x = x->Owner)
            if (x == w) return 0;
        w->Owner = o;
        UpdateNativeOwner(w);
        return old;
    }
    case GWLP_ID:
        if (w->IsTopLevel()) {
            old = reinterpret_cast<LONG_PTR>(w->Menu);
            w->Menu = reinterpret_cast<HMENU>(value);
        } else {
            old = w->Id;
            w->Id = value;
        }
        return old;
    case GWL_STYLE:
    case GWL_EXSTYLE: {
        DWORD& field = index == GWL_STYLE ? w->Style : w->ExStyle;
        STYLESTRUCT ss{field, static_cast<DWORD>(value)};
        if (index == GWL_EXSTYLE) // topmost changes through SetWindowPos only
            ss.styleNew = (ss.styleNew & ~WS_EX_TOPMOST) | (field & WS_EX_TOPMOST);
        old = static_cast<LONG_PTR>(static_cast<LONG>(field));
        Send(w, WM_STYLECHANGING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&ss));
        if (!W(h)) return old;
        DWORD before = field;
        field = ss.styleNew;
        if (index == GWL_EXSTYLE && ((before ^ field) & WS_EX_LAYERED)) {
            // Leaving the layered state drops its attributes, as on the platform.
            if (!(field & WS_EX_LAYERED)) {
                w->Alpha = 255;
                w->LayeredFlags = 0;
                w->PerPixel = false;
                w->AttrMode = false;
                w->UlwMode = false;
            }
            if (Wnd* r = Root(w); r && r == w) UpdateNativeAttributes(r);
        }
        Send(w, WM_STYLECHANGED, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&ss));
        return old;
    }
    case GWLP_USERDATA:
        old = w->UserData;
        w->UserData = value;
        return old;
    default:
        if (index >= 0 && static_cast<size_t>(index) + sizeof(LONG_PTR) <= w->Extra.size()) {
            std::memcpy(&old, w->Extra.data() + index, sizeof old);
            std::memcpy(w->Extra.data() + index, &value, sizeof value);
            return old;
        }
        S().LastError = ERROR_INVALID_INDEX;
        return 0;
    }
}

namespace {

bool IsPointerIndex(int index) {
    return index == GWL_WNDPROC || index == GWLP_HINSTANCE || index == GWLP_HWNDPARENT;
}

// Where the 32-bit calls read or write the LONG at index in the window's extra bytes; null (with the last
// error set) for a bad window or an index that does not fit. Pointer-sized indexes are refused: pointers do
// not fit in 32 bits, so the pointer-sized calls are the only way, as on 64-bit systems.
unsigned char* ExtraLong(HWND h, int index) {
    if (index < 0) {
        S().LastError = ERROR_INVALID_INDEX;
        return nullptr;
    }
    Wnd* w = Checked(h);
    if (!w) return nullptr;
    if (static_cast<size_t>(index) + sizeof(LONG) > w->Extra.size()) {
        S().LastError = ERROR_INVALID_INDEX;
        return nullptr;
    }
    return w->Extra.data() + index;
}

} // namespace

LONG GetWindowLong(HWND h, int index) {
    if (index < 0 && !IsPointerIndex(index)) return static_cast<LONG>(GetWindowLongPtr(h, index));
    unsigned char* at = ExtraLong(h, index);
    if (!at) return 0;
    LONG v;
    std::memcpy(&v, at, sizeof v);
    return v;
}

LONG SetWindowLong(HWND h, int index, LONG value) {
    if (index < 0 && !IsPointerIndex(index)) {
        LONG_PTR v = (index == GWL_STYLE || index == GWL_EXSTYLE)
                         ? static_cast<LONG_PTR>(static_cast<DWORD>(value))
                         : static_cast<LONG_PTR>(value);
        return static_cast<LONG>(SetWindowLongPtr(h, index, v));
    }
    unsigned char* at = ExtraLong(h, index);
    if (!at) return 0;
    LONG old;
    std::memcpy(&old, at, sizeof old);
    std::memcpy(at, &value, sizeof value);
    return old;
}

WORD GetWindowWord(HWND h, int index) {
    Wnd* w = Checked(h);
    if (!w || index < 0 || static_cast<size_t>(index) + 2 > w->Extra.size()) return 0;
    WORD v;
    std::memcpy(&v, w->Extra.data() + index, 2);
    return v;
}

LRESULT CallWindowProc(WNDPROC proc, HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    if (!proc) return 0;
    return proc(h, msg, wp, lp);
}

// ---- Properties

BOOL SetProp(HWND h, const char* name, HANDLE data) {
    Wnd* w = Checked(h);
    if (!w || !name) return FALSE;
    for (auto& [k, v] : w->Props)
        if (SameText(k, name)) {
            v = data;
            return TRUE;
        }
    w->Props.emplace_back(name, data);
    return TRUE;
}

HANDLE GetProp(HWND h, const char* name) {
    Wnd* w = W(h);
    if (!w || !name) return nullptr;
    for (auto& [k, v] : w->Props)
        if (SameText(k, name)) return v;
    return nullptr;
}

HANDLE RemoveProp(HWND h, const char* name) {
    Wnd* w = W(h);
    if (!w || !name) return nullptr;
    for (auto it = w->Props.begin(); it != w->Props.end(); ++it)
        if (SameText(it->first, name)) {
            HANDLE v = it->second;
            w->Props.erase(it);
            return v;
        }
    return nullptr;
}

// ---- Relations

HWND GetParent(HWND h) {
    Wnd* w = Checked(h);
    if (!w || w->IsDesktop()) return nullptr;
    if (!w->IsTopLevel()) return w->Parent->Handle;
    if ((w->Style & WS_POPUP) && w->Owner) return w->Owner->Handle;
    return nullptr;
}

HWND SetParent(HWND child, HWND newParent) {
    State& s = S();
    Wnd* w = Checked(child);
    if (!w || w->IsDesktop()) return nullptr;
    Wnd* p = newParent ? Checked(newParent) : s.Desktop.get();
    if (!p) return nullptr;
    for (Wnd* x = p; x; x = x->Parent)
        if (x == w) {
            s.LastError = ERROR_INVALID_PARAMETER;
            return nullptr; // would make a cycle
        }
    HWND old = w->Parent->Handle;
    if (p == w->Parent) return old;
    bool visible = w->Style & WS_VISIBLE;
    Wnd* oldRoot = Root(w);
    if (visible && !w->IsTopLevel()) {
        // The old place shows the parent again.
        RECT r = w->Rect;
        HRGN rg = CreateRectRgn(r.Left, r.Top, r.Right, r.Bottom);
        OffsetRgn(rg, w->Parent->Client.Left, w->Parent->Client.Top);
        AddUpdate(w->Parent, rg, true, false);
        DeleteObject(rg);
    }
    bool wasTop = w->IsTopLevel();
    Unlink(w);
    w->Parent = p;
    LinkTop(w);
    if (wasTop && !w->IsTopLevel()) ReleaseSurface(w);
    if (!wasTop && w->IsTopLevel()) {
        // The window keeps its place on the screen's coordinate system as given in its rectangle.
        EnsureSurface(w);
    }
    if (oldRoot && oldRoot != Root(w) && !oldRoot->Dead && oldRoot->Surface) Present(oldRoot, oldRoot->Rect);
    if (visible) InvalidateWhole(w, true, true);
    Restack();
    return old;
}

HWND GetWindow(HWND h, UINT cmd) {
    Wnd* w = Checked(h);
    if (!w) return nullptr;
    auto sib = [&](Wnd* x) -> const std::vector<Wnd*>* { return x->Parent ? &x->Parent->Children : nullptr; };
    switch (cmd) {
    case GW_CHILD:
        return w->Children.empty() ? nullptr : w->Children.front()->Handle;
    case GW_OWNER:
        return w->Owner ? w->Owner->Handle : nullptr;
    case GW_HWNDFIRST:
    case GW_HWNDLAST: {
        auto* v = sib(w);
        if (!v || v->empty()) return nullptr;
        return cmd == GW_HWNDFIRST ? v->front()->Handle : v->back()->Handle;
    }
    case GW_HWNDNEXT:
    case GW_HWNDPREV: {
        auto* v = sib(w);
        if (!v) return nullptr;
        auto it = std::find(v->begin(), v->end(), w);
        if (it == v->end()) return nullptr;
        if (cmd == GW_HWNDNEXT) return ++it == v->end() ? nullptr : (*it)->Handle;
        return it == v->begin() ? nullptr : (*--it)->Handle;
    }
    case GW_ENABLEDPOPUP:
        for (Wnd* x : S().Desktop->Children)
            if (x->Owner == w && (x->Style & WS_VISIBLE) && !(x->Style & WS_DISABLED)) return x->Handle;
        return nullptr;
    default:
        S().LastError = ERROR_INVALID_PARAMETER;
        return nullptr;
    }
}

HWND GetNextWindow(HWND h, UINT cmd) {
    return GetWindow(h, cmd);
}

HWND GetTopWindow(HWND h) {
    Wnd* w = h ? Checked(h) : S().Desktop.get();
    if (!w || w->Children.empty()) return nullptr;
    return w->Children.front()->Handle;
}

HWND GetAncestor(HWND h, UINT flags) {
    Wnd* w = Checked(h);
    if (!w || w->IsDesktop()) return nullptr;
    switch (flags) {
    case GA_PARENT:
        return w->Parent->Handle;
    case GA_ROOT:
        return Root(w)->Handle;
    case GA_ROOTOWNER: {
        Wnd* r = Root(w);
        while (r->Owner)
            r = r->Owner;
        return r->Handle;
    }
    default:
        return nullptr;
    }
}

BOOL IsChild(HWND parent, HWND h) {
    Wnd* p = W(parent);
    Wnd* w = W(h);
    if (!p || !w) return FALSE;
    for (Wnd* x = w; x && !x->IsTopLevel() && !x->IsDesktop(); x = x->Parent)
        if (x->Parent == p) return TRUE;
    return FALSE;
}

BOOL IsWindowVisible(HWND h) {
    return IsVisibleChain(W(h)) ? TRUE : FALSE;
}

BOOL IsWindowEnabled(HWND h) {
    Wnd* w = W(h);
    return w && !(w->Style & WS_DISABLED) ? TRUE : FALSE;
}

BOOL EnableWindow(HWND h, BOOL enable) {
    Wnd* w = Checked(h);
    if (!w) return FALSE;
    BOOL wasDisabled = (w->Style & WS_DISABLED) ? TRUE : FALSE;
    if (enable && wasDisabled) {
        w->Style &= ~WS_DISABLED;
        Send(w, WM_ENABLE, TRUE, 0);
    } else if (!enable && !wasDisabled) {
        Send(w, WM_CANCELMODE, 0, 0);
        if (!W(h)) return FALSE;
        w->Style |= WS_DISABLED;
        // A disabled window loses the focus and the capture.
        if (S().Focus && (S().Focus == h || IsChild(h, S().Focus))) SetFocus(nullptr);
        if (S().Capture == h) ReleaseCapture();
        if (W(h)) Send(w, WM_ENABLE, FALSE, 0);
    }
    return wasDisabled;
}

BOOL IsIconic(HWND h) {
    Wnd* w = W(h);
    return w && (w->Style & WS_MINIMIZE) ? TRUE : FALSE;
}

BOOL IsZoomed(HWND h) {
    Wnd* w = W(h);
    return w && (w->Style & WS_MAXIMIZE) ? TRUE : FALSE;
}

BOOL EnumWindows(WNDENUMPROC proc, LPARAM lp) {
    if (!proc) return FALSE;
    std::vector<HWND> list;
    for (Wnd* w : S().Desktop->Children)
        list.push_back(w->Handle);
    for (HWND h : list)
        if (W(h) && !proc(h, lp)) return FALSE;
    return TRUE;
}

namespace {
void Collect(Wnd* w, std::vector<HWND>& out) {
    for (Wnd* c : w->Children) {
        out.push_back(c->Handle);
        Collect(c, out);
    }
}
} // namespace

BOOL EnumChildWindows(HWND parent, WNDENUMPROC proc, LPARAM lp) {
    Wnd* p = parent ? W(parent) : S().Desktop.get();
    if (!p || !proc) return FALSE;
    std::vector<HWND> list;
    Collect(p, list);
    for (HWND h : list)
        if (W(h) && !proc(h, lp)) return FALSE;
    return TRUE;
}

HWND FindWindowEx(HWND parent, HWND after, const char* cls, const char* name) {
    Wnd* p = parent ? W(parent) : S().Desktop.get();
    if (!p) return nullptr;
    bool started = after == nullptr;
    for (Wnd* w : p->Children) {
        if (!started) {
            started = w->Handle == after;
            continue;
        }
        if (cls && w->Class &&
            !(IS_INTRESOURCE(cls) ? w->Class->Atom == reinterpret_cast<std::uintptr_t>(cls)
                                  : SameText(w->Class->Name, cls)))
            continue;
        if (name && w->Text != name) continue;
        return w->Handle;
    }
    return nullptr;
}

HWND FindWindow(const char* cls, const char* name) {
    return FindWindowEx(nullptr, nullptr, cls, name);
}

DWORD GetCurrentThreadId() {
    return 1;
}
DWORD GetCurrentProcessId() {
    return 1;
}

DWORD GetWindowThreadProcessId(HWND h, DWORD* pid) {
    if (!W(h)) return 0;
    if (pid) *pid = GetCurrentProcessId();
    return GetCurrentThreadId();
}

HMENU GetMenu(HWND h) {
    Wnd* w = W(h);
    return w && w->IsTopLevel() ? w->Menu : nullptr;
}

BOOL SetMenu(HWND h, HMENU menu) {
    Wnd* w = Checked(h);
    if (!w || !w->IsTopLevel() || (w->Style & WS_CHILD)) return FALSE;
    w->Menu = menu;
    SetWindowPos(h, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    return TRUE;
}

// ---- Text

size_t detail::Utf8Cut(const String& s, size_t max) {
    if (s.size() <= max) return s.size();
    size_t n = max;
    while (n > 0 && (static_cast<unsigned char>(s[n]) & 0xC0) == 0x80)
        --n;
    return n;
}

BOOL SetWindowText(HWND h, const char* text) {
    if (!Checked(h)) return FALSE;
    return SendMessage(h, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text ? text : "")) ? TRUE : FALSE;
}

int GetWindowText(HWND h, char* buf, int max) {
    if (!buf || max <= 0) return 0;
    buf[0] = 0;
    if (!Checked(h)) return 0;
    return static_cast<int>(
        SendMessage(h, WM_GETTEXT, static_cast<WPARAM>(max), reinterpret_cast<LPARAM>(buf)));
}

int GetWindowTextLength(HWND h) {
    if (!Checked(h)) return 0;
    return static_cast<int>(SendMessage(h, WM_GETTEXTLENGTH, 0, 0));
}

namespace detail {
// The default text messages (DefWindowProc).
LRESULT DefTextMessage(Wnd* w, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_SETTEXT: {
        const char* t = reinterpret_cast<const char*>(lp);
        w->Text = t ? t : "";
        if (w->Native) UpdateNativeTitleAndIcon(w);
        // The caption shows the new text at once; the client area is not touched.
        if ((w->Style & WS_CAPTION) == WS_CAPTION && IsVisibleChain(w)) DefNcPaint(w, w->FrameActive);
        return TRUE;
    }
    case WM_GETTEXT: {
        char* buf = reinterpret_cast<char*>(lp);
        if (!buf || wp == 0) return 0;
        size_t n = Utf8Cut(w->Text, static_cast<size_t>(wp) - 1);
        std::memcpy(buf, w->Text.data(), n);
        buf[n] = 0;
        return static_cast<LRESULT>(n);
    }
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(w->Text.size());
    default:
        return 0;
    }
}
} // namespace detail

} // namespace win
