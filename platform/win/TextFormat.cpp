// DrawText: formatted text with alignment, word breaks, ellipses, tabs and "&" prefixes.

#include "platform/win/FontText.h"
#include "platform/win/TextDraw.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <string>

namespace win {

namespace {

using detail::RunWidth;

// A line as shown: its text and the byte ranges of the characters to underline.
struct Line {
    std::string Text;
    std::vector<std::pair<int, int>> Underlines;
};

std::size_t NextChar(const std::string& s, std::size_t i) {
    const char* p = s.c_str() + i;
    const char* n = g_utf8_find_next_char(p, s.c_str() + s.size());
    return n == nullptr ? s.size() : static_cast<std::size_t>(n - s.c_str());
}

// Strips the "&" prefixes: "&&" is a literal "&", "&x" marks x; a trailing lone "&" is dropped.
Line StripPrefixes(const std::string& text, bool process) {
    Line out;
    if (!process) {
        out.Text = text;
        return out;
    }
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] != '&') {
            const std::size_t n = NextChar(text, i);
            out.Text.append(text, i, n - i);
            i = n;
            continue;
        }
        if (i + 1 >= text.size()) break;
        if (text[i + 1] == '&') {
            out.Text.push_back('&');
            i += 2;
            continue;
        }
        const std::size_t n = NextChar(text, i + 1);
        const int from = static_cast<int>(out.Text.size());
        out.Text.append(text, i + 1, n - i - 1);
        out.Underlines.push_back({from, static_cast<int>(out.Text.size())});
        i = n;
    }
    return out;
}

class Formatter {
public:
    Formatter(DeviceContext* dc, UINT format, int tabWidth) : dc_(dc), format_(format), tab_(tabWidth) {
        font_ = detail::CurrentFont(dc);
    }

    int Width(const std::string& s) const {
        if (!(format_ & DT_EXPANDTABS) || s.find('\t') == std::string::npos) return RunWidth(dc_, font_, s);
        long long x = 0;
        std::size_t start = 0;
        for (;;) {
            const std::size_t tab = s.find('\t', start);
            x += RunWidth(dc_, font_,
                          std::string_view(s).substr(start, tab == std::string::npos ? s.npos : tab - start));
            if (tab == std::string::npos) return vcl::ClampToInt(x);
            x = std::min<long long>((x / tab_ + 1) * tab_, INT_MAX);
            start = tab + 1;
        }
    }

    // Greedy word wrapping of one paragraph to width w. Each line is found from the longest head of the
    // rest that fits, searched from a guess of a line's length (the width in average characters), doubling
    // and then halving: no head measured is much longer than a line, so that a paragraph takes time in
    // proportion to its length, one word of a hundred thousand characters that an edit control breaks too.
    void Wrap(const Line& para, int w, std::vector<Line>& out) const {
        const std::string& s = para.Text;
        const std::size_t size = s.size();
        const int average = std::max(1, font_->Metrics().tmAveCharWidth);
        const std::size_t guess = static_cast<std::size_t>(std::max(1, w / average));
        std::size_t pos = 0;           // where the rest begins
        std::size_t underline = 0;     // the first underline not given to a line yet
        std::vector<std::size_t> ends; // the byte ends of the rest's first characters, found as needed
        // The line [pos, end); the rest resumes at resume. An underline between the two is dropped.
        auto emit = [&](std::size_t end, std::size_t resume) {
            Line line;
            line.Text = s.substr(pos, end - pos);
            for (; underline < para.Underlines.size() &&
                   static_cast<std::size_t>(para.Underlines[underline].first) < resume;
                 ++underline) {
                const auto [f, t] = para.Underlines[underline];
                if (static_cast<std::size_t>(t) <= end)
                    line.Underlines.push_back({f - static_cast<int>(pos), t - static_cast<int>(pos)});
            }
            out.push_back(std::move(line));
            pos = resume;
        };
        // The byte end of the rest's first n characters (n at least 1), or of the whole rest when shorter.
        auto endOf = [&](std::size_t n) {
            while (ends.size() < n && (ends.empty() ? pos : ends.back()) < size)
                ends.push_back(NextChar(s, ends.empty() ? pos : ends.back()));
            return ends[std::min(n, ends.size()) - 1];
        };
        auto fits = [&](std::size_t end) { return Width(s.substr(pos, end - pos)) <= w; };
        if (size == 0) {
            emit(0, 0);
            return;
        }
        while (pos < size) {
            ends.clear();
            // Heads of lo characters fit, heads of hi do not.
            std::size_t lo = 0, hi = 0;
            if (endOf(2 * guess) == size) {
                if (fits(size)) {
                    emit(size, size);
                    return;
                }
                hi = ends.size();
            } else {
                for (std::size_t n = guess;; n *= 2) {
                    const std::size_t end = endOf(n);
                    if (!fits(end)) {
                        hi = std::min(n, ends.size());
                        break;
                    }
                    if (end == size) {
                        emit(size, size);
                        return;
                    }
                    lo = n;
                }
            }
            while (hi - lo > 1) {
                const std::size_t mid = lo + (hi - lo) / 2;
                (fits(endOf(mid)) ? lo : hi) = mid;
            }
            const std::size_t fitEnd = lo == 0 ? pos : ends[lo - 1];
            // The longest head ending at a word boundary (a space, a tab or the end) that fits, the spaces
            // before the boundary left out: one that ends by fitEnd.
            std::size_t boundary = fitEnd;
            while (boundary < size && s[boundary] == ' ')
                ++boundary;
            if (boundary < size && s[boundary] != '\t') {
                if (boundary > fitEnd)
                    --boundary;
                else
                    while (boundary > pos && s[boundary] != ' ' && s[boundary] != '\t')
                        --boundary;
            }
            std::size_t best = boundary;
            while (best > pos && s[best - 1] == ' ')
                --best;
            std::size_t resume = boundary;
            if (best == pos) {
                // The first word alone is too wide: break it by characters for edit-control text, else
                // leave it whole on its line.
                if (format_ & DT_EDITCONTROL)
                    best = s[pos] == ' ' ? NextChar(s, pos) : std::max(fitEnd, NextChar(s, pos));
                else
                    best = std::min(s.find(' ', pos), size);
                resume = best;
            }
            while (resume < size && s[resume] == ' ')
                ++resume;
            emit(best, resume);
        }
    }

