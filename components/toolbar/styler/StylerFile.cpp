#include "components/toolbar/styler/StylerFile.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cstdio>
#include <functional>

#include "components/toolbar/styler/ToolBarStyler.h"
#include "platform/rtl/Colors.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/Unicode.h"

namespace AdvToolBar {

using vcl::String;

// ---- Line codec

std::vector<String> SplitFileLines(const String& Text) {
    std::vector<String> lines;
    std::size_t start = 0;
    while (start < Text.size()) {
        std::size_t end = Text.find('\n', start);
        if (end == String::npos) end = Text.size();
        std::size_t stop = end;
        if (stop > start && Text[stop - 1] == '\r') --stop;
        lines.push_back(Text.substr(start, stop - start));
        start = end + 1;
    }
    return lines;
}

String JoinFileLines(const std::vector<String>& Lines) {
    String text;
    for (const String& l : Lines) {
        text += l;
        text += "\r\n";
    }
    return text;
}

String CommaTextItem(const String& Item) {
    bool quote = false;
    for (unsigned char c : Item)
        if (c <= ' ' || c == ',' || c == '"') quote = true;
    if (!quote) return Item;
    String out = "\"";
    for (char c : Item) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + "\"";
}

std::vector<String> ParseCommaText(const String& Line) {
    std::vector<String> items;
    std::size_t i = 0;
    const std::size_t n = Line.size();
    auto skipSpace = [&] {
        while (i < n && static_cast<unsigned char>(Line[i]) <= ' ')
            ++i;
    };
    skipSpace();
    while (i < n) {
        String item;
        if (Line[i] == '"') {
            ++i;
            while (i < n) {
                if (Line[i] == '"') {
                    if (i + 1 < n && Line[i + 1] == '"') {
                        item += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                item += Line[i++];
            }
        } else {
            while (i < n && Line[i] != ',' && static_cast<unsigned char>(Line[i]) > ' ')
                item += Line[i++];
        }
        items.push_back(item);
        skipSpace();
        if (i < n && Line[i] == ',') {
            ++i;
            skipSpace();
        }
    }
    return items;
}

namespace {

// ---- Key table

enum class TKind { Color, Int, Bool, Direction, Gradient, Grip, FontStyle, FontSize, FontName };

struct TKey {
    String Name;
    TKind Kind;
    std::function<long long()> Get;
    std::function<void(long long)> Set;
    vcl::TFont* Font = nullptr; // font style, size and name lines
};

using TKeys = std::vector<TKey>;

// A line of a property read and written through its getter and setter. A number is brought into the int
// range first; the setter keeps it to the property's own limits, so a number beyond them reads as the limit.
template <typename O, typename V>
void Add(TKeys& k, const String& Name, TKind Kind, O* Obj, V (O::*Get)() const, void (O::*Set)(V)) {
    k.push_back({Name, Kind, [Obj, Get] { return static_cast<long long>((Obj->*Get)()); },
                 [Obj, Set](long long v) {
                     (Obj->*Set)(static_cast<V>(std::clamp<long long>(v, INT_MIN, INT_MAX)));
                 }});
}

template <typename O>
void Col(TKeys& k, const String& Name, O* Obj, TColor (O::*Get)() const, void (O::*Set)(TColor)) {
    Add(k, Name, TKind::Color, Obj, Get, Set);
}

void G4(TKeys& k, const String& P, TGradientBackground* g) {
    Col(k, P + "Color", g, &TGradientBackground::Color, &TGradientBackground::SetColor);
    Col(k, P + "ColorTo", g, &TGradientBackground::ColorTo, &TGradientBackground::SetColorTo);
    Add(k, P + "Direction", TKind::Direction, g, &TGradientBackground::Direction,
        &TGradientBackground::SetDirection);
    Add(k, P + "Steps", TKind::Int, g, &TGradientBackground::Steps, &TGradientBackground::SetSteps);
}

void F4(TKeys& k, const String& P, vcl::TFont* f, bool WithName = true) {
    Col(k, P + "Color", f, &vcl::TFont::Color, &vcl::TFont::SetColor);
    k.push_back({P + "Style", TKind::FontStyle, nullptr, nullptr, f});
    k.push_back({P + "Size", TKind::FontSize, [f] { return static_cast<long long>(f->Size()); }, nullptr, f});
    if (WithName) k.push_back({P + "Name", TKind::FontName, nullptr, nullptr, f});
}

void V8(TKeys& k, const String& P, TVistaBackground* v) {
    using V = TVistaBackground;
    Col(k, P + "BorderColor", v, &V::BorderColor, &V::SetBorderColor);
    Col(k, P + "Color", v, &V::Color, &V::SetColor);
    Col(k, P + "ColorTo", v, &V::ColorTo, &V::SetColorTo);
    Col(k, P + "ColorMirror", v, &V::ColorMirror, &V::SetColorMirror);
    Col(k, P + "ColorMirrorTo", v, &V::ColorMirrorTo, &V::SetColorMirrorTo);
    Add(k, P + "Gradient", TKind::Gradient, v, &V::Gradient, &V::SetGradient);
    Add(k, P + "GradientMirror", TKind::Gradient, v, &V::GradientMirror, &V::SetGradientMirror);
    Add(k, P + "Steps", TKind::Int, v, &V::Steps, &V::SetSteps);
}

void CA8(TKeys& k, const String& P, TCaptionAppearance* c) {
    using C = TCaptionAppearance;
    Col(k, P + "CaptionColor", c, &C::CaptionColor, &C::SetCaptionColor);
    Col(k, P + "CaptionColorTo", c, &C::CaptionColorTo, &C::SetCaptionColorTo);
    Col(k, P + "CaptionTextColor", c, &C::CaptionTextColor, &C::SetCaptionTextColor);
    Col(k, P + "CaptionBorderColor", c, &C::CaptionBorderColor, &C::SetCaptionBorderColor);
    Col(k, P + "CaptionColorHot", c, &C::CaptionColorHot, &C::SetCaptionColorHot);
    Col(k, P + "CaptionColorHotTo", c, &C::CaptionColorHotTo, &C::SetCaptionColorHotTo);
    Col(k, P + "CaptionTextColorHot", c, &C::CaptionTextColorHot, &C::SetCaptionTextColorHot);
    Col(k, P + "CaptionBorderColorHot", c, &C::CaptionBorderColorHot, &C::SetCaptionBorderColorHot);
}

void GB35(TKeys& k, const String& P, TGlowButtonAppearance* g) {
    using G = TGlowButtonAppearance;
    Col(k, P + "BorderColor", g, &G::BorderColor, &G::SetBorderColor);
    Col(k, P + "BorderColorHot", g, &G::BorderColorHot, &G::SetBorderColorHot);
    Col(k, P + "BorderColorDown", g, &G::BorderColorDown, &G::SetBorderColorDown);
    Col(k, P + "BorderColorChecked", g, &G::BorderColorChecked, &G::SetBorderColorChecked);
    Col(k, P + "BorderColorDisabled", g, &G::BorderColorDisabled, &G::SetBorderColorDisabled);
    Col(k, P + "Color", g, &G::Color, &G::SetColor);
    Col(k, P + "ColorTo", g, &G::ColorTo, &G::SetColorTo);
    Col(k, P + "ColorChecked", g, &G::ColorChecked, &G::SetColorChecked);
    Col(k, P + "ColorCheckedTo", g, &G::ColorCheckedTo, &G::SetColorCheckedTo);
    Col(k, P + "ColorDisabled", g, &G::ColorDisabled, &G::SetColorDisabled);
    Col(k, P + "ColorDisabledTo", g, &G::ColorDisabledTo, &G::SetColorDisabledTo);
    Col(k, P + "ColorDown", g, &G::ColorDown, &G::SetColorDown);
    Col(k, P + "ColorDownTo", g, &G::ColorDownTo, &G::SetColorDownTo);
    Col(k, P + "ColorHot", g, &G::ColorHot, &G::SetColorHot);
    Col(k, P + "ColorHotTo", g, &G::ColorHotTo, &G::SetColorHotTo);
    Col(k, P + "ColorMirror", g, &G::ColorMirror, &G::SetColorMirror);
    Col(k, P + "ColorMirrorTo", g, &G::ColorMirrorTo, &G::SetColorMirrorTo);
    Col(k, P + "ColorMirrorHot", g, &G::ColorMirrorHot, &G::SetColorMirrorHot);
    Col(k, P + "ColorMirrorHotTo", g, &G::ColorMirrorHotTo, &G::SetColorMirrorHotTo);
    Col(k, P + "ColorMirrorDown", g, &G::ColorMirrorDown, &G::SetColorMirrorDown);
    Col(k, P + "ColorMirrorDownTo", g, &G::ColorMirrorDownTo, &G::SetColorMirrorDownTo);
    Col(k, P + "ColorMirrorChecked", g, &G::ColorMirrorChecked, &G::SetColorMirrorChecked);
    Col(k, P + "ColorMirrorCheckedTo", g, &G::ColorMirrorCheckedTo, &G::SetColorMirrorCheckedTo);
    Col(k, P + "ColorMirrorDisabled", g, &G::ColorMirrorDisabled, &G::SetColorMirrorDisabled);
    Col(k, P + "ColorMirrorDisabledTo", g, &G::ColorMirrorDisabledTo, &G::SetColorMirrorDisabledTo);
    Add(k, P + "Gradient", TKind::Gradient, g, &G::Gradient, &G::SetGradient);
    Add(k, P + "GradientMirror", TKind::Gradient, g, &G::GradientMirror, &G::SetGradientMirror);
    Add(k, P + "GradientHot", TKind::Gradient, g, &G::GradientHot, &G::SetGradientHot);
    Add(k, P + "GradientMirrorHot", TKind::Gradient, g, &G::GradientMirrorHot, &G::SetGradientMirrorHot);
    Add(k, P + "GradientDown", TKind::Gradient, g, &G::GradientDown, &G::SetGradientDown);
    Add(k, P + "GradientMirrorDown", TKind::Gradient, g, &G::GradientMirrorDown, &G::SetGradientMirrorDown);
    Add(k, P + "GradientChecked", TKind::Gradient, g, &G::GradientChecked, &G::SetGradientChecked);
    Add(k, P + "GradientMirrorChecked", TKind::Gradient, g, &G::GradientMirrorChecked,
        &G::SetGradientMirrorChecked);
    Add(k, P + "GradientDisabled", TKind::Gradient, g, &G::GradientDisabled, &G::SetGradientDisabled);
    Add(k, P + "GradientMirrorDisabled", TKind::Gradient, g, &G::GradientMirrorDisabled,
        &G::SetGradientMirrorDisabled);
}

void T38(TKeys& k, const String& P, TCustomTabAppearance* t) {
    using T = TCustomTabAppearance;
    Col(k, P + "BorderColor", t, &T::BorderColor, &T::SetBorderColor);
    Col(k, P + "BorderColorHot", t, &T::BorderColorHot, &T::SetBorderColorHot);
    Col(k, P + "BorderColorSelected", t, &T::BorderColorSelected, &T::SetBorderColorSelected);
    Col(k, P + "BorderColorSelectedHot", t, &T::BorderColorSelectedHot, &T::SetBorderColorSelectedHot);
    Col(k, P + "BorderColorDown", t, &T::BorderColorDown, &T::SetBorderColorDown);
    Col(k, P + "BorderColorDisabled", t, &T::BorderColorDisabled, &T::SetBorderColorDisabled);
    Col(k, P + "Color", t, &T::Color, &T::SetColor);
    Col(k, P + "ColorTo", t, &T::ColorTo, &T::SetColorTo);
    Col(k, P + "ColorSelected", t, &T::ColorSelected, &T::SetColorSelected);
    Col(k, P + "ColorSelectedTo", t, &T::ColorSelectedTo, &T::SetColorSelectedTo);
    Col(k, P + "ColorDisabled", t, &T::ColorDisabled, &T::SetColorDisabled);
    Col(k, P + "ColorDisabledTo", t, &T::ColorDisabledTo, &T::SetColorDisabledTo);
    Col(k, P + "ColorHot", t, &T::ColorHot, &T::SetColorHot);
    Col(k, P + "ColorHotTo", t, &T::ColorHotTo, &T::SetColorHotTo);
    Col(k, P + "ColorMirror", t, &T::ColorMirror, &T::SetColorMirror);
    Col(k, P + "ColorMirrorTo", t, &T::ColorMirrorTo, &T::SetColorMirrorTo);
    Col(k, P + "ColorMirrorHot", t, &T::ColorMirrorHot, &T::SetColorMirrorHot);
    Col(k, P + "ColorMirrorHotTo", t, &T::ColorMirrorHotTo, &T::SetColorMirrorHotTo);
    Col(k, P + "ColorMirrorSelected", t, &T::ColorMirrorSelected, &T::SetColorMirrorSelected);
    Col(k, P + "ColorMirrorSelectedTo", t, &T::ColorMirrorSelectedTo, &T::SetColorMirrorSelectedTo);
    Col(k, P + "ColorMirrorDisabled", t, &T::ColorMirrorDisabled, &T::SetColorMirrorDisabled);
    Col(k, P + "ColorMirrorDisabledTo", t, &T::ColorMirrorDisabledTo, &T::SetColorMirrorDisabledTo);
    F4(k, P + "Font.", t->Font());
    Add(k, P + "Gradient", TKind::Gradient, t, &T::Gradient, &T::SetGradient);
    Add(k, P + "GradientMirror", TKind::Gradient, t, &T::GradientMirror, &T::SetGradientMirror);
    Add(k, P + "GradientHot", TKind::Gradient, t, &T::GradientHot, &T::SetGradientHot);
    Add(k, P + "GradientMirrorHot", TKind::Gradient, t, &T::GradientMirrorHot, &T::SetGradientMirrorHot);
    Add(k, P + "GradientSelected", TKind::Gradient, t, &T::GradientSelected, &T::SetGradientSelected);
    Add(k, P + "GradientMirrorSelected", TKind::Gradient, t, &T::GradientMirrorSelected,
        &T::SetGradientMirrorSelected);
    Add(k, P + "GradientDisabled", TKind::Gradient, t, &T::GradientDisabled, &T::SetGradientDisabled);
    Add(k, P + "GradientMirrorDisabled", TKind::Gradient, t, &T::GradientMirrorDisabled,
        &T::SetGradientMirrorDisabled);
    Col(k, P + "TextColor", t, &T::TextColor, &T::SetTextColor);
    Col(k, P + "TextColorHot", t, &T::TextColorHot, &T::SetTextColorHot);
    Col(k, P + "TextColorSelected", t, &T::TextColorSelected, &T::SetTextColorSelected);
    Col(k, P + "TextColorDisabled", t, &T::TextColorDisabled, &T::SetTextColorDisabled);
}

} // namespace

namespace {

// The property lines of a styler, in file order.
TKeys StylerKeys(TCustomAdvToolBarStyler* s) {
    using S = TCustomAdvToolBarStyler;
    TKeys k;
    k.reserve(kStylerFilePropertyLines);
    Add(k, "AutoThemeAdapt", TKind::Bool, s, &S::AutoThemeAdapt, &S::SetAutoThemeAdapt);
    TButtonAppearance* b = s->ButtonAppearance();
    using B = TButtonAppearance;
    const String bp = "ButtonAppearance.";
    Col(k, bp + "Color", b, &B::Color, &B::SetColor);
    Col(k, bp + "ColorTo", b, &B::ColorTo, &B::SetColorTo);
    Col(k, bp + "ColorChecked", b, &B::ColorChecked, &B::SetColorChecked);
    Col(k, bp + "ColorCheckedTo", b, &B::ColorCheckedTo, &B::SetColorCheckedTo);
    Col(k, bp + "ColorDown", b, &B::ColorDown, &B::SetColorDown);
    Col(k, bp + "ColorDownTo", b, &B::ColorDownTo, &B::SetColorDownTo);
    Col(k, bp + "ColorHot", b, &B::ColorHot, &B::SetColorHot);
    Col(k, bp + "ColorHotTo", b, &B::ColorHotTo, &B::SetColorHotTo);
    Col(k, bp + "CaptionTextColor", b, &B::CaptionTextColor, &B::SetCaptionTextColor);
    Col(k, bp + "CaptionTextColorHot", b, &B::CaptionTextColorHot, &B::SetCaptionTextColorHot);
    Col(k, bp + "CaptionTextColorDown", b, &B::CaptionTextColorDown, &B::SetCaptionTextColorDown);
    Col(k, bp + "CaptionTextColorChecked", b, &B::CaptionTextColorChecked, &B::SetCaptionTextColorChecked);
    Add(k, bp + "GradientDirection", TKind::Direction, b, &B::GradientDirection, &B::SetGradientDirection);
    Add(k, bp + "GradientDirectionHot", TKind::Direction, b, &B::GradientDirectionHot,
        &B::SetGradientDirectionHot);
    Add(k, bp + "GradientDirectionDown", TKind::Direction, b, &B::GradientDirectionDown,
        &B::SetGradientDirectionDown);
    Add(k, bp + "GradientDirectionChecked", TKind::Direction, b, &B::GradientDirectionChecked,
        &B::SetGradientDirectionChecked);
    Col(k, bp + "BorderColor", b, &B::BorderColor, &B::SetBorderColor);
    Col(k, bp + "BorderDownColor", b, &B::BorderDownColor, &B::SetBorderDownColor);
    Col(k, bp + "BorderHotColor", b, &B::BorderHotColor, &B::SetBorderHotColor);
    Col(k, bp + "BorderCheckedColor", b, &B::BorderCheckedColor, &B::SetBorderCheckedColor);
    F4(k, bp + "CaptionFont.", b->CaptionFont());
    G4(k, "Color.", s->Color());
    G4(k, "DockColor.", s->DockColor());
    F4(k, "Font.", s->Font());
    Add(k, "DragGripStyle", TKind::Grip, s, &S::DragGripStyle, &S::SetDragGripStyle);
    Col(k, "RightHandleColor", s, &S::RightHandleColor, &S::SetRightHandleColor);
    Col(k, "RightHandleColorHot", s, &S::RightHandleColorHot, &S::SetRightHandleColorHot);
    Col(k, "RightHandleColorTo", s, &S::RightHandleColorTo, &S::SetRightHandleColorTo);
    Col(k, "RightHandleColorHotTo", s, &S::RightHandleColorHotTo, &S::SetRightHandleColorHotTo);
    Col(k, "RightHandleColorDown", s, &S::RightHandleColorDown, &S::SetRightHandleColorDown);
    Col(k, "RightHandleColorDownTo", s, &S::RightHandleColorDownTo, &S::SetRightHandleColorDownTo);
    Col(k, "FloatingWindowBorderColor", s, &S::FloatingWindowBorderColor, &S::SetFloatingWindowBorderColor);
    Add(k, "FloatingWindowBorderWidth", TKind::Int, s, &S::FloatingWindowBorderWidth,
        &S::SetFloatingWindowBorderWidth);
    CA8(k, "CaptionAppearance.", s->CaptionAppearance());
    Col(k, "BorderColor", s, &S::BorderColor, &S::SetBorderColor);
    Col(k, "BorderColorHot", s, &S::BorderColorHot, &S::SetBorderColorHot);
    G4(k, "ColorHot.", s->ColorHot());
    F4(k, "CaptionFont.", s->CaptionFont(), false);
    TContainerAppearance* ca = s->ContainerAppearance();
    Col(k, "ContainerAppearance.LineColor", ca, &TContainerAppearance::LineColor,
        &TContainerAppearance::SetLineColor);
    Add(k, "ContainerAppearance.Line3D", TKind::Bool, ca, &TContainerAppearance::Line3D,
        &TContainerAppearance::SetLine3D);
    GB35(k, "GlowButtonAppearance.", s->GlowButtonAppearance());
    V8(k, "PagerCaption.", s->PagerCaption());
    Col(k, "PagerCaption.TextColor", s->PagerCaption(), &TVistaTextBackground::TextColor,
        &TVistaTextBackground::SetTextColor);
    F4(k, "PagerCaption.Font.", s->PagerCaption()->Font());
    G4(k, "TabAppearance.BackGround.", s->TabAppearance()->BackGround());
    T38(k, "TabAppearance.", s->TabAppearance());
    V8(k, "PageAppearance.", s->PageAppearance());
    TGroupAppearance* g = s->GroupAppearance();
    using GA = TGroupAppearance;
    Col(k, "GroupAppearance.BorderColor", g, &GA::BorderColor, &GA::SetBorderColor);
    Col(k, "GroupAppearance.Color", g, &GA::Color, &GA::SetColor);
    Col(k, "GroupAppearance.ColorTo", g, &GA::ColorTo, &GA::SetColorTo);
    Col(k, "GroupAppearance.ColorMirror", g, &GA::ColorMirror, &GA::SetColorMirror);
    Col(k, "GroupAppearance.ColorMirrorTo", g, &GA::ColorMirrorTo, &GA::SetColorMirrorTo);
    F4(k, "GroupAppearance.Font.", g->Font());
    Add(k, "GroupAppearance.Gradient", TKind::Gradient, g, &GA::Gradient, &GA::SetGradient);
    Add(k, "GroupAppearance.GradientMirror", TKind::Gradient, g, &GA::GradientMirror, &GA::SetGradientMirror);
    Col(k, "GroupAppearance.TextColor", g, &GA::TextColor, &GA::SetTextColor);
    CA8(k, "GroupAppearance.CaptionAppearance.", g->CaptionAppearance());
    V8(k, "GroupAppearance.PageAppearance.", g->PageAppearance());
    T38(k, "GroupAppearance.TabAppearance.", g->TabAppearance());
    TToolBarAppearance* ta = g->ToolBarAppearance();
    Col(k, "GroupAppearance.ToolBarAppearance.BorderColor", ta, &TToolBarAppearance::BorderColor,
        &TToolBarAppearance::SetBorderColor);
    Col(k, "GroupAppearance.ToolBarAppearance.BorderColorHot", ta, &TToolBarAppearance::BorderColorHot,
        &TToolBarAppearance::SetBorderColorHot);
    G4(k, "GroupAppearance.ToolBarAppearance.Color.", ta->Color());
    G4(k, "GroupAppearance.ToolBarAppearance.ColorHot.", ta->ColorHot());
    GB35(k, "CompactGlowButtonAppearance.", s->CompactGlowButtonAppearance());
    return k;
}

const char* const kGradientNames[] = {"ggRadial", "ggVertical", "ggDiagonalForward", "ggDiagonalBackward"};
const char* const kGripNames[] = {"dsDots", "dsSingleLine", "dsDoubleLine", "dsFlatDots", "dsNone"};
const char* const kStyleNames[] = {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"};

String ColorText(long long v) {
    String ident;
    if (vcl::ColorToIdent(static_cast<std::int32_t>(v), ident)) return ident;
    char buf[16];
    std::snprintf(buf, sizeof buf, "$%.8X", static_cast<unsigned>(v));
    return buf;
}

// A decimal integer; a number past the 64-bit range reads as the nearest 64-bit value (it lies beyond every
// limit all the same).
bool ParseInteger(const String& s, long long& v) {
    const char* b = s.data();
    const char* e = b + s.size();
    if (b == e) return false;
    auto [end, ec] = std::from_chars(b, e, v);
    if (end != e) return false;
    if (ec == std::errc::result_out_of_range)
        v = *b == '-' ? LLONG_MIN : LLONG_MAX;
    else if (ec != std::errc())
        return false;
    return true;
}

// A colour number: decimal within the int range, or one to eight hexadecimal digits after a dollar sign,
// the eighth digit carrying the sign bit. Any 32-bit value is a colour: the writer writes what a styler
// holds, palette-relative and palette-index values included, and the colour conversion takes them all.
bool ParseColorNumber(const String& s, std::int32_t& c) {
    if (s.empty() || s[0] != '$') {
        long long v = 0;
        if (!ParseInteger(s, v) || v < INT32_MIN || v > INT32_MAX) return false;
        c = static_cast<std::int32_t>(v);
        return true;
    }
    const char* b = s.data() + 1;
    const char* e = s.data() + s.size();
    if (e - b < 1 || e - b > 8) return false;
    std::uint32_t u = 0;
    auto [end, ec] = std::from_chars(b, e, u, 16);
    if (end != e || ec != std::errc()) return false;
    c = static_cast<std::int32_t>(u);
    return true;
}

// The height a font's Size gives at the font's pixels per inch, rounded as the font rounds it (halves away
// from zero); false when that height does not fit an int. The font's own Size setter would overflow there,
// so the reader sets the height itself: every Size the writer writes (the size of any int height, a
// positive cell height giving a size of 0 or below) reads back.
bool HeightOfSize(long long Size, int PixelsPerInch, int& Height) {
    if (Size < INT_MIN || Size > INT_MAX) return false;
    const long long n = Size * PixelsPerInch;
    const long long q = ((n < 0 ? -n : n) + 36) / 72;
    const long long h = n < 0 ? q : -q;
    if (h < INT_MIN || h > INT_MAX) return false;
    Height = static_cast<int>(h);
    return true;
}

// The value of Key among the comma-text items of Line; false when no item has that name.
bool ValueOf(const String& Line, const String& Key, String& Value) {
    for (const String& item : ParseCommaText(Line)) {
        const auto eq = item.find('=');
        if (eq == String::npos) continue;
        if (vcl::SameText(item.substr(0, eq), Key)) {
            Value = item.substr(eq + 1);
            return true;
        }
    }
    return false;
}

// A line file holds no line break: a name that holds one is written with a space in its place (CR LF as
// one), so that the file keeps its lines and reads back.
String OneLine(const String& Text) {
    String out;
    out.reserve(Text.size());
    for (std::size_t i = 0; i < Text.size(); ++i) {
        if (Text[i] == '\r' && i + 1 < Text.size() && Text[i + 1] == '\n') continue;
        out += Text[i] == '\r' || Text[i] == '\n' ? ' ' : Text[i];
    }
    return out;
}

String Encode(const TKey& k) {
    switch (k.Kind) {
    case TKind::Color:
        return k.Name + "=" + ColorText(k.Get());
    case TKind::Int:
    case TKind::FontSize:
        return k.Name + "=" + std::to_string(k.Get());
    case TKind::Bool:
        return CommaTextItem(k.Name + "=" + (k.Get() ? "True" : "False"));
    case TKind::Direction:
        return k.Name + "=" + (k.Get() == gdHorizontal ? "gdHorizontal" : "gdVertical");
    case TKind::Gradient:
        return k.Name + "=" + kGradientNames[k.Get()];
    case TKind::Grip:
        return k.Name + "=" + kGripNames[k.Get()];
    case TKind::FontStyle: {
        String v;
        for (int i = 0; i < 4; ++i)
            if (k.Font->Style().Contains(static_cast<vcl::TFontStyle>(i)))
                v += (v.empty() ? "" : ",") + String(kStyleNames[i]);
        return k.Name + "=" + v;
    }
    case TKind::FontName:
        return CommaTextItem(k.Name + "=" + OneLine(k.Font->Name()));
    }
    return k.Name + "=";
}

// Reads one line into its property; returns the reason when it cannot, and then nothing is stored.
// A line without its key gives an empty value: an error for a colour or a number, False, gdVertical,
// no change for a gradient kind or a grip style, and an empty font name (which a font ignores).
// The file is 8-bit text: a line that is not UTF-8 is Windows-1252 (a file of the platform's own
// code page), and reads as such.
String Decode(const TKey& k, const String& RawLine) {
    const String line = vcl::IsValidUtf8(RawLine) ? RawLine : vcl::Cp1252ToUtf8(RawLine);
    if (k.Kind == TKind::FontStyle) {
        const auto eq = line.find('=');
        vcl::TFontStyles st;
        const auto items = ParseCommaText(eq == String::npos ? String() : line.substr(eq + 1));
        for (int i = 0; i < 4; ++i)
            for (const String& it : items)
                if (vcl::SameText(it, kStyleNames[i])) st.Include(static_cast<vcl::TFontStyle>(i));
        k.Font->SetStyle(st);
        return {};
    }
    String v;
    const bool found = ValueOf(line, k.Name, v);
    long long n = 0;
    switch (k.Kind) {
    case TKind::Color: {
        if (!found) return "expected " + k.Name;
        std::int32_t c = 0;
        if (!vcl::IdentToColor(v, c) && !ParseColorNumber(v, c)) return "not a colour: " + v;
        k.Set(c);
        return {};
    }
    case TKind::Int:
        if (!found) return "expected " + k.Name;
        if (!ParseInteger(v, n)) return "not a number: " + v;
        k.Set(n);
        return {};
    case TKind::FontSize: {
        if (!found) return "expected " + k.Name;
        int height = 0;
        if (!ParseInteger(v, n) || !HeightOfSize(n, k.Font->PixelsPerInch(), height))
            return "not a font size: " + v;
        k.Font->SetHeight(height);
        return {};
    }
    case TKind::Bool:
        k.Set(vcl::UpperCase(v) == "TRUE");
        return {};
    case TKind::Direction:
        k.Set(vcl::SameText(v, "gdHorizontal") ? gdHorizontal : gdVertical);
        return {};
    case TKind::Gradient:
    case TKind::Grip: {
        const char* const* names = k.Kind == TKind::Gradient ? kGradientNames : kGripNames;
        const int count = k.Kind == TKind::Gradient ? 4 : 5;
        for (int i = 0; i < count; ++i)
            if (vcl::SameText(v, names[i])) {
                k.Set(i);
                break;
            }
        return {};
    }
    case TKind::FontName:
        k.Font->SetName(v);
        return {};
    case TKind::FontStyle:
        break;
    }
    return {};
}

} // namespace

void TCustomAdvToolBarStyler::SavePropToFile(std::vector<String>& Lines) {
    for (const TKey& k : StylerKeys(this))
        Lines.push_back(Encode(k));
}

void TCustomAdvToolBarStyler::LoadPropFromFile(const std::vector<String>& Lines, std::size_t First) {
    // Each value is stored as it is read; the first line that cannot be read ends the reading, so the
    // values before it stay applied and none after it is. A file that ends early ends at its end.
    const TKeys keys = StylerKeys(this);
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const std::size_t at = First + i;
        const int line = static_cast<int>(i) + 1;
        if (at >= Lines.size()) throw EStylerFileError(line, "the file ends before " + keys[i].Name);
        if (String why = Decode(keys[i], Lines[at]); !why.empty()) throw EStylerFileError(line, why);
    }
}

} // namespace AdvToolBar
