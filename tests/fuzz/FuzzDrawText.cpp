// DrawText on a memory DC: any text (valid UTF-8 or not), any flags, any rectangle, tab stops and
// margins; the answer is a height, never a fault.

#include <cstring>

#include "platform/win/Gdi.h"
#include "tests/fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static win::HDC dc = [] {
        win::HDC memory = win::CreateCompatibleDC(nullptr);
        win::SelectObject(memory, win::CreateCompatibleBitmap(memory, 64, 32));
        return memory;
    }();
    fuzz::Input in(data, size);
    win::UINT format = 0;
    for (int i = 0; i < 4; ++i)
        format |= static_cast<win::UINT>(in.Byte()) << (8 * i);
    auto coordinate = [&in] {
        // Mostly small, now and then near the ends of the coordinate range.
        const std::uint8_t b = in.Byte();
        if (b == 0xFF) return static_cast<int>(0x7FFFFFF0 + (in.Byte() & 0xF));
        if (b == 0xFE) return -static_cast<int>(0x7FFFFFF0 + (in.Byte() & 0xF));
        return static_cast<int>(b) - 64;
    };
    win::RECT r{coordinate(), coordinate(), coordinate(), coordinate()};
    const int length = (in.Byte() & 1) ? -1 : static_cast<int>(in.Byte()) - 1;
    std::string text = in.Rest();
    const int count = length < 0 ? -1 : std::min<int>(length, static_cast<int>(text.size()));
    std::string buffer = text;
    buffer.resize(buffer.size() + 8, '\0'); // DT_MODIFYSTRING may write back up to four characters more
    win::DRAWTEXTPARAMS params{};
    params.cbSize = sizeof params;
    params.iTabLength = in.Byte() & 15;
    params.iLeftMargin = 3;
    params.iRightMargin = 2;
    if (format & win::DT_MODIFYSTRING)
        win::DrawTextEx(dc, buffer.data(), count, &r, format, &params);
    else
        win::DrawText(dc, text.c_str(), count, &r, format);
    return 0;
}
