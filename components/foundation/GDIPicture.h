#pragma once
// TGDIPPicture: a graphic that keeps an image file's bytes exactly as loaded (PNG, JPEG, GIF, BMP, ICO,
// anything GDI+ reads) and draws them through GDI+, so alpha-blended glyphs keep their transparency. The
// bytes are decoded once, on first need, and the image is kept until the bytes change: a glow button
// repaints its glyph at every fade step. A form layout stores it as those same bytes ("Data").

#include <memory>

#include "platform/rtl/Events.h"
#include "platform/rtl/Streams.h"
#include "platform/vcl/Graphics.h"

namespace AdvGDIP {
class TGPImage;
}

namespace GDIPicture {

using vcl::String;

class TGDIPPicture : public vcl::TGraphic {
    KV_CLASS(TGDIPPicture, vcl::TGraphic)
    KV_PUBLISHED_PROPERTIES(TGDIPPicture)
public:
    TGDIPPicture();
    ~TGDIPPicture() override;

    // Copies another picture's bytes, or a bitmap / picture saved in its own file format; null clears.
    // Any other source leaves the picture empty.
    void Assign(vcl::TPersistent* Source) override;

    // The size is the image's own: both do nothing.
    void SetWidth(int Value) override;
    void SetHeight(int Value) override;

    // Replaces the bytes by the stream's whole content, reads the size and fires OnChange.
    void LoadFromStream(vcl::TStream* Stream) override;
    void SaveToStream(vcl::TStream* Stream) override;
    // A missing or unreadable file leaves the picture empty, without a message.
    void LoadFromFile(const String& FileName) override;
    // The compiled-in raw-data resource of that name; nothing when there is none.
    void LoadFromResourceName(const void* Instance, const String& Name);
    // The raw-data resource of that number; a missing one raises EResNotFound.
    void LoadFromResourceID(const void* Instance, int ResID);
    // "RES://name" (a raw-data resource) or "FILE://path"; the prefix in any letter case. Other
    // addresses are ignored.
    void LoadFromURL(const String& URL);
    void LoadFromClipboardFormat(vcl::Word AFormat, vcl::THandle AData, win::HPALETTE APalette) override;
    void SaveToClipboardFormat(vcl::Word& AFormat, vcl::THandle& AData, win::HPALETTE& APalette) override;

    // The layout form: the bytes unchanged. ReadData takes the stream's content from its position on.
    void ReadData(vcl::TStream* Stream) override;
    void WriteData(vcl::TStream* Stream) override;

    // Decodes the bytes and takes the image's size. False when there is nothing to decode or GDI+
    // cannot decode it (the size is then 0 by 0).
    bool GetImageSizes();

    // The decoded image, decoded now if it was not yet; null when empty or undecodable.
    AdvGDIP::TGPImage* Image();
    // How many times the bytes were decoded (each change of the bytes allows one more).
    int DecodeCount() const { return FDecodeCount; }

    // The stored bytes.
    const vcl::TMemoryStream& Data() const { return *FData; }

    // Fired when the picture is cleared (Assign of nothing) and when a file is loaded.
    vcl::TNotifyEvent OnClear;

    // Draws a bitmap file unscaled at Rect's top-left corner with its automatic transparent colour,
    // any other image scaled into Rect.
    void Draw(vcl::TCanvas* ACanvas, const vcl::TRect& Rect) override;

protected:
    bool GetEmpty() override { return FEmpty; }
    int GetWidth() override { return FWidth; }
    int GetHeight() override { return FHeight; }

private:
    class TDecodedImage;
    void ReplaceData(vcl::TStream* Stream);
    void Forget();
    void CopyBytes(const void* Bytes, std::size_t Count);

    std::unique_ptr<vcl::TMemoryStream> FData;
    std::unique_ptr<TDecodedImage> FDecoded;
    bool FUndecodable = false; // the current bytes were tried and failed
    int FDecodeCount = 0;
    bool FEmpty = true;
    int FWidth = 0;
    int FHeight = 0;
};

} // namespace GDIPicture
