#pragma once
// The fixed table that maps the platform's font family names to the families installed here.

#include <vector>

#include "platform/rtl/Types.h"

namespace win {

// The installed family that stands for a family name (case-insensitive): an alias from the table, or the
// name itself when fontconfig knows the family; "" for an unknown family.
vcl::String ResolveFontFamily(const vcl::String& name);
// True for the table's names and for installed families.
bool FontFamilyExists(const vcl::String& name);
// The family names a program may choose from: the table's names and the installed families, sorted
// case-insensitively, without duplicates.
std::vector<vcl::String> InstalledFontFamilies();
// The family used when a name is unknown or empty.
vcl::String DefaultFontFamily();

} // namespace win
