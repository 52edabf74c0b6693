#pragma once
// A recording (.ignlog) as a log: one row per monitor record at its time
// since the start of the recording, the channels of the program's CSV log
// (advance in degrees) and the load sensor type of each record, and the
// edited images the recording carries.
#include <string>

#include "core/logs/csv_log_reader.h"
#include "core/monitor/recording_reader.h"

namespace ign {

CLog LogOfRecording(const Recording& recording);
// Reads the file through the recording reader's checks.
LogRead ReadRecordingLog(const std::string& path);

}  // namespace ign
