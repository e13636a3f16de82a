#pragma once
// The fixed table that maps the platform's font family names to the families installed here.

#include <vector>

#include "platform/rtl/Types.h"

namespace win {

// The faces the table maps the platform's names to.
enum class FontFaces {
    MetricCompatible, // free faces with the platform's advance widths where there are any, DejaVu last
    DejaVu,           // DejaVu only: what the tests' pictures and geometry were written against
};
// DejaVu when the environment says KALVENOR_FONTS=dejavu (the test programs do), else the
// metric-compatible faces; read once.
FontFaces FontFaceSet();
// Makes the font folders outside fontconfig's own (Wine's) known, once; before any text is laid out.
void PrepareFonts();
// Starts fontconfig's set-up (its configuration and caches read, Wine's folder added) on a thread of its
// own, for a program that shows text soon after it starts: the reading then overlaps the opening of the
// display. PrepareFonts waits for it; calling this more than once, or not at all, changes nothing else.
void PrepareFontsAhead();

// The installed family that stands for a family name (case-insensitive): an alias from the table, or the
// name itself when fontconfig knows the family; "" for an unknown family.
vcl::String ResolveFontFamily(const vcl::String& name);
// The same with the given faces.
vcl::String ResolveFontFamily(const vcl::String& name, FontFaces faces);
// True for the table's names and for installed families.
bool FontFamilyExists(const vcl::String& name);
// The family names a program may choose from: the table's names and the installed families, sorted
// case-insensitively, without duplicates.
std::vector<vcl::String> InstalledFontFamilies();
// The family used when a name is unknown or empty.
vcl::String DefaultFontFamily();

} // namespace win
