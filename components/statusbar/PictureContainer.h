#pragma once
// Pictures for the mark-up renderer: THTMLPicture keeps the bytes of an image file and shows them, with a
// frame selector for animated GIF files; TPictureContainer holds named pictures; THTMLPictureCache keeps
// pictures by their source text. Nothing is fetched from a network: a web address is only recorded.

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "platform/classes/Component.h"
#include "platform/rtl/Collection.h"
#include "platform/vcl/Bitmap.h"
#include "platform/vcl/GraphicsCore.h"

namespace PictureContainer {

using vcl::String;

using TDownLoadErrorEvent = std::function<void(vcl::TObject* Sender, const String& Err)>;
using TDownLoadCancelEvent = std::function<void(vcl::TObject* Sender, bool& Cancel)>;
using TDownLoadProgressEvent =
    std::function<void(vcl::TObject* Sender, std::uint32_t DwSize, std::uint32_t DwTotSize)>;

class THTMLPicture : public vcl::TGraphic {
    KV_CLASS(THTMLPicture, vcl::TGraphic)
    KV_PUBLISHED_PROPERTIES(THTMLPicture)
public:
    THTMLPicture();
    ~THTMLPicture() override;

    // From another THTMLPicture its bytes (the picture is rebuilt); nothing (or another class) clears it.
    void Assign(vcl::TPersistent* Source) override;

    // The stream's content becomes the picture. Bytes that are no picture raise Exception "Could not
    // load image. Invalid format".
    void LoadFromStream(vcl::TStream* Stream) override;
    void SaveToStream(vcl::TStream* Stream) override;
    void ReadData(vcl::TStream* Stream) override;
    void WriteData(vcl::TStream* Stream) override;
    // A file that cannot be read or is no picture leaves the picture empty.
    void LoadFromFile(const String& FileName) override;
    // "RES://" loads the raw-data resource of that name, "FILE://" the file (prefixes in any case, each
    // only with something after it; the source becomes the picture's identity). Any other address is
    // only recorded, nothing is fetched: loading asynchronously, it starts a download thread (once; its
    // run returns at once), else it becomes the identity too. The picture stays empty.
    void LoadFromURL(const String& URL);
    // The raw-data resource of that name (nothing when there is none) or number (EResNotFound).
    void LoadFromResourceName(const void* Instance, const String& Name);
    void LoadFromResourceID(const void* Instance, int ResID);
    void LoadFromBytes(const String& Bytes);
    void SetWidth(int) override {}
    void SetHeight(int) override {}

    bool Stretch() const { return FStretch; }
    void SetStretch(bool Value) { FStretch = Value; }
    const String& ID() const { return FID; }
    void SetID(const String& Value) { FID = Value; }
    bool Asynch() const { return FAsynch; }
    void SetAsynch(bool Value) { FAsynch = Value; }
    // The web address last asked for, and whether a download was started for it (it never ends).
    const String& Address() const { return FAddress; }
    bool ThreadBusy() const { return FThreadBusy; }
    // The device's pixels per inch the size in pixels is given for (96 at first).
    int PixelsPerInchX() const { return FPPIX; }
    int PixelsPerInchY() const { return FPPIY; }
    void SetPixelsPerInch(int X, int Y);

    // Raise the download events when they are set.
    void DownLoadError(const String& Err);
    void DownLoadComplete();
    void DownLoadCancel(bool& Cancel);
    void DownLoadProgress(std::uint32_t DwSize, std::uint32_t DwTotSize);

    // ---- GIF frames (counted from 1)
    bool IsGIFFile() const;
    // -1 for data that is no GIF file; the graphic control extensions followed by an image descriptor.
    int GetFrameCount();
    int Frame() const { return FFrame; }
    void SetFrame(int Value);
    void FrameNext();
    void FramePrev();
    // Delay of frame n in hundredths of a second; -1 when there is no such frame. The frame's transparent
    // flag and disposal value are kept (FrameTransparent, FrameDisposal).
    int GetFrameTime(int n);
    // Of the frame GetFrameTime last found: whether it has a transparent colour, and what becomes of it
    // before the next frame is drawn (0 unspecified, 1 left in place, 2 cleared to the background,
    // 3 restored to what was there before; 4 to 7 are reserved). False and 0 until then.
    bool FrameTransparent() const { return FFrameTransparent; }
    int FrameDisposal() const { return FFrameDisposal; }
    // Advances to the next frame when its time has come (one call per tick of 10 ms).
    bool Step();
    int FrameLeft() const { return FFrameLeft; }
    int FrameTop() const { return FFrameTop; }
    int FrameWidth() const { return FFrameWidth; }
    int FrameHeight() const { return FFrameHeight; }
    // The logical screen size of a GIF when it has one, else the picture's size.
    int GetMaxWidth();
    int GetMaxHeight();
    // The bytes kept for the selected frame (header and frames before the first, then that frame on).
    const String& FrameData() const { return FFrameData; }

