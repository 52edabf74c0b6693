#pragma once
// Reading a CSV file into a log, streamed in blocks (the file is never held
// whole): the program's own CSV log (its 80 columns, Windows-1250, advance
// bytes shown as degrees), and any CSV with a header line, separated by
// semicolons, commas or tabs, with a decimal point or comma, an optional
// line of units, and one column as the time (seconds, or a clock time).
// Damaged input is refused with the line and column of the fault.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/logs/log_error.h"
#include "core/logs/log_model.h"

namespace ign {

// Called after every block read: bytes done and the file's size. Returning
// false stops the reading (LogFault::Cancelled).
using LogProgress = std::function<bool(uint64_t done, uint64_t total)>;

struct CsvReadOptions {
  // The time column by its name (as the header writes it, without a unit in
  // brackets). Empty: the first column named like a time (time, t, Zeit,
  // Čas, timestamp ...), else the first column.
  std::string timeColumn;
  LogProgress progress;
};

struct LogRead {
  std::optional<CLog> log;
  LogError error;
};

LogRead ReadCsvLog(const std::string& path, const CsvReadOptions& options = {});
// The same from bytes in memory (tests, fuzzing).
LogRead ParseCsvLog(std::string_view bytes, const CsvReadOptions& options = {});

}  // namespace ign
