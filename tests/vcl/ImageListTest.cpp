#include <gtest/gtest.h>

#include <set>

#include "platform/rtl/Exceptions.h"
#include "platform/vcl/ImgList.h"
#include "tests/vcl/GraphicsTestSupport.h"

using namespace vcl;
using namespace graphics_test;

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
