#include "core/monitor/local_time.h"

#include <chrono>
#include <ctime>

namespace ign {

LocalTime LocalFromUnix(int64_t seconds, int milliseconds) {
  const std::time_t t = std::time_t(seconds);
  std::tm tm{};
  localtime_r(&t, &tm);
  return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec, milliseconds};
}

LocalTime LocalNow() {
  const auto now = std::chrono::system_clock::now().time_since_epoch();
  const int64_t ms = std::chrono::duration_cast<std::chrono::milliseconds>(now).count();
  return LocalFromUnix(ms / 1000, int(ms % 1000));
}

int64_t UnixNow() {
  return std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch())
      .count();
}

}  // namespace ign
