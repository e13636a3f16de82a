#include "components/statusbar/PathShorten.h"

#include "platform/rtl/Exceptions.h"

namespace AdvOfficeStatusBar {

using vcl::String;

namespace {

// The folder part with its first folder replaced by "...\" (an earlier "...\" goes first).
String CutFirstFolder(String S) {
    if (S == "\\") return String();
    bool rooted = !S.empty() && S[0] == '\\';
    if (rooted) S.erase(0, 1);
    if (!S.empty() && S[0] == '.') S.erase(0, std::min<size_t>(4, S.size()));
    size_t slash = S.find('\\');
    S = slash == String::npos ? String() : "...\\" + S.substr(slash + 1);
    if (rooted) S.insert(0, "\\");
    return S;
}

} // namespace

String ShortenPath(const String& FileName, vcl::TCanvas* Canvas, int MaxWidth) {
    String result = FileName;
    size_t last = FileName.rfind('\\');
    String folder = last == String::npos ? String() : FileName.substr(0, last + 1);
    String file = last == String::npos ? FileName : FileName.substr(last + 1);
    String drive;
    if (folder.size() >= 2 && folder[1] == ':') {
        drive = folder.substr(0, 2);
        folder.erase(0, 2);
    }
    while (!folder.empty() || !drive.empty()) {
        if (Canvas->TextWidth(result) <= MaxWidth) break;
        if (folder == "\\...\\") {
            drive.clear();
            folder = "...\\";
        } else if (!folder.empty()) {
            String cut = CutFirstFolder(folder);
            // Every step shortens the folder part or empties the drive: a cut that changes nothing
            // (a part of dots only) ends the folders.
            folder = cut == folder ? String() : cut;
        } else {
            drive.clear();
        }
        result = drive + folder + file;
    }
    return result;
}

String EllipsisText(bool PathMode, const String& Text, vcl::TCanvas* Canvas, int MaxWidth) {
    try {
        return PathMode ? ShortenPath(Text, Canvas, MaxWidth) : Text;
    } catch (const vcl::Exception&) {
        return String();
    }
}

} // namespace AdvOfficeStatusBar
