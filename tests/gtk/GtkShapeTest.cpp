// Shape and colour-key masks: no display needed.

#include <gtest/gtest.h>

#include "platform/backend/gtk/GtkShape.h"

using namespace gtkbackend;

namespace {

// A 6x3 ARGB32 image with raw pixels.
struct Raw {
    Raw() : S(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 6, 3)) {
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 6; ++x)
                Set(x, y, 0xFF808080);
    }
    ~Raw() { cairo_surface_destroy(S); }
    void Set(int x, int y, std::uint32_t argb) {
        cairo_surface_flush(S);
        auto* row = reinterpret_cast<std::uint32_t*>(cairo_image_surface_get_data(S) +
                                                     y * cairo_image_surface_get_stride(S));
        row[x] = argb;
        cairo_surface_mark_dirty(S);
    }
    cairo_surface_t* S;
};

bool In(const RegionPtr& r, int x, int y) {
    return cairo_region_contains_point(r.get(), x, y);
}

} // namespace

TEST(GtkShape, ColourKeyCutsOnlyItsColourWhateverTheAlphaByte) {
    Raw img;
    img.Set(1, 0, 0xFF0000FF); // blue in the image's order
    img.Set(2, 1, 0x000000FF); // the same colour with another alpha byte
    img.Set(3, 2, 0xFF0000FE); // almost, but not the key
    // The key is 0x00BBGGRR: blue is 0x00FF0000.
    RegionPtr r = VisiblePixels(img.S, 0x00FF0000u, false);
    EXPECT_FALSE(In(r, 1, 0));
    EXPECT_FALSE(In(r, 2, 1));
    EXPECT_TRUE(In(r, 3, 2));
    EXPECT_TRUE(In(r, 0, 0));
    EXPECT_TRUE(In(r, 5, 2));
    EXPECT_EQ(cairo_region_num_rectangles(r.get()) >= 1, true);
    // Red in the platform's order is not blue in the image's.
    RegionPtr red = VisiblePixels(img.S, 0x000000FFu, false);
    EXPECT_TRUE(In(red, 1, 0));
}

TEST(GtkShape, TransparentPixelsAreCutWhenAsked) {
    Raw img;
    img.Set(0, 0, 0x00000000);
    img.Set(5, 2, 0x01010101);
    RegionPtr kept = VisiblePixels(img.S, std::nullopt, true);
    EXPECT_FALSE(In(kept, 0, 0));
    EXPECT_TRUE(In(kept, 5, 2)); // faint is not transparent
    RegionPtr all = VisiblePixels(img.S, std::nullopt, false);
    EXPECT_TRUE(In(all, 0, 0));
}

TEST(GtkShape, ShapeAndMaskCombine) {
    EXPECT_EQ(CombineShape(nullptr, nullptr, 10, 10), nullptr);
    RegionPtr shape = RegionFromRects({vcl::TRect{0, 0, 5, 5}, vcl::TRect{3, 3, 3, 9} /* empty */});
    EXPECT_EQ(cairo_region_num_rectangles(shape.get()), 1);
    RegionPtr onlyShape = CombineShape(shape.get(), nullptr, 10, 10);
    EXPECT_TRUE(In(onlyShape, 4, 4));
    EXPECT_FALSE(In(onlyShape, 5, 5));
    RegionPtr mask = RegionFromRects({vcl::TRect{2, 2, 10, 10}});
    RegionPtr both = CombineShape(shape.get(), mask.get(), 10, 10);
    EXPECT_TRUE(In(both, 2, 2));
    EXPECT_FALSE(In(both, 1, 1));
    RegionPtr onlyMask = CombineShape(nullptr, mask.get(), 10, 10);
    EXPECT_TRUE(In(onlyMask, 9, 9));
    EXPECT_FALSE(In(onlyMask, 0, 0));
    // Masks never reach outside the window.
    RegionPtr wide = RegionFromRects({vcl::TRect{-5, -5, 50, 50}});
    RegionPtr clipped = CombineShape(nullptr, wide.get(), 10, 10);
    EXPECT_FALSE(In(clipped, 10, 10));
}
