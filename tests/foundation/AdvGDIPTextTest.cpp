// Font families, fonts, string formats, and text drawn and measured inside its layout box.

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/rtl/Exceptions.h"
#include "tests/foundation/AdvGDIPTestSupport.h"

using namespace AdvGDIP;
using namespace AdvGDIPTest;

namespace {

const ARGB kBlack = MakeColor(0, 0, 0);

struct TBox {
    int Left = 1 << 30, Top = 1 << 30, Right = -1, Bottom = -1; // Right/Bottom inclusive
    int Dark = 0;
    bool Empty() const { return Dark == 0; }
};

// The box around the pixels noticeably darker than the white background.
TBox InkBox(TSurface& s, int width, int height) {
    TBox box;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (GetGreen(s.Pixel(x, y)) < 160) {
                box.Left = std::min(box.Left, x);
                box.Right = std::max(box.Right, x);
                box.Top = std::min(box.Top, y);
                box.Bottom = std::max(box.Bottom, y);
                ++box.Dark;
            }
    return box;
}

// A font, format and brush for one drawing.
struct TTextKit {
    explicit TTextKit(float size = 12.0f, int formatFlags = 0)
        : Family(vcl::String("Tahoma")), Font(&Family, size, FontStyleRegular, UnitPixel),
          Format(formatFlags, 0), Brush(kBlack) {}
    TGPFontFamily Family;
    TGPFont Font;
    TGPStringFormat Format;
    TGPSolidBrush Brush;
};

std::vector<ARGB> Pixels(TSurface& s, int width, int height) {
    std::vector<ARGB> out;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            out.push_back(s.Pixel(x, y));
    return out;
}

} // namespace

TEST(AdvGDIPFont, FamiliesByNameAndTheFallbackSignal) {
    TGPFontFamily family{vcl::String("Segoe UI")};
    EXPECT_EQ(family.GetLastStatus(), Ok);
    TGPFontFamily wide(u"Arial");
    EXPECT_EQ(wide.GetLastStatus(), Ok);

    TGPFontFamily unknown(vcl::String("Kalvenor Nonexistent Sans"));
    EXPECT_EQ(unknown.GetLastStatus(), FontFamilyNotFound);
    // A font of a missing family (or of none) cannot be made.
    TGPFont onUnknown(&unknown, 10.0f);
    EXPECT_NE(onUnknown.GetLastStatus(), Ok);
    TGPFont onNone(nullptr, 10.0f);
    EXPECT_EQ(onNone.GetLastStatus(), InvalidParameter);

    TGPFontCollection installed;
    TGPFontFamily inCollection(vcl::String("Tahoma"), &installed);
    EXPECT_EQ(inCollection.GetLastStatus(), Ok);
    TGPFont bold(&inCollection, 9.0f, FontStyleBold | FontStyleUnderline, UnitPoint);
    EXPECT_EQ(bold.GetLastStatus(), Ok);
}

TEST(AdvGDIPStringFormat, PropertiesCloneAndAssign) {
    TGPStringFormat format(gdip::StringFormatFlagsNoWrap, 0);
    ASSERT_EQ(format.GetLastStatus(), Ok);
    EXPECT_EQ(format.GetAlignment(), StringAlignmentNear);
    EXPECT_EQ(format.GetLineAlignment(), StringAlignmentNear);
    EXPECT_EQ(format.GetHotkeyPrefix(), HotkeyPrefixNone);

    EXPECT_EQ(format.SetAlignment(StringAlignmentCenter), Ok);
    EXPECT_EQ(format.SetLineAlignment(StringAlignmentFar), Ok);
    EXPECT_EQ(format.SetTrimming(StringTrimmingEllipsisWord), Ok);
    EXPECT_EQ(format.SetHotkeyPrefix(HotkeyPrefixShow), Ok);

    TGPStringFormat copy;
    copy.Assign(&format);
    EXPECT_EQ(copy.GetLastStatus(), Ok);
    EXPECT_EQ(copy.GetAlignment(), StringAlignmentCenter);
    EXPECT_EQ(copy.GetLineAlignment(), StringAlignmentFar);
    EXPECT_EQ(copy.GetTrimming(), StringTrimmingEllipsisWord);
    EXPECT_EQ(copy.GetHotkeyPrefix(), HotkeyPrefixShow);

    // The clone is a format of its own.
    format.SetAlignment(StringAlignmentFar);
    EXPECT_EQ(copy.GetAlignment(), StringAlignmentCenter);

    // Assigning a format to itself keeps it intact.
    copy.Assign(&copy);
    EXPECT_EQ(copy.GetLastStatus(), Ok);
    EXPECT_EQ(copy.GetTrimming(), StringTrimmingEllipsisWord);
    EXPECT_EQ(copy.GetAlignment(), StringAlignmentCenter);
    TGPStringFormat own;
    TGPStringFormat empty(static_cast<gdip::GpStringFormat*>(nullptr), Ok);
    own.Assign(&empty); // cloning nothing fails; the own format stays
    EXPECT_NE(own.GetLastStatus(), Ok);
    EXPECT_EQ(own.SetAlignment(StringAlignmentFar), Ok);
    EXPECT_EQ(own.GetAlignment(), StringAlignmentFar);

    try {
        own.Assign(nullptr);
        FAIL() << "no assertion failure";
    } catch (const vcl::EAssertionFailed& e) {
        EXPECT_NE(e.Message.find("Assertion failure"), vcl::String::npos);
        EXPECT_NE(e.Message.find("AdvGDIP"), vcl::String::npos);
        EXPECT_NE(e.Message.find("1839"), vcl::String::npos);
    }
    EXPECT_EQ(own.GetAlignment(), StringAlignmentFar);
}

