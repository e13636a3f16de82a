#pragma once
// The web's encodings and the labels that name them, as the browser engine reads a page's charset. A label
// names one encoding or none: "utf-32", "ucs-4", "ibm037" and the other names the system's converter
// knows besides are no labels to the engine, which then takes the encoding from the next source.

#include <span>
#include <string_view>

namespace vcl::markup {

// How the bytes of an encoding are decoded.
enum class TDecoder {
    Utf8,
    Utf16LE,
    Utf16BE,
    Windows1252, // the platform's code page
    UserDefined, // bytes 0x80..0xFF as U+F780..U+F7FF
    Replacement, // the whole text, when it is not empty, as one U+FFFD
    SingleByte,  // one character a byte, from the system's converter (TWebEncoding::Converter)
    Converter,   // the system's converter, by the name in TWebEncoding::Converter
    // The web's own decoders (LegacyDecoders.h), with the characters of the system's converter
    ShiftJis,
    EucKr,
    Big5,
    Gb18030
};

// A byte of a single-byte encoding that the web reads otherwise than the system's converter.
struct TByteChar {
    unsigned char Byte;
    char32_t Char;
};

struct TWebEncoding {
    const char* Name; // as the engine names it ("windows-1252", "UTF-16LE", "Shift_JIS")
    TDecoder Decoder;
    // The system converter's name: for SingleByte and Converter, and for the web's own multi-byte decoders
    // the one that gives the character of each well-formed sequence.
    const char* Converter = nullptr;
    // SingleByte: a byte in 0x80..0x9F that the code page leaves undefined reads as the C1 control of that
    // number (as the web reads the Windows code pages), not as U+FFFD.
    bool ControlsForUndefined = false;
    std::span<const TByteChar> Differences = {}; // SingleByte
};

struct TEncodingLabel {
    const char* Label;
    const TWebEncoding* Encoding;
};

// The encoding a label names, ASCII letters in any case and ASCII whitespace around it ignored; nullptr
// when it names none.
const TWebEncoding* EncodingOfLabel(std::string_view Label);

// Every label and what it names.
std::span<const TEncodingLabel> EncodingLabels();

} // namespace vcl::markup
