#pragma once
// TPicture: holds one graphic of any registered class, chosen by file extension when loading a file
// and by content when loading a stream.
//
// Registered at start: "bmp" (TBitmap), "ico" (TIcon), and "png", "jpg", "jpeg", "gif" (TWICImage).

#include <memory>

#include "platform/vcl/GraphicsCore.h"

namespace vcl {

class TBitmap;
class TIcon;

// Layouts carry the picture as its binary "Data" property (ReadData/WriteData).
class TPicture : public TPersistent {
    KV_CLASS(TPicture, TPersistent)
    KV_PUBLISHED_PROPERTIES(TPicture)
public:
    TPicture();
    ~TPicture() override;

    // The picture's graphic (null when there is none).
    TGraphic* Graphic() const { return FGraphic.get(); }
    // Keeps a copy of Value (of Value's class); null clears the picture.
    void SetGraphic(TGraphic* Value);
    // The graphic as a bitmap / an icon: a graphic of another class is replaced by an empty one.
    TBitmap* Bitmap();
    void SetBitmap(TBitmap* Value);
    TIcon* Icon();
    void SetIcon(TIcon* Value);

    int Width() const;
    int Height() const;

    // The graphic class comes from the file's extension among the registered formats; an unknown one
    // raises EInvalidGraphic "Unknown picture file extension (.<ext>)". The picture is unchanged when
    // loading fails.
    void LoadFromFile(const String& FileName);
    void SaveToFile(const String& FileName);
    // The graphic class comes from the data's first bytes (BMP, ICO, PNG, JPEG, GIF, TIFF); other data
    // raises EInvalidGraphic "Unknown picture format".
    void LoadFromStream(TStream* Stream);
    void SaveToStream(TStream* Stream);

    // The layout form of the "Data" property: the graphic's class name (a length byte and the name),
    // then the graphic's own data. An empty name is an empty picture.
    void ReadData(TStream* Stream);
    void WriteData(TStream* Stream);

    // A TPicture or TGraphic source is copied; null clears the picture.
    void Assign(TPersistent* Source) override;

    TNotifyEvent OnChange;

    // Associates a file extension (without the dot, any case) with a registered graphic class; a later
    // registration of the same extension wins. An unregistered class raises EInvalidGraphic.
    static void RegisterFileFormat(const String& AExtension, const String& ADescription,
                                   TGraphicClass AGraphicClass);
    template <typename T>
    static void RegisterFileFormat(const String& AExtension, const String& ADescription) {
        RegisterGraphicClass<T>();
        RegisterFileFormat(AExtension, ADescription, T::StaticClassType());
    }
    // Forgets every extension of the class.
    static void UnregisterGraphicClass(TGraphicClass AClass);
    // The class registered for an extension (with or without the dot), or null.
    static TGraphicClass GraphicClassForExtension(const String& AExtension);

protected:
    void AssignTo(TPersistent* Dest) override;
    virtual void Changed(TObject* Sender);

private:
    void Take(std::unique_ptr<TGraphic> Graphic);

    std::unique_ptr<TGraphic> FGraphic;
};

} // namespace vcl
