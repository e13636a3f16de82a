#include "platform/win/FontAlias.h"
#include "platform/win/WinTypes.h"

#include <fontconfig/fontconfig.h>
#include <pango/pangocairo.h>
#include <pango/pangofc-fontmap.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <map>
#include <mutex>
#include <system_error>
#include <thread>

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

// A family name of the platform and the free families that stand for it, the first one installed, then
// the DejaVu face of its kind.
struct Alias {
    const char* Name;
    std::vector<const char*> Faces;
    const char* DejaVu = "DejaVu Sans";
};

// Faces with the platform's advance widths where Debian has them (Wine's Tahoma, Symbol, Marlett,
// Wingdings and Webdings; Liberation for Arial, Times New Roman and Courier New; Carlito for Calibri,
// Caladea for Cambria), else the nearest free face in width and design.
const std::vector<Alias>& Aliases() {
    static const char* const serif = "DejaVu Serif";
    static const char* const mono = "DejaVu Sans Mono";
    static const std::vector<Alias> table = {
        {"Tahoma", {"Tahoma"}},
        {"Arial", {"Liberation Sans"}},
        {"Helvetica", {"Liberation Sans"}},
        {"Times New Roman", {"Liberation Serif"}, serif},
        {"Times", {"Liberation Serif"}, serif},
        {"Courier New", {"Liberation Mono"}, mono},
        {"Calibri", {"Carlito"}},
        {"Cambria", {"Caladea"}, serif},
        {"Symbol", {"Symbol"}},
        {"Marlett", {"Marlett"}},
        {"Wingdings", {"Wingdings"}},
        {"Webdings", {"Webdings"}},
        // The dialog faces share Tahoma's design and widths ("MS Shell Dlg 2" is Tahoma on the platform).
        {"MS Sans Serif", {"Tahoma"}},
        {"Microsoft Sans Serif", {"Tahoma"}},
        {"MS Shell Dlg", {"Tahoma"}},
        {"MS Shell Dlg 2", {"Tahoma"}},
        {"Small Fonts", {"Tahoma"}},
        {"System", {"Tahoma"}},
        {"Default", {"Tahoma"}},
        // Segoe UI and Trebuchet MS run near Arial's widths; Verdana and Lucida Sans Unicode near DejaVu
        // Sans's own, Georgia near DejaVu Serif's.
        {"Segoe UI", {"Liberation Sans"}},
        {"Trebuchet MS", {"Liberation Sans"}},
        {"Arial Black", {"Liberation Sans"}},
        {"Verdana", {}},
        {"Lucida Sans Unicode", {}},
        {"Georgia", {}, serif},
        {"MS Serif", {"Liberation Serif"}, serif},
        {"Courier", {"Liberation Mono"}, mono},
        {"Lucida Console", {"Liberation Mono"}, mono},
        {"Consolas", {"Liberation Mono"}, mono},
        {"Fixedsys", {"Liberation Mono"}, mono},
        {"Terminal", {"Liberation Mono"}, mono},
    };
    return table;
}

const Alias* FindAlias(const vcl::String& key) {
    static const std::map<vcl::String, const Alias*> byName = [] {
        std::map<vcl::String, const Alias*> m;
        for (const Alias& a : Aliases())
            m[Lower(a.Name)] = &a;
        return m;
    }();
    auto it = byName.find(key);
    return it == byName.end() ? nullptr : it->second;
}

// Wine's fonts lie outside fontconfig's own folders: the process adds theirs before any family is listed
// or resolved.
constexpr const char* WineFontFolder = "/usr/share/wine/fonts";

// fontconfig's own set-up: its configuration read, its caches loaded and Wine's folder added; true when
// the folder was added. Pango's default font map is one per thread: only this part can be done ahead on
// another one.
bool LoadFontConfiguration() {
    FcInit();
    if (!g_file_test(WineFontFolder, G_FILE_TEST_IS_DIR)) return false;
    return FcConfigAppFontAddDir(nullptr, reinterpret_cast<const FcChar8*>(WineFontFolder)) == FcTrue;
}

// The set-up, started ahead on a thread of its own or done where it is first needed; once either way.
class FontConfigurationLoad {
public:
    ~FontConfigurationLoad() {
        if (Worker.joinable()) Worker.join();
    }
    void Start() {
        std::lock_guard<std::mutex> hold(Lock);
        if (Started) return;
        try {
            Worker = std::thread([this] { Added = LoadFontConfiguration(); });
            Started = true;
        } catch (const std::system_error&) {
            // No thread to spare: the set-up is done where it is first needed.
        }
    }
    // Waits for the set-up, or does it; true when Wine's folder was added.
    bool Finish() {
        std::lock_guard<std::mutex> hold(Lock);
        if (!Started) {
            Started = true;
            Added = LoadFontConfiguration();
        }
        if (Worker.joinable()) Worker.join();
        return Added;
    }

private:
    std::mutex Lock;
    std::thread Worker;
    bool Started = false;
    bool Added = false;
};

FontConfigurationLoad& ConfigurationLoad() {
    static FontConfigurationLoad load;
    return load;
}

void AddFontFolders() {
    if (!ConfigurationLoad().Finish()) return;
    // A font map made before the folder was added lists the families without Wine's.
    PangoFontMap* map = pango_cairo_font_map_get_default();
    if (PANGO_IS_FC_FONT_MAP(map)) pango_fc_font_map_config_changed(PANGO_FC_FONT_MAP(map));
}

// Installed families by lower-case name.
const std::map<vcl::String, vcl::String>& Installed() {
    static const std::map<vcl::String, vcl::String> families = [] {
        AddFontFolders();
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

void PrepareFontsAhead() {
    ConfigurationLoad().Start();
}

void PrepareFonts() {
    Installed();
}

FontFaces FontFaceSet() {
    static const FontFaces faces = [] {
        const char* v = std::getenv("KALVENOR_FONTS");
        return v != nullptr && Lower(v) == "dejavu" ? FontFaces::DejaVu : FontFaces::MetricCompatible;
    }();
    return faces;
}

vcl::String DefaultFontFamily() {
    const auto& inst = Installed();
    auto it = inst.find("dejavu sans");
    if (it != inst.end()) return it->second;
    return inst.empty() ? vcl::String("Sans") : inst.begin()->second;
}

vcl::String ResolveFontFamily(const vcl::String& name, FontFaces faces) {
    const vcl::String key = Lower(Trim(name));
    if (key.empty()) return {};
    const auto& inst = Installed();
    if (const Alias* a = FindAlias(key)) {
        if (faces == FontFaces::MetricCompatible)
            for (const char* face : a->Faces)
                if (auto it = inst.find(Lower(face)); it != inst.end()) return it->second;
        auto it = inst.find(Lower(a->DejaVu));
        return it != inst.end() ? it->second : DefaultFontFamily();
    }
    auto it = inst.find(key);
    return it != inst.end() ? it->second : vcl::String();
}

vcl::String ResolveFontFamily(const vcl::String& name) {
    return ResolveFontFamily(name, FontFaceSet());
}

bool FontFamilyExists(const vcl::String& name) {
    return !ResolveFontFamily(name).empty();
}

std::vector<vcl::String> InstalledFontFamilies() {
    std::map<vcl::String, vcl::String> all;
    for (const Alias& a : Aliases())
        all.emplace(Lower(a.Name), a.Name);
    for (const auto& [key, name] : Installed())
        all.emplace(key, name);
    std::vector<vcl::String> out;
    out.reserve(all.size());
    for (auto& [key, name] : all)
        out.push_back(name);
    return out;
}

} // namespace win
