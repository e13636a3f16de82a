#pragma once
// The web's decoders of the multi-byte encodings of East Asia that the system's converter reads otherwise
// where a sequence is broken. Each reads the bytes as the browser engine does: a lead byte and the byte
// after it are one sequence; when they stand for no character, the pair is one error (one U+FFFD) and
// only an ASCII second byte is read again, so that no character after a broken sequence is lost into it.
// A sequence cut off by the end of the bytes is one error.
//
// Which character a well-formed sequence stands for comes from the system's converter named Converter
// (TWebEncoding::Converter), each sequence converted on its own; a sequence it has no single character
// for is an error as above, and so is every sequence when the system has no such converter.

#include <string_view>

#include "platform/rtl/Types.h"

namespace vcl::markup {

// Shift_JIS: ASCII and 0x80 as themselves, 0xA1..0xDF as half-width katakana,
// a lead in 0x81..0x9F or 0xE0..0xFC with a second byte in 0x40..0x7E or 0x80..0xFC; the leads
// 0xF0..0xF9 (the user-defined area of the Windows code page) stand for the private use area from U+E000.
String DecodeShiftJis(std::string_view Bytes, const char* Converter);

// EUC-KR: a lead in 0x81..0xFE with a second byte in 0x41..0xFE.
String DecodeEucKr(std::string_view Bytes, const char* Converter);

// Big5 with the Hong Kong supplement: a lead in 0x81..0xFE with a second byte in 0x40..0x7E or
// 0xA1..0xFE. Four of its sequences stand for a letter and a combining mark.
String DecodeBig5(std::string_view Bytes, const char* Converter);

// GB 18030 (and GBK, which the web decodes alike): 0x80 as the euro sign; a first byte in 0x81..0xFE with
// a second in 0x40..0x7E or 0x80..0xFE, or with a digit, a byte in 0x81..0xFE and a digit after it.
String DecodeGb18030(std::string_view Bytes, const char* Converter);

} // namespace vcl::markup
