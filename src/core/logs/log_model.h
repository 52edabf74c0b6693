#pragma once
// One log of a ride in memory: a time base in seconds from the log's start
// and channels of values on it (numbers, flags and enumerations), each with
// a name unique in the log and a unit. Readers fill it; the viewer, the hit
// counts, the summary and the exports read it.
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "core/params/image.h"

namespace ign {

enum class ChannelKind { Number, Flag, Enumeration };

// What a channel means to the program, where it knows: the plots it starts
// with, the hit counts and the summary's thresholds look channels up by it.
enum class ChannelRole {
  None,
  Rpm,         // engine speed, 1/min
  Load,        // throttle percent or pressure kPa (monitor word 3)
  LoadSensor,  // load sensor type of the record (0 none, 1 throttle, 2 pressure)
  Advance1,
  Advance2,
  Advance3,
  Advance4,   // degrees
  Battery,    // mV
  Servo,      // servo position, mV
  SecondMap,  // the second advance map is in force
  Limiter,    // the rev limiter cuts
  StartLimiter,
};

struct LogChannel {
  std::string name;  // unique in the log
  std::string unit;
  ChannelKind kind = ChannelKind::Number;
  ChannelRole role = ChannelRole::None;
  std::vector<float> values;       // one per row; NaN: no value in that row
  std::vector<std::string> texts;  // enumerations read from text: value v is texts[v]
};

inline constexpr float kNoValue = std::numeric_limits<float>::quiet_NaN();
inline bool HasValue(float v) { return !std::isnan(v); }

// The settings in force from a time on (a recording carries them).
struct LogImage {
  double time = 0;
  Image image{};
};

class CLog {
 public:
  std::string source;        // the file it was read from
  std::string format;        // what the reader took it for (for the window's title line)
  std::vector<double> time;  // seconds from the start, never falling
  std::vector<LogChannel> channels;
  int64_t startUnix = 0;         // the recording's start (seconds since 1970, UTC), 0: unknown
  double startOfDay = -1;        // clock time of the first row (seconds of the day), -1: unknown
  std::vector<LogImage> images;  // a recording's edited images, in time order

  size_t Rows() const { return time.size(); }
  double Duration() const { return time.empty() ? 0.0 : time.back() - time.front(); }
  // Index of the channel of that name or role, -1 when there is none.
  int Find(const std::string& name) const;
  int FindRole(ChannelRole role) const;
  // The last row whose time is not after t (0 before the first row).
  size_t RowAt(double t) const;
  // The first row at or after t, and one past the last row at or before t.
  size_t FirstRowFrom(double t) const;
  size_t EndRowUntil(double t) const;
  // Appends a channel of that name (made unique with " 2", " 3" ...) and returns it
  // (references to the other channels do not survive the call).
  LogChannel& AddChannel(std::string name, std::string unit, ChannelKind kind,
                         ChannelRole role = ChannelRole::None);
};

// A channel value as text for the cursor and the tables: flags as 0 and 1,
// enumerations by their text when they have one, numbers with up to three
// decimals and no trailing zeros; "" for no value.
std::string ValueText(const LogChannel& channel, float value);

}  // namespace ign
