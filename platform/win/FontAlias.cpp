#include "platform/win/FontAlias.h"
#include "platform/win/WinTypes.h"

#include <pango/pangocairo.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <set>

namespace win {

namespace {

vcl::String Lower(const vcl::String& s) {
    vcl::String r;
    r.reserve(s.size());
    for (unsigned char c : s)
        r.push_back(static_cast<char>(std::tolower(c)));
    return r;
}

vcl::String Trim(const vcl::String& s) {
    const auto b = s.find_first_not_of(" \t");
    if (b == vcl::String::npos) return {};
    const auto e = s.find_last_not_of(" \t");
    return s.substr(b, e - b + 1);
}

// The platform's family names and the families that stand for them here.
const std::map<vcl::String, vcl::String>& AliasTable() {
    static const std::map<vcl::String, vcl::String> table = [] {
        std::map<vcl::String, vcl::String> t;
        const char* sans[] = {
            "Tahoma",    "Segoe UI",     "Arial",          "MS Sans Serif", "Microsoft Sans Serif",
            "Verdana",   "Calibri",      "Trebuchet MS",   "Small Fonts",   "System",
            "Default",   "MS Shell Dlg", "MS Shell Dlg 2", "Helvetica",     "Marlett",
            "Wingdings", "Webdings",     "Symbol",         "Arial Black",   "Lucida Sans Unicode"};
        const char* mono[] = {"Courier New", "Courier", "Lucida Console", "Consolas", "Fixedsys", "Terminal"};
        const char* serif[] = {"Times New Roman", "Times", "Georgia", "Cambria", "MS Serif"};
        for (const char* n : sans)
            t[Lower(n)] = "DejaVu Sans";
        for (const char* n : mono)
            t[Lower(n)] = "DejaVu Sans Mono";
        for (const char* n : serif)
            t[Lower(n)] = "DejaVu Serif";
        return t;
    }();
    return table;
}

const char* const AliasNames[] = {
    "Tahoma",      "Segoe UI",        "Arial",          "MS Sans Serif", "Microsoft Sans Serif",
    "Verdana",     "Calibri",         "Trebuchet MS",   "Small Fonts",   "System",
    "Default",     "MS Shell Dlg",    "MS Shell Dlg 2", "Helvetica",     "Marlett",
    "Wingdings",   "Webdings",        "Symbol",         "Arial Black",   "Lucida Sans Unicode",
    "Courier New", "Courier",         "Lucida Console", "Consolas",      "Fixedsys",
    "Terminal",    "Times New Roman", "Times",          "Georgia",       "Cambria",
    "MS Serif"};

// Installed families by lower-case name.
const std::map<vcl::String, vcl::String>& Installed() {
    static const std::map<vcl::String, vcl::String> families = [] {
        std::map<vcl::String, vcl::String> f;
        PangoFontMap* map = pango_cairo_font_map_get_default();
        PangoFontFamily** list = nullptr;
        int n = 0;
        pango_font_map_list_families(map, &list, &n);
        for (int i = 0; i < n; ++i) {
            const char* name = pango_font_family_get_name(list[i]);
            if (name != nullptr) f[Lower(name)] = name;
        }
        g_free(list);
        return f;
    }();
    return families;
}

} // namespace

vcl::String DefaultFontFamily() {
    const auto& inst = Installed();
    auto it = inst.find("dejavu sans");
    if (it != inst.end()) return it->second;
    return inst.empty() ? vcl::String("Sans") : inst.begin()->second;
}

vcl::String ResolveFontFamily(const vcl::String& name) {
    const vcl::String key = Lower(Trim(name));
    if (key.empty()) return {};
    const auto& inst = Installed();
    auto a = AliasTable().find(key);
    if (a != AliasTable().end()) {
        auto it = inst.find(Lower(a->second));
        return it != inst.end() ? it->second : DefaultFontFamily();
    }
    auto it = inst.find(key);
    return it != inst.end() ? it->second : vcl::String();
}

bool FontFamilyExists(const vcl::String& name) {
    return !ResolveFontFamily(name).empty();
}

std::vector<vcl::String> InstalledFontFamilies() {
    std::map<vcl::String, vcl::String> all;
    for (const char* n : AliasNames)
        all.emplace(Lower(n), n);
    for (const auto& [key, name] : Installed())
        all.emplace(key, name);
    std::vector<vcl::String> out;
    out.reserve(all.size());
    for (auto& [key, name] : all)
        out.push_back(name);
    return out;
}

} // namespace win
