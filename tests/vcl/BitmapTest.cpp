// Bitmaps: size, streams of every depth, transparency, drawing, scan lines, resources. Image lists: strips
// cut into images, masks, drawing styles, change links.

#include <gtest/gtest.h>

#include <cstring>
#include <set>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Resources.h"
#include "platform/vcl/ImgList.h"
#include "tests/vcl/GraphicsTestSupport.h"

using namespace vcl;
using namespace graphics_test;

namespace {

std::uint32_t At(TBitmap& b, int x, int y) {
    return b.PixelData()[y * b.Width() + x];
}

} // namespace

TEST(BitmapSize, NewPixelsTakeTheBrushOldOnesStayAndDrawingIsAChange) {
    TBitmap b;
    EXPECT_TRUE(b.Empty());
    EXPECT_EQ(b.Handle(), nullptr);
    // Measuring works on an empty bitmap's canvas.
    EXPECT_GT(b.Canvas()->TextWidth("abc"), 0);
    int changes = 0;
    b.OnChange = [&](TObject*) { ++changes; };
    b.SetSize(3, 2);
    EXPECT_EQ(changes, 1);
    EXPECT_FALSE(b.Empty());
    EXPECT_EQ(b.Canvas()->Pixels(2, 1), Rgb(255, 255, 255)) << "a new bitmap is white";
    b.Canvas()->Pixels(0, 0) = Rgb(1, 2, 3);
    b.Canvas()->Brush()->SetColor(clRed);
    b.SetWidth(5);
    EXPECT_EQ(b.Canvas()->Pixels(0, 0), Rgb(1, 2, 3)) << "kept across the resize";
    EXPECT_EQ(b.Canvas()->Pixels(4, 1), Rgb(255, 0, 0)) << "new columns in the brush colour";
    b.SetHeight(0);
    EXPECT_TRUE(b.Empty());
    b.SetSize(-4, 3);
    EXPECT_TRUE(b.Empty()) << "a negative size is no size";
    EXPECT_THROW(b.SetSize(100000, 100000), EOutOfResources);

    b.SetSize(4, 4);
    changes = 0;
    b.Canvas()->FillRect(Rect(0, 0, 4, 4));
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(b.Modified());
    b.SetSize(6, 6);
    b.Canvas()->Brush()->SetColor(clBlue);
    b.Canvas()->FillRect(Rect(4, 4, 6, 6)); // the canvas moved to the new section
    EXPECT_EQ(b.Canvas()->Pixels(5, 5), Rgb(0, 0, 255));
}

TEST(BitmapStreams, BmpFilesOfEveryDepthAreRead) {
    TBitmap b;
    // 24 bits, bottom-up, 3 x 2 (rows padded to 4 bytes).
    LoadBytes(b, MakeBmp(3, 2, 24, {0xFF0000, 0x00FF00, 0x0000FF, 0x112233, 0x445566, 0x778899}));
    ASSERT_EQ(b.Width(), 3);
    ASSERT_EQ(b.Height(), 2);
    EXPECT_EQ(b.PixelFormat(), pf24bit);
    ExpectPixels(b.Canvas(), {{0, 0, Rgb(255, 0, 0)}, {2, 0, Rgb(0, 0, 255)}, {1, 1, Rgb(0x44, 0x55, 0x66)}});

    // 8 bits with a palette, top-down.
    LoadBytes(b, MakeBmp(2, 2, 8, {0, 1, 2, 1}, {0x000000, 0xFFFF00, 0x0080FF}, true));
    EXPECT_EQ(b.PixelFormat(), pf8bit);
    ExpectPixels(b.Canvas(), {{1, 0, Rgb(255, 255, 0)}, {0, 1, Rgb(0, 0x80, 0xFF)}});

    // 4 bits.
    LoadBytes(b, MakeBmp(3, 1, 4, {1, 0, 1}, {0xFFFFFF, 0x00FF00}));
    ExpectPixels(b.Canvas(), {{0, 0, Rgb(0, 255, 0)}, {1, 0, Rgb(255, 255, 255)}});

    // 1 bit, black and white: a monochrome bitmap.
    LoadBytes(b, MakeBmp(9, 1, 1, {1, 0, 0, 0, 0, 0, 0, 0, 1}, {0x000000, 0xFFFFFF}));
    EXPECT_TRUE(b.Monochrome());
    EXPECT_EQ(b.PixelFormat(), pf1bit);
    ExpectPixels(b.Canvas(), {{0, 0, Rgb(255, 255, 255)}, {1, 0, Rgb(0, 0, 0)}, {8, 0, Rgb(255, 255, 255)}});

    // 1 bit in colour is not monochrome.
    LoadBytes(b, MakeBmp(2, 1, 1, {0, 1}, {0xFF0000, 0x0000FF}));
    EXPECT_FALSE(b.Monochrome());
    EXPECT_EQ(b.Canvas()->Pixels(0, 0), Rgb(255, 0, 0));
}

