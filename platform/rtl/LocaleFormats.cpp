#include "platform/rtl/LocaleFormats.h"

#include <clocale>
#include <langinfo.h>
#include <locale.h>

namespace vcl {

namespace {

bool IsAsciiLetter(char C) {
    return (C >= 'a' && C <= 'z') || (C >= 'A' && C <= 'Z');
}

// Text between conversions as the letters show it: as it is, or quoted when it holds a letter (a letter
// would read as a format letter) or a quote.
bool AppendText(const String& Text, String& Out) {
    bool quote = false;
    for (char c : Text)
        quote = quote || IsAsciiLetter(c) || c == '"' || c == '\'';
    if (!quote) {
        Out += Text;
        return true;
    }
    const char q = Text.find('"') == String::npos ? '"' : '\'';
    if (Text.find(q) != String::npos) return false; // both quotes: nothing can hold it
    Out += q + Text + q;
    return true;
}

bool Translate(const String& Posix, const String& AmPm, String& Out, int Depth) {
    String text;
    for (std::size_t i = 0; i < Posix.size(); ++i) {
        if (Posix[i] != '%') {
            text += Posix[i];
            continue;
        }
        // Padding flags, a width and the E and O modifiers change how a value is written, not which.
        std::size_t j = i + 1;
        while (j < Posix.size() && String("_-0^#").find(Posix[j]) != String::npos)
            ++j;
        while (j < Posix.size() && Posix[j] >= '0' && Posix[j] <= '9')
            ++j;
        if (j < Posix.size() && (Posix[j] == 'E' || Posix[j] == 'O')) ++j;
        if (j >= Posix.size()) return false;
        const char c = Posix[j];
        i = j;
        if (c == '%' || c == 'n' || c == 't') {
            text += c == '%' ? '%' : c == 'n' ? '\n' : '\t';
            continue;
        }
        if (!AppendText(text, Out)) return false;
        text.clear();
        switch (c) {
        case 'H':
        case 'I':
            Out += "hh";
            break;
        case 'k':
        case 'l':
            Out += "h";
            break;
        case 'M':
            Out += "nn";
            break;
        case 'S':
            Out += "ss";
            break;
        case 'p':
            Out += "AM/PM";
            break;
        case 'P':
            Out += "am/pm";
            break;
        case 'd':
            Out += "dd";
            break;
        case 'e':
            Out += "d";
            break;
        case 'm':
            Out += "mm";
            break;
        case 'y':
            Out += "yy";
            break;
        case 'Y':
            Out += "yyyy";
            break;
        case 'D':
            Out += "mm/dd/yy";
            break;
        case 'F':
            Out += "yyyy-mm-dd";
            break;
        case 'T':
            Out += "hh:nn:ss";
            break;
        case 'R':
            Out += "hh:nn";
            break;
        case 'r':
            // The 12-hour time of the locale, itself a format (never one that refers back to "%r").
            if (Depth > 0 || AmPm.empty() || !Translate(AmPm, String(), Out, Depth + 1)) return false;
            break;
        default:
            return false;
        }
    }
    return AppendText(text, Out);
}

} // namespace

bool PosixFormatToLetters(const String& Posix, const String& AmPmTimeFormat, String& Letters) {
    String out;
    if (Posix.empty() || !Translate(Posix, AmPmTimeFormat, out, 0)) return false;
    Letters = out;
    return true;
}

TPosixTimeFormats PosixTimeFormats(const String& LocaleName) {
    // A locale object of our own: the program's global locale (whatever a toolkit set) stays untouched,
    // and the answer does not depend on it.
    locale_t loc = ::newlocale(LC_TIME_MASK, LocaleName.c_str(), static_cast<locale_t>(nullptr));
    if (loc == static_cast<locale_t>(nullptr))
        loc = ::newlocale(LC_TIME_MASK, "C", static_cast<locale_t>(nullptr));
    TPosixTimeFormats f;
    if (loc == static_cast<locale_t>(nullptr)) return f;
    f.Time = ::nl_langinfo_l(T_FMT, loc);
    f.Date = ::nl_langinfo_l(D_FMT, loc);
    f.AmPmTime = ::nl_langinfo_l(T_FMT_AMPM, loc);
    ::freelocale(loc);
    return f;
}

} // namespace vcl
