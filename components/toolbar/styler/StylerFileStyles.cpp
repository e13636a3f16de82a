// SaveToFile and LoadFromFile of the two preset stylers: the style-name line, then the property lines.

#include <array>
#include <utility>

#include "components/toolbar/styler/AdvToolBarStylers.h"
#include "components/toolbar/styler/StylerFile.h"
#include "platform/rtl/FileUtil.h"
#include "platform/rtl/SysUtils.h"

namespace AdvToolBarStylers {

using vcl::String;

namespace {

// The name each Office style is written as (bsOffice2007Silver has none of its own).
String OfficeStyleName(TToolBarStyle Style) {
    switch (Style) {
    case bsOffice2003Silver:
        return "bsOffice2003Silver";
    case bsOffice2003Olive:
        return "bsOffice2003Olive";
    case bsOffice2003Classic:
        return "bsOffice2003Classic";
    case bsOffice2007Luna:
        return "bsOffice2007Luna";
    case bsOffice2007Obsidian:
        return "bsOffice2007Obsidian";
    case bsWindowsXP:
        return "bsWindowsXP";
    case bsWhidbeyStyle:
        return "bsWhidbey";
    case bsCustom:
        return "bsCustom";
    case bsOfficeXP:
        return "bsOfficeXP";
    case bsOffice2003Blue:
    case bsOffice2007Silver:
        break;
    }
    return "bsOffice2003Blue";
}

// The names in the order they are matched when reading.
constexpr std::array<std::pair<const char*, TToolBarStyle>, 10> kOfficeMatchOrder{{
    {"bsOffice2003Blue", bsOffice2003Blue},
    {"bsOffice2003Olive", bsOffice2003Olive},
    {"bsOffice2003Silver", bsOffice2003Silver},
    {"bsWindowsXP", bsWindowsXP},
    {"bsOfficeXP", bsOfficeXP},
    {"bsCustom", bsCustom},
    {"bsOffice2007Luna", bsOffice2007Luna},
    {"bsOffice2007Obsidian", bsOffice2007Obsidian},
    {"bsOffice2003Classic", bsOffice2003Classic},
    {"bsWhidbey", bsWhidbeyStyle},
}};

constexpr std::array<const char*, 9> kFantasyNames{"bsArctic",        "bsAquaBlue",  "bsChocolate",
                                                   "bsMacOS",         "bsSilverFox", "bsSoftSand",
                                                   "bsTerminalGreen", "bsTextured",  "bsWindowsClassic"};

void Save(AdvToolBar::TCustomAdvToolBarStyler* Styler, const String& StyleName, const String& FileName) {
    std::vector<String> lines{StyleName};
    Styler->SavePropToFile(lines);
    try {
        vcl::WriteFileAtomic(FileName, AdvToolBar::JoinFileLines(lines));
    } catch (const vcl::Exception&) {
        throw vcl::Exception("Cannot Create " + FileName);
    }
}

std::vector<String> Read(const String& FileName) {
    try {
        return AdvToolBar::SplitFileLines(vcl::ReadFileBytes(FileName));
    } catch (const vcl::Exception&) {
        throw vcl::Exception("Cannot open file " + FileName);
    }
}

} // namespace

void TAdvToolBarOfficeStyler::SaveToFile(const String& FileName) {
    Save(this, OfficeStyleName(FStyle), FileName);
}

void TAdvToolBarOfficeStyler::LoadFromFile(const String& FileName) {
    const std::vector<String> lines = Read(FileName);
    const String name = lines.empty() ? String() : lines[0];
    for (const auto& [text, style] : kOfficeMatchOrder)
        if (vcl::SameText(name, text)) {
            SetToolBarStyle(style);
            break;
        }
    LoadPropFromFile(lines, 1);
}

void TAdvToolBarFantasyStyler::SaveToFile(const String& FileName) {
    const int i = static_cast<int>(FStyle);
    Save(this,
         i < static_cast<int>(kFantasyNames.size()) ? kFantasyNames[static_cast<std::size_t>(i)] : "bsArctic",
         FileName);
}

void TAdvToolBarFantasyStyler::LoadFromFile(const String& FileName) {
    const std::vector<String> lines = Read(FileName);
    const String name = lines.empty() ? String() : lines[0];
    for (std::size_t i = 0; i < kFantasyNames.size(); ++i)
        if (vcl::SameText(name, kFantasyNames[i])) {
            SetToolBarStyle(static_cast<TToolBarFantasyStyle>(i));
            break;
        }
    LoadPropFromFile(lines, 1);
}

} // namespace AdvToolBarStylers