TEST(BitmapStreams, BrokenDataIsRefusedAndChangesNothing) {
    TBitmap b;
    LoadBytes(b, MakeBmp(2, 2, 24, {1, 2, 3, 4}));
    String good = MakeBmp(4, 4, 24, std::vector<std::uint32_t>(16, 0));
    const String bad[] = {
        "not a picture at all", good.substr(0, good.size() - 10), // bits cut short
        good.substr(0, 20),                                       // header cut short
        MakeBmp(2, 2, 7, {0, 0, 0, 0}),                           // no such depth
    };
    for (const String& data : bad) {
        try {
            LoadBytes(b, data);
            ADD_FAILURE() << "accepted bad data of " << data.size() << " bytes";
        } catch (const EInvalidGraphic& e) {
            EXPECT_EQ(e.Message, "Bitmap image is not valid");
        }
        EXPECT_EQ(b.Width(), 2);
        EXPECT_EQ(b.Canvas()->Pixels(0, 0), Rgb(0, 0, 1));
    }
    // A header claiming a huge picture is refused before anything is allocated.
    String huge = MakeBmp(1, 1, 24, {0});
    huge[18] = '\xFF';
    huge[19] = '\xFF';
    huge[20] = '\x0F';
    EXPECT_THROW(LoadBytes(b, huge), EOutOfResources);
}

TEST(BitmapStreams, SavingWritesBmpThatReadsBackTheSame) {
    auto b = Filled(5, 3, clWhite);
    b->Canvas()->Pixels(0, 0) = Rgb(200, 100, 50);
    b->Canvas()->Pixels(4, 2) = Rgb(1, 2, 3);
    String bytes = SaveBytes(*b);
    ASSERT_EQ(bytes.substr(0, 2), "BM");
    EXPECT_EQ(static_cast<unsigned char>(bytes[28]), 24) << "24 bits unless asked otherwise";
    TBitmap c;
    LoadBytes(c, bytes);
    EXPECT_EQ(c.Width(), 5);
    ExpectPixels(c.Canvas(), {{0, 0, Rgb(200, 100, 50)}, {4, 2, Rgb(1, 2, 3)}});

    b->SetPixelFormat(pf32bit);
    EXPECT_EQ(static_cast<unsigned char>(SaveBytes(*b)[28]), 32);

    b->SetMonochrome(true);
    String mono = SaveBytes(*b);
    EXPECT_EQ(static_cast<unsigned char>(mono[28]), 1);
    TBitmap m;
    LoadBytes(m, mono);
    EXPECT_TRUE(m.Monochrome());
    // Orange is darker than mid-grey.
    ExpectPixels(m.Canvas(), {{0, 0, Rgb(0, 0, 0)}, {2, 1, Rgb(255, 255, 255)}, {4, 2, Rgb(0, 0, 0)}});

    TBitmap empty;
    EXPECT_EQ(SaveBytes(empty), "");
    LoadBytes(m, "");
    EXPECT_TRUE(m.Empty()) << "no data is an empty bitmap";
}

