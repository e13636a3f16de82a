// The sizes picture files declare, read from their headers: at most 16 million pixels and no side
// above 32767, in every format and every place a format declares one.

#include <gtest/gtest.h>

#include <vector>

#include "platform/rtl/ImageHeader.h"

using namespace vcl;

namespace {

using Bytes = std::vector<unsigned char>;

TDeclaredSize Check(const Bytes& b) {
    return CheckDeclaredImageSize(b.data(), b.size());
}

void Be(Bytes& b, std::size_t at, std::uint32_t v, int n) {
    for (int i = 0; i < n; ++i)
        b[at + static_cast<std::size_t>(i)] = static_cast<unsigned char>(v >> (8 * (n - 1 - i)));
}

void Le(Bytes& b, std::size_t at, std::uint32_t v, int n) {
    for (int i = 0; i < n; ++i)
        b[at + static_cast<std::size_t>(i)] = static_cast<unsigned char>(v >> (8 * i));
}

Bytes Png(std::uint32_t w, std::uint32_t h) {
    Bytes b = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 13, 'I', 'H', 'D', 'R'};
    b.resize(33, 0);
    Be(b, 16, w, 4);
    Be(b, 20, h, 4);
    return b;
}

// Start of image, an application segment, then a baseline frame header.
Bytes Jpeg(std::uint32_t w, std::uint32_t h) {
    Bytes b = {0xFF, 0xD8, 0xFF, 0xE0, 0, 4, 'x', 'y', 0xFF, 0xC0, 0, 11, 8, 0, 0, 0, 0, 1, 1, 0x11, 0};
    Be(b, 13, h, 2);
    Be(b, 15, w, 2);
    return b;
}

// A TIFF's first directory with its width and length tags (LONG and SHORT).
Bytes Tiff(std::uint32_t w, std::uint32_t h) {
    Bytes b = {'I', 'I', 42, 0, 8, 0, 0, 0, 2, 0};
    b.resize(10 + 24 + 4, 0);
    Le(b, 10, 256, 2);
    Le(b, 12, 4, 2);
    Le(b, 14, 1, 4);
    Le(b, 18, w, 4);
    Le(b, 22, 257, 2);
    Le(b, 24, 3, 2);
    Le(b, 26, 1, 4);
    Le(b, 30, h, 2);
    return b;
}

// One icon entry of 16 by 16 whose picture is a PNG declaring w by h.
Bytes IconWithPng(std::uint32_t w, std::uint32_t h) {
    Bytes b = {0, 0, 1, 0, 1, 0, 16, 16, 0, 0, 1, 0, 32, 0, 33, 0, 0, 0, 22, 0, 0, 0};
    Bytes png = Png(w, h);
    b.insert(b.end(), png.begin(), png.end());
    return b;
}

} // namespace

TEST(DeclaredImageSize, EachFormatIsReadWhereItDeclaresItsSize) {
    EXPECT_EQ(Check(Png(4096, 4096)), TDeclaredSize::Allowed); // exactly 16 Mpixel
    EXPECT_EQ(Check(Png(4097, 4096)), TDeclaredSize::TooLarge);
    EXPECT_EQ(Check(Png(32768, 1)), TDeclaredSize::TooLarge);
    EXPECT_EQ(Check(Png(0xFFFFFFFF, 0xFFFFFFFF)), TDeclaredSize::TooLarge);
    EXPECT_EQ(Check(Jpeg(640, 480)), TDeclaredSize::Allowed);
    EXPECT_EQ(Check(Jpeg(65535, 65535)), TDeclaredSize::TooLarge);
    EXPECT_EQ(Check(Tiff(100, 100)), TDeclaredSize::Allowed);
    EXPECT_EQ(Check(Tiff(20000, 20000)), TDeclaredSize::TooLarge);
    EXPECT_EQ(Check(IconWithPng(16, 16)), TDeclaredSize::Allowed);
    EXPECT_EQ(Check(IconWithPng(8192, 8192)), TDeclaredSize::TooLarge) << "the picture inside an icon";
}