TEST(AdvGDIPText, MeasureStringReportsFittedCodePointsAndLines) {
    TSurface s(10, 10);
    TTextKit kit;
    TGPRectF bounds;
    int fitted = -1, lines = -1;
    const gdip::WCHAR* hello = u"Hello";
    ASSERT_EQ(s.Graphics->MeasureString(hello, 5, &kit.Font, MakeRect(0.0f, 0.0f, 500.0f, 100.0f),
                                        &kit.Format, bounds, &fitted, &lines),
              Ok);
    EXPECT_EQ(fitted, 5);
    EXPECT_EQ(lines, 1);
    EXPECT_GT(bounds.Width, 10.0f);
    EXPECT_LT(bounds.Width, 120.0f);
    EXPECT_GT(bounds.Height, 8.0f);

    // Wrapping in a narrow box fills more lines; either out value may be left out.
    TGPRectF wrapped;
    ASSERT_EQ(s.Graphics->MeasureString(u"one two three four", -1, &kit.Font,
                                        MakeRect(0.0f, 0.0f, 50.0f, 500.0f), &kit.Format, wrapped, nullptr,
                                        &lines),
              Ok);
    EXPECT_GE(lines, 2);
    EXPECT_GT(wrapped.Height, bounds.Height);
    EXPECT_EQ(
        s.Graphics->MeasureString(hello, 5, &kit.Font, MakeRect(0.0f, 0.0f, 500.0f, 100.0f), nullptr, bounds),
        Ok);

    EXPECT_EQ(
        s.Graphics->MeasureString(hello, 5, nullptr, MakeRect(0.0f, 0.0f, 500.0f, 100.0f), nullptr, bounds),
        InvalidParameter);
    EXPECT_EQ(s.Graphics->GetLastStatus(), InvalidParameter);
}

TEST(AdvGDIPText, FarAlignedTextEndsAtItsBoxsFarCorner) {
    TTextKit kit(16.0f);
    kit.Format.SetAlignment(StringAlignmentFar);
    kit.Format.SetLineAlignment(StringAlignmentFar);
    TSurface far(200, 60);
    ASSERT_EQ(far.Graphics->DrawString(u"HHHH", 4, &kit.Font, MakeRect(20.0f, 10.0f, 160.0f, 40.0f),
                                       &kit.Format, &kit.Brush),
              Ok);
    TBox f = InkBox(far, 200, 60);
    ASSERT_FALSE(f.Empty());
    EXPECT_LE(f.Right, 180);
    EXPECT_GE(f.Right, 165);
    EXPECT_GT(f.Left, 100);
    EXPECT_LE(f.Bottom, 50);
    EXPECT_GE(f.Bottom, 38);
}

TEST(AdvGDIPText, EightBitTextIsDrawnAsItsCharacters) {
    TTextKit kit(14.0f);
    TSurface narrow(200, 30), wide(200, 30);
    const vcl::String utf8 = "Gr\xC3\xB6\xC3\x9F"
                             "e \xE2\x82\xAC";
    ASSERT_EQ(narrow.Graphics->DrawString(utf8, static_cast<int>(utf8.size()), &kit.Font,
                                          MakeRect(0.0f, 0.0f, 200.0f, 30.0f), &kit.Format, &kit.Brush),
              Ok);
    ASSERT_EQ(wide.Graphics->DrawString(u"Gr\u00F6\u00DFe \u20AC", -1, &kit.Font,
                                        MakeRect(0.0f, 0.0f, 200.0f, 30.0f), &kit.Format, &kit.Brush),
              Ok);
    EXPECT_EQ(Pixels(narrow, 200, 30), Pixels(wide, 200, 30));

    // A length shorter than the string draws only that many bytes.
    TSurface part(200, 30), whole(200, 30);
    ASSERT_EQ(part.Graphics->DrawString(vcl::String("Hello"), 2, &kit.Font,
                                        MakeRect(0.0f, 0.0f, 200.0f, 30.0f), &kit.Format, &kit.Brush),
              Ok);
    ASSERT_EQ(whole.Graphics->DrawString(vcl::String("He"), 2, &kit.Font, MakeRect(0.0f, 0.0f, 200.0f, 30.0f),
                                         &kit.Format, &kit.Brush),
              Ok);
    EXPECT_EQ(Pixels(part, 200, 30), Pixels(whole, 200, 30));

    // The empty string draws nothing.
    TSurface empty(40, 20);
    EXPECT_EQ(empty.Graphics->DrawString(vcl::String(), 0, &kit.Font, MakeRect(0.0f, 0.0f, 40.0f, 20.0f),
                                         &kit.Format, &kit.Brush),
              Ok);
    EXPECT_TRUE(InkBox(empty, 40, 20).Empty());

    // Missing font or brush fails without drawing.
    EXPECT_EQ(empty.Graphics->DrawString(vcl::String("x"), 1, nullptr, MakeRect(0.0f, 0.0f, 40.0f, 20.0f),
                                         &kit.Format, &kit.Brush),
              InvalidParameter);
    EXPECT_EQ(empty.Graphics->DrawString(vcl::String("x"), 1, &kit.Font, MakeRect(0.0f, 0.0f, 40.0f, 20.0f),
                                         &kit.Format, nullptr),
              InvalidParameter);
    EXPECT_TRUE(InkBox(empty, 40, 20).Empty());
}
