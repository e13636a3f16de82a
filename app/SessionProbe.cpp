#include "app/SessionProbe.h"

#include <cstdio>
#include <cstdlib>

namespace SessionProbe {

namespace {

void Line(const String& Text) {
    static const bool on = [] {
        const char* asked = std::getenv("KALVENOR_SESSION_PROBE");
        return asked && *asked;
    }();
    if (!on) return;
    // One line each, whatever the text holds.
    String line = Text;
    for (char& c : line)
        if (c == '\n' || c == '\r') c = ' ';
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
}

} // namespace

void Status(const String& Text) {
    Line("status " + Text);
}

void Gauge(int Position, int Maximum) {
    Line("gauge " + std::to_string(Position) + " " + std::to_string(Maximum));
}

void Message(const String& Text) {
    Line("message " + Text);
}

void LoginShown(const String& Login, const String& Password, bool Save) {
    Line("login " + Login + "|" + std::to_string(Password.size()) + "|" + (Save ? "1" : "0"));
}

} // namespace SessionProbe
