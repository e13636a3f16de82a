#pragma once
// Value types, enumerations, globals and colour helpers of the GDI+ wrapper unit.
//
// The enumerations are GDI+'s own (same names, same numbering); they are the flat interface's types,
// brought into this namespace so that a wrapper value passes straight to GDI+ and code that sees both
// namespaces finds one entity per name.

#include <cstdint>

#include "platform/gdiplus/GdiPlusFlat.h"
#include "platform/rtl/Colors.h"

namespace AdvGDIP {

// A 32-bit colour: alpha in bits 24-31, red 16-23, green 8-15, blue 0-7.
using ARGB = gdip::ARGB;

struct TGPPoint {
    std::int32_t X = 0;
    std::int32_t Y = 0;
    constexpr bool operator==(const TGPPoint&) const = default;
};

struct TGPPointF {
    float X = 0;
    float Y = 0;
    constexpr bool operator==(const TGPPointF&) const = default;
};

struct TGPRect {
    std::int32_t X = 0;
    std::int32_t Y = 0;
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    constexpr bool operator==(const TGPRect&) const = default;
};

struct TGPRectF {
    float X = 0;
    float Y = 0;
    float Width = 0;
    float Height = 0;
    constexpr bool operator==(const TGPRectF&) const = default;
};

using Status = gdip::Status;
using enum gdip::Status;
using FillMode = gdip::FillMode;
using enum gdip::FillMode;
using Unit_ = gdip::Unit;
using enum gdip::Unit;
using DashStyle = gdip::DashStyle;
using enum gdip::DashStyle;
using WrapMode = gdip::WrapMode;
using enum gdip::WrapMode;
using LinearGradientMode = gdip::LinearGradientMode;
using enum gdip::LinearGradientMode;
using CombineMode = gdip::CombineMode;
using enum gdip::CombineMode;
using TextRenderingHint = gdip::TextRenderingHint;
using enum gdip::TextRenderingHint;
using StringAlignment = gdip::StringAlignment;
using enum gdip::StringAlignment;
using StringTrimming = gdip::StringTrimming;
using enum gdip::StringTrimming;
using HotkeyPrefix = gdip::HotkeyPrefix;
using enum gdip::HotkeyPrefix;
using FlushIntention = gdip::FlushIntention;
using enum gdip::FlushIntention;
using DebugEventLevel = gdip::DebugEventLevel;
using enum gdip::DebugEventLevel;
using RotateFlipType = gdip::RotateFlipType;
using enum gdip::RotateFlipType;
// Font style bits: bold 1, italic 2, underline 4, strike-out 8.
using FontStyle = gdip::FontStyle;
using enum gdip::FontStyle;

// Values the wrapper takes as plain integers, under GDI+'s names: smoothing modes, compositing
// qualities, line caps, string format flags and pixel formats.
using enum gdip::SmoothingMode;
using enum gdip::CompositingQuality;
using enum gdip::LineCap;
using enum gdip::StringFormatFlags;
using gdip::PixelFormat1bppIndexed;
using gdip::PixelFormat24bppRGB;
using gdip::PixelFormat32bppARGB;
using gdip::PixelFormat32bppPARGB;
using gdip::PixelFormat32bppRGB;

enum TGPImageFormat {
    ifUndefined,
    ifMemoryBMP,
    ifBMP,
    ifEMF,
    ifWMF,
    ifJPEG,
    ifPNG,
    ifGIF,
    ifTIFF,
    ifEXIF,
    ifIcon
};

// The library's text-rendering choice for captions and panel texts.
enum TAntiAlias { aaNone, aaClearType, aaAntiAlias };

// The GDI+ start-up record, the record GDI+ fills at start-up (its hooks are never called) and the
// token kept from start-up to shut-down.
extern gdip::GdiplusStartupInput StartupInput;
extern gdip::GdiplusStartupOutput StartupOutput;
extern gdip::ULONG_PTR gdiplusToken;

// The interval in milliseconds of every glow-fade timer in the library (glow buttons, toolbars, pager
// tabs); only the pager writes it.
extern std::int32_t GlowSpeed;

// GDI+'s published image-format identifiers.
using gdip::ImageFormatBMP;
using gdip::ImageFormatEMF;
using gdip::ImageFormatEXIF;
using gdip::ImageFormatGIF;
using gdip::ImageFormatIcon;
using gdip::ImageFormatJPEG;
using gdip::ImageFormatMemoryBMP;
using gdip::ImageFormatPNG;
using gdip::ImageFormatTIFF;
using gdip::ImageFormatUndefined;
using gdip::ImageFormatWMF;

// An opaque colour from a framework colour; system colours are resolved to their RGB value first.
ARGB ColorToARGB(vcl::TColor color);

constexpr ARGB MakeColor(std::uint8_t a, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return (static_cast<ARGB>(a) << 24) | (static_cast<ARGB>(r) << 16) | (static_cast<ARGB>(g) << 8) |
           static_cast<ARGB>(b);
}
constexpr ARGB MakeColor(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return MakeColor(255, r, g, b);
}

constexpr std::uint8_t GetAlpha(ARGB color) {
    return static_cast<std::uint8_t>(color >> 24);
}
constexpr std::uint8_t GetRed(ARGB color) {
    return static_cast<std::uint8_t>(color >> 16);
}
constexpr std::uint8_t GetGreen(ARGB color) {
    return static_cast<std::uint8_t>(color >> 8);
}
constexpr std::uint8_t GetBlue(ARGB color) {
    return static_cast<std::uint8_t>(color);
}

constexpr TGPPoint MakePoint(std::int32_t x, std::int32_t y) {
    return {x, y};
}
constexpr TGPPointF MakePoint(float x, float y) {
    return {x, y};
}
constexpr TGPRectF MakeRect(float x, float y, float width, float height) {
    return {x, y, width, height};
}

} // namespace AdvGDIP
