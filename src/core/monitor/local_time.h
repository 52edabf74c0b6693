#pragma once
// Calendar time in the local zone, as the monitor's texts print it.
#include <cstdint>

namespace ign {

struct LocalTime {
  int year = 0, month = 0, day = 0;  // month 1..12
  int hour = 0, minute = 0, second = 0, millisecond = 0;
};

// Now, in the local zone.
LocalTime LocalNow();
// Seconds since 1970 (UTC) plus milliseconds, in the local zone.
LocalTime LocalFromUnix(int64_t seconds, int milliseconds);
// Seconds since 1970, now.
int64_t UnixNow();

}  // namespace ign
