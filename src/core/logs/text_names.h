#pragma once
// Names in the header of a CSV file: their encoding, a unit written after a
// name ("RPM [1/min]"), names that mean the time, the channels the program
// knows by name, and the header of the program's own CSV log.
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/logs/log_model.h"

namespace ign {

// UTF-8 text as it is; anything else is taken for Windows-1250.
std::string TextToUtf8(std::string_view bytes);
// "RPM [1/min]" and "RPM (1/min)" give ("RPM", "1/min"); other names have no unit.
std::pair<std::string, std::string> SplitNameAndUnit(const std::string& header);
// time, t, Zeit, Čas, timestamp, seconds ... (any case).
bool LooksLikeTimeName(const std::string& name);
// The role of a channel of the general CSV by its name (the names of the
// program's CSV log, any case); None for the others.
ChannelRole RoleOfName(const std::string& name);
// The header of the program's CSV log: "Time" and its 80 column names.
bool IsOwnCsvHeader(const std::vector<std::string_view>& fields, size_t count);

}  // namespace ign