TEST(BitmapStreams, LayoutDataRoundTrips) {
    auto b = Filled(2, 2, clAqua);
    TMemoryStream s;
    b->WriteData(&s);
    std::uint32_t size = 0;
    std::memcpy(&size, s.Memory(), 4);
    EXPECT_EQ(static_cast<Int64>(size) + 4, s.Size());
    s.SetPosition(0);
    TBitmap c;
    c.ReadData(&s);
    EXPECT_EQ(c.Canvas()->Pixels(1, 1), Rgb(0, 255, 255));

    // A count beyond the data is a read error, not a read past the end.
    TStringStream bad(String("\x40\x00\x00\x00", 4) + "BM");
    EXPECT_THROW(c.ReadData(&bad), EReadError);
}

TEST(BitmapStreams, PngAndJpegDecodeThroughTheImagingLibrary) {
    TBitmap b;
    LoadBytes(b, MakePng(2, 1, {0xFFFF0000, 0x80000000 | 0x0000FF}));
    ASSERT_EQ(b.Width(), 2);
    EXPECT_EQ(b.AlphaFormat(), afPremultiplied);
    EXPECT_EQ(b.PixelFormat(), pf32bit);
    EXPECT_EQ(At(b, 0, 0), 0xFFFF0000u);
    EXPECT_EQ(At(b, 1, 0) >> 24, 0x80u);
    EXPECT_EQ(At(b, 1, 0) & 0xFF, 0x80u) << "blue premultiplied by half";

    LoadBytes(b, MakePng(3, 3, std::vector<std::uint32_t>(9, 0xFF00FF00)));
    EXPECT_EQ(b.AlphaFormat(), afIgnored) << "an opaque PNG has no alpha to blend";
    EXPECT_EQ(b.Canvas()->Pixels(2, 2), Rgb(0, 255, 0));

    LoadBytes(b, MakePng(8, 8, std::vector<std::uint32_t>(64, 0xFFFFFFFF), "jpeg"));
    EXPECT_EQ(b.Width(), 8);
}

TEST(BitmapTransparency, AutoModeTakesTheBottomLeftPixel) {
    auto b = Filled(4, 4, clFuchsia);
    b->Canvas()->Pixels(0, 0) = Rgb(1, 1, 1);
    EXPECT_EQ(b->TransparentMode(), tmAuto);
    EXPECT_EQ(b->TransparentColor(), clFuchsia);
    b->Canvas()->Pixels(0, 3) = Rgb(9, 9, 9);
    EXPECT_EQ(b->TransparentColor(), Rgb(9, 9, 9));

    b->SetTransparentColor(clWhite);
    EXPECT_EQ(b->TransparentMode(), tmFixed);
    EXPECT_EQ(b->TransparentColor(), clWhite);
    b->SetTransparentMode(tmAuto);
    EXPECT_EQ(b->TransparentColor(), Rgb(9, 9, 9)) << "auto mode forgets the fixed colour";

    TBitmap empty;
    EXPECT_EQ(empty.TransparentColor(), clDefault);
}

