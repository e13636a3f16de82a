// Fuzz target for the toolbar customizer's INI file: the input is the file, laid over a toolbar with a
// few controls twice and then reset. Whatever the file says, no designed control may be destroyed,
// laying the file over the toolbar again changes nothing (no control is made anew, none is taken off),
// and with a true design state the reset brings every one of them back in its place.

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <vector>

#include "components/toolbar/AdvToolBar.h"
#include "components/toolbar/customizer/AdvToolBarCustomizer.h"
#include "platform/vcl/Forms.h"
#include "tests/fuzz/FuzzSupport.h"

using namespace AdvToolBar;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
    static const bool registered = (RegisterAdvToolBarClasses(), true);
    (void)registered;
    static const std::string file = fuzz::TempFolder("kv-fuzz-customizer") + "/layout.ini";
    fuzz::Input in(Data, Size);
    const std::uint8_t options = in.Byte();
    {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out << in.Rest();
    }
    vcl::TComponentPtr<vcl::TCustomForm> form(vcl::TCustomForm::CreateNew(nullptr));
    form->SetName("MainForm");
    auto* bar = new TAdvToolBar(form.get());
    bar->SetName("Bar");
    bar->SetParent(form.get());
    std::vector<vcl::TControl*> designed;
    std::vector<vcl::String> names;
    auto add = [&](vcl::TControl* c, const char* name) {
        c->SetName(name);
        c->SetParent(bar);
        designed.push_back(c);
        names.emplace_back(name);
    };
    add(new TAdvToolBarButton(form.get()), "Open");
    add(new TAdvToolBarSeparator(form.get()), "Sep");
    add(new TAdvToolBarButton(form.get()), "Save");
    add(new TAdvToolBarContainer(form.get()), "Box");
    auto* cust = new TAdvToolBarCustomizer(form.get());
    cust->SetName("Cust");
    cust->SetFileName(file);
    cust->SetAdvToolBar(bar);
    // With the first option bit the design state is the toolbar's own; otherwise the file's.
    const bool trueDesign = (options & 1) != 0;
    if (trueDesign) cust->SaveInitialState();
    auto controls = [&] {
        std::vector<vcl::TControl*> list;
        for (int i = 0; i < bar->ToolBarControlCount(); ++i)
            list.push_back(bar->ToolBarControls(i));
        return list;
    };
    cust->UpdateAdvToolBar();
    const std::vector<vcl::TControl*> once = controls();
    const int takenOff = cust->TakenOffCount();
    cust->UpdateAdvToolBar();
    if (controls() != once) fuzz::Broken("the same file applied again changed the toolbar's controls");
    if (cust->TakenOffCount() != takenOff) fuzz::Broken("the same file applied again took controls off");
    cust->ResetToolBar();
    for (std::size_t i = 0; i < designed.size(); ++i)
        if (form->FindComponent(names[i]) != designed[i]) fuzz::Broken("a designed control was destroyed");
    if (trueDesign) {
        if (bar->ToolBarControlCount() != static_cast<int>(designed.size()))
            fuzz::Broken("the reset left the toolbar with other controls");
        for (int i = 0; i < bar->ToolBarControlCount(); ++i)
            if (bar->ToolBarControls(i) != designed[i]) fuzz::Broken("the reset left a control out of place");
    }
    return 0;
}