TEST(DeclaredImageSize, GifFramesCountWithTheirPlaceOnTheScreen) {
    // Screen 10 x 10, no colour table; a frame at (30000, 0) of 4000 x 1 reaches past 32767.
    Bytes gif = {'G',  'I', 'F', '8', '9', 'a', 10, 0, 10, 0, 0, 0, 0,
                 0x2C, 0,   0,   0,   0,   0,   0,  0, 0,  0, 2, 0, 0x3B};
    Le(gif, 14, 30000, 2);
    Le(gif, 18, 4000, 2);
    Le(gif, 20, 1, 2);
    EXPECT_EQ(Check(gif), TDeclaredSize::TooLarge);
    Le(gif, 14, 0, 2);
    EXPECT_EQ(Check(gif), TDeclaredSize::Allowed);
}

TEST(DeclaredImageSize, WhatCannotBeReadIsLeftToTheDecoder) {
    EXPECT_EQ(Check({}), TDeclaredSize::Unknown);
    EXPECT_EQ(Check({'h', 'e', 'l', 'l', 'o'}), TDeclaredSize::Unknown);
    Bytes cut = Png(10, 10);
    cut.resize(18);
    EXPECT_EQ(Check(cut), TDeclaredSize::Unknown);
    EXPECT_EQ(Check({0xFF, 0xD8, 0xFF, 0xDA, 0, 2}), TDeclaredSize::Unknown) << "a scan before any frame";
    EXPECT_EQ(Check({'I', 'I', 42, 0, 0xFF, 0xFF, 0xFF, 0x7F}), TDeclaredSize::Unknown);
}

// A BMP header given to a general decoder: its fields must not make that decoder size a buffer by garbage.
TEST(DeclaredImageSize, BmpHeadersAreReadiedForAGeneralDecoder) {
    auto bmp = [](std::uint32_t header, std::uint32_t offset, std::uint32_t bits, std::uint32_t colours) {
        Bytes b(70, 0);
        b[0] = 'B';
        b[1] = 'M';
        Le(b, 10, offset, 4);
        Le(b, 14, header, 4);
        Le(b, 28, bits, 2);
        Le(b, 46, colours, 4);
        return b;
    };
    Bytes b = bmp(40, 58, 8, 0xFFFFFFFF);
    EXPECT_TRUE(SanitiseBmpHeader(b.data(), b.size()));
    EXPECT_EQ(b[46] | b[47] | b[48] | b[49], 0) << "a count beyond 256 colours means the full table";
    b = bmp(40, 58, 4, 16);
    EXPECT_TRUE(SanitiseBmpHeader(b.data(), b.size()));
    EXPECT_EQ(b[46], 16);
    b = bmp(40, 58, 4, 17);
    EXPECT_TRUE(SanitiseBmpHeader(b.data(), b.size()));
    EXPECT_EQ(b[46], 0);
    for (Bytes bad :
         {bmp(0xFD000000, 58, 8, 0), bmp(41, 58, 8, 0), bmp(40, 0x696E6136, 8, 0), bmp(40, 20, 8, 0)})
        EXPECT_FALSE(SanitiseBmpHeader(bad.data(), bad.size()));
}

TEST(DeclaredImageSize, IconEntriesAreReadiedForAGeneralDecoder) {
    Bytes png = IconWithPng(16, 16);
    EXPECT_TRUE(SanitiseIconFile(png.data(), png.size()));
    Bytes beyond = png;
    Le(beyond, 14, 34, 4); // the picture's size reaches one byte past the end
    EXPECT_FALSE(SanitiseIconFile(beyond.data(), beyond.size()));
    // A bitmap entry: its header size must be one a bitmap has; its colour count is clamped.
    Bytes dib = {0, 0, 1, 0, 1, 0, 16, 16, 0, 0, 1, 0, 32, 0, 40, 0, 0, 0, 22, 0, 0, 0};
    dib.resize(22 + 40, 0);
    Le(dib, 22, 40, 4);
    Le(dib, 22 + 14, 4, 2);
    Le(dib, 22 + 32, 0xFFFF, 4);
    EXPECT_TRUE(SanitiseIconFile(dib.data(), dib.size()));
    EXPECT_EQ(dib[22 + 32] | dib[22 + 33], 0);
    Le(dib, 22, 0x00284D42, 4); // a whole BMP file where the header belongs
    EXPECT_FALSE(SanitiseIconFile(dib.data(), dib.size()));
}
