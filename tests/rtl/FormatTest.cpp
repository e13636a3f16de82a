#include <gtest/gtest.h>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/SysUtils.h"
#include "tests/rtl/RtlTestSupport.h"

using namespace vcl;

namespace {

TEST(FormatTest, IntegersWidthPrecisionAndJustification) {
    EXPECT_EQ(Format("%d", -42), "-42");
    EXPECT_EQ(Format("[%5d]", 42), "[   42]");
    EXPECT_EQ(Format("[%-5d]", 42), "[42   ]");
    EXPECT_EQ(Format("[%05d]", 42), "[   42]");   // width pads with blanks, never zeros
    EXPECT_EQ(Format("[%.5d]", -42), "[-00042]"); // precision gives the digits
    EXPECT_EQ(Format("[%8.3d]", 7), "[     007]");
    EXPECT_EQ(Format("%u", -1), "4294967295");
    EXPECT_EQ(Format("%u", Int64{-1}), "18446744073709551615");
    EXPECT_EQ(Format("%x %X", 255, 4096), "FF 1000");
    EXPECT_EQ(Format("%x", -1), "FFFFFFFF");
    EXPECT_EQ(Format("%s%.8x", "id", 0xBEEF), "id0000BEEF");
    EXPECT_EQ(Format("%d", Int64{1} << 40), "1099511627776");
    EXPECT_EQ(Format("%d", INT64_MIN), "-9223372036854775808");
}

TEST(FormatTest, StringsIndexesAndStars) {
    EXPECT_EQ(Format("%s and %s", "this", String("that")), "this and that");
    EXPECT_EQ(Format("[%-4s|%4s]", "ab", 'c'), "[ab  |   c]");
    EXPECT_EQ(Format("%.2s", "\xC3\xA9\xC3\xA9\xC3\xA9"), "\xC3\xA9\xC3\xA9"); // characters, not bytes
    EXPECT_EQ(Format("[%3s]", "\xC3\xA9"), "[  \xC3\xA9]");
    EXPECT_EQ(Format("%1:s %0:s %s", "a", "b"), "b a b");
    EXPECT_EQ(Format("[%*d]", 4, 7), "[   7]");
    EXPECT_EQ(Format("[%-*.*d]", 5, 2, 3), "[03   ]");
    EXPECT_EQ(Format("100%%"), "100%");
    EXPECT_EQ(Format("Invalid property index %d.", {3}), "Invalid property index 3.");
}

TEST(FormatTest, Floats) {
    EXPECT_EQ(Format("%f", 2.5), "2.50");
    EXPECT_EQ(Format("%.3f", -1.0005), "-1.000");
    EXPECT_EQ(Format("%.0f", 2.5), "2");
    EXPECT_EQ(Format("%n", 1234567.891), "1,234,567.89");
    EXPECT_EQ(Format("%.1n", -1234.0), "-1,234.0");
    EXPECT_EQ(Format("%e", 1234.5), "1.23450000000000E+003");
    EXPECT_EQ(Format("%.3e", -0.00012345), "-1.23E-004");
    EXPECT_EQ(Format("%g", 0.25), "0.25");
    EXPECT_EQ(Format("%.2f", -0.001), "0.00");
}

TEST(FormatTest, MismatchesAndMissingArgumentsRaise) {
    auto message = [](auto f) { return rtltest::ErrorOf<EConvertError>(f); };
    EXPECT_EQ(message([] { Format("%d", "x"); }), "Format '%d' invalid or incompatible with argument");
    EXPECT_EQ(message([] { Format("%s", 1); }), "Format '%s' invalid or incompatible with argument");
    EXPECT_EQ(message([] { Format("%f", 1); }), "Format '%f' invalid or incompatible with argument");
    EXPECT_EQ(message([] { Format("%d", 1.5); }), "Format '%d' invalid or incompatible with argument");
    EXPECT_EQ(message([] { Format("%q", 1); }), "Format '%q' invalid or incompatible with argument");
    EXPECT_EQ(message([] { Format("abc%", 1); }), "Format 'abc%' invalid or incompatible with argument");
    EXPECT_EQ(message([] { Format("%d %d", 1); }), "No argument for format '%d %d'");
    EXPECT_EQ(message([] { Format("%5:d", 1); }), "No argument for format '%5:d'");
    EXPECT_EQ(message([] { Format("%*d", "x", 1); }), "Format '%*d' invalid or incompatible with argument");
    EXPECT_EQ(Format("%d", 1, 2), "1"); // extra arguments are ignored
}

} // namespace
