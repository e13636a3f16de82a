// The string list's comma and delimited text: any text is split; the items written back as text and
// split again are the same items.

#include "platform/rtl/Strings.h"
#include "tests/fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input in(data, size);
    const std::uint8_t options = in.Byte();
    const char delimiter = static_cast<char>(in.Byte());
    const char quote = static_cast<char>(in.Byte());
    const std::string text = in.Rest();

    // Text ends at a NUL, as the framework's text does: no round trip for items holding one.
    const bool roundTrip = text.find('\0') == std::string::npos;
    vcl::TStringList list, again;
    if (options & 1) {
        list.SetCommaText(text);
        if (!roundTrip) return 0;
        again.SetCommaText(list.CommaText());
    } else {
        // A quote equal to the delimiter, or a NUL, cannot be written back: no round trip then.
        for (vcl::TStringList* l : {&list, &again}) {
            l->SetDelimiter(delimiter);
            l->SetQuoteChar(quote);
            l->SetStrictDelimiter(options & 2);
        }
        list.SetDelimitedText(text);
        // Without StrictDelimiter, blanks and control characters around items are skipped, a blank
        // delimiter with them: the framework's text does not round-trip then either.
        const bool blank =
            static_cast<unsigned char>(delimiter) <= ' ' || static_cast<unsigned char>(quote) <= ' ';
        if (!roundTrip || delimiter == quote || ((options & 2) == 0 && blank) || delimiter == '\0' ||
            quote == '\0')
            return 0;
        again.SetDelimitedText(list.DelimitedText());
    }
    if (again.Count() != list.Count()) fuzz::Broken("a different number of items after a round trip");
    for (int i = 0; i < list.Count(); ++i)
        if (again[i] != list[i]) fuzz::Broken("an item changed in a round trip");
    return 0;
}
