#pragma once
// The locale's time and date formats in the framework's format letters (d dd m mm yy yyyy h hh n nn s ss
// z zzz am/pm a/p, text in quotes): what the system information answers for the framework's long time
// and short date formats.

#include "platform/rtl/Types.h"

namespace vcl {

// The framework's letters for a POSIX date-time format (the locale's T_FMT or D_FMT). AmPmTimeFormat is
// what "%r" stands for (the locale's T_FMT_AMPM). False, leaving Letters alone, when the format holds a
// conversion the letters cannot express: names of days or months, the week, the day of the year, the
// century, the time zone. Text between conversions is kept, quoted where it holds a letter.
bool PosixFormatToLetters(const String& Posix, const String& AmPmTimeFormat, String& Letters);

// The time, date and 12-hour time formats (T_FMT, D_FMT, T_FMT_AMPM) of the locale of that name; those of
// the "C" locale when the system has no such locale.
struct TPosixTimeFormats {
    String Time, Date, AmPmTime;
};
TPosixTimeFormats PosixTimeFormats(const String& LocaleName);

} // namespace vcl
