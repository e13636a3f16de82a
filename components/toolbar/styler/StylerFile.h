#pragma once
// The styler property file: one style-name line, then 274 "key=value" lines in a fixed order. The
// key list and the line codec are shared by the styler's SavePropToFile/LoadPropFromFile and the
// stylers' SaveToFile/LoadFromFile.

#include <cstddef>
#include <vector>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Types.h"

namespace AdvToolBar {

// The number of property lines after the style-name line.
inline constexpr int kStylerFilePropertyLines = 274;

// Raised by loading with the message "Corrupt file": Line is the property line (1-based, counted
// after the style-name line) that could not be read, Reason says why. The lines before it were read
// and applied; reading stopped there, so none after it was.
class EStylerFileError : public vcl::Exception {
public:
    EStylerFileError(int ALine, vcl::String AReason)
        : vcl::Exception("Corrupt file"), Line(ALine), Reason(std::move(AReason)) {}
    int Line;
    vcl::String Reason;
};

// The lines of a text (CR LF or LF endings; a last line without ending counts).
std::vector<vcl::String> SplitFileLines(const vcl::String& Text);
// The lines joined, each ended by CR LF.
vcl::String JoinFileLines(const std::vector<vcl::String>& Lines);

// The framework's comma text of one name=value item: quoted (with doubled quotes) when it holds a
// space, a comma, a quote or a control character.
vcl::String CommaTextItem(const vcl::String& Item);
// The items of a comma text line: separated by commas and, outside quotes, by spaces.
std::vector<vcl::String> ParseCommaText(const vcl::String& Line);

} // namespace AdvToolBar