    // The line shortened with "..." to fit w; false if it already fits.
    bool Ellipsize(Line& l, int w) const {
        if (Width(l.Text) <= w) return false;
        static const std::string dots = "...";
        const std::string& s = l.Text;
        if (format_ & DT_PATH_ELLIPSIS) {
            const std::size_t slash = s.find_last_of("\\/");
            const std::string tailPart = slash == std::string::npos ? std::string() : s.substr(slash);
            const std::string head = slash == std::string::npos ? s : s.substr(0, slash);
            if (!tailPart.empty()) {
                std::size_t keep = 0;
                for (std::size_t i = 0; i < head.size(); i = NextChar(head, i)) {
                    const std::size_t n = NextChar(head, i);
                    if (Width(head.substr(0, n) + dots + tailPart) > w) break;
                    keep = n;
                }
                if (keep > 0 || Width(dots + tailPart) <= w) {
                    l = Line{head.substr(0, keep) + dots + tailPart, {}};
                    return true;
                }
                // Even the last part does not fit: shorten it at its end.
                l = Line{dots + tailPart, {}};
                EndEllipsis(l, w);
                return true;
            }
        }
        if (format_ & DT_WORD_ELLIPSIS) {
            std::size_t keep = 0;
            for (std::size_t i = 0; i < s.size(); ++i) {
                if (s[i] != ' ') continue;
                if (Width(s.substr(0, i) + dots) > w) break;
                keep = i;
            }
            if (keep > 0) {
                Truncate(l, keep);
                return true;
            }
        }
        EndEllipsis(l, w);
        return true;
    }

    const GdiFont* Font() const { return font_; }

private:
    void EndEllipsis(Line& l, int w) const {
        std::size_t keep = 0;
        const std::string& s = l.Text;
        // Binary search on character boundaries for the longest head that fits with the dots.
        std::vector<std::size_t> bounds;
        for (std::size_t i = 0; i < s.size(); i = NextChar(s, i))
            bounds.push_back(NextChar(s, i));
        std::size_t lo = 0, hi = bounds.size();
        while (lo < hi) {
            const std::size_t mid = (lo + hi + 1) / 2;
            if (Width(s.substr(0, bounds[mid - 1]) + "...") <= w)
                lo = mid;
            else
                hi = mid - 1;
        }
        keep = lo == 0 ? 0 : bounds[lo - 1];
        Truncate(l, keep);
    }

    static void Truncate(Line& l, std::size_t keep) {
        std::vector<std::pair<int, int>> u;
        for (const auto& r : l.Underlines)
            if (static_cast<std::size_t>(r.second) <= keep) u.push_back(r);
        l.Text = l.Text.substr(0, keep) + "...";
        l.Underlines = u;
    }

