#pragma once
// A stretch of a log as a tidy CSV for spreadsheets: one header line of
// unique names with their units ("RPM [1/min]"), the time in seconds from
// the log's start, advance in degrees, flags 0 and 1, enumerations by their
// texts. With the decimal point the fields are separated by commas, with
// the decimal comma by semicolons. Lines end with a line feed; UTF-8.
#include <string>
#include <vector>

#include "core/logs/log_model.h"

namespace ign {

struct TidyCsvOptions {
  bool decimalComma = false;
  std::vector<int> channels;  // the channels in this order; empty: all
};

std::string TidyCsv(const CLog& log, double from, double to, const TidyCsvOptions& options = {});
// Written through a temporary file; false (with errno) when it could not be.
bool WriteTidyCsv(const std::string& path, const CLog& log, double from, double to,
                  const TidyCsvOptions& options = {});

}  // namespace ign
