#pragma once
// TGraphic: the abstract picture that a canvas draws and a TPicture holds, and the registry of
// graphic classes (the virtual constructor: a class reference that can make an instance).

#include <cstdint>
#include <memory>

#include "platform/classes/Properties.h"
#include "platform/rtl/Events.h"
#include "platform/rtl/Object.h"
#include "platform/rtl/Streams.h"
#include "platform/win/Gdi.h"

namespace vcl {

class TCanvas;

using THandle = std::uintptr_t;

// Layouts carry a graphic's picture as its binary "Data" property (ReadData/WriteData).
class TGraphic : public TPersistent {
    KV_CLASS(TGraphic, TPersistent)
    KV_PUBLISHED_PROPERTIES(TGraphic)
public:
    TGraphic() = default;

    bool Empty() { return GetEmpty(); }
    int Width() { return GetWidth(); }
    virtual void SetWidth(int Value) = 0;
    int Height() { return GetHeight(); }
    virtual void SetHeight(int Value) = 0;
    bool Transparent() { return GetTransparent(); }
    virtual void SetTransparent(bool Value);
    // Set once the picture changed; setting it to true raises OnChange.
    bool Modified() const { return FModified; }
    void SetModified(bool Value);

    // A file is read and written through a file stream; opening errors raise EFOpenError/EFCreateError.
    virtual void LoadFromFile(const String& FileName);
    virtual void SaveToFile(const String& FileName);
    // Reads the picture from the stream's position to its end / writes it at the stream's position.
    virtual void LoadFromStream(TStream* Stream) = 0;
    virtual void SaveToStream(TStream* Stream) = 0;
    // The clipboard is not shared with other programs here: both do nothing by default.
    virtual void LoadFromClipboardFormat(Word AFormat, THandle AData, win::HPALETTE APalette);
    virtual void SaveToClipboardFormat(Word& AFormat, THandle& AData, win::HPALETTE& APalette);

    // The picture as a form layout stores it ("Data" property): by default the stream format.
    virtual void ReadData(TStream* Stream);
    virtual void WriteData(TStream* Stream);

    TNotifyEvent OnChange;

    // Marks the picture modified and raises OnChange.
    virtual void Changed(TObject* Sender);

protected:
    friend class TCanvas;
    friend class TPicture;
    virtual void Draw(TCanvas* ACanvas, const TRect& Rect) = 0;
    virtual bool GetEmpty() = 0;
    virtual int GetWidth() = 0;
    virtual int GetHeight() = 0;
    virtual bool GetTransparent() { return FTransparent; }

    bool FTransparent = false;
    bool FModified = false;
};

// ---- Graphic classes ----

using TGraphicClass = TClass;
using TGraphicFactory = std::unique_ptr<TGraphic> (*)();

// Registers a graphic class with the function that makes an instance; registering again replaces it.
void RegisterGraphicClass(TGraphicClass Class, TGraphicFactory Factory);
template <typename T> void RegisterGraphicClass() {
    RegisterGraphicClass(T::StaticClassType(),
                         []() -> std::unique_ptr<TGraphic> { return std::make_unique<T>(); });
}
// True when the class can be made.
bool IsGraphicClassRegistered(TGraphicClass Class);
// A new empty instance; raises EInvalidGraphic "Unknown graphic class <name>" for an unregistered class.
std::unique_ptr<TGraphic> NewGraphic(TGraphicClass Class);
// The registered class of that name (any case), or null.
TGraphicClass FindGraphicClass(const String& ClassName);

} // namespace vcl