TEST(BitmapTransparency, TransparentDrawLeavesTheKeyColourOutAndMonochromeTakesTheCanvasColours) {
    auto glyph = Filled(4, 4, clFuchsia);
    glyph->Canvas()->Pixels(1, 1) = Rgb(0, 0, 255);
    auto target = Filled(6, 6, clLime);
    target->Canvas()->Draw(1, 1, glyph.get());
    EXPECT_EQ(target->Canvas()->Pixels(1, 1), Rgb(255, 0, 255)) << "opaque unless transparent";

    target->Canvas()->Brush()->SetColor(clLime);
    target->Canvas()->FillRect(Rect(0, 0, 6, 6));
    glyph->SetTransparent(true);
    target->Canvas()->Draw(1, 1, glyph.get());
    ExpectPixels(target->Canvas(), {{1, 1, Rgb(0, 255, 0)}, {2, 2, Rgb(0, 0, 255)}, {4, 4, Rgb(0, 255, 0)}});

    auto mono = Filled(3, 1, clWhite);
    mono->Canvas()->Pixels(1, 0) = Rgb(0, 0, 0);
    mono->SetMonochrome(true);
    mono->SetTransparent(true);
    auto line = Filled(5, 1, clLime);
    line->Canvas()->Font()->SetColor(clRed);
    line->Canvas()->Draw(0, 0, mono.get());
    // Transparent: white lets the target show, black takes the font colour.
    ExpectPixels(line->Canvas(), {{0, 0, Rgb(0, 255, 0)}, {1, 0, Rgb(255, 0, 0)}});
    // Opaque: white takes the brush colour.
    mono->SetTransparent(false);
    line->Canvas()->Brush()->SetColor(clBlue);
    line->Canvas()->Draw(2, 0, mono.get());
    ExpectPixels(line->Canvas(), {{2, 0, Rgb(0, 0, 255)}, {3, 0, Rgb(255, 0, 0)}});
}

TEST(BitmapDraw, StretchDrawAndBrushCopy) {
    auto src = Filled(2, 2, clWhite);
    src->Canvas()->Pixels(0, 0) = Rgb(255, 0, 0);
    auto dst = Filled(4, 4, clBlack);
    dst->Canvas()->StretchDraw(Rect(0, 0, 4, 4), src.get());
    ExpectPixels(dst->Canvas(), {{1, 1, Rgb(255, 0, 0)}, {2, 2, Rgb(255, 255, 255)}});

    // The white of the source becomes the destination's brush.
    dst->Canvas()->Brush()->SetColor(clGray);
    dst->Canvas()->BrushCopy(Rect(0, 0, 2, 2), src.get(), Rect(0, 0, 2, 2), clWhite);
    ExpectPixels(dst->Canvas(), {{0, 0, Rgb(255, 0, 0)}, {1, 1, Rgb(128, 128, 128)}});

    TBitmap empty;
    dst->Canvas()->Draw(0, 0, &empty); // nothing to draw, no failure
    dst->Canvas()->Draw(0, 0, nullptr);
}

TEST(BitmapDraw, AShrunkColourBitmapLeavesOutTheRowsAndColumnsItDrops) {
    // A black stroke in the first of three columns, drawn into one: the framework stretches colour
    // bitmaps with COLORONCOLOR, which keeps the middle column, where a new DC's mode would keep the black.
    auto src = Filled(3, 1, clWhite);
    src->Canvas()->Pixels(0, 0) = Rgb(0, 0, 0);
    auto dst = Filled(2, 1, clWhite);
    EXPECT_EQ(win::GetStretchBltMode(dst->Canvas()->Handle()), win::BLACKONWHITE);
    dst->Canvas()->StretchDraw(Rect(0, 0, 1, 1), src.get());
    ExpectPixels(dst->Canvas(), {{0, 0, Rgb(255, 255, 255)}});
    EXPECT_EQ(win::GetStretchBltMode(dst->Canvas()->Handle()), win::COLORONCOLOR);
}

TEST(BitmapAccess, ScanLinesAreThe32BitRows) {
    auto b = Filled(3, 2, clWhite);
    EXPECT_THROW(b->ScanLine(0), EInvalidGraphicOperation) << "rows of other formats are not offered";
    b->SetPixelFormat(pf32bit);
    auto* row = static_cast<std::uint32_t*>(b->ScanLine(1));
    row[2] = 0x00112233; // blue 0x33, green 0x22, red 0x11, alpha 0
    EXPECT_EQ(b->Canvas()->Pixels(2, 1), Rgb(0x11, 0x22, 0x33));
    // The zero alpha byte written through the row means nothing when the bitmap is drawn.
    auto target = Filled(4, 4, clWhite);
    target->Canvas()->Draw(1, 1, b.get());
    EXPECT_EQ(target->Canvas()->Pixels(3, 2), Rgb(0x11, 0x22, 0x33));
    b->Canvas()->Pixels(0, 0) = Rgb(0xAA, 0xBB, 0xCC);
    EXPECT_EQ(static_cast<std::uint32_t*>(b->ScanLine(0))[0] & 0xFFFFFF, 0xAABBCCu);
    try {
        b->ScanLine(2);
        FAIL() << "row outside the bitmap";
    } catch (const EInvalidGraphicOperation& e) {
        EXPECT_EQ(e.Message, "Scan line index out of range");
    }
    EXPECT_THROW(b->ScanLine(-1), EInvalidGraphicOperation);
}

