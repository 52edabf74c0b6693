#pragma once
// Local time is UTC while an object of this class lives, so that texts made
// from time values read the same on every machine; the zone before comes back.
#include <cstdlib>
#include <ctime>
#include <string>

namespace ign::test {

class UtcZone {
 public:
  UtcZone() {
    const char* tz = std::getenv("TZ");
    had_ = tz != nullptr;
    old_ = tz ? tz : "";
    setenv("TZ", "UTC", 1);
    tzset();
  }
  ~UtcZone() {
    if (had_)
      setenv("TZ", old_.c_str(), 1);
    else
      unsetenv("TZ");
    tzset();
  }
  UtcZone(const UtcZone&) = delete;
  UtcZone& operator=(const UtcZone&) = delete;

 private:
  std::string old_;
  bool had_ = false;
};

}  // namespace ign::test
