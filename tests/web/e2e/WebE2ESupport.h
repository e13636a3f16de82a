#pragma once
// The end-to-end tests' surroundings: the demo service (started once for the whole program on a free
// port, stopped at its end), the GTK backend, a message pump, the service's request log, and the screen.

#include <functional>
#include <map>
#include <vector>

#include "platform/rtl/Types.h"

namespace kvweb {

using vcl::String;

struct LogEntry {
    String Method;
    String Path;
    String ContentType;
    String Body;
    std::map<String, String> Fields;
    String Field(const String& name) const {
        auto it = Fields.find(name);
        return it == Fields.end() ? String("<missing>") : it->second;
    }
};

class DemoService {
public:
    // The service the tests browse, and a second one on another origin ("localhost" and a port of its
    // own), where nothing of the first one's may ever arrive.
    static DemoService& Get();
    static DemoService& Other();
    void Start(const String& Name, const String& Host);
    void Stop();
    bool Running() const { return FPid > 0 && !FBase.empty(); }
    const String& Problem() const { return FProblem; }
    // "http://127.0.0.1:<port>/"
    const String& Base() const { return FBase; }
    // The logged requests whose path is path (without the query), oldest first.
    std::vector<LogEntry> RequestsFor(const String& path) const;
    // Every request logged so far.
    std::vector<LogEntry> Requests() const { return RequestsFor(String()); }
    // The page as the service serves it to a plain POST of body (GET when body is empty).
    String Fetch(const String& page, const String& body) const;
    // Pages answer as the JSON text says from now on (see tools/demo-service/misbehave.py); "{}" for none.
    void Misbehave(const String& json) const;

private:
    int FPid = 0;
    String FBase;
    String FLog;
    String FMisbehave;
    String FProblem;
};

// A folder under the build tree for the tests' files (screenshots, saved pages).
String ArtifactDir();
// The tests' home folder (HOME), made afresh for the run, with a "Downloads" folder.
String HomeDir();
// Handles the program's messages for about ms milliseconds.
void Pump(int ms);
// Handles messages until pred holds or ms passed; returns pred().
bool PumpUntil(const std::function<bool()>& pred, int ms);
// A loopback port nobody listens on.
int UnusedPort();
// The text of the page's <title> element.
String TitleOf(const String& html);
// Writes the screen's rectangle r to a PNG file.
bool ScreenshotToPng(const vcl::TRect& r, const String& path);
// True when the screen in r, from the screen point origin on, shows more than a few colours (a page with
// text and pictures rather than a plain face).
bool AreaHasManyColours(const vcl::TRect& r, vcl::TPoint origin);
// Runs "xdotool <args>" (real input through the X server); true when it succeeded.
bool Xdo(const String& args);
// Gives the X keyboard focus to the native window of a top-level window of ours.
bool FocusNativeWindow(void* rootWindow);

} // namespace kvweb