TEST(BitmapAccess, AssignIsADeepCopy) {
    auto a = Filled(3, 3, clRed);
    a->SetTransparent(true);
    a->SetTransparentColor(clRed);
    TBitmap b;
    b.Assign(a.get());
    EXPECT_EQ(b.Width(), 3);
    EXPECT_TRUE(b.Transparent());
    EXPECT_EQ(b.TransparentMode(), tmFixed);
    EXPECT_NE(b.Handle(), a->Handle());
    b.Canvas()->Pixels(0, 0) = Rgb(0, 0, 0);
    EXPECT_EQ(a->Canvas()->Pixels(0, 0), Rgb(255, 0, 0)) << "the copy has pixels of its own";

    b.Assign(nullptr);
    EXPECT_TRUE(b.Empty());
    TFont font;
    EXPECT_THROW(b.Assign(&font), EConvertError);
}

TEST(BitmapResources, LoadsFilesAndBareBitmapsByName) {
    String file = MakeBmp(2, 1, 24, {0x00FF00, 0x0000FF});
    RegisterResource("KVTESTBMPFILE", RT_BITMAP, file.data(), file.size());
    String bare = file.substr(14);
    RegisterResource("KVTESTBMPBARE", RT_BITMAP, bare.data(), bare.size());

    TBitmap b;
    b.LoadFromResourceName(nullptr, "KvTestBmpFile");
    EXPECT_EQ(b.Canvas()->Pixels(0, 0), Rgb(0, 255, 0));
    TBitmap c;
    c.LoadFromResourceName(nullptr, "KVTESTBMPBARE");
    EXPECT_EQ(c.Canvas()->Pixels(1, 0), Rgb(0, 0, 255));
    EXPECT_THROW(c.LoadFromResourceName(nullptr, "KVTESTNOSUCHBMP"), EResNotFound);
    EXPECT_EQ(c.Width(), 2);
}

namespace {

// A strip of `count` 16 x 16 images on fuchsia, image k with a square of colour colours[k] at (4..11).
std::unique_ptr<TBitmap> Strip(const std::vector<TColor>& colours) {
    auto b = Filled(16 * static_cast<int>(colours.size()), 16, clFuchsia);
    for (std::size_t k = 0; k < colours.size(); ++k) {
        b->Canvas()->Brush()->SetColor(colours[k]);
        b->Canvas()->FillRect(Rect(16 * static_cast<int>(k) + 4, 4, 16 * static_cast<int>(k) + 12, 12));
    }
    return b;
}

std::set<TColor> ColoursIn(TCanvas* c, const TRect& r) {
    std::set<TColor> s;
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x)
            s.insert(c->Pixels(x, y));
    return s;
}

} // namespace

