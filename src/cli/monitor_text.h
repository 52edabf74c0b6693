#pragma once
// The live display as text: one line of the texts the window's labels show
// (a log, a pipe), or a small table of the named values for a terminal.
#include <string>
#include <vector>

#include "core/monitor/display_model.h"

namespace ign::cli {

std::string MonitorLine(const DisplayModel& model);

// The table: engine speed, load and battery; the advance of each channel in
// use; then the flags (limiters, input functions, pick-ups, outputs) that the
// unit has in use, three to a row. Columns are aligned by shown characters.
std::vector<std::string> MonitorTable(const DisplayModel& model);

// Draws a table on a terminal over the one drawn before, in place.
class TableRedraw {
 public:
  // The text to write: back to the first line of the previous table, each
  // line cleared to its end, anything left below the new table cleared.
  std::string Frame(const std::vector<std::string>& lines);

 private:
  size_t shown_ = 0;
};

}  // namespace ign::cli
