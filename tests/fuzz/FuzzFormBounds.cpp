// A form's layout with bounds anywhere in the int range (near its ends above all), for the form and for a
// panel and a button in it, read and shown on the offscreen display, maximised, minimised, restored and
// moved: no sum of coordinates ever leaves the int range (the sanitizer checks each one), every control's
// place stays within the controls' range, and nothing is left alive.

#include <climits>
#include <string>

#include "platform/classes/LayoutReader.h"
#include "platform/rtl/Exceptions.h"
#include "platform/vcl/Button.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/Panel.h"
#include "platform/win/Metrics.h"
#include "tests/fuzz/FuzzSupport.h"

namespace {

// Mostly near the ends of the int range or at half of it (where two such values add up past it).
long long Coordinate(fuzz::Input& in) {
    const std::uint8_t kind = in.Byte();
    const int small = in.Byte();
    switch (kind & 7) {
    case 0:
        return INT_MAX - small;
    case 1:
        return INT_MIN + small;
    case 2:
        return INT_MAX / 2 + small;
    case 3:
        return INT_MIN / 2 - small;
    case 4: {
        std::uint32_t v = static_cast<std::uint32_t>(small);
        for (int i = 0; i < 3; ++i)
            v = (v << 8) | in.Byte();
        return static_cast<std::int32_t>(v);
    }
    default:
        return small * 8 - 1024;
    }
}

std::string Line(const char* indent, const char* name, long long value) {
    return std::string(indent) + name + " = " + std::to_string(value) + "\n";
}

std::string Bounds(fuzz::Input& in, const char* indent) {
    std::string text;
    for (const char* name : {"Left", "Top", "Width", "Height"})
        text += Line(indent, name, Coordinate(in));
    return text;
}

bool InRange(vcl::TControl* c) {
    return c->Left() >= -vcl::MaxControlCoordinate && c->Left() <= vcl::MaxControlCoordinate &&
           c->Top() >= -vcl::MaxControlCoordinate && c->Top() <= vcl::MaxControlCoordinate;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const char* const borders[] = {"bsNone",   "bsSingle",     "bsSizeable",
                                          "bsDialog", "bsToolWindow", "bsSizeToolWin"};
    static const char* const positions[] = {"poDesigned",     "poDefault",       "poDefaultPosOnly",
                                            "poScreenCenter", "poDesktopCenter", "poMainFormCenter"};
    static const char* const aligns[] = {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient"};
    fuzz::Input in(data, size);
    const std::uint8_t options = in.Byte();
    std::string text = "object Far: TForm\n" + Bounds(in, "  ");
    text += std::string("  BorderStyle = ") + borders[options % 6] + "\n";
    text += std::string("  Position = ") + positions[(options >> 3) % 6] + "\n";
    if (options & 0x40)
        text += Line("  ", "ClientWidth", Coordinate(in)) + Line("  ", "ClientHeight", Coordinate(in));
    text += "  object Inner: TPanel\n" + Bounds(in, "    ");
    text += std::string("    Align = ") + aligns[in.Byte() % 6] + "\n";
    text += "    object Deep: TButton\n" + Bounds(in, "      ") + "    end\n  end\nend\n";

    // Made once, the classes the layout names are linked into the program, which registers them.
    static const bool linked = [] {
        vcl::TComponentPtr<vcl::TPanel> panel(new vcl::TPanel(nullptr));
        vcl::TComponentPtr<vcl::TButton> button(new vcl::TButton(nullptr));
        return true;
    }();
    (void)linked;
    const long before = vcl::TObject::LiveObjects();
    {
        vcl::TComponentPtr<vcl::TForm> form(new vcl::TForm(vcl::Application));
        try {
            vcl::ReadComponentFromText(text, form.get(), "Far");
        } catch (const vcl::EReadError&) {
            fuzz::Broken("a layout of known classes and properties was refused");
        }
        auto* inner = static_cast<vcl::TControl*>(form->FindComponent("Inner"));
        auto* deep = static_cast<vcl::TControl*>(form->FindComponent("Deep"));
        form->Show();
        vcl::Application->ProcessMessages();
        (void)deep->ClientToScreen(vcl::TPoint{0, 0});
        win::MonitorFromWindow(form->Handle(), win::MONITOR_DEFAULTTONEAREST);
        if (options & 0x80) {
            form->SetWindowState(vcl::wsMaximized);
            vcl::Application->ProcessMessages();
            form->SetWindowState(vcl::wsMinimized);
            vcl::Application->ProcessMessages();
            form->SetWindowState(vcl::wsNormal);
            vcl::Application->ProcessMessages();
        }
        const long long l = Coordinate(in), t = Coordinate(in), w = Coordinate(in), h = Coordinate(in);
        form->SetBounds(static_cast<int>(l), static_cast<int>(t), static_cast<int>(w), static_cast<int>(h));
        inner->SetBounds(static_cast<int>(t), static_cast<int>(l), static_cast<int>(h), static_cast<int>(w));
        vcl::Application->ProcessMessages();
        (void)deep->ClientToScreen(vcl::TPoint{0, 0});
        for (vcl::TControl* c : {static_cast<vcl::TControl*>(form.get()), inner, deep})
            if (!InRange(c)) fuzz::Broken("a control's place left the controls' range");
        form->Hide();
    }
    vcl::Application->ProcessMessages();
    if (vcl::TObject::LiveObjects() != before) fuzz::Broken("objects left alive");
    return 0;
}
