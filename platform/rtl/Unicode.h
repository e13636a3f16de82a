#pragma once
// The program's one converter between UTF-8 (String), UTF-16 and code points. Text that is not well
// formed never stops a conversion: each offending unit reads as U+FFFD.

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/rtl/Types.h"

namespace vcl {

constexpr char32_t ReplacementChar = 0xFFFD;

// The code point at s[i], advancing i past it. A byte that does not start a well-formed sequence
// (a stray continuation byte, a truncated, overlong or surrogate form, a value above U+10FFFF) reads as
// U+FFFD and i advances by that one byte.
char32_t Utf8Next(std::string_view s, std::size_t& i);

// The code point at s[i], advancing i past a surrogate pair; an unpaired surrogate reads as U+FFFD.
char32_t Utf16Next(std::u16string_view s, std::size_t& i);

// Appends the UTF-16 form of one code point (a surrogate or a value above U+10FFFF appends U+FFFD).
void AppendUtf16(std::u16string& out, char32_t cp);

std::u16string Utf8ToUtf16(std::string_view s);
String Utf16ToUtf8(std::u16string_view s);

// Whether every byte of s belongs to a well-formed UTF-8 sequence.
bool IsValidUtf8(std::string_view s);

// Windows-1252, the platform's 8-bit code page in the western locales. Every byte reads as a character:
// the five bytes the code page leaves undefined read as the C1 control of the same number, as the
// platform's conversion gives them, so that every byte reads and writes back.
String Cp1252ToUtf8(std::string_view bytes);
// The byte of a code point in Windows-1252; false when the code page lacks it.
bool CodePointToCp1252(char32_t cp, char& out);

} // namespace vcl