    vcl::TNotifyEvent OnFrameChange;
    TDownLoadErrorEvent OnDownLoadError;
    TDownLoadCancelEvent OnDownLoadCancel;
    TDownLoadProgressEvent OnDownLoadProgress;
    vcl::TNotifyEvent OnDownLoadComplete;

protected:
    void Draw(vcl::TCanvas* ACanvas, const vcl::TRect& Rect) override;
    bool GetEmpty() override { return FEmpty; }
    int GetWidth() override;
    int GetHeight() override;

private:
    void LoadPicture();
    void Clear();

    String FData;
    String FFrameData;
    bool FEmpty = true;
    bool FStretch = false;
    std::unique_ptr<vcl::TBitmap> FPicture;
    String FAddress;
    String FID;
    bool FAsynch = true;
    bool FThreadBusy = false;
    int FPPIX = 96, FPPIY = 96;
    int FFrame = 1;
    int FFrameCount = -1;
    int FFrameLeft = 0, FFrameTop = 0, FFrameWidth = 0, FFrameHeight = 0;
    int FLogicalWidth = 0, FLogicalHeight = 0;
    int FNextFrameTime = -1;
    int FTicks = -1;
    bool FFrameTransparent = false;
    int FFrameDisposal = 0;
};

// The download of a web-style source. Nothing is ever fetched: its run returns at once, and the thread
// is gone when its run has ended.
class TDownLoadThread : public vcl::TObject {
    KV_CLASS(TDownLoadThread, vcl::TObject)
public:
    // Runs a download thread for Picture to its end.
    static void Start(THTMLPicture* Picture);
    THTMLPicture* HTMLPicture() const { return FHTMLPicture; }

protected:
    explicit TDownLoadThread(THTMLPicture* Picture) : FHTMLPicture(Picture) {}
    virtual void Execute() {}

private:
    THTMLPicture* FHTMLPicture;
};

class TPictureItem : public vcl::TCollectionItem {
    KV_CLASS(TPictureItem, vcl::TCollectionItem)
    KV_PUBLISHED_PROPERTIES(TPictureItem)
public:
    explicit TPictureItem(vcl::TCollection* Collection);
    ~TPictureItem() override;
    void Assign(vcl::TPersistent* Source) override;

    THTMLPicture* Picture() const { return FPicture.get(); }
    void SetPicture(THTMLPicture* Value) { FPicture->Assign(Value); }
    const String& Name() const { return FName; }
    void SetName(const String& Value) { FName = Value; }
    int Tag() const { return FTag; }
    void SetTag(int Value) { FTag = Value; }

private:
    std::unique_ptr<THTMLPicture> FPicture;
    String FName;
    int FTag = 0;
};

class TPictureCollection : public vcl::TCollection {
    KV_CLASS(TPictureCollection, vcl::TCollection)
public:
    explicit TPictureCollection(vcl::TPersistent* Owner);
    TPictureItem* Add();
    TPictureItem* Insert(int Index);
    TPictureItem* GetItem(int Index) const;
    // Steps every picture's animation; true when any advanced.
    bool Animate();
};

class TPictureContainer : public vcl::TComponent {
    KV_CLASS(TPictureContainer, vcl::TComponent)
    KV_PUBLISHED_PROPERTIES(TPictureContainer)
public:
    explicit TPictureContainer(vcl::TComponent* AOwner);
    ~TPictureContainer() override;

    TPictureCollection* Items() const { return FItems.get(); }
    // The picture of the first item whose name equals Name, ASCII letters in any case; null when none.
    virtual THTMLPicture* FindPicture(const String& Name);
    String Version() const;
    void SetVersion(const String&) {}
    static int GetVersionNr() { return 0x01000000; }

private:
    std::unique_ptr<TPictureCollection> FItems;
};

// Pictures of web-style sources, by their identity (compared exactly).
class THTMLPictureCache {
public:
    THTMLPicture* AddPicture();
    THTMLPicture* FindPicture(const String& ID) const;
    int Count() const { return static_cast<int>(FPictures.size()); }
    // The picture at Index; outside the list EListError "List index out of bounds (<i>)".
    THTMLPicture* GetPicture(int Index) const;
    // Puts Value in place of the picture at Index, which is freed; the cache owns Value from then on.
    // An index outside the list raises EListError as GetPicture does, and a null Value EInvalidPointer
    // (every entry of the cache is a picture); the cache is then unchanged.
    void SetPicture(int Index, std::unique_ptr<THTMLPicture> Value);
    void ClearPictures() { FPictures.clear(); }
    bool Animate();

private:
    std::vector<std::unique_ptr<THTMLPicture>> FPictures;
};

void RegisterPictureContainerClasses();

} // namespace PictureContainer
