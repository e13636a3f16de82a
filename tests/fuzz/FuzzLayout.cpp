// The layout parser and reader: any text is read or refused with EReadError, never anything else,
// and a refused read leaves nothing alive.

#include "platform/classes/LayoutParser.h"
#include "platform/classes/LayoutReader.h"
#include "platform/rtl/Exceptions.h"
#include "tests/classes/TestComponents.h"
#include "tests/fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool registered = (TestComponents::RegisterTestClasses(), true);
    (void)registered;
    const std::string text(reinterpret_cast<const char*>(data), size);
    try {
        vcl::ParseLayout(text, "Fuzz.layout");
    } catch (const vcl::EReadError&) {
    }
    const long before = vcl::TObject::LiveObjects();
    {
        vcl::TComponentPtr<TestComponents::TTestForm> form(new TestComponents::TTestForm(nullptr));
        try {
            vcl::ReadComponentFromText(text, form.get(), "Fuzz.layout");
        } catch (const vcl::EReadError&) {
            if (form->ComponentCount() != 0) fuzz::Broken("a failed read left components behind");
        }
    }
    if (vcl::TObject::LiveObjects() != before) fuzz::Broken("objects left alive");
    return 0;
}
