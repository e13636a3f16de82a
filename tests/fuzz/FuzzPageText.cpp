// The page reader, on what the service sends: an answer's Content-Type header, the type the engine gave it
// and its bytes, in any encoding. Whatever they hold, the text is valid UTF-8 without a NUL, and the charset
// of a header line is a label's text (no blank, quote or ';' in it).

#include "platform/rtl/Unicode.h"
#include "platform/web/ContentType.h"
#include "platform/web/MarkupText.h"
#include "tests/fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The header and the engine's type are the first two lines; the page's bytes the rest.
    const std::string input(reinterpret_cast<const char*>(data), size);
    const std::size_t first = input.find('\n');
    const std::size_t second = first == std::string::npos ? first : input.find('\n', first + 1);
    const std::string header = input.substr(0, first);
    const std::string engineType =
        first == std::string::npos ? std::string() : input.substr(first + 1, second - first - 1);
    const std::string bytes = second == std::string::npos ? std::string() : input.substr(second + 1);
    const std::string text = vcl::markup::ToUtf8(bytes, header, engineType);
    if (!vcl::IsValidUtf8(text)) fuzz::Broken("the page's text is no valid UTF-8");
    if (text.find('\0') != std::string::npos) fuzz::Broken("the page's text holds a NUL");
    for (const std::string& line : vcl::markup::LinesOf(header, engineType))
        if (vcl::markup::CharsetOf(line).find_first_of(" \t\"';") != std::string::npos)
            fuzz::Broken("a charset label holds a blank, a quote or a semicolon");
    return 0;
}
