#pragma once
// Per channel over a stretch of a log: minimum, maximum, mean, and the time
// above a threshold where one applies: a flag's time set, the supply voltage
// above 15 V (where the display turns it yellow), the engine speed above the
// limiter speed of the settings.
#include <optional>
#include <string>
#include <vector>

#include "core/logs/log_model.h"

namespace ign {

struct ChannelSummary {
  std::string name, unit;
  size_t count = 0;  // rows with a value
  double minimum = 0, maximum = 0, mean = 0;
  std::optional<double> threshold;  // the value the time above is counted against
  double secondsAbove = 0;
};

// limiterRpm: the settings' limiter speed (0: unknown).
std::vector<ChannelSummary> SummariseLog(const CLog& log, double from, double to, int limiterRpm);
// A table for a terminal: name, unit, minimum, maximum, mean, "above" and seconds.
std::string SummaryText(const std::vector<ChannelSummary>& summary, double duration);

}  // namespace ign
