#pragma once
// TIcon: a picture held as an icon handle, read from and written to ICO files. An icon is always
// drawn with its own transparency (its alpha channel or its mask).

#include "platform/vcl/GraphicsCore.h"

namespace vcl {

class TIcon : public TGraphic {
    KV_CLASS(TIcon, TGraphic)
public:
    TIcon();
    ~TIcon() override;

    // A TIcon source is copied; null empties the icon.
    void Assign(TPersistent* Source) override;

    // The icon (null while empty). Setting a handle takes it over.
    win::HICON Handle() const { return FHandle; }
    void SetHandle(win::HICON Value);
    bool HandleAllocated() const { return FHandle != nullptr; }
    // Hands the handle to the caller, who frees it; the icon becomes empty.
    win::HICON ReleaseHandle();

    // Reads an ICO file (the image of the best size and depth in it); anything else raises
    // EInvalidGraphic "Icon image is not valid".
    void LoadFromStream(TStream* Stream) override;
    // Writes the ICO file the icon was read from, or a 32-bit ICO file of the icon's pixels.
    void SaveToStream(TStream* Stream) override;
    // The size is the picture's own: EInvalidGraphicOperation "Cannot change the size of an icon".
    void SetWidth(int Value) override;
    void SetHeight(int Value) override;

protected:
    void Draw(TCanvas* ACanvas, const TRect& Rect) override;
    bool GetEmpty() override { return FHandle == nullptr; }
    int GetWidth() override;
    int GetHeight() override;
    bool GetTransparent() override { return true; }

private:
    void Replace(win::HICON Handle, String Data);

    win::HICON FHandle = nullptr;
    String FData; // the file read, written back unchanged
};

} // namespace vcl
