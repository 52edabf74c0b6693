#pragma once
// The live display as one line of text: the texts the window's labels show.
#include <string>

#include "core/monitor/display_model.h"

namespace ign::cli {

std::string MonitorLine(const DisplayModel& model);

}  // namespace ign::cli
