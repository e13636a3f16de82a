#include "components/statusbar/HTMLRender.h"

#include <algorithm>
#include <cmath>

#include "components/statusbar/HTMLRenderer.h"
#include "platform/rtl/SysUtils.h"

namespace HTMLRender {

using namespace vcl;
using detail::TLine;
using detail::TPass;

namespace {

char Up(char Ch) {
    return Ch >= 'a' && Ch <= 'z' ? static_cast<char>(Ch - 'a' + 'A') : Ch;
}

bool StartsWithNoCase(std::string_view S, size_t At, std::string_view Prefix) {
    if (S.size() - At < Prefix.size() || At > S.size()) return false;
    for (size_t i = 0; i < Prefix.size(); ++i)
        if (Up(S[At + i]) != Up(Prefix[i])) return false;
    return true;
}

// Keeps valid UTF-8 and turns each byte of a broken sequence, and each control character but tab, CR and
// LF, into '?': the text functions below see well-formed text only.
String Sanitize(const String& S) {
    // Plain printable ASCII, the usual case, is kept as it is.
    if (std::all_of(S.begin(), S.end(), [](char Ch) { return Ch >= 0x20 && Ch < 0x7F; })) return S;
    String out;
    out.reserve(S.size());
    size_t i = 0;
    while (i < S.size()) {
        auto b = static_cast<unsigned char>(S[i]);
        if (b < 0x80) {
            bool control = (b < 0x20 && b != '\t' && b != '\r' && b != '\n') || b == 0x7F;
            out += control ? '?' : static_cast<char>(b);
            ++i;
            continue;
        }
        size_t len = b >= 0xF0 && b <= 0xF4 ? 4 : b >= 0xE0 ? 3 : b >= 0xC2 && b < 0xE0 ? 2 : 0;
        bool ok = len > 0 && i + len <= S.size();
        for (size_t k = 1; ok && k < len; ++k)
            ok = (static_cast<unsigned char>(S[i + k]) & 0xC0) == 0x80;
        if (ok && len == 3) {
            auto b1 = static_cast<unsigned char>(S[i + 1]);
            ok = !(b == 0xE0 && b1 < 0xA0) && !(b == 0xED && b1 >= 0xA0); // overlong, surrogates
        }
        if (ok && len == 4) {
            auto b1 = static_cast<unsigned char>(S[i + 1]);
            ok = !(b == 0xF0 && b1 < 0x90) && !(b == 0xF4 && b1 >= 0x90);
        }
        if (ok) {
            out.append(S, i, len);
            i += len;
        } else {
            out += '?';
            ++i;
        }
    }
    return out;
}

// The named entities of the whole text, in one left-to-right pass: what one entity yields is not read
// again, so "&amp;lt;" shows "&lt;" and not "&<".
String DecodeEntities(const String& S) {
    struct TEntity {
        std::string_view Name;
        std::string_view Text;
    };
    static const TEntity entities[] = {
        {"&amp;", "&&"},        {"&quot;", "\""},      {"&sect;", "\u00A7"},
        {"&permil;", "\u2030"}, {"&reg;", "\u00AE"},   {"&copy;", "\u00A9"},
        {"&para;", "\u00B6"},   {"&trade;", "\u2122"}, {"&euro;", "\u20AC"},
    };
    String out;
    out.reserve(S.size());
    for (size_t i = 0; i < S.size();) {
        if (S[i] == '&') {
            bool found = false;
            for (const TEntity& e : entities) {
                if (StartsWithNoCase(S, i, e.Name)) {
                    out += e.Text;
                    i += e.Name.size();
                    found = true;
                    break;
                }
            }
            if (found) continue;
        }
        out += S[i++];
    }
    return out;
}

// The entities of a word: "&nbsp;", "&lt;" and "&gt;" (lower case).
String DecodeWord(std::string_view W) {
    String out;
    out.reserve(W.size());
    for (size_t i = 0; i < W.size();) {
        if (W[i] == '&') {
            if (W.substr(i, 6) == "&nbsp;") {
                out += ' ';
                i += 6;
                continue;
            }
            if (W.substr(i, 4) == "&lt;") {
                out += '<';
                i += 4;
                continue;
            }
            if (W.substr(i, 4) == "&gt;") {
                out += '>';
                i += 4;
                continue;
            }
        }
        out += W[i++];
    }
    return out;
}

} // namespace

// ---- Helpers

int PosIgnoreCase(const String& Sub, const String& S) {
    if (Sub.empty() || Sub.size() > S.size()) return 0;
    for (size_t i = 0; i + Sub.size() <= S.size(); ++i)
        if (StartsWithNoCase(S, i, Sub)) return static_cast<int>(i) + 1;
    return 0;
}

String StripMarkers(const String& S) {
    size_t open = S.find("<#");
    if (open == String::npos) return S;
    size_t close = S.find('>', open);
    String out =
        S.substr(0, open) + S.substr(open + 1, close == String::npos ? String::npos : close - open - 1);
    if (close != String::npos) out += S.substr(close + 1);
    return out;
}

String LineBreaksToBR(const String& S, bool Convert) {
    if (!Convert || (S.find('\r') == String::npos && S.find('\n') == String::npos)) return S;
    String out;
    out.reserve(S.size());
    for (char ch : S) {
        if (ch == '\r')
            out += "<BR>";
        else if (ch != '\n')
            out += ch;
    }
    return out;
}

TColor ColorFromHex(const String& Value) {
    auto pair = [&](size_t At) {
        if (At + 2 > Value.size()) return 0;
        int v = 0;
        for (size_t i = At; i < At + 2; ++i) {
            char ch = Up(Value[i]);
            int d = ch >= '0' && ch <= '9' ? ch - '0' : ch >= 'A' && ch <= 'F' ? ch - 'A' + 10 : 0;
            v = v * 16 + d;
        }
        return v;
    };
    return pair(1) + pair(3) * 256 + pair(5) * 65536;
}

TColor ColorFromName(const String& Name) {
    struct TNamed {
        std::string_view Name;
        TColor Color;
    };
    static const TNamed plain[] = {
        {"clred", 0x0000FF},  {"clblack", 0x000000},  {"clblue", 0xFF0000},    {"clgreen", 0x008000},
        {"claqua", 0xFFFF00}, {"clyellow", 0x00FFFF}, {"clfuchsia", 0xFF00FF}, {"clwhite", 0xFFFFFF},
        {"cllime", 0x00FF00}, {"clsilver", 0xC0C0C0}, {"clgray", 0x808080},    {"clolive", 0x008080},
        {"clnavy", 0x800000}, {"clpurple", 0x800080}, {"clteal", 0x808000},    {"clmaroon", 0x000080},
    };
    // System colours, numbered from 1 in this order.
    static const std::string_view system[] = {
        "clbackground",
        "clactivecaption",
        "clinactivecaption",
        "clmenu",
        "clwindow",
        "clwindowframe",
        "clmenutext",
        "clwindowtext",
        "clcaptiontext",
        "clactiveborder",
        "clinactiveborder",
        "clappworkspace",
        "clhighlight",
        "clhighlighttext",
        "clbtnface",
        "clbtnshadow",
        "clgraytext",
        "clbtntext",
        "clinactivecaptiontext",
        "clbtnhighlight",
        "cl3ddkshadow",
        "cl3dlight",
        "clinfotext",
        "clinfobk",
    };
    String name = LowerCase(Name);
    for (const TNamed& n : plain)
        if (n.Name == name) return n.Color;
    for (size_t i = 0; i < std::size(system); ++i)
        if (system[i] == name) return static_cast<TColor>(0xFF000000u + static_cast<unsigned>(i) + 1);
    return 0;
}

int AttrToInt(const String& Value) {
    size_t i = 0;
    while (i < Value.size() && Value[i] == ' ')
        ++i;
    bool negative = false;
    if (i < Value.size() && (Value[i] == '-' || Value[i] == '+')) negative = Value[i++] == '-';
    long long v = 0;
    bool any = false;
    for (; i < Value.size() && Value[i] >= '0' && Value[i] <= '9'; ++i) {
        any = true;
        if (v < 100000000) v = v * 10 + (Value[i] - '0'); // huge numbers stop growing
    }
    if (!any) return 0;
    return static_cast<int>(negative ? -v : v);
}

void DrawHTMLGradient(TCanvas* Canvas, TColor From, TColor To, bool LeftToRight, const TRect& R, int Steps,
                      TColor Frame) {
    if (Steps <= 0) Steps = 1;
    int extent = LeftToRight ? R.Right - R.Left : R.Bottom - R.Top;
    if (extent <= 0 || R.Right <= R.Left || R.Bottom <= R.Top) return;
    std::int32_t f = ColorToRGB(From), t = ColorToRGB(To);
    double inc[3];
    for (int ch = 0; ch < 3; ++ch)
        inc[ch] = (((t >> (8 * ch)) & 0xFF) - ((f >> (8 * ch)) & 0xFF)) / static_cast<double>(Steps);
    double stripe = extent / static_cast<double>(Steps);
    Canvas->Brush()->SetStyle(bsSolid);
    for (int i = 0; i < Steps; ++i) {
        // More steps than pixels: a stripe starting where the next one starts lies wholly under it.
        if (i + 1 < Steps && Round((i + 1) * stripe) == Round(i * stripe)) continue;
        TColor c = 0;
        for (int ch = 0; ch < 3; ++ch) {
            int v = ((f >> (8 * ch)) & 0xFF) + Round(i * inc[ch]);
            c |= std::clamp(v, 0, 255) << (8 * ch);
        }
        Canvas->Brush()->SetColor(c);
        Canvas->Pen()->SetColor(c);
        int start = Round(i * stripe);
        int stop = start + Round(stripe) + 1;
        if (LeftToRight)
            Canvas->FillRect(TRect{R.Left + start, R.Top, std::min(R.Left + stop, R.Right), R.Bottom});
        else
            Canvas->FillRect(TRect{R.Left, R.Top + start, R.Right, std::min(R.Top + stop, R.Bottom)});
    }
    if (Frame != clNone) {
        Canvas->Brush()->SetColor(Frame);
        Canvas->FrameRect(R);
        Canvas->Brush()->SetStyle(bsClear);
    }
}

bool RenderHTML(TCanvas* Canvas, const String& Text, const TRect& Bounds, const THTMLRenderArgs& Args,
                THTMLRenderResult& Result) {
    Result = THTMLRenderResult{};
    if (Canvas == nullptr) return false;
    detail::TRenderer renderer(Canvas, Bounds, Args, Result);
    renderer.Run(Text);
    return Result.Hit;
}

// ---- The renderer

namespace detail {

TRenderer::TRenderer(TCanvas* Canvas, const TRect& Bounds, const THTMLRenderArgs& Args,
                     THTMLRenderResult& Result)
    : C(Canvas), FBounds(Bounds), FArgs(Args), FResult(Result),
      FHitInBounds(Args.HitX >= Bounds.Left && Args.HitX < Bounds.Right && Args.HitY >= Bounds.Top &&
                   Args.HitY < Bounds.Bottom) {
    FBaseFont = std::make_unique<TFont>();
    FBaseFont->Assign(C->Font());
    FMeasureFont = std::make_unique<TFont>();
    FMeasureFont->Assign(C->Font());
    FDrawFont = std::make_unique<TFont>();
    FDrawFont->Assign(C->Font());
    FEntryBrushStyle = C->Brush()->Style();
    FEntryBrushColor = C->Brush()->Color();
}

TRenderer::~TRenderer() {
    C->Brush()->SetColor(FEntryBrushColor);
    C->Brush()->SetStyle(FEntryBrushStyle);
    C->Font()->Assign(FBaseFont.get());
}

TColor TRenderer::BrushColor() const {
    return C->Brush()->Style() == bsClear ? clNone : C->Brush()->Color();
}

void TRenderer::SetBrushColor(TColor Color) {
    if (Color == clNone) {
        C->Brush()->SetStyle(bsClear);
    } else {
        C->Brush()->SetColor(Color);
        C->Brush()->SetStyle(bsSolid);
    }
}

// The metrics of the canvas font: measured once per font and call (every line starts by loading a font,
// mostly one met before).
TRenderer::TFontMetrics& TRenderer::Metrics() {
    if (FMetrics == nullptr) {
        const TFont* f = C->Font();
        FMetrics =
            &FFontMetrics[{f->Name(), f->Height(), static_cast<int>(f->Style().Bits()), f->Orientation()}];
    }
    return *FMetrics;
}

int TRenderer::GhHeight() {
    if (FGhHeight < 0) {
        FMetrics = nullptr;
        TFontMetrics& m = Metrics();
        if (m.Gh < 0) m.Gh = C->TextHeight("gh");
        FGhHeight = m.Gh;
    }
    return FGhHeight;
}

int TRenderer::BlankWidth() {
    GhHeight(); // a font change since the last measure is noticed there
    TFontMetrics& m = Metrics();
    if (m.Blank < 0) m.Blank = WordWidth(" ");
    return m.Blank;
}

int TRenderer::WordWidth(std::string_view Word) {
    win::RECT r{0, 0, 0, 0};
    win::DrawText(C->Handle(), Word.data(), static_cast<int>(Word.size()), &r,
                  FFlags | win::DT_CALCRECT | win::DT_EXTERNALLEADING);
    return r.Right - r.Left;
}

void TRenderer::DrawWord(std::string_view Word, TLine& L, int Width) {
    TRect r{L.X, L.Rect.Top, L.Rect.Right, L.Rect.Bottom};
    if (FSup) r.Bottom -= L.SupRaise;
    if (FSub) r.Bottom += L.SubDrop;
    r.Bottom -= L.BaselineOffset;
    r.Right = std::max(r.Right, r.Left + Width); // the word's own room, even past the line's end
    if (!FBlinkHidden) {
        win::HDC dc = C->Handle();
        if (FShadow) {
            TColor keep = C->Font()->Color();
            C->Font()->SetColor(FArgs.ShadowColor);
            TRect s{r.Left + FArgs.ShadowOffset, r.Top + FArgs.ShadowOffset, r.Right + FArgs.ShadowOffset,
                    r.Bottom + FArgs.ShadowOffset};
            win::DrawText(C->Handle(), Word.data(), static_cast<int>(Word.size()), &s, FFlags);
            C->Font()->SetColor(keep);
            dc = C->Handle();
        }
        win::DrawText(dc, Word.data(), static_cast<int>(Word.size()), &r, FFlags);
    }
    if (FError) {
        // A red zig-zag under the word: below the line at x divisible by 4, above at the other even x.
        C->Pen()->SetColor(0x0000FF);
        C->Pen()->SetWidth(1);
        int x = L.X & ~1;
        int right = L.X + Width;
        C->MoveTo(x, r.Bottom + (x % 4 == 0 ? 1 : -1));
        for (x += 2; x <= right; x += 2)
            C->LineTo(x, r.Bottom + (x % 4 == 0 ? 1 : -1));
    }
}

void TRenderer::RenderLine(TPass Pass, TLine& L, size_t& Pos, size_t End, TScan& Scan) {
    const std::string_view text(FText);
    L.Width = 0;
    L.Full = L.Stop = L.Item = false;
    L.HitAnchor = L.HitImage = false;
    L.AnyWord = L.LastEndsBlank = false;
    L.TrailingBlank = 0;
    L.BaselineOffset = 0;
    L.X = L.Rect.Left + (Pass == TPass::Second ? FLineOffset : 0);
    const int lineWidth = L.Rect.Right - L.Rect.Left;
    if (Drawing(Pass) && FParaBackground) {
        TColor brush = BrushColor();
        if (brush != clNone) {
            C->Pen()->SetColor(brush);
            C->FillRect(TRect{FBounds.Left, L.Rect.Top, FBounds.Right, L.Rect.Top + L.Height});
        }
    }
    while (Pos < End && !L.Full && !L.Stop) {
        size_t lt = Scan.Next(text, '<', Scan.Lt, Pos, End);
        size_t blank = FArgs.WrapWords ? Scan.Next(text, ' ', Scan.Blank, Pos, End) : End;
        size_t wordEnd;
        if (lt < End && (blank == End || lt < blank))
            wordEnd = lt;
        else if (blank < End)
            wordEnd = blank + 1;
        else
            wordEnd = End;
        std::string_view source = text.substr(Pos, wordEnd - Pos);
        if (!source.empty()) {
            String word = DecodeWord(source);
            int h = GhHeight();
            if (FSub) L.SubDrop = std::max(L.SubDrop, h / 4);
            if (FSup) L.SupRaise = std::max(L.SupRaise, h / 4);
            L.Height = std::max(L.Height, h);
            if (FHidden) {
                Pos = wordEnd;
            } else {
                // The second pass meets the same words in the same fonts as the measuring pass: their
                // widths are measured once.
                int width = -1;
                if (Pass == TPass::Measure) {
                    width = WordWidth(word);
                    FWidths.push_back({Pos, width});
                } else if (FWidthAt < FWidths.size() && FWidths[FWidthAt].first == Pos) {
                    width = FWidths[FWidthAt++].second;
                }
                if (width < 0) width = WordWidth(word);
                int before = L.Width;
                if (Drawing(Pass)) DrawWord(word, L, width);
                L.Width += width;
                if (Pass == TPass::Second && FInAnchor) {
                    int bottom = L.Rect.Bottom - L.BaselineOffset;
                    FResult.Anchors.push_back({FHref, TRect{L.X, bottom - h, L.X + width, bottom}});
                }
                if (HitTesting(Pass)) {
                    int px = FArgs.HitX - L.Rect.Left;
                    if (px >= before && px <= L.Width && FInAnchor) {
                        L.HitAnchor = true;
                        if (FArgs.HitY > L.Rect.Top) FResult.HitHref = FHref;
                    }
                }
                int room = lineWidth - FLineOffset;
                // A word wider than any line takes a line of its own: it is placed anyway on an empty
                // line, and goes to the next one after other words.
                bool fits = room > L.Width || (room <= width && before == 0);
                if (!fits && L.AnyWord && !L.LastEndsBlank) fits = true; // no break point before it
                if (FArgs.WrapWords && !fits) {
                    L.Full = true;
                    L.Width -= width;
                } else {
                    L.X += width;
                    Pos = wordEnd;
                    L.AnyWord = true;
                    L.LastEndsBlank = word.back() == ' ';
                    L.TrailingBlank = L.LastEndsBlank ? BlankWidth() : 0;
                }
            }
        }
        if (Pos < End && text[Pos] == '<' && !L.Full) {
            if (End - Pos < 3) {
                Pos = End;
                break;
            }
            size_t gt = text.find('>', Pos);
            std::string_view tag = text.substr(Pos, (gt == String::npos ? End : std::min(gt + 1, End)) - Pos);
            HandleTag(tag, Pass, L);
            if (!L.Stop) Pos = gt == String::npos || gt >= End ? End : gt + 1;
        }
    }
    L.Width -= L.TrailingBlank;
    if (L.Width > FResult.MaxLineWidth) FResult.MaxLineWidth = L.Width + 2;
    if (Drawing(Pass) && FInAnchor && FArgs.FocusIndex >= 0 && FAnchorCount - 1 == FArgs.FocusIndex &&
        FFocusStart.X >= 0) {
        C->DrawFocusRect(TRect{FFocusStart.X - 1, FFocusStart.Y, L.X + 1, L.Rect.Bottom});
        FFocusStart = TPoint{L.Rect.Left + 1, L.Rect.Bottom};
    }
}

void TRenderer::Run(const String& Text) {
    FFontSavedBrush = FParaSavedBrush = clNone;
    SetBrushColor(clNone);
    TRect working = FBounds;
    working.Left += 1;
    FFlags = win::DT_SINGLELINE | win::DT_BOTTOM | win::DT_EXPANDTABS;
    // A lone ampersand between blanks is meant as itself: prefix processing is off for the whole text.
    if (Text.find(" & ") != String::npos) FFlags |= win::DT_NOPREFIX;
    if (!FArgs.WrapWords) FFlags |= win::DT_END_ELLIPSIS;
    FText = Sanitize(Text);
    if (FText.find('&') != String::npos) FText = DecodeEntities(FText);
    FText = LineBreaksToBR(StripMarkers(FText), true);

    size_t pos = 0;
    TScan scan; // the measuring passes only move forward: one scan serves them all
    while (pos < FText.size()) {
        C->Font()->Assign(FMeasureFont.get());
        FGhHeight = -1;
        FSub = FSup = false;
        const bool inAnchor = FInAnchor;
        const String href = FHref;
        const int anchorCount = FAnchorCount, listLevel = FListLevel, imageCounter = FImageCounter;
        const bool blinkHidden = FBlinkHidden;
        const int gh = GhHeight();
        TLine measure;
        measure.Rect = working;
        measure.Height = gh;
        const size_t lineStart = pos;
        FWidths.clear();
        FWidthAt = 0;
        RenderLine(TPass::Measure, measure, pos, FText.size(), scan);
        if (pos == lineStart) {
            // Nothing fitted and nothing ended the line: take one character so that the text always
            // moves on.
            ++pos;
            while (pos < FText.size() && (static_cast<unsigned char>(FText[pos]) & 0xC0) == 0x80)
                ++pos;
        }
        const size_t lineEnd = pos;
        FInAnchor = inAnchor;
        FHref = href;
        FMeasureFont->Assign(C->Font());

        measure.Height += FArgs.ExtraLineSpacing;
        TRect r = working;
        if (FAlignment == 1) {
            if (r.Right - measure.Width > r.Left) r.Left = r.Right - measure.Width;
        } else if (FAlignment == 2) {
            int d = (r.Right - r.Left - measure.Width) / 2;
            if (d > 0) r.Left += d;
        }
        r.Left += FIndent;
        const int advance = measure.Height + measure.SupRaise + measure.SubDrop;
        r.Bottom = r.Top + advance;

        if (!FArgs.HeightOnly) {
            C->Font()->Assign(FDrawFont.get());
            FGhHeight = -1;
            FSub = FSup = false;
            FAnchorCount = anchorCount;
            FListLevel = listLevel;
            FImageCounter = imageCounter;
            FBlinkHidden = blinkHidden;
            TLine second;
            second.Rect = r;
            second.Rect.Bottom -= measure.SubDrop;
            second.Height = measure.Height;
            second.SupRaise = measure.SupRaise;
            second.SubDrop = measure.SubDrop;
            size_t p = lineStart;
            TScan lineScan;
            RenderLine(TPass::Second, second, p, lineEnd, lineScan);
            int bottom = second.Rect.Bottom - second.BaselineOffset;
            if ((second.HitAnchor && FArgs.HitY > bottom - GhHeight() && FArgs.HitY < bottom) ||
                second.HitImage)
                FResult.Hit = true;
            FDrawFont->Assign(C->Font());
        }
        FLineOffset = FOffset;
        working.Top += advance;
        FResult.TotalHeight += advance;
        if (!FArgs.HeightOnly && working.Top + gh > working.Bottom) break;
    }
    while (!FTurned.empty())
        RestoreFont();
    FResult.AnchorCount = FAnchorCount;
    if (FResult.TotalHeight == 0) {
        C->Font()->Assign(FBaseFont.get());
        FResult.TotalHeight = C->TextHeight("gh");
    }
}

} // namespace detail
} // namespace HTMLRender
