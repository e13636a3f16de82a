#pragma once
// The mark-up renderer of the status bar: lays a small HTML-like text out in a rectangle of a canvas and
// draws it, only measures it, or only tests which anchor lies under a point.
//
// Each line is laid out twice: a measuring pass takes the line's words and tags from the text, then a
// drawing pass (which only measures and hit-tests with NoDraw) goes over the same words. Tag effects carry
// from line to line; nothing survives a call. Mark-up is input: any text, however broken, renders without
// failing, in time linear in its length.

#include <vector>

#include "platform/vcl/Canvas.h"
#include "platform/vcl/ImgList.h"

namespace PictureContainer {
class TPictureContainer;
class THTMLPictureCache;
} // namespace PictureContainer

namespace HTMLRender {

using vcl::String;
using vcl::TColor;
using vcl::TRect;

// What a call is asked to do and with what (the order of the renderer's classic argument list).
struct THTMLRenderArgs {
    vcl::TCustomImageList* ImageList = nullptr; // source of "IDX:" images
    int HitX = 0;                               // point of the hit test
    int HitY = 0;
    int FocusIndex = -1; // zero-based anchor that gets a focus rectangle; -1 none
    int HotIndex = -1;   // one-based hot anchor, used with HotOnly
    int ShadowOffset = 1;
    bool NoDraw = false;     // the second pass of every line only measures and hit-tests
    bool HeightOnly = false; // only the measuring pass; lines do not stop at the bottom
    bool PrintMode = false;  // image-list images stretched by PrintScale
    bool KeepColors = false; // tags change no text or background colour
    bool BlinkOn = true;     // text inside a blink tag is visible in this phase
    bool HotOnly = false;    // only anchor HotIndex is underlined and hot-coloured
    bool WrapWords = true;
    double PrintScale = 1.0;
    TColor AnchorColor = vcl::clBlue;
    TColor HotBackColor = vcl::clNone;
    TColor HotTextColor = vcl::clNone;
    TColor ShadowColor = 0x808080;
    PictureContainer::THTMLPictureCache* PictureCache = nullptr; // pictures of "://" sources
    PictureContainer::TPictureContainer* Pictures = nullptr;     // pictures of plain names
    int ExtraLineSpacing = 0;
};

// One anchored word or image as laid out by the second pass of its line.
struct THTMLAnchorPart {
    String Href;
    TRect Rect;
};

struct THTMLRenderResult {
    bool Hit = false;     // the hit point lies over an anchor
    String HitHref;       // that anchor's href (meaningful only when Hit)
    int MaxLineWidth = 0; // widest line plus 2 pixels
    int TotalHeight = 0;  // height of all lines
    int AnchorCount = 0;  // anchors met
    std::vector<THTMLAnchorPart> Anchors;
};

// Lays out Text in Bounds and, unless NoDraw, draws it. The canvas font at entry is the base font; the
// canvas font and brush are as they were when the call returns. Returns Result.Hit.
bool RenderHTML(vcl::TCanvas* Canvas, const String& Text, const TRect& Bounds, const THTMLRenderArgs& Args,
                THTMLRenderResult& Result);

// ---- Helpers of the mark-up language

// Position (from 1) of Sub in S comparing ASCII upper-cased, 0 when absent.
int PosIgnoreCase(const String& Sub, const String& S);
// The first marker opened by "<#" becomes plain text: that '<' and the next '>' go, the text between
// stays; later markers stay as they are.
String StripMarkers(const String& S);
// Every carriage return becomes "<BR>" and every line feed goes (with Convert true).
String LineBreaksToBR(const String& S, bool Convert = true);
// "#RRGGBB" as a framework colour (blue-green-red). A digit that is no hex digit counts 0.
TColor ColorFromHex(const String& Value);
// A colour name of the mark-up ("clred", "clbtnface", any case); a name not known gives black.
TColor ColorFromName(const String& Name);
// The leading decimal integer of Value (an optional sign first); 0 when there is none.
int AttrToInt(const String& Value);
// A shell icon of the desktop: Name is a path, a folder, a file name or extension (".pdf"), or a system
// icon index ("3"). Size receives the icon's size on the canvas's device, the large or small system
// icon size scaled by its pixels per inch; 0, drawing nothing, when the desktop has no such icon. With
// Draw it is drawn at (X, Y); with Print it is drawn into a bitmap of its size first and stretched by
// Scale.
void DrawShellIcon(vcl::TCanvas* Canvas, int X, int Y, int& Size, double Scale, bool Print, bool Draw,
                   bool Large, const String& Name);
// Stripes from From to To, left to right or top to bottom, then a frame unless Frame is clNone.
void DrawHTMLGradient(vcl::TCanvas* Canvas, TColor From, TColor To, bool LeftToRight, const TRect& R,
                      int Steps, TColor Frame);

} // namespace HTMLRender
