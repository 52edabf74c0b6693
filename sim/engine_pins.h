// Engine values pinned from the command line, and the log of received one-shot commands.
#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>

namespace ign::sim {

struct EnginePins {
  std::optional<int> rpm;        // 1/min
  std::optional<int> batteryMv;  // supply voltage
  std::optional<int> load;       // throttle percent or pressure kPa, by the sensor type
  std::optional<int> advance;    // degrees, every channel
  std::optional<int> sensor;     // load sensor type reported (0, 1, 2)
  // Pick-up streams: the type (1 synchronised, 2 time mode), the cycle code
  // (0: 720, 2: 180, 3: 120, else 360 degrees) and the number of streams after
  // which the type turns to the other one.
  std::optional<int> streamType;
  std::optional<int> cycleCode;
  std::optional<int> streamSwitchAfter;
};

// Appends one line per monitor request:
// "monitor <n> 20=<hex> 21=<hex> 22=<hex> 23=<hex>" (23: the stream request),
// flushed at once so a test reads it while the unit runs.
class CommandLog {
 public:
  CommandLog() = default;
  explicit CommandLog(const std::string& path);
  ~CommandLog();
  CommandLog(const CommandLog&) = delete;
  CommandLog& operator=(const CommandLog&) = delete;
  CommandLog(CommandLog&& o) noexcept : f_(o.f_), count_(o.count_) { o.f_ = nullptr; }

  bool ok() const { return f_ != nullptr; }
  void Note(const std::uint8_t* bytes20to23);

 private:
  std::FILE* f_ = nullptr;
  long count_ = 0;
};

}  // namespace ign::sim
