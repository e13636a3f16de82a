// A form's layout with bounds anywhere in the int range (near its ends above all), for the form and for a
// panel and a button in it, read and shown on the offscreen display, maximised, minimised, restored and
// moved; then the window system driven directly, as code that calls it without a control does, with
// places anywhere in the int range from its callers and from a window procedure's answers, and its regions
// and device contexts with corners and origins anywhere in it. No sum of coordinates ever leaves the int
// range (the sanitizer checks each one), every control's and every window's place stays within the
// windows' range, every region stays banded, and nothing is left alive.

#include <climits>
#include <string>
#include <vector>

#include "platform/classes/LayoutReader.h"
#include "platform/rtl/Exceptions.h"
#include "platform/vcl/Button.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/Panel.h"
#include "platform/win/Windows.h"
#include "tests/fuzz/FuzzSupport.h"

namespace {

// Mostly near the ends of the int range or at half of it (where two such values add up past it).
long long Coordinate(fuzz::Input& in) {
    const std::uint8_t kind = in.Byte();
    const int small = in.Byte();
    switch (kind & 7) {
    case 0:
        return INT_MAX - small;
    case 1:
        return INT_MIN + small;
    case 2:
        return INT_MAX / 2 + small;
    case 3:
        return INT_MIN / 2 - small;
    case 4: {
        std::uint32_t v = static_cast<std::uint32_t>(small);
        for (int i = 0; i < 3; ++i)
            v = (v << 8) | in.Byte();
        return static_cast<std::int32_t>(v);
    }
    default:
        return small * 8 - 1024;
    }
}

std::string Line(const char* indent, const char* name, long long value) {
    return std::string(indent) + name + " = " + std::to_string(value) + "\n";
}

std::string Bounds(fuzz::Input& in, const char* indent) {
    std::string text;
    for (const char* name : {"Left", "Top", "Width", "Height"})
        text += Line(indent, name, Coordinate(in));
    return text;
}

int Int(fuzz::Input& in) {
    return static_cast<int>(Coordinate(in));
}

bool InRange(vcl::TControl* c) {
    return c->Left() >= -vcl::MaxControlCoordinate && c->Left() <= vcl::MaxControlCoordinate &&
           c->Top() >= -vcl::MaxControlCoordinate && c->Top() <= vcl::MaxControlCoordinate;
}

// What the fuzzed window procedure answers, instead of the default processing, for the messages whose
// bit is set in Which.
struct Answers {
    std::uint8_t Which = 0;
    win::RECT Place{};
    win::POINT MaxSize{}, MaxPosition{}, MaxTrack{};
};
Answers gAnswers;

win::LRESULT AnsweringProc(win::HWND h, win::UINT msg, win::WPARAM wp, win::LPARAM lp) {
    using namespace win;
    const RECT& a = gAnswers.Place;
    switch (msg) {
    case WM_GETMINMAXINFO:
        if (!(gAnswers.Which & 1)) break;
        DefWindowProc(h, msg, wp, lp);
        reinterpret_cast<MINMAXINFO*>(lp)->ptMaxSize = gAnswers.MaxSize;
        reinterpret_cast<MINMAXINFO*>(lp)->ptMaxPosition = gAnswers.MaxPosition;
        reinterpret_cast<MINMAXINFO*>(lp)->ptMaxTrackSize = gAnswers.MaxTrack;
        return 0;
    case WM_WINDOWPOSCHANGING: {
        if (!(gAnswers.Which & 2)) break;
        auto* pos = reinterpret_cast<WINDOWPOS*>(lp);
        pos->x = a.Left, pos->y = a.Top, pos->cx = a.Right, pos->cy = a.Bottom;
        pos->flags &= ~(SWP_NOMOVE | SWP_NOSIZE);
        return 0;
    }
    case WM_NCCALCSIZE:
        if (!(gAnswers.Which & 4)) break;
        *reinterpret_cast<RECT*>(lp) = a; // rgrc[0] for wParam TRUE
        return 0;
    default:
        break;
    }
    return DefWindowProc(h, msg, wp, lp);
}

// Whether the window lies within the windows' range in its parent's client area (on the screen for a
// top-level window), its size too.
bool WindowInRange(win::HWND h) {
    win::RECT r{};
    win::GetWindowRect(h, &r);
    win::POINT at = r.TopLeft();
    if (win::HWND parent = win::GetParent(h);
        parent && (win::GetWindowLong(h, win::GWL_STYLE) & win::WS_CHILD))
        win::ScreenToClient(parent, &at);
    const auto in = [](int v, int low) { return v >= low && v <= win::MaxWindowCoordinate; };
    return in(at.X, -win::MaxWindowCoordinate) && in(at.Y, -win::MaxWindowCoordinate) && in(r.Width(), 0) &&
           in(r.Height(), 0);
}

// Whether a region's rectangles are banded: none empty, sorted by band, bands apart, spans apart.
bool Banded(win::HRGN r) {
    const std::vector<win::RECT> rects = win::detail::GetRegionRects(r);
    for (std::size_t i = 0; i < rects.size(); ++i) {
        const win::RECT& c = rects[i];
        if (c.IsEmpty()) return false;
        if (i == 0) continue;
        const win::RECT& p = rects[i - 1];
        const bool sameBand = p.Top == c.Top && p.Bottom == c.Bottom;
        if (sameBand ? p.Right >= c.Left : p.Bottom > c.Top) return false;
    }
    return true;
}

// A region with corners anywhere in the int range: a rectangle, or an ellipse or a rounded rectangle of a
// box that may be flat (their rows are few unless the input asks for a tall one).
win::HRGN Region(fuzz::Input& in) {
    using namespace win;
    const std::uint8_t kind = in.Byte();
    const int x1 = Int(in), y1 = Int(in), x2 = Int(in);
    const int y2 = (kind & 4) ? Int(in) : vcl::ClampToInt(std::int64_t{y1} + in.Byte() - 128);
    switch (kind % 3) {
    case 0:
        return CreateRectRgn(x1, y1, x2, y2);
    case 1:
        return CreateEllipticRgn(x1, y1, x2, y2);
    default:
        return CreateRoundRectRgn(x1, y1, x2, y2, Int(in), Int(in));
    }
}

// Regions and device contexts of the windows with places and origins anywhere in the int range: regions
// offset and combined, handed to the invalidation of a window with children, made a window's shape and
// a clip, and drawn through; lines, shapes and frame controls drawn at far origins.
void DriveRegionsAndDCs(fuzz::Input& in, win::HWND top, win::HWND child, win::HWND grand) {
    using namespace win;
    HRGN a = Region(in), b = Region(in);
    if (!a) a = CreateRectRgn(0, 0, 0, 0);
    if (!b) b = CreateRectRgn(0, 0, 0, 0);
    OffsetRgn(a, Int(in), Int(in));
    CombineRgn(b, a, b, RGN_AND + in.Byte() % 4);
    OffsetRgn(b, Int(in), Int(in));
    if (!Banded(a) || !Banded(b)) fuzz::Broken("a region lost its bands");
    const RECT far{Int(in), Int(in), Int(in), Int(in)};
    InvalidateRect(top, &far, TRUE);
    InvalidateRgn(child, a, TRUE);
    RedrawWindow(top, nullptr, b, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    ValidateRgn(child, b);
    HRGN shape = CreateRectRgn(0, 0, 0, 0);
    CombineRgn(shape, a, nullptr, RGN_COPY);
    SetWindowRgn(grand, shape, TRUE); // the window takes it
    RedrawWindow(top, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    HRGN clip = CreateRectRgn(0, 0, 0, 0);
    CombineRgn(clip, b, nullptr, RGN_COPY);
    HDC dc = GetDCEx(grand, clip, DCX_INTERSECTRGN | DCX_CACHE); // the call takes the clip
    if (!dc) fuzz::Broken("no device context");
    const std::uint8_t drawing = in.Byte();
    SetViewportOrgEx(dc, Int(in), Int(in), nullptr);
    SetWindowOrgEx(dc, Int(in), Int(in), nullptr);
    OffsetViewportOrgEx(dc, Int(in), Int(in), nullptr);
    OffsetWindowOrgEx(dc, Int(in), Int(in), nullptr);
    SelectClipRgn(dc, (drawing & 1) ? a : nullptr);
    OffsetClipRgn(dc, Int(in), Int(in));
    PtVisible(dc, Int(in), Int(in));
    RECT box{};
    // A visible region has a box; one that no logical coordinate reaches is none.
    if ((GetClipBox(dc, &box) == NULLREGION) != box.IsEmpty())
        fuzz::Broken("the clip box and its kind disagree");
    HPEN pen = CreatePen((drawing & 2) ? PS_DOT : PS_SOLID, in.Byte() % 8, RGB(200, 0, 0));
    HGDIOBJ oldPen = SelectObject(dc, pen);
    RECT r{Int(in), Int(in), Int(in), Int(in)};
    MoveToEx(dc, r.Left, r.Top, nullptr);
    LineTo(dc, r.Right, r.Bottom);
    Rectangle(dc, r.Left, r.Top, r.Right, r.Bottom);
    Ellipse(dc, r.Right, r.Bottom, r.Left, r.Top);
    RoundRect(dc, r.Left, r.Top, r.Right, r.Bottom, Int(in), Int(in));
    DrawFocusRect(dc, &r);
    HBRUSH brush = CreateSolidBrush(RGB(0, 0, 200));
    FrameRgn(dc, b, brush, in.Byte() % 16, in.Byte() % 16);
    static const UINT types[] = {DFC_BUTTON, DFC_CAPTION, DFC_SCROLL, DFC_MENU};
    static const UINT states[] = {DFCS_BUTTONRADIO | DFCS_CHECKED,
                                  DFCS_BUTTONCHECK | DFCS_BUTTON3STATE | DFCS_CHECKED,
                                  DFCS_BUTTONPUSH | DFCS_CHECKED,
                                  DFCS_CAPTIONRESTORE,
                                  DFCS_SCROLLSIZEGRIP,
                                  DFCS_MENUCHECK};
    const std::uint8_t control = in.Byte();
    DrawFrameControl(dc, &r, types[control % 4], states[(control >> 2) % 6] | DFCS_ADJUSTRECT);
    SelectObject(dc, oldPen);
    DeleteObject(pen);
    DeleteObject(brush);
    ReleaseDC(grand, dc);
    DeleteObject(a);
    DeleteObject(b);
}

// A frame window, a child and a grandchild made, moved, placed, scrolled, hit and repainted with places
// anywhere in the int range, while their procedure answers some of what the window system asks it with
// places anywhere too.
void DriveWindows(fuzz::Input& in) {
    using namespace win;
    static const bool registered = [] {
        WNDCLASSEX wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = AnsweringProc;
        wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<std::uintptr_t>(COLOR_WINDOW + 1));
        wc.lpszClassName = "KvFuzzFar";
        return RegisterClassEx(&wc) != 0;
    }();
    if (!registered) fuzz::Broken("the class was not registered");
    static const DWORD frames[] = {WS_OVERLAPPEDWINDOW, WS_POPUP, WS_POPUP | WS_BORDER,
                                   WS_POPUP | WS_CAPTION | WS_THICKFRAME};
    static const int shows[] = {SW_SHOWNORMAL, SW_SHOWMINIMIZED, SW_SHOWMAXIMIZED, SW_RESTORE};
    const std::uint8_t options = in.Byte();
    gAnswers = {};
    gAnswers.Place = {Int(in), Int(in), Int(in), Int(in)};
    gAnswers.MaxSize = {Int(in), Int(in)};
    gAnswers.MaxPosition = {Int(in), Int(in)};
    gAnswers.MaxTrack = {Int(in), Int(in)};
    const std::uint8_t answered = in.Byte();

    HWND top = CreateWindowEx(0, "KvFuzzFar", "", frames[options % 4], Int(in), Int(in), Int(in), Int(in),
                              nullptr, nullptr, nullptr, nullptr);
    if (!top) fuzz::Broken("a frame window was not made");
    HWND child = CreateWindowEx(0, "KvFuzzFar", "", WS_CHILD | WS_VISIBLE | WS_BORDER, Int(in), Int(in),
                                Int(in), Int(in), top, nullptr, nullptr, nullptr);
    HWND grand = CreateWindowEx(0, "KvFuzzFar", "", WS_CHILD | WS_VISIBLE | WS_THICKFRAME, Int(in), Int(in),
                                Int(in), Int(in), child, nullptr, nullptr, nullptr);
    if (!child || !grand) fuzz::Broken("a child window was not made");
    ShowWindow(top, SW_SHOW);
    // From here on the procedure answers as the input says.
    gAnswers.Which = answered;
    SetWindowPos(child, nullptr, Int(in), Int(in), Int(in), Int(in), SWP_NOZORDER | SWP_FRAMECHANGED);
    MoveWindow(grand, Int(in), Int(in), Int(in), Int(in), TRUE);
    SetWindowPos(top, nullptr, Int(in), Int(in), Int(in), Int(in), SWP_NOZORDER);
    WINDOWPLACEMENT wp{
        sizeof(WINDOWPLACEMENT), WPF_SETMINPOSITION,      static_cast<UINT>(shows[(options >> 2) % 4]),
        POINT{Int(in), Int(in)}, POINT{Int(in), Int(in)}, RECT{Int(in), Int(in), Int(in), Int(in)}};
    SetWindowPlacement(top, &wp);
    ScrollWindow(top, Int(in), Int(in), nullptr, nullptr);
    const RECT someRect{Int(in), Int(in), Int(in), Int(in)};
    InvalidateRect(grand, &someRect, TRUE);
    RedrawWindow(top, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    POINT pts[2] = {{Int(in), Int(in)}, {0, 0}};
    MapWindowPoints(grand, top, pts, 2);
    ClientToScreen(grand, &pts[0]);
    ScreenToClient(child, &pts[1]);
    WindowFromPoint(pts[0]);
    ChildWindowFromPoint(top, pts[1]);
    RECT adjusted{Int(in), Int(in), Int(in), Int(in)};
    AdjustWindowRectEx(&adjusted, frames[options % 4], FALSE, 0);
    if (options & 0x80) ShowWindow(top, SW_SHOWMAXIMIZED);
    vcl::Application->ProcessMessages();
    DriveRegionsAndDCs(in, top, child, grand);
    gAnswers.Which = 0;
    for (HWND h : {top, child, grand})
        if (!WindowInRange(h)) fuzz::Broken("a window's place left the windows' range");
    DestroyWindow(top);
    if (IsWindow(top) || IsWindow(child) || IsWindow(grand)) fuzz::Broken("a window outlived its frame");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const char* const borders[] = {"bsNone",   "bsSingle",     "bsSizeable",
                                          "bsDialog", "bsToolWindow", "bsSizeToolWin"};
    static const char* const positions[] = {"poDesigned",     "poDefault",       "poDefaultPosOnly",
                                            "poScreenCenter", "poDesktopCenter", "poMainFormCenter"};
    static const char* const aligns[] = {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient"};
    fuzz::Input in(data, size);
    const std::uint8_t options = in.Byte();
    std::string text = "object Far: TForm\n" + Bounds(in, "  ");
    text += std::string("  BorderStyle = ") + borders[options % 6] + "\n";
    text += std::string("  Position = ") + positions[(options >> 3) % 6] + "\n";
    if (options & 0x40)
        text += Line("  ", "ClientWidth", Coordinate(in)) + Line("  ", "ClientHeight", Coordinate(in));
    text += "  object Inner: TPanel\n" + Bounds(in, "    ");
    text += std::string("    Align = ") + aligns[in.Byte() % 6] + "\n";
    text += "    object Deep: TButton\n" + Bounds(in, "      ") + "    end\n  end\nend\n";

    // Made once, the classes the layout names are linked into the program, which registers them.
    static const bool linked = [] {
        vcl::TComponentPtr<vcl::TPanel> panel(new vcl::TPanel(nullptr));
        vcl::TComponentPtr<vcl::TButton> button(new vcl::TButton(nullptr));
        return true;
    }();
    (void)linked;
    const long before = vcl::TObject::LiveObjects();
    {
        vcl::TComponentPtr<vcl::TForm> form(new vcl::TForm(vcl::Application));
        try {
            vcl::ReadComponentFromText(text, form.get(), "Far");
        } catch (const vcl::EReadError&) {
            fuzz::Broken("a layout of known classes and properties was refused");
        }
        auto* inner = static_cast<vcl::TControl*>(form->FindComponent("Inner"));
        auto* deep = static_cast<vcl::TControl*>(form->FindComponent("Deep"));
        form->Show();
        vcl::Application->ProcessMessages();
        (void)deep->ClientToScreen(vcl::TPoint{0, 0});
        win::MonitorFromWindow(form->Handle(), win::MONITOR_DEFAULTTONEAREST);
        if (options & 0x80) {
            form->SetWindowState(vcl::wsMaximized);
            vcl::Application->ProcessMessages();
            form->SetWindowState(vcl::wsMinimized);
            vcl::Application->ProcessMessages();
            form->SetWindowState(vcl::wsNormal);
            vcl::Application->ProcessMessages();
        }
        const long long l = Coordinate(in), t = Coordinate(in), w = Coordinate(in), h = Coordinate(in);
        form->SetBounds(static_cast<int>(l), static_cast<int>(t), static_cast<int>(w), static_cast<int>(h));
        inner->SetBounds(static_cast<int>(t), static_cast<int>(l), static_cast<int>(h), static_cast<int>(w));
        vcl::Application->ProcessMessages();
        (void)deep->ClientToScreen(vcl::TPoint{0, 0});
        for (vcl::TControl* c : {static_cast<vcl::TControl*>(form.get()), inner, deep})
            if (!InRange(c)) fuzz::Broken("a control's place left the controls' range");
        form->Hide();
    }
    vcl::Application->ProcessMessages();
    if (vcl::TObject::LiveObjects() != before) fuzz::Broken("objects left alive");
    DriveWindows(in);
    return 0;
}
