#pragma once
// The state of one mark-up renderer call, shared by the line builder (HTMLRender.cpp) and the tag
// handlers (HTMLTags.cpp). Not for use outside the renderer.

#include <map>
#include <memory>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

#include "components/statusbar/HTMLRender.h"

namespace HTMLRender::detail {

enum class TPass { Measure, Second };

// The values of one line, as one pass of the line builder leaves them.
struct TLine {
    TRect Rect;             // the line rectangle
    int X = 0;              // current x position
    int Width = 0;          // line width so far
    int Height = 0;         // line height
    int SupRaise = 0;       // superscript raise
    int SubDrop = 0;        // subscript drop
    int BaselineOffset = 0; // set by an image's ALIGN
    bool Full = false;      // the next word or tag goes to the next line
    bool Stop = false;      // an image or list item starts the next line and stays in the text
    bool Item = false;      // a list item is on this line
    bool HitAnchor = false; // the hit point lies over an anchored word
    bool HitImage = false;  // ... over an anchored image
    bool AnyWord = false;   // words (not tags) taken so far
    bool LastEndsBlank = false;
    int TrailingBlank = 0;
};

// The next '<' and blank at or after a position, kept between words so that finding them stays linear in
// the text's length. A cached answer found from From stays right for every position up to it.
struct TScan {
    struct TFound {
        size_t From = 0, At = 0;
        bool Valid = false;
    };
    TFound Lt, Blank;
    // The position of Ch at or after Pos before End; End when there is none.
    static size_t Next(std::string_view Text, char Ch, TFound& F, size_t Pos, size_t End) {
        if (!F.Valid || Pos < F.From || Pos > F.At) {
            size_t f = Text.substr(0, End).find(Ch, Pos);
            F = TFound{Pos, f == std::string_view::npos ? End : f, true};
        }
        return F.At;
    }
};

class TRenderer {
public:
    TRenderer(vcl::TCanvas* Canvas, const TRect& Bounds, const THTMLRenderArgs& Args,
              THTMLRenderResult& Result);
    ~TRenderer();
    TRenderer(const TRenderer&) = delete;
    TRenderer& operator=(const TRenderer&) = delete;

    void Run(const String& Text);

private:
    // ---- Line builder (HTMLRender.cpp)
    // One pass over the line's text from Pos, not past End; Pos moves past what the line consumes.
    void RenderLine(TPass Pass, TLine& L, size_t& Pos, size_t End, TScan& Scan);
    void DrawWord(std::string_view Word, TLine& L, int Width);
    int WordWidth(std::string_view Word);
    int GhHeight();
    int BlankWidth();
    struct TFontMetrics {
        int Gh = -1, Blank = -1;
    };
    TFontMetrics& Metrics();
    bool Drawing(TPass Pass) const { return Pass == TPass::Second && !FArgs.NoDraw; }
    // Only a point inside the bounds is tested: text that overflows them is no hit where it overflows.
    bool HitTesting(TPass Pass) const { return Pass == TPass::Second && FArgs.NoDraw && FHitInBounds; }

    // ---- Tag handlers (HTMLTags.cpp)
    void HandleTag(std::string_view Tag, TPass Pass, TLine& L);
    void OpenAnchor(std::string_view Tag, TPass Pass, TLine& L);
    void CloseAnchor(TPass Pass, TLine& L);
    void FontTag(std::string_view Tag, TPass Pass);
    void CloseFont(TPass Pass);
    void ImageTag(std::string_view Tag, TPass Pass, TLine& L);
    void ListItem(TPass Pass, TLine& L);
    void ParagraphTag(std::string_view Tag, TPass Pass, TLine& L);
    void BodyTag(std::string_view Tag, const TLine& L);
    void TurnFont(int Angle);
    void RestoreFont();
    void SetStyle(vcl::TFontStyle Style, bool On);
    void SetFontColor(TColor Color);

public:
    // Brush colour, clNone meaning a clear brush.
    TColor BrushColor() const;
    void SetBrushColor(TColor Color);

private:
    vcl::TCanvas* C;
    TRect FBounds; // the layout rectangle
    const THTMLRenderArgs& FArgs;
    THTMLRenderResult& FResult;
    bool FHitInBounds = false;
    String FText;
    win::UINT FFlags = 0;

    std::unique_ptr<vcl::TFont> FBaseFont, FMeasureFont, FDrawFont;
    vcl::TBrushStyle FEntryBrushStyle = vcl::bsSolid;
    TColor FEntryBrushColor = vcl::clNone;
    int FGhHeight = -1; // of the canvas font; -1 when the font changed since it was measured
    // By font name, height, style bits and orientation.
    std::map<std::tuple<String, int, int, int>, TFontMetrics> FFontMetrics;
    TFontMetrics* FMetrics = nullptr;            // of the canvas font, once known
    std::vector<std::pair<size_t, int>> FWidths; // words of the current line measured: (position, width)
    size_t FWidthAt = 0;

    // Anchor state and counters (saved around the measuring pass).
    bool FInAnchor = false;
    String FHref;
    int FAnchorCount = 0;
    int FListLevel = 0;
    int FImageCounter = 0;

    // Persisting flags and values.
    int FAlignment = 0; // left 0, right 1, centre 2
    int FIndent = 0;
    int FOffset = 0;     // horizontal offset of the offset tag
    int FLineOffset = 0; // the offset the current line starts with
    bool FParaBackground = false;
    bool FShadow = false;
    bool FHidden = false;
    bool FError = false;
    bool FBlinkHidden = false; // inside a blink tag in its off phase: words take room but are not drawn
    bool FSub = false, FSup = false;
    TColor FFontSavedBrush = vcl::clNone;
    TColor FParaSavedBrush = vcl::clNone;
    TColor FHiSavedBrush = vcl::clNone;
    TColor FHiSavedFont = vcl::clNone;
    TColor FAnchorSavedBrush = vcl::clNone;
    TColor FAnchorSavedFont = vcl::clNone;
    int FHotImage = -1;
    std::vector<int> FTurned; // orientations replaced by open turned-text tags
    vcl::TPoint FFocusStart{-1, -1};
};

// ASCII upper-cased copy.
String Upper(std::string_view S);
// Position of Name in the (upper-cased) attribute text, where the name is not followed by a letter; npos
// when absent.
size_t FindAttr(std::string_view Attrs, std::string_view Name);
// The value of the attribute at Where (npos: empty): the text between the first two double quotes after
// it, or, unquoted, the text after its '=' up to the next blank.
String AttrValueAt(std::string_view Attrs, size_t Where, size_t NameLength);
String AttrValue(std::string_view Attrs, std::string_view Name);
// A font, paragraph or page colour value: "#RRGGBB" or a colour name.
TColor TagColor(const String& Value);

} // namespace HTMLRender::detail
