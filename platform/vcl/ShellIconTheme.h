#pragma once
// The icon theme behind the system icons (ShellIcons.h): the content type a name stands for, the icon
// names of a content type, and the pixels of a themed icon. Only ShellIcons.cpp uses this; the toolkit
// stays inside ShellIconTheme.cpp.

#include <cstdint>
#include <vector>

#include "platform/rtl/Strings.h"

namespace vcl::shellicon {

// "inode/directory" for an existing folder, else the content type the name says (by its extension);
// "application/octet-stream" for a name nobody knows. Nothing is read from the file.
String ContentTypeOf(const String& Name);

// The theme's icon names for a content type, best first, ending with the generic file's.
std::vector<String> IconNamesOf(const String& ContentType);

// The icon of the first of Names that the theme has, Size x Size premultiplied 0xAARRGGBB pixels, rows
// top-down; empty when the theme has none of them.
std::vector<std::uint32_t> LoadThemedIcon(const std::vector<String>& Names, int Size);

// Counts the changes of the icon theme in use (the desktop's switching themes, or a display opening):
// icons loaded before a change are loaded again.
unsigned ThemeGeneration();

} // namespace vcl::shellicon
