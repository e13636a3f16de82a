#include "components/foundation/AdvGDIPGraphics.h"

#include <vector>

#include "components/foundation/AdvGDIPBrushes.h"
#include "components/foundation/AdvGDIPImages.h"
#include "components/foundation/AdvGDIPPaths.h"
#include "components/foundation/AdvGDIPPen.h"
#include "components/foundation/AdvGDIPText.h"
#include "components/foundation/AdvGDIPUtf16.h"

namespace AdvGDIP {

namespace {

gdip::GpRectF ToGp(const TGPRectF& r) {
    gdip::GpRectF g;
    g.X = r.X;
    g.Y = r.Y;
    g.Width = r.Width;
    g.Height = r.Height;
    return g;
}

} // namespace

TGPGraphics::TGPGraphics(win::HDC hdc) {
    lastResult = gdip::GdipCreateFromHDC(hdc, &nativeGraphics);
}

TGPGraphics::~TGPGraphics() {
    gdip::GdipDeleteGraphics(nativeGraphics);
}

Status TGPGraphics::SetStatus(Status status) {
    if (status != Ok && lastResult == Ok) lastResult = status; // the first failure stays until read
    return status;
}

Status TGPGraphics::GetLastStatus() {
    Status kept = lastResult;
    lastResult = Ok;
    return kept;
}

void TGPGraphics::Flush(FlushIntention intention) {
    gdip::GdipFlush(nativeGraphics, intention);
}

win::HDC TGPGraphics::GetHDC() {
    win::HDC hdc = nullptr;
    SetStatus(gdip::GdipGetDC(nativeGraphics, &hdc));
    return hdc;
}

void TGPGraphics::ReleaseHDC(win::HDC hdc) {
    SetStatus(gdip::GdipReleaseDC(nativeGraphics, hdc));
}

Status TGPGraphics::SetTextRenderingHint(TextRenderingHint newMode) {
    return SetStatus(gdip::GdipSetTextRenderingHint(nativeGraphics, newMode));
}

TextRenderingHint TGPGraphics::GetTextRenderingHint() {
    TextRenderingHint mode = TextRenderingHintSystemDefault;
    SetStatus(gdip::GdipGetTextRenderingHint(nativeGraphics, &mode));
    return mode;
}

Status TGPGraphics::SetSmoothingMode(int smoothingMode) {
    // Values outside GDI+'s modes are refused before they become a mode value.
    if (smoothingMode < gdip::SmoothingModeInvalid || smoothingMode > gdip::SmoothingModeAntiAlias8x8)
        return SetStatus(InvalidParameter);
    return SetStatus(
        gdip::GdipSetSmoothingMode(nativeGraphics, static_cast<gdip::SmoothingMode>(smoothingMode)));
}

int TGPGraphics::GetSmoothingMode() {
    gdip::SmoothingMode mode{};
    if (SetStatus(gdip::GdipGetSmoothingMode(nativeGraphics, &mode)) != Ok) return -1;
    return static_cast<int>(mode);
}

Status TGPGraphics::SetCompositingQuality(int compositingQuality) {
    if (compositingQuality < gdip::CompositingQualityInvalid ||
        compositingQuality > gdip::CompositingQualityAssumeLinear)
        return SetStatus(InvalidParameter);
    return SetStatus(gdip::GdipSetCompositingQuality(
        nativeGraphics, static_cast<gdip::CompositingQuality>(compositingQuality)));
}

int TGPGraphics::GetCompositingQuality() {
    gdip::CompositingQuality quality{};
    SetStatus(gdip::GdipGetCompositingQuality(nativeGraphics, &quality));
    return static_cast<int>(quality);
}

Status TGPGraphics::FillRectangle(TGPBrush* brush, const TGPRectF& rect) {
    return FillRectangle(brush, rect.X, rect.Y, rect.Width, rect.Height);
}

Status TGPGraphics::FillRectangle(TGPBrush* brush, float x, float y, float width, float height) {
    return SetStatus(
        gdip::GdipFillRectangle(nativeGraphics, brush ? brush->nativeBrush : nullptr, x, y, width, height));
}

Status TGPGraphics::DrawRectangle(TGPPen* pen, const TGPRectF& rect) {
    return DrawRectangle(pen, rect.X, rect.Y, rect.Width, rect.Height);
}

Status TGPGraphics::DrawRectangle(TGPPen* pen, float x, float y, float width, float height) {
    return SetStatus(
        gdip::GdipDrawRectangle(nativeGraphics, pen ? pen->nativePen : nullptr, x, y, width, height));
}

Status TGPGraphics::DrawPath(TGPPen* pen, TGPGraphicsPath* path) {
    return SetStatus(gdip::GdipDrawPath(nativeGraphics, pen ? pen->nativePen : nullptr,
                                        path ? path->nativePath : nullptr));
}

Status TGPGraphics::FillPath(TGPBrush* brush, TGPGraphicsPath* path) {
    return SetStatus(gdip::GdipFillPath(nativeGraphics, brush ? brush->nativeBrush : nullptr,
                                        path ? path->nativePath : nullptr));
}

Status TGPGraphics::DrawString(const vcl::String& string, int length, TGPFont* font,
                               const TGPRectF& layoutRect, TGPStringFormat* stringFormat, TGPBrush* brush) {
    // The 8-bit text is UTF-8 here. It is converted into a zero-terminated UTF-16 buffer, and GDI+ is
    // given the converted length: passing the byte count would draw the buffer's trailing zeros
    // whenever a character takes more than one byte.
    std::size_t bytes = length < 0 ? string.find('\0') : static_cast<std::size_t>(length);
    if (bytes > string.size()) bytes = string.size();
    std::vector<gdip::WCHAR> buffer = Utf8ToUtf16Buffer(string.data(), bytes);
    return DrawString(buffer.data(), static_cast<int>(buffer.size()) - 1, font, layoutRect, stringFormat,
                      brush);
}

Status TGPGraphics::DrawString(const gdip::WCHAR* string, int length, TGPFont* font,
                               const TGPRectF& layoutRect, TGPStringFormat* stringFormat, TGPBrush* brush) {
    gdip::GpRectF rect = ToGp(layoutRect);
    return SetStatus(gdip::GdipDrawString(nativeGraphics, string, length, font ? font->nativeFont : nullptr,
                                          &rect, stringFormat ? stringFormat->nativeFormat : nullptr,
                                          brush ? brush->nativeBrush : nullptr));
}

Status TGPGraphics::MeasureString(const gdip::WCHAR* string, int length, TGPFont* font,
                                  const TGPRectF& layoutRect, TGPStringFormat* stringFormat,
                                  TGPRectF& boundingBox, int* codepointsFitted, int* linesFilled) {
    gdip::GpRectF rect = ToGp(layoutRect);
    gdip::GpRectF bounds = ToGp(TGPRectF{});
    Status status = gdip::GdipMeasureString(nativeGraphics, string, length, font ? font->nativeFont : nullptr,
                                            &rect, stringFormat ? stringFormat->nativeFormat : nullptr,
                                            &bounds, codepointsFitted, linesFilled);
    boundingBox = TGPRectF{bounds.X, bounds.Y, bounds.Width, bounds.Height};
    return SetStatus(status);
}

Status TGPGraphics::DrawImage(TGPImage* image, int x, int y) {
    return SetStatus(gdip::GdipDrawImageI(nativeGraphics, image ? image->nativeImage : nullptr, x, y));
}

Status TGPGraphics::DrawImageRect(TGPImage* image, int x, int y, int width, int height) {
    return SetStatus(gdip::GdipDrawImageRect(nativeGraphics, image ? image->nativeImage : nullptr,
                                             static_cast<float>(x), static_cast<float>(y),
                                             static_cast<float>(width), static_cast<float>(height)));
}

Status TGPGraphics::ExcludeClip(const TGPRectF& rect) {
    return SetStatus(
        gdip::GdipSetClipRect(nativeGraphics, rect.X, rect.Y, rect.Width, rect.Height, CombineModeExclude));
}

Status TGPGraphics::ExcludeClip(TGPRegion* region) {
    return SetStatus(
        gdip::GdipSetClipRegion(nativeGraphics, region ? region->nativeRegion : nullptr, CombineModeExclude));
}

Status TGPGraphics::SetClip(TGPRegion* region, CombineMode combineMode) {
    return SetStatus(
        gdip::GdipSetClipRegion(nativeGraphics, region ? region->nativeRegion : nullptr, combineMode));
}

Status TGPGraphics::ResetClip() {
    return SetStatus(gdip::GdipResetClip(nativeGraphics));
}

} // namespace AdvGDIP
