#pragma once
// The clock of the time and date panels: the local date and time, formatted with the framework's
// date-time format letters. The time source is replaceable (tests drive it from the virtual clock).

#include <functional>

#include "platform/rtl/Types.h"

namespace AdvOfficeStatusBar {

// A local date and time, broken down.
struct TClockTime {
    int Year = 2000, Month = 1, Day = 1, Hour = 0, Minute = 0, Second = 0, Millisecond = 0;
};

using TClockSource = std::function<TClockTime()>;

// The current local time from the current source (by default the system's clock).
TClockTime ClockNow();
// Replaces the source (null restores the system's clock); returns the previous one.
TClockSource SetClockSource(TClockSource Source);

// Formats T: d dd (day), m mm (month, or minutes right after an hour), M MM (month), yy yyyy, h hh,
// n nn (minutes), s ss, z zzz (milliseconds), am/pm and a/p (12-hour clock, the marker written in the
// case of the format's letters); text in single or double quotes, and any other character, stands as it
// is.
vcl::String FormatClockTime(const vcl::String& Format, const TClockTime& T);

} // namespace AdvOfficeStatusBar
