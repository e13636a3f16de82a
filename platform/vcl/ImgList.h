#pragma once
// Image lists: a row of equally sized images, drawn by index, with change notification to the
// controls that show them.
//
// Each image is kept as premultiplied 32-bit pixels; the masked part of an image is transparent.
// The disabled look (Draw with Enabled false) is the classic embossed one: the image's shape (its
// pixels of alpha 128 or more) drawn once in clBtnHighlight one pixel right and down, then in
// clBtnShadow in place; the image's own colours are not drawn.

#include <cstdint>
#include <vector>

#include "platform/classes/Component.h"
#include "platform/classes/Properties.h"
#include "platform/vcl/Bitmap.h"

namespace vcl {

class TCustomImageList;

// Tells a control that an image list it shows has changed. The control owns its link and registers
// it with the list (RegisterChanges); a link unregisters itself when freed, and a list that is freed
// clears the Sender of the links still registered.
class TChangeLink : public TObject {
    KV_CLASS(TChangeLink, TObject)
public:
    TChangeLink() = default;
    ~TChangeLink() override;

    TCustomImageList* Sender() const { return FSender; }
    void SetSender(TCustomImageList* Value) { FSender = Value; }
    TNotifyEvent OnChange;
    // Raises OnChange with the list as sender.
    virtual void Change();

private:
    TCustomImageList* FSender = nullptr;
};

enum TDrawingStyle { dsFocus, dsSelected, dsNormal, dsTransparent };
enum TImageType { itImage, itMask };
KV_ENUM_NAMES(TDrawingStyle, "dsFocus", "dsSelected", "dsNormal", "dsTransparent");
KV_ENUM_NAMES(TImageType, "itImage", "itMask");

class TCustomImageList : public TComponent {
    KV_CLASS(TCustomImageList, TComponent)
public:
    explicit TCustomImageList(TComponent* AOwner);
    // An owner-less list of the given image size.
    TCustomImageList(int AWidth, int AHeight);
    ~TCustomImageList() override;

    // Image size (16 x 16 at first). Changing it removes every image. A size below 1 raises
    // EInvalidOperation "Invalid image size".
    int Width() const { return FWidth; }
    void SetWidth(int Value);
    int Height() const { return FHeight; }
    void SetHeight(int Value);
    int Count() const { return static_cast<int>(FImages.size()); }

    // Adds the images of a bitmap: one per Width pixels across (at least one; a narrower or lower
    // bitmap gives a smaller image, transparent around it). The mask's white pixels are transparent;
    // without a mask, only the bitmap's own alpha (if it has one) is. Returns the index of the first
    // image added. A null or empty bitmap raises EInvalidOperation "Failed to add image".
    int Add(TBitmap* Image, TBitmap* Mask);
    // As Add, with the pixels of MaskColor transparent (clDefault: the bitmap's TransparentColor).
    int AddMasked(TBitmap* Image, TColor MaskColor);
    // Raise EInvalidOperation "Invalid ImageList Index" for an index outside the list.
    void Delete(int Index);
    void Replace(int Index, TBitmap* Image, TBitmap* Mask);
    void Clear();

    // Gives Image the list's image size and draws the image on it.
    void GetBitmap(int Index, TBitmap* Image);

    // Draws an image with its top-left corner at (X, Y); an index outside the list draws nothing.
    void Draw(TCanvas* Canvas, int X, int Y, int Index, bool Enabled = true);
    void Draw(TCanvas* Canvas, int X, int Y, int Index, TDrawingStyle ADrawingStyle, TImageType AImageType,
              bool Enabled = true);

    // dsNormal: over BkColor when one is set, else transparent; dsTransparent: always transparent;
    // dsFocus / dsSelected: blended 25% / 50% with BlendColor (clNone: clHighlight).
    TDrawingStyle DrawingStyle() const { return FDrawingStyle; }
    void SetDrawingStyle(TDrawingStyle Value);
    // itMask draws the mask: black where the image is, white where it is transparent.
    TImageType ImageType() const { return FImageType; }
    void SetImageType(TImageType Value);
    TColor BkColor() const { return FBkColor; }
    void SetBkColor(TColor Value);
    TColor BlendColor() const { return FBlendColor; }
    void SetBlendColor(TColor Value);
    // False: images are drawn whole, their transparent part in BkColor (white when clNone).
    bool Masked() const { return FMasked; }
    void SetMasked(bool Value);

    void RegisterChanges(TChangeLink* Value);
    void UnRegisterChanges(TChangeLink* Value);

    TNotifyEvent OnChange;

protected:
    // Tells every registered link, then OnChange.
    virtual void Change();

private:
    using TImage = std::vector<std::uint32_t>; // FWidth * FHeight premultiplied pixels
    void CheckIndex(int Index) const;
    std::vector<TImage> Cut(TBitmap* Image, TBitmap* Mask, bool UseKey, win::COLORREF Key) const;
    win::COLORREF KeyOf(TBitmap* Image, TColor MaskColor) const;

    int FWidth = 16;
    int FHeight = 16;
    std::vector<TImage> FImages;
    std::vector<TChangeLink*> FClients;
    TDrawingStyle FDrawingStyle = dsNormal;
    TImageType FImageType = itImage;
    TColor FBkColor = clNone;
    TColor FBlendColor = clNone;
    bool FMasked = true;
};

// The image list of layouts (registered by class name). Its images are added in code: the images
// themselves are not read from layouts.
class TImageList : public TCustomImageList {
    KV_CLASS(TImageList, TCustomImageList)
    KV_PUBLISHED_PROPERTIES(TImageList)
public:
    using TCustomImageList::TCustomImageList;
};

} // namespace vcl