    DeviceContext* dc_;
    UINT format_;
    int tab_;
    const GdiFont* font_;
};

// Replaces tabs by the spaces of the run up to the next stop, for drawing.
std::vector<std::pair<std::string, int>> TabPieces(const Formatter& f, const std::string& s, int tab,
                                                   bool expand) {
    std::vector<std::pair<std::string, int>> pieces;
    if (!expand) {
        pieces.push_back({s, 0});
        return pieces;
    }
    long long x = 0;
    std::size_t start = 0;
    for (;;) {
        const std::size_t t = s.find('\t', start);
        const std::string piece = s.substr(start, t == std::string::npos ? s.npos : t - start);
        pieces.push_back({piece, vcl::ClampToInt(x)});
        x += f.Width(piece);
        if (t == std::string::npos) break;
        x = std::min<long long>((x / tab + 1) * tab, INT_MAX);
        start = t + 1;
    }
    return pieces;
}

int DoDrawText(HDC hdc, char* writable, const char* lpchText, int cchText, RECT* lprc, UINT format,
               DRAWTEXTPARAMS* params) {
    DeviceContext* dc = detail::AsDC(hdc);
    if (dc == nullptr || lprc == nullptr || lpchText == nullptr) return 0;
    if (params != nullptr && params->cbSize != sizeof(DRAWTEXTPARAMS)) return 0;
    const std::size_t len = cchText < 0 ? std::strlen(lpchText) : static_cast<std::size_t>(cchText);
    const GdiFont* font = detail::CurrentFont(dc);
    const TEXTMETRIC& tm = font->Metrics();
    const int lineHeight = tm.tmHeight + ((format & DT_EXTERNALLEADING) ? tm.tmExternalLeading : 0);
    if ((format & DT_CALCRECT) && (format & DT_SINGLELINE) && params == nullptr) {
        // Measuring one line with nothing to strip or expand (what mark-up and labels do for every word)
        // needs none of the copies below.
        const std::string_view text(lpchText, len);
        const char* special = (format & DT_NOPREFIX) ? "\r\n\t" : "\r\n\t&";
        if (text.find_first_of(special) == std::string_view::npos) {
            lprc->Right = vcl::ClampToInt(static_cast<long long>(lprc->Left) + RunWidth(dc, font, text));
            lprc->Bottom = vcl::ClampToInt(static_cast<long long>(lprc->Top) + lineHeight);
            return lineHeight;
        }
    }
    const std::string source(lpchText, len);
    int tabChars = 8;
    if (params != nullptr && params->iTabLength > 0) tabChars = params->iTabLength;
    if ((format & DT_TABSTOP) && params == nullptr)
        tabChars = std::max(1, static_cast<int>((format >> 8) & 0xFF));
    // A tab length near the int range times the average character width is computed wide and kept to it.
    const int tabWidth = std::max(1, vcl::ClampToInt(static_cast<long long>(tabChars) * tm.tmAveCharWidth));
    Formatter f(dc, format, tabWidth);

    // Positions are computed wide and kept to the int range: rectangles may reach the ends of it.
    RECT box = *lprc;
    if (params != nullptr) {
        box.Left = vcl::ClampToInt(static_cast<long long>(box.Left) + params->iLeftMargin);
        box.Right = vcl::ClampToInt(static_cast<long long>(box.Right) - params->iRightMargin);
    }
    const int width = box.Width();

    // Paragraphs and lines.
    std::vector<std::string> paragraphs;
    if (format & DT_SINGLELINE) {
        std::string s;
        for (char c : source)
            if (c != '\r' && c != '\n') s.push_back(c);
        paragraphs.push_back(s);
    } else {
        std::string cur;
        for (std::size_t i = 0; i < source.size(); ++i) {
            const char c = source[i];
            if (c == '\r' || c == '\n') {
                paragraphs.push_back(cur);
                cur.clear();
                if (c == '\r' && i + 1 < source.size() && source[i + 1] == '\n') ++i;
                continue;
            }
            cur.push_back(c);
        }
        paragraphs.push_back(cur);
    }
    const bool prefixes = !(format & DT_NOPREFIX);
    std::vector<Line> lines;
    for (const std::string& p : paragraphs) {
        Line l = StripPrefixes(p, prefixes);
        if ((format & DT_WORDBREAK) && !(format & DT_SINGLELINE))
            f.Wrap(l, width, lines);
        else
            lines.push_back(l);
    }

    const bool calc = format & DT_CALCRECT;
    bool modified = false;
    if (!calc && (format & (DT_END_ELLIPSIS | DT_PATH_ELLIPSIS | DT_WORD_ELLIPSIS))) {
        for (Line& l : lines)
            modified = f.Ellipsize(l, width) || modified;
    }
    if (modified && (format & DT_MODIFYSTRING) && writable != nullptr && lines.size() == 1) {
        // The buffer holds at least cchText + 4 bytes; the text as shown is never longer than that.
        const std::string& shown = lines.front().Text;
        const std::size_t n = std::min(shown.size(), len + 3);
        std::memcpy(writable, shown.data(), n);
        writable[n] = '\0';
    }

    int maxWidth = 0;
    std::vector<int> widths;
    for (const Line& l : lines) {
        widths.push_back(f.Width(l.Text));
        maxWidth = std::max(maxWidth, widths.back());
    }
    const int textHeight = vcl::ClampToInt(static_cast<long long>(lines.size()) * lineHeight);
    if (params != nullptr) params->uiLengthDrawn = static_cast<UINT>(len);

    if (calc) {
        lprc->Right = vcl::ClampToInt(
            static_cast<long long>(lprc->Left) + maxWidth +
            (params ? static_cast<long long>(params->iLeftMargin) + params->iRightMargin : 0));
        lprc->Bottom = vcl::ClampToInt(static_cast<long long>(lprc->Top) + textHeight);
        return textHeight;
    }

    long long top = box.Top;
    if (format & DT_SINGLELINE) {
        if (format & DT_BOTTOM)
            top = static_cast<long long>(box.Bottom) - lineHeight;
        else if (format & DT_VCENTER)
            top = box.Top + (static_cast<long long>(box.Bottom) - box.Top - lineHeight) / 2;
    }
    const RECT clip = *lprc;
    const bool drawGlyphs = !(format & DT_PREFIXONLY);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const Line& l = lines[i];
        long long x = box.Left;
        if (format & DT_CENTER)
            x = box.Left + (static_cast<long long>(box.Right) - box.Left - widths[i]) / 2;
        else if (format & DT_RIGHT)
            x = static_cast<long long>(box.Right) - widths[i];
        const int y = vcl::ClampToInt(top + static_cast<long long>(i) * lineHeight);
        const auto pieces = TabPieces(f, l.Text, tabWidth, (format & DT_EXPANDTABS) != 0);
        int offset = 0;
        std::size_t next = 0; // the underlines are in the text's order: each piece takes the next ones
        for (const auto& [piece, px] : pieces) {
            detail::TextRunOptions o;
            o.X = vcl::ClampToInt(x + px);
            o.Y = y;
            o.Align = TA_LEFT | TA_TOP;
            o.Clip = (format & DT_NOCLIP) ? nullptr : &clip;
            o.OpaqueBackground = dc->State.BkMode == OPAQUE && drawGlyphs;
            o.DrawGlyphs = drawGlyphs;
            const int end = offset + static_cast<int>(piece.size());
            for (; next < l.Underlines.size() && l.Underlines[next].first < end; ++next) {
                const auto [a, b] = l.Underlines[next];
                if (a >= offset && b <= end && !(format & DT_HIDEPREFIX))
                    o.Underlines.push_back({a - offset, b - offset});
            }
            if (!piece.empty()) detail::DrawRun(dc, o, piece);
            offset += static_cast<int>(piece.size()) + 1;
        }
    }
    if (format & DT_SINGLELINE && (format & (DT_VCENTER | DT_BOTTOM)))
        return vcl::ClampToInt(top - lprc->Top + textHeight);
    return textHeight;
}

} // namespace

int DrawText(HDC hdc, const char* lpchText, int cchText, RECT* lprc, UINT format) {
    // With DT_MODIFYSTRING the caller's buffer receives the text as shown, as the platform does.
    char* writable = (format & DT_MODIFYSTRING) ? const_cast<char*>(lpchText) : nullptr;
    return DoDrawText(hdc, writable, lpchText, cchText, lprc, format, nullptr);
}

int DrawTextEx(HDC hdc, char* lpchText, int cchText, RECT* lprc, UINT format, DRAWTEXTPARAMS* lpdtp) {
    return DoDrawText(hdc, (format & DT_MODIFYSTRING) ? lpchText : nullptr, lpchText, cchText, lprc, format,
                      lpdtp);
}

} // namespace win
