#pragma once
// Shared by the customizer tests: a toolbar fixed on a form with two buttons, a separator and a
// container between them, a customizer linked to it whose INI file lives in a fresh folder per test,
// and helpers to read and write that file.

#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "components/foundation/AdvGlowButton.h"
#include "components/toolbar/customizer/AdvToolBarCustomizer.h"
#include "tests/toolbar/ToolBarTestSupport.h"

namespace customizertest {

using namespace toolbartest;
using AdvGlowButton::TAdvGlowButton;

// A toolbar whose loading step the tests can run.
class TLoadableToolBar : public TAdvToolBar {
public:
    using TAdvToolBar::TAdvToolBar;
    void Load() { Loaded(); }
};

class CustomizerTest : public ToolBarTest {
protected:
    void SetUp() override {
        ToolBarTest::SetUp();
        static int serial = 0;
        dir = std::filesystem::temp_directory_path() /
              ("kv-customizer-" + std::to_string(::getpid()) + "-" + std::to_string(++serial));
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        bar = Make<TLoadableToolBar>("Bar", form.get());
        bar->SetBounds(10, 10, 300, 30);
        open = Button("Open", "Open file");
        sep = Make<TAdvToolBarSeparator>("Sep", bar);
        box = Make<TAdvToolBarContainer>("Box", bar);
        save = Button("Save", "Save file");
        cust = Make<TAdvToolBarCustomizer>("Cust");
        cust->SetFileName(File());
        cust->SetAdvToolBar(bar);
    }
    void TearDown() override {
        ToolBarTest::TearDown();
        std::filesystem::remove_all(dir);
    }

    TAdvToolBarButton* Button(const String& Name, const String& Hint) {
        auto* b = Make<TAdvToolBarButton>(Name, bar);
        b->SetCaption(Name);
        b->SetHint(Hint);
        return b;
    }
    String File() const { return (dir / "layout.ini").string(); }
    // The names of the toolbar's controls in their order.
    std::vector<String> Names() const {
        std::vector<String> names;
        for (int i = 0; i < bar->ToolBarControlCount(); ++i)
            names.push_back(bar->ToolBarControls(i)->Name());
        return names;
    }
    String Read(const String& Section, const String& Key) {
        TIniFile ini(File());
        return ini.ReadString(Section, Key, "<none>");
    }
    std::vector<String> Keys(const String& Section) {
        TIniFile ini(File());
        TStringList list;
        ini.ReadSection(Section, &list);
        std::vector<String> keys;
        for (int i = 0; i < list.Count(); ++i)
            keys.push_back(list.Get(i));
        return keys;
    }
    using Lines = std::vector<std::pair<String, String>>;
    // Writes a user section (of the customizer's file unless Path is given) from "key=value" lines,
    // replacing what was there.
    void WriteUser(const Lines& Values, const String& Section = "Cust", const String& Path = "") {
        TIniFile ini(Path.empty() ? File() : Path);
        ini.EraseSection(Section);
        for (const auto& [k, v] : Values)
            ini.WriteString(Section, k, v);
    }
    // The same for a list of items, "Name" for a button or "Name:CLASS", their count, then Extra lines
    // (which may replace the count).
    void WriteItems(std::initializer_list<String> Items, const Lines& Extra = {},
                    const String& Section = "Cust", const String& Path = "") {
        Lines values{{"ToolBarItemCount", std::to_string(Items.size())}};
        for (const String& item : Items) {
            const String key = "Name" + std::to_string(values.size() / 2);
            const auto colon = item.find(':');
            values.emplace_back(key, item.substr(0, colon));
            values.emplace_back(key + ".ClassName",
                                colon == String::npos ? String("ADVTOOLBARBUTTON") : item.substr(colon + 1));
        }
        values.insert(values.end(), Extra.begin(), Extra.end());
        WriteUser(values, Section, Path);
    }

    std::filesystem::path dir;
    TLoadableToolBar* bar = nullptr;
    TAdvToolBarButton* open = nullptr;
    TAdvToolBarSeparator* sep = nullptr;
    TAdvToolBarContainer* box = nullptr;
    TAdvToolBarButton* save = nullptr;
    TAdvToolBarCustomizer* cust = nullptr;
};

} // namespace customizertest
