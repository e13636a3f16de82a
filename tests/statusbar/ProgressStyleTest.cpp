// The gauge's value classes and colour helpers.

#include <gtest/gtest.h>

#include <climits>

#include "components/statusbar/AdvOfficeStatusBarProgress.h"
#include "platform/rtl/Exceptions.h"
#include "tests/foundation/PublishedValues.h"

namespace {

using namespace vcl;
using namespace AdvOfficeStatusBar;

TEST(StatusBarColors, ColorToARGBIsOpaqueWithRedAndBlueSwapped) {
    EXPECT_EQ(ColorToARGB(0x0000FF), 0xFFFF0000u);
    EXPECT_EQ(ColorToARGB(0xFF0000), 0xFF0000FFu);
    EXPECT_EQ(ColorToARGB(0x123456), 0xFF563412u);
    auto face = static_cast<std::uint32_t>(ColorToRGB(clBtnFace));
    EXPECT_EQ(ColorToARGB(clBtnFace),
              0xFF000000u | ((face & 0xFF) << 16) | (face & 0xFF00) | ((face >> 16) & 0xFF));
}

TEST(StatusBarGauge, ValueIsThePercentageOfTheRangeRoundedHalfToEvenAndNeverOverflows) {
    EXPECT_EQ(GaugeValue(0, 100, 45), 45);
    EXPECT_EQ(GaugeValue(0, 200, 1), 0);     // 0.5 -> 0
    EXPECT_EQ(GaugeValue(0, 200, 3), 2);     // 1.5 -> 2
    EXPECT_EQ(GaugeValue(0, 200, 5), 2);     // 2.5 -> 2
    EXPECT_EQ(GaugeValue(10, 20, 15), 50);   // an offset range
    EXPECT_EQ(GaugeValue(0, 100, 150), 150); // past the maximum: past 100
    EXPECT_EQ(GaugeValue(0, 100, -20), -20); // below the minimum
    EXPECT_EQ(GaugeValue(100, 0, 25), 75);   // a reversed range
    // A zero range and extreme values neither divide by zero nor overflow.
    EXPECT_EQ(GaugeValue(0, 0, 0), 0);
    EXPECT_EQ(GaugeValue(7, 7, 1000), 0);
    // Browser values arrive unchecked: the differences do not fit 32 bits, the result saturates.
    EXPECT_EQ(GaugeValue(INT_MIN, INT_MAX, INT_MAX), 100);
    EXPECT_EQ(GaugeValue(INT_MIN, INT_MAX, INT_MIN), 0);
    EXPECT_EQ(GaugeValue(0, 1, INT_MAX), INT_MAX);
    EXPECT_EQ(GaugeValue(0, 1, INT_MIN), INT_MIN);
}

// Max and position are stored as given, without clamping; the value and text follow them.
TEST(ProgressStyle, ValuesAreStoredAsGivenAndTheTextAndLevelColourFollowThem) {
    TProgressStyle s(nullptr);
    publishedtest::ExpectDeclaredDefaults(&s);
    s.SetMax(0);
    s.SetPosition(150);
    EXPECT_EQ(s.Max(), 0);
    EXPECT_EQ(s.Position(), 150);
    EXPECT_EQ(s.Value(), 0); // a zero range shows 0
    s.SetMax(100);
    EXPECT_EQ(s.Value(), 150);
    EXPECT_EQ(s.GaugeText(), "150%");
    s.SetPosition(-10);
    s.SetMin(-50);
    EXPECT_EQ(s.Position(), -10);
    EXPECT_EQ(s.Min(), -50);
    s.SetMin(0);
    s.SetPosition(-3);
    EXPECT_EQ(s.GaugeText(), "-3%");
    s.SetPosition(45);
    EXPECT_EQ(s.GaugeText(), "45%");
    s.SetPrefix("Got ");
    s.SetSuffix(" kB");
    s.SetPosition(12);
    s.SetIndication(piAbsolute);
    EXPECT_EQ(s.GaugeText(), "Got 12 kB");
    s.SetIndication(piNone);
    EXPECT_EQ(s.GaugeText(), "Got 12 kB");
    s.SetShowPercentage(false);
    EXPECT_EQ(s.GaugeText(), ""); // no panel: no text of its own
    s.SetMax(INT_MAX);
    s.SetPosition(INT_MIN);
    EXPECT_EQ(s.Max(), INT_MAX);
    EXPECT_EQ(s.Position(), INT_MIN);
    // The level colour changes at the thresholds.
    const std::pair<int, TColor> levels[] = {
        {45, s.Level0Color()}, {69, s.Level0Color()},  {70, s.Level1Color()}, {89, s.Level1Color()},
        {95, s.Level2Color()}, {100, s.Level3Color()}, {150, s.Level3Color()}};
    for (const auto& [value, colour] : levels)
        EXPECT_EQ(s.LevelColor(value), colour) << value;
}

TEST(ProgressStyle, AssignCopiesEveryPublishedValueAndRefusesOtherClasses) {
    TProgressStyle a(nullptr), b(nullptr);
    publishedtest::ChangeEveryValue(&a);
    b.Assign(&a);
    publishedtest::ExpectSameValues(&a, &b);

    TVistaBackground other;
    EXPECT_THROW(b.Assign(&other), EInvalidCast);
    EXPECT_THROW(b.Assign(nullptr), EInvalidCast);
    EXPECT_EQ(b.Max(), a.Max());
}

TEST(VistaBackground, DefaultsAndWhichSettersNotify) {
    TVistaBackground v;
    publishedtest::ExpectDeclaredDefaults(&v);

    int changes = 0;
    v.OnChange = [&](TObject* Sender) {
        EXPECT_EQ(Sender, &v);
        ++changes;
    };
    // Every colour is stored; the hot state's only that, the others notify a change, and only a change.
    for (const TPropInfo* p : GetPropList(v.ClassType())) {
        if (p->Kind != TPropKind::Color) continue;
        const int before = changes;
        p->SetOrd(&v, p->GetOrd(&v));
        EXPECT_EQ(changes, before) << p->Name;
        const Int64 value = p->GetOrd(&v) ^ 0x010101;
        p->SetOrd(&v, value);
        EXPECT_EQ(p->GetOrd(&v), value) << p->Name;
        EXPECT_EQ(changes - before, p->Name.find("Hot") == String::npos ? 1 : 0) << p->Name;
    }
    EXPECT_EQ(changes, 12);
    v.SetSteps(10);
    EXPECT_EQ(changes, 13);
    // TextStyle notifies even without a change.
    v.SetTextStyle(TFontStyles{});
    EXPECT_EQ(changes, 14);
}

TEST(VistaBackground, AssignCopiesAllColoursWithOneChange) {
    TVistaBackground a, b;
    publishedtest::ChangeEveryValue(&a);
    int changes = 0;
    b.OnChange = [&](TObject*) { ++changes; };
    b.Assign(&a);
    EXPECT_EQ(changes, 1);
    publishedtest::ExpectSameValues(&a, &b);
    // Another class: the framework's assignment error.
    TProgressStyle p(nullptr);
    EXPECT_THROW(b.Assign(&p), EConvertError);
}

} // namespace
