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

} // namespace vcl
