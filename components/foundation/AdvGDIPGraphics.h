#pragma once
// The GDI+ drawing surface on a device context.
//
// Status convention of every wrapper: a constructor keeps the status of the call that made its GDI+
// object; every later call passes its status to SetStatus, which keeps only the first failure until
// GetLastStatus reads and resets it. Operations return their own call's status.
// Arguments that may be missing are taken as null pointers and passed to GDI+ as empty handles, so a
// missing object gives InvalidParameter rather than a crash.

#include "components/foundation/AdvGDIPBase.h"
#include "platform/win/WinTypes.h"

namespace AdvGDIP {

class TGPPen;
class TGPBrush;
class TGPGraphicsPath;
class TGPRegion;
class TGPFont;
class TGPStringFormat;
class TGPImage;

class TGPGraphics : public TGdiplusBase {
    KV_CLASS(TGPGraphics, TGdiplusBase)
public:
    explicit TGPGraphics(win::HDC hdc);
    ~TGPGraphics() override;

    // The status of the flush is neither kept nor returned.
    void Flush(FlushIntention intention = FlushIntentionFlush);

    win::HDC GetHDC();
    void ReleaseHDC(win::HDC hdc);

    Status SetTextRenderingHint(TextRenderingHint newMode);
    TextRenderingHint GetTextRenderingHint();
    Status SetSmoothingMode(int smoothingMode);
    // -1 when the query fails.
    int GetSmoothingMode();
    Status SetCompositingQuality(int compositingQuality);
    int GetCompositingQuality();

    Status FillRectangle(TGPBrush* brush, const TGPRectF& rect);
    Status FillRectangle(TGPBrush* brush, float x, float y, float width, float height);
    Status DrawRectangle(TGPPen* pen, const TGPRectF& rect);
    Status DrawRectangle(TGPPen* pen, float x, float y, float width, float height);

    Status DrawPath(TGPPen* pen, TGPGraphicsPath* path);
    Status FillPath(TGPBrush* brush, TGPGraphicsPath* path);

    // 8-bit text: length counts bytes of the string (negative: up to the first zero or the end).
    Status DrawString(const vcl::String& string, int length, TGPFont* font, const TGPRectF& layoutRect,
                      TGPStringFormat* stringFormat, TGPBrush* brush);
    // UTF-16 text: length counts code units (-1: zero-terminated).
    Status DrawString(const gdip::WCHAR* string, int length, TGPFont* font, const TGPRectF& layoutRect,
                      TGPStringFormat* stringFormat, TGPBrush* brush);
    Status MeasureString(const gdip::WCHAR* string, int length, TGPFont* font, const TGPRectF& layoutRect,
                         TGPStringFormat* stringFormat, TGPRectF& boundingBox,
                         int* codepointsFitted = nullptr, int* linesFilled = nullptr);

    Status DrawImage(TGPImage* image, int x, int y);
    Status DrawImageRect(TGPImage* image, int x, int y, int width, int height);

    Status ExcludeClip(const TGPRectF& rect);
    Status ExcludeClip(TGPRegion* region);
    Status SetClip(TGPRegion* region, CombineMode combineMode = CombineModeReplace);
    Status ResetClip();

    // Returns the kept status and resets it to Ok.
    Status GetLastStatus();

    gdip::GpGraphics* GetNativeGraphics() const { return nativeGraphics; }

protected:
    void SetNativeGraphics(gdip::GpGraphics* graphics) { nativeGraphics = graphics; }
    Status SetStatus(Status status);

private:
    gdip::GpGraphics* nativeGraphics = nullptr;
    Status lastResult = Ok;
};

} // namespace AdvGDIP