TEST(ImageListContent, AddMaskedCutsAStripIntoImages) {
    TComponentPtr<TImageList> list(new TImageList(nullptr));
    EXPECT_EQ(list->Count(), 0);

    auto strip = Strip({clRed, clLime, clBlue});
    EXPECT_EQ(list->AddMasked(strip.get(), clFuchsia), 0);
    EXPECT_EQ(list->Count(), 3);
    EXPECT_EQ(list->AddMasked(strip.get(), clDefault), 3) << "clDefault: the bitmap's transparent colour";
    EXPECT_EQ(list->Count(), 6);

    auto target = Filled(20, 20, clWhite);
    list->Draw(target->Canvas(), 2, 2, 1);
    EXPECT_EQ(target->Canvas()->Pixels(2 + 6, 2 + 6), Rgb(0, 255, 0)) << "image 1 is the second cell";
    EXPECT_EQ(target->Canvas()->Pixels(2 + 1, 2 + 1), Rgb(255, 255, 255)) << "the mask colour is transparent";

    // A bitmap narrower than the list gives one smaller image, transparent around it.
    auto small = Filled(4, 4, clNavy);
    int index = list->AddMasked(small.get(), clFuchsia);
    EXPECT_EQ(index, 6);
    auto t2 = Filled(20, 20, clWhite);
    list->Draw(t2->Canvas(), 0, 0, index);
    ExpectPixels(t2->Canvas(), {{1, 1, Rgb(0, 0, 128)}, {8, 8, Rgb(255, 255, 255)}});

    try {
        list->AddMasked(nullptr, clFuchsia);
        FAIL() << "added nothing";
    } catch (const EInvalidOperation& e) {
        EXPECT_EQ(e.Message, "Failed to add image");
    }
}

TEST(ImageListContent, AddWithAMaskDeleteReplaceAndClear) {
    TComponentPtr<TImageList> list(new TImageList(8, 8));
    auto image = Filled(16, 8, clRed);
    auto mask = Filled(16, 8, clBlack);
    mask->Canvas()->Brush()->SetColor(clWhite);
    mask->Canvas()->FillRect(Rect(0, 0, 4, 8)); // left half of the first image transparent
    EXPECT_EQ(list->Add(image.get(), mask.get()), 0);
    EXPECT_EQ(list->Count(), 2);

    auto target = Filled(8, 8, clWhite);
    list->Draw(target->Canvas(), 0, 0, 0);
    ExpectPixels(target->Canvas(), {{1, 1, Rgb(255, 255, 255)}, {6, 1, Rgb(255, 0, 0)}});

    auto blue = Filled(8, 8, clBlue);
    list->Replace(1, blue.get(), nullptr);
    list->Draw(target->Canvas(), 0, 0, 1);
    EXPECT_EQ(target->Canvas()->Pixels(1, 1), Rgb(0, 0, 255));

    list->Delete(0);
    EXPECT_EQ(list->Count(), 1);
    try {
        list->Delete(1);
        FAIL() << "deleted past the end";
    } catch (const EInvalidOperation& e) {
        EXPECT_EQ(e.Message, "Invalid ImageList Index");
    }
    EXPECT_THROW(list->Replace(-1, blue.get(), nullptr), EInvalidOperation);
    list->Draw(target->Canvas(), 0, 0, 5); // out of range draws nothing

    TBitmap copy;
    list->GetBitmap(0, &copy);
    EXPECT_EQ(copy.Width(), 8);
    EXPECT_EQ(copy.Canvas()->Pixels(3, 3), Rgb(0, 0, 255));

    list->Clear();
    EXPECT_EQ(list->Count(), 0);

    // A new size empties the list; a size below 1 is refused.
    list->Add(image.get(), mask.get());
    list->SetWidth(24);
    EXPECT_EQ(list->Count(), 0);
    try {
        list->SetHeight(0);
        FAIL() << "zero height accepted";
    } catch (const EInvalidOperation& e) {
        EXPECT_EQ(e.Message, "Invalid image size");
    }
    EXPECT_EQ(list->Height(), 8);
    EXPECT_THROW(TImageList(0, 5), EInvalidOperation);
}

