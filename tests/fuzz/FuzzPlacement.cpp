// The main window's stored placement (app/WindowPlacement.h) from any values of any type, on any
// monitors: reading never raises; each value is the stored one only when it is a 32-bit integer in range,
// its own default otherwise (all defaults when one is missing); the fitted rectangle lies inside the work
// area of a monitor, and a rectangle that lay inside one already is kept as it was.

#include <cstdlib>
#include <cstring>

#include "app/WindowPlacement.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Registry.h"
#include "tests/fuzz/FuzzSupport.h"

namespace {

using vcl::TRect;

constexpr const char* Key = "Software\\Orvandel\\Kalvenor";
constexpr const char* Names[] = {"Top", "Left", "Width", "Height", "State"};

int Int32(fuzz::Input& in) {
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i)
        v = (v << 8) | in.Byte();
    int out;
    std::memcpy(&out, &v, sizeof out);
    return out;
}

int Int16(fuzz::Input& in) {
    return static_cast<std::int16_t>((in.Byte() << 8) | in.Byte());
}

bool Inside(const TRect& r, const TRect& area) {
    return r.Left >= area.Left && r.Top >= area.Top && r.Right <= area.Right && r.Bottom <= area.Bottom;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string folder = [] {
        const std::string made = fuzz::TempFolder("kv-fuzz-placement");
        ::setenv("KALVENOR_REGISTRY_DIR", made.c_str(), 1);
        return made;
    }();
    fuzz::Input in(data, size);

    // What the settings hold: each value missing, an integer, a text or binary data.
    int stored[5] = {};
    bool integer[5] = {}, missing = false;
    vcl::TRegistry reg;
    reg.DeleteKey(Key);
    reg.OpenKey(Key, true);
    for (int i = 0; i < 5; ++i) {
        const int kind = in.Byte() % 4;
        stored[i] = Int32(in);
        if (kind == 0) missing = true;
        if (kind == 1) reg.WriteInteger(Names[i], stored[i]);
        if (kind == 2) reg.WriteString(Names[i], std::to_string(stored[i]));
        if (kind == 3) reg.WriteBinaryData(Names[i], &stored[i], sizeof stored[i]);
        integer[i] = kind == 1;
    }
    WindowPlacement::TPlacement read;
    try {
        read = WindowPlacement::Read(reg);
    } catch (const vcl::Exception&) {
        fuzz::Broken("damaged values raised");
    }
    reg.CloseKey();

    const WindowPlacement::TPlacement d;
    auto expect = [&](int i, int min, int max, int def) {
        return !missing && integer[i] && stored[i] >= min && stored[i] <= max ? stored[i] : def;
    };
    using namespace WindowPlacement;
    if (read.Top != expect(0, MinCoordinate, MaxCoordinate, d.Top) ||
        read.Left != expect(1, MinCoordinate, MaxCoordinate, d.Left) ||
        read.Width != expect(2, 1, MaxSize, d.Width) || read.Height != expect(3, 1, MaxSize, d.Height))
        fuzz::Broken("a value is not the stored one or its own default");
    if (read.State != (expect(4, 0, 2, d.State) == StateMaximised ? StateMaximised : StateNormal))
        fuzz::Broken("the state is neither the stored maximised one nor normal");

    // The monitors there are now.
    std::vector<TRect> areas;
    const int monitors = in.Byte() % 5;
    for (int i = 0; i < monitors; ++i) {
        const int left = Int16(in) * 4, top = Int16(in) * 4;
        const int width = Int16(in) & 0x1FFF, height = Int16(in) & 0x1FFF;
        areas.push_back(vcl::Bounds(left, top, width, height));
    }
    // A rectangle from the values read, or one straight from the input (any size, anywhere).
    TRect bounds = vcl::Bounds(read.Left, read.Top, read.Width, read.Height);
    if (in.Byte() & 1) {
        const int left = Int32(in), top = Int32(in);
        const int width = Int32(in) & 0x7FFFFFFF, height = Int32(in) & 0x7FFFFFFF;
        bounds = vcl::Bounds(left, top, width, height);
    }
    const TRect fitted = FitToWorkArea(bounds, areas);
    bool any = false, within = false, wasWithin = false;
    for (const TRect& a : areas) {
        if (a.IsEmpty()) continue;
        any = true;
        within = within || Inside(fitted, a);
        wasWithin = wasWithin || Inside(bounds, a);
    }
    if (!any && fitted != bounds) fuzz::Broken("moved without a monitor to move to");
    if (any && !within) fuzz::Broken("the window ends on no monitor's work area");
    if (wasWithin && fitted != bounds) fuzz::Broken("a window on a monitor was moved");
    return 0;
}
