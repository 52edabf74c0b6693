#pragma once
// The program's own CSV log as channels of a log: its 80 columns in their
// order, with names made unique (the log repeats SERVO and FULL_SYNC), the
// kind and role of each, and the value of a column from a monitor record or
// from the number the CSV log wrote. The advance columns ADV1 .. ADV5 hold
// the record's bytes (degrees + 100, 0 = the base advance applies); the
// channels hold degrees, and no value where the base advance applies.
#include "core/logs/log_model.h"
#include "core/monitor/csv_columns.h"
#include "core/monitor/record.h"

namespace ign {

// Adds the 80 channels, empty, in the CSV log's column order.
void AddOwnChannels(CLog& log);
// The channel value of column c (0..79) of a record.
float OwnValueOfRecord(const MonitorRecord& r, int column);
// The channel value of column c from the number written in the CSV log.
float OwnValueOfCsv(double written, int column);
// True for the columns of the advance bytes.
bool IsAdvanceByteColumn(int column);

// The extra channel of a recording: the load sensor type of each record.
inline constexpr const char* kLoadSensorChannel = "LOAD_SENSOR";

}  // namespace ign