TEST(ImageListDrawing, DisabledLooksEmbossedAndStylesChooseMaskAndBackground) {
    TComponentPtr<TImageList> list(new TImageList(nullptr));
    auto strip = Strip({clRed});
    list->AddMasked(strip.get(), clFuchsia);
    auto enabled = Filled(20, 20, clWhite);
    auto disabled = Filled(20, 20, clWhite);
    list->Draw(enabled->Canvas(), 0, 0, 0, true);
    list->Draw(disabled->Canvas(), 0, 0, 0, false);

    EXPECT_EQ(enabled->Canvas()->Pixels(6, 6), Rgb(255, 0, 0));
    std::set<TColor> seen = ColoursIn(disabled->Canvas(), Rect(0, 0, 20, 20));
    const TColor shadow = ColorToRGB(clBtnShadow), light = ColorToRGB(clBtnHighlight);
    EXPECT_EQ(seen.count(Rgb(255, 0, 0)), 0u) << "no trace of the image's colour";
    EXPECT_EQ(disabled->Canvas()->Pixels(6, 6), shadow);
    EXPECT_EQ(disabled->Canvas()->Pixels(12, 12), light) << "highlight one pixel down and right";
    EXPECT_EQ(disabled->Canvas()->Pixels(1, 1), Rgb(255, 255, 255));

    auto black = Strip({clBlack});
    list->Clear();
    list->AddMasked(black.get(), clFuchsia);
    auto target = Filled(16, 16, clLime);
    list->SetBkColor(clYellow);
    list->Draw(target->Canvas(), 0, 0, 0);
    EXPECT_EQ(target->Canvas()->Pixels(1, 1), Rgb(255, 255, 0)) << "dsNormal with a background colour";
    list->SetDrawingStyle(dsTransparent);
    target->Canvas()->FillRect(Rect(0, 0, 16, 16));
    list->Draw(target->Canvas(), 0, 0, 0);
    EXPECT_EQ(target->Canvas()->Pixels(1, 1), Rgb(0, 255, 0))
        << "dsTransparent ignores the background colour";

    list->Draw(target->Canvas(), 0, 0, 0, dsSelected, itImage);
    EXPECT_NE(target->Canvas()->Pixels(6, 6), Rgb(0, 0, 0)) << "selected images are blended";

    list->Draw(target->Canvas(), 0, 0, 0, dsNormal, itMask);
    ExpectPixels(target->Canvas(), {{1, 1, Rgb(255, 255, 255)}, {6, 6, Rgb(0, 0, 0)}});
}

TEST(ImageListLinks, ChangesReachRegisteredLinksOnly) {
    TComponentPtr<TImageList> list(new TImageList(nullptr));
    TChangeLink link;
    std::vector<TObject*> senders;
    link.OnChange = [&](TObject* s) { senders.push_back(s); };
    int own = 0;
    list->OnChange = [&](TObject*) { ++own; };
    list->RegisterChanges(&link);
    EXPECT_EQ(link.Sender(), list.get());

    auto strip = Strip({clRed, clBlue});
    list->AddMasked(strip.get(), clFuchsia);
    list->Delete(0);
    list->Clear();
    EXPECT_EQ(senders.size(), 3u);
    EXPECT_EQ(senders[0], list.get());
    EXPECT_EQ(own, 3);
    list->Clear(); // already empty: no change
    EXPECT_EQ(senders.size(), 3u);

    list->UnRegisterChanges(&link);
    EXPECT_EQ(link.Sender(), nullptr);
    list->SetBkColor(clRed);
    EXPECT_EQ(senders.size(), 3u);
    EXPECT_EQ(own, 4);
}

TEST(ImageListLinks, EitherSideMayGoFirst) {
    auto link = std::make_unique<TChangeLink>();
    {
        TComponentPtr<TImageList> list(new TImageList(nullptr));
        list->RegisterChanges(link.get());
        {
            TChangeLink shortLived;
            list->RegisterChanges(&shortLived);
        }                        // unregisters itself
        list->SetBkColor(clRed); // must not reach the freed link
    }
    EXPECT_EQ(link->Sender(), nullptr) << "a freed list lets its links go";

    // A list owned by a component goes with it.
    TComponentPtr<TComponent> owner(new TComponent(nullptr));
    auto* owned = new TImageList(owner.get());
    owned->RegisterChanges(link.get());
    owner.reset();
    EXPECT_EQ(link->Sender(), nullptr);
}
