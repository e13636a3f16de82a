#include "platform/vcl/ShellIcons.h"

#include <map>
#include <vector>

#include "platform/vcl/Bitmap.h"
#include "platform/vcl/Canvas.h"
#include "platform/vcl/ShellIconTheme.h"
#include "platform/win/Metrics.h"
#include "platform/win/WinUser.h"

namespace vcl {

namespace {

// The largest icon drawn: the theme's icons are made for sizes far below it.
constexpr int MaxIconSize = 512;

struct TSystemIcon {
    String ContentType;        // what the icon stands for; empty for the open folder
    std::vector<String> Names; // the theme's names for it, best first (found when first drawn)
    std::map<int, std::vector<std::uint32_t>> Pixels; // by size; empty pixels: the theme has none
    unsigned Generation = 0;                          // of the theme the pixels came from
};

// The system image list: one entry per index, kept for the life of the program as the shell keeps its
// own. It grows by one entry per content type asked for, and content types are the desktop's few
// hundred, whatever the names asked.
std::vector<TSystemIcon>& Icons() {
    static std::vector<TSystemIcon> icons = {
        {"application/octet-stream", {}, {}, 0},      {"text/plain", {}, {}, 0},
        {"application/x-executable", {}, {}, 0},      {"inode/directory", {}, {}, 0},
        {String(), {"folder-open", "folder"}, {}, 0},
    };
    return icons;
}

} // namespace

int SystemIconIndex(const String& Name) {
    if (Name.empty()) return -1;
    const String type = shellicon::ContentTypeOf(Name);
    std::vector<TSystemIcon>& icons = Icons();
    for (size_t i = 0; i < icons.size(); ++i)
        if (icons[i].ContentType == type) return static_cast<int>(i);
    icons.push_back(TSystemIcon{type, {}, {}, 0});
    return static_cast<int>(icons.size()) - 1;
}

int SystemIconSize(bool Large) {
    return win::GetSystemMetrics(Large ? win::SM_CXICON : win::SM_CXSMICON);
}

bool DrawSystemIcon(TCanvas* Canvas, int X, int Y, int Index, int Size) {
    std::vector<TSystemIcon>& icons = Icons();
    if (Index < 0 || Index >= static_cast<int>(icons.size()) || Size < 1 || Size > MaxIconSize) return false;
    TSystemIcon& icon = icons[static_cast<size_t>(Index)];
    const unsigned generation = shellicon::ThemeGeneration();
    if (icon.Generation != generation) {
        icon.Pixels.clear();
        icon.Generation = generation;
    }
    auto it = icon.Pixels.find(Size);
    if (it == icon.Pixels.end()) {
        if (icon.Names.empty()) icon.Names = shellicon::IconNamesOf(icon.ContentType);
        it = icon.Pixels.emplace(Size, shellicon::LoadThemedIcon(icon.Names, Size)).first;
    }
    if (it->second.empty()) return false;
    if (Canvas != nullptr) {
        TBitmap bitmap;
        bitmap.SetPixels(Size, Size, it->second.data(), afPremultiplied, false);
        Canvas->Draw(X, Y, &bitmap);
    }
    return true;
}

} // namespace vcl
