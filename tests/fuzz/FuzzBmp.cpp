// The BMP reader, for files and for bare device-independent bitmaps: any bytes decode or are refused
// with EInvalidGraphic or EOutOfResources; a decoded picture holds width times height pixels.

#include "platform/rtl/Exceptions.h"
#include "platform/vcl/GraphicsDecode.h"
#include "tests/fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input in(data, size);
    const bool bare = in.Byte() & 1;
    std::string bytes = in.Rest();
    if (!bare && bytes.size() >= 2) bytes[0] = 'B', bytes[1] = 'M';
    try {
        const auto img = vcl::graphics::DecodeBmp(bytes, bare);
        if (img.Width <= 0 || img.Height <= 0 ||
            img.Pixels.size() != static_cast<std::size_t>(img.Width) * static_cast<std::size_t>(img.Height))
            fuzz::Broken("a decoded picture's size and pixels disagree");
    } catch (const vcl::EInvalidGraphic&) {
    } catch (const vcl::EOutOfResources&) {
    }
    return 0;
}
