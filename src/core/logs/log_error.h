#pragma once
// Why a log could not be read, with the place of the fault in the file.
#include <string>

namespace ign {

enum class LogFault {
  None,
  Open,        // cannot be read
  Empty,       // no header line
  NoData,      // a header but no line of values, or no column besides the time
  NotText,     // binary bytes where text lines should be
  FieldCount,  // a line with another number of fields than the header
  Number,      // a field that is not a number
  Time,        // a time that is not a time, or that goes back
  Texts,       // a text column with too many different texts
  NoTime,      // the time column asked for is not in the header
  Recording,   // a damaged or foreign recording (detail: the recording reader's message)
  Cancelled,   // the reading was stopped
  TooLarge,    // more rows or channels than the viewer holds
};

struct LogError {
  LogFault fault = LogFault::None;
  long line = 0;       // 1-based line of the fault (0: none)
  int column = 0;      // 1-based field of the fault (0: none)
  std::string detail;  // what was found (the field's text, counts, the recording's message)
  explicit operator bool() const { return fault != LogFault::None; }
};

// The message for a failed read, in the current language, naming the file,
// the line and the column of the fault.
std::string LogErrorMessage(const std::string& path, const LogError& error);

}  // namespace ign
