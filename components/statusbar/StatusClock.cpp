#include "components/statusbar/StatusClock.h"

#include <chrono>
#include <cstdio>
#include <ctime>

namespace AdvOfficeStatusBar {

using vcl::String;

namespace {

TClockTime SystemNow() {
    auto now = std::chrono::system_clock::now();
    std::time_t t = std::chrono::system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&t, &local);
    TClockTime c;
    c.Year = local.tm_year + 1900;
    c.Month = local.tm_mon + 1;
    c.Day = local.tm_mday;
    c.Hour = local.tm_hour;
    c.Minute = local.tm_min;
    c.Second = local.tm_sec;
    c.Millisecond = static_cast<int>(
        std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000);
    return c;
}

TClockSource& Source() {
    static TClockSource source = SystemNow;
    return source;
}

String Number(int V, int Digits) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%0*d", Digits, V);
    return buf;
}

char Lower(char Ch) {
    return Ch >= 'A' && Ch <= 'Z' ? static_cast<char>(Ch - 'A' + 'a') : Ch;
}

} // namespace

TClockTime ClockNow() {
    return Source() ? Source()() : SystemNow();
}

TClockSource SetClockSource(TClockSource S) {
    TClockSource previous = Source();
    Source() = S ? std::move(S) : TClockSource(SystemNow);
    return previous;
}

String FormatClockTime(const String& Format, const TClockTime& T) {
    // A 12-hour clock when the format has an am/pm marker anywhere.
    bool twelve = false;
    for (size_t i = 0; i < Format.size(); ++i) {
        String rest = Format.substr(i, 5);
        for (char& ch : rest)
            ch = Lower(ch);
        if (rest.rfind("am/pm", 0) == 0 || rest.rfind("a/p", 0) == 0) twelve = true;
    }
    String out;
    bool afterHour = false;
    size_t i = 0;
    auto run = [&](char Letter) {
        size_t n = 0;
        while (i + n < Format.size() && Lower(Format[i + n]) == Letter)
            ++n;
        return n;
    };
    while (i < Format.size()) {
        char ch = Format[i];
        char l = Lower(ch);
        if (ch == '"' || ch == '\'') {
            size_t end = Format.find(ch, i + 1);
            out += Format.substr(i + 1, end == String::npos ? String::npos : end - i - 1);
            i = end == String::npos ? Format.size() : end + 1;
            continue;
        }
        String rest = Format.substr(i, 5);
        for (char& c : rest)
            c = Lower(c);
        // The marker is written in the case of the format's own letters ("AM/PM" gives "PM").
        if (rest.rfind("am/pm", 0) == 0) {
            out += Format.substr(T.Hour < 12 ? i : i + 3, 2);
            i += 5;
            continue;
        }
        if (rest.rfind("a/p", 0) == 0) {
            out += Format.substr(T.Hour < 12 ? i : i + 2, 1);
            i += 3;
            continue;
        }
        size_t n = 0;
        switch (l) {
        case 'd':
            n = run('d');
            out += Number(T.Day, n >= 2 ? 2 : 1);
            break;
        case 'm':
            n = run('m');
            // "m" right after an hour means minutes; the upper-case "M" is always the month.
            if (afterHour && ch == 'm')
                out += Number(T.Minute, n >= 2 ? 2 : 1);
            else
                out += Number(T.Month, n >= 2 ? 2 : 1);
            afterHour = false;
            break;
        case 'y':
            n = run('y');
            out += n <= 2 ? Number(T.Year % 100, 2) : Number(T.Year, 4);
            break;
        case 'h': {
            n = run('h');
            int h = T.Hour;
            if (twelve) h = h % 12 == 0 ? 12 : h % 12;
            out += Number(h, n >= 2 ? 2 : 1);
            afterHour = true;
            i += n;
            continue;
        }
        case 'n':
            n = run('n');
            out += Number(T.Minute, n >= 2 ? 2 : 1);
            break;
        case 's':
            n = run('s');
            out += Number(T.Second, n >= 2 ? 2 : 1);
            break;
        case 'z':
            n = run('z');
            out += Number(T.Millisecond, n >= 3 ? 3 : 1);
            break;
        default:
            out += ch;
            i += 1;
            continue;
        }
        i += n;
    }
    return out;
}

} // namespace AdvOfficeStatusBar
