#pragma once
// One line of text from a monitor record.
#include <cstdint>
#include <string>

namespace ign::cli {

// record: the 151-byte monitor record (index 0 unused).
std::string MonitorLine(const uint8_t* record);

}  // namespace ign::cli
