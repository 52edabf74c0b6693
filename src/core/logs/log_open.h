#pragma once
// Opening a log file of either kind: a recording (.ignlog, or a file that
// begins like one) or a CSV file.
#include <string>

#include "core/logs/csv_log_reader.h"

namespace ign {

bool LooksLikeRecording(const std::string& path);
LogRead OpenLog(const std::string& path, const CsvReadOptions& options = {});

}  // namespace ign
